#include "shottimes.h"

#include "model/numeric.h"

#include <QCoreApplication>

namespace ankerblick {

void ShotTimes::start(quint32 now) {
    m_watchStart = now;
}

QString ShotTimes::stop(quint32 now) {
    // Unsigned difference: correct across a wrap of the 32-bit counter.
    const quint32 elapsed = now - m_watchStart;
    const quint32 tenths = elapsed / 100u;
    m_stopped = qint16(qMin<quint32>(tenths, 32767u));
    return QCoreApplication::translate("ankerblick::ShotTimes", "Stop %1 s")
        .arg(num::formatNumber(m_stopped / 10.0, m_locale));
}

QString ShotTimes::line(int series, int shot, double seconds, const QLocale& locale) {
    return timeLine(series, shot, seconds, locale);
}

void ShotTimes::shotEntered(quint32 now, int series, int shot, bool writeLines, bool arrived) {
    // In a timed series every hit that came with its time takes it from the
    // start signal.
    if (m_startSignal && arrived) {
        const quint32 tenths = qMin<quint32>((now - *m_startSignal) / 100u, 32767u);
        m_shotTimes.append({series, shot, double(tenths) / 10.0, {}, {}});
    }
    if (writeLines) {
        if (!m_startSignal && m_stopped > 0) {
            m_shotTimes.append({series, shot, m_stopped / 10.0, {}, {}});
            m_stopped = 0;
        }
        if (m_lastShot) {
            const quint32 tenths = (now - *m_lastShot) / 100u;
            m_shootingTimes.append({series, shot, double(tenths) / 10.0, {}, {}});
        }
    }
    m_lastShot = now;
}

void ShotTimes::setTexts(const QString& shotTimes, const QString& shootingTimes) {
    m_shotTimes = timesFromText(shotTimes, num::fileLocale());
    m_shootingTimes = timesFromText(shootingTimes, num::fileLocale());
    m_lastShot.reset();
}

void ShotTimes::clearTexts() {
    m_shotTimes.clear();
    m_shootingTimes.clear();
    m_lastShot.reset();
}

} // namespace ankerblick
