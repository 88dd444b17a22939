// Figure 20: the range live under load. The real ankerblick-live program,
// with TLS, on a PostgreSQL server of the benchmark's own on loopback; 32
// lanes, each a diary with the program's own sync under a shooter's login,
// entering a series of ten called shots every 20 s, staggered over the
// interval; and 30 browsers watching as the coach, each a WebSocket that
// logged in as the page does. Measured: the time from a lane's diary commit
// to each browser's frame with that series (median and 99th percentile,
// against the goals of 1 s and 2 s), and the program's resident memory and
// processor time per browser: the same load runs first with no browser and
// then with the 30.
//
// Usage: ankerblick_bench_live PROGRAM [--rows=FILE]
// BENCH_LIVE_SERIES=n sets the series a lane enters in each half (default 3).

#include "benchreport.h"

#include "platform/clubconnection.h"
#include "platform/clubschema.h"
#include "platform/clubsync.h"
#include "platform/sqlitediary.h"
#include "support/pgserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <QWebSocket>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <unistd.h>
#include <vector>

using namespace ankerblick;
using namespace Qt::StringLiterals;
using SteadyClock = std::chrono::steady_clock;

namespace {

constexpr int kLanes = 32;
constexpr int kBrowsers = 30;
constexpr int kIntervalMs = 20000;
constexpr int kShots = 10;
const QString kDatabase = u"verein_live"_s;
const QString kLanePassword = u"Bahn-Passwort 5"_s;
const QString kCoachPassword = u"Trainer-Passwort 5"_s;

void waitFor(int ms) {
    const SteadyClock::time_point end = SteadyClock::now() + std::chrono::milliseconds(ms);
    while (SteadyClock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(500);
    }
}

template <typename Done> bool waitUntil(Done done, int ms) {
    const SteadyClock::time_point end = SteadyClock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (SteadyClock::now() > end)
            return false;
        waitFor(10);
    }
    return true;
}

diary::Series seriesOf(int number) {
    diary::Series s;
    s.number = number;
    s.time = QDateTime::currentDateTimeUtc();
    for (int i = 0; i < kShots; ++i) {
        diary::Shot shot;
        shot.slot = i;
        shot.hit = {0.7 * i - 3.0, 2.0 - 0.4 * i};
        shot.call = group::PointMm{0.5 * i - 2.0, 1.0 - 0.3 * i};
        shot.value = 10.6 - 0.15 * i;
        shot.rating = i % 3 == 0 ? 5 : 10;
        s.shots << shot;
        s.record.hitLeft[size_t(i)] = qint16(100 + i);
    }
    return s;
}

struct Lane {
    QString shooter;
    std::unique_ptr<SqliteDiary> diary;
    std::unique_ptr<ServerClubSync> sync;
    qint64 training = 0;
};

// The program's resident memory (KiB) and processor time (ms), from /proc.
std::pair<double, double> usageOf(qint64 pid) {
    QFile status(u"/proc/%1/status"_s.arg(pid));
    double rss = 0;
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                rss = line.mid(6).trimmed().split(' ').front().toDouble();
    QFile stat(u"/proc/%1/stat"_s.arg(pid));
    double cpu = 0;
    if (stat.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> fields = stat.readAll().split(')').back().split(' ');
        // utime and stime, fields 14 and 15 of the line; 12 and 13 after ") ".
        cpu = (fields.value(12).toDouble() + fields.value(13).toDouble()) * 1000.0 /
              double(sysconf(_SC_CLK_TCK));
    }
    return {rss, cpu};
}

// A browser: the page's login, then its WebSocket; remembers when each
// lane's series first reached it.
class Watcher {
public:
    Watcher(int port, const QByteArray& cookie) {
        QObject::connect(&m_socket, &QWebSocket::sslErrors, &m_socket,
                         [this](const QList<QSslError>&) { m_socket.ignoreSslErrors(); });
        QObject::connect(&m_socket, &QWebSocket::textMessageReceived, &m_socket,
                         [this](const QString& text) { take(text); });
        QNetworkRequest request(QUrl(u"wss://127.0.0.1:%1/live"_s.arg(port)));
        request.setRawHeader("Cookie", cookie);
        request.setRawHeader("Origin", u"https://127.0.0.1:%1"_s.arg(port).toLatin1());
        m_socket.open(request);
    }
    bool hasState() const { return m_state; }
    // When series `number` of `shooter` came, if it did.
    std::optional<SteadyClock::time_point> seen(const QString& shooter, int number) const {
        const auto found = m_seen.find({shooter, number});
        return found == m_seen.end() ? std::nullopt : std::optional(found->second);
    }

private:
    void take(const QString& text) {
        const SteadyClock::time_point now = SteadyClock::now();
        const QJsonObject frame = QJsonDocument::fromJson(text.toUtf8()).object();
        const QString type = frame[u"type"_s].toString();
        if (type == u"state"_s)
            m_state = true;
        if (type != u"lane"_s)
            return;
        const QJsonObject lane = frame[u"lane"_s].toObject();
        const QJsonArray series = lane[u"series"_s].toArray();
        if (series.isEmpty())
            return;
        const QJsonObject last = series.last().toObject();
        if (last[u"shots"_s].toArray().size() == kShots)
            m_seen.try_emplace({lane[u"shooter"_s].toString(), last[u"number"_s].toInt()}, now);
    }

