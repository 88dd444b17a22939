#include "graphlayout.h"

#include "model/numeric.h"

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

GraphLayout layoutGraph(QSize picture, const Bounds& bounds, const QList<TimeEntry>& times,
                        const ValueLookup& value, const QLocale& locale) {
    GraphLayout g;
    g.size = picture;
    const double h = picture.height();
    const double w = picture.width();

    // The top edge stands for the upper bound + 1, each row for one ring.
    const int rows = std::max(1, int(num::floorValue(bounds.MaxSchusswert)) -
                                     int(num::floorValue(bounds.MinSchusswert)) + 1);
    for (int k = 1; k < rows; ++k) {
        const double y = k * h / rows;
        g.valueLines.append(QLineF(0, y, w, y));
        g.valueLabels.append({QPointF(0, y - kValueLabelRise),
                              singleText(bounds.MaxSchusswert - float(k) + 1, locale)});
    }

    const int seconds = std::max(1, int(num::floorValue(bounds.BisSekunden)) -
                                        int(num::floorValue(bounds.AbSekunden)));
    for (int k = 1; k <= seconds; ++k) {
        const double x = k * w / seconds;
        g.timeLines.append(QLineF(x, 0, x, h));
        if (k % 5 == 0)
            g.timeLabels.append({QPointF(x - kTimeLabelLeft, h - kTimeLabelRise),
                                 singleText(float(k) + bounds.AbSekunden, locale)});
    }

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
        g.discs.append(QPointF((*e.seconds - double(bounds.AbSekunden)) * w / seconds,
                               (double(bounds.MaxSchusswert) + 1 - *v) * h / rows));
    }
    g.caption = graphCaption(bounds, g.notShown, locale);
    return g;
}

QString graphCaption(const Bounds& bounds, int notShown, const QLocale& locale) {
    if (notShown == 0)
        return QStringLiteral("Schusswert-/Zeitanalyse");
    return QStringLiteral("Zeiten zwischen ") + singleText(bounds.AbSekunden, locale) +
           QStringLiteral(" und ") + singleText(bounds.BisSekunden, locale) +
           QStringLiteral(" Sekunden werden angezeigt. ") + QString::number(notShown) +
           QStringLiteral("Treffer liegen darüber/darunter");
}

} // namespace ankerblick::timeanalysis
