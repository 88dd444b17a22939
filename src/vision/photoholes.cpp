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

constexpr double kBestPxPerMm = 10.0;
constexpr int kMostPixels = 2000;    // the rectified face's side at most
constexpr double kReachBlacks = 1.4; // how far out holes are looked for: 1.4 blacks from the centre
constexpr double kLineToleranceMm = 0.3; // either side of a ring line, of the black's edge
constexpr double kPaperMarginMm = 1.5;   // the card's edge and what lies beyond it
constexpr int kMostHolesInGroup = 40;
constexpr qint64 kLargestFile = 200 * 1024 * 1024;

// The median of the 8-bit pixels under the mask; -1 for none.
int median(const cv::Mat& image, const cv::Mat& mask) {
    std::array<int, 256> counts{};
    int total = 0;
    for (int y = 0; y < image.rows; ++y) {
        const uchar* v = image.ptr<uchar>(y);
        const uchar* m = mask.ptr<uchar>(y);
        for (int x = 0; x < image.cols; ++x)
            if (m[x]) {
                ++counts[v[x]];
                ++total;
            }
    }
    int seen = 0;
    for (int i = 0; i < 256; ++i) {
        seen += counts[size_t(i)];
        if (2 * seen >= total && total > 0)
            return i;
    }
    return -1;
}

cv::Mat disc(int radiusPx) {
    return cv::getStructuringElement(cv::MORPH_ELLIPSE, {2 * radiusPx + 1, 2 * radiusPx + 1});
}

