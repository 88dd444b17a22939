#include "facefinder.h"

#include "bilinear.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace ankerblick {

namespace {

// The tuning of the face finder; each name ends in its unit (Levels grey
// levels, Px picture pixels, Ratio a share of what the comment names).
constexpr int kRays = 360;
constexpr double kProfileStepPx = 0.25; // along a ray, at most this far apart
constexpr int kFewestProfileSteps = 8;
constexpr double kEdgeProfileFromRatio = 0.9; // of the outline, the edge looked for from
constexpr double kEdgeProfileToRatio = 1.1;   // to
constexpr float kEdgeContrastLevels = 30.0f;  // the black's edge at least this step
constexpr float kLineContrastLevels = 15.0f;  // a ring line at least this light
constexpr int kBlurPx = 5;                    // the blob is looked for in the picture blurred
constexpr size_t kFewestOutlinePoints = 50;
constexpr double kHeightPerSmallestBlack = 10.0; // the picture's height over the least black
constexpr double kFlattestRatio = 0.5;           // the short axis of the long one at least
constexpr double kRoundnessRatio = 0.06;         // the outline off its ellipse at most
constexpr double kFilledRatio = 0.75;            // of the ellipse dark at least
constexpr double kInnerRingLeastRatio = 0.4;     // of the black, the second circle more than
constexpr double kInnerRingMostRatio = 0.9;      // and less than
constexpr double kLensRingLeastRatio = 0.4;      // of the black, a ring that tells the lens
constexpr double kMostBarrelK = -0.3;            // the bend looked for: a barrel to this
constexpr double kMostPincushionK = 0.02;        // and hardly a pincushion
constexpr double kLensKStep = 1e-4;              // to this
constexpr double kLensGainRatio = 0.6;           // of the straight picture's misfit, at most
constexpr double kRingReachRatio = 0.1;          // of the black, a ring line looked for at most
constexpr double kRingGapShareRatio = 0.45;      // of the gap to the next line, at most
constexpr double kLeastRingMm = 1.0;             // smaller rings are no line
constexpr double kOffLimitPx = 0.3;              // a point off the ellipse by this is always kept
constexpr double kOffMediansRatio = 3.0;         // as one off by this many times the median
constexpr int kRobustPasses = 2;

cv::Mat greyFloat(const cv::Mat& picture) {
    cv::Mat grey;
    if (picture.channels() == 3)
        cv::cvtColor(picture, grey, cv::COLOR_BGR2GRAY);
    else
        grey = picture;
    cv::Mat result;
    grey.convertTo(result, CV_32F);
    return result;
}

float sample(const cv::Mat& image, cv::Point2d p) {
    return bilinear<float, float>(image, p.x, p.y);
}

// A point of the ellipse scaled by s about its centre, at parameter t.
cv::Point2d onEllipse(const cv::RotatedRect& e, double t, double s) {
    const double angle = double(e.angle) * CV_PI / 180.0;
    const double a = e.size.width / 2.0;
    const double b = e.size.height / 2.0;
    const double px = s * a * std::cos(t);
    const double py = s * b * std::sin(t);
    return {e.center.x + px * std::cos(angle) - py * std::sin(angle),
            e.center.y + px * std::sin(angle) + py * std::cos(angle)};
}

struct Profile {
    std::vector<float> values;
    double from = 0;
    double step = 0;
};

std::optional<Profile> profile(const cv::Mat& image, const cv::RotatedRect& e, double t,
                               double from, double to) {
    const double radius = std::max(e.size.width, e.size.height) / 2.0;
    const int n = std::max(kFewestProfileSteps, int((to - from) * radius / kProfileStepPx));
    Profile p{{}, from, (to - from) / n};
    for (int i = 0; i <= n; ++i) {
        const float v = sample(image, onEllipse(e, t, from + i * p.step));
        if (v < 0)
            return std::nullopt;
        p.values.push_back(v);
    }
    return p;
}

// Points of the black's edge: where the brightness last crosses the middle
// between the black and the white upwards, going outwards; a light ring
// line near the edge of the black crosses it before.
std::vector<cv::Point2f> blackEdge(const cv::Mat& image, const cv::RotatedRect& e) {
    std::vector<cv::Point2f> points;
    for (int k = 0; k < kRays; ++k) {
        const double t = 2 * CV_PI * k / kRays;
        const auto p = profile(image, e, t, kEdgeProfileFromRatio, kEdgeProfileToRatio);
        if (!p)
            continue;
        const auto [lo, hi] = std::minmax_element(p->values.begin(), p->values.end());
        if (*hi - *lo < kEdgeContrastLevels)
            continue;
        const float mid = (*lo + *hi) / 2;
        for (size_t i = p->values.size() - 1; i > 0; --i) {
            if (p->values[i - 1] < mid && p->values[i] >= mid) {
                const double f = (mid - p->values[i - 1]) / (p->values[i] - p->values[i - 1]);
                points.push_back(
                    cv::Point2f(onEllipse(e, t, p->from + (double(i) - 1 + f) * p->step)));
                break;
            }
        }
    }
    return points;
}

// Points of a light ring line inside the black near the scale s of the
// black's outline: the centroid of the brightness peak along each ray.
std::vector<cv::Point2f> ringLine(const cv::Mat& image, const cv::RotatedRect& e, double s,
                                  double reach) {
    std::vector<cv::Point2f> points;
    for (int k = 0; k < kRays; ++k) {
        const double t = 2 * CV_PI * k / kRays;
        const auto p = profile(image, e, t, s - reach, s + reach);
        if (!p)
            continue;
        const auto& v = p->values;
        const auto peak = std::max_element(v.begin(), v.end());
        const float base = *std::min_element(v.begin(), v.end());
        if (*peak - base < kLineContrastLevels)
            continue;
        const float half = (*peak + base) / 2;
        const auto at = size_t(peak - v.begin());
        double sum = 0;
        double moment = 0;
        for (size_t i = at; i < v.size() && v[i] > half; ++i) {
            sum += v[i] - base;
            moment += (v[i] - base) * double(i);
        }
        for (size_t i = at; i-- > 0 && v[i] > half;) {
            sum += v[i] - base;
            moment += (v[i] - base) * double(i);
        }
        if (sum <= 0)
            continue;
        points.push_back(cv::Point2f(onEllipse(e, t, p->from + moment / sum * p->step)));
    }
    return points;
}

cv::Matx33d conic(const cv::RotatedRect& e) {
    const double angle = double(e.angle) * CV_PI / 180.0;
    const double a = e.size.width / 2.0;
    const double b = e.size.height / 2.0;
    const cv::Matx22d r(std::cos(angle), -std::sin(angle), std::sin(angle), std::cos(angle));
    const cv::Matx22d s = r * cv::Matx22d(1 / (a * a), 0, 0, 1 / (b * b)) * r.t();
    const cv::Vec2d c(e.center.x, e.center.y);
    const cv::Vec2d sc = s * c;
    return {s(0, 0), s(0, 1), -sc[0], s(1, 0), s(1, 1), -sc[1], -sc[0], -sc[1], c.dot(sc) - 1};
}

// The largest dark blob whose outline is close to its fitted ellipse.
std::optional<cv::RotatedRect> darkBlob(const cv::Mat& picture) {
    cv::Mat grey;
    if (picture.channels() == 3)
        cv::cvtColor(picture, grey, cv::COLOR_BGR2GRAY);
    else
        grey = picture.clone();
    cv::GaussianBlur(grey, grey, cv::Size(kBlurPx, kBlurPx), 0);
    cv::Mat dark;
    cv::threshold(grey, dark, 0, 255, cv::THRESH_BINARY_INV | cv::THRESH_OTSU);
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(dark, contours, cv::RETR_LIST, cv::CHAIN_APPROX_NONE);
    std::optional<cv::RotatedRect> best;
    double bestArea = 0;
    // The smallest black looked for: LP's, 0,38 of its face, on a face a
    // third of the picture's height, seen at 30 degrees (0,87 of it across).
    const double minDiameter = picture.rows / kHeightPerSmallestBlack;
    for (const auto& contour : contours) {
        if (contour.size() < kFewestOutlinePoints)
            continue;
        const cv::RotatedRect e = cv::fitEllipse(contour);
        const double a = e.size.width / 2.0;
        const double b = e.size.height / 2.0;
        if (std::min(a, b) * 2 < minDiameter || std::min(a, b) < kFlattestRatio * std::max(a, b))
            continue;
        const double area = CV_PI * a * b;
        if (area <= bestArea)
            continue;
        const cv::Matx33d q = conic(e);
        bool round = true;
        for (const auto& p : contour) {
            const cv::Vec3d x(p.x, p.y, 1);
            const double rho = std::sqrt(std::max(0.0, x.dot(q * x) + 1));
            if (std::abs(rho - 1) > kRoundnessRatio) {
                round = false;
                break;
            }
        }
        // Filled, not the outline of a ring line.
        cv::Mat inside = cv::Mat::zeros(dark.size(), CV_8U);
        cv::ellipse(inside, e, 255, cv::FILLED);
        const double fill =
            double(cv::countNonZero(inside & dark)) / std::max(1, cv::countNonZero(inside));
        if (round && fill > kFilledRatio) {
            best = e;
            bestArea = area;
        }
    }
    return best;
}

// The ring inside the black used as the second circle: the largest one
// well inside the outline.
double innerRingRatio(const DisciplineInfo& d) {
    double best = 0;
    for (const double diameter : d.ringDiameterMm) {
        const double ratio = diameter / d.blackDiameterMm;
        if (ratio > kInnerRingLeastRatio && ratio < kInnerRingMostRatio)
            best = std::max(best, ratio);
    }
    return best;
}

// How far from that ring its line is looked for: less than half the way
// to the next ring line or to the black's edge, so that under perspective
// (the rings no longer concentric in the picture) no other line is taken.
double ringReach(const DisciplineInfo& d, double ratio) {
    double gap = 1 - ratio;
    for (const double diameter : d.ringDiameterMm) {
        const double other = diameter / d.blackDiameterMm;
        if (diameter > kLeastRingMm && std::abs(other - ratio) > 1e-9)
            gap = std::min(gap, std::abs(other - ratio));
    }
    return std::min(kRingReachRatio, kRingGapShareRatio * gap);
}

// An ellipse through the points, fitted again without the points far off
// the first fit (a hole, a speck, a line taken for another).
cv::RotatedRect fitRobustly(std::vector<cv::Point2f> points) {
    cv::RotatedRect e = cv::fitEllipse(points);
    for (int pass = 0; pass < kRobustPasses; ++pass) {
        const cv::Matx33d q = conic(e);
        const double radius = (e.size.width + e.size.height) / 4.0;
        std::vector<double> off;
        for (const auto& p : points) {
            const cv::Vec3d x(p.x, p.y, 1);
            off.push_back(std::abs(std::sqrt(std::max(0.0, x.dot(q * x) + 1)) - 1) * radius);
        }
        std::vector<double> sorted = off;
        std::nth_element(sorted.begin(), sorted.begin() + std::ptrdiff_t(sorted.size() / 2),
                         sorted.end());
        const double limit = std::max(kOffLimitPx, kOffMediansRatio * sorted[sorted.size() / 2]);
        std::vector<cv::Point2f> kept;
        for (size_t i = 0; i < points.size(); ++i)
            if (off[i] <= limit)
                kept.push_back(points[i]);
        if (kept.size() < points.size() / 2 || kept.size() == points.size())
            break;
        points = kept;
        e = cv::fitEllipse(points);
    }
    return e;
}

// The eigenvector whose eigenvalue stands apart from the other two.
cv::Vec3d loneEigenvector(const cv::Mat& values, const cv::Mat& vectors) {
    int lone = 0;
    double apart = -1;
    for (int i = 0; i < 3; ++i) {
        const double value = values.at<double>(i);
        const double nearest = std::min(std::abs(value - values.at<double>((i + 1) % 3)),
                                        std::abs(value - values.at<double>((i + 2) % 3)));
        if (nearest > apart) {
            apart = nearest;
            lone = i;
        }
    }
    return {vectors.at<double>(lone, 0), vectors.at<double>(lone, 1), vectors.at<double>(lone, 2)};
}

// The picture of the face centre and the horizon of the face plane, as
// homogeneous point and line.
struct CentreAndHorizon {
    cv::Vec3d centre;
    cv::Vec3d horizon;
};

// The centre and the horizon from the black's outline and the ring line
// inside it: the pole of the horizon with respect to both conics is the
// centre. Without a ring, the picture is taken as seen from afar.
CentreAndHorizon centreAndHorizon(const std::vector<cv::Point2f>& ring,
                                  const cv::RotatedRect& outline, const cv::Matx33d& outer) {
    CentreAndHorizon seen{{outline.center.x, outline.center.y, 1}, {0, 0, 1}};
    if (ring.size() < kRays / 2)
        return seen;
    const cv::Matx33d inner = conic(fitRobustly(ring));
    cv::Mat values;
    cv::Mat vectors;
    cv::eigenNonSymmetric(cv::Mat(outer.inv() * inner), values, vectors);
    const cv::Vec3d centre = loneEigenvector(values, vectors);
    if (std::abs(centre[2]) > 1e-12) {
        seen.centre = centre / centre[2];
        seen.horizon = outer * seen.centre;
    }
    return seen;
}

// The mapping from the picture to face millimetres: the centre moved to the
// origin and the horizon to infinity, what is left of the outline is an
// ellipse about the origin, an affine picture of the black circle; that is
// brought onto the black's circle. None when the conics do not allow it.
std::optional<cv::Matx33d> pictureToMm(const cv::Matx33d& outer, const CentreAndHorizon& seen,
                                       double blackRadiusMm) {
    const cv::Vec3d& centre = seen.centre;
    const cv::Matx33d shift(1, 0, -centre[0], 0, 1, -centre[1], 0, 0, 1);
    const cv::Vec3d line = shift.inv().t() * seen.horizon;
    if (std::abs(line[2]) < 1e-12)
        return std::nullopt;
    const cv::Matx33d flatten(1, 0, 0, 0, 1, 0, line[0] / line[2], line[1] / line[2], 1);
    const cv::Matx33d toAffine = flatten * shift;
    const cv::Matx33d inv = toAffine.inv();
    const cv::Matx33d affineOutline = inv.t() * outer * inv;
    const double f = -affineOutline(2, 2);
    if (std::abs(f) < 1e-12)
        return std::nullopt;
    const double s11 = affineOutline(0, 0) / f;
    const double s12 = affineOutline(0, 1) / f;
    const double s22 = affineOutline(1, 1) / f;
    if (s22 <= 0)
        return std::nullopt;
    // S = L^T L with L lower triangular, so that the picture's up stays the
    // face's up; the y axis turns to point up.
    const double l22 = std::sqrt(s22);
    const double l21 = s12 / l22;
    const double l11Squared = s11 - l21 * l21;
    if (l11Squared <= 0)
        return std::nullopt;
    const double l11 = std::sqrt(l11Squared);
    const double r = blackRadiusMm;
    const cv::Matx33d toMm(r * l11, 0, 0, -r * l21, -r * l22, 0, 0, 0, 1);
    return toMm * toAffine;
}

} // namespace

