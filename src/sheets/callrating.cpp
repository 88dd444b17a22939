#include "callrating.h"

#include "model/numeric.h"

#include <cmath>

namespace ankerblick {

namespace {
constexpr double kPi = 3.1415927;
}

double directionAngle(PointF marker, PointF centre) {
    const double a = double(centre.y - marker.y);
    const double b = double(centre.x - marker.x);
    if (b == 0.0)
        return a > 0.0 ? 90.0 : 270.0;
    const double s = a / std::sqrt(a * a + b * b);
    const double rest = 1.0 - s * s;
    // Far from the vertical the root is positive; right on it the arcsine is +-90.
    const double t =
        rest > 0.0 ? std::atan(s / std::sqrt(rest)) * 180.0 / kPi : (s > 0.0 ? 90.0 : -90.0);
    if (b > 0.0)
        return 180.0 - t;
    if (a > 0.0)
        return t;
    return 360.0 + t;
}

double angleDifference(double a, double b) {
    double diff = std::fabs(a - b);
    if (diff > 180.0)
        diff = 360.0 - diff;
    return diff;
}

std::optional<CallRating> tryRateCall(PointF call, PointF hit, PointF centre, double hitValue,
                                      double callValue, double lineLength, double scale,
                                      const RatingOptions& options) {
    double diff = angleDifference(directionAngle(hit, centre), directionAngle(call, centre));
    if (callValue > 10.4 && hitValue > 10.4)
        diff = 0.0;
    CallRating r;
    r.sectorDeviation = qint16(std::floor(diff / 360.0 * double(options.sectorMultiplier)));
    if (r.sectorDeviation != 0)
        r.callScore = 0;
    else if (std::fabs(hitValue - callValue) <= 1.0 / double(options.ringPrecision))
        r.callScore = 10;
    else
        r.callScore = 5;
    const std::optional<qint16> mm = num::tryInt16(lineLength / scale);
    if (!mm)
        return std::nullopt;
    r.millimetres = *mm;
    const qint32 factor = qint32(r.sectorDeviation) + 1;
    r.sekMm = factor * factor * qint32(r.millimetres);
    return r;
}

void RatingFigures::append(const CallRating& rating) {
    scores.append(rating.callScore);
    if (rating.sectorDeviation == 0)
        total.add(rating.callScore);
    sekMm.append(rating.sekMm);
    ++m_rated;
    const auto n = double(m_rated);
    m_sekMmSum += double(rating.sekMm);
    mean = m_sekMmSum / n;
}

void RatingFigures::appendUnrated() {
    scores.append(std::nullopt);
    sekMm.append(std::nullopt);
}

void RatingFigures::clear() {
    scores.clear();
    sekMm.clear();
    total = RunningSum();
    mean = 0.0;
    m_sekMmSum = 0.0;
    m_rated = 0;
}

RatingTexts RatingFigures::texts(const QLocale& locale) const {
    RatingTexts t;
    const QString none = QStringLiteral("–");
    for (const std::optional<int>& score : scores)
        t.scores.append(score ? num::formatNumber(*score, locale) : none);
    for (const std::optional<qint32>& v : sekMm)
        t.sekMm.append(v ? num::formatNumber(*v, locale) : none);
    t.total = total.text(locale);
    t.mean = num::formatRounded(mean, kSekMmMeanDecimals, locale);
    return t;
}

} // namespace ankerblick
