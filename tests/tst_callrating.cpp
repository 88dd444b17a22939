#include "model/numeric.h"
#include "model/targetface.h"
#include "sheets/aimsheet.h"
#include "sheets/callfigures.h"
#include "sheets/callfinding.h"
#include "sheets/callingtraining.h"
#include "sheets/callrating.h"
#include "sheets/calltrend.h"
#include "support/fakeclock.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <numbers>
#include <random>

using namespace ankerblick;
using namespace Qt::StringLiterals;

namespace {
constexpr PointF kCentre{244.0f, 228.0f};

// A point at the given direction (degrees, counter-clockwise from the right) and radius.
PointF polar(double degrees, double radius) {
    const double r = degrees * std::numbers::pi / 180.0;
    return {float(244.0 + radius * std::cos(r)), float(228.0 - radius * std::sin(r))};
}

} // namespace

class TestCallRating : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void directionAngle_data() {
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::addColumn<double>("expected");
        QTest::newRow("right is 360") << 300.0f << 228.0f << 360.0;
        QTest::newRow("above") << 244.0f << 100.0f << 90.0;
        QTest::newRow("left") << 200.0f << 228.0f << 180.0;
        QTest::newRow("below") << 244.0f << 300.0f << 270.0;
        QTest::newRow("on the centre") << 244.0f << 228.0f << 270.0;
        QTest::newRow("up-right") << 300.0f << 172.0f << 45.0;
        QTest::newRow("down-right") << 300.0f << 284.0f << 315.0;
        QTest::newRow("up-left") << 188.0f << 172.0f << 135.0;
    }
    void directionAngle() {
        QFETCH(float, x);
        QFETCH(float, y);
        QFETCH(double, expected);
        const double a = ankerblick::directionAngle({x, y}, kCentre);
        QVERIFY2(std::abs(a - expected) < 1e-4, QByteArray::number(a, 'g', 12).constData());
    }

    void angleDifference_data() {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<double>("expected");
        QTest::newRow("350 to 10") << 350.0 << 10.0 << 20.0;
        QTest::newRow("10 to 350") << 10.0 << 350.0 << 20.0;
        QTest::newRow("opposite") << 0.0 << 180.0 << 180.0;
        QTest::newRow("360 to 90") << 360.0 << 90.0 << 90.0;
    }
    void angleDifference() {
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(double, expected);
        QCOMPARE(ankerblick::angleDifference(a, b), expected);
    }

    void rateCall_data() {
        QTest::addColumn<double>("callAngle");
        QTest::addColumn<double>("hitAngle");
        QTest::addColumn<double>("callValue");
        QTest::addColumn<double>("hitValue");
        QTest::addColumn<double>("length");
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("multiplier");
        QTest::addColumn<int>("precision");
        QTest::addColumn<QList<int>>("expected"); // k, score, millimetres, SekMM
        const double lp = 6.5882;
        QTest::newRow("same ray, within 1 ring")
            << 53.13 << 53.13 << 10.2 << 9.5 << 5 * lp << lp << 8 << 1 << QList<int>{0, 10, 5, 5};
        QTest::newRow("same ray, not within half a ring")
            << 53.13 << 53.13 << 10.2 << 9.5 << 5 * lp << lp << 8 << 2 << QList<int>{0, 5, 5, 5};
        QTest::newRow("100 degrees apart")
            << 10.0 << 110.0 << 8.3 << 8.0 << 7 * lp << lp << 8 << 1 << QList<int>{2, 0, 7, 63};
        QTest::newRow("both above 10.4, opposite")
            << 0.0 << 180.0 << 10.6 << 10.9 << 1 * lp << lp << 8 << 1 << QList<int>{0, 10, 1, 1};
        QTest::newRow("350 and 10, four sectors")
            << 350.0 << 10.0 << 8.0 << 8.0 << 3 * lp << lp << 8 << 1 << QList<int>{0, 10, 3, 3};
        QTest::newRow("350 and 10, eight sectors")
            << 350.0 << 10.0 << 8.0 << 8.0 << 3 * lp << lp << 16 << 1 << QList<int>{0, 10, 3, 3};
        QTest::newRow("30 apart, eight sectors")
            << 350.0 << 20.0 << 8.0 << 8.0 << 3 * lp << lp << 16 << 1 << QList<int>{1, 0, 3, 12};
        QTest::newRow("2.5 mm to even")
            << 90.0 << 90.0 << 9.0 << 9.0 << lp * 2.5 << lp << 8 << 1 << QList<int>{0, 10, 2, 2};
        QTest::newRow("3.5 mm to even")
            << 90.0 << 90.0 << 9.0 << 9.0 << lp * 3.5 << lp << 8 << 1 << QList<int>{0, 10, 4, 4};
        QTest::newRow("sekMm beyond 16 bits") << 0.0 << 180.0 << 5.0 << 5.0 << 500 * 0.784 << 0.784
                                              << 16 << 1 << QList<int>{8, 0, 500, 40500};
    }
    void rateCall() {
        QFETCH(double, callAngle);
        QFETCH(double, hitAngle);
        QFETCH(double, callValue);
        QFETCH(double, hitValue);
        QFETCH(double, length);
        QFETCH(double, scale);
        QFETCH(int, multiplier);
        QFETCH(int, precision);
        QFETCH(QList<int>, expected);
        const RatingOptions options{qint16(multiplier), precision};
        const CallRating r = tryRateCall(polar(callAngle, 60), polar(hitAngle, 40), kCentre,
                                         hitValue, callValue, length, scale, options)
                                 .value();
        QCOMPARE((QList<int>{r.sectorDeviation, r.callScore, r.millimetres, r.sekMm}), expected);
    }

    void millimetreOverflow() {
        QVERIFY(
            !tryRateCall(polar(0, 10), polar(0, 20), kCentre, 9, 9, 40000.0, 1.0, RatingOptions{}));
    }

    void ratingFigures() {
        RatingFigures f;
        f.append(CallRating{0, 10, 4, 4});
        f.append(CallRating{0, 5, 9, 9});
        QCOMPARE(f.texts().total, QStringLiteral("15"));
        QCOMPARE(f.texts().mean, QStringLiteral("6,5"));
        f.appendUnrated();                 // a hit without a call: its own row, in no figure
        f.append(CallRating{2, 0, 3, 27}); // a miss by two sectors: SekMM 27, no points
        QCOMPARE(f.texts().total, QStringLiteral("15"));
        QCOMPARE(f.texts().mean, QStringLiteral("13,33"));
        QCOMPARE(f.texts().scores, QStringList({u"10"_s, u"5"_s, u"–"_s, u"0"_s}));
        QCOMPARE(f.texts().sekMm, QStringList({u"4"_s, u"9"_s, u"–"_s, u"27"_s}));
        f.clear();
        QCOMPARE(f.texts().total, QStringLiteral("0"));
        QCOMPARE(f.texts().mean, QStringLiteral("0"));
        QVERIFY(f.sekMm.isEmpty());
    }

    // A call released where the series record cannot hold it is not taken,
    // and the release says so.
    void releaseBeyondTheRecord_data() {
        QTest::addColumn<float>("x");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("caption");
        QTest::newRow("on the target") << 300.0f << true << u"Schuss: 1!"_s;
        QTest::newRow("beyond the 16-bit range") << 40000.0f << false << u"Schuss: 1?"_s;
    }
    void releaseBeyondTheRecord() {
        QFETCH(float, x);
        QFETCH(bool, taken);
        QFETCH(QString, caption);
        test::FakeClock clock;
        AimSheet sheet(clock);
        sheet.load();
        sheet.mouseMove(x, 200.0f);
        sheet.mousePress(MouseButton::Left);
        QCOMPARE(sheet.mouseRelease(MouseButton::Left, x, 200.0f), taken);
        QCOMPARE(sheet.caption(), caption);
        QCOMPARE(sheet.store()[1].callLeft[0] != 0, taken);
        QVERIFY(!sheet.unscorableSlot());
    }

    // The figures of the calls, worked by hand. A shot is "call x,y > hit
    // x,y : call value, hit value" (mm; "-" for a shot without a call);
    // expected: "shots in-call spread offset-x offset-y clock uncertainty
    // steady | call sum, hit sum, lost in the hold, lost at the break,
    // correlation (- for none), values within 0,5".
    void callFigures_data() {
        QTest::addColumn<int>("discipline");
        QTest::addColumn<QStringList>("shots");
        QTest::addColumn<QString>("expected");
        // e = (4,0), (0,10), (0,-4), (0,0): within 8 mm three; mean (1, 1.5),
        // squares about it 11.25 + 73.25 + 31.25 + 3.25 = 119: spread
        // sqrt(119/4) = 5.454, uncertainty sqrt(119/12) = 3.149 > |mean| / 2.
        // Values: lost in the hold 0 + 0 + 0.3 + 1.1, at the break 0.5 + 1.2 +
        // 0.3 + 0; r = 0.2 / sqrt(0.81 * 0.37) = 0.365; 0.5, 0.3, 0 agree.
        QTest::newRow("LP, calls poor and good, no steady offset")
            << int(Discipline::LP)
            << QStringList{u"0,0>4,0:10.9,10.4"_s, u"0,0>0,10:10.9,9.7"_s, u"3,0>3,-4:10.6,10.3"_s,
                           u"0,-9>0,-9:9.8,9.8"_s, u"-"_s}
            << u"4 3 5.454 1.000 1.500 1 3.149 0 | 42.2 40.2 1.4 2.0 0.365 3"_s;
        // e = (2,1), (2,-1), (3,0), (1,0): mean (2,0) at 3 o'clock; squares 4:
        // spread 1, uncertainty sqrt(4/12) = 0.577, and 2 > 2 * 0.577.
        QTest::newRow("LP, a steady offset to the right")
            << int(Discipline::LP)
            << QStringList{u"0,0>2,1:10.9,10.6"_s, u"0,0>2,-1:10.9,10.6"_s, u"0,0>3,0:10.9,10.5"_s,
                           u"0,0>1,0:10.9,10.8"_s}
            << u"4 4 1.000 2.000 0.000 3 0.577 1 | 43.6 42.5 0.0 1.1 - 4"_s;
        // On LG 10m w = 2.5 mm: 2.5 off is in the call, 2.6 off is not. Two
        // shots: deviations (±1.25, ∓1.3), spread = uncertainty = sqrt(3.2525)
        // = 1.803; no correlation, no steady offset.
        QTest::newRow("LG 10m, the ring width as the edge")
            << int(Discipline::LG10m)
            << QStringList{u"0,0>2.5,0:10.9,9.9"_s, u"0,0>0,2.6:10.9,9.8"_s}
            << u"2 1 1.803 1.250 1.300 1 1.803 0 | 21.8 19.7 0.0 2.1 - 0"_s;
        QTest::newRow("no call") << int(Discipline::LP) << QStringList{u"-"_s}
                                 << u"0 0 0.000 0.000 0.000 0 0.000 0 | 0.0 0.0 0.0 0.0 - 0"_s;
    }
    void callFigures() {
        QFETCH(int, discipline);
        QFETCH(QStringList, shots);
        QList<diary::Shot> read;
        for (const QString& text : shots) {
            diary::Shot s;
            if (text != u"-"_s) {
                const QStringList parts = text.split(QRegularExpression(u"[,>:]"_s));
                s.call = group::PointMm{parts[0].toDouble(), parts[1].toDouble()};
                s.hit = {parts[2].toDouble(), parts[3].toDouble()};
                s.callValue = parts[4].toDouble();
                s.value = parts[5].toDouble();
            }
            read << s;
        }
        const calls::CallFigures f = calls::callFigures(read, discipline);
        const auto n = [](double v, int decimals) {
            return QString::number(v, 'f', decimals);
        };
        const QString got =
            u"%1 %2 %3 %4 %5 %6 %7 %8 | %9 %10 %11 %12 %13 %14"_s.arg(f.shots)
                .arg(f.inCall)
                .arg(n(f.spreadMm, 3), n(f.offset.x, 3), n(f.offset.y, 3))
                .arg(f.offsetClock)
                .arg(n(f.offsetUncertaintyMm, 3))
                .arg(int(f.steadyOffset))
                .arg(n(f.callSum, 1), n(f.hitSum, 1), n(f.lostInHold, 1), n(f.lostAtBreak, 1),
                     f.valueCorrelation ? n(*f.valueCorrelation, 3) : u"-"_s)
                .arg(f.valuesAgree);
        QTEST(got, "expected");
    }

    // Trainings of called shots on LP, each "shots:in the call", the ones in
    // the call (1 mm off) first, the others 10 mm off. Rolling shares over the
    // last 40 shots and the change, worked by hand: the last k trainings
    // against those before, z = (p1 − p0) / sqrt(p (1 − p) (1/n1 + 1/n0)).
    void callsOverWeeks_data() {
        QTest::addColumn<QStringList>("trainings");
        QTest::addColumn<QStringList>("rolling");
        QTest::addColumn<QString>("change");
        // k = 1: 8/20 against 32/40, p = 2/3, z = −0.4 / 0.1291 = −3.10; k = 2:
        // 24/40 against 16/20, z = −1.55.
        QTest::newRow("the last training worse")
            << QStringList{u"20:16"_s, u"20:16"_s, u"20:8"_s}
            << QStringList{u"0.800"_s, u"0.800"_s, u"0.600"_s}
            << u"Ihre Ansagen lagen im letzten Training seltener in der Ansage: 40 % statt 80 %."_s;
        // k = 1: 6/15 against 33/45, z = −2.34; k = 2: 12/30 against 27/30,
        // z = −0.5 / 0.1232 = −4.06, the clearer. Rolling: 27/30; shots 6 to
        // 30 of the first and the second, 28/40; shots 21 to 30 of the
        // first, the second and the third, 19/40.
        QTest::newRow("worse for two trainings")
            << QStringList{u"30:27"_s, u"15:6"_s, u"15:6"_s}
            << QStringList{u"0.900"_s, u"0.700"_s, u"0.475"_s}
            << u"Ihre Ansagen liegen seit 2 Trainings seltener in der Ansage: 40 % statt 90 %."_s;
        // 15/20 against 16/20: within chance.
        QTest::newRow("no change") << QStringList{u"20:16"_s, u"20:15"_s}
                                   << QStringList{u"0.800"_s, u"0.775"_s} << QString();
    }
    void callsOverWeeks() {
        QFETCH(QStringList, trainings);
        QList<diary::ShotRow> rows;
        for (int t = 0; t < trainings.size(); ++t) {
            const int shots = trainings[t].section(u':', 0, 0).toInt();
            const int in = trainings[t].section(u':', 1, 1).toInt();
            for (int n = 0; n < shots; ++n) {
                diary::ShotRow r;
                r.training = t + 1;
                r.trainingStart = QDateTime(QDate(2026, 11, 2 + 7 * t), QTime(18, 0));
                r.discipline = int(Discipline::LP);
                r.series = n / 10 + 1;
                r.shot.slot = n % 10;
                r.shot.call = group::PointMm{0.0, 0.0};
                r.shot.hit = {n < in ? 1.0 : 10.0, 0.0};
                rows << r;
            }
        }
        // A sighter and a shot without a call count in nothing.
        diary::ShotRow sighter = rows.first();
        sighter.sighter = true;
        sighter.shot.hit = {10.0, 0.0};
        diary::ShotRow uncalled = rows.first();
        uncalled.shot.call.reset();
        rows << sighter << uncalled;
        const QList<calls::TrainingCalls> read = calls::callsByTraining(rows);
        QStringList rolling;
        for (const calls::TrainingCalls& t : read)
            rolling << QString::number(t.rollingInCallShare, 'f', 3);
        QTEST(rolling, "rolling");
        QTEST(calls::callChangeText(read), "change");
    }

    // Seasons made by construction, 60 shots in six series on LP (w = 8 mm),
    // each from its own fixed seed; values by the ISSF rule 11 − d / 8 mm,
    // cut to the tenth, at most 10,9. Calls of a good hold scatter 1.5 mm
    // about the centre, of a poor one 8 mm; e = hit − call as the shooter
    // makes it.
    void findingsOfMadeSeasons_data() {
        QTest::addColumn<QString>("shooter");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("words"); // the finding says them
        QTest::newRow("calls well, jerks at the break")
            << u"jerk"_s << int(calls::FindingKind::Trigger) << u"Abzug"_s;
        QTest::newRow("holds poorly, breaks cleanly")
            << u"hold"_s << int(calls::FindingKind::Hold) << u"Halten"_s;
        QTest::newRow("a steady offset of 5 mm to the right")
            << u"offset"_s << int(calls::FindingKind::Offset) << u"mm rechts"_s;
        QTest::newRow("four shots in ten pulled 10 mm low left")
            << u"pull"_s << int(calls::FindingKind::Direction) << u"tief links"_s;
        // A good hold (calls 1.5 mm about the centre) loses about 0,2 ring a
        // shot, below the 0,3 that counts.
        QTest::newRow("calls and hits agree")
            << u"good"_s << int(calls::FindingKind::Agree) << u"in der Ansage"_s;
    }
    void findingsOfMadeSeasons() {
        QFETCH(QString, shooter);
        std::mt19937 random(2026u); // each row holds with any of the first 20 seeds
        std::normal_distribution<double> normal(0.0, 1.0);
        const auto value = [](group::PointMm p) {
            const double v = std::floor((11.0 - std::hypot(p.x, p.y) / 8.0) * 10.0) / 10.0;
            return std::clamp(v, 0.0, 10.9);
        };
        QList<diary::Series> season;
        for (int shot = 0; shot < 60; ++shot) {
            const double hold = shooter == u"hold"_s ? 8.0 : 1.5;
            const group::PointMm call{hold * normal(random), hold * normal(random)};
            group::PointMm e{1.0 * normal(random), 1.0 * normal(random)};
            if (shooter == u"jerk"_s)
                e = {6.0 * normal(random), 6.0 * normal(random)};
            else if (shooter == u"offset"_s)
                e.x += 5.0;
            else if (shooter == u"pull"_s && shot % 10 < 4)
                e = {-7.07 + e.x, -7.07 + e.y};
            const group::PointMm hit{call.x + e.x, call.y + e.y};
            if (shot % 10 == 0)
                season.append(diary::Series{shot / 10 + 1, {}, {}, {}, false});
            season.last().shots.append(diary::Shot{
                shot % 10, hit, call, value(hit), value(call), {}, {}, {}, {}, {}, false});
        }
        const calls::Finding finding = calls::findingOf(season, int(Discipline::LP));
        QVERIFY2(finding.text.contains(QTest::currentDataTag() ==
                                               QByteArray("a steady offset of 5 mm to the right")
                                           ? u"rechts"_s
                                           : u""_s),
                 qPrintable(finding.text));
        QTEST(int(finding.kind), "kind");
        QFETCH(QString, words);
        QVERIFY2(finding.text.contains(words), qPrintable(finding.text));
        QCOMPARE(finding.series.isEmpty(), finding.kind == calls::FindingKind::Agree);
        QVERIFY(finding.series.size() <= 3);
    }

    // A calling training's series on LP (w = 8 mm), the goal 8 of 10: each
    // shot's hit lies the given mm right of its call ("8" is on the ring
    // width, in the call; "8.01" just beyond it).
    void callingTrainingLines_data() {
        QTest::addColumn<QStringList>("offsets");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<QString>("line");
        const QStringList eightIn = QStringList(8, u"8"_s) + QStringList(2, u"8.01"_s);
        QTest::newRow("none yet") << QStringList{} << false
                                  << u"Serie 2: noch kein Schuss angesagt"_s;
        QTest::newRow("running") << QStringList{u"1"_s, u"12"_s, u"0"_s} << false
                                 << u"Serie 2: bisher 2 von 3 in der Ansage"_s;
        QTest::newRow("running, hits hidden")
            << QStringList{u"1"_s, u"12"_s, u"0"_s} << true
            << u"Serie 2: 3 von 10 Schüssen angesagt, die Treffer folgen nach der Serie"_s;
        QTest::newRow("reached on the ring width")
            << eightIn << true << u"Serie 2: 8 von 10 in der Ansage – Ziel erreicht"_s;
        QTest::newRow("missed by one just beyond it")
            << QStringList(7, u"8"_s) + QStringList(3, u"8.01"_s) << false
            << u"Serie 2: 7 von 10 in der Ansage – Ziel verfehlt"_s;
    }
    void callingTrainingLines() {
        QFETCH(QStringList, offsets);
        QFETCH(bool, hidden);
        diary::Series series{2, {}, {}, {}, false};
        for (const QString& off : offsets)
            series.shots << diary::Shot{int(series.shots.size()),
                                        {2.0 + off.toDouble(), -3.0},
                                        group::PointMm{2.0, -3.0},
                                        {},
                                        {},
                                        {},
                                        {},
                                        {},
                                        {},
                                        {},
                                        false};
        const CallingGoal goal{8, 10};
        QTEST(calls::tallyLine(2, calls::tallyOf(series, int(Discipline::LP)), goal, hidden),
              "line");
        // Over a training: the sighting series and a series not yet complete
        // count for nothing.
        diary::Series sighter = series;
        sighter.number = 1;
        sighter.sighter = true;
        diary::Series partial{3, {}, {}, {}, false};
        partial.shots = series.shots.mid(0, 3);
        const calls::GoalProgress progress =
            calls::goalProgress({sighter, series, partial}, int(Discipline::LP), goal);
        QCOMPARE(progress.series, offsets.size() == 10 ? 1 : 0);
        QCOMPARE(calls::goalProgressText(progress, goal),
                 offsets.size() == 10
                     ? u"Ziel 8 von 10 in der Ansage: in %1 von 1 Serien erreicht."_s.arg(
                           progress.reached)
                     : QString());
        QCOMPARE(progress.reached,
                 QTest::currentDataTag() == QByteArray("reached on the ring width") ? 1 : 0);
    }
};

QTEST_APPLESS_MAIN(TestCallRating)
#include "tst_callrating.moc"
