// The real tone path: the samples a tone is made of, the fallback when no
// sound server answers, and signals played on a sound server with a null sink
// and captured from its monitor while the caller goes on.

#include "model/tonesamples.h"
#include "platform/tonegenerator.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace ankerblick;

namespace {

// Frequency from the rising zero crossings in [from, to), each placed between
// its two samples by linear interpolation; 0 with fewer than two crossings.
double frequencyOf(const std::vector<qint16>& s, qsizetype from, qsizetype to, int rate) {
    double first = -1.0;
    double last = -1.0;
    int crossings = 0;
    for (qsizetype i = std::max<qsizetype>(from, 1); i < to; ++i) {
        const int a = s[size_t(i - 1)];
        const int b = s[size_t(i)];
        if (a < 0 && b >= 0) {
            const double at = double(i - 1) + double(-a) / double(b - a);
            if (first < 0)
                first = at;
            last = at;
            ++crossings;
        }
    }
    if (crossings < 2)
        return 0.0;
    return (crossings - 1) * double(rate) / (last - first);
}

int peakOf(const std::vector<qint16>& s) {
    int peak = 0;
    for (qint16 v : s)
        peak = std::max(peak, std::abs(int(v)));
    return peak;
}

// The sound server of ./test.sh (ANKERBLICK_TEST_PULSE_SERVER), or a private
// one with a null sink started for this test; never the desktop's own.
class TestSoundServer {
public:
    ~TestSoundServer() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(5000))
                m_process.kill();
            m_process.waitForFinished(2000);
        }
    }

    QString address() const { return m_address; }

    // Empty when a server runs, otherwise why none could be started.
    QString start() {
        m_address = qEnvironmentVariable("ANKERBLICK_TEST_PULSE_SERVER");
        if (!m_address.isEmpty())
            return QString();
        const QString exe = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (exe.isEmpty())
            return QStringLiteral("the program pulseaudio is not installed");
        if (!m_dir.isValid())
            return QStringLiteral("no temporary directory");
        const QString socket = m_dir.filePath(QStringLiteral("native"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_dir.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
        env.remove(QStringLiteral("PULSE_SERVER"));
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(
            exe, {QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                  QStringLiteral("-n"), QStringLiteral("--disable-shm=yes"),
                  QStringLiteral("--load=module-null-sink sink_name=ankerblick_test norewinds=1"),
                  QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 "
                                 "socket=") +
                      socket});
        if (!m_process.waitForStarted(5000))
            return QStringLiteral("pulseaudio did not start: ") + m_process.errorString();
        QElapsedTimer waited;
        waited.start();
        while (!QFileInfo(socket).exists()) {
            if (m_process.state() == QProcess::NotRunning || waited.elapsed() > 10000)
                return QStringLiteral("pulseaudio ended or did not listen: ") +
                       QString::fromLocal8Bit(m_process.readAll()).trimmed();
            QTest::qWait(20);
        }
        m_address = QStringLiteral("unix:") + socket;
        return QString();
    }

private:
    QTemporaryDir m_dir{QDir::tempPath() + QStringLiteral("/ankerblick-tone-XXXXXX")};
    QProcess m_process;
    QString m_address;
};

// The sound server behind a connection that is slow to open: a socket of its
// own that holds every client for a while before it connects it to the server,
// then passes the bytes both ways.
class SlowConnection {
public:
    SlowConnection(const QString& server, std::chrono::milliseconds holdFor)
        : m_server(QFile::encodeName(server.mid(server.indexOf(u':') + 1))), m_holdFor(holdFor) {}
    ~SlowConnection() {
        if (m_thread.joinable()) {
            const char stop = 0;
            [[maybe_unused]] const ssize_t woken = ::write(m_stop[1], &stop, 1);
            m_thread.join();
        }
        for (const int fd : {m_listen, m_stop[0], m_stop[1]})
            if (fd >= 0)
                ::close(fd);
    }
    SlowConnection(const SlowConnection&) = delete;
    SlowConnection& operator=(const SlowConnection&) = delete;

    QString address() const { return m_address; }

