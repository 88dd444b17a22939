#include "scoring.h"

#include "numeric.h"

#include <cmath>

namespace ankerblick {

RingValue ringValueAtDistance(double distance, const ScoringParams& params) {
    const double t =
        109.0 - (distance - double(params.centreAllowance)) / double(params.tenthWidth);
    RingValue r;
    r.tenths = num::toInt16(t);
    r.value = double(r.tenths) / 10.0;
    return r;
}

double centreDistance(PointF marker, PointF centre) {
    const double dx = double(marker.x - centre.x);
    const double dy = double(marker.y - centre.y);
    return std::sqrt(dx * dx + dy * dy);
}

RingValue callValue(PointF marker, PointF centre, const ScoringParams& params) {
    return ringValueAtDistance(centreDistance(marker, centre), params);
}

double limitHitValue(double value) {
    if (value > 10.9)
        value = 10.9;
    if (value < 1.0)
        value = 0.0;
    return value;
}

double hitValue(PointF marker, PointF centre, const ScoringParams& params) {
    return limitHitValue(callValue(marker, centre, params).value);
}

double wholeRings(double value) {
    const qint32 r = num::toInt32(value * 10.0);
    return value - double(r % 10) / 10.0;
}

void SeriesSums::add(double value, const QLocale& locale) {
    whole = num::formatNumber(num::numberOrZero(whole, locale) + wholeRings(value), locale);
    tenths = num::formatNumber(num::numberOrZero(tenths, locale) + value, locale);
}

void SeriesSums::subtract(double value, const QLocale& locale) {
    whole = num::formatNumber(num::numberOrZero(whole, locale) - wholeRings(value), locale);
    tenths = num::formatNumber(num::numberOrZero(tenths, locale) - value, locale);
}

void SeriesSums::reset() {
    whole = QStringLiteral("0");
    tenths = QStringLiteral("0");
}

} // namespace ankerblick
