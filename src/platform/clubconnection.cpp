#include "clubconnection.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QUrl>

#include <fcntl.h>
#include <libpq-fe.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

namespace ankerblick::club {

using namespace Qt::StringLiterals;

namespace {

bool says(const QString& text, std::initializer_list<const char*> phrases) {
    for (const char* phrase : phrases)
        if (text.contains(QLatin1StringView(phrase), Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

QString problemOf(const QSqlError& error) {
    // libpq's and the server's words, in English and in German: the
    // server's messages follow its own language setting.
    const QString text = error.driverText() + u' ' + error.databaseText();
    const QString code = error.nativeErrorCode();
    const bool connecting = error.type() == QSqlError::ConnectionError;
    if (says(text, {"password authentication failed", "no password supplied",
                    "Passwort-Authentifizierung", "kein Passwort angegeben"}) ||
        (connecting && says(text, {"role \"", "Rolle »"})))
        return QCoreApplication::translate(
            "ClubConnection",
            "Der Vereinsserver lehnt die Anmeldung ab: Benutzername oder Passwort "
            "stimmen nicht.");
    if (says(text, {"database \"", "Datenbank »"}) &&
        says(text, {"does not exist", "existiert nicht"}))
        return QCoreApplication::translate("ClubConnection",
                                           "Die Datenbank gibt es auf dem Vereinsserver nicht.");
    if (says(text, {"server does not support SSL", "Server unterstützt kein SSL"}))
        return QCoreApplication::translate(
            "ClubConnection", "Der Vereinsserver bietet keine verschlüsselte Verbindung (TLS) an.");
    if (says(text, {"certificate", "Zertifikat"}))
        return QCoreApplication::translate(
            "ClubConnection",
            "Das Zertifikat des Vereinsservers lässt sich nicht prüfen: Es ist ungültig, "
            "abgelaufen oder nicht vertrauenswürdig.");
    if (code == u"42501"_s ||
        says(text, {"permission denied", "row-level security", "keine Berechtigung"}))
        return QCoreApplication::translate(
            "ClubConnection",
            "Der Vereinsserver verweigert das: Der Anmeldung fehlt die Berechtigung.");
    if (code.startsWith(u"57P"_s) || code.startsWith(u"08"_s) ||
        says(text,
             {"server closed the connection", "no connection to the server",
              "terminating connection", "connection to server was lost", "Verbindung zum Server"}))
        if (!says(text, {"could not connect", "Connection refused", "could not translate",
                         "timeout expired"}))
            return QCoreApplication::translate("ClubConnection",
                                               "Die Verbindung zum Vereinsserver ist abgebrochen.");
    if (says(text, {"could not connect", "Connection refused", "could not translate host name",
                    "Name or service not known", "timeout expired", "No route to host",
                    "konnte nicht verbinden", "Verbindung verweigert"}) ||
        connecting)
        return QCoreApplication::translate(
            "ClubConnection",
            "Der Vereinsserver ist nicht erreichbar: Bitte Adresse, Port und Netzwerk "
            "prüfen.");
    return QCoreApplication::translate("ClubConnection",
                                       "Der Vereinsserver meldet einen Fehler: %1")
        .arg(error.databaseText().trimmed());
}

namespace {

QString uniqueConnectionName() {
    static QAtomicInteger<quint64> counter;
    return u"ankerblick-verein-%1"_s.arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

QString silentProblem() {
    return QCoreApplication::translate("ClubConnection", "Der Vereinsserver antwortet nicht.");
}

namespace {

// Whether the server sent anything on `socket` in the last `ms`: false for
// a socket that is no TCP (a socket folder), where only the wait counts.
bool heardWithin(int socket, qint64 ms) {
    tcp_info info{};
    socklen_t size = sizeof info;
    return ::getsockopt(socket, IPPROTO_TCP, TCP_INFO, &info, &size) == 0 &&
           qint64(info.tcpi_last_data_recv) < ms;
}

// A copy of the socket of the driver's libpq connection, closed by the caller.
int socketOf(const QSqlDatabase& db) {
    // Qt names the type by libpq's struct: "pg_conn*".
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0))
        return -1;
    const PGconn* connection = *static_cast<PGconn* const*>(handle.constData());
    const int socket = connection ? PQsocket(connection) : -1;
    return socket < 0 ? -1 : ::fcntl(socket, F_DUPFD_CLOEXEC, 0);
}

} // namespace

// The watched thread is stuck in its wait: the wait is looked at from here.
AnswerWatch::AnswerWatch(int answerMs) {
    m_check.setInterval(std::clamp(answerMs / 10, 10, 1000));
    QObject::connect(&m_check, &QTimer::timeout,
                     [this, answerMs] { cutWaitingLongerThan(answerMs); });
    m_check.start();
}

AnswerWatch::Waiting::Waiting(AnswerWatch& watch) : m_watch(watch) {
    const QMutexLocker lock(&m_watch.m_mutex);
    m_watch.m_waiting.start();
}

AnswerWatch::Waiting::~Waiting() {
    const QMutexLocker lock(&m_watch.m_mutex);
    m_watch.m_waiting.invalidate();
}

// A long wait while answers come (a large training, a statement a shot,
// on a slow line) is no silence.
bool AnswerWatch::cutWaitingLongerThan(qint64 ms) {
    const QMutexLocker lock(&m_mutex);
    if (!m_waiting.isValid() || !m_waiting.hasExpired(ms - 1))
        return false;
    for (const int socket : m_sockets)
        if (heardWithin(socket, ms))
            return false;
    cutLocked();
    return true;
}

void AnswerWatch::cutForGood() {
    const QMutexLocker lock(&m_mutex);
    m_forGood = true;
    cutLocked();
}

bool AnswerWatch::takeCut() {
    const QMutexLocker lock(&m_mutex);
    return std::exchange(m_cut, false);
}

// The sockets are the connections' own copies of libpq's (see Connection):
// libpq closes its number when it finds the connection broken, and another
// file may get that number at once; a copy is the same socket until the
// connection ends. Shut, not closed: the connection closes it.
void AnswerWatch::cutLocked() {
    for (const int socket : m_sockets)
        ::shutdown(socket, SHUT_RDWR);
    m_cut = true;
    m_waiting.invalidate();
}

void AnswerWatch::attach(int socket) {
    const QMutexLocker lock(&m_mutex);
    m_sockets.push_back(socket);
    if (m_forGood)
        cutLocked();
}

void AnswerWatch::detach(int socket) {
    const QMutexLocker lock(&m_mutex);
    std::erase(m_sockets, socket);
}

Connection::Connection(const Credentials& server, AnswerWatch* watch)
    : m_name(uniqueConnectionName()), m_watch(watch) {
    const std::optional<Address> address = parseAddress(server.url, &m_problem);
    if (!address)
        return;
    if (!QSqlDatabase::isDriverAvailable(u"QPSQL"_s)) {
        m_problem = QCoreApplication::translate(
            "ankerblick::Connection", "Qt SQL kann nicht mit PostgreSQL sprechen: Bitte das Paket "
                                      "libqt6sql6-psql installieren.");
        return;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QPSQL"_s, m_name);
    db.setHostName(address->host);
    if (address->port > 0)
        db.setPort(address->port);
    db.setDatabaseName(address->database);
    db.setUserName(address->user);
    db.setPassword(server.password.isEmpty() ? address->password : server.password);
    db.setConnectOptions(address->options);
    m_open = db.open();
    if (!m_open) {
        m_problem = problemOf(db.lastError());
        return;
    }
    m_socket = m_watch ? socketOf(db) : -1;
    if (m_socket >= 0)
        m_watch->attach(m_socket);
}

Connection::~Connection() {
    if (m_socket >= 0) {
        m_watch->detach(m_socket);
        ::close(m_socket);
    }
    if (!QSqlDatabase::contains(m_name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase Connection::database() const {
    return QSqlDatabase::database(m_name, false);
}

bool Statements::exec(const QString& statement) {
    QSqlQuery& query = m_queries.emplace_back(m_db);
    return query.exec(statement) || fail(query.lastError());
}

QSqlQuery* Statements::query(const QString& statement, const QVariantList& values) {
    QSqlQuery& query = m_queries.emplace_back(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(statement)) {
        fail(query.lastError());
        return nullptr;
    }
    for (int i = 0; i < int(values.size()); ++i)
        query.bindValue(i, values[i]);
    if (!query.exec()) {
        fail(query.lastError());
        return nullptr;
    }
    return &query;
}

bool Statements::begin() {
    return m_db.transaction() || fail(m_db.lastError());
}

bool Statements::commit() {
    const bool done = m_db.commit() || fail(m_db.lastError());
    if (!done)
        rollback();
    m_queries.clear();
    return done;
}

void Statements::rollback() {
    // A connection the server dropped has nothing to roll back.
    if (m_db.isOpen())
        m_db.rollback();
    m_queries.clear();
}

bool Statements::fail(const QSqlError& error) {
    if (m_problem.isEmpty()) {
        m_problem = problemOf(error);
        m_code = error.nativeErrorCode();
    }
    return false;
}

bool Statements::refusedForGood() const {
    return m_code.startsWith(u"22"_s) || m_code.startsWith(u"23"_s) || m_code == u"42501"_s;
}

bool Statements::refuse(const QString& problem) {
    if (m_problem.isEmpty())
        m_problem = problem;
    return false;
}

} // namespace ankerblick::club
