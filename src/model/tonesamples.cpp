#include "tonesamples.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ankerblick::tone {

qsizetype sampleCount(int ms, int sampleRate) {
    if (ms <= 0 || sampleRate <= 0)
        return 0;
    return static_cast<qsizetype>((qint64(ms) * sampleRate + 500) / 1000);
}

std::vector<qint16> renderTone(int hz, int ms, int sampleRate) {
    const qsizetype n = sampleCount(ms, sampleRate);
    std::vector<qint16> samples(static_cast<size_t>(n), 0);
    if (hz <= 0 || qint64(hz) * 2 >= sampleRate)
        return samples;

    const qsizetype fade = std::min<qsizetype>(kFadeSamples, n / 2);
    const double step = 2.0 * std::numbers::pi * hz / sampleRate;
    for (qsizetype i = 0; i < n; ++i) {
        double gain = 1.0;
        const qsizetype edge = std::min(i, n - 1 - i);
        if (edge < fade)
            gain = 0.5 - 0.5 * std::cos(std::numbers::pi * double(edge) / double(fade));
        const double v = kAmplitude * gain * std::sin(step * double(i));
        samples[static_cast<size_t>(i)] = static_cast<qint16>(std::lround(v));
    }
    return samples;
}

std::vector<qint16> renderSignal(const QList<Tone>& signal, int sampleRate) {
    std::vector<qint16> samples;
    for (const Tone& t : signal) {
        const std::vector<qint16> one = renderTone(t.hz, t.ms, sampleRate);
        samples.insert(samples.end(), one.begin(), one.end());
    }
    return samples;
}

int lengthOf(const QList<Tone>& signal) {
    int ms = 0;
    for (const Tone& t : signal)
        ms += std::max(t.ms, 0);
    return ms;
}

} // namespace ankerblick::tone
