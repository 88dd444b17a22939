// The shot-entry window driven as a shooter drives it.

#include "platform/serialport.h"
#include "support/program.h"
#include "support/sources.h"
#include "support/windowdriver.h"
#include "support/windowtest.h"
#include "widgets/widgets.h"
#include "windows/entry/schusseingabe.h"

#include <QAction>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cmath>
#include <memory>
#include <optional>

using namespace ankerblick;
using namespace ankerblick::test;

class TestSchusseingabe : public ankerblick::test::WindowTest {
    Q_OBJECT

    std::unique_ptr<Schusseingabe> m_window;
    std::unique_ptr<WindowDriver> m_ui;

    const EntrySheet& sheet() const { return m_window->sheet(); }
    // Ten hits along a line below the centre, all on the target.
    void hits(int count, int first = 0) {
        for (int i = first; i < first + count; ++i)
            m_ui->click(244 + 3 * i, 228 + 4 * i);
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void init() {
        resetServices();
        m_window = std::make_unique<Schusseingabe>(m_services);
        addSources(*m_window, m_services);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_ui = std::make_unique<WindowDriver>(m_window.get());
    }
    void cleanup() {
        m_ui.reset();
        m_window.reset();
    }

    void startsWaitingForTheFirstHit() {
        QCOMPARE(m_ui->caption(), QStringLiteral("Schuss: 1!"));
        QCOMPARE(m_ui->list("SerienListe"), QStringList{QStringLiteral("1")});
        QCOMPARE(m_ui->child<QLabel>(QStringLiteral("Einstiegshinweis"))->text(),
                 QStringLiteral("Klicken Sie, wo der Schuss getroffen hat"));
        QCOMPARE(m_ui->text("SerienSumme"), QStringLiteral("0"));
        QCOMPARE(m_window->findChild<QButtonGroup*>(QStringLiteral("Disziplin"))->button(2)->text(),
                 QStringLiteral("OSP-SP"));
        for (int i = 0; i < 10; ++i)
            QCOMPARE(sheet().hits()[size_t(i)].fill, hitColour(i));
    }

    // The window holds its place and size as the hits come: the next click
    // lands where the shooter aimed it.
    void eachReleasePlacesOneHit() {
        const QRect before = m_window->geometry();
        m_ui->click(244, 228);
        QCOMPARE(m_ui->list("SchussListe"), QStringList{QStringLiteral("1")});
        QCOMPARE(m_ui->list("Schusswert"), QStringList{QStringLiteral("10,9")});
        QCOMPARE(m_ui->caption(), QStringLiteral("Schuss: 2!"));
        QVERIFY(m_ui->button("NeuBerechnen")->isEnabled());
        m_ui->click(244, 300); // 72 units out: t = 109 - 70 / 5,3 -> 9,6
        QCOMPARE(m_ui->list("Schusswert").last(), QStringLiteral("9,6"));
        QCOMPARE(m_ui->text("SerienSumme"), QStringLiteral("19"));
        QCOMPARE(m_ui->text("SerienSummeZehntel"), QStringLiteral("20,5"));
        QTest::qWait(50);
        QCOMPARE(m_window->geometry(), before);
    }

    void tenthHitEndsTheSeriesAndUndoReopensIt() {
        hits(10);
        QCOMPARE(m_ui->caption(), QStringLiteral("Serie beendet"));
        QVERIFY(hasSignalColour(m_ui->button("WeitereSerie")));
        QVERIFY(!sheet().placing());
        const QStringList values = m_ui->list("Schusswert");
        const QString sumBeforeLast = [&] {
            double s = 0;
            for (int i = 0; i < 9; ++i)
                s += QLocale().toDouble(values.at(i));
            return QLocale().toString(s, 'g', 15);
        }();
        // A further click places nothing.
        m_ui->click(300, 300);
        QCOMPARE(m_ui->list("SchussListe").size(), 10);

        m_ui->press("Undo");
        QCOMPARE(m_ui->caption(), QStringLiteral("Schuss: 10!"));
        QCOMPARE(m_ui->list("SchussListe").size(), 9);
        QCOMPARE(m_ui->list("Schusswert"), values.mid(0, 9));
        QCOMPARE(m_ui->text("SerienSummeZehntel"), sumBeforeLast);
        QVERIFY(!hasSignalColour(m_ui->button("WeitereSerie")));
        // Mark 10 follows the pointer again and can be placed anew.
        m_ui->click(250, 228);
        QCOMPARE(m_ui->list("SchussListe").size(), 10);
        QCOMPARE(m_ui->caption(), QStringLiteral("Serie beendet"));
    }

    void undoWithoutAHitChangesNothing() {
        m_ui->press("Undo");
        QCOMPARE(m_ui->caption(), QStringLiteral("Schuss: 1!"));
        QVERIFY(m_ui->list("SchussListe").isEmpty());
        QCOMPARE(m_ui->text("SerienSumme"), QStringLiteral("0"));
        QCOMPARE(sheet().shotIndex(), 0);
    }

    // "Rückgängig" takes back the last hit, by its button or by Strg+Z. With
    // an earlier series shown it is greyed, in the menu too, and Strg+Z does
    // nothing.
    void undoTakesBackTheLastHit_data() {
        QTest::addColumn<bool>("byKey");         // Strg+Z instead of the button
        QTest::addColumn<bool>("earlierSeries"); // series 1 shown again after "Weitere Serie"
        QTest::addColumn<int>("shots");          // rows of the shot list afterwards
        QTest::newRow("button") << false << false << 2;
        QTest::newRow("Strg+Z") << true << false << 2;
        QTest::newRow("Strg+Z while greyed") << true << true << 3;
    }
    void undoTakesBackTheLastHit() {
        QFETCH(bool, byKey);
        QFETCH(bool, earlierSeries);
        QFETCH(int, shots);
        hits(3);
        if (earlierSeries) {
            m_ui->press("WeitereSerie");
            m_ui->chooseRow("SerienListe", 0);
        }
        QList<QAction*> entries;
        for (QAction* action : m_window->findChildren<QAction*>())
            if (action->text() == QStringLiteral("Rückgängig"))
                entries << action;
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first()->isEnabled(), !earlierSeries);
        QCOMPARE(m_ui->button("Undo")->isEnabled(), !earlierSeries);
        if (byKey) {
            m_window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
            QTest::keyClick(m_ui->surface(), Qt::Key_Z, Qt::ControlModifier);
        } else {
            m_ui->press("Undo");
        }
        QCOMPARE(m_ui->list("SchussListe").size(), shots);
        QCOMPARE(m_ui->list("Schusswert").size(), shots);
        QCOMPARE(sheet().store()[1].hasShot(2), earlierSeries);
        if (earlierSeries)
            return;
        QCOMPARE(m_ui->caption(), QStringLiteral("Schuss: 3!"));
        QVERIFY(!sheet().hits()[3].box.visible);
    }

