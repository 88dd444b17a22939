#include "targetface.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace ankerblick {

namespace {

// index = shape number; 0 and 1 unused, 6 is the black area. The two decimal
// faces are the ISSF 10 m air rifle and 300 m rifle targets (ISSF Technical
// Rules 6.3.4: ring diameters, ring width, black, the air rifle's ten a dot
// of 0.5 mm); their mark sizes are the calibre at the face's scale. The
// faces' rings from ring 1 (ISSF 6.3.4): air pistol 11.5 mm for the ten and
// 16 mm more a ring, 155.5 mm for the one; precision pistol 50 mm and 50 mm
// more, to 500 mm; rapid-fire pistol 100 mm and 80 mm more, rings 10 to 5
// only; 50 m rifle 10.4 mm and 16 mm more, to 154.4 mm.
constexpr std::array<DisciplineInfo, kDisciplineCount> kDisciplines{{
    {QT_TRANSLATE_NOOP("Discipline", "LP"),
     59.5,
     5.3f,
     2,
     30.0f,
     15.0f,
     15,
     {0, 0, 11.5, 27.5, 43.5, 5.0, 59.5, 0, 0, 0, 0},
     4.5,
     5.0,
     false,
     0,
     {},
     0,
     {155.5, 139.5, 123.5, 107.5, 91.5, 75.5, 59.5, 43.5, 27.5, 11.5}},
    {QT_TRANSLATE_NOOP("Discipline", "FP-SP-100m"),
     200.0,
     4.9f,
     7,
     11.0f,
     5.5f,
     6,
     {0, 0, 50, 100, 150, 25, 200, 0, 0, 0, 0},
     5.6,
     25.0,
     false,
     0,
     {},
     0,
     {500, 450, 400, 350, 300, 250, 200, 150, 100, 50}},
    {QT_TRANSLATE_NOOP("Discipline", "OSP-SP"),
     500.0,
     3.136f,
     10,
     4.4f,
     2.2f,
     2,
     {0, 0, 100, 180, 260, 50, 500, 340, 420, 0, 0},
     5.6,
     50.0,
     false,
     0,
     {},
     0,
     {0, 0, 0, 0, 500, 420, 340, 260, 180, 100}},
    {QT_TRANSLATE_NOOP("Discipline", "Gewehr 50m"),
     112.4,
     2.79f,
     0,
     19.5f,
     9.75f,
     10,
     {0, 0, 10.4, 26.4, 42.4, 5.0, 112.4, 58.4, 74.4, 90.4, 106.4},
     5.6,
     5.0,
     false,
     0,
     {},
     0,
     {154.4, 138.4, 122.4, 106.4, 90.4, 74.4, 58.4, 42.4, 26.4, 10.4}},
    {QT_TRANSLATE_NOOP("Discipline", "LG 10m"),
     30.5,
     float(392.0 / 30.5 * 0.25),
     0,
     float(392.0 / 30.5 * 4.5),
     float(392.0 / 30.5 * 4.5 / 2.0),
     29,
     {0, 0, 0.5, 5.5, 10.5, 0.5, 30.5, 15.5, 20.5, 25.5, 30.5},
     4.5,
     0.0,
     true,
     2.5,
     {45.5, 40.5, 35.5, 30.5, 25.5, 20.5, 15.5, 10.5, 5.5, 0.5},
     8,
     {45.5, 40.5, 35.5, 30.5, 25.5, 20.5, 15.5, 10.5, 5.5, 0.5}},
    {QT_TRANSLATE_NOOP("Discipline", "Gewehr 300m"),
     600.0,
     float(392.0 / 600.0 * 5.0),
     0,
     float(392.0 / 600.0 * 8.0),
     float(392.0 / 600.0 * 8.0 / 2.0),
     3,
     {0, 0, 100, 200, 300, 50, 600, 400, 500, 600, 700},
     8.0,
     50.0,
     true,
     50.0,
     {1000, 900, 800, 700, 600, 500, 400, 300, 200, 100},
     9,
     {1000, 900, 800, 700, 600, 500, 400, 300, 200, 100}},
}};

// The smallest box holding both.
ShapeBox united(const ShapeBox& a, const ShapeBox& b) {
    const float left = std::min(a.left, b.left);
    const float top = std::min(a.top, b.top);
    const float right = std::max(a.left + a.width, b.left + b.width);
    const float bottom = std::max(a.top + a.height, b.top + b.height);
    return {left, top, right - left, bottom - top, true};
}

} // namespace

const DisciplineInfo* disciplineInfo(int index) {
    if (index < 0 || index >= kDisciplineCount)
        return nullptr;
    return &kDisciplines[size_t(index)];
}

bool isCalibre(double mm) {
    return mm >= 1.0 && mm <= 20.0;
}

QList<RingNumber> ringNumbers(int discipline) {
    QList<RingNumber> numbers;
    const DisciplineInfo* info = disciplineInfo(discipline);
    if (!info || !info->decimal)
        return numbers;
    for (int ring = 1; ring <= info->lastNumberedRing && ring < 10; ++ring) {
        const double outer = info->ringsMm[size_t(ring - 1)] / 2.0;
        const double inner = info->ringsMm[size_t(ring)] / 2.0;
        const double middle = (outer + inner) / 2.0;
        numbers.append({ring, middle, middle < info->blackDiameterMm / 2.0});
    }
    return numbers;
}

QString disciplineCaption(int index) {
    const DisciplineInfo* info = disciplineInfo(index);
    return info ? QCoreApplication::translate("Discipline", info->caption) : QString();
}

