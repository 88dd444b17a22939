#pragma once

// The clock of the running program.

#include "model/clock.h"

namespace ankerblick {

// The system's monotonic clock.
class SystemClock final : public Clock {
public:
    quint32 milliseconds() const override;
};

} // namespace ankerblick
