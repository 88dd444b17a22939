#pragma once

// The sync of a lane with the club's server: on a thread of its own it
// reads what waits in the diary's file (DiaryOutbox), sends it a training at
// a time with club::upload and marks it sent. While the server cannot be
// reached it tries again, waiting twice as long each time up to a limit;
// what waits stays marked in the file, so a new sync on the same file (the
// program started anew) sends it.

#include "services/club.h"

#include <QThread>

#include <memory>

namespace ankerblick {

namespace club {
class AnswerWatch;
}
class ClubSyncWorker;

class ServerClubSync final : public ClubSync {
    Q_OBJECT
public:
    struct Timing {
        int lookMs = 500;        // how often the diary is looked at
        int retryFirstMs = 1000; // the first wait after a failure
        int retryMostMs = 60000; // the longest wait
        int pingMs = 15000;      // how often an idle connection is checked
        int answerMs = 30000;    // the longest wait for the server's answer
    };

    explicit ServerClubSync(const QString& diaryPath, Timing timing);
    explicit ServerClubSync(const QString& diaryPath) : ServerClubSync(diaryPath, Timing{}) {}
    ~ServerClubSync() override;

    void setServer(const club::Credentials& server) override;
    club::Credentials server() const override { return m_server; }
    ClubState state() const override { return m_state; }
    void check(const club::Credentials& server) override;

private:
    friend class ClubSyncWorker;
    void report(const ClubState& state);

    std::unique_ptr<club::AnswerWatch> m_answers; // the worker's connections
    QThread m_thread;
    ClubSyncWorker* m_worker = nullptr; // lives on m_thread
    club::Credentials m_server;
    ClubState m_state;
};

} // namespace ankerblick
