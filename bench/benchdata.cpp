#include "benchdata.h"

#include "model/numeric.h"
#include "sheets/shottimes.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

namespace ankerblick::bench {

namespace {

constexpr double kCentreX = 244; // centre of the black area in drawing units
constexpr double kCentreY = 228;
constexpr double kSpread = 45; // a club shooter's group, in drawing units

qint16 around(QRandomGenerator& random, double centre) {
    // Normally distributed from the sum of three uniform draws; kept on the sheet.
    double sum = 0;
    for (int i = 0; i < 3; ++i)
        sum += random.generateDouble() - 0.5;
    return qint16(std::clamp(std::lround(centre + sum * 2 * kSpread), 1L, 470L));
}

} // namespace

QLocale benchLocale() {
    return QLocale(QLocale::German, QLocale::Germany);
}

SeriesFileContent makeHistory(int count, quint32 seed) {
    QRandomGenerator random(seed);
    const QLocale locale = benchLocale();
    SeriesFileContent content;
    content.series.reserve(count);
    for (int n = 1; n <= count; ++n) {
        SeriesRecord record;
        for (size_t slot = 0; slot < size_t(kShotsPerSeries); ++slot) {
            record.hitLeft[slot] = around(random, kCentreX);
            record.hitTop[slot] = around(random, kCentreY);
            record.callLeft[slot] = around(random, kCentreX);
            record.callTop[slot] = around(random, kCentreY);
            record.lineX1[slot] = qint16(record.callLeft[slot] + 15);
            record.lineY1[slot] = qint16(record.callTop[slot] + 15);
            record.lineX2[slot] = qint16(record.hitLeft[slot] + 15);
            record.lineY2[slot] = qint16(record.hitTop[slot] + 15);
            const int shot = int(slot) + 1;
            content.shotTimes += ShotTimes::line(n, shot, 4 + random.bounded(120) / 10.0, locale);
            content.shootingTimes +=
                ShotTimes::line(n, shot, 30 + random.bounded(900) / 10.0, locale);
        }
        content.series.append(record);
        if (n % 10 == 0)
            content.comments +=
                QStringLiteral("Serie %1: Abzug zu hastig, Halteraum unruhig\r\n").arg(n);
    }
    return content;
}

QByteArray historyFile(int count) {
    return encodeSeriesFile(makeHistory(count), SeriesFileStyle::MainWindow);
}

// A full series as the main window keeps it: calls, ratings and times.
diary::Series tenShotSeries(int number) {
    diary::Series s;
    s.number = number;
    s.time = QDateTime::currentDateTime();
    for (int i = 0; i < kShotsPerSeries; ++i) {
        diary::Shot shot;
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

QString scratchPath(const QString& name) {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/ankerblick-bench-XXXXXX"));
    return dir.filePath(name);
}

} // namespace ankerblick::bench
