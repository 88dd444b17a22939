#include "targetpainter.h"

#include <QPainter>

namespace ankerblick {

namespace {
QRectF rectOf(const ShapeBox& s) {
    return QRectF(s.left, s.top, s.width, s.height);
}
} // namespace

void paintFace(QPainter& painter, const TargetFace& face) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (int n : TargetFace::drawingOrder()) {
        const ShapeBox& s = face.shape(n);
        if (!s.visible)
            continue;
        switch (n) {
        case Card:
            painter.setPen(Qt::white);
            painter.setBrush(Qt::white);
            painter.drawRect(rectOf(s));
            break;
        case BlackArea:
            painter.setPen(Qt::black);
            painter.setBrush(Qt::black);
            painter.drawEllipse(rectOf(s));
            break;
        default:
            painter.setPen(QPen(Qt::white, 1.0));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(rectOf(s));
            break;
        }
    }
    painter.restore();
}

void paintMarks(QPainter& painter, std::span<const Mark> marks) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const Mark& m : marks) {
        if (!m.box.visible)
            continue;
        painter.setPen(QPen(toQColor(m.border), 1.0));
        painter.setBrush(toQColor(m.fill));
        painter.drawEllipse(rectOf(m.box));
    }
    painter.restore();
}

void paintLines(QPainter& painter, std::span<const LineF> lines, const QColor& colour) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(colour, 1.5));
    for (const LineF& l : lines)
        if (l.visible)
            painter.drawLine(QPointF(l.x1, l.y1), QPointF(l.x2, l.y2));
    painter.restore();
}

void paintGroupCrosses(QPainter& painter, const TargetFace& face, const group::Figures& figures) {
    if (figures.hits.shots == 0)
        return;
    const PointF centre = face.centre();
    const auto units = [&](group::PointMm p) {
        return QPointF(centre.x + p.x * face.scale(), centre.y - p.y * face.scale());
    };
    const auto cross = [&](QPointF at, const QColor& colour) {
        constexpr double arm = 7.0;
        painter.setPen(QPen(colour, 2.0));
        painter.drawLine(at - QPointF(arm, 0), at + QPointF(arm, 0));
        painter.drawLine(at - QPointF(0, arm), at + QPointF(0, arm));
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPointF hits = units(figures.hits.mpi);
    if (figures.calls) {
        const QPointF calls = units(figures.calls->mpi);
        painter.setPen(QPen(Qt::yellow, 1.0, Qt::DashLine));
        painter.drawLine(hits, calls);
        cross(calls, QColor(0, 90, 255));
    }
    cross(hits, Qt::red);
    painter.restore();
}

} // namespace ankerblick
