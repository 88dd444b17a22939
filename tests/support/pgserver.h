#pragma once

// A real PostgreSQL server for a test, in a temporary folder of its own:
// initdb'd there, listening on a socket in that folder and on 127.0.0.1 at a
// free port, TLS off unless asked for. The server refuses to run as root, so
// when the test runs as root it runs as the unprivileged user "nobody". It
// dies with the test process (a parent-death signal) and is stopped and its
// folder removed when the fixture goes, also when the test failed.
//
// The cluster's superuser is "postgres" with kSuperPassword; the owner of the
// club's databases is kOwner with kOwnerPassword, allowed to create roles,
// as the administrator sets it up with createuser --createrole.

#include "services/clubaddress.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace ankerblick::test {

class PgServer {
public:
    static constexpr QLatin1StringView kSuperPassword{"postgres-geheim"};
    static constexpr QLatin1StringView kOwner{"vereinsadmin"};
    static constexpr QLatin1StringView kOwnerPassword{"admin-geheim"};

    PgServer() = default;
    ~PgServer();
    PgServer(const PgServer&) = delete;
    PgServer& operator=(const PgServer&) = delete;

    // Makes the cluster and starts it; false with error() set when it fails.
    // With `tls` the server has a self-signed certificate and offers TLS;
    // with `expired` as well, one whose validity ended years ago.
    bool create(bool tls = false, bool expired = false);
    // `pg_ctl stop -m immediate`: the server stops as on a crash.
    bool stop();
    // Starts the stopped server again on the same port.
    bool start();
    bool running() const;

    QString error() const { return m_error; }
    int port() const { return m_port; }
    // The folder of the server's socket.
    QString socketFolder() const;
    // The server's self-signed certificate, when it has one.
    QString certificate() const;

    // A connection URI over TCP on 127.0.0.1, as a lane would write it; to
    // `port` (a proxy's) instead of the server's when given.
    QString url(const QString& user, const QString& password, const QString& database,
                int port = 0) const;
    // The same URI without the password, and the password apart, as the
    // program hands them to its club connections.
    club::Credentials login(const QString& user, const QString& password, const QString& database,
                            int port = 0) const {
        return {url(user, {}, database, port), password};
    }
    // The owner's URI of `database`.
    QString ownerUrl(const QString& database) const;

    // Runs SQL as the superuser on `database` (psql, stopping at the first
    // error); false with error() set when it fails.
    bool superSql(const QString& sql, const QString& database = QStringLiteral("postgres"));
    // A new, empty database owned by kOwner.
    bool createDatabase(const QString& name);

private:
    bool run(const QString& program, const QStringList& arguments, int timeoutMs = 60000,
             const QByteArray& input = {});
    QString binary(const QString& name) const;
    bool waitReady();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QProcess> m_server;
    QString m_bin;
    QString m_error;
    int m_port = 0;
    unsigned m_uid = 0;
    unsigned m_gid = 0;
    bool m_switchUser = false;
};

} // namespace ankerblick::test
