#include "seriesvalues.h"

#include "numeric.h"

namespace ankerblick {

QList<double> seriesHitValues(const SeriesRecord& record, const TargetFace& face) {
    QList<double> values;
    const float half = face.markDiameter() / 2.0f;
    for (int i = 0; i < kShotsPerSeries; ++i) {
        if (!record.hasShot(i))
            continue;
        const auto s = size_t(i);
        const PointF centre{float(record.hitLeft[s]) + half, float(record.hitTop[s]) + half};
        values.append(hitValue(centre, face.centre(), face.scoring()));
    }
    return values;
}

std::optional<double> listedShotValue(const SeriesStore& store, int listed, const TargetFace& face,
                                      int series, int entry) {
    if (series < 1 || series > listed || !store.contains(series) || entry < 0)
        return std::nullopt;
    try {
        const QList<double> values = seriesHitValues(store[series], face);
        if (entry >= values.size())
            return std::nullopt;
        return values.at(entry);
    } catch (const num::Int16Overflow&) {
        return std::nullopt;
    }
}

} // namespace ankerblick
