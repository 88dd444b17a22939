// The analysis window's logic: series read from several files, their lists,
// the scored shots of one series, the two views, the highlight and what is
// painted.

#include "sheets/analysissheet.h"
#include "support/analysisfiles.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace ankerblick;
using namespace ankerblick::test;
using namespace Qt::StringLiterals;

namespace {

// Per discipline: shot-mark diameter and the one-series shot size.
struct DisciplineRow {
    float markDiameter;
    int barValue;
};
constexpr DisciplineRow kDisciplineTable[] = {
    {30.0f, 15},
    {11.0f, 6},
    {4.4f, 2},
    {19.5f, 10},
};
constexpr int kGewehr = 3;
const PointF kTargetCentre{244.0f, 228.0f};

PointF centreOn(const SeriesRecord& r, int slot, int discipline) {
    const float half = kDisciplineTable[discipline].markDiameter / 2.0f;
    return {float(r.hitLeft[size_t(slot)]) + half, float(r.hitTop[size_t(slot)]) + half};
}

QStringList numbers(int from, int to) {
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << QString::number(i);
    return out;
}

QString timeLine(int series, int shot, const QString& seconds) {
    return QStringLiteral("Serie:%1 Schuss:%2: %3\r\n").arg(series).arg(shot).arg(seconds);
}

// The time texts of file `file` with `series` series: a line for every series,
// the series numbered `by` on. Shot and time tell the file apart.
QString shotTimesOf(int file, int series, int by = 0) {
    QString out;
    for (int s = 1; s <= series; ++s)
        out += timeLine(s + by, file, QStringLiteral("%1,%2").arg(file).arg(s));
    return out;
}
QString shootingTimesOf(int file, int series, int by = 0) {
    QString out;
    for (int s = 1; s <= series; ++s)
        out += timeLine(s + by, 10 - file % 10, QStringLiteral("%1").arg(20 * file + s));
    return out;
}

} // namespace

