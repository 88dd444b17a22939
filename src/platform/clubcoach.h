#pragma once

// Reading the club's server: the squad as the coach's view shows it (every
// training the login may read, with its figures), one training with its
// series for the analysis window, and ServerClubReader, which does both on
// a thread of its own and listens for the server's notice of every new or
// changed series (LISTEN on kSeriesChannel), so that the coach's view reads
// the squad again within a second of a lane sending a series, without ever
// asking the server whether anything changed.

#include "services/club.h"

#include <QThread>

#include <memory>
#include <optional>

namespace ankerblick {

namespace club {

class Stop;
class Statements;

// Whether the login of the connection is one of the club's coaches; empty,
// with the statements' problem set, when it cannot be read.
std::optional<bool> isCoach(Statements& sql);

// Every training the login of the connection may read (a shooter's own, a coach's
// all), by login and start, and every shooter the login may see, also one
// without a training; empty, with `problem` set, when it cannot be read.
std::optional<Squad> readSquad(Statements& sql, QString* problem = nullptr);

struct StoredTraining {
    diary::Training training;    // training.id is 0
    QList<diary::Series> series; // with shots, by number
};
// A training with its series; empty, with `problem` set, when it cannot be
// read or the login may not see it.
std::optional<StoredTraining> readTraining(Statements& sql, const QUuid& id,
                                           QString* problem = nullptr);

// The shots of the trainings `filter` takes that the login may read, as
// the diary's shotRows() has them, each with its training's identity on the
// server (training is 0); empty, with `problem` set, when they cannot be read.
std::optional<QList<diary::ShotRow>> readShotRows(Statements& sql, const diary::Filter& filter,
                                                  QString* problem = nullptr);

// The trainings of the range's live view: every training that got a
// series since `since`, with its series and their shots, by lane and start;
// empty, with `problem` set, when they cannot be read.
std::optional<QList<LiveTraining>> readLiveTrainings(Statements& sql, const QDateTime& since,
                                                     QString* problem = nullptr);

// What the server's notice of a new or changed series names (a payload of
// kSeriesChannel); empty for a payload that names none.
struct SeriesNotice {
    QUuid training;
    int number = 0;
};
std::optional<SeriesNotice> seriesNoticeOf(const QByteArray& payload);

// The training a notice names with that series alone (none when the series
// holds no shot); an empty inner value when the login may not read the
// training; empty, with `problem` set, when it cannot be read.
std::optional<std::optional<LiveTraining>>
readLiveSeries(Statements& sql, const SeriesNotice& notice, QString* problem = nullptr);

} // namespace club

class ClubReaderWorker;

class ServerClubReader final : public ClubReader {
    Q_OBJECT
public:
    struct Timing {
        int gatherMs = 50;     // notices gathered before the squad is read again
        int retryMs = 2000;    // the wait before a lost server is tried again
        int pingMs = 15000;    // how often a quiet connection is checked
        int answerMs = 30000;  // the longest silence of the server within an answer
        int connectMs = 10000; // the longest wait for a connection
    };

    explicit ServerClubReader(Timing timing);
    ServerClubReader() : ServerClubReader(Timing{}) {}
    ~ServerClubReader() override;

    void watch(const club::Credentials& server) override;
    void stopWatching() override;
    void readTrainings(const club::Credentials& server) override;
    void readTraining(const club::Credentials& server, const QUuid& id) override;
    void readShots(const club::Credentials& server, const diary::Filter& filter) override;

private:
    std::unique_ptr<club::Stop> m_stop; // ends the worker's waits
    QThread m_thread;
    ClubReaderWorker* m_worker = nullptr; // lives on m_thread
};

} // namespace ankerblick
