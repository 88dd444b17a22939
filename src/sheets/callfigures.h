#pragma once

// What the calls tell, from the diary's shots: how often the hit lands
// within one ring width of its call ("in der Ansage"), how far the hits
// scatter around their calls, whether they leave them by a steady offset,
// where the rings are lost (in the hold: the call itself below 10,9; at the
// break: the hit below its call), and how well the called value foretells
// the hit's. Only shots with a call count. Positions are millimetres on the
// face, e = hit − call.

#include "model/diaryrecords.h"
#include "model/groupanalysis.h"

#include <QList>

#include <array>
#include <optional>

namespace ankerblick::calls {

// The best value a shot can score.
inline constexpr double kBestValue = 10.9;

struct CallFigures {
    int shots = 0;            // shots with a call
    double ringWidthMm = 0.0; // w of the face
    int inCall = 0;           // |e| <= w
    // The spread of e around its mean: root mean square distance, in mm.
    double spreadMm = 0.0;
    // The mean of e, its clock direction (0: none) and its uncertainty (the
    // standard error of the mean, sqrt(sum |e - mean|^2 / (n (n - 1)))).
    group::PointMm offset;
    int offsetClock = 0;
    double offsetUncertaintyMm = 0.0;
    // The offset is more than twice its uncertainty, over three shots or more.
    bool steadyOffset = false;
    // The sums the calls and the hits scored; a shot off the scoring scores 0.
    double callSum = 0.0;
    double hitSum = 0.0;
    // sum (10,9 - call value) and sum (call value - hit value): together the
    // rings lost against 10,9 a shot. A call scored above 10,9 counts as 10,9.
    double lostInHold = 0.0;
    double lostAtBreak = 0.0;
    // Pearson's correlation of called and hit values; none for fewer than
    // three shots or values that do not vary.
    std::optional<double> valueCorrelation;
    int valuesAgree = 0; // called and hit value at most 0,5 ring apart
    // Which way the hits leave their calls, by group::sectorOf.
    std::array<int, group::kSectors> directions{};

    double inCallShare() const { return shots ? double(inCall) / shots : 0.0; }
    double spreadRings() const { return ringWidthMm > 0.0 ? spreadMm / ringWidthMm : 0.0; }
    double valuesAgreeShare() const { return shots ? double(valuesAgree) / shots : 0.0; }
};

// The width of one ring of the discipline's face in mm (8 on LP, 2,5 on LG
// 10m), from its ring diameters; 0 for no discipline.
double ringWidthMm(int discipline);

// The figures of the shots that have a call, on the face of `discipline`.
CallFigures callFigures(const QList<diary::Shot>& shots, int discipline);

} // namespace ankerblick::calls
