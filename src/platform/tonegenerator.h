#pragma once

// Tones go through this interface, so that windows that beep can be driven by
// tests that record the tones instead of playing them.

#include <QByteArray>
#include <QString>

#include <chrono>
#include <optional>

struct pa_simple;

namespace ankerblick {

class ToneGenerator {
public:
    virtual ~ToneGenerator() = default;

    // Plays a sine tone of hz hertz for ms milliseconds and returns when it has
    // been played. Without sound output the tone's time passes silently.
    virtual void beep(int hz, int ms) = 0;

    // True once, after the first tone that found no sound output, so that the
    // caller can tell the shooter; false before and every time after.
    virtual bool takeNoOutputNotice() { return false; }
};

// The shooter's message when tones cannot be played.
QString noSoundOutputMessage();

// Tones on the desktop's sound server (PulseAudio, or PipeWire through its
// PulseAudio interface) as 44.1 kHz 16-bit mono.
class PulseToneGenerator final : public ToneGenerator {
public:
    // server: a server address such as "unix:/run/user/1000/pulse/native";
    // empty for the desktop's own server.
    explicit PulseToneGenerator(const QString& server = QString());
    ~PulseToneGenerator() override;
    PulseToneGenerator(const PulseToneGenerator&) = delete;
    PulseToneGenerator& operator=(const PulseToneGenerator&) = delete;

    void beep(int hz, int ms) override;
    bool takeNoOutputNotice() override;

private:
    bool ensureStream();
    void closeStream();
    void noteFailure();

    QByteArray m_server;
    pa_simple* m_stream = nullptr;
    // After a failure the server is asked again only after a while, so that
    // short tones are not delayed by repeated connection attempts.
    std::optional<std::chrono::steady_clock::time_point> m_lastFailure;
    bool m_noticeDue = false;
    bool m_noticeGiven = false;
};

} // namespace ankerblick
