#pragma once

// A webcam's or phone's lens bends straight lines: a point is seen moved
// along the radius from the picture's middle, barrel-like for k < 0. The
// face's rings are concentric circles of known radii, which fixes the bend
// (see findFace): with the right k, the points seen on each ring lie on its
// circle.

#include <opencv2/core.hpp>

#include <vector>

namespace ankerblick {

// Radial distortion about the picture's middle on the radius in units of
// the half diagonal: an ideal point u is seen at u (1 + k |u|^2).
struct Lens {
    cv::Point2d middle;
    double halfDiagonal = 1.0;
    double k = 0.0;

    static Lens of(cv::Size picture);
    // Where the lens shows an ideal point, and the ideal point of one seen.
    cv::Point2d seen(cv::Point2d ideal) const;
    cv::Point2d ideal(cv::Point2d seen) const;
};

// Points seen on one ring of the face (or the black's edge), and its radius.
struct RingPoints {
    double radiusMm = 0.0;
    std::vector<cv::Point2f> points;
};

// The points' distance from their circles through a mapping without lens.
double ringRmsMm(const cv::Matx33d& pictureToMm, const std::vector<RingPoints>& rings);

} // namespace ankerblick
