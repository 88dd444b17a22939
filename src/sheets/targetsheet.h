#pragma once

// The series session the two entry windows share, without their widgets:
// the target face, the ten hit marks of the displayed series, its lists and
// sums, the series store with the series list, the stopwatch and time texts,
// the comments and the series controls (next series, undo, new, score again,
// white marks). How shots are entered is the window's entry strategy: calls
// paired with their hits in the aim-point window, hits placed directly in the
// shot-entry window. Hits from every outside source come in through
// receiveHit, those of the pointer through its events; both go to the
// strategy, which works on the sheet as its EntryContext. The window's sheet
// (AimSheet, EntrySheet) owns the strategy.

#include "entrycontext.h"
#include "entrystrategy.h"
#include "files/seriesfile.h"
#include "model/marks.h"
#include "model/scoring.h"
#include "model/seriesrecord.h"
#include "model/targetface.h"
#include "seriesdocument.h"
#include "seriesscore.h"
#include "services/clock.h"
#include "shottimes.h"

#include <QCoreApplication>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

namespace ankerblick {

enum class MouseButton { None, Left, Right, Middle };

// A shot of the listed series: series from 1, slot from 0.
struct ShotPlace {
    int series = 1;
    int slot = 0;
    friend bool operator==(const ShotPlace&, const ShotPlace&) = default;
};

class TargetSheet : private EntryContext {
    Q_DECLARE_TR_FUNCTIONS(TargetSheet)
public:
    TargetSheet(const Clock& clock, const QLocale& locale);

    // The state to go back to when what followed could not be kept: the
    // series document (series, texts, times, edits) with the entry's own
    // state and what is shown of them. A snapshot goes back to the sheet
    // it was taken of.
    class Snapshot;
    Snapshot snapshot();
    void restore(const Snapshot& snapshot);

    // Start-up: series list "1", mark colours, the display reset and the "LP" face.
    void load();

    // Runs the discipline routine (0..5) with the shot diameter `calibreMm`
    // (the discipline's standard calibre without one) and shows the selected
    // series again, scored anew.
    void setDiscipline(int index, std::optional<double> calibreMm = std::nullopt);

    // Pointer events in drawing units.
    void mouseMove(float x, float y);
    void mousePress(MouseButton button);
    // A left release fixes the waiting mark at (x, y); a double-click is
    // nothing but its two clicks. A right release ends a drag over a
    // finished series and stores the shifted hits. False when the release
    // fixed nothing because a position does not fit the series record (the
    // series stays as it was) or the fixed hit cannot be scored.
    bool mouseRelease(MouseButton button, float x, float y);

    // A hit from a source outside the window (the electronic target, a
    // camera): into the newest series, or held for its call. False when it
    // could never be stored.
    bool receiveHit(const ArrivedHit& hit) { return entry().receiveHit(*this, hit); }
    // Such a source starts or stops delivering. Stopping places the hits
    // still waiting for their calls without a call and returns how many.
    int setExternalSource(bool active) { return entry().setExternalSource(*this, active); }
    bool externalSource() const { return entry().externalSource(); }

    // Series controls.
    void selectSeries(int number); // SerienListe: shows series `number` (1-based)
    // Shows the newest series, unless it is shown: the electronic target's
    // shots belong to it, whatever the shooter looks at.
    void selectNewestSeries() override;
    // WeitereSerie; false, changing nothing, when kMaxSeries series are listed.
    bool nextSeries() override;
    // The shot of a listed series whose hit lies nearest `at`, less than
    // `reach` drawing units from it; of the newest series first.
    std::optional<ShotPlace> hitNear(PointF at, float reach) const;
    // The shooter corrects an entered hit: moved onto `to` (drawing units)
    // or, without it, taken out (see hitcorrection.h). Its series is shown.
    // "Rückgängig" takes it back while the series stays as it left it.
    // Returns why the hit cannot be corrected now, or nothing when it was.
    QString correctHit(ShotPlace place, std::optional<PointF> to);
    // Undo ("Rückgängig"): takes back the last edit of the newest series,
    // as far as the entry lets it (see EntryStrategy::mayTakeBack), or the
    // last correction of the series shown.
    void undo();
    bool canUndo() const;
    void newSession();           // Neu
    void recompute() override;   // NeuBerechnen: scores the placed shots again
    void highlightShot(int row); // SchussListe: white border on that shot's mark
    void clearHighlight();       // leaving SchussListe
    int highlightedRow() const { return m_shown.highlightRow; } // -1: none
    void toggleWhiteShots();                                    // WeisseSchüsse
    // A comment the shooter typed, on the selected series after its listed
    // shots; it never changes a score.
    void addComment(const QString& text);
    // The match's program, before the first shot of series 1.
    void addProgramMark(const QString& program); // Kommentar
    // A calling training's goal, the same way.
    void addCallingGoalMark(CallingGoal goal);

