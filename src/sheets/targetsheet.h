#pragma once

// What the two entry windows share, without their widgets: the target face,
// the ten hit marks of the displayed series, its lists and sums, the series
// store with the series list, the stopwatch and time texts, the comments and
// the series controls (next series, undo, new, score again, white marks).
// The aim-point window adds calls, lines and the call rating; the shot-entry
// window takes hits only.

#include "files/seriesfile.h"
#include "model/clock.h"
#include "model/marks.h"
#include "model/scoring.h"
#include "model/seriesrecord.h"
#include "model/targetface.h"
#include "shottimes.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <QList>

#include <array>
#include <optional>

namespace ankerblick {

enum class MouseButton { None, Left, Right, Middle };

class TargetSheet {
public:
    TargetSheet(const Clock& clock, const QLocale& locale);
    virtual ~TargetSheet() = default;
    // A copy keeps the state to go back to when what followed could not be kept.
    TargetSheet(const TargetSheet&) = default;
    TargetSheet& operator=(const TargetSheet&) = default;

    // Start-up: series list "1", mark colours, the display reset and the "LP" face.
    void load();

    // Runs the discipline routine (0..3) and shows the selected series again.
    void setDiscipline(int index);

    // Pointer events in drawing units.
    void mouseMove(float x, float y);
    void mousePress(MouseButton button);
    // A left release fixes the waiting mark at (x, y); a double-click is
    // nothing but its two clicks. A right release ends a drag over a
    // finished series and stores the shifted hits. False when the release
    // fixed nothing because a position does not fit the series record (the
    // series stays as it was) or the fixed hit cannot be scored.
    bool mouseRelease(MouseButton button, float x, float y);

    // Series controls.
    void selectSeries(int number); // SerienListe: shows series `number` (1-based)
    // Shows the newest series, unless it is shown: the electronic target's
    // shots belong to it, whatever the shooter looks at.
    void selectNewestSeries();
    // WeitereSerie; false, changing nothing, when kMaxSeries series are listed.
    bool nextSeries();
    virtual void undo() = 0;     // Undo ("Rückgängig")
    void newSession();           // Neu
    void recompute();            // NeuBerechnen: scores the placed shots again
    void highlightShot(int row); // SchussListe: white border on that shot's mark
    void clearHighlight();       // leaving SchussListe
    int highlightedRow() const { return m_highlightRow; } // -1: none
    void toggleWhiteShots();                              // WeisseSchüsse
    void addComment(const QString& text);                 // Kommentar

    // Everything a series file holds: the listed series, comments and times.
    SeriesFileContent fileContent() const;
    // Replaces all series and texts with those read from a file and shows the
    // last series.
    void loadFileContent(const SeriesFileContent& content);
    // Whether series were changed since they were last saved or loaded:
    // shots entered, shifted or taken back, comments added.
    bool modifiedSinceSave() const { return m_modified; }
    // A successful save.
    void markSaved() { m_modified = false; }
    // Series brought back from the diary, never saved to a file.
    void markRestored() { m_modified = true; }

    // Stopwatch; stop returns the caption of the stop button.
    void startStopwatch() { m_times.start(m_clock->milliseconds()); }
    QString stopStopwatch() { return m_times.stop(m_clock->milliseconds()); }