    // Pressed before ten hits, the next series keeps only the hits placed; the
    // mark that waited under the pointer is no shot.
    void nextSeriesStoresOnlyPlacedHits() {
        hits(3);
        QTest::mouseMove(m_ui->surface(), m_ui->at(300, 310));
        m_ui->press("WeitereSerie");
        QCOMPARE(m_ui->list("SerienListe"),
                 QStringList({QStringLiteral("1"), QStringLiteral("2")}));
        QCOMPARE(sheet().selectedSeries(), 2);
        QCOMPARE(sheet().store()[1].shotCount(), 3);
        QVERIFY(!sheet().store()[1].hasShot(3));
        QVERIFY(m_ui->list("SchussListe").isEmpty());
        QCOMPARE(m_ui->caption(), QStringLiteral("Schuss: 1!"));
        m_ui->chooseRow("SerienListe", 0);
        QCOMPARE(m_ui->list("SchussListe"),
                 QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    }

    // Scoring again rescored the unplaced marks as "0" and put the entry back
    // at shot 1; it now keeps the entry where it was.
    void recomputeKeepsTheEntryPosition() {
        hits(3);
        const QStringList values = m_ui->list("Schusswert");
        m_ui->press("NeuBerechnen");
        QCOMPARE(m_ui->list("Schusswert"), values);
        QCOMPARE(m_ui->caption(), QStringLiteral("Schuss: 4!"));
        m_ui->click(244, 228);
        QCOMPARE(m_ui->list("SchussListe").size(), 4);
        QCOMPARE(m_ui->list("Schusswert").mid(0, 3), values);
        QCOMPARE(m_ui->list("Schusswert").last(), QStringLiteral("10,9"));
    }

    void anUnfinishedSeriesGoesOnAfterItsLastShot() {
        hits(3);
        m_ui->press("WeitereSerie");
        hits(2);
        m_ui->chooseRow("SerienListe", 0);
        QCOMPARE(m_ui->caption(), QStringLiteral("Schuss: 4!"));
        QVERIFY(!m_ui->button("Undo")->isEnabled());
        QVERIFY(m_ui->button("NeuBerechnen")->isEnabled());
        m_clock.now = 3000;
        m_ui->click(260, 228);
        QCOMPARE(m_ui->list("SchussListe").size(), 4);
        // Its time line names the series the hit went into.
        QVERIFY(sheet().times().shootingTimesText().endsWith(
            QStringLiteral("Serie:1 Schuss:4: 3\r\n")));
        // Another series shown in between: the added hit stays with series 1.
        m_ui->chooseRow("SerienListe", 1);
        QCOMPARE(m_ui->list("SchussListe").size(), 2);
        QVERIFY(m_ui->button("Undo")->isEnabled());
        m_ui->chooseRow("SerienListe", 0);
        QCOMPARE(m_ui->list("SchussListe").size(), 4);
        QCOMPARE(sheet().store()[1].shotCount(), 4);
    }

    void nextSeriesOnAnEarlierSeriesAddsNothing() {
        hits(10);
        m_ui->press("WeitereSerie");
        hits(10);
        m_ui->chooseRow("SerienListe", 0);
        m_ui->press("WeitereSerie");
        QCOMPARE(m_ui->list("SerienListe").size(), 2);
        QCOMPARE(sheet().selectedSeries(), 1);
    }

    void aStoredSeriesShowsAsEntered() {
        hits(10);
        const QStringList values = m_ui->list("Schusswert");
        const QString sum = m_ui->text("SerienSummeZehntel");
        m_ui->press("WeitereSerie");
        QVERIFY(m_ui->list("Schusswert").isEmpty());
        QCOMPARE(m_ui->text("SerienSumme"), QStringLiteral("0"));
        m_ui->chooseRow("SerienListe", 0);
        QCOMPARE(m_ui->list("Schusswert"), values);
        QCOMPARE(m_ui->text("SerienSummeZehntel"), sum);
        QCOMPARE(m_ui->caption(), QStringLiteral("Schuss: 10"));
        QVERIFY(!sheet().placing());
        // Further clicks on a complete stored series place nothing.
        m_ui->click(244, 228);
        QCOMPARE(m_ui->list("SchussListe").size(), 10);
    }

    void rightDragShiftsAFinishedSeries() {
        hits(10);
        const auto before = sheet().hits();
        QTest::mouseMove(m_ui->surface(), m_ui->at(100, 100));
        QTest::mousePress(m_ui->surface(), Qt::RightButton, {}, m_ui->at(100, 100));
        QTest::mouseMove(m_ui->surface(), m_ui->at(90, 120));
        QTest::mouseRelease(m_ui->surface(), Qt::RightButton, {}, m_ui->at(90, 120));
        for (size_t i = 0; i < 10; ++i) {
            QCOMPARE(sheet().hits()[i].box.left, before[i].box.left - 10.0f);
            QCOMPARE(sheet().hits()[i].box.top, before[i].box.top + 20.0f);
        }
    }

    void whiteShotsTwiceRestoresTheColours() {
        m_ui->press("WeisseSchüsse");
        for (const Mark& m : sheet().hits())
            QCOMPARE(m.fill, (Rgb{255, 255, 255}));
        m_ui->press("WeisseSchüsse");
        for (int i = 0; i < 10; ++i)
            QCOMPARE(sheet().hits()[size_t(i)].fill, hitColour(i));
    }

    void commentsNameSeriesAndShot() {
        // Before the first shot the prompt names the series only.
        m_dialogs.inputs = {std::nullopt};
        m_ui->press("Kommentar");
        QCOMPARE(m_dialogs.asked.takeFirst().text, QStringLiteral("Kommentar zu Serie 1:"));
        QVERIFY(sheet().comments().isEmpty());
        hits(2);
        m_dialogs.inputs = {QStringLiteral("zu früh abgezogen"), QString(), std::nullopt};
        m_ui->press("Kommentar");
        m_ui->press("Kommentar");
        QCOMPARE(m_dialogs.asked.at(0).text, QStringLiteral("Kommentar zu Serie 1, Schuss 2:"));
        QCOMPARE(m_dialogs.asked.at(0).title, QStringLiteral("Kommentar zum Schuss"));
        const QString twoComments = QStringLiteral("Serie: 1 Schuss: 2: zu früh abgezogen\r\n"
                                                   "Serie: 1 Schuss: 2: \r\n");
        QCOMPARE(sheet().comments(), twoComments);
        // Abbrechen adds nothing and leaves the series as saved.
        const QTemporaryDir dir;
        m_dialogs.saveNames = {dir.filePath(QStringLiteral("k.txt"))};
        m_ui->press("Speichern");
        QVERIFY(!sheet().modifiedSinceSave());
        m_ui->press("Kommentar");
        QCOMPARE(sheet().comments(), twoComments);
        QVERIFY(!sheet().modifiedSinceSave());
        m_ui->press("Neu");
        QVERIFY(sheet().comments().isEmpty());
    }

    void shotListHighlightsTheChosenMark() {
        hits(3);
        m_ui->chooseRow("SchussListe", 1);
        QCOMPARE(sheet().hits()[1].border, (Rgb{255, 255, 255}));
        m_ui->chooseRow("SchussListe", 2);
        QCOMPARE(sheet().hits()[1].border, (Rgb{0, 0, 0}));
        QCOMPARE(sheet().hits()[2].border, (Rgb{255, 255, 255}));
        // Leaving the list turns the border black again.
        m_ui->child<QLineEdit>(QStringLiteral("SchuetzenName"))->setFocus();
        QCOMPARE(sheet().hits()[2].border, (Rgb{0, 0, 0}));
        // The same row outlines its shot again, also once the lists were rebuilt.
        m_ui->chooseRow("SchussListe", 2);
        QCOMPARE(sheet().hits()[2].border, (Rgb{255, 255, 255}));
        m_ui->press("WeitereSerie");
        m_ui->chooseRow("SerienListe", 0);
        QCOMPARE(sheet().hits()[2].border, (Rgb{0, 0, 0}));
        m_ui->chooseRow("SchussListe", 2);
        QCOMPARE(sheet().hits()[2].border, (Rgb{255, 255, 255}));
    }

    void stopwatchAndShotTimes() {
        m_clock.now = 50000;
        m_ui->press("StartBtn");
        QVERIFY(!m_ui->button("StartBtn")->isEnabled());
        QVERIFY(m_ui->button("StopBtn")->isEnabled());
        m_clock.now = 58420;
        const auto buttons = m_window->findChildren<QPushButton*>().size();
        m_ui->press("StopBtn");
        QCOMPARE(m_ui->button("StopBtn")->text(), QStringLiteral("Stop 8,4 s"));
        QVERIFY(m_ui->button("StartBtn")->isEnabled());
        // Stopping changes the two stopwatch buttons and adds nothing.
        QCOMPARE(m_window->findChildren<QPushButton*>().size(), buttons);
        m_clock.now = 60000;
        m_ui->click(244, 228);
        m_clock.now = 72340;
        m_ui->click(250, 228);
        QCOMPARE(sheet().times().shotTimesText(), QStringLiteral("Serie:1 Schuss:1: 8,4\r\n"));
        QCOMPARE(sheet().times().shootingTimesText(), QStringLiteral("Serie:1 Schuss:2: 12,3\r\n"));
        m_ui->press("Undo");
        QCOMPARE(sheet().times().shootingTimesText().count(u'\n'), 1);
        m_ui->press("Neu");
        QVERIFY(sheet().times().shotTimesText().isEmpty());
        QVERIFY(sheet().times().shootingTimesText().isEmpty());
    }

    void newStartsOverWithOneSeries() {
        hits(10);
        m_ui->press("WeitereSerie");
        hits(1);
        m_ui->press("Neu");
        QCOMPARE(m_ui->list("SerienListe"), QStringList{QStringLiteral("1")});
        QVERIFY(m_ui->list("SchussListe").isEmpty());
        QCOMPARE(m_ui->caption(), QStringLiteral("Schuss: 1!"));
        QCOMPARE(sheet().store().count(), 1);
        QCOMPARE(sheet().store()[1].shotCount(), 0);
        QVERIFY(m_ui->button("Undo")->isEnabled());
    }

    // Beside the sums the inner tens of the series and of all series: on
    // "LP" a shot touching the 5 mm ring (within 2,5 + 2,25 mm = 31,3 units
    // of the centre), on "Gewehr 300m" one touching the 50 mm ring (within
    // 25 + 4 mm = 18,9 units), on "LG 10m" one covering the 0,5 mm dot
    // (centre within 2,25 - 0,25 mm = 25,7 units). The marks of the two
    // decimal faces are stored at whole left and top: on "LG 10m" a click at
    // x sits at round(x - 28,918) + 28,918, 0,082 units left and up; on
    // "Gewehr 300m" at round(x - 2,613) + 2,613, 0,387 units left and up.
    void innerTensBesideTheSums_data() {
        QTest::addColumn<int>("discipline");
        QTest::addColumn<QList<int>>("first");  // x offsets of series 1 from the centre
        QTest::addColumn<QList<int>>("second"); // those of series 2
        QTest::addColumn<int>("innerFirst");
        QTest::addColumn<int>("innerSecond");
        QTest::addColumn<int>("afterUndo"); // of series 2, its last hit taken back
        QTest::newRow("LP: 31 units touch, 32 do not")
            << 0 << QList<int>{0, 31, 32} << QList<int>{40, -31} << 2 << 1 << 0;
        QTest::newRow("Gewehr 300m: 18,6 units touch, 19,6 do not")
            << 5 << QList<int>{19, 20, 0} << QList<int>{-18} << 2 << 1 << 0;
        QTest::newRow("LG 10m: 24,9 units cover the dot, 25,9 do not")
            << 4 << QList<int>{25, 26} << QList<int>{-25, 60} << 1 << 1 << 1;
    }
    void innerTensBesideTheSums() {
        QFETCH(int, discipline);
        QFETCH(QList<int>, first);
        QFETCH(QList<int>, second);
        QFETCH(int, innerFirst);
        QFETCH(int, innerSecond);
        QFETCH(int, afterUndo);
        m_ui->chooseOption("Disziplin", discipline);
        for (int dx : first)
            m_ui->click(244 + dx, 228);
        QCOMPARE(m_ui->text("Innenzehner"), QString::number(innerFirst));
        QCOMPARE(m_ui->text("InnenzehnerAlle"), QString::number(innerFirst));
        m_ui->press("WeitereSerie");
        for (int dx : second)
            m_ui->click(244 + dx, 228);
        QCOMPARE(m_ui->text("Innenzehner"), QString::number(innerSecond));
        QCOMPARE(m_ui->text("InnenzehnerAlle"), QString::number(innerFirst + innerSecond));
        m_ui->press("Undo");
        QCOMPARE(m_ui->text("Innenzehner"), QString::number(afterUndo));
        m_ui->chooseRow("SerienListe", 0);
        QCOMPARE(m_ui->text("Innenzehner"), QString::number(innerFirst));
        QCOMPARE(m_ui->text("InnenzehnerAlle"), QString::number(innerFirst + afterUndo));
        QCOMPARE(m_ui->child<QLineEdit>(QStringLiteral("Innenzehner"))->accessibleName(),
                 QStringLiteral("Innenzehner"));
    }

    // "Kaliber …" asks for the shot diameter of the discipline shown and
    // keeps it for that discipline: the marks take its size at the face's
    // scale (4 mm on "LG 10m": 4 x 392 / 30,5 = 51,41 units) and the hits
    // are scored anew (4,97 mm out: 10 + (2,5 - 4,97) / 2,5 = 9,0 with
    // 4,5 mm, 10 + (2,25 - 4,96) / 2,5 = 8,9 with 4 mm). A new window with
    // the same settings starts with it; the other disciplines keep theirs.
    void calibreIsAskedAndKeptPerDiscipline_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<double>("mark");   // units
        QTest::addColumn<QString>("value"); // of the hit 64 units right
        QTest::addColumn<bool>("refused");
        QTest::newRow("4,0 mm") << QStringLiteral("4,0") << 51.41 << QStringLiteral("8,9") << false;
        QTest::newRow("20 mm, the largest")
            << QStringLiteral("20") << 257.05 << QStringLiteral("10,9") << false;
        QTest::newRow("25 mm is refused")
            << QStringLiteral("25") << 57.84 << QStringLiteral("9") << true;
        QTest::newRow("cancelled") << QString() << 57.84 << QStringLiteral("9") << false;
    }
    void calibreIsAskedAndKeptPerDiscipline() {
        QFETCH(QString, answer);
        QFETCH(double, mark);
        QFETCH(QString, value);
        QFETCH(bool, refused);
        m_ui->chooseOption("Disziplin", 4); // LG 10m
        m_ui->click(244 + 64, 228);
        QCOMPARE(m_ui->list("Schusswert"), QStringList{QStringLiteral("9")});
        QAction* calibre = m_window->findChild<QAction*>(QStringLiteral("Kaliber"));
        QVERIFY(calibre);
        QCOMPARE(calibre->text(), QStringLiteral("Kaliber …"));
        m_dialogs.inputs = {answer.isEmpty() ? std::nullopt : std::optional<QString>(answer)};
        calibre->trigger();
        QCOMPARE(m_dialogs.prompts().size(), 1);
        QVERIFY(m_dialogs.prompts().first().contains(QStringLiteral("LG 10m")));
        for (const ScriptedDialogs::Asked& a : m_dialogs.asked)
            if (a.kind == QStringLiteral("input"))
                QCOMPARE(a.extra, QStringLiteral("4,5"));
        QCOMPARE(m_dialogs.messages().size(), refused ? 1 : 0);
        QVERIFY(std::abs(sheet().hits()[0].box.width - mark) < 0.01);
        QCOMPARE(m_ui->list("Schusswert"), QStringList{value});

        // Another discipline keeps its own calibre.
        m_ui->chooseOption("Disziplin", 0);
        QCOMPARE(sheet().hits()[0].box.width, 30.0f);
        m_ui->chooseOption("Disziplin", 4);
        QVERIFY(std::abs(sheet().hits()[0].box.width - mark) < 0.01);

        // A new window with the same settings starts on "LG 10m" with it.
        m_ui.reset();
        m_window = std::make_unique<Schusseingabe>(m_services);
        QCOMPARE(m_window->sheet().face().discipline(), 4);
        QVERIFY(std::abs(m_window->sheet().hits()[0].box.width - mark) < 0.01);
        m_ui = std::make_unique<WindowDriver>(m_window.get());
    }

