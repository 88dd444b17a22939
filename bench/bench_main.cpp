// Figures 1 to 4: the series file read and written, the all-series view and
// the value/time graph painted, each paired in the same process with the bare
// operation that bounds it from below; figure 7, the group analysis, and
// figure 12, a photo's holes.
//
// Usage: ankerblick_bench [--rows=FILE] [Google Benchmark options]
// Writes one tab-separated row per figure (figure, ours, limit, ratio, goal,
// verdict) to FILE; bench.sh prints them as a table.

#include "benchdata.h"
#include "benchreport.h"
#include "benchservices.h"

#include "features/timeanalysis/ausgabeform.h"
#include "features/timeanalysis/valuetimeanalysis.h"
#include "files/seriesfile.h"
#include "sheets/groupreport.h"
#include "support/renderedphoto.h"
#include "vision/photoholes.h"
#include "widgets/targetview.h"
#include "windows/analysis/analyseanzeige.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace ankerblick;
using namespace ankerblick::bench;

namespace {

constexpr QSize kImageSize(1920, 1080);
constexpr int kPaintedSeries = 1000; // 10,000 shots on the face, 10,000 time lines

// ---- Files -------------------------------------------------------------------

// The history file of `count` series, written once per count.
const QString& historyPath(int count) {
    static std::map<int, QString> paths;
    auto it = paths.find(count);
    if (it == paths.end()) {
        const QString path = scratchPath(QStringLiteral("history-%1.txt").arg(count));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(historyFile(count)) < 0)
            qFatal("cannot write the benchmark file");
        it = paths.emplace(count, path).first;
    }
    return it->second;
}

// The page faults of the process so far: every page of memory fresh from the
// system costs one when first touched.
long pageFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

void readOurs(benchmark::State& state, int count) {
    const QString path = historyPath(count);
    const QLocale locale = benchLocale();
    // A window lists at most kMaxSeries series; the reader is measured beyond
    // that with the limit raised, to show how its cost grows.
    const int maxSeries = std::max(count, kMaxSeries);
    const long faults = pageFaults();
    for (auto _ : state) {
        SeriesFileReadResult result = readSeriesFile(path, locale, maxSeries);
        if (result.error || result.content.series.size() != count)
            state.SkipWithError("the file was not read completely");
        benchmark::DoNotOptimize(result);
    }
    state.counters["faults"] =
        benchmark::Counter(double(pageFaults() - faults), benchmark::Counter::kAvgIterations);
}

// Reads the same bytes and converts every line that starts with a number.
void readLimit(benchmark::State& state, int count) {
    const QByteArray path = QFile::encodeName(historyPath(count));
    std::vector<char> buffer;
    for (auto _ : state) {
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        if (fd < 0 || ::fstat(fd, &info) != 0) {
            state.SkipWithError("cannot open the benchmark file");
            break;
        }
        buffer.resize(size_t(info.st_size));
        size_t got = 0;
        while (got < buffer.size()) {
            const ssize_t n = ::read(fd, buffer.data() + got, buffer.size() - got);
            if (n <= 0)
                break;
            got += size_t(n);
        }
        ::close(fd);
        long long sum = 0;
        const char* p = buffer.data();
        const char* const end = p + got;
        while (p < end) {
            const char* eol = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
            if (!eol)
                eol = end;
            int value = 0;
            if (std::from_chars(p, eol, value).ec == std::errc())
                sum += value;
            p = eol + 1;
        }
        benchmark::DoNotOptimize(sum);
    }
}

const SeriesFileContent& history(int count) {
    static std::map<int, SeriesFileContent> contents;
    auto it = contents.find(count);
    if (it == contents.end())
        it = contents.emplace(count, makeHistory(count)).first;
    return it->second;
}

void writeOurs(benchmark::State& state, int count) {
    const SeriesFileContent& content = history(count);
    const QString path = scratchPath(QStringLiteral("written-ours.txt"));
    for (auto _ : state)
        if (writeSeriesFile(path, content, SeriesFileStyle::MainWindow))
            state.SkipWithError("the file was not written");
}

