// Every shot reaches the training diary as it is entered, without a save,
// and the training of a killed program comes back at the next start: the
// test runs itself as a child that shoots into the main window with the
// diary in a temporary folder, kills it mid-series and starts again.

#include "platform/sqlitediary.h"
#include "support/windowdriver.h"
#include "support/windowtest.h"
#include "windows/analysis/analyseanzeige.h"
#include "windows/entry/schusseingabe.h"
#include "windows/main/form1.h"

#include <QAction>
#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>

using namespace ankerblick;
using namespace ankerblick::test;
using namespace Qt::StringLiterals;

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

// The child: three shots into the main window, then it says so and waits
// to be killed.
int shootAndWait(int argc, char** argv) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ScriptedDialogs dialogs;
    FakeClock clock;
    RecordedTones tones;
    PdfPrinters printers;
    MemorySettings settings;
    SqliteDiary diary(QString::fromLocal8Bit(argv[2]));
    Services services{dialogs, clock, tones, printers, settings, diary};
    Form1 form(services, StartOptions{u"Kai"_s, {}, {}});
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 2;
    shoot(WindowDriver(&form), 3);
    std::printf("%d\n", form.sheet().store()[1].shotCount());
    std::fflush(stdout);
    return QApplication::exec();
}

} // namespace

class TestDiaryRecovery : public WindowTest {
    Q_OBJECT

    static QStringList listed(const TargetWindow& window, const char* name) {
        return WindowDriver(const_cast<TargetWindow*>(&window)).list(name);
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init() { resetServices(); }

    // Each shot is in the diary the moment it is entered, in both entry
    // windows; a failing diary says so once and entry goes on.
    void everyShotIsInTheDiary_data() {
        QTest::addColumn<bool>("shotEntry");
        QTest::addColumn<bool>("failing");
        QTest::newRow("main window") << false << false;
        QTest::newRow("shot-entry window") << true << false;
        QTest::newRow("diary fails") << false << true;
    }
    void everyShotIsInTheDiary() {
        QFETCH(bool, shotEntry);
        QFETCH(bool, failing);
        m_diary.failWrites = failing;
        Form1 form(m_services, StartOptions{u"Kai"_s, {}, {}});
        std::unique_ptr<Schusseingabe> entry;
        TargetWindow* window = &form;
        if (shotEntry) {
            entry = std::make_unique<Schusseingabe>(m_services, &form);
            window = entry.get();
        }
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const WindowDriver ui(window);
        const int clicksPerShot = shotEntry ? 1 : 2;
        for (int shot = 1; shot <= 3; ++shot) {
            for (int c = 0; c < clicksPerShot; ++c)
                ui.click(kShots[shot - 1].second.x() - 10 * c, kShots[shot - 1].second.y());
            const QList<diary::Training> open = m_diary.unfinishedTrainings();
            QCOMPARE(open.size(), failing ? 0 : 1);
            if (failing)
                continue;
            QCOMPARE(open.first().window, window->objectName());
            const QList<diary::Series> series = m_diary.seriesOf(open.first().id);
            QCOMPARE(series.first().shots.size(), shot);
            QCOMPARE(series.first().record,
                     window == &form ? form.sheet().store()[1] : entry->sheet().store()[1]);
        }
        QCOMPARE(m_dialogs.messages().size(), failing ? 1 : 0);
        QCOMPARE(listed(*window, "Schusswert").size(), 3);
        // Closed for good, the training ends.
        if (entry)
            entry->unload();
        form.close();
        QVERIFY(m_diary.unfinishedTrainings().isEmpty());
        QCOMPARE(m_diary.trainings({}).size(), failing ? 0 : 1);
    }

    // "Ansicht → Trainingstagebuch" opens the diary window; the training
    // chosen there opens in the analysis window with its series.
    void aTrainingOpensInTheAnalysisWindow() {
        Form1 form(m_services, StartOptions{u"Kai"_s, {}, {}});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        shoot(WindowDriver(&form), 2);
        QAction* entry = nullptr;
        for (QAction* action : form.findChildren<QAction*>())
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
        QCOMPARE(table->model()->rowCount(), 1);
        table->selectRow(0);
        diaryWindow->findChild<QPushButton*>(u"InAnalyseOeffnen"_s)->click();
        QVERIFY(form.analysisWindow() && form.analysisWindow()->isVisible());
        QCOMPARE(form.analysisWindow()->sheet().store()[1], form.sheet().store()[1]);
        QCOMPARE(form.analysisWindow()->shooterName(), u"Kai"_s);
    }

    void aKilledProgramsTrainingComesBack_data() {
        QTest::addColumn<bool>("restore");
        QTest::newRow("restored") << true;
        QTest::newRow("declined") << false;
    }
    void aKilledProgramsTrainingComesBack() {
        QFETCH(bool, restore);
        QTemporaryDir folder;
        const QString path = folder.filePath(u"tagebuch.sqlite"_s);
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {u"--schiessen"_s, path});
        QVERIFY(child.waitForReadyRead(60000));
        QCOMPARE(child.readAll().trimmed(), QByteArray("3"));
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        SqliteDiary diary(path);
        const QList<diary::Training> open = diary.unfinishedTrainings();
        QCOMPARE(open.size(), 1);
        const QList<diary::Series> kept = diary.seriesOf(open.first().id);
        QCOMPARE(kept.first().shots.size(), 3);

        m_dialogs.yesNoAnswers = {restore};
        Services services{m_dialogs, m_clock, m_tones, m_printers, m_settings, diary};
        Form1 form(services, StartOptions{u"Kai"_s, {}, {}});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(m_dialogs.asked.first().text,
                 u"Die letzte Sitzung wurde nicht beendet. Wiederherstellen?"_s);
        QCOMPARE(listed(form, "SchussListe").size(), restore ? 3 : 0);
        QCOMPARE(form.sheet().modifiedSinceSave(), restore);
        if (restore) {
            QCOMPARE(form.sheet().store()[1], kept.first().record);
            QCOMPARE(form.diaryTraining(), std::optional<qint64>(open.first().id));
            // Entry goes on into the same training.
            WindowDriver ui(&form);
            ui.click(kShots[3].first.x(), kShots[3].first.y());
            ui.click(kShots[3].second.x(), kShots[3].second.y());
            QCOMPARE(diary.seriesOf(open.first().id).first().shots.size(), 4);
        }
        QCOMPARE(diary.unfinishedTrainings().size(), restore ? 1 : 0);
        form.close();
        QVERIFY(diary.unfinishedTrainings().isEmpty());
        QCOMPARE(diary.trainings({}).size(), 1);
    }
};

int main(int argc, char** argv) {
    if (argc == 3 && qstrcmp(argv[1], "--schiessen") == 0)
        return shootAndWait(argc, argv);
    QApplication app(argc, argv);
    TestDiaryRecovery test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_diaryrecovery.moc"
