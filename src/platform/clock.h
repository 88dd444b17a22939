#pragma once

// The clock of the running program.

#include "services/clock.h"

namespace ankerblick {

// The system's monotonic clock.
class SystemClock final : public Clock {
public:
    quint32 milliseconds() const override;
    QDateTime dateTime() const override;
};

// The one system clock, for what is built without the services at hand.
const Clock& systemClock();

} // namespace ankerblick
