#include "files/seriesfile.h"
#include "files/shotimport.h"
#include "files/windows1252.h"
#include "model/targetface.h"
#include "support/fulldisk.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace ankerblick;
using ankerblick::test::FullDisk;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(SeriesFileStyle)

namespace {

const QString kDataDir = QStringLiteral(ANKERBLICK_TEST_DATA);

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool putFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Values of one slot in the file's order: X1, X2, Y1, Y2, hit left, hit top, call left, call top.
void setSlot(SeriesRecord& r, int slot, std::array<qint16, 8> v) {
    const auto s = size_t(slot);
    r.lineX1[s] = v[0], r.lineX2[s] = v[1], r.lineY1[s] = v[2], r.lineY2[s] = v[3];
    r.hitLeft[s] = v[4], r.hitTop[s] = v[5], r.callLeft[s] = v[6], r.callTop[s] = v[7];
}
QList<int> slotValues(const SeriesRecord& r, int slot) {
    const auto s = size_t(slot);
    return {r.lineX1[s],  r.lineX2[s], r.lineY1[s],   r.lineY2[s],
            r.hitLeft[s], r.hitTop[s], r.callLeft[s], r.callTop[s]};
}

// The content of the hand-written files in tests/data.
SeriesFileContent goldenContent() {
    SeriesFileContent c;
    c.series.resize(2);
    setSlot(c.series[0], 0, {100, 120, 90, 95, 113, 88, 93, 83});
    setSlot(c.series[0], 1, {-4, 244, 7, 228, 237, 221, -11, 0});
    setSlot(c.series[0], 9, {32767, -32768, 1, 2, 300, 301, 302, 303});
    setSlot(c.series[1], 0, {1, 2, 3, 4, 5, 6, 7, 8});
    c.comments = u"Serie: 1 Schuss: 1: Müller: Abzug „gerissen“ – 5 € Wette, Grüße\r\n"
                 u"Serie: 1 Schuss: 2: \r\n"_s;
    c.shotTimes = u"Serie:1 Schuss:1: 8,4\r\n"_s;
    c.shootingTimes = u"Serie:1 Schuss:1: 12\r\nSerie:1 Schuss:2: 7,5\r\n"_s;
    return c;
}

// Many series and long sections with characters of two UTF-16 units (which
// the file holds as '?') at every distance from one another.
SeriesFileContent largeContent() {
    SeriesFileContent c;
    c.series.resize(3000);
    for (int n = 0; n < 3000; ++n)
        for (int slot = 0; slot < 10; ++slot) {
            const auto v = qint16(n * 37 + slot * 1013 - 20000);
            setSlot(c.series[n], slot, {v, qint16(-v), 5, 999, 1000, v, 0, -1});
        }
    for (int i = 0; i < 120000; ++i)
        c.comments += QString(i % 7, u'x') + u"😀 ä€\r\n"_s;
    c.shotTimes = c.comments;
    c.shootingTimes = u"Serie:1 Schuss:1: 8,4\r\n"_s;
    return c;
}

// What the shot-entry window keeps of a series: hits only.
QList<SeriesRecord> hitsOnly(QList<SeriesRecord> series) {
    for (SeriesRecord& r : series)
        r.callLeft = r.callTop = r.lineX1 = r.lineY1 = r.lineX2 = r.lineY2 = {};
    return series;
}

QByteArray slotLines(int first) {
    QByteArray b;
    for (int i = 0; i < 8; ++i)
        b += QByteArray::number(first + i) + "\r\n";
    return b;
}

} // namespace

class TestSeriesFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Shot files of other systems, written here from their documented
    // formats: each string as "name|face|date:" and its shots as
    // "x,y,value,inner ten,sighter"; or the line that stops the import.
    // A shot is "x,y,value,inner ten,sighter" and "@time" where the file
    // dates it; a plain CSV is read by the columns given as
    // "x,y,time,value,sighter".
    void readsOtherSystemsShotFiles_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("columns"); // empty: told apart by its lines
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("strings");
        QTest::addColumn<int>("problemLine"); // -1: read whole
        QTest::addColumn<int>("discipline");  // of the first string's face; -1: none
        const QByteArray markerHead = "Date:,Dec 3 2026\r\nString:,Practice 1\r\nTarget:,LP10\r\n"
                                      "Face:,ISSF 10m Air Pistol\r\n"
                                      ",time,tags,id,score,temp C,x mm,y mm,v fps,yaw deg, pitch "
                                      "deg,quality,xy_err\r\n";
        const QByteArray markerRows = ",10:02:11,sighter,1,9,21,3.25,-4.10,560,0.1,0.2,98,0.3\r\n"
                                      ",10:03:40,,2,X,21,0.40,0.55,561,0.1,0.2,97,0.2\r\n"
                                      ",10:05:02,,3,8,21,-7.00,12.5\r\n"; // ragged
        const QString marker1 = u"Practice 1|ISSF 10m Air Pistol|Dec 3 2026: "
                                "3.25,-4.1,9,0,1@2026-12-03T10:02:11; "
                                "0.4,0.55,10,1,0@2026-12-03T10:03:40; "
                                "-7,12.5,8,0,0@2026-12-03T10:05:02"_s;
        const int shotMarker = int(ShotFileKind::ShotMarker);
        const int lp = int(Discipline::LP);
        QTest::newRow("ShotMarker, a block with a sighter, an X and a ragged row")
            << markerHead + markerRows << QString() << shotMarker << QStringList{marker1} << -1
            << lp;
        QTest::newRow("ShotMarker, two blocks")
            << markerHead + markerRows + "\r\nDate:,Dec 4 2026\r\nString:,Match\r\n" +
                   ",time,tags,id,score,temp C,x mm,y mm\r\n,11:00:00,sighter/warm,1,10,21,1,2\r\n"
            << QString() << shotMarker
            << QStringList{marker1, u"Match||Dec 4 2026: 1,2,10,0,1@2026-12-04T11:00:00"_s} << -1
            << lp;
        QTest::newRow("ShotMarker, a row without its y")
            << markerHead + ",10:02:11,,1,9,21,3.25,abc\r\n"
            << QString() << shotMarker << QStringList{} << 6 << -1;
        const QByteArray scanHead = "Shot Number,Scan Number,Score,x,y\n";
        const int phone = int(ShotFileKind::PhoneScan);
        QTest::newRow("phone scan")
            << scanHead + "1,1,10.4,-1.2,2.5\n2,1,10*,0.1,0.2\n3,1,9.7,4.0,-3.3\n"
            << QString() << phone
            << QStringList{u"||: -1.2,2.5,10.4,0,0; 0.1,0.2,10,1,0; 4,-3.3,9.7,0,0"_s} << -1 << -1;
        QTest::newRow("phone scan, its header alone")
            << scanHead << QString() << phone << QStringList{} << 0 << -1;
        QTest::newRow("phone scan, an empty x") << scanHead + "1,1,10.4,-1.2,2.5\n4,1,9.1,,2\n"
                                                << QString() << phone << QStringList{} << 3 << -1;
        const int range = int(ShotFileKind::RangeJson);
        QTest::newRow("range results")
            << QByteArray("[{\"number\":1,\"value\":10,\"fineValue\":104,\"x\":1.5,\"y\":-2.0,"
                          "\"at\":\"2026-12-03T10:02:11+01:00\"},"
                          "{\"number\":2,\"value\":9,\"x\":-3,\"y\":4.5}]")
            << QString() << range
            << QStringList{u"||: 1.5,-2,10.4,0,0@2026-12-03T10:02:11+01:00; -3,4.5,9,0,0"_s} << -1
            << -1;
        QTest::newRow("range results, a position that is a text")
            << QByteArray("{\"shots\":[{\"number\":1,\"x\":1,\"y\":2},{\"number\":2,\"x\":\"1\","
                          "\"y\":2}]}")
            << QString() << range << QStringList{} << 2 << -1;
        QTest::newRow("no shot file") << QByteArray("Serie: 1\r\nhallo\r\n") << QString()
                                      << int(ShotFileKind::Unknown) << QStringList{} << 0 << -1;
        const int plain = int(ShotFileKind::PlainCsv);
        QTest::newRow("plain CSV with semicolons and decimal commas, columns in its own order")
            << QByteArray("Zeit;Wert;Probe;X (mm);Y (mm)\r\n"
                          "2026-12-05T09:00:00;9,8;ja;-1,5;2,25\r\n"
                          "2026-12-05T09:01:30;10*;;0,1;-0,2\r\n\r\n"
                          "2026-12-05T09:02:00;X;nein;3;4\r\n")
            << u"3,4,0,1,2"_s << plain
            << QStringList{u"||: -1.5,2.25,9.8,0,1@2026-12-05T09:00:00; "
                           "0.1,-0.2,10,1,0@2026-12-05T09:01:30; 3,4,10,1,0@2026-12-05T09:02:00"_s}
            << -1 << -1;
        QTest::newRow("plain CSV with commas, x and y only, a y that is no number")
            << QByteArray("x,y\n1.5,2\n3,drei\n") << u"0,1,-1,-1,-1"_s << plain << QStringList{}
            << 3 << -1;
    }
    void readsOtherSystemsShotFiles() {
        QFETCH(QByteArray, file);
        QFETCH(QString, columns);
        QFETCH(int, problemLine);
        QList<int> c;
        for (const QString& n : columns.split(u',', Qt::SkipEmptyParts))
            c << n.toInt();
        const ShotFile read =
            c.isEmpty() ? readShotFile(file) : readPlainCsv(file, {c[0], c[1], c[2], c[3], c[4]});
        QTEST(int(read.kind), "kind");
        QStringList strings;
        for (const ImportedString& s : read.strings) {
            QStringList shots;
            for (const ImportedShot& shot : s.shots)
                shots << u"%1,%2,%3,%4,%5%6"_s.arg(shot.xMm)
                             .arg(shot.yMm)
                             .arg(shot.value ? QString::number(*shot.value) : u"-"_s)
                             .arg(int(shot.innerTen))
                             .arg(int(shot.sighter))
                             .arg(shot.at ? u'@' + shot.at->toString(Qt::ISODate) : QString());
            strings << u"%1|%2|%3: %4"_s.arg(s.name, s.face, s.date, shots.join(u"; "_s));
        }
        // All or nothing: a file with a line that cannot be read gives no shot.
        QCOMPARE(read.problemLine.value_or(-1), problemLine);
        QCOMPARE(read.problem.isEmpty(), problemLine < 0);
        if (problemLine > 0)
            QVERIFY2(read.problem.contains(QString::number(problemLine)), qPrintable(read.problem));
        QTEST(problemLine < 0 ? strings : QStringList{}, "strings");
        if (problemLine >= 0)
            QVERIFY(read.strings.isEmpty());
        const QString face = read.strings.isEmpty() ? QString() : read.strings.first().face;
        QTEST(disciplineOfFace(face).value_or(-1), "discipline");
    }

    // Faces as other systems name them, and the program's own captions.
    void knowsTheFacesByTheirNames_data() {
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("discipline");
        const QList<std::pair<QString, Discipline>> faces{
            {u"ISSF 10m Air Rifle"_s, Discipline::LG10m},
            {u"Luftgewehr"_s, Discipline::LG10m},
            {u"LG 10m"_s, Discipline::LG10m},
            {u"ISSF 50m Rifle"_s, Discipline::Gewehr50m},
            {u"ISSF 300m Rifle"_s, Discipline::Gewehr300m},
            {u"ISSF 10m Air Pistol"_s, Discipline::LP},
            {u"lp"_s, Discipline::LP},
            {u"ISSF 25m Rapid Fire Pistol"_s, Discipline::OspSp},
            {u"ISSF 25m Precision / 50m Pistol"_s, Discipline::FpSp100m},
            {u"FP-SP-100m"_s, Discipline::FpSp100m},
        };
        for (const auto& [face, discipline] : faces)
            QTest::newRow(qPrintable(face)) << face << int(discipline);
        QTest::newRow("NRA SR") << u"NRA SR"_s << -1;
        QTest::newRow("none") << QString() << -1;
    }
    void knowsTheFacesByTheirNames() {
        QFETCH(QString, face);
        QTEST(disciplineOfFace(face).value_or(-1), "discipline");
    }

    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void goldenBytes_data() {
        QTest::addColumn<SeriesFileStyle>("style");
        QTest::addColumn<QString>("golden");
        QTest::newRow("main window") << SeriesFileStyle::MainWindow << u"series-mainwindow.txt"_s;
        QTest::newRow("shot entry") << SeriesFileStyle::ShotEntry << u"series-shotentry.txt"_s;
    }
    void goldenBytes() {
        QFETCH(SeriesFileStyle, style);
        QFETCH(QString, golden);
        const QByteArray expected = fileBytes(kDataDir + u'/' + golden);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(encodeSeriesFile(goldenContent(), style), expected);

        QTemporaryDir dir;
        const QString path = dir.filePath(u"Müller.txt"_s);
        QVERIFY(putFile(path, "eine alte, längere Datei, die ganz ersetzt wird\r\n"));
        const std::optional<QString> error = writeSeriesFile(path, goldenContent(), style);
        QVERIFY2(!error, qPrintable(error.value_or(QString())));
        QCOMPARE(fileBytes(path), expected);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"Müller.txt"_s});
    }

    // Reading the hand-written files, then saving and loading again: every
    // round adds the writer's extra line ends to each section.
    void roundTrip_data() {
        QTest::addColumn<QString>("golden");
        QTest::addColumn<SeriesFileStyle>("style");
        QTest::addColumn<QString>("addedBefore");
        QTest::newRow("main window")
            << u"series-mainwindow.txt"_s << SeriesFileStyle::MainWindow << QString();
        QTest::newRow("shot entry")
            << u"series-shotentry.txt"_s << SeriesFileStyle::ShotEntry << u"\r\n"_s;
    }
    void roundTrip() {
        QFETCH(QString, golden);
        QFETCH(SeriesFileStyle, style);
        QFETCH(QString, addedBefore);
        const SeriesFileContent original = goldenContent();
        const QList<SeriesRecord> expectedSeries =
            style == SeriesFileStyle::ShotEntry ? hitsOnly(original.series) : original.series;

        SeriesFileReadResult r = readSeriesFile(kDataDir + u'/' + golden);
        for (int round = 1; round <= 3; ++round) {
            QVERIFY2(!r.error, qPrintable(r.error.value_or(QString())));
            QCOMPARE(r.content.series, expectedSeries);
            const QString before = addedBefore.repeated(round);
            const QString after = u"\r\n"_s.repeated(round);
            QCOMPARE(r.content.comments, before + original.comments + after);
            QCOMPARE(r.content.shotTimes, before + original.shotTimes + after);
            QCOMPARE(r.content.shootingTimes, before + original.shootingTimes + after);
            r = parseSeriesFile(encodeSeriesFile(r.content, style));
        }
    }

    void parse_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("seriesCount");
        QTest::addColumn<QList<int>>("firstSlot");
        QTest::addColumn<QString>("comments");
        QTest::addColumn<QString>("shotTimes");
        QTest::addColumn<int>("errorLine");
        const QList<int> zeros(8, 0);
        const QList<int> oneToEight{1, 2, 3, 4, 5, 6, 7, 8};
        // Nothing of a series file: no series, so a window keeps what it shows.
        QTest::newRow("empty file") << QByteArray() << 0 << zeros << QString() << QString() << 0;
        QTest::newRow("text only") << QByteArray("Liebe Erika,\r\nbis Montag\r\n") << 0 << zeros
                                   << QString() << QString() << 0;
        QTest::newRow("lines before the first marker dropped")
            << QByteArray("Kopf\r\n\r\n$Kommentare$\r\nA\r\n") << 1 << zeros << u"A\r\n"_s
            << QString() << 0;
        QTest::newRow("empty lines are text") << QByteArray("$Schusszeiten$\r\n\r\nx\r\n\r\n") << 1
                                              << zeros << QString() << u"\r\nx\r\n\r\n"_s << 0;
        QTest::newRow("bare LF, last line without end")
            << QByteArray("$Kommentare$\na\r\nb") << 1 << zeros << u"a\r\nb\r\n"_s << QString()
            << 0;
        QTest::newRow("markers switch back")
            << QByteArray("$Kommentare$\r\na\r\n$Schusszeiten$\r\nb\r\n$Kommentare$\r\nc\r\n") << 1
            << zeros << u"a\r\nc\r\n"_s << u"b\r\n"_s << 0;
        QTest::newRow("marker with a trailing blank is text")
            << QByteArray("$Kommentare$\r\n$Schusszeiten$ \r\n") << 1 << zeros
            << u"$Schusszeiten$ \r\n"_s << QString() << 0;
        QTest::newRow("number line inside a section begins a slot")
            << QByteArray("$Kommentare$\r\na\r\n" + slotLines(1) + "b\r\n") << 1 << oneToEight
            << u"a\r\nb\r\n"_s << QString() << 0;
        QTest::newRow("text after the slots up to a marker")
            << QByteArray(slotLines(1) + "\r\nx\r\n$Kommentare$\r\na\r\n") << 1 << oneToEight
            << u"a\r\n"_s << QString() << 0;
        QTest::newRow("text between two slots is not kept")
            << QByteArray("$Kommentare$\r\na\r\n" + slotLines(1) + "b\r\n" + slotLines(9)) << 1
            << oneToEight << u"a\r\n"_s << QString() << 11;
        QTest::newRow("numbers in the locale, half to even")
            << QByteArray(" 12 \r\n-3\r\n2,5\r\n3,5\r\n+7\r\n-0,5\r\n1,4\r\n32767\r\n") << 1
            << QList<int>{12, -3, 2, 4, 7, 0, 1, 32767} << QString() << QString() << 0;
        QTest::newRow("Windows-1252 text")
            << QByteArray("$Kommentare$\r\nM\xfcller \x84\x80\x93 Stra\xdf"
                          "e\r\n")
            << 1 << zeros << u"Müller „€“ Straße\r\n"_s << QString() << 0;
        QTest::newRow("file ends inside a slot")
            << QByteArray("$Kommentare$\r\nx\r\n1\r\n2\r\n3\r\n4\r\n5") << 1
            << QList<int>{1, 2, 3, 4, 5, 0, 0, 0} << u"x\r\n"_s << QString() << 8;
        QTest::newRow("40000 in a slot")
            << QByteArray(slotLines(9) + "1\r\n2\r\n3\r\n4\r\n40000\r\n6\r\n7\r\n8\r\n") << 1
            << QList<int>{9, 10, 11, 12, 13, 14, 15, 16} << QString() << QString() << 13;
        QTest::newRow("40000 in the first slot")
            << QByteArray("1\r\n2\r\n3\r\n4\r\n40000\r\n6\r\n7\r\n8\r\n") << 0 << QList<int>{}
            << QString() << QString() << 5;
        QTest::newRow("-32769 opening a slot") << QByteArray("$Kommentare$\r\nx\r\n-32769\r\n") << 1
                                               << zeros << u"x\r\n"_s << QString() << 3;
        QTest::newRow("text inside the first slot")
            << QByteArray("1\r\n2\r\n\r\n4\r\n5\r\n6\r\n7\r\n8\r\n") << 0 << QList<int>{}
            << QString() << QString() << 3;
    }
    void parse() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, seriesCount);
        QFETCH(QList<int>, firstSlot);
        QFETCH(QString, comments);
        QFETCH(QString, shotTimes);
        QFETCH(int, errorLine);
        const SeriesFileReadResult r = parseSeriesFile(bytes);
        QCOMPARE(int(r.content.series.size()), seriesCount);
        if (seriesCount > 0)
            QCOMPARE(slotValues(r.content.series.first(), 0), firstSlot);
        QCOMPARE(r.content.comments, comments);
        QCOMPARE(r.content.shotTimes, shotTimes);
        QCOMPARE(r.content.shootingTimes, QString());
        QCOMPARE(r.errorLine, errorLine);
        QCOMPARE(r.error.has_value(), errorLine > 0 || seriesCount == 0);
        if (errorLine > 0)
            QVERIFY2(r.error->startsWith(
                         u"Die Datei konnte ab Zeile %1 nicht gelesen werden: "_s.arg(errorLine)),
                     qPrintable(*r.error));
        else if (seriesCount == 0)
            QVERIFY2(r.error->startsWith(u"Die Datei ist keine Seriendatei: "_s),
                     qPrintable(*r.error));
    }

    // Every eleventh slot begins a new series.
    // A slot holds a shot unless its hit left and top are both 0: marks on
    // the outer rings of the whole face stand left of or above the area.
    void seriesOfTenSlots_data() {
        QTest::addColumn<int>("slotCount");
        QTest::addColumn<int>("firstLeft");
        QTest::addColumn<int>("top");
        QTest::addColumn<QList<int>>("shots");
        QTest::newRow("none") << 0 << 100 << 50 << QList<int>{0};
        QTest::newRow("10") << 10 << 100 << 50 << QList<int>{10};
        QTest::newRow("11") << 11 << 100 << 50 << QList<int>{10, 1};
        QTest::newRow("25") << 25 << 100 << 50 << QList<int>{10, 10, 5};
        QTest::newRow("left of the area") << 10 << -320 << 50 << QList<int>{10};
        QTest::newRow("left 0 and above the area") << 10 << 0 << -30 << QList<int>{10};
        QTest::newRow("left and top 0: the first slot empty") << 1 << 0 << 0 << QList<int>{0};
    }
    void seriesOfTenSlots() {
        QFETCH(int, slotCount);
        QFETCH(int, firstLeft);
        QFETCH(int, top);
        QFETCH(QList<int>, shots);
        QByteArray bytes;
        for (int i = 0; i < slotCount; ++i)
            bytes += "0\r\n0\r\n0\r\n0\r\n" + QByteArray::number(firstLeft + i) + "\r\n" +
                     QByteArray::number(top) + "\r\n0\r\n0\r\n";
        bytes += "$Kommentare$\r\n\r\n";
        const SeriesFileReadResult r = parseSeriesFile(bytes);
        QVERIFY(!r.error);
        QCOMPARE(r.content.series.size(), shots.size());
        for (int s = 0; s < shots.size(); ++s) {
            const SeriesRecord& rec = r.content.series[s];
            QCOMPARE(rec.shotCount(), shots[s]);
            QCOMPARE(rec.isComplete(), shots[s] == 10);
            for (int j = 0; j < shots[s]; ++j)
                QCOMPARE(int(rec.hitLeft[size_t(j)]), firstLeft + s * 10 + j);
        }
    }

    void readFaults_data() {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("seriesCount");
        QTest::newRow("no such file") << QByteArray() << u"Die Datei existiert nicht."_s << 0;
        QTest::newRow("truncated mid-slot")
            << QByteArray("$Kommentare$\r\nx\r\n" + slotLines(1).left(9)) << u"ab Zeile 6 "_s << 1;
        QTest::newRow("40000") << QByteArray(slotLines(1) + "1\r\n40000\r\n") << u"ab Zeile 10 "_s
                               << 1;
        // A shot line lost in the middle of a file: the slots after it are
        // not read one line off.
        const auto seriesLines = [](int lost, const QByteArray& instead) {
            QByteArray b;
            for (int slot = 0; slot < 10; ++slot) {
                const QByteArray lines = slotLines(10 * slot);
                b += slot == lost ? instead + lines.mid(lines.indexOf('\n') + 1) : lines;
            }
            return b;
        };
        const QByteArray whole = seriesLines(-1, {});
        const QByteArray sections = "$Kommentare$\r\n$Schusszeiten$\r\n$Schiesszeiten$\r\n";
        QTest::newRow("empty line for a shot's first line")
            << QByteArray(whole + seriesLines(3, "\r\n") + sections)
            << u"ab Zeile 105 nicht gelesen werden: Erwartet wird eine Zahl, die Zeile ist leer."_s
            << 2;
        QTest::newRow("text for the first line of a series")
            << QByteArray(whole + seriesLines(0, "x0\r\n") + sections)
            << u"ab Zeile 81 nicht gelesen werden: Erwartet wird eine Zahl, die Zeile lautet „x0“."_s
            << 1;
    }
    void readFaults() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QFETCH(int, seriesCount);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Schütze 1.txt"_s);
        if (!bytes.isEmpty())
            QVERIFY(putFile(path, bytes));
        const SeriesFileReadResult r = readSeriesFile(path);
        QVERIFY(r.error);
        QVERIFY2(r.error->contains(u"„"_s + QDir::toNativeSeparators(path) + u"“"_s),
                 qPrintable(*r.error));
        QVERIFY2(r.error->contains(expected), qPrintable(*r.error));
        QCOMPARE(int(r.content.series.size()), seriesCount);
    }

    void writeFaults_data() {
        QTest::addColumn<QString>("where");
        QTest::newRow("parent is a file") << u"file/serie.txt"_s;
        QTest::newRow("folder missing") << u"fehlt/auch/serie.txt"_s;
        QTest::newRow("target is a folder") << u"ordner"_s;
        QTest::newRow("device that cannot be replaced") << u"/dev/full"_s;
        QTest::newRow("file size limit over an existing file") << u"alt.txt"_s;
    }
    void writeFaults() {
        QFETCH(QString, where);
        QTemporaryDir dir;
        QVERIFY(putFile(dir.filePath(u"file"_s), "x"));
        QVERIFY(QDir(dir.path()).mkdir(u"ordner"_s));
        const QByteArray oldBytes = "alte Serie\r\n";
        QVERIFY(putFile(dir.filePath(u"alt.txt"_s), oldBytes));
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
        const QString path = where.startsWith(u'/') ? where : dir.filePath(where);

        std::optional<QString> error;
        if (where == u"alt.txt") {
            const FullDisk full;
            QVERIFY(full.active());
            error = writeSeriesFile(path, goldenContent(), SeriesFileStyle::MainWindow);
        } else {
            error = writeSeriesFile(path, goldenContent(), SeriesFileStyle::MainWindow);
        }
        QVERIFY(error);
        QVERIFY2(error->startsWith(u"Die Datei „%1“ konnte nicht gespeichert werden: "_s.arg(
                     QDir::toNativeSeparators(path))),
                 qPrintable(*error));
        QCOMPARE(fileBytes(dir.filePath(u"alt.txt"_s)), oldBytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
        QVERIFY(QFileInfo(u"/dev/full"_s).exists() && !QFileInfo(u"/dev/full"_s).isFile());
    }

    void windows1252_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("Latin-1 letters")
            << u"äöüÄÖÜßéÿ"_s << QByteArray("\xe4\xf6\xfc\xc4\xd6\xdc\xdf\xe9\xff")
            << u"äöüÄÖÜßéÿ"_s;
        QTest::newRow("euro, quotes, dashes")
            << u"€„“”‚‘’–—…™ŠšŽžŒœŸƒˆ˜†‡‰‹›•"_s
            << QByteArray("\x80\x84\x93\x94\x82\x91\x92\x96\x97\x85\x99\x8a\x9a\x8e\x9e\x8c\x9c"
                          "\x9f\x83\x88\x98\x86\x87\x89\x8b\x9b\x95")
            << u"€„“”‚‘’–—…™ŠšŽžŒœŸƒˆ˜†‡‰‹›•"_s;
        QTest::newRow("free bytes keep their value")
            << u"\u0081\u008d\u008f\u0090\u009d"_s << QByteArray("\x81\x8d\x8f\x90\x9d")
            << u"\u0081\u008d\u008f\u0090\u009d"_s;
        QTest::newRow("not in Windows-1252")
            << u"a✓b\u0080c"_s << QByteArray("a?b?c") << u"a?b?c"_s;
        QTest::newRow("surrogate pair is one character")
            << u"x😀y"_s << QByteArray("x?y") << u"x?y"_s;
        QTest::newRow("lone surrogate")
            << QString(QChar(0xD800)) + u"z"_s << QByteArray("?z") << u"?z"_s;
    }
    void windows1252() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, decoded);
        QCOMPARE(cp1252::encode(text), bytes);
        QCOMPARE(cp1252::decode(bytes), decoded);
    }

    void everyByteRoundTrips() {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = cp1252::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(cp1252::encode(text), all);
    }

    void proposedFileName_data() {
        QTest::addColumn<QString>("shooter");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("expected");
        const QLocale de(QLocale::German, QLocale::Germany);
        QTest::newRow("German date") << u"Müller"_s << de << u"Müller03.05.24.txt"_s;
        QTest::newRow("slashes of the US date")
            << u"Anna"_s << QLocale(QLocale::English, QLocale::UnitedStates) << u"Anna5-3-24.txt"_s;
        QTest::newRow("path in the name") << u"../../etc/x"_s << de << u"..-..-etc-x03.05.24.txt"_s;
        QTest::newRow("characters Windows forbids")
            << u"a\\b:c*d?e\"f<g>h|i\tj\u0001k\u007f"_s << de
            << u"a-b_c_d_e_f_g_h_i_j_k_03.05.24.txt"_s;
    }
    void proposedFileName() {
        QFETCH(QString, shooter);
        QFETCH(QLocale, locale);
        QFETCH(QString, expected);
        const QString name = ankerblick::proposedFileName(shooter, QDate(2024, 5, 3), locale);
        QCOMPARE(name, expected);
        QCOMPARE(QFileInfo(QDir(u"/daten"_s).filePath(name)).absolutePath(), u"/daten"_s);
    }

    // The series of a file go behind those a window already has.
    void placeSeriesBehindLoaded() {
        SeriesStore store;
        store.ensure(2);
        setSlot(store[2], 0, {1, 1, 1, 1, 9, 9, 1, 1});
        const QList<SeriesRecord> read = goldenContent().series;
        QCOMPARE(placeSeries(store, 3, read), 4);
        const QList<SeriesRecord> expected{SeriesRecord{}, store[2], read[0], read[1]};
        QCOMPARE(seriesOfStore(store, 4), expected);
        QCOMPARE(int(store[2].hitLeft[0]), 9);
    }

    // Reading must stay linear in the file size: a file of about 3 MB.
    void largeFile() {
        QByteArray bytes;
        const int slotCount = 20000;
        for (int i = 0; i < slotCount; ++i)
            bytes += slotLines(i % 1000);
        bytes += "$Kommentare$\r\n";
        for (int i = 0; i < 100000; ++i)
            bytes += "Serie: 1 Schuss: 1: ein Kommentar\r\n";
        QElapsedTimer timer;
        timer.start();
        const SeriesFileReadResult r = parseSeriesFile(bytes);
        QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(!r.error);
        QCOMPARE(int(r.content.series.size()), slotCount / 10);
        QCOMPARE(r.content.comments.count(u"\r\n"_s), 100000);
    }

    // A file of some megabytes is written in pieces: the same bytes as in one,
    // a character of two UTF-16 units kept whole wherever a piece ends.
    void largeFileWritten_data() {
        QTest::addColumn<SeriesFileStyle>("style");
        QTest::newRow("main window") << SeriesFileStyle::MainWindow;
        QTest::newRow("shot entry") << SeriesFileStyle::ShotEntry;
    }
    void largeFileWritten() {
        QFETCH(SeriesFileStyle, style);
        const SeriesFileContent content = largeContent();
        QTemporaryDir dir;
        const QString path = dir.filePath(u"gross.txt"_s);
        QCOMPARE(writeSeriesFile(path, content, style), std::nullopt);
        const QByteArray bytes = fileBytes(path);
        QCOMPARE(bytes.size(), encodeSeriesFile(content, style).size());
        QVERIFY(bytes == encodeSeriesFile(content, style));
        // One '?' for each of the 120,000 characters in each of two sections.
        QCOMPARE(bytes.count('?'), 2 * 120000);
    }

    // Disk full early in a large file: the count of all its bytes in the message.
    void largeFileOnAFullDisk() {
        const SeriesFileContent content = largeContent();
        QTemporaryDir dir;
        const QString path = dir.filePath(u"voll.txt"_s);
        std::optional<QString> error;
        {
            const FullDisk full;
            QVERIFY(full.active());
            error = writeSeriesFile(path, content, SeriesFileStyle::MainWindow);
        }
        QVERIFY(error);
        const qsizetype size = encodeSeriesFile(content, SeriesFileStyle::MainWindow).size();
        QVERIFY2(error->contains(
                     u"(nur 100 von %1 Bytes geschrieben; ist der Datenträger voll?)"_s.arg(size)),
                 qPrintable(*error));
        QVERIFY(!QFileInfo::exists(path));
    }
};

QTEST_APPLESS_MAIN(TestSeriesFile)
#include "tst_seriesfile.moc"
