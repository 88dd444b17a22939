#include "entrysheet.h"

namespace ankerblick {

EntrySheet::EntrySheet(const Clock& clock, const QLocale& locale) : TargetSheet(clock, locale) {}

void EntrySheet::resetEntry() {
    m_hits[0].box.visible = true;
    m_placing = true;
    m_index = 0;
    m_caption = shotCaption(1, QStringLiteral("!"));
}

void EntrySheet::loadSlot(int slot, const SeriesRecord& record) {
    TargetSheet::loadSlot(slot, record);
    m_caption = shotCaption(slot + 1, QString());
}

void EntrySheet::resumeEntry(const SeriesRecord&, int nextSlot) {
    if (nextSlot >= kShotsPerSeries) {
        m_placing = false;
        m_index = kShotsPerSeries;
        return;
    }
    // An unfinished series goes on after its last shot.
    m_placing = true;
    m_index = nextSlot;
    m_hits[size_t(nextSlot)].box.visible = true;
    m_caption = shotCaption(nextSlot + 1, QStringLiteral("!"));
}

bool EntrySheet::releaseAt(float, float) {
    if (!m_placing)
        return true;
    const auto s = size_t(m_index);
    // Into the record first: a position that does not fit it leaves everything as it was.
    if (!fixMark(m_hits[s], m_index, record().hitLeft, record().hitTop, record().hitCentre))
        return false;
    // A hit that cannot be scored stays in the record, unlisted.
    if (!score(m_index))
        return false;
    m_placed[s] = true;
    listShot(m_index);
    ++m_index;
    if (m_index == kShotsPerSeries) {
        m_placing = false;
        m_caption = QStringLiteral("Serie beendet");
        m_nextSeriesRed = true;
    } else {
        m_hits[size_t(m_index)].box.visible = true;
        m_caption = shotCaption(m_index + 1, QStringLiteral("!"));
        m_recomputeEnabled = true;
    }
    shotEntered(!m_polling);
    return true;
}

bool EntrySheet::placeTargetHit(float x, float y) {
    selectNewestSeries();
    if (!m_placing && !nextSeries())
        return false;
    const int before = m_index;
    const PointF pointer = m_last;
    const PointF at = placeable(x, y);
    waitingMark().box.centreOn(at.x, at.y);
    const bool taken = releaseAt(at.x, at.y);
    // The next mark waits under the pointer again.
    mouseMove(pointer.x, pointer.y);
    return taken && m_index != before;
}

void EntrySheet::undo() {
    if (!lastSeriesSelected())
        return;
    if (m_placing && m_index > 0) {
        m_hits[size_t(m_index)].box.visible = false;
        takeBackLastListed();
        --m_index;
        m_placed[size_t(m_index)] = false;
        record().clearSlot(m_index);
        m_caption = shotCaption(m_index + 1, QStringLiteral("!"));
    } else if (!m_placing) {
        takeBackLastListed();
        m_placing = true;
        m_index = kShotsPerSeries - 1;
        m_placed[size_t(m_index)] = false;
        record().clearSlot(m_index);
        m_caption = shotCaption(kShotsPerSeries, QStringLiteral("!"));
        m_nextSeriesRed = false;
    } else {
        return; // nothing entered in this series
    }
    markModified();
}

} // namespace ankerblick
