// The target link driven through its panel against the real serial port: the
// test holds the master side of a pseudo-terminal and plays the target.

#include "features/targetlink/targetlink.h"
#include "features/targetlink/targetlinkpanel.h"
#include "platform/bytestream.h"
#include "platform/serialport.h"
#include "platform/settings.h"
#include "support/memorysettings.h"
#include "support/pty.h"
#include "support/scripteddialogs.h"

#include <QComboBox>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <functional>
#include <memory>

using namespace ankerblick;
using namespace Qt::StringLiterals;
using ankerblick::test::Pty;
using ankerblick::test::record;
using ankerblick::test::ScriptedDialogs;

namespace {

const char kRequest = char(0x16);
const char kDone = char(0x0C);

// The window as the link sees it: it records the hits it is given and
// stores them unless told it cannot (and why, when it knows).
struct FakeHost final : HitDoor {
    bool stores = true;
    QString problem;
    double scale = 10.0;
    PointF centre{244.0f, 228.0f};
    QList<PointF> hits;

    void attach(HitSource& source) { source.attach(this); }
    TargetGeometry geometry() const override { return {centre, scale, -1, 0.0}; }
    HitReceipt enter(const ArrivedHit& hit) override {
        hits.append(hit.at);
        return {stores, problem};
    }
    QString sourceActive(bool) override { return {}; }
    QString refusal() const override { return {}; }
    QString correct(PointF, std::optional<PointF>) override { return {}; }
};

// Dialogs whose message stays on screen for a while, running its own event
// loop as a modal box does.
class ModalDialogs final : public UserDialogs {
public:
    int holdMs = 400;
    std::function<void()> whileShown;
    QStringList messages;
    int depth = 0;
    int maxDepth = 0;

    std::optional<int> choice(QWidget*, const QString&, const QString&,
                              const QStringList&) override {
        return std::nullopt;
    }
    void messageBox(QWidget*, const QString& text, const QString&) override {
        messages << text;
        maxDepth = qMax(maxDepth, ++depth);
        if (whileShown)
            whileShown();
        QTest::qWait(holdMs);
        --depth;
    }
    std::optional<QString> inputBox(QWidget*, const QString&, const QString&,
                                    const QString&) override {
        return std::nullopt;
    }
    bool yesNo(QWidget*, const QString&, const QString&) override { return false; }
    SaveChoice askToSave(QWidget*, const QString&) override { return SaveChoice::Discard; }
    QString openFileName(QWidget*, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QStringList openFileNames(QWidget*, const QString&) override { return {}; }
    QString folderName(QWidget*) override { return {}; }
    std::optional<FormAnswer> askForm(QWidget*, const FormRequest&) override { return {}; }
};

// A port for the failures a pseudo-terminal cannot produce: a line that
// refuses to send.
class FakePort final : public SerialPort {
public:
    int failWrites = 0; // failure number thrown by every write, 0 for none
    QByteArray sent;

    QString openedAt;
    LineSettings settings{0, Parity::Odd, 0, 0};

    void open(const QString& location, const LineSettings& lineSettings) override {
        openedAt = location;
        settings = lineSettings;
        m_open = true;
    }
    bool isOpen() const override { return m_open; }
    void writeByte(quint8 byte) override {
        if (!m_open)
            throw SerialPortError(serialerror::NotOpen);
        if (failWrites)
            throw SerialPortError(failWrites);
        sent.append(char(byte));
    }
    QString readAvailable() override { return {}; }
    void close() override { m_open = false; }
    QList<SerialPortName> availablePorts() const override { return {}; }

private:
    bool m_open = false;
};

QString faultText(const QString& description, int number) {
    return QStringLiteral("Fehlerbeschribung: ") + description +
           QStringLiteral(" Fehlerquelle: Ankerblick Fehlernummer: ") + QString::number(number);
}

} // namespace

class TestTargetLink : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Pty> m_pty;
    FakeHost m_host;
    ScriptedDialogs m_dialogs;
    MemorySettings m_settings;
    std::unique_ptr<TargetLinkPanel> m_panel;

