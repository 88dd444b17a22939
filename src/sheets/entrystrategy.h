#pragma once

// How a window enters shots into the series session: calls paired with hits
// in the aim-point window, hits placed directly in the shot-entry window.
// The session runs the shared course (showing a series, scoring, the series
// controls) and asks the strategy at each step that differs; the strategy
// keeps its own entry state and works on the session through its public
// operations.

#include "hitdoor.h"
#include "model/marks.h"
#include "model/seriesrecord.h"
#include "seriesscore.h"

#include <QList>

#include <memory>
#include <utility>

namespace ankerblick {

class TargetSheet;

class EntryStrategy {
public:
    virtual ~EntryStrategy() = default;
    virtual std::unique_ptr<EntryStrategy> clone() const = 0;

    // The entry state of an empty series.
    virtual void reset(TargetSheet& sheet) = 0;
    // A stored shot is shown; its hit mark is placed already.
    virtual void loadSlot(TargetSheet& sheet, int slot, const SeriesRecord& record) {
        (void)sheet, (void)slot, (void)record;
    }
    // The entry goes on after the shown shots of `record`.
    virtual void resume(TargetSheet& sheet, const SeriesRecord& record, int nextSlot) = 0;
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
    virtual Mark& waitingMark(TargetSheet& sheet) = 0;
    // A right-drag over a finished series moved the hits by (dx, dy).
    virtual void shift(float dx, float dy) { (void)dx, (void)dy; }
    // Writes what the strategy draws of the shifted shots into `record`;
    // false when a position does not fit it.
    virtual bool storeShift(TargetSheet& sheet, SeriesRecord& record) {
        (void)sheet, (void)record;
        return true;
    }
    // A release of a button other than the right one; false when it fixed nothing.
    virtual bool release(TargetSheet& sheet, float x, float y) = 0;
    // A hit from a source outside the window. False when it could never be
    // stored (beyond the record's range, off the scored area, no room left).
    virtual bool receiveHit(TargetSheet& sheet, const ArrivedHit& hit) = 0;
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
    virtual bool conceals(const TargetSheet& sheet) const {
        (void)sheet;
        return false;
    }
    // A source outside the window starts or stops delivering hits. Returns
    // how many held hits were placed without a call when it stopped.
    virtual int setExternalSource(TargetSheet& sheet, bool active) = 0;
    virtual bool externalSource() const = 0;
    // Hits waiting for their calls, oldest first.
    virtual QList<PointF> heldHits() const { return {}; }
    // Held hits brought back from the diary: entered without a call. Returns how many.
    virtual int enterWithoutCall(TargetSheet& sheet, const QList<PointF>& hits) {
        (void)sheet, (void)hits;
        return 0;
    }
};

// Owns a strategy; a copy owns a copy of it.
class ClonedEntry {
public:
    explicit ClonedEntry(std::unique_ptr<EntryStrategy> entry) : m_entry(std::move(entry)) {}
    ClonedEntry(const ClonedEntry& other) : m_entry(other.m_entry->clone()) {}
    ClonedEntry& operator=(const ClonedEntry& other) {
        if (this != &other)
            m_entry = other.m_entry->clone();
        return *this;
    }
    EntryStrategy* operator->() const { return m_entry.get(); }
    EntryStrategy& operator*() const { return *m_entry; }

private:
    std::unique_ptr<EntryStrategy> m_entry;
};

} // namespace ankerblick