class TestAnalysisSheet : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_fileNumber = 0;

    // Writes a file and gives its path.
    QString file(const TestFile& f) {
        const QString path = m_dir.filePath(QStringLiteral("f%1.txt").arg(++m_fileNumber));
        if (!writeTestFile(path, f))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    QString file(const QList<SeriesRecord>& series) { return file(TestFile{series, {}, {}, {}}); }

    static AnalysisSheet loaded() {
        AnalysisSheet s(QLocale(QLocale::German, QLocale::Germany));
        s.load();
        return s;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void startsOnTheRifleTargetWithBothShotSizes() {
        const AnalysisSheet s = loaded();
        QCOMPARE(s.face().discipline(), kGewehr);
        QCOMPARE(s.allSeriesSize(), AnalysisSheet::kStartAllSeriesSize);
        // The rifle routine sets the one-series size after the start value.
        QCOMPARE(s.seriesSize(), kDisciplineTable[kGewehr].barValue);
        QCOMPARE(s.view(), AnalysisView::OneSeries);
        QCOMPARE(s.seriesCount(), 0);
        QCOMPARE(s.selectedSeries(), 0);
        QVERIFY(s.shotList().isEmpty());
        QVERIFY(s.shotCentres().isEmpty());
        QCOMPARE(s.sums().whole, QStringLiteral("0"));
        QCOMPARE(s.sums().tenths, QStringLiteral("0"));
    }

    // Steps: "L<n>" loads a file of n series blocks, "A<n>" attaches one, "N" is Neu.
    void seriesListFollowsTheFiles_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("listed");
        QTest::newRow("two, then three attached") << QStringList{u"L2"_s, u"A3"_s} << 5;
        QTest::newRow("a single block") << QStringList{u"L1"_s} << 1;
        QTest::newRow("loading again starts over") << QStringList{u"L2"_s, u"L3"_s} << 3;
        QTest::newRow("attached to nothing") << QStringList{u"A2"_s} << 2;
        QTest::newRow("attached three times") << QStringList{u"A1"_s, u"A1"_s, u"A4"_s} << 6;
        QTest::newRow("after Neu") << QStringList{u"L4"_s, u"N"_s, u"A1"_s} << 1;
        QTest::newRow("load after attach") << QStringList{u"A3"_s, u"L1"_s, u"A1"_s} << 2;
    }
    void seriesListFollowsTheFiles() {
        QFETCH(QStringList, steps);
        QFETCH(int, listed);
        AnalysisSheet s = loaded();
        QList<SeriesRecord> expected; // what the store must hold as series 1..n
        int fileIndex = 0;
        for (const QString& step : steps) {
            if (step == u"N") {
                s.newSession();
                expected.clear();
                continue;
            }
            // Every file's series differ from those of every other file.
            QList<SeriesRecord> series;
            for (int i = 0; i < step.mid(1).toInt(); ++i)
                series << testSeries(i, {(i + fileIndex) % 10, 9 - fileIndex % 10});
            ++fileIndex;
            if (step.startsWith(u'L')) {
                QCOMPARE(s.loadFile(file(series)), std::nullopt);
                expected = series;
            } else {
                QCOMPARE(s.attachFile(file(series)), std::nullopt);
                expected += series;
            }
        }
        QCOMPARE(s.seriesList(), numbers(1, listed));
        QCOMPARE(s.selectedSeries(), listed);
        QCOMPARE(int(expected.size()), listed);
        for (int n = 1; n <= listed; ++n)
            QCOMPARE(s.store()[n], expected.at(n - 1));
    }

    // A series shows the shots of its filled slots only, scored with the
    // marks of the discipline placed at the stored left and top. Shot n
    // stands at left 191 + 9n, top 257 - 7n; its mark centre lies r units
    // from the target centre (244, 228) and scores 109 - (r - a) / w tenths,
    // rounded, at most 109: a the centre allowance, w the tenth width.
    void oneSeriesListsScoresAndSums_data() {
        QTest::addColumn<QList<int>>("filled");
        QTest::addColumn<int>("discipline");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("whole");
        QTest::addColumn<QString>("tenths");
        QTest::addColumn<QString>("comments");
        // Rifle, w 2,79, a 0, mark 19,5: shot 2 centred at (218,75; 252,75),
        // r 35,36 -> 96,33 tenths -> 9,6; shot 5 r 4,14 -> 107,52 -> 10,8.
        QTest::newRow("slots 1, 2, 5")
            << QList<int>{0, 1, 4} << kGewehr << QStringList{u"9,2"_s, u"9,6"_s, u"10,8"_s}
            << u"28"_s << u"29,6"_s << QString();
        // A match's sighting series is listed but never summed; a shot after
        // the time counts 0.
        QTest::newRow("sighting series")
            << QList<int>{0, 1, 4} << kGewehr << QStringList{u"9,2"_s, u"9,6"_s, u"10,8"_s}
            << u"0"_s << u"0"_s << u"Serie: 2 Schuss: 0: Probe\r\n"_s;
        QTest::newRow("shot after the time")
            << QList<int>{0, 1, 4} << kGewehr << QStringList{u"9,2"_s, u"0"_s, u"10,8"_s} << u"19"_s
            << u"20"_s << u"Serie: 2 Schuss: 2: nach Zeit\r\n"_s;
        QTest::newRow("all ten") << allSlots() << kGewehr
                                 << QStringList{u"9,2"_s,  u"9,6"_s,  u"10"_s,   u"10,4"_s,
                                                u"10,8"_s, u"10,5"_s, u"10,1"_s, u"9,7"_s,
                                                u"9,3"_s,  u"8,9"_s}
                                 << u"94"_s << u"98,5"_s << QString();
        // Shot 10 r 56,23 -> 109 - 20,15 = 88,85 tenths -> 8,9.
        QTest::newRow("only the last")
            << QList<int>{9} << kGewehr << QStringList{u"8,9"_s} << u"8"_s << u"8,9"_s << QString();
        QTest::newRow("none") << QList<int>{} << kGewehr << QStringList{} << u"0"_s << u"0"_s
                              << QString();
        // Air pistol, w 5,3, a 2, mark 30: shot 3 r 25,50 -> 104,57 tenths -> 10,5.
        QTest::newRow("air pistol, gaps") << QList<int>{2, 3, 7, 8} << 0
                                          << QStringList{u"10,5"_s, u"10,6"_s, u"10,3"_s, u"10,1"_s}
                                          << u"40"_s << u"41,5"_s << QString();
        // Free pistol, w 4,9, a 7, mark 11: shot 1 r 47,31 -> 100,77 tenths -> 10,1.
        QTest::newRow("free pistol") << QList<int>{0, 5} << 1 << QStringList{u"10,1"_s, u"10,8"_s}
                                     << u"20"_s << u"20,9"_s << QString();
        // Rapid fire, w 3,136, a 10, mark 4,4: shot 5 r 6,93, inside the
        // allowance -> 109,98 tenths, kept at 10,9.
        QTest::newRow("rapid fire")
            << allSlots() << 2 << QStringList{u"9,7"_s,  u"10"_s,   u"10,4"_s, u"10,7"_s, u"10,9"_s,
                                              u"10,9"_s, u"10,5"_s, u"10,2"_s, u"9,8"_s,  u"9,5"_s}
            << u"97"_s << u"102,6"_s << QString();
    }
    void oneSeriesListsScoresAndSums() {
        QFETCH(QList<int>, filled);
        QFETCH(int, discipline);
        QFETCH(QStringList, values);
        // The series in the middle of the file, around the target centre.
        SeriesRecord r;
        for (int slot : filled) {
            r.hitLeft[size_t(slot)] = qint16(200 + 9 * slot);
            r.hitTop[size_t(slot)] = qint16(250 - 7 * slot);
        }
        AnalysisSheet s = loaded();
        s.setDiscipline(discipline);
        QFETCH(QString, comments);
        QCOMPARE(s.loadFile(
                     file(TestFile{{testSeries(0, {1}), r, testSeries(2, {3})}, comments, {}, {}})),
                 std::nullopt);
        s.selectSeries(2);

        QStringList shots;
        for (int slot : filled)
            shots << QString::number(slot + 1);
        QCOMPARE(s.shotList(), shots);
        QCOMPARE(s.valueList(), values);
        QTEST(s.sums().whole, "whole");
        QTEST(s.sums().tenths, "tenths");
        QCOMPARE(s.caption(), QStringLiteral("Schuss: 10"));
        QCOMPARE(s.view(), AnalysisView::OneSeries);
        // Painted: the filled slots only, none at the corner of the window.
        QList<PointF> centres;
        for (int slot : filled)
            centres << centreOn(r, slot, discipline);
        QCOMPARE(s.shotCentres(), centres);
        QCOMPARE(s.paintRadius(), kDisciplineTable[discipline].barValue);
    }

    // Inner tens over all series leave out sighting series and shots after
    // the time. Rifle (392 / 112,4 units a millimetre, mark 19,5): the
    // series above have inner tens, within 2,5 + 2,8 mm = 18,49 units of the
    // centre, in slots 4 (r 12,97), 5 (r 4,14) and 6 (r 11,23) only.
    void allInnerTensFollowTheMatchMarks() {
        const auto series = [](const QList<int>& filled) {
            SeriesRecord r;
            for (int slot : filled) {
                r.hitLeft[size_t(slot)] = qint16(200 + 9 * slot);
                r.hitTop[size_t(slot)] = qint16(250 - 7 * slot);
            }
            return r;
        };
        AnalysisSheet s = loaded();
        s.setDiscipline(kGewehr);
        const QString comments =
            u"Serie: 1 Schuss: 0: Probe\r\nSerie: 2 Schuss: 5: nach Zeit\r\n"_s;
        QCOMPARE(s.loadFile(file(TestFile{
                     {series({3, 4}), series({3, 4, 5}), series({0, 5})}, comments, {}, {}})),
                 std::nullopt);
        s.selectSeries(2);
        QCOMPARE(s.innerTens(), 2);
        // None of the sighting series, two of series 2, one of series 3.
        QCOMPARE(s.allInnerTens(), 3);
    }

    // Steps as above; each file carries its own comments and time texts, the
    // time lines naming the file's own series 1..n.
    void timeTextsFollowOneAnother_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QList<int>>("timesOf");     // files whose time texts remain
        QTest::addColumn<QList<int>>("listedAfter"); // series listed before each of them
        QTest::addColumn<QList<int>>("commentsOf");  // files whose comments remain
        QTest::newRow("loaded twice: the second replaces the first")
            << QStringList{u"L1"_s, u"L2"_s} << QList<int>{2} << QList<int>{0} << QList<int>{2};
        QTest::newRow("loaded, attached") << QStringList{u"L2"_s, u"A1"_s} << QList<int>{1, 2}
                                          << QList<int>{0, 2} << QList<int>{1, 2};
        QTest::newRow("attached three times")
            << QStringList{u"A1"_s, u"A2"_s, u"A3"_s} << QList<int>{1, 2, 3} << QList<int>{0, 1, 3}
            << QList<int>{1, 2, 3};
        QTest::newRow("Neu empties") << QStringList{u"L1"_s, u"A1"_s, u"N"_s} << QList<int>{}
                                     << QList<int>{} << QList<int>{};
        QTest::newRow("attached after a second load")
            << QStringList{u"L3"_s, u"A1"_s, u"L2"_s, u"A2"_s} << QList<int>{3, 4}
            << QList<int>{0, 2} << QList<int>{3, 4};
        QTest::newRow("loaded after Neu") << QStringList{u"L1"_s, u"N"_s, u"L2"_s, u"A3"_s, u"L1"_s}
                                          << QList<int>{4} << QList<int>{0} << QList<int>{4};
    }
    void timeTextsFollowOneAnother() {
        QFETCH(QStringList, steps);
        QFETCH(QList<int>, timesOf);
        QFETCH(QList<int>, listedAfter);
        QFETCH(QList<int>, commentsOf);
        const auto comment = [](int f) {
            return QStringLiteral("Datei %1 gut\r\n\r\n").arg(f);
        };

        AnalysisSheet s = loaded();
        QList<int> seriesOf{0}; // series of file f at index f
        for (const QString& step : steps) {
            if (step == u"N") {
                s.newSession();
                continue;
            }
            const int f = int(seriesOf.size());
            const int n = step.mid(1).toInt();
            seriesOf << n;
            const QString path =
                file(TestFile{fullSeries(n), comment(f), shotTimesOf(f, n), shootingTimesOf(f, n)});
            QCOMPARE(step.startsWith(u'L') ? s.loadFile(path) : s.attachFile(path), std::nullopt);
        }
        QString expectShot, expectShooting, expectComments;
        for (qsizetype i = 0; i < timesOf.size(); ++i) {
            const int f = timesOf[i];
            expectShot += shotTimesOf(f, seriesOf[f], listedAfter[i]);
            expectShooting += shootingTimesOf(f, seriesOf[f], listedAfter[i]);
        }
        for (int i : commentsOf)
            expectComments += comment(i);
        QCOMPARE(s.shotTimes(), expectShot);
        QCOMPARE(s.shootingTimes(), expectShooting);
        QCOMPARE(s.comments(), expectComments);
    }

    // Every time line of an attached file names the series it is listed as,
    // so its time goes with that series' shot; other lines are kept as read.
    void attachedTimeLinesNameTheListedSeries_data() {
        QTest::addColumn<QString>("times");   // of the attached file, behind 3 series
        QTest::addColumn<QString>("shifted"); // as the sheet holds them
        QTest::newRow("each series of the file")
            << u"Serie:1 Schuss:7: 8,4\r\nSerie:2 Schuss:1: 12\r\n"_s
            << u"Serie:4 Schuss:7: 8,4\r\nSerie:5 Schuss:1: 12\r\n"_s;
        QTest::newRow("series beyond the file's own")
            << u"Serie:7 Schuss:2: 3,3\r\n"_s << u"Serie:10 Schuss:2: 3,3\r\n"_s;
        QTest::newRow("no time lines among them")
            << u"\r\nSerie:1 Schuss:2: 4\r\nohne Zeit\r\nSerie:x Schuss:3: 5\r\n"
               u"Serie:0 Schuss:1: 1\r\nSerie:2 Schuss:4 kein Doppelpunkt\r\n"_s
            << u"\r\nSerie:4 Schuss:2: 4\r\nohne Zeit\r\nSerie:x Schuss:3: 5\r\n"
               u"Serie:0 Schuss:1: 1\r\nSerie:2 Schuss:4 kein Doppelpunkt\r\n"_s;
        QTest::newRow("none") << QString() << QString();
    }
    void attachedTimeLinesNameTheListedSeries() {
        QFETCH(QString, times);
        QFETCH(QString, shifted);
        const QString first = u"Serie:1 Schuss:1: 5\r\nSerie:3 Schuss:2: 6\r\n"_s;
        AnalysisSheet s = loaded();
        QCOMPARE(s.loadFile(file(TestFile{fullSeries(3), {}, first, first})), std::nullopt);
        QCOMPARE(s.attachFile(file(TestFile{fullSeries(2), {}, times, times})), std::nullopt);
        QCOMPARE(s.shotTimes(), first + shifted);
        QCOMPARE(s.shootingTimes(), first + shifted);
    }

    // Dropped files: each file's lines are raised by the series of the files
    // before it.
    void droppedFilesTimeLinesFollowTheirSeries() {
        AnalysisSheet s = loaded();
        QCOMPARE(s.loadFile(file(TestFile{fullSeries(1), {}, timeLine(1, 1, u"1"_s), {}})),
                 std::nullopt);
        const QString one = timeLine(1, 2, u"2"_s) + timeLine(2, 3, u"3"_s);
        const QString two = timeLine(1, 4, u"4"_s);
        const QStringList paths{file(TestFile{fullSeries(2), {}, one, {}}),
                                file(TestFile{fullSeries(3), {}, two, {}})};
        QCOMPARE(s.attachFiles(paths), std::nullopt);
        QCOMPARE(s.seriesCount(), 6);
        QCOMPARE(s.shotTimes(), timeLine(1, 1, u"1"_s) + timeLine(2, 2, u"2"_s) +
                                    timeLine(3, 3, u"3"_s) + timeLine(4, 4, u"4"_s));
    }

    void neuEmptiesEverything() {
        AnalysisSheet s = loaded();
        QCOMPARE(s.loadFile(file(fullSeries(3))), std::nullopt);
        s.showAllSeries();
        s.chooseShot(4);
        s.newSession();
        QCOMPARE(s.seriesCount(), 0);
        QCOMPARE(s.store().count(), 1);
        QCOMPARE(s.store()[1], SeriesRecord{});
        QVERIFY(s.shotList().isEmpty());
        QVERIFY(s.shotCentres().isEmpty());
        QCOMPARE(s.highlightedCentre(), std::nullopt);
        QCOMPARE(s.caption(), QStringLiteral("Schuss: 0"));
        QCOMPARE(s.sums().tenths, QStringLiteral("0"));
        // A file attached now begins at series 1 again.
        QCOMPARE(s.attachFile(file(fullSeries(1))), std::nullopt);
        QCOMPARE(s.seriesList(), numbers(1, 1));
    }

    void allSeriesListsEverySlotOfEverySeries_data() {
        QTest::addColumn<int>("series");
        QTest::newRow("one") << 1;
        QTest::newRow("three") << 3;
        QTest::newRow("twelve") << 12;
    }
    void allSeriesListsEverySlotOfEverySeries() {
        QFETCH(int, series);
        // Every series has gaps of its own.
        QList<SeriesRecord> records;
        QList<PointF> centres;
        for (int i = 0; i < series; ++i) {
            const QList<int> filled{i % 10, (i + 3) % 10, 9};
            records << testSeries(i, filled);
            for (int slot = 0; slot < 10; ++slot)
                if (records.last().hasShot(slot))
                    centres << centreOn(records.last(), slot, kGewehr);
        }
        AnalysisSheet s = loaded();
        QCOMPARE(s.loadFile(file(records)), std::nullopt);
        s.setAllSeriesSize(7);
        s.showAllSeries();
        QCOMPARE(s.view(), AnalysisView::AllSeries);
        QCOMPARE(s.shotList(), numbers(1, series * 10));
        QCOMPARE(s.caption(), QStringLiteral("Schuss: %1").arg(series * 10));
        QVERIFY(s.valueList().isEmpty());
        QCOMPARE(s.sums().whole, QStringLiteral("0"));
        QCOMPARE(s.shotCentres(), centres);
        QCOMPARE(s.paintRadius(), 7);
        // Back to one series: its own size again.
        s.selectSeries(1);
        QCOMPARE(s.paintRadius(), kDisciplineTable[kGewehr].barValue);
        QCOMPARE(s.shotCentres().size(), 3);
    }

    // The highlighted shot is the one the chosen row names.
    void highlightFallsOnTheNamedShot_data() {
        QTest::addColumn<bool>("allSeries");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("series"); // 0: nothing highlighted
        QTest::addColumn<int>("slot");
        // Series 1: slots 1, 2, 5 hold shots; series 2 full; series 3 slots 4 and 10.
        QTest::newRow("third listed shot is slot 5") << false << 1 << 2 << 1 << 4;
        QTest::newRow("first listed shot") << false << 1 << 0 << 1 << 0;
        QTest::newRow("full series") << false << 2 << 7 << 2 << 7;
        QTest::newRow("last of a gapped series") << false << 3 << 1 << 3 << 9;
        QTest::newRow("row beyond the list") << false << 1 << 3 << 0 << 0;
        QTest::newRow("all series, second series") << true << 3 << 13 << 2 << 3;
        QTest::newRow("all series, first row") << true << 2 << 0 << 1 << 0;
        QTest::newRow("all series, last row") << true << 1 << 29 << 3 << 9;
        QTest::newRow("all series, empty slot") << true << 1 << 2 << 0 << 0;
        QTest::newRow("all series, beyond") << true << 1 << 30 << 0 << 0;
    }
    void highlightFallsOnTheNamedShot() {
        QFETCH(bool, allSeries);
        QFETCH(int, selected);
        QFETCH(int, row);
        QFETCH(int, series);
        QFETCH(int, slot);
        const QList<SeriesRecord> records{testSeries(0, {0, 1, 4}), testSeries(1, allSlots()),
                                          testSeries(2, {3, 9})};
        AnalysisSheet s = loaded();
        QCOMPARE(s.loadFile(file(records)), std::nullopt);
        s.selectSeries(selected);
        if (allSeries)
            s.showAllSeries();
        // Another shot first: choosing moves the highlight, it never adds one.
        s.chooseShot(1);
        s.chooseShot(row);
        if (series == 0) {
            QCOMPARE(s.highlightedCentre(), std::nullopt);
            return;
        }
        QCOMPARE(s.shotOfRow(row), (AnalysisSheet::ShotRef{series, slot}));
        QCOMPARE(s.highlightedCentre(), centreOn(records.at(series - 1), slot, kGewehr));
        // Showing a series anew clears the highlight with its list.
        s.selectSeries(selected);
        QCOMPARE(s.highlightedCentre(), std::nullopt);
    }

    // Shots 1, 3, 5, 7, 9 at left 225 + 5n, top 218 - 3n, scored as above.
    void disciplineRescoresAndResizes_data() {
        QTest::addColumn<int>("discipline");
        QTest::addColumn<QStringList>("values");
        // Shot 1 centred at (245; 230), r 2,24, 0,24 beyond the allowance
        // -> 108,96 tenths -> 10,9.
        QTest::newRow("0") << 0
                           << QStringList{u"10,9"_s, u"10,7"_s, u"10,5"_s, u"10,3"_s, u"10,1"_s};
        // Shot 1 centred at (235,5; 220,5), r 11,34 -> 109 - 4,34 / 4,9 = 108,11 tenths.
        QTest::newRow("1") << 1
                           << QStringList{u"10,8"_s, u"10,8"_s, u"10,6"_s, u"10,4"_s, u"10,1"_s};
        // Shot 9 centred at (272,2; 193,2), r 44,79 -> 109 - 34,79 / 3,136 = 97,91 tenths.
        QTest::newRow("2") << 2
                           << QStringList{u"10,7"_s, u"10,7"_s, u"10,4"_s, u"10,1"_s, u"9,8"_s};
        QTest::newRow("3") << 3 << QStringList{};
    }
    void disciplineRescoresAndResizes() {
        QFETCH(int, discipline);
        QFETCH(QStringList, values);
        SeriesRecord r;
        for (int slot = 0; slot < 10; slot += 2) {
            r.hitLeft[size_t(slot)] = qint16(230 + 5 * slot);
            r.hitTop[size_t(slot)] = qint16(215 - 3 * slot);
        }
        AnalysisSheet s = loaded();
        QCOMPARE(s.loadFile(file({r, testSeries(1, {2})})), std::nullopt);
        s.selectSeries(1);
        s.setSeriesSize(33);
        s.showAllSeries();
        const bool changed = s.setDiscipline(discipline);
        QCOMPARE(changed, discipline != kGewehr);
        if (!changed) {
            // The discipline already shown: nothing runs.
            QCOMPARE(s.view(), AnalysisView::AllSeries);
            QCOMPARE(s.seriesSize(), 33);
            return;
        }
        QCOMPARE(s.face().discipline(), discipline);
        QCOMPARE(s.seriesSize(), kDisciplineTable[discipline].barValue);
        QCOMPARE(s.allSeriesSize(), AnalysisSheet::kStartAllSeriesSize);
        // The selected series is shown again, rescored with the new marks.
        QCOMPARE(s.view(), AnalysisView::OneSeries);
        QList<PointF> centres;
        for (int slot = 0; slot < 10; slot += 2)
            centres << centreOn(r, slot, discipline);
        QCOMPARE(s.valueList(), values);
        QCOMPARE(s.shotCentres(), centres);
        QCOMPARE(s.paintRadius(), kDisciplineTable[discipline].barValue);
    }

    // A file that breaks off is reported; what it gave before stays and is listed.
    void aFailedReadKeepsWhatWasRead_data() {
        QTest::addColumn<bool>("attach");
        QTest::addColumn<QByteArray>("tail"); // appended after two full series
        QTest::addColumn<int>("listed");      // series listed after the read
        QTest::newRow("load, slot broken off") << false << QByteArray("201\r\n199\r\n") << 3;
        QTest::newRow("load, word in a slot") << false << QByteArray("1\r\n2\r\nzwei\r\n") << 3;
        QTest::newRow("attach, value too large") << true << QByteArray("40000\r\n") << 4;
    }
    void aFailedReadKeepsWhatWasRead() {
        QFETCH(bool, attach);
        QFETCH(QByteArray, tail);
        QFETCH(int, listed);
        AnalysisSheet s = loaded();
        QCOMPARE(s.loadFile(file(fullSeries(1))), std::nullopt);
        const QString path = m_dir.filePath(QStringLiteral("broken%1.txt").arg(++m_fileNumber));
        QByteArray bytes = testFileBytes(TestFile{fullSeries(2), {}, {}, {}});
        bytes.truncate(bytes.indexOf("$Kommentare$"));
        QVERIFY(writeTestFile(path, bytes + tail));

        const auto error = attach ? s.attachFile(path) : s.loadFile(path);
        QVERIFY(error);
        QCOMPARE(*error, *readSeriesFile(path, s.locale()).error);
        QCOMPARE(s.seriesList(), numbers(1, listed));
        QCOMPARE(s.selectedSeries(), listed);
        const int firstOfFile = attach ? 2 : 1;
        QCOMPARE(s.store()[firstOfFile], fullSeries(2).at(0));
        QCOMPARE(s.store()[firstOfFile + 1], fullSeries(2).at(1));
        // A file attached next continues after everything listed.
        QCOMPARE(s.attachFile(file(fullSeries(1))), std::nullopt);
        QCOMPARE(s.seriesCount(), listed + 1);
    }

    // A file that cannot be read at all leaves the loaded series in place.
    void anUnreadableFileChangesNothing_data() {
        QTest::addColumn<bool>("attach");
        QTest::newRow("load") << false;
        QTest::newRow("attach") << true;
    }
    void anUnreadableFileChangesNothing() {
        QFETCH(bool, attach);
        AnalysisSheet s = loaded();
        QCOMPARE(
            s.loadFile(file(TestFile{fullSeries(2), u"gut\r\n"_s, timeLine(1, 1, u"8,2"_s), {}})),
            std::nullopt);
        const QString missing = m_dir.filePath(QStringLiteral("fehlt.txt"));
        const auto error = attach ? s.attachFile(missing) : s.loadFile(missing);
        QVERIFY(error);
        QVERIFY(error->contains(QStringLiteral("fehlt.txt")));
        QCOMPARE(s.seriesList(), numbers(1, 2));
        QCOMPARE(s.selectedSeries(), 2);
        QCOMPARE(s.comments(), u"gut\r\n"_s);
        QCOMPARE(s.shotTimes(), timeLine(1, 1, u"8,2"_s));
    }

    // Several files in order; the first failure ends the row of files.
    void filesAreAttachedInOrder_data() {
        QTest::addColumn<QList<int>>("blocks"); // series per file; 0: a file that is missing
        QTest::addColumn<int>("listed");
        QTest::addColumn<bool>("failed");
        QTest::newRow("two files") << QList<int>{2, 3} << 5 << false;
        QTest::newRow("three files") << QList<int>{1, 1, 2} << 4 << false;
        QTest::newRow("first missing") << QList<int>{0, 3} << 0 << true;
        QTest::newRow("second missing") << QList<int>{2, 0, 3} << 2 << true;
    }
    void filesAreAttachedInOrder() {
        QFETCH(QList<int>, blocks);
        QFETCH(int, listed);
        QFETCH(bool, failed);
        QStringList paths;
        QList<SeriesRecord> expected;
        for (int n : blocks) {
            if (n == 0) {
                paths << m_dir.filePath(QStringLiteral("fehlt.txt"));
                continue;
            }
            QList<SeriesRecord> series;
            for (int i = 0; i < n; ++i)
                series << testSeries(i, {int(paths.size()) % 10});
            paths << file(series);
            expected += series;
        }
        AnalysisSheet s = loaded();
        QCOMPARE(bool(s.attachFiles(paths)), failed);
        QCOMPARE(s.seriesList(), numbers(1, listed));
        for (int n = 1; n <= listed; ++n)
            QCOMPARE(s.store()[n], expected.at(n - 1));
    }
};

QTEST_GUILESS_MAIN(TestAnalysisSheet)
#include "tst_analysissheet.moc"
