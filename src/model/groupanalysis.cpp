#include "groupanalysis.h"

#include "numeric.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace ankerblick::group {

namespace {

constexpr double kDegrees = 180.0 / std::numbers::pi;

// Direction clockwise from straight up, -180 to 180 degrees.
double bearing(PointMm offset) {
    return std::atan2(offset.x, offset.y) * kDegrees;
}

double distance(PointMm a, PointMm b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

double cross(PointMm o, PointMm a, PointMm b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Whether p lies inside the corner o of a quadrilateral turning left, clear of
// both its sides by more than rounding could blur.
bool clearlyLeftOf(PointMm o, PointMm a, PointMm p) {
    const double side = cross(o, a, p);
    const double size = (std::fabs(a.x - o.x) + std::fabs(a.y - o.y)) *
                        (std::fabs(p.x - o.x) + std::fabs(p.y - o.y));
    return side > 1e-9 * size;
}

// The points that can be corners of the hull: a point clearly inside the
// quadrilateral of the leftmost, lowest, rightmost and highest points is none.
std::vector<PointMm> hullCandidates(const std::vector<PointMm>& points) {
    if (points.empty())
        return {};
    auto left = points.begin(), low = left, right = left, high = left;
    for (auto it = points.begin(); it != points.end(); ++it) {
        left = it->x < left->x ? it : left;
        right = it->x > right->x ? it : right;
        low = it->y < low->y ? it : low;
        high = it->y > high->y ? it : high;
    }
    const std::array<PointMm, 4> quad{*left, *low, *right, *high};
    std::vector<PointMm> candidates;
    candidates.reserve(std::min(points.size(), size_t(256)));
    for (const PointMm& p : points) {
        bool inside = true;
        for (size_t i = 0; i < quad.size() && inside; ++i)
            inside = clearlyLeftOf(quad[i], quad[(i + 1) % quad.size()], p);
        if (!inside)
            candidates.push_back(p);
    }
    return candidates;
}

// The corners of the convex hull (monotone chain); the two points farthest
// apart are always among them.
std::vector<PointMm> hull(const std::vector<PointMm>& all) {
    std::vector<PointMm> points = hullCandidates(all);
    std::sort(points.begin(), points.end(),
              [](PointMm a, PointMm b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    points.erase(std::unique(points.begin(), points.end()), points.end());
    if (points.size() < 3)
        return points;
    std::vector<PointMm> corners(2 * points.size());
    size_t k = 0;
    for (const PointMm& p : points) { // lower chain
        while (k >= 2 && cross(corners[k - 2], corners[k - 1], p) <= 0)
            --k;
        corners[k++] = p;
    }
    const size_t lower = k + 1;
    for (auto it = points.rbegin() + 1; it != points.rend(); ++it) { // upper chain
        while (k >= lower && cross(corners[k - 2], corners[k - 1], *it) <= 0)
            --k;
        corners[k++] = *it;
    }
    corners.resize(k - 1); // the last point is the first again
    return corners;
}

double extremeSpread(const std::vector<PointMm>& points) {
    const std::vector<PointMm> corners = hull(points);
    double widest = 0.0;
    for (size_t i = 0; i < corners.size(); ++i)
        for (size_t j = i + 1; j < corners.size(); ++j)
            widest = std::max(widest, distance(corners[i], corners[j]));
    return widest;
}

PointMm mean(const std::vector<PointMm>& points) {
    double x = 0.0;
    double y = 0.0;
    for (const PointMm& p : points) {
        x += p.x;
        y += p.y;
    }
    const double n = double(points.size());
    return {x / n, y / n};
}

GroupFigures groupOf(const std::vector<PointMm>& points) {
    GroupFigures g;
    g.shots = int(points.size());
    if (points.empty())
        return g;
    g.mpi = mean(points);
    double radii = 0.0;
    for (const PointMm& p : points)
        radii += distance(p, g.mpi);
    g.meanRadius = radii / double(points.size());
    g.extremeSpread = extremeSpread(points);
    return g;
}

CallErrorFigures callErrorOf(const std::vector<PointMm>& errors, const QList<Shot>& shots) {
    CallErrorFigures e;
    e.pairs = int(errors.size());
    e.mean = mean(errors);
    double squares = 0.0;
    for (const PointMm& d : errors) {
        const double dx = d.x - e.mean.x;
        const double dy = d.y - e.mean.y;
        squares += dx * dx + dy * dy;
        const int sector = sectorOf(d);
        if (sector >= 0)
            ++e.sectors[size_t(sector)];
    }
    e.deviation = std::sqrt(squares / double(errors.size()));
    for (const Shot& s : shots) {
        if (!s.call || !s.rating)
            continue;
        if (*s.rating >= 10)
            ++e.rated10;
        else if (*s.rating >= 5)
            ++e.rated5;
        else
            ++e.rated0;
    }
    return e;
}

// The part of a turn a direction falls in, each part centred on a multiple
// of its width and a boundary counted with the part clockwise of it.
int partOf(PointMm offset, double width, int parts) {
    const int part = int(std::floor((bearing(offset) + width / 2.0) / width));
    return ((part % parts) + parts) % parts;
}

// A direction in the first quarter of the turn, as sine and cosine of its
// angle clockwise from straight up.
struct Direction {
    double sin = 0.0;
    double cos = 0.0;
};

// The boundaries of the parts in the first quarter: 22.5 and 67.5 degrees for
// the sectors, 15, 45 and 75 degrees for the hours.
constexpr std::array<Direction, 2> kSectorBounds{
    {{0.38268343236508978, 0.92387953251128674}, {0.92387953251128674, 0.38268343236508978}}};
constexpr std::array<Direction, 3> kHourBounds{{{0.25881904510252074, 0.96592582628906831},
                                                {0.70710678118654752, 0.70710678118654752},
                                                {0.96592582628906831, 0.25881904510252074}}};

// The part of a turn as partOf gives it, found by comparing the direction
// with the boundaries in its quarter instead of taking its angle. A direction
// too close to a boundary for the comparison to be sure takes the angle.
template <size_t N>
int partBetween(PointMm offset, const std::array<Direction, N>& bounds, double width) {
    const int parts = int(4 * N);
    const double ax = std::fabs(offset.x);
    const double ay = std::fabs(offset.y);
    const double margin = 1e-9 * (ax + ay);
    if (!(margin > 1e-300))
        return partOf(offset, width, parts);
    int passed = 0; // boundaries of the quarter clockwise past
    for (const Direction& b : bounds) {
        const double side = ax * b.cos - ay * b.sin;
        if (!(std::fabs(side) > margin))
            return partOf(offset, width, parts);
        passed += side > 0.0 ? 1 : 0;
    }
    // On an axis both quarters beside it give the same part.
    if (offset.x >= 0.0)
        return offset.y >= 0.0 ? passed : parts / 2 - passed;
    return offset.y >= 0.0 ? (parts - passed) % parts : parts / 2 + passed;
}

} // namespace

PointMm toMm(PointF drawingCentre, const TargetFace& face) {
    const PointF centre = face.centre();
    const double scale = face.scale();
    return {(double(drawingCentre.x) - double(centre.x)) / scale,
            (double(centre.y) - double(drawingCentre.y)) / scale};
}

int sectorOf(PointMm offset) {
    if (offset.x == 0.0 && offset.y == 0.0)
        return -1;
    return partBetween(offset, kSectorBounds, 360.0 / kSectors);
}

Figures analyse(const QList<Shot>& shots) {
    std::vector<PointMm> hits;
    std::vector<PointMm> calls;
    std::vector<PointMm> errors;
    hits.reserve(size_t(shots.size()));
    calls.reserve(size_t(shots.size()));
    errors.reserve(size_t(shots.size()));
    for (const Shot& s : shots) {
        hits.push_back(s.hit);
        if (s.call) {
            calls.push_back(*s.call);
            errors.push_back({s.hit.x - s.call->x, s.hit.y - s.call->y});
        }
    }
    Figures f;
    f.hits = groupOf(hits);
    if (!calls.empty()) {
        f.calls = groupOf(calls);
        f.callError = callErrorOf(errors, shots);
    }
    return f;
}

SightCorrection sightCorrection(PointMm mpi, double clickMm) {
    if (!(clickMm > 0.0))
        return {};
    // + 0.0 turns a -0 into 0.
    return {int(num::roundHalfEven(-mpi.x / clickMm) + 0.0),
            int(num::roundHalfEven(-mpi.y / clickMm) + 0.0)};
}

int clockOf(PointMm offset) {
    if (offset.x == 0.0 && offset.y == 0.0)
        return 0;
    const int hour = partBetween(offset, kHourBounds, 30.0);
    return hour == 0 ? 12 : hour;
}

} // namespace ankerblick::group
