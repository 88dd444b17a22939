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

// The corners of the convex hull (monotone chain); the two points farthest
// apart are always among them.
std::vector<PointMm> hull(std::vector<PointMm> points) {
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
    return partOf(offset, 360.0 / kSectors, kSectors);
}

Figures analyse(const QList<Shot>& shots) {
    std::vector<PointMm> hits;
    std::vector<PointMm> calls;
    std::vector<PointMm> errors;
    hits.reserve(size_t(shots.size()));
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
    const int hour = partOf(offset, 30.0, 12);
    return hour == 0 ? 12 : hour;
}

} // namespace ankerblick::group
