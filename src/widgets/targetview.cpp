#include "targetview.h"

#include "targetpainter.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace ankerblick {

TargetView::TargetView(FaceSource face, MarkPainter marks, QWidget* parent)
    : QWidget(parent), m_face(std::move(face)), m_marks(std::move(marks)) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMouseTracking(true);
    // A click on the target takes the keys: "+" and "-" zoom, and do not
    // type into the field that had them.
    setFocusPolicy(Qt::ClickFocus);
}

QRectF TargetView::wholeFace() const {
    const ShapeBox& box = m_face().wholeFace();
    return {box.left, box.top, box.width, box.height};
}

QRectF TargetView::shownPart() const {
    return zoomed() ? m_zoom : wholeFace();
}

double TargetView::scale() const {
    const QRectF part = shownPart();
    return std::min(double(width()) / part.width(), double(height()) / part.height());
}

// The part shown scaled to the area, centred in it.
QTransform TargetView::transform() const {
    const QRectF part = shownPart();
    const double s = scale();
    // Whole pixels, so that one unit a pixel stays on the pixel grid.
    return QTransform::fromTranslate(
               std::floor((width() - part.width() * s) / 2.0 - part.left() * s),
               std::floor((height() - part.height() * s) / 2.0 - part.top() * s))
        .scale(s, s);
}

void TargetView::showPart(QRectF part) {
    const QRectF whole = wholeFace();
    const double least = std::min(whole.width(), whole.height()) / kMostZoom;
    if (part.width() < least || part.height() < least) {
        const double grow = least / std::min(part.width(), part.height());
        const QPointF middle = part.center();
        part.setSize(part.size() * grow);
        part.moveCenter(middle);
    }
    if (part.width() >= whole.width() && part.height() >= whole.height()) {
        part = QRectF();
    } else {
        // Within the whole face where it fits, centred on it where it does not.
        const auto within = [](double at, double size, double from, double room) {
            return size >= room ? from + (room - size) / 2.0
                                : std::clamp(at, from, from + room - size);
        };
        part.moveLeft(within(part.left(), part.width(), whole.left(), whole.width()));
        part.moveTop(within(part.top(), part.height(), whole.top(), whole.height()));
    }
    zoomTo(part);
}

void TargetView::zoomBy(double factor, std::optional<QPointF> about) {
    if (factor <= 0.0)
        return;
    // The part the area shows at the present scale, not only the face's box.
    const QRectF seen = transform().inverted().mapRect(QRectF(rect()));
    const QPointF fixed = about.value_or(seen.center());
    showPart(QRectF(fixed + (seen.topLeft() - fixed) / factor, seen.size() / factor));
}

void TargetView::showWholeFace() {
    zoomTo(QRectF());
}

void TargetView::zoomTo(const QRectF& part) {
    m_zoom = part.isEmpty() ? QRectF() : part;
    update();
}

void TargetView::showGroup() {
    const QRectF group = m_group ? m_group() : QRectF();
    if (group.isNull())
        return;
    // Room around the shots: a quarter of the group's size on each side.
    const double room = std::max(group.width(), group.height()) / 4.0 + 4.0;
    showPart(group.adjusted(-room, -room, room, room));
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

void TargetView::wheelEvent(QWheelEvent* event) {
    const int eighths = event->angleDelta().y();
    if (eighths == 0) {
        event->ignore();
        return;
    }
    // One notch of a wheel is 120 eighths of a degree: one step.
    zoomBy(std::pow(kStep, eighths / 120.0), toDrawing(event->position()));
    event->accept();
}

void TargetView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    Q_EMIT pointerLeft();
}

} // namespace ankerblick
