#include "targetview.h"

#include "targetpainter.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ankerblick {

TargetView::TargetView(FaceSource face, MarkPainter marks, QWidget* parent)
    : QWidget(parent), m_face(std::move(face)), m_marks(std::move(marks)) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMouseTracking(true);
}

double TargetView::scale() const {
    return std::min(double(width()) / kWidth, double(height()) / kHeight);
}

// The drawing units scaled to the area, centred in it.
QTransform TargetView::transform() const {
    const double s = scale();
    // Whole pixels, so that one unit a pixel stays on the pixel grid.
    return QTransform::fromTranslate(std::floor((width() - kWidth * s) / 2.0),
                                     std::floor((height() - kHeight * s) / 2.0))
        .scale(s, s);
}

QPointF TargetView::toWidget(QPointF drawing) const {
    return transform().map(drawing);
}

QPointF TargetView::toDrawing(QPointF widget) const {
    return transform().inverted().map(widget);
}

void TargetView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QTransform t = transform();
    if (t.isScaling() || t.dx() != 0.0 || t.dy() != 0.0)
        p.fillRect(rect(), palette().window());
    p.setTransform(t);
    paintFace(p, m_face());
    m_marks(p, t.inverted().mapRect(QRectF(event->rect())).toAlignedRect());
}

void TargetView::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT pointerMoved(toDrawing(event->position()), event->buttons());
}

void TargetView::mousePressEvent(QMouseEvent* event) {
    Q_EMIT pointerPressed(event->button(), toDrawing(event->position()));
}

void TargetView::mouseReleaseEvent(QMouseEvent* event) {
    Q_EMIT pointerReleased(event->button(), toDrawing(event->position()));
}

void TargetView::mouseDoubleClickEvent(QMouseEvent* event) {
    Q_EMIT pointerDoubleClicked(event->button(), toDrawing(event->position()));
}

void TargetView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    Q_EMIT pointerLeft();
}

} // namespace ankerblick