    void nameSetsTheCaption() {
        m_window->setShooterName(QStringLiteral("Erika"));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Schusseingabe Erika"));
        QCOMPARE(m_ui->text("SchuetzenName"), QStringLiteral("Erika"));
    }

    void windowsTakeTurns() {
        ScriptedDialogs dialogs;
        dialogs.inputs = {QStringLiteral("Erika")};
        Services services{dialogs, m_clock,   m_tones, m_printers,      m_settings,
                          m_diary, m_cameras, {},      makeQtSerialPort};
        const auto program = beginProgram(services);
        Form1& form = program->mainWindow();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        WindowDriver main(&form);
        main.press("BtnSchusseingabe");
        Schusseingabe* entry = program->shotEntryWindow();
        QVERIFY(entry);
        QVERIFY(entry->isVisible());
        QVERIFY(!form.isVisible());
        QCOMPARE(entry->windowTitle(), QStringLiteral("Schusseingabe Erika"));

        WindowDriver(entry).press("Abkommenseingabe_öffnen");
        QVERIFY(form.isVisible());
        QVERIFY(!entry->isVisible());

        main.press("BtnSchusseingabe");
        QCOMPARE(program->shotEntryWindow(), entry); // the same window again
        QVERIFY(!form.isVisible());
        entry->close();
        QVERIFY(form.isVisible());

        main.press("BtnSchusseingabe");
        form.close();
        QVERIFY(!entry->isVisible());
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(TestSchusseingabe)
#include "tst_schusseingabe.moc"
