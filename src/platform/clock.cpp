#include "clock.h"

#include <ctime>

namespace ankerblick {

quint32 SystemClock::milliseconds() const {
    timespec ts{};
#ifdef CLOCK_BOOTTIME
    clock_gettime(CLOCK_BOOTTIME, &ts);
#else
    clock_gettime(CLOCK_MONOTONIC, &ts);
#endif
    const quint64 ms = quint64(ts.tv_sec) * 1000u + quint64(ts.tv_nsec) / 1000000u;
    return quint32(ms); // wraps like the system's 32-bit tick counter
}

QDateTime SystemClock::dateTime() const {
    return QDateTime::currentDateTime();
}

const Clock& systemClock() {
    static const SystemClock clock;
    return clock;
}

} // namespace ankerblick
