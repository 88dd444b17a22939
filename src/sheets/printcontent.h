#pragma once

// What a printed series page shows, without drawing it: the shots of a series
// in millimetres of the real target, the texts of a series block and of the
// page header, the figures of where the shots and calls went, and the page
// count of a job.

#include "callrating.h"
#include "model/groupanalysis.h"
#include "model/scoring.h"
#include "model/seriesrecord.h"
#include "model/targetface.h"
#include "seriesscore.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

namespace ankerblick::print {

// What a window hands over for one of its series: the stored positions, the
// values of its shot-value list, the two sums and the match's rules for the
// series. The main window adds its rating options, so that the calls of the
// series count in the figures.
struct SeriesPrintData {
    SeriesRecord record;
    QList<double> values;
    SeriesSums sums;
    std::optional<RatingOptions> ratingOptions;
    SeriesRules rules;
};

// The values and sums of a stored series scored on the face by its rules,
// the way the series list shows them.
SeriesPrintData seriesPrintData(const SeriesRecord& record, const TargetFace& face,
                                const SeriesRules& rules, const RatingOptions* options = nullptr);

// One shot: its centre relative to the target centre in millimetres of the
// real target (x to the right, y downwards) and its slot 0..9.
struct TargetShot {
    double xMm = 0.0;
    double yMm = 0.0;
    int slot = 0;
    friend bool operator==(const TargetShot&, const TargetShot&) = default;
};

struct PrintedTarget {
    int discipline = 0;     // Disziplin index 0..5
    double calibreMm = 4.5; // diameter of a shot on the real target
    QList<TargetShot> shots;
};

// The placed shots of a record on the face of the discipline.
PrintedTarget printedTarget(const SeriesRecord& record, const TargetFace& face);

// The part of the real target a printed target shows: a square about the
// face's centre, halfMm from the centre to each side, drawn blockMm wide.
struct PrintedView {
    double halfMm = 0.0;
    double scale = 1.0; // millimetres on paper per millimetre of the target
};
// The whole face (its outermost ring and one ring's width beyond) when the
// shots spread over it or there are none; a group within a smaller ring is
// shown out to the next ring beyond it, but at least out to ring 8. Every
// shot lies wholly within the view.
PrintedView printedView(const PrintedTarget& target, double blockMm);
// "Maßstab 1:2,9" below a reduced face, "Maßstab 1,4:1" below an enlarged one.
QString scaleLine(double scale, const QLocale& locale);

struct PrintedSeries {
    qint16 number = 0;
    QStringList values; // as the shot-value list shows them
    QString sumWhole;   // SerienSumme, as its box shows it
    QString sumTenths;  // SerienSummeZehntel, as its box shows it
    SeriesSums sums;    // the sums the two texts show
    int innerTens = 0;  // among the scored hits
    PrintedTarget target;
    QList<group::Shot> shots; // for the figures, with the calls when there are
    QString groupLine;        // empty for a series without shots
};

PrintedSeries printedSeries(qint16 number, const SeriesPrintData& data, const TargetFace& face,
                            const QLocale& locale);

// "Serie Nummer: 3"
QString seriesTitle(qint16 number);
// Row k (0..4) of the values: (2k + 1) ".: " value "   " (2k + 2) ".: " value;
// a shot beyond the listed values prints its number only.
QString valueRow(const QStringList& values, int k);
inline constexpr int kValueRows = 5;
// "Trefferlage: 3,2 mm rechts, 1,5 mm hoch; Streukreis 12,4 mm"; empty
// without shots.
QString groupLine(const QList<group::Shot>& shots, const QLocale& locale);
// SerienSumme "     " SerienSummeZehntel
QString sumsLine(const QString& whole, const QString& tenths);
// "Innenzehner: 2", the line below the sums
QString innerTensLine(int innerTens);

// "Seite " page " von " pages " für " name " am " date " um " time
QString pageHeader(int page, int pages, const QString& name, const QString& date,
                   const QString& time);

// Pages of a job of `seriesCount` series; the overall picture takes the slot
// after the last series.
int pageCount(int seriesCount, int perPage, bool overallPicture);

// A point of the printed target in millimetres of the real target, x to the
// right and y downwards like TargetShot.
struct TargetPoint {
    double xMm = 0.0;
    double yMm = 0.0;
    friend bool operator==(const TargetPoint&, const TargetPoint&) = default;
};

// The overall picture: every printed shot on one target, with its summary and
// the figures of where the shots and their calls went.
struct OverallPicture {
    QString title; // "Gesamtschussbild"
    QStringList lines;
    QStringList figures; // group::reportLines of all printed shots
    PrintedTarget target;
    std::optional<TargetPoint> callMean; // mean point of the calls, when there are
};

// Collects the printed series of a job into the overall picture, adding up
// the sums of the series as numbers (the locale of add is not needed). The
// sight correction counts clicks of clickMm, by default those of the
// discipline (group::defaultClickMm).
class OverallCollector {
public:
    void add(const PrintedSeries& series, const QLocale& locale);
    bool isEmpty() const { return m_series == 0; }
    OverallPicture picture(const QLocale& locale,
                           std::optional<double> clickMm = std::nullopt) const;

private:
    int m_series = 0;
    double m_whole = 0.0;
    double m_tenths = 0.0;
    int m_innerTens = 0;
    PrintedTarget m_target;
    QList<group::Shot> m_shots;
};

} // namespace ankerblick::print
