#include "holedetector.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace ankerblick {

namespace {

constexpr float kTolerance = 18.0f;     // grey levels a pixel may differ without a change
constexpr double kLightUpdate = 0.05;   // how fast the reference follows uneven light
constexpr double kLightStep = 0.05;     // the most the whole light changes between frames
constexpr double kNewPaperShare = 0.5;  // share of the face changed for a new paper
constexpr double kStillCalibres = 0.15; // how far a hole may seem to move while it settles
constexpr double kEdgePixels = 0.8;     // the soft edge of a hole in the rectified picture
constexpr int kQuietBlock = 8;          // the side of the blocks a quiet frame is compared in
constexpr double kQuietLevels = 6.0;    // grey levels a block may differ in a quiet frame

// Wide enough to close the gap a ring line leaves in a hole's change.
cv::Mat bridge(double ppm) {
    const int side = 2 * std::max(1, int(std::lround(0.3 * ppm))) + 1;
    return cv::getStructuringElement(cv::MORPH_RECT, {side, side});
}

// The face's pixels per mm at its centre in the picture: the larger of the
// two directions, so the rectified picture loses nothing; or the smaller.
double picturePixelsPerMm(const FaceInPicture& face, bool larger = true) {
    const cv::Point2d c = mapPoint(face.mmToPicture, {0, 0});
    const double x = cv::norm(mapPoint(face.mmToPicture, {1, 0}) - c);
    const double y = cv::norm(mapPoint(face.mmToPicture, {0, 1}) - c);
    return larger ? std::max(x, y) : std::min(x, y);
}

} // namespace

HoleDetector::HoleDetector(const FaceInPicture& face, const DisciplineInfo& discipline)
    : m_calibreMm(discipline.calibreMm) {
    m_ppm = std::clamp(picturePixelsPerMm(face), kMinHolePixels / m_calibreMm, kMaxPixelsPerMm);
    // Passed over only where a hole is 32 pixels across or more: a fifth of
    // one, dark in the black (some 40 grey levels darker), spread over four
    // blocks, still changes one of them by 25 or more, where the noise of a
    // block of 64 pixels stays within 2.
    m_quietBlocks = discipline.calibreMm * picturePixelsPerMm(face, false) >= 4 * kQuietBlock;
    double reach = discipline.blackDiameterMm;
    for (const double d : discipline.ringDiameterMm)
        reach = std::max(reach, d);
    for (const double d : discipline.ringsMm) // the decimal faces' rings on the card
        reach = std::max(reach, d);
    const double halfMm = reach / 2.0 + 2 * m_calibreMm;
    const int side = int(std::ceil(2 * halfMm * m_ppm));
    m_size = cv::Size(side, side);
    const double half = side / 2.0;
    const cv::Matx33d mmToRect(m_ppm, 0, half, 0, -m_ppm, half, 0, 0, 1);
    m_pictureToRect = mmToRect * face.pictureToMm;
    // Where each rectified pixel lies in the picture, worked out once: a
    // frame is then resampled without a division per pixel.
    const cv::Matx33d rectToPicture = m_pictureToRect.inv();
    cv::Mat mapX(m_size, CV_32F);
    cv::Mat mapY(m_size, CV_32F);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const cv::Point2d p = mapPoint(rectToPicture, {double(x), double(y)});
            mapX.at<float>(y, x) = float(p.x);
            mapY.at<float>(y, x) = float(p.y);
        }
    cv::convertMaps(mapX, mapY, m_map, m_mapFraction, CV_16SC2);
    m_faceMask = cv::Mat::zeros(m_size, CV_8U);
    cv::circle(m_faceMask, cv::Point(int(half), int(half)), int(halfMm * m_ppm), 255, cv::FILLED);
    m_faceArea = std::max(1, cv::countNonZero(m_faceMask));
    m_holes = cv::Mat::zeros(m_size, CV_8U);
}

