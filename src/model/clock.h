#pragma once

// The millisecond clock the stopwatch and shot times read: milliseconds since
// the system started, as a 32-bit counter that wraps around.

#include <QtGlobal>

namespace ankerblick {

class Clock {
public:
    virtual ~Clock() = default;
    virtual quint32 milliseconds() const = 0;
};

} // namespace ankerblick
