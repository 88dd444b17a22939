#include "clubconnection.h"

#include "model/logging.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QStringList>

#include <arpa/inet.h>
#include <libpq-fe.h>
#include <netdb.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <mutex>
#include <thread>
#include <utility>

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

namespace {

// `text`: libpq's and the server's words, in English and in German (the
// server's messages follow its own language setting); `code`: the SQLSTATE;
// `serverText`: the server's own message, said when nothing else fits.
QString problemIn(const QString& text, const QString& code, bool connecting,
                  const QString& serverText) {
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
        .arg(serverText.trimmed());
}

} // namespace

QString problemOf(const QSqlError& error) {
    return problemIn(error.driverText() + u' ' + error.databaseText(), error.nativeErrorCode(),
                     error.type() == QSqlError::ConnectionError, error.databaseText());
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

Stop::Stop() : m_descriptor(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

Stop::~Stop() {
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

// Never read: the descriptor stays readable for every wait after.
void Stop::raise() {
    m_raised = true;
    const quint64 one = 1;
    if (::write(m_descriptor, &one, sizeof one) < 0)
        qCWarning(lcClub, "The club connection's stop could not be raised");
}

namespace {

enum class Waited { Ready, TimedOut, Stopped };

// Waits until `descriptor` is ready for `events`, at most `ms`, or `stop`
// is raised.
Waited waitFor(int descriptor, short events, int ms, const Stop* stop) {
    pollfd watched[2] = {{descriptor, events, 0}, {stop ? stop->descriptor() : -1, POLLIN, 0}};
    QDeadlineTimer deadline(std::max(ms, 0));
    for (;;) {
        const int ready = ::poll(watched, 2, int(deadline.remainingTime()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (watched[1].revents != 0)
            return Waited::Stopped;
        if (ready > 0)
            return Waited::Ready;
        return Waited::TimedOut;
    }
}

// A host name looked up on a thread of its own: libpq's own lookup cannot
// be interrupted, and a name server that does not answer would hold the
// thread, and the program's end, for as long as the system's resolver
// tries. A lookup no longer waited for ends by itself.
struct Lookup {
    std::mutex mutex;
    QStringList addresses; // numeric, at most four
    int descriptor = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    Lookup() = default;
    Lookup(const Lookup&) = delete;
    Lookup& operator=(const Lookup&) = delete;
    ~Lookup() {
        if (descriptor >= 0)
            ::close(descriptor);
    }
};

void lookUp(const std::shared_ptr<Lookup>& lookup, const QByteArray& name) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    QStringList addresses;
    if (::getaddrinfo(name.constData(), nullptr, &hints, &found) == 0) {
        for (const addrinfo* a = found; a && addresses.size() < 4; a = a->ai_next) {
            char text[NI_MAXHOST] = {};
            if (::getnameinfo(a->ai_addr, a->ai_addrlen, text, sizeof text, nullptr, 0,
                              NI_NUMERICHOST) == 0 &&
                !addresses.contains(QLatin1StringView(text)))
                addresses << QString::fromLatin1(text);
        }
        ::freeaddrinfo(found);
    }
    const std::lock_guard lock(lookup->mutex);
    lookup->addresses = addresses;
    const quint64 one = 1;
    if (::write(lookup->descriptor, &one, sizeof one) < 0)
        qCWarning(lcClub, "A looked up host name could not be handed over");
}

// A value in libpq's conninfo syntax.
QByteArray quoted(const QString& value) {
    QString text = value;
    text.replace(u'\\', u"\\\\"_s).replace(u'\'', u"\\'"_s);
    return '\'' + text.toUtf8() + '\'';
}

// `host` needs looking up: a name, neither a socket folder nor an address.
bool isHostName(const Address& address) {
    if (address.host.isEmpty() || address.host.startsWith(u'/') ||
        address.options.contains(u"hostaddr="_s))
        return false;
    const QByteArray host = address.host.toLatin1();
    in6_addr numeric{};
    return ::inet_pton(AF_INET, host.constData(), &numeric) != 1 &&
           ::inet_pton(AF_INET6, host.constData(), &numeric) != 1;
}

} // namespace

struct Link::Handle {
    PGconn* connection = nullptr;
    Handle() = default;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (connection)
            PQfinish(connection);
    }
};

Link::Link(const Credentials& server, Deadlines deadlines, const Stop* stop)
    : m_handle(std::make_unique<Handle>()), m_deadlines(deadlines), m_stop(stop) {
    m_open = connectNow(server);
    if (!m_open)
        m_handle = std::make_unique<Handle>();
}

Link::~Link() = default;

QString Link::userName() const {
    return m_handle->connection ? QString::fromUtf8(PQuser(m_handle->connection)) : QString();
}

int Link::socket() const {
    return m_open ? PQsocket(m_handle->connection) : -1;
}

// The connection is made within the connect deadline, the name looked up
// in it; never past a raised stop.
bool Link::connectNow(const Credentials& server) {
    const std::optional<Address> address = parseAddress(server.url, &m_problem);
    if (!address)
        return false;
    const QDeadlineTimer deadline(m_deadlines.connectMs);
    const auto unreachable = [this] {
        m_problem = problemIn(u"timeout expired"_s, {}, true, {});
        return false;
    };
    QByteArray info = address->host.isEmpty() ? QByteArray() : "host=" + quoted(address->host);
    if (isHostName(*address)) {
        const auto lookup = std::make_shared<Lookup>();
        std::thread(lookUp, lookup, address->host.toUtf8()).detach();
        if (waitFor(lookup->descriptor, POLLIN, int(deadline.remainingTime()), m_stop) !=
            Waited::Ready)
            return unreachable();
        const std::lock_guard lock(lookup->mutex);
        if (lookup->addresses.isEmpty()) {
            m_problem = problemIn(u"could not translate host name"_s, {}, true, {});
            return false;
        }
        // Each address is tried in turn, with the name for TLS and ~/.pgpass.
        const QStringList names(lookup->addresses.size(), address->host);
        info = "host=" + quoted(names.join(u',')) +
               " hostaddr=" + quoted(lookup->addresses.join(u','));
    }
    if (address->port > 0)
        info += " port=" + QByteArray::number(address->port);
    // What is not given libpq finds itself (PGUSER, ~/.pgpass, PGPASSWORD).
    const QString password = server.password.isEmpty() ? address->password : server.password;
    for (const auto& [key, value] :
         {std::pair{"dbname", address->database}, std::pair{"user", address->user},
          std::pair{"password", password}})
        if (!value.isEmpty())
            info += ' ' + QByteArray(key) + '=' + quoted(value);
    info += ' ' + QString(address->options).replace(u';', u' ').toUtf8();
    m_handle->connection = PQconnectStart(info.constData());
    PGconn* c = m_handle->connection;
    if (!c || PQstatus(c) == CONNECTION_BAD) {
        m_problem = problemIn(c ? QString::fromUtf8(PQerrorMessage(c)) : QString(), {}, true, {});
        return false;
    }
    PQsetNoticeProcessor(
        c, [](void*, const char*) {}, nullptr);
    for (PostgresPollingStatusType state = PGRES_POLLING_WRITING; state != PGRES_POLLING_OK;
         state = PQconnectPoll(c)) {
        if (state == PGRES_POLLING_FAILED) {
            m_problem = problemIn(QString::fromUtf8(PQerrorMessage(c)), {}, true, {});
            return false;
        }
        const short events = state == PGRES_POLLING_READING ? POLLIN : POLLOUT;
        if (waitFor(PQsocket(c), events, int(deadline.remainingTime()), m_stop) != Waited::Ready)
            return unreachable();
    }
    return PQsetnonblocking(c, 1) == 0 || lose(problemIn({}, {}, true, {}));
}

// Waits for the socket; false, the connection lost, when the server was
// silent for the deadline or the stop was raised.
bool Link::await(short events, int ms) {
    switch (waitFor(PQsocket(m_handle->connection), events, ms, m_stop)) {
    case Waited::Ready:
        return true;
    case Waited::TimedOut:
        m_silent = true;
        return lose(silentProblem());
    case Waited::Stopped:
        return lose(silentProblem());
    }
    return false;
}

// The connection is no more: what was sent and not committed is rolled
// back by the server.
bool Link::lose(const QString& problem) {
    m_open = false;
    m_problem = problem;
    m_handle = std::make_unique<Handle>();
    return false;
}

namespace {

// '?' outside quotes becomes $1, $2, …, as libpq takes its parameters.
QByteArray numbered(const QString& statement) {
    QString out;
    out.reserve(statement.size() + 16);
    QChar quote;
    int number = 0;
    for (const QChar c : statement) {
        if (!quote.isNull())
            quote = c == quote ? QChar() : quote;
        else if (c == u'\'' || c == u'"')
            quote = c;
        if (c == u'?' && quote.isNull()) {
            out += u'$' + QString::number(++number);
            continue;
        }
        out += c;
    }
    return out.toUtf8();
}

// A value in libpq's text format, or the bytes of a QByteArray; null for
// a null value.
std::optional<QByteArray> parameterOf(const QVariant& value) {
    if (value.isNull())
        return std::nullopt;
    switch (value.typeId()) {
    case QMetaType::Bool:
        return QByteArray(value.toBool() ? "t" : "f");
    case QMetaType::Double:
    case QMetaType::Float: {
        const double number = value.toDouble();
        if (std::isnan(number))
            return QByteArray("NaN");
        if (std::isinf(number))
            return QByteArray(number > 0 ? "Infinity" : "-Infinity");
        return QByteArray::number(number, 'g', 17);
    }
    case QMetaType::QByteArray:
        return value.toByteArray();
    default:
        return value.toString().toUtf8();
    }
}

Link::Failure failureOf(const PGresult* result) {
    const char* code = PQresultErrorField(result, PG_DIAG_SQLSTATE);
    Link::Failure failure;
    failure.code = QString::fromLatin1(code ? code : "");
    // The server's own words, with the SQLSTATE for whoever looks after it.
    const QString words = QString::fromUtf8(PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY));
    failure.problem = problemIn(QString::fromUtf8(PQresultErrorMessage(result)), failure.code,
                                false, u"%1 (%2)"_s.arg(words, failure.code));
    return failure;
}

} // namespace

bool Link::send(const QByteArray& statement, const QVariantList& values) {
    std::vector<std::optional<QByteArray>> texts;
    std::vector<const char*> pointers;
    std::vector<int> lengths;
    std::vector<int> formats;
    for (const QVariant& value : values) {
        texts.push_back(parameterOf(value));
        formats.push_back(value.typeId() == QMetaType::QByteArray ? 1 : 0);
    }
    for (const std::optional<QByteArray>& text : texts) {
        pointers.push_back(text ? text->constData() : nullptr);
        lengths.push_back(text ? int(text->size()) : 0);
    }
    if (!PQsendQueryParams(m_handle->connection, statement.constData(), int(values.size()), nullptr,
                           pointers.data(), lengths.data(), formats.data(), 0))
        return lose(
            problemIn(QString::fromUtf8(PQerrorMessage(m_handle->connection)), {}, false, {}));
    return flush();
}

// Sends what libpq holds; the server's answers are read meanwhile, so that
// neither side waits for the other.
bool Link::flush() {
    for (;;) {
        const int left = PQflush(m_handle->connection);
        if (left == 0)
            return true;
        if (left < 0 || !await(POLLIN | POLLOUT, m_deadlines.answerMs))
            return m_open ? lose(problemIn(QString::fromUtf8(PQerrorMessage(m_handle->connection)),
                                           {}, false, {}))
                          : false;
        if (!PQconsumeInput(m_handle->connection))
            return lose(
                problemIn(QString::fromUtf8(PQerrorMessage(m_handle->connection)), {}, false, {}));
    }
}

std::unique_ptr<Rows> Link::run(const QString& statement, const QVariantList& values,
                                Failure& failure) {
    m_silent = false;
    const auto failed = [&] {
        failure = {m_problem, {}};
        return nullptr;
    };
    if (!m_open || !send(values.isEmpty() ? statement.toUtf8() : numbered(statement), values))
        return failed();
    std::shared_ptr<void> rows;
    bool refused = false;
    for (;;) {
        PGconn* c = m_handle->connection;
        while (PQisBusy(c)) {
            // Every piece of the answer sets the deadline anew: a long
            // answer on a slow line is no silence.
            if (!await(POLLIN, m_deadlines.answerMs))
                return failed();
            if (!PQconsumeInput(c)) {
                lose(problemIn(QString::fromUtf8(PQerrorMessage(c)), {}, false, {}));
                return failed();
            }
        }
        PGresult* result = PQgetResult(c);
        if (!result)
            break;
        const ExecStatusType status = PQresultStatus(result);
        if (!refused && status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
            refused = true;
            failure = failureOf(result);
        }
        if (rows || refused)
            PQclear(result);
        else
            rows =
                std::shared_ptr<void>(result, [](void* r) { PQclear(static_cast<PGresult*>(r)); });
    }
    if (PQstatus(m_handle->connection) == CONNECTION_BAD) {
        lose(refused ? failure.problem
                     : problemIn(u"connection to server was lost"_s, {}, false, {}));
        return failed();
    }
    if (refused || !rows)
        return refused ? nullptr : failed();
    return std::make_unique<Rows>(rows);
}

std::optional<QList<QByteArray>> Link::takeNotices() {
    if (!m_open)
        return std::nullopt;
    PGconn* c = m_handle->connection;
    if (!PQconsumeInput(c) || PQstatus(c) == CONNECTION_BAD) {
        lose(problemIn(QString::fromUtf8(PQerrorMessage(c)), {}, false, {}));
        return std::nullopt;
    }
    QList<QByteArray> notices;
    while (PGnotify* notice = PQnotifies(c)) {
        notices << QByteArray(notice->extra);
        PQfreemem(notice);
    }
    return notices;
}

Connection::Connection(const Credentials& server) : m_name(uniqueConnectionName()) {
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
    if (!m_open)
        m_problem = problemOf(db.lastError());
}

Connection::~Connection() {
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

Rows::Rows(QSqlDatabase db) : m_query(std::in_place, db) {
    m_query->setForwardOnly(true);
}

Rows::Rows(std::shared_ptr<void> result) : m_result(std::move(result)) {}

bool Rows::next() {
    if (m_query)
        return m_query->next();
    const auto* result = static_cast<const PGresult*>(m_result.get());
    if (m_row >= PQntuples(result))
        return false;
    return ++m_row < PQntuples(result);
}

QVariant Rows::value(int column) const {
    if (m_query)
        return m_query->value(column);
    const auto* result = static_cast<const PGresult*>(m_result.get());
    if (m_row < 0 || m_row >= PQntuples(result) || column >= PQnfields(result) ||
        PQgetisnull(result, m_row, column))
        return {};
    const QByteArray text(PQgetvalue(result, m_row, column), PQgetlength(result, m_row, column));
    // Type numbers of PostgreSQL's catalogue (pg_type).
    switch (PQftype(result, column)) {
    case 16: // boolean
        return text == "t";
    case 17: // bytea, as \x and hex digits
        return QByteArray::fromHex(text.mid(2));
    case 20: // bigint
        return text.toLongLong();
    case 21: // smallint
    case 23: // integer
        return text.toInt();
    case 700:  // real
    case 701:  // double precision
    case 1700: // numeric
        return text.toDouble();
    default:
        return QString::fromUtf8(text);
    }
}

Rows* Statements::query(const QString& statement, const QVariantList& values) {
    if (!m_link)
        return queryQt(statement, values);
    Link::Failure failure;
    std::unique_ptr<Rows> rows = m_link->run(statement, values, failure);
    if (!rows) {
        fail(failure);
        return nullptr;
    }
    return m_rows.emplace_back(std::move(rows)).get();
}

Rows* Statements::queryQt(const QString& statement, const QVariantList& values) {
    Rows* rows = m_rows.emplace_back(std::make_unique<Rows>(m_db)).get();
    QSqlQuery& query = *rows->query();
    if (values.isEmpty()) {
        if (!query.exec(statement)) {
            fail(query.lastError());
            return nullptr;
        }
        return rows;
    }
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
    return rows;
}

bool Statements::begin() {
    if (m_link)
        return exec(u"BEGIN"_s);
    return m_db.transaction() || fail(m_db.lastError());
}

bool Statements::commit() {
    const bool done = m_link ? exec(u"COMMIT"_s) : (m_db.commit() || fail(m_db.lastError()));
    if (!done)
        rollback();
    m_rows.clear();
    return done;
}

void Statements::rollback() {
    // A connection the server dropped has nothing to roll back.
    if (m_link && m_link->isOpen()) {
        Link::Failure ignored;
        m_link->run(u"ROLLBACK"_s, {}, ignored);
    } else if (!m_link && m_db.isOpen()) {
        m_db.rollback();
    }
    m_rows.clear();
}

bool Statements::fail(const QSqlError& error) {
    return fail(Link::Failure{problemOf(error), error.nativeErrorCode()});
}

bool Statements::fail(const Link::Failure& failure) {
    if (m_problem.isEmpty()) {
        m_problem = failure.problem;
        m_code = failure.code;
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
