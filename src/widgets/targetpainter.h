#pragma once

// Draws a target face, shot marks and join lines in drawing units.

#include "model/geometry.h"
#include "model/groupanalysis.h"
#include "model/marks.h"
#include "model/targetface.h"

#include <QColor>
#include <QImage>

#include <array>
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

// Many discs of one size and colour, drawn as copies of one antialiased
// picture of the disc instead of filling and stroking each: for 100,000 shots
// some ten times faster. A copy lands to a quarter pixel, from one of sixteen
// pictures drawn at the quarter offsets. Radius and places in pixels.
class DiscStamp {
public:
    DiscStamp(double radius, const QColor& border, const QColor& fill, qreal pixelRatio = 1.0);
    // Draws on a painter without a world transform.
    void draw(QPainter& painter, QPointF centre) const;

private:
    static constexpr int kSteps = 4;
    double m_reach = 0.0; // from the centre to the pictures' top left corner
    std::array<QImage, kSteps * kSteps> m_pictures;
};

} // namespace ankerblick
