#pragma once

// The club's server, as the lane sees it: a sync that sends what the local
// diary keeps to the server in the background, never on the thread of the
// windows, and says how it stands. Every shot goes into the local diary
// first; the sync only ever reads it. And the server as the coach and the
// diary window read it (ClubReader): the squad, watched, and single
// trainings, also never on the thread of the windows.

#include "model/diaryrecords.h"
#include "services/clubaddress.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <optional>

namespace ankerblick {

struct ClubState {
    bool configured = false; // a server is set
    bool connected = false;  // the last attempt reached it
    int waiting = 0;         // series changed since they were last sent
    QString problem;         // why it is not connected, in German

    friend bool operator==(const ClubState&, const ClubState&) = default;
};

// What the status bar says: empty without a server; "Verein: verbunden",
// or "Verein: nicht verbunden – 3 Serien warten".
QString clubStatusText(const ClubState& state);

class ClubSync : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Connects to `server` (a libpq connection URI and its password) and
    // sends what waits; an empty URL leaves the server.
    virtual void setServer(const club::Credentials& server) = 0;
    virtual club::Credentials server() const = 0;
    virtual ClubState state() const = 0;
    // Tries `server` without changing the server; checked() says how it went.
    virtual void check(const club::Credentials& server) = 0;
    // The lane's name on the range, sent with every training from now on.
    virtual void setLaneName(const QString& name) = 0;

Q_SIGNALS:
    void stateChanged();
    // The answer to check(): empty when the server was reached, otherwise why not.
    void checked(const ankerblick::club::Credentials& server, const QString& problem);
};

namespace club {

// A training on the club's server as the coach's view and the diary window
// read it: the figures of its series as the diary window's row has them,
// the sum of each counted series (with tenths, by number) and the call
// error over its called shots. Sighting series count for none of them.
struct SquadTraining {
    QUuid id;      // its identity on the server
    QString login; // whose it is
    // summary.training.id is 0: a training of the server has no local id.
    diary::TrainingSummary summary;
    QList<double> seriesSums;
    std::optional<group::PointMm> callError; // mean of hit - call; none without a call
    QDateTime received;                      // when its last series reached the server
};

// A shooter of the club with their trainings, oldest first.
struct SquadShooter {
    QString login;
    QList<SquadTraining> trainings;
};

struct Squad {
    QList<SquadShooter> shooters; // by login
};

// A training as the range's live view shows it: on which lane, whose it
// is, and its series with their shots.
struct LiveTraining {
    QUuid id;         // its identity on the server
    QUuid lane;       // the identity of the lane's diary
    QString laneName; // the lane's name on the range; empty when it has none
    QString login;
    diary::Training training;    // training.id is 0
    QList<diary::Series> series; // with shots, by number
    QDateTime received;          // when its last series reached the server

    friend bool operator==(const LiveTraining&, const LiveTraining&) = default;
};

// Who looks at the live view: a login of the club's server and the logins
// whose trainings the server lets it read (a coach: every login, now and
// later).
struct Viewer {
    QString login;
    bool coach = false;
    QStringList logins;

    bool sees(const QString& owner) const { return coach || logins.contains(owner); }
    friend bool operator==(const Viewer&, const Viewer&) = default;
};

} // namespace club

// Reading the club's server, never on the thread of the windows: the coach
// watches the squad (every shooter's trainings, read again within a second
// of a series reaching the server, as the server notifies it), any login
// reads the trainings it may see (a shooter's own, a coach's all), and one
// training with its series to open it in the analysis window.
class ClubReader : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Watches the squad on `server` (a libpq connection URI and its password):
    // squadChanged() now and after every new or changed series; a login
    // that is no coach's, or a server that cannot be reached, says why in
    // watchProblem().
    virtual void watch(const club::Credentials& server) = 0;
    // Stops watching.
    virtual void stopWatching() = 0;
    // The trainings the login of `server` may read: trainingsRead(), or
    // readProblem() with a null identity.
    virtual void readTrainings(const club::Credentials& server) = 0;
    // One training with its series: trainingRead(), or readProblem() with its identity.
    virtual void readTraining(const club::Credentials& server, const QUuid& id) = 0;
    // The shots of the trainings `filter` takes that the login of `server`
    // may read: shotsRead(), with none (and a warning logged) when the
    // server cannot be read.
    virtual void readShots(const club::Credentials& server, const diary::Filter& filter) = 0;

Q_SIGNALS:
    void squadChanged(const ankerblick::club::Squad& squad);
    void watchProblem(const QString& problem);
    void trainingsRead(const ankerblick::club::Squad& squad);
    void trainingRead(const QUuid& id, const ankerblick::diary::Training& training,
                      const QList<ankerblick::diary::Series>& series);
    void readProblem(const QUuid& id, const QString& problem);
    void shotsRead(const ankerblick::diary::Filter& filter,
                   const QList<ankerblick::diary::ShotRow>& rows);
};

} // namespace ankerblick
