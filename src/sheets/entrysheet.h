#pragma once

// What the shot-entry window shows and does, without the widgets: hits only,
// placed with the pointer or reported by the electronic target.

#include "targetsheet.h"

namespace ankerblick {

class EntrySheet final : public TargetSheet {
public:
    explicit EntrySheet(const Clock& clock, const QLocale& locale = QLocale());

    // Undo ("Rückgängig"): takes back the last placed hit of the last series.
    void undo() override;

    // While the electronic target is polled its hits write no time lines.
    void setPolling(bool polling) { m_polling = polling; }
    bool polling() const { return m_polling; }

    // A hit reported by the electronic target, placed at (x, y) like a mouse
    // hit into the newest series (shown from then on; a full one is stored
    // and the next begun). False when it could not be stored: the series
    // list is full or the position is beyond the record's range.
    bool placeTargetHit(float x, float y);

    bool placing() const { return m_placing; }
    bool accepting() const override { return m_placing; }

private:
    void resetEntry() override;
    void loadSlot(int slot, const SeriesRecord& record) override;
    void resumeEntry(const SeriesRecord& record, int nextSlot) override;
    Mark& waitingMark() override { return m_hits[size_t(qMin(m_index, kShotsPerSeries - 1))]; }
    bool releaseAt(float x, float y) override;

    bool m_placing = true;
    bool m_polling = false;
};

} // namespace ankerblick