cv::Point2d HoleDetector::toMm(cv::Point2d pixel) const {
    const double half = m_size.width / 2.0;
    return {(pixel.x - half) / m_ppm, (half - pixel.y) / m_ppm};
}

// A face reaching past the picture's edge: what lies beyond it would show
// the edge's last pixels drawn out into streaks, and a hole on the edge as a
// long change too large for a hole. Only the pixels the picture shows count,
// the few its edge smears in the smoothing left out.
void HoleDetector::keepToView(cv::Size picture) {
    cv::Mat shown;
    cv::remap(cv::Mat(picture, CV_8U, cv::Scalar(255)), shown, m_map, m_mapFraction,
              cv::INTER_LINEAR, cv::BORDER_CONSTANT, cv::Scalar(0));
    m_inView = shown == 255;
    cv::erode(m_inView, m_inView, cv::getStructuringElement(cv::MORPH_RECT, {5, 5}));
    m_faceMask &= m_inView;
    m_faceArea = std::max(1, cv::countNonZero(m_faceMask));
}

namespace {

cv::Mat toGrey(const cv::Mat& frame) {
    cv::Mat grey;
    if (frame.channels() == 3)
        cv::cvtColor(frame, grey, cv::COLOR_BGR2GRAY);
    else
        grey = frame;
    return grey;
}

} // namespace

cv::Mat HoleDetector::rectifyGrey(const cv::Mat& grey) const {
    cv::Mat rect;
    cv::remap(grey, rect, m_map, m_mapFraction, cv::INTER_LINEAR, cv::BORDER_REPLICATE);
    // Smoothed in whole grey levels, which is quicker; the float picture
    // after it follows the light and is fitted to.
    cv::GaussianBlur(rect, rect, cv::Size(5, 5), 0);
    cv::Mat result;
    rect.convertTo(result, CV_32F);
    return result;
}

// The centre of a disc of the calibre that, put into the reference with a
// brightness of its own, explains the frame best (least squares): a search
// on a coarse grid around the start, then in ever finer steps.
std::optional<cv::Point2d> HoleDetector::fitHole(const cv::Mat& frame, cv::Point2d start) const {
    const double r = m_calibreMm / 2 * m_ppm;
    const int reach = int(std::ceil(2 * r + 3));
    const cv::Rect window =
        cv::Rect(int(start.x) - reach, int(start.y) - reach, 2 * reach + 1, 2 * reach + 1) &
        cv::Rect(cv::Point(0, 0), m_size);
    if (window.area() < 16)
        return std::nullopt;
    const cv::Mat f = frame(window);
    const cv::Mat g = m_reference(window);
    std::vector<float> disc(size_t(window.area()));
    const int near = int(std::ceil(r + 4 * kEdgePixels)) + 1;
    // Pixels outside the disc add the same to every centre: only those the
    // disc reaches count.
    const auto cost = [&](cv::Point2d c) {
        const cv::Point2d local = c - cv::Point2d(window.tl());
        const int x0 = std::max(0, int(local.x) - near);
        const int x1 = std::min(window.width, int(local.x) + near + 1);
        const int y0 = std::max(0, int(local.y) - near);
        const int y1 = std::min(window.height, int(local.y) + near + 1);
        // The disc, soft at its edge as the picture is.
        double dd = 0;
        double dy = 0;
        size_t k = 0;
        for (int y = y0; y < y1; ++y) {
            const float* fr = f.ptr<float>(y);
            const float* gr = g.ptr<float>(y);
            const double yy = (y - local.y) * (y - local.y);
            const uchar* shown = m_inView.ptr<uchar>(y + window.y) + window.x;
            for (int x = x0; x < x1; ++x, ++k) {
                const double d = std::sqrt((x - local.x) * (x - local.x) + yy) - r;
                // Outside the picture the disc explains nothing.
                const double w = !shown[x]              ? 0.0
                                 : d > 4 * kEdgePixels  ? 0.0
                                 : d < -4 * kEdgePixels ? 1.0
                                                        : 1.0 / (1.0 + std::exp(d / kEdgePixels));
                disc[k] = float(w);
                dd += w * w;
                dy += w * (fr[x] - gr[x] + w * gr[x]);
            }
        }
        if (dd <= 0)
            return 1e300;
        const double h = dy / dd; // the hole's own brightness
        double sum = 0;
        k = 0;
        for (int y = y0; y < y1; ++y) {
            const float* fr = f.ptr<float>(y);
            const float* gr = g.ptr<float>(y);
            for (int x = x0; x < x1; ++x, ++k) {
                const double plain = fr[x] - gr[x];
                const double e = plain - disc[k] * (h - gr[x]);
                sum += e * e - plain * plain;
            }
        }
        return sum;
    };
    cv::Point2d best = start;
    double bestCost = cost(start);
    const double coarse = std::max(0.5, r / 4);
    for (double y = -r; y <= r; y += coarse)
        for (double x = -r; x <= r; x += coarse) {
            const cv::Point2d c = start + cv::Point2d(x, y);
            const double v = cost(c);
            if (v < bestCost) {
                bestCost = v;
                best = c;
            }
        }
    for (double step = coarse / 2; step > 0.01;) {
        bool moved = false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                if (dx == 0 && dy == 0)
                    continue;
                const cv::Point2d c = best + cv::Point2d(dx * step, dy * step);
                const double v = cost(c);
                if (v < bestCost) {
                    bestCost = v;
                    best = c;
                    moved = true;
                }
            }
        if (!moved)
            step /= 2;
    }
    return best;
}

