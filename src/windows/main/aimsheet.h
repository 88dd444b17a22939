#pragma once

// What the aim-point analysis window shows and does, without the widgets:
// call and hit entry with the pointer, scoring, the call rating, the display of
// a finished series and the series store of the window.

#include "callrating.h"
#include "model/marks.h"
#include "model/scoring.h"
#include "model/seriesrecord.h"
#include "model/targetface.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

namespace ankerblick {

enum class MouseButton { None, Left, Right, Middle };

class AimSheet {
public:
    explicit AimSheet(const QLocale& locale = QLocale());

    // Start-up after the name was given: series list "1", mark colours, a new
    // series and the "LP" face with four sectors and whole-ring accuracy.
    void load();

    // Option groups. Changing the discipline rebuilds the face, resizes the
    // marks and shows the selected series again.
    void setDiscipline(int index);
    void setSectors(int index);        // 0: "4", 1: "8"
    void setRingAccuracy(int index);   // 0: "0,5", 1: "1"
    int sectorsIndex() const { return m_options.sectorMultiplier == 16 ? 1 : 0; }
    int ringAccuracyIndex() const { return m_options.ringPrecision == 2 ? 0 : 1; }

    // Pointer events in drawing units.
    void mouseMove(float x, float y);
    void mousePress(MouseButton button);
    void mouseRelease(MouseButton button, float x, float y);
    void doubleClick();

    // Scores the placed shots of the displayed series again with the current
    // options; the lists and figures are cleared first.
    void recompute();

    // Shows the selected series again from its record.
    void showSelectedSeries();

    // State for the window.
    const TargetFace& face() const { return m_face; }
    const std::array<Mark, kShotsPerSeries>& hits() const { return m_hits; }
    const std::array<Mark, kShotsPerSeries>& calls() const { return m_calls; }
    const std::array<LineF, kShotsPerSeries>& lines() const { return m_lines; }
    const QStringList& shotList() const { return m_shotList; }
    const QStringList& valueList() const { return m_valueList; }
    const SeriesSums& sums() const { return m_sums; }
    const RatingFigures& rating() const { return m_rating; }
    const QString& caption() const { return m_caption; }
    const QStringList& seriesList() const { return m_seriesList; }
    int selectedSeries() const { return m_selected; } // 1-based
    const SeriesStore& store() const { return m_store; }
    bool nextSeriesSignal() const { return m_nextSeriesRed; } // WeitereSerie shown red
    bool entryActive() const { return m_entryActive; }
    bool awaitingCall() const { return m_awaitingCall; }
    int shotIndex() const { return m_index; }
    int displayCycle() const { return m_displayCycle; }
    PointF lastPointer() const { return m_last; }
    PointF drawingPosition() const { return m_drawPos; }
    const QLocale& locale() const { return m_locale; }

    // Called after a shot was completed, with the 1-based series and shot numbers.
    void setShotEnteredHook(std::function<void()> hook) { m_shotEntered = std::move(hook); }

private:
    void resetDisplay();
    void applyMarkSize();
    void evaluate(int slot);
    void fixCall(int slot);
    void fixHit(int slot, float x, float y);
    void stepDisplayCycle();
    void setCaptionFor(int slot, bool awaitingCall);
    SeriesRecord& record() { return m_store[m_selected]; }

    QLocale m_locale;
    TargetFace m_face;
    RatingOptions m_options;
    std::array<Mark, kShotsPerSeries> m_hits{};
    std::array<Mark, kShotsPerSeries> m_calls{};
    std::array<LineF, kShotsPerSeries> m_lines{};
    std::array<bool, kShotsPerSeries> m_placed{}; // slot shows a complete shot
    QStringList m_shotList;
    QStringList m_valueList;
    SeriesSums m_sums;
    RatingFigures m_rating;
    QString m_caption;
    QStringList m_seriesList;
    int m_selected = 1;
    SeriesStore m_store;

    int m_index = 0;
    bool m_awaitingCall = true;
    bool m_entryActive = true;
    bool m_rightButton = false;
    bool m_nextSeriesRed = false;
    int m_displayCycle = 0;
    PointF m_last{};
    PointF m_drawPos{};
    std::function<void()> m_shotEntered;
};

} // namespace ankerblick