    // Empty when it listens, otherwise why not.
    QString start() {
        if (!m_dir.isValid())
            return QStringLiteral("no temporary directory");
        const QByteArray path = QFile::encodeName(m_dir.filePath(QStringLiteral("native")));
        const sockaddr_un at = socketAddress(path);
        m_listen = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (m_listen < 0 || ::bind(m_listen, reinterpret_cast<const sockaddr*>(&at), sizeof at) ||
            ::listen(m_listen, 4) || ::pipe2(m_stop, O_CLOEXEC))
            return QString::fromLocal8Bit(std::strerror(errno));
        m_address = QStringLiteral("unix:") + QFile::decodeName(path);
        m_thread = std::thread([this] { run(); });
        return QString();
    }

private:
    struct Link {
        int client = -1;
        int server = -1; // -1 while the client is held
        std::chrono::steady_clock::time_point openAt;
    };

    static sockaddr_un socketAddress(const QByteArray& path) {
        sockaddr_un at{};
        at.sun_family = AF_UNIX;
        std::memcpy(at.sun_path, path.constData(),
                    std::min(size_t(path.size()), sizeof at.sun_path - 1));
        return at;
    }

    // Passes what has come on one side to the other; false once a side closed.
    static bool pass(int from, int to) {
        char buffer[16384];
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        for (ssize_t sent = 0; got > 0 && sent < got;) {
            const ssize_t n = ::send(to, buffer + sent, size_t(got - sent), MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            sent += n;
        }
        return got > 0;
    }

    void openLink(Link& link) const {
        const sockaddr_un at = socketAddress(m_server);
        link.server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (link.server >= 0 &&
            ::connect(link.server, reinterpret_cast<const sockaddr*>(&at), sizeof at) == 0)
            return;
        closeLink(link);
    }

    static void closeLink(Link& link) {
        for (int* fd : {&link.client, &link.server}) {
            if (*fd >= 0)
                ::close(*fd);
            *fd = -1;
        }
    }

    void run() {
        using std::chrono::steady_clock;
        std::vector<Link> links;
        for (;;) {
            std::vector<pollfd> watched{{m_stop[0], POLLIN, 0}, {m_listen, POLLIN, 0}};
            std::vector<size_t> linkOf{0, 0};
            int timeoutMs = -1;
            const steady_clock::time_point now = steady_clock::now();
            for (size_t i = 0; i < links.size(); ++i) {
                if (links[i].server < 0) {
                    const auto left =
                        std::chrono::ceil<std::chrono::milliseconds>(links[i].openAt - now);
                    const int ms = int(std::max<qint64>(0, left.count()));
                    timeoutMs = timeoutMs < 0 ? ms : std::min(timeoutMs, ms);
                    continue;
                }
                watched.push_back({links[i].client, POLLIN, 0});
                watched.push_back({links[i].server, POLLIN, 0});
                linkOf.push_back(i);
                linkOf.push_back(i);
            }
            if (::poll(watched.data(), nfds_t(watched.size()), timeoutMs) < 0 && errno != EINTR)
                break;
            if (watched[0].revents)
                break;
            for (size_t k = 2; k < watched.size(); ++k) {
                Link& link = links[linkOf[k]];
                if (!watched[k].revents || link.client < 0)
                    continue;
                const bool fromClient = watched[k].fd == link.client;
                if (!pass(watched[k].fd, fromClient ? link.server : link.client))
                    closeLink(link);
            }
            for (Link& link : links)
                if (link.client >= 0 && link.server < 0 && steady_clock::now() >= link.openAt)
                    openLink(link);
            if (watched[1].revents & POLLIN) {
                const int client = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
                if (client >= 0)
                    links.push_back({client, -1, steady_clock::now() + m_holdFor});
            }
            std::erase_if(links, [](const Link& link) { return link.client < 0; });
        }
        for (Link& link : links)
            closeLink(link);
    }

    const QByteArray m_server;
    const std::chrono::milliseconds m_holdFor;
    QTemporaryDir m_dir{QDir::tempPath() + QStringLiteral("/ankerblick-slow-XXXXXX")};
    QString m_address;
    int m_listen = -1;
    int m_stop[2] = {-1, -1};
    std::thread m_thread;
};

// True once the server has a playback stream, within timeoutMs.
bool waitForPlaybackStream(const QString& server, int timeoutMs = 5000) {
    const QString pactl = QStandardPaths::findExecutable(QStringLiteral("pactl"));
    QElapsedTimer waited;
    waited.start();
    while (!pactl.isEmpty() && waited.elapsed() < timeoutMs) {
        QProcess list;
        list.start(pactl, {QStringLiteral("--server=") + server, QStringLiteral("list"),
                           QStringLiteral("short"), QStringLiteral("sink-inputs")});
        if (list.waitForFinished(5000) && !list.readAllStandardOutput().trimmed().isEmpty())
            return true;
        QTest::qWait(20);
    }
    return false;
}

QList<tone::Tone> putDown() {
    return {{425, 25}, {450, 25}, {475, 25}, {440, 40}, {380, 40},
            {320, 40}, {260, 40}, {200, 40}, {100, 100}};
}

std::vector<qint16> samplesOf(const QByteArray& raw) {
    std::vector<qint16> out(size_t(raw.size() / 2));
    for (size_t i = 0; i < out.size(); ++i) {
        const auto lo = quint8(raw.at(qsizetype(2 * i)));
        const auto hi = quint8(raw.at(qsizetype(2 * i + 1)));
        out[i] = qint16(quint16(lo | (hi << 8)));
    }
    return out;
}

} // namespace

