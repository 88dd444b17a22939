// Figures 8 and 9: the training diary. A window saves its series after
// every shot, so saving a series of ten shots must stay far within one frame
// (16 ms at 60 Hz); the diary window reads the series of every training, so
// reading 100,000 series is paired with a bare SELECT of the same rows.
//
// Usage: ankerblick_bench_diary [--rows=FILE] [Google Benchmark options]
// Writes one tab-separated row per figure (figure, ours, limit, ratio, goal,
// verdict) to FILE, as ankerblick_bench does.

#include "platform/sqlitediary.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace ankerblick;
using namespace ankerblick::diary;

namespace {

constexpr int kRepetitions = 5;
constexpr int kTrainings = 1000;
constexpr int kSeriesPerTraining = 100; // 100,000 series, 1,000,000 shots
constexpr double kFrameMs = 16.0;

// A full series as the main window keeps it: calls, ratings and times.
Series tenShots(int number) {
    Series s;
    s.number = number;
    s.time = QDateTime::currentDateTime();
    for (int i = 0; i < kShotsPerSeries; ++i) {
        Shot shot;
        shot.slot = i;
        shot.hit = {i * 1.5, -i * 0.75};
        shot.call = group::PointMm{i * 1.0, 2.0};
        shot.value = 9.0 + i / 10.0;
        shot.callValue = 10.1;
        shot.rating = i % 2 ? 10 : 5;
        shot.sekMm = 12 * i;
        shot.shootingTime = 7.5;
        s.shots.append(shot);
        s.record.hitLeft[size_t(i)] = qint16(100 + i);
    }
    return s;
}

QString scratchFolder() {
    static QTemporaryDir dir;
    return dir.path();
}

// The diary of 100,000 series, written once per process and closed at the
// end of main, while Qt's registry of connections still exists.
std::unique_ptr<SqliteDiary> g_full;

SqliteDiary& fullDiary() {
    std::unique_ptr<SqliteDiary>& diary = g_full;
    if (!diary) {
        diary = std::make_unique<SqliteDiary>(scratchFolder() + QStringLiteral("/voll.sqlite"));
        QList<Series> series;
        for (int n = 1; n <= kSeriesPerTraining; ++n)
            series.append(tenShots(n));
        Training t;
        t.shooter = QStringLiteral("Bench");
        for (int k = 0; k < kTrainings; ++k) {
            t.start = QDateTime::currentDateTime().addDays(-k);
            if (!diary->importTraining(t, series, QByteArray::number(k)))
                qFatal("cannot fill the benchmark diary");
        }
    }
    return *diary;
}

void saveOurs(benchmark::State& state) {
    SqliteDiary diary(scratchFolder() + QStringLiteral("/speichern.sqlite"));
    const std::optional<qint64> id = diary.beginTraining(Training{});
    const Series series = tenShots(1);
    for (auto _ : state)
        if (!id || !diary.saveSeries(*id, series))
            state.SkipWithError("saveSeries failed");
}

void seriesOurs(benchmark::State& state) {
    SqliteDiary& diary = fullDiary();
    for (auto _ : state)
        benchmark::DoNotOptimize(diary.seriesSummaries({}));
}

void trainingsOurs(benchmark::State& state) {
    SqliteDiary& diary = fullDiary();
    for (auto _ : state)
        benchmark::DoNotOptimize(diary.trainings({}));
}

// Every column the series summaries hold, each read as a number.
void selectLimit(benchmark::State& state) {
    fullDiary();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bare"));
    db.setDatabaseName(scratchFolder() + QStringLiteral("/voll.sqlite"));
    if (!db.open())
        state.SkipWithError("cannot open the diary");
    for (auto _ : state) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.exec(QStringLiteral("SELECT training, number, time, shots, scored, sum_whole, "
                              "sum_tenths, calls_rated, calls10, sekmm_sum, mpi_x, mpi_y, "
                              "group_size FROM series"));
        double sum = 0.0;
        while (q.next())
            for (int i = 0; i < 13; ++i)
                sum += q.value(i).toDouble();
        benchmark::DoNotOptimize(sum);
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("bare"));
}

template <typename F> void add(const std::string& name, F&& function) {
    benchmark::RegisterBenchmark(name.c_str(), std::forward<F>(function))
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true);
}

// Keeps the median wall time of every benchmark, in milliseconds.
class MedianCollector final : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> medians;
    std::map<std::string, std::string> errors;

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                errors[run.run_name.function_name] = run.error_message;
            else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }
};

void writeRow(std::FILE* out, const char* figure, double ours, double limit, double goal) {
    const double ratio = ours / limit;
    std::fprintf(out, "%s\t%.2f ms\t%.1f ms\t%.2f\t<= %g\t%s\n", figure, ours, limit, ratio, goal,
                 ratio <= goal ? "met" : "MISSED");
}

void writeRows(std::FILE* out, const std::map<std::string, double>& m) {
    if (m.count("save"))
        writeRow(out, "8 save a series of ten shots vs one frame", m.at("save"), kFrameMs, 0.25);
    if (m.count("select") && m.count("series"))
        writeRow(out, "9 read 100,000 series vs bare SELECT", m.at("series"), m.at("select"), 2);
    if (m.count("select") && m.count("trainings"))
        writeRow(out, "9 table of 1,000 trainings vs the same SELECT", m.at("trainings"),
                 m.at("select"), 1);
}

} // namespace

int main(int argc, char** argv) {
    std::string rowsPath;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--rows=", 7) == 0)
            rowsPath = argv[i] + 7;
        else
            args.push_back(argv[i]);
    }
    int count = int(args.size());
    QCoreApplication app(count, args.data());
    add("save", saveOurs);
    add("series", seriesOurs);
    add("trainings", trainingsOurs);
    add("select", selectLimit);
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 2;
    MedianCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    for (const auto& [name, message] : collector.errors)
        std::fprintf(stderr, "%s: %s\n", name.c_str(), message.c_str());
    std::FILE* out = rowsPath.empty() ? stdout : std::fopen(rowsPath.c_str(), "a");
    if (!out) {
        std::perror(rowsPath.c_str());
        return 1;
    }
    writeRows(out, collector.medians);
    if (out != stdout)
        std::fclose(out);
    g_full.reset();
    return collector.errors.empty() ? 0 : 1;
}