const std::array<int, 10>& TargetFace::drawingOrder() {
    static const std::array<int, 10> order{Card,  BlackArea, Ring4, Ring5,  Ring6,
                                           Ring7, Ring8,     Ring9, Ring10, InnerTen};
    return order;
}

TargetFace::TargetFace() {
    m_shapes[Card] = {16.0f, 8.0f, 457.0f, 441.0f, true};
    m_wholeFace = m_shapes[Card];
    m_shapes[BlackArea] = {kBlackAreaLeft, kBlackAreaTop, kBlackAreaSize, kBlackAreaSize, true};
    // The rings of the design are the "LP" face at whole pixels.
    const DisciplineInfo& lp = kDisciplines[0];
    const double scale = double(kBlackAreaSize) / lp.blackDiameterMm;
    for (int n : {InnerTen, Ring8, Ring9, Ring10}) {
        const float size = std::round(float(lp.ringDiameterMm[size_t(n)] * scale));
        const float offset = std::round((kBlackAreaSize - size) / 2.0f);
        m_shapes[size_t(n)] = {kBlackAreaLeft + offset, kBlackAreaTop + offset, size, size, true};
    }
    for (int n : {Ring7, Ring6, Ring5, Ring4})
        m_shapes[size_t(n)].visible = false;
}

void TargetFace::sizeRing(int number, double diameterMm) {
    const ShapeBox& black = m_shapes[BlackArea];
    ShapeBox& ring = m_shapes[size_t(number)];
    ring.width = float(diameterMm * m_scale);
    ring.height = float(diameterMm * m_scale);
    ring.top = black.top + (black.height - ring.height) / 2.0f;
    ring.left = black.left + (black.width - ring.width) / 2.0f;
}

bool TargetFace::apply(int index, std::optional<double> calibreMm) {
    const DisciplineInfo* info = disciplineInfo(index);
    if (!info)
        return false;
    m_discipline = index;
    m_calibreMm = calibreMm && isCalibre(*calibreMm) ? *calibreMm : info->calibreMm;
    m_scoring.tenthWidth = info->tenthWidth;
    m_scoring.centreAllowance = info->centreAllowance;
    m_scale = double(m_shapes[BlackArea].width) / info->blackDiameterMm;
    m_scoring.decimal.reset();
    if (info->decimal)
        m_scoring.decimal =
            DecimalRule{m_scale, info->ringsMm[9] / 2.0 + m_calibreMm / 2.0, info->ringWidthMm};

    const auto& dia = info->ringDiameterMm;
    for (int n : {Ring7, Ring6, Ring5, Ring4})
        m_shapes[size_t(n)].visible = dia[size_t(n)] > 0.0;
    for (int n : {Ring4, Ring5, Ring6, Ring7})
        if (m_shapes[size_t(n)].visible)
            sizeRing(n, dia[size_t(n)]);

    m_shapes[BlackArea] = {kBlackAreaLeft, kBlackAreaTop, kBlackAreaSize, kBlackAreaSize, true};

    for (int n : {InnerTen, Ring8, Ring9, Ring10})
        sizeRing(n, dia[size_t(n)]);

    placeOuterRings(*info);
    m_markDiameter =
        m_calibreMm == info->calibreMm ? info->markDiameter : float(m_calibreMm * m_scale);
    return true;
}

PointF TargetFace::storableCentre(PointF centre) const {
    const float half = m_markDiameter / 2.0f;
    // Whole units are kept, a half rounded to even: within half a unit of 0
    // both would be kept as 0.
    if (std::abs(centre.x - half) <= 0.5f && std::abs(centre.y - half) <= 0.5f)
        return {half + 1.0f, centre.y};
    return centre;
}

// The rings beyond the largest shape of the face, and the card around them:
// one ring's width beyond the outermost ring, or the design card when the
// face has no ring beyond its shapes.
void TargetFace::placeOuterRings(const DisciplineInfo& info) {
    m_outerRings.clear();
    double drawnMm = info.blackDiameterMm;
    for (int n : {Ring7, Ring6, Ring5, Ring4})
        drawnMm = std::max(drawnMm, info.ringDiameterMm[size_t(n)]);
    const ShapeBox& black = m_shapes[BlackArea];
    const auto around = [&](double diameterMm) {
        const float size = float(diameterMm * m_scale);
        return ShapeBox{black.left + (black.width - size) / 2.0f,
                        black.top + (black.height - size) / 2.0f, size, size, true};
    };
    m_wholeFace = m_shapes[Card];
    for (int ring = 1; ring <= 10; ++ring) {
        const double diameter = info.faceRingsMm[size_t(ring - 1)];
        if (diameter <= drawnMm)
            continue;
        if (m_outerRings.isEmpty() && ring < 10) {
            const double bandMm = (diameter - info.faceRingsMm[size_t(ring)]) / 2.0;
            m_wholeFace = united(m_wholeFace, around(diameter + 2.0 * bandMm));
        }
        m_outerRings.append(OuterRing{ring, around(diameter)});
    }
}

bool TargetFace::innerTen(PointF marker) const {
    const DisciplineInfo* info = disciplineInfo(m_discipline);
    if (!info || m_scale <= 0.0)
        return false;
    // Within a thousandth of a millimetre a shot counts as touching.
    constexpr double kTouch = 1e-3;
    const double r = centreDistance(marker, centre()) / m_scale;
    const double halfShot = m_calibreMm / 2.0;
    if (info->innerTenMm > 0.0)
        return r <= info->innerTenMm / 2.0 + halfShot + kTouch;
    const double dotRadius = info->ringsMm[9] / 2.0;
    return r + dotRadius <= halfShot + kTouch;
}

} // namespace ankerblick
