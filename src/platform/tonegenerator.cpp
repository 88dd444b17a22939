#include "tonegenerator.h"

#include "model/logging.h"

#include <QCoreApplication>
#include <QLibrary>
#include <pulse/simple.h>

#include <algorithm>
#include <utility>

namespace ankerblick {

namespace {

constexpr auto kRetryAfter = std::chrono::seconds(10);
// A signal that cannot start this soon after it was due is left out.
constexpr auto kLatestStart = std::chrono::milliseconds(50);
// Target buffer of the stream: small, so that a signal starts promptly.
constexpr int kBufferMs = 40;
// A signal is written in pieces of this length, so that the generator can end
// between two pieces without waiting for the rest of the signal.
constexpr int kPieceMs = 20;

// The sound server's client library, loaded with the first stream on the
// generator's thread: most sessions never sound a signal, and the library
// with the dozen it needs would lengthen every start of the program.
struct PulseSimple {
    decltype(&pa_simple_new) open = nullptr;
    decltype(&pa_simple_free) free = nullptr;
    decltype(&pa_simple_write) write = nullptr;
    decltype(&pa_simple_drain) drain = nullptr;
    decltype(&pa_simple_flush) flush = nullptr;
};

template <typename F> void resolve(QLibrary& library, F& function, const char* name) {
    function = reinterpret_cast<F>(library.resolve(name));
}

PulseSimple loadPulseSimple() {
    QLibrary library(QStringLiteral("pulse-simple"), 0);
    PulseSimple pulse;
    if (!library.load()) {
        qCWarning(lcSound) << "no sound server library:" << library.errorString();
        return pulse;
    }
    resolve(library, pulse.open, "pa_simple_new");
    resolve(library, pulse.free, "pa_simple_free");
    resolve(library, pulse.write, "pa_simple_write");
    resolve(library, pulse.drain, "pa_simple_drain");
    resolve(library, pulse.flush, "pa_simple_flush");
    if (!pulse.free || !pulse.write || !pulse.drain || !pulse.flush)
        pulse.open = nullptr;
    return pulse; // the library stays loaded
}

// Empty members when the library is missing.
const PulseSimple& pulseSimple() {
    static const PulseSimple loaded = loadPulseSimple();
    return loaded;
}

} // namespace

PulseToneGenerator::PulseToneGenerator(const QString& server)
    : m_server(server.toUtf8()), m_thread([this] { run(); }) {}

PulseToneGenerator::~PulseToneGenerator() {
    {
        const std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void PulseToneGenerator::play(const QList<tone::Tone>& signal) {
    if (tone::lengthOf(signal) <= 0)
        return;
    const auto due = std::chrono::steady_clock::now();
    {
        const std::lock_guard lock(m_mutex);
        m_waiting.push_back({signal, due});
    }
    m_wake.notify_all();
}

void PulseToneGenerator::prepare() {
    {
        const std::lock_guard lock(m_mutex);
        m_openDue = true;
    }
    m_wake.notify_all();
}

bool PulseToneGenerator::takeNoOutputNotice() {
    const std::lock_guard lock(m_mutex);
    if (!m_noticeDue)
        return false;
    m_noticeDue = false;
    m_noticeGiven = true;
    return true;
}

void PulseToneGenerator::run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_ending || m_openDue || !m_waiting.empty(); });
        if (m_ending)
            break;
        if (std::exchange(m_openDue, false)) {
            lock.unlock();
            ensureStream();
            lock.lock();
            continue;
        }
        const Waiting next = std::move(m_waiting.front());
        m_waiting.pop_front();
        lock.unlock();
        sound(next);
        lock.lock();
    }
    lock.unlock();
    closeStream();
}

bool PulseToneGenerator::ending() {
    const std::lock_guard lock(m_mutex);
    return m_ending;
}

void PulseToneGenerator::sound(const Waiting& waiting) {
    if (!ensureStream())
        return;
    // Late behind a slow connection or the signals before it: sounded now it
    // would run into the signals after it and mark a time that has passed.
    if (std::chrono::steady_clock::now() - waiting.due > kLatestStart)
        return;
    const std::vector<qint16> samples = tone::renderSignal(waiting.signal);
    int error = 0;
    if (writeAll(samples) && (ending() || pulseSimple().drain(m_stream, &error) >= 0))
        return;
    // The server went away: the signal is lost, the next one asks again later.
    closeStream();
    noteFailure();
}

bool PulseToneGenerator::writeAll(const std::vector<qint16>& samples) {
    const auto piece = size_t(tone::sampleCount(kPieceMs));
    int error = 0;
    for (size_t at = 0; at < samples.size(); at += piece) {
        if (ending())
            return pulseSimple().flush(m_stream, &error) >= 0;
        const size_t count = std::min(piece, samples.size() - at);
        if (pulseSimple().write(m_stream, samples.data() + at, count * sizeof(qint16), &error) < 0)
            return false;
    }
    return true;
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
    const PulseSimple& pulse = pulseSimple();
    if (!pulse.open) {
        noteFailure();
        return false;
    }
    m_stream = pulse.open(m_server.isEmpty() ? nullptr : m_server.constData(), "Ankerblick",
                          PA_STREAM_PLAYBACK, nullptr, "Rhythmus Trainingshilfe", &format, nullptr,
                          &attr, &error);
    if (!m_stream) {
        noteFailure();
        return false;
    }
    m_lastFailure.reset();
    return true;
}

void PulseToneGenerator::closeStream() {
    if (m_stream)
        pulseSimple().free(m_stream);
    m_stream = nullptr;
}

void PulseToneGenerator::noteFailure() {
    m_lastFailure = std::chrono::steady_clock::now();
    const std::lock_guard lock(m_mutex);
    if (!m_noticeGiven)
        m_noticeDue = true;
}

} // namespace ankerblick
