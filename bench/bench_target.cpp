// Figure 19: the open-hardware target. A shot's record split out of the
// stream and read, against Qt's JSON reader alone on the same record; and a
// shot sent by a target on loopback (a QTcpServer) to its hit entered
// through the window's door, the link's real socket in between.
//
// Usage: ankerblick_bench_target [--rows=FILE] [Google Benchmark options]

#include "benchreport.h"
#include "features/targetlink/opentargetlink.h"
#include "files/opentarget.h"
#include "platform/bytestream.h"
#include "support/memorysettings.h"
#include "support/scripteddialogs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

using namespace ankerblick;
using namespace ankerblick::bench;

namespace {

constexpr int kShots = 1000;

QByteArray shotRecord(int n) {
    return QStringLiteral(
               "{\"shot\":%1,\"miss\":0,\"name\":\"T1\",\"time\":%2,\"x\":%3,"
               "\"y\":%4,\"r\":3.28,\"a\":158.5,\"session_type\":5,"
               "\"athelete\":\"Erika\",\"event\":\"Training\",\"target_name\":\"Bahn 3\"}")
        .arg(n)
        .arg(1000 * n)
        .arg(-3.05 + 0.01 * (n % 100), 0, 'f', 2)
        .arg(1.2 - 0.01 * (n % 70), 0, 'f', 2)
        .toUtf8();
}

QByteArray stream() {
    QByteArray bytes;
    for (int n = 1; n <= kShots; ++n)
        bytes += shotRecord(n);
    return bytes;
}

void readOurs(benchmark::State& state) {
    const QByteArray bytes = stream();
    for (auto _ : state) {
        JsonObjectSplitter splitter;
        int shots = 0;
        for (const QByteArray& object : splitter.feed(bytes))
            shots += std::holds_alternative<OpenTargetShot>(readOpenTargetObject(object)) ? 1 : 0;
        benchmark::DoNotOptimize(shots);
    }
}

void readBare(benchmark::State& state) {
    std::vector<QByteArray> records;
    for (int n = 1; n <= kShots; ++n)
        records.push_back(shotRecord(n));
    for (auto _ : state) {
        int objects = 0;
        for (const QByteArray& record : records)
            objects += QJsonDocument::fromJson(record).isObject() ? 1 : 0;
        benchmark::DoNotOptimize(objects);
    }
}

// The window's door as the link sees it: it notes when each hit came.
class TimingDoor final : public HitDoor {
public:
    std::vector<qint64> enteredAt;
    QElapsedTimer clock;
    TargetGeometry geometry() const override { return {{244, 228}, 6.5875}; }
    HitReceipt enter(const ArrivedHit&) override {
        enteredAt.push_back(clock.nsecsElapsed());
        return {true, {}};
    }
    QString sourceActive(bool) override { return {}; }
    QString refusal() const override { return {}; }
    QString correct(PointF, std::optional<PointF>) override { return {}; }
};

bool waitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

// The median of 50 shots, sent one at a time, to their hits entered (ms).
std::optional<double> shotToHit() {
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost))
        return std::nullopt;
    MemorySettings settings;
    test::ScriptedDialogs dialogs;
    TimingDoor door;
    door.clock.start();
    OpenTargetLink link(makeQtByteStream(), settings, dialogs, nullptr);
    link.attach(&door);
    link.connectOrDisconnect(QStringLiteral("tcp://127.0.0.1:%1").arg(server.serverPort()));
    if (!waitFor([&] { return server.hasPendingConnections(); }, 3000))
        return std::nullopt;
    QTcpSocket* target = server.nextPendingConnection();
    waitFor([&] { return link.state() == OpenTargetLink::State::Connected; }, 3000);
    link.switchDelivering();
    target->write("{\"CONNECTED\":1,\"NAME\":\"BENCH\"}");
    waitFor([] { return false; }, OpenTargetLink::kReplayMs + 200);
    std::vector<double> latencies;
    for (int n = 1; n <= 50; ++n) {
        const qint64 sent = door.clock.nsecsElapsed();
        target->write(shotRecord(n));
        target->flush();
        if (!waitFor([&] { return door.enteredAt.size() == size_t(n); }, 2000))
            return std::nullopt;
        latencies.push_back(double(door.enteredAt.back() - sent) / 1e6);
    }
    std::sort(latencies.begin(), latencies.end());
    return latencies[latencies.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> args;
    const std::string rowsPath = takeRowsPath(argc, argv, args);
    int count = int(args.size());
    QCoreApplication app(count, args.data());
    add("read_ours", readOurs);
    add("read_bare", readBare);
    MedianCollector collector;
    if (!runAll(count, args, collector))
        return 2;
    const std::optional<double> latency = shotToHit();
    std::FILE* out = rowsPath.empty() ? stdout : std::fopen(rowsPath.c_str(), "a");
    if (!out) {
        std::perror(rowsPath.c_str());
        return 1;
    }
    const auto& m = collector.medians;
    if (m.count("read_ours") && m.count("read_bare")) {
        writeRow(out, "19 open target: 1000 shots split and read vs JSON reader alone",
                 m.at("read_ours"), m.at("read_bare"), 2);
        writeRow(out, "19 open target: 1000 shots split and read vs 1 ms a shot", m.at("read_ours"),
                 1.0 * kShots, 1);
    }
    if (latency)
        writeRow(out, "19 open target: shot sent on loopback to hit entered vs 50 ms", *latency,
                 50.0, 1);
    else
        std::fprintf(stderr, "the loopback target did not deliver\n");
    if (out != stdout)
        std::fclose(out);
    return latency ? 0 : 1;
}
