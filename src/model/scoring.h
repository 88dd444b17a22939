#pragma once

// Ring scoring with tenths: the one rule every target window scores with, and
// the two series sums kept as text.

#include "geometry.h"

#include <QLocale>
#include <QString>
#include <QtGlobal>

namespace ankerblick {

struct ScoringParams {
    float tenthWidth = 5.3f;    // drawing units per tenth of a ring
    qint16 centreAllowance = 2; // within this distance a shot scores the top value
};

struct RingValue {
    qint16 tenths = 0;
    double value = 0.0; // rings with tenths
};

// Unlimited ring value for a distance from the target centre (a call's value).
// Throws num::Int16Overflow when the tenths leave the 16-bit range.
RingValue ringValueAtDistance(double distance, const ScoringParams& params);

// Distance between two marker centres, from the single-precision differences.
double centreDistance(PointF marker, PointF centre);

// Unlimited ring value of a marker centre (used for calls).
RingValue callValue(PointF marker, PointF centre, const ScoringParams& params);

// A hit's value: above 10.9 becomes 10.9, then below 1.0 becomes 0.
double limitHitValue(double value);
double hitValue(PointF marker, PointF centre, const ScoringParams& params);

// Whole rings of a value: the value with its tenths removed (9.7 -> 9).
double wholeRings(double value);

// The series sums exist only as the text of their two boxes; each hit reads
// the text, adds and writes it back.
struct SeriesSums {
    QString whole = QStringLiteral("0");  // SerienSumme
    QString tenths = QStringLiteral("0"); // SerienSummeZehntel

    void add(double value, const QLocale& locale = QLocale());
    void subtract(double value, const QLocale& locale = QLocale());
    void reset();
};

} // namespace ankerblick