Q_DECLARE_METATYPE(QList<tone::Tone>)

class TestTone : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void renderedTone_data() {
        QTest::addColumn<int>("hz");
        QTest::addColumn<int>("ms");
        QTest::addColumn<int>("rate");
        QTest::newRow("phase tone 440 Hz 200 ms") << 440 << 200 << tone::kSampleRate;
        QTest::newRow("425 Hz 25 ms, half a sample over") << 425 << 25 << tone::kSampleRate;
        QTest::newRow("475 Hz 25 ms") << 475 << 25 << tone::kSampleRate;
        QTest::newRow("380 Hz 40 ms") << 380 << 40 << tone::kSampleRate;
        QTest::newRow("100 Hz 100 ms") << 100 << 100 << tone::kSampleRate;
        QTest::newRow("8 kHz 50 ms") << 8000 << 50 << tone::kSampleRate;
        QTest::newRow("3 kHz 7 ms at 48 kHz") << 3000 << 7 << 48000;
        QTest::newRow("longest phase, 65535 ms") << 440 << 65535 << tone::kSampleRate;
    }
    void renderedTone() {
        QFETCH(int, hz);
        QFETCH(int, ms);
        QFETCH(int, rate);
        const std::vector<qint16> s = tone::renderTone(hz, ms, rate);

        // Length: the nearest whole number of samples.
        const double exact = double(ms) * rate / 1000.0;
        QVERIFY2(std::abs(double(s.size()) - exact) <= 0.5,
                 qPrintable(QStringLiteral("%1 samples for %2").arg(s.size()).arg(exact)));

        // Frequency, away from the fades.
        const auto n = qsizetype(s.size());
        const double f = frequencyOf(s, tone::kFadeSamples, n - tone::kFadeSamples, rate);
        QVERIFY2(std::abs(f - hz) <= hz * 0.002,
                 qPrintable(QStringLiteral("measured %1 Hz").arg(f)));

        // Full loudness in the middle, silence at both ends: no click.
        QVERIFY(peakOf(s) >= tone::kAmplitude * 95 / 100);
        QVERIFY(peakOf(s) <= tone::kAmplitude);
        QVERIFY(std::abs(int(s.front())) <= tone::kAmplitude / 100);
        QVERIFY(std::abs(int(s.back())) <= tone::kAmplitude / 100);
        // The ramps are short: full loudness within the first and last few milliseconds.
        const auto head = std::vector<qint16>(s.begin(), s.begin() + (rate * 4 / 1000));
        const auto tail = std::vector<qint16>(s.end() - (rate * 4 / 1000), s.end());
        QVERIFY(peakOf(head) >= tone::kAmplitude * 9 / 10);
        QVERIFY(peakOf(tail) >= tone::kAmplitude * 9 / 10);
    }

    void silentOrEmptyTones_data() {
        QTest::addColumn<int>("hz");
        QTest::addColumn<int>("ms");
        QTest::addColumn<qsizetype>("count");
        QTest::newRow("0 Hz is silence") << 0 << 100 << qsizetype(4410);
        QTest::newRow("negative frequency is silence") << -440 << 100 << qsizetype(4410);
        QTest::newRow("half the rate cannot be carried") << 22050 << 20 << qsizetype(882);
        QTest::newRow("no time, no samples") << 440 << 0 << qsizetype(0);
        QTest::newRow("negative time, no samples") << 440 << -5 << qsizetype(0);
    }
    void silentOrEmptyTones() {
        QFETCH(int, hz);
        QFETCH(int, ms);
        QFETCH(qsizetype, count);
        const std::vector<qint16> s = tone::renderTone(hz, ms);
        QCOMPARE(qsizetype(s.size()), count);
        QCOMPARE(peakOf(s), 0);
    }

    void withoutServerTheSignalIsDroppedAndToldOnce() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        PulseToneGenerator tones(QStringLiteral("unix:") + dir.filePath(QStringLiteral("none")));
        QVERIFY(!tones.takeNoOutputNotice());

        QElapsedTimer t;
        t.start();
        tones.play({{440, 150}});
        const qint64 first = t.elapsed();
        QVERIFY2(first < 50, qPrintable(QStringLiteral("returned after %1 ms").arg(first)));
        // Told once the sound output has been looked for.
        bool told = false;
        while (!(told = tones.takeNoOutputNotice()) && t.elapsed() < 5000)
            QTest::qWait(10);
        QVERIFY(told);
        QVERIFY(!tones.takeNoOutputNotice());

        // A further signal returns at once as well and tells nothing more.
        t.restart();
        tones.play(putDown());
        const qint64 signal = t.elapsed();
        QVERIFY2(signal < 50, qPrintable(QStringLiteral("returned after %1 ms").arg(signal)));
        QTest::qWait(200);
        QVERIFY(!tones.takeNoOutputNotice());
    }

    void playedSignalIsCapturedWhole_data() {
        QTest::addColumn<QList<tone::Tone>>("signal");
        QTest::addColumn<int>("connectMs"); // how long the connection to the server takes to open
        QTest::addColumn<bool>("prepared"); // the output opened before the signal is given
        QTest::addColumn<bool>("heard");
        const QList<tone::Tone> phaseTone{{440, 200}};
        QTest::newRow("phase tone 440 Hz 200 ms") << phaseTone << 0 << true << true;
        QTest::newRow("put-down signal, nine tones") << putDown() << 0 << true << true;
        QTest::newRow("slow connection opened ahead, on time") << phaseTone << 400 << true << true;
        // Due when given, but 400 ms late once the connection is open.
        QTest::newRow("slow connection opened for the signal, left out")
            << phaseTone << 400 << false << false;
    }
    void playedSignalIsCapturedWhole() {
        QFETCH(QList<tone::Tone>, signal);
        QFETCH(int, connectMs);
        QFETCH(bool, prepared);
        QFETCH(bool, heard);
        TestSoundServer server;
        const QString why = server.start();
        if (!why.isEmpty())
            QSKIP(qPrintable(QStringLiteral("no PulseAudio server could be started: ") + why));
        std::optional<SlowConnection> slow;
        QString toneServer = server.address();
        if (connectMs > 0) {
            slow.emplace(server.address(), std::chrono::milliseconds(connectMs));
            const QString notListening = slow->start();
            QVERIFY2(notListening.isEmpty(), qPrintable(notListening));
            toneServer = slow->address();
        }

        const QString parecExe = QStandardPaths::findExecutable(QStringLiteral("parec"));
        QVERIFY2(!parecExe.isEmpty(), "parec (pulseaudio-utils) is needed to capture the tone");
        const int rate = tone::kSampleRate;
        QProcess parec;
        parec.start(parecExe,
                    {QStringLiteral("--server=") + server.address(),
                     QStringLiteral("--device=@DEFAULT_MONITOR@"), QStringLiteral("--raw"),
                     QStringLiteral("--format=s16le"), QStringLiteral("--rate=%1").arg(rate),
                     QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=10")});
        QVERIFY2(parec.waitForStarted(5000), qPrintable(parec.errorString()));
        QByteArray raw;
        const auto captureUntil = [&](qsizetype bytes) {
            QElapsedTimer waited;
            waited.start();
            while (raw.size() < bytes && waited.elapsed() < 10000 &&
                   parec.state() == QProcess::Running) {
                parec.waitForReadyRead(50);
                raw += parec.readAllStandardOutput();
            }
            return raw.size() >= bytes;
        };
        // The capture runs before the signal starts.
        QVERIFY2(captureUntil(rate / 10 * 2), parec.readAllStandardError().constData());

        auto tones = std::make_unique<PulseToneGenerator>(toneServer);
        if (prepared) {
            // Opened on the generator's thread: the call returns at once.
            QElapsedTimer opening;
            opening.start();
            tones->prepare();
            QVERIFY2(opening.elapsed() < 50,
                     qPrintable(QStringLiteral("returned after %1 ms").arg(opening.elapsed())));
            QVERIFY2(waitForPlaybackStream(server.address()),
                     "no stream was opened before the signal");
        }
        // Where the capture stands as the signal is given.
        raw += parec.readAllStandardOutput();
        const auto givenAt = qsizetype(raw.size() / 2);

        // The call returns at once, well before the signal has sounded.
        const int lengthMs = tone::lengthOf(signal);
        QElapsedTimer t;
        t.start();
        tones->play(signal);
        const qint64 took = t.elapsed();
        QVERIFY2(took < lengthMs / 4, qPrintable(QStringLiteral("returned after %1 ms").arg(took)));

        QVERIFY(captureUntil(raw.size() + qsizetype(connectMs + lengthMs + 500) * rate / 1000 * 2));
        QVERIFY(!tones->takeNoOutputNotice());
        parec.terminate();
        parec.waitForFinished(5000);
        raw += parec.readAllStandardOutput();

        const std::vector<qint16> s = samplesOf(raw);
        const int threshold = 1000;
        const auto loud = [&](qint16 v) {
            return std::abs(int(v)) > threshold;
        };
        const auto firstLoud = std::find_if(s.begin(), s.end(), loud);
        if (!heard) {
            // Left out rather than sounded late: nothing at all reaches the sink.
            QVERIFY2(firstLoud == s.end(),
                     qPrintable(QStringLiteral("sounded %1 ms after it was given")
                                    .arg(double(firstLoud - s.begin() - givenAt) * 1000 / rate)));
            return;
        }
        QVERIFY2(firstLoud != s.end(), "the signal was not captured");
        const auto lastLoud = std::find_if(s.rbegin(), s.rend(), loud).base() - 1;
        const auto from = qsizetype(firstLoud - s.begin());
        const auto to = qsizetype(lastLoud - s.begin()) + 1;

        // On time: it starts within 50 ms of being given. What the capture
        // holds as the signal is given lags the sink by up to the capture's
        // latency (10 ms, asked for above), so the signal shows up to that
        // much later in it than it sounded.
        const double startedMs = double(from - givenAt) * 1000.0 / rate;
        QVERIFY2(startedMs <= 50.0 + 10.0,
                 qPrintable(QStringLiteral("started after %1 ms").arg(startedMs)));

        const double capturedMs = double(to - from) * 1000.0 / rate;
        QVERIFY2(std::abs(capturedMs - lengthMs) <= 5.0,
                 qPrintable(QStringLiteral("captured %1 ms").arg(capturedMs)));
        // Every tone in its place at its frequency, away from its fades.
        const qsizetype margin = rate * 3 / 1000;
        qsizetype at = from;
        for (const tone::Tone& one : signal) {
            const qsizetype length = tone::sampleCount(one.ms, rate);
            const double f = frequencyOf(s, at + margin, at + length - margin, rate);
            QVERIFY2(std::abs(f - one.hz) <= one.hz * 0.005,
                     qPrintable(QStringLiteral("captured %1 Hz for %2 Hz").arg(f).arg(one.hz)));
            at += length;
        }
        // One continuous sound: no quiet stretch longer than 2 ms inside it.
        qsizetype quiet = 0;
        qsizetype longestQuiet = 0;
        for (qsizetype i = from; i < to; ++i) {
            quiet = loud(s[size_t(i)]) ? 0 : quiet + 1;
            longestQuiet = std::max(longestQuiet, quiet);
        }
        QVERIFY2(longestQuiet < rate / 500, qPrintable(QString::number(longestQuiet)));

        // Ending with a long tone still sounding neither hangs nor waits for it.
        tones->play({{440, 5000}});
        QTest::qWait(100);
        t.restart();
        tones.reset();
        QVERIFY2(t.elapsed() < 500,
                 qPrintable(QStringLiteral("ended after %1 ms").arg(t.elapsed())));
    }
};

QTEST_MAIN(TestTone)
#include "tst_tone.moc"
