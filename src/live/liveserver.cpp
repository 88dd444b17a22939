#include "liveserver.h"

#include "model/background.h"
#include "model/logging.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QHttpServerResponse>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QSet>
#include <QTcpSocket>
#include <QWebSocket>

#include <algorithm>

namespace ankerblick::live {

using namespace Qt::StringLiterals;
using Status = QHttpServerResponder::StatusCode;

namespace {

// Failed logins of one address count for this long.
constexpr qint64 kFailureWindowSecs = 300;
// The page's WebSocket closes with this code when it has no session.
constexpr int kNoSession = 4001;

struct Later {
    void operator()(QObject* object) const { object->deleteLater(); }
};

QDateTime now() {
    return QDateTime::currentDateTimeUtc();
}

// Everything the server answers: nothing is loaded from elsewhere, nothing
// is framed, cached or guessed.
void secure(QHttpServerResponse& response) {
    response.setHeader("Content-Security-Policy",
                       "default-src 'none'; script-src 'self'; style-src 'self'; "
                       "img-src 'self' data:; connect-src 'self'; frame-ancestors 'none'; "
                       "base-uri 'none'; form-action 'self'");
    response.setHeader("X-Content-Type-Options", "nosniff");
    response.setHeader("Referrer-Policy", "no-referrer");
    response.setHeader("Cache-Control", "no-store");
}

QHttpServerResponse jsonResponse(const QJsonObject& body, Status status) {
    return QHttpServerResponse("application/json"_ba,
                               QJsonDocument(body).toJson(QJsonDocument::Compact), status);
}

// The page's own files, from the program's resources.
std::optional<QHttpServerResponse> pageFile(const QString& path) {
    static const QHash<QString, std::pair<QString, QByteArray>> files{
        {u"/"_s, {u":/live/index.html"_s, "text/html; charset=utf-8"_ba}},
        {u"/live.js"_s, {u":/live/live.js"_s, "text/javascript; charset=utf-8"_ba}},
        {u"/live.css"_s, {u":/live/live.css"_s, "text/css; charset=utf-8"_ba}},
    };
    const auto found = files.constFind(path);
    if (found == files.cend())
        return std::nullopt;
    QFile file(found->first);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QHttpServerResponse(found->second, file.readAll());
}

// A request the page made itself: from the server's own origin, when the
// browser names one.
bool sameOrigin(const QByteArray& origin, const QUrl& url, bool tls) {
    if (origin.isEmpty())
        return true;
    const QUrl from(QString::fromLatin1(origin));
    const int standard = tls ? 443 : 80;
    return from.host() == url.host() && from.port(standard) == url.port(standard);
}

struct LoginAnswer {
    std::optional<club::Viewer> viewer;
    QString problem;
};

} // namespace

struct LiveServer::Browser {
    std::unique_ptr<QWebSocket, Later> socket;
    club::Viewer viewer;
    QByteArray token;
    FrameQueue queue;
    QSet<QUuid> shown; // the lanes the page has a tile of
    qint64 inFlight = 0;
    QDateTime answered; // the last pong
};

LiveServer::LiveServer(Options options, Sessions& sessions, Check check, QObject* parent)
    : QAbstractHttpServer(parent), m_options(options), m_sessions(sessions),
      m_check(std::move(check)) {
    connect(this, &QAbstractHttpServer::newWebSocketConnection, this, &LiveServer::acceptSockets);
    connect(&m_sweep, &QTimer::timeout, this, &LiveServer::sweep);
    m_sweep.start(m_options.pingMs);
}

LiveServer::~LiveServer() {
    for (auto& browser : m_browsers)
        browser->socket->disconnect(this);
}

bool LiveServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    const QString path = request.url().path();
    const auto method = request.method();
    if (method == QHttpServerRequest::Method::Get && path == u"/live"_s)
        // The WebSocket's handshake: true lets it through; its session is
        // looked at once it is open (accept()), so that the page can be told.
        return request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0;
    if (method == QHttpServerRequest::Method::Get) {
        std::optional<QHttpServerResponse> file =
            pageFile(path == u"/index.html"_s ? u"/"_s : path);
        if (!file)
            return false;
        secure(*file);
        file->write(makeResponder(request, socket));
        return true;
    }
    if (method != QHttpServerRequest::Method::Post)
        return false;
    if (path == u"/anmelden"_s)
        logIn(request, socket);
    else if (path == u"/abmelden"_s)
        logOut(request, socket);
    else
        return false;
    return true;
}

void LiveServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) {
    QHttpServerResponse response("text/plain; charset=utf-8"_ba, "404\n"_ba, Status::NotFound);
    secure(response);
    response.write(makeResponder(request, socket));
}

bool LiveServer::tooManyFailures(const QHostAddress& address) {
    QList<QDateTime>& failures = m_failures[address.toString()];
    const QDateTime since = now().addSecs(-kFailureWindowSecs);
    failures.removeIf([&since](const QDateTime& t) { return t < since; });
    return failures.size() >= m_options.failedLogins;
}

void LiveServer::logIn(const QHttpServerRequest& request, QTcpSocket* socket) {
    auto responder = std::make_shared<QHttpServerResponder>(makeResponder(request, socket));
    const auto answer = [responder](QHttpServerResponse response) {
        secure(response);
        response.write(std::move(*responder));
    };
    const QJsonObject body = QJsonDocument::fromJson(request.body()).object();
    const QString login = body.value(u"login"_s).toString();
    const QString password = body.value(u"password"_s).toString();
    if (!request.value("content-type").startsWith("application/json") ||
        !sameOrigin(request.value("origin"), request.url(), m_options.tls))
        return answer(jsonResponse({{u"problem"_s, u"request"_s}}, Status::BadRequest));
    const QHostAddress from = request.remoteAddress();
    if (tooManyFailures(from))
        return answer(jsonResponse({{u"problem"_s, u"wait"_s}}, Status::TooManyRequests));
    QPointer<QTcpSocket> alive(socket);
    background::run<LoginAnswer>(
        this,
        [check = m_check, login, password](JobProgress&) {
            LoginAnswer a;
            a.viewer = check(login, password, &a.problem);
            return a;
        },
        [this, alive, answer, from](LoginAnswer a) {
            if (!alive)
                return;
            if (!a.viewer) {
                m_failures[from.toString()] << now();
                const bool unreachable = !m_serverProblem.isEmpty();
                return answer(
                    jsonResponse({{u"problem"_s, unreachable ? u"server"_s : u"refused"_s}},
                                 unreachable ? Status::ServiceUnavailable : Status::Unauthorized));
            }
            const QByteArray token = m_sessions.open(*a.viewer, now());
            QHttpServerResponse response = jsonResponse(
                {{u"login"_s, a.viewer->login}, {u"coach"_s, a.viewer->coach}}, Status::Ok);
            response.setHeader("Set-Cookie",
                               Sessions::kCookie.toByteArray() + '=' + token +
                                   "; Path=/; HttpOnly; SameSite=Strict; Max-Age=" +
                                   QByteArray::number(qint64(m_sessions.lifetime().count())) +
                                   (m_options.tls ? "; Secure" : ""));
            answer(std::move(response));
        });
}

void LiveServer::logOut(const QHttpServerRequest& request, QTcpSocket* socket) {
    const QByteArray token = Sessions::tokenOf(request.value("cookie"));
    if (!token.isEmpty() && sameOrigin(request.value("origin"), request.url(), m_options.tls)) {
        m_sessions.close(token);
        sweep();
    }
    QHttpServerResponse response(Status::NoContent);
    response.setHeader("Set-Cookie", Sessions::kCookie.toByteArray() +
                                         "=; Path=/; HttpOnly; SameSite=Strict; Max-Age=0");
    secure(response);
    response.write(makeResponder(request, socket));
}

void LiveServer::acceptSockets() {
    while (hasPendingWebSocketConnections())
        if (std::unique_ptr<QWebSocket> socket = nextPendingWebSocketConnection())
            accept(std::move(socket));
}

