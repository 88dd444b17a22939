#include "targetview.h"

#include "targetpainter.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace ankerblick {

TargetView::TargetView(FaceSource face, MarkPainter marks, QWidget* parent)
    : QWidget(parent), m_face(std::move(face)), m_marks(std::move(marks)) {
    setFixedSize(kWidth, kHeight);
    setMouseTracking(true);
}

void TargetView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    paintFace(p, m_face());
    m_marks(p, event->rect());
}

void TargetView::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT pointerMoved(event->position(), event->buttons());
}

void TargetView::mousePressEvent(QMouseEvent* event) {
    Q_EMIT pointerPressed(event->button(), event->position());
}

void TargetView::mouseReleaseEvent(QMouseEvent* event) {
    Q_EMIT pointerReleased(event->button(), event->position());
}

void TargetView::mouseDoubleClickEvent(QMouseEvent* event) {
    Q_EMIT pointerDoubleClicked(event->button(), event->position());
}

} // namespace ankerblick
