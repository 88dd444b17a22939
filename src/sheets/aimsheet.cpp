#include "aimsheet.h"

#include "model/numeric.h"

#include <utility>

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
    m_noMark.box = {0.0f, 0.0f, d, d, false};
    m_index = 0;
    m_callsAhead = 0;
    m_entryActive = true;
    m_displayCycle = 0;
    m_calls[0].box.visible = true;
    updateCaption();
}

void AimSheet::loadSlot(int slot, const SeriesRecord& record) {
    TargetSheet::loadSlot(slot, record);
    const auto s = size_t(slot);
    // A hit placed when no call came has neither call mark nor line.
    const bool called = record.hasCall(slot);
    m_calls[s].box.left = record.callLeft[s];
    m_calls[s].box.top = record.callTop[s];
    m_calls[s].box.visible = called;
    m_lines[s] = {float(record.lineX1[s]), float(record.lineY1[s]), float(record.lineX2[s]),
                  float(record.lineY2[s]), called};
}

void AimSheet::resumeEntry(const SeriesRecord& record, int nextSlot) {
    if (!m_placed[0])
        m_calls[0].box.visible = nextSlot == 0;
    m_callsAhead = 0;
    if (nextSlot >= kShotsPerSeries) {
        m_index = kShotsPerSeries - 1;
        m_entryActive = false;
        updateCaption();
        return;
    }
    m_index = nextSlot;
    // The calls fixed after the last hit still await their hits.
    for (int i = nextSlot; i < kShotsPerSeries && record.hasCall(i); ++i) {
        const auto s = size_t(i);
        m_calls[s].box.left = record.callLeft[s];
        m_calls[s].box.top = record.callTop[s];
        m_calls[s].box.visible = true;
        m_lines[s].x1 = record.lineX1[s];
        m_lines[s].y1 = record.lineY1[s];
        ++m_callsAhead;
    }
    showWaitingMark();
    if (concealing())
        conceal();
    updateCaption();
}

bool AimSheet::scoreSlot(int slot) {
    if (!TargetSheet::scoreSlot(slot))
        return false;
    if (!record().hasCall(slot)) {
        m_rating.appendUnrated();
        return true;
    }
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
    if (!m_polling)
        return m_callsAhead == 0 ? m_calls[size_t(m_index)] : m_hits[size_t(m_index)];
    // While polling only calls follow the pointer, as long as one can be entered.
    const int next = m_index + m_callsAhead;
    return next < kShotsPerSeries ? m_calls[size_t(next)] : m_noMark;
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
        if (!m_placed[s] || !rec.hasCall(i))
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

    ++m_callsAhead;
    m_lines[s].x1 = rec.lineX1[s];
    m_lines[s].y1 = rec.lineY1[s];
    showWaitingMark();
    updateCaption();
    return true;
}

bool AimSheet::fixHit(int slot, float x, float y, std::optional<quint32> arrival, bool timed) {
    const auto s = size_t(slot);
    SeriesRecord rec = record();
    const std::optional<qint16> x2 = num::tryInt16(x);
    const std::optional<qint16> y2 = num::tryInt16(y);
    if (!fixMark(m_hits[s], slot, rec.hitLeft, rec.hitTop, rec.hitCentre) || !x2 || !y2)
        return false;
    rec.lineX2[s] = *x2;
    rec.lineY2[s] = *y2;
    record() = rec;

    --m_callsAhead;
    m_lines[s].x2 = rec.lineX2[s];
    m_lines[s].y2 = rec.lineY2[s];
    m_lines[s].visible = true;
    return completeShot(slot, arrival, timed);
}

// The hit of `slot` is fixed: the shot is listed, scored and rated (unless
// the series keeps its hits hidden for now) and the next shot begins.
bool AimSheet::completeShot(int slot, std::optional<quint32> arrival, bool timed) {
    const auto s = size_t(slot);
    m_placed[s] = true;
    const bool hidden = concealing();
    m_hits[s].box.visible = !hidden;
    if (hidden)
        m_lines[s].visible = false;
    // A hit that cannot be scored stays placed, unlisted, and the entry waits on.
    if (slot < kShotsPerSeries - 1) {
        if (!hidden && !score(slot))
            return false;
        m_index = slot + 1;
        showWaitingMark();
        listShot(slot);
    } else {
        listShot(slot);
        m_entryActive = false;
        if (hidden) {
            // The tenth shot shows the whole series at once.
            recompute();
            applyDisplayCycle();
        } else if (!score(slot)) {
            updateCaption();
            return false;
        }
        m_nextSeriesRed = true;
    }
    updateCaption();
    m_recomputeEnabled = !concealing();
    shotEntered(timed, arrival);
    return true;
}

