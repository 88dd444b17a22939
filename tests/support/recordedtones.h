#pragma once

// Tones recorded instead of played.

#include "platform/tonegenerator.h"

#include <QList>
#include <QPair>

#include <utility>

namespace ankerblick::test {

class RecordedTones final : public ToneGenerator {
public:
    QList<QPair<int, int>> played; // frequency, milliseconds
    int prepared = 0;              // times the output was opened ahead
    bool noOutput = false;         // the notice a missing output gives, once
    void play(const QList<tone::Tone>& signal) override {
        for (const tone::Tone& t : signal)
            played.append({t.hz, t.ms});
    }
    void prepare() override { ++prepared; }
    bool takeNoOutputNotice() override { return std::exchange(noOutput, false); }
};

} // namespace ankerblick::test
