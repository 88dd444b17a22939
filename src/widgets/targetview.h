#pragma once

// The drawing area of a target window: the face of the shown discipline with
// what the window marks on it, in drawing units (the origin at the area's top
// left). The area takes the room its window gives it: the kWidth × kHeight
// drawing units are scaled to fit, their aspect kept and centred, one unit a
// pixel at the size it asks for. The pointer on the area is reported in
// drawing units; what a press, move or release means is the window's matter.

#include "model/targetface.h"

#include <QPointF>
#include <QTransform>
#include <QWidget>

#include <functional>

namespace ankerblick {

class TargetView final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 488;
    static constexpr int kHeight = 460;

    // Paints the marks and lines over the face; `area` is the part repainted.
    using MarkPainter = std::function<void(QPainter& painter, const QRect& area)>;
    using FaceSource = std::function<const TargetFace&()>;

    TargetView(FaceSource face, MarkPainter marks, QWidget* parent);

    QSize sizeHint() const override { return {kWidth, kHeight}; }
    QSize minimumSizeHint() const override { return {kWidth / 2, kHeight / 2}; }

    // Pixels of the area per drawing unit, and where drawing units are shown.
    double scale() const;
    QPointF toWidget(QPointF drawing) const;
    QPointF toDrawing(QPointF widget) const;

Q_SIGNALS:
    // `held` are the buttons down while moving: a right-drag is the moves
    // between a right press and its release.
    void pointerMoved(QPointF at, Qt::MouseButtons held);
    void pointerPressed(Qt::MouseButton button, QPointF at);
    void pointerReleased(Qt::MouseButton button, QPointF at);
    void pointerDoubleClicked(Qt::MouseButton button, QPointF at);
    // The pointer left the area.
    void pointerLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QTransform transform() const;

    FaceSource m_face;
    MarkPainter m_marks;
};

} // namespace ankerblick
