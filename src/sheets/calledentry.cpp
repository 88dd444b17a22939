#include "calledentry.h"

#include "entrycontext.h"
#include "files/seriesfile.h"
#include "model/numeric.h"

#include <QCoreApplication>
#include <utility>

namespace ankerblick {

CalledEntry::CalledEntry() {
    for (int i = 0; i < kShotsPerSeries; ++i)
        m_calls[size_t(i)].fill = callColour(i);
}

void CalledEntry::setSectors(int index) {
    m_options.sectorMultiplier = index == 1 ? 16 : 8;
}

void CalledEntry::setRingAccuracy(int index) {
    m_options.ringPrecision = index == 0 ? 2 : 1;
}

void CalledEntry::reset(EntryContext& context) {
    // The calls take the size of the hits: both follow the discipline.
    const float d = context.hit(0).box.width;
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
    updateCaption(context);
}

void CalledEntry::loadSlot(EntryContext&, int slot, const SeriesRecord& record) {
    const auto s = size_t(slot);
    // A hit placed when no call came has neither call mark nor line.
    const bool called = record.hasCall(slot);
    m_calls[s].box.left = record.callLeft[s];
    m_calls[s].box.top = record.callTop[s];
    m_calls[s].box.visible = called;
    m_lines[s] = {float(record.lineX1[s]), float(record.lineY1[s]), float(record.lineX2[s]),
                  float(record.lineY2[s]), called};
}

void CalledEntry::resume(EntryContext& context, const SeriesRecord& record, int nextSlot) {
    if (!context.isPlaced(0))
        m_calls[0].box.visible = nextSlot == 0;
    m_callsAhead = 0;
    if (nextSlot >= context.document().seriesLength()) {
        m_index = context.document().seriesLength() - 1;
        m_entryActive = false;
        updateCaption(context);
        return;
    }
    m_index = nextSlot;
    // The calls fixed after the last hit still await their hits.
    for (int i = nextSlot; i < context.document().seriesLength() && record.hasCall(i); ++i) {
        const auto s = size_t(i);
        m_calls[s].box.left = record.callLeft[s];
        m_calls[s].box.top = record.callTop[s];
        m_calls[s].box.visible = true;
        m_lines[s].x1 = record.lineX1[s];
        m_lines[s].y1 = record.lineY1[s];
        ++m_callsAhead;
    }
    showWaitingMark(context);
    if (concealing(context))
        conceal(context);
    updateCaption(context);
}

bool CalledEntry::scored(const SlotScore& shot) {
    if (!shot.shot.call) {
        m_rating.appendUnrated();
        return true;
    }
    // A call too far off the target, or too far from its hit, leaves the
    // hit's value listed without a rating.
    if (!shot.rating)
        return false;
    m_rating.append(*shot.rating);
    return true;
}

Mark& CalledEntry::waitingMark(EntryContext& context) {
    if (!m_external)
        return m_callsAhead == 0 ? m_calls[size_t(m_index)] : context.hit(m_index);
    // While a source outside delivers, only calls follow the pointer, as
    // long as one can be entered.
    const int next = m_index + m_callsAhead;
    return next < context.document().seriesLength() ? m_calls[size_t(next)] : m_noMark;
}

void CalledEntry::shift(float dx, float dy) {
    for (LineF& l : m_lines) {
        l.x2 += dx;
        l.y2 += dy;
    }
}

bool CalledEntry::storeShift(EntryContext& context, SeriesRecord& rec) {
    for (int i = 0; i < kShotsPerSeries; ++i) {
        const auto s = size_t(i);
        if (!context.isPlaced(i) || !rec.hasCall(i))
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

bool CalledEntry::fixCall(EntryContext& context, int slot, float x, float y) {
    const auto s = size_t(slot);
    // Into the record first: a position that does not fit it leaves the entry as it was.
    SeriesRecord rec = context.record();
    const std::optional<qint16> x1 = num::tryInt16(x);
    const std::optional<qint16> y1 = num::tryInt16(y);
    if (!EntryContext::fixMark(m_calls[s], slot, rec.callLeft, rec.callTop, rec.callCentre) ||
        !x1 || !y1)
        return false;
    rec.lineX1[s] = *x1;
    rec.lineY1[s] = *y1;
    context.edit(slot, rec, SeriesDocument::Undo::Step);

    ++m_callsAhead;
    m_lines[s].x1 = rec.lineX1[s];
    m_lines[s].y1 = rec.lineY1[s];
    showWaitingMark(context);
    updateCaption(context);
    return true;
}

// The hit of the call in `slot`; its mark stands where the hit is.
bool CalledEntry::fixHit(EntryContext& context, int slot, const ArrivedHit& hit, bool fromOutside,
                         bool timed) {
    const auto s = size_t(slot);
    SeriesRecord rec = context.record();
    const std::optional<qint16> x2 = num::tryInt16(hit.at.x);
    const std::optional<qint16> y2 = num::tryInt16(hit.at.y);
    if (!EntryContext::fixMark(context.hit(slot), slot, rec.hitLeft, rec.hitTop, rec.hitCentre) ||
        !x2 || !y2)
        return false;
    rec.lineX2[s] = *x2;
    rec.lineY2[s] = *y2;
    // With its call the hit is one shot to take back.
    context.edit(slot, rec, fromOutside ? SeriesDocument::Undo::Never : SeriesDocument::Undo::Join);

    --m_callsAhead;
    m_lines[s].x2 = rec.lineX2[s];
    m_lines[s].y2 = rec.lineY2[s];
    m_lines[s].visible = true;
    return completeShot(context, slot, hit, timed);
}

// The hit of `slot` is fixed: the shot is listed, scored and rated (unless
// the series keeps its hits hidden for now) and the next shot begins.
bool CalledEntry::completeShot(EntryContext& context, int slot, const ArrivedHit& hit, bool timed) {
    const auto s = size_t(slot);
    context.setPlaced(slot, true);
    const bool hidden = concealing(context);
    context.hit(slot).box.visible = !hidden;
    if (hidden)
        m_lines[s].visible = false;
    // A hit that cannot be scored stays placed, unlisted, and the entry waits on.
    if (slot < context.document().seriesLength() - 1) {
        if (!hidden && !context.score(slot))
            return false;
        m_index = slot + 1;
        showWaitingMark(context);
        context.listShot(slot);
    } else {
        context.listShot(slot);
        m_entryActive = false;
        if (hidden) {
            // The tenth shot shows the whole series at once.
            context.recompute();
            applyDisplayCycle(context);
        } else if (!context.score(slot)) {
            updateCaption(context);
            return false;
        }
        context.setNextSeriesSignal(true);
    }
    updateCaption(context);
    context.setRecomputeEnabled(!concealing(context));
    context.shotEntered(timed, hit.arrival, hit.check, hit.deviceValue);
    return true;
}

void CalledEntry::applyDisplayCycle(EntryContext& context) {
    for (int i = 0; i < kShotsPerSeries; ++i) {
        const auto s = size_t(i);
        if (!context.isPlaced(i))
            continue;
        const bool called = context.record().hasCall(i);
        m_calls[s].box.visible = m_displayCycle != 2 && called;
        context.hit(i).box.visible = m_displayCycle != 1;
        m_lines[s].visible = m_displayCycle != 2 && called;
    }
}

void CalledEntry::stepDisplayCycle(EntryContext& context) {
    m_displayCycle = (m_displayCycle + 1) % 3;
    applyDisplayCycle(context);
}

void CalledEntry::updateCaption(EntryContext& context) {
    if (m_external && !m_held.isEmpty())
        context.setCaption(QCoreApplication::translate("ankerblick::CalledEntry",
                                                       "Treffer erhalten – bitte Ansage eingeben"));
    else if (!m_entryActive)
        context.setCaption(QCoreApplication::translate("ankerblick::CalledEntry", "Serie beendet"));
    else if (m_callsAhead > 0)
        context.setCaption(EntryContext::shotCaption(m_index + m_callsAhead, QStringLiteral("!")));
    else
        context.setCaption(EntryContext::shotCaption(m_index + 1, QStringLiteral("?")));
}

// Shows the mark the pointer moves next: with the pointer as the source of
// hits, the hit of a fixed call or else the next call; otherwise the next call.
void CalledEntry::showWaitingMark(EntryContext& context) {
    if (!m_entryActive)
        return;
    if (!m_external && m_callsAhead > 0) {
        context.hit(m_index).box.visible = true;
        return;
    }
    const int next = m_index + m_callsAhead;
    if (next < context.document().seriesLength())
        m_calls[size_t(next)].box.visible = true;
}

bool CalledEntry::conceals(const EntryContext& context) const {
    return concealing(context);
}

bool CalledEntry::concealing(const EntryContext& context) const {
    return m_external && m_revealAfterSeries && m_entryActive && context.lastSeriesSelected();
}

// Hides the hits of the newest series and every figure made of them.
void CalledEntry::conceal(EntryContext& context) {
    for (int i = 0; i < kShotsPerSeries; ++i) {
        if (!context.isPlaced(i))
            continue;
        context.hit(i).box.visible = false;
        m_lines[size_t(i)].visible = false;
    }
    context.clearFigures();
    context.setRecomputeEnabled(false);
}

bool CalledEntry::release(EntryContext& context, float x, float y) {
    if (m_external)
        return enterCall(context, x, y);
    if (m_entryActive && m_callsAhead == 0)
        return fixCall(context, m_index, x, y);
    if (m_entryActive)
        return fixHit(context, m_index, {{x, y}, std::nullopt}, false);
    stepDisplayCycle(context);
    return true;
}

void CalledEntry::forgetPending(SeriesRecord& record) {
    if (!m_entryActive)
        return;
    for (int i = m_index; i < m_index + m_callsAhead; ++i)
        record.clearSlot(i);
}

int CalledEntry::setExternalSource(EntryContext& context, bool active) {
    if (active == m_external)
        return 0;
    m_external = active;
    const QList<ArrivedHit> held = std::exchange(m_held, {});
    // The series as the pointer enters it now; hidden hits come to light.
    context.showSelectedSeries();
    int placed = 0;
    for (const ArrivedHit& hit : held)
        placed += placeWithoutCall(context, hit) ? 1 : 0;
    return placed;
}

bool CalledEntry::setRevealAfterSeries(bool reveal) {
    if (reveal == m_revealAfterSeries)
        return false;
    m_revealAfterSeries = reveal;
    return m_external; // the series is shown anew
}

bool CalledEntry::receiveHit(EntryContext& context, const ArrivedHit& hit) {
    ArrivedHit held = hit;
    held.at = context.placeable(hit.at.x, hit.at.y);
    held.arrival = hit.arrival ? hit.arrival : context.now();
    if (!canHold(context, held.at))
        return false;
    m_held.append(held);
    context.selectNewestSeries();
    pairHeldHits(context);
    updateCaption(context);
    return true;
}

// Whether a hit at `at` can be held now and stored later: its mark fits the
// record, it can be scored, and the series list has room for it.
bool CalledEntry::canHold(const EntryContext& context, PointF at) const {
    const TargetFace& face = context.face();
    const float half = face.markDiameter() / 2.0f;
    if (!num::tryInt16(at.x - half) || !num::tryInt16(at.y - half) || !num::tryInt16(at.x) ||
        !num::tryInt16(at.y))
        return false;
    if (!tryHitValue(at, face.centre(), face.scoring()))
        return false;
    const int listed = context.document().seriesCount();
    if (listed < kMaxSeries)
        return true;
    return int(m_held.size()) <
           context.document().seriesLength() - context.document().record(listed).nextFreeSlot();
}

void CalledEntry::pairHeldHits(EntryContext& context) {
    while (!m_held.isEmpty() && m_entryActive && m_callsAhead > 0 && context.lastSeriesSelected()) {
        const int slot = m_index;
        const ArrivedHit hit = m_held.takeFirst();
        context.hit(slot).box.centreOn(hit.at.x, hit.at.y);
        if (fixHit(context, slot, hit, true))
            continue;
        // A hit that did not go into its series stays held, and so kept.
        if (!context.isPlaced(slot))
            m_held.prepend(hit);
        break;
    }
}

QList<PointF> CalledEntry::heldHits() const {
    QList<PointF> hits;
    hits.reserve(m_held.size());
    for (const ArrivedHit& hit : m_held)
        hits.append(hit.at);
    return hits;
}

int CalledEntry::enterWithoutCall(EntryContext& context, const QList<PointF>& hits) {
    // Their times are not known: they write no time lines, and the next
    // shot is measured from nothing.
    int placed = 0;
    for (const PointF& at : hits)
        if (canHold(context, at) && placeWithoutCall(context, {at, std::nullopt}))
            ++placed;
    context.forgetLastShotTime();
    return placed;
}

bool CalledEntry::toNewestOpenSeries(EntryContext& context) {
    context.selectNewestSeries();
    return m_entryActive || context.nextSeries();
}

bool CalledEntry::enterCall(EntryContext& context, float x, float y) {
    if (!toNewestOpenSeries(context))
        return false;
    const int slot = m_index + m_callsAhead;
    if (slot >= context.document().seriesLength())
        return false; // every call of the series awaits its hit
    m_calls[size_t(slot)].box.centreOn(x, y);
    if (!fixCall(context, slot, x, y))
        return false;
    context.markModified();
    pairHeldHits(context);
    updateCaption(context);
    return true;
}

// A held hit whose call never came: placed and scored, with no call to rate.
bool CalledEntry::placeWithoutCall(EntryContext& context, const ArrivedHit& hit) {
    if (!toNewestOpenSeries(context))
        return false;
    const int slot = m_index;
    const auto s = size_t(slot);
    const bool timed = hit.arrival.has_value();
    context.hit(slot).box.centreOn(hit.at.x, hit.at.y);
    if (m_callsAhead > 0)
        return fixHit(context, slot, hit, true, timed);
    SeriesRecord rec = context.record();
    rec.clearSlot(slot);
    if (!EntryContext::fixMark(context.hit(slot), slot, rec.hitLeft, rec.hitTop, rec.hitCentre))
        return false;
    context.edit(slot, rec, SeriesDocument::Undo::Never);
    m_calls[s].box.visible = false;
    m_lines[s] = LineF{};
    return completeShot(context, slot, hit, timed);
}

} // namespace ankerblick
