#include "holedetector.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace ankerblick {

namespace {

constexpr float kTolerance = 35.0f;      // grey levels a pixel may drift
constexpr double kLightUpdate = 0.05;    // how fast the reference follows the light
constexpr double kNewPaperShare = 0.5;   // share of the face changed for a new paper
constexpr double kStillMm = 0.5;         // how far a hole may seem to move while it settles

// A circle through the points, least squares.
std::optional<std::pair<cv::Point2d, double>> fitCircle(const std::vector<cv::Point2d>& points) {
    if (points.size() < 12)
        return std::nullopt;
    cv::Mat a(int(points.size()), 3, CV_64F);
    cv::Mat b(int(points.size()), 1, CV_64F);
    for (int i = 0; i < a.rows; ++i) {
        const auto& p = points[size_t(i)];
        a.at<double>(i, 0) = p.x;
        a.at<double>(i, 1) = p.y;
        a.at<double>(i, 2) = 1;
        b.at<double>(i) = -(p.x * p.x + p.y * p.y);
    }
    cv::Mat x;
    if (!cv::solve(a, b, x, cv::DECOMP_SVD))
        return std::nullopt;
    const cv::Point2d c(-x.at<double>(0) / 2, -x.at<double>(1) / 2);
    const double r2 = c.x * c.x + c.y * c.y - x.at<double>(2);
    if (r2 <= 0)
        return std::nullopt;
    return std::pair{c, std::sqrt(r2)};
}

// Wide enough to close the gap a ring line leaves in a hole's change.
cv::Mat bridge() {
    const int side = 2 * int(std::lround(0.6 * HoleDetector::kPixelsPerMm)) + 1;
    return cv::getStructuringElement(cv::MORPH_ELLIPSE, {side, side});
}

} // namespace

HoleDetector::HoleDetector(const FaceInPicture& face, const DisciplineInfo& discipline)
    : m_calibreMm(discipline.calibreMm) {
    double reach = discipline.blackDiameterMm;
    for (const double d : discipline.ringDiameterMm)
        reach = std::max(reach, d);
    for (const double d : discipline.ringsMm) // the decimal faces' rings on the card
        reach = std::max(reach, d);
    const double halfMm = reach / 2.0 * 1.25;
    const int side = int(std::ceil(2 * halfMm * kPixelsPerMm));
    m_size = cv::Size(side, side);
    const double half = side / 2.0;
    const cv::Matx33d mmToRect(kPixelsPerMm, 0, half, 0, -kPixelsPerMm, half, 0, 0, 1);
    m_pictureToRect = mmToRect * face.pictureToMm;
    m_faceMask = cv::Mat::zeros(m_size, CV_8U);
    cv::circle(m_faceMask, cv::Point(int(half), int(half)), int(halfMm * kPixelsPerMm), 255, cv::FILLED);
    m_holes = cv::Mat::zeros(m_size, CV_8U);
}

cv::Point2d HoleDetector::toMm(cv::Point2d pixel) const {
    const double half = m_size.width / 2.0;
    return {(pixel.x - half) / kPixelsPerMm, (half - pixel.y) / kPixelsPerMm};
}

cv::Mat HoleDetector::rectify(const cv::Mat& frame) const {
    cv::Mat grey;
    if (frame.channels() == 3)
        cv::cvtColor(frame, grey, cv::COLOR_BGR2GRAY);
    else
        grey = frame;
    cv::Mat rect;
    cv::warpPerspective(grey, rect, m_pictureToRect, m_size, cv::INTER_LINEAR, cv::BORDER_REPLICATE);
    cv::Mat result;
    rect.convertTo(result, CV_32F);
    cv::GaussianBlur(result, result, cv::Size(5, 5), 0);
    return result;
}