// The ring lines of the face as printed: those inside the black, the decimal
// faces' rings on the card, and for the other faces the rings on the card
// that go on with the spacing of the outer rings in the black.
std::vector<double> ringLinesMm(const DisciplineInfo& d, double reachMm) {
    std::vector<double> lines;
    double below = 0; // the largest ring inside the black
    for (const double ring : d.ringDiameterMm)
        if (ring > 0 && ring < d.blackDiameterMm) {
            lines.push_back(ring);
            below = std::max(below, ring);
        }
    if (d.decimal) {
        for (const double ring : d.ringsMm)
            if (ring > d.blackDiameterMm)
                lines.push_back(ring);
    } else if (below > 0) {
        const double step = d.blackDiameterMm - below;
        for (double ring = d.blackDiameterMm + step; ring / 2 <= reachMm; ring += step)
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
                    const std::vector<cv::Point2d>& centres, double radius) {
    cv::Mat drawn = cv::Mat::zeros(group.size(), CV_8U);
    for (const auto& c : centres)
        cv::circle(drawn, cv::Point(int(std::lround(c.x * 16)), int(std::lround(c.y * 16))),
                   int(std::lround(radius * 16)), 255, cv::FILLED, cv::LINE_8, 4);
    cv::Mat apart;
    cv::bitwise_xor(drawn, group, apart);
    apart &= sure;
    const double holeArea = CV_PI * radius * radius;
    double least = 1e9;
    for (const cv::Mat& side : {cv::Mat(sure), cv::Mat(black & sure), cv::Mat(~black & sure)}) {
        const double area = cv::countNonZero(group & side);
        if (area >= 0.25 * holeArea)
            least = std::min(least, cv::countNonZero(apart & side) / area);
    }
    return least;
}

// Circles of one radius moved onto the group's outline: each outline point
// belongs to the circle whose edge is nearest, each circle is fitted to its
// points with the radius held, and the radius follows what all of them show
// (a little off the calibre's where the light makes holes look larger or
// smaller). Returns that radius.
double refine(std::vector<cv::Point2d>& centres, const std::vector<cv::Point2d>& outline,
              double calibre) {
    const size_t n = centres.size();
    double radius = calibre;
    for (int round = 0; round < 30; ++round) {
        std::vector<cv::Matx22d> normal(n, cv::Matx22d::zeros());
        std::vector<cv::Vec2d> right(n, cv::Vec2d(0, 0));
        std::vector<int> count(n, 0);
        double distances = 0;
        int all = 0;
        for (const auto& p : outline) {
            size_t best = 0;
            double bestResidual = 1e18;
            for (size_t j = 0; j < n; ++j) {
                const double e = std::abs(cv::norm(p - centres[j]) - radius);
                if (e < bestResidual) {
                    bestResidual = e;
                    best = j;
                }
            }
            // No circle's edge: a bridged line, a torn edge; closer once the circles are near.
            if (bestResidual > (round < 5 ? radius / 2 : std::max(2.0, 0.12 * radius)))
                continue;
            const cv::Point2d away = p - centres[best];
            const double d = cv::norm(away);
            if (d < 1e-9)
                continue;
            const cv::Vec2d u(away.x / d, away.y / d);
            normal[best] += u * u.t();
            right[best] += u * (d - radius);
            ++count[best];
            distances += d;
            ++all;
        }
        double moved = 0;
        for (size_t j = 0; j < n; ++j) {
            if (count[j] < 8)
                continue;
            // Held in place along what its points do not show.
            const double hold = 0.05 * count[j];
            const cv::Matx22d a = normal[j] + cv::Matx22d(hold, 0, 0, hold);
            const cv::Vec2d step = a.inv() * right[j];
            centres[j] += cv::Point2d(step[0], step[1]);
            moved = std::max(moved, cv::norm(step));
        }
        const double before = radius;
        if (all >= 12)
            radius = std::clamp(distances / all, 0.85 * calibre, 1.15 * calibre);
        if (round >= 5 && moved < 0.01 && std::abs(radius - before) < 0.01)
            break;
    }
    return radius;
}

// `n` circles for the group, seeded by k-means over its pixels.
// `radius` is the calibre's, `fitted` the one the outline shows.
Circles fitCircles(const cv::Mat& group, const cv::Mat& black, const cv::Mat& sure,
                   const cv::Mat& points, const std::vector<cv::Point2d>& outline, int n,
                   double radius, double fitted) {
    Circles best;
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::vector<cv::Point2d> centres;
        if (n == 1) {
            const cv::Moments m = cv::moments(group, true);
            if (attempt > 0)
                break;
            centres.push_back({m.m10 / m.m00, m.m01 / m.m00});
        } else {
            cv::theRNG().state = 0x9e3779b97f4a7c15ULL + uint64(attempt * 7919 + n);
            cv::Mat labels;
            cv::Mat seeds;
            cv::kmeans(points, n, labels,
                       cv::TermCriteria(cv::TermCriteria::EPS + cv::TermCriteria::COUNT, 30, 0.05),
                       3, cv::KMEANS_PP_CENTERS, seeds);
            for (int j = 0; j < n; ++j)
                centres.push_back({double(seeds.at<float>(j, 0)), double(seeds.at<float>(j, 1))});
        }
        const double seen = refine(centres, outline, fitted) + (radius - fitted);
        // Two circles on top of each other are one hole.
        bool apart = true;
        for (size_t i = 0; i < centres.size(); ++i)
            for (size_t j = i + 1; j < centres.size(); ++j)
                apart = apart && cv::norm(centres[i] - centres[j]) >= 0.25 * radius;
        if (!apart)
            continue;
        const double cost = disagreement(group, black, sure, centres, seen);
        if (cost < best.cost)
            best = {centres, cost};
    }
    return best;
}

