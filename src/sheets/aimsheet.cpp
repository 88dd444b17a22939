#include "aimsheet.h"

#include "model/numeric.h"

namespace ankerblick {

AimSheet::AimSheet(const Clock& clock, const QLocale& locale) : TargetSheet(clock, locale) {}

void AimSheet::load() {
    for (int i = 0; i < kShotsPerSeries; ++i)
        m_calls[size_t(i)].fill = callColour(i);
    TargetSheet::load();
    setSectors(0);
    setRingAccuracy(1);
}

void AimSheet::setSectors(int index) {
    m_options.sectorMultiplier = index == 1 ? 16 : 8;
}

void AimSheet::setRingAccuracy(int index) {
    m_options.ringPrecision = index == 0 ? 2 : 1;
}

void AimSheet::resetEntry() {
    // The calls take the size of the hits: both follow the discipline.
    const float d = m_hits[0].box.width;
    for (int i = 0; i < kShotsPerSeries; ++i) {
        Mark& m = m_calls[size_t(i)];
        m.box = {0.0f, 0.0f, d, d, false};
        m_lines[size_t(i)] = LineF{};
    }
    m_index = 0;
    m_awaitingCall = true;
    m_entryActive = true;
    m_displayCycle = 0;
    m_calls[0].box.visible = true;
    m_caption = shotCaption(1, QStringLiteral("?"));
}

void AimSheet::loadSlot(int slot, const SeriesRecord& record) {
    TargetSheet::loadSlot(slot, record);
    const auto s = size_t(slot);
    m_calls[s].box.left = record.callLeft[s];
    m_calls[s].box.top = record.callTop[s];
    m_calls[s].box.visible = true;
    m_lines[s] = {float(record.lineX1[s]), float(record.lineY1[s]), float(record.lineX2[s]),
                  float(record.lineY2[s]), true};
}

void AimSheet::resumeEntry(const SeriesRecord& record, int nextSlot) {
    m_calls[0].box.visible = m_placed[0] || nextSlot == 0;
    if (nextSlot >= kShotsPerSeries) {
        m_index = kShotsPerSeries - 1;
        m_entryActive = false;
        m_caption = QStringLiteral("Serie beendet");
        return;
    }
    m_index = nextSlot;
    const auto s = size_t(nextSlot);
    m_calls[s].box.visible = true;
    if (record.callLeft[s] != 0 || record.callTop[s] != 0) {
        // The call of this shot was fixed and its hit is still awaited.
        m_calls[s].box.left = record.callLeft[s];
        m_calls[s].box.top = record.callTop[s];
        m_lines[s].x1 = record.lineX1[s];
        m_lines[s].y1 = record.lineY1[s];
        m_hits[s].box.visible = true;
        m_awaitingCall = false;
    }
    m_caption =
        shotCaption(nextSlot + 1, m_awaitingCall ? QStringLiteral("?") : QStringLiteral("!"));
}

bool AimSheet::scoreSlot(int slot) {
    if (!TargetSheet::scoreSlot(slot))
        return false;
    // A call too far off the target, or too far from its hit, leaves the
    // hit's value listed without a rating.
    const auto s = size_t(slot);
    const PointF centre = m_face.centre();
    const PointF hitCentre = m_hits[s].box.centre();
    const PointF callCentre = m_calls[s].box.centre();
    const ScoringParams& params = m_face.scoring();
    const double v = m_values.last();
    const std::optional<RingValue> cv = tryCallValue(callCentre, centre, params);
    if (!cv)
        return false;
    const std::optional<CallRating> r = tryRateCall(callCentre, hitCentre, centre, v, cv->value,
                                                    m_lines[s].length(), m_face.scale(), m_options);
    if (!r)
        return false;
    m_rating.append(*r);
    return true;
}

void AimSheet::clearFigures() {
    TargetSheet::clearFigures();
    m_rating.clear();
}

Mark& AimSheet::waitingMark() {
    return m_awaitingCall ? m_calls[size_t(m_index)] : m_hits[size_t(m_index)];
}

void AimSheet::shiftHits(float dx, float dy) {
    TargetSheet::shiftHits(dx, dy);
    for (LineF& l : m_lines) {
        l.x2 += dx;
        l.y2 += dy;
    }
}

bool AimSheet::storeShift(SeriesRecord& rec) {
    if (!TargetSheet::storeShift(rec))
        return false;
    for (int i = 0; i < kShotsPerSeries; ++i) {
        const auto s = size_t(i);
        if (!m_placed[s])
            continue;
        const std::optional<qint16> x2 = num::tryInt16(m_lines[s].x2);
        const std::optional<qint16> y2 = num::tryInt16(m_lines[s].y2);
        if (!x2 || !y2)
            return false;
        rec.lineX2[s] = *x2;
        rec.lineY2[s] = *y2;
        m_lines[s].x2 = rec.lineX2[s];
        m_lines[s].y2 = rec.lineY2[s];
    }
    return true;
}

bool AimSheet::fixCall(int slot, float x, float y) {
    const auto s = size_t(slot);
    // Into the record first: a position that does not fit it leaves the entry as it was.
    SeriesRecord rec = record();
    const std::optional<qint16> x1 = num::tryInt16(x);
    const std::optional<qint16> y1 = num::tryInt16(y);
    if (!fixMark(m_calls[s], slot, rec.callLeft, rec.callTop, rec.callCentre) || !x1 || !y1)
        return false;
    rec.lineX1[s] = *x1;
    rec.lineY1[s] = *y1;
    record() = rec;

    m_awaitingCall = false;
    m_hits[s].box.visible = true;
    m_lines[s].x1 = rec.lineX1[s];
    m_lines[s].y1 = rec.lineY1[s];
    m_caption = shotCaption(slot + 1, QStringLiteral("!"));
    return true;
}

bool AimSheet::fixHit(int slot, float x, float y) {
    const auto s = size_t(slot);
    SeriesRecord rec = record();
    const std::optional<qint16> x2 = num::tryInt16(x);
    const std::optional<qint16> y2 = num::tryInt16(y);
    if (!fixMark(m_hits[s], slot, rec.hitLeft, rec.hitTop, rec.hitCentre) || !x2 || !y2)
        return false;
    rec.lineX2[s] = *x2;
    rec.lineY2[s] = *y2;
    record() = rec;

    m_awaitingCall = true;
    m_lines[s].x2 = rec.lineX2[s];
    m_lines[s].y2 = rec.lineY2[s];
    m_lines[s].visible = true;
    m_placed[s] = true;
    // A hit that cannot be scored stays placed, unlisted, and the entry waits on.
    if (slot < kShotsPerSeries - 1) {
        if (!score(slot))
            return false;
        m_index = slot + 1;
        m_calls[size_t(m_index)].box.visible = true;
        m_caption = shotCaption(m_index + 1, QStringLiteral("?"));
        listShot(slot);
    } else {
        listShot(slot);
        m_caption = QStringLiteral("Serie beendet");
        m_entryActive = false;
        if (!score(slot))
            return false;
        m_nextSeriesRed = true;
    }
    m_recomputeEnabled = true;
    shotEntered(true);
    return true;
}

void AimSheet::applyDisplayCycle() {
    for (int i = 0; i < kShotsPerSeries; ++i) {
        const auto s = size_t(i);
        if (!m_placed[s])
            continue;
        m_calls[s].box.visible = m_displayCycle != 2;
        m_hits[s].box.visible = m_displayCycle != 1;
        m_lines[s].visible = m_displayCycle != 2;
    }
}

void AimSheet::stepDisplayCycle() {
    m_displayCycle = (m_displayCycle + 1) % 3;
    applyDisplayCycle();
}

bool AimSheet::releaseAt(float x, float y) {
    if (m_entryActive && m_awaitingCall)
        return fixCall(m_index, x, y);
    if (m_entryActive)
        return fixHit(m_index, x, y);
    stepDisplayCycle();
    return true;
}

void AimSheet::forgetPendingEntry(SeriesRecord& record) {
    if (m_entryActive && !m_awaitingCall)
        record.clearSlot(m_index);
}

void AimSheet::takeBackShot(int slot) {
    const auto s = size_t(slot);
    record().clearSlot(slot);
    m_placed[s] = false;
    m_hits[s].box.visible = false;
    m_lines[s] = LineF{};
    m_calls[s].box.visible = true; // follows the pointer again
    m_listedSlots.removeLast();
    m_index = slot;
    m_awaitingCall = true;
    recompute();
    m_caption = shotCaption(slot + 1, QStringLiteral("?"));
}

void AimSheet::undo() {
    if (!lastSeriesSelected())
        return;
    if (m_entryActive && !m_awaitingCall) {
        const auto s = size_t(m_index);
        record().clearSlot(m_index);
        m_awaitingCall = true;
        m_hits[s].box.visible = false;
        m_lines[s] = LineF{};
        m_caption = shotCaption(m_index + 1, QStringLiteral("?"));
    } else if (m_entryActive && m_index > 0) {
        m_calls[size_t(m_index)].box.visible = false;
        takeBackShot(m_index - 1);
    } else if (!m_entryActive) {
        m_displayCycle = 0;
        applyDisplayCycle();
        m_entryActive = true;
        m_nextSeriesRed = false;
        takeBackShot(kShotsPerSeries - 1);
    } else {
        return; // nothing entered in this series
    }
    markModified();
}

} // namespace ankerblick
