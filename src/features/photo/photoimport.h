#pragma once

// "Foto einlesen …" without its widgets: a photo of a shot face is read, its
// holes are found (vision/photoholes.h), the shooter adds and removes holes,
// and the holes go into the window as the hits of a new series, numbered
// from the top clockwise.

#include "model/targetface.h"
#include "vision/photoholes.h"

#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>

#include <optional>

namespace ankerblick {

// The holes in face millimetres (x right, y up), in the order of their
// angle from 12 o'clock going clockwise.
QList<QPointF> clockwiseFromTop(QList<QPointF> holes);

// read() and take() touch no widget and no shared state: they may run on a
// worker thread (model/background.h), one import used by one thread at a time.
class PhotoImport {
public:
    // Reads the picture file and finds the face of `discipline` and the
    // holes of its calibre in it. What the shooter is told when it fails.
    std::optional<QString> read(const QString& path, const DisciplineInfo& discipline);
    // The same for a picture already in memory (BGR or grey).
    std::optional<QString> take(const cv::Mat& picture, const DisciplineInfo& discipline);

    // The rectified face, grey, the face centre in the middle.
    const QImage& face() const { return m_face; }
    double calibreMm() const { return m_calibreMm; }
    // Face millimetres to a pixel of face(), and back.
    QPointF toPixel(QPointF mm) const;
    QPointF toMm(QPointF pixel) const;

    // The holes, numbered from the top clockwise (index 0 is hole 1).
    const QList<QPointF>& holes() const { return m_holes; }
    void add(QPointF mm);
    // Removes the hole under `mm` (within a calibre's radius); false when none is there.
    bool removeAt(QPointF mm);

    // How the holes become series of `seriesLength`, for the shooter.
    QString summary(int seriesLength) const;

private:
    std::optional<QString> adopt(PhotoHoles found, const DisciplineInfo& discipline);

    PhotoHoles m_found;
    QImage m_face;
    double m_calibreMm = 4.5;
    QList<QPointF> m_holes;
};

} // namespace ankerblick
