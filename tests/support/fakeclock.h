#pragma once

// A clock the test sets by hand.

#include "services/clock.h"

namespace ankerblick::test {

class FakeClock final : public Clock {
public:
    quint32 now = 0;
    // The date and time of day at now = 0.
    QDateTime start = QDateTime::currentDateTime();
    quint32 milliseconds() const override { return now; }
    QDateTime dateTime() const override { return start.addMSecs(now); }
    void advance(quint32 ms) { now += ms; }
};

} // namespace ankerblick::test
