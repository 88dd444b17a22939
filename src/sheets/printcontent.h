#pragma once

// What a printed series page shows, without drawing it: the shots of a series
// in millimetres of the real target, the texts of a series block and of the
// page header, and the page count of a job.

#include "model/scoring.h"
#include "model/seriesrecord.h"
#include "model/targetface.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace ankerblick::print {

// What a window hands over for one of its series: the stored positions, the
// values of its shot-value list and the two sums.
struct SeriesPrintData {
    SeriesRecord record;
    QList<double> values;
    SeriesSums sums;
};

// The values and sums of a stored series scored on the face, the way the
// series list shows them; throws num::Int16Overflow like seriesHitValues.
// The locale is not needed any more: values and sums are numbers.
SeriesPrintData seriesPrintData(const SeriesRecord& record, const TargetFace& face,
                                const QLocale& locale);

// One shot: its centre relative to the target centre in millimetres of the
// real target (x to the right, y downwards) and its slot 0..9.
struct TargetShot {
    double xMm = 0.0;
    double yMm = 0.0;
    int slot = 0;
    friend bool operator==(const TargetShot&, const TargetShot&) = default;
};

struct PrintedTarget {
    int discipline = 0;     // Disziplin index 0..3
    double calibreMm = 4.5; // diameter of a shot on the real target
    QList<TargetShot> shots;
};

// The placed shots of a record on the face of the discipline.
PrintedTarget printedTarget(const SeriesRecord& record, const TargetFace& face);

// The printed black area: "LP" at its true size (59.5 mm), the others 60 mm wide.
double printedBlackDiameterMm(int discipline);
// Millimetres on paper per millimetre of the real target.
double printScale(int discipline);

struct PrintedSeries {
    qint16 number = 0;
    QStringList values; // as the shot-value list shows them
    QString sumWhole;   // SerienSumme, as its box shows it
    QString sumTenths;  // SerienSummeZehntel, as its box shows it
    SeriesSums sums;    // the sums the two texts show
    PrintedTarget target;
};

PrintedSeries printedSeries(qint16 number, const SeriesPrintData& data, const TargetFace& face,
                            const QLocale& locale);

// "Serie Nummer: 3"
QString seriesTitle(qint16 number);
// Row k (0..4) of the values: (2k + 1) ".: " value "   " (2k + 2) ".: " value;
// a shot beyond the listed values prints its number only.
QString valueRow(const QStringList& values, int k);
inline constexpr int kValueRows = 5;
// SerienSumme "     " SerienSummeZehntel
QString sumsLine(const QString& whole, const QString& tenths);

// "Seite " page " von " pages " für " name " am " date " um " time
QString pageHeader(int page, int pages, const QString& name, const QString& date,
                   const QString& time);

// Pages of a job of `seriesCount` series; the overall picture takes the slot
// after the last series.
int pageCount(int seriesCount, int perPage, bool overallPicture);

// The overall picture: every printed shot on one target, with its summary.
struct OverallPicture {
    QString title; // "Gesamtschussbild"
    QStringList lines;
    PrintedTarget target;
};

// Collects the printed series of a job into the overall picture, adding up
// the sums of the series as numbers (the locale of add is not needed).
class OverallCollector {
public:
    void add(const PrintedSeries& series, const QLocale& locale);
    bool isEmpty() const { return m_series == 0; }
    OverallPicture picture(const QLocale& locale) const;

private:
    int m_series = 0;
    double m_whole = 0.0;
    double m_tenths = 0.0;
    PrintedTarget m_target;
};

} // namespace ankerblick::print
