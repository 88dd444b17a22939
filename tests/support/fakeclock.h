#pragma once

// A clock the test sets by hand.

#include "model/clock.h"

namespace ankerblick::test {

class FakeClock final : public Clock {
public:
    quint32 now = 0;
    quint32 milliseconds() const override { return now; }
    void advance(quint32 ms) { now += ms; }
};

} // namespace ankerblick::test