// Whether the disc of the calibre at `centre` changed nearly everywhere
// inside, or was a hole before: a hole, and not a flicker along an edge.
bool HoleDetector::filled(const cv::Mat& changed, cv::Point2d centre) const {
    cv::Mat disc = cv::Mat::zeros(m_size, CV_8U);
    const int r = std::max(1, int(std::lround(0.7 * m_calibreMm / 2 * m_ppm)));
    cv::circle(disc, cv::Point(int(std::lround(centre.x)), int(std::lround(centre.y))), r, 255,
               cv::FILLED);
    disc &= m_inView; // of a hole on the picture's edge, the part in view
    const int inside = cv::countNonZero(disc);
    return inside > 0 && cv::countNonZero(disc & (changed | m_holes)) >= 0.7 * inside;
}

std::optional<VisionEvent> HoleDetector::feed(const cv::Mat& frame, qint64 timeMs) {
    const cv::Mat grey = toGrey(frame);
    // Most frames show nothing new: one that differs from the last frame in
    // which nothing had changed by no more than the noise, block by block,
    // is passed over. Only where a hole is large enough in the picture that
    // even the fifth of it a hole in a group shows changes a block clearly.
    cv::Mat blocks;
    if (m_quietBlocks) {
        cv::resize(grey, blocks, cv::Size(grey.cols / kQuietBlock, grey.rows / kQuietBlock), 0, 0,
                   cv::INTER_AREA);
        if (!m_quiet.empty() && m_quiet.size() == blocks.size()) {
            cv::Mat apart;
            cv::absdiff(blocks, m_quiet, apart);
            double most = 0;
            cv::minMaxLoc(apart, nullptr, &most);
            if (most <= kQuietLevels)
                return std::nullopt;
        }
    }
    m_quiet.release();
    const cv::Mat rect = rectifyGrey(grey);
    if (m_inView.empty())
        keepToView(frame.size());
    if (m_reference.empty()) {
        m_reference = rect;
        m_quiet = blocks;
        return std::nullopt;
    }
    // The whole light changes: the reference is brought to the frame's
    // brightness, by the middle ratio of the two, a little at a time.
    {
        std::vector<float> ratios;
        ratios.reserve(size_t(m_size.area() / 16));
        for (int y = 0; y < m_size.height; y += 4) {
            const float* a = rect.ptr<float>(y);
            const float* b = m_reference.ptr<float>(y);
            const uchar* m = m_faceMask.ptr<uchar>(y);
            for (int x = 0; x < m_size.width; x += 4)
                if (m[x] && b[x] > 8.0f)
                    ratios.push_back(a[x] / b[x]);
        }
        // A sudden change is no change of the light: a hand, a new paper.
        if (!ratios.empty()) {
            auto middle = ratios.begin() + std::ptrdiff_t(ratios.size() / 2);
            std::nth_element(ratios.begin(), middle, ratios.end());
            if (std::abs(*middle - 1) < kLightStep && std::abs(*middle - 1) > 1e-3)
                m_reference *= *middle;
        }
    }
    cv::Mat difference;
    cv::absdiff(rect, m_reference, difference);
    cv::Mat changed = (difference > kTolerance) & m_faceMask;
    const int changedCount = cv::countNonZero(changed);
    const double share = double(changedCount) / m_faceArea;
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
    if (changedCount == 0) { // the common frame: nothing new
        m_candidates.clear();
        cv::accumulateWeighted(rect, m_reference, kLightUpdate);
        m_quiet = blocks;
        return std::nullopt;
    }

    cv::Mat open;
    cv::morphologyEx(changed, open, cv::MORPH_OPEN,
                     cv::getStructuringElement(cv::MORPH_ELLIPSE, {3, 3}));
    // A hole across a ring line changes on both sides of it only.
    cv::morphologyEx(open, open, cv::MORPH_CLOSE, bridge(m_ppm));
    cv::Mat labels;
    cv::Mat stats;
    cv::Mat centroids;
    const int count = cv::connectedComponentsWithStats(open, labels, stats, centroids, 8, CV_32S);
    const double calibrePx = m_calibreMm * m_ppm;
    const double holeArea = CV_PI * calibrePx * calibrePx / 4;
    std::vector<Candidate> seen;
    std::optional<VisionEvent> event;
    for (int i = 1; i < count; ++i) {
        const int area = stats.at<int>(i, cv::CC_STAT_AREA);
        const int w = stats.at<int>(i, cv::CC_STAT_WIDTH);
        const int h = stats.at<int>(i, cv::CC_STAT_HEIGHT);
        const cv::Rect box(stats.at<int>(i, cv::CC_STAT_LEFT), stats.at<int>(i, cv::CC_STAT_TOP), w,
                           h);
        // A hole overlapping earlier ones shows less than its whole disc.
        const bool overlapping = cv::countNonZero(m_holes(box) & (labels(box) == i)) > 0 ||
                                 cv::countNonZero(m_holes(box)) > 0;
        // The picture's blur widens the change by a few pixels all round.
        const double blurred = CV_PI * (calibrePx + 6) * (calibrePx + 6) / 4;
        if (area < (overlapping ? 0.04 : 0.3) * holeArea || area > 1.5 * blurred)
            continue;
        if (std::max(w, h) > 1.5 * calibrePx + 6 ||
            std::max(w, h) < (overlapping ? 0.15 : 0.5) * calibrePx)
            continue;
        const cv::Point2d centroid(centroids.at<double>(i, 0), centroids.at<double>(i, 1));
        const cv::Point2d centreMm = toMm(centroid);
        // Measured from where it was first seen, so a slow drift is no hole.
        qint64 since = timeMs;
        cv::Point2d first = centreMm;
        for (const auto& c : m_candidates) {
            if (cv::norm(c.centreMm - centreMm) < kStillCalibres * m_calibreMm) {
                since = c.since;
                first = c.centreMm;
            }
        }
        if (!event && timeMs - since >= kSettleMs) {
            const auto centre = fitHole(rect, centroid);
            if (centre && filled(changed, *centre)) {
                event = VisionEvent{VisionEvent::Hole, toMm(*centre)};
                cv::circle(m_holes,
                           cv::Point(int(std::lround(centre->x)), int(std::lround(centre->y))),
                           int(std::lround(calibrePx / 2)), 255, cv::FILLED);
                continue;
            }
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
