#pragma once

// Keeps a target window's series in the training diary as they are entered:
// after every command that changes a series, the series that changed since
// the last write, the training's notes and the target's hits still waiting
// for their calls are written, in one transaction, so that a closed window, a crash or a forgotten
// save loses nothing. A training begins with the first shot and ends when the window is closed for
// good; one that never ended is offered again at the next start.

#include "files/shotnotes.h"
#include "model/diaryrecords.h"
#include "model/seriesrecord.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <optional>

namespace ankerblick {

class Clock;
class Diary;
class TargetSheet;
struct RatingOptions;

class DiaryRecorder {
    Q_DECLARE_TR_FUNCTIONS(DiaryRecorder)
public:
    // `window`: the object name of the window whose series are kept.
    DiaryRecorder(Diary& diary, const Clock& clock, const QString& window);

    // Brings the diary in line with the sheet: writes the series that
    // changed, drops those no longer listed, and the window's texts. False
    // when a write failed (Diary::problem says why); the next call tries
    // again what is still unwritten.
    bool sync(const TargetSheet& sheet, const QString& shooter, const RatingOptions* options);
    // The same for a change the shooter made, which stays in the window when
    // the diary refuses it: what to tell the shooter, once for a run of
    // refusals; nothing while the diary keeps up or the shooter was told.
    std::optional<QString> syncOrWarn(const TargetSheet& sheet, const QString& shooter,
                                      const RatingOptions* options);
    // Why the last write failed, for the shooter.
    QString problem() const;
    // The window's series were replaced ("Neu", "Laden"): the training so far
    // ends, and the next one keeps only what is entered from now on.
    void startOver(const TargetSheet& sheet);
    // Goes on with a stored training whose series the sheet now shows.
    void resume(const diary::Training& training, const TargetSheet& sheet);
    // The window closes for good: the training ends.
    void finish();

    std::optional<qint64> trainingId() const { return m_training; }

private:
    bool write(const TargetSheet& sheet, const QString& shooter, const RatingOptions* options);
    void takeAsWritten(const TargetSheet& sheet);
    bool begin(const TargetSheet& sheet, const QString& shooter);
    // The training as the sheet has it now, and the series that changed
    // since they were last written.
    diary::Training trainingNow(const TargetSheet& sheet, const QString& shooter) const;
    QList<diary::Series> changedSeries(const TargetSheet& sheet,
                                       const RatingOptions* options) const;

    Diary& m_diary;
    const Clock& m_clock;
    QString m_window;
    std::optional<qint64> m_training;
    bool m_warned = false;               // the last write failed and the shooter was told
    diary::Training m_written;           // the training as last written
    QList<SeriesRecord> m_writtenSeries; // series n at n - 1, as last written
    int m_writtenDiscipline = -1;
    ShotNotes m_writtenNotes; // what the window had noted, as last written
};

} // namespace ankerblick
