// Outside input at its worst, through the windows the shooter uses: files of
// random bytes, too many series, endless lines, NUL and unassigned bytes, and
// a serial port that delivers junk, too much or one byte at a time. Each
// ends with a German message at most, what was read kept, nothing else
// changed, no hang and bounded memory.

#include "features/targetlink/targetlinkpanel.h"
#include "files/seriesfile.h"
#include "platform/serialport.h"
#include "sheets/targetrecord.h"
#include "support/fulldisk.h"
#include "support/program.h"
#include "support/pty.h"
#include "support/sources.h"
#include "support/windowdriver.h"
#include "support/windowtest.h"
#include "windows/analysis/analyseanzeige.h"
#include "windows/entry/schusseingabe.h"
#include "windows/shared/matchresult.h"

#include <QComboBox>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextFrame>

#include <sys/stat.h>

#include <cstring>

#include <memory>
#include <random>

using namespace ankerblick;
using namespace Qt::StringLiterals;
using namespace ankerblick::test;

#if defined(__SANITIZE_ADDRESS__)
#define ANKERBLICK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ANKERBLICK_ASAN 1
#endif
#endif

namespace {

constexpr qint64 kMiB = 1024 * 1024;

// The high-water mark of this process' memory.
qint64 peakMemory() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return qint64(u.ru_maxrss) * 1024;
}

// Random bytes from a fixed seed, written a mebibyte at a time.
bool writeRandomFile(const QString& path, qint64 size, quint64 seed) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    std::mt19937_64 random(seed);
    QByteArray chunk(kMiB, Qt::Uninitialized);
    for (qint64 left = size; left > 0; left -= chunk.size()) {
        for (qsizetype i = 0; i < chunk.size(); i += 8) {
            const quint64 r = random();
            std::memcpy(chunk.data() + i, &r, 8);
        }
        const qint64 n = qMin<qint64>(left, chunk.size());
        if (f.write(chunk.constData(), n) != n)
            return false;
    }
    return true;
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// One shot slot as the main window writes it; the hit left tells slots apart.
QByteArray slotLines(int hitLeft, int hitTop = 200) {
    QByteArray b;
    for (const int v : {240, 250, 220, 230, hitLeft, hitTop, 225, 205})
        b += QByteArray::number(v) + "\r\n";
    return b;
}

// `count` full series; series n has its hits at left 100 + n % 200.
QByteArray seriesLines(int count) {
    QByteArray b;
    for (int n = 1; n <= count; ++n) {
        const QByteArray slot = slotLines(100 + n % 200);
        for (int i = 0; i < kShotsPerSeries; ++i)
            b += slot;
    }
    return b;
}

QString faultText(const QString& description, int number) {
    return QStringLiteral("Fehlerbeschribung: ") + description +
           QStringLiteral(" Fehlerquelle: Ankerblick Fehlernummer: ") + QString::number(number);
}

} // namespace

class TestHostile : public ankerblick::test::WindowTest {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_randomFile;
    QString m_manySeriesFile;

    // 40,000 full series, more than the 16-bit series counter holds; made
    // when first needed, so that it does not weigh on the memory measured
    // before.
    QString manySeriesFile() {
        if (m_manySeriesFile.isEmpty()) {
            const QString file = m_dir.filePath(QStringLiteral("viele.txt"));
            if (!writeBytes(file, seriesLines(40000) + "$Kommentare$\r\nam Ende\r\n"))
                qFatal("cannot write the file of 40,000 series");
            m_manySeriesFile = file;
        }
        return m_manySeriesFile;
    }

    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    // A begun program, reached through its main window.
    struct MainWindow {
        std::unique_ptr<Application> program;
        Form1* get() const { return &program->mainWindow(); }
        Form1* operator->() const { return get(); }
        Form1& operator*() const { return *get(); }
    };
    // The main window with one shot entered, and no dialog asked yet.
    MainWindow mainWindowWithAShot() {
        m_dialogs = ScriptedDialogs();
        m_dialogs.inputs = {QStringLiteral("Erika")};
        MainWindow form{beginProgram(m_services)};
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            qFatal("window not shown");
        WindowDriver ui(form.get());
        ui.click(244, 228);
        ui.click(250, 232);
        m_dialogs.asked.clear();
        return form;
    }

