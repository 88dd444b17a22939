#pragma once

// All holes in one photo of a shot face (a phone photo): the face is found as
// the camera finds it, the photo is rectified to face millimetres and
// compared with the face as it was printed: light where the black should be
// dark, dark where the card should be light. Ring lines and the edge of the
// black say nothing there (a hole shows the same as a light line in the
// black); they are bridged from the hole around them. A ragged group is split
// into as many holes of the calibre as its area and outline show: circles of
// the calibre are seeded by k-means over the group and refined against its
// outline, and the fewest circles that explain the group are taken.

#include "facefinder.h"

#include <opencv2/core.hpp>

#include <QString>

#include <optional>
#include <vector>

namespace ankerblick {

struct PhotoHoles {
    // Why nothing was found, for the shooter; none when the face was found.
    std::optional<QString> problem;
    FaceInPicture face;
    // The holes' centres in face millimetres (x right, y up), in no order.
    std::vector<cv::Point2d> holesMm;
    // The face rectified (grey, CV_8U): pxPerMm pixels per mm, the face
    // centre in the middle, y down.
    cv::Mat rectified;
    double pxPerMm = 10.0;

    // Face millimetres to a pixel of `rectified`, and back.
    cv::Point2d toPixel(cv::Point2d mm) const;
    cv::Point2d toMm(cv::Point2d pixel) const;
};

// The holes of the calibre `discipline.calibreMm` in a BGR or grey photo.
PhotoHoles findPhotoHoles(const cv::Mat& photo, const DisciplineInfo& discipline);

// The same for a picture file (jpg, png, bmp, …).
PhotoHoles readPhotoHoles(const QString& path, const DisciplineInfo& discipline);

} // namespace ankerblick
