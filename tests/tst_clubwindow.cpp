// The lane's side of the club's server in the program's main window, on a
// real PostgreSQL server the test starts itself and with the keyring
// scripted: "Datei → Vereinsserver …" with "Verbindung prüfen", the password
// kept in the keyring and never in the settings, the status bar through a
// server stop, and the connection made at start from the settings or from
// --verein URL with the password from the keyring or PGPASSWORD.

#include "features/club/clubserverdialog.h"
#include "platform/clubconnection.h"
#include "platform/clubschema.h"
#include "platform/clubsync.h"
#include "platform/sqlitediary.h"
#include "support/pgserver.h"
#include "support/scriptedkeyring.h"
#include "support/windowtest.h"
#include "windows/main/form1.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace ankerblick;
using namespace ankerblick::test;
using namespace Qt::StringLiterals;

namespace {

const QString kPassword = u"Anna-Passwort 7"_s;
const QString kDatabase = u"verein_fenster"_s;
const ServerClubSync::Timing kQuick{50, 100, 400, 200};

diary::Series seriesOf(int number, const QList<double>& values) {
    diary::Series s;
    s.number = number;
    s.time = QDateTime(QDate(2026, 3, 2), QTime(9, number), Qt::UTC);
    for (int i = 0; i < int(values.size()); ++i) {
        diary::Shot shot;
        shot.slot = i;
        shot.hit = {double(i), -double(i)};
        shot.value = values[i];
        s.shots << shot;
        s.record.hitLeft[size_t(i)] = qint16(100 + i);
    }
    return s;
}

} // namespace

class TestClubWindow : public WindowTest {
    Q_OBJECT

    PgServer m_server;
    QTemporaryDir m_dir;
    std::unique_ptr<SqliteDiary> m_lane;
    ScriptedKeyring m_keyring;
    int m_diaries = 0;

    // A diary file of its own for each test, and the sync reading it.
    std::unique_ptr<ServerClubSync> newLane() {
        const QString path = m_dir.filePath(u"tagebuch%1.sqlite"_s.arg(++m_diaries));
        m_lane = std::make_unique<SqliteDiary>(path);
        m_lane->problem(); // opened and migrated before the sync reads it
        return std::make_unique<ServerClubSync>(path, kQuick);
    }
    Services servicesWith(ClubSync& club) {
        Services services = m_services;
        services.club = &club;
        services.keyring = &m_keyring;
        return services;
    }
    // The shots of anna's trainings on the server, and their sum.
    QString shotsOnServer() {
        club::Connection owner(m_server.ownerUrl(kDatabase));
        QSqlQuery q(owner.database());
        if (!q.exec(u"SELECT count(*) || ' ' || coalesce(round(sum(value)::numeric, 2), 0) "
                    u"FROM ankerblick.shots WHERE login = 'anna'"_s) ||
            !q.next())
            return u"Fehler"_s;
        return q.value(0).toString();
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(m_server.create(), qPrintable(m_server.error()));
        QVERIFY2(m_server.createDatabase(kDatabase), qPrintable(m_server.error()));
        club::Connection owner(m_server.ownerUrl(kDatabase));
        QVERIFY2(owner.isOpen(), qPrintable(owner.problem()));
        QSqlDatabase db = owner.database();
        QVERIFY(club::setUp(db).ok);
        QCOMPARE(club::addLogin(db, u"anna"_s, kPassword, club::LoginKind::Shooter), QString());
    }
    void init() {
        resetServices();
        m_keyring.passwords.clear();
        qunsetenv("PGPASSWORD");
        // No ~/.pgpass of whoever runs the tests.
        qputenv("PGPASSFILE", m_dir.filePath(u"keine-pgpass"_s).toLocal8Bit());
    }

