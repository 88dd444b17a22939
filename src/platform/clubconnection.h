#pragma once

// A connection to the club's PostgreSQL server through Qt SQL's PostgreSQL
// driver, given as a libpq connection URI:
//
//   postgresql://[user[:password]@][host][:port][/database][?key=value&...]
//
// The host may also be a socket folder (percent-encoded, or as ?host=/path),
// and the parameters are libpq's own (sslmode=require, connect_timeout=…).
// The program gives the password apart from the URI (club::Credentials); a
// missing one is found by libpq itself (~/.pgpass, PGPASSWORD).
//
// Every failure is said in one German sentence for the user; the server's
// own words only when none of them fits.

#include "services/clubaddress.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QTimer>
#include <QVariant>

#include <list>
#include <optional>
#include <vector>

namespace ankerblick::club {

// The German sentence for a failure of the server or the connection.
QString problemOf(const QSqlError& error);

// The sentence for a server cut off by an AnswerWatch.
QString silentProblem();

// Cuts the connections of a thread whose server stopped answering. A
// server that takes what is sent and never answers (stopped, hung on its
// disk, behind a broken router) holds the thread's call for ever: the
// network's own timeouts see every byte acknowledged. The thread marks
// how long it waits for an answer (Waiting); another thread cuts the
// sockets of its connections when that is too long, or for good when the
// thread is to end. The waiting call then returns at once, the connection
// lost, and what it sent is rolled back by the server.
class AnswerWatch {
public:
    // Looks at the wait from the thread that makes it, every tenth of
    // `answerMs` (at most every second).
    explicit AnswerWatch(int answerMs);
    AnswerWatch(const AnswerWatch&) = delete;
    AnswerWatch& operator=(const AnswerWatch&) = delete;

    // While one lives, its thread waits for an answer of the server.
    class Waiting {
    public:
        explicit Waiting(AnswerWatch& watch);
        ~Waiting();
        Waiting(const Waiting&) = delete;
        Waiting& operator=(const Waiting&) = delete;

    private:
        AnswerWatch& m_watch;
    };

    // From any thread: cuts when the wait has lasted `ms` or more and
    // nothing came from the server for as long; true when it cut.
    bool cutWaitingLongerThan(qint64 ms);
    // From any thread: cuts now, and every connection opened after.
    void cutForGood();
    // On the watched thread: whether its connections were cut since it
    // last asked.
    bool takeCut();

private:
    friend class Connection;
    void attach(int socket);
    void detach(int socket);
    void cutLocked();

    QMutex m_mutex;
    std::vector<int> m_sockets;
    QElapsedTimer m_waiting; // valid while waiting
    bool m_cut = false;
    bool m_forGood = false;
    QTimer m_check;
};

// One connection, used by the thread that opened it, and closed and
// removed with this object; watched by `watch` when given.
class Connection {
public:
    explicit Connection(const Credentials& server, AnswerWatch* watch = nullptr);
    // The administrator's setup: a URI that may hold its own password, as
    // libpq takes one.
    explicit Connection(const QString& url, AnswerWatch* watch = nullptr)
        : Connection(Credentials{url, {}}, watch) {}
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool isOpen() const { return m_open; }
    // Why the connection could not be opened.
    QString problem() const { return m_problem; }
    QSqlDatabase database() const;

private:
    QString m_name;
    QString m_problem;
    bool m_open = false;
    AnswerWatch* m_watch = nullptr;
    int m_socket = -1;
};

// Runs the statements of a transaction, values bound, and keeps the first
// failure as problemOf() says it. The queries stay until the transaction
// ends: the driver frees a prepared statement on the server when its query
// goes, which a failed transaction would refuse.
class Statements {
public:
    explicit Statements(QSqlDatabase db) : m_db(std::move(db)) {}

    // A statement of the program's own, without values.
    bool exec(const QString& statement);
    // Prepared, with `values` bound in order, and run; the query for reading
    // its rows, or nullptr when it failed.
    QSqlQuery* query(const QString& statement, const QVariantList& values = {});
    bool run(const QString& statement, const QVariantList& values = {}) {
        return query(statement, values) != nullptr;
    }

    bool begin();
    bool commit();
    void rollback();

    // False, keeping `error` when it is the first failure.
    bool fail(const QSqlError& error);
    // False, keeping a reason of the program's own when it is the first.
    bool refuse(const QString& problem);
    QString problem() const { return m_problem; }
    // Whether the server refused what was sent for good: the data broke a
    // rule of its tables (SQLSTATE classes 22 and 23), or the login may not
    // write it (42501). Sending it again changes nothing; a lost connection,
    // a server shutting down or tables of another version are no such refusal.
    bool refusedForGood() const;

private:
    QSqlDatabase m_db;
    std::list<QSqlQuery> m_queries;
    QString m_problem;
    QString m_code; // SQLSTATE of the first failure
};

} // namespace ankerblick::club
