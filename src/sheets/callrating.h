#pragma once

// Rating of a call against its hit: same direction from the centre (counted in
// sectors), agreement of the ring values, and the distance in millimetres.

#include "model/geometry.h"
#include "model/scoring.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

namespace ankerblick {

// Direction of a marker centre around the target centre in degrees, above 0 up
// to 360 (a marker on the centre has 270), computed with pi as 3.1415927.
double directionAngle(PointF marker, PointF centre);

// The shorter difference of two directions, 0 to 180.
double angleDifference(double a, double b);

struct RatingOptions {
    qint16 sectorMultiplier = 8; // 8 for four sectors, 16 for eight
    int ringPrecision = 1;       // P: tolerance is 1 / P rings (1 or 2)
};

struct CallRating {
    qint16 sectorDeviation = 0; // k
    int callScore = 0;          // 10, 5 or 0
    qint16 millimetres = 0;
    qint32 sekMm = 0; // (k + 1)^2 * mm
};

// hitValue is the limited value of the hit, callValue the call's unlimited one;
// lineLength is the distance of call and hit in drawing units, scale the
// drawing units per millimetre. Empty on a distance that does not fit the
// millimetre counter.
std::optional<CallRating> tryRateCall(PointF call, PointF hit, PointF centre, double hitValue,
                                      double callValue, double lineLength, double scale,
                                      const RatingOptions& options);

// The figures beside the rating lists as their lists and boxes show them.
struct RatingTexts {
    QStringList scores; // AbweichungsListe
    QStringList sekMm;  // AbweichungslisteSekMM
    QString total;      // AbweichungSchnittTxt
    QString mean;       // AbweichungSekMMSchnittTxt
};

// The mean of Sek*mm values is shown to this many decimals everywhere.
inline constexpr int kSekMmMeanDecimals = 2;

// The figures beside the rating lists: every call score and Sek*mm value, the
// total of the scores of calls in the hit's sector and the mean of the Sek*mm
// values, kept exact and shown to two decimals ("3,67", "4").
// A shot without a call has a row of its own ("–") and counts in neither.
struct RatingFigures {
    QList<std::optional<int>> scores;
    QList<std::optional<qint32>> sekMm;
    RunningSum total;
    double mean = 0.0;

    void append(const CallRating& rating);
    void appendUnrated();
    void clear();
    RatingTexts texts(const QLocale& locale = QLocale()) const;

private:
    int m_rated = 0;
    double m_sekMmSum = 0.0; // whole numbers: exact
};

} // namespace ankerblick
