#include "tonegenerator.h"

#include "tonesamples.h"

#include <pulse/simple.h>

#include <thread>

namespace ankerblick {

namespace {

constexpr auto kRetryAfter = std::chrono::seconds(10);
// Target buffer of the stream: small, so that a tone starts promptly.
constexpr int kBufferMs = 40;
// A reported output latency above this is not trusted.
constexpr pa_usec_t kMaxLatency = 2'000'000;

} // namespace

QString noSoundOutputMessage() {
    return QStringLiteral("Keine Tonausgabe gefunden. Die Zeiten laufen trotzdem, aber ohne Töne.");
}

PulseToneGenerator::PulseToneGenerator(const QString& server) : m_server(server.toUtf8()) {}

PulseToneGenerator::~PulseToneGenerator() {
    closeStream();
}

bool PulseToneGenerator::ensureStream() {
    if (m_stream)
        return true;
    if (m_lastFailure && std::chrono::steady_clock::now() - *m_lastFailure < kRetryAfter)
        return false;

    pa_sample_spec format;
    format.format = PA_SAMPLE_S16NE;
    format.rate = tone::kSampleRate;
    format.channels = 1;

    pa_buffer_attr attr;
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.tlength = static_cast<uint32_t>(tone::sampleCount(kBufferMs) * qsizetype(sizeof(qint16)));
    attr.prebuf = static_cast<uint32_t>(-1);
    attr.minreq = static_cast<uint32_t>(-1);
    attr.fragsize = static_cast<uint32_t>(-1);

    int error = 0;
    m_stream = pa_simple_new(m_server.isEmpty() ? nullptr : m_server.constData(), "Ankerblick",
                             PA_STREAM_PLAYBACK, nullptr, "Rhythmus Trainingshilfe", &format,
                             nullptr, &attr, &error);
    if (!m_stream) {
        noteFailure();
        return false;
    }
    m_lastFailure.reset();
    return true;
}

void PulseToneGenerator::closeStream() {
    if (m_stream)
        pa_simple_free(m_stream);
    m_stream = nullptr;
}

void PulseToneGenerator::noteFailure() {
    m_lastFailure = std::chrono::steady_clock::now();
    if (!m_noticeGiven)
        m_noticeDue = true;
}

void PulseToneGenerator::beep(int hz, int ms) {
    if (ms <= 0)
        return;
    const auto began = std::chrono::steady_clock::now();
    const std::vector<qint16> samples = tone::renderTone(hz, ms);
    const auto toneEnd = began + std::chrono::milliseconds(ms);
    if (ensureStream()) {
        int error = 0;
        if (pa_simple_write(m_stream, samples.data(), samples.size() * sizeof(qint16), &error) >=
                0 &&
            pa_simple_drain(m_stream, &error) >= 0) {
            // Drained means the server has taken the last sample; it is heard
            // once the output's own latency has passed.
            const pa_usec_t latency = pa_simple_get_latency(m_stream, &error);
            if (latency != static_cast<pa_usec_t>(-1) && latency < kMaxLatency)
                std::this_thread::sleep_for(std::chrono::microseconds(latency));
            std::this_thread::sleep_until(toneEnd);
            return;
        }
        // The server went away: the rest of the tone passes silently.
        closeStream();
        noteFailure();
    }
    std::this_thread::sleep_until(toneEnd);
}

bool PulseToneGenerator::takeNoOutputNotice() {
    if (!m_noticeDue)
        return false;
    m_noticeDue = false;
    m_noticeGiven = true;
    return true;
}

} // namespace ankerblick