void AimSheet::applyDisplayCycle() {
    for (int i = 0; i < kShotsPerSeries; ++i) {
        const auto s = size_t(i);
        if (!m_placed[s])
            continue;
        const bool called = record().hasCall(i);
        m_calls[s].box.visible = m_displayCycle != 2 && called;
        m_hits[s].box.visible = m_displayCycle != 1;
        m_lines[s].visible = m_displayCycle != 2 && called;
    }
}

void AimSheet::stepDisplayCycle() {
    m_displayCycle = (m_displayCycle + 1) % 3;
    applyDisplayCycle();
}

void AimSheet::updateCaption() {
    if (m_polling && !m_held.isEmpty())
        m_caption = QStringLiteral("Treffer erhalten – bitte Ansage eingeben");
    else if (!m_entryActive)
        m_caption = QStringLiteral("Serie beendet");
    else if (m_callsAhead > 0)
        m_caption = shotCaption(m_index + m_callsAhead, QStringLiteral("!"));
    else
        m_caption = shotCaption(m_index + 1, QStringLiteral("?"));
}

// Shows the mark the pointer moves next: with the mouse, the hit of a fixed
// call or else the next call; while polling, the next call.
void AimSheet::showWaitingMark() {
    if (!m_entryActive)
        return;
    if (!m_polling && m_callsAhead > 0) {
        m_hits[size_t(m_index)].box.visible = true;
        return;
    }
    const int next = m_index + m_callsAhead;
    if (next < kShotsPerSeries)
        m_calls[size_t(next)].box.visible = true;
}

bool AimSheet::concealing() const {
    return m_polling && m_revealAfterSeries && m_entryActive && lastSeriesSelected();
}

// Hides the hits of the newest series and every figure made of them.
void AimSheet::conceal() {
    for (int i = 0; i < kShotsPerSeries; ++i) {
        const auto s = size_t(i);
        if (!m_placed[s])
            continue;
        m_hits[s].box.visible = false;
        m_lines[s].visible = false;
    }
    clearFigures();
    m_recomputeEnabled = false;
}

bool AimSheet::releaseAt(float x, float y) {
    if (m_polling)
        return enterCall(x, y);
    if (m_entryActive && m_callsAhead == 0)
        return fixCall(m_index, x, y);
    if (m_entryActive)
        return fixHit(m_index, x, y);
    stepDisplayCycle();
    return true;
}

void AimSheet::forgetPendingEntry(SeriesRecord& record) {
    if (!m_entryActive)
        return;
    for (int i = m_index; i < m_index + m_callsAhead; ++i)
        record.clearSlot(i);
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
    m_callsAhead = 0;
    recompute();
    updateCaption();
}

// Takes back the newest call whose hit is still awaited.
void AimSheet::takeBackCall() {
    const int slot = m_index + m_callsAhead - 1;
    const auto s = size_t(slot);
    record().clearSlot(slot);
    m_lines[s] = LineF{};
    --m_callsAhead;
    if (m_polling) {
        // This call follows the pointer again; the one after it waits unseen.
        if (slot + 1 < kShotsPerSeries)
            m_calls[s + 1].box.visible = false;
    } else if (m_callsAhead == 0) {
        m_hits[size_t(m_index)].box.visible = false;
    } else {
        m_calls[s].box.visible = false;
    }
    updateCaption();
}

