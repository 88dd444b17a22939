// Numbers as the user types them and as the program shows them: whatever text
// comes in, a number read back from its own formatting is the same number.

#include "fuzzcheck.h"
#include "model/numeric.h"

#include <cmath>
#include <cstdint>
#include <cstring>

using namespace ankerblick;

namespace {

bool sameNumber(double a, double b) {
    // formatNumber keeps 15 significant digits.
    return a == b || std::fabs(a - b) <= 1e-14 * std::fmax(std::fabs(a), std::fabs(b));
}

// The text of a number in the locale, read back, gives the same number and
// the same text again. Fifteen digits of a number beyond 1e308 round past the
// largest double, which reads as no number.
void checkFormatted(double v, const QLocale& locale) {
    if (std::fabs(v) > 1e308)
        return;
    const QString text = num::formatNumber(v, locale);
    FUZZ_CHECK(!text.isEmpty());
    FUZZ_CHECK(!text.startsWith(locale.negativeSign() + locale.zeroDigit()) || v != 0.0);
    if (!locale.groupSeparator().isEmpty())
        FUZZ_CHECK(!text.contains(locale.groupSeparator()));
    const std::optional<double> back = num::parseNumber(text, locale);
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(sameNumber(*back, v));
    FUZZ_CHECK(num::formatNumber(*back, locale) == text);
}

void checkRounding(double v) {
    const double r = num::roundHalfEven(v);
    FUZZ_CHECK(r == std::floor(r));
    FUZZ_CHECK(std::fabs(r - v) <= 0.5);
    if (std::fabs(r - v) == 0.5)
        FUZZ_CHECK(std::fmod(r, 2.0) == 0.0);
    const std::optional<qint16> small = num::tryInt16(v);
    FUZZ_CHECK(small.has_value() == (r >= -32768.0 && r <= 32767.0));
    if (small)
        FUZZ_CHECK(double(*small) == r);
    bool thrown = false;
    try {
        FUZZ_CHECK(num::toInt16(v) == *small);
    } catch (const num::Int16Overflow& e) {
        thrown = true;
        FUZZ_CHECK(e.value() == v);
    }
    FUZZ_CHECK(thrown == !small.has_value());
    const qint32 wide = num::toInt32(v);
    if (r >= -2147483648.0 && r <= 2147483647.0)
        FUZZ_CHECK(double(wide) == r);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const QLocale locale = fuzz::localeFor(data[0]);
    ++data;
    --size;

    // The bytes as typed text.
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<double> v = num::parseNumber(text, locale);
    FUZZ_CHECK(num::numberOrZero(text, locale) == v.value_or(0.0));
    if (v) {
        FUZZ_CHECK(std::isfinite(*v));
        checkFormatted(*v, locale);
        checkRounding(*v);
        // Blanks around a number do not change it.
        FUZZ_CHECK(num::parseNumber(u' ' + text + u' ', locale) == v);
    }

    // The first eight bytes as any double the arithmetic may produce.
    if (size >= sizeof(double)) {
        double d = 0;
        std::memcpy(&d, data, sizeof d);
        if (std::isfinite(d)) {
            checkFormatted(d, locale);
            checkRounding(d);
        }
    }
    return 0;
}
