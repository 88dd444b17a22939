#include "entrysheet.h"

#include "model/numeric.h"

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

void EntrySheet::releaseAt(float, float) {
    if (!m_placing)
        return;
    const auto s = size_t(m_index);
    // Into the record first: a position that does not fit it leaves everything as it was.
    SeriesRecord& rec = record();
    const qint16 left = num::toInt16(m_hits[s].box.left);
    const qint16 top = num::toInt16(m_hits[s].box.top);
    rec.hitLeft[s] = left;
    rec.hitTop[s] = top;

    scoreSlot(m_index);
    m_placed[s] = true;
    ++m_index;
    m_shotList.append(QString::number(m_index));
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
}

void EntrySheet::placeHitAt(float x, float y) {
    m_last = {x, y};
    if (m_placing)
        waitingMark().box.centreOn(x, y);
    mouseRelease(MouseButton::Left, x, y);
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
    }
}

} // namespace ankerblick
