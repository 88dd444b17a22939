#pragma once

// The values of a stored series as its shot-value list shows them: one value
// per placed shot, in slot order, scored on the given face with marks of the
// face's size placed at the stored left and top.

#include "seriesrecord.h"
#include "targetface.h"

#include <QList>

#include <optional>

namespace ankerblick {

// Throws num::Int16Overflow for a stored position too far off the target.
QList<double> seriesHitValues(const SeriesRecord& record, const TargetFace& face);
// The same, empty for a series with a stored position too far off the target.
std::optional<QList<double>> trySeriesHitValues(const SeriesRecord& record, const TargetFace& face);

// The inner tens among the scored hits of a stored series: those before the
// first hit too far off the target to be scored.
int seriesInnerTens(const SeriesRecord& record, const TargetFace& face);

// Entry `entry` (from 0) of the value list of series `series` (from 1) among
// the first `listed` series of the store; empty when there is no such series
// or entry, or the series cannot be scored.
std::optional<double> listedShotValue(const SeriesStore& store, int listed, const TargetFace& face,
                                      int series, int entry);

} // namespace ankerblick
