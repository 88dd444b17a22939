#pragma once

// The club's tables on its PostgreSQL server, in the schema "ankerblick":
// their versions and migrations, the two group roles, and the shooters' and
// coaches' logins. Access is the server's business: row-level security lets
// a shooter's login read and write its own trainings only and a coach's
// login read every shooter's, and no login changes or deletes another's
// shots. Only the database's owner sets the tables up; the program refuses a
// server whose tables are newer than it knows, before it writes anything.

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace ankerblick::club {

// The version of the tables this program writes.
inline constexpr int kSchemaVersion = 2;
// The group roles a login is a member of.
inline constexpr QLatin1StringView kShooterRole{"ankerblick_schuetze"};
inline constexpr QLatin1StringView kCoachRole{"ankerblick_trainer"};
// Notified with every new or changed series; the payload is JSON with the
// series' login, training, number and revision.
inline constexpr QLatin1StringView kSeriesChannel{"ankerblick_serie"};

class Statements;

// The version of the tables on the server, 0 when there are none; empty,
// with the statements' problem set, when it cannot be read.
std::optional<int> schemaVersion(Statements& sql);
// Why the program must not write tables of `version`; empty for its own.
QString versionProblem(int version);

struct SetUp {
    bool ok = false;
    int before = 0; // the version found
    int after = 0;  // the version left
    QString problem;
};
// Creates the group roles and the tables, or migrates them to `to` (the
// program's own version unless a test asks for an earlier one), each
// version's step one transaction. Run as the database's owner, who may
// create roles. Changes nothing when the tables are current.
SetUp setUp(QSqlDatabase& db, int to = kSchemaVersion);

enum class LoginKind { Shooter, Coach };
// Why `login` cannot be a login of the club; empty when it can: lower-case
// letters, digits, '_', '.', '-', beginning with a letter, at most 63.
QString loginNameProblem(const QString& login);
// Creates the login with its password, or gives an existing login of the
// club a new one, and makes it a member of the kind's group role; it is
// listed in the shooters table. A role that is no login of the club (the
// owner, the superuser) is refused. Empty on success, otherwise why not.
QString addLogin(QSqlDatabase& db, const QString& login, const QString& password, LoginKind kind);

// The SCRAM-SHA-256 verifier the server keeps for `password`: the server is
// told this, never the password.
QByteArray scramVerifier(const QString& password, const QByteArray& salt, int iterations = 4096);

} // namespace ankerblick::club
