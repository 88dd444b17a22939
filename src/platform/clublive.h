#pragma once

// The club's server as the range's live view reads it. LiveClubReader, on a
// thread of its own, reads every training of the day once and then listens
// for the server's notice of each new or changed series (LISTEN on
// kSeriesChannel), reading that series alone; a lost server is tried again
// every two seconds, and read whole again once reached. viewerOf() asks the
// server who a browser's login is.

#include "services/club.h"

#include <QDateTime>
#include <QThread>

#include <memory>
#include <optional>

namespace ankerblick {

namespace club {

class Stop;

// The login `login` as the live view's viewer: the server is asked under
// that login, with `password`, on a connection of its own, so that its row
// security decides which shooters' trainings the login reads. The password
// is used for that connection alone; one empty is refused before anything
// is sent (libpq would otherwise take the live view's own from ~/.pgpass or
// PGPASSWORD). Empty, with `problem` set, when the server refuses or
// cannot be reached.
std::optional<Viewer> viewerOf(const Credentials& server, const QString& login,
                               const QString& password, const Stop* stop,
                               QString* problem = nullptr);

// `server` under another login, without a password or a password file.
QString urlFor(const QString& serverUrl, const QString& login);

} // namespace club

class LiveReaderWorker;

class LiveClubReader final : public QObject {
    Q_OBJECT
public:
    struct Timing {
        int retryMs = 2000;
        int pingMs = 15000;
        int answerMs = 30000;
        int connectMs = 10000;
        int hours = 12; // how far back a training still belongs to the day
    };

    explicit LiveClubReader(Timing timing);
    LiveClubReader() : LiveClubReader(Timing{}) {}
    ~LiveClubReader() override;

    void watch(const club::Credentials& server);

Q_SIGNALS:
    // Every training of the day, when the server was reached (again).
    void trainingsRead(const QList<ankerblick::club::LiveTraining>& trainings);
    // A series changed: its training with that series alone, or with no
    // series when it holds no shot (any more).
    void seriesRead(const ankerblick::club::LiveTraining& training, int number);
    // The server was lost or refused; it is tried again.
    void problem(const QString& problem);

private:
    std::unique_ptr<club::Stop> m_stop;
    QThread m_thread;
    LiveReaderWorker* m_worker = nullptr; // lives on m_thread
};

} // namespace ankerblick
