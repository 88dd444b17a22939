#include "targetpainter.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ankerblick {

namespace {
QRectF rectOf(const ShapeBox& s) {
    return QRectF(s.left, s.top, s.width, s.height);
}

// The ring numbers of a decimal face on the axes, white on the black and
// black on the card; a number that would not fit on the card is left out.
void paintRingNumbers(QPainter& painter, const TargetFace& face) {
    const QList<RingNumber> numbers = ringNumbers(face.discipline());
    const DisciplineInfo* info = disciplineInfo(face.discipline());
    if (numbers.isEmpty() || !info)
        return;
    const QRectF card = rectOf(face.wholeFace());
    const PointF c = face.centre();
    QFont font = painter.font();
    font.setPixelSize(std::max(8, int(info->ringWidthMm * face.scale() * 0.45)));
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    for (const RingNumber& n : numbers) {
        const QString text = QString::number(n.number);
        const QSizeF size(metrics.horizontalAdvance(text), metrics.ascent());
        const double r = n.radiusMm * face.scale();
        painter.setPen(n.onBlack ? Qt::white : Qt::black);
        for (const QPointF at : {QPointF(c.x - r, c.y), QPointF(c.x + r, c.y),
                                 QPointF(c.x, c.y - r), QPointF(c.x, c.y + r)}) {
            const QRectF box(at.x() - size.width() / 2.0, at.y() - size.height() / 2.0,
                             size.width(), size.height());
            if (card.contains(box))
                painter.drawText(box, Qt::AlignCenter, text);
        }
    }
}

} // namespace

void paintFace(QPainter& painter, const TargetFace& face) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const float blackWidth = face.shape(BlackArea).width;
    const DisciplineInfo* info = disciplineInfo(face.discipline());
    const bool decimal = info && info->decimal;
    // The card holds every ring; nothing of the face lies beyond it.
    painter.setClipRect(rectOf(face.wholeFace()), Qt::IntersectClip);
    for (int n : TargetFace::drawingOrder()) {
        const ShapeBox& s = face.shape(n);
        if (!s.visible)
            continue;
        switch (n) {
        case Card:
            painter.setPen(Qt::white);
            painter.setBrush(Qt::white);
            painter.drawRect(rectOf(face.wholeFace()));
            break;
        case BlackArea:
            painter.setPen(Qt::black);
            painter.setBrush(Qt::black);
            painter.drawEllipse(rectOf(s));
            break;
        default:
            // A ring on the black's edge or beyond it is a black line on the card.
            painter.setPen(QPen(decimal && s.width >= blackWidth ? Qt::black : Qt::white, 1.0));
            // A ten to be shot out is a white dot.
            painter.setBrush(decimal && n == Ring10 && info->innerTenMm <= 0.0 ? QBrush(Qt::white)
                                                                               : QBrush());
            painter.drawEllipse(rectOf(s));
            break;
        }
    }
    painter.setPen(QPen(Qt::black, 1.0));
    painter.setBrush(Qt::NoBrush);
    for (const TargetFace::OuterRing& ring : face.outerRings())
        painter.drawEllipse(rectOf(ring.box));
    paintRingNumbers(painter, face);
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

DiscStamp::DiscStamp(double radius, const QColor& border, const QColor& fill, qreal pixelRatio)
    : m_reach(radius + 1.0) {
    // Room for the disc, its pen and the largest offset.
    const int side = int(std::ceil((2.0 * m_reach + 1.0) * pixelRatio));
    for (int row = 0; row < kSteps; ++row) {
        for (int column = 0; column < kSteps; ++column) {
            QImage picture(side, side, QImage::Format_ARGB32_Premultiplied);
            picture.setDevicePixelRatio(pixelRatio);
            picture.fill(Qt::transparent);
            QPainter p(&picture);
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setPen(QPen(border, 1.0));
            p.setBrush(fill);
            const QPointF offset(double(column) / kSteps, double(row) / kSteps);
            p.drawEllipse(QPointF(m_reach, m_reach) + offset, radius, radius);
            p.end();
            m_pictures[size_t(row * kSteps + column)] = picture;
        }
    }
}

void DiscStamp::draw(QPainter& painter, QPointF centre) const {
    // The corner in whole pixels and the rest in quarters, rounded.
    const auto split = [](double at, int& whole) {
        const long quarters = std::lround(at * kSteps);
        whole = int(std::floor(double(quarters) / kSteps));
        return int(quarters - long(whole) * kSteps);
    };
    int x = 0;
    int y = 0;
    const int column = split(centre.x() - m_reach, x);
    const int row = split(centre.y() - m_reach, y);
    painter.drawImage(QPoint(x, y), m_pictures[size_t(row * kSteps + column)]);
}

} // namespace ankerblick