    void makePanel(UserDialogs& dialogs, const QStringList& extra,
                   std::unique_ptr<SerialPort> port = nullptr) {
        m_panel.reset();
        m_panel = std::make_unique<TargetLinkPanel>(dialogs, m_settings,
                                                    port ? std::move(port) : makeQtSerialPort(),
                                                    makeQtByteStream(), extra);
        m_host.attach(*m_panel);
        m_panel->show();
    }
    template <typename T> T* child(const char* name) const {
        T* w = m_panel->findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qFatal("missing control");
        return w;
    }
    QComboBox* combo() const { return child<QComboBox>("ComPortsCombo"); }
    QColor lamp(const char* name) const { return child<LinkIndicator>(name)->colour(); }
    QTimer* timer() const { return child<QTimer>("Timer1"); }
    void click(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }

    bool choose(const QString& location) {
        const int i = combo()->findData(location);
        if (i < 0)
            return false;
        combo()->setCurrentIndex(i);
        return true;
    }
    // Chooses the pseudo-terminal and logs on; the line then holds only 0xD1.
    void logOn() {
        QVERIFY(choose(m_pty->path()));
        click("Rika");
        QVERIFY(m_panel->isLoggedOn());
        QCOMPARE(m_pty->received(), QByteArray(1, char(0xD1)));
        m_pty->forget();
    }
    void startPolling() {
        click("Rika_Schussabfrage");
        QVERIFY(m_panel->isPolling());
    }
    // Waits until the link has polled n more times.
    void waitForPolls(int n) {
        const qsizetype target = m_pty->count(kRequest) + n;
        QTRY_VERIFY(m_pty->count(kRequest) >= target);
    }
    void verifyLinkDown() {
        QVERIFY(!m_panel->isLoggedOn());
        QVERIFY(!m_panel->isPolling());
        QCOMPARE(lamp("AnmeldungShp"), QColor(255, 0, 0));
        QCOMPARE(lamp("AbfrageShp"), QColor(255, 0, 0));
        QVERIFY(combo()->isEnabled());
        QVERIFY(!timer()->isActive());
    }

private Q_SLOTS:
    void init() {
        m_pty = std::make_unique<Pty>();
        m_host = FakeHost();
        m_dialogs = ScriptedDialogs();
        m_settings.clear();
        makePanel(m_dialogs, {m_pty->path()});
    }
    void cleanup() {
        m_panel.reset();
        m_pty.reset();
    }

