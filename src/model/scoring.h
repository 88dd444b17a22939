#pragma once

// Ring scoring with tenths: the one rule every target window scores with, and
// the two series sums.

#include "geometry.h"

#include <QLocale>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace ankerblick {

// The decimal rule of the rule book: from the distance r of the shot's
// centre, value = 10 + (reach - r) / ring width, cut (not rounded) to tenths,
// where the reach is the radius of ring 10 plus half the shot's diameter.
struct DecimalRule {
    double unitsPerMm = 1.0; // drawing units per millimetre of the face
    double reachMm = 0.0;    // radius of ring 10 + half the shot's diameter
    double ringWidthMm = 1.0;

    friend bool operator==(const DecimalRule&, const DecimalRule&) = default;
};

struct ScoringParams {
    float tenthWidth = 5.3f;    // drawing units per tenth of a ring
    qint16 centreAllowance = 2; // within this distance a shot scores the top value
    // Faces scored by the decimal rule; the others by the two values above.
    std::optional<DecimalRule> decimal;
};

struct RingValue {
    qint16 tenths = 0;
    double value = 0.0; // rings with tenths
};

// Unlimited ring value for a distance from the target centre (a call's
// value); empty when the tenths leave the 16-bit range.
std::optional<RingValue> tryRingValueAtDistance(double distance, const ScoringParams& params);

// Distance between two marker centres, from the single-precision differences.
double centreDistance(PointF marker, PointF centre);

// Unlimited ring value of a marker centre (used for calls).
std::optional<RingValue> tryCallValue(PointF marker, PointF centre, const ScoringParams& params);

// A hit's value: above 10.9 becomes 10.9, then below 1.0 becomes 0.
double limitHitValue(double value);
// A hit's value; empty for a marker too far off the target to be scored.
std::optional<double> tryHitValue(PointF marker, PointF centre, const ScoringParams& params);

// Whole rings of a value: the value with its tenths removed (9.7 -> 9).
double wholeRings(double value);

// A number shown in a box with at most 15 significant digits and carried on
// from what the box shows: every step rounds its result the way the box shows
// it, so a sum ends exactly where adding up the shown texts would end.
class RunningSum {
public:
    RunningSum() = default;
    explicit RunningSum(double value) : m_value(shown(value)) {}

    void add(double v) { m_value = shown(m_value + v); }
    void subtract(double v) { m_value = shown(m_value - v); }
    double value() const { return m_value; }
    QString text(const QLocale& locale = QLocale()) const;

    // The number a box shows for v, read back: rounded to the 15 significant
    // digits of num::formatNumber. What reads as no finite number (beyond
    // the largest double) counts as 0, as an unreadable box does.
    static double shown(double v);

    friend bool operator==(const RunningSum&, const RunningSum&) = default;

private:
    double m_value = 0.0;
};

// The two series sums as their boxes show them.
struct SeriesSumTexts {
    QString whole;  // SerienSumme
    QString tenths; // SerienSummeZehntel
};

// The two series sums: whole rings and rings with tenths of the listed hits.
struct SeriesSums {
    RunningSum whole;
    RunningSum tenths;

    void add(double value);
    void subtract(double value);
    void reset();
    SeriesSumTexts texts(const QLocale& locale = QLocale()) const;
};

} // namespace ankerblick
