#pragma once

// Camera pictures of a face for the tests: the face drawn at its real size,
// seen through a known homography, with blur and noise as a webcam adds them.

#include "model/targetface.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <cmath>
#include <vector>

namespace ankerblick::test {

inline constexpr double kCanvasPxPerMm = 10.0;
inline constexpr double kCanvasMm = 100.0;
inline constexpr double kFocalPx = 1100.0; // a webcam's 60 degrees across 1280 pixels
inline const cv::Size kPicture(1280, 720);

struct Hole {
    cv::Point2d mm;
    bool light; // light in the black, dark on the white
};

// Face millimetres to picture pixels: the face centre on the optical axis,
// turned by `rollDeg` in its plane and tilted by `tiltDeg` about the
// picture's horizontal axis, at the distance that shows `pxPerMm` there.
inline cv::Matx33d mmToPicture(double pxPerMm, double tiltDeg, double rollDeg) {
    const double t = tiltDeg * CV_PI / 180;
    const double r = rollDeg * CV_PI / 180;
    const double d = kFocalPx / pxPerMm;
    const double cx = kPicture.width / 2.0 - 0.37;
    const double cy = kPicture.height / 2.0 + 0.21;
    const cv::Matx33d roll(std::cos(r), -std::sin(r), 0, std::sin(r), std::cos(r), 0, 0, 0, 1);
    const cv::Matx33d tilt(kFocalPx, cx * std::sin(t), cx * d, 0, -kFocalPx * std::cos(t) + cy * std::sin(t),
                           cy * d, 0, std::sin(t), d);
    return tilt * roll;
}

inline cv::Point canvasPoint(cv::Point2d mm) { // with 4 fractional bits
    const double half = kCanvasMm * kCanvasPxPerMm / 2;
    return {int(std::lround((half + mm.x * kCanvasPxPerMm) * 16)),
            int(std::lround((half - mm.y * kCanvasPxPerMm) * 16))};
}

inline cv::Mat renderFace(const DisciplineInfo& d, const std::vector<Hole>& holes) {
    const int side = int(kCanvasMm * kCanvasPxPerMm);
    cv::Mat canvas(side, side, CV_8U, cv::Scalar(225));
    const auto radius = [](double mm) { return int(std::lround(mm * kCanvasPxPerMm * 16)); };
    cv::circle(canvas, canvasPoint({0, 0}), radius(d.blackDiameterMm / 2), 25, cv::FILLED, cv::LINE_AA, 4);
    for (const double ring : d.ringDiameterMm)
        if (ring > 1 && ring != d.blackDiameterMm)
            cv::circle(canvas, canvasPoint({0, 0}), radius(ring / 2), ring < d.blackDiameterMm ? 225 : 25, 3,
                       cv::LINE_AA, 4);
    for (const auto& h : holes)
        cv::circle(canvas, canvasPoint(h.mm), radius(d.calibreMm / 2), h.light ? 225 : 25, cv::FILLED,
                   cv::LINE_AA, 4);
    return canvas;
}

inline cv::Mat picture(const cv::Mat& canvas, const cv::Matx33d& toPicture) {
    const double half = kCanvasMm / 2;
    const cv::Matx33d canvasToMm(1 / kCanvasPxPerMm, 0, -half, 0, -1 / kCanvasPxPerMm, half, 0, 0, 1);
    cv::Mat result(kPicture, CV_8U, cv::Scalar(80));
    cv::warpPerspective(canvas, result, toPicture * canvasToMm, kPicture, cv::INTER_LINEAR,
                        cv::BORDER_TRANSPARENT);
    cv::GaussianBlur(result, result, cv::Size(3, 3), 0.8);
    return result;
}

inline cv::Mat noisy(const cv::Mat& clean, int seed) {
    cv::Mat noise(clean.size(), CV_16S);
    cv::RNG rng{uint64(seed) + 1};
    rng.fill(noise, cv::RNG::NORMAL, 0, 4);
    cv::Mat result;
    cv::Mat wide;
    clean.convertTo(wide, CV_16S);
    cv::Mat(wide + noise).convertTo(result, CV_8U);
    return result;
}

} // namespace ankerblick::test
