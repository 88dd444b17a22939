#include "seriesvalues.h"

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

} // namespace ankerblick
