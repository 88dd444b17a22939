#pragma once

// A coach's ear on the club's server: on a thread of its own it LISTENs to
// the channel of new and changed series (club::kSeriesChannel) through
// club::Connection and QSqlDriver::subscribeToNotification, and keeps when
// each series was heard. The one place a test or a benchmark hears the
// server from, until the coach view's own listener takes its place.

#include <QHash>
#include <QMutex>
#include <QString>
#include <QThread>

#include <chrono>

namespace ankerblick::test {

class WatcherWorker;

class SeriesWatcher {
public:
    using Clock = std::chrono::steady_clock;

    // Listens as the login of `url` (a coach's, to hear every shooter).
    explicit SeriesWatcher(const QString& url);
    ~SeriesWatcher();
    SeriesWatcher(const SeriesWatcher&) = delete;
    SeriesWatcher& operator=(const SeriesWatcher&) = delete;

    // Empty when listening, otherwise why not.
    QString problem() const { return m_problem; }

    // "login/number/revision" of each series heard, and when it was first heard.
    QHash<QString, Clock::time_point> heard() const;
    static QString key(const QString& login, int number, qint64 revision);

private:
    friend class WatcherWorker;
    void hear(const QString& payload);

    QThread m_thread;
    WatcherWorker* m_worker = nullptr;
    QString m_problem;
    mutable QMutex m_mutex;
    QHash<QString, Clock::time_point> m_heard;
};

} // namespace ankerblick::test
