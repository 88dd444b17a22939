#pragma once

// The four discipline targets: their scoring values and the face built from
// ten shapes (card, black area and rings), sized per discipline in place.

#include "geometry.h"
#include "scoring.h"

#include <QString>

#include <array>

namespace ankerblick {

enum class Discipline : int { LP = 0, FpSp100m = 1, OspSp = 2, Gewehr50m = 3 };

inline constexpr int kDisciplineCount = 4;

struct DisciplineInfo {
    const char* caption;    // "LP", "FP-SP-100m", "OSP-SP", "Gewehr 50m"
    double blackDiameterMm; // diameter of the black aiming area
    float tenthWidth;       // drawing units per tenth of a ring
    qint16 centreAllowance; // drawing units
    float markDiameter;     // shot mark diameter in drawing units
    float seriesShotRadius; // radius of painted shots in the analysis view
    int seriesSliderValue;  // the same, as whole slider steps
    // Ring diameters in mm for Shape2..Shape10 (index = shape number); 0 = hidden.
    std::array<double, 11> ringDiameterMm;
};

// The values of discipline 0..3; nullptr for any other index.
const DisciplineInfo* disciplineInfo(int index);

// Caption of the discipline option; the main window spells one of them "OSP -SP".
QString disciplineCaption(int index, bool mainWindowSpelling = false);

// Shape numbers of the face.
enum FaceShape : int {
    Card = 1,      // Shape1
    Ring10 = 2,    // Shape2
    Ring9 = 3,     // Shape3
    Ring8 = 4,     // Shape4
    InnerTen = 5,  // Shape5: its centre is the target centre
    BlackArea = 6, // Shape6
    Ring7 = 7,     // Shape7
    Ring6 = 8,     // Shape8
    Ring5 = 9,     // Shape9
    Ring4 = 10,    // Shape10
};

// The leftmost centre of a placed mark. A stored slot holds a shot only when
// the left of its mark is 1 or more, so marks are kept at least this far
// right: then even the largest mark (the 30 units of "LP"), with its left
// rounded to whole units, still keeps its shot.
inline constexpr float kLeftmostMarkCentre = 16.5f;

inline constexpr float kBlackAreaSize = 392.0f;
inline constexpr float kBlackAreaLeft = 48.0f;
inline constexpr float kBlackAreaTop = 32.0f;

class TargetFace {
public:
    TargetFace(); // the design face: the "LP" face rounded to whole pixels

    const ShapeBox& shape(int number) const { return m_shapes.at(size_t(number)); }

    // Runs the discipline routine for index 0..3 and returns true; any other
    // index changes nothing and returns false.
    bool apply(int index);

    int discipline() const { return m_discipline; } // -1 before the first routine
    const ScoringParams& scoring() const { return m_scoring; }
    double scale() const { return m_scale; } // drawing units per millimetre
    float markDiameter() const { return m_markDiameter; }

    // The target centre, read from the inner ten at the moment of asking.
    PointF centre() const { return shape(InnerTen).centre(); }

    // Shapes in drawing order, back to front (card, black area, rings).
    static const std::array<int, 10>& drawingOrder();

private:
    void sizeRing(int number, double diameterMm);

    std::array<ShapeBox, 11> m_shapes{}; // index 0 unused
    int m_discipline = -1;
    ScoringParams m_scoring{};
    double m_scale = 0.0;
    float m_markDiameter = 30.0f;
};

} // namespace ankerblick