    QWebSocket m_socket;
    bool m_state = false;
    std::map<std::pair<QString, int>, SteadyClock::time_point> m_seen;
};

struct Setup {
    test::PgServer server;
    QTemporaryDir folder;
    std::vector<Lane> lanes;
    QProcess program;
    int port = 0;
};

bool setUpClub(Setup& s) {
    if (!s.server.create() || !s.server.createDatabase(kDatabase))
        return false;
    club::Connection owner(s.server.ownerUrl(kDatabase));
    QSqlDatabase db = owner.database();
    if (!club::setUp(db).ok ||
        !club::addLogin(db, u"trainer"_s, kCoachPassword, club::LoginKind::Coach).isEmpty())
        return false;
    for (int i = 1; i <= kLanes; ++i)
        if (!club::addLogin(db, u"bahn%1"_s.arg(i, 2, 10, QChar(u'0')), kLanePassword,
                            club::LoginKind::Shooter)
                 .isEmpty())
            return false;
    return true;
}

bool startLanes(Setup& s) {
    for (int i = 1; i <= kLanes; ++i) {
        const QString login = u"bahn%1"_s.arg(i, 2, 10, QChar(u'0'));
        Lane lane{u"Schütze %1"_s.arg(i, 2, 10, QChar(u'0')),
                  std::make_unique<SqliteDiary>(s.folder.filePath(login + u".sqlite"_s)),
                  {},
                  0};
        diary::Training t;
        t.shooter = lane.shooter;
        t.discipline = 0;
        t.window = u"Form1"_s;
        t.start = QDateTime::currentDateTimeUtc();
        lane.training = lane.diary->beginTraining(t).value_or(0);
        lane.sync = std::make_unique<ServerClubSync>(*lane.diary);
        lane.sync->setServer(s.server.login(login, kLanePassword, kDatabase));
        s.lanes.push_back(std::move(lane));
    }
    return waitUntil(
        [&s] {
            return std::all_of(s.lanes.begin(), s.lanes.end(),
                               [](const Lane& l) { return l.sync->state().connected; });
        },
        60000);
}

bool startProgram(Setup& s, const QString& program) {
    QFile pgpass(s.folder.filePath(u"pgpass"_s));
    if (!pgpass.open(QIODevice::WriteOnly))
        return false;
    pgpass.write(u"127.0.0.1:%1:%2:trainer:%3\n"_s.arg(s.server.port())
                     .arg(kDatabase, kCoachPassword)
                     .toUtf8());
    pgpass.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    pgpass.close();
    const QString key = s.folder.filePath(u"key.pem"_s);
    const QString cert = s.folder.filePath(u"cert.pem"_s);
    if (QProcess::execute(u"openssl"_s, {u"req"_s, u"-x509"_s, u"-newkey"_s, u"ec"_s, u"-pkeyopt"_s,
                                         u"ec_paramgen_curve:prime256v1"_s, u"-nodes"_s, u"-days"_s,
                                         u"2"_s, u"-subj"_s, u"/CN=127.0.0.1"_s, u"-keyout"_s, key,
                                         u"-out"_s, cert}) != 0)
        return false;
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    s.port = probe.serverPort();
    probe.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"PGPASSFILE"_s, pgpass.fileName());
    s.program.setProcessEnvironment(environment);
    s.program.start(program, {u"--verein"_s, s.server.url(u"trainer"_s, {}, kDatabase),
                              u"--adresse"_s, u"127.0.0.1"_s, u"--port"_s, QString::number(s.port),
                              u"--zertifikat"_s, cert, u"--schluessel"_s, key, u"--sitzungen"_s,
                              s.folder.filePath(u"sitzungen.json"_s)});
    return s.program.waitForReadyRead(20000) && s.program.readLine().contains("https://");
}

QByteArray logIn(int port) {
    QNetworkAccessManager network;
    QNetworkRequest request(QUrl(u"https://127.0.0.1:%1/anmelden"_s.arg(port)));
    request.setHeader(QNetworkRequest::ContentTypeHeader, u"application/json"_s);
    std::unique_ptr<QNetworkReply> reply(network.post(
        request,
        QJsonDocument(QJsonObject{{u"login"_s, u"trainer"_s}, {u"password"_s, kCoachPassword}})
            .toJson(QJsonDocument::Compact)));
    reply->ignoreSslErrors();
    waitUntil([&reply] { return reply->isFinished(); }, 20000);
    return reply->rawHeader("Set-Cookie").split(';').front();
}

