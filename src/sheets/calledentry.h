#pragma once

// The aim-point window's entry: a call before every hit, the two joined with
// a line, the call rated against the hit, and the display of a finished
// series stepped by a click.
//
// With the pointer as the source of hits, a click fixes the call and the
// next its hit. While a source outside the window delivers the hits the
// pointer enters calls only. A hit that comes before its call is held: not
// shown, listed or scored until its call is entered. Hits and calls pair in
// the order they came, so calls may also run ahead of their hits.

#include "callrating.h"
#include "entrystrategy.h"
#include "model/geometry.h"

#include <QList>

#include <array>
#include <optional>

namespace ankerblick {

class CalledEntry final : public EntryStrategy {
public:
    CalledEntry();
    std::function<void()> kept() override {
        return [this, state = *this] {
            *this = state;
        };
    }

    void setSectors(int index);      // 0: "4", 1: "8"
    void setRingAccuracy(int index); // 0: "0,5", 1: "1"
    // "Treffer erst nach der Serie zeigen": while a source outside the window
    // delivers, the hits, values and ratings of the newest series stay
    // hidden until its tenth shot.
    bool setRevealAfterSeries(bool reveal);
    bool revealAfterSeries() const { return m_revealAfterSeries; }

    void reset(EntryContext& context) override;
    void loadSlot(EntryContext& context, int slot, const SeriesRecord& record) override;
    void resume(EntryContext& context, const SeriesRecord& record, int nextSlot) override;
    const RatingOptions* callRating() const override { return &m_options; }
    bool scored(const SlotScore& shot) override;
    void clearFigures() override { m_rating.clear(); }
    Mark& waitingMark(EntryContext& context) override;
    void shift(float dx, float dy) override;
    bool storeShift(EntryContext& context, SeriesRecord& record) override;
    bool release(EntryContext& context, float x, float y) override;
    bool receiveHit(EntryContext& context, const ArrivedHit& hit) override;
    void forgetPending(SeriesRecord& record) override;
    // "Rückgängig" takes back the last fixed step: the call of the shot
    // whose hit is awaited, or else the last complete shot. While a source
    // outside the window delivers, only a call without its hit is taken
    // back; a hit from outside is never discarded (it is no edit to take back).
    bool mayTakeBack(bool hit) const override { return !(m_external && hit); }
    bool accepting() const override { return m_entryActive; }
    bool conceals(const EntryContext& context) const override;
    int setExternalSource(EntryContext& context, bool active) override;
    bool externalSource() const override { return m_external; }
    QList<PointF> heldHits() const override;
    int enterWithoutCall(EntryContext& context, const QList<PointF>& hits) override;

    int heldHitCount() const { return int(m_held.size()); }
    const std::array<Mark, kShotsPerSeries>& calls() const { return m_calls; }
    const std::array<LineF, kShotsPerSeries>& lines() const { return m_lines; }
    const RatingFigures& ratingFigures() const { return m_rating; }
    const RatingOptions& ratingOptions() const { return m_options; }
    bool entryActive() const { return m_entryActive; }
    bool awaitingCall() const { return m_callsAhead == 0; }
    int displayCycle() const { return m_displayCycle; }

private:
    bool fixCall(EntryContext& context, int slot, float x, float y);
    // `timed`: the shot writes its time lines.
    // `fromOutside`: reported by a source outside the window, never taken back.
    bool fixHit(EntryContext& context, int slot, const ArrivedHit& hit, bool fromOutside,
                bool timed = true);
    bool completeShot(EntryContext& context, int slot, const ArrivedHit& hit, bool timed);
    void stepDisplayCycle(EntryContext& context);
    void applyDisplayCycle(EntryContext& context);
    void updateCaption(EntryContext& context);
    void showWaitingMark(EntryContext& context);
    void conceal(EntryContext& context);
    bool concealing(const EntryContext& context) const;
    bool enterCall(EntryContext& context, float x, float y);
    bool toNewestOpenSeries(EntryContext& context);
    bool canHold(const EntryContext& context, PointF at) const;
    void pairHeldHits(EntryContext& context);
    bool placeWithoutCall(EntryContext& context, const ArrivedHit& hit);

    RatingOptions m_options;
    std::array<Mark, kShotsPerSeries> m_calls{};
    std::array<LineF, kShotsPerSeries> m_lines{};
    RatingFigures m_rating;
    // The slot of the shot being entered. Calls fixed beyond the hits:
    // slots m_index .. m_index + m_callsAhead - 1 hold a call whose hit is awaited.
    int m_index = 0;
    int m_callsAhead = 0;
    bool m_entryActive = true;
    int m_displayCycle = 0;
    bool m_external = false;
    bool m_revealAfterSeries = false;
    QList<ArrivedHit> m_held; // hits waiting for their calls, oldest first
    Mark m_noMark{};          // follows the pointer when no call can be entered
};

} // namespace ankerblick
