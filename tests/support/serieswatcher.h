#pragma once

// A coach watching the club's server as the coach's view does: the view's
// own reader (ServerClubReader, LISTEN on the channel of new and changed
// series, the squad read again on each notice) under a coach's login, and
// when each shooter's series first showed in the squad it read. The one
// place a test or a benchmark watches the server from.

#include "platform/clubcoach.h"

#include <QHash>
#include <QString>

#include <chrono>

namespace ankerblick::test {

class SeriesWatcher {
public:
    using Clock = std::chrono::steady_clock;

    // Watches as the login of `server` (a coach's, to see every shooter). The
    // squad's signals arrive on the thread that made the watcher, so that
    // thread must handle its events.
    explicit SeriesWatcher(const club::Credentials& server);
    SeriesWatcher(const SeriesWatcher&) = delete;
    SeriesWatcher& operator=(const SeriesWatcher&) = delete;

    // Empty while watching, otherwise why not (the reader tries again).
    QString problem() const { return m_problem; }
    // "login/number" of each counted series seen, and when it first showed.
    QHash<QString, Clock::time_point> heard() const { return m_heard; }
    static QString key(const QString& login, int number);

private:
    void see(const club::Squad& squad);

    ServerClubReader m_reader;
    QString m_problem;
    QHash<QString, Clock::time_point> m_heard;
};

} // namespace ankerblick::test