// The same bytes with the safety of saving in one piece: a new file, its
// data on the disk, then renamed over the old one.
void writeSafeLimit(benchmark::State& state, int count) {
    const QByteArray bytes = encodeSeriesFile(history(count), SeriesFileStyle::MainWindow);
    const QByteArray path = QFile::encodeName(scratchPath(QStringLiteral("written-safe.txt")));
    const QByteArray temporary = path + ".new";
    for (auto _ : state) {
        const int fd =
            ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size() ||
            ::fdatasync(fd) != 0 || ::close(fd) != 0 ||
            ::rename(temporary.constData(), path.constData()) != 0) {
            state.SkipWithError("cannot write the benchmark file");
            break;
        }
    }
}

void writeLimit(benchmark::State& state, int count) {
    const QByteArray bytes = encodeSeriesFile(history(count), SeriesFileStyle::MainWindow);
    const QByteArray path = QFile::encodeName(scratchPath(QStringLiteral("written-limit.txt")));
    for (auto _ : state) {
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size()) {
            state.SkipWithError("cannot write the benchmark file");
            break;
        }
        ::close(fd);
    }
}

// ---- Windows -----------------------------------------------------------------

// The analysis window with the history of kPaintedSeries series loaded.
struct LoadedWindow {
    BenchServices services;
    std::unique_ptr<AnalyseAnzeige> window;

    LoadedWindow() {
        services.dialogs.openName = historyPath(kPaintedSeries);
        window = std::make_unique<AnalyseAnzeige>(services.services);
        window->resize(kImageSize);
        window->show();
        click(QStringLiteral("Laden"));
        QApplication::processEvents();
    }
    void click(const QString& button) {
        auto* b = window->findChild<QPushButton*>(button);
        if (!b)
            qFatal("button not found");
        b->click();
    }
};

// Made on first use, destroyed before the application ends.
std::unique_ptr<LoadedWindow> g_loaded;

LoadedWindow& loadedWindow() {
    if (!g_loaded)
        g_loaded = std::make_unique<LoadedWindow>();
    return *g_loaded;
}

void allSeriesOurs(benchmark::State& state) {
    LoadedWindow& w = loadedWindow();
    w.click(QStringLiteral("AlleSerienAnzeigen"));
    QImage image(w.window->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        w.window->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["discs"] = double(w.window->sheet().shotCentres().size());
}

void allSeriesLimit(benchmark::State& state) {
    LoadedWindow& w = loadedWindow();
    w.click(QStringLiteral("AlleSerienAnzeigen"));
    // The discs at the size and place the window's scaled view shows them.
    const auto* view = w.window->findChild<TargetView*>();
    if (!view)
        qFatal("target view not found");
    QList<QPointF> centres;
    for (const PointF& c : w.window->sheet().shotCentres())
        centres.append(view->toWidget(QPointF(c.x, c.y)));
    const double r = w.window->sheet().paintRadius() * view->scale();
    QImage image(w.window->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(QColor(0, 0, 0), 1.0));
        p.setBrush(QColor(255, 0, 0));
        for (const QPointF& c : centres)
            p.drawEllipse(c, r, r);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["discs"] = double(centres.size());
}

// The graph window showing the value/time graph of the loaded window's shot
// times, 0 to 10 rings over 0 to 1000 seconds, on a picture of about
// kImageSize. The window's analysis owns it; its redraw request lays the
// graph out afresh and paints it, as a resize does.
AusgabeForm& openGraph() {
    static AusgabeForm* form = [] {
        LoadedWindow& w = loadedWindow();
        // "Schusszeit", 0 to 10 rings, 0 to 1000 seconds.
        w.services.dialogs.form = FormAnswer{0,
                                             {QStringLiteral("0"), QStringLiteral("10"),
                                              QStringLiteral("0"), QStringLiteral("1000")}};
        w.click(QStringLiteral("Schusszeitanalyse"));
        AusgabeForm* shown = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<AusgabeForm*>(widget))
                shown = f;
        if (!shown)
            qFatal("the analysis opened no graph window");
        shown->showNormal();
        // The picture is 140 twips narrower and 450 twips lower than the window.
        shown->resize(kImageSize + QSize(10, 30));
        QApplication::processEvents();
        return shown;
    }();
    return *form;
}

