// Figures 12 and 13: the camera. Processing one 1280 x 720 frame of a face
// (HoleDetector::feed) is paired with decoding the same frame from the JPEG
// and the PNG a camera or a folder delivers, and turning it grey; both on one
// core. Then the time from a hole's first picture to its hit at the window's
// door: frames handed out at a camera's 25 a second through the camera link
// and its thread, the 0.4 s a hole has to stay included.
//
// Usage: ankerblick_bench_camera [--rows=FILE] [Google Benchmark options]
// Writes one tab-separated row per figure to FILE, as ankerblick_bench does.

#include "benchreport.h"

#include "features/camera/cameralink.h"
#include "support/renderedface.h"
#include "vision/facefinder.h"
#include "vision/holedetector.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <opencv2/core/utility.hpp>
#include <opencv2/imgcodecs.hpp>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

using namespace ankerblick;
using namespace ankerblick::bench;
using namespace ankerblick::test;

namespace {

using Clock = std::chrono::steady_clock;

const DisciplineInfo& face() {
    return *disciplineInfo(int(Discipline::LP));
}

// The LP face at 1280 x 720, its outermost ring 0.9 of the height, tilted 20 degrees.
CameraView view() {
    return {kPicture, 0.9 * kPicture.height / faceReachMm(face()), 20, 0};
}

struct Frames {
    std::vector<cv::Mat> bgr;
    std::vector<cv::Mat> shaken; // the same, the mount shaking by up to 2 px
    std::vector<std::vector<uchar>> jpeg;
    std::vector<std::vector<uchar>> png;
};

const Frames& frames() {
    static const Frames f = [] {
        Frames result;
        Paper paper(face(), view(), 1);
        for (int i = 0; i < 8; ++i) {
            result.bgr.push_back(expose(paper.view(), {1.0, {}, i, true}));
            result.jpeg.emplace_back();
            cv::imencode(".jpg", result.bgr.back(), result.jpeg.back(),
                         {cv::IMWRITE_JPEG_QUALITY, 85});
            result.png.emplace_back();
            cv::imencode(".png", result.bgr.back(), result.png.back());
            const cv::Point2d shift(((i * 5) % 9 - 4) / 2.0, ((i * 7) % 9 - 4) / 2.0);
            result.shaken.push_back(expose(shaken(paper.view(), shift), {1.0, {}, i, true}));
        }
        return result;
    }();
    return f;
}

void decode(benchmark::State& state, bool jpeg) {
    const Frames& f = frames();
    size_t i = 0;
    for (auto _ : state) {
        const cv::Mat bgr = cv::imdecode(jpeg ? f.jpeg[i] : f.png[i], cv::IMREAD_COLOR);
        cv::Mat grey;
        cv::cvtColor(bgr, grey, cv::COLOR_BGR2GRAY);
        benchmark::DoNotOptimize(grey.data);
        i = (i + 1) % f.jpeg.size();
    }
}

// Every frame fed, from the first: the plain ones are passed over, the
// shaken ones registered to the first, straightened and compared.
void feedOurs(benchmark::State& state, bool shaking) {
    const Frames& f = frames();
    const std::vector<cv::Mat>& fed = shaking ? f.shaken : f.bgr;
    const FaceInPicture found = findFace(f.bgr[0], face());
    if (!found.found) {
        state.SkipWithError("no face in the frame");
        return;
    }
    HoleDetector detector(found, face());
    qint64 time = 0;
    detector.feed(fed[0], time);
    size_t i = 1;
    for (auto _ : state) {
        time += 40;
        benchmark::DoNotOptimize(detector.feed(fed[i], time));
        i = (i + 1) % fed.size();
    }
}

// ---- From the first picture of a hole to its hit --------------------------

// A camera at 25 frames a second: plain pictures of the face for two seconds,
// then the face with a hole; when the first of those left is kept.
class PacedCapture final : public CameraCapture {
public:
    PacedCapture(std::vector<cv::Mat> frames, int firstHoled, std::atomic<Clock::rep>* holedAt)
        : m_frames(std::move(frames)), m_firstHoled(firstHoled), m_holedAt(holedAt) {}
    std::optional<QString> open(const QString&) override {
        m_start = Clock::now();
        m_next = 0;
        return std::nullopt;
    }
    std::optional<cv::Mat> nextFrame() override {
        if (m_next >= int(m_frames.size()))
            return std::nullopt;
        std::this_thread::sleep_until(m_start + std::chrono::milliseconds(40 * m_next));
        if (m_next == m_firstHoled)
            m_holedAt->store(Clock::now().time_since_epoch().count());
        m_time = quint32(40 * m_next);
        return m_frames[size_t(m_next++)];
    }
    quint32 frameTime() const override { return m_time; }
    void close() override {}

private:
    std::vector<cv::Mat> m_frames;
    int m_firstHoled;
    std::atomic<Clock::rep>* m_holedAt;
    Clock::time_point m_start;
    int m_next = 0;
    quint32 m_time = 0;
};

class PacedCamera final : public CameraService {
public:
    std::vector<cv::Mat> frames;
    int firstHoled = 0;
    std::atomic<Clock::rep> holedAt{0};
    QList<CameraSourceInfo> sources(const QStringList&) const override { return {}; }
    std::unique_ptr<CameraCapture> create() override {
        return std::make_unique<PacedCapture>(frames, firstHoled, &holedAt);
    }
};

class TimingDoor final : public HitDoor {
public:
    std::optional<Clock::time_point> hitAt;
    TargetGeometry geometry() const override { return {{0, 0}, 1.0}; }
    HitReceipt enter(const ArrivedHit&) override {
        if (!hitAt)
            hitAt = Clock::now();
        return {true, {}};
    }
    QString sourceActive(bool) override { return {}; }
    QString refusal() const override { return {}; }
    QString correct(PointF, std::optional<PointF>) override { return {}; }
};

// One run: milliseconds from the hole's first picture to its hit; < 0 when
// no hit came.
double holeToHit(PacedCamera& camera, double* longestBlockMs = nullptr) {
    camera.holedAt = 0;
    TimingDoor door;
    CameraLink link(camera);
    link.attach(&door);
    StallWatch stalls;
    link.start(QStringLiteral("bench"), face(), face().calibreMm);
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (door.hitAt)
            loop.quit();
    });
    poll.start(1);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    link.stop();
    // The stop is part of it: the thread ends while the loop goes round.
    while (link.stopping())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    if (longestBlockMs)
        *longestBlockMs = stalls.longestMs();
    if (!door.hitAt || camera.holedAt == 0)
        return -1;
    const Clock::time_point holed{Clock::duration(camera.holedAt.load())};
    return std::chrono::duration<double, std::milli>(*door.hitAt - holed).count();
}

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> args;
    const std::string rowsPath = takeRowsPath(argc, argv, args);
    int count = int(args.size());
    QCoreApplication app(count, args.data());
    cv::setNumThreads(1); // one core, for both sides of the pair

    add("decode_jpeg", [](benchmark::State& s) { decode(s, true); });
    add("decode_png", [](benchmark::State& s) { decode(s, false); });
    add("feed", [](benchmark::State& s) { feedOurs(s, false); });
    add("feed_shaken", [](benchmark::State& s) { feedOurs(s, true); });
    MedianCollector collector;
    if (!runAll(count, args, collector))
        return 2;
    for (const auto& [name, message] : collector.errors)
        std::fprintf(stderr, "%s: %s\n", name.c_str(), message.c_str());

    // The hole's latency, the camera link's thread free to use the other core.
    cv::setNumThreads(0);
    PacedCamera camera;
    Paper paper(face(), view(), 1);
    for (int i = 0; i < 50; ++i)
        camera.frames.push_back(expose(paper.view(), {1.0, {}, i, true}));
    camera.firstHoled = int(camera.frames.size());
    paper.shoot({8.3, -5.1}, kLightHole);
    for (int i = 0; i < 40; ++i)
        camera.frames.push_back(expose(paper.view(), {1.0, {}, 50 + i, true}));
    std::vector<double> latencies;
    std::vector<double> blocks;
    for (int run = 0; run < 5; ++run) {
        double block = 0;
        latencies.push_back(holeToHit(camera, &block));
        blocks.push_back(block);
    }
    std::sort(latencies.begin(), latencies.end());
    const double latency = latencies[latencies.size() / 2];
    std::sort(blocks.begin(), blocks.end());
    const double block = blocks[blocks.size() / 2];

    std::FILE* out = rowsPath.empty() ? stdout : std::fopen(rowsPath.c_str(), "a");
    if (!out) {
        std::perror(rowsPath.c_str());
        return 1;
    }
    const auto& m = collector.medians;
    const auto row = [&](const char* figure, double ours, double limit, double goal) {
        const double ratio = ours / limit;
        std::fprintf(out, "%s\t%.2f ms\t%.2f ms\t%.2f\t<= %g\t%s\n", figure, ours, limit, ratio,
                     goal, ratio <= goal ? "met" : "MISSED");
    };
    if (m.count("feed") && m.count("decode_jpeg"))
        row("13 camera frame 1280x720 processed vs JPEG decoded + grey", m.at("feed"),
            m.at("decode_jpeg"), 3);
    if (m.count("feed") && m.count("decode_png"))
        row("13 the same vs PNG decoded + grey", m.at("feed"), m.at("decode_png"), 3);
    if (m.count("feed"))
        row("13 camera frame 1280x720 processed, one core, vs 10 ms", m.at("feed"), 10.0, 1);
    if (m.count("feed_shaken") && m.count("decode_jpeg"))
        row("13 frame of a shaking mount, registered and compared, vs JPEG decoded + grey",
            m.at("feed_shaken"), m.at("decode_jpeg"), 3);
    if (m.count("feed_shaken"))
        row("13 the same, one core, vs 10 ms", m.at("feed_shaken"), 10.0, 1);
    if (latency >= 0)
        row("14 hole's first picture to its hit at the door vs 0.6 s", latency, 600.0, 1);
    else
        std::fprintf(stderr, "no hit came from the camera\n");
    if (latency >= 0)
        row("18 windows' thread blocked at most: camera on, hit, off vs one frame", block, 16.0, 1);
    if (out != stdout)
        std::fclose(out);
    return collector.errors.empty() && latency >= 0 ? 0 : 1;
}
