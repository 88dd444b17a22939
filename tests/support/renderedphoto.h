#pragma once

// Phone photos of a shot face for the tests: the face of renderedface.h with
// its holes, photographed at 1920 x 1080 through a known homography, in light
// that falls off across the picture, blurred, with noise and stored as JPEG.

#include "support/renderedface.h"

#include <opencv2/imgcodecs.hpp>

#include <cmath>
#include <vector>

namespace ankerblick::test {

inline const cv::Size kPhoto(1920, 1080);

// As mmToPicture, for a camera of the same field of view at kPhoto.
inline cv::Matx33d mmToPhoto(double pxPerMm, double tiltDeg, double rollDeg) {
    const double focal = kFocalPx * kPhoto.width / kPicture.width;
    const double t = tiltDeg * CV_PI / 180;
    const double r = rollDeg * CV_PI / 180;
    const double d = focal / pxPerMm;
    const double cx = kPhoto.width / 2.0 + 3.3;
    const double cy = kPhoto.height / 2.0 - 2.7;
    const cv::Matx33d roll(std::cos(r), -std::sin(r), 0, std::sin(r), std::cos(r), 0, 0, 0, 1);
    const cv::Matx33d tilt(focal, cx * std::sin(t), cx * d, 0,
                           -focal * std::cos(t) + cy * std::sin(t), cy * d, 0, std::sin(t), d);
    return tilt * roll;
}

// `count` holes around `centre`, neighbours `apartMm` apart, turned by `turnDeg`.
inline std::vector<Hole> holeGroup(cv::Point2d centre, int count, double apartMm, double turnDeg,
                                   bool light = true) {
    if (count == 1)
        return {{centre, light}};
    const double radius = apartMm / (2 * std::sin(CV_PI / count));
    std::vector<Hole> holes;
    for (int i = 0; i < count; ++i) {
        const double a = (turnDeg + 360.0 * i / count) * CV_PI / 180;
        holes.push_back({centre + radius * cv::Point2d(std::cos(a), std::sin(a)), light});
    }
    return holes;
}

// The BGR photo of the face with its holes, decoded from JPEG of `quality`.
inline cv::Mat photo(const DisciplineInfo& d, const std::vector<Hole>& holes,
                     const cv::Matx33d& toPhoto, int seed, int quality = 80) {
    const double half = kCanvasMm / 2;
    const cv::Matx33d canvasToMm(1 / kCanvasPxPerMm, 0, -half, 0, -1 / kCanvasPxPerMm, half, 0, 0,
                                 1);
    cv::Mat grey(kPhoto, CV_8U, cv::Scalar(80));
    cv::warpPerspective(renderFace(d, holes), grey, toPhoto * canvasToMm, kPhoto, cv::INTER_LINEAR,
                        cv::BORDER_TRANSPARENT);
    cv::Mat wide;
    grey.convertTo(wide, CV_32F);
    // Light from the upper left: a fifth less in the far corner.
    for (int y = 0; y < wide.rows; ++y) {
        float* row = wide.ptr<float>(y);
        for (int x = 0; x < wide.cols; ++x)
            row[x] *= float(1.0 - 0.2 * (0.6 * x / wide.cols + 0.4 * y / wide.rows));
    }
    cv::GaussianBlur(wide, wide, cv::Size(0, 0), 1.2);
    cv::Mat noise(kPhoto, CV_32F);
    cv::RNG rng{uint64(seed) + 7};
    rng.fill(noise, cv::RNG::NORMAL, 0, 5);
    cv::Mat shot;
    cv::Mat(wide + noise).convertTo(shot, CV_8U);
    cv::Mat bgr;
    cv::cvtColor(shot, bgr, cv::COLOR_GRAY2BGR);
    std::vector<uchar> jpeg;
    cv::imencode(".jpg", bgr, jpeg, {cv::IMWRITE_JPEG_QUALITY, quality});
    return cv::imdecode(jpeg, cv::IMREAD_COLOR);
}

} // namespace ankerblick::test