    // The open-hardware target, simulated as the documentation describes
    // it: a TCP server (or the far end of a pseudo-terminal) that greets,
    // replays the shots it has stored and then sends each new one, JSON
    // objects one after another. Steps: bytes to send (each its own write),
    // "WAIT" until the replay is over, "DROP" the connection, "BACK" the
    // link connecting again within its 2 s.
    void theOpenTargetsShotsComeIn_data() {
        QTest::addColumn<bool>("tcp");
        QTest::addColumn<QList<QByteArray>>("steps");
        QTest::addColumn<QString>("known");    // entered before, "number@time"
        QTest::addColumn<QList<bool>>("yes");  // answers to "… Übernehmen?"
        QTest::addColumn<QStringList>("hits"); // "x,y" in drawing units
        QTest::addColumn<QStringList>("questions");
        const QString two = u"2 Schüsse der Scheibe sind noch nicht im Tagebuch. Übernehmen?"_s;
        const QString one = u"Ein Schuss der Scheibe ist noch nicht im Tagebuch. Übernehmen?"_s;
        const QByteArray hello = "{\"CONNECTED\":1,\"NAME\":\"FET-7\"}";
        const QByteArray s1 =
            "{\"shot\":1,\"x\":1.50,\"y\":-2.00,\"time\":1000,\"session_type\":5}";
        const QByteArray s2 =
            "{\"shot\":2,\"x\":-0.25,\"y\":3.10,\"time\":2000,\"session_type\":5}";
        const QByteArray s3 = "{\"shot\":3,\"x\":0.00,\"y\":0.00,\"time\":3000,\"session_type\":5}";
        const QString h1 = u"259,248"_s, h2 = u"241.5,197"_s, h3 = u"244,228"_s;
        QTest::newRow("live shots glued and split, over TCP")
            << true << QList<QByteArray>{hello, "WAIT", s1 + s2.left(9), s2.mid(9) + s3}
            << QString() << QList<bool>{} << QStringList{h1, h2, h3} << QStringList{};
        QTest::newRow("the same over the serial line")
            << false << QList<QByteArray>{hello, "WAIT", s1 + s2.left(9), s2.mid(9) + s3}
            << QString() << QList<bool>{} << QStringList{h1, h2, h3} << QStringList{};
        QTest::newRow("a replay: the entered shot passed over, the others taken")
            << true << QList<QByteArray>{hello + s1 + s2 + s3, "WAIT"} << u"1@1000"_s
            << QList<bool>{true} << QStringList{h2, h3} << QStringList{two};
        QTest::newRow("a replay declined")
            << true << QList<QByteArray>{hello + s1 + s2, "WAIT"} << QString() << QList<bool>{false}
            << QStringList{} << QStringList{two};
        QTest::newRow("a shot without a position is never entered")
            << true
            << QList<QByteArray>{hello, "WAIT", "{\"shot\":1,\"y\":2.0}", "{\"shot\":1,\"y\":2.0}",
                                 s2}
            << QString() << QList<bool>{} << QStringList{h2} << QStringList{};
        QTest::newRow("dropped inside an object, the replay fills the gap")
            << true << QList<QByteArray>{hello,  "WAIT",          s1,    s2.left(14), "DROP",
                                         "BACK", hello + s1 + s2, "WAIT"}
            << QString() << QList<bool>{true} << QStringList{h1, h2} << QStringList{one};
    }
    void theOpenTargetsShotsComeIn() {
        QFETCH(bool, tcp);
        QFETCH(QList<QByteArray>, steps);
        QFETCH(QString, known);
        QFETCH(QList<bool>, yes);
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const QString location =
            tcp ? u"tcp://127.0.0.1:%1"_s.arg(server.serverPort()) : u"serial:"_s + m_pty->path();
        m_settings.setEnteredTargetShots(u"FET-7"_s,
                                         known.isEmpty() ? QStringList{} : QStringList{known});
        m_dialogs.yesNoAnswers = yes;
        makePanel(m_dialogs, {m_pty->path(), location});
        QVERIFY(choose(location));
        click("Rika");
        QTRY_VERIFY(m_panel->isLoggedOn());
        click("Rika_Schussabfrage");
        QVERIFY(m_panel->isPolling());
        QTcpSocket* target = nullptr;
        if (tcp) {
            QTRY_VERIFY(server.hasPendingConnections());
            target = server.nextPendingConnection();
        }
        for (const QByteArray& step : steps) {
            if (step == "WAIT") {
                QTest::qWait(OpenTargetLink::kReplayMs + 300);
            } else if (step == "DROP") {
                target->close();
                QTRY_COMPARE(lamp("AnmeldungShp"), LinkIndicator::waitingColour());
            } else if (step == "BACK") {
                QTRY_VERIFY_WITH_TIMEOUT(server.hasPendingConnections(), 4000);
                target = server.nextPendingConnection();
                QTRY_COMPARE(lamp("AnmeldungShp"), LinkIndicator::onColour());
            } else if (tcp) {
                target->write(step);
                target->flush();
                QTest::qWait(50); // a read of its own
            } else {
                m_pty->send(step);
                QTest::qWait(50);
            }
        }
        QStringList hits;
        for (const PointF& at : std::as_const(m_host.hits))
            hits << u"%1,%2"_s.arg(at.x).arg(at.y);
        QTEST(hits, "hits");
        QStringList questions;
        for (const auto& asked : std::as_const(m_dialogs.asked))
            questions << asked.text;
        QTEST(questions, "questions");
        // Each shot is entered once, however often it came.
        QStringList entered = m_settings.enteredTargetShots(u"FET-7"_s);
        QCOMPARE(entered.removeDuplicates(), 0);
    }

