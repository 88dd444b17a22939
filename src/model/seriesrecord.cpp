#include "seriesrecord.h"

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
}

void SeriesStore::reset() {
    m_records = QList<SeriesRecord>(2);
}

void SeriesStore::ensure(int n) {
    if (n > count())
        m_records.resize(n + 1);
}

} // namespace ankerblick
