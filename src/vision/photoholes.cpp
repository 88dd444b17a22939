#include "photoholes.h"

#include "bilinear.h"
#include "picture.h"

#include <QCoreApplication>
#include <QFile>

#include <opencv2/calib3d.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace ankerblick {

namespace {

// The tuning of the photo analysis; each name ends in its unit (Mm face
// millimetres, Px pixels of the rectified face, Ratio a share of what the
// comment names, Levels grey levels).
namespace tuning {
constexpr double kBestPxPerMm = 10.0;
constexpr int kMostSidePx = 2000; // the rectified face's side at most
constexpr double kReachBlacksRatio =
    1.4; // how far out holes are looked for, of the black's diameter
constexpr double kLineToleranceMm = 0.3; // either side of a ring line, of the black's edge
constexpr double kPaperMarginMm = 1.5;   // the card's edge and what lies beyond it
constexpr int kMostHolesInGroup = 40;
constexpr qint64 kLargestFileBytes = 200 * 1024 * 1024;

// Rectifying, and the light of the black and of the card.
constexpr double kSmoothingMm = 0.1;       // the Gaussian's sigma
constexpr double kMiddleMarginMm = 5.0;    // the card around the black rectified while fitting
constexpr double kAroundGapMm = 2.5;       // the card's ring measured: this far out of the black
constexpr double kAroundWidthMm = 3.0;     // and this wide
constexpr int kLeastContrastLevels = 30;   // card lighter than the black by at least this
constexpr int kWipeDivisor = 16;           // the wiping kernel: the photo's height over this
constexpr int kWipeLeastPx = 3;            // and at least this
constexpr int kMappingRounds = 3;          // fits of the mapping to the ring lines
constexpr double kFittedRingLeastMm = 4.0; // smaller ring lines are not fitted to

// The fit of the mapping to the edge of the black and the ring lines.
constexpr int kRays = 360;
constexpr double kProfileStepMm = 0.05;
constexpr double kEdgeBeforeMm = 1.5;  // the edge's profile starts this far inside
constexpr double kEdgeProfileMm = 3.0; // and is this long
constexpr double kLineBeforeMm = 1.0;  // a line's profile starts this far inside
constexpr double kLineProfileMm = 2.0; // and is this long
constexpr double kWidestLineMm = 0.8;  // a light line in the black is no wider
constexpr double kRansacMm = 0.15;     // a ray further off the others' mapping is left out
constexpr int kCircleFitRounds = 50;
constexpr double kCircleFitStillMm = 1e-4; // the centre moved less: the fit stands

// Segmenting.
constexpr double kOpeningMm = 0.15;          // specks smaller than this are wiped out
constexpr double kBridgeMm = 0.5;            // a hole's change bridged across a line
constexpr double kSmallestGroupRatio = 0.35; // of a hole's area: a smaller group is no hole
constexpr int kGroupPaddingPx = 2;           // around a group's box beyond the radius

// Splitting a group into circles.
constexpr double kAreaSlackRatio = 0.15;       // of a hole's area the group may fall short
constexpr int kMoreCirclesTried = 3;           // beyond the fewest that can explain the group
constexpr double kOutlineInsidePx = 0.5;       // the outline's points lie inside the edge
constexpr double kMostDisagreementRatio = 0.3; // circles disagreeing more: a shadow, a mark
constexpr double kCostSlackRatio = 0.02;       // fewer circles taken within this of the best
constexpr double kLeastSideRatio = 0.25;       // of a hole's area, for a side to be weighed
constexpr double kSameHoleRatio = 0.25;        // of the radius: two circles closer are one hole
constexpr int kKmeansRounds = 30;
constexpr double kKmeansStillPx = 0.05;
constexpr int kKmeansAttempts = 3;
constexpr int kSeedings = 2; // k-means seedings tried for each count
constexpr uint64 kSeed = 0x9e3779b97f4a7c15ULL;
constexpr int kSeedPerAttempt = 7919;

// Refining circles against the outline.
constexpr int kRefineRounds = 30;
constexpr int kRoughRounds = 5;            // rounds that take outline points further off
constexpr double kRoughReachRatio = 0.5;   // of the radius, in those rounds
constexpr double kCloseReachRatio = 0.12;  // of the radius, after them
constexpr double kCloseReachLeastPx = 2.0; // and at least this
constexpr int kFewestPointsOfCircle = 8;   // a circle with fewer outline points stays
constexpr int kFewestPointsOfRadius = 12;  // the radius follows only with this many points
constexpr double kHoldPerPoint = 0.05;     // how much a circle is held along what its points miss
constexpr double kLeastRadiusRatio = 0.85; // the radius at least this of the calibre's
constexpr double kMostRadiusRatio = 1.15;  // and at most this
constexpr double kStillPx = 0.01;          // moved less: the circles stand
} // namespace tuning

using namespace tuning;

// The median of the 8-bit pixels under the mask; -1 for none.
int median(const cv::Mat& image, const cv::Mat& mask) {
    std::array<int, 256> counts{};
    int total = 0;
    for (int y = 0; y < image.rows; ++y) {
        const uchar* values = image.ptr<uchar>(y);
        const uchar* masked = mask.ptr<uchar>(y);
        for (int x = 0; x < image.cols; ++x)
            if (masked[x]) {
                ++counts[values[x]];
                ++total;
            }
    }
    int seen = 0;
    for (int level = 0; level < 256; ++level) {
        seen += counts[size_t(level)];
        if (2 * seen >= total && total > 0)
            return level;
    }
    return -1;
}

cv::Mat disc(int radiusPx) {
    return cv::getStructuringElement(cv::MORPH_ELLIPSE, {2 * radiusPx + 1, 2 * radiusPx + 1});
}

// The ring lines of the face as printed: those inside the black, the decimal
// faces' rings on the card, and for the other faces the rings on the card
// that go on with the spacing of the outer rings in the black.
std::vector<double> ringLinesMm(const DisciplineInfo& discipline, double reachMm) {
    std::vector<double> lines;
    const double blackMm = discipline.blackDiameterMm;
    double below = 0; // the largest ring inside the black
    for (const double ring : discipline.ringDiameterMm)
        if (ring > 0 && ring < blackMm) {
            lines.push_back(ring);
            below = std::max(below, ring);
        }
    if (discipline.decimal) {
        for (const double ring : discipline.ringsMm)
            if (ring > blackMm)
                lines.push_back(ring);
    } else if (below > 0) {
        const double step = blackMm - below;
        for (double ring = blackMm + step; ring / 2 <= reachMm; ring += step)
            lines.push_back(ring);
    }
    return lines;
}

struct Circles {
    std::vector<cv::Point2d> centres;
    double cost = 1e9; // the area the circles and the group disagree on, per area of the group
};

// What the circles and the group disagree on where the photo can tell
// (`sure`: off the ring lines and the edge of the black), per area of the
// group there: over the black alone or the card alone as well, whichever is
// least, since a hole across the edge of the black shows on one side only
// (the backing is light or dark, not both).
double disagreement(const cv::Mat& group, const cv::Mat& black, const cv::Mat& sure,
                    const std::vector<cv::Point2d>& centres, double radiusPx) {
    cv::Mat drawn = cv::Mat::zeros(group.size(), CV_8U);
    for (const auto& centre : centres)
        cv::circle(drawn,
                   cv::Point(int(std::lround(centre.x * 16)), int(std::lround(centre.y * 16))),
                   int(std::lround(radiusPx * 16)), 255, cv::FILLED, cv::LINE_8, 4);
    cv::Mat apart;
    cv::bitwise_xor(drawn, group, apart);
    apart &= sure;
    const double holeArea = CV_PI * radiusPx * radiusPx;
    double least = 1e9;
    for (const cv::Mat& side : {cv::Mat(sure), cv::Mat(black & sure), cv::Mat(~black & sure)}) {
        const double area = cv::countNonZero(group & side);
        if (area >= kLeastSideRatio * holeArea)
            least = std::min(least, cv::countNonZero(apart & side) / area);
    }
    return least;
}

// The sums one round of `refine` fits a circle with.
struct CircleSums {
    cv::Matx22d normal = cv::Matx22d::zeros();
    cv::Vec2d right{0, 0};
    int count = 0;
};

// One round of `refine`: every outline point to the circle whose edge is
// nearest, if one is within `reach`. Returns the mean distance of those
// points from their centres, or -1 for fewer than kFewestPointsOfRadius.
double assignOutline(const std::vector<cv::Point2d>& centres,
                     const std::vector<cv::Point2d>& outline, double radius, double reach,
                     std::vector<CircleSums>& sums) {
    double distances = 0;
    int all = 0;
    for (const auto& point : outline) {
        size_t best = 0;
        double bestResidual = 1e18;
        for (size_t j = 0; j < centres.size(); ++j) {
            const double residual = std::abs(cv::norm(point - centres[j]) - radius);
            if (residual < bestResidual) {
                bestResidual = residual;
                best = j;
            }
        }
        // No circle's edge: a bridged line, a torn edge.
        if (bestResidual > reach)
            continue;
        const cv::Point2d away = point - centres[best];
        const double distance = cv::norm(away);
        if (distance < 1e-9)
            continue;
        const cv::Vec2d unit(away.x / distance, away.y / distance);
        sums[best].normal += unit * unit.t();
        sums[best].right += unit * (distance - radius);
        ++sums[best].count;
        distances += distance;
        ++all;
    }
    return all >= kFewestPointsOfRadius ? distances / all : -1;
}

// Circles of one radius moved onto the group's outline: each outline point
// belongs to the circle whose edge is nearest, each circle is fitted to its
// points with the radius held, and the radius follows what all of them show
// (a little off the calibre's where the light makes holes look larger or
// smaller). Returns that radius.
double refine(std::vector<cv::Point2d>& centres, const std::vector<cv::Point2d>& outline,
              double calibrePx) {
    double radius = calibrePx;
    for (int round = 0; round < kRefineRounds; ++round) {
        // Closer once the circles are near.
        const double reach = round < kRoughRounds
                                 ? radius * kRoughReachRatio
                                 : std::max(kCloseReachLeastPx, kCloseReachRatio * radius);
        std::vector<CircleSums> sums(centres.size());
        const double meanDistance = assignOutline(centres, outline, radius, reach, sums);
        double moved = 0;
        for (size_t j = 0; j < centres.size(); ++j) {
            if (sums[j].count < kFewestPointsOfCircle)
                continue;
            // Held in place along what its points do not show.
            const double hold = kHoldPerPoint * sums[j].count;
            const cv::Matx22d held = sums[j].normal + cv::Matx22d(hold, 0, 0, hold);
            const cv::Vec2d step = held.inv() * sums[j].right;
            centres[j] += cv::Point2d(step[0], step[1]);
            moved = std::max(moved, cv::norm(step));
        }
        const double before = radius;
        if (meanDistance >= 0)
            radius = std::clamp(meanDistance, kLeastRadiusRatio * calibrePx,
                                kMostRadiusRatio * calibrePx);
        if (round >= kRoughRounds && moved < kStillPx && std::abs(radius - before) < kStillPx)
            break;
    }
    return radius;
}

// `count` seeds for the circles of a group by k-means over its pixels, the
// seeding fixed by `attempt`: OpenCV's random numbers (of this thread) are
// set for it and put back after.
std::vector<cv::Point2d> kmeansSeeds(const cv::Mat& points, int count, int attempt) {
    cv::RNG& random = cv::theRNG();
    const uint64 before = random.state;
    random.state = kSeed + uint64(attempt * kSeedPerAttempt + count);
    cv::Mat labels;
    cv::Mat seeds;
    cv::kmeans(points, count, labels,
               cv::TermCriteria(cv::TermCriteria::EPS + cv::TermCriteria::COUNT, kKmeansRounds,
                                kKmeansStillPx),
               kKmeansAttempts, cv::KMEANS_PP_CENTERS, seeds);
    random.state = before;
    std::vector<cv::Point2d> centres;
    for (int j = 0; j < count; ++j)
        centres.push_back({double(seeds.at<float>(j, 0)), double(seeds.at<float>(j, 1))});
    return centres;
}

// Whether no two circles lie on top of each other (which would be one hole).
bool allApart(const std::vector<cv::Point2d>& centres, double radiusPx) {
    bool apart = true;
    for (size_t i = 0; i < centres.size(); ++i)
        for (size_t j = i + 1; j < centres.size(); ++j)
            apart = apart && cv::norm(centres[i] - centres[j]) >= kSameHoleRatio * radiusPx;
    return apart;
}

// What a group of hole pixels is matched against.
struct Group {
    cv::Mat pixels;                   // CV_8U, the group in its box
    cv::Mat black;                    // the black, in the same box
    cv::Mat sure;                     // off the ring lines and the edge of the black
    cv::Mat points;                   // CV_32F, its pixels for k-means
    std::vector<cv::Point2d> outline; // its outline off the lines
};

// `count` circles for the group, seeded by k-means over its pixels.
// `radiusPx` is the calibre's, `fittedPx` the one the outline shows.
Circles fitCircles(const Group& group, int count, double radiusPx, double fittedPx) {
    Circles best;
    for (int attempt = 0; attempt < kSeedings; ++attempt) {
        std::vector<cv::Point2d> centres;
        if (count == 1) {
            const cv::Moments moments = cv::moments(group.pixels, true);
            if (attempt > 0)
                break;
            centres.push_back({moments.m10 / moments.m00, moments.m01 / moments.m00});
        } else {
            centres = kmeansSeeds(group.points, count, attempt);
        }
        const double seen = refine(centres, group.outline, fittedPx) + (radiusPx - fittedPx);
        if (!allApart(centres, radiusPx))
            continue;
        const double cost = disagreement(group.pixels, group.black, group.sure, centres, seen);
        if (cost < best.cost)
            best = {centres, cost};
    }
    return best;
}

// The group's pixels for k-means, and its outline where it is an edge of a
// hole: along a ring line or the edge of the black (`unsure`) it is not.
Group describeGroup(const cv::Mat& pixels, const cv::Mat& black, const cv::Mat& unsure) {
    Group group{pixels, black, ~unsure, {}, {}};
    std::vector<cv::Point> found;
    cv::findNonZero(pixels, found);
    group.points = cv::Mat(int(found.size()), 2, CV_32F);
    for (int i = 0; i < group.points.rows; ++i) {
        group.points.at<float>(i, 0) = float(found[size_t(i)].x);
        group.points.at<float>(i, 1) = float(found[size_t(i)].y);
    }
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(pixels.clone(), contours, cv::RETR_LIST, cv::CHAIN_APPROX_NONE);
    cv::Mat notEdge;
    cv::dilate(unsure, notEdge, disc(1));
    for (const auto& contour : contours)
        for (const auto& point : contour)
            if (!notEdge.at<uchar>(point))
                group.outline.push_back(cv::Point2d(point));
    return group;
}

// The holes in one connected group of hole pixels (in the pixels of its
// box), or none when it does not look like holes of the calibre. Its outline
// along a ring line or the edge of the black (`unsure`) is no edge of a hole.
std::vector<cv::Point2d> splitGroup(const cv::Mat& pixels, const cv::Mat& black,
                                    const cv::Mat& unsure, double radiusPx) {
    const double holeArea = CV_PI * radiusPx * radiusPx;
    const int area = cv::countNonZero(pixels);
    const Group group = describeGroup(pixels, black, unsure);
    // The union of n discs is never larger than n discs: no fewer can be.
    const int fewest = std::max(1, int(std::ceil(area / holeArea - kAreaSlackRatio)));
    if (fewest > kMostHolesInGroup)
        return {};
    const double fittedPx = std::max(1.0, radiusPx - kOutlineInsidePx);
    std::vector<Circles> tried;
    double lowest = 1e9;
    for (int count = fewest; count <= std::min(kMostHolesInGroup, fewest + kMoreCirclesTried);
         ++count) {
        tried.push_back(fitCircles(group, count, radiusPx, fittedPx));
        lowest = std::min(lowest, tried.back().cost);
    }
    // Too far from any set of calibre discs: a shadow, a mark, no hole.
    if (lowest > kMostDisagreementRatio)
        return {};
    for (const Circles& circles : tried)
        if (circles.cost <= lowest + kCostSlackRatio)
            return circles.centres;
    return {};
}

// The brightness along one ray from the face centre, `samples` + 1 steps of
// kProfileStepMm from `fromMm` out; none where it leaves the picture.
std::optional<std::vector<float>> rayProfile(const cv::Mat& smooth, cv::Point2d centre,
                                             double pxPerMm, double fromMm, int samples,
                                             double cosine, double sine) {
    std::vector<float> values(size_t(samples) + 1);
    for (int i = 0; i <= samples; ++i) {
        const double rho = fromMm + i * kProfileStepMm;
        values[size_t(i)] = bilinear<uchar, double>(smooth, centre.x + rho * cosine * pxPerMm,
                                                    centre.y - rho * sine * pxPerMm);
        if (values[size_t(i)] < 0)
            return std::nullopt;
    }
    return values;
}

// The edge of the black along a profile: dark, one step up, light; where it
// crosses the middle, in mm from the centre.
std::optional<double> edgeCrossing(const std::vector<float>& values, double fromMm, double middle) {
    int crossings = 0;
    double at = -1;
    for (size_t i = 1; i < values.size(); ++i)
        if ((values[i - 1] < middle) != (values[i] < middle)) {
            ++crossings;
            const double fraction = (middle - values[i - 1]) / (values[i] - values[i - 1]);
            at = fromMm + (double(i) - 1 + fraction) * kProfileStepMm;
        }
    if (crossings != 1 || values.front() >= middle || values.back() < middle)
        return std::nullopt;
    return at;
}

// A light line no wider than kWidestLineMm, dark on both sides, along a
// profile: the centroid of its light, in mm from the centre.
std::optional<double> lineCentre(const std::vector<float>& values, double fromMm, double middle) {
    if (values.front() >= middle || values.back() >= middle)
        return std::nullopt;
    const long light = std::count_if(values.begin(), values.end(),
                                     [middle](float value) { return value >= middle; });
    if (light == 0 || double(light) * kProfileStepMm > kWidestLineMm)
        return std::nullopt;
    const float base = *std::min_element(values.begin(), values.end());
    const float peak = *std::max_element(values.begin(), values.end());
    const float halfway = (peak + base) / 2;
    double sum = 0;
    double moment = 0;
    for (size_t i = 0; i < values.size(); ++i)
        if (values[i] > halfway) {
            sum += values[i] - halfway;
            moment += (values[i] - halfway) * float(i);
        }
    if (sum <= 0)
        return std::nullopt;
    return fromMm + moment / sum * kProfileStepMm;
}

// Where the rays show the rings (`seen`), and where they are printed.
struct RayPoints {
    std::vector<cv::Point2f> seen;
    std::vector<cv::Point2f> printed;
};

// Along kRays rays from the centre, the edge of the black and the light ring
// lines in it; a ray that meets a hole there shows neither and is left out.
RayPoints ringsOnRays(const cv::Mat& smooth, cv::Point2d centre, double pxPerMm,
                      const std::vector<double>& rings, double blackDiameterMm, double middle) {
    RayPoints points;
    for (const double ring : rings) {
        const double radiusMm = ring / 2;
        const bool edge = ring == blackDiameterMm;
        const double fromMm = radiusMm - (edge ? kEdgeBeforeMm : kLineBeforeMm);
        const int samples =
            int(std::lround((edge ? kEdgeProfileMm : kLineProfileMm) / kProfileStepMm));
        for (int k = 0; k < kRays; ++k) {
            const double angle = 2 * CV_PI * k / kRays;
            const double cosine = std::cos(angle);
            const double sine = std::sin(angle);
            const auto values = rayProfile(smooth, centre, pxPerMm, fromMm, samples, cosine, sine);
            if (!values)
                continue;
            const auto at =
                edge ? edgeCrossing(*values, fromMm, middle) : lineCentre(*values, fromMm, middle);
            if (!at)
                continue;
            points.seen.push_back(cv::Point2f(float(*at * cosine), float(*at * sine)));
            points.printed.push_back(cv::Point2f(float(radiusMm * cosine), float(radiusMm * sine)));
        }
    }
    return points;
}

// The mapping that brings the points seen onto their printed circles: the
// rays that disagree with the rest are left out; the others are fitted to
// their circles point by point until the fit stands still.
std::optional<cv::Matx33d> fitToCircles(const RayPoints& points) {
    std::vector<uchar> inlier;
    if (cv::findHomography(points.seen, points.printed, cv::RANSAC, kRansacMm, inlier).empty())
        return std::nullopt;
    std::vector<cv::Point2f> kept;
    std::vector<double> radii;
    for (size_t i = 0; i < points.seen.size(); ++i)
        if (inlier[i]) {
            kept.push_back(points.seen[i]);
            radii.push_back(cv::norm(points.printed[i]));
        }
    if (kept.size() < kRays / 2)
        return std::nullopt;
    cv::Matx33d mapping = cv::Matx33d::eye();
    std::vector<cv::Point2f> onCircle(kept.size());
    for (int round = 0; round < kCircleFitRounds; ++round) {
        for (size_t i = 0; i < kept.size(); ++i) {
            const cv::Point2d mapped = mapPoint(mapping, cv::Point2d(kept[i]));
            onCircle[i] = cv::Point2f(mapped * (radii[i] / std::max(1e-9, cv::norm(mapped))));
        }
        const cv::Mat found = cv::findHomography(kept, onCircle, 0);
        if (found.empty())
            return std::nullopt;
        cv::Matx33d next;
        found.convertTo(cv::Mat(3, 3, CV_64F, next.val), CV_64F);
        const double moved = cv::norm(mapPoint(next, {0, 0}) - mapPoint(mapping, {0, 0}));
        mapping = next;
        if (moved < kCircleFitStillMm)
            break;
    }
    return mapping;
}

// A correction of the face's mapping (face mm to face mm) from the
// rectified face: along rays from the centre, where the edge of the black
// and the light ring lines in it lie; a ray that meets a hole there is
// left out. None when too little of them shows. `centre`: the face
// centre's place in `smooth`, which may be a part of the rectified face.
std::optional<cv::Matx33d> refineFace(const cv::Mat& smooth, cv::Point2d centre, double pxPerMm,
                                      const std::vector<double>& rings, double blackDiameterMm,
                                      double middle) {
    const RayPoints points = ringsOnRays(smooth, centre, pxPerMm, rings, blackDiameterMm, middle);
    if (points.seen.size() < kRays)
        return std::nullopt;
    return fitToCircles(points);
}

// The closing of the mask with a disc of the radius, worked out only
// around its pieces: a closed pixel lies within the radius of one, and
// depends on the mask within twice the radius of itself. The same as
// closing the whole mask, in less time where the pieces are few.
cv::Mat closedAround(const cv::Mat& mask, int radius) {
    const cv::Mat kernel = disc(radius);
    cv::Mat closed = cv::Mat::zeros(mask.size(), CV_8U);
    cv::Mat pieces;
    cv::Mat stats;
    cv::Mat centres;
    const int count = cv::connectedComponentsWithStats(mask, pieces, stats, centres, 8, CV_32S);
    const cv::Rect all(cv::Point(0, 0), mask.size());
    const auto grown = [&](const cv::Rect& r, int by) {
        return cv::Rect(r.x - by, r.y - by, r.width + 2 * by, r.height + 2 * by) & all;
    };
    for (int i = 1; i < count; ++i) {
        const cv::Rect piece(stats.at<int>(i, cv::CC_STAT_LEFT), stats.at<int>(i, cv::CC_STAT_TOP),
                             stats.at<int>(i, cv::CC_STAT_WIDTH),
                             stats.at<int>(i, cv::CC_STAT_HEIGHT));
        const cv::Rect kept = grown(piece, radius);
        const cv::Rect read = grown(piece, 3 * radius);
        cv::Mat here;
        cv::morphologyEx(mask(read).clone(), here, cv::MORPH_CLOSE, kernel);
        cv::Mat into = closed(kept);
        into |= here(kept - read.tl());
    }
    return closed;
}

// The holes in one grey photo, step by step: the face is placed on the
// photo, its mapping refined against the edge of the black and the ring
// lines, the photo rectified and compared with the face as printed, and
// each group of hole pixels split into holes of the calibre.
class PhotoHoleFinder {
public:
    PhotoHoleFinder(const cv::Mat& grey, const DisciplineInfo& discipline);
    PhotoHoles find();

private:
    int px16(double mm) const { return int(std::lround(mm * m_pxPerMm * 16)); }
    double middleLevel() const { return (m_blackLevel + m_cardLevel) / 2.0; }
    void drawPrintedFace();
    bool placeFace();
    bool rectify(const cv::Matx33d& pictureToMm, bool whole = false);
    void refineMapping();
    cv::Mat card(const cv::Mat& light) const;
    cv::Mat segment() const;
    void splitGroups(const cv::Mat& holes);

