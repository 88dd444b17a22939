#pragma once

// Stored series: the ten shot slots of a series as whole drawing units, and
// the store of all series of a window, indexed by series number from 1.

#include "geometry.h"

#include <QList>
#include <QtGlobal>

#include <array>
#include <optional>

namespace ankerblick {

inline constexpr int kShotsPerSeries = 10;

struct SeriesRecord {
    using Column = std::array<qint16, kShotsPerSeries>;
    Column hitLeft{};
    Column hitTop{};
    Column callLeft{};
    Column callTop{};
    Column lineX1{};
    Column lineY1{};
    Column lineX2{};
    Column lineY2{};

    // Where the marks of a shot entered in this session are centred; never
    // written to a file. The columns above hold left and top of the marks of
    // the discipline shown, so a change of discipline places the marks of the
    // new size on these centres again. Shots read from a file have none: they
    // are read in the discipline that is shown.
    using Centres = std::array<std::optional<PointF>, kShotsPerSeries>;
    Centres hitCentre{};
    Centres callCentre{};

    // A slot holds a shot unless its hit left and top are both 0, the way an
    // empty slot is written. Marks left of or above the drawing area, on the
    // outer rings of the whole face, stand at negative units.
    bool hasShot(int slot) const {
        return hitLeft.at(size_t(slot)) != 0 || hitTop.at(size_t(slot)) != 0;
    }
    // A shot has a call unless both call columns are 0: an entered call
    // stands right of the window's edge. Shots of the shot-entry window and
    // target hits placed when no call came have none.
    bool hasCall(int slot) const {
        return callLeft.at(size_t(slot)) != 0 || callTop.at(size_t(slot)) != 0;
    }
    // Where the marks of a shot are centred when they are `markDiameter`
    // drawing units wide: the stored left and top plus half the mark.
    PointF hitMarkCentre(int slot, float markDiameter) const {
        return markCentre(hitLeft.at(size_t(slot)), hitTop.at(size_t(slot)), markDiameter);
    }
    PointF callMarkCentre(int slot, float markDiameter) const {
        return markCentre(callLeft.at(size_t(slot)), callTop.at(size_t(slot)), markDiameter);
    }
    static PointF markCentre(qint16 left, qint16 top, float markDiameter) {
        const float half = markDiameter / 2.0f;
        return {float(left) + half, float(top) + half};
    }
    bool isComplete() const { return hasShot(kShotsPerSeries - 1); }
    int shotCount() const;
    // The slot after the last one holding a shot; kShotsPerSeries when the last is taken.
    int nextFreeSlot() const;
    void clearSlot(int slot);
    // Rewrites left and top of the shots with a known centre for marks of
    // the given diameter. False, changing nothing, when a position does not
    // fit the columns.
    bool placeMarks(float markDiameter);

    // Equal when a file would hold the same numbers for both.
    friend bool operator==(const SeriesRecord& a, const SeriesRecord& b) {
        return a.hitLeft == b.hitLeft && a.hitTop == b.hitTop && a.callLeft == b.callLeft &&
               a.callTop == b.callTop && a.lineX1 == b.lineX1 && a.lineY1 == b.lineY1 &&
               a.lineX2 == b.lineX2 && a.lineY2 == b.lineY2;
    }
};

// Series 1..count(); element 0 holds no series.
class SeriesStore {
public:
    SeriesStore() { reset(); }

    // Back to one empty record for series 1.
    void reset();
    int count() const { return int(m_records.size()) - 1; }
    // Grows (never shrinks) so that series 1..n exist, keeping the contents.
    void ensure(int n);
    bool contains(int n) const { return n >= 1 && n <= count(); }
    SeriesRecord& operator[](int n) { return m_records[n]; }
    const SeriesRecord& operator[](int n) const { return m_records[n]; }

private:
    QList<SeriesRecord> m_records;
};

} // namespace ankerblick
