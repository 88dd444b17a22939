#pragma once

// A connection to the club's PostgreSQL server, given as a libpq connection
// URI:
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

#include <QByteArray>
#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <atomic>
#include <list>
#include <memory>
#include <optional>
#include <vector>

namespace ankerblick::club {

// The German sentence for a failure of the server or the connection.
QString problemOf(const QSqlError& error);

// The sentence for a server that stopped answering.
QString silentProblem();

// Ends the waits of a thread's connections at once, from any thread, and
// every wait after: said before the thread is waited for, so that a server
// that does not answer (or a name that takes long to look up) never holds
// the program's end.
class Stop {
public:
    Stop();
    ~Stop();
    Stop(const Stop&) = delete;
    Stop& operator=(const Stop&) = delete;

    void raise();
    bool raised() const { return m_raised; }
    // Readable once raised, for poll().
    int descriptor() const { return m_descriptor; }

private:
    int m_descriptor = -1;
    std::atomic<bool> m_raised = false;
};

// How long a Link waits: for the connection to be made (the name looked
// up, the server reached, the login accepted), and for the server between
// two pieces of an answer. A server that takes what is sent and never
// answers (stopped, hung on its disk, behind a broken router) is found by
// these alone: the network's own timeouts see every byte acknowledged.
struct Deadlines {
    int connectMs = 10000;
    int answerMs = 30000;
};

class Rows;

// A connection of libpq's own, for the threads that talk to the server
// while the program runs (the sync, the coach's reader): every wait for
// the server is a poll() on its socket with a deadline, and ends at once
// when `stop` is raised. Used by the thread that opened it.
class Link {
public:
    Link(const Credentials& server, Deadlines deadlines, const Stop* stop);
    ~Link();
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    bool isOpen() const { return m_open; }
    // Why the connection could not be opened, or was lost.
    QString problem() const { return m_problem; }
    QString userName() const;

    struct Failure {
        QString problem; // problemOf(), or silentProblem() after a deadline
        QString code;    // SQLSTATE, when the server said it
    };
    // Runs one statement, `values` bound as $1, $2, … (text, or bytes for
    // a QByteArray); its rows, or nullptr with `failure` set.
    std::unique_ptr<Rows> run(const QString& statement, const QVariantList& values,
                              Failure& failure);

    // For a thread that listens: the socket to watch for the server's
    // notices, and the payloads of those that came since the last call, in
    // order; empty when the connection is lost.
    int socket() const;
    std::optional<QList<QByteArray>> takeNotices();

private:
    struct Handle;
    bool connectNow(const Credentials& server);
    bool send(const QByteArray& statement, const QVariantList& values);
    bool flush();
    bool await(short events, int ms);
    bool lose(const QString& problem);

    std::unique_ptr<Handle> m_handle;
    Deadlines m_deadlines;
    const Stop* m_stop = nullptr;
    QString m_problem;
    bool m_open = false;
    bool m_silent = false; // the last wait ran out
};

// One connection of Qt SQL's PostgreSQL driver, used by the thread that
// opened it, and closed and removed with this object: the administrator's
// setup, which runs in the foreground and may take its time.
class Connection {
public:
    explicit Connection(const Credentials& server);
    // A URI that may hold its own password, as libpq takes one.
    explicit Connection(const QString& url) : Connection(Credentials{url, {}}) {}
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
};

// The rows of a statement, read forward: from libpq's answer, or through
// a QSqlQuery.
class Rows {
public:
    explicit Rows(QSqlDatabase db);
    explicit Rows(std::shared_ptr<void> result);
    Rows(const Rows&) = delete;
    Rows& operator=(const Rows&) = delete;

    bool next();
    // The column's value as the driver types it: booleans, integers, real
    // numbers and bytes as such, everything else as text; null as null.
    QVariant value(int column) const;
    // The query behind, for a Statements on Qt SQL.
    QSqlQuery* query() { return m_query ? &*m_query : nullptr; }

private:
    std::optional<QSqlQuery> m_query;
    std::shared_ptr<void> m_result; // PGresult
    int m_row = -1;
};

// Runs the statements of a transaction, values bound, on a Link or on Qt
// SQL's connection, and keeps the first failure as problemOf() says it.
// The rows stay until the transaction ends: Qt's driver frees a prepared
// statement on the server when its query goes, which a failed transaction
// would refuse.
class Statements {
public:
    explicit Statements(Link& link) : m_link(&link) {}
    explicit Statements(QSqlDatabase db) : m_db(std::move(db)) {}

    // A statement of the program's own, without values.
    bool exec(const QString& statement) { return run(statement); }
    // With `values` bound in order to its '?', and run; its rows, or
    // nullptr when it failed.
    Rows* query(const QString& statement, const QVariantList& values = {});
    bool run(const QString& statement, const QVariantList& values = {}) {
        return query(statement, values) != nullptr;
    }

    bool begin();
    bool commit();
    void rollback();

    // False, keeping `error` when it is the first failure.
    bool fail(const QSqlError& error);
    bool fail(const Link::Failure& failure);
    // False, keeping a reason of the program's own when it is the first.
    bool refuse(const QString& problem);
    QString problem() const { return m_problem; }
    // Whether the server refused what was sent for good: the data broke a
    // rule of its tables (SQLSTATE classes 22 and 23), or the login may not
    // write it (42501). Sending it again changes nothing; a lost connection,
    // a server shutting down or tables of another version are no such refusal.
    bool refusedForGood() const;

private:
    Rows* queryQt(const QString& statement, const QVariantList& values);

    Link* m_link = nullptr;
    QSqlDatabase m_db; // when there is no link
    std::list<std::unique_ptr<Rows>> m_rows;
    QString m_problem;
    QString m_code; // SQLSTATE of the first failure
};

} // namespace ankerblick::club
