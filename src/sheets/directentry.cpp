#include "directentry.h"

#include "targetsheet.h"

#include <QCoreApplication>
#include <utility>

namespace ankerblick {

void DirectEntry::reset(TargetSheet& sheet) {
    sheet.hit(0).box.visible = true;
    m_placing = true;
    m_index = 0;
    sheet.setCaption(TargetSheet::shotCaption(1, QStringLiteral("!")));
}

void DirectEntry::loadSlot(TargetSheet& sheet, int slot, const SeriesRecord&) {
    sheet.setCaption(TargetSheet::shotCaption(slot + 1, QString()));
}

void DirectEntry::resume(TargetSheet& sheet, const SeriesRecord&, int nextSlot) {
    if (nextSlot >= sheet.seriesLength()) {
        m_placing = false;
        m_index = sheet.seriesLength();
        return;
    }
    // An unfinished series goes on after its last shot.
    m_placing = true;
    m_index = nextSlot;
    sheet.hit(nextSlot).box.visible = true;
    sheet.setCaption(TargetSheet::shotCaption(nextSlot + 1, QStringLiteral("!")));
}

Mark& DirectEntry::waitingMark(TargetSheet& sheet) {
    return sheet.hit(qMin(m_index, kShotsPerSeries - 1));
}

bool DirectEntry::release(TargetSheet& sheet, float, float) {
    if (!m_placing)
        return true;
    SeriesRecord record = sheet.record();
    // Into the record first: a position that does not fit it leaves everything as it was.
    if (!TargetSheet::fixMark(sheet.hit(m_index), m_index, record.hitLeft, record.hitTop,
                              record.hitCentre))
        return false;
    // Every placed hit is a step "Rückgängig" takes back, the last first.
    sheet.edit(m_index, record, SeriesDocument::Undo::Step);
    // A hit that cannot be scored stays in the record, unlisted.
    sheet.setPlaced(m_index, true);
    if (!sheet.score(m_index)) {
        sheet.setPlaced(m_index, false);
        return false;
    }
    sheet.listShot(m_index);
    ++m_index;
    if (m_index == sheet.seriesLength()) {
        m_placing = false;
        sheet.setCaption(QCoreApplication::translate("ankerblick::DirectEntry", "Serie beendet"));
        sheet.setNextSeriesSignal(true);
    } else {
        sheet.hit(m_index).box.visible = true;
        sheet.setCaption(TargetSheet::shotCaption(m_index + 1, QStringLiteral("!")));
        sheet.setRecomputeEnabled(true);
    }
    sheet.shotEntered(!m_external, std::exchange(m_arrival, std::nullopt));
    return true;
}

bool DirectEntry::receiveHit(TargetSheet& sheet, const ArrivedHit& hit) {
    sheet.selectNewestSeries();
    if (!m_placing && !sheet.nextSeries())
        return false;
    const int before = m_index;
    const PointF pointer = sheet.lastPointer();
    const PointF at = sheet.placeable(hit.at.x, hit.at.y);
    waitingMark(sheet).box.centreOn(at.x, at.y);
    m_arrival = hit.arrival ? hit.arrival : sheet.now();
    const bool taken = release(sheet, at.x, at.y);
    m_arrival.reset();
    // The next mark waits under the pointer again.
    sheet.mouseMove(pointer.x, pointer.y);
    return taken && m_index != before;
}

int DirectEntry::enterWithoutCall(TargetSheet& sheet, const QList<PointF>& hits) {
    // Their times are not known: they write no time lines, and the next
    // shot is measured from nothing.
    const bool external = std::exchange(m_external, true);
    int placed = 0;
    for (const PointF& at : hits)
        placed += receiveHit(sheet, {at, std::nullopt}) ? 1 : 0;
    m_external = external;
    sheet.forgetLastShotTime();
    return placed;
}

int DirectEntry::setExternalSource(TargetSheet&, bool active) {
    m_external = active;
    return 0;
}

} // namespace ankerblick
