#pragma once

// The analysis window without its widgets: the series read from one or more
// series files and their list, the shots of the shown series listed, scored
// and summed, the one-series and all-series views with a shot size each, the
// highlighted shot, the comments and both time texts, and what to paint.

#include "files/seriesfile.h"
#include "model/geometry.h"
#include "model/scoring.h"
#include "model/seriesrecord.h"
#include "model/targetface.h"
#include "seriesscore.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

namespace ankerblick {

enum class AnalysisView { OneSeries, AllSeries };

// Painted shots: red discs outlined in the window's fore colour; the
// highlighted shot green with a blue outline.
inline constexpr Rgb kShotFill{255, 0, 0};
inline constexpr Rgb kShotOutline{0, 0, 0};
inline constexpr Rgb kHighlightFill{0, 255, 0};
inline constexpr Rgb kHighlightOutline{0, 0, 255};

class AnalysisSheet {
public:
    // The range of both shot-size bars and their values at start.
    static constexpr int kMinShotSize = 1;
    static constexpr int kMaxShotSize = 50;
    static constexpr int kStartAllSeriesSize = 4;
    static constexpr int kStartSeriesSize = 15;
    // The window starts on "Gewehr 50m".
    static constexpr int kStartDiscipline = int(Discipline::Gewehr50m);

    // A shot of the store: series number (from 1) and slot (0..9).
    struct ShotRef {
        int series = 0;
        int slot = 0;
        friend bool operator==(const ShotRef&, const ShotRef&) = default;
    };

    explicit AnalysisSheet(const QLocale& locale = QLocale());

    // Start-up: empty store and lists, both shot sizes, the one-series view,
    // then the start discipline.
    void load();

    // Runs the discipline routine (0..5) with the shot diameter `calibreMm`
    // (the discipline's standard calibre without one), sets the one-series
    // shot size to the marks' size and shows the selected series again.
    // Choosing the discipline and calibre already shown, or an index outside
    // 0..5, changes nothing and gives false.
    bool setDiscipline(int index, std::optional<double> calibreMm = std::nullopt);

    // Files. Each returns the German text of a failure; whatever a file gave
    // before it broke off is kept and listed. A file that cannot be read at
    // all changes nothing.
    std::optional<QString> loadFile(const QString& path); // Laden: starts over, times too
    // Starts over with series kept elsewhere (a training of the diary).
    void loadContent(const SeriesFileContent& content);
    std::optional<QString> attachFile(const QString& path); // appends behind the listed series
    // Appends the files in order; the first failure ends it.
    std::optional<QString> attachFiles(const QStringList& paths);

    void newSession();                // Neu
    void selectSeries(int number);    // SerienListe: shows series `number` (from 1)
    void showAllSeries();             // AlleSerienAnzeigen
    void chooseShot(int row);         // SchussListe: highlights the shot of that row
    void setAllSeriesSize(int value); // ScrollTrefferRadiusAlle
    void setSeriesSize(int value);    // ScrollTrefferRadiusSerie

    // The shot a row of the shot list stands for: in the one-series view the
    // slot the row names, in the all-series view row i is series i / 10 + 1,
    // slot i % 10. None for a row outside the list.
    std::optional<ShotRef> shotOfRow(int row) const;

    // What to paint: the centres of all shots that hold a hit in the painted
    // series, the radius of the current view and the highlighted shot's
    // centre (when it holds a hit).
    QList<PointF> shotCentres() const;
    int paintRadius() const { return m_view == AnalysisView::OneSeries ? m_seriesSize : m_allSize; }
    std::optional<PointF> highlightedCentre() const;

    const TargetFace& face() const { return m_face; }
    const SeriesStore& store() const { return m_store; }
    int seriesCount() const { return int(m_seriesList.size()); }
    const QStringList& seriesList() const { return m_seriesList; }
    int selectedSeries() const { return m_selected; } // 0: none
    // The lists and sums as the window shows them, made from the numbers below.
    QStringList shotList() const;  // shot numbers
    QStringList valueList() const; // values
    SeriesSumTexts sums() const { return m_sums.texts(m_locale); }
    int shotCount() const; // rows of the shot list
    const QList<double>& values() const { return m_values; }
    // The inner tens among the listed shots of the shown series (none in the
    // all-series view), and among the scored shots of all listed series.
    int innerTens() const { return m_innerTens; }
    // The match's rules for series `number`, as its comments give them.
    SeriesRules rulesOf(int number) const;
    int allInnerTens() const;
    // The first slot of the shown series too far off the target to be scored;
    // neither it nor the shots after it are listed.
    std::optional<int> unscorableSlot() const { return m_unscorable; }
    const QString& caption() const { return m_caption; }
    AnalysisView view() const { return m_view; }
    int highlightedRow() const { return m_highlighted; } // -1: none
    int allSeriesSize() const { return m_allSize; }
    int seriesSize() const { return m_seriesSize; }
    // Each a sequence of lines ended by CR LF. Those of the files read since
    // the last "Laden" or "Neu" follow one another; in the time lines of each
    // file every series number is raised by the number of series listed
    // before that file, so that it names the series as listed here.
    const QString& comments() const { return m_comments; }
    const QString& shotTimes() const { return m_shotTimes; }
    const QString& shootingTimes() const { return m_shootingTimes; }
    const QLocale& locale() const { return m_locale; }
    // Change whenever the series list or the shot list is filled anew, so a
    // window rebuilds long lists only when needed.
    quint64 seriesListRevision() const { return m_seriesRevision; }
    quint64 shotListRevision() const { return m_shotRevision; }

private:
    void appendContent(const SeriesFileContent& content);
    void resetShotDisplay();
    PointF centreOf(const SeriesRecord& record, int slot) const;

    QLocale m_locale;
    TargetFace m_face;
    SeriesStore m_store;
    QStringList m_seriesList;
    int m_selected = 0;
    QList<int> m_listedSlots; // one-series view: the slot of every listed shot
    int m_allRows = 0;        // all-series view: rows of the shot list
    QList<double> m_values;
    SeriesSums m_sums;
    int m_innerTens = 0;
    std::optional<int> m_unscorable;
    QString m_caption;
    AnalysisView m_view = AnalysisView::OneSeries;
    int m_first = 0;
    int m_count = 0;
    int m_highlighted = -1;
    int m_allSize = kStartAllSeriesSize;
    int m_seriesSize = kStartSeriesSize;
    QString m_comments;
    SeriesRulesBook m_rules; // what the comments mark, series by series
    QString m_shotTimes;
    QString m_shootingTimes;
    quint64 m_seriesRevision = 0;
    quint64 m_shotRevision = 0;
};

} // namespace ankerblick