void AimSheet::undo() {
    if (!lastSeriesSelected())
        return;
    if (m_entryActive && m_callsAhead > 0) {
        takeBackCall();
    } else if (m_polling) {
        return; // a hit the target reported is never taken back
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

int AimSheet::setPolling(bool polling) {
    if (polling == m_polling)
        return 0;
    m_polling = polling;
    const QList<HeldHit> held = std::exchange(m_held, {});
    // The series as the pointer enters it now; hidden hits come to light.
    showSelectedSeries();
    int placed = 0;
    for (const HeldHit& hit : held)
        placed += placeWithoutCall(hit) ? 1 : 0;
    return placed;
}

void AimSheet::setRevealAfterSeries(bool reveal) {
    if (reveal == m_revealAfterSeries)
        return;
    m_revealAfterSeries = reveal;
    if (m_polling)
        showSelectedSeries();
}

bool AimSheet::receiveTargetHit(float x, float y) {
    const PointF at = placeable(x, y);
    if (!canHold(at))
        return false;
    m_held.append({at, m_clock->milliseconds()});
    selectNewestSeries();
    pairHeldHits();
    updateCaption();
    return true;
}

// Whether a hit at `at` can be held now and stored later: its mark fits the
// record, it can be scored, and the series list has room for it.
bool AimSheet::canHold(PointF at) const {
    const float half = m_face.markDiameter() / 2.0f;
    if (!num::tryInt16(at.x - half) || !num::tryInt16(at.y - half) || !num::tryInt16(at.x) ||
        !num::tryInt16(at.y))
        return false;
    if (!tryHitValue(at, m_face.centre(), m_face.scoring()))
        return false;
    const int listed = int(m_seriesList.size());
    if (listed < kMaxSeries)
        return true;
    return int(m_held.size()) < kShotsPerSeries - m_store[listed].nextFreeSlot();
}

void AimSheet::pairHeldHits() {
    while (!m_held.isEmpty() && m_entryActive && m_callsAhead > 0 && lastSeriesSelected()) {
        const int slot = m_index;
        const HeldHit hit = m_held.takeFirst();
        m_hits[size_t(slot)].box.centreOn(hit.at.x, hit.at.y);
        if (fixHit(slot, hit.at.x, hit.at.y, hit.arrival))
            continue;
        // A hit that did not go into its series stays held, and so kept.
        if (!m_placed[size_t(slot)])
            m_held.prepend(hit);
        break;
    }
}

QList<PointF> AimSheet::heldHits() const {
    QList<PointF> hits;
    hits.reserve(m_held.size());
    for (const HeldHit& hit : m_held)
        hits.append(hit.at);
    return hits;
}

int AimSheet::enterHeldHitsWithoutCall(const QList<PointF>& hits) {
    // Their times are not known: they write no time lines, and the next
    // shot is measured from nothing.
    int placed = 0;
    for (const PointF& at : hits)
        if (canHold(at) && placeWithoutCall({at, std::nullopt}))
            ++placed;
    m_times.forgetLastShot();
    return placed;
}

bool AimSheet::toNewestOpenSeries() {
    selectNewestSeries();
    return m_entryActive || nextSeries();
}

bool AimSheet::enterCall(float x, float y) {
    if (!toNewestOpenSeries())
        return false;
    const int slot = m_index + m_callsAhead;
    if (slot >= kShotsPerSeries)
        return false; // every call of the series awaits its hit
    m_calls[size_t(slot)].box.centreOn(x, y);
    if (!fixCall(slot, x, y))
        return false;
    markModified();
    pairHeldHits();
    updateCaption();
    return true;
}

// A held hit whose call never came: placed and scored, with no call to rate.
bool AimSheet::placeWithoutCall(const HeldHit& hit) {
    if (!toNewestOpenSeries())
        return false;
    const int slot = m_index;
    const auto s = size_t(slot);
    m_hits[s].box.centreOn(hit.at.x, hit.at.y);
    if (m_callsAhead > 0)
        return fixHit(slot, hit.at.x, hit.at.y, hit.arrival, hit.arrival.has_value());
    SeriesRecord rec = record();
    rec.clearSlot(slot);
    if (!fixMark(m_hits[s], slot, rec.hitLeft, rec.hitTop, rec.hitCentre))
        return false;
    record() = rec;
    m_calls[s].box.visible = false;
    m_lines[s] = LineF{};
    return completeShot(slot, hit.arrival, hit.arrival.has_value());
}

} // namespace ankerblick
