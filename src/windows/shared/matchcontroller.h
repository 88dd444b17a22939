#pragma once

// The match of a target window while it runs: the match's rules on the
// window's sheet, its clock stepped every tenth of a second, the range's
// tones for a timed series and the notices for the shooter ("Noch 5
// Minuten", the change of position). The window shows what the controller
// says and asks it for the result when the match ends.

#include "sheets/match.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class QTimer;

namespace ankerblick {

class Clock;
class TargetSheet;
class ToneGenerator;

class MatchController : public QObject {
    Q_OBJECT
public:
    MatchController(TargetSheet& sheet, const Clock& clock, ToneGenerator& tones,
                    QObject* parent = nullptr);

    const Match& match() const { return m_match; }
    // A new match of `program`, its face with the calibre kept for it.
    void start(const MatchProgram& program, std::optional<double> calibreMm);
    // "Probe beenden".
    void endSighting();
    // "Serie starten": "Achtung" sounds at once.
    void startSeries();
    // The match ends: the series are scored as the match counts them.
    void end();
    // "Neu" or "Laden" replaced the series: the match is given up.
    void abandon();
    // What the shooter is told now; it follows the position the match is at.
    QString notice();

Q_SIGNALS:
    // The match began its scored series or changed its phase: the series changed.
    void seriesChanged();
    // Only its clock or notice moved.
    void ticked();
    // Its clock ended it.
    void ended();

private:
    void tick();
    void stepRangeCommands(quint32 now);
    void clear();

    TargetSheet& m_sheet;
    const Clock& m_clock;
    ToneGenerator& m_tones;
    Match m_match;
    QTimer* m_timer = nullptr;      // steps the clock and the range commands
    QList<RangeCommand> m_commands; // of the timed series under way
    qsizetype m_nextCommand = 0;
    quint32 m_attentionAt = 0;
    QString m_notice;
    QString m_position; // the position last shown
};

} // namespace ankerblick
