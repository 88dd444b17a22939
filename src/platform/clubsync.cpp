#include "clubsync.h"

#include "clubconnection.h"
#include "clubupload.h"
#include "diaryoutbox.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTimer>

#include <algorithm>

namespace ankerblick {

using namespace Qt::StringLiterals;

namespace {

// Trainings sent before the diary is looked at again.
constexpr int kTrainingsAtOnce = 8;

} // namespace

// Everything here runs on the sync's thread: the diary's connection and the
// server's are used by the thread that made them.
class ClubSyncWorker final : public QObject {
public:
    ClubSyncWorker(const QString& diaryPath, ServerClubSync::Timing timing,
                   club::AnswerWatch* answers, ServerClubSync* owner)
        : m_path(diaryPath), m_timing(timing), m_answers(answers), m_owner(owner) {}

    // Made on the thread, as its first event.
    void begin() {
        m_outbox = std::make_unique<DiaryOutbox>(m_path);
        m_timer = new QTimer(this);
        m_timer->setSingleShot(true);
        connect(m_timer, &QTimer::timeout, this, [this] { step(); });
        m_sinceContact.start();
        step();
    }

    void setServer(const QString& url) {
        m_url = url;
        m_server.reset();
        m_wait = 0;
        step();
    }

    void check(const QString& url) {
        const club::Connection trial(url);
        const QString problem = trial.isOpen() ? QString() : trial.problem();
        QMetaObject::invokeMethod(m_owner, [owner = m_owner, url, problem] {
            Q_EMIT owner->checked(url, problem);
        });
    }

private:
    void step() {
        ClubState state;
        state.configured = !m_url.isEmpty();
        int next = m_timing.lookMs;
        // Without a server the diary is not read: the program sets the
        // server once its diary is open, never while a damaged file of it
        // might still be moved aside.
        if (!state.configured) {
            m_server.reset();
            publish(state);
            m_timer->start(next);
            return;
        }
        const std::optional<int> waiting = m_outbox->waitingCount();
        state.waiting = waiting.value_or(m_state.waiting);
        if (state.waiting > 0 || !m_server || pingDue() || m_outbox->anyWaiting()) {
            if (send(state)) {
                m_wait = 0;
                state.connected = true;
            } else {
                if (m_answers->takeCut())
                    state.problem = club::silentProblem();
                m_server.reset();
                m_wait = m_wait == 0 ? m_timing.retryFirstMs
                                     : std::min(m_wait * 2, m_timing.retryMostMs);
                next = m_wait;
            }
            if (const std::optional<int> left = m_outbox->waitingCount())
                state.waiting = *left;
        } else {
            state.connected = true;
        }
        publish(state);
        m_timer->start(next);
    }

    bool pingDue() const { return m_sinceContact.hasExpired(m_timing.pingMs); }

    // Connects when needed and sends what waits; false with state.problem
    // set when the server could not be reached or refused.
    bool send(ClubState& state) {
        if (!m_server) {
            m_server = std::make_unique<club::Connection>(m_url, m_answers);
            if (!m_server->isOpen()) {
                state.problem = m_server->problem();
                return false;
            }
        }
        QSqlDatabase db = m_server->database();
        if (state.waiting == 0) {
            QSqlQuery ping(db);
            const club::AnswerWatch::Waiting waiting(*m_answers);
            if (!ping.exec(u"SELECT 1"_s)) {
                state.problem = club::problemOf(ping.lastError());
                return false;
            }
        }
        for (QList<club::Upload> uploads = m_outbox->waiting(kTrainingsAtOnce);
             !uploads.isEmpty(); uploads = m_outbox->waiting(kTrainingsAtOnce)) {
            for (const club::Upload& upload : uploads) {
                const club::UploadResult sent = [&] {
                    const club::AnswerWatch::Waiting waiting(*m_answers);
                    return club::upload(db, upload);
                }();
                if (!sent.ok) {
                    state.problem = sent.problem;
                    return false;
                }
                // Sent but not marked (the disk full): sent again later, a no-op.
                if (!m_outbox->markSent(upload))
                    return true;
            }
        }
        m_sinceContact.start();
        return true;
    }

    void publish(const ClubState& state) {
        if (state == m_state)
            return;
        m_state = state;
        QMetaObject::invokeMethod(m_owner,
                                  [owner = m_owner, state] { owner->report(state); });
    }

    QString m_path;
    ServerClubSync::Timing m_timing;
    club::AnswerWatch* m_answers;
    ServerClubSync* m_owner;
    std::unique_ptr<DiaryOutbox> m_outbox;
    std::unique_ptr<club::Connection> m_server;
    QTimer* m_timer = nullptr;
    QString m_url;
    ClubState m_state;
    int m_wait = 0;
    QElapsedTimer m_sinceContact;
};

ServerClubSync::ServerClubSync(const QString& diaryPath, Timing timing)
    : m_answers(std::make_unique<club::AnswerWatch>(timing.answerMs)) {
    m_worker = new ClubSyncWorker(diaryPath, timing, m_answers.get(), this);
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.setObjectName(u"Vereinsabgleich"_s);
    m_thread.start(QThread::LowPriority);
    QMetaObject::invokeMethod(m_worker, [worker = m_worker] { worker->begin(); });
}

// A server that does not answer does not hold the program's end.
ServerClubSync::~ServerClubSync() {
    m_thread.quit();
    m_answers->cutForGood();
    m_thread.wait();
}

void ServerClubSync::setServer(const QString& url) {
    m_url = url;
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, url] { worker->setServer(url); });
}

void ServerClubSync::check(const QString& url) {
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, url] { worker->check(url); });
}

void ServerClubSync::report(const ClubState& state) {
    if (state == m_state)
        return;
    m_state = state;
    Q_EMIT stateChanged();
}

} // namespace ankerblick
