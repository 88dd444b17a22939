#pragma once

// The stopwatch and the two per-shot time texts of a target window: the shot
// time stopped by hand, which the next entered shot takes, and the shooting
// time from one entered shot to the next.

#include "files/shotnotes.h"
#include "model/numeric.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace ankerblick {

class ShotTimes {
public:
    explicit ShotTimes(const QLocale& locale = QLocale()) : m_locale(locale) {}

    void start(quint32 now);
    // Stops the watch and returns the caption of the stop button ("Stop 8,4 s").
    // Times beyond 3276,7 s are kept at that value.
    QString stop(quint32 now);

    // A shot was entered as shot `shot` of series `series`. With writeLines the
    // pending shot time and the shooting time since the shot before are
    // written (none for the first shot: nothing to measure from); the clock
    // of the last shot is taken in any case.
    // `arrived`: the shot came with the time it arrived (from a source outside).
    void shotEntered(quint32 now, int series, int shot, bool writeLines = true,
                     bool arrived = false);

    // The times as data, and as the series file writes them.
    const QList<ShotNote>& shotTimeNotes() const { return m_shotTimes; }
    const QList<ShotNote>& shootingTimeNotes() const { return m_shootingTimes; }
    QString shotTimesText() const {
        return timesText(m_shotTimes, num::fileLocale());
    } // "$Schusszeiten$"
    QString shootingTimesText() const {
        return timesText(m_shootingTimes, num::fileLocale());
    } // "$Schiesszeiten$"
    // New texts ("Laden", a recovery) or none ("Neu"): the next shot is a first shot.
    void setTexts(const QString& shotTimes, const QString& shootingTimes);
    void clearTexts();
    // The time notes of `notes` (a hit corrected or its correction taken back).
    void setNotes(const ShotNotes& notes) {
        m_shotTimes = notes.shotTimes;
        m_shootingTimes = notes.shootingTimes;
    }
    // The next shot measures from nothing (shots entered without a time of their own).
    void forgetLastShot() { m_lastShot.reset(); }

    // Shot times from this start signal on (a timed series) instead of the
    // stopwatch; none: the stopwatch again.
    void setStartSignal(std::optional<quint32> at) { m_startSignal = at; }

    // One line of a time text: "Serie:2 Schuss:7: 8,4" followed by CR LF.
    static QString line(int series, int shot, double seconds, const QLocale& locale);

private:
    QLocale m_locale;
    quint32 m_watchStart = 0;
    qint16 m_stopped = 0;              // tenths of a second, 0 = none pending
    std::optional<quint32> m_lastShot; // none before the first shot
    std::optional<quint32> m_startSignal;
    QList<ShotNote> m_shotTimes;
    QList<ShotNote> m_shootingTimes;
};

} // namespace ankerblick
