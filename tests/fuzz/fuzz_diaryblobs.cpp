// The packed columns of a diary database, as any bytes a damaged file may
// hold: a record reads back only from its exact length and packs to the same
// bytes, counts by value add up without overflow or negative counts, and
// held positions read back finite and whole.

#include "files/diaryblobs.h"
#include "fuzzcheck.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

using namespace ankerblick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    const SeriesRecord record = unpackRecord(bytes);
    const QByteArray packed = packRecord(record);
    FUZZ_CHECK(packed.size() == 160);
    if (bytes.size() == 160)
        FUZZ_CHECK(packed == bytes);
    else
        FUZZ_CHECK(record == SeriesRecord{});
    FUZZ_CHECK(unpackRecord(packed) == record);

    // Counts added twice are twice the counts, and pack to what adds up again
    // (a count beyond 32 bits is kept at the largest that fits).
    std::map<int, qint64> once;
    addValueCounts(bytes, once);
    std::map<int, qint64> twice = once;
    addValueCounts(bytes, twice);
    for (const auto& [tenths, shots] : once) {
        FUZZ_CHECK(shots > 0);
        FUZZ_CHECK(twice.at(tenths) == 2 * shots);
    }
    std::map<int, qint64> again;
    addValueCounts(packValueCounts(once), again);
    FUZZ_CHECK(again.size() == once.size());
    for (const auto& [tenths, shots] : once)
        FUZZ_CHECK(again.at(tenths) == std::min<qint64>(shots, INT32_MAX));
    // Positions: whole pairs, finite ones only, and packed they read back the same.
    const QList<PointF> positions = unpackPositions(bytes);
    FUZZ_CHECK(positions.size() <= bytes.size() / 8);
    for (const PointF& p : positions)
        FUZZ_CHECK(std::isfinite(p.x) && std::isfinite(p.y));
    const QByteArray packedPositions = packPositions(positions);
    FUZZ_CHECK(packedPositions.size() == positions.size() * 8);
    FUZZ_CHECK(unpackPositions(packedPositions) == positions);
    return 0;
}
