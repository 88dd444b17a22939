#include "aimsheet.h"

#include "model/numeric.h"

namespace ankerblick {

namespace {
QString shotCaption(int number, QChar suffix) {
    return QStringLiteral("Schuss: ") + QString::number(number) + suffix;
}
} // namespace

AimSheet::AimSheet(const QLocale& locale) : m_locale(locale) {}

void AimSheet::load() {
    m_store.reset();
    m_seriesList = {QStringLiteral("1")};
    m_selected = 1;
    for (int i = 0; i < kShotsPerSeries; ++i) {
        m_calls[size_t(i)].fill = callColour(i);
        m_hits[size_t(i)].fill = hitColour(i);
    }
    resetDisplay();
    setDiscipline(int(Discipline::LP));
    setSectors(0);
    setRingAccuracy(1);
}

void AimSheet::setDiscipline(int index) {
    if (!m_face.apply(index))
        return;
    applyMarkSize();
    showSelectedSeries();
}

void AimSheet::setSectors(int index) { m_options.sectorMultiplier = index == 1 ? 16 : 8; }

void AimSheet::setRingAccuracy(int index) { m_options.ringPrecision = index == 0 ? 2 : 1; }

void AimSheet::applyMarkSize() {
    const float d = m_face.markDiameter();
    for (auto* marks : {&m_hits, &m_calls})
        for (Mark& m : *marks) {
            m.box.height = d;
            m.box.width = d;
        }
}

void AimSheet::resetDisplay() {
    for (int i = 0; i < kShotsPerSeries; ++i) {
        for (Mark* m : {&m_hits[size_t(i)], &m_calls[size_t(i)]}) {
            m->box.left = 0.0f;
            m->box.top = 0.0f;
            m->box.visible = false;
        }
        m_lines[size_t(i)] = LineF{};
        m_placed[size_t(i)] = false;
    }
    m_shotList.clear();
    m_valueList.clear();
    m_sums.reset();
    m_rating.clear();
    m_index = 0;
    m_awaitingCall = true;
    m_entryActive = true;
    m_displayCycle = 0;
    m_calls[0].box.visible = true;
    setCaptionFor(0, true);
}

void AimSheet::setCaptionFor(int slot, bool awaitingCall) {
    m_caption = shotCaption(slot + 1, awaitingCall ? u'?' : u'!');
}

void AimSheet::showSelectedSeries() {
    resetDisplay();
    if (!m_store.contains(m_selected))
        return;
    const SeriesRecord& rec = m_store[m_selected];
    try {
        for (int i = 0; i < kShotsPerSeries; ++i) {
            if (!rec.hasShot(i))
                continue;
            const auto s = size_t(i);
            m_hits[s].box.left = rec.hitLeft[s];
            m_hits[s].box.top = rec.hitTop[s];
            m_hits[s].box.visible = true;
            m_calls[s].box.left = rec.callLeft[s];
            m_calls[s].box.top = rec.callTop[s];
            m_calls[s].box.visible = true;
            m_lines[s] = {float(rec.lineX1[s]), float(rec.lineY1[s]), float(rec.lineX2[s]),
                          float(rec.lineY2[s]), true};
            m_placed[s] = true;
            m_shotList.append(QString::number(i + 1));
            evaluate(i);
        }
    } catch (const num::Int16Overflow&) {
        // A stored position far outside the target: the rest is not scored.
    }
    m_calls[0].box.visible = m_placed[0];
    const int next = rec.nextFreeSlot();
    if (next >= kShotsPerSeries) {
        m_index = kShotsPerSeries - 1;
        m_entryActive = false;
        m_caption = QStringLiteral("Serie beendet");
        return;
    }
    m_index = next;
    const auto s = size_t(next);
    Mark& call = m_calls[s];
    call.box.visible = true;
    if (rec.callLeft[s] != 0 || rec.callTop[s] != 0) {
        // The call of this shot was fixed and its hit is still awaited.
        call.box.left = rec.callLeft[s];
        call.box.top = rec.callTop[s];
        m_lines[s].x1 = rec.lineX1[s];
        m_lines[s].y1 = rec.lineY1[s];
        m_hits[s].box.visible = true;
        m_awaitingCall = false;
    }
    setCaptionFor(next, m_awaitingCall);
}

void AimSheet::evaluate(int slot) {
    const auto s = size_t(slot);
    const PointF centre = m_face.centre();
    const PointF hitCentre = m_hits[s].box.centre();
    const PointF callCentre = m_calls[s].box.centre();
    const ScoringParams& params = m_face.scoring();
    const double v = hitValue(hitCentre, centre, params);
    m_valueList.append(num::formatNumber(v, m_locale));
    m_sums.add(v, m_locale);
    const double cv = callValue(callCentre, centre, params).value;
    m_rating.append(rateCall(callCentre, hitCentre, centre, v, cv, m_lines[s].length(),
                             m_face.scale(), m_options),
                    m_locale);
}

void AimSheet::mouseMove(float x, float y) {
    if (m_rightButton && !m_entryActive) {
        const float dx = x - m_last.x;
        const float dy = y - m_last.y;
        for (int i = 0; i < kShotsPerSeries; ++i) {
            m_hits[size_t(i)].box.left += dx;
            m_hits[size_t(i)].box.top += dy;
            m_lines[size_t(i)].x2 += dx;
            m_lines[size_t(i)].y2 += dy;
        }
    } else if (m_entryActive) {
        Mark& m = m_awaitingCall ? m_calls[size_t(m_index)] : m_hits[size_t(m_index)];
        m.box.centreOn(x, y);
    }
    m_last = {x, y};
}

void AimSheet::mousePress(MouseButton button) {
    if (button == MouseButton::Right)
        m_rightButton = true;
}

void AimSheet::fixCall(int slot) {
    const auto s = size_t(slot);
    // Store first: a position that does not fit the record leaves the entry as it was.
    SeriesRecord& rec = record();
    const qint16 left = num::toInt16(m_calls[s].box.left);
    const qint16 top = num::toInt16(m_calls[s].box.top);
    const qint16 x1 = num::toInt16(m_last.x);
    const qint16 y1 = num::toInt16(m_last.y);
    rec.callLeft[s] = left;
    rec.callTop[s] = top;
    rec.lineX1[s] = x1;
    rec.lineY1[s] = y1;

    m_awaitingCall = false;
    m_hits[s].box.visible = true;
    m_lines[s].x1 = m_last.x;
    m_lines[s].y1 = m_last.y;
    setCaptionFor(slot, false);
}

void AimSheet::fixHit(int slot, float x, float y) {
    const auto s = size_t(slot);
    SeriesRecord& rec = record();
    const qint16 left = num::toInt16(m_hits[s].box.left);
    const qint16 top = num::toInt16(m_hits[s].box.top);
    const qint16 x2 = num::toInt16(x);
    const qint16 y2 = num::toInt16(y);
    rec.hitLeft[s] = left;
    rec.hitTop[s] = top;
    rec.lineX2[s] = x2;
    rec.lineY2[s] = y2;

    m_awaitingCall = true;
    m_lines[s].x2 = x;
    m_lines[s].y2 = y;
    m_lines[s].visible = true;
    m_placed[s] = true;
    if (slot < kShotsPerSeries - 1) {
        evaluate(slot);
        m_index = slot + 1;
        m_calls[size_t(m_index)].box.visible = true;
        setCaptionFor(m_index, true);
        m_shotList.append(QString::number(m_index));
    } else {
        m_shotList.append(QStringLiteral("10"));
        m_caption = QStringLiteral("Serie beendet");
        m_entryActive = false;
        evaluate(slot);
        m_nextSeriesRed = true;
    }
    if (m_shotEntered)
        m_shotEntered();
}

void AimSheet::stepDisplayCycle() {
    m_displayCycle = (m_displayCycle + 1) % 3;
    for (int i = 0; i < kShotsPerSeries; ++i) {
        const auto s = size_t(i);
        if (!m_placed[s])
            continue;
        m_calls[s].box.visible = m_displayCycle != 2;
        m_hits[s].box.visible = m_displayCycle != 1;
        m_lines[s].visible = m_displayCycle != 2;
    }
}

void AimSheet::mouseRelease(MouseButton button, float x, float y) {
    if (button == MouseButton::Right) {
        m_rightButton = false;
        return;
    }
    try {
        if (m_entryActive && m_awaitingCall)
            fixCall(m_index);
        else if (m_entryActive)
            fixHit(m_index, x, y);
        else
            stepDisplayCycle();
    } catch (const num::Int16Overflow&) {
        // A position beyond the 16-bit drawing range is not taken.
    }
    mouseMove(m_drawPos.x, m_drawPos.y);
}

void AimSheet::doubleClick() {
    m_drawPos = m_last;
    mouseRelease(MouseButton::None, m_drawPos.x, m_drawPos.y);
}

void AimSheet::recompute() {
    m_valueList.clear();
    m_sums.reset();
    m_rating.clear();
    try {
        for (int i = 0; i < kShotsPerSeries; ++i)
            if (m_placed[size_t(i)])
                evaluate(i);
    } catch (const num::Int16Overflow&) {
    }
}

} // namespace ankerblick
