#include "lensfit.h"

#include <opencv2/core.hpp>

#include <cmath>

namespace ankerblick {

namespace {
constexpr int kInverseSteps = 12; // of the fixed point that undoes the bend
} // namespace

Lens Lens::of(cv::Size picture) {
    Lens lens;
    lens.middle = {(picture.width - 1) / 2.0, (picture.height - 1) / 2.0};
    lens.halfDiagonal = std::hypot(picture.width, picture.height) / 2.0;
    return lens;
}

cv::Point2d Lens::seen(cv::Point2d ideal) const {
    const cv::Point2d u = (ideal - middle) / halfDiagonal;
    return middle + u * (1 + k * u.dot(u)) * halfDiagonal;
}

cv::Point2d Lens::ideal(cv::Point2d seenPoint) const {
    const cv::Point2d s = (seenPoint - middle) / halfDiagonal;
    cv::Point2d u = s;
    for (int step = 0; step < kInverseSteps; ++step)
        u = s / (1 + k * u.dot(u));
    return middle + u * halfDiagonal;
}

double ringRmsMm(const cv::Matx33d& pictureToMm, const std::vector<RingPoints>& rings) {
    double sum = 0;
    size_t n = 0;
    for (const RingPoints& ring : rings)
        for (const cv::Point2f& p : ring.points) {
            const cv::Vec3d q = pictureToMm * cv::Vec3d(p.x, p.y, 1);
            const double off = std::hypot(q[0] / q[2], q[1] / q[2]) - ring.radiusMm;
            sum += off * off;
            ++n;
        }
    return n ? std::sqrt(sum / double(n)) : 0.0;
}

} // namespace ankerblick
