#pragma once

// Tones on the desktop's sound server.

#include "services/tonegenerator.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

struct pa_simple;

namespace ankerblick {

// Tones on the desktop's sound server (PulseAudio, or PipeWire through its
// PulseAudio interface) as 44.1 kHz 16-bit mono. A thread of its own opens
// the connection, at prepare() or at the first signal, holds it and sounds
// the signals in the order given, so that the caller never waits for the
// server.
class PulseToneGenerator final : public ToneGenerator {
public:
    // server: a server address such as "unix:/run/user/1000/pulse/native";
    // empty for the desktop's own server.
    explicit PulseToneGenerator(const QString& server = QString());
    // Cuts a signal still sounding short, leaves out those still waiting and
    // waits for the thread to end.
    ~PulseToneGenerator() override;
    PulseToneGenerator(const PulseToneGenerator&) = delete;
    PulseToneGenerator& operator=(const PulseToneGenerator&) = delete;

    void play(const QList<tone::Tone>& signal) override;
    void prepare() override;
    bool takeNoOutputNotice() override;

private:
    struct Waiting {
        QList<tone::Tone> signal;
        std::chrono::steady_clock::time_point due;
    };

    // On the sounding thread only.
    void run();
    void sound(const Waiting& waiting);
    bool writeAll(const std::vector<qint16>& samples);
    bool ensureStream();
    void closeStream();
    void noteFailure();
    bool ending();

    const QByteArray m_server;

    // Shared with the sounding thread, guarded by m_mutex.
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Waiting> m_waiting;
    bool m_openDue = false;
    bool m_ending = false;
    bool m_noticeDue = false;
    bool m_noticeGiven = false;

    // The sounding thread's own.
    pa_simple* m_stream = nullptr;
    // After a failure the server is asked again only after a while, so that
    // signals are not held up by repeated connection attempts.
    std::optional<std::chrono::steady_clock::time_point> m_lastFailure;

    std::thread m_thread;
};

} // namespace ankerblick