std::optional<cv::Point2d> HoleDetector::measure(const cv::Mat& changed, const cv::Mat& difference,
                                                 const cv::Mat& labels, int label,
                                                 const cv::Rect& box) const {
    // Near earlier holes the change is only the new part: a circle through
    // the edge that is not the old holes' edge.
    const int margin = int(kPixelsPerMm);
    const cv::Rect around = (box + cv::Size(2 * margin, 2 * margin) - cv::Point(margin, margin)) &
                            cv::Rect(cv::Point(0, 0), m_size);
    cv::Mat region = labels(around) == label;
    cv::Mat oldNear;
    cv::dilate(m_holes(around), oldNear, cv::Mat(), cv::Point(-1, -1), 3);
    if (cv::countNonZero(oldNear & region) > 0) {
        std::vector<std::vector<cv::Point>> contours;
        cv::findContours(region.clone(), contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_NONE);
        std::vector<cv::Point2d> edge;
        for (const auto& contour : contours)
            for (const auto& p : contour)
                if (!oldNear.at<uchar>(p))
                    edge.push_back(cv::Point2d(p + around.tl()));
        const auto circle = fitCircle(edge);
        if (!circle)
            return std::nullopt;
        const double radiusMm = circle->second / kPixelsPerMm;
        if (std::abs(radiusMm - m_calibreMm / 2) > 0.3 * m_calibreMm / 2)
            return std::nullopt;
        return toMm(circle->first);
    }
    // On its own: the centroid of the change, weighted by its strength.
    cv::Mat grown;
    cv::dilate(region, grown, cv::Mat(), cv::Point(-1, -1), 2);
    grown &= changed(around) | region;
    cv::morphologyEx(grown, grown, cv::MORPH_CLOSE, bridge());
    cv::Mat bridged;
    cv::morphologyEx(difference(around), bridged, cv::MORPH_CLOSE, bridge());
    cv::Mat weight;
    bridged.copyTo(weight, grown);
    const cv::Moments m = cv::moments(weight);
    if (m.m00 <= 0)
        return std::nullopt;
    return toMm(cv::Point2d(m.m10 / m.m00, m.m01 / m.m00) + cv::Point2d(around.tl()));
}

std::optional<VisionEvent> HoleDetector::feed(const cv::Mat& frame, qint64 timeMs) {
    const cv::Mat rect = rectify(frame);
    if (m_reference.empty()) {
        m_reference = rect;
        return std::nullopt;
    }
    cv::Mat difference = cv::abs(rect - m_reference);
    cv::Mat changed = (difference > kTolerance) & m_faceMask;
    const double share = double(cv::countNonZero(changed)) / cv::countNonZero(m_faceMask);
    if (share > kNewPaperShare) {
        m_candidates.clear();
        if (!m_changedSince)
            m_changedSince = timeMs;
        if (timeMs - *m_changedSince >= kSettleMs) {
            m_changedSince.reset();
            m_reference = rect;
            m_holes.setTo(0);
            return VisionEvent{VisionEvent::NewPaper, {}};
        }
        return std::nullopt;
    }
    m_changedSince.reset();

    cv::Mat open;
    cv::morphologyEx(changed, open, cv::MORPH_OPEN, cv::getStructuringElement(cv::MORPH_ELLIPSE, {3, 3}));
    // A hole across a ring line changes on both sides of it only.
    cv::morphologyEx(open, open, cv::MORPH_CLOSE, bridge());
    cv::Mat labels;
    cv::Mat stats;
    cv::Mat centroids;
    const int count = cv::connectedComponentsWithStats(open, labels, stats, centroids, 8, CV_32S);
    const double calibrePx = m_calibreMm * kPixelsPerMm;
    const double holeArea = CV_PI * calibrePx * calibrePx / 4;
    std::vector<Candidate> seen;
    std::optional<VisionEvent> event;
    for (int i = 1; i < count; ++i) {
        const int area = stats.at<int>(i, cv::CC_STAT_AREA);
        const int w = stats.at<int>(i, cv::CC_STAT_WIDTH);
        const int h = stats.at<int>(i, cv::CC_STAT_HEIGHT);
        // A hole overlapping earlier ones shows less than its whole disc.
        if (area < 0.25 * holeArea || area > 1.6 * holeArea)
            continue;
        if (std::max(w, h) > 1.4 * calibrePx || std::max(w, h) < 0.5 * calibrePx)
            continue;
        const cv::Rect box(stats.at<int>(i, cv::CC_STAT_LEFT), stats.at<int>(i, cv::CC_STAT_TOP), w, h);
        const auto centre = measure(changed, difference, labels, i, box);
        if (!centre)
            continue;
        // Measured from where it was first seen, so a slow drift is no hole.
        qint64 since = timeMs;
        cv::Point2d first = *centre;
        for (const auto& c : m_candidates) {
            if (cv::norm(c.centreMm - *centre) < kStillMm) {
                since = c.since;
                first = c.centreMm;
            }
        }
        if (!event && timeMs - since >= kSettleMs) {
            event = VisionEvent{VisionEvent::Hole, *centre};
            m_holes.setTo(255, labels == i);
            continue;
        }
        seen.push_back({first, since});
    }
    if (event) {
        m_reference = rect;
        m_candidates.clear();
        return event;
    }
    m_candidates = seen;
    // The reference follows slow changes of the light where nothing changed.
    cv::Mat still = ~changed;
    cv::accumulateWeighted(rect, m_reference, kLightUpdate, still);
    return std::nullopt;
}

} // namespace ankerblick
