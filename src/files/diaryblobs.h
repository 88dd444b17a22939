#pragma once

// The packed columns of the training diary's database: a series' stored
// positions, a training's count of shots by value and its held hits. They
// come back from a file on the user's disk, which may be damaged, so reading
// takes any bytes.

#include "model/geometry.h"
#include "model/seriesrecord.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <map>

namespace ankerblick {

// 160 bytes: the eight columns of the record, little-endian 16-bit numbers.
QByteArray packRecord(const SeriesRecord& record);
// The record packed; an empty one for bytes of any other length.
SeriesRecord unpackRecord(const QByteArray& bytes);

// Shots by value in tenths of a ring, as pairs of little-endian 32-bit numbers.
QByteArray packValueCounts(const std::map<int, qint64>& counts);
// Adds the counts packed to `counts`: whole pairs only, no count below 0,
// sums kept within 64 bits.
void addValueCounts(const QByteArray& packed, std::map<int, qint64>& counts);

// Positions as pairs of little-endian 32-bit floats, x then y.
QByteArray packPositions(const QList<PointF>& positions);
// The positions packed: whole pairs only, and only finite ones.
QList<PointF> unpackPositions(const QByteArray& bytes);

} // namespace ankerblick
