// The club's server, on a real PostgreSQL server the test starts itself:
// the setup from every earlier version and again, what each login reaches
// through plain SQL, the refusal of newer tables, the upload of a training
// sent twice and changed, the German messages of a failed connection, the
// server stopped and started again, the lane's sync through all of that,
// and the command line that sets it up.

#include "platform/clubconnection.h"
#include "platform/clubschema.h"
#include "platform/clubsync.h"
#include "platform/clubupload.h"
#include "platform/diaryoutbox.h"
#include "platform/sqlitediary.h"
#include "support/pgserver.h"

#include <QProcess>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

using namespace ankerblick;
using namespace ankerblick::diary;
using ankerblick::test::PgServer;
using namespace Qt::StringLiterals;

namespace {

const QUuid kLane(u"0b7e6a7c-3f52-4d3e-9a51-5c2f8d1e6a90"_s);
const QString kPassword = u"Schütze-Passwort 1"_s;

Shot shotAt(int slot, double x, double y, double value, const QString& comment = {}) {
    Shot s;
    s.slot = slot;
    s.hit = {x, y};
    s.value = value;
    s.comment = comment;
    return s;
}

// The series of the upload rows: A as first entered; S with its second shot
// shifted; K with a comment on its third; B another; L emptied by an undo.
Series variant(char which, int number = 1) {
    Series s;
    s.number = number;
    s.time = QDateTime(QDate(2026, 3, 2), QTime(9, 5), Qt::UTC);
    switch (which) {
    case 'A':
        s.shots = {shotAt(0, 1.0, -2.0, 10.0), shotAt(1, 3.5, 0.5, 9.5),
                   shotAt(2, -4.0, 6.0, 8.25)};
        break;
    case 'S':
        s.shots = {shotAt(0, 1.0, -2.0, 10.0), shotAt(1, 0.5, 0.5, 10.2),
                   shotAt(2, -4.0, 6.0, 8.25)};
        break;
    case 'K':
        s.shots = {shotAt(0, 1.0, -2.0, 10.0), shotAt(1, 3.5, 0.5, 9.5),
                   shotAt(2, -4.0, 6.0, 8.25, u"gerissen"_s)};
        break;
    case 'B':
        s.shots = {shotAt(0, 0.0, 0.0, 10.9), shotAt(1, 7.0, 7.0, 7.7)};
        break;
    default: // 'L'
        break;
    }
    for (const Shot& shot : s.shots)
        s.record.hitLeft[size_t(shot.slot)] = qint16(100 + shot.slot);
    return s;
}

Training trainingOf(qint64 id, const QString& shooter) {
    Training t;
    t.id = id;
    t.shooter = shooter;
    t.discipline = 0;
    t.window = u"Form1"_s;
    t.start = QDateTime(QDate(2026, 3, 2), QTime(9, 0), Qt::UTC);
    t.comments = u"ruhig"_s;
    return t;
}

club::Upload uploadOf(qint64 id, const QString& shooter,
                      const QList<club::SeriesRevision>& series) {
    return {kLane, trainingOf(id, shooter), series};
}

// The shots the diary keeps, in all its trainings.
int inDiaryShots(const Diary& kept) {
    int shots = 0;
    for (const TrainingSummary& t : kept.trainings({}))
        shots += t.shots;
    return shots;
}

// The first value of the first row, or the error's text.
QString valueOf(QSqlDatabase db, const QString& statement) {
    QSqlQuery q(db);
    if (!q.exec(statement))
        return u"Fehler: "_s + q.lastError().text();
    return q.next() ? q.value(0).toString() : u"keine Zeile"_s;
}

} // namespace

class TestClubServer : public QObject {
    Q_OBJECT

    PgServer m_server;
    PgServer m_tls;     // one that offers TLS, made for its rows
    PgServer m_expired; // one whose certificate's validity ended
    int m_databases = 0;
    int m_trainings = 0;
    std::unique_ptr<club::Connection> m_access; // the owner, on the access rows' database

