#pragma once

// The series of a target window as one copyable value: the series store and
// how many series are listed, the comments (the match's marks among them,
// as data), the shot times, the rules the series are entered by (length,
// sighting, time limit) and whether anything changed since the last save.
// The entry changes the shots by edits of one slot each; the edits that may
// be taken back are kept, newest last, so that "Rückgängig" reverts them.

#include "files/shotnotes.h"
#include "hitcorrection.h"
#include "model/seriesrecord.h"
#include "shottimes.h"

#include <QList>
#include <QLocale>

#include <array>
#include <optional>

namespace ankerblick {

// Everything a series record holds of one slot.
struct SlotContent {
    std::array<qint16, 8> columns{}; // hit left, top, call left, top, line x1, y1, x2, y2
    std::optional<PointF> hitCentre;
    std::optional<PointF> callCentre;

    static SlotContent of(const SeriesRecord& record, int slot);
    void writeTo(SeriesRecord& record, int slot) const;
    friend bool operator==(const SlotContent&, const SlotContent&) = default;
};

// One change of one slot of a series: a call fixed, a hit fixed to its call,
// a hit placed. `before` and `after` are what the slot held. A correction of
// an entered hit changes the whole series and its notes instead.
struct SeriesEdit {
    int series = 1;
    int slot = 0;
    SlotContent before;
    SlotContent after;
    std::optional<SeriesCorrection> correction;
    friend bool operator==(const SeriesEdit&, const SeriesEdit&) = default;
};

class SeriesDocument {
public:
    explicit SeriesDocument(const QLocale& locale = QLocale()) : m_times(locale) {}

    // How an edit is kept for "Rückgängig".
    enum class Undo {
        Never, // a hit reported from outside: never taken back
        Step,  // a step of its own
        Join,  // joins the last kept edit when that changed the same slot
    };

    // Series 1..seriesCount() are listed.
    const SeriesStore& store() const { return m_store; }
    const SeriesRecord& record(int series) const { return m_store[series]; }
    int seriesCount() const { return m_seriesCount; }
    // One empty series 1, no comments, no times, no edits to take back.
    void clear();
    // Ends the newest series as `finished` holds it (what waited for the
    // pointer left behind) and lists a further, empty series after it,
    // noted "Probe" while sighting. False, changing nothing, when
    // kMaxSeries series are listed.
    bool startNextSeries(const SeriesRecord& finished);
    // Replaces the store with `count` listed series (a file, the diary).
    void replaceSeries(const SeriesStore& store, int count);
    // A change of the series that is no edit to take back: hits shifted
    // together, a waiting call left behind, marks of another size.
    void replaceRecord(int series, const SeriesRecord& record);
    void placeMarks(float markDiameter);

    // Writes `edit.after` into its slot.
    void apply(const SeriesEdit& edit, Undo undo);
    // The last edit that may be taken back, if any, and all of them, oldest first.
    std::optional<SeriesEdit> lastEdit() const;
    const QList<SeriesEdit>& keptEdits() const { return m_edits; }
    // Takes back the last edit: its slot holds what it held before, and a
    // note that the shot came after the time goes with it.
    void revertLastEdit();

    const QList<ShotNote>& comments() const { return m_comments; }
    void setComments(const QList<ShotNote>& comments) { m_comments = comments; }
    void addNote(const ShotNote& note);
    // Drops the mark `text` noted on shot `shot` of series `series`.
    void forgetMark(int series, int shot, const QString& text);

    // The comments and times together, as a correction changes them.
    ShotNotes notes() const {
        return {m_comments, m_times.shotTimeNotes(), m_times.shootingTimeNotes()};
    }

    ShotTimes& times() { return m_times; }
    const ShotTimes& times() const { return m_times; }

    bool modified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    // The rules of a free training: series of ten, no sighting, no time limit.
    void endMatchRules();
    int seriesLength() const { return m_seriesLength; }
    void setSeriesLength(int shots) { m_seriesLength = shots; }
    bool sighting() const { return m_sighting; }
    void setSighting(bool on) { m_sighting = on; }
    const std::optional<quint32>& deadline() const { return m_deadline; }
    bool deadlineArrivalsOnly() const { return m_deadlineArrivalsOnly; }
    void setDeadline(std::optional<quint32> deadline, bool arrivalsOnly) {
        m_deadline = deadline;
        m_deadlineArrivalsOnly = arrivalsOnly;
    }

private:
    SeriesStore m_store;
    int m_seriesCount = 1;
    QList<SeriesEdit> m_edits; // those that may be taken back, newest last
    QList<ShotNote> m_comments;
    ShotTimes m_times;
    bool m_modified = false;
    int m_seriesLength = kShotsPerSeries;
    bool m_sighting = false;
    std::optional<quint32> m_deadline;
    bool m_deadlineArrivalsOnly = false;
};

} // namespace ankerblick
