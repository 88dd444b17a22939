#pragma once

// Where to look next: one short finding for a training's calls, taken from
// a table whose rows are tried in order; the first that holds is said.
//
//  1. fewer than 10 shots with a call        → too few for a finding
//  2. of the shots that leave their call by more than half a ring, at least
//     five and half of them in one of the eight directions, while at least
//     as many stay within half a ring (some shots are pulled, not all moved)
//                                            → that direction and its usual
//                                              causes (possible, never sure)
//  3. a steady offset of a quarter ring or more (see CallFigures)
//                                            → correct the sight or the call
//  4. more rings lost at the break than in the hold, 0,3 a shot or more,
//     hits spread around the calls by more than half a ring
//                                            → "Abzug"
//  5. at least as many rings lost in the hold as at the break, 0,3 a shot
//     or more                                → "Halten"
//  6. otherwise                              → calls and hits agree
//
// Each finding names the series that show it most: the three (at most)
// that lost the most rings in the way the finding says, or whose hits leave
// their calls most in its direction.

#include "callfigures.h"
#include "model/diaryrecords.h"

#include <QList>
#include <QLocale>
#include <QString>

namespace ankerblick::calls {

enum class FindingKind { TooFew, Offset, Direction, Trigger, Hold, Agree };

struct Finding {
    FindingKind kind = FindingKind::TooFew;
    QString text;       // in the program's language
    QList<int> series;  // numbers of the series that show it, most first
    int direction = -1; // the sector of a Direction finding (group::sectorOf)
};

inline constexpr int kFewestForFinding = 10;
// Rings a shot lost on average that count for a finding.
inline constexpr double kLossThatCounts = 0.3;

// The finding of a training's series (sighting series left out) on the
// face of `discipline`.
Finding findingOf(const QList<diary::Series>& series, int discipline,
                  const QLocale& locale = QLocale());

// The direction in words ("tief links") and its usual causes as coaches'
// books give them for the discipline's arm (pistol or rifle).
QString directionName(int sector);
QString directionCauses(int sector, int discipline);

} // namespace ankerblick::calls
