#include "hitcorrection.h"

#include "model/numeric.h"
#include "seriesdocument.h"

namespace ankerblick {

namespace {

// The notes of `series` on the shot `shot` go (but what the shooter typed
// stays); those on later shots move up by one.
QList<ShotNote> withoutShot(const QList<ShotNote>& notes, int series, int shot, bool keepTyped) {
    QList<ShotNote> kept;
    for (ShotNote n : notes) {
        if (n.series == series && n.shot == shot && (n.mark || !keepTyped))
            continue;
        if (n.series == series && n.shot > shot) {
            --n.shot;
            n.written.clear(); // written anew with its new number
        }
        kept.append(n);
    }
    return kept;
}

// The record without the shot in `slot`: those after it move up.
SeriesRecord withoutSlot(SeriesRecord record, int slot) {
    for (int s = slot; s + 1 < kShotsPerSeries; ++s)
        SlotContent::of(record, s + 1).writeTo(record, s);
    record.clearSlot(kShotsPerSeries - 1);
    return record;
}

// The hit of `slot` centred on `to`; false when it does not fit the record.
bool moveHit(SeriesRecord& record, int slot, PointF to, float markDiameter) {
    const std::optional<qint16> left = num::tryInt16(to.x - markDiameter / 2);
    const std::optional<qint16> top = num::tryInt16(to.y - markDiameter / 2);
    const std::optional<qint16> x = num::tryInt16(to.x);
    const std::optional<qint16> y = num::tryInt16(to.y);
    if (!left || !top || !x || !y || (*left == 0 && *top == 0))
        return false;
    const auto s = size_t(slot);
    record.hitLeft[s] = *left;
    record.hitTop[s] = *top;
    record.hitCentre[s] = SeriesRecord::markCentre(*left, *top, markDiameter);
    if (record.hasCall(slot)) { // the line from the call ends on the hit
        record.lineX2[s] = *x;
        record.lineY2[s] = *y;
    }
    return true;
}

} // namespace

std::optional<SeriesCorrection> correctHit(const SeriesDocument& doc, int series, int slot,
                                           std::optional<PointF> to, float markDiameter) {
    const SeriesRecord& record = doc.record(series);
    if (series < 1 || series > doc.seriesCount() || slot < 0 || slot >= kShotsPerSeries ||
        !record.hasShot(slot))
        return std::nullopt;
    const int shot = slot + 1;
    SeriesCorrection c{record, record, doc.notes(), doc.notes()};
    QList<ShotNote>& comments = c.notesAfter.comments;
    if (to) {
        if (!moveHit(c.after, slot, *to, markDiameter))
            return std::nullopt;
        comments.removeIf([&](const ShotNote& n) {
            return n.mark && n.series == series && n.shot == shot &&
                   (n.text == checkNote() || n.text == movedNote());
        });
        comments.append(correctionMark(series, shot, movedNote()));
        return c;
    }
    c.after = withoutSlot(record, slot);
    comments = withoutShot(comments, series, shot, true);
    comments.append(correctionMark(series, 0, removedNote(shot)));
    c.notesAfter.shotTimes = withoutShot(c.notesAfter.shotTimes, series, shot, false);
    c.notesAfter.shootingTimes = withoutShot(c.notesAfter.shootingTimes, series, shot, false);
    return c;
}

} // namespace ankerblick
