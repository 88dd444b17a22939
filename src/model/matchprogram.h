#pragma once

// The match programs a shooter can train as they are shot on the range: the
// face, the number of match shots, the match time, the positions of the
// three-position programs, and the timed series of the 25 m pistol programs
// with the range commands that open and close them.

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace ankerblick {

// One timed pistol series: five shots within `seconds` after the start
// signal; a duel series opens its targets once per shot instead.
struct TimedSeries {
    int seconds = 0;
    bool duel = false;

    friend bool operator==(const TimedSeries&, const TimedSeries&) = default;
};

struct MatchProgram {
    QString name;
    int discipline = 0; // the face
    int matchShots = 0;
    int minutes = 0;                // the match time; 0: none beyond the timed series
    int sightingMinutes = 0;        // preparation and sighting time; 0: until the shooter ends it
    QStringList positions;          // three-position programs: each for an equal share of the shots
    QList<TimedSeries> timedSeries; // the timed pistol programs' series, in order

    int seriesLength() const { return timedSeries.isEmpty() ? 10 : 5; }
    bool timed() const { return !timedSeries.isEmpty(); }
    // The position of the match shot `shot` (0-based); empty without positions.
    QString position(int shot) const;

    friend bool operator==(const MatchProgram&, const MatchProgram&) = default;
};

const QList<MatchProgram>& matchPrograms();

// Range commands of a timed series, as times from the command "Achtung".
inline constexpr int kAttentionToStartMs = 7000; // the targets turn 7 s after "Achtung"
inline constexpr int kDuelOffMs = 7000;          // duel: each shot 7 s away ...
inline constexpr int kDuelOnMs = 3000;           // ... and 3 s facing

enum class RangeSignal { Attention, Start, Stop };

struct RangeCommand {
    int atMs = 0; // from "Achtung"
    RangeSignal signal = RangeSignal::Attention;

    friend bool operator==(const RangeCommand&, const RangeCommand&) = default;
};

// The commands of one timed series, in order: "Achtung", then the start and
// stop signals (once, or per shot for a duel series).
QList<RangeCommand> rangeCommands(const TimedSeries& series);
// From the start signal to the end of the series' time, in ms.
int seriesTimeMs(const TimedSeries& series);

// A program's name or a position ("Kniend") as the interface shows it: the
// German name is kept in the diary and the series file, its translation shown.
QString shownName(const QString& name);

} // namespace ankerblick