// The holes in one connected group of hole pixels (in the pixels of its
// box), or none when it does not look like holes of the calibre. Its outline
// along a ring line or the edge of the black (`unsure`) is no edge of a hole.
std::vector<cv::Point2d> splitGroup(const cv::Mat& group, const cv::Mat& black,
                                    const cv::Mat& unsure, double radius) {
    const double holeArea = CV_PI * radius * radius;
    const int area = cv::countNonZero(group);
    std::vector<cv::Point> pixels;
    cv::findNonZero(group, pixels);
    cv::Mat points(int(pixels.size()), 2, CV_32F);
    for (int i = 0; i < points.rows; ++i) {
        points.at<float>(i, 0) = float(pixels[size_t(i)].x);
        points.at<float>(i, 1) = float(pixels[size_t(i)].y);
    }
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(group.clone(), contours, cv::RETR_LIST, cv::CHAIN_APPROX_NONE);
    std::vector<cv::Point2d> outline;
    cv::Mat notEdge;
    cv::dilate(unsure, notEdge, disc(1));
    const cv::Mat sure = ~unsure;
    for (const auto& contour : contours)
        for (const auto& p : contour)
            if (!notEdge.at<uchar>(p))
                outline.push_back(cv::Point2d(p));

    // The union of n discs is never larger than n discs: no fewer can be.
    const int fewest = std::max(1, int(std::ceil(area / holeArea - 0.15)));
    if (fewest > kMostHolesInGroup)
        return {};
    // The outline's points lie half a pixel inside the edge.
    const double fitted = std::max(1.0, radius - 0.5);
    std::vector<Circles> tried;
    double lowest = 1e9;
    for (int n = fewest; n <= std::min(kMostHolesInGroup, fewest + 3); ++n) {
        tried.push_back(fitCircles(group, black, sure, points, outline, n, radius, fitted));
        lowest = std::min(lowest, tried.back().cost);
    }
    // Too far from any set of calibre discs: a shadow, a mark, no hole.
    if (lowest > 0.3)
        return {};
    for (const Circles& c : tried)
        if (c.cost <= lowest + 0.02)
            return c.centres;
    return {};
}

// A correction of the face's mapping (face mm to face mm) from the
// rectified face: along rays from the centre, where the edge of the black
// and the light ring lines in it lie; a ray that meets a hole there is
// left out. None when too little of them shows. `centre`: the face
// centre's place in `smooth`, which may be a part of the rectified face.
std::optional<cv::Matx33d> refineFace(const cv::Mat& smooth, cv::Point2d centre, double p,
                                      const std::vector<double>& rings, double blackDiameter,
                                      double middle) {
    std::vector<cv::Point2f> seen;
    std::vector<cv::Point2f> printed;
    constexpr int kRays = 360;
    constexpr double kStep = 0.05; // mm
    for (const double ring : rings) {
        const double r = ring / 2;
        const bool edge = ring == blackDiameter;
        const double from = r - (edge ? 1.5 : 1.0);
        const int n = int(std::lround((edge ? 3.0 : 2.0) / kStep));
        for (int k = 0; k < kRays; ++k) {
            const double t = 2 * CV_PI * k / kRays;
            const double c = std::cos(t);
            const double s = std::sin(t);
            std::vector<float> v(size_t(n) + 1);
            bool inside = true;
            for (int i = 0; i <= n && inside; ++i) {
                const double rho = from + i * kStep;
                v[size_t(i)] =
                    bilinear<uchar, double>(smooth, centre.x + rho * c * p, centre.y - rho * s * p);
                inside = v[size_t(i)] >= 0;
            }
            if (!inside)
                continue;
            double at = -1;
            if (edge) {
                // Dark, one step up, light: the crossing of the middle.
                int crossings = 0;
                for (int i = 1; i <= n; ++i)
                    if ((v[size_t(i - 1)] < middle) != (v[size_t(i)] < middle)) {
                        ++crossings;
                        const double f =
                            (middle - v[size_t(i - 1)]) / (v[size_t(i)] - v[size_t(i - 1)]);
                        at = from + (i - 1 + f) * kStep;
                    }
                if (crossings != 1 || v.front() >= middle || v.back() < middle)
                    continue;
            } else {
                // A light line no wider than 0,8 mm, dark on both sides.
                if (v.front() >= middle || v.back() >= middle)
                    continue;
                int light = 0;
                double sum = 0;
                double moment = 0;
                const float base = *std::min_element(v.begin(), v.end());
                for (int i = 0; i <= n; ++i)
                    if (v[size_t(i)] >= middle)
                        ++light;
                if (light == 0 || light * kStep > 0.8)
                    continue;
                const float peak = *std::max_element(v.begin(), v.end());
                const float halfway = (peak + base) / 2;
                for (int i = 0; i <= n; ++i)
                    if (v[size_t(i)] > halfway) {
                        sum += v[size_t(i)] - halfway;
                        moment += (v[size_t(i)] - halfway) * i;
                    }
                if (sum <= 0)
                    continue;
                at = from + moment / sum * kStep;
            }
            seen.push_back(cv::Point2f(float(at * c), float(at * s)));
            printed.push_back(cv::Point2f(float(r * c), float(r * s)));
        }
    }
    if (seen.size() < kRays)
        return std::nullopt;
    // The rays that disagree with the rest are left out; the others are
    // fitted to their circles point by point until the fit stands still.
    std::vector<uchar> inlier;
    if (cv::findHomography(seen, printed, cv::RANSAC, 0.15, inlier).empty())
        return std::nullopt;
    std::vector<cv::Point2f> kept;
    std::vector<double> radii;
    for (size_t i = 0; i < seen.size(); ++i)
        if (inlier[i]) {
            kept.push_back(seen[i]);
            radii.push_back(cv::norm(printed[i]));
        }
    if (kept.size() < kRays / 2)
        return std::nullopt;
    cv::Matx33d g = cv::Matx33d::eye();
    std::vector<cv::Point2f> onCircle(kept.size());
    for (int round = 0; round < 50; ++round) {
        for (size_t i = 0; i < kept.size(); ++i) {
            const cv::Point2d q = mapPoint(g, cv::Point2d(kept[i]));
            onCircle[i] = cv::Point2f(q * (radii[i] / std::max(1e-9, cv::norm(q))));
        }
        const cv::Mat h = cv::findHomography(kept, onCircle, 0);
        if (h.empty())
            return std::nullopt;
        cv::Matx33d next;
        h.convertTo(cv::Mat(3, 3, CV_64F, next.val), CV_64F);
        const double moved = cv::norm(mapPoint(next, {0, 0}) - mapPoint(g, {0, 0}));
        g = next;
        if (moved < 1e-4)
            break;
    }
    return g;
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

} // namespace

