#pragma once

// The values of a stored series as its shot-value list shows them: one value
// per placed shot, in slot order, scored on the given face with marks of the
// face's size placed at the stored left and top.

#include "seriesrecord.h"
#include "targetface.h"

#include <QList>

namespace ankerblick {

// Throws num::Int16Overflow for a stored position too far off the target.
QList<double> seriesHitValues(const SeriesRecord& record, const TargetFace& face);

} // namespace ankerblick
