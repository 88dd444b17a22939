#include "clublive.h"

#include "clubcoach.h"
#include "clubconnection.h"
#include "clubschema.h"
#include "model/logging.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

#include <utility>

namespace ankerblick {

using namespace Qt::StringLiterals;

namespace club {

QString urlFor(const QString& serverUrl, const QString& login) {
    QUrl url(serverUrl);
    url.setUserName(login);
    url.setPassword({});
    QUrlQuery query(url);
    for (const QString& key : {u"user"_s, u"password"_s, u"passfile"_s})
        query.removeAllQueryItems(key);
    query.addQueryItem(u"passfile"_s, u"/dev/null"_s);
    url.setQuery(query);
    return url.toString(QUrl::FullyEncoded);
}

std::optional<Viewer> viewerOf(const Credentials& server, const QString& login,
                               const QString& password, const Stop* stop, QString* problem) {
    const auto refused = [problem](const QString& why) {
        if (problem)
            *problem = why;
        return std::nullopt;
    };
    if (login.trimmed().isEmpty() || password.isEmpty())
        return refused(QCoreApplication::translate("LiveView", "Anmeldung und Passwort fehlen."));
    Link link({urlFor(server.url, login), password}, Deadlines{5000, 10000}, stop);
    if (!link.isOpen())
        return refused(link.problem());
    Statements sql(link);
    Viewer viewer{link.userName(), false, {}};
    const std::optional<bool> coach = isCoach(sql);
    Rows* logins =
        coach ? sql.query(u"SELECT login FROM ankerblick.shooters ORDER BY login"_s) : nullptr;
    if (!logins)
        return refused(sql.problem());
    viewer.coach = *coach;
    while (logins->next())
        viewer.logins << logins->value(0).toString();
    return viewer;
}

} // namespace club

// Everything here runs on the reader's thread: the connection is used by
// the thread that made it, and the server's notices are heard there.
class LiveReaderWorker final : public QObject {
public:
    LiveReaderWorker(LiveClubReader::Timing timing, const club::Stop* stop, LiveClubReader* owner)
        : m_timing(timing), m_stop(stop), m_owner(owner) {}

    // Made on the thread, as its first event.
    void begin() {
        m_retry = new QTimer(this);
        m_retry->setSingleShot(true);
        connect(m_retry, &QTimer::timeout, this, [this] { connectWatch(); });
        m_ping = new QTimer(this);
        connect(m_ping, &QTimer::timeout, this, [this] { ping(); });
    }

    void watch(const club::Credentials& server) {
        m_server = server;
        connectWatch();
    }

private:
    void connectWatch() {
        drop();
        auto link = std::make_unique<club::Link>(
            m_server, club::Deadlines{m_timing.connectMs, m_timing.answerMs}, m_stop);
        if (!link->isOpen()) {
            lost(link->problem());
            return;
        }
        club::Statements sql(*link);
        if (!sql.exec(u"LISTEN \"%1\""_s.arg(club::kSeriesChannel))) {
            lost(sql.problem());
            return;
        }
        m_watch = std::move(link);
        m_notices = new QSocketNotifier(m_watch->socket(), QSocketNotifier::Read, this);
        connect(m_notices, &QSocketNotifier::activated, this, [this] { hear(); });
        m_ping->start(m_timing.pingMs);
        readAll();
    }

    void drop() {
        m_ping->stop();
        if (m_notices) {
            m_notices->setEnabled(false);
            std::exchange(m_notices, nullptr)->deleteLater();
        }
        m_watch.reset();
    }

    void readAll() {
        QString problem;
        club::Statements sql(*m_watch);
        const QDateTime since = QDateTime::currentDateTimeUtc().addSecs(-3600 * m_timing.hours);
        std::optional<QList<club::LiveTraining>> read =
            club::readLiveTrainings(sql, since, &problem);
        if (!read) {
            lost(problem);
            return;
        }
        QMetaObject::invokeMethod(m_owner, [owner = m_owner, read = std::move(*read)] {
            Q_EMIT owner->trainingsRead(read);
        });
        hear();
    }

    // The series the notices name, each once, in the order they came; the
    // notices that come meanwhile are heard after.
    void hear() {
        if (!m_watch)
            return;
        const std::optional<QList<QByteArray>> notices = m_watch->takeNotices();
        if (!notices) {
            lost(m_watch->problem());
            return;
        }
        QList<QPair<QUuid, int>> named;
        for (const QByteArray& payload : *notices)
            if (const std::optional<club::SeriesNotice> n = club::seriesNoticeOf(payload);
                n && !named.contains(qMakePair(n->training, n->number)))
                named << qMakePair(n->training, n->number);
        for (const auto& [training, number] : named)
            if (!readSeries({training, number}))
                return;
        if (!named.isEmpty())
            hear();
    }

    bool readSeries(const club::SeriesNotice& notice) {
        QString problem;
        club::Statements sql(*m_watch);
        const std::optional<std::optional<club::LiveTraining>> read =
            club::readLiveSeries(sql, notice, &problem);
        if (!read) {
            lost(problem);
            return false;
        }
        if (*read)
            QMetaObject::invokeMethod(m_owner,
                                      [owner = m_owner, training = **read, number = notice.number] {
                                          Q_EMIT owner->seriesRead(training, number);
                                      });
        return true;
    }

    void ping() {
        club::Statements sql(*m_watch);
        if (!sql.exec(u"SELECT 1"_s))
            lost(sql.problem());
        else
            hear();
    }

    void lost(const QString& problem) {
        drop();
        if (m_stop->raised())
            return;
        qCWarning(lcClub) << "The live view lost the club's server:" << problem;
        QMetaObject::invokeMethod(m_owner,
                                  [owner = m_owner, problem] { Q_EMIT owner->problem(problem); });
        m_retry->start(m_timing.retryMs);
    }

    LiveClubReader::Timing m_timing;
    const club::Stop* m_stop;
    LiveClubReader* m_owner;
    club::Credentials m_server;
    std::unique_ptr<club::Link> m_watch;
    QSocketNotifier* m_notices = nullptr;
    QTimer* m_retry = nullptr;
    QTimer* m_ping = nullptr;
};

LiveClubReader::LiveClubReader(Timing timing) : m_stop(std::make_unique<club::Stop>()) {
    m_worker = new LiveReaderWorker(timing, m_stop.get(), this);
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.setObjectName(u"Live-Ansicht"_s);
    m_thread.start();
    QMetaObject::invokeMethod(m_worker, [worker = m_worker] { worker->begin(); });
}

LiveClubReader::~LiveClubReader() {
    m_stop->raise();
    m_thread.quit();
    m_thread.wait();
}

void LiveClubReader::watch(const club::Credentials& server) {
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, server] { worker->watch(server); });
}

} // namespace ankerblick