cv::Point2d mapPoint(const cv::Matx33d& h, cv::Point2d p) {
    const cv::Vec3d x = h * cv::Vec3d(p.x, p.y, 1);
    return {x[0] / x[2], x[1] / x[2]};
}

namespace {

// Every light ring line well inside the black, as points seen on circles
// of known radii.
std::vector<RingPoints> ringsSeen(const cv::Mat& image, const cv::RotatedRect& outline,
                                  const DisciplineInfo& discipline) {
    std::vector<RingPoints> rings;
    for (const double diameter : discipline.ringDiameterMm) {
        const double ratio = diameter / discipline.blackDiameterMm;
        if (diameter < kLeastRingMm || ratio < kLensRingLeastRatio || ratio > kInnerRingMostRatio)
            continue;
        auto points = ringLine(image, outline, ratio, ringReach(discipline, ratio));
        if (points.size() >= kRays / 2)
            rings.push_back({diameter / 2, std::move(points)});
    }
    return rings;
}

std::vector<cv::Point2f> idealPoints(const std::vector<cv::Point2f>& seen, const Lens& lens) {
    std::vector<cv::Point2f> ideal;
    ideal.reserve(seen.size());
    for (const cv::Point2f& p : seen)
        ideal.push_back(cv::Point2f(lens.ideal(cv::Point2d(p))));
    return ideal;
}

// What is seen of the face, fitted once: the black's edge, the ring line
// that is the second circle, and every ring line that tells the lens.
struct FaceSeen {
    std::vector<cv::Point2f> edge;
    std::vector<cv::Point2f> innerRing;
    std::vector<RingPoints> rings;
    double blackRadiusMm = 0.0;
};

// The mapping from the ideal picture of a lens: the black's outline and the
// second circle, their points brought back from the lens's bend.
std::optional<cv::Matx33d> mappingThrough(const FaceSeen& seen, const Lens& lens) {
    const cv::RotatedRect outline = fitRobustly(idealPoints(seen.edge, lens));
    const cv::Matx33d outer = conic(outline);
    return pictureToMm(outer, centreAndHorizon(idealPoints(seen.innerRing, lens), outline, outer),
                       seen.blackRadiusMm);
}

// How far the ring lines lie off their circles through that mapping.
double offCircles(const FaceSeen& seen, const Lens& lens, const cv::Matx33d& toMm) {
    std::vector<RingPoints> ideal;
    for (const RingPoints& ring : seen.rings)
        ideal.push_back({ring.radiusMm, idealPoints(ring.points, lens)});
    return ringRmsMm(toMm, ideal);
}

double offCirclesWith(const FaceSeen& seen, Lens lens, double k) {
    lens.k = k;
    const auto toMm = mappingThrough(seen, lens);
    return toMm ? offCircles(seen, lens, *toMm) : std::numeric_limits<double>::max();
}

// The lens's k that puts the ring lines best on their circles (a golden
// section search), taken where it does so clearly better than a straight
// picture; the mapping through it.
void fitBentLens(FaceInPicture& face, const FaceSeen& seen) {
    if (seen.rings.size() < 2)
        return;
    const double straight = offCirclesWith(seen, face.lens, 0.0);
    double lo = kMostBarrelK;
    double hi = kMostPincushionK;
    const double golden = (std::sqrt(5.0) - 1) / 2;
    double a = hi - golden * (hi - lo);
    double b = lo + golden * (hi - lo);
    double fa = offCirclesWith(seen, face.lens, a);
    double fb = offCirclesWith(seen, face.lens, b);
    while (hi - lo > kLensKStep) {
        if (fa < fb) {
            hi = b;
            b = a;
            fb = fa;
            a = hi - golden * (hi - lo);
            fa = offCirclesWith(seen, face.lens, a);
        } else {
            lo = a;
            a = b;
            fa = fb;
            b = lo + golden * (hi - lo);
            fb = offCirclesWith(seen, face.lens, b);
        }
    }
    const double k = (lo + hi) / 2;
    if (offCirclesWith(seen, face.lens, k) > kLensGainRatio * straight)
        return;
    Lens bent = face.lens;
    bent.k = k;
    if (const auto toMm = mappingThrough(seen, bent)) {
        face.pictureToMm = *toMm;
        face.lens = bent;
    }
}

} // namespace

