#pragma once

// What the aim-point analysis window shows and does, without the widgets: on
// top of the shared target sheet it enters a call before every hit, joins the
// two with a line, rates the call against the hit and steps the display of a
// finished series.
//
// While the electronic target is polled the pointer enters calls only and the
// hits come from the target. A hit that comes before its call is held: not
// shown, listed or scored until its call is entered. Hits and calls pair in
// the order they came, so calls may also run ahead of their hits.

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
    // awaited, or else the last complete shot. While the target is polled
    // only a call without its hit is taken back; a hit is never discarded.
    void undo() override;

    // Polling the electronic target on or off. Switching it off places the
    // held hits without a call (rated "–") and returns how many there were.
    int setPolling(bool polling);
    bool polling() const { return m_polling; }
    // "Treffer erst nach der Serie zeigen": while polling, the hits, values
    // and ratings of the newest series stay hidden until its tenth shot.
    void setRevealAfterSeries(bool reveal);
    bool revealAfterSeries() const { return m_revealAfterSeries; }
    // A hit the target reported, at (x, y) in drawing units. It completes
    // the oldest call without a hit, or is held until a call is entered.
    // False when it could never be stored (beyond the record's range, off
    // the scored area, or no room left in the series list).
    bool receiveTargetHit(float x, float y);
    int heldHitCount() const { return int(m_held.size()); }
    QList<PointF> heldHits() const override;
    int enterHeldHitsWithoutCall(const QList<PointF>& hits) override;
    bool concealsSelectedSeries() const override { return concealing(); }

    const std::array<Mark, kShotsPerSeries>& calls() const { return m_calls; }
    const std::array<LineF, kShotsPerSeries>& lines() const { return m_lines; }
    // The rating lists and boxes as the window shows them, and their numbers.
    RatingTexts rating() const { return m_rating.texts(m_locale); }
    const RatingFigures& ratingFigures() const { return m_rating; }
    // The sectors and rings the calls are rated with.
    const RatingOptions& ratingOptions() const { return m_options; }
    bool entryActive() const { return m_entryActive; }
    bool awaitingCall() const { return m_callsAhead == 0; }
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
    bool fixHit(int slot, float x, float y, std::optional<quint32> arrival = {}, bool timed = true);
    // `timed`: the shot writes its time lines.
    bool completeShot(int slot, std::optional<quint32> arrival, bool timed = true);
    void takeBackShot(int slot);
    void takeBackCall();
    void stepDisplayCycle();
    void applyDisplayCycle();
    void updateCaption();
    void showWaitingMark();
    void conceal();

    struct HeldHit {
        PointF at;
        std::optional<quint32> arrival; // none for a hit brought back from the diary
    };
    bool concealing() const;
    bool enterCall(float x, float y);
    bool toNewestOpenSeries();
    bool canHold(PointF at) const;
    void pairHeldHits();
    bool placeWithoutCall(const HeldHit& hit);

    RatingOptions m_options;
    std::array<Mark, kShotsPerSeries> m_calls{};
    std::array<LineF, kShotsPerSeries> m_lines{};
    RatingFigures m_rating;
    // Calls fixed beyond the hits: slots m_index .. m_index + m_callsAhead - 1
    // hold a call whose hit is awaited.
    int m_callsAhead = 0;
    bool m_entryActive = true;
    int m_displayCycle = 0;
    bool m_polling = false;
    bool m_revealAfterSeries = false;
    QList<HeldHit> m_held; // target hits waiting for their calls, oldest first
    Mark m_noMark{};       // follows the pointer when no call can be entered
};

} // namespace ankerblick
