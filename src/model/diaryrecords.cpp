#include "diaryrecords.h"

#include "scoring.h"

namespace ankerblick::diary {

SeriesFigures figuresOf(const QList<Shot>& shots) {
    SeriesFigures f;
    QList<group::Shot> placed;
    placed.reserve(shots.size());
    for (const Shot& shot : shots) {
        ++f.shots;
        if (shot.value) {
            ++f.scored;
            f.sumWhole += wholeRings(*shot.value);
            f.sumTenths += *shot.value;
        }
        if (shot.rating) {
            ++f.callsRated;
            if (*shot.rating == 10)
                ++f.calls10;
            f.sekMmSum += double(shot.sekMm.value_or(0));
        }
        if (shot.innerTen)
            ++f.innerTens;
        placed.append({shot.hit, shot.call, shot.rating});
    }
    const group::Figures figures = group::analyse(placed);
    f.mpi = figures.hits.mpi;
    f.groupSize = figures.hits.extremeSpread;
    return f;
}

} // namespace ankerblick::diary