    const cv::Mat& m_grey;
    const DisciplineInfo& m_discipline;
    PhotoHoles m_result;
    double m_blackRadiusMm;
    double m_reachMm;
    double m_pxPerMm;
    int m_side;    // the rectified face's, in pixels
    double m_half; // the face centre's place in it, across and down
    cv::Matx33d m_mmToRect;
    cv::Point m_centre16; // the face centre, in sixteenths of a pixel
    int m_bandPx = 1;     // the width of a ring line's band where the photo cannot tell
    cv::Mat m_black;      // the face as printed: its black
    cv::Mat m_unsure;     // the ring lines and the edge of the black
    cv::Mat m_sure;       // everything else
    cv::Mat m_around;     // the card just around the black
    cv::Rect m_whole;
    // While the mapping is fitted, only the black and the card just around
    // it are rectified (all the fit reads, a sixth of the face's pixels on
    // LP); the whole face once it stands.
    cv::Rect m_middleBox;
    cv::Mat m_smooth; // of the middle box while the mapping is fitted, then of the whole face
    cv::Point2d m_smoothCentre;
    int m_blackLevel = -1;
    int m_cardLevel = -1;
};

PhotoHoleFinder::PhotoHoleFinder(const cv::Mat& grey, const DisciplineInfo& discipline)
    : m_grey(grey), m_discipline(discipline), m_blackRadiusMm(discipline.blackDiameterMm / 2),
      m_reachMm(kReachBlacksRatio * discipline.blackDiameterMm),
      m_pxPerMm(std::min(kBestPxPerMm, kMostSidePx / (2 * m_reachMm))),
      m_side(int(std::ceil(2 * m_reachMm * m_pxPerMm))), m_half(m_side / 2.0),
      m_mmToRect(m_pxPerMm, 0, m_half, 0, -m_pxPerMm, m_half, 0, 0, 1),
      m_centre16(int(std::lround(m_half * 16)), int(std::lround(m_half * 16))),
      m_whole(0, 0, m_side, m_side) {
    m_result.pxPerMm = m_pxPerMm;
    const int inner = int(std::ceil((m_blackRadiusMm + kMiddleMarginMm) * m_pxPerMm));
    const int corner = int(std::floor(m_half)) - inner;
    m_middleBox = cv::Rect(corner, corner, 2 * inner + 1, 2 * inner + 1) & m_whole;
    m_smoothCentre = cv::Point2d(m_half, m_half);
}

// The face as printed: the black, the ring lines and the edge of the black
// where the photo cannot tell a hole, and the card just around the black.
void PhotoHoleFinder::drawPrintedFace() {
    m_black = cv::Mat::zeros(cv::Size(m_side, m_side), CV_8U);
    cv::circle(m_black, m_centre16, px16(m_blackRadiusMm), 255, cv::FILLED, cv::LINE_8, 4);
    m_unsure = cv::Mat::zeros(m_black.size(), CV_8U);
    m_bandPx = std::max(1, int(std::lround(2 * kLineToleranceMm * m_pxPerMm)));
    std::vector<double> lines = ringLinesMm(m_discipline, m_reachMm);
    lines.push_back(m_discipline.blackDiameterMm);
    for (const double ring : lines) {
        if (ring / 2 < kLineToleranceMm)
            cv::circle(m_unsure, m_centre16, px16(ring / 2 + kLineToleranceMm), 255, cv::FILLED,
                       cv::LINE_8, 4);
        else
            cv::circle(m_unsure, m_centre16, px16(ring / 2), 255, m_bandPx, cv::LINE_8, 4);
    }
    m_sure = ~m_unsure;
    m_around = cv::Mat::zeros(m_black.size(), CV_8U);
    cv::circle(m_around, m_centre16, px16(m_blackRadiusMm + kAroundGapMm), 255,
               int(std::lround(kAroundWidthMm * m_pxPerMm)), cv::LINE_8, 4);
}

// Rectifies the middle box (or the whole face) through the mapping and
// measures the light of the black and of the card just around it there;
// whether the card is clearly lighter.
bool PhotoHoleFinder::rectify(const cv::Matx33d& pictureToMm, bool whole) {
    const cv::Rect box = whole ? m_whole : m_middleBox;
    const cv::Matx33d shift(1, 0, -box.x, 0, 1, -box.y, 0, 0, 1);
    cv::Mat rect;
    cv::warpPerspective(m_grey, rect, shift * m_mmToRect * pictureToMm, box.size(),
                        cv::INTER_LINEAR, cv::BORDER_CONSTANT, cv::Scalar(0));
    cv::GaussianBlur(rect, m_smooth, cv::Size(0, 0), kSmoothingMm * m_pxPerMm);
    m_smoothCentre = cv::Point2d(m_half - box.x, m_half - box.y);
    if (whole)
        m_result.rectified = rect;
    const cv::Rect here = m_middleBox - box.tl();
    m_blackLevel = median(m_smooth(here), m_black(m_middleBox) & m_sure(m_middleBox));
    m_cardLevel = median(m_smooth(here), m_around(m_middleBox) & m_sure(m_middleBox));
    return m_blackLevel >= 0 && m_cardLevel >= 0 &&
           m_cardLevel - m_blackLevel >= kLeastContrastLevels;
}

// The face where the face finder puts it; on a shot face holes on the edge
// of the black can make it take a ring line for the edge: then it looks
// again with everything light and small in the black wiped out.
bool PhotoHoleFinder::placeFace() {
    m_result.face = findFace(m_grey, m_discipline, false);
    if (m_result.face.found && rectify(m_result.face.pictureToMm))
        return true;
    cv::Mat wiped;
    const int kernelPx = std::max(kWipeLeastPx, m_grey.rows / kWipeDivisor) | 1;
    cv::morphologyEx(m_grey, wiped, cv::MORPH_OPEN,
                     cv::getStructuringElement(cv::MORPH_RECT, {kernelPx, kernelPx}));
    m_result.face = findFace(wiped, m_discipline, false);
    if (m_result.face.found && rectify(m_result.face.pictureToMm))
        return true;
    m_result.face.found = false;
    return false;
}

// The mapping fitted to the edge of the black and the ring lines in it
// where no hole lies on them; then the whole face rectified through it.
void PhotoHoleFinder::refineMapping() {
    const double blackMm = m_discipline.blackDiameterMm;
    std::vector<double> fitted{blackMm};
    for (const double ring : m_discipline.ringDiameterMm)
        if (ring >= kFittedRingLeastMm && ring < blackMm)
            fitted.push_back(ring);
    FaceInPicture& face = m_result.face;
    for (int round = 0; round < kMappingRounds; ++round) {
        const auto better =
            refineFace(m_smooth, m_smoothCentre, m_pxPerMm, fitted, blackMm, middleLevel());
        if (!better)
            break;
        const cv::Matx33d was = face.pictureToMm;
        face.pictureToMm = *better * face.pictureToMm;
        if (!rectify(face.pictureToMm)) {
            face.pictureToMm = was;
            rectify(was);
            break;
        }
    }
    face.mmToPicture = face.pictureToMm.inv();
    rectify(face.pictureToMm, true);
}

// The card: the light around the black, with all it encloses, short of its edge.
cv::Mat PhotoHoleFinder::card(const cv::Mat& light) const {
    cv::Mat labels;
    const int count = cv::connectedComponents(light, labels, 8, CV_32S);
    std::vector<int> onRing(size_t(count), 0);
    for (int y = 0; y < labels.rows; ++y) {
        const int* label = labels.ptr<int>(y);
        const uchar* around = m_around.ptr<uchar>(y);
        for (int x = 0; x < labels.cols; ++x)
            if (around[x] && label[x] > 0)
                ++onRing[size_t(label[x])];
    }
    const int cardLabel = int(std::max_element(onRing.begin(), onRing.end()) - onRing.begin());
    std::vector<std::vector<cv::Point>> outlines;
    cv::findContours(cv::Mat(labels == cardLabel), outlines, cv::RETR_EXTERNAL,
                     cv::CHAIN_APPROX_SIMPLE);
    cv::Mat card = cv::Mat::zeros(m_smooth.size(), CV_8U);
    cv::drawContours(card, outlines, -1, 255, cv::FILLED);
    card |= m_black;
    const int marginPx = int(std::lround(kPaperMarginMm * m_pxPerMm));
    cv::erode(card, card,
              cv::getStructuringElement(cv::MORPH_RECT, {2 * marginPx + 1, 2 * marginPx + 1}));
    return card;
}

// The hole pixels: light in the black, dark on the card; across a line,
// what is around it.
cv::Mat PhotoHoleFinder::segment() const {
    cv::Mat light;
    cv::threshold(m_smooth, light, middleLevel(), 255, cv::THRESH_BINARY);
    const cv::Mat onCard = card(light);
    cv::Mat holes = ((light & m_black) | (~light & ~m_black)) & m_sure & onCard;
    cv::morphologyEx(holes, holes, cv::MORPH_OPEN,
                     disc(std::max(1, int(std::lround(kOpeningMm * m_pxPerMm)))));
    holes |= closedAround(holes, m_bandPx / 2 + int(std::lround(kBridgeMm * m_pxPerMm))) &
             m_unsure & onCard;
    return holes;
}

// Each group of hole pixels large enough, split into holes.
void PhotoHoleFinder::splitGroups(const cv::Mat& holes) {
    const double radiusPx = m_discipline.calibreMm / 2 * m_pxPerMm;
    const double holeArea = CV_PI * radiusPx * radiusPx;
    cv::Mat groups;
    cv::Mat stats;
    cv::Mat centroids;
    const int found = cv::connectedComponentsWithStats(holes, groups, stats, centroids, 8, CV_32S);
    const int padPx = int(std::ceil(radiusPx)) + kGroupPaddingPx;
    for (int i = 1; i < found; ++i) {
        if (stats.at<int>(i, cv::CC_STAT_AREA) < kSmallestGroupRatio * holeArea)
            continue;
        const cv::Rect box(stats.at<int>(i, cv::CC_STAT_LEFT) - padPx,
                           stats.at<int>(i, cv::CC_STAT_TOP) - padPx,
                           stats.at<int>(i, cv::CC_STAT_WIDTH) + 2 * padPx,
                           stats.at<int>(i, cv::CC_STAT_HEIGHT) + 2 * padPx);
        const cv::Rect inside = box & m_whole;
        cv::Mat group = cv::Mat::zeros(box.size(), CV_8U);
        cv::Mat(groups(inside) == i).copyTo(group(inside - box.tl()));
        cv::Mat blackHere = cv::Mat::zeros(box.size(), CV_8U);
        cv::Mat unsureHere = cv::Mat::zeros(box.size(), CV_8U);
        m_black(inside).copyTo(blackHere(inside - box.tl()));
        m_unsure(inside).copyTo(unsureHere(inside - box.tl()));
        for (const cv::Point2d& centre : splitGroup(group, blackHere, unsureHere, radiusPx))
            m_result.holesMm.push_back(m_result.toMm(centre + cv::Point2d(box.tl())));
    }
}

PhotoHoles PhotoHoleFinder::find() {
    drawPrintedFace();
    if (!placeFace()) {
        m_result.problem = QCoreApplication::translate(
                               "PhotoHoles", "Auf dem Foto ist keine Scheibe „%1“ zu erkennen. Die "
                                             "Scheibe sollte ganz zu sehen sein, mindestens ein "
                                             "Drittel des Bildes hoch und nicht schräger als 30°.")
                               .arg(QString::fromUtf8(m_discipline.caption));
        return m_result;
    }
    refineMapping();
    splitGroups(segment());
    return m_result;
}

} // namespace

