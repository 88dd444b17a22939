#pragma once

// The sync of a lane with the club's server: on a thread of its own it
// reads what waits in the diary's file (DiaryOutbox), sends it a training at
// a time with club::upload and marks it sent. The diary marks what is to be
// sent in the same transaction as the change and says when it committed
// (SqliteDiary::setCommitted): that wakes the sync at once; the file is not
// looked at otherwise, only when the sync starts and with the ping of an
// idle connection. While the server cannot be reached it tries again,
// waiting twice as long each time up to a limit; what waits stays marked in
// the file, so a new sync on the same file (the program started anew)
// sends it.

#include "services/club.h"

#include <QThread>

#include <memory>

namespace ankerblick {

namespace club {
class Stop;
}
class ClubSyncWorker;
class SqliteDiary;

class ServerClubSync final : public ClubSync {
    Q_OBJECT
public:
    struct Timing {
        int retryFirstMs = 1000; // the first wait after a failure
        int retryMostMs = 60000; // the longest wait
        int pingMs = 15000;      // how often an idle connection is checked
        int answerMs = 30000;    // the longest silence of the server within an answer
        int connectMs = 10000;   // the longest wait for a connection
    };

    explicit ServerClubSync(const QString& diaryPath, Timing timing);
    explicit ServerClubSync(const QString& diaryPath) : ServerClubSync(diaryPath, Timing{}) {}
    // Sends what `diary` keeps, woken by every change it commits. The diary
    // may end before the sync or after it.
    ServerClubSync(SqliteDiary& diary, Timing timing);
    explicit ServerClubSync(SqliteDiary& diary) : ServerClubSync(diary, Timing{}) {}
    ~ServerClubSync() override;

    void setServer(const club::Credentials& server) override;
    club::Credentials server() const override { return m_server; }
    ClubState state() const override { return m_state; }
    void check(const club::Credentials& server) override;
    void setLaneName(const QString& name) override;
    // From the thread of the windows: the diary changed; the sync looks at once.
    void diaryChanged();

private:
    friend class ClubSyncWorker;
    void report(const ClubState& state);

    std::unique_ptr<club::Stop> m_stop; // ends the worker's waits
    QThread m_thread;
    ClubSyncWorker* m_worker = nullptr; // lives on m_thread
    club::Credentials m_server;
    ClubState m_state;
};

} // namespace ankerblick
