#include "clubschema.h"

#include "clubconnection.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <array>
#include <span>

namespace ankerblick::club {

using namespace Qt::StringLiterals;

namespace {

// Two setups at once wait for each other; the key is the program's own.
constexpr QLatin1StringView kSetUpLock{"SELECT pg_advisory_xact_lock(7130417362051)"};

// The group roles, created when the server has none yet (they belong to the
// whole server, not to one database).
bool createRoles(Statements& sql) {
    for (QLatin1StringView role : {kShooterRole, kCoachRole}) {
        Rows* exists = sql.query(u"SELECT 1 FROM pg_roles WHERE rolname = ?"_s, {QString(role)});
        if (!exists || (!exists->next() && !sql.exec(u"CREATE ROLE \"%1\" NOLOGIN"_s.arg(role))))
            return false;
    }
    return true;
}

// The first tables: shooters, trainings, series and shots. A training is
// known by an identity its lane chose (derived from the lane's diary and the
// training's id there), a series by its training and number and a shot by
// its series and slot, so that sending it again changes nothing; a series
// carries the revision of its last change on the lane, and a later revision
// replaces it with its shots. Each row names the login it belongs to.
constexpr QLatin1StringView kVersion1[]{
    "CREATE SCHEMA ankerblick"_L1,
    "REVOKE ALL ON SCHEMA ankerblick FROM PUBLIC"_L1,
    "GRANT USAGE ON SCHEMA ankerblick TO ankerblick_schuetze, ankerblick_trainer"_L1,
    "CREATE TABLE ankerblick.schema_version (version integer PRIMARY KEY, "
    "applied timestamptz NOT NULL DEFAULT now())"_L1,
    "CREATE TABLE ankerblick.shooters (login text PRIMARY KEY, "
    "coach boolean NOT NULL DEFAULT false, created timestamptz NOT NULL DEFAULT now())"_L1,
    "CREATE TABLE ankerblick.trainings ("
    "id uuid PRIMARY KEY, "
    "login text NOT NULL DEFAULT current_user REFERENCES ankerblick.shooters (login), "
    "lane uuid NOT NULL, local_id bigint NOT NULL, "
    "shooter text NOT NULL, discipline integer NOT NULL, window_name text NOT NULL, "
    "started timestamptz, ended timestamptz, "
    "comments text NOT NULL DEFAULT '', shot_times text NOT NULL DEFAULT '', "
    "shooting_times text NOT NULL DEFAULT '', calibre double precision NOT NULL DEFAULT 0, "
    "program text NOT NULL DEFAULT '', received timestamptz NOT NULL DEFAULT now(), "
    "UNIQUE (lane, local_id), UNIQUE (id, login))"_L1,
    "CREATE INDEX trainings_by_login ON ankerblick.trainings (login, started)"_L1,
    "CREATE TABLE ankerblick.series ("
    "training uuid NOT NULL, number integer NOT NULL CHECK (number > 0), "
    "login text NOT NULL DEFAULT current_user, revision bigint NOT NULL, "
    "time timestamptz, sighter boolean NOT NULL DEFAULT false, record bytea NOT NULL, "
    "shots integer NOT NULL, scored integer NOT NULL, sum_whole double precision NOT NULL, "
    "sum_tenths double precision NOT NULL, calls_rated integer NOT NULL, "
    "calls10 integer NOT NULL, sekmm_sum double precision NOT NULL, "
    "mpi_x double precision NOT NULL, mpi_y double precision NOT NULL, "
    "group_size double precision NOT NULL, inner_tens integer NOT NULL, "
    "received timestamptz NOT NULL DEFAULT now(), "
    "PRIMARY KEY (training, number), "
    "FOREIGN KEY (training, login) REFERENCES ankerblick.trainings (id, login))"_L1,
    "CREATE INDEX series_by_login ON ankerblick.series (login, received)"_L1,
    "CREATE TABLE ankerblick.shots ("
    "training uuid NOT NULL, series integer NOT NULL, "
    "slot integer NOT NULL CHECK (slot BETWEEN 0 AND 9), "
    "login text NOT NULL DEFAULT current_user, "
    "hit_x double precision NOT NULL, hit_y double precision NOT NULL, "
    "call_x double precision, call_y double precision, value double precision, "
    "call_value double precision, rating integer, sekmm integer, "
    "shot_time double precision, shooting_time double precision, "
    "comment text NOT NULL DEFAULT '', inner_ten boolean NOT NULL DEFAULT false, "
    "PRIMARY KEY (training, series, slot), "
    "FOREIGN KEY (training, series) REFERENCES ankerblick.series (training, number), "
    "FOREIGN KEY (training, login) REFERENCES ankerblick.trainings (id, login))"_L1,
    // Who may do what: a shooter writes trainings and series and replaces
    // the shots of a series; a coach only reads; nobody but the owner
    // deletes a training or a series.
    "REVOKE ALL ON ALL TABLES IN SCHEMA ankerblick FROM PUBLIC"_L1,
    "GRANT SELECT ON ankerblick.schema_version, ankerblick.shooters "
    "TO ankerblick_schuetze, ankerblick_trainer"_L1,
    "GRANT SELECT, INSERT ON ankerblick.trainings, ankerblick.series TO ankerblick_schuetze"_L1,
    "GRANT UPDATE (shooter, discipline, window_name, started, ended, comments, shot_times, "
    "shooting_times, calibre, program) ON ankerblick.trainings TO ankerblick_schuetze"_L1,
    "GRANT UPDATE (revision, time, sighter, record, shots, scored, sum_whole, sum_tenths, "
    "calls_rated, calls10, sekmm_sum, mpi_x, mpi_y, group_size, inner_tens, received) "
    "ON ankerblick.series TO ankerblick_schuetze"_L1,
    "GRANT SELECT, INSERT, DELETE ON ankerblick.shots TO ankerblick_schuetze"_L1,
    "GRANT SELECT ON ankerblick.trainings, ankerblick.series, ankerblick.shots "
    "TO ankerblick_trainer"_L1,
    // The rows each login reaches.
    "ALTER TABLE ankerblick.shooters ENABLE ROW LEVEL SECURITY"_L1,
    "ALTER TABLE ankerblick.trainings ENABLE ROW LEVEL SECURITY"_L1,
    "ALTER TABLE ankerblick.series ENABLE ROW LEVEL SECURITY"_L1,
    "ALTER TABLE ankerblick.shots ENABLE ROW LEVEL SECURITY"_L1,
    "CREATE POLICY own ON ankerblick.shooters FOR SELECT TO ankerblick_schuetze "
    "USING (login = current_user)"_L1,
    "CREATE POLICY coach ON ankerblick.shooters FOR SELECT TO ankerblick_trainer USING (true)"_L1,
    "CREATE POLICY own ON ankerblick.trainings TO ankerblick_schuetze "
    "USING (login = current_user) WITH CHECK (login = current_user)"_L1,
    "CREATE POLICY coach ON ankerblick.trainings FOR SELECT TO ankerblick_trainer "
    "USING (true)"_L1,
    "CREATE POLICY own ON ankerblick.series TO ankerblick_schuetze "
    "USING (login = current_user) WITH CHECK (login = current_user)"_L1,
    "CREATE POLICY coach ON ankerblick.series FOR SELECT TO ankerblick_trainer USING (true)"_L1,
    "CREATE POLICY own ON ankerblick.shots TO ankerblick_schuetze "
    "USING (login = current_user) WITH CHECK (login = current_user)"_L1,
    "CREATE POLICY coach ON ankerblick.shots FOR SELECT TO ankerblick_trainer USING (true)"_L1,
    // A coach's view hears of every new or changed series when its
    // transaction ends, shots and all.
    "CREATE FUNCTION ankerblick.series_changed() RETURNS trigger LANGUAGE plpgsql AS $$ "
    "BEGIN PERFORM pg_notify('ankerblick_serie', json_build_object('login', NEW.login, "
    "'training', NEW.training, 'number', NEW.number, 'revision', NEW.revision)::text); "
    "RETURN NULL; END $$"_L1,
    "REVOKE ALL ON FUNCTION ankerblick.series_changed() FROM PUBLIC"_L1,
    "CREATE TRIGGER series_changed AFTER INSERT OR UPDATE ON ankerblick.series "
    "FOR EACH ROW EXECUTE FUNCTION ankerblick.series_changed()"_L1,
};

// Version 2: a training carries the name of its lane on the range, which
// the range's live view shows and orders the lanes by.
constexpr QLatin1StringView kVersion2[]{
    "ALTER TABLE ankerblick.trainings ADD COLUMN lane_name text NOT NULL DEFAULT ''"_L1,
    "GRANT UPDATE (lane_name) ON ankerblick.trainings TO ankerblick_schuetze"_L1,
};

// Step i brings the tables from version i to version i + 1.
constexpr std::array<std::span<const QLatin1StringView>, 2> kMigrations{
    std::span<const QLatin1StringView>(kVersion1), std::span<const QLatin1StringView>(kVersion2)};
static_assert(kMigrations.size() == size_t(kSchemaVersion));

QString newerProblem(int version) {
    return QCoreApplication::translate(
               "ClubSchema",
               "Die Tabellen auf dem Vereinsserver haben die Version %1, dieses Programm kennt "
               "nur Version %2. Bitte Ankerblick auf eine neuere Version aktualisieren; auf den "
               "Server wird nichts geschrieben.")
        .arg(version)
        .arg(kSchemaVersion);
}

} // namespace

std::optional<int> schemaVersion(Statements& sql) {
    Rows* found = sql.query(u"SELECT to_regclass('ankerblick.schema_version') IS NOT NULL"_s);
    if (!found || !found->next())
        return std::nullopt;
    if (!found->value(0).toBool())
        return 0;
    Rows* version = sql.query(u"SELECT coalesce(max(version), 0) FROM ankerblick.schema_version"_s);
    if (!version || !version->next())
        return std::nullopt;
    return version->value(0).toInt();
}

QString versionProblem(int version) {
    if (version > kSchemaVersion)
        return newerProblem(version);
    if (version < kSchemaVersion)
        return QCoreApplication::translate(
                   "ClubSchema",
                   "Die Tabellen auf dem Vereinsserver sind nicht eingerichtet oder veraltet "
                   "(Version %1). Der Verwalter richtet sie mit ankerblick --verein-einrichten "
                   "ein.")
            .arg(version);
    return {};
}

SetUp setUp(QSqlDatabase& db, int to) {
    SetUp result;
    Statements sql(db);
    for (bool first = true;; first = false) {
        if (!sql.begin()) {
            result.problem = sql.problem();
            return result;
        }
        const std::optional<int> found =
            sql.exec(QString(kSetUpLock)) ? schemaVersion(sql) : std::nullopt;
        if (!found) {
            sql.rollback();
            result.problem = sql.problem();
            return result;
        }
        const int version = found.value_or(0);
        if (first)
            result.before = version;
        result.after = version;
        if (version > kSchemaVersion) {
            sql.refuse(newerProblem(version));
            sql.rollback();
            result.problem = sql.problem();
            return result;
        }
        if (version >= to) {
            // Nothing was written: the transaction only read.
            sql.rollback();
            result.ok = true;
            return result;
        }
        bool done = createRoles(sql);
        for (QLatin1StringView statement : kMigrations[size_t(version)])
            done = done && sql.exec(QString(statement));
        done = done &&
               sql.run(u"INSERT INTO ankerblick.schema_version (version) VALUES (?)"_s,
                       {version + 1}) &&
               sql.commit();
        if (!done) {
            sql.rollback();
            result.problem = sql.problem();
            return result;
        }
        result.after = version + 1;
    }
}

QString loginNameProblem(const QString& login) {
    static const QRegularExpression allowed(u"^[a-z][a-z0-9_.-]{0,62}$"_s);
    if (login.isEmpty())
        return QCoreApplication::translate("ClubSchema",
                                           "Bitte einen Namen für die Anmeldung angeben.");
    if (!allowed.match(login).hasMatch())
        return QCoreApplication::translate(
                   "ClubSchema",
                   "Der Name „%1“ taugt nicht als Anmeldung: bitte nur Kleinbuchstaben a–z, "
                   "Ziffern, „_“, „.“ und „-“, mit einem Buchstaben vorn, höchstens 63 "
                   "Zeichen.")
            .arg(login);
    if (login.startsWith(u"pg_"_s) || login.startsWith(u"ankerblick_"_s) || login == u"public"_s ||
        login == u"postgres"_s)
        return QCoreApplication::translate(
                   "ClubSchema", "Der Name „%1“ ist dem Server oder Ankerblick vorbehalten.")
            .arg(login);
    return {};
}

QString addLogin(QSqlDatabase& db, const QString& login, const QString& password, LoginKind kind) {
    if (const QString problem = loginNameProblem(login); !problem.isEmpty())
        return problem;
    if (password.isEmpty())
        return QCoreApplication::translate("ClubSchema",
                                           "Eine Anmeldung ohne Passwort wird nicht angelegt.");
    Statements sql(db);
    if (!sql.begin())
        return sql.problem();
    const auto failed = [&] {
        sql.rollback();
        return sql.problem();
    };
    const std::optional<int> version =
        sql.exec(QString(kSetUpLock)) ? schemaVersion(sql) : std::nullopt;
    if (!version)
        return failed();
    if (const QString problem = versionProblem(*version); !problem.isEmpty()) {
        sql.refuse(problem);
        return failed();
    }
    // A role of the server that is not one of the club's logins keeps its password.
    Rows* found = sql.query(u"SELECT r.rolname = current_user OR r.rolsuper OR NOT EXISTS ("
                            u"SELECT 1 FROM pg_auth_members m JOIN pg_roles g ON g.oid = m.roleid "
                            u"WHERE m.member = r.oid AND g.rolname IN (?, ?)) "
                            u"FROM pg_roles r WHERE r.rolname = ?"_s,
                            {QString(kShooterRole), QString(kCoachRole), login});
    if (!found)
        return failed();
    const bool exists = found->next();
    if (exists && found->value(0).toBool()) {
        sql.refuse(QCoreApplication::translate(
                       "ClubSchema",
                       "Die Rolle „%1“ gibt es auf dem Server schon, aber nicht als Anmeldung "
                       "des Vereins; sie wird nicht verändert.")
                       .arg(login));
        return failed();
    }
    QByteArray salt(16, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()), 4);
    const QString group = kind == LoginKind::Coach ? QString(kCoachRole) : QString(kShooterRole);
    // Role commands take no bound values: the values go into settings of this
    // transaction, and the server quotes them into the command (%I, %L).
    const bool done =
        sql.run(u"SELECT set_config('ankerblick.login', ?, true), "
                u"set_config('ankerblick.verifier', ?, true), "
                u"set_config('ankerblick.group', ?, true)"_s,
                {login, QString::fromLatin1(scramVerifier(password, salt)), group}) &&
        sql.exec(u"DO $$ BEGIN EXECUTE format('%1 ROLE %I LOGIN PASSWORD %L', "
                 u"current_setting('ankerblick.login'), current_setting('ankerblick.verifier')); "
                 u"EXECUTE format('GRANT %I TO %I', current_setting('ankerblick.group'), "
                 u"current_setting('ankerblick.login')); END $$"_s.arg(exists ? u"ALTER"_s
                                                                              : u"CREATE"_s)) &&
        sql.run(u"INSERT INTO ankerblick.shooters (login, coach) VALUES (?, ?) "
                u"ON CONFLICT (login) DO UPDATE SET coach = shooters.coach OR EXCLUDED.coach"_s,
                {login, kind == LoginKind::Coach}) &&
        sql.commit();
    return done ? QString() : failed();
}

QByteArray scramVerifier(const QString& password, const QByteArray& salt, int iterations) {
    // The server prepares a password as SASLprep does, which for the
    // passwords people type is Unicode's compatibility composition.
    const QByteArray key = password.normalized(QString::NormalizationForm_KC).toUtf8();
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, key);
    mac.addData(salt + QByteArray("\0\0\0\1", 4));
    QByteArray block = mac.result();
    QByteArray salted = block;
    for (int i = 1; i < iterations; ++i) {
        mac.reset();
        mac.addData(block);
        block = mac.result();
        for (int b = 0; b < salted.size(); ++b)
            salted[b] = char(salted[b] ^ block[b]);
    }
    const auto hmac = [&](const char* text) {
        return QMessageAuthenticationCode::hash(QByteArray(text), salted,
                                                QCryptographicHash::Sha256);
    };
    const QByteArray stored =
        QCryptographicHash::hash(hmac("Client Key"), QCryptographicHash::Sha256);
    return "SCRAM-SHA-256$" + QByteArray::number(iterations) + ':' + salt.toBase64() + '$' +
           stored.toBase64() + ':' + hmac("Server Key").toBase64();
}

} // namespace ankerblick::club
