#pragma once

// The four bounds of the value/time analysis in test rows: built, shown and
// compared as single-precision numbers from the same decimal tenths.

#include "sheets/valuebounds.h"

#include <QMetaType>
#include <QString>

#include <cmath>

Q_DECLARE_METATYPE(ankerblick::timeanalysis::Bounds)
Q_DECLARE_METATYPE(ankerblick::timeanalysis::Variant)

namespace ankerblick::test {

inline timeanalysis::Bounds bounds(float min, float max, float from, float to) {
    return timeanalysis::Bounds{min, max, from, to};
}

inline QString show(const timeanalysis::Bounds& b) {
    return QStringLiteral("%1..%2 rings, %3..%4 s")
        .arg(double(b.MinSchusswert))
        .arg(double(b.MaxSchusswert))
        .arg(double(b.AbSekunden))
        .arg(double(b.BisSekunden));
}

inline bool sameBounds(const timeanalysis::Bounds& a, const timeanalysis::Bounds& b) {
    const auto near = [](float x, float y) {
        return std::fabs(x - y) < 1e-4f;
    };
    return near(a.MinSchusswert, b.MinSchusswert) && near(a.MaxSchusswert, b.MaxSchusswert) &&
           near(a.AbSekunden, b.AbSekunden) && near(a.BisSekunden, b.BisSekunden);
}

} // namespace ankerblick::test
