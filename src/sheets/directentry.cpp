#include "directentry.h"

#include "entrycontext.h"

#include <QCoreApplication>
#include <utility>

namespace ankerblick {

void DirectEntry::reset(EntryContext& context) {
    context.hit(0).box.visible = true;
    m_placing = true;
    m_index = 0;
    context.setCaption(EntryContext::shotCaption(1, QStringLiteral("!")));
}

void DirectEntry::loadSlot(EntryContext& context, int slot, const SeriesRecord&) {
    context.setCaption(EntryContext::shotCaption(slot + 1, QString()));
}

void DirectEntry::resume(EntryContext& context, const SeriesRecord&, int nextSlot) {
    if (nextSlot >= context.document().seriesLength()) {
        m_placing = false;
        m_index = context.document().seriesLength();
        return;
    }
    // An unfinished series goes on after its last shot.
    m_placing = true;
    m_index = nextSlot;
    context.hit(nextSlot).box.visible = true;
    context.setCaption(EntryContext::shotCaption(nextSlot + 1, QStringLiteral("!")));
}

Mark& DirectEntry::waitingMark(EntryContext& context) {
    return context.hit(qMin(m_index, kShotsPerSeries - 1));
}

bool DirectEntry::release(EntryContext& context, float, float) {
    if (!m_placing)
        return true;
    SeriesRecord record = context.record();
    // Into the record first: a position that does not fit it leaves everything as it was.
    if (!EntryContext::fixMark(context.hit(m_index), m_index, record.hitLeft, record.hitTop,
                               record.hitCentre))
        return false;
    // Every placed hit is a step "Rückgängig" takes back, the last first.
    context.edit(m_index, record, SeriesDocument::Undo::Step);
    // A hit that cannot be scored stays in the record, unlisted.
    context.setPlaced(m_index, true);
    if (!context.score(m_index)) {
        context.setPlaced(m_index, false);
        return false;
    }
    context.listShot(m_index);
    ++m_index;
    if (m_index == context.document().seriesLength()) {
        m_placing = false;
        context.setCaption(QCoreApplication::translate("ankerblick::DirectEntry", "Serie beendet"));
        context.setNextSeriesSignal(true);
    } else {
        context.hit(m_index).box.visible = true;
        context.setCaption(EntryContext::shotCaption(m_index + 1, QStringLiteral("!")));
        context.setRecomputeEnabled(true);
    }
    context.shotEntered(!m_external, std::exchange(m_arrival, std::nullopt),
                        std::exchange(m_check, HitCheck::Sure),
                        std::exchange(m_deviceValue, std::nullopt));
    return true;
}

bool DirectEntry::receiveHit(EntryContext& context, const ArrivedHit& hit) {
    context.selectNewestSeries();
    if (!m_placing && !context.nextSeries())
        return false;
    const int before = m_index;
    const PointF at = context.placeable(hit.at.x, hit.at.y);
    waitingMark(context).box.centreOn(at.x, at.y);
    m_arrival = hit.arrival ? hit.arrival : context.now();
    m_check = hit.check;
    m_deviceValue = hit.deviceValue;
    const bool taken = release(context, at.x, at.y);
    m_arrival.reset();
    m_check = HitCheck::Sure;
    m_deviceValue.reset();
    // The next mark waits under the pointer again.
    context.followPointer();
    return taken && m_index != before;
}

int DirectEntry::enterWithoutCall(EntryContext& context, const QList<PointF>& hits) {
    // Their times are not known: they write no time lines, and the next
    // shot is measured from nothing.
    const bool external = std::exchange(m_external, true);
    int placed = 0;
    for (const PointF& at : hits)
        placed += receiveHit(context, {at, std::nullopt}) ? 1 : 0;
    m_external = external;
    context.forgetLastShotTime();
    return placed;
}

int DirectEntry::setExternalSource(EntryContext&, bool active) {
    m_external = active;
    return 0;
}

} // namespace ankerblick