cv::Point2d PhotoHoles::toPixel(cv::Point2d mm) const {
    const double half = rectified.cols / 2.0;
    return {half + mm.x * pxPerMm, half - mm.y * pxPerMm};
}

cv::Point2d PhotoHoles::toMm(cv::Point2d pixel) const {
    const double half = rectified.cols / 2.0;
    return {(pixel.x - half) / pxPerMm, (half - pixel.y) / pxPerMm};
}

PhotoHoles findPhotoHoles(const cv::Mat& photo, const DisciplineInfo& discipline) {
    if (photo.empty() || (photo.channels() != 1 && photo.channels() != 3)) {
        PhotoHoles result;
        result.problem = QCoreApplication::translate(
            "PhotoHoles", "Das Bild enthält nichts, was sich lesen lässt.");
        return result;
    }
    cv::Mat grey;
    if (photo.channels() == 3)
        cv::cvtColor(photo, grey, cv::COLOR_BGR2GRAY);
    else
        grey = photo;
    if (grey.depth() != CV_8U)
        grey.convertTo(grey, CV_8U);
    return PhotoHoleFinder(grey, discipline).find();
}

PhotoHoles readPhotoHoles(const QString& path, const DisciplineInfo& discipline) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        PhotoHoles result;
        result.problem =
            QCoreApplication::translate("PhotoHoles", "Die Datei „%1“ lässt sich nicht öffnen: %2")
                .arg(path, file.errorString());
        return result;
    }
    cv::Mat picture;
    if (file.size() <= kLargestFileBytes) {
        const QByteArray bytes = file.readAll();
        if (!bytes.isEmpty())
            picture = decodePicture(bytes);
    }
    if (picture.empty()) {
        PhotoHoles result;
        result.problem =
            QCoreApplication::translate("PhotoHoles",
                                        "Die Datei „%1“ ist kein Bild, das sich lesen lässt (jpg, "
                                        "png oder bmp).")
                .arg(path);
        return result;
    }
    return findPhotoHoles(picture, discipline);
}

} // namespace ankerblick
