#pragma once

// The window "Kamerabild": the camera's latest picture, scaled to fit, with
// the face's black outlined and every hole seen marked with its number, in
// orange with a question mark when the camera was unsure of it. It paints
// only what the camera's thread sent last and never waits for it.
//
// The shooter corrects what the camera saw here: a mark dragged onto the
// hole moves its hit; a mark clicked and then "Entf" (or "Treffer
// entfernen" on its menu) takes it out as no hole; a double-click where the
// camera saw no hole adds one.

#include <QRectF>
#include <QTransform>
#include <QWidget>

#include <optional>

namespace ankerblick {

class CameraLink;

class CameraPictureWindow : public QWidget {
    Q_OBJECT
public:
    explicit CameraPictureWindow(CameraLink& link, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // Where the picture's pixels are drawn in the window.
    QTransform pictureToWindow() const;
    // The line above the picture: what the camera sees.
    QString status() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QRectF pictureArea() const;
    // The hole whose mark is under `at` (window pixels), if any.
    std::optional<qsizetype> holeAt(QPointF at) const;
    void paintHoles(QPainter& painter);
    void removeHole(qsizetype index);

    CameraLink& m_link;
    std::optional<qsizetype> m_chosen;  // the hole clicked last
    std::optional<qsizetype> m_grabbed; // the hole being dragged
    QPointF m_pressedAt;
    std::optional<QPointF> m_dragTo; // where the dragged mark is now
};

} // namespace ankerblick
