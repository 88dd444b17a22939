#pragma once

// Tones recorded instead of played.

#include "platform/tonegenerator.h"

#include <QList>
#include <QPair>

namespace ankerblick::test {

class RecordedTones final : public ToneGenerator {
public:
    QList<QPair<int, int>> played; // frequency, milliseconds
    void beep(int hz, int ms) override { played.append({hz, ms}); }
};

} // namespace ankerblick::test
