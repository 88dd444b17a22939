#pragma once

// What the benchmark programs share: how a benchmark is registered (wall
// time in milliseconds, five repetitions, aggregates only) and the reporter
// that keeps each benchmark's median.

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace ankerblick::bench {

inline constexpr int kRepetitions = 5;

template <typename F> benchmark::internal::Benchmark* add(const std::string& name, F&& function) {
    return benchmark::RegisterBenchmark(name.c_str(), std::forward<F>(function))
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

// Takes "--rows=FILE" (where the rows of the table go) out of the arguments
// and keeps the others, for Google Benchmark, in `args`.
inline std::string takeRowsPath(int argc, char** argv, std::vector<char*>& args) {
    std::string rowsPath;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--rows=", 7) == 0)
            rowsPath = argv[i] + 7;
        else
            args.push_back(argv[i]);
    }
    return rowsPath;
}

// The longest time the thread's event loop did not come round while the
// watch was there: a timer of 1 ms notes the gap between its ticks. An
// absolute time, to set against one frame (16 ms).
class StallWatch {
public:
    StallWatch() {
        m_clock.start();
        QObject::connect(&m_tick, &QTimer::timeout, [this] { tick(); });
        m_tick.start(1);
    }
    double longestMs() {
        tick();
        return double(m_longest) / 1e6;
    }

private:
    void tick() {
        const qint64 now = m_clock.nsecsElapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }
    QElapsedTimer m_clock;
    QTimer m_tick;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

// One row of the table: figure, ours, limit, ratio, goal, whether met. The
// limit with two decimals: a bare round trip on loopback is a fraction of a
// millisecond.
inline void writeRow(std::FILE* out, const char* figure, double ours, double limit, double goal) {
    const double ratio = ours / limit;
    std::fprintf(out, "%s\t%.2f ms\t%.2f ms\t%.2f\t<= %g\t%s\n", figure, ours, limit, ratio, goal,
                 ratio <= goal ? "met" : "MISSED");
}

// Runs the registered benchmarks into the collector; false on arguments
// Google Benchmark does not know (it has said which).
inline bool runAll(int& count, std::vector<char*>& args, MedianCollector& collector) {
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return false;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    return true;
}

} // namespace ankerblick::bench
