#include "targetface.h"

#include <cmath>

namespace ankerblick {

namespace {

// index = shape number; 0 and 1 unused, 6 is the black area.
constexpr std::array<DisciplineInfo, kDisciplineCount> kDisciplines{{
    {"LP", 59.5, 5.3f, 2, 30.0f, 15.0f, 15, {0, 0, 11.5, 27.5, 43.5, 5.0, 59.5, 0, 0, 0, 0}},
    {"FP-SP-100m", 200.0, 4.9f, 7, 11.0f, 5.5f, 6, {0, 0, 50, 100, 150, 25, 200, 0, 0, 0, 0}},
    {"OSP-SP", 500.0, 3.136f, 10, 4.4f, 2.2f, 2, {0, 0, 100, 180, 260, 50, 500, 340, 420, 0, 0}},
    {"Gewehr 50m",
     112.4,
     2.79f,
     0,
     19.5f,
     9.75f,
     10,
     {0, 0, 10.4, 26.4, 42.4, 5.0, 112.4, 58.4, 74.4, 90.4, 106.4}},
}};

constexpr bool everyMarkFitsRightOfTheEdge() {
    for (const DisciplineInfo& d : kDisciplines)
        if (kLeftmostMarkCentre - 0.5f - d.markDiameter / 2.0f < 1.0f)
            return false;
    return true;
}
static_assert(everyMarkFitsRightOfTheEdge());

} // namespace

const DisciplineInfo* disciplineInfo(int index) {
    if (index < 0 || index >= kDisciplineCount)
        return nullptr;
    return &kDisciplines[size_t(index)];
}

QString disciplineCaption(int index, bool mainWindowSpelling) {
    if (mainWindowSpelling && index == int(Discipline::OspSp))
        return QStringLiteral("OSP -SP");
    const DisciplineInfo* info = disciplineInfo(index);
    return info ? QString::fromLatin1(info->caption) : QString();
}

const std::array<int, 10>& TargetFace::drawingOrder() {
    static const std::array<int, 10> order{Card,  BlackArea, Ring4, Ring5,  Ring6,
                                           Ring7, Ring8,     Ring9, Ring10, InnerTen};
    return order;
}

TargetFace::TargetFace() {
    m_shapes[Card] = {16.0f, 8.0f, 457.0f, 441.0f, true};
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

bool TargetFace::apply(int index) {
    const DisciplineInfo* info = disciplineInfo(index);
    if (!info)
        return false;
    m_discipline = index;
    m_scoring.tenthWidth = info->tenthWidth;
    m_scoring.centreAllowance = info->centreAllowance;
    m_scale = double(m_shapes[BlackArea].width) / info->blackDiameterMm;

    const auto& dia = info->ringDiameterMm;
    for (int n : {Ring7, Ring6, Ring5, Ring4})
        m_shapes[size_t(n)].visible = dia[size_t(n)] > 0.0;
    for (int n : {Ring4, Ring5, Ring6, Ring7})
        if (m_shapes[size_t(n)].visible)
            sizeRing(n, dia[size_t(n)]);

    m_shapes[BlackArea] = {kBlackAreaLeft, kBlackAreaTop, kBlackAreaSize, kBlackAreaSize, true};

    for (int n : {InnerTen, Ring8, Ring9, Ring10})
        sizeRing(n, dia[size_t(n)]);

    m_markDiameter = info->markDiameter;
    return true;
}

} // namespace ankerblick
