#pragma once

// Draws a target face, shot marks and join lines in drawing units.

#include "model/geometry.h"
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

} // namespace ankerblick