void graphOurs(benchmark::State& state) {
    AusgabeForm& form = openGraph();
    for (auto _ : state) {
        Q_EMIT form.redrawRequested();
        benchmark::DoNotOptimize(form.Picture1()->image().constBits());
    }
    const QSize size = form.Picture1()->image().size();
    state.counters["width"] = size.width();
    state.counters["height"] = size.height();
}

void graphLimit(benchmark::State& state) {
    AusgabeForm& form = openGraph();
    const QSize size = form.Picture1()->image().size();
    // The lines and discs the graph consists of, as the window laid them out.
    const timeanalysis::GraphLayout graph = form.graph();
    const double r = timeanalysis::kDiscRadius;
    for (auto _ : state) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setPen(QPen(Qt::black, 0));
        p.drawLines(graph.valueLines);
        p.drawLines(graph.timeLines);
        p.setBrush(QColor(255, 0, 0));
        for (const QPointF& c : graph.discs)
            p.drawEllipse(c, r, r);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["lines"] = double(graph.valueLines.size() + graph.timeLines.size());
    state.counters["discs"] = double(graph.discs.size());
}

// ---- Group analysis ------------------------------------------------------------

// All series of a 10,000-series history: their shots with calls and ratings
// taken into millimetres and the figures of all of them, against scoring the
// same shots as the main window does: each hit's value and its call's rating.
constexpr int kAnalysedSeries = 10000;

void groupOurs(benchmark::State& state) {
    const QList<SeriesRecord>& series = history(kAnalysedSeries).series;
    TargetFace face;
    face.apply(int(Discipline::LP));
    const RatingOptions options;
    for (auto _ : state) {
        QList<group::Shot> shots;
        shots.reserve(series.size() * kShotsPerSeries);
        for (const SeriesRecord& record : series)
            shots.append(group::shotsOf(record, face, &options));
        const group::Figures figures = group::analyse(shots);
        benchmark::DoNotOptimize(figures);
    }
}

// Scoring one shot as the main window does: the hit's value and, when a call
// was entered, the call's value and its rating against the hit.
double scoreShot(const SeriesRecord& record, int slot, const TargetFace& face,
                 const RatingOptions& options) {
    const auto s = size_t(slot);
    const float half = face.markDiameter() / 2.0f;
    const PointF centre = face.centre();
    const PointF hit{float(record.hitLeft[s]) + half, float(record.hitTop[s]) + half};
    const std::optional<double> v = tryHitValue(hit, centre, face.scoring());
    if (!v || (record.callLeft[s] == 0 && record.callTop[s] == 0))
        return v.value_or(0.0);
    const PointF call{float(record.callLeft[s]) + half, float(record.callTop[s]) + half};
    const std::optional<RingValue> cv = tryCallValue(call, centre, face.scoring());
    if (!cv)
        return *v;
    const LineF line{float(record.lineX1[s]), float(record.lineY1[s]), float(record.lineX2[s]),
                     float(record.lineY2[s]), true};
    const std::optional<CallRating> r =
        tryRateCall(call, hit, centre, *v, cv->value, line.length(), face.scale(), options);
    return *v + (r ? double(r->callScore) : 0.0);
}

