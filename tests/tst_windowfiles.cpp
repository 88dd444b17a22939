// Saving and loading series files through the windows' own buttons and
// menus, and the offer to save series before they are given up.

#include "files/shotimport.h"
#include "files/shotnotes.h"
#include "model/targetface.h"
#include "sheets/callfinding.h"
#include "sheets/callingtraining.h"
#include "support/program.h"
#include "support/spokenlanguage.h"
#include "support/windowdriver.h"
#include "support/windowtest.h"
#include "windows/entry/schusseingabe.h"
#include "windows/main/form1.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

using namespace ankerblick;
using namespace ankerblick::test;
using namespace Qt::StringLiterals;

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestWindowFiles : public ankerblick::test::WindowTest {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Application> m_app;
    Form1* m_form = nullptr; // the application's main window
    std::unique_ptr<WindowDriver> m_ui;

    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }
    void shot(QPoint call, QPoint hit) {
        m_ui->click(call.x(), call.y());
        m_ui->click(hit.x(), hit.y());
    }
    struct Shown {
        QStringList shots, values, scores, sekMm;
        QString sum, tenths, total, mean;
        friend bool operator==(const Shown&, const Shown&) = default;
    };
    Shown shown() const {
        return {m_ui->list("SchussListe"),          m_ui->list("Schusswert"),
                m_ui->list("AbweichungsListe"),     m_ui->list("AbweichungslisteSekMM"),
                m_ui->text("SerienSumme"),          m_ui->text("SerienSummeZehntel"),
                m_ui->text("AbweichungSchnittTxt"), m_ui->text("AbweichungSekMMSchnittTxt")};
    }

