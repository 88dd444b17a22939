// Every shot reaches the training diary as it is entered, without a save,
// and the training of a killed program comes back at the next start: the
// test runs itself as a child that shoots into the main window with the
// diary in a temporary folder, kills it mid-series and starts again.

#include "model/background.h"
#include "platform/serialport.h"
#include "platform/sqlitediary.h"
#include "support/fulldisk.h"
#include "support/memorysettings.h"
#include "support/program.h"
#include "support/pty.h"
#include "support/sources.h"
#include "support/windowdriver.h"
#include "support/windowtest.h"
#include "windows/analysis/analyseanzeige.h"
#include "windows/entry/schusseingabe.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <cstdio>

using namespace ankerblick;
using namespace ankerblick::test;
using namespace Qt::StringLiterals;
Q_DECLARE_METATYPE(ankerblick::FormAnswer)

namespace {

// Calls and hits of the shots, in drawing units.
const QList<QPair<QPoint, QPoint>> kShots{{{244, 228}, {244, 228}},
                                          {{250, 220}, {260, 230}},
                                          {{240, 240}, {230, 235}},
                                          {{244, 210}, {250, 228}}};

void shoot(const WindowDriver& ui, int count) {
    for (int i = 0; i < count; ++i) {
        ui.click(kShots[i].first.x(), kShots[i].first.y());
        ui.click(kShots[i].second.x(), kShots[i].second.y());
    }
}

// With a target on `port`: polls it and says how many of its hits wait for
// their calls, each time that changes.
void holdTargetHits(Form1& form, const QString& port) {
    const WindowDriver ui(&form);
    auto* ports = ui.child<QComboBox>(u"ComPortsCombo"_s);
    ports->setCurrentIndex(ports->findData(port));
    ui.press("Rika");
    ui.press("Rika_Schussabfrage");
    auto* timer = new QTimer(&form);
    QObject::connect(timer, &QTimer::timeout, &form, [&form, said = 0]() mutable {
        if (form.sheet().heldHitCount() == said)
            return;
        said = form.sheet().heldHitCount();
        std::printf("held %d\n", said);
        std::fflush(stdout);
    });
    timer->start(20);
}

// The child: three shots into the main window, then it says so and waits
// to be killed; given a target's port, it then holds the target's hits.
int shootAndWait(int argc, char** argv) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ScriptedDialogs dialogs;
    FakeClock clock;
    RecordedTones tones;
    PdfPrinters printers;
    MemorySettings settings;
    SqliteDiary diary(QString::fromLocal8Bit(argv[2]));
    ScriptedCameraService cameras;
    const QString port = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    Services services{dialogs, clock,   tones,  printers,        settings,
                      diary,   cameras, {port}, makeQtSerialPort};
    const auto program = beginProgram(services, StartOptions{u"Kai"_s, {}, {}});
    Form1& form = program->mainWindow();
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 2;
    shoot(WindowDriver(&form), 3);
    std::printf("%d\n", form.sheet().store()[1].shotCount());
    std::fflush(stdout);
    if (!port.isEmpty())
        holdTargetHits(form, port);
    return QApplication::exec();
}

} // namespace

