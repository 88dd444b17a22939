#include "scoring.h"

#include "numeric.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <system_error>

namespace ankerblick {

namespace {
// Tenths of the decimal rule a hair above their exact value, so that a
// distance read back from drawing units still cuts to the tenth it stands on.
constexpr double kCutTolerance = 1e-4;

double ringTenths(double distance, const ScoringParams& params) {
    if (const std::optional<DecimalRule>& rule = params.decimal) {
        const double mm = distance / rule->unitsPerMm;
        return std::floor(100.0 + 10.0 * (rule->reachMm - mm) / rule->ringWidthMm + kCutTolerance);
    }
    return 109.0 - (distance - double(params.centreAllowance)) / double(params.tenthWidth);
}
} // namespace

std::optional<RingValue> tryRingValueAtDistance(double distance, const ScoringParams& params) {
    const std::optional<qint16> tenths = num::tryInt16(ringTenths(distance, params));
    if (!tenths)
        return std::nullopt;
    return RingValue{*tenths, double(*tenths) / 10.0};
}

double centreDistance(PointF marker, PointF centre) {
    const double dx = double(marker.x - centre.x);
    const double dy = double(marker.y - centre.y);
    return std::sqrt(dx * dx + dy * dy);
}

std::optional<RingValue> tryCallValue(PointF marker, PointF centre, const ScoringParams& params) {
    return tryRingValueAtDistance(centreDistance(marker, centre), params);
}

double limitHitValue(double value) {
    if (value > 10.9)
        value = 10.9;
    if (value < 1.0)
        value = 0.0;
    return value;
}

std::optional<double> tryHitValue(PointF marker, PointF centre, const ScoringParams& params) {
    const std::optional<RingValue> r = tryCallValue(marker, centre, params);
    if (!r)
        return std::nullopt;
    return limitHitValue(r->value);
}

double wholeRings(double value) {
    const qint32 r = num::toInt32(value * 10.0);
    return value - double(r % 10) / 10.0;
}

namespace {
// The double that digits written by std::to_chars read back as; empty beyond
// the largest double.
std::optional<double> readBack(const char* begin, const char* end) {
    double r = 0.0;
    if (std::from_chars(begin, end, r).ec != std::errc())
        return std::nullopt;
    return r;
}

// Whether v may lie exactly halfway between two numbers of 15 significant
// digits: its 16-digit form ends in 5 and reads back as v.
bool mayBeHalfway(double v) {
    std::array<char, 32> digits{};
    const auto written = std::to_chars(digits.data(), digits.data() + digits.size(), v,
                                       std::chars_format::scientific, 15);
    const char* e = std::find(digits.data(), written.ptr, 'e');
    return e != digits.data() && *(e - 1) == '5' && readBack(digits.data(), written.ptr) == v;
}
} // namespace

double RunningSum::shown(double v) {
    // The 15 significant digits num::formatNumber shows, read back as
    // num::parseNumber reads them. The digits do not depend on the locale,
    // only the symbols do; std::to_chars writes the same digits without a
    // locale's text, except that it rounds a tie to even and the box rounds
    // it away from zero, so a possible tie takes the box's own way.
    if (!std::isfinite(v))
        return 0.0;
    double r = 0.0;
    if (mayBeHalfway(v)) {
        const QLocale c = QLocale::c();
        r = num::parseNumber(num::formatNumber(v, c), c).value_or(0.0);
    } else {
        std::array<char, 32> digits{};
        const auto written = std::to_chars(digits.data(), digits.data() + digits.size(), v,
                                           std::chars_format::general, 15);
        r = readBack(digits.data(), written.ptr).value_or(0.0);
    }
    return r == 0.0 ? 0.0 : r; // no -0
}

QString RunningSum::text(const QLocale& locale) const {
    return num::formatNumber(m_value, locale);
}

void SeriesSums::add(double value) {
    whole.add(wholeRings(value));
    tenths.add(value);
}

void SeriesSums::subtract(double value) {
    whole.subtract(wholeRings(value));
    tenths.subtract(value);
}

void SeriesSums::reset() {
    whole = RunningSum();
    tenths = RunningSum();
}

SeriesSumTexts SeriesSums::texts(const QLocale& locale) const {
    return {whole.text(locale), tenths.text(locale)};
}

} // namespace ankerblick
