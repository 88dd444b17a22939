#include "clublive.h"

#include "clubcoach.h"
#include "clubconnection.h"
#include "clublisten.h"
#include "clubschema.h"
#include "model/logging.h"

#include <QCoreApplication>
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
        m_listener = new club::Listener(
            {m_timing.retryMs, m_timing.pingMs, {m_timing.connectMs, m_timing.answerMs}}, m_stop,
            {{},
             [this] { readAll(); },
             [this](const QList<QByteArray>& notices) { readNamed(notices); },
             [this](const QString& problem) {
                 tell(problem);
             }},
            this);
    }

    void watch(const club::Credentials& server) { m_listener->listen(server); }

private:
    void readAll() {
        QString problem;
        club::Statements sql(*m_listener->link());
        const QDateTime since = QDateTime::currentDateTimeUtc().addSecs(-3600 * m_timing.hours);
        std::optional<QList<club::LiveTraining>> read =
            club::readLiveTrainings(sql, since, &problem);
        if (!read) {
            m_listener->lose(problem);
            return;
        }
        QMetaObject::invokeMethod(m_owner, [owner = m_owner, read = std::move(*read)] {
            Q_EMIT owner->trainingsRead(read);
        });
        m_listener->hear();
    }

    // The series the notices name, each once, in the order they came; the
    // notices that come meanwhile are heard after.
    void readNamed(const QList<QByteArray>& notices) {
        QList<QPair<QUuid, int>> named;
        for (const QByteArray& payload : notices)
            if (const std::optional<club::SeriesNotice> n = club::seriesNoticeOf(payload);
                n && !named.contains(qMakePair(n->training, n->number)))
                named << qMakePair(n->training, n->number);
        for (const auto& [training, number] : named)
            if (!readSeries({training, number}))
                return;
        if (!named.isEmpty())
            m_listener->hear();
    }

    bool readSeries(const club::SeriesNotice& notice) {
        QString problem;
        club::Statements sql(*m_listener->link());
        const std::optional<std::optional<club::LiveTraining>> read =
            club::readLiveSeries(sql, notice, &problem);
        if (!read) {
            m_listener->lose(problem);
            return false;
        }
        if (*read)
            QMetaObject::invokeMethod(m_owner,
                                      [owner = m_owner, training = **read, number = notice.number] {
                                          Q_EMIT owner->seriesRead(training, number);
                                      });
        return true;
    }

    void tell(const QString& problem) {
        qCWarning(lcClub) << "The live view lost the club's server:" << problem;
        QMetaObject::invokeMethod(m_owner,
                                  [owner = m_owner, problem] { Q_EMIT owner->problem(problem); });
    }

    LiveClubReader::Timing m_timing;
    const club::Stop* m_stop;
    LiveClubReader* m_owner;
    club::Listener* m_listener = nullptr;
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
