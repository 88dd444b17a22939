#pragma once

// The samples of one tone as the sound output plays it: a sine of the asked
// frequency and length, faded in and out over a few samples so that it does
// not click. A signal is a few such tones one after the other.

#include <QList>
#include <QtGlobal>

#include <vector>

namespace ankerblick::tone {

inline constexpr int kSampleRate = 44100;
// Samples of the raised-cosine ramp at each end of a tone (about 1.5 ms).
inline constexpr int kFadeSamples = 64;
// Peak value of a tone: half of full scale.
inline constexpr qint16 kAmplitude = 16384;

// One tone of a signal: a sine of hz hertz for ms milliseconds.
struct Tone {
    int hz = 0;
    int ms = 0;
    friend bool operator==(const Tone&, const Tone&) = default;
};

// Number of samples of a tone of ms milliseconds, rounded to the nearest
// sample; none for ms <= 0 or a rate <= 0.
qsizetype sampleCount(int ms, int sampleRate = kSampleRate);

// Signed 16-bit mono samples of a sine starting at phase 0. A frequency of 0
// or below, or one the rate cannot carry (half the rate or above), gives
// silence of the same length. Tones shorter than two ramps fade over half
// their length at each end.
std::vector<qint16> renderTone(int hz, int ms, int sampleRate = kSampleRate);

// The samples of a signal: its tones as renderTone gives them, joined without
// a gap into one continuous sound.
std::vector<qint16> renderSignal(const QList<Tone>& signal, int sampleRate = kSampleRate);

// The time a signal sounds in milliseconds; tones of no length count nothing.
int lengthOf(const QList<Tone>& signal);

} // namespace ankerblick::tone