void LiveServer::accept(std::unique_ptr<QWebSocket> socket) {
    const QNetworkRequest request = socket->request();
    const QByteArray token = Sessions::tokenOf(request.rawHeader("Cookie"));
    const std::optional<club::Viewer> viewer = m_sessions.find(token, now());
    const bool fits = request.url().path() == u"/live"_s &&
                      sameOrigin(socket->origin().toLatin1(), request.url(), m_options.tls);
    if (!fits || !viewer) {
        QWebSocket* refused = socket.release();
        connect(refused, &QWebSocket::disconnected, refused, &QObject::deleteLater);
        refused->close(fits ? QWebSocketProtocol::CloseCode(kNoSession)
                            : QWebSocketProtocol::CloseCodePolicyViolated);
        return;
    }
    auto browser =
        std::make_unique<Browser>(Browser{std::unique_ptr<QWebSocket, Later>(socket.release()),
                                          *viewer,
                                          token,
                                          FrameQueue(m_options.queueLimit),
                                          {},
                                          0,
                                          now()});
    Browser* b = browser.get();
    QWebSocket* s = b->socket.get();
    connect(s, &QWebSocket::disconnected, this, [this, b] { forget(b); });
    connect(s, &QWebSocket::bytesWritten, this, [this, b](qint64 bytes) {
        b->inFlight = std::max<qint64>(0, b->inFlight - bytes);
        send(*b);
    });
    connect(s, &QWebSocket::pong, this, [b] { b->answered = now(); });
    m_browsers.push_back(std::move(browser));
    b->queue.dropForState();
    if (!m_serverProblem.isEmpty())
        setServerProblem(m_serverProblem);
    send(*b);
}

void LiveServer::forget(Browser* browser) {
    const auto found = std::find_if(m_browsers.begin(), m_browsers.end(),
                                    [browser](const auto& b) { return b.get() == browser; });
    if (found == m_browsers.end())
        return;
    (*found)->socket->disconnect(this);
    (*found)->socket->abort();
    m_browsers.erase(found);
}

void LiveServer::send(Browser& b) {
    while (b.inFlight < m_options.inFlightLimit) {
        const std::optional<QByteArray> frame = b.queue.take([this, &b] {
            b.shown.clear();
            for (const club::LiveTraining* t : m_board.tiles(b.viewer))
                b.shown.insert(t->lane);
            return m_board.stateFrame(b.viewer, now());
        });
        if (!frame)
            return;
        b.inFlight += b.socket->sendTextMessage(QString::fromUtf8(*frame));
    }
}

void LiveServer::tell(Browser& b, const QUuid& lane) {
    const QString key = lane.toString(QUuid::WithoutBraces);
    if (std::optional<QByteArray> frame = m_board.laneFrame(lane, b.viewer, now())) {
        b.queue.push(key, std::move(*frame));
        b.shown.insert(lane);
    } else if (b.shown.remove(lane)) {
        b.queue.push(key, Board::goneFrame(lane));
    }
    send(b);
}

void LiveServer::setTrainings(QList<club::LiveTraining> trainings) {
    m_board.setTrainings(std::move(trainings));
    for (auto& b : m_browsers) {
        b->queue.dropForState();
        send(*b);
    }
}

void LiveServer::takeSeries(const club::LiveTraining& training, int number) {
    const QUuid lane = m_board.take(training, number);
    for (auto& b : m_browsers)
        tell(*b, lane);
}

void LiveServer::setServerProblem(const QString& problem) {
    m_serverProblem = problem;
    const QByteArray frame =
        QJsonDocument(QJsonObject{{u"type"_s, u"server"_s}, {u"reached"_s, problem.isEmpty()}})
            .toJson(QJsonDocument::Compact);
    for (auto& b : m_browsers) {
        b->queue.push(u"server"_s, frame);
        send(*b);
    }
}

// Sessions whose time is up end their browsers; a browser that stopped
// answering pings is forgotten; the others are pinged.
void LiveServer::sweep() {
    const QDateTime at = now();
    m_sessions.expire(at);
    std::vector<Browser*> gone;
    for (auto& b : m_browsers) {
        if (!m_sessions.find(b->token, at)) {
            b->socket->close(QWebSocketProtocol::CloseCode(kNoSession));
        } else if (b->answered.msecsTo(at) > 3 * m_options.pingMs) {
            gone.push_back(b.get());
        } else {
            b->socket->ping();
        }
    }
    for (Browser* b : gone)
        forget(b);
}

} // namespace ankerblick::live