void groupLimit(benchmark::State& state) {
    const QList<SeriesRecord>& series = history(kAnalysedSeries).series;
    TargetFace face;
    face.apply(int(Discipline::LP));
    const RatingOptions options;
    for (auto _ : state) {
        double sum = 0.0;
        for (const SeriesRecord& record : series)
            for (int i = 0; i < kShotsPerSeries; ++i)
                if (record.hasShot(i))
                    sum += scoreShot(record, i, face, options);
        benchmark::DoNotOptimize(sum);
    }
}

// ---- A photo of a shot face ----------------------------------------------------

// Figure 12: a phone photo of an LP face, 1920 x 1080, tilted 20 degrees,
// with eleven holes (a group of five, one of four, one of two on the card),
// stored as JPEG: decoded and all its holes found, as "Foto einlesen …" does
// (vision/photoholes.h), against the goal of one second; and, for
// reference, decoding the same JPEG and turning it grey.
const std::vector<uchar>& shotPhoto() {
    static const std::vector<uchar> bytes = [] {
        using namespace ankerblick::test;
        const std::vector<Hole> holes = [] {
            std::vector<Hole> all = holeGroup({3.0, -3.0}, 5, 2.4, 10);
            for (const std::vector<Hole>& more : {holeGroup({-14.0, 10.0}, 4, 2.2, 40),
                                                  holeGroup({38.0, -14.0}, 2, 3.2, -30, false)})
                all.insert(all.end(), more.begin(), more.end());
            return all;
        }();
        std::vector<uchar> jpeg;
        cv::imencode(
            ".jpg",
            photo(*disciplineInfo(int(Discipline::LP)), holes, mmToPhoto(8.0, 20.0, -25.0), 1),
            jpeg, {cv::IMWRITE_JPEG_QUALITY, 90});
        return jpeg;
    }();
    return bytes;
}

void photoOurs(benchmark::State& state) {
    const DisciplineInfo& lp = *disciplineInfo(int(Discipline::LP));
    for (auto _ : state) {
        const PhotoHoles found = findPhotoHoles(cv::imdecode(shotPhoto(), cv::IMREAD_COLOR), lp);
        if (found.holesMm.size() != 11)
            state.SkipWithError("the photo's holes were not all found");
        benchmark::DoNotOptimize(found);
    }
}

void photoDecode(benchmark::State& state) {
    for (auto _ : state) {
        cv::Mat grey;
        cv::cvtColor(cv::imdecode(shotPhoto(), cv::IMREAD_COLOR), grey, cv::COLOR_BGR2GRAY);
        benchmark::DoNotOptimize(grey);
    }
}

// ---- Registration and report -------------------------------------------------

std::string milliseconds(double ms) {
    char text[32];
    std::snprintf(text, sizeof text, ms < 10 ? "%.2f ms" : "%.1f ms", ms);
    return text;
}

struct Row {
    std::string figure, ours, limit;
    double ratio = 0;
    double goal = 0; // 0: a reference row without a goal of its own
};