    // A new database of the owner, named after the row.
    QString newDatabase() {
        const QString name = u"verein_%1"_s.arg(++m_databases);
        return m_server.createDatabase(name) ? name : QString();
    }
    std::unique_ptr<club::Connection> signIn(const QString& user, const QString& password,
                                             const QString& database) {
        return std::make_unique<club::Connection>(m_server.url(user, password, database));
    }
    std::unique_ptr<club::Connection> owner(const QString& database) {
        return std::make_unique<club::Connection>(m_server.ownerUrl(database));
    }
    // The tables' columns, policies, grants and versions, as one text.
    static QString layoutOf(QSqlDatabase db) {
        return valueOf(
            db, u"SELECT string_agg(x, ',' ORDER BY x) FROM ("
                u"SELECT table_name || '.' || column_name || ':' || data_type "
                u"FROM information_schema.columns WHERE table_schema = 'ankerblick' UNION ALL "
                u"SELECT tablename || ':' || policyname || ':' || cmd || ':' || "
                u"array_to_string(roles, '+') FROM pg_policies WHERE schemaname = 'ankerblick' "
                u"UNION ALL SELECT table_name || ':' || grantee || ':' || privilege_type "
                u"FROM information_schema.role_table_grants WHERE table_schema = 'ankerblick' "
                u"UNION ALL SELECT 'v' || version || '@' || applied FROM ankerblick.schema_version"
                u") f (x)"_s);
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(m_server.create(), qPrintable(m_server.error()));
        // The access rows' club: anna and berta shoot, trainer coaches.
        const QString db = newDatabase();
        m_access = owner(db);
        QVERIFY2(m_access->isOpen(), qPrintable(m_access->problem()));
        QSqlDatabase admin = m_access->database();
        const club::SetUp done = club::setUp(admin);
        QVERIFY2(done.ok, qPrintable(done.problem));
        QCOMPARE(club::addLogin(admin, u"anna"_s, kPassword, club::LoginKind::Shooter), QString());
        QCOMPARE(club::addLogin(admin, u"berta"_s, kPassword, club::LoginKind::Shooter), QString());
        QCOMPARE(club::addLogin(admin, u"trainer"_s, kPassword, club::LoginKind::Coach), QString());
        Series bertas = variant('L', 1);
        bertas.shots = {shotAt(0, 0, 0, 10.9), shotAt(1, 1, 1, 10.1), shotAt(2, 2, 2, 9.3),
                        shotAt(3, 3, 3, 8.7)};
        const QList<std::pair<QString, club::Upload>> uploads{
            {u"anna"_s, uploadOf(1, u"Anna"_s, {{variant('A', 1), 1}, {variant('B', 2), 1}})},
            {u"berta"_s, uploadOf(7, u"Berta"_s, {{bertas, 1}})}};
        for (const auto& [login, upload] : uploads) {
            const auto lane = signIn(login, kPassword, db);
            QVERIFY2(lane->isOpen(), qPrintable(lane->problem()));
            QSqlDatabase ldb = lane->database();
            const club::UploadResult sent = club::upload(ldb, upload);
            QVERIFY2(sent.ok, qPrintable(sent.problem));
        }
    }

    // From an empty database and from each earlier version up to the
    // current one; a second setup then changes nothing.
    void setUpFromEachVersion_data() {
        QTest::addColumn<int>("from");
        for (int v = 0; v <= club::kSchemaVersion; ++v)
            QTest::addRow("von Version %d", v) << v;
    }
    void setUpFromEachVersion() {
        QFETCH(int, from);
        const QString name = newDatabase();
        const auto admin = owner(name);
        QVERIFY2(admin->isOpen(), qPrintable(admin->problem()));
        QSqlDatabase db = admin->database();
        if (from > 0)
            QVERIFY(club::setUp(db, from).ok);
        const club::SetUp first = club::setUp(db);
        QVERIFY2(first.ok, qPrintable(first.problem));
        QCOMPARE(first.before, from);
        QCOMPARE(first.after, club::kSchemaVersion);
        QCOMPARE(valueOf(db, u"SELECT string_agg(tablename, ',' ORDER BY tablename) FROM "
                             u"pg_tables WHERE schemaname = 'ankerblick'"_s),
                 u"schema_version,series,shooters,shots,trainings"_s);
        QCOMPARE(valueOf(db, u"SELECT string_agg(tablename || ':' || policyname || ':' || cmd "
                             u"|| ':' || array_to_string(roles, '+'), ',' ORDER BY tablename, "
                             u"policyname) FROM pg_policies WHERE schemaname = 'ankerblick'"_s),
                 u"series:coach:SELECT:ankerblick_trainer,series:own:ALL:ankerblick_schuetze,"
                 u"shooters:coach:SELECT:ankerblick_trainer,shooters:own:SELECT:"
                 u"ankerblick_schuetze,shots:coach:SELECT:ankerblick_trainer,shots:own:ALL:"
                 u"ankerblick_schuetze,trainings:coach:SELECT:ankerblick_trainer,trainings:own:"
                 u"ALL:ankerblick_schuetze"_s);
        QCOMPARE(valueOf(db, u"SELECT string_agg(rolname || ':' || rolcanlogin, ',' ORDER BY "
                             u"rolname) FROM pg_roles WHERE rolname LIKE 'ankerblick%'"_s),
                 u"ankerblick_schuetze:false,ankerblick_trainer:false"_s);
        const QString layout = layoutOf(db);
        const club::SetUp again = club::setUp(db);
        QVERIFY(again.ok);
        QCOMPARE(again.before, club::kSchemaVersion);
        QCOMPARE(again.after, club::kSchemaVersion);
        QCOMPARE(layoutOf(db), layout);
    }