    // State for the window.
    const TargetFace& face() const { return m_face; }
    const std::array<Mark, kShotsPerSeries>& hits() const { return m_hits; }
    // The lists and sums as the window shows them, made from the numbers below.
    QStringList shotList() const;  // shot numbers
    QStringList valueList() const; // values
    SeriesSumTexts sums() const { return m_sums.texts(m_locale); }
    // The numbers: the slot (0..9) of every listed shot, the value of every
    // scored one, the sums.
    const QList<int>& listedSlots() const { return m_listedSlots; }
    const QList<double>& values() const { return m_values; }
    const SeriesSums& sumValues() const { return m_sums; }
    // The first shown shot too far off the target to be scored, or with a
    // call too far off to be rated; the shots after it are neither listed
    // nor scored.
    std::optional<int> unscorableSlot() const { return m_unscorable; }
    const QString& caption() const { return m_caption; }
    const QStringList& seriesList() const { return m_seriesList; }
    int selectedSeries() const { return m_selected; }
    bool lastSeriesSelected() const { return m_selected == int(m_seriesList.size()); }
    const SeriesStore& store() const { return m_store; }
    bool nextSeriesSignal() const { return m_nextSeriesRed; }
    bool undoEnabled() const { return m_undoEnabled; }
    bool recomputeEnabled() const { return m_recomputeEnabled; }
    int shotIndex() const { return m_index; }
    PointF lastPointer() const { return m_last; }
    const QString& comments() const { return m_comments; }
    const ShotTimes& times() const { return m_times; }
    const QLocale& locale() const { return m_locale; }
    // Whether the displayed series still takes shots.
    virtual bool accepting() const = 0;
    // Whether the displayed series keeps its hits hidden for now, so that
    // no figure of them may be shown.
    virtual bool concealsSelectedSeries() const { return false; }
    // The electronic target's hits that wait for their calls, oldest first,
    // where they will be drawn; none in a window that places every hit.
    virtual QList<PointF> heldHits() const { return {}; }
    // Held hits brought back from the diary after the program stopped: they
    // are entered without a call into the newest series. Returns how many.
    virtual int enterHeldHitsWithoutCall(const QList<PointF>&) { return 0; }

protected:
    // Hooks of the two windows.
    virtual void resetEntry() = 0;                               // entry state of an empty series
    virtual void loadSlot(int slot, const SeriesRecord& record); // shows a stored shot
    virtual void resumeEntry(const SeriesRecord& record, int nextSlot) = 0;
    // Scores a placed shot into the lists; false when it cannot be scored.
    virtual bool scoreSlot(int slot);
    virtual void clearFigures();                // empties lists and sums
    virtual Mark& waitingMark() = 0;            // the mark that follows the pointer
    virtual void shiftHits(float dx, float dy); // right-drag over a finished series
    // Writes the shifted marks of the placed shots into the record and shows
    // them at the whole units it holds; false when a position does not fit it.
    virtual bool storeShift(SeriesRecord& record);
    // A release that is not the right button; false when it fixed nothing.
    virtual bool releaseAt(float x, float y) = 0;
    virtual void forgetPendingEntry(SeriesRecord& record) { (void)record; }
    virtual void clearExtras() {} // further texts emptied by Neu

    void resetDisplay();
    void showSelectedSeries();
    void applyMarkSize();
    // Where a mark can be placed for a pointer at (x, y).
    static PointF placeable(float x, float y);
    // Fixes a mark where it stands, in whole units as the record holds it,
    // and remembers its centre; false, changing nothing, when the position
    // does not fit the record.
    [[nodiscard]] static bool fixMark(Mark& mark, int slot, SeriesRecord::Column& left,
                                      SeriesRecord::Column& top, SeriesRecord::Centres& centres);
    void listShot(int slot) { m_listedSlots.append(slot); }
    // Scores a placed shot; one that cannot be scored is remembered as unscorable.
    [[nodiscard]] bool score(int slot);
    void takeBackLastListed();
    // A shot was entered; `at` is when it came (now, when not given).
    void shotEntered(bool writeTimes, std::optional<quint32> at = std::nullopt);
    bool storeShiftedHits();
    SeriesRecord& record() { return m_store[m_selected]; }
    static QString shotCaption(int number, const QString& suffix);
    void markModified() { m_modified = true; }

    const Clock* m_clock;
    QLocale m_locale;
    TargetFace m_face;
    std::array<Mark, kShotsPerSeries> m_hits{};
    std::array<Rgb, kShotsPerSeries> m_hitColours{};
    std::array<bool, kShotsPerSeries> m_placed{}; // slot shows an entered shot
    QList<int> m_listedSlots;                     // the shot list: slots in the order listed
    QList<double> m_values;                       // the value list
    SeriesSums m_sums;
    std::optional<int> m_unscorable;
    QString m_caption;
    QStringList m_seriesList;
    int m_selected = 1;
    SeriesStore m_store;
    bool m_nextSeriesRed = false;
    bool m_undoEnabled = true;
    bool m_recomputeEnabled = false;
    int m_highlighted = -1;  // slot with the white border
    int m_highlightRow = -1; // its row in the shot list
    int m_index = 0;
    bool m_rightButton = false;
    bool m_shifted = false; // the right-drag moved the hits
    PointF m_last{};
    QString m_comments;
    ShotTimes m_times;
    bool m_modified = false;
};

} // namespace ankerblick