private Q_SLOTS:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QVERIFY(m_dir.isValid());
    }
    void init() {
        resetServices();
        m_dialogs.inputs = {QStringLiteral("Erika/Muster")};
        m_app = beginProgram(m_services);
        m_form = &m_app->mainWindow();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form));
        m_ui = std::make_unique<WindowDriver>(m_form);
        m_dialogs.asked.clear();
    }
    void cleanup() {
        m_ui.reset();
        m_app.reset();
    }

    void severalSeriesComeBackAsEntered() {
        QList<Shown> entered;
        for (int s = 0; s < 3; ++s) {
            const int shots = s == 2 ? 4 : 10;
            for (int i = 0; i < shots; ++i)
                shot({230 + 3 * i + s, 220 + 2 * i}, {250 - 4 * i, 236 - 3 * i + s});
            entered.append(shown());
            if (s < 2)
                m_ui->press("WeitereSerie");
        }
        m_dialogs.inputs = {QStringLiteral("Ärger mit dem Abzug")};
        m_ui->press("Kommentar");
        m_dialogs.saveNames = {path("runde.txt")};
        m_ui->press("Speichern");
        QVERIFY(m_dialogs.messages().isEmpty());
        const auto& save = m_dialogs.asked.last();
        QCOMPARE(save.kind, QStringLiteral("save"));
        // The name's slash cannot stand in a file name, nor can the date's.
        const QString date =
            QLocale().toString(QDate::currentDate(), QLocale::ShortFormat).replace(u'/', u'-');
        QCOMPARE(save.extra, QStringLiteral("Textdateien (*.txt)|Erika-Muster") + date +
                                 QStringLiteral(".txt"));

        m_ui->press("Neu");
        QCOMPARE(m_ui->list("SerienListe").size(), 1);
        m_dialogs.openNames = {path("runde.txt")};
        m_ui->press("Laden");
        QVERIFY(m_dialogs.messages().isEmpty());
        QCOMPARE(m_ui->list("SerienListe"),
                 QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
        // The last series is shown, unfinished, and goes on after its last shot.
        QCOMPARE(shown(), entered[2]);
        QCOMPARE(m_ui->caption(), QStringLiteral("Schuss: 5?"));
        for (int s = 0; s < 2; ++s) {
            m_ui->chooseRow("SerienListe", s);
            QCOMPARE(shown(), entered[s]);
        }
        QCOMPARE(m_form->sheet().comments(),
                 QStringLiteral("Serie: 3 Schuss: 4: Ärger mit dem Abzug\r\n\r\n"));
    }

    // Whatever the window shows after entry is what the series list shows
    // again, and what a saved file gives back.
    // Texts made away from any window's tr() come out in English too: each
    // helper's context is the one the translations file holds.
    void helpersSpeakEnglish_data() {
        QTest::addColumn<int>("helper");
        QTest::addColumn<QString>("english");
        QTest::newRow("a finding") << 0 << u"Too few called shots for a finding: 0 of 10."_s;
        QTest::newRow("a direction's causes")
            << 1
            << u"too much finger on the trigger (for right-handers; mirrored for left-handers)"_s;
        QTest::newRow("a shot file") << 2 << u"This file is no known shot file."_s;
        QTest::newRow("a file's value") << 3 << u"Series 1, shot 2: Value in the file: 10.4*\n"_s;
        QTest::newRow("a calling training's goal")
            << 4 << u"Calling training: 8 of 10 · Series 2: no shot called yet"_s;
    }
    void helpersSpeakEnglish() {
        QFETCH(int, helper);
        const SpokenLanguage spoken(Language::English);
        QString said;
        if (helper == 0)
            said = calls::findingOf({}, int(Discipline::LP)).text;
        else if (helper == 1)
            said = calls::directionCauses(6, int(Discipline::LP));
        else if (helper == 2)
            said = readShotFile("hallo").problem;
        else if (helper == 3)
            said = shownComments({correctionMark(1, 2, fileValueNote(10.4, true))});
        else
            said = shownProgram(callingGoalNote({8, 10})) + u" · "_s +
                   calls::tallyLine(2, {}, {8, 10}, false);
        QTEST(said, "english");
    }

    void whatIsShownIsWhatIsStored_data() {
        QTest::addColumn<int>("enteredOn");
        QTest::addColumn<int>("shownOn");
        QTest::addColumn<QPoint>("drag"); // right-drag over the finished series
        QTest::newRow("hit at the left edge") << 0 << 0 << QPoint();
        QTest::newRow("hits shifted by a right-drag") << 0 << 0 << QPoint(12, -5);
        QTest::newRow("entered on LP, shown on Gewehr 50m") << 0 << 3 << QPoint();
        QTest::newRow("entered on Gewehr 50m, shown on FP") << 3 << 1 << QPoint();
        QTest::newRow("entered on OSP, shown on LP") << 2 << 0 << QPoint(-20, 0);
    }
    void whatIsShownIsWhatIsStored() {
        QFETCH(int, enteredOn);
        QFETCH(int, shownOn);
        QFETCH(QPoint, drag);
        m_ui->chooseOption("Disziplin", enteredOn);
        // The first hit stands where the pointer was, at x = 2: its mark's
        // left lies left of the design area, at negative units.
        for (int i = 0; i < 10; ++i)
            shot({20 + 9 * i, 100 + 20 * i}, {i == 0 ? 2 : 30 + 40 * i, 240 - 7 * i});
        const AimSheet& sheet = m_form->sheet();
        QCOMPARE(m_ui->list("SchussListe").size(), 10);
        QVERIFY(qAbs(sheet.hits()[0].box.centre().x - 2.0f) <= 0.5f);
        QVERIFY(sheet.hits()[0].box.left <= 0.0f);
        std::array<PointF, 10> entered;
        for (size_t i = 0; i < 10; ++i)
            entered[i] = sheet.hits()[i].box.centre();
        if (!drag.isNull()) {
            QTest::mouseMove(m_ui->surface(), m_ui->at(100, 100));
            QTest::mousePress(m_ui->surface(), Qt::RightButton, {}, m_ui->at(100, 100));
            QTest::mouseMove(m_ui->surface(), m_ui->at(100, 100) + drag);
            QTest::mouseRelease(m_ui->surface(), Qt::RightButton, {}, m_ui->at(100, 100) + drag);
            m_ui->press("NeuBerechnen");
        }
        m_ui->chooseOption("Disziplin", shownOn);
        // Every shot keeps its centre (the marks stand at whole units), moved
        // by the drag, also left of the design area.
        for (size_t i = 0; i < 10; ++i) {
            const PointF c = sheet.hits()[i].box.centre();
            QVERIFY2(qAbs(c.x - (entered[i].x + float(drag.x()))) <= 0.5f &&
                         qAbs(c.y - (entered[i].y + float(drag.y()))) <= 0.5f,
                     qPrintable(QString::number(i)));
        }
        const Shown before = shown();
        const auto marks = sheet.hits();
        const auto lines = sheet.lines();
        const auto same = [&] {
            QCOMPARE(shown(), before);
            for (size_t i = 0; i < 10; ++i) {
                QCOMPARE(sheet.hits()[i].box, marks[i].box);
                QCOMPARE(sheet.lines()[i], lines[i]);
            }
        };
        m_ui->press("WeitereSerie");
        m_ui->chooseRow("SerienListe", 0);
        same();
        m_dialogs.saveNames = {path("gezeigt.txt")};
        m_ui->press("Speichern");
        m_ui->press("Neu");
        m_dialogs.openNames = {path("gezeigt.txt")};
        m_ui->press("Laden");
        m_ui->chooseRow("SerienListe", 0);
        same();
        QVERIFY(m_dialogs.messages().isEmpty());
    }

    // The file's bytes are the same whatever language the program speaks:
    // for the English row it starts again in English, numbers shown "2.5".
    void shotEntryWindowWritesItsOwnLayout_data() {
        QTest::addColumn<bool>("english");
        QTest::newRow("Deutsch") << false;
        QTest::newRow("English") << true;
    }
    void shotEntryWindowWritesItsOwnLayout() {
        QFETCH(bool, english);
        const SpokenLanguage spoken(english ? Language::English : Language::German);
        if (english) {
            cleanup();
            init();
        }
        QCOMPARE(m_ui->button("Speichern")->text(),
                 english ? QStringLiteral("Save") : QStringLiteral("Speichern"));
        QCOMPARE(m_form->sheet().locale().decimalPoint(),
                 english ? QStringLiteral(".") : QStringLiteral(","));
        m_ui->press("BtnSchusseingabe");
        Schusseingabe* entry = m_app->shotEntryWindow();
        WindowDriver ui(entry);
        m_clock.now = 1500;
        ui.click(244, 228);
        m_clock.now = 4000;
        ui.click(260, 240);
        m_dialogs.inputs = {QStringLiteral("Müller zielt zu lange – 5 €")};
        ui.press("Kommentar");
        m_dialogs.saveNames = {path("eingabe.txt")};
        ui.press("Speichern");
        QCOMPARE(bytesOf(path("eingabe.txt")),
                 bytesOf(QStringLiteral(ANKERBLICK_TEST_DATA "/shotentry-window.txt")));

        // Read into the main window: hits in place, calls and lines at 0.
        ui.press("Abkommenseingabe_öffnen");
        m_dialogs.openNames = {path("eingabe.txt")};
        m_ui->press("Laden");
        const AimSheet& s = m_form->sheet();
        QCOMPARE(m_ui->list("SchussListe"),
                 QStringList({QStringLiteral("1"), QStringLiteral("2")}));
        QCOMPARE(m_ui->list("Schusswert"), entry->sheet().valueList());
        QCOMPARE(s.hits()[1].box.left, 245.0f);
        QCOMPARE(s.hits()[1].box.top, 225.0f);
        QCOMPARE(s.calls()[1].box.left, 0.0f);
        QCOMPARE(s.lines()[1].x2, 0.0f);
        QCOMPARE(s.times().shootingTimesText(),
                 QStringLiteral("\r\nSerie:1 Schuss:2: 2,5\r\n\r\n"));
    }

    void aFailedSaveIsReported() {
        shot({244, 228}, {244, 228});
        writeBytes(path("blocker"), "not a folder");
        m_dialogs.saveNames = {path("blocker/serie.txt")};
        m_ui->press("Speichern");
        QCOMPARE(m_dialogs.messages().size(), 1);
        QVERIFY(m_dialogs.messages().first().contains(QStringLiteral("serie.txt")));
    }

    void cancelledDialogsDoNothing() {
        shot({244, 228}, {244, 228});
        m_ui->press("Speichern");
        m_ui->press("Laden"); // the unsaved shot is let go, then the file dialog cancelled
        QCOMPARE(m_dialogs.asked.size(), 3);
        QCOMPARE(m_dialogs.asked.at(2).extra, QStringLiteral("Textdateien (*.txt)"));
        QCOMPARE(m_ui->list("SchussListe"), QStringList{QStringLiteral("1")});
    }

    void aBrokenFileShowsWhatWasReadAndSaysWhere() {
        QByteArray bytes;
        for (int slot = 0; slot < 12; ++slot)
            for (int v : {240, 250, 220, 230, 235, 215, 225, 205})
                bytes += QByteArray::number(v) + "\r\n";
        bytes += "240\r\n40000\r\n"; // slot 13 holds a value beyond 16 bits
        writeBytes(path("kaputt.txt"), bytes);
        m_dialogs.openNames = {path("kaputt.txt")};
        m_ui->press("Laden");
        QCOMPARE(m_dialogs.messages().size(), 1);
        QVERIFY(m_dialogs.messages().first().contains(QStringLiteral("98")));
        QCOMPARE(m_ui->list("SerienListe"),
                 QStringList({QStringLiteral("1"), QStringLiteral("2")}));
        QCOMPARE(m_ui->list("SchussListe").size(), 2);
    }

    void anUnreadableFileChangesNothing() {
        shot({244, 228}, {244, 228});
        m_dialogs.openNames = {path("gibt-es-nicht.txt")};
        m_ui->press("Laden");
        QCOMPARE(m_dialogs.messages().size(), 1);
        QCOMPARE(m_ui->list("SchussListe"), QStringList{QStringLiteral("1")});
    }

    // Five series printed from the main window: four to a page, two pages.
    // Closing the program, "Neu" and "Laden" over series entered since the
    // last save offer to save them first.
    void unsavedSeriesAreOfferedForSaving_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("entered"); // a shot entered after the save
        QTest::addColumn<int>("answer");   // SaveChoice
        QTest::addColumn<bool>("named");   // a file name given to the save dialog
        QTest::addColumn<bool>("goesOn");
        const auto save = int(SaveChoice::Save);
        const auto discard = int(SaveChoice::Discard);
        const auto cancel = int(SaveChoice::Cancel);
        for (const char* action : {"schließen", "Neu", "Laden"}) {
            const QString a = QString::fromUtf8(action);
            QTest::addRow("%s, Speichern", action) << a << true << save << true << true;
            QTest::addRow("%s, Verwerfen", action) << a << true << discard << true << true;
            QTest::addRow("%s, Abbrechen", action) << a << true << cancel << true << false;
            QTest::addRow("%s, Speichern abgebrochen", action)
                << a << true << save << false << false;
            QTest::addRow("%s, nichts Neues", action) << a << false << cancel << true << true;
        }
    }
    void unsavedSeriesAreOfferedForSaving() {
        QFETCH(QString, action);
        QFETCH(bool, entered);
        QFETCH(int, answer);
        QFETCH(bool, named);
        QFETCH(bool, goesOn);
        const QString before = path("vorher.txt");
        const QString after = path("nachher.txt");
        QFile::remove(after);
        shot({230, 220}, {250, 236});
        m_dialogs.saveNames = {before};
        m_ui->press("Speichern");
        if (entered)
            shot({236, 224}, {240, 230});
        const QStringList shots = m_ui->list("SchussListe");
        m_dialogs.asked.clear();
        m_dialogs.saveChoices = {SaveChoice(answer)};
        m_dialogs.saveNames = named ? QStringList{after} : QStringList{};
        m_dialogs.openNames = {before};

        bool closed = false;
        if (action == QStringLiteral("schließen"))
            closed = m_form->close();
        else
            m_ui->press(action.toUtf8().constData());

        QStringList asked;
        for (const auto& a : m_dialogs.asked)
            if (a.kind == QStringLiteral("asksave"))
                asked << a.text;
        QCOMPARE(asked,
                 entered ? QStringList{QStringLiteral("Änderungen speichern?")} : QStringList{});
        QCOMPARE(QFile::exists(after), entered && answer == int(SaveChoice::Save) && named);
        if (QFile::exists(after))
            QVERIFY(!bytesOf(after).isEmpty());
        const QStringList left = action == QStringLiteral("Neu") ? QStringList{}
                                 : action == QStringLiteral("Laden")
                                     ? QStringList{QStringLiteral("1")}
                                     : shots;
        QCOMPARE(m_ui->list("SchussListe"), goesOn ? left : shots);
        QCOMPARE(closed, goesOn && action == QStringLiteral("schließen"));
    }

    // Closing the program, here with "Beenden" in the shot-entry window, asks
    // for the series of the shot-entry window too.
    void unsavedShotEntryIsOfferedOnClose() {
        m_ui->press("BtnSchusseingabe");
        Schusseingabe* entry = m_app->shotEntryWindow();
        WindowDriver(entry).click(240, 230);
        m_dialogs.asked.clear();
        m_dialogs.saveChoices = {SaveChoice::Cancel};
        for (QAction* action : entry->findChildren<QAction*>())
            if (action->text() == QStringLiteral("Beenden"))
                action->trigger();
        QVERIFY(entry->isVisible());
        QCOMPARE(m_dialogs.asked.size(), 1);
        QCOMPARE(m_dialogs.asked[0].text,
                 QStringLiteral("Änderungen in der Schusseingabe speichern?"));
        QCOMPARE(WindowDriver(entry).list("SchussListe"), QStringList{QStringLiteral("1")});
    }

    // Menu entries and their shortcuts click the window's buttons.
    void menusDoWhatTheButtonsDo_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("key"); // QKeySequence::StandardKey, or none
        const int none = int(QKeySequence::UnknownKey);
        QTest::newRow("Strg+Z") << "Undo"
                                << "" << int(QKeySequence::Undo);
        QTest::newRow("Strg+S") << "Speichern"
                                << "" << int(QKeySequence::Save);
        QTest::newRow("Strg+O") << "Laden"
                                << "" << int(QKeySequence::Open);
        QTest::newRow("Rückgängig") << "Undo"
                                    << "Rückgängig" << none;
        QTest::newRow("Weitere Serie") << "WeitereSerie"
                                       << "Weitere Serie" << none;
        QTest::newRow("Neu") << "Neu"
                             << "Neu" << none;
    }
    void menusDoWhatTheButtonsDo() {
        QFETCH(QString, button);
        QFETCH(QString, entry);
        QFETCH(int, key);
        const auto state = [this] {
            QStringList s = m_ui->list("SerienListe") + m_ui->list("SchussListe");
            s << m_ui->caption();
            for (const auto& a : m_dialogs.asked)
                s << a.kind + a.text + a.extra;
            return s;
        };
        QStringList byButton;
        for (bool viaMenu : {false, true}) {
            cleanup();
            init();
            m_form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_form));
            shot({230, 220}, {250, 236});
            m_ui->click(236, 224);
            m_dialogs.saveChoices = {SaveChoice::Discard};
            const QStringList before = state();
            if (!viaMenu) {
                m_ui->press(button.toUtf8().constData());
                byButton = state();
                QVERIFY(byButton != before);
            } else if (key != int(QKeySequence::UnknownKey)) {
                const QKeySequence keys(static_cast<QKeySequence::StandardKey>(key));
                QTest::keyClick(m_ui->surface(), keys[0].key(), keys[0].keyboardModifiers());
            } else {
                for (QAction* action : m_form->findChildren<QAction*>())
                    if (action->text() == entry)
                        action->trigger();
            }
        }
        QCOMPARE(state(), byButton);
    }

    void aboutNamesProgramVersionAndLicence() {
        for (QAction* action : m_form->findChildren<QAction*>())
            if (action->text() == QStringLiteral("Über Ankerblick"))
                action->trigger();
        QCOMPARE(m_dialogs.messages().size(), 1);
        QVERIFY(m_dialogs.messages()[0].startsWith(QStringLiteral("Ankerblick ")));
        QVERIFY(m_dialogs.messages()[0].endsWith(QStringLiteral("GPL-3.0-or-later")));
    }

    void printsFourSeriesAPage() {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        SeriesFileContent content;
        for (int n = 0; n < 5; ++n) {
            SeriesRecord r;
            for (int i = 0; i < 10; ++i) {
                r.hitLeft[size_t(i)] = qint16(220 + 2 * i + n);
                r.hitTop[size_t(i)] = qint16(210 + i);
            }
            content.series.append(r);
        }
        QVERIFY(!writeSeriesFile(path("fuenf.txt"), content, SeriesFileStyle::MainWindow));
        m_dialogs.openNames = {path("fuenf.txt")};
        m_ui->press("Laden");
        QCOMPARE(m_ui->list("SerienListe").size(), 5);

        const QString pdf = path("fuenf.pdf");
        m_printers.names = {pdf};
        bool dialogSeen = false;
        QTimer::singleShot(0, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog || dialog->objectName() != QStringLiteral("DruckDialog"))
                return;
            dialogSeen = true;
            auto* all = dialog->findChild<QCheckBox*>(QStringLiteral("AllesDrucken"));
            QTest::mouseClick(all, Qt::LeftButton, {}, QPoint(8, all->height() / 2));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("OKButton")),
                              Qt::LeftButton);
        });
        m_ui->press("Drucken");
        QVERIFY(dialogSeen);
        QVERIFY2(m_dialogs.messages().isEmpty(), qPrintable(m_dialogs.messages().join(u'|')));
        QVERIFY(QFile::exists(pdf));
        QProcess p;
        p.start(pdftotext, {pdf, QStringLiteral("-")});
        QVERIFY(p.waitForFinished(30000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(text.contains(QStringLiteral("Seite 1 von 2 für Erika/Muster")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Seite 2 von 2")));
        QCOMPARE(text.count(QStringLiteral("Serie Nummer:")), 5);
    }
};

QTEST_MAIN(TestWindowFiles)
#include "tst_windowfiles.moc"
