#pragma once

// The squad at training, against a real server: lanes, each a diary file of
// its own with the program's sync (SqliteDiary and ServerClubSync, as the
// program runs them) under a shooter's login, each entering a series at
// even intervals, the lanes staggered over an interval; a coach watching
// meanwhile through the coach view's reader (SeriesWatcher). Says how long
// after the lane's diary got a series the coach saw it, and what reached the
// server. Shared by the load test (short) and the benchmark (a full
// training).

#include "pgserver.h"

#include "model/diaryrecords.h"

#include <QList>
#include <QString>

namespace ankerblick::test {

struct ClubLoadPlan {
    int lanes = 32;
    int series = 4;        // per lane
    int intervalMs = 1200; // between two series of a lane
};

// The shots of every series of the load: five, summing to 48.5.
inline constexpr int kLoadShotsPerSeries = 5;
inline constexpr double kLoadSeriesSum = 48.5;

struct ClubLoadResult {
    QString problem;         // empty when every lane ran and was heard
    QList<double> latencyMs; // of each series heard, sorted
    int heard = 0;           // series the coach heard
    // What the coach's login reads on the server afterwards: shots, shots
    // told apart by training, series and slot, and their values' sum.
    qint64 shots = 0;
    qint64 distinctShots = 0;
    double sum = 0;
    double median() const;
    double percentile99() const; // nearest rank
};

// A lane's series `number` of shots with `values`, shot i hit at (i, -i)
// mm, shot at 9:`number` on 2 March 2026 (UTC).
diary::Series valuedSeries(int number, const QList<double>& values);

// Sets up `database` on `server` (tables, the logins "bahn01" … and
// "trainer") and runs `plan` with diary files in `folder`.
ClubLoadResult runClubLoad(PgServer& server, const QString& database, const ClubLoadPlan& plan,
                           const QString& folder);

} // namespace ankerblick::test
