#pragma once

// Draws a target face, shot marks and join lines in drawing units.

#include "model/geometry.h"
#include "model/groupanalysis.h"
#include "model/marks.h"
#include "model/targetface.h"

#include <QColor>

#include <span>

class QPainter;

namespace ankerblick {

inline QColor toQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

void paintFace(QPainter& painter, const TargetFace& face);
void paintMarks(QPainter& painter, std::span<const Mark> marks);
void paintLines(QPainter& painter, std::span<const LineF> lines, const QColor& colour);
// The red cross at the MPI of the hits and, when there are calls, the blue
// cross at the MPI of the calls, joined by a line; nothing without shots.
void paintGroupCrosses(QPainter& painter, const TargetFace& face, const group::Figures& figures);

} // namespace ankerblick
