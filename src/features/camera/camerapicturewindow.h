#pragma once

// The window "Kamerabild": the camera's latest picture, scaled to fit, with
// the face's black outlined and every hole seen marked with its number.
// It paints only what the camera's thread sent last and never waits for it.

#include <QRectF>
#include <QTransform>
#include <QWidget>

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

private:
    QRectF pictureArea() const;

    CameraLink& m_link;
};

} // namespace ankerblick
