#pragma once

// Where the shots go, where the calls go, and what to change: figures of any
// set of shots (one series, some series, all series of a window). Positions
// are millimetres on the real target, x to the right and y up, the target
// centre at the origin.

#include "geometry.h"
#include "targetface.h"

#include <QList>

#include <array>
#include <optional>

namespace ankerblick::group {

struct PointMm {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const PointMm&, const PointMm&) = default;
};

// The centre of a mark in drawing units, in millimetres on the face's target.
PointMm toMm(PointF drawingCentre, const TargetFace& face);

// One shot: its hit, its call when one was entered, and the call's rating
// (10, 5 or 0, as the window rated it) when there is a call.
struct Shot {
    PointMm hit;
    std::optional<PointMm> call;
    std::optional<int> rating;
};

struct GroupFigures {
    int shots = 0;
    PointMm mpi;                // mean point of impact
    double extremeSpread = 0.0; // largest distance between two shots; 0 for fewer than two
    double meanRadius = 0.0;    // mean distance from the MPI
};

// The eight directions in which a hit can leave its call, clockwise from
// "hoch": 0 hoch, 1 hoch rechts, 2 rechts, 3 tief rechts, 4 tief, 5 tief
// links, 6 links, 7 hoch links. Sector k spans the 45 degrees centred on
// k * 45 degrees clockwise from straight up; a direction on a boundary
// belongs to the sector clockwise of it. A hit exactly on its call has no
// direction and is counted in none.
inline constexpr int kSectors = 8;
int sectorOf(PointMm offset); // -1 for (0, 0)

struct CallErrorFigures {
    int pairs = 0;
    PointMm mean;           // systematic error: mean of hit - call
    double deviation = 0.0; // random error: root mean square distance of hit - call from the mean
    std::array<int, kSectors> sectors{};
    int rated10 = 0;
    int rated5 = 0;
    int rated0 = 0;
};

struct Figures {
    GroupFigures hits;
    std::optional<GroupFigures> calls;         // none when no shot has a call
    std::optional<CallErrorFigures> callError; // likewise
};

// Figures of the shots; shots without a call count for the hits only.
Figures analyse(const QList<Shot>& shots);

// Whole clicks that move the MPI onto the centre, with a click moving the
// hits clickMm millimetres at the target: + is right / up. Rounded half to
// even; 0 clicks when clickMm is not positive.
struct SightCorrection {
    int horizontal = 0;
    int vertical = 0;
    friend bool operator==(const SightCorrection&, const SightCorrection&) = default;
};
SightCorrection sightCorrection(PointMm mpi, double clickMm);

// The clock direction of an offset from the centre (12 straight up, 3 right),
// 0 for (0, 0).
int clockOf(PointMm offset);

} // namespace ankerblick::group