    // The port of the last log-on is chosen in the next panel, if listed.
    void keepsThePortOfTheLastLogOn_data() {
        QTest::addColumn<bool>("listedAgain");
        QTest::newRow("listed") << true;
        QTest::newRow("gone") << false;
    }
    void keepsThePortOfTheLastLogOn() {
        QFETCH(bool, listedAgain);
        logOn();
        QCOMPARE(m_settings.serialPort(), m_pty->path());
        makePanel(m_dialogs, listedAgain ? QStringList{m_pty->path()} : QStringList{});
        QCOMPARE(combo()->currentIndex() >= 0, listedAgain);
        if (listedAgain)
            QCOMPARE(combo()->currentData().toString(), m_pty->path());
        QVERIFY(!m_panel->isLoggedOn());
    }

    void startsLoggedOffWithThePortsListed() {
        QComboBox* c = combo();
        QCOMPARE(c->currentIndex(), -1);
        QCOMPARE(c->placeholderText(), QStringLiteral("Rika Anschluss"));
        QVERIFY(c->count() >= 9);
        for (int n = 1; n <= 8; ++n) {
            QCOMPARE(c->itemText(n - 1), QStringLiteral("Com ") + QString::number(n));
            QCOMPARE(c->itemData(n - 1).toString(), numberedPortLocation(n));
        }
        QCOMPARE(c->itemText(c->count() - 2), m_pty->path());
        // Last, the open-hardware target at an address the shooter types.
        QCOMPARE(c->itemText(c->count() - 1), u"Scheibe im Netz …"_s);
        QCOMPARE(c->itemData(c->count() - 1).toString(), QString());
        QCOMPARE(child<QPushButton>("Rika")->text(), QStringLiteral("Rika An-/ Abmeldung"));
        QCOMPARE(child<QPushButton>("Rika_Schussabfrage")->text(),
                 QStringLiteral("Rika Schussabfrage"));
        verifyLinkDown();
        QVERIFY(m_pty->received().isEmpty());
    }

    void opensAt9600N81() {
        logOn();
        termios t{};
        QCOMPARE(::tcgetattr(m_pty->slave(), &t), 0);
        QCOMPARE(::cfgetospeed(&t), speed_t(B9600));
        QCOMPARE(::cfgetispeed(&t), speed_t(B9600));
        QCOMPARE(t.c_cflag & CSIZE, tcflag_t(CS8));
        QCOMPARE(t.c_cflag & PARENB, tcflag_t(0));
        QCOMPARE(t.c_cflag & CSTOPB, tcflag_t(0));
        // No handshake of either kind.
        QCOMPARE(t.c_cflag & CRTSCTS, tcflag_t(0));
        QCOMPARE(t.c_iflag & (IXON | IXOFF), tcflag_t(0));
        QCOMPARE(lamp("AnmeldungShp"), QColor(0, 255, 0));
        QVERIFY(!combo()->isEnabled());
    }

    void bytesOnTheLine_data() {
        QTest::addColumn<bool>("stopPolling");
        QTest::addColumn<bool>("logOffButton");
        QTest::newRow("log-off after polling") << true << true;
        QTest::newRow("window closes after polling") << true << false;
        QTest::newRow("window closes while polling") << false << false;
    }
    void bytesOnTheLine() {
        QFETCH(bool, stopPolling);
        QFETCH(bool, logOffButton);
        logOn();
        startPolling();
        QCOMPARE(timer()->interval(), 100);
        QVERIFY(timer()->isActive());
        QCOMPARE(lamp("AbfrageShp"), QColor(0, 255, 0));
        waitForPolls(3);
        if (stopPolling) {
            click("Rika_Schussabfrage");
            QVERIFY(!timer()->isActive());
            QCOMPARE(lamp("AbfrageShp"), QColor(255, 0, 0));
        }
        if (logOffButton)
            click("Rika");
        else
            m_panel->shutdown();
        verifyLinkDown();

        // Every poll asked and finished; the last byte logs off.
        const QByteArray line = m_pty->received();
        QVERIFY(line.size() >= 7);
        QCOMPARE(line.back(), char(0xD0));
        for (qsizetype i = 0; i + 1 < line.size(); i += 2) {
            QCOMPARE(line.at(i), kRequest);
            QCOMPARE(line.at(i + 1), kDone);
        }
        QVERIFY(line.size() % 2 == 1);
        // Nothing follows once the port is closed.
        QTest::qWait(300);
        QCOMPARE(m_pty->received(), line);
        QVERIFY(m_dialogs.messages().isEmpty());
    }