cv::Point2d faceToPicture(const FaceInPicture& face, cv::Point2d mm) {
    return face.lens.seen(mapPoint(face.mmToPicture, mm));
}

FaceInPicture findFace(const cv::Mat& picture, const DisciplineInfo& discipline, bool bentLens) {
    FaceInPicture face;
    const auto blob = darkBlob(picture);
    if (!blob)
        return face;
    const cv::Mat image = greyFloat(picture);
    const auto edge = blackEdge(image, *blob);
    if (edge.size() < kRays / 2)
        return face;
    const cv::RotatedRect outline = fitRobustly(edge);
    FaceSeen seen{edge, {}, {}, discipline.blackDiameterMm / 2.0};
    if (const double ratio = innerRingRatio(discipline); ratio > 0)
        seen.innerRing = ringLine(image, outline, ratio, ringReach(discipline, ratio));
    face.lens = Lens::of(picture.size());
    const auto toMm = mappingThrough(seen, face.lens);
    if (!toMm)
        return face;
    face.pictureToMm = *toMm;
    face.blackOutline = outline;
    if (bentLens) {
        seen.rings = ringsSeen(image, outline, discipline);
        fitBentLens(face, seen);
    }
    face.mmToPicture = face.pictureToMm.inv();
    face.found = true;
    return face;
}

} // namespace ankerblick
