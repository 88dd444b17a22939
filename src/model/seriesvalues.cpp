#include "seriesvalues.h"

namespace ankerblick {

QList<double> seriesHitValues(const SeriesRecord& record, const TargetFace& face) {
    QList<double> values;
    for (int i = 0; i < kShotsPerSeries; ++i)
        if (record.hasShot(i))
            values.append(hitValue(record.hitMarkCentre(i, face.markDiameter()), face.centre(),
                                   face.scoring()));
    return values;
}

std::optional<QList<double>> trySeriesHitValues(const SeriesRecord& record,
                                                const TargetFace& face) {
    QList<double> values;
    for (int i = 0; i < kShotsPerSeries; ++i) {
        if (!record.hasShot(i))
            continue;
        const auto v = tryHitValue(record.hitMarkCentre(i, face.markDiameter()), face.centre(),
                                   face.scoring());
        if (!v)
            return std::nullopt;
        values.append(*v);
    }
    return values;
}

int seriesInnerTens(const SeriesRecord& record, const TargetFace& face) {
    int n = 0;
    for (int i = 0; i < kShotsPerSeries; ++i) {
        if (!record.hasShot(i))
            continue;
        const PointF hit = record.hitMarkCentre(i, face.markDiameter());
        if (!tryHitValue(hit, face.centre(), face.scoring()))
            break;
        n += face.innerTen(hit) ? 1 : 0;
    }
    return n;
}

std::optional<double> listedShotValue(const SeriesStore& store, int listed, const TargetFace& face,
                                      int series, int entry) {
    if (series < 1 || series > listed || !store.contains(series) || entry < 0)
        return std::nullopt;
    const std::optional<QList<double>> values = trySeriesHitValues(store[series], face);
    if (!values || entry >= values->size())
        return std::nullopt;
    return values->at(entry);
}

} // namespace ankerblick
