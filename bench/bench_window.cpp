// Figure 5: the analysis window on the offscreen platform, in one process per
// measurement so that each peak memory is its own.
//
//   ankerblick_bench_window write FILE COUNT   writes a history of COUNT series
//   ankerblick_bench_window diary FILE COUNT   writes a training diary of COUNT
//                                              series, for the start-up (figure 6)
//   ankerblick_bench_window empty              shows the empty window
//   ankerblick_bench_window load FILE          shows the window, loads FILE with
//                                              "Laden" and shows all series
//
// The last two print the milliseconds from the press on "Laden" until the
// all-series view is painted (0 for the empty window) and the peak resident
// memory of the process in KiB.

#include "benchdata.h"
#include "benchservices.h"

#include "platform/sqlitediary.h"
#include "windows/analysis/analyseanzeige.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QPushButton>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>

using namespace ankerblick;
using namespace ankerblick::bench;

namespace {

long peakKib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int usage() {
    std::fprintf(stderr,
                 "usage: ankerblick_bench_window write|diary FILE COUNT | empty | load FILE\n");
    return 2;
}

// One training of `count` series taken in at once, in one transaction.
int writeDiary(const QString& path, int count) {
    SqliteDiary diary(path);
    QList<diary::Series> series;
    series.reserve(count);
    for (int n = 1; n <= count; ++n)
        series.append(tenShotSeries(n));
    diary::Training training;
    training.shooter = QStringLiteral("Bench");
    training.start = QDateTime::currentDateTime().addYears(-1);
    training.end = QDateTime::currentDateTime();
    return diary.importTraining(training, series, "bench") ? 0 : 1;
}

void click(QWidget& window, const QString& name) {
    auto* button = window.findChild<QPushButton*>(name);
    if (!button)
        qFatal("button not found");
    button->click();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usage();
    const bool write = std::strcmp(argv[1], "write") == 0;
    const bool diary = std::strcmp(argv[1], "diary") == 0;
    const bool load = std::strcmp(argv[1], "load") == 0;
    const bool empty = std::strcmp(argv[1], "empty") == 0;
    if (((write || diary) && argc != 4) || (load && argc != 3) || (empty && argc != 2) ||
        !(write || diary || load || empty))
        return usage();

    if (write) {
        QFile file(QString::fromLocal8Bit(argv[2]));
        const QByteArray bytes = historyFile(std::atoi(argv[3]));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? 0 : 1;
    }

    if (diary) {
        QCoreApplication core(argc, argv);
        return writeDiary(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    }

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(benchLocale());
    BenchServices services;
    AnalyseAnzeige window(services.services);
    window.show();
    QApplication::processEvents();
    window.repaint();

    qint64 elapsed = 0;
    if (load) {
        services.dialogs.openName = QString::fromLocal8Bit(argv[2]);
        QElapsedTimer timer;
        timer.start();
        click(window, QStringLiteral("Laden"));
        click(window, QStringLiteral("AlleSerienAnzeigen"));
        window.repaint();
        QApplication::processEvents();
        elapsed = timer.elapsed();
        const auto* shots = window.findChild<QListWidget*>(QStringLiteral("SchussListe"));
        if (services.dialogs.messages != 0 || !shots ||
            shots->count() != window.sheet().seriesCount() * kShotsPerSeries) {
            std::fprintf(stderr, "the file was not loaded completely\n");
            return 1;
        }
    }
    std::printf("%lld %ld\n", static_cast<long long>(elapsed), peakKib());
    return 0;
}
