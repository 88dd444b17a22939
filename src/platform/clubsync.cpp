#include "clubsync.h"

#include "clubconnection.h"
#include "clubupload.h"
#include "diaryoutbox.h"
#include "model/logging.h"
#include "sqlitediary.h"

#include <QElapsedTimer>
#include <QHash>
#include <QPointer>
#include <QStringList>
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
    ClubSyncWorker(const QString& diaryPath, ServerClubSync::Timing timing, const club::Stop* stop,
                   ServerClubSync* owner)
        : m_path(diaryPath), m_timing(timing), m_stop(stop), m_owner(owner) {}

    // Made on the thread, as its first event.
    void begin() {
        m_outbox = std::make_unique<DiaryOutbox>(m_path);
        m_timer = new QTimer(this);
        m_timer->setSingleShot(true);
        connect(m_timer, &QTimer::timeout, this, [this] { step(); });
        m_sinceContact.start();
        step();
    }

    // The diary committed a change. While the sync waits after a failure
    // only the count of what waits is read again: the wait stays.
    void wake() {
        if (m_wait == 0 || !m_timer->isActive()) {
            step();
            return;
        }
        if (const std::optional<int> waiting = m_outbox->waitingCount()) {
            ClubState state = m_state;
            state.waiting = *waiting;
            publish(state);
        }
    }

    void setServer(const club::Credentials& server) {
        m_login = server;
        m_server.reset();
        m_wait = 0;
        m_setAside.clear(); // another server or login may take them
        step();
    }

    void setLaneName(const QString& name) { m_laneName = name; }

    void check(const club::Credentials& server) {
        const club::Link trial(server, deadlines(), m_stop);
        const QString problem = trial.isOpen() ? QString() : trial.problem();
        QMetaObject::invokeMethod(m_owner, [owner = m_owner, server, problem] {
            Q_EMIT owner->checked(server, problem);
        });
    }

private:
    club::Deadlines deadlines() const { return {m_timing.connectMs, m_timing.answerMs}; }

    void step() {
        ClubState state;
        state.configured = !m_login.isEmpty();
        // An idle connection is checked now and then; with it, what another
        // program may have written is found.
        int next = m_timing.pingMs;
        // Without a server the diary is not read: the program sets the
        // server once its diary is open, never while a damaged file of it
        // might still be moved aside.
        if (!state.configured) {
            m_server.reset();
            m_timer->stop();
            publish(state);
            return;
        }
        const std::optional<int> waiting = m_outbox->waitingCount();
        state.waiting = waiting.value_or(m_state.waiting);
        if (state.waiting > 0 || !m_server || pingDue() || m_outbox->anyWaiting()) {
            const Round round = send(state);
            if (round == Round::Sent) {
                m_wait = 0;
                state.connected = true;
                state.problem = setAsideProblem();
            } else {
                if (round == Round::ServerFailed) {
                    m_server.reset();
                } else {
                    state.connected = true; // the server answered; the diary did not
                }
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

    enum class Round {
        Sent,
        ServerFailed, // not reached, or refused: state.problem says why
        DiaryFailed,  // what waits could not be read or marked as sent
    };

    // Connects when needed and sends what waits.
    Round send(ClubState& state) {
        if (!m_server) {
            m_server = std::make_unique<club::Link>(m_login, deadlines(), m_stop);
            if (!m_server->isOpen()) {
                state.problem = m_server->problem();
                return Round::ServerFailed;
            }
        }
        if (state.waiting == 0) {
            club::Statements ping(*m_server);
            if (!ping.exec(u"SELECT 1"_s)) {
                state.problem = ping.problem();
                return Round::ServerFailed;
            }
        }
        for (;;) {
            const std::optional<QList<club::Upload>> uploads =
                m_outbox->waiting(kTrainingsAtOnce, m_setAside.keys());
            if (!uploads)
                return Round::DiaryFailed;
            if (uploads->isEmpty())
                break;
            for (club::Upload upload : *uploads) {
                upload.laneName = m_laneName;
                const club::UploadResult sent = club::upload(*m_server, upload);
                if (!sent.ok && sent.refusedForGood) {
                    // Set aside until the program starts again or the server
                    // changes; the trainings after it go on.
                    qCWarning(lcClub, "Training %lld refused by the server: %s",
                              static_cast<long long>(upload.training.id), qPrintable(sent.problem));
                    m_setAside.insert(upload.training.id, sent.problem);
                    continue;
                }
                if (!sent.ok) {
                    state.problem = sent.problem;
                    return Round::ServerFailed;
                }
                // Sent but not marked (the disk full): sent again after a
                // pause, a no-op on the server.
                if (!m_outbox->markSent(upload)) {
                    qCWarning(lcClub, "Training %lld sent but not marked as sent",
                              static_cast<long long>(upload.training.id));
                    return Round::DiaryFailed;
                }
            }
        }
        m_sinceContact.start();
        return Round::Sent;
    }

    // Why trainings wait that the server refused, for the status bar's tool tip.
    QString setAsideProblem() const {
        QStringList reasons;
        for (const QString& reason : m_setAside)
            if (!reasons.contains(reason))
                reasons << reason;
        return reasons.join(u'\n');
    }

    void publish(const ClubState& state) {
        if (state == m_state)
            return;
        m_state = state;
        QMetaObject::invokeMethod(m_owner, [owner = m_owner, state] { owner->report(state); });
    }

    QString m_path;
    ServerClubSync::Timing m_timing;
    const club::Stop* m_stop;
    ServerClubSync* m_owner;
    std::unique_ptr<DiaryOutbox> m_outbox;
    std::unique_ptr<club::Link> m_server;
    QTimer* m_timer = nullptr;
    club::Credentials m_login;
    QString m_laneName;
    ClubState m_state;
    int m_wait = 0;
    QElapsedTimer m_sinceContact;
    QHash<qint64, QString> m_setAside; // trainings the server refused for good, with why
};

ServerClubSync::ServerClubSync(const QString& diaryPath, Timing timing)
    : m_stop(std::make_unique<club::Stop>()) {
    m_worker = new ClubSyncWorker(diaryPath, timing, m_stop.get(), this);
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.setObjectName(u"Vereinsabgleich"_s);
    m_thread.start(QThread::LowPriority);
    QMetaObject::invokeMethod(m_worker, [worker = m_worker] { worker->begin(); });
}

// A server that does not answer, or is still being reached, does not hold
// the program's end: the worker's wait ends at once.
ServerClubSync::~ServerClubSync() {
    m_stop->raise();
    m_thread.quit();
    m_thread.wait();
}

void ServerClubSync::setServer(const club::Credentials& server) {
    m_server = server;
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, server] { worker->setServer(server); });
}

ServerClubSync::ServerClubSync(SqliteDiary& diary, Timing timing)
    : ServerClubSync(diary.path(), timing) {
    diary.setCommitted([sync = QPointer<ServerClubSync>(this)] {
        if (sync)
            sync->diaryChanged();
    });
}

void ServerClubSync::diaryChanged() {
    QMetaObject::invokeMethod(m_worker, [worker = m_worker] { worker->wake(); });
}

void ServerClubSync::check(const club::Credentials& server) {
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, server] { worker->check(server); });
}

void ServerClubSync::setLaneName(const QString& name) {
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, name] { worker->setLaneName(name); });
}

void ServerClubSync::report(const ClubState& state) {
    if (state == m_state)
        return;
    m_state = state;
    Q_EMIT stateChanged();
}

} // namespace ankerblick
