#pragma once

// What the aim-point analysis window shows and does, without the widgets: on
// top of the shared target sheet it enters a call before every hit, joins the
// two with a line, rates the call against the hit and steps the display of a
// finished series.

#include "callrating.h"
#include "targetsheet.h"

namespace ankerblick {

class AimSheet final : public TargetSheet {
public:
    explicit AimSheet(const Clock& clock, const QLocale& locale = QLocale());

    void load();
    void setSectors(int index);      // 0: "4", 1: "8"
    void setRingAccuracy(int index); // 0: "0,5", 1: "1"

    // Takes back the last fixed step: the call of the shot whose hit is
    // awaited, or else the last complete shot.
    void undo() override;

    const std::array<Mark, kShotsPerSeries>& calls() const { return m_calls; }
    const std::array<LineF, kShotsPerSeries>& lines() const { return m_lines; }
    // The rating lists and boxes as the window shows them, and their numbers.
    RatingTexts rating() const { return m_rating.texts(m_locale); }
    const RatingFigures& ratingFigures() const { return m_rating; }
    // The sectors and rings the calls are rated with.
    const RatingOptions& ratingOptions() const { return m_options; }
    bool entryActive() const { return m_entryActive; }
    bool awaitingCall() const { return m_awaitingCall; }
    int displayCycle() const { return m_displayCycle; }
    bool accepting() const override { return m_entryActive; }

private:
    void resetEntry() override;
    void loadSlot(int slot, const SeriesRecord& record) override;
    void resumeEntry(const SeriesRecord& record, int nextSlot) override;
    bool scoreSlot(int slot) override;
    void clearFigures() override;
    Mark& waitingMark() override;
    void shiftHits(float dx, float dy) override;
    bool storeShift(SeriesRecord& record) override;
    bool releaseAt(float x, float y) override;
    void forgetPendingEntry(SeriesRecord& record) override;

    bool fixCall(int slot, float x, float y);
    bool fixHit(int slot, float x, float y);
    void takeBackShot(int slot);
    void stepDisplayCycle();
    void applyDisplayCycle();

    RatingOptions m_options;
    std::array<Mark, kShotsPerSeries> m_calls{};
    std::array<LineF, kShotsPerSeries> m_lines{};
    RatingFigures m_rating;
    bool m_awaitingCall = true;
    bool m_entryActive = true;
    int m_displayCycle = 0;
};

} // namespace ankerblick
