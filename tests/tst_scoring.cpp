#include "model/numeric.h"
#include "model/scoring.h"
#include "model/targetface.h"
#include "sheets/seriesscore.h"

#include <QLocale>
#include <QTest>

using namespace ankerblick;
using namespace Qt::StringLiterals;

namespace {
ScoringParams paramsOf(int discipline) {
    TargetFace face;
    face.apply(discipline);
    return face.scoring();
}
} // namespace

class TestScoring : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void disciplineEdges_data() {
        QTest::addColumn<int>("discipline");
        QTest::addColumn<int>("callTenths");
        QTest::newRow("LP") << 0 << 109;
        QTest::newRow("FP-SP-100m") << 1 << 110;
        QTest::newRow("OSP-SP") << 2 << 112;
        QTest::newRow("Gewehr 50m") << 3 << 109;
    }
    void disciplineEdges() {
        QFETCH(int, discipline);
        QFETCH(int, callTenths);
        TargetFace face;
        QVERIFY(face.apply(discipline));
        const PointF c = face.centre();
        QCOMPARE(int(tryCallValue(c, c, face.scoring()).value().tenths), callTenths);
        QCOMPARE(tryHitValue(c, c, face.scoring()), 10.9);
        QCOMPARE(num::formatNumber(tryHitValue(c, c, face.scoring()).value()),
                 QStringLiteral("10,9"));

        // Half a tenth beyond the allowance the unrounded value is 108.5 exactly.
        const ScoringParams& p = face.scoring();
        const double d = double(p.centreAllowance) + 0.5 * double(p.tenthWidth);
        const RingValue r = tryRingValueAtDistance(d, p).value();
        QCOMPARE(int(r.tenths), 108);
        QCOMPARE(r.value, 10.8);
    }

    void ringValue_data() {
        QTest::addColumn<int>("discipline");
        QTest::addColumn<double>("distance");
        QTest::addColumn<int>("tenths");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("hit");
        QTest::newRow("Gewehr 27.9") << 3 << 27.9 << 99 << 9.9 << 9.9;
        QTest::newRow("Gewehr last ring") << 3 << double(2.79f) * 99 << 10 << 1.0 << 1.0;
        QTest::newRow("Gewehr outside") << 3 << double(2.79f) * 100 << 9 << 0.9 << 0.0;
        QTest::newRow("LP far away") << 0 << 1000.0 << -79 << -7.9 << 0.0;
        QTest::newRow("FP centre") << 1 << 0.0 << 110 << 11.0 << 10.9;
    }
    void ringValue() {
        QFETCH(int, discipline);
        QFETCH(double, distance);
        QFETCH(int, tenths);
        QFETCH(double, value);
        QFETCH(double, hit);
        const RingValue r = tryRingValueAtDistance(distance, paramsOf(discipline)).value();
        QCOMPARE(int(r.tenths), tenths);
        QCOMPARE(r.value, value);
        QCOMPARE(limitHitValue(r.value), hit);
    }

    // The decimal faces from the distance in mm: 10 + (R10 + d/2 - r) / w
    // worked by hand, cut to tenths.
    void decimalRule_data() {
        QTest::addColumn<int>("discipline");
        QTest::addColumn<double>("mm");
        QTest::addColumn<int>("tenths");
        QTest::addColumn<double>("hit");
        QTest::newRow("LG centre") << 4 << 0.0 << 110 << 10.9;
        QTest::newRow("LG 0,25") << 4 << 0.25 << 109 << 10.9;
        QTest::newRow("LG 2,25") << 4 << 2.25 << 101 << 10.1;
        QTest::newRow("LG 2,50") << 4 << 2.50 << 100 << 10.0;
        QTest::newRow("LG 2,51") << 4 << 2.51 << 99 << 9.9;
        QTest::newRow("LG 5,00") << 4 << 5.0 << 90 << 9.0;
        QTest::newRow("LG ring 1 line") << 4 << 25.0 << 10 << 1.0;
        QTest::newRow("LG just outside") << 4 << 25.01 << 9 << 0.0;
        QTest::newRow("300m centre") << 5 << 0.0 << 110 << 10.9;
        QTest::newRow("300m 29") << 5 << 29.0 << 105 << 10.5;
        QTest::newRow("300m 54") << 5 << 54.0 << 100 << 10.0;
        QTest::newRow("300m 104") << 5 << 104.0 << 90 << 9.0;
        QTest::newRow("300m 104,5") << 5 << 104.5 << 89 << 8.9;
        QTest::newRow("300m ring 1 line") << 5 << 504.0 << 10 << 1.0;
        QTest::newRow("300m outside") << 5 << 505.0 << 9 << 0.0;
    }
    void decimalRule() {
        QFETCH(int, discipline);
        QFETCH(double, mm);
        QFETCH(int, tenths);
        QFETCH(double, hit);
        TargetFace face;
        QVERIFY(face.apply(discipline));
        const RingValue r = tryRingValueAtDistance(mm * face.scale(), face.scoring()).value();
        QCOMPARE(int(r.tenths), tenths);
        // The same from a mark centre, in single precision as the window places it.
        const PointF c = face.centre();
        const PointF at{c.x, c.y - float(mm * face.scale())};
        QCOMPARE(tryHitValue(at, c, face.scoring()), hit);
    }

    void absurdDistanceOverflows() {
        QVERIFY(!tryRingValueAtDistance(1e6, paramsOf(0)));
        QVERIFY(!tryHitValue({1e6f, 0.0f}, {0.0f, 0.0f}, paramsOf(0)));
    }

    void wholeRings_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        QTest::newRow("9.7") << 9.7 << 9.0;
        QTest::newRow("10.9") << 10.9 << 10.0;
        QTest::newRow("0") << 0.0 << 0.0;
        QTest::newRow("10.0") << 10.0 << 10.0;
        QTest::newRow("1.0") << 1.0 << 1.0;
    }
    void wholeRings() {
        QFETCH(double, value);
        QFETCH(double, expected);
        // Exact: the sums show up to 15 digits, so a near miss would be visible.
        QVERIFY2(ankerblick::wholeRings(value) == expected,
                 qPrintable(num::formatNumber(ankerblick::wholeRings(value), QLocale::c())));
    }

    void seriesSums() {
        SeriesSums s;
        for (double v : {10.9, 9.7, 0.0})
            s.add(v);
        QCOMPARE(s.texts().whole, QStringLiteral("19"));
        QCOMPARE(s.texts().tenths, QStringLiteral("20,6"));
        s.subtract(0.0);
        s.subtract(9.7);
        QCOMPARE(s.texts().whole, QStringLiteral("10"));
        QCOMPARE(s.texts().tenths, QStringLiteral("10,9"));
        s.subtract(10.9);
        QCOMPARE(s.texts().whole, QStringLiteral("0"));
        QCOMPARE(s.texts().tenths, QStringLiteral("0"));
    }

    void seriesSumsReadTheirText() {
        SeriesSums s;
        s.whole = RunningSum(5);
        s.tenths = RunningSum(5.5);
        s.add(9.7);
        QCOMPARE(s.texts().whole, QStringLiteral("14"));
        QCOMPARE(s.texts().tenths, QStringLiteral("15,2"));
    }

    // Each step of a running sum ends where reading its box, adding and
    // writing the box again ends, which can differ from a plain double sum.
    void runningSumSteps_data() {
        QTest::addColumn<QList<double>>("added");
        QTest::addColumn<QList<double>>("subtracted");
        QTest::addColumn<QString>("expected");
        const double third = 1.0 / 3.0;
        QTest::newRow("thirds") << QList<double>{third, third, third} << QList<double>{}
                                << QStringLiteral("0,999999999999999");
        QTest::newRow("added and taken back")
            << QList<double>{0.1, 0.2} << QList<double>{0.1, 0.2} << QStringLiteral("0");
        QTest::newRow("ten times 10,9")
            << QList<double>(10, 10.9) << QList<double>{} << QStringLiteral("109");
        QTest::newRow("below zero")
            << QList<double>{} << QList<double>{9.7} << QStringLiteral("-9,7");
        QTest::newRow("beyond fifteen digits")
            << QList<double>{1e20, 1.5, 123456.789} << QList<double>{} << QStringLiteral("1E+20");
        QTest::newRow("tiny") << QList<double>{1e-300, 2.5e-301} << QList<double>{}
                              << QStringLiteral("1,25E-300");
        // 100000 + 2^-10 lies exactly halfway at the fifteenth digit: the box
        // rounds it away from zero, not to the even ...562.
        QTest::newRow("halfway") << QList<double>{100000.0009765625} << QList<double>{}
                                 << QStringLiteral("100000,000976563");
        QTest::newRow("halfway below zero") << QList<double>{} << QList<double>{100000.0009765625}
                                            << QStringLiteral("-100000,000976563");
    }
    void runningSumSteps() {
        QFETCH(QList<double>, added);
        QFETCH(QList<double>, subtracted);
        QFETCH(QString, expected);
        RunningSum sum;
        QString box = QStringLiteral("0");
        const QLocale locale;
        const auto step = [&](double v) {
            box = num::formatNumber(num::numberOrZero(box, locale) + v, locale);
        };
        for (double v : added) {
            sum.add(v);
            step(v);
        }
        for (double v : subtracted) {
            sum.subtract(v);
            step(-v);
        }
        QCOMPARE(sum.text(locale), box);
        QCOMPARE(sum.text(locale), expected);
        QCOMPARE(num::numberOrZero(box, locale), sum.value());
    }

    // 1e-6 vanishes next to 244 in single precision, but not in double.
    void centreDistanceSinglePrecision() {
        QCOMPARE(centreDistance({1e-6f, 228.0f}, {244.0f, 228.0f}), 244.0);
        QCOMPARE(centreDistance({274.0f, 268.0f}, {244.0f, 228.0f}), 50.0);
    }

    // A stored series lists one value per placed shot, gaps skipped; the mark
    // of the face's size sits at the stored left and top.
    void storedSeriesValues() {
        SeriesRecord r;
        r.hitLeft[0] = 229; // centre (244, 228) on "LP"
        r.hitTop[0] = 213;
        r.hitLeft[1] = 269; // 40 units right: 10,2
        r.hitTop[1] = 213;
        r.hitLeft[4] = 1; // in the corner of the card: 5,1
        r.hitTop[4] = 1;
        // Left and top 0 is an empty slot (6); a mark left of the design area
        // on the outer rings is a shot: centre (-105, 228), 349 units out,
        // 109 - 347 / 5,3 = 43,5 -> 4,4.
        r.hitLeft[7] = -120;
        r.hitTop[7] = 213;
        TargetFace face;
        face.apply(0);
        QCOMPARE(scoreSeries(r, face, {}).values(), (QList<double>{10.9, 10.2, 5.1, 4.4}));
        // On the rifle target the same left and top lie elsewhere (smaller mark).
        face.apply(3);
        QCOMPARE(scoreSeries(r, face, {}).values().first(), 10.6);
    }

    // One series scored by a match's rules, on "LP" (centre 244, 228; mark
    // 30; tenth 5,3 units, allowance 2; 392 / 59,5 units a millimetre). A shot
    // dx units right of the centre scores 109 - (dx - 2) / 5,3 tenths,
    // rounded, at most 109: 0 -> 10,9; 30 -> 10,4; 32 -> 10,3; 40 -> 10,2;
    // 100 -> 9,1. It is an inner ten up to 2,5 + 2,25 mm = 31,3 units out:
    // 30 is, 32 is not. -1: an empty slot.
    void scoresSeries_data() {
        QTest::addColumn<QList<int>>("dx");
        QTest::addColumn<QStringList>("comments");
        QTest::addColumn<int>("length");
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<double>("whole");
        QTest::addColumn<double>("tenths");
        QTest::addColumn<int>("innerTens");
        QTest::addColumn<int>("counted");
        const QList<int> three{0, 30, 32};
        QTest::newRow("three shots about the inner ten's edge")
            << three << QStringList{} << 10 << QList<double>{10.9, 10.4, 10.3} << 30.0 << 31.6 << 2
            << 3;
        QTest::newRow("gaps are passed over")
            << QList<int>{0, -1, 40, -1, 100} << QStringList{} << 10
            << QList<double>{10.9, 10.2, 9.1} << 29.0 << 30.2 << 1 << 3;
        QTest::newRow("a shot after the time counts 0 and is no inner ten")
            << three << QStringList{u"Serie: 1 Schuss: 2: nach Zeit"_s} << 10
            << QList<double>{10.9, 0.0, 10.3} << 20.0 << 21.2 << 1 << 3;
        QTest::newRow("a sighting series is listed, never summed")
            << three << QStringList{u"Serie: 1 Schuss: 0: Probe"_s} << 10
            << QList<double>{10.9, 10.4, 10.3} << 0.0 << 0.0 << 0 << 0;
        QTest::newRow("marks of another series change nothing")
            << three
            << QStringList{u"Serie: 2 Schuss: 0: Probe"_s, u"Serie: 2 Schuss: 1: nach Zeit"_s} << 10
            << QList<double>{10.9, 10.4, 10.3} << 30.0 << 31.6 << 2 << 3;
        QTest::newRow("a typed comment of a mark's text is no mark")
            << three
            << QStringList{u"Serie: 1 Schuss: 0:  Probe"_s, u"Serie: 1 Schuss: 2:  nach Zeit"_s}
            << 10 << QList<double>{10.9, 10.4, 10.3} << 30.0 << 31.6 << 2 << 3;
        QTest::newRow("a mark continued on a second line is a comment")
            << three << QStringList{u"Serie: 1 Schuss: 2: nach Zeit"_s, u"gewesen"_s} << 10
            << QList<double>{10.9, 10.4, 10.3} << 30.0 << 31.6 << 2 << 3;
        QTest::newRow("the program's line is no sighting mark")
            << three << QStringList{u"Serie: 1 Schuss: 0: Wettkampf: LG 60"_s} << 10
            << QList<double>{10.9, 10.4, 10.3} << 30.0 << 31.6 << 2 << 3;
        QTest::newRow("a series of five leaves the sixth slot out")
            << QList<int>{0, 30, 32, 40, 100, 0} << QStringList{} << 5
            << QList<double>{10.9, 10.4, 10.3, 10.2, 9.1} << 49.0 << 50.9 << 2 << 5;
        QTest::newRow("no shot") << QList<int>{} << QStringList{} << 10 << QList<double>{} << 0.0
                                 << 0.0 << 0 << 0;
    }
    void scoresSeries() {
        QFETCH(QList<int>, dx);
        QFETCH(QStringList, comments);
        QFETCH(int, length);
        QFETCH(QList<double>, values);
        SeriesRecord r;
        for (int slot = 0; slot < int(dx.size()); ++slot)
            if (dx[slot] >= 0) {
                r.hitLeft[size_t(slot)] = qint16(229 + dx[slot]);
                r.hitTop[size_t(slot)] = 213;
            }
        TargetFace face;
        face.apply(int(Discipline::LP));
        QString text;
        for (const QString& line : comments)
            text += line + u"\r\n"_s;
        const QList<ShotNote> notes = commentsFromText(text);
        const SeriesScore score = scoreSeries(r, face, SeriesRules::of(notes, 1, length));
        QCOMPARE(score.values(), values);
        QTEST(score.sums.whole.value(), "whole");
        QTEST(score.sums.tenths.value(), "tenths");
        QTEST(score.innerTens, "innerTens");
        QTEST(score.counted, "counted");
        QVERIFY(!score.unscorable);
        // The value/time graph reads the same values by list entry (the
        // window lists every placed slot).
        if (length < kShotsPerSeries)
            return;
        SeriesStore store;
        store[1] = r;
        for (int entry = 0; entry <= int(values.size()); ++entry)
            QCOMPARE(listedShotValue(store, 1, face, SeriesRulesBook(notes).of(1), 1, entry),
                     entry < values.size() ? std::optional<double>(values[entry]) : std::nullopt);
    }
};

QTEST_APPLESS_MAIN(TestScoring)
#include "tst_scoring.moc"
