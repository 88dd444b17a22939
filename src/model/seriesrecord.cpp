#include "seriesrecord.h"

#include "numeric.h"

namespace ankerblick {

int SeriesRecord::shotCount() const {
    int n = 0;
    for (int i = 0; i < kShotsPerSeries; ++i)
        n += hasShot(i) ? 1 : 0;
    return n;
}

int SeriesRecord::nextFreeSlot() const {
    for (int i = kShotsPerSeries - 1; i >= 0; --i)
        if (hasShot(i))
            return i + 1;
    return 0;
}

void SeriesRecord::clearSlot(int slot) {
    const auto s = size_t(slot);
    for (Column* c : {&hitLeft, &hitTop, &callLeft, &callTop, &lineX1, &lineY1, &lineX2, &lineY2})
        (*c)[s] = 0;
    hitCentre[s].reset();
    callCentre[s].reset();
}

namespace {

// Left and top of marks of the diameter centred on the known centres.
bool placeColumns(const SeriesRecord::Centres& centres, float markDiameter,
                  SeriesRecord::Column& left, SeriesRecord::Column& top) {
    SeriesRecord::Column l = left;
    SeriesRecord::Column t = top;
    for (size_t s = 0; s < centres.size(); ++s) {
        if (!centres[s])
            continue;
        const auto x = num::tryInt16(centres[s]->x - markDiameter / 2.0f);
        const auto y = num::tryInt16(centres[s]->y - markDiameter / 2.0f);
        if (!x || !y)
            return false;
        l[s] = *x;
        t[s] = *y;
    }
    left = l;
    top = t;
    return true;
}

} // namespace

bool SeriesRecord::placeMarks(float markDiameter) {
    SeriesRecord placed = *this;
    if (!placeColumns(hitCentre, markDiameter, placed.hitLeft, placed.hitTop) ||
        !placeColumns(callCentre, markDiameter, placed.callLeft, placed.callTop))
        return false;
    *this = placed;
    return true;
}

void SeriesStore::reset() {
    m_records = QList<SeriesRecord>(2);
}

void SeriesStore::ensure(int n) {
    if (n > count())
        m_records.resize(n + 1);
}

} // namespace ankerblick
