#pragma once

// The number rules every part of the program shares: rounding, the checked
// conversion into the 16-bit counters and coordinates of the series records,
// and numbers as the user reads and types them.

#include <QLocale>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <stdexcept>

namespace ankerblick::num {

// Raised when a value does not fit a 16-bit field. Handlers catch it and end
// without touching anything further.
class Int16Overflow : public std::range_error {
public:
    explicit Int16Overflow(double value);
    double value() const { return m_value; }

private:
    double m_value;
};

// Nearest integer, ties to the even one (9.5 -> 10, 10.5 -> 10, -2.5 -> -2).
double roundHalfEven(double v);

// Rounds half to even and checks the 16-bit range; throws Int16Overflow.
qint16 toInt16(double v);

// Same as toInt16, but reports a value out of range as an empty optional.
std::optional<qint16> tryInt16(double v);

// Rounds half to even into a 32-bit integer (values are clamped to its range).
qint32 toInt32(double v);

// Whole part rounded towards minus infinity ("Int" of the old Basic dialects).
double floorValue(double v);

// Number as text in the given locale: at most 15 significant digits,
// no thousands separators, no trailing zeros ("9,7", "10", "0").
QString formatNumber(double v, const QLocale& locale = QLocale());
// The same, rounded half to even to `decimals` places first ("9,7", "10").
QString formatRounded(double v, int decimals, const QLocale& locale = QLocale());
// Rounded so and always showing the decimals ("93,0").
QString formatFixed(double v, int decimals, const QLocale& locale = QLocale());

// Reads a number typed or stored as text in the given locale. Leading and
// trailing blanks and direction marks are ignored; group separators are not
// accepted. Every text formatNumber gives reads back (up to 1e308: beyond,
// fifteen digits round past the largest double).
std::optional<double> parseNumber(const QString& text, const QLocale& locale = QLocale());

// Reads the text as a number the way the series sums do: empty or non-numeric
// text counts as 0.
double numberOrZero(const QString& text, const QLocale& locale = QLocale());

// The locale the program presents numbers in: the user's, or German when the
// system has none configured ("C").
QLocale presentationLocale(const QLocale& system = QLocale::system());
// The same for an interface that speaks `spoken` (German or English): the
// user's locale when it speaks that language, else Germany's or Britain's.
QLocale presentationLocale(const QLocale& system, QLocale::Language spoken);

// The locale of the numbers in the files other installations read (the time
// lines of the series file): German, whatever the interface speaks, so that a
// file reads the same in every language.
QLocale fileLocale();

} // namespace ankerblick::num
