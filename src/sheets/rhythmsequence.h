#pragma once

// The rhythm of a shot routine: a lead time, then runs of three timed phases
// each opened by a tone, a signal to put the gun down and a pause. The window
// calls start, stop and tick and shows what they give back; the times and the
// number of runs are read from its six boxes at every step.

#include "model/tonesamples.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QtGlobal>

#include <array>

namespace ankerblick::rhythm {

inline constexpr int kBoxCount = 6;
// Box 0: lead time; 1..3: the three phases; 4: the pause; 5: number of runs.
inline constexpr int kLeadBox = 0;
inline constexpr int kPauseBox = 4;
inline constexpr int kCountBox = 5;
inline constexpr int kNoBox = -1;

using BoxTexts = std::array<QString, kBoxCount>;

using Tone = tone::Tone;

// The tone that opens each of the phases 1 to 3.
Tone phaseTone();
// The put-down signal that opens the pause (375 ms in all).
QList<Tone> putDownSignal();

// What a step asks of the window.
struct Step {
    QList<Tone> tones;   // the signal to sound now, its tones in this order
    int interval = 0;    // ms from the signal's end to the next tick; 0: none
    int redBox = kNoBox; // the box shown red once the signal has sounded
    int run = 0;         // the run the phase belongs to, from 1; 0 when idle
};

// The timer interval for a duration box: seconds * 1000 rounded half to even,
// kept within 1 .. 65535 ms. Text that is not a number counts as 10 seconds,
// the value the box falls back to.
int intervalOf(const QString& text, const QLocale& locale);

// The number of runs in the count box; text that is not a number counts as 10.
double runCountOf(const QString& text, const QLocale& locale);
// The whole runs the count box asks for, at least the one a start begins.
int plannedRuns(const QString& text, const QLocale& locale);

class RhythmSequence {
public:
    explicit RhythmSequence(const QLocale& locale = QLocale()) : m_locale(locale) {}

    // Begins with the lead time; restarts a sequence that is running.
    Step start(const BoxTexts& boxes);
    // One timer tick: the next phase begins, or an ended sequence goes idle.
    Step tick(const BoxTexts& boxes);
    // Ends the sequence: all boxes white; the tick still pending then goes
    // idle without a tone.
    void stop();

    int interval() const { return m_interval; }
    int redBox() const { return m_redBox; }

private:
    QLocale m_locale;
    qint16 m_phase = 0; // 0 idle, 1..3 the timed phases, 4 the pause, 5 the lead time
    qint16 m_run = 0;
    int m_interval = 0;
    int m_redBox = kNoBox;
};

// Checks of what the shooter types into a box.
enum class BoxProblem { None, NotANumber, OutOfRange };

// While the box is edited: is the text a number?
BoxProblem checkWhileEditing(const QString& text, const QLocale& locale);
// When the box is left: is the number within 0.001 .. 65.535?
BoxProblem checkOnLeaving(const QString& text, const QLocale& locale);
// The message for a problem (empty for none).
QString problemMessage(BoxProblem problem);
// The text a box falls back to after a problem.
QString fallbackText();

} // namespace ankerblick::rhythm
