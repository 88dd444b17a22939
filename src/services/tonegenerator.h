#pragma once

// Tones go through this interface, so that windows that beep can be driven by
// tests that record the tones instead of playing them.

#include "model/tonesamples.h"

#include <QList>
#include <QString>

namespace ankerblick {

// The shooter's message when tones cannot be played.
QString noSoundOutputMessage();

class ToneGenerator {
public:
    virtual ~ToneGenerator() = default;

    // Sounds the signal, its tones one after the other as one continuous
    // sound, behind any signal still sounding, and returns at once. The
    // signal is due at the call: one that cannot start within 50 ms of it
    // (the sound output slow to open, signals before it still sounding) is
    // left out rather than sounded late. Without sound output the signal is
    // left out as well.
    virtual void play(const QList<tone::Tone>& signal) = 0;

    // Opens the sound output now, so that the first signal need not wait for
    // it, and returns at once.
    virtual void prepare() {}

    // True once, after the first signal that found no sound output, so that
    // the caller can tell the shooter; false before and every time after.
    virtual bool takeNoOutputNotice() { return false; }
};

} // namespace ankerblick
