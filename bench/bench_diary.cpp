// Figures 8 to 11: the training diary. A window saves its series after
// every shot, so saving a series of ten shots must stay far within one frame
// (16 ms at 60 Hz); the diary window reads the series of every training, so
// reading 100,000 series is paired with a bare SELECT of the same rows.
// Figure 10 opens, filters and draws the diary window on that diary against
// the same SELECT; figure 11 takes the time a real diary adds to a shot in
// the main window, against one frame. Runs on the offscreen platform.
//
// Usage: ankerblick_bench_diary [--rows=FILE] [Google Benchmark options]
// Writes one tab-separated row per figure (figure, ours, limit, ratio, goal,
// verdict) to FILE, as ankerblick_bench does.

#include "benchdata.h"
#include "benchreport.h"
#include "benchservices.h"
#include "platform/clock.h"
#include "platform/serialport.h"

#include "app/application.h"
#include "features/diary/diarycharts.h"
#include "features/diary/diarywindow.h"
#include "model/background.h"
#include "platform/sqlitediary.h"
#include "widgets/targetview.h"
#include "windows/main/form1.h"

#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <QtTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace ankerblick;
using namespace ankerblick::diary;
using namespace ankerblick::bench;

namespace {

constexpr int kTrainings = 1000;
constexpr int kSeriesPerTraining = 100; // 100,000 series, 1,000,000 shots
constexpr double kFrameMs = 16.0;

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
            series.append(tenShotSeries(n));
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

// Figure 18's diary: the same 100,000 series in 10,000 trainings of ten
// series, so that the window's table holds 10,000 rows.
constexpr int kManyTrainings = 10000;
constexpr int kSeriesPerManyTraining = 10;
std::unique_ptr<SqliteDiary> g_many;

SqliteDiary& manyTrainingsDiary() {
    std::unique_ptr<SqliteDiary>& diary = g_many;
    if (!diary) {
        diary = std::make_unique<SqliteDiary>(scratchFolder() + QStringLiteral("/viele.sqlite"));
        QList<Series> series;
        for (int n = 1; n <= kSeriesPerManyTraining; ++n)
            series.append(tenShotSeries(n));
        Training t;
        t.shooter = QStringLiteral("Bench");
        for (int k = 0; k < kManyTrainings; ++k) {
            t.start = QDateTime::currentDateTime().addSecs(-3600 * k);
            if (!diary->importTraining(t, series, QByteArray::number(k)))
                qFatal("cannot fill the benchmark diary of many trainings");
        }
    }
    return *diary;
}

void saveOurs(benchmark::State& state) {
    SqliteDiary diary(scratchFolder() + QStringLiteral("/speichern.sqlite"));
    const std::optional<qint64> id = diary.beginTraining(Training{});
    const Series series = tenShotSeries(1);
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

// The window reads on another thread; what it read is shown in the loop.
void waitForRead(const DiaryWindow& window) {
    do
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    while (window.reading());
}

// The calls of "In der Ansage" are read after the trainings, by a read of
// their own: a window closed meanwhile leaves it running. Between the
// measured steps they are waited for, so that the reads of one window
// after another do not pile up.
void waitForCalls() {
    while (background::running() > 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

// Figure 18: the longest the windows' thread is blocked while the diary
// window opens and reads a diary of 10,000 trainings, and while it comes to
// the front again after a change (one training more), with everything read
// shown.
void blockedOurs(benchmark::State& state) {
    SqliteDiary& diary = manyTrainingsDiary();
    bench::AnsweringDialogs dialogs;
    QtPrinterService printers;
    for (auto _ : state) {
        StallWatch stalls;
        auto window = std::make_unique<DiaryWindow>(diary, dialogs, printers, systemClock());
        window->show();
        waitForRead(*window);
        Training t;
        t.shooter = QStringLiteral("Nachzügler");
        t.start = QDateTime::currentDateTime();
        diary.beginTraining(t);
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(window.get(), &activate);
        waitForRead(*window);
        state.SetIterationTime(stalls.longestMs() / 1000.0);
        state.PauseTiming();
        waitForCalls();
        window.reset();
        state.ResumeTiming();
    }
}

// Figure 10: the diary window on the 100,000 series. The window reads the
// diary in its constructor; grab() lays it out and paints table and charts.
void openWindowOurs(benchmark::State& state) {
    SqliteDiary& diary = fullDiary();
    bench::AnsweringDialogs dialogs;
    QtPrinterService printers;
    for (auto _ : state) {
        auto window = std::make_unique<DiaryWindow>(diary, dialogs, printers, systemClock());
        window->show();
        waitForRead(*window);
        benchmark::DoNotOptimize(window->grab());
        // Closing the window is not part of opening it.
        state.PauseTiming();
        waitForCalls();
        window.reset();
        state.ResumeTiming();
    }
}

// A choice of shooter makes the window query the diary again; both choices
// hold all trainings, so every change reads and draws the full data.
void filterOurs(benchmark::State& state) {
    bench::AnsweringDialogs dialogs;
    QtPrinterService printers;
    DiaryWindow window(fullDiary(), dialogs, printers, systemClock());
    window.show();
    waitForRead(window);
    auto* shooter = window.findChild<QComboBox*>(QStringLiteral("Schütze"));
    if (!shooter || shooter->count() < 2) {
        state.SkipWithError("no shooter to choose");
        return;
    }
    waitForCalls();
    // Each change asks for the calls again; one read runs at a time, beside
    // the changes measured.
    for (auto _ : state) {
        shooter->setCurrentIndex(shooter->currentIndex() == 0 ? 1 : 0);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.grab());
    }
    waitForCalls();
}

// Each chart of the views laid out at the window's size and its scene drawn
// into an image. The window stays hidden, so no view lays its chart out again
// at the size of a tab.
void chartsOurs(benchmark::State& state) {
    bench::AnsweringDialogs dialogs;
    QtPrinterService printers;
    DiaryWindow window(fullDiary(), dialogs, printers, systemClock());
    waitForRead(window);
    const QList<QChartView*> views = window.findChildren<QChartView*>();
    waitForCalls();
    if (views.size() != DiaryChartSet::kCount) {
        state.SkipWithError("the window does not show its five charts");
        return;
    }
    const QSizeF size = window.size();
    for (QChartView* view : views)
        view->chart()->resize(size);
    // The charts lay themselves out in posted events.
    QCoreApplication::sendPostedEvents();
    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        for (QChartView* view : views) {
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.setRenderHints(view->renderHints());
            view->scene()->render(&painter, QRectF(QPointF(), size),
                                  view->chart()->sceneBoundingRect());
        }
        benchmark::DoNotOptimize(image.constBits());
    }
    if (const QByteArray keep = qgetenv("ANKERBLICK_BENCH_CHART"); !keep.isEmpty())
        image.save(QString::fromLocal8Bit(keep));
}

// Figure 11: shots entered in the main window as the shooter does, a call
// and a hit clicked on the target, with the real diary and the in-memory one.
void clickAt(QWidget* surface, QPoint at) {
    // The waiting mark follows the pointer, so it comes from a neighbour.
    QTest::mouseMove(surface, at + QPoint(1, 0));
    QTest::mouseMove(surface, at);
    QTest::mouseClick(surface, Qt::LeftButton, {}, at);
}

void shootInto(benchmark::State& state, Diary& diary) {
    bench::BenchServices base;
    Services services{base.dialogs, base.clock,   base.tones, base.printers,   base.settings,
                      diary,        base.cameras, {},         makeQtSerialPort};
    Application program(services, StartOptions{QStringLiteral("Bench"), {}, {}});
    program.begin();
    Form1& form = program.mainWindow();
    form.show();
    QCoreApplication::processEvents();
    auto* surface = form.findChild<TargetView*>();
    auto* next = form.findChild<QPushButton*>(QStringLiteral("WeitereSerie"));
    if (!surface || !next) {
        state.SkipWithError("no target view or no button for the next series");
        return;
    }
    int shot = 0;
    for (auto _ : state) {
        if (shot > 0 && shot % kShotsPerSeries == 0) {
            state.PauseTiming();
            next->click();
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
        clickAt(surface, QPoint(244, 228));
        clickAt(surface, QPoint(236 + shot % 5 * 4, 220 + shot % 3 * 8));
        QCoreApplication::processEvents();
        ++shot;
    }
    form.close();
}

int g_diaryFiles = 0;

void shotSqlite(benchmark::State& state) {
    // A new diary for every repetition, as a club member's first training.
    SqliteDiary diary(scratchFolder() + QStringLiteral("/schuss%1.sqlite").arg(++g_diaryFiles));
    shootInto(state, diary);
}

void shotMemory(benchmark::State& state) {
    MemoryDiary diary;
    shootInto(state, diary);
}

// A hundred shots per repetition: ten series, within what a window lists.
template <typename F> void addShots(const std::string& name, F&& function) {
    bench::add(name, std::forward<F>(function))->Iterations(100);
}

void writeRows(std::FILE* out, const std::map<std::string, double>& m) {
    if (m.count("save"))
        writeRow(out, "8 save a series of ten shots vs one frame", m.at("save"), kFrameMs, 0.25);
    if (m.count("select") && m.count("series"))
        writeRow(out, "9 read 100,000 series vs bare SELECT", m.at("series"), m.at("select"), 2);
    if (m.count("select") && m.count("trainings"))
        writeRow(out, "9 table of 1,000 trainings vs the same SELECT", m.at("trainings"),
                 m.at("select"), 1);
    const char* window[][2] = {
        {"open", "10 open the diary window (100,000 series) vs bare SELECT"},
        {"filter", "10 diary window: filter change, query and redraw vs bare SELECT"},
        {"charts", "10 diary window: draw the five charts vs bare SELECT"}};
    for (const auto& [name, figure] : window)
        if (m.count("select") && m.count(name))
            writeRow(out, figure, m.at(name), m.at("select"), 2);
    if (m.count("blocked"))
        writeRow(out,
                 "18 windows' thread blocked at most: diary window opened and activated after a "
                 "change (10,000 trainings, 100,000 series) vs one frame",
                 m.at("blocked"), kFrameMs, 1);
    // The diary's share of a shot: what the real diary adds to the same shot.
    if (m.count("shot_sqlite") && m.count("shot_memory"))
        writeRow(out, "11 shot in the main window, added by the diary vs one frame",
                 std::max(0.0, m.at("shot_sqlite") - m.at("shot_memory")), kFrameMs, 1);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> args;
    const std::string rowsPath = takeRowsPath(argc, argv, args);
    int count = int(args.size());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(count, args.data());
    QLocale::setDefault(bench::benchLocale());
    add("save", saveOurs);
    add("series", seriesOurs);
    add("trainings", trainingsOurs);
    add("select", selectLimit);
    add("open", openWindowOurs);
    add("filter", filterOurs);
    add("charts", chartsOurs);
    // The longest stall is the figure, not the wall time: manual time only.
    benchmark::RegisterBenchmark("blocked", blockedOurs)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true);
    addShots("shot_sqlite", shotSqlite);
    addShots("shot_memory", shotMemory);
    MedianCollector collector;
    if (!runAll(count, args, collector))
        return 2;
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
    g_many.reset();
    return collector.errors.empty() ? 0 : 1;
}
