#pragma once

// A match as it is shot on the range, over the series session of a window:
// sighting shots first (as many as the shooter likes, within the sighting
// time if the program has one), then the match shots in series against the
// match time, or the timed pistol series with their range commands. The
// window calls start, endSighting, tick and startTimedSeries and shows what
// they give back; the shots themselves go into the session as always.

#include "callrating.h"
#include "model/matchprogram.h"
#include "targetsheet.h"

#include <QDate>

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

namespace ankerblick {

enum class MatchPhase { None, Sighting, Match, Ended };

// What a tick tells the shooter.
enum class MatchNotice { None, SightingOver, FiveMinutes, TimeUp };

// The result sheet of a match as data: the title, a row per match series,
// the totals, the counts and the call and group figures of the match shots.
struct MatchResult {
    struct Series {
        int number = 0; // 1 for the first match series
        QString whole;  // in whole rings
        QString tenths; // with tenths
    };
    QString title;
    QList<Series> series;
    QString totalWhole;
    QString totalTenths;
    QStringList counts;  // inner tens, match shots, sighters, late shots
    QStringList figures; // the call and group figures, under their heading
};

// The figures of the match shots so far.
struct MatchFigures {
    int shots = 0;       // match shots entered
    double tenths = 0.0; // total with tenths
    double whole = 0.0;  // total in whole rings
    int innerTens = 0;
    double projected = 0.0;     // the total with tenths carried on to all match shots
    QList<double> seriesTenths; // per match series
    QList<double> seriesWhole;
    QList<int> seriesNumbers; // the session's number of each match series
};

class Match {
public:
    // Begins `program` in a new session: its face, sighting from the first
    // series, the program noted in the comments. `calibre` as the shooter chose it.
    void start(TargetSheet& sheet, const MatchProgram& program, quint32 now,
               std::optional<double> calibre = std::nullopt);
    // "Probe beenden": the match shots begin in the next series (in this one
    // when it holds no shot yet), and the match time runs.
    void endSighting(TargetSheet& sheet, quint32 now);
    // Ends the match: the result stands as it is.
    void end(TargetSheet& sheet);
    // Once a second and after every shot: the time and what the shooter must
    // be told. Ends the sighting when its time is over and the match when its
    // last shot is in.
    MatchNotice tick(TargetSheet& sheet, quint32 now);

    // Timed pistol series: the commands of the next series from "Achtung"
    // now. The series' shots go into the next empty series.
    QList<RangeCommand> startTimedSeries(TargetSheet& sheet);
    // The start signal sounded: hits from the target after the series' time
    // are late, shot times are measured from here.
    void startSignal(TargetSheet& sheet, quint32 at);
    // The series' time is over.
    void seriesOver();
    bool seriesRunning() const { return m_seriesRunning; }

    MatchPhase phase() const { return m_phase; }
    bool running() const { return m_phase == MatchPhase::Sighting || m_phase == MatchPhase::Match; }
    const MatchProgram& program() const { return m_program; }
    // Milliseconds left of the phase's time; none when it has no time.
    std::optional<qint64> remaining(quint32 now) const;
    // "Probe 14:59", "Wertung 49:59", "Wertung – Serie 3 von 12" (with
    // "Achtung" or the series' time left while it runs), "Wettkampf beendet".
    QString statusText(quint32 now) const;
    MatchFigures figures(const TargetSheet& sheet) const;
    // The running figures as one line: total, inner tens, projection.
    QString figuresText(const TargetSheet& sheet, const QLocale& locale) const;
    // The result sheet: program, shooter and day, the series sums, the total
    // with tenths and in whole rings, the inner tens, and the call and group
    // figures of the match shots (with rating options: their calls too).
    MatchResult result(const TargetSheet& sheet, const QString& shooter, const QDate& day,
                       const RatingOptions* options, double clickMm, const QLocale& locale) const;

    // The position the next match shot is shot in; empty without positions.
    QString nextPosition(const TargetSheet& sheet) const;

    // "mm:ss" of a time in ms, rounded up to whole seconds.
    static QString clockText(qint64 ms);

private:
    void beginMatchShots(TargetSheet& sheet, quint32 now);

    MatchProgram m_program;
    MatchPhase m_phase = MatchPhase::None;
    std::optional<quint32> m_phaseEnd; // when the phase's time is over
    int m_firstMatchSeries = 0;        // 0 while sighting
    bool m_fiveMinutesTold = false;
    bool m_timeUpTold = false;
    int m_timedIndex = 0;
    bool m_seriesRunning = false;
    std::optional<quint32> m_seriesEnd;  // of the timed series under way, once started
    std::optional<MatchFigures> m_final; // the result at the end
};

} // namespace ankerblick