// Every lane enters `count` series from `first` on, one every interval,
// staggered over it; when each was in its diary.
void enter(Setup& s, int first, int count, std::vector<std::vector<SteadyClock::time_point>>& at) {
    const SteadyClock::time_point start = SteadyClock::now();
    for (int k = 0; k < count; ++k)
        for (int i = 0; i < kLanes; ++i) {
            const auto due =
                start + std::chrono::milliseconds(k * kIntervalMs + i * kIntervalMs / kLanes);
            while (SteadyClock::now() < due)
                waitFor(1);
            Lane& lane = s.lanes[size_t(i)];
            lane.diary->saveSeries(lane.training, seriesOf(first + k));
            at[size_t(i)].push_back(SteadyClock::now());
        }
    waitFor(3000);
}

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const size_t rank = size_t(std::ceil(p * double(values.size())));
    return values.empty() ? 0 : values[std::max<size_t>(rank, 1) - 1];
}

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> args;
    const std::string rowsPath = bench::takeRowsPath(argc, argv, args);
    int count = int(args.size());
    QCoreApplication app(count, args.data());
    if (count < 2) {
        std::fprintf(stderr, "Aufruf: ankerblick_bench_live PROGRAMM [--rows=DATEI]\n");
        return 2;
    }
    const int asked = qEnvironmentVariableIntValue("BENCH_LIVE_SERIES");
    const int series = asked > 0 ? asked : 3;
    Setup s;
    if (!setUpClub(s) || !startLanes(s) || !startProgram(s, QString::fromLocal8Bit(args[1]))) {
        std::fprintf(stderr, "Die Messung lässt sich nicht einrichten: %s\n",
                     qPrintable(s.server.error()));
        return 1;
    }
    std::vector<std::vector<SteadyClock::time_point>> at(kLanes);
    std::fprintf(stderr, "%d Bahnen, je %d Serien alle %d s, ohne Browser ...\n", kLanes, series,
                 kIntervalMs / 1000);
    const auto [rssBefore, cpuBefore] = usageOf(s.program.processId());
    enter(s, 1, series, at);
    const auto [rssAlone, cpuAlone] = usageOf(s.program.processId());
    std::vector<std::unique_ptr<Watcher>> browsers;
    for (int b = 0; b < kBrowsers; ++b)
        browsers.push_back(std::make_unique<Watcher>(s.port, logIn(s.port)));
    if (!waitUntil(
            [&] {
                return std::all_of(browsers.begin(), browsers.end(),
                                   [](const auto& w) { return w->hasState(); });
            },
            30000)) {
        std::fprintf(stderr, "Nicht alle Browser haben den Stand bekommen.\n");
        return 1;
    }
    std::fprintf(stderr, "... und mit %d Browsern ...\n", kBrowsers);
    const auto [rssWatched, cpuWatched] = usageOf(s.program.processId());
    for (auto& lane : at)
        lane.clear();
    enter(s, series + 1, series, at);
    const auto [rssAfter, cpuAfter] = usageOf(s.program.processId());

    std::vector<double> latencies;
    int missing = 0;
    for (int i = 0; i < kLanes; ++i)
        for (int k = 0; k < series; ++k)
            for (const auto& w : browsers) {
                const auto seen = w->seen(s.lanes[size_t(i)].shooter, series + 1 + k);
                if (!seen) {
                    ++missing;
                    continue;
                }
                latencies.push_back(
                    std::chrono::duration<double, std::milli>(*seen - at[size_t(i)][size_t(k)])
                        .count());
            }
    const double median = percentile(latencies, 0.5);
    const double p99 = percentile(latencies, 0.99);
    const double cpuPerBrowser = ((cpuAfter - cpuWatched) - (cpuAlone - cpuBefore)) / kBrowsers;
    const double kibPerBrowser = (rssAfter - rssAlone) / kBrowsers;
    std::fprintf(stderr,
                 "%zu Zeiten, %d fehlen; Median %.1f ms, 99. Perzentil %.1f ms; %.0f KiB und "
                 "%.1f ms Rechenzeit je Browser (%d Serien)\n",
                 latencies.size(), missing, median, p99, kibPerBrowser, cpuPerBrowser, series);
    std::FILE* out = rowsPath.empty() ? stdout : std::fopen(rowsPath.c_str(), "a");
    bench::writeRow(out, "20 live view, 32 lanes, 30 browsers: diary commit to page, median vs 1 s",
                    median, 1000.0, 1.0);
    bench::writeRow(out, "20 the same, 99th percentile vs 2 s", p99, 2000.0, 1.0);
    std::fprintf(out, "20   resident memory per browser\t%.0f KiB\t-\t-\t-\treference\n",
                 kibPerBrowser);
    std::fprintf(out,
                 "20   processor time per browser and lane series\t%.3f ms\t-\t-\t-\treference\n",
                 cpuPerBrowser / (kLanes * series));
    if (out != stdout)
        std::fclose(out);
    s.program.terminate();
    s.program.waitForFinished(5000);
    return missing == 0 ? 0 : 1;
}
