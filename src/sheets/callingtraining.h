#pragma once

// A calling training: the shooter sets a goal ("8 von 10 in der Ansage"),
// sees the count of each series as it runs (or, while the hits stay hidden
// until the series is complete, only how many shots were called), and after
// it whether the goal was reached, with the finding of the calls so far.
// The diary keeps the goal as the training's program; over weeks, each
// training says in how many of its series the goal was reached.

#include "callfinding.h"
#include "files/shotnotes.h"
#include "model/diaryrecords.h"

#include <QList>
#include <QLocale>
#include <QString>

namespace ankerblick {
class TargetSheet;
struct RatingOptions;
} // namespace ankerblick

namespace ankerblick::calls {

// A series' shots with a call, and those of them within one ring width of
// their call.
struct CallingTally {
    int called = 0;
    int inCall = 0;
};
CallingTally tallyOf(const diary::Series& series, int discipline);
// Complete (the goal's shots called) with at least the goal's shots in the call.
bool reached(CallingTally tally, CallingGoal goal);

// "Ziel: 8 von 10 Schüssen in der Ansage"
QString goalLine(CallingGoal goal);
// The series' line in the window: "Serie 2: bisher 3 von 5 in der Ansage",
// "Serie 2: 7 von 10 in der Ansage – Ziel erreicht", "Serie 2: noch kein
// Schuss angesagt", or while the hits
// are hidden "Serie 2: 5 von 10 Schüssen angesagt, die Treffer folgen nach
// der Serie".
QString tallyLine(int series, CallingTally tally, CallingGoal goal, bool hidden);

// Of a training's complete series (sighting series left out), how many
// reached the goal.
struct GoalProgress {
    int series = 0;
    int reached = 0;
};
GoalProgress goalProgress(const QList<diary::Series>& series, int discipline, CallingGoal goal);
// "Ziel 8 von 10 in der Ansage: in 3 von 5 Serien erreicht."; empty
// without a complete series.
QString goalProgressText(GoalProgress progress, CallingGoal goal);

// What the main window says of a calling training: the goal, the selected
// series' line and, once that series is complete, the finding of the calls
// so far, one per line; empty for another training.
QString callingStatus(const TargetSheet& sheet, const RatingOptions& options,
                      const QLocale& locale = QLocale());

// The finding of a training's calls, and for a calling training (its
// program names the goal) how often it reached its goal.
Finding trainingFinding(const QList<diary::Series>& series, int discipline, const QString& program,
                        const QLocale& locale = QLocale());

} // namespace ankerblick::calls
