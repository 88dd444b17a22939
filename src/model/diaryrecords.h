#pragma once

// What the training diary keeps: trainings (the series one window held from
// its start, "Neu" or "Laden" to its end), their series and shots, and the
// figures read back for the diary window. Positions are millimetres on the
// real target, x to the right and y up, the centre at the origin.

#include "geometry.h"
#include "groupanalysis.h"
#include "seriesrecord.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

namespace ankerblick::diary {

struct Training {
    qint64 id = 0; // 0 until stored
    QString shooter;
    int discipline = -1; // the discipline index of the target face
    QString window;      // object name of the window it came from: "Form1", "Schusseingabe"
    QDateTime start;
    std::optional<QDateTime> end; // empty while the window is open, or when it never closed
    // The window's texts, as a series file holds them.
    QString comments;
    QString shotTimes;
    QString shootingTimes;
    // Hits the electronic target reported that still wait for their calls,
    // oldest first, where the window drew them (drawing units of the
    // training's discipline). They are kept before the target is told.
    QList<PointF> heldHits;
    double calibreMm = 0.0; // the shot diameter the face was sized with; 0 when unknown
    QString program;        // the match program shot; empty for a free training

    friend bool operator==(const Training&, const Training&) = default;
};

struct Shot {
    int slot = 0; // 0..9 in its series
    group::PointMm hit;
    std::optional<group::PointMm> call;
    std::optional<double> value; // rings with tenths; empty when it cannot be scored
    std::optional<double> callValue;
    std::optional<int> rating; // the call's score: 10, 5 or 0
    std::optional<qint32> sekMm;
    std::optional<double> shotTime;     // seconds, stopped by hand
    std::optional<double> shootingTime; // seconds since the shot before
    QString comment;
    bool innerTen = false;

    friend bool operator==(const Shot&, const Shot&) = default;
};

struct Series {
    int number = 0;      // 1.. within its training
    SeriesRecord record; // the stored positions, as the window holds them
    QList<Shot> shots;   // the shots the record holds, by slot
    QDateTime time;      // when it was last written
    // A sighting series: kept and exported, but never counted in the
    // training's figures.
    bool sighter = false;

    friend bool operator==(const Series& a, const Series& b) {
        return a.number == b.number && a.record == b.record && a.shots == b.shots &&
               a.time == b.time && a.sighter == b.sighter;
    }
};

// Figures of one series, kept with it so that the diary reads them without
// its shots.
struct SeriesFigures {
    int shots = 0;
    int scored = 0;         // shots with a value
    double sumWhole = 0.0;  // sum of the whole rings
    double sumTenths = 0.0; // sum of the values with tenths
    int callsRated = 0;
    int calls10 = 0;
    double sekMmSum = 0.0;  // over the rated calls
    group::PointMm mpi;     // mean point of impact; the origin without shots
    double groupSize = 0.0; // extreme spread; 0 for fewer than two shots
    int innerTens = 0;

    friend bool operator==(const SeriesFigures&, const SeriesFigures&) = default;
};
SeriesFigures figuresOf(const QList<Shot>& shots);

// One series as the charts see it; sighting series are none of them.
struct SeriesSummary {
    qint64 training = 0;
    int number = 0;
    QDateTime time;
    SeriesFigures figures;
};

// One row of the diary window's table.
struct TrainingSummary {
    Training training;
    // Counted are the series with at least one shot that are no sighting series.
    int series = 0;
    int shots = 0;
    double meanSumWhole = 0.0;
    double meanSumTenths = 0.0;
    std::optional<double> call10Share;   // 0..1; empty without a rated call
    std::optional<double> meanSekMm;     // over all rated calls
    std::optional<group::PointMm> mpi;   // of all shots
    std::optional<double> meanGroupSize; // mean over series with two shots or more
    int innerTens = 0;
    // Its identity on the club's server, for a training read from there;
    // null for one of this computer's diary.
    QUuid serverId;
};

// One row of the shot export.
struct ShotRow {
    qint64 training = 0;
    QDateTime trainingStart;
    QString shooter;
    int discipline = -1;
    int series = 0;
    Shot shot;
    bool sighter = false; // of a sighting series
    double calibreMm = 0.0;
    QString program;
    // The training's identity on the club's server, for a shot read from
    // there; null for one of this computer's diary.
    QUuid serverId;
};

// Which trainings the diary window shows: empty fields take all.
struct Filter {
    QString shooter;
    int discipline = -1;
    QDate from; // first day, inclusive
    QDate to;   // last day, inclusive

    bool operator==(const Filter&) const = default;
};

} // namespace ankerblick::diary
