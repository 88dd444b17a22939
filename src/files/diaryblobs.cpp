#include "diaryblobs.h"

#include <array>
#include <bit>
#include <cmath>
#include <limits>

namespace ankerblick {

namespace {

// The columns of a record in the order they are packed.
std::array<SeriesRecord::Column*, 8> columnsOf(SeriesRecord& r) {
    return {&r.hitLeft, &r.hitTop, &r.callLeft, &r.callTop,
            &r.lineX1,  &r.lineY1, &r.lineX2,   &r.lineY2};
}

constexpr qsizetype kPackedSize = 8 * kShotsPerSeries * 2;

void put32(QByteArray& bytes, qint32 v) {
    const auto u = quint32(v);
    for (int shift = 0; shift < 32; shift += 8)
        bytes.append(char((u >> shift) & 0xff));
}

qint32 get32(const QByteArray& bytes, qsizetype at) {
    quint32 u = 0;
    for (int i = 3; i >= 0; --i)
        u = (u << 8) | quint8(bytes[at + i]);
    return qint32(u);
}

} // namespace

QByteArray packRecord(const SeriesRecord& record) {
    SeriesRecord copy = record;
    QByteArray bytes;
    bytes.reserve(kPackedSize);
    for (const SeriesRecord::Column* column : columnsOf(copy))
        for (qint16 v : *column) {
            const auto u = quint16(v);
            bytes.append(char(u & 0xff));
            bytes.append(char(u >> 8));
        }
    return bytes;
}

SeriesRecord unpackRecord(const QByteArray& bytes) {
    SeriesRecord record;
    if (bytes.size() != kPackedSize)
        return record;
    qsizetype i = 0;
    for (SeriesRecord::Column* column : columnsOf(record))
        for (qint16& v : *column) {
            v = qint16(quint16(quint8(bytes[i])) | quint16(quint8(bytes[i + 1]) << 8));
            i += 2;
        }
    return record;
}

QByteArray packValueCounts(const std::map<int, qint64>& counts) {
    QByteArray bytes;
    for (const auto& [tenths, shots] : counts) {
        put32(bytes, qint32(tenths));
        put32(bytes, qint32(std::min<qint64>(shots, std::numeric_limits<qint32>::max())));
    }
    return bytes;
}

void addValueCounts(const QByteArray& packed, std::map<int, qint64>& counts) {
    // A damaged row adds what it holds whole; a negative count is no count.
    for (qsizetype at = 0; at + 8 <= packed.size(); at += 8) {
        const qint32 shots = get32(packed, at + 4);
        if (shots <= 0)
            continue;
        qint64& sum = counts[get32(packed, at)];
        sum = std::min(sum, std::numeric_limits<qint64>::max() - shots) + shots;
    }
}

QByteArray packPositions(const QList<PointF>& positions) {
    QByteArray bytes;
    bytes.reserve(positions.size() * 8);
    for (const PointF& p : positions) {
        put32(bytes, std::bit_cast<qint32>(p.x));
        put32(bytes, std::bit_cast<qint32>(p.y));
    }
    return bytes;
}

QList<PointF> unpackPositions(const QByteArray& bytes) {
    QList<PointF> positions;
    for (qsizetype at = 0; at + 8 <= bytes.size(); at += 8) {
        const PointF p{std::bit_cast<float>(get32(bytes, at)),
                       std::bit_cast<float>(get32(bytes, at + 4))};
        if (std::isfinite(p.x) && std::isfinite(p.y))
            positions.append(p);
    }
    return positions;
}

} // namespace ankerblick