bool putFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class TestDiaryRecovery : public WindowTest {
    Q_OBJECT

    static QStringList listed(const TargetWindow& window, const char* name) {
        return WindowDriver(const_cast<TargetWindow*>(&window)).list(name);
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init() { resetServices(); }

    // Each shot is in the diary the moment it is entered, in both entry
    // windows; a failing diary says so once and entry goes on.
    void everyShotIsInTheDiary_data() {
        QTest::addColumn<bool>("shotEntry");
        QTest::addColumn<QString>("failure"); // "memory": told to fail; "disk": a full disk
        QTest::newRow("main window") << false << QString();
        QTest::newRow("shot-entry window") << true << QString();
        QTest::newRow("diary fails") << false << u"memory"_s;
        QTest::newRow("database on a full disk") << true << u"disk"_s;
    }
    void everyShotIsInTheDiary() {
        QFETCH(bool, shotEntry);
        QFETCH(QString, failure);
        const bool failing = !failure.isEmpty();
        m_diary.failWrites = failure == u"memory"_s;
        QTemporaryDir folder;
        std::optional<SqliteDiary> database;
        if (failure == u"disk"_s)
            database.emplace(folder.filePath(u"tagebuch.sqlite"_s));
        Diary& diary = database ? static_cast<Diary&>(*database) : m_diary;
        Services services{m_dialogs, m_clock,   m_tones, m_printers,      m_settings,
                          diary,     m_cameras, {},      makeQtSerialPort};
        const auto program = beginProgram(services, StartOptions{u"Kai"_s, {}, {}});
        Form1& form = program->mainWindow();
        std::unique_ptr<Schusseingabe> entry;
        TargetWindow* window = &form;
        if (shotEntry) {
            entry = std::make_unique<Schusseingabe>(services);
            addSources(*entry, services);
            window = entry.get();
        }
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const WindowDriver ui(window);
        const int clicksPerShot = shotEntry ? 1 : 2;
        for (int shot = 1; shot <= 3; ++shot) {
            {
                std::optional<FullDisk> full;
                if (database)
                    QVERIFY(full.emplace().active());
                for (int c = 0; c < clicksPerShot; ++c)
                    ui.click(kShots[shot - 1].second.x() - 10 * c, kShots[shot - 1].second.y());
            }
            const QList<diary::Training> open = diary.unfinishedTrainings();
            QCOMPARE(open.size(), failing ? 0 : 1);
            if (failing)
                continue;
            QCOMPARE(open.first().window, window->objectName());
            const QList<diary::Series> series = diary.seriesOf(open.first().id);
            QCOMPARE(series.first().shots.size(), shot);
            QCOMPARE(series.first().record,
                     window == &form ? form.sheet().store()[1] : entry->sheet().store()[1]);
        }
        QCOMPARE(m_dialogs.messages().size(), failing ? 1 : 0);
        if (failing)
            QVERIFY2(m_dialogs.messages().first().endsWith(
                         u" Die Eingabe geht weiter; bitte die Serien mit „Speichern“ sichern."_s),
                     qPrintable(m_dialogs.messages().first()));
        QCOMPARE(listed(*window, "Schusswert").size(), 3);
        // Closed for good, the training ends.
        if (entry)
            entry->unload();
        form.close();
        QVERIFY(diary.unfinishedTrainings().isEmpty());
        // Once the disk has room again, the closing write keeps the training.
        QCOMPARE(diary.trainings({}).size(), failure == u"memory"_s ? 0 : 1);
    }

    // A restored training comes up in the window it came from: the
    // shot-entry window's in that window, in front of the main window.
    void theRestoredTrainingsWindowIsShown_data() {
        QTest::addColumn<QString>("window");
        QTest::newRow("main window") << u"Form1"_s;
        QTest::newRow("shot-entry window") << u"Schusseingabe"_s;
    }
    void theRestoredTrainingsWindowIsShown() {
        QFETCH(QString, window);
        diary::Training t;
        t.shooter = u"Kai"_s;
        t.discipline = 0;
        t.window = window;
        t.start = QDateTime::currentDateTime();
        t.id = m_diary.beginTraining(t).value_or(0);
        diary::Series series;
        series.number = 1;
        series.record.hitLeft[0] = 240;
        series.record.hitTop[0] = 224;
        series.shots = {diary::Shot{}};
        series.time = t.start;
        QVERIFY(m_diary.saveSeries(t.id, series));

        m_dialogs.yesNoAnswers = {true};
        const auto program = beginProgram(m_services, StartOptions{u"Kai"_s, {}, {}});
        Form1& form = program->mainWindow();
        program->showFirstWindow();
        const bool entry = window == u"Schusseingabe"_s;
        QCOMPARE(form.isVisible(), !entry);
        QCOMPARE(program->shotEntryWindow() && program->shotEntryWindow()->isVisible(), entry);
        const TargetWindow& shown = entry ? static_cast<TargetWindow&>(*program->shotEntryWindow())
                                          : static_cast<TargetWindow&>(form);
        QCOMPARE(listed(shown, "SchussListe"), QStringList{u"1"_s});
        QCOMPARE(shown.shooterName(), u"Kai"_s);
        if (entry) {
            // Back to the main window as from any visit of the shot-entry window.
            WindowDriver(program->shotEntryWindow()).press("Abkommenseingabe_öffnen");
            QVERIFY(form.isVisible());
        }
        form.close();
    }

    // "Ansicht → Trainingstagebuch" opens the diary window; the training
    // chosen there opens in the analysis window with its series.
    void aTrainingOpensInTheAnalysisWindow() {
        const auto program = beginProgram(m_services, StartOptions{u"Kai"_s, {}, {}});
        Form1& form = program->mainWindow();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        shoot(WindowDriver(&form), 2);
        // The analysis window is open already, behind the diary later.
        form.findChild<QPushButton*>(u"BtnAnalyseAnzeige"_s)->click();
        QVERIFY(program->analysisWindow() && program->analysisWindow()->isVisible());
        QAction* entry = nullptr;
        for (QAction* action : program->analysisWindow()->findChildren<QAction*>())
            if (action->text() == u"Trainingstagebuch"_s)
                entry = action;
        QVERIFY(entry);
        entry->trigger();
        QWidget* diaryWindow = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == u"Trainingstagebuch"_s && w->isVisible())
                diaryWindow = w;
        QVERIFY(diaryWindow);
        auto* table = diaryWindow->findChild<QTableView*>(u"Trainings"_s);
        QTRY_COMPARE(table->model()->rowCount(), 1); // read on another thread
        table->selectRow(0);
        QTRY_COMPARE(QApplication::activeWindow(), diaryWindow);
        diaryWindow->findChild<QPushButton*>(u"InAnalyseOeffnen"_s)->click();
        QVERIFY(program->analysisWindow() && program->analysisWindow()->isVisible());
        // The analysis comes to the front, before the diary.
        QTRY_COMPARE(QApplication::activeWindow(), program->analysisWindow());
        QCOMPARE(program->analysisWindow()->sheet().store()[1], form.sheet().store()[1]);
        QCOMPARE(program->analysisWindow()->shooterName(), u"Kai"_s);
    }

    // "Datei → Schüsse importieren …": a shot file of another system goes
    // into the diary and opens in the analysis window; a second file (or the
    // same again) follows. Values are the ISSF decimal rule by hand: on LG
    // 10m 11 − d / 2.5 mm, on LP 11 − d / 8 mm, cut to the tenth. A shot is
    // "series[P] value|comment|shooting time" in the diary.
    void shotFilesComeInThroughTheMenu_data() {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("second"); // empty: the first once more
        QTest::addColumn<QList<FormAnswer>>("forms");
        QTest::addColumn<QStringList>("shots");
        QTest::addColumn<QStringList>("messages");
        const QStringList already{u"Diese Datei ist schon im Tagebuch."_s};
        QTest::newRow("ShotMarker on the LG face it names, a sighter, times")
            << QByteArray("Date:,Dec 3 2026\r\nString:,Training\r\nFace:,ISSF 10m Air Rifle\r\n"
                          ",time,tags,id,score,temp C,x mm,y mm\r\n"
                          ",10:00:00,sighter,1,X,20,0.625,0\r\n"
                          ",10:00:30,,2,10,20,1.125,0\r\n"
                          ",10:01:15,,3,9,20,0,-3.125\r\n")
            << QByteArray() << QList<FormAnswer>{}
            << QStringList{u"1P 10,7|Wert der Datei: 10*|-"_s, u"2 10,5|Wert der Datei: 10|30"_s,
                           u"2 9,7|Wert der Datei: 9|45"_s}
            << already;
        QTest::newRow("phone scan on the LP face shown, twelve shots in two series")
            << QByteArray("Shot Number,Scan Number,Score,x,y\n"
                          "1,1,10.4,4.4,0\n2,1,10.4,4.4,0\n3,1,10.4,4.4,0\n4,1,10.4,4.4,0\n"
                          "5,1,10.4,4.4,0\n6,1,10.4,4.4,0\n7,1,10.4,4.4,0\n8,1,10.4,4.4,0\n"
                          "9,1,10.4,4.4,0\n10,1,10.4,4.4,0\n11,1,9.4,0,12.4\n12,1,10*,0,0\n")
            << QByteArray() << QList<FormAnswer>{}
            << QStringList(10, u"1 10,4|Wert der Datei: 10,4|-"_s) +
                   QStringList{u"2 9,4|Wert der Datei: 9,4|-"_s, u"2 10,9|Wert der Datei: 10*|-"_s}
            << already;
        QTest::newRow("range results, then a broken phone scan that takes nothing")
            << QByteArray("[{\"number\":1,\"value\":9,\"fineValue\":94,\"x\":0,\"y\":12.4,"
                          "\"at\":\"2026-12-03T10:00:00\"},{\"number\":2,\"x\":-4.4,\"y\":0,"
                          "\"at\":\"2026-12-03T10:01:02.500\"}]")
            << QByteArray("Shot Number,Scan Number,Score,x,y\n1,1,10.4,4.4,0\n2,1,9.1,,2\n")
            << QList<FormAnswer>{}
            << QStringList{u"1 9,4|Wert der Datei: 9,4|-"_s, u"1 10,4||62,5"_s}
            << QStringList{u"Zeile 3"_s};
        // Columns named once; the second file of the same first line is read
        // the same way without asking.
        QTest::newRow("a plain CSV, its columns named once")
            << QByteArray("Zeit;Y;X;Ring\r\n2026-12-05T09:00:00;0;4,4;10,4\r\n")
            << QByteArray("Zeit;Y;X;Ring\r\n2026-12-05T10:00:00;12,4;0;9,4\r\n")
            << QList<FormAnswer>{{0, {u"X"_s, u"Y"_s, u"Zeit"_s, u"Ring"_s, u"(keine)"_s}}}
            << QStringList{u"1 10,4|Wert der Datei: 10,4|-"_s, u"1 9,4|Wert der Datei: 9,4|-"_s}
            << QStringList{};
    }
    void shotFilesComeInThroughTheMenu() {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, second);
        QFETCH(QList<FormAnswer>, forms);
        QTemporaryDir folder;
        SqliteDiary diary(folder.filePath(u"tagebuch.sqlite"_s));
        Services services{m_dialogs, m_clock,   m_tones, m_printers,      m_settings,
                          diary,     m_cameras, {},      makeQtSerialPort};
        const auto program = beginProgram(services, StartOptions{u"Kai"_s, {}, {}});
        Form1& form = program->mainWindow();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(putFile(folder.filePath(u"1.csv"_s), first));
        QVERIFY(putFile(folder.filePath(u"2.csv"_s), second.isEmpty() ? first : second));
        m_dialogs.openNames = {folder.filePath(u"1.csv"_s), folder.filePath(u"2.csv"_s)};
        m_dialogs.forms = forms;
        auto* import = form.findChild<QAction*>(u"SchuesseImportieren"_s);
        QVERIFY(import);
        import->trigger();
        QTRY_VERIFY(program->analysisWindow() && program->analysisWindow()->isVisible());
        QCOMPARE(program->analysisWindow()->shooterName(), u"Kai"_s);
        const QList<diary::ShotRow> rows = diary.shotRows({});
        QCOMPARE(program->analysisWindow()->sheet().store()[1].shotCount(),
                 std::count_if(rows.begin(), rows.end(),
                               [](const diary::ShotRow& r) { return r.series == 1; }));
        // The analysis window asks for the next file.
        program->analysisWindow()->findChild<QAction*>(u"SchuesseImportieren"_s)->trigger();
        // Until the diary holds what is expected and the shooter was told:
        // a plain CSV's file is read twice, its columns asked in between.
        const auto shotsRead = [&diary] {
            QStringList made;
            for (const diary::ShotRow& r : diary.shotRows({}))
                made << u"%1%2 %3|%4|%5"_s.arg(r.series)
                            .arg(r.sighter ? u"P"_s : QString())
                            .arg(QLocale().toString(r.shot.value.value_or(-1), 'f', 1),
                                 r.shot.comment)
                            .arg(r.shot.shootingTime ? QLocale().toString(*r.shot.shootingTime)
                                                     : u"-"_s);
            return made;
        };
        const auto toldNow = [this] {
            QStringList said;
            for (const QString& m : m_dialogs.messages())
                said << (m.contains(u"Zeile 3"_s) ? u"Zeile 3"_s : m);
            return said;
        };
        QFETCH(QStringList, shots);
        QFETCH(QStringList, messages);
        QTRY_COMPARE(shotsRead(), shots);
        QTRY_COMPARE(toldNow(), messages);
        QTRY_COMPARE(background::running(), 0);
        QCOMPARE(shotsRead(), shots); // nothing more came
        QCOMPARE(m_dialogs.forms.size(), 0);
        form.close();
    }

    // Rows with a target: after the three shots the target reports three
    // hits whose calls never come; it was told of each (0x0C), so only the
    // diary still has them.
    void aKilledProgramsTrainingComesBack_data() {
        QTest::addColumn<bool>("restore");
        QTest::addColumn<int>("held");
        QTest::newRow("restored") << true << 0;
        QTest::newRow("declined") << false << 0;
        QTest::newRow("restored with held target hits") << true << 3;
    }
    void aKilledProgramsTrainingComesBack() {
        QFETCH(bool, restore);
        QFETCH(int, held);
        QTemporaryDir folder;
        const QString path = folder.filePath(u"tagebuch.sqlite"_s);
        Pty target;
        QStringList arguments{u"--schiessen"_s, path};
        if (held > 0)
            arguments << target.path();
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), arguments);
        QVERIFY(child.waitForReadyRead(60000));
        QCOMPARE(child.readLine().trimmed(), QByteArray("3"));
        const QList<QByteArray> hits{record("000000", "000000"), record("000150", "000000"),
                                     record("-00300", "000200")};
        for (int i = 0; i < held; ++i) {
            target.send(hits.at(i));
            while (child.canReadLine() || child.waitForReadyRead(10000)) {
                if (child.readLine().trimmed() == "held " + QByteArray::number(i + 1))
                    break;
            }
        }
        // Every reported hit was confirmed, so the target keeps none of them.
        const qsizetype confirmed = target.count(char(0x0C));
        QCOMPARE(target.count(char(0x16)) - confirmed, qsizetype(0));
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        SqliteDiary diary(path);
        const QList<diary::Training> open = diary.unfinishedTrainings();
        QCOMPARE(open.size(), 1);
        const QList<diary::Series> kept = diary.seriesOf(open.first().id);
        QCOMPARE(kept.first().shots.size(), 3);
        QCOMPARE(open.first().heldHits.size(), held);

        m_dialogs.yesNoAnswers = {restore};
        Services services{m_dialogs, m_clock,   m_tones, m_printers,      m_settings,
                          diary,     m_cameras, {},      makeQtSerialPort};
        const auto program = beginProgram(services, StartOptions{u"Kai"_s, {}, {}});
        Form1& form = program->mainWindow();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(m_dialogs.asked.first().text,
                 u"Die letzte Sitzung wurde nicht beendet. Wiederherstellen?"_s);
        QCOMPARE(listed(form, "SchussListe").size(), restore ? 3 + held : 0);
        QCOMPARE(form.sheet().modifiedSinceSave(), restore);
        if (held > 0) {
            // Entered without a call, rated "–", and said so.
            QCOMPARE(listed(form, "AbweichungsListe").mid(3), QStringList(held, u"–"_s));
            // The first was reported on the centre.
            QCOMPARE(listed(form, "Schusswert").size(), 3 + held);
            QCOMPARE(listed(form, "Schusswert").at(3), u"10,9"_s);
            QCOMPARE(m_dialogs.messages(),
                     QStringList{u"3 Treffer hatten noch keine Ansage; sie wurden "
                                 u"ohne Ansage eingetragen (Bewertung „–“)."_s});
            // In the diary they left the held ones for the series in one write.
            const diary::Training now = *diary.training(open.first().id);
            QVERIFY(now.heldHits.isEmpty());
            QCOMPARE(diary.seriesOf(open.first().id).first().shots.size(), 3 + held);
            QCOMPARE(diary.seriesOf(open.first().id).first().record, form.sheet().store()[1]);
            // Their times are unknown: no shooting-time line names them.
            QVERIFY(!form.sheet().times().shootingTimesText().contains(u"Schuss:4"_s));
        } else if (restore) {
            QCOMPARE(form.sheet().store()[1], kept.first().record);
            QCOMPARE(form.diaryTraining(), std::optional<qint64>(open.first().id));
        }
        if (restore) {
            QCOMPARE(form.diaryTraining(), std::optional<qint64>(open.first().id));
            // Entry goes on into the same training.
            WindowDriver ui(&form);
            ui.click(kShots[3].first.x(), kShots[3].first.y());
            ui.click(kShots[3].second.x(), kShots[3].second.y());
            QCOMPARE(diary.seriesOf(open.first().id).first().shots.size(), 4 + held);
        }
        QCOMPARE(diary.unfinishedTrainings().size(), restore ? 1 : 0);
        form.close();
        QVERIFY(diary.unfinishedTrainings().isEmpty());
        QCOMPARE(diary.trainings({}).size(), 1);
    }
};

int main(int argc, char** argv) {
    if (argc >= 3 && qstrcmp(argv[1], "--schiessen") == 0)
        return shootAndWait(argc, argv);
    QApplication app(argc, argv);
    TestDiaryRecovery test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_diaryrecovery.moc"
