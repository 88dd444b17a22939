#pragma once

// Tones recorded instead of played.

#include "platform/tonegenerator.h"

#include <QList>
#include <QPair>

namespace ankerblick::test {

class RecordedTones final : public ToneGenerator {
public:
    QList<QPair<int, int>> played; // frequency, milliseconds
    void play(const QList<tone::Tone>& signal) override {
        for (const tone::Tone& t : signal)
            played.append({t.hz, t.ms});
    }
};

} // namespace ankerblick::test
