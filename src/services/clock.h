#pragma once

// The program's clock: the milliseconds the stopwatch and shot times read
// (since the system started, as a 32-bit counter that wraps around), and the
// local date and time of day the diary, file names and printouts take.

#include <QDateTime>
#include <QtGlobal>

namespace ankerblick {

class Clock {
public:
    virtual ~Clock() = default;
    virtual quint32 milliseconds() const = 0;
    virtual QDateTime dateTime() const = 0;
    QDate date() const { return dateTime().date(); }
};

} // namespace ankerblick