    // The dialog checks the server (a wrong password, then the right one),
    // keeps the password in the keyring alone, and the status bar follows
    // the sync through a server stop.
    void dialogAndStatusBar() {
        const auto sync = newLane();
        Services services = servicesWith(*sync);
        Form1 form(services);
        form.show();
        auto* status = form.findChild<QLabel*>(u"VereinStatus"_s);
        QVERIFY(status);
        QVERIFY(status->text().isEmpty());
        QVERIFY(!form.findChild<QStatusBar*>(u"Statusleiste"_s)->isVisible());

        auto* entry = form.findChild<QAction*>(u"Vereinsserver"_s);
        QVERIFY(entry);
        QCOMPARE(entry->text(), u"Vereinsserver …"_s);
        entry->trigger();
        auto* dialog = form.findChild<ClubServerDialog*>(u"Vereinsserver"_s);
        QVERIFY(dialog && dialog->isVisible());
        dialog->findChild<QLineEdit*>(u"Server"_s)->setText(u"127.0.0.1"_s);
        dialog->findChild<QSpinBox*>(u"Port"_s)->setValue(m_server.port());
        dialog->findChild<QLineEdit*>(u"Datenbank"_s)->setText(kDatabase);
        dialog->findChild<QLineEdit*>(u"Benutzer"_s)->setText(u"anna"_s);
        auto* password = dialog->findChild<QLineEdit*>(u"Passwort"_s);
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        auto* answer = dialog->findChild<QLabel*>(u"Antwort"_s);
        auto* check = dialog->findChild<QPushButton*>(u"VerbindungPruefen"_s);
        QCOMPARE(check->text(), u"Verbindung prüfen"_s);
        password->setText(u"falsch"_s);
        check->click();
        QTRY_COMPARE_WITH_TIMEOUT(answer->text(),
                                  u"Der Vereinsserver lehnt die Anmeldung ab: Benutzername oder "
                                  u"Passwort stimmen nicht."_s,
                                  20000);
        password->setText(kPassword);
        check->click();
        QTRY_COMPARE_WITH_TIMEOUT(
            answer->text(), u"Der Vereinsserver ist erreichbar, die Anmeldung gelingt."_s, 20000);
        // A check sets no server.
        QCOMPARE(sync->server(), QString());
        dialog->accept();

        const QString key = u"anna@127.0.0.1:%1/%2"_s.arg(m_server.port()).arg(kDatabase);
        QCOMPARE(m_keyring.passwords, (QHash<QString, QString>{{key, kPassword}}));
        for (const QVariant& value : m_settings.values())
            QVERIFY2(!value.toString().contains(kPassword), qPrintable(value.toString()));
        QCOMPARE(m_settings.clubServer().user, u"anna"_s);
        QTRY_COMPARE_WITH_TIMEOUT(status->text(), u"Verein: verbunden"_s, 20000);
        QVERIFY(form.findChild<QStatusBar*>(u"Statusleiste"_s)->isVisible());

        diary::Training training;
        training.shooter = u"Anna"_s;
        training.start = QDateTime(QDate(2026, 3, 2), QTime(9, 0), Qt::UTC);
        training.id = *m_lane->beginTraining(training);
        QVERIFY(m_lane->saveSeries(training.id, seriesOf(1, {10.0, 9.0})));
        QTRY_COMPARE_WITH_TIMEOUT(shotsOnServer(), u"2 19.00"_s, 20000);
        QVERIFY(m_server.stop());
        QVERIFY(m_lane->saveSeries(training.id, seriesOf(2, {8.5})));
        QTRY_COMPARE_WITH_TIMEOUT(status->text(), u"Verein: nicht verbunden – 1 Serie wartet"_s,
                                  20000);
        QVERIFY(!status->toolTip().isEmpty());
        QVERIFY2(m_server.start(), qPrintable(m_server.error()));
        QTRY_COMPARE_WITH_TIMEOUT(status->text(), u"Verein: verbunden"_s, 20000);
        QCOMPARE(shotsOnServer(), u"3 27.50"_s);
    }

    // At start: the server of the settings or of --verein, its password from
    // the keyring, or else from PGPASSWORD as libpq finds it.
    void connectsAtStart_data() {
        QTest::addColumn<bool>("fromSettings");
        QTest::addColumn<bool>("inKeyring");
        QTest::addColumn<bool>("inEnvironment");
        QTest::addColumn<QString>("status");
        QTest::newRow("Einstellungen, Schlüsselbund") << true << true << false
                                                      << u"Verein: verbunden"_s;
        QTest::newRow("--verein, Schlüsselbund") << false << true << false
                                                 << u"Verein: verbunden"_s;
        QTest::newRow("--verein, PGPASSWORD") << false << false << true << u"Verein: verbunden"_s;
        QTest::newRow("--verein, kein Passwort") << false << false << false
                                                 << u"Verein: nicht verbunden"_s;
    }
    void connectsAtStart() {
        QFETCH(bool, fromSettings);
        QFETCH(bool, inKeyring);
        QFETCH(bool, inEnvironment);
        QFETCH(QString, status);
        const auto sync = newLane();
        ClubServerSettings server;
        server.host = u"127.0.0.1"_s;
        server.port = m_server.port();
        server.database = kDatabase;
        server.user = u"anna"_s;
        if (fromSettings)
            m_settings.setClubServer(server);
        if (inKeyring)
            m_keyring.passwords.insert(
                u"anna@127.0.0.1:%1/%2"_s.arg(m_server.port()).arg(kDatabase), kPassword);
        if (inEnvironment)
            qputenv("PGPASSWORD", kPassword.toUtf8());
        connectClubAtStart(servicesWith(*sync), fromSettings ? QString() : clubUrl(server, {}));
        QTRY_COMPARE_WITH_TIMEOUT(clubStatusText(sync->state()), status, 20000);
        QVERIFY(!sync->server().isEmpty());
    }
};

QTEST_MAIN(TestClubWindow)
#include "tst_clubwindow.moc"
