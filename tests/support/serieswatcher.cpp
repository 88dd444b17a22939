#include "serieswatcher.h"

#include "platform/clubconnection.h"
#include "platform/clubschema.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QMutexLocker>
#include <QSqlDriver>

#include <memory>

namespace ankerblick::test {

using namespace Qt::StringLiterals;

class WatcherWorker final : public QObject {
public:
    WatcherWorker(const QString& url, SeriesWatcher* owner) : m_url(url), m_owner(owner) {}

    QString listen() {
        m_connection = std::make_unique<club::Connection>(m_url);
        if (!m_connection->isOpen())
            return m_connection->problem();
        QSqlDriver* driver = m_connection->database().driver();
        connect(driver, &QSqlDriver::notification, this,
                [this](const QString&, QSqlDriver::NotificationSource, const QVariant& payload) {
                    m_owner->hear(payload.toString());
                });
        if (!driver->subscribeToNotification(QString(club::kSeriesChannel)))
            return u"LISTEN %1 schlug fehl."_s.arg(club::kSeriesChannel);
        return {};
    }

private:
    QString m_url;
    SeriesWatcher* m_owner;
    std::unique_ptr<club::Connection> m_connection;
};

SeriesWatcher::SeriesWatcher(const QString& url) {
    m_worker = new WatcherWorker(url, this);
    m_worker->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start();
    QMetaObject::invokeMethod(
        m_worker, [this] { m_problem = m_worker->listen(); }, Qt::BlockingQueuedConnection);
}

SeriesWatcher::~SeriesWatcher() {
    m_thread.quit();
    m_thread.wait();
}

QString SeriesWatcher::key(const QString& login, int number, qint64 revision) {
    return u"%1/%2/%3"_s.arg(login).arg(number).arg(revision);
}

void SeriesWatcher::hear(const QString& payload) {
    const Clock::time_point now = Clock::now();
    const QJsonObject series = QJsonDocument::fromJson(payload.toUtf8()).object();
    const QString heard = key(series.value(u"login"_s).toString(),
                              series.value(u"number"_s).toInt(),
                              qint64(series.value(u"revision"_s).toDouble()));
    const QMutexLocker lock(&m_mutex);
    if (!m_heard.contains(heard))
        m_heard.insert(heard, now);
}

QHash<QString, SeriesWatcher::Clock::time_point> SeriesWatcher::heard() const {
    const QMutexLocker lock(&m_mutex);
    return m_heard;
}

} // namespace ankerblick::test
