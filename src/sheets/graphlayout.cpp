#include "graphlayout.h"

#include "model/numeric.h"

#include <QCoreApplication>
#include <QHash>
#include <QPair>

#include <algorithm>
#include <cmath>

namespace ankerblick::timeanalysis {

namespace {

// A single-precision number the way it is shown: seven significant digits,
// so 7,4 kept in single precision prints as "7,4".
QString singleText(float v, const QLocale& locale) {
    return num::formatNumber(QString::number(double(v), 'g', 7).toDouble(), locale);
}

int twipsToPixels(qint64 twips) {
    return std::max(1, num::toInt32(double(std::max<qint64>(1, twips)) / kTwipsPerPixel));
}

} // namespace

QSize pictureSize(QSize window) {
    const qint64 height = qint64(window.height()) * qint64(kTwipsPerPixel) - 450;
    const qint64 width = qint64(window.width()) * qint64(kTwipsPerPixel) - 140;
    return {twipsToPixels(width), twipsToPixels(height)};
}

namespace {

// The grid: a line and label per whole ring, a line per second and a label
// every five seconds.
struct Grid {
    double topRing = 0.0;
    int rows = 1;
    double firstSecond = 0.0;
    int seconds = 1;
};

// The picture spans whole rings and whole seconds around the chosen windows,
// so that every value and time within them is drawn inside it: the bottom
// edge is the whole ring at or below the lower value bound, the top edge the
// top of the upper bound's ring (its whole ring + 1); the left edge is the
// whole second at or before the start, the right edge the whole second at or
// after the end. Each row is one ring, each column one second, and the lines
// and labels stand at whole rings and seconds.
Grid gridOf(const Bounds& bounds) {
    Grid grid;
    const double bottomRing = num::floorValue(bounds.MinSchusswert);
    grid.rows = std::max(1, int(num::floorValue(bounds.MaxSchusswert) - bottomRing) + 1);
    grid.topRing = bottomRing + grid.rows;
    grid.firstSecond = num::floorValue(bounds.AbSekunden);
    grid.seconds = std::max(1, int(std::ceil(double(bounds.BisSekunden)) - grid.firstSecond));
    return grid;
}

void addGrid(GraphLayout& g, const Grid& grid, const QLocale& locale) {
    const double h = g.size.height();
    const double w = g.size.width();
    for (int k = 1; k < grid.rows; ++k) {
        const double y = k * h / grid.rows;
        g.valueLines.append(QLineF(0, y, w, y));
        g.valueLabels.append(
            {QPointF(0, y - kValueLabelRise), num::formatNumber(grid.topRing - k, locale)});
    }
    for (int k = 1; k <= grid.seconds; ++k) {
        const double x = k * w / grid.seconds;
        g.timeLines.append(QLineF(x, 0, x, h));
        if (k % 5 == 0)
            g.timeLabels.append({QPointF(x - kTimeLabelLeft, h - kTimeLabelRise),
                                 num::formatNumber(grid.firstSecond + k, locale)});
    }
}

void placeDiscs(GraphLayout& g, const Grid& grid, const Bounds& bounds,
                const QList<TimeEntry>& times, const ValueLookup& value) {
    // A series is looked up once per shot however many lines name it.
    QHash<QPair<int, int>, std::optional<double>> known;
    const auto valueOf = [&](int series, int shot) -> std::optional<double> {
        if (series < 1 || shot < 1)
            return std::nullopt;
        const QPair<int, int> key(series, shot - 1);
        auto it = known.constFind(key);
        if (it == known.constEnd())
            it = known.insert(key, value(series, shot - 1));
        return *it;
    };
    const double h = g.size.height();
    const double w = g.size.width();
    for (const TimeEntry& e : times) {
        const std::optional<double> v = valueOf(e.series, e.shot);
        // A shot without a value or a readable time cannot be placed.
        if (!v || !e.seconds || std::fabs(*e.seconds) > 1e9) {
            ++g.notShown;
            continue;
        }
        const float t = float(*e.seconds);
        if (t < bounds.AbSekunden || t > bounds.BisSekunden) {
            ++g.notShown;
            continue;
        }
        g.discs.append(QPointF((*e.seconds - grid.firstSecond) * w / grid.seconds,
                               (grid.topRing - *v) * h / grid.rows));
    }
}

} // namespace

GraphLayout layoutGraph(QSize picture, const Bounds& bounds, const QList<TimeEntry>& times,
                        const ValueLookup& value, const QLocale& locale) {
    GraphLayout g;
    g.size = picture;
    const Grid grid = gridOf(bounds);
    addGrid(g, grid, locale);
    placeDiscs(g, grid, bounds, times, value);
    g.caption = graphCaption(bounds, g.notShown, locale);
    return g;
}

QString graphCaption(const Bounds& bounds, int notShown, const QLocale& locale) {
    if (notShown == 0)
        return QCoreApplication::translate("GraphLayout", "Schusswert-/Zeitanalyse");
    return QCoreApplication::translate("GraphLayout",
                                       "Zeiten zwischen %1 und %2 Sekunden werden angezeigt. "
                                       "%3Treffer liegen darüber/darunter")
        .arg(singleText(bounds.AbSekunden, locale), singleText(bounds.BisSekunden, locale),
             QString::number(notShown));
}

} // namespace ankerblick::timeanalysis
