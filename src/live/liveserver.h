#pragma once

// The live view's web server: the page (HTML, CSS and JavaScript of the
// program's own, nothing from outside), the login against the club's
// server, and a WebSocket per browser that gets the whole state of the
// range first and then each lane that changed. A browser that reads slowly
// gets a bounded queue (FrameQueue); a browser gone, or one that stops
// answering pings, is forgotten.
//
//   GET  /            the page
//   GET  /live.js, /live.css
//   POST /anmelden    {"login", "password"}: 200 and the session's cookie,
//                     401 when the club's server refuses, 429 after too
//                     many failed attempts from one address
//   POST /abmelden    ends the session
//   GET  /live        the WebSocket (the session's cookie, the page's origin)

#include "live/sessions.h"
#include "sheets/livesheet.h"

#include <QAbstractHttpServer>
#include <QDateTime>
#include <QHash>
#include <QHostAddress>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QWebSocket;

namespace ankerblick::live {

class LiveServer final : public QAbstractHttpServer {
    Q_OBJECT
public:
    // Asks the club's server who a login is; runs on a worker thread.
    using Check = std::function<std::optional<club::Viewer>(
        const QString& login, const QString& password, QString* problem)>;

    struct Options {
        bool tls = false;                  // the session cookie is Secure
        qsizetype queueLimit = 512 * 1024; // bytes waiting for one browser
        qint64 inFlightLimit = 64 * 1024;  // bytes sent and not yet written
        int failedLogins = 5;              // per address within kFailureWindow
        int pingMs = 20000;
    };

    LiveServer(Options options, Sessions& sessions, Check check, QObject* parent = nullptr);
    ~LiveServer() override;

    // The day's trainings, read whole (again).
    void setTrainings(QList<club::LiveTraining> trainings);
    // A changed series, as LiveClubReader::seriesRead gives it.
    void takeSeries(const club::LiveTraining& training, int number);
    // Whether the club's server is reached; the page says so when not.
    void setServerProblem(const QString& problem);

    qsizetype browsers() const { return qsizetype(m_browsers.size()); }

private:
    struct Browser;
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

    void logIn(const QHttpServerRequest& request, QTcpSocket* socket);
    void logOut(const QHttpServerRequest& request, QTcpSocket* socket);
    bool tooManyFailures(const QHostAddress& address);
    void acceptSockets();
    void accept(std::unique_ptr<QWebSocket> socket);
    void forget(Browser* browser);
    void send(Browser& browser);
    void tell(Browser& browser, const QUuid& lane);
    void sweep();

    Options m_options;
    Sessions& m_sessions;
    Check m_check;
    Board m_board;
    QString m_serverProblem;
    std::vector<std::unique_ptr<Browser>> m_browsers;
    QHash<QString, QList<QDateTime>> m_failures; // by remote address
    QTimer m_sweep;
};

} // namespace ankerblick::live
