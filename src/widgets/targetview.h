#pragma once

// The drawing area of a target window: the face of the shown discipline with
// what the window marks on it, in drawing units (the origin at the top left
// of the kWidth × kHeight design area). The area takes the room its window
// gives it and shows the whole face, scaled to fit, its aspect kept and
// centred; or, zoomed in, a part of it. The pointer on the area is reported
// in drawing units; what a press, move or release means is the window's
// matter. The wheel zooms about the pointer.

#include "model/targetface.h"

#include <QPointF>
#include <QRectF>
#include <QTransform>
#include <QWidget>

#include <functional>
#include <optional>

namespace ankerblick {

class TargetView final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 488;
    static constexpr int kHeight = 460;

    // Paints the marks and lines over the face; `area` is the part repainted.
    using MarkPainter = std::function<void(QPainter& painter, const QRect& area)>;
    using FaceSource = std::function<const TargetFace&()>;
    // The box of the shots shown, in drawing units; empty without shots.
    using GroupSource = std::function<QRectF()>;
    // At most this many times the whole face's scale.
    static constexpr double kMostZoom = 16.0;

    TargetView(FaceSource face, MarkPainter marks, QWidget* parent);

    QSize sizeHint() const override { return {kWidth, kHeight}; }
    QSize minimumSizeHint() const override { return {kWidth / 2, kHeight / 2}; }

    // Pixels of the area per drawing unit, and where drawing units are shown.
    double scale() const;
    QPointF toWidget(QPointF drawing) const;
    QPointF toDrawing(QPointF widget) const;

    // The part of the face shown, in drawing units.
    QRectF shownPart() const;
    bool zoomed() const { return !m_zoom.isNull(); }
    void setGroupSource(GroupSource group) { m_group = std::move(group); }

public Q_SLOTS:
    // Zooms by `factor` (above 1 in, below 1 out) about a point in drawing
    // units, or about the middle of the part shown.
    void zoomBy(double factor, std::optional<QPointF> about = std::nullopt);
    void zoomIn() { zoomBy(kStep); }
    void zoomOut() { zoomBy(1.0 / kStep); }
    void showWholeFace();
    // Shows exactly `part`, in drawing units, as the wheel and buttons
    // leave it; an empty part shows the whole face.
    void zoomTo(const QRectF& part);
    // Fits the shots shown, with room around them; nothing without shots.
    void showGroup();

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
    void wheelEvent(QWheelEvent* event) override;

private:
    static constexpr double kStep = 1.25;
    QTransform transform() const;
    QRectF wholeFace() const;
    // Shows `part`, kept within the whole face and no smaller than the most zoom.
    void showPart(QRectF part);

    FaceSource m_face;
    MarkPainter m_marks;
    GroupSource m_group;
    QRectF m_zoom; // the part shown when zoomed in; null: the whole face
};

} // namespace ankerblick