    void recordBecomesHit_data() {
        QTest::addColumn<QByteArray>("x");
        QTest::addColumn<QByteArray>("y");
        QTest::addColumn<double>("scale");
        QTest::addColumn<float>("dx");
        QTest::addColumn<float>("dy"); // on the drawing, downwards
        QTest::newRow("centre") << QByteArray("000000") << QByteArray("000000") << 10.0 << 0.0f
                                << 0.0f;
        // 10 mm on the air pistol target (392 units for 59.5 mm): 65.88 -> 65.
        QTest::newRow("10 mm right")
            << QByteArray("001000") << QByteArray("000000") << 392.0 / 59.5 << 65.0f << 0.0f;
        QTest::newRow("2.5 mm below")
            << QByteArray("000000") << QByteArray("-00250") << 10.0 << 0.0f << 25.0f;
    }
    void recordBecomesHit() {
        QFETCH(QByteArray, x);
        QFETCH(QByteArray, y);
        QFETCH(double, scale);
        QFETCH(float, dx);
        QFETCH(float, dy);
        m_host.scale = scale;
        logOn();
        startPolling();
        waitForPolls(1);
        m_pty->send(record(x.constData(), y.constData()));
        QTRY_COMPARE(m_host.hits.size(), 1);
        QCOMPARE(m_host.hits.at(0), (PointF{244.0f + dx, 228.0f + dy}));
        click("Rika_Schussabfrage");
        // The poll that used the record finished like every other.
        QCOMPARE(m_pty->count(kRequest), m_pty->count(kDone));
        QVERIFY(m_dialogs.messages().isEmpty());
    }

    void aShotIsConfirmedOnlyOnceStored_data() {
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<QString>("told");
        QTest::newRow("stored") << true << QString() << QString();
        QTest::newRow("series list full")
            << false << QString() << QStringLiteral("Bitte die Serien speichern");
        QTest::newRow("diary not written")
            << false << QStringLiteral("Der Datenträger ist voll.")
            << QStringLiteral("Der Datenträger ist voll. Die Abfrage wurde beendet; der Schuss "
                              "ist nicht bestätigt und bleibt in der Scheibe");
    }
    void aShotIsConfirmedOnlyOnceStored() {
        QFETCH(bool, stored);
        QFETCH(QString, problem);
        QFETCH(QString, told);
        m_host.stores = stored;
        m_host.problem = problem;
        logOn();
        startPolling();
        m_pty->send(record("000100", "000100"));
        QTRY_COMPARE(m_host.hits.size(), 1);
        // Every poll is confirmed, except the one whose shot was not stored:
        // that one stops polling with a message, so the target keeps the shot.
        QTRY_COMPARE(m_pty->count(kDone), m_pty->count(kRequest) - (stored ? 0 : 1));
        QCOMPARE(m_panel->isPolling(), stored);
        QCOMPARE(m_dialogs.messages().size(), stored ? 0 : 1);
        if (!stored) {
            QVERIFY(m_dialogs.messages().first().contains(QStringLiteral("nicht bestätigt")));
            QVERIFY2(m_dialogs.messages().first().contains(told),
                     qPrintable(m_dialogs.messages().first()));
        }
    }

