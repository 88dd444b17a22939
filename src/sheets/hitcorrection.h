#pragma once

// A hit already entered, corrected by the shooter: moved onto the hole it
// is, or taken out as no hole at all (a camera's false hole). The series'
// record and its notes change together; the correction is noted among the
// comments, so the file and the diary keep it, and the shot is checked: a
// note that it was to be checked goes.

#include "files/shotnotes.h"
#include "model/geometry.h"
#include "model/seriesrecord.h"

#include <optional>

namespace ankerblick {

class SeriesDocument;

struct SeriesCorrection {
    SeriesRecord before;
    SeriesRecord after;
    ShotNotes notesBefore;
    ShotNotes notesAfter;
    friend bool operator==(const SeriesCorrection&, const SeriesCorrection&) = default;
};

// Moves the hit of `slot` of `series` to `to` (drawing units, its mark
// `markDiameter` wide), or without `to` takes the shot out: the shots after
// it move up, with their comments and times. None when the slot holds no
// shot or the new place does not fit the record.
std::optional<SeriesCorrection> correctHit(const SeriesDocument& doc, int series, int slot,
                                           std::optional<PointF> to, float markDiameter);

} // namespace ankerblick