    // Through plain SQL a shooter's login reaches its own rows only, and a
    // coach's login reads all and changes nothing; afterwards every shot is
    // as it was (9 shots, their values summing to 46.35 for anna's 5 and
    // 39.00 for berta's 4).
    void plainSqlAccess_data() {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("statement");
        // The first value read, the rows changed, or "Fehler" for a refusal.
        QTest::addColumn<QString>("expected");
        const QString berta = club::trainingIdentity(kLane, 7).toString(QUuid::WithoutBraces);
        QTest::newRow("Schützin zählt ihre Schüsse")
            << u"anna"_s << u"SELECT count(*) FROM ankerblick.shots"_s << u"5"_s;
        QTest::newRow("Schützin sucht fremde Trainings")
            << u"anna"_s << u"SELECT count(*) FROM ankerblick.trainings WHERE login = 'berta'"_s
            << u"0"_s;
        QTest::newRow("Schützin liest die Schützenliste")
            << u"anna"_s << u"SELECT string_agg(login, ',') FROM ankerblick.shooters"_s
            << u"anna"_s;
        QTest::newRow("Schützin ändert fremdes Training")
            << u"anna"_s
            << u"UPDATE ankerblick.trainings SET comments = 'x' WHERE login = 'berta'"_s
            << u"0 geändert"_s;
        QTest::newRow("Schützin löscht fremde Schüsse")
            << u"anna"_s << u"DELETE FROM ankerblick.shots WHERE login = 'berta'"_s
            << u"0 geändert"_s;
        QTest::newRow("Schützin ändert Schüsse")
            << u"anna"_s << u"UPDATE ankerblick.shots SET value = 10.9"_s << u"Fehler"_s;
        QTest::newRow("Schützin schreibt Schuss für andere")
            << u"anna"_s
            << u"INSERT INTO ankerblick.shots (training, series, slot, login, hit_x, hit_y) "
               u"VALUES ('%1', 1, 9, 'berta', 0, 0)"_s.arg(berta)
            << u"Fehler"_s;
        QTest::newRow("Schützin hängt Serie an fremdes Training")
            << u"anna"_s
            << u"INSERT INTO ankerblick.series (training, number, revision, record, shots, "
               u"scored, sum_whole, sum_tenths, calls_rated, calls10, sekmm_sum, mpi_x, mpi_y, "
               u"group_size, inner_tens) VALUES ('%1', 5, 1, '', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "
               u"0)"_s.arg(berta)
            << u"Fehler"_s;
        QTest::newRow("Schützin löscht Serien")
            << u"anna"_s << u"DELETE FROM ankerblick.series"_s << u"Fehler"_s;
        QTest::newRow("Schützin gibt sich Trainerrechte")
            << u"anna"_s << u"GRANT ankerblick_trainer TO anna"_s << u"Fehler"_s;
        QTest::newRow("Trainer zählt alle Schüsse")
            << u"trainer"_s << u"SELECT count(*) FROM ankerblick.shots"_s << u"9"_s;
        QTest::newRow("Trainer liest alle Trainings")
            << u"trainer"_s
            << u"SELECT string_agg(shooter, ',' ORDER BY shooter) FROM ankerblick.trainings"_s
            << u"Anna,Berta"_s;
        QTest::newRow("Trainer ändert Schüsse")
            << u"trainer"_s << u"UPDATE ankerblick.shots SET value = 0"_s << u"Fehler"_s;
        QTest::newRow("Trainer löscht Schüsse")
            << u"trainer"_s << u"DELETE FROM ankerblick.shots"_s << u"Fehler"_s;
        QTest::newRow("Trainer ändert Serien")
            << u"trainer"_s << u"UPDATE ankerblick.series SET shots = 0"_s << u"Fehler"_s;
    }
    void plainSqlAccess() {
        QFETCH(QString, login);
        QFETCH(QString, statement);
        QFETCH(QString, expected);
        const auto lane = signIn(login, kPassword, m_access->database().databaseName());
        QVERIFY2(lane->isOpen(), qPrintable(lane->problem()));
        QSqlQuery q(lane->database());
        QString got;
        if (!q.exec(statement))
            got = u"Fehler"_s;
        else if (q.isSelect())
            got = q.next() ? q.value(0).toString() : u"keine Zeile"_s;
        else
            got = u"%1 geändert"_s.arg(q.numRowsAffected());
        QCOMPARE(got, expected);
        QCOMPARE(valueOf(m_access->database(),
                         u"SELECT string_agg(login || '=' || n || '/' || s, ' ' ORDER BY login) "
                         u"FROM (SELECT login, count(*) AS n, round(sum(value)::numeric, 2) AS s "
                         u"FROM ankerblick.shots GROUP BY login) l"_s),
                 u"anna=5/46.35 berta=4/39.00"_s);
        QCOMPARE(valueOf(m_access->database(), u"SELECT count(*) FROM ankerblick.shots"_s), u"9"_s);
        QCOMPARE(valueOf(m_access->database(),
                         u"SELECT string_agg(comments, ',') FROM ankerblick.trainings"_s),
                 u"ruhig,ruhig"_s);
    }

    // A training sent under another shooter's identity is refused whole.
    void uploadUnderAnotherLogin() {
        const auto lane = signIn(u"anna"_s, kPassword, m_access->database().databaseName());
        QSqlDatabase db = lane->database();
        Series changed = variant('B', 1);
        const club::UploadResult sent =
            club::upload(db, uploadOf(7, u"Anna"_s, {{changed, 5}, {variant('A', 2), 5}}));
        QVERIFY(!sent.ok);
        QCOMPARE(sent.problem,
                 u"Der Vereinsserver verweigert das: Der Anmeldung fehlt die Berechtigung."_s);
        QCOMPARE(sent.seriesWritten, 0);
        QCOMPARE(valueOf(m_access->database(),
                         u"SELECT shooter || ' ' || count(*) || ' ' || max(revision) FROM "
                         u"ankerblick.trainings t JOIN ankerblick.series s ON s.training = t.id "
                         u"WHERE t.login = 'berta' AND t.local_id = 7 GROUP BY shooter"_s),
                 u"Berta 1 1"_s);
    }

