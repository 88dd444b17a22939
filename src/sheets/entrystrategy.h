#pragma once

// How a window enters shots into the series session: calls paired with hits
// in the aim-point window, hits placed directly in the shot-entry window.
// The session runs the shared course (showing a series, scoring, the series
// controls) and asks the strategy at each step that differs; the strategy
// keeps its own entry state and turns the shooter's input into edits of the
// series document through its EntryContext.

#include "entrycontext.h"
#include "hitdoor.h"
#include "model/marks.h"
#include "model/seriesrecord.h"
#include "seriesscore.h"

#include <QList>

#include <functional>

namespace ankerblick {

class EntryStrategy {
public:
    virtual ~EntryStrategy() = default;
    // The entry state as it is now: calling the result brings this strategy
    // back to it.
    virtual std::function<void()> kept() = 0;

    // The entry state of an empty series.
    virtual void reset(EntryContext& context) = 0;
    // A stored shot is shown; its hit mark is placed already.
    virtual void loadSlot(EntryContext& context, int slot, const SeriesRecord& record) {
        (void)context, (void)slot, (void)record;
    }
    // The entry goes on after the shown shots of `record`.
    virtual void resume(EntryContext& context, const SeriesRecord& record, int nextSlot) = 0;
    // The options the calls are rated with; none where shots have no calls.
    virtual const RatingOptions* callRating() const { return nullptr; }
    // A shot of the displayed series was scored; false when its figures
    // cannot be made (a call too far off to be rated).
    virtual bool scored(const SlotScore& shot) {
        (void)shot;
        return true;
    }
    // Empties the strategy's own figures.
    virtual void clearFigures() {}
    // The mark that follows the pointer.
    virtual Mark& waitingMark(EntryContext& context) = 0;
    // A right-drag over a finished series moved the hits by (dx, dy).
    virtual void shift(float dx, float dy) { (void)dx, (void)dy; }
    // Writes what the strategy draws of the shifted shots into `record`;
    // false when a position does not fit it.
    virtual bool storeShift(EntryContext& context, SeriesRecord& record) {
        (void)context, (void)record;
        return true;
    }
    // A release of a button other than the right one; false when it fixed nothing.
    virtual bool release(EntryContext& context, float x, float y) = 0;
    // A hit from a source outside the window. False when it could never be
    // stored (beyond the record's range, off the scored area, no room left).
    virtual bool receiveHit(EntryContext& context, const ArrivedHit& hit) = 0;
    // The series is left for the next: what waits for the pointer is no part of it.
    virtual void forgetPending(SeriesRecord& record) { (void)record; }
    // Whether "Rückgängig" may take back the last edit of the newest
    // series, one that entered a hit (`hit`) or only a call.
    virtual bool mayTakeBack(bool hit) const {
        (void)hit;
        return true;
    }
    // Whether the displayed series still takes shots.
    virtual bool accepting() const = 0;
    // Whether the displayed series keeps its hits hidden for now.
    virtual bool conceals(const EntryContext& context) const {
        (void)context;
        return false;
    }
    // A source outside the window starts or stops delivering hits. Returns
    // how many held hits were placed without a call when it stopped.
    virtual int setExternalSource(EntryContext& context, bool active) = 0;
    virtual bool externalSource() const = 0;
    // Hits waiting for their calls, oldest first.
    virtual QList<PointF> heldHits() const { return {}; }
    // Held hits brought back from the diary: entered without a call. Returns how many.
    virtual int enterWithoutCall(EntryContext& context, const QList<PointF>& hits) {
        (void)context, (void)hits;
        return 0;
    }
};

} // namespace ankerblick
