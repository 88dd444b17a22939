#pragma once

// The discipline targets: their scoring values and the face built from ten
// shapes (card, black area and rings), sized per discipline in place, with
// the rings outside the black of the faces that have them.

#include "geometry.h"
#include "scoring.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace ankerblick {

enum class Discipline : int {
    LP = 0,
    FpSp100m = 1,
    OspSp = 2,
    Gewehr50m = 3,
    LG10m = 4,
    Gewehr300m = 5,
};

inline constexpr int kDisciplineCount = 6;

struct DisciplineInfo {
    const char* caption;    // "LP", "FP-SP-100m", "OSP-SP", "Gewehr 50m", "LG 10m", "Gewehr 300m"
    double blackDiameterMm; // diameter of the black aiming area
    float tenthWidth;       // drawing units per tenth of a ring
    qint16 centreAllowance; // drawing units
    float markDiameter;     // shot mark diameter in drawing units at the standard calibre
    float seriesShotRadius; // radius of painted shots in the analysis view
    int seriesSliderValue;  // the same, as whole slider steps
    // Ring diameters in mm for Shape2..Shape10 (index = shape number); 0 = hidden.
    std::array<double, 11> ringDiameterMm;
    double calibreMm;  // the standard shot diameter
    double innerTenMm; // diameter of the inner-ten ring; 0: the ten is a dot to be shot out
    // Faces scored by the decimal rule from their ring table; the others
    // by tenth width and centre allowance.
    bool decimal;
    double ringWidthMm;             // the decimal faces' ring width (radius)
    std::array<double, 10> ringsMm; // their ring diameters, ring 1 first
    int lastNumberedRing;           // rings 1 to this one carry their number; 0: none
    // Every ring the face has, ring 1 first, in mm; 0 for a ring it lacks
    // (the rapid-fire face scores 5 to 10 only).
    std::array<double, 10> faceRingsMm;
};

// The values of discipline 0..5; nullptr for any other index.
const DisciplineInfo* disciplineInfo(int index);

// Whether a calibre in mm is one a shooter can choose: 1 to 20 mm.
bool isCalibre(double mm);

// Caption of the discipline option, the same in every window.
QString disciplineCaption(int index);

// A ring number of a decimal face: printed in the ring's band on the
// horizontal and vertical axes, white on the black, black on the card.
struct RingNumber {
    int number;
    double radiusMm; // from the centre to the middle of the band
    bool onBlack;
};
// The numbered rings of the discipline, ring 1 first; none on the older faces.
QList<RingNumber> ringNumbers(int discipline);

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

inline constexpr float kBlackAreaSize = 392.0f;
inline constexpr float kBlackAreaLeft = 48.0f;
inline constexpr float kBlackAreaTop = 32.0f;

class TargetFace {
public:
    TargetFace(); // the design face: the "LP" face rounded to whole pixels

    const ShapeBox& shape(int number) const { return m_shapes.at(size_t(number)); }

    // Runs the discipline routine for index 0..5 and returns true; any other
    // index changes nothing and returns false. The calibre (mm) sizes the
    // marks and the decimal faces' scoring; without one, or with one that is
    // no calibre, the discipline's standard calibre holds, whose marks on the
    // older faces keep the size of the table.
    bool apply(int index, std::optional<double> calibreMm = std::nullopt);

    int discipline() const { return m_discipline; } // -1 before the first routine
    const ScoringParams& scoring() const { return m_scoring; }
    double scale() const { return m_scale; } // drawing units per millimetre
    float markDiameter() const { return m_markDiameter; }
    double calibreMm() const { return m_calibreMm; }

    // Where a mark centred at `centre` can be kept in a series slot. A slot
    // whose left and top are both 0 holds no shot, so a mark whose left and
    // top would both round to 0 moves one unit right; any other centre stays.
    PointF storableCentre(PointF centre) const;

    // The whole face: the card with every ring of the face on it, in
    // drawing units; it reaches beyond the drawing area on the faces whose
    // outer rings lie outside the black.
    const ShapeBox& wholeFace() const { return m_wholeFace; }

    // Whether a shot centred at `marker` is an inner ten: on the faces with
    // an inner-ten ring the shot touches it, on a face whose ten is a dot
    // the shot covers the dot completely.
    bool innerTen(PointF marker) const;

    // Rings larger than the black area of the faces whose rings reach
    // beyond it (ring number and its circle); drawn in black on the card.
    struct OuterRing {
        int number;
        ShapeBox box;
    };
    const QList<OuterRing>& outerRings() const { return m_outerRings; }
    // The target centre, read from the inner ten at the moment of asking.
    PointF centre() const { return shape(InnerTen).centre(); }

    // Shapes in drawing order, back to front (card, black area, rings).
    static const std::array<int, 10>& drawingOrder();

private:
    void sizeRing(int number, double diameterMm);
    void placeOuterRings(const DisciplineInfo& info);

    std::array<ShapeBox, 11> m_shapes{}; // index 0 unused
    int m_discipline = -1;
    ScoringParams m_scoring{};
    double m_scale = 0.0;
    float m_markDiameter = 30.0f;
    double m_calibreMm = 4.5;
    QList<OuterRing> m_outerRings;
    ShapeBox m_wholeFace{};
};

} // namespace ankerblick