    // Tables newer than the program are neither migrated nor written to.
    void newerTablesAreRefused_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("einrichten") << u"einrichten"_s;
        QTest::newRow("Anmeldung anlegen") << u"anmelden"_s;
        QTest::newRow("Training senden") << u"senden"_s;
    }
    void newerTablesAreRefused() {
        QFETCH(QString, action);
        const QString name = newDatabase();
        const auto admin = owner(name);
        QSqlDatabase db = admin->database();
        QVERIFY(club::setUp(db).ok);
        const QString login = u"neu%1"_s.arg(m_databases);
        QCOMPARE(club::addLogin(db, login, kPassword, club::LoginKind::Shooter), QString());
        QCOMPARE(valueOf(db, u"INSERT INTO ankerblick.schema_version (version) VALUES (3) "
                             u"RETURNING version"_s),
                 u"3"_s);
        const QString layout = layoutOf(db);
        QString problem;
        if (action == u"einrichten"_s) {
            const club::SetUp done = club::setUp(db);
            QVERIFY(!done.ok);
            QCOMPARE(done.before, 3);
            problem = done.problem;
        } else if (action == u"anmelden"_s) {
            problem = club::addLogin(db, login + u"b"_s, kPassword, club::LoginKind::Shooter);
            QCOMPARE(
                valueOf(db, u"SELECT count(*) FROM pg_roles WHERE rolname = '%1b'"_s.arg(login)),
                u"0"_s);
        } else {
            const auto lane = signIn(login, kPassword, name);
            QSqlDatabase ldb = lane->database();
            const club::UploadResult sent =
                club::upload(ldb, uploadOf(1, u"Neu"_s, {{variant('A'), 1}}));
            QVERIFY(!sent.ok);
            problem = sent.problem;
        }
        QCOMPARE(problem, u"Die Tabellen auf dem Vereinsserver haben die Version 3, dieses "
                          u"Programm kennt nur Version 2. Bitte Ankerblick auf eine neuere "
                          u"Version aktualisieren; auf den Server wird nichts geschrieben."_s);
        QCOMPARE(layoutOf(db), layout);
        QCOMPARE(valueOf(db, u"SELECT count(*) FROM ankerblick.trainings"_s), u"0"_s);
    }

    // The same series sent twice is stored once; a newer revision (a shift,
    // a comment, an undo) replaces it; an older one that arrives late does
    // not. Every series written is notified to a coach's connection.
    void upload_data() {
        QTest::addColumn<QString>("steps"); // revision and variant of each upload
        QTest::addColumn<QList<int>>("written");
        QTest::addColumn<QString>("stored"); // revision, figures and shots on the server
        QTest::newRow("zweimal dieselbe")
            << u"1A 1A"_s << QList<int>{1, 0} << u"r1 3 27.75 | 0 10 1 ; 1 9.5 3.5 ; 2 8.25 -4"_s;
        QTest::newRow("verschoben")
            << u"1A 2S"_s << QList<int>{1, 1} << u"r2 3 28.45 | 0 10 1 ; 1 10.2 0.5 ; 2 8.25 -4"_s;
        QTest::newRow("Kommentar") << u"1A 2K 2K"_s << QList<int>{1, 1, 0}
                                   << u"r2 3 27.75 | 0 10 1 ; 1 9.5 3.5 ; 2 8.25 -4 gerissen"_s;
        QTest::newRow("ältere kommt spät")
            << u"2B 1A"_s << QList<int>{1, 0} << u"r2 2 18.6 | 0 10.9 0 ; 1 7.7 7"_s;
        QTest::newRow("rückgängig") << u"1A 2L 2L"_s << QList<int>{1, 1, 0} << u"r2 0 0 | "_s;
    }
    void upload() {
        QFETCH(QString, steps);
        QFETCH(QList<int>, written);
        QFETCH(QString, stored);
        const QString name = m_access->database().databaseName();
        const auto lane = signIn(u"berta"_s, kPassword, name);
        const auto coach = signIn(u"trainer"_s, kPassword, name);
        QVERIFY(lane->isOpen() && coach->isOpen());
        QSqlDatabase cdb = coach->database();
        int heard = 0;
        QVERIFY(cdb.driver()->subscribeToNotification(QString(club::kSeriesChannel)));
        connect(
            cdb.driver(), &QSqlDriver::notification, this,
            [&heard](const QString&, QSqlDriver::NotificationSource, const QVariant&) { ++heard; });
        // A training of its own for each row.
        const qint64 local = 100 + ++m_trainings;
        QSqlDatabase ldb = lane->database();
        const QStringList uploads = steps.split(u' ');
        for (int i = 0; i < int(uploads.size()); ++i) {
            const club::UploadResult sent = club::upload(
                ldb, uploadOf(local, u"Berta"_s,
                              {{variant(uploads[i][1].toLatin1()), uploads[i][0].digitValue()}}));
            QVERIFY2(sent.ok, qPrintable(sent.problem));
            QCOMPARE(sent.seriesWritten, written[i]);
        }
        const QString id = club::trainingIdentity(kLane, local).toString(QUuid::WithoutBraces);
        QCOMPARE(valueOf(cdb, u"SELECT 'r' || revision || ' ' || shots || ' ' || sum_tenths || "
                              u"' | ' || coalesce((SELECT string_agg(concat_ws(' ', slot, value, "
                              u"hit_x, nullif(comment, '')), ' ; ' ORDER BY slot) FROM "
                              u"ankerblick.shots sh WHERE sh.training = s.training AND "
                              u"sh.series = s.number), '') FROM ankerblick.series s "
                              u"WHERE training = '%1'"_s.arg(id)),
                 stored);
        QCOMPARE(
            valueOf(cdb, u"SELECT count(*) FROM ankerblick.trainings WHERE id = '%1'"_s.arg(id)),
            u"1"_s);
        int expectedHeard = 0;
        for (int w : written)
            expectedHeard += w;
        QTRY_COMPARE(heard, expectedHeard);
        QTest::qWait(100); // no notification beyond them
        QCOMPARE(heard, expectedHeard);
    }

    // A failed connection is said in one German sentence.
    void connectionProblems_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("problem");
        const QString db = u"verein_1"_s;
        const QString refused = u"Der Vereinsserver lehnt die Anmeldung ab: Benutzername oder "
                                u"Passwort stimmen nicht."_s;
        const QString unreachable = u"Der Vereinsserver ist nicht erreichbar: Bitte Adresse, "
                                    u"Port und Netzwerk prüfen."_s;
        QTest::newRow("falsches Passwort") << m_server.url(u"anna"_s, u"falsch"_s, db) << refused;
        QTest::newRow("unbekannte Anmeldung")
            << m_server.url(u"niemand"_s, kPassword, db) << refused;
        QTest::newRow("unbekannter Server")
            << u"postgresql://anna@server.invalid/verein_1"_s << unreachable;
        QTest::newRow("kein Server am Port")
            << m_server.url(u"anna"_s, kPassword, db)
                   .replace(QString::number(m_server.port()), u"1"_s)
            << unreachable;
        QTest::newRow("unbekannte Datenbank")
            << m_server.url(u"anna"_s, kPassword, u"gibtesnicht"_s)
            << u"Die Datenbank gibt es auf dem Vereinsserver nicht."_s;
        QTest::newRow("TLS verlangt, Server ohne")
            << m_server.url(u"anna"_s, kPassword, db) + u"?sslmode=require"_s
            << u"Der Vereinsserver bietet keine verschlüsselte Verbindung (TLS) an."_s;
        QTest::newRow("keine URI") << u"verein_1"_s
                                   << u"Die Adresse des Vereinsservers ist keine gültige "
                                      u"Verbindungs-URI: Sie beginnt nicht mit postgresql://."_s;
    }
    void connectionProblems() {
        QFETCH(QString, url);
        QFETCH(QString, problem);
        const club::Connection connection(url);
        QVERIFY(!connection.isOpen());
        QCOMPARE(connection.problem(), problem);
    }

    // A server that offers TLS is spoken to over TLS, unless told otherwise;
    // one whose certificate cannot be checked (unknown, or its validity
    // ended) is refused when asked to, and nothing is written.
    void tlsWhenOffered_data() {
        QTest::addColumn<bool>("expired"); // the server's certificate ended in 2020
        QTest::addColumn<QString>("parameters");
        QTest::addColumn<QString>("encrypted"); // or the problem
        const QString unchecked = u"Das Zertifikat des Vereinsservers lässt sich nicht prüfen: "
                                  u"Es ist ungültig, abgelaufen oder nicht vertrauenswürdig."_s;
        QTest::newRow("ohne Angabe") << false << QString() << u"true"_s;
        QTest::newRow("sslmode=require") << false << u"?sslmode=require"_s << u"true"_s;
        QTest::newRow("sslmode=disable") << false << u"?sslmode=disable"_s << u"false"_s;
        QTest::newRow("Zertifikat geprüft")
            << false << u"?sslmode=verify-ca&sslrootcert=CERT"_s << u"true"_s;
        QTest::newRow("Zertifikat unbekannt")
            << false << u"?sslmode=verify-full&sslrootcert=/nicht/da.crt"_s << unchecked;
        QTest::newRow("Zertifikat abgelaufen")
            << true << u"?sslmode=verify-ca&sslrootcert=CERT"_s << unchecked;
    }
    void tlsWhenOffered() {
        QFETCH(bool, expired);
        QFETCH(QString, parameters);
        QFETCH(QString, encrypted);
        PgServer& server = expired ? m_expired : m_tls;
        if (!server.running())
            QVERIFY2(server.create(true, expired), qPrintable(server.error()));
        parameters.replace(u"CERT"_s,
                           QString::fromUtf8(QUrl::toPercentEncoding(server.certificate())));
        const club::Connection connection(server.ownerUrl(u"postgres"_s) + parameters);
        QCOMPARE(connection.isOpen()
                     ? valueOf(connection.database(), u"SELECT ssl FROM pg_stat_ssl WHERE pid = "
                                                      u"pg_backend_pid()"_s)
                     : connection.problem(),
                 encrypted);
        if (expired) {
            // A lane's sync says the same and keeps its series waiting.
            QTemporaryDir dir;
            const QString path = dir.filePath(u"tagebuch.sqlite"_s);
            SqliteDiary diary(path);
            QVERIFY(
                diary.saveSeries(*diary.beginTraining(trainingOf(0, u"Anna"_s)), variant('A', 1)));
            ServerClubSync sync(diary, {100, 400, 200});
            sync.setServer({server.url(PgServer::kOwner, {}, u"postgres"_s) + parameters,
                            PgServer::kOwnerPassword});
            QTRY_COMPARE_WITH_TIMEOUT(sync.state().problem, encrypted, 20000);
            QCOMPARE(clubStatusText(sync.state()), u"Verein: nicht verbunden – 1 Serie wartet"_s);
            QCOMPARE(inDiaryShots(diary), 3);
        }
    }

    // The server stops as on a crash in the middle of a training: the upload
    // fails with a message and nothing half; after the restart the training
    // is sent again whole, the series already there once.
    void serverStopsAndStartsAgain() {
        const QString name = m_access->database().databaseName();
        m_access.reset();
        const qint64 local = 50;
        const QString unreachable = u"Der Vereinsserver ist nicht erreichbar: Bitte Adresse, "
                                    u"Port und Netzwerk prüfen."_s;
        const QList<club::SeriesRevision> both{{variant('A', 1), 1}, {variant('B', 2), 1}};
        {
            const auto lane = signIn(u"anna"_s, kPassword, name);
            QSqlDatabase db = lane->database();
            QVERIFY(club::upload(db, uploadOf(local, u"Anna"_s, {{variant('A', 1), 1}})).ok);
            QVERIFY(m_server.stop());
            const club::UploadResult lost = club::upload(db, uploadOf(local, u"Anna"_s, both));
            QVERIFY(!lost.ok);
            QCOMPARE(lost.problem, u"Die Verbindung zum Vereinsserver ist abgebrochen."_s);
        }
        QCOMPARE(signIn(u"anna"_s, kPassword, name)->problem(), unreachable);
        QVERIFY2(m_server.start(), qPrintable(m_server.error()));
        {
            const auto lane = signIn(u"anna"_s, kPassword, name);
            QVERIFY2(lane->isOpen(), qPrintable(lane->problem()));
            QSqlDatabase db = lane->database();
            const club::UploadResult sent = club::upload(db, uploadOf(local, u"Anna"_s, both));
            QVERIFY2(sent.ok, qPrintable(sent.problem));
            QCOMPARE(sent.seriesWritten, 1);
            QCOMPARE(
                valueOf(db,
                        u"SELECT count(*) || ' ' || round(sum(value)::numeric, 2) FROM "
                        u"ankerblick.shots WHERE training = '%1'"_s.arg(
                            club::trainingIdentity(kLane, local).toString(QUuid::WithoutBraces))),
                u"5 46.35"_s);
        }
        m_access = owner(name);
    }

    // The lane's sync: series 1 sent, then the server stops as on a crash;
    // series 2 and 3 are entered meanwhile (and, in some rows, series 1
    // shifted and series 3 taken back, or the program started anew). When
    // the server is back everything is there once, changes as changes.
    void syncSendsWhatWaits_data() {
        QTest::addColumn<bool>("restart");
        QTest::addColumn<bool>("change");
        QTest::addColumn<int>("waiting");    // while the server is down
        QTest::addColumn<QString>("stored"); // number@revision:shots, shots, sum
        QTest::newRow("Server gestoppt") << false << false << 2 << u"1@1:3,2@1:2,3@1:2 7 64.95"_s;
        QTest::newRow("Programm neu gestartet")
            << true << false << 2 << u"1@1:3,2@1:2,3@1:2 7 64.95"_s;
        QTest::newRow("verschoben und zurückgenommen")
            << false << true << 3 << u"1@2:3,2@1:2,3@2:0 5 47.05"_s;
        QTest::newRow("geändert, Programm neu gestartet")
            << true << true << 3 << u"1@2:3,2@1:2,3@2:0 5 47.05"_s;
    }
    void syncSendsWhatWaits() {
        QFETCH(bool, restart);
        QFETCH(bool, change);
        QFETCH(int, waiting);
        QFETCH(QString, stored);
        const QString name = m_access->database().databaseName();
        QTemporaryDir dir;
        const QString path = dir.filePath(u"tagebuch.sqlite"_s);
        SqliteDiary diary(path);
        Training t = trainingOf(0, u"Anna"_s);
        t.id = *diary.beginTraining(t);
        QVERIFY(diary.saveSeries(t.id, variant('A', 1)));
        // No ping finds the changes while the sync is idle: the diary's word
        // after each commit wakes it.
        const ServerClubSync::Timing quick{100, 400, 60000};
        auto sync = std::make_unique<ServerClubSync>(diary, quick);
        sync->setServer(m_server.login(u"anna"_s, kPassword, name));
        const auto sentAll = [&] {
            return sync->state().connected && sync->state().waiting == 0;
        };
        QTRY_VERIFY_WITH_TIMEOUT(sentAll(), 20000);
        QCOMPARE(clubStatusText(sync->state()), u"Verein: verbunden"_s);

        QVERIFY(m_server.stop());
        QVERIFY(diary.saveSeries(t.id, variant('B', 2)));
        QVERIFY(diary.saveSeries(t.id, variant('B', 3)));
        if (change) {
            QVERIFY(diary.saveSeries(t.id, variant('S', 1)));
            QVERIFY(diary.recordChanges(t, {}, 2));
        }
        const QString offline = u"Verein: nicht verbunden – %1 Serien warten"_s.arg(waiting);
        QTRY_COMPARE_WITH_TIMEOUT(clubStatusText(sync->state()), offline, 20000);
        QVERIFY(!sync->state().problem.isEmpty());
        if (restart) {
            sync.reset();
            sync = std::make_unique<ServerClubSync>(diary, quick);
            sync->setServer(m_server.login(u"anna"_s, kPassword, name));
            QTRY_COMPARE_WITH_TIMEOUT(clubStatusText(sync->state()), offline, 20000);
        }
        QVERIFY2(m_server.start(), qPrintable(m_server.error()));
        QTRY_VERIFY_WITH_TIMEOUT(sentAll(), 20000);
        m_access = owner(name);
        const QString lane = DiaryOutbox(path).lane().toString(QUuid::WithoutBraces);
        // The training's own change, its end, arrives without a series.
        t.end = t.start.addSecs(3600);
        QVERIFY(diary.updateTraining(t));
        QTRY_COMPARE_WITH_TIMEOUT(
            valueOf(m_access->database(),
                    u"SELECT coalesce(to_char(ended AT TIME ZONE 'UTC', 'HH24:MI'), 'offen') "
                    u"FROM ankerblick.trainings WHERE lane = '%1'"_s.arg(lane)),
            u"10:00"_s, 20000);
        sync.reset();

        QCOMPARE(valueOf(m_access->database(),
                         u"SELECT (SELECT string_agg(number || '@' || revision || ':' || shots, "
                         u"',' ORDER BY number) FROM ankerblick.series s JOIN "
                         u"ankerblick.trainings t ON t.id = s.training WHERE t.lane = '%1') || "
                         u"' ' || count(*) || ' ' || round(sum(value)::numeric, 2) FROM "
                         u"ankerblick.shots sh JOIN ankerblick.trainings t ON t.id = sh.training "
                         u"WHERE t.lane = '%1'"_s.arg(lane)),
                 stored);
    }

    // A training the server refuses for good, here one that another login
    // sent first, is set aside with the reason in the status bar's tool tip;
    // the trainings after it go on.
    void aRefusedTrainingHoldsNoOtherBack() {
        const QString name = m_access->database().databaseName();
        QTemporaryDir dir;
        const QString path = dir.filePath(u"tagebuch.sqlite"_s);
        SqliteDiary diary(path);
        Training first = trainingOf(0, u"Berta"_s);
        first.id = *diary.beginTraining(first);
        QVERIFY(diary.saveSeries(first.id, variant('A', 1)));
        const ServerClubSync::Timing quick{100, 400, 200};
        ServerClubSync sync(diary, quick);
        sync.setServer(m_server.login(u"berta"_s, kPassword, name));
        QTRY_VERIFY_WITH_TIMEOUT(sync.state().connected && sync.state().waiting == 0, 20000);

        // The login changes before the diary does: each change wakes the
        // sync at once, and would otherwise go as berta's.
        sync.setServer(m_server.login(u"anna"_s, kPassword, name));
        QVERIFY(diary.saveSeries(first.id, variant('B', 2)));
        Training second = trainingOf(0, u"Anna"_s);
        second.id = *diary.beginTraining(second);
        QVERIFY(diary.saveSeries(second.id, variant('K', 1)));
        const QString lane = DiaryOutbox(path).lane().toString(QUuid::WithoutBraces);
        QTRY_COMPARE_WITH_TIMEOUT(
            valueOf(m_access->database(),
                    u"SELECT string_agg(login || ':' || local_id, ',' ORDER BY local_id) FROM "
                    u"ankerblick.trainings WHERE lane = '%1'"_s.arg(lane)),
            u"berta:%1,anna:%2"_s.arg(first.id).arg(second.id), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(clubStatusText(sync.state()),
                                  u"Verein: verbunden – 1 Serie wartet"_s, 20000);
        // The row of another login is not this one's to change: the series
        // finds no training of its login (a foreign key, SQLSTATE 23503).
        const QString problem = sync.state().problem;
        QVERIFY2(problem.startsWith(u"Der Vereinsserver meldet einen Fehler:"_s) &&
                     problem.contains(u"(23503)"_s),
                 qPrintable(problem));
    }

    // The program's command line, without any display: setup, a shooter's
    // and a coach's login with the password from standard input, and what
    // it refuses.
    void commandLine_data() {
        QTest::addColumn<bool>("setUpBefore");
        QTest::addColumn<QStringList>("arguments"); // URL and LOGIN filled in
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output"); // a line of standard output or error
        QTest::addColumn<QString>("member"); // the login's group; empty: no such login
        const QStringList setUp{u"--verein-einrichten"_s, u"URL"_s};
        const QStringList shooter = setUp + QStringList{u"--verein-schuetze"_s, u"LOGIN"_s};
        const QStringList coach = setUp + QStringList{u"--verein-trainer"_s, u"LOGIN"_s};
        QTest::newRow("einrichten") << false << setUp << QByteArray() << 0
                                    << u"Die Tabellen und Rollen des Vereins sind eingerichtet "
                                       u"(Version 2)."_s
                                    << QString();
        QTest::newRow("noch einmal") << true << setUp << QByteArray() << 0
                                     << u"Die Tabellen des Vereins sind auf dem Stand (Version "
                                        u"2); nichts geändert."_s
                                     << QString();
        QTest::newRow("Schütze") << false << shooter << (kPassword + u"\n"_s).toUtf8() << 0
                                 << u"Die Anmeldung „LOGIN“ für einen Schützen ist eingerichtet."_s
                                 << u"ankerblick_schuetze"_s;
        QTest::newRow("Trainer") << true << coach << (kPassword + u"\r\n"_s).toUtf8() << 0
                                 << u"Die Anmeldung „LOGIN“ für einen Trainer ist eingerichtet."_s
                                 << u"ankerblick_trainer"_s;
        const QString empty = u"Eine Anmeldung ohne Passwort wird nicht angelegt; bitte das "
                              u"Passwort über die Standardeingabe geben."_s;
        QTest::newRow("leeres Passwort")
            << true << shooter << QByteArray("\n") << 1 << empty << QString();
        QTest::newRow("keine Eingabe")
            << true << shooter << QByteArray() << 1 << empty << QString();
        QTest::newRow("Name mit Anführungszeichen")
            << true
            << setUp + QStringList{u"--verein-schuetze"_s, u"x\"; DROP ROLE vereinsadmin; --"_s}
            << QByteArray("geheim\n") << 1
            << u"Der Name „x\"; DROP ROLE vereinsadmin; --“ taugt nicht als Anmeldung: bitte nur "
               u"Kleinbuchstaben a–z, Ziffern, „_“, „.“ und „-“, mit einem Buchstaben vorn, "
               u"höchstens 63 Zeichen."_s
            << QString();
        QTest::newRow("der Eigentümer")
            << true << setUp + QStringList{u"--verein-trainer"_s, u"vereinsadmin"_s}
            << QByteArray("neu\n") << 1
            << u"Die Rolle „vereinsadmin“ gibt es auf dem Server schon, aber nicht als Anmeldung "
               u"des Vereins; sie wird nicht verändert."_s
            << QString();
        QTest::newRow("Passwort in der Adresse")
            << true << QStringList{u"--verein-einrichten"_s, u"URL:PASSWORT"_s} << QByteArray() << 1
            << u"Bitte kein Passwort in die Adresse nach --verein-einrichten schreiben: Jeder "
               u"Benutzer des Rechners kann sie lesen. Das Passwort des Eigentümers kommt aus "
               u"~/.pgpass oder PGPASSWORD."_s
            << QString();
        QTest::newRow("ohne Einrichten")
            << true << QStringList{u"--verein-schuetze"_s, u"LOGIN"_s} << QByteArray("geheim\n")
            << 1 << u"--verein-schuetze und --verein-trainer gehören zu --verein-einrichten URL."_s
            << QString();
    }
    void commandLine() {
        QFETCH(bool, setUpBefore);
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(QString, member);
        const QString name = newDatabase();
        const auto admin = owner(name);
        QSqlDatabase db = admin->database();
        if (setUpBefore)
            QVERIFY(club::setUp(db).ok);
        const QString login = u"lauf%1"_s.arg(m_databases);
        // The owner's password comes from the environment; "URL:PASSWORT" is
        // the address with the password in it.
        arguments.replaceInStrings(u"URL:PASSWORT"_s, m_server.ownerUrl(name));
        arguments.replaceInStrings(u"URL"_s, m_server.url(PgServer::kOwner, {}, name));
        arguments.replaceInStrings(u"LOGIN"_s, login);
        output.replace(u"LOGIN"_s, login);
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& display : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
            env.remove(display);
        env.insert(u"PGPASSWORD"_s, QString(PgServer::kOwnerPassword));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(ANKERBLICK_PROGRAM), arguments);
        program.write(input);
        program.closeWriteChannel();
        QVERIFY(program.waitForFinished(60000));
        const QString said = QString::fromLocal8Bit(program.readAllStandardOutput() +
                                                    program.readAllStandardError());
        QVERIFY2(said.split(u'\n').contains(output), qPrintable(said));
        QCOMPARE(program.exitCode(), exitCode);
        QCOMPARE(valueOf(db, u"SELECT coalesce(string_agg(g.rolname, ','), '') FROM pg_roles r "
                             u"JOIN pg_auth_members m ON m.member = r.oid JOIN pg_roles g ON "
                             u"g.oid = m.roleid WHERE r.rolname = '%1'"_s.arg(login)),
                 member);
        if (!member.isEmpty()) {
            const auto lane = signIn(login, kPassword, name);
            QVERIFY2(lane->isOpen(), qPrintable(lane->problem()));
        }
        // The owner still signs in with the password it had.
        QVERIFY(owner(name)->isOpen());
    }
};

QTEST_GUILESS_MAIN(TestClubServer)
#include "tst_clubserver.moc"