cv::Point2d PhotoHoles::toPixel(cv::Point2d mm) const {
    const double half = rectified.cols / 2.0;
    return {half + mm.x * pxPerMm, half - mm.y * pxPerMm};
}

cv::Point2d PhotoHoles::toMm(cv::Point2d pixel) const {
    const double half = rectified.cols / 2.0;
    return {(pixel.x - half) / pxPerMm, (half - pixel.y) / pxPerMm};
}

PhotoHoles findPhotoHoles(const cv::Mat& photo, const DisciplineInfo& d) {
    PhotoHoles result;
    const QString face = QString::fromUtf8(d.caption);
    if (photo.empty() || (photo.channels() != 1 && photo.channels() != 3)) {
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

    const double rb = d.blackDiameterMm / 2;
    const double reach = kReachBlacks * d.blackDiameterMm;
    const double p = std::min(kBestPxPerMm, kMostPixels / (2 * reach));
    result.pxPerMm = p;
    const int side = int(std::ceil(2 * reach * p));
    const double half = side / 2.0;
    const cv::Matx33d mmToRect(p, 0, half, 0, -p, half, 0, 0, 1);
    const cv::Point centre(int(std::lround(half * 16)), int(std::lround(half * 16)));
    const auto px16 = [p](double mm) {
        return int(std::lround(mm * p * 16));
    };

    // The face as printed.
    cv::Mat black = cv::Mat::zeros(cv::Size(side, side), CV_8U);
    cv::circle(black, centre, px16(rb), 255, cv::FILLED, cv::LINE_8, 4);
    cv::Mat unsure = cv::Mat::zeros(black.size(), CV_8U);
    const int band = std::max(1, int(std::lround(2 * kLineToleranceMm * p)));
    std::vector<double> lines = ringLinesMm(d, reach);
    lines.push_back(d.blackDiameterMm);
    for (const double ring : lines) {
        if (ring / 2 < kLineToleranceMm)
            cv::circle(unsure, centre, px16(ring / 2 + kLineToleranceMm), 255, cv::FILLED,
                       cv::LINE_8, 4);
        else
            cv::circle(unsure, centre, px16(ring / 2), 255, band, cv::LINE_8, 4);
    }
    const cv::Mat sure = ~unsure;
    cv::Mat around = cv::Mat::zeros(black.size(), CV_8U);
    cv::circle(around, centre, px16(rb + 2.5), 255, int(std::lround(3.0 * p)), cv::LINE_8, 4);

    // The face where the face finder puts it; on a shot face holes on the
    // edge of the black can make it take a ring line for the edge: then it
    // looks again with everything light and small in the black wiped out.
    // While its mapping is fitted, only the black and the card just around
    // it are rectified (all the fit reads, a sixth of the face's pixels on
    // LP); the whole face once it stands.
    const int inner = int(std::ceil((rb + 5.0) * p));
    const cv::Rect whole(0, 0, side, side);
    const int corner = int(std::floor(half)) - inner;
    const cv::Rect middleBox = cv::Rect(corner, corner, 2 * inner + 1, 2 * inner + 1) & whole;
    cv::Mat smooth; // of the middle box while the mapping is fitted, then of the whole face
    cv::Point2d smoothCentre(half, half);
    int blackLevel = -1;
    int cardLevel = -1;
    const auto rectify = [&](const cv::Matx33d& toMm, bool all = false) {
        const cv::Rect box = all ? whole : middleBox;
        const cv::Matx33d shift(1, 0, -box.x, 0, 1, -box.y, 0, 0, 1);
        cv::Mat rect;
        cv::warpPerspective(grey, rect, shift * mmToRect * toMm, box.size(), cv::INTER_LINEAR,
                            cv::BORDER_CONSTANT, cv::Scalar(0));
        cv::GaussianBlur(rect, smooth, cv::Size(0, 0), 0.1 * p);
        smoothCentre = cv::Point2d(half - box.x, half - box.y);
        if (all)
            result.rectified = rect;
        // The light of the black and of the card just around it.
        const cv::Rect here = middleBox - box.tl();
        blackLevel = median(smooth(here), black(middleBox) & sure(middleBox));
        cardLevel = median(smooth(here), around(middleBox) & sure(middleBox));
        return blackLevel >= 0 && cardLevel >= 0 && cardLevel - blackLevel >= 30;
    };
    result.face = findFace(grey, d);
    if (!result.face.found || !rectify(result.face.pictureToMm)) {
        cv::Mat wiped;
        const int k = std::max(3, grey.rows / 16) | 1;
        cv::morphologyEx(grey, wiped, cv::MORPH_OPEN,
                         cv::getStructuringElement(cv::MORPH_RECT, {k, k}));
        result.face = findFace(wiped, d);
        if (!result.face.found || !rectify(result.face.pictureToMm)) {
            result.face.found = false;
            result.problem =
                QCoreApplication::translate("PhotoHoles",
                                            "Auf dem Foto ist keine Scheibe „%1“ zu erkennen. Die "
                                            "Scheibe sollte ganz zu sehen sein, mindestens ein "
                                            "Drittel des Bildes hoch und nicht schräger als 30°.")
                    .arg(face);
            return result;
        }
    }
    // Then fitted to the edge of the black and the ring lines in it where
    // no hole lies on them.
    std::vector<double> fitted{d.blackDiameterMm};
    for (const double ring : d.ringDiameterMm)
        if (ring >= 4 && ring < d.blackDiameterMm)
            fitted.push_back(ring);
    for (int round = 0; round < 3; ++round) {
        const auto better = refineFace(smooth, smoothCentre, p, fitted, d.blackDiameterMm,
                                       (blackLevel + cardLevel) / 2.0);
        if (!better)
            break;
        const cv::Matx33d toMm = *better * result.face.pictureToMm;
        const cv::Matx33d was = result.face.pictureToMm;
        result.face.pictureToMm = toMm;
        if (!rectify(toMm)) {
            result.face.pictureToMm = was;
            rectify(was);
            break;
        }
    }
    result.face.mmToPicture = result.face.pictureToMm.inv();
    rectify(result.face.pictureToMm, true);

    const double middle = (blackLevel + cardLevel) / 2.0;
    cv::Mat light;
    cv::threshold(smooth, light, middle, 255, cv::THRESH_BINARY);

    // The card: the light around the black, with all it encloses, short of its edge.
    cv::Mat labels;
    const int count = cv::connectedComponents(light, labels, 8, CV_32S);
    std::vector<int> onRing(size_t(count), 0);
    for (int y = 0; y < labels.rows; ++y) {
        const int* l = labels.ptr<int>(y);
        const uchar* a = around.ptr<uchar>(y);
        for (int x = 0; x < labels.cols; ++x)
            if (a[x] && l[x] > 0)
                ++onRing[size_t(l[x])];
    }
    const int cardLabel = int(std::max_element(onRing.begin(), onRing.end()) - onRing.begin());
    std::vector<std::vector<cv::Point>> outlines;
    cv::findContours(cv::Mat(labels == cardLabel), outlines, cv::RETR_EXTERNAL,
                     cv::CHAIN_APPROX_SIMPLE);
    cv::Mat card = cv::Mat::zeros(smooth.size(), CV_8U);
    cv::drawContours(card, outlines, -1, 255, cv::FILLED);
    card |= black;
    const int margin = int(std::lround(kPaperMarginMm * p));
    cv::erode(card, card,
              cv::getStructuringElement(cv::MORPH_RECT, {2 * margin + 1, 2 * margin + 1}));

    // Light in the black, dark on the card; across a line, what is around it.
    cv::Mat holes = ((light & black) | (~light & ~black)) & sure & card;
    cv::morphologyEx(holes, holes, cv::MORPH_OPEN, disc(std::max(1, int(std::lround(0.15 * p)))));
    holes |= closedAround(holes, band / 2 + int(std::lround(0.5 * p))) & unsure & card;

    const double radius = d.calibreMm / 2 * p;
    const double holeArea = CV_PI * radius * radius;
    cv::Mat groups;
    cv::Mat stats;
    cv::Mat centroids;
    const int found = cv::connectedComponentsWithStats(holes, groups, stats, centroids, 8, CV_32S);
    const int pad = int(std::ceil(radius)) + 2;
    for (int i = 1; i < found; ++i) {
        if (stats.at<int>(i, cv::CC_STAT_AREA) < 0.35 * holeArea)
            continue;
        const cv::Rect box(stats.at<int>(i, cv::CC_STAT_LEFT) - pad,
                           stats.at<int>(i, cv::CC_STAT_TOP) - pad,
                           stats.at<int>(i, cv::CC_STAT_WIDTH) + 2 * pad,
                           stats.at<int>(i, cv::CC_STAT_HEIGHT) + 2 * pad);
        const cv::Rect inside = box & cv::Rect(0, 0, side, side);
        cv::Mat group = cv::Mat::zeros(box.size(), CV_8U);
        cv::Mat(groups(inside) == i).copyTo(group(inside - box.tl()));
        cv::Mat blackHere = cv::Mat::zeros(box.size(), CV_8U);
        cv::Mat unsureHere = cv::Mat::zeros(box.size(), CV_8U);
        black(inside).copyTo(blackHere(inside - box.tl()));
        unsure(inside).copyTo(unsureHere(inside - box.tl()));
        for (const cv::Point2d& c : splitGroup(group, blackHere, unsureHere, radius))
            result.holesMm.push_back(result.toMm(c + cv::Point2d(box.tl())));
    }
    return result;
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
    if (file.size() <= kLargestFile) {
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
