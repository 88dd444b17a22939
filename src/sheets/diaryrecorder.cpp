#include "diaryrecorder.h"

#include "services/clock.h"
#include "services/diary.h"
#include "sheets/diaryseries.h"
#include "sheets/targetsheet.h"

namespace ankerblick {

DiaryRecorder::DiaryRecorder(Diary& diary, const Clock& clock, const QString& window)
    : m_diary(diary), m_clock(clock), m_window(window) {}

void DiaryRecorder::takeAsWritten(const TargetSheet& sheet) {
    m_writtenSeries.clear();
    const SeriesStore& store = sheet.store();
    const int listed = int(sheet.seriesList().size());
    for (int n = 1; n <= listed && store.contains(n); ++n)
        m_writtenSeries.append(store[n]);
    m_writtenDiscipline = sheet.face().discipline();
    m_writtenNotes = sheet.notes();
}

namespace {

QList<ShotNote> notesOf(const QList<ShotNote>& notes, int series) {
    QList<ShotNote> of;
    for (const ShotNote& n : notes)
        if (n.series == series)
            of.append(n);
    return of;
}

// Whether what the window noted for series `n` differs between a and b.
bool notesDiffer(const ShotNotes& a, const ShotNotes& b, int n) {
    return notesOf(a.comments, n) != notesOf(b.comments, n) ||
           notesOf(a.shotTimes, n) != notesOf(b.shotTimes, n) ||
           notesOf(a.shootingTimes, n) != notesOf(b.shootingTimes, n);
}

} // namespace

bool DiaryRecorder::begin(const TargetSheet& sheet, const QString& shooter) {
    diary::Training t;
    t.shooter = shooter;
    t.discipline = sheet.face().discipline();
    t.calibreMm = sheet.face().calibreMm();
    t.program = sheet.programName();
    t.window = m_window;
    t.start = m_clock.dateTime();
    const std::optional<qint64> id = m_diary.beginTraining(t);
    if (!id)
        return false;
    t.id = *id;
    m_training = id;
    m_written = t;
    return true;
}

std::optional<QString> DiaryRecorder::syncOrWarn(const TargetSheet& sheet, const QString& shooter,
                                                 const RatingOptions* options) {
    if (sync(sheet, shooter, options) || m_warned)
        return std::nullopt;
    m_warned = true;
    return tr("%1 Die Eingabe geht weiter; bitte die Serien mit „Speichern“ sichern.")
        .arg(problem());
}

QString DiaryRecorder::problem() const {
    return m_diary.problem();
}

bool DiaryRecorder::sync(const TargetSheet& sheet, const QString& shooter,
                         const RatingOptions* options) {
    const bool kept = write(sheet, shooter, options);
    if (kept)
        m_warned = false;
    return kept;
}

bool DiaryRecorder::write(const TargetSheet& sheet, const QString& shooter,
                          const RatingOptions* options) {
    const SeriesStore& store = sheet.store();
    const int listed = int(sheet.seriesList().size());
    if (!m_training) {
        // A training begins with its first shot, or with a target hit that
        // waits for its call.
        bool any = !sheet.heldHits().isEmpty();
        for (int n = 1; n <= listed && store.contains(n) && !any; ++n)
            any = store[n].shotCount() > 0 &&
                  (n > m_writtenSeries.size() || !(m_writtenSeries.at(n - 1) == store[n]));
        // Series read from a file stay out of it unless they change.
        if (!any || !begin(sheet, shooter))
            return !any;
    }
    const diary::Training training = trainingNow(sheet, shooter);
    const QList<diary::Series> changed = changedSeries(sheet, options);
    if (changed.isEmpty() && m_writtenSeries.size() <= listed && training == m_written)
        return true;
    // The whole event in one transaction: a hit moving from the held ones
    // into its series is never in both, nor in neither.
    if (!m_diary.recordChanges(training, changed, listed))
        return false;
    m_written = training;
    takeAsWritten(sheet);
    return true;
}

diary::Training DiaryRecorder::trainingNow(const TargetSheet& sheet, const QString& shooter) const {
    diary::Training t = m_written;
    t.shooter = shooter;
    t.discipline = sheet.face().discipline();
    t.calibreMm = sheet.face().calibreMm();
    t.program = sheet.programName();
    t.comments = sheet.comments();
    t.shotTimes = sheet.times().shotTimesText();
    t.shootingTimes = sheet.times().shootingTimesText();
    t.heldHits = sheet.heldHits();
    return t;
}

QList<diary::Series> DiaryRecorder::changedSeries(const TargetSheet& sheet,
                                                  const RatingOptions* options) const {
    const SeriesStore& store = sheet.store();
    const int listed = int(sheet.seriesList().size());
    const bool rewriteAll = sheet.face().discipline() != m_writtenDiscipline;
    const ShotNotes notes = sheet.notes();
    const bool textsChanged = notes != m_writtenNotes;
    const QDateTime now = m_clock.dateTime();
    QList<diary::Series> changed;
    for (int n = 1; n <= listed && store.contains(n); ++n) {
        // A series changes with its record and with what was noted for it,
        // which may be an older series than the newest.
        if (n <= m_writtenSeries.size() && m_writtenSeries.at(n - 1) == store[n] && !rewriteAll &&
            !(textsChanged && notesDiffer(notes, m_writtenNotes, n)))
            continue;
        changed.append(diary::diarySeries(store[n], n, sheet.face(), options, notes, now));
    }
    return changed;
}

void DiaryRecorder::startOver(const TargetSheet& sheet) {
    finish();
    takeAsWritten(sheet);
}

void DiaryRecorder::resume(const diary::Training& training, const TargetSheet& sheet) {
    m_training = training.id;
    m_written = training;
    takeAsWritten(sheet);
}

void DiaryRecorder::finish() {
    if (!m_training)
        return;
    diary::Training t = m_written;
    t.end = m_clock.dateTime();
    // Should it fail, the training counts as unfinished and is offered again.
    m_diary.updateTraining(t);
    m_training.reset();
    m_written = diary::Training{};
}

} // namespace ankerblick