    // Everything a series file holds: the listed series, comments and times.
    SeriesFileContent fileContent() const;
    // Replaces all series and texts with those read from a file and shows the
    // last series.
    void loadFileContent(const SeriesFileContent& content);
    // Whether series were changed since they were last saved or loaded:
    // shots entered, shifted or taken back, comments added.
    bool modifiedSinceSave() const { return m_doc.modified(); }
    // A successful save.
    void markSaved() { m_doc.setModified(false); }
    // Series brought back from the diary, never saved to a file.
    void markRestored() { m_doc.setModified(true); }

    // How many shots a series holds: ten, or five for the timed pistol series.
    int seriesLength() const { return m_doc.seriesLength(); }
    void setSeriesLength(int shots);

    // Sighting shots: while sighting, every new series is a sighting
    // series, noted "Probe" in the comments before its first shot; its
    // values are listed but never added to the sums.
    void setSighting(bool on);
    bool sighting() const { return m_doc.sighting(); }
    bool isSighterSeries(int number) const;
    // A hit from outside is a sighter, or not, by its device's word: when
    // the newest series is of the other kind it is ended (unless empty) and
    // the next is of the hit's kind. Nothing while a match keeps its own
    // sighting rules or a shot waits for its hit or call.
    void followSighter(bool sighter);
    // The time limit (clock milliseconds): a shot entered after it is noted
    // "nach Zeit" in the comments and scored 0. With arrivalsOnly only hits
    // that carry their arrival time (from a source outside) are held to it.
    void setDeadline(std::optional<quint32> deadline, bool arrivalsOnly = false);
    bool isLate(int series, int slot) const;
    // The match's rules for a series: its length, sighting and late shots.
    SeriesRules rulesOf(int series) const;
    // The match program the comments name; empty for a free training.
    QString matchProgram() const { return matchProgramOf(m_doc.comments()); }
    // A calling training's goal; none for another training.
    std::optional<CallingGoal> callingGoal() const { return callingGoalOf(m_doc.comments()); }
    // What the diary keeps as the training's program: the match's, or the
    // calling training's goal.
    QString programName() const;
    // Shot times measured from a start signal instead of the stopwatch.
    void setStartSignal(std::optional<quint32> at) { m_doc.times().setStartSignal(at); }

    // Stopwatch; stop returns the caption of the stop button.
    void startStopwatch() { m_doc.times().start(m_clock->milliseconds()); }
    QString stopStopwatch() { return m_doc.times().stop(m_clock->milliseconds()); }

    // State for the window.
    const TargetFace& face() const override { return m_face; }
    const std::array<Mark, kShotsPerSeries>& hits() const { return m_shown.hits; }
    // The lists and sums as the window shows them, made from the numbers below.
    QStringList shotList() const;  // shot numbers
    QStringList valueList() const; // values
    SeriesSumTexts sums() const { return m_shown.sums.texts(m_locale); }
    // The numbers: the slot (0..9) of every listed shot, the value of every
    // scored one, the sums.
    const QList<int>& listedSlots() const { return m_shown.listedSlots; }
    const QList<double>& values() const { return m_shown.values; }
    // The inner tens among the scored hits of the displayed series, and of
    // all listed series (a series that keeps its hits hidden counts none).
    int innerTens() const;
    int allInnerTens() const;
    // The first shown shot too far off the target to be scored, or with a
    // call too far off to be rated; the shots after it are neither listed
    // nor scored.
    std::optional<int> unscorableSlot() const { return m_shown.unscorable; }
    const QString& caption() const { return m_shown.caption; }
    const QStringList& seriesList() const { return m_shown.seriesList; }
    int seriesCount() const { return m_doc.seriesCount(); }
    int selectedSeries() const { return m_shown.selected; }
    bool lastSeriesSelected() const override { return m_shown.selected == seriesCount(); }
    const SeriesStore& store() const { return m_doc.store(); }
    const SeriesDocument& document() const override { return m_doc; }
    bool nextSeriesSignal() const { return m_shown.nextSeriesRed; }
    bool undoEnabled() const { return m_shown.undoEnabled; }
    bool recomputeEnabled() const { return m_shown.recomputeEnabled; }
    // The comments as the series file writes them, and as data.
    QString comments() const { return commentsText(m_doc.comments()); }
    // The comments as the window shows them.
    QString shownComments() const { return ankerblick::shownComments(m_doc.comments()); }
    const QList<ShotNote>& commentNotes() const { return m_doc.comments(); }
    // Comments and times: what the diary keeps of each shot besides its marks.
    ShotNotes notes() const {
        return {m_doc.comments(), m_doc.times().shotTimeNotes(), m_doc.times().shootingTimeNotes()};
    }
    const ShotTimes& times() const { return m_doc.times(); }
    const QLocale& locale() const { return m_locale; }
    quint32 now() const override { return m_clock->milliseconds(); }
    // Whether the displayed series still takes shots.
    bool accepting() const { return entry().accepting(); }
    // Whether the displayed series keeps its hits hidden for now, so that
    // no figure of them may be shown.
    bool concealsSelectedSeries() const { return entry().conceals(*this); }
    // The electronic target's hits that wait for their calls, oldest first,
    // where they will be drawn; none in a window that places every hit.
    QList<PointF> heldHits() const { return entry().heldHits(); }
    // Held hits brought back from the diary after the program stopped: they
    // are entered without a call into the newest series. Returns how many.
    int enterHeldHitsWithoutCall(const QList<PointF>& hits) {
        return entry().enterWithoutCall(*this, hits);
    }

