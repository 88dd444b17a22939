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

QString scratchPath(const QString& name) {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/ankerblick-bench-XXXXXX"));
    return dir.filePath(name);
}

} // namespace ankerblick::bench