    void badReplies_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("message");
        QTest::newRow("39 characters: ignored") << QByteArray(39, '0') << QString();
        QTest::newRow("40 characters")
            << QByteArray(40, '0')
            << faultText(QStringLiteral("Der Schussdatensatz ist unvollständig"), 8101);
        QTest::newRow("55 characters")
            << QByteArray(55, '0')
            << faultText(QStringLiteral("Der Schussdatensatz ist unvollständig"), 8101);
        QTest::newRow("x not a number")
            << record("00x100", "000000")
            << faultText(QStringLiteral("Die Schussposition ist keine ganze Zahl"), 8102);
        QTest::newRow("y out of range")
            << record("000000", "040000")
            << faultText(QStringLiteral("Die Schussposition liegt außerhalb des Wertebereichs"),
                         8103);
    }
    void badReplies() {
        QFETCH(QByteArray, reply);
        QFETCH(QString, message);
        logOn();
        startPolling();
        waitForPolls(1);
        m_pty->send(reply);
        if (message.isEmpty())
            waitForPolls(3);
        else
            QTRY_COMPARE(m_dialogs.messages(), QStringList{message});
        QVERIFY(m_host.hits.isEmpty());
        // Polling goes on and takes the next good record.
        QVERIFY(m_panel->isPolling());
        m_pty->send(record("000000", "000000"));
        QTRY_COMPARE(m_host.hits.size(), 1);
        click("Rika_Schussabfrage");
        // Only the failed poll went without 0x0C.
        QCOMPARE(m_pty->count(kRequest), m_pty->count(kDone) + (message.isEmpty() ? 0 : 1));
        QCOMPARE(m_dialogs.messages().size(), message.isEmpty() ? 0 : 1);
    }

    void logOffWhilePollingIsRefused() {
        logOn();
        startPolling();
        click("Rika");
        QCOMPARE(m_dialogs.messages(),
                 QStringList{QStringLiteral("Erst Abfrage beenden, dann abmelden.")});
        QVERIFY(m_panel->isLoggedOn());
        QVERIFY(m_panel->isPolling());
        QVERIFY(!combo()->isEnabled());
        waitForPolls(2);
        QVERIFY(!m_pty->received().contains(char(0xD0)));
    }

    void pollingBeforeLogOnIsRefused() {
        const QString refusal = QStringLiteral("Erst Anmelden, dann abfragen.");
        click("Rika_Schussabfrage");
        QCOMPARE(m_dialogs.messages(), QStringList{refusal});
        QVERIFY(!m_panel->isPolling());
        QVERIFY(!timer()->isActive());
        QCOMPARE(lamp("AbfrageShp"), QColor(255, 0, 0));
        // Still off: the next press is refused again instead of switching off.
        click("Rika_Schussabfrage");
        QCOMPARE(m_dialogs.messages(), (QStringList{refusal, refusal}));
        QVERIFY(m_pty->received().isEmpty());
    }

    void invalidPort_data() {
        QTest::addColumn<QString>("location"); // empty: nothing chosen
        QTest::newRow("nothing chosen") << QString();
        QTest::newRow("device missing") << QStringLiteral("/dev/ankerblick-no-such-tty-") +
                                               QString::number(QCoreApplication::applicationPid());
    }
    void invalidPort() {
        QFETCH(QString, location);
        makePanel(m_dialogs, {location, m_pty->path()});
        if (!location.isEmpty())
            QVERIFY(choose(location));
        click("Rika");
        QCOMPARE(m_dialogs.messages(),
                 QStringList{QStringLiteral("Bitte einen Anschluss wählen.")});
        verifyLinkDown();
        // A valid choice then logs on.
        logOn();
    }

    void pollMessagesDoNotPileUp_data() {
        QTest::addColumn<bool>("restartPolling");
        QTest::newRow("message left alone") << false;
        // A restarted timer is a new one and would fire inside the box's event loop.
        QTest::newRow("polling switched off and on while shown") << true;
    }
    void pollMessagesDoNotPileUp() {
        QFETCH(bool, restartPolling);
        ModalDialogs dialogs;
        makePanel(dialogs, {m_pty->path()});
        bool polledWhileShown = false;
        dialogs.whileShown = [&] {
            if (dialogs.messages.size() > 1)
                return;
            // A second bad record waits on the line while the first message is shown.
            m_pty->send(QByteArray(45, '0'));
            const qsizetype before = m_pty->count(kRequest);
            QTimer::singleShot(dialogs.holdMs - 20, [&, before] {
                polledWhileShown = polledWhileShown || m_pty->count(kRequest) != before;
            });
            if (restartPolling) {
                click("Rika_Schussabfrage");
                click("Rika_Schussabfrage");
            }
        };
        logOn();
        startPolling();
        m_pty->send(QByteArray(45, '0'));
        // One message at a time: the second record is read after the first box closed.
        QTRY_COMPARE(dialogs.messages.size(), 2);
        QCOMPARE(dialogs.maxDepth, 1);
        QVERIFY(!polledWhileShown);
        dialogs.whileShown = nullptr;
        m_pty->send(record("000000", "000000"));
        QTRY_COMPARE(m_host.hits.size(), 1);
        QVERIFY(m_panel->isPolling());
    }

    void failingSendDoesNotPileUp() {
        ModalDialogs dialogs;
        dialogs.holdMs = 350;
        auto port = std::make_unique<FakePort>();
        FakePort* line = port.get();
        makePanel(dialogs, {}, std::move(port));
        combo()->setCurrentIndex(0);
        click("Rika");
        startPolling();
        line->failWrites = serialerror::WriteFailed;
        // Every poll fails; each message is shown alone, polling goes on.
        QTRY_VERIFY(dialogs.messages.size() >= 3);
        QCOMPARE(dialogs.maxDepth, 1);
        QCOMPARE(dialogs.messages.first(),
                 faultText(QStringLiteral("Senden über den Anschluss fehlgeschlagen"), 8018));
        QVERIFY(m_panel->isPolling());
        line->failWrites = 0;
        click("Rika_Schussabfrage");
        QVERIFY(!m_panel->isPolling());
    }

    void failedLogOnKeepsWhatItReached() {
        auto port = std::make_unique<FakePort>();
        FakePort* line = port.get();
        makePanel(m_dialogs, {}, std::move(port));
        combo()->setCurrentIndex(0);
        line->failWrites = serialerror::WriteFailed;
        click("Rika");
        // "Com 1" is the platform's first port, opened at 9600,N,8,1.
        QCOMPARE(line->openedAt, numberedPortLocation(1));
        QCOMPARE(line->settings, (LineSettings{9600, Parity::None, 8, 1}));
        // The port opened, 0xD1 did not go out: not logged on, the list usable again.
        QCOMPARE(m_dialogs.messages(),
                 QStringList{
                     faultText(QStringLiteral("Senden über den Anschluss fehlgeschlagen"), 8018)});
        QVERIFY(line->isOpen());
        QVERIFY(!m_panel->isLoggedOn());
        QVERIFY(combo()->isEnabled());
        // The next press closes the port.
        line->failWrites = 0;
        click("Rika");
        QVERIFY(!line->isOpen());
        QCOMPARE(line->sent, QByteArray(1, char(0xD0)));
        QCOMPARE(m_dialogs.messages().size(), 1);
    }

    void hangUpEndsTheLink_data() {
        QTest::addColumn<bool>("polling");
        QTest::newRow("logged on") << false;
        QTest::newRow("polling") << true;
    }
    void hangUpEndsTheLink() {
        QFETCH(bool, polling);
        logOn();
        if (polling) {
            startPolling();
            m_pty->send(record("000200", "000000"));
            QTRY_COMPARE(m_host.hits.size(), 1);
        }
        m_pty->hangUp();
        QTRY_VERIFY(!m_panel->isLoggedOn());
        verifyLinkDown();
        const QStringList lost{
            faultText(QStringLiteral("Der Anschluss ist nicht mehr verfügbar, die Verbindung zur "
                                     "Scheibe wurde beendet."),
                      8020)};
        QCOMPARE(m_dialogs.messages(), lost);
        QTest::qWait(400);
        QCOMPARE(m_dialogs.messages(), lost); // said once
        QCOMPARE(m_host.hits.size(), polling ? 1 : 0);
        // The window may close now, and polling stays off.
        m_panel->shutdown();
        verifyLinkDown();
        click("Rika_Schussabfrage");
        QCOMPARE(m_dialogs.messages().last(), QStringLiteral("Erst Anmelden, dann abfragen."));
    }
};

QTEST_MAIN(TestTargetLink)
#include "tst_targetlink.moc"