    // The mark that follows the pointer while the series takes shots; none else.
    const Mark* waitingMark() { return accepting() ? &entry().waitingMark(*this) : nullptr; }
    // The displayed series' record.
    const SeriesRecord& record() const override { return m_doc.record(m_shown.selected); }
    // Where a mark can be placed for a pointer at (x, y).
    PointF placeable(float x, float y) const override;

protected:
    // Shows the selected series again from its record.
    void showSelectedSeries() override;

private:
    // The strategy the window's sheet owns.
    virtual EntryStrategy& entry() = 0;
    virtual const EntryStrategy& entry() const = 0;

    // What the entry strategy works with.
    Mark& hit(int slot) override { return m_shown.hits[size_t(slot)]; }
    bool isPlaced(int slot) const override { return m_shown.placed[size_t(slot)]; }
    void setPlaced(int slot, bool placed) override { m_shown.placed[size_t(slot)] = placed; }
    void edit(int slot, const SeriesRecord& changed, SeriesDocument::Undo undo) override;
    void listShot(int slot) override { m_shown.listedSlots.append(slot); }
    [[nodiscard]] bool score(int slot) override;
    void clearFigures() override;
    void setCaption(const QString& caption) override { m_shown.caption = caption; }
    void setNextSeriesSignal(bool on) override { m_shown.nextSeriesRed = on; }
    void setRecomputeEnabled(bool on) override { m_shown.recomputeEnabled = on; }
    void shotEntered(bool writeTimes, std::optional<quint32> at = std::nullopt,
                     HitCheck check = HitCheck::Sure,
                     std::optional<double> deviceValue = std::nullopt) override;
    void forgetLastShotTime() override { m_doc.times().forgetLastShot(); }
    void markModified() override { m_doc.setModified(true); }
    void followPointer() override { mouseMove(m_last.x, m_last.y); }

    void resetDisplay();
    // Whether a shot of `series` waits for its hit or its call.
    bool shotWaits(int series) const;
    // Series of ten, no sighting, no time limit: a new or loaded session.
    void endMatchRules();
    void applyMarkSize();
    void shiftHits(float dx, float dy);
    bool storeShift(SeriesRecord& record);
    bool storeShiftedHits();

    void listSeries();
    // The figures of the placed shots, made by scoreSeries from the record.
    void deriveFigures();

    // What is shown of the document: the marks, lists and sums of the
    // displayed series and the controls' state.
    struct Shown {
        std::array<Mark, kShotsPerSeries> hits{};
        std::array<Rgb, kShotsPerSeries> hitColours{};
        std::array<bool, kShotsPerSeries> placed{}; // slot shows an entered shot
        QList<int> listedSlots;                     // the shot list: slots in the order listed
        QList<double> values;                       // the value list
        QList<bool> innerTen;                       // per value: the hit is an inner ten
        SeriesSums sums;
        std::optional<int> unscorable;
        QString caption;
        QStringList seriesList;
        int selected = 1;
        bool nextSeriesRed = false;
        bool undoEnabled = true;
        bool recomputeEnabled = false;
        int highlighted = -1;  // slot with the white border
        int highlightRow = -1; // its row in the shot list
    };

    const Clock* m_clock;
    QLocale m_locale;
    SeriesDocument m_doc;
    Shown m_shown;
    TargetFace m_face;
    bool m_rightButton = false;
    bool m_shifted = false; // the right-drag moved the hits
    PointF m_last{};
};

class TargetSheet::Snapshot {
private:
    friend class TargetSheet;
    Snapshot(const SeriesDocument& document, std::function<void()> entry, const Shown& shown)
        : m_document(document), m_entry(std::move(entry)), m_shown(shown) {}
    SeriesDocument m_document;
    std::function<void()> m_entry; // brings the strategy back
    Shown m_shown;
};

} // namespace ankerblick
