// The electronic target drives series into the shot-entry window: the test
// plays the target on a pseudo-terminal, the window uses the real serial port.

#include "features/targetlink/targetlinkpanel.h"
#include "support/pty.h"
#include "support/windowdriver.h"
#include "support/windowtest.h"
#include "windows/entry/schusseingabe.h"

#include <QComboBox>

#include <memory>

using namespace ankerblick;
using namespace ankerblick::test;

class TestEntryLink : public ankerblick::test::WindowTest {
    Q_OBJECT

    std::unique_ptr<Pty> m_pty;
    QWidget m_returnTo;
    std::unique_ptr<Schusseingabe> m_window;
    std::unique_ptr<WindowDriver> m_ui;

    const EntrySheet& sheet() const { return m_window->sheet(); }
    void logOnAndPoll() {
        auto* ports = m_ui->child<QComboBox>(QStringLiteral("ComPortsCombo"));
        const int i = ports->findData(m_pty->path());
        QVERIFY(i >= 8);
        ports->setCurrentIndex(i);
        m_ui->press("Rika");
        m_ui->press("Rika_Schussabfrage");
        QVERIFY(m_window->targetLink().isPolling());
    }
    // Sends a record and waits until the window has listed it.
    void target(const char* x, const char* y) {
        const qsizetype before = sheet().shotList().size();
        const int series = sheet().selectedSeries();
        m_pty->send(record(x, y));
        QTRY_VERIFY(sheet().shotList().size() != before || sheet().selectedSeries() != series);
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init() {
        resetServices();
        m_pty = std::make_unique<Pty>();
        Services services{m_dialogs, m_clock, m_tones, m_printers, m_settings, {m_pty->path()}};
        m_window = std::make_unique<Schusseingabe>(services, &m_returnTo);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_ui = std::make_unique<WindowDriver>(m_window.get());
    }
    void cleanup() {
        m_ui.reset();
        m_window.reset();
        m_pty.reset();
    }

    void recordsBecomeHitsAndAnEleventhStartsTheNextSeries() {
        logOnAndPoll();
        m_clock.now = 5000;
        target("000000", "000000"); // the centre
        QCOMPARE(m_ui->list("Schusswert"), QStringList{QStringLiteral("10,9")});
        // 10 mm right and 5 mm down: floor(1000 / 100 * 6,588) = 65 units right,
        // floor(-500 / 100 * 6,588) = -33 units up.
        target("001000", "-00500");
        QCOMPARE(sheet().hits()[1].box.centre(), (PointF{244.0f + 65.0f, 228.0f + 33.0f}));
        for (int i = 2; i < 10; ++i)
            target("000150", "000000");
        QCOMPARE(m_ui->caption(), QStringLiteral("Serie beendet"));
        target("000000", "000000");
        QCOMPARE(m_ui->list("SerienListe"),
                 QStringList({QStringLiteral("1"), QStringLiteral("2")}));
        QCOMPARE(sheet().store()[1].shotCount(), 10);
        QCOMPARE(m_ui->list("SchussListe"), QStringList{QStringLiteral("1")});
        QCOMPARE(m_ui->list("Schusswert"), QStringList{QStringLiteral("10,9")});
        // Hits from the polled target write no time lines.
        QVERIFY(sheet().times().shootingTimesText().isEmpty());

        // With polling off, a mouse hit writes its line, timed from the last
        // target hit.
        m_ui->press("Rika_Schussabfrage");
        QVERIFY(!m_window->targetLink().isPolling());
        m_clock.now = 9000;
        m_ui->click(250, 230);
        QCOMPARE(sheet().times().shootingTimesText(), QStringLiteral("Serie:2 Schuss:2: 4\r\n"));
    }

    void aTargetShotGoesIntoTheNewestSeries() {
        logOnAndPoll();
        target("000000", "000000");
        m_ui->press("WeitereSerie");
        target("000100", "000000");
        m_ui->chooseRow("SerienListe", 0);
        // Series 1 is shown; the target's next shot, 35 mm left of the
        // centre beyond the window's edge, belongs to series 2.
        target("-03500", "000000");
        QCOMPARE(sheet().selectedSeries(), 2);
        QCOMPARE(m_ui->list("SchussListe"),
                 QStringList({QStringLiteral("1"), QStringLiteral("2")}));
        QCOMPARE(sheet().store()[1].shotCount(), 1);
        QCOMPARE(sheet().store()[2].shotCount(), 2);
        // Every shot was confirmed, and only once stored.
        QTRY_COMPARE(m_pty->count(char(0x0C)), m_pty->count(char(0x16)));
        QVERIFY(m_dialogs.messages().isEmpty());
    }

    void closingTheWindowLogsOff() {
        logOnAndPoll();
        m_window->close();
        QTRY_VERIFY(m_pty->received().endsWith(char(0xD0)));
        QVERIFY(!m_window->targetLink().isLoggedOn());
        QVERIFY(m_returnTo.isVisible());
    }
};

QTEST_MAIN(TestEntryLink)
#include "tst_entrylink.moc"
