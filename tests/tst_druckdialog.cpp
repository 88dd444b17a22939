// The print dialog driven by clicks and keys: what it lists, which calls OK
// makes on the calling window, and which printer it leaves chosen.

#include "features/printing/druckdialog.h"
#include "features/printing/printrequest.h"
#include "features/printing/seriesprintjob.h"
#include "platform/printers.h"
#include "support/scripteddialogs.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPagedPaintDevice>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace ankerblick;
using namespace Qt::StringLiterals;
using ankerblick::test::ScriptedDialogs;

namespace {

// Printers by name only; nothing is ever printed.
class FakePrinters final : public PrinterService {
public:
    QStringList names;
    bool pdf = true;
    int devicesCreated = 0;

    QStringList installedPrinters() const override { return names; }
    bool offersPdfFile() const override { return pdf; }
    std::unique_ptr<QPagedPaintDevice> createDevice(const PrintDestination&, PrintColour,
                                                    const QString&) override {
        ++devicesCreated;
        return nullptr;
    }
};

QString started(int n, int count, int farbe, bool gesamt) {
    return QStringLiteral("startPrinting(%1, %2, %3, %4)")
        .arg(n)
        .arg(count)
        .arg(farbe)
        .arg(gesamt ? QStringLiteral("true") : QStringLiteral("false"));
}

const QString kEnd = QStringLiteral("printingEnded");

// The print requests of a dialog, written as the calls a job makes for them
// (colour 2, black and white 1).
struct RecordingCaller {
    QStringList calls;
    void record(const PrintRequest& request) {
        for (const qint16 n : request.series)
            calls << started(n, int(request.series.size()),
                             request.colour == PrintColour::Colour ? 2 : 1, request.overall);
        calls << kEnd;
    }
};
const QString kNothingMarked = QStringLiteral(
    "Bitte mindestens eine Serie zum Drucken markieren oder „Alles drucken“ wählen.");

QStringList items(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QStringList items(const QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

} // namespace

class TestDruckDialog : public QObject {
    Q_OBJECT

private:
    FakePrinters m_printers;
    ScriptedDialogs m_dialogs;
    RecordingCaller m_caller;
    std::unique_ptr<DruckDialog> m_dialog;

    template <typename T> T* child(const char* name) const {
        T* w = m_dialog->findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qFatal("missing control %s", name);
        return w;
    }
    void open(qint16 count) {
        m_dialog = std::make_unique<DruckDialog>(m_printers, m_dialogs);
        m_dialog->printData(count, QStringLiteral("Hilfe"));
        connect(m_dialog.get(), &DruckDialog::printRequested, this,
                [this](const PrintRequest& request) { m_caller.record(request); });
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    void clickRow(int row) {
        auto* list = child<QListWidget>("DruckSerienListe");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    // A check box takes clicks on its box and caption, a button anywhere.
    void click(const char* name) {
        auto* b = child<QAbstractButton>(name);
        const bool check = qobject_cast<QCheckBox*>(b) != nullptr;
        QTest::mouseClick(b, Qt::LeftButton, {},
                          check ? QPoint(8, b->height() / 2) : b->rect().center());
    }
    // Runs a script of clicks: "r<n>" a row, "A" Alles drucken, "F" Farbig,
    // "G" Gesamtschussbild?.
    void play(const QString& script) {
        for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
            if (step.startsWith(u'r'))
                clickRow(step.mid(1).toInt());
            else if (step == u"A")
                click("AllesDrucken");
            else if (step == u"F")
                click("FarbeCheck");
            else if (step == u"G")
                click("GesamtschussbildChk");
        }
    }

private Q_SLOTS:
    void init() {
        m_printers = FakePrinters();
        m_printers.names = {QStringLiteral("Laser"), QStringLiteral("Tinte")};
        m_dialogs = ScriptedDialogs();
        m_caller.calls.clear();
    }
    void cleanup() { m_dialog.reset(); }

    void controlsAndLists() {
        open(9);
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Drucken"));
        auto* printers = child<QComboBox>("Druckerliste");
        QCOMPARE(items(printers), (QStringList{QStringLiteral("Laser"), QStringLiteral("Tinte"),
                                               QStringLiteral("PDF-Datei")}));
        QCOMPARE(printers->currentIndex(), 0);
        QCOMPARE(m_printers.current(), PrintDestination::printer(QStringLiteral("Laser")));
        auto* list = child<QListWidget>("DruckSerienListe");
        QCOMPARE(items(list),
                 (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                              QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"),
                              QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9")}));
        QVERIFY(list->selectedItems().isEmpty());
        QCOMPARE(child<QCheckBox>("AllesDrucken")->text(), QStringLiteral("Alles drucken"));
        QCOMPARE(child<QCheckBox>("FarbeCheck")->text(), QStringLiteral("Farbig"));
        QCOMPARE(child<QCheckBox>("GesamtschussbildChk")->text(),
                 QStringLiteral("Gesamtschussbild?"));
        QCOMPARE(child<QPushButton>("CancelButton")->text(), QStringLiteral("Abbrechen"));
        QVERIFY(child<QPushButton>("OKButton")->isEnabled());
        QCOMPARE(child<QLabel>("Label1")->text(), QStringLiteral("Hilfe"));
        QStringList labels;
        for (const QLabel* l : m_dialog->findChildren<QLabel*>())
            labels << l->text();
        QVERIFY(labels.contains(QStringLiteral("Drucker:")));
        QVERIFY(labels.contains(QStringLiteral("Zu druckende Serien markieren")));
        QCOMPARE(m_dialogs.asked.size(), 0);

        // A second hand-over lists the new series only.
        m_dialog->printData(3, QStringLiteral("Neu"));
        QCOMPARE(items(list),
                 (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
        QCOMPARE(child<QLabel>("Label1")->text(), QStringLiteral("Neu"));
        // Screen readers hear the text that is shown.
        QCOMPARE(
            QAccessible::queryAccessibleInterface(child<QLabel>("Label1"))->text(QAccessible::Name),
            QStringLiteral("Neu"));
    }

    // OK hands the chosen series back: every selected series in list order as
    // one of the selected count, or with "Alles drucken" every series of the
    // list; then printingEnded once. With nothing to print OK says so, calls
    // nothing and the dialog stays open.
    void protocol_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("message");
        QTest::newRow("three of nine in list order")
            << 9 << QStringLiteral("r8 r2 r4")
            << QStringList{started(3, 3, 1, false), started(5, 3, 1, false),
                           started(9, 3, 1, false), kEnd}
            << QString();
        QTest::newRow("colour and overall picture")
            << 4 << QStringLiteral("r1 F G") << QStringList{started(2, 1, 2, true), kEnd}
            << QString();
        QTest::newRow("Alles drucken ignores the selection")
            << 5 << QStringLiteral("r0 r3 A")
            << QStringList{started(1, 5, 1, false), started(2, 5, 1, false),
                           started(3, 5, 1, false), started(4, 5, 1, false),
                           started(5, 5, 1, false), kEnd}
            << QString();
        QTest::newRow("Alles drucken in colour")
            << 3 << QStringLiteral("A F")
            << QStringList{started(1, 3, 2, false), started(2, 3, 2, false),
                           started(3, 3, 2, false), kEnd}
            << QString();
        QTest::newRow("a second click takes a series back")
            << 3 << QStringLiteral("r1 r2 r1") << QStringList{started(3, 1, 1, false), kEnd}
            << QString();
        QTest::newRow("nothing selected") << 3 << QString() << QStringList() << kNothingMarked;
        QTest::newRow("the list takes no clicks while Alles drucken is on")
            << 3 << QStringLiteral("A r0 r2 A r1") << QStringList{started(2, 1, 1, false), kEnd}
            << QString();
        QTest::newRow("checked twice is off again")
            << 3 << QStringLiteral("F F G G r0") << QStringList{started(1, 1, 1, false), kEnd}
            << QString();
        QTest::newRow("no series") << 0 << QStringLiteral("A") << QStringList()
                                   << QStringLiteral("Es gibt keine Serie zum Drucken.");
    }

    void protocol() {
        QFETCH(int, count);
        QFETCH(QString, script);
        QFETCH(QStringList, expected);
        QFETCH(QString, message);
        open(qint16(count));
        play(script);
        QVERIFY(m_caller.calls.isEmpty());
        click("OKButton");
        QCOMPARE(m_caller.calls, expected);
        // The dialog keeps what it asked for once OK accepted it.
        QCOMPARE(m_dialog->request().has_value(), message.isEmpty());
        QCOMPARE(m_dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(m_dialog->isVisible(), !message.isEmpty());
        if (message.isEmpty())
            QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        QCOMPARE(m_printers.devicesCreated, 0);
    }

    void allesDruckenDisablesTheList() {
        open(4);
        auto* list = child<QListWidget>("DruckSerienListe");
        QVERIFY(list->isEnabled());
        click("AllesDrucken");
        QVERIFY(!list->isEnabled());
        click("AllesDrucken");
        QVERIFY(list->isEnabled());
    }

    void cancelPrintsNothing() {
        open(5);
        play(QStringLiteral("r0 r1 F G A"));
        click("CancelButton");
        QVERIFY(m_caller.calls.isEmpty());
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    }

    // A system with neither a printer nor printing to a file: the message, and
    // the dialog stays open with OK disabled.
    void noPrinterAtAll() {
        m_printers.names.clear();
        m_printers.pdf = false;
        open(3);
        QCOMPARE(m_dialogs.messages(),
                 QStringList{QStringLiteral("Leider ist kein Drucker installiert")});
        QCOMPARE(child<QComboBox>("Druckerliste")->count(), 0);
        QVERIFY(!child<QPushButton>("OKButton")->isEnabled());
        play(QStringLiteral("r0"));
        click("OKButton");
        QVERIFY(m_caller.calls.isEmpty());
        QVERIFY(m_dialog->isVisible());
    }

    void onlyPrintingToAFile() {
        m_printers.names.clear();
        open(3);
        QCOMPARE(m_dialogs.messages(), QStringList());
        QCOMPARE(items(child<QComboBox>("Druckerliste")), QStringList{QStringLiteral("PDF-Datei")});
        QVERIFY(child<QPushButton>("OKButton")->isEnabled());
    }

    // The printer changes when the focus leaves the list, or with OK.
    void leavingThePrinterListChoosesThePrinter() {
        m_printers.names << QStringLiteral("Farbe");
        open(2);
        auto* box = child<QComboBox>("Druckerliste");
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        QTest::keyClick(box, Qt::Key_Down);
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(box->currentText(), QStringLiteral("Farbe"));
        QCOMPARE(m_printers.current(), PrintDestination::printer(QStringLiteral("Laser")));
        QTest::keyClick(box, Qt::Key_Tab);
        QTRY_VERIFY(!box->hasFocus());
        QCOMPARE(m_printers.current(), PrintDestination::printer(QStringLiteral("Farbe")));

        // Back to the first printer and straight to OK with the Enter key.
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        QTest::keyClick(box, Qt::Key_Home);
        clickRow(1);
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        QTest::keyClick(box, Qt::Key_Up);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(m_caller.calls, (QStringList{started(2, 1, 1, false), kEnd}));
        QCOMPARE(m_printers.current(), PrintDestination::printer(QStringLiteral("Laser")));
    }

    // "PDF-Datei" asks for the file with OK; without a name nothing is printed
    // and the dialog stays open. With nothing marked it asks for no name.
    void printingToAPdfFile_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("file");
        const QString first = QStringLiteral("r0");
        QTest::newRow("cancelled") << first << QString() << QString();
        QTest::newRow("name with suffix") << first << QStringLiteral("/tmp/ankerblick/serien.pdf")
                                          << QStringLiteral("/tmp/ankerblick/serien.pdf");
        QTest::newRow("name without suffix") << first << QStringLiteral("/tmp/ankerblick/Max")
                                             << QStringLiteral("/tmp/ankerblick/Max.pdf");
        QTest::newRow("name with another suffix")
            << first << QStringLiteral("/tmp/ankerblick/Max.Serie")
            << QStringLiteral("/tmp/ankerblick/Max.Serie");
        QTest::newRow("nothing marked")
            << QString() << QStringLiteral("/tmp/ankerblick/serien.pdf") << QString();
    }

    void printingToAPdfFile() {
        QFETCH(QString, script);
        QFETCH(QString, answer);
        QFETCH(QString, file);
        if (!answer.isEmpty())
            m_dialogs.saveNames = {answer};
        open(2);
        auto* box = child<QComboBox>("Druckerliste");
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        QTest::keyClick(box, Qt::Key_End);
        QCOMPARE(box->currentText(), QStringLiteral("PDF-Datei"));
        play(script);
        click("OKButton");
        QCOMPARE(m_dialogs.asked.size(), 1);
        if (script.isEmpty()) {
            QCOMPARE(m_dialogs.messages(), QStringList{kNothingMarked});
        } else {
            QCOMPARE(m_dialogs.asked.first().kind, QStringLiteral("save"));
            QVERIFY(
                m_dialogs.asked.first().extra.startsWith(QStringLiteral("PDF-Dateien (*.pdf)|")));
        }
        if (file.isEmpty()) {
            QVERIFY(m_caller.calls.isEmpty());
            QVERIFY(m_dialog->isVisible());
        } else {
            QCOMPARE(m_printers.current(), PrintDestination::pdfFile(file));
            QCOMPARE(m_caller.calls, (QStringList{started(1, 1, 1, false), kEnd}));
            QVERIFY(!m_dialog->isVisible());
        }
    }

    // A window's job opens the dialog modal with its help text and itself as
    // the caller.
    void jobOpensTheDialog_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("help");
        QTest::newRow("main window")
            << int(print::SeriesPageStyle::FourPerPage)
            << QStringLiteral("Achtung! Das Papier muss mindestens Din A 4 Grösse haben. Pro "
                              "Seite können 4 Serien gedruckt werden. --- Bei Schwarz/Weiss- "
                              "Druckern kann die Option 'Farbig' gewählt werden, gedruckt wird "
                              "trotzdem s/w.");
        QTest::newRow("analysis window")
            << int(print::SeriesPageStyle::EightPerPage)
            << QStringLiteral("Achtung! Das Papier muss mindestens Din A 4 Grösse haben. Pro "
                              "Seite können 8 Serien gedruckt werden. --- Bei Schwarz/Weiss- "
                              "Druckern kann die Option 'Farbig' gewählt werden, gedruckt wird "
                              "trotzdem s/w.");
    }

    void jobOpensTheDialog() {
        QFETCH(int, style);
        QFETCH(QString, help);
        SeriesPrintSource source;
        source.series = [](qint16) {
            return print::SeriesPrintData{};
        };
        source.face = [] {
            return TargetFace();
        };
        source.shooterName = [] {
            return QStringLiteral("Max");
        };
        const QDateTime day(QDate(2026, 12, 10), QTime(18, 30));
        source.now = [day] {
            return day;
        };
        SeriesPrintJob job(print::SeriesPageStyle(style), m_printers, m_dialogs, source);
        QWidget window;
        window.show();
        QString shownHelp;
        QStringList shownSeries;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<DruckDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shownHelp = dialog->findChild<QLabel*>(QStringLiteral("Label1"))->text();
            shownSeries =
                items(dialog->findChild<QListWidget*>(QStringLiteral("DruckSerienListe")));
            // To a PDF file: the file dialog proposes the shooter and the day;
            // cancelled, nothing is printed.
            auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("Druckerliste"));
            printers->setCurrentIndex(printers->count() - 1);
            dialog->findChild<QCheckBox*>(QStringLiteral("AllesDrucken"))->click();
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("OKButton")),
                              Qt::LeftButton);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("CancelButton")),
                              Qt::LeftButton);
        });
        job.openDialog(2, &window);
        QCOMPARE(m_dialogs.asked.size(), 1);
        QCOMPARE(m_dialogs.asked.first().extra,
                 u"PDF-Dateien (*.pdf)|Max"_s +
                     QLocale().toString(day.date(), QLocale::ShortFormat) + u".pdf"_s);
        QCOMPARE(shownHelp, help);
        QCOMPARE(shownSeries, (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
        QCOMPARE(m_printers.devicesCreated, 0);
    }
};

QTEST_MAIN(TestDruckDialog)
#include "tst_druckdialog.moc"
