#include "numeric.h"

#include <cmath>
#include <limits>

namespace ankerblick::num {

Int16Overflow::Int16Overflow(double value)
    : std::range_error("value out of 16-bit range"), m_value(value) {}

double roundHalfEven(double v) {
    if (!std::isfinite(v))
        return v;
    const double lower = std::floor(v);
    const double diff = v - lower;
    if (diff < 0.5)
        return lower;
    if (diff > 0.5)
        return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

std::optional<qint16> tryInt16(double v) {
    const double r = roundHalfEven(v);
    if (!(r >= -32768.0 && r <= 32767.0))
        return std::nullopt;
    return static_cast<qint16>(r);
}

qint16 toInt16(double v) {
    if (const auto r = tryInt16(v))
        return *r;
    throw Int16Overflow(v);
}

qint32 toInt32(double v) {
    const double r = roundHalfEven(v);
    if (std::isnan(r))
        return 0;
    if (r <= double(std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    if (r >= double(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    return static_cast<qint32>(r);
}

double floorValue(double v) {
    return std::floor(v);
}

QString formatNumber(double v, const QLocale& locale) {
    if (v == 0.0)
        v = 0.0; // no "-0"
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(v, 'g', 15);
}

QString formatRounded(double v, int decimals, const QLocale& locale) {
    const double scale = std::pow(10.0, decimals);
    return formatNumber(roundHalfEven(v * scale) / scale, locale);
}

QString formatFixed(double v, int decimals, const QLocale& locale) {
    QString text = formatRounded(v, decimals, locale);
    if (decimals <= 0)
        return text;
    const QString point = locale.decimalPoint();
    if (!text.contains(point))
        text += point;
    const auto shown = text.size() - text.indexOf(point) - 1;
    return text + QString(decimals - shown, u'0');
}

std::optional<double> parseNumber(const QString& text, const QLocale& locale) {
    QLocale l = locale;
    l.setNumberOptions(QLocale::RejectGroupSeparator);
    // Right-to-left locales write their signs with direction marks ("\u061C-5",
    // "\u200E-5"), which QLocale does not read back; they are invisible and carry
    // no value.
    QString plain = text.trimmed();
    plain.remove(QChar(0x200E)).remove(QChar(0x200F)).remove(QChar(0x061C));
    bool ok = false;
    double v = l.toDouble(plain, &ok);
    // Nor does it read an exponent symbol of more than one character (Arabic "اس").
    const QString exponent = l.exponential();
    if (!ok && exponent.size() > 1 && plain.contains(exponent))
        v = l.toDouble(plain.replace(exponent, QStringLiteral("E")), &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

double numberOrZero(const QString& text, const QLocale& locale) {
    return parseNumber(text, locale).value_or(0.0);
}

QLocale presentationLocale(const QLocale& system) {
    if (system.language() == QLocale::C)
        return QLocale(QLocale::German, QLocale::Germany);
    return system;
}

QLocale presentationLocale(const QLocale& system, QLocale::Language spoken) {
    if (system.language() == spoken)
        return system;
    return spoken == QLocale::German ? QLocale(QLocale::German, QLocale::Germany)
                                     : QLocale(QLocale::English, QLocale::UnitedKingdom);
}

QLocale fileLocale() {
    return QLocale(QLocale::German, QLocale::Germany);
}

} // namespace ankerblick::num
