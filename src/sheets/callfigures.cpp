#include "callfigures.h"

#include "model/targetface.h"

#include <algorithm>
#include <cmath>

namespace ankerblick::calls {

namespace {

struct Called {
    group::PointMm error; // hit - call
    double value = 0.0;
    double callValue = 0.0;
};

QList<Called> calledOf(const QList<diary::Shot>& shots) {
    QList<Called> called;
    for (const diary::Shot& s : shots)
        if (s.call)
            called.append({{s.hit.x - s.call->x, s.hit.y - s.call->y},
                           s.value.value_or(0.0),
                           s.callValue.value_or(0.0)});
    return called;
}

void addPlaces(CallFigures& f, const QList<Called>& called) {
    const double n = double(called.size());
    for (const Called& c : called) {
        f.offset.x += c.error.x / n;
        f.offset.y += c.error.y / n;
        if (std::hypot(c.error.x, c.error.y) <= f.ringWidthMm)
            ++f.inCall;
        if (const int sector = group::sectorOf(c.error); sector >= 0)
            ++f.directions[size_t(sector)];
    }
    double squares = 0.0;
    for (const Called& c : called)
        squares += std::pow(c.error.x - f.offset.x, 2) + std::pow(c.error.y - f.offset.y, 2);
    f.spreadMm = std::sqrt(squares / n);
    f.offsetClock = group::clockOf(f.offset);
    if (called.size() >= 2)
        f.offsetUncertaintyMm = std::sqrt(squares / (n * (n - 1.0)));
    f.steadyOffset =
        called.size() >= 3 && std::hypot(f.offset.x, f.offset.y) > 2.0 * f.offsetUncertaintyMm;
}

// Values in whole tenths, so that 10,9 - 10,4 is 5 tenths and not a hair more.
int tenths(double value) {
    return int(std::lround(value * 10.0));
}

void addValues(CallFigures& f, const QList<Called>& called) {
    double sumXY = 0.0, sumXX = 0.0, sumYY = 0.0;
    const double n = double(called.size());
    double meanCall = 0.0, meanHit = 0.0;
    for (const Called& c : called) {
        meanCall += c.callValue / n;
        meanHit += c.value / n;
    }
    for (const Called& c : called) {
        f.callSum += c.callValue;
        f.hitSum += c.value;
        const double call = std::min(c.callValue, kBestValue);
        f.lostInHold += kBestValue - call;
        f.lostAtBreak += call - c.value;
        if (std::abs(tenths(c.callValue) - tenths(c.value)) <= 5)
            ++f.valuesAgree;
        sumXY += (c.callValue - meanCall) * (c.value - meanHit);
        sumXX += std::pow(c.callValue - meanCall, 2);
        sumYY += std::pow(c.value - meanHit, 2);
    }
    if (called.size() >= 3 && sumXX > 0.0 && sumYY > 0.0)
        f.valueCorrelation = sumXY / std::sqrt(sumXX * sumYY);
}

} // namespace

double ringWidthMm(int discipline) {
    const DisciplineInfo* info = disciplineInfo(discipline);
    if (!info)
        return 0.0;
    // Ring 9's diameter less ring 10's, halved.
    return (info->faceRingsMm[8] - info->faceRingsMm[9]) / 2.0;
}

CallFigures callFigures(const QList<diary::Shot>& shots, int discipline) {
    CallFigures f;
    f.ringWidthMm = ringWidthMm(discipline);
    const QList<Called> called = calledOf(shots);
    f.shots = int(called.size());
    if (called.isEmpty())
        return f;
    addPlaces(f, called);
    addValues(f, called);
    return f;
}

} // namespace ankerblick::calls