    // Loads a file through the main window's "Laden".
    void load(Form1& form, const QString& file) {
        m_dialogs.openNames = {file};
        WindowDriver(&form).press("Laden");
    }

private Q_SLOTS:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QVERIFY(m_dir.isValid());
        m_randomFile = m_dir.filePath(QStringLiteral("zufall.txt"));
        QVERIFY(writeRandomFile(m_randomFile, 100 * kMiB, 20240503));
    }

    // 100 MB of random bytes: a message, the window as it was, in little time
    // and memory, and the file untouched.
    void randomFileInTheMainWindow() {
        auto form = mainWindowWithAShot();
        const QFileInfo before(m_randomFile);
        [[maybe_unused]] const qint64 memoryBefore = peakMemory();
        QElapsedTimer timer;
        timer.start();
        load(*form, m_randomFile);
        QVERIFY2(timer.elapsed() < 15000, qPrintable(QString::number(timer.elapsed())));
#ifndef ANKERBLICK_ASAN
        // Not the file's size, not a fraction of it: the reader holds a piece at a time.
        QVERIFY2(peakMemory() - memoryBefore < 32 * kMiB,
                 qPrintable(QString::number((peakMemory() - memoryBefore) / kMiB)));
#endif
        QCOMPARE(m_dialogs.messages().size(), 1);
        const QString message = m_dialogs.messages().first();
        QVERIFY2(message.startsWith(QStringLiteral("Die Datei „") + m_randomFile +
                                    QStringLiteral("“ konnte ab Zeile ")),
                 qPrintable(message));
        // Nothing of a series file was read: the entered shot stays.
        WindowDriver ui(form.get());
        QCOMPARE(ui.list("SerienListe"), QStringList{QStringLiteral("1")});
        QCOMPARE(ui.list("SchussListe"), QStringList{QStringLiteral("1")});
        const QFileInfo after(m_randomFile);
        QCOMPARE(after.size(), 100 * kMiB);
        QCOMPARE(after.lastModified(), before.lastModified());
    }

    // Dropped onto the analysis window behind a good file: the good file's
    // series stay listed and shown.
    void randomFileDroppedOnTheAnalysisWindow() {
        m_dialogs = ScriptedDialogs();
        AnalyseAnzeige window(m_services);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString good = path("gut.txt");
        QVERIFY(writeBytes(good, seriesLines(2) + "$Kommentare$\r\ngut\r\n"));
        // Dropped from the file manager: a drag over the window, then the drop.
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(good), QUrl::fromLocalFile(m_randomFile),
                      QUrl::fromLocalFile(good)});
        const QPoint at(120, 300);
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        enter.setAccepted(false);
        QApplication::sendEvent(&window, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &dropped);
        QCOMPARE(m_dialogs.messages().size(), 1);
        QVERIFY(m_dialogs.messages().first().contains(m_randomFile));
        WindowDriver ui(&window);
        // The drop ended at the random file.
        QCOMPARE(ui.list("SerienListe"), QStringList({QStringLiteral("1"), QStringLiteral("2")}));
        QCOMPARE(window.sheet().selectedSeries(), 2);
        QCOMPARE(window.sheet().comments(), QStringLiteral("gut\r\n"));
    }

    // 40,000 series: the first 32767 are listed, the message says so, and no
    // further series can be started.
    void moreSeriesThanTheCounterHolds() {
        const QString many = manySeriesFile();
        auto form = mainWindowWithAShot();
        QElapsedTimer timer;
        timer.start();
        load(*form, many);
        QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(m_dialogs.messages(),
                 QStringList{QStringLiteral("Die Datei „") + manySeriesFile() +
                             QStringLiteral("“ enthält mehr Serien, als das Programm auflisten "
                                            "kann (höchstens 32767). Die ersten 32767 Serien der "
                                            "Datei wurden gelesen, ab Zeile 2621361 nicht mehr.")});
        WindowDriver ui(form.get());
        const QStringList listed = ui.list("SerienListe");
        QCOMPARE(listed.size(), 32767);
        QCOMPARE(listed.last(), QStringLiteral("32767"));
        // The last series read is shown in full: hits at left 100 + 32767 % 200.
        QCOMPARE(ui.list("SchussListe").size(), 10);
        QCOMPARE(form->sheet().store()[32767].hitLeft[9], qint16(100 + 32767 % 200));
        QCOMPARE(form->sheet().store()[32766].hitLeft[0], qint16(100 + 32766 % 200));

        ui.press("WeitereSerie");
        QCOMPARE(m_dialogs.messages().size(), 2);
        QCOMPARE(m_dialogs.messages().last(),
                 QStringLiteral("Mehr als 32767 Serien kann das Programm nicht auflisten. Bitte "
                                "die Serien speichern und mit „Neu“ von vorn beginnen."));
        QCOMPARE(ui.list("SerienListe").size(), 32767);
        QCOMPARE(form->sheet().selectedSeries(), 32767);
    }

    // Attached behind series already listed, only as many as still fit.
    void attachingStopsAtTheCounter() {
        m_dialogs = ScriptedDialogs();
        AnalyseAnzeige window(m_services);
        const QString three = path("drei.txt");
        QVERIFY(writeBytes(three, seriesLines(3)));
        m_dialogs.openNames = {three, manySeriesFile(), three};
        WindowDriver ui(&window);
        ui.press("Laden");
        ui.press("DateiAnschliessen");
        QCOMPARE(m_dialogs.messages(),
                 QStringList{QStringLiteral("Die Datei „") + manySeriesFile() +
                             QStringLiteral("“ enthält mehr Serien, als das Programm auflisten "
                                            "kann (höchstens 32767). Die ersten 32764 Serien der "
                                            "Datei wurden gelesen, ab Zeile 2621121 nicht mehr.")});
        QCOMPARE(window.sheet().seriesCount(), 32767);
        QCOMPARE(window.sheet().store()[4].hitLeft[0], qint16(101));
        QCOMPARE(window.sheet().selectedSeries(), 32767);
        // A full list takes no further file.
        ui.press("DateiAnschliessen");
        QCOMPARE(m_dialogs.messages().size(), 2);
        QCOMPARE(m_dialogs.messages().last(),
                 QStringLiteral("Mehr als 32767 Serien kann das Programm nicht auflisten. Die "
                                "Datei „") +
                     three + QStringLiteral("“ wurde nicht gelesen."));
        QCOMPARE(window.sheet().seriesCount(), 32767);
    }

    // Lines of a mebibyte: read up to that line, with a message naming it.
    void longLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");   // named in the message; 0: no message
        QTest::addColumn<int>("series"); // listed afterwards; 0: the window as it was
        QTest::addColumn<QString>("comments");
        const QByteArray mebibyte(kMiB, 'x');
        const QByteArray digits(kMiB, '7');
        const QByteArray two = seriesLines(2);
        QTest::newRow("first line") << mebibyte + "\r\n" + two << 1 << 0 << QString();
        QTest::newRow("no line end at all") << mebibyte << 1 << 0 << QString();
        QTest::newRow("digits inside a slot")
            << "1\r\n" + digits + "\r\n" + two << 2 << 0 << QString();
        QTest::newRow("comment after two series")
            << two + "$Kommentare$\r\nerste\r\n" + mebibyte + "\r\nletzte\r\n"
            << 163 << 2 << QStringLiteral("erste\r\n");
        QTest::newRow("longest line kept")
            << two + "$Kommentare$\r\n" + QByteArray(kMaxLineLength, 'y') + "\r\nletzte\r\n"
            << 0 << 2 << QString(kMaxLineLength, u'y') + QStringLiteral("\r\nletzte\r\n");
        QTest::newRow("one character more")
            << two + "$Kommentare$\r\n" + QByteArray(kMaxLineLength + 1, 'y') + "\r\n"
            << 162 << 2 << QString();
    }
    void longLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(int, series);
        QFETCH(QString, comments);
        const QString file = path("lang.txt");
        QVERIFY(writeBytes(file, bytes));
        auto form = mainWindowWithAShot();
        QElapsedTimer timer;
        timer.start();
        load(*form, file);
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        WindowDriver ui(form.get());
        if (line == 0) {
            QVERIFY(m_dialogs.messages().isEmpty());
        } else {
            QCOMPARE(m_dialogs.messages(),
                     QStringList{QStringLiteral("Die Datei „") + file +
                                 QStringLiteral("“ konnte ab Zeile ") + QString::number(line) +
                                 QStringLiteral(" nicht gelesen werden: Die Zeile ist länger als "
                                                "65536 Zeichen.")});
        }
        if (series == 0) {
            QCOMPARE(ui.list("SerienListe"), QStringList{QStringLiteral("1")});
            QCOMPARE(ui.list("SchussListe"), QStringList{QStringLiteral("1")});
        } else {
            QCOMPARE(ui.list("SerienListe").size(), series);
            QCOMPARE(ui.list("SchussListe").size(), 10);
            QCOMPARE(form->sheet().comments(), comments);
        }
    }

    // NUL and the five bytes Windows-1252 leaves free survive loading and
    // saving unchanged; in a number they end the reading with a message
    // that shows them as replacement characters.
    void nulAndUnassignedBytes_data() {
        QTest::addColumn<QByteArray>("comment");
        QTest::newRow("NUL") << QByteArray("A\0B", 3);
        QTest::newRow("unassigned bytes") << QByteArray("\x81\x8d\x8f\x90\x9d");
        QTest::newRow("all of them and a lone CR")
            << QByteArray("\0\x81 \x8d\r\x8f\x90\x9d\xff\x80\x01", 11);
        QTest::newRow("a line of NUL only") << QByteArray(200, '\0');
    }
    void nulAndUnassignedBytes() {
        QFETCH(QByteArray, comment);
        const QString file = path("bytes.txt");
        const QByteArray section = "$Kommentare$\r\n" + comment + "\r\nweiter\r\n";
        QVERIFY(writeBytes(file, seriesLines(1) + section));
        auto form = mainWindowWithAShot();
        load(*form, file);
        QVERIFY(m_dialogs.messages().isEmpty());
        WindowDriver ui(form.get());
        QCOMPARE(ui.list("SchussListe").size(), 10);
        QVERIFY(ui.child<QPlainTextEdit>(QStringLiteral("Kommentaretxt"))
                    ->toPlainText()
                    .contains(QStringLiteral("weiter")));

        const QString saved = path("bytes-gespeichert.txt");
        m_dialogs.saveNames = {saved};
        ui.press("Speichern");
        QVERIFY(m_dialogs.messages().isEmpty());
        // The same bytes, and the writer's line end behind the section.
        const QByteArray expected = section + "\r\n$Schusszeiten$\r\n";
        QVERIFY(bytesOf(saved).contains(expected));
    }

    void nulInANumber() {
        const QString file = path("nul-zahl.txt");
        QVERIFY(writeBytes(file, slotLines(120) + "130\r\n" + QByteArray("24\0\r\n", 5) +
                                     slotLines(140)));
        auto form = mainWindowWithAShot();
        load(*form, file);
        QCOMPARE(m_dialogs.messages(),
                 QStringList{QStringLiteral("Die Datei „") + file +
                             QStringLiteral("“ konnte ab Zeile 10 nicht gelesen werden: Erwartet "
                                            "wird eine Zahl, die Zeile lautet „24\uFFFD“.")});
        // What was read is shown: the first slot.
        WindowDriver ui(form.get());
        QCOMPARE(ui.list("SchussListe"), QStringList{QStringLiteral("1")});
        QCOMPARE(form->sheet().store()[1].hitLeft[0], qint16(120));
    }

    // A device or a pipe chosen as a file is not read: it may never end
    // (/dev/zero) or never answer (a pipe nobody writes to).
    void devicesAndPipesAreNotRead_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("endless zeros") << QStringLiteral("/dev/zero");
        QTest::newRow("endless random bytes") << QStringLiteral("/dev/urandom");
        QTest::newRow("pipe without a writer") << QStringLiteral("pipe");
    }
    void devicesAndPipesAreNotRead() {
        QFETCH(QString, file);
        if (!file.startsWith(u'/')) {
            file = m_dir.filePath(file);
            QFile::remove(file);
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        }
        auto form = mainWindowWithAShot();
        QElapsedTimer timer;
        timer.start();
        load(*form, file);
        QVERIFY(timer.elapsed() < 5000);
        QCOMPARE(m_dialogs.messages(),
                 QStringList{QStringLiteral("Die Datei „") + file +
                             QStringLiteral("“ konnte nicht gelesen werden: Unter diesem Namen "
                                            "gibt es etwas anderes als eine Datei.")});
        WindowDriver ui(form.get());
        QCOMPARE(ui.list("SchussListe"), QStringList{QStringLiteral("1")});
    }

    // Saving on a full disk: a message, the old file as it was, the entered
    // series still in the window and saved once there is room again.
    void savingOnAFullDisk() {
        auto form = mainWindowWithAShot();
        const QString file = path("voll.txt");
        const QByteArray old = "alte Serie\r\n";
        QVERIFY(writeBytes(file, old));
        m_dialogs.saveNames = {file};
        WindowDriver ui(form.get());
        {
            const FullDisk full;
            QVERIFY(full.active());
            ui.press("Speichern");
        }

        QCOMPARE(m_dialogs.messages().size(), 1);
        QVERIFY2(m_dialogs.messages().first().endsWith(
                     QStringLiteral(" Die bisherige Datei ist unverändert.")),
                 qPrintable(m_dialogs.messages().first()));
        QCOMPARE(bytesOf(file), old);
        QCOMPARE(ui.list("SchussListe"), QStringList{QStringLiteral("1")});

        m_dialogs.saveNames = {file};
        ui.press("Speichern");
        QCOMPARE(m_dialogs.messages().size(), 1);
        const SeriesFileReadResult back = readSeriesFile(file);
        QVERIFY(!back.error);
        QCOMPARE(back.content.series.first().shotCount(), 1);
    }

    // A shooter's name and a figure that look like markup stay text on the
    // formatted result sheet.
    void markupOnTheResultSheetStaysText() {
        MatchResult result;
        result.title = u"Wettkampf LG 40 – <b>Eri&amp;ka</b>, 10.12.2026"_s;
        result.series = {{1, u"95"_s, u"99,1"_s}};
        result.totalWhole = u"95"_s;
        result.totalTenths = u"99,1"_s;
        result.counts = {u"<img src=x>"_s};
        result.figures = {u"</table><h1>x</h1>"_s};
        QTextDocument page;
        page.setHtml(matchResultHtml(result));
        const QString text = page.toPlainText();
        for (const QString& shown : {result.title, result.counts.first(), result.figures.first()})
            QVERIFY2(text.contains(shown), qPrintable(text));
        QCOMPARE(page.rootFrame()->childFrames().size(), 1); // the one table
    }

    // What the electronic target sends, at its worst, into the shot-entry
    // window: one message at most, no hit from junk, the shot before kept,
    // and the next good record entered.
    void targetJunk_data() {
        QTest::addColumn<QByteArray>("junk");
        QTest::addColumn<QString>("message"); // empty: none
        std::mt19937 random(4711);
        QByteArray noise(300, '\0');
        for (char& c : noise)
            c = char(random());
        const QString tooLong = faultText(QStringLiteral("Der Schussdatensatz ist zu lang"), 8105);
        QTest::newRow("random bytes") << noise << tooLong;
        // Digits everywhere would read as a hit on the centre.
        QTest::newRow("10,000 digits") << QByteArray(10000, '0') << tooLong;
        QTest::newRow("10,000 random bytes") << noise.repeated(34).left(10000) << tooLong;
        QTest::newRow("random, shorter than a record")
            << noise.left(45)
            << faultText(QStringLiteral("Der Schussdatensatz ist unvollständig"), 8101);
        QTest::newRow("random, shorter than 40") << noise.left(39) << QString();
    }
    void targetJunk() {
        QFETCH(QByteArray, junk);
        QFETCH(QString, message);
        m_dialogs = ScriptedDialogs();
        Pty pty;
        Services services{m_dialogs, m_clock,   m_tones,      m_printers,      m_settings,
                          m_diary,   m_cameras, {pty.path()}, makeQtSerialPort};
        Schusseingabe window(services);
        addSources(window, services);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        WindowDriver ui(&window);
        auto* ports = ui.child<QComboBox>(QStringLiteral("ComPortsCombo"));
        ports->setCurrentIndex(ports->findData(pty.path()));
        ui.press("Rika");
        ui.press("Rika_Schussabfrage");
        QVERIFY(targetLinkOf(window).isPolling());
        pty.send(record("000000", "000000"));
        QTRY_COMPARE(ui.list("SchussListe").size(), 1);

        pty.send(junk);
        // Three quiet polls after the junk: whatever it caused has happened.
        QTRY_VERIFY(pty.received().count(char(0x16)) > 0);
        pty.forget();
        QTRY_VERIFY_WITH_TIMEOUT(pty.count(char(0x16)) >= 4, 10000);
        QCOMPARE(m_dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(ui.list("SchussListe"), QStringList{QStringLiteral("1")});
        QVERIFY(targetLinkOf(window).isPolling());

        pty.send(record("001000", "000000"));
        QTRY_COMPARE(ui.list("SchussListe").size(), 2);
        QCOMPARE(window.sheet().hits()[0].box.centre(), (PointF{244.0f, 228.0f}));
        QCOMPARE(m_dialogs.messages().size(), message.isEmpty() ? 0 : 1);
    }

    // A record arriving one byte per poll is entered once, where it belongs.
    void recordOneBytePerPoll() {
        m_dialogs = ScriptedDialogs();
        Pty pty;
        Services services{m_dialogs, m_clock,   m_tones,      m_printers,      m_settings,
                          m_diary,   m_cameras, {pty.path()}, makeQtSerialPort};
        Schusseingabe window(services);
        addSources(window, services);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        WindowDriver ui(&window);
        auto* ports = ui.child<QComboBox>(QStringLiteral("ComPortsCombo"));
        ports->setCurrentIndex(ports->findData(pty.path()));
        ui.press("Rika");
        ui.press("Rika_Schussabfrage");
        pty.forget();

        const QByteArray r = record("001000", "-00500");
        for (const char c : r) {
            // The next byte goes out as soon as the link has polled once more,
            // watched every millisecond: a byte later than the next poll would
            // leave that poll with nothing new, which ends a record.
            const qsizetype polls = pty.count(char(0x16));
            QDeadlineTimer deadline(5000);
            while (pty.count(char(0x16)) <= polls && !deadline.hasExpired())
                QTest::qWait(1);
            QVERIFY(pty.count(char(0x16)) > polls);
            pty.send(QByteArray(1, c));
        }
        QTRY_COMPARE(ui.list("SchussListe").size(), 1);
        const qsizetype polls = pty.count(char(0x16));
        QTRY_VERIFY(pty.count(char(0x16)) >= polls + 3);
        QCOMPARE(ui.list("SchussListe").size(), 1);
        QVERIFY(m_dialogs.messages().isEmpty());
        // 10 mm right and 5 mm down on the air pistol target: 65 and 33 units.
        QCOMPARE(window.sheet().hits()[0].box.centre(), (PointF{244.0f + 65.0f, 228.0f + 33.0f}));
    }
};

QTEST_MAIN(TestHostile)
#include "tst_hostile.moc"