void writeRows(std::FILE* out, const std::vector<Row>& rows) {
    for (const Row& r : rows) {
        if (r.goal > 0)
            std::fprintf(out, "%s\t%s\t%s\t%.2f\t<= %.1f\t%s\n", r.figure.c_str(), r.ours.c_str(),
                         r.limit.c_str(), r.ratio, r.goal, r.ratio <= r.goal ? "met" : "MISSED");
        else
            std::fprintf(out, "%s\t%s\t%s\t%.2f\t-\treference\n", r.figure.c_str(), r.ours.c_str(),
                         r.limit.c_str(), r.ratio);
    }
}

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> args;
    const std::string rowsPath = takeRowsPath(argc, argv, args);
    int count = int(args.size());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(count, args.data());
    QLocale::setDefault(benchLocale());

    for (const int n : {1000, 10000, 100000}) {
        add("read/ours/" + std::to_string(n), [n](benchmark::State& s) { readOurs(s, n); });
        add("read/limit/" + std::to_string(n), [n](benchmark::State& s) { readLimit(s, n); });
    }
    for (const int n : {10000, 100000}) {
        add("write/ours/" + std::to_string(n), [n](benchmark::State& s) { writeOurs(s, n); });
        add("write/limit/" + std::to_string(n), [n](benchmark::State& s) { writeLimit(s, n); });
        add("write/safe/" + std::to_string(n), [n](benchmark::State& s) { writeSafeLimit(s, n); });
    }
    add("allseries/ours", allSeriesOurs);
    add("allseries/limit", allSeriesLimit);
    add("graph/ours", graphOurs);
    add("graph/limit", graphLimit);
    add("group/ours", groupOurs);
    add("group/limit", groupLimit);
    add("photo/ours", photoOurs);
    add("photo/decode", photoDecode);

    MedianCollector collector;
    if (!runAll(count, args, collector))
        return 2;

    const auto& m = collector.medians;
    const auto has = [&](const char* a, const char* b) {
        return m.count(a) && m.count(b);
    };
    std::vector<Row> rows;
    const auto pair = [&](const char* figure, const char* ours, const char* limit, double goal) {
        if (has(ours, limit))
            rows.push_back({figure, milliseconds(m.at(ours)), milliseconds(m.at(limit)),
                            m.at(ours) / m.at(limit), goal});
    };
    // Linear growth: ten times the series may take at most twelve times as
    // long. The bare operation's own growth on this machine follows as a
    // reference row.
    const auto growth = [&](const char* figure, const char* small, const char* large, double goal) {
        if (has(small, large)) {
            const double factor = m.at(large) / m.at(small);
            char text[32];
            std::snprintf(text, sizeof text, "%.1f x", factor);
            rows.push_back({figure, text, "10 x", factor / 10, goal});
        }
    };
    pair("1 read 1,000 series", "read/ours/1000", "read/limit/1000", 2);
    pair("1 read 10,000 series", "read/ours/10000", "read/limit/10000", 2);
    pair("1 read 100,000 series", "read/ours/100000", "read/limit/100000", 2);
    growth("1 read growth 10,000 -> 100,000", "read/ours/10000", "read/ours/100000", 1.2);
    growth("1   bare read growth", "read/limit/10000", "read/limit/100000", 0);
    pair("2 write 10,000 series", "write/ours/10000", "write/limit/10000", 2);
    pair("2 write 10,000, limit with fdatasync", "write/ours/10000", "write/safe/10000", 2);
    pair("2 write 100,000, limit with fdatasync", "write/ours/100000", "write/safe/100000", 2);
    growth("2 write growth 10,000 -> 100,000", "write/ours/10000", "write/ours/100000", 1.2);
    growth("2   bare write + fdatasync growth", "write/safe/10000", "write/safe/100000", 0);
    pair("3 all-series view, 10,000 discs", "allseries/ours", "allseries/limit", 2);
    pair("4 value/time graph, 10,000 times", "graph/ours", "graph/limit", 2);
    pair("7 group analysis of 10,000 series vs rating", "group/ours", "group/limit", 2);
    if (m.count("photo/ours")) {
        const double ours = m.at("photo/ours");
        rows.push_back(
            {"12 a 1920 x 1080 photo's holes", milliseconds(ours), "1000 ms", ours / 1000, 1});
        if (m.count("photo/decode"))
            rows.push_back({"12   against decoding it to grey", milliseconds(ours),
                            milliseconds(m.at("photo/decode")), ours / m.at("photo/decode"), 0});
    }

    for (const auto& [name, message] : collector.errors)
        std::fprintf(stderr, "%s: %s\n", name.c_str(), message.c_str());
    if (!rowsPath.empty()) {
        std::FILE* out = std::fopen(rowsPath.c_str(), "a");
        if (!out) {
            std::perror(rowsPath.c_str());
            return 1;
        }
        writeRows(out, rows);
        std::fclose(out);
    } else {
        writeRows(stdout, rows);
    }
    g_loaded.reset();
    return collector.errors.empty() ? 0 : 1;
}
