#pragma once

// Drawing units are pixels of the target area; positions and sizes are kept
// in single precision like the shapes they describe.

#include <QtGlobal>

namespace ankerblick {

struct PointF {
    float x = 0.0f;
    float y = 0.0f;
    friend bool operator==(const PointF&, const PointF&) = default;
};

// Where a point `xMm`, `yMm` millimetres from the face's centre (y upwards)
// is drawn, the centre drawn at `centre` with `scale` drawing units per
// millimetre (y downwards).
inline PointF drawnFromMm(PointF centre, double scale, double xMm, double yMm) {
    return {float(centre.x + xMm * scale), float(centre.y - yMm * scale)};
}

// An RGB colour as the shapes carry it.
struct Rgb {
    quint8 r = 0;
    quint8 g = 0;
    quint8 b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A circle or rectangle of the target area: its box and whether it is shown.
struct ShapeBox {
    float left = 0.0f;
    float top = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    bool visible = true;

    PointF centre() const { return {left + width / 2.0f, top + height / 2.0f}; }
    // Places the shape so that its centre lies on (x, y); width is used for both
    // axes, the way the marks are placed under the pointer.
    void centreOn(float x, float y) {
        left = x - width / 2.0f;
        top = y - width / 2.0f;
    }
    friend bool operator==(const ShapeBox&, const ShapeBox&) = default;
};

struct LineF {
    float x1 = 0.0f;
    float y1 = 0.0f;
    float x2 = 0.0f;
    float y2 = 0.0f;
    bool visible = false;
    double length() const;
    friend bool operator==(const LineF&, const LineF&) = default;
};

} // namespace ankerblick
