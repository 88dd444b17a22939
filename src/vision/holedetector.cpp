#include "holedetector.h"

#include "bilinear.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ankerblick {

namespace {

// The tuning of the detector; each name ends in its unit (Levels grey
// levels, Px pixels of the rectified face, Mm face millimetres, Ratio a
// share of what the comment names).
constexpr float kToleranceLevels = 18.0f;      // a pixel may differ this much without a change
constexpr double kLightUpdateRatio = 0.05;     // how fast the reference follows uneven light
constexpr double kLightStepRatio = 0.05;       // the most the whole light changes between frames
constexpr double kLightStillRatio = 1e-3;      // a smaller change of the whole light is none
constexpr double kLightJumpRatio = 0.4;        // an exposure jump the light follows at most
constexpr double kLightSpreadRatio = 0.08;     // of the face's pixels, the middle half alike to
constexpr float kDarkestForLightLevels = 8.0f; // darker reference pixels tell no light ratio
constexpr int kLightSampleStepPx = 4;          // every this many pixels across and down
constexpr double kNewPaperRatio = 0.5;         // of the face changed for a new paper
constexpr double kStillCalibresRatio = 0.15;   // how far a hole may seem to move while it settles
constexpr double kEdgePx = 0.8;                // the soft edge of a hole in the rectified picture
constexpr double kEdgeReachRatio = 4.0;        // of the edge: beyond, the disc is all or nothing
constexpr int kQuietBlockPx = 8;           // the side of the blocks a quiet frame is compared in
constexpr double kQuietLevels = 6.0;       // a block may differ this much in a quiet frame
constexpr double kBridgeMm = 0.3;          // half the gap a ring line leaves in a hole's change
constexpr int kViewMarginPx = 5;           // the picture's edge smeared by the smoothing
constexpr int kLeastWindowPx = 16;         // the least area the fit of a hole reads
constexpr double kWindowMarginPx = 3.0;    // around twice the radius of a hole
constexpr double kFinestStepPx = 0.01;     // the fit's steps down to this
constexpr double kCoarsestStepPx = 0.5;    // the coarse grid at least this fine
constexpr double kFilledRadiusRatio = 0.7; // of the radius: the disc that must have changed
constexpr double kFilledRatio = 0.7;       // of that disc
constexpr double kBlurPx = 6.0;            // the picture's blur widens a change by this
constexpr double kSmallestAreaRatio = 0.3; // of a hole's area, a change on its own at least
constexpr double kSmallestOverlapAreaRatio = 0.04; // and one over earlier holes
constexpr double kLargestAreaRatio = 1.5;          // of a blurred hole's area at most
constexpr double kWidestRatio = 1.5;               // of the calibre, at most wide beyond the blur
constexpr double kNarrowestRatio = 0.5;            // of the calibre, a change on its own at least
constexpr double kNarrowestOverlapRatio = 0.15;    // and one over earlier holes
constexpr float kEdgeLevels = 6.0f; // a reference pixel with this gradient per pixel is an edge
constexpr size_t kMostEdgeSamples = 8000; // the edges a frame is registered by, at most
constexpr int kMostShakePx = 3;           // the shift searched for, each way
constexpr size_t kCoarseSampleStep = 4;   // of the edge samples, every this one for the search
constexpr float kOutlierLevels = 40.0f;   // a sample this far off is a hole or a hand
constexpr int kMostRefineSteps = 10;
constexpr double kShiftSettledPx = 0.005; // a refining step this small ends it
constexpr double kStillShiftPx = 0.02;    // a smaller shift is none
constexpr int kChangedPadPx = 8;          // around the changed pixels, the search for holes
constexpr double kMovedScale = 0.25;      // a moved camera is looked for at this scale
constexpr double kMovedResponse = 0.1;    // the phase correlation's peak at least
constexpr double kMovedRestRatio = 0.1;   // of the face, changed after moving it back at most
constexpr double kMovedCheckRatio = 0.03; // of the face changed: a moved camera is looked for

// Wide enough to close the gap a ring line leaves in a hole's change.
cv::Mat bridge(double ppm) {
    const int side = 2 * std::max(1, int(std::lround(kBridgeMm * ppm))) + 1;
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

cv::Mat toGrey(const cv::Mat& frame) {
    cv::Mat grey;
    if (frame.channels() == 3)
        cv::cvtColor(frame, grey, cv::COLOR_BGR2GRAY);
    else
        grey = frame;
    return grey;
}

// How well a disc of the calibre, put into the reference with a brightness
// of its own, explains the frame at a centre (least squares: less is
// better). Pixels outside the disc add the same to every centre: only those
// the disc reaches count.
class DiscFit {
public:
    DiscFit(const cv::Mat& frame, const cv::Mat& reference, const cv::Mat& inView, cv::Rect window,
            double radiusPx)
        : m_frame(frame(window)), m_reference(reference(window)), m_inView(inView),
          m_window(window), m_radiusPx(radiusPx),
          m_nearPx(int(std::ceil(radiusPx + kEdgeReachRatio * kEdgePx)) + 1),
          m_disc(size_t(window.area())) {}

    double cost(cv::Point2d centre) {
        const cv::Point2d local = centre - cv::Point2d(m_window.tl());
        const int x0 = std::max(0, int(local.x) - m_nearPx);
        const int x1 = std::min(m_window.width, int(local.x) + m_nearPx + 1);
        const int y0 = std::max(0, int(local.y) - m_nearPx);
        const int y1 = std::min(m_window.height, int(local.y) + m_nearPx + 1);
        const cv::Rect near(x0, y0, x1 - x0, y1 - y0);
        const auto brightness = holeBrightness(local, near);
        return brightness ? residual(near, *brightness) : 1e300;
    }

    // The share of the change around `centre` that lies within the disc:
    // near 1 for a round hole of the calibre, less for an odd one (a
    // keyhole, two holes taken for one).
    double within(cv::Point2d centre) {
        cost(centre);
        return 1.0 - m_outside;
    }

private:
    // The disc at `local`, soft at its edge as the picture is, into m_disc,
    // and the hole's own brightness that fits the frame best.
    std::optional<double> holeBrightness(cv::Point2d local, const cv::Rect& near) {
        double weights = 0;
        double weighted = 0;
        size_t k = 0;
        for (int y = near.y; y < near.y + near.height; ++y) {
            const float* frame = m_frame.ptr<float>(y);
            const float* reference = m_reference.ptr<float>(y);
            const double dy2 = (y - local.y) * (y - local.y);
            const uchar* shown = m_inView.ptr<uchar>(y + m_window.y) + m_window.x;
            for (int x = near.x; x < near.x + near.width; ++x, ++k) {
                const double out = std::sqrt((x - local.x) * (x - local.x) + dy2) - m_radiusPx;
                // Outside the picture the disc explains nothing.
                const double weight = !shown[x]                         ? 0.0
                                      : out > kEdgeReachRatio * kEdgePx ? 0.0
                                      : out < -kEdgeReachRatio * kEdgePx
                                          ? 1.0
                                          : 1.0 / (1.0 + std::exp(out / kEdgePx));
                m_disc[k] = float(weight);
                weights += weight * weight;
                weighted += weight * (frame[x] - reference[x] + weight * reference[x]);
            }
        }
        if (weights <= 0)
            return std::nullopt;
        return weighted / weights;
    }

    // How much better the disc of that brightness explains the frame than
    // the reference alone.
    double residual(const cv::Rect& near, double brightness) {
        double sum = 0;
        double change = 0;
        double outside = 0;
        size_t k = 0;
        for (int y = near.y; y < near.y + near.height; ++y) {
            const float* frame = m_frame.ptr<float>(y);
            const float* reference = m_reference.ptr<float>(y);
            for (int x = near.x; x < near.x + near.width; ++x, ++k) {
                const double plain = frame[x] - reference[x];
                const double error = plain - m_disc[k] * (brightness - reference[x]);
                sum += error * error - plain * plain;
                change += plain * plain;
                outside += m_disc[k] < 0.5f ? plain * plain : 0.0;
            }
        }
        m_outside = change > 0 ? outside / change : 1.0;
        return sum;
    }

    const cv::Mat m_frame;
    const cv::Mat m_reference;
    const cv::Mat& m_inView;
    const cv::Rect m_window;
    const double m_radiusPx;
    const int m_nearPx;
    std::vector<float> m_disc;
    double m_outside = 1; // the share of the change, in squares, outside the disc
};

// The centre with the least cost: a search on a coarse grid around the
// start, then in ever finer steps.
cv::Point2d bestCentre(DiscFit& fit, cv::Point2d start, double radiusPx) {
    cv::Point2d best = start;
    double bestCost = fit.cost(start);
    const auto tryCentre = [&](cv::Point2d centre) {
        const double cost = fit.cost(centre);
        if (!(cost < bestCost))
            return false;
        bestCost = cost;
        best = centre;
        return true;
    };
    const double coarse = std::max(kCoarsestStepPx, radiusPx / 4);
    for (double y = -radiusPx; y <= radiusPx; y += coarse)
        for (double x = -radiusPx; x <= radiusPx; x += coarse)
            tryCentre(start + cv::Point2d(x, y));
    for (double step = coarse / 2; step > kFinestStepPx;) {
        bool moved = false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (dx != 0 || dy != 0)
                    moved = tryCentre(best + cv::Point2d(dx * step, dy * step)) || moved;
        if (!moved)
            step /= 2;
    }
    return best;
}

} // namespace

HoleDetector::HoleDetector(const FaceInPicture& face, const DisciplineInfo& discipline)
    : m_calibreMm(discipline.calibreMm) {
    m_ppm = std::clamp(picturePixelsPerMm(face), kMinHolePixels / m_calibreMm, kMaxPixelsPerMm);
    // Passed over only where a hole is 32 pixels across or more: a fifth of
    // one, dark in the black (some 40 grey levels darker), spread over four
    // blocks, still changes one of them by 25 or more, where the noise of a
    // block of 64 pixels stays within 2.
    m_quietBlocks = discipline.calibreMm * picturePixelsPerMm(face, false) >= 4 * kQuietBlockPx;
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
            const cv::Point2d p = face.lens.seen(mapPoint(rectToPicture, {double(x), double(y)}));
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
    cv::erode(m_inView, m_inView,
              cv::getStructuringElement(cv::MORPH_RECT, {kViewMarginPx, kViewMarginPx}));
    m_faceMask &= m_inView;
    m_faceArea = std::max(1, cv::countNonZero(m_faceMask));
}

// Rectified and smoothed in whole grey levels, which is quicker: the light
// is followed and the frame registered on these, and only then turned into
// the float picture that is compared and fitted to.
cv::Mat HoleDetector::rectifyGrey(const cv::Mat& grey) const {
    cv::Mat rect;
    cv::remap(grey, rect, m_map, m_mapFraction, cv::INTER_LINEAR, cv::BORDER_REPLICATE);
    cv::GaussianBlur(rect, rect, cv::Size(5, 5), 0);
    return rect;
}

namespace {

cv::Mat asFloat(const cv::Mat& levels) {
    cv::Mat result;
    levels.convertTo(result, CV_32F);
    return result;
}

// The picture moved by -shift: what stood at p + shift stands at p.
cv::Mat movedBack(const cv::Mat& picture, cv::Point2d shift) {
    cv::Mat moved;
    const cv::Matx23d back(1, 0, shift.x, 0, 1, shift.y);
    cv::warpAffine(picture, moved, back, picture.size(), cv::INTER_LINEAR | cv::WARP_INVERSE_MAP,
                   cv::BORDER_REPLICATE);
    return moved;
}

} // namespace

// The centre of a disc of the calibre that, put into the reference with a
// brightness of its own, explains the frame best (least squares).
std::optional<HoleDetector::FittedHole> HoleDetector::fitHole(const cv::Mat& frame,
                                                              cv::Point2d start) const {
    const double radiusPx = m_calibreMm / 2 * m_ppm;
    const int reach = int(std::ceil(2 * radiusPx + kWindowMarginPx));
    const cv::Rect window =
        cv::Rect(int(start.x) - reach, int(start.y) - reach, 2 * reach + 1, 2 * reach + 1) &
        cv::Rect(cv::Point(0, 0), m_size);
    if (window.area() < kLeastWindowPx)
        return std::nullopt;
    DiscFit fit(frame, m_reference, m_inView, window, radiusPx);
    const cv::Point2d centre = bestCentre(fit, start, radiusPx);
    return FittedHole{centre, fit.within(centre)};
}

// Whether the disc of the calibre at `centre` changed nearly everywhere
// inside, or was a hole before: a hole, and not a flicker along an edge.
bool HoleDetector::filled(const cv::Mat& changed, cv::Point2d centre) const {
    cv::Mat disc = cv::Mat::zeros(m_size, CV_8U);
    const int radiusPx =
        std::max(1, int(std::lround(kFilledRadiusRatio * m_calibreMm / 2 * m_ppm)));
    cv::circle(disc, cv::Point(int(std::lround(centre.x)), int(std::lround(centre.y))), radiusPx,
               255, cv::FILLED);
    disc &= m_inView; // of a hole on the picture's edge, the part in view
    const int inside = cv::countNonZero(disc);
    return inside > 0 && cv::countNonZero(disc & (changed | m_holes)) >= kFilledRatio * inside;
}

// Most frames show nothing new: one that differs from the last frame in
// which nothing had changed by no more than the noise, block by block, is
// passed over. Only where a hole is large enough in the picture that even
// the fifth of it a hole in a group shows changes a block clearly.
bool HoleDetector::passOver(const cv::Mat& grey, cv::Mat& blocks) const {
    if (!m_quietBlocks)
        return false;
    cv::resize(grey, blocks, cv::Size(grey.cols / kQuietBlockPx, grey.rows / kQuietBlockPx), 0, 0,
               cv::INTER_AREA);
    if (m_quiet.empty() || m_quiet.size() != blocks.size())
        return false;
    cv::Mat apart;
    cv::absdiff(blocks, m_quiet, apart);
    double most = 0;
    cv::minMaxLoc(apart, nullptr, &most);
    return most <= kQuietLevels;
}

// The edges of the reference (ring lines, the black's outline, holes) that
// tell a shift of the picture: their places and gradients, every so many
// of them so that a frame is registered by a few thousand.
void HoleDetector::sampleEdges() {
    cv::Mat gx;
    cv::Mat gy;
    cv::Sobel(m_reference, gx, CV_32F, 1, 0, 3, 1.0 / 8);
    cv::Sobel(m_reference, gy, CV_32F, 0, 1, 3, 1.0 / 8);
    std::vector<EdgeSample> all;
    for (int y = 1; y + 1 < m_size.height; ++y) {
        const float* x1 = gx.ptr<float>(y);
        const float* y1 = gy.ptr<float>(y);
        const uchar* face = m_faceMask.ptr<uchar>(y);
        for (int x = 1; x + 1 < m_size.width; ++x)
            if (face[x] && std::hypot(x1[x], y1[x]) > kEdgeLevels)
                all.push_back({{x, y}, x1[x], y1[x]});
    }
    const size_t step = all.size() / kMostEdgeSamples + 1;
    m_edges.clear();
    for (size_t i = 0; i < all.size(); i += step)
        m_edges.push_back(all[i]);
}

void HoleDetector::takeAsReference(const cv::Mat& rect) {
    m_reference = rect;
    sampleEdges();
}

// How far the frame's picture lies from the reference's (rect(p + shift)
// shows what reference(p) does): the whole pixel that fits the edges best
// within a few pixels, at the brightness that fits best there, then
// refined.
cv::Point2d HoleDetector::shiftFromReference(const cv::Mat& rect) const {
    if (m_edges.size() < kMostEdgeSamples / 50)
        return {};
    cv::Point best;
    double bestCost = std::numeric_limits<double>::max();
    for (int dy = -kMostShakePx; dy <= kMostShakePx; ++dy)
        for (int dx = -kMostShakePx; dx <= kMostShakePx; ++dx) {
            double vv = 0, vr = 0, rr = 0;
            for (size_t i = 0; i < m_edges.size(); i += kCoarseSampleStep) {
                const cv::Point p = m_edges[i].at;
                const cv::Point q = p + cv::Point(dx, dy);
                if (q.x < 0 || q.y < 0 || q.x >= m_size.width || q.y >= m_size.height)
                    continue;
                const double v = rect.at<uchar>(q);
                const double r = m_reference.at<float>(p);
                vv += v * v;
                vr += v * r;
                rr += r * r;
            }
            const double cost = rr > 0 ? vv - vr * vr / rr : vv;
            if (cost < bestCost) {
                bestCost = cost;
                best = {dx, dy};
            }
        }
    return refinedShift(rect, cv::Point2d(best));
}

// Gauss-Newton on the edge samples for the shift and the brightness:
// rect(p + s + d) ~ rect(p + s) + g d = reference(p) (1 + a) + b, with the
// reference's gradient g, until the steps are small. Samples far off (a
// hole, a hand) do not count.
cv::Point2d HoleDetector::refinedShift(const cv::Mat& rect, cv::Point2d start) const {
    cv::Point2d shift = start;
    for (int step = 0; step < kMostRefineSteps; ++step) {
        cv::Matx44d normal = cv::Matx44d::zeros();
        cv::Vec4d right;
        for (const EdgeSample& s : m_edges) {
            const float v = bilinear<uchar, float>(rect, s.at.x + shift.x, s.at.y + shift.y);
            const float r = m_reference.at<float>(s.at);
            const float e = v - r;
            if (v < 0 || std::abs(e) > kOutlierLevels)
                continue;
            const cv::Vec4d row(s.gx, s.gy, -r, -1.0);
            normal += row * row.t();
            right -= row * double(e);
        }
        cv::Vec4d x;
        if (!cv::solve(normal, right, x, cv::DECOMP_CHOLESKY))
            return start;
        const cv::Point2d d(x[0], x[1]);
        shift += d;
        if (cv::norm(d) < kShiftSettledPx)
            break;
    }
    return cv::norm(shift - start) <= 1.0 ? shift : start;
}

// The frame brought onto the reference; as it is when it lies still.
cv::Mat HoleDetector::ontoReference(const cv::Mat& rect) const {
    const cv::Point2d shift = shiftFromReference(rect);
    return cv::norm(shift) < kStillShiftPx ? rect : movedBack(rect, shift);
}

// The whole light changes: the reference is brought to the frame's
// brightness, by the middle ratio of the two, a little at a time.
void HoleDetector::followLight(const cv::Mat& rect) {
    std::vector<float> ratios;
    ratios.reserve(size_t(m_size.area() / 16));
    for (int y = 0; y < m_size.height; y += kLightSampleStepPx) {
        const uchar* frame = rect.ptr<uchar>(y);
        const float* reference = m_reference.ptr<float>(y);
        const uchar* face = m_faceMask.ptr<uchar>(y);
        for (int x = 0; x < m_size.width; x += kLightSampleStepPx)
            if (face[x] && reference[x] > kDarkestForLightLevels)
                ratios.push_back(frame[x] / reference[x]);
    }
    if (ratios.empty())
        return;
    const auto at = [&ratios](size_t share) {
        auto it = ratios.begin() + std::ptrdiff_t(ratios.size() * share / 4);
        std::nth_element(ratios.begin(), it, ratios.end());
        return double(*it);
    };
    const double middle = at(2);
    const double spread = at(3) - at(1);
    const double change = std::abs(middle - 1);
    // A sudden change is no change of the light (a hand, a new paper)
    // unless the whole face changed alike: the camera's exposure jumping.
    const bool alike = spread < kLightSpreadRatio * middle && change < kLightJumpRatio;
    if ((change < kLightStepRatio || alike) && change > kLightStillRatio)
        m_reference *= middle;
}

// Whether the frame is the reference moved further than a shake: found at a
// quarter of the resolution by phase correlation, and the frame moved back
// by that shows what the reference does over nearly all the face.
bool HoleDetector::movedCamera(const cv::Mat& rect) const {
    cv::Mat reference;
    cv::Mat frame;
    cv::resize(m_reference, reference, cv::Size(), kMovedScale, kMovedScale, cv::INTER_AREA);
    cv::resize(rect, frame, cv::Size(), kMovedScale, kMovedScale, cv::INTER_AREA);
    cv::Mat window;
    cv::createHanningWindow(window, reference.size(), CV_32F);
    double response = 0;
    const cv::Point2d shift = cv::phaseCorrelate(reference, frame, window, &response) / kMovedScale;
    if (response < kMovedResponse || cv::norm(shift) <= kMostShakePx)
        return false;
    cv::Mat difference;
    cv::absdiff(movedBack(rect, shift), m_reference, difference);
    const int changed = cv::countNonZero((difference > kToleranceLevels) & m_faceMask);
    return changed < kMovedRestRatio * m_faceArea;
}

// Most of the face changed: a new paper, or a moved camera, once it has
// stayed so for a while.
std::optional<VisionEvent> HoleDetector::mostChanged(const cv::Mat& rect, qint64 timeMs) {
    m_candidates.clear();
    if (!m_changedSince)
        m_changedSince = timeMs;
    if (timeMs - *m_changedSince < kSettleMs)
        return std::nullopt;
    m_changedSince.reset();
    const bool moved = movedCamera(rect);
    takeAsReference(rect);
    if (moved)
        return VisionEvent{VisionEvent::Moved, {}};
    m_holes.setTo(0);
    return VisionEvent{VisionEvent::NewPaper, {}};
}

// Whether a changed region (component `i`) has the size of a hole; a hole
// overlapping earlier ones shows less than its whole disc.
bool HoleDetector::holeSized(const cv::Mat& stats, const cv::Mat& labels, cv::Point labelsAt,
                             int i) const {
    const int area = stats.at<int>(i, cv::CC_STAT_AREA);
    const int width = stats.at<int>(i, cv::CC_STAT_WIDTH);
    const int height = stats.at<int>(i, cv::CC_STAT_HEIGHT);
    const cv::Rect box(stats.at<int>(i, cv::CC_STAT_LEFT), stats.at<int>(i, cv::CC_STAT_TOP), width,
                       height);
    const bool overlapping = cv::countNonZero(m_holes(box) & (labels(box - labelsAt) == i)) > 0 ||
                             cv::countNonZero(m_holes(box)) > 0;
    const double calibrePx = m_calibreMm * m_ppm;
    const double holeArea = CV_PI * calibrePx * calibrePx / 4;
    // The picture's blur widens the change by a few pixels all round.
    const double blurred = CV_PI * (calibrePx + kBlurPx) * (calibrePx + kBlurPx) / 4;
    if (area < (overlapping ? kSmallestOverlapAreaRatio : kSmallestAreaRatio) * holeArea ||
        area > kLargestAreaRatio * blurred)
        return false;
    const int extent = std::max(width, height);
    return extent <= kWidestRatio * calibrePx + kBlurPx &&
           extent >= (overlapping ? kNarrowestOverlapRatio : kNarrowestRatio) * calibrePx;
}

// The candidate a change at `centreMm` continues, measured from where it was
// first seen, so a slow drift is no hole; a new one from now.
HoleDetector::Candidate HoleDetector::tracked(cv::Point2d centreMm, qint64 timeMs) const {
    Candidate found{centreMm, timeMs};
    for (const auto& candidate : m_candidates)
        if (cv::norm(candidate.centreMm - centreMm) < kStillCalibresRatio * m_calibreMm)
            found = candidate;
    return found;
}

// The changed regions: the first of the size of a hole that has stayed long
// enough in place and is filled is the new hole; the others are candidates.
std::optional<VisionEvent> HoleDetector::newHole(const cv::Mat& rect, const cv::Mat& changed,
                                                 qint64 timeMs) {
    // Only around what changed: the rest of the face would stay empty.
    const int pad = bridge(m_ppm).cols + kChangedPadPx;
    const cv::Rect roi =
        (cv::boundingRect(changed) + cv::Size(2 * pad, 2 * pad) - cv::Point(pad, pad)) &
        cv::Rect(cv::Point(), m_size);
    cv::Mat open;
    cv::morphologyEx(changed(roi), open, cv::MORPH_OPEN,
                     cv::getStructuringElement(cv::MORPH_ELLIPSE, {3, 3}));
    // A hole across a ring line changes on both sides of it only.
    cv::morphologyEx(open, open, cv::MORPH_CLOSE, bridge(m_ppm));
    cv::Mat labels;
    cv::Mat stats;
    cv::Mat centroids;
    const int count = cv::connectedComponentsWithStats(open, labels, stats, centroids, 8, CV_32S);
    // In the whole rectified picture's pixels.
    stats.col(cv::CC_STAT_LEFT) += roi.x;
    stats.col(cv::CC_STAT_TOP) += roi.y;
    centroids.col(0) += roi.x;
    centroids.col(1) += roi.y;
    std::vector<Candidate> seen;
    std::optional<VisionEvent> event;
    for (int i = 1; i < count; ++i) {
        if (!holeSized(stats, labels, roi.tl(), i))
            continue;
        const cv::Point2d centroid(centroids.at<double>(i, 0), centroids.at<double>(i, 1));
        const Candidate candidate = tracked(toMm(centroid), timeMs);
        if (!event && timeMs - candidate.since >= kSettleMs) {
            const auto fitted = fitHole(rect, centroid);
            if (fitted && filled(changed, fitted->centre)) {
                const cv::Point2d centre = fitted->centre;
                event = VisionEvent{VisionEvent::Hole, toMm(centre), fitted->certainty};
                cv::circle(m_holes,
                           cv::Point(int(std::lround(centre.x)), int(std::lround(centre.y))),
                           int(std::lround(m_calibreMm * m_ppm / 2)), 255, cv::FILLED);
                continue;
            }
        }
        seen.push_back(candidate);
    }
    m_candidates = event ? std::vector<Candidate>{} : seen;
    return event;
}

std::optional<VisionEvent> HoleDetector::feed(const cv::Mat& frame, qint64 timeMs) {
    const cv::Mat grey = toGrey(frame);
    cv::Mat blocks;
    if (passOver(grey, blocks))
        return std::nullopt;
    m_quiet.release();
    if (m_inView.empty())
        keepToView(frame.size());
    if (m_reference.empty()) {
        takeAsReference(asFloat(rectifyGrey(grey)));
        m_quiet = blocks;
        return std::nullopt;
    }
    // The light first: the frame is registered to a reference as bright.
    const cv::Mat straight = rectifyGrey(grey);
    followLight(straight);
    const cv::Mat rect = asFloat(ontoReference(straight));
    cv::Mat difference;
    cv::absdiff(rect, m_reference, difference);
    const cv::Mat changed = (difference > kToleranceLevels) & m_faceMask;
    const int changedCount = cv::countNonZero(changed);
    // Most of the face changed (a new paper), or much of it and the frame
    // is the reference moved (a bumped camera changes only the edges).
    const double changedShare = double(changedCount) / m_faceArea;
    if (changedShare > kNewPaperRatio || (changedShare > kMovedCheckRatio && movedCamera(rect)))
        return mostChanged(rect, timeMs);
    m_changedSince.reset();
    if (changedCount == 0) { // the common frame: nothing new
        m_candidates.clear();
        cv::accumulateWeighted(rect, m_reference, kLightUpdateRatio);
        m_quiet = blocks;
        return std::nullopt;
    }
    const auto event = newHole(rect, changed, timeMs);
    if (event) {
        takeAsReference(rect);
        return event;
    }
    // The reference follows slow changes of the light where nothing changed.
    const cv::Mat still = ~changed;
    cv::accumulateWeighted(rect, m_reference, kLightUpdateRatio, still);
    return std::nullopt;
}

} // namespace ankerblick
