#include "model/groupanalysis.h"
#include "model/targetface.h"
#include "sheets/callrating.h"
#include "sheets/groupreport.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <numbers>
#include <random>

using namespace ankerblick;
using namespace ankerblick::group;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ankerblick::group::PointMm)
Q_DECLARE_METATYPE(QList<ankerblick::group::PointMm>)

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);

// A unit offset the given degrees clockwise from straight up.
PointMm bearing(double degrees) {
    const double r = degrees * std::numbers::pi / 180.0;
    return {std::sin(r), std::cos(r)};
}

QList<Shot> hitsOnly(const QList<PointMm>& points) {
    QList<Shot> shots;
    for (const PointMm& p : points)
        shots.append({p, std::nullopt, std::nullopt});
    return shots;
}

// The LP face: centre (244, 228), 392 / 59.5 units per millimetre, marks of 30 units.
TargetFace lpFace() {
    TargetFace face;
    face.apply(int(Discipline::LP));
    return face;
}

// A record with hits and calls centred on the given drawing points (calls of
// (0, 0) are not entered), lines from the call to the hit.
SeriesRecord recordOf(const QList<std::pair<PointF, PointF>>& shots) {
    SeriesRecord r;
    for (qsizetype i = 0; i < shots.size(); ++i) {
        const auto s = size_t(i);
        const auto [hit, call] = shots[i];
        r.hitLeft[s] = qint16(hit.x - 15);
        r.hitTop[s] = qint16(hit.y - 15);
        if (call.x != 0 || call.y != 0) {
            r.callLeft[s] = qint16(call.x - 15);
            r.callTop[s] = qint16(call.y - 15);
            r.lineX1[s] = qint16(call.x);
            r.lineY1[s] = qint16(call.y);
            r.lineX2[s] = qint16(hit.x);
            r.lineY2[s] = qint16(hit.y);
        }
    }
    return r;
}

// Equal up to the rounding of the scale.
bool near(PointMm a, PointMm b) {
    return std::abs(a.x - b.x) < 1e-12 && std::abs(a.y - b.y) < 1e-12;
}

} // namespace

class TestGroupAnalysis : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void hitFigures_data() {
        QTest::addColumn<QList<PointMm>>("hits");
        QTest::addColumn<PointMm>("mpi");
        QTest::addColumn<double>("spread");
        QTest::addColumn<double>("radius");
        QTest::newRow("none") << QList<PointMm>{} << PointMm{} << 0.0 << 0.0;
        QTest::newRow("one shot") << QList<PointMm>{{2, -3}} << PointMm{2, -3} << 0.0 << 0.0;
        QTest::newRow("two shots")
            << QList<PointMm>{{0, 0}, {6, 8}} << PointMm{3, 4} << 10.0 << 5.0;
        // Distances from (1, 4/3): 5/3, sqrt(52)/3, sqrt(73)/3.
        QTest::newRow("3-4-5 triangle")
            << QList<PointMm>{{0, 0}, {3, 0}, {0, 4}} << PointMm{1, 4.0 / 3.0} << 5.0
            << (5.0 + std::sqrt(52.0) + std::sqrt(73.0)) / 9.0;
        QTest::newRow("in a line")
            << QList<PointMm>{{0, 0}, {1, 0}, {2, 0}, {5, 0}} << PointMm{2, 0} << 5.0 << 1.5;
        QTest::newRow("same hole twice") << QList<PointMm>{{1, 1}, {1, 1}, {-1, -1}, {-1, -1}}
                                         << PointMm{0, 0} << std::sqrt(8.0) << std::sqrt(2.0);
        QTest::newRow("square and its centre")
            << QList<PointMm>{{-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {0, 0}} << PointMm{0, 0}
            << std::sqrt(8.0) << 4.0 * std::sqrt(2.0) / 5.0;
    }
    void hitFigures() {
        QFETCH(QList<PointMm>, hits);
        QFETCH(PointMm, mpi);
        QFETCH(double, spread);
        QFETCH(double, radius);
        const Figures f = analyse(hitsOnly(hits));
        QCOMPARE(f.hits.shots, hits.size());
        QCOMPARE(f.hits.mpi.x + 1.0, mpi.x + 1.0);
        QCOMPARE(f.hits.mpi.y + 1.0, mpi.y + 1.0);
        QCOMPARE(f.hits.extremeSpread + 1.0, spread + 1.0);
        QCOMPARE(f.hits.meanRadius + 1.0, radius + 1.0);
        QVERIFY(!f.calls);
        QVERIFY(!f.callError);
    }

    // The hull gives the same extreme spread as every pair compared.
    void spreadOfManyShots() {
        std::mt19937 random(7);
        std::normal_distribution<double> spreadMm(0.0, 8.0);
        QList<PointMm> points;
        for (int i = 0; i < 3000; ++i)
            points.append({spreadMm(random), spreadMm(random)});
        double widest = 0.0;
        for (qsizetype i = 0; i < points.size(); ++i)
            for (qsizetype j = i + 1; j < points.size(); ++j)
                widest = std::max(widest,
                                  std::hypot(points[i].x - points[j].x, points[i].y - points[j].y));
        QCOMPARE(analyse(hitsOnly(points)).hits.extremeSpread, widest);
    }

    // Errors (1, 0), (3, 0), (2, 2), (2, -2) around calls (0, 0) and (1, 1):
    // mean (2, 0), squared distances 1, 1, 4, 4, deviation sqrt(2.5).
    void callError() {
        const QList<Shot> shots{
            {{1, 0}, PointMm{0, 0}, 10},          {{4, 1}, PointMm{1, 1}, 5},
            {{2, 2}, PointMm{0, 0}, 0},           {{3, -1}, PointMm{1, 1}, 10},
            {{9, 9}, std::nullopt, std::nullopt},
        };
        const Figures f = analyse(shots);
        QCOMPARE(f.hits.shots, 5);
        QVERIFY(f.calls && f.callError);
        QCOMPARE(f.calls->shots, 4);
        QCOMPARE(f.calls->mpi, (PointMm{0.5, 0.5}));
        const CallErrorFigures& e = *f.callError;
        QCOMPARE(e.pairs, 4);
        QCOMPARE(e.mean, (PointMm{2, 0}));
        QCOMPARE(e.deviation, std::sqrt(2.5));
        QCOMPARE(e.sectors, (std::array<int, kSectors>{0, 1, 2, 1, 0, 0, 0, 0}));
        QCOMPARE(e.rated10, 2);
        QCOMPARE(e.rated5, 1);
        QCOMPARE(e.rated0, 1);
    }

    // Sector k is centred on k * 45 degrees; the boundaries lie at 22.5 +
    // k * 45 degrees, where no point with finite coordinates falls exactly,
    // so the rows lie a hundredth of a degree either side of them.
    void sectors_data() {
        QTest::addColumn<PointMm>("offset");
        QTest::addColumn<int>("sector");
        QTest::addColumn<int>("clock");
        QTest::newRow("hit on its call") << PointMm{0, 0} << -1 << 0;
        QTest::newRow("up") << PointMm{0, 1} << 0 << 12;
        QTest::newRow("up right") << PointMm{1, 1} << 1 << 2;
        QTest::newRow("right") << PointMm{1, 0} << 2 << 3;
        // 135 degrees is the boundary of 4 and 5 o'clock: the hour clockwise of it.
        QTest::newRow("down right") << PointMm{1, -1} << 3 << 5;
        QTest::newRow("down") << PointMm{0, -1} << 4 << 6;
        QTest::newRow("down, x -0") << PointMm{-0.0, -1} << 4 << 6;
        QTest::newRow("down left") << PointMm{-1, -1} << 5 << 8;
        QTest::newRow("left") << PointMm{-1, 0} << 6 << 9;
        QTest::newRow("up left") << PointMm{-1, 1} << 7 << 11;
        QTest::newRow("22.49 degrees") << bearing(22.49) << 0 << 1;
        QTest::newRow("22.51 degrees") << bearing(22.51) << 1 << 1;
        QTest::newRow("67.49 degrees") << bearing(67.49) << 1 << 2;
        QTest::newRow("67.51 degrees") << bearing(67.51) << 2 << 2;
        QTest::newRow("202.49 degrees") << bearing(202.49) << 4 << 7;
        QTest::newRow("202.51 degrees") << bearing(202.51) << 5 << 7;
        QTest::newRow("337.49 degrees") << bearing(337.49) << 7 << 11;
        QTest::newRow("337.51 degrees") << bearing(337.51) << 0 << 11;
        QTest::newRow("14.99 degrees") << bearing(14.99) << 0 << 12;
        QTest::newRow("15.01 degrees") << bearing(15.01) << 0 << 1;
        QTest::newRow("345.01 degrees") << bearing(345.01) << 0 << 12;
        QTest::newRow("tiny right") << PointMm{1e-300, 0} << 2 << 3;
    }
    void sectors() {
        QFETCH(PointMm, offset);
        QFETCH(int, sector);
        QFETCH(int, clock);
        QCOMPARE(sectorOf(offset), sector);
        QCOMPARE(clockOf(offset), clock);
    }

    void clicks_data() {
        QTest::addColumn<PointMm>("mpi");
        QTest::addColumn<double>("clickMm");
        QTest::addColumn<int>("horizontal");
        QTest::addColumn<int>("vertical");
        QTest::addColumn<QString>("text");
        QTest::newRow("ties to even 2, -2")
            << PointMm{-1.25, 0.75} << 0.5 << 2 << -2 << u"2 Klicks rechts, 2 Klicks tief"_s;
        QTest::newRow("ties to even 2, -2 again")
            << PointMm{-0.75, 1.25} << 0.5 << 2 << -2 << u"2 Klicks rechts, 2 Klicks tief"_s;
        QTest::newRow("one click each way")
            << PointMm{1.0, -0.4} << 1.0 << -1 << 0 << u"1 Klick links"_s;
        QTest::newRow("half a click is none")
            << PointMm{0.25, -0.25} << 0.5 << 0 << 0 << u"keine"_s;
        QTest::newRow("up only") << PointMm{0, -7.5} << 2.5 << 0 << 3 << u"3 Klicks hoch"_s;
        QTest::newRow("one up, one right")
            << PointMm{-1.6, -1.4} << 1.5 << 1 << 1 << u"1 Klick rechts, 1 Klick hoch"_s;
        QTest::newRow("centre") << PointMm{0, 0} << 0.5 << 0 << 0 << u"keine"_s;
        QTest::newRow("no click value") << PointMm{5, 5} << 0.0 << 0 << 0 << u"keine"_s;
        QTest::newRow("negative click value") << PointMm{5, 5} << -1.0 << 0 << 0 << u"keine"_s;
    }
    void clicks() {
        QFETCH(PointMm, mpi);
        QFETCH(double, clickMm);
        QFETCH(int, horizontal);
        QFETCH(int, vertical);
        QFETCH(QString, text);
        const SightCorrection c = sightCorrection(mpi, clickMm);
        QCOMPARE(c, (SightCorrection{horizontal, vertical}));
        QCOMPARE(correctionText(c), text);
    }

    void positionText_data() {
        QTest::addColumn<PointMm>("offset");
        QTest::addColumn<QString>("text");
        QTest::newRow("right and up") << PointMm{3.2, 1.5} << u"3,2 mm rechts, 1,5 mm hoch"_s;
        QTest::newRow("left and down") << PointMm{-1, -0.5} << u"1,0 mm links, 0,5 mm tief"_s;
        QTest::newRow("tie to even down") << PointMm{0.25, 0} << u"0,2 mm rechts"_s;
        QTest::newRow("tie to even up") << PointMm{0, -0.75} << u"0,8 mm tief"_s;
        QTest::newRow("zero part left out") << PointMm{0.04, -2} << u"2,0 mm tief"_s;
        QTest::newRow("centre") << PointMm{0, 0} << u"in der Mitte"_s;
        QTest::newRow("rounds to the centre") << PointMm{-0.04, 0.03} << u"in der Mitte"_s;
    }
    void positionText() {
        QFETCH(PointMm, offset);
        QFETCH(QString, text);
        QCOMPARE(group::positionText(offset, kGerman), text);
    }

    void reportWithCalls() {
        const QList<Shot> shots{{{1, 0}, PointMm{0, 0}, 10}, {{3, 0}, PointMm{0, 0}, 5}};
        const QStringList expected{
            u"Trefferlage: 2,0 mm rechts (3 Uhr)"_s,
            u"Streukreis: 2,0 mm, mittlerer Radius 1,0 mm"_s,
            u"Abkommen: in der Mitte"_s,
            u"Ansagefehler im Mittel: 2,0 mm rechts; Streuung 1,0 mm"_s,
            u"Ansagen: 50 % mit 10, 50 % mit 5, 0 % mit 0"_s,
            u"Korrektur: 4 Klicks links"_s,
        };
        QCOMPARE(reportLines(analyse(shots), 0.5, kGerman), expected);
    }

    void reportWithoutCalls() {
        const Figures f = analyse(hitsOnly({{1, 0}, {3, 0}}));
        QVERIFY(!f.calls);
        QVERIFY(!f.callError);
        const QStringList expected{
            u"Trefferlage: 2,0 mm rechts (3 Uhr)"_s,
            u"Streukreis: 2,0 mm, mittlerer Radius 1,0 mm"_s,
            u"Korrektur: 4 Klicks links"_s,
        };
        QCOMPARE(reportLines(f, 0.5, kGerman), expected);
        QCOMPARE(reportLines(analyse({}), 0.5, kGerman), QStringList{u"Keine Schüsse"_s});
    }

    void toMm() {
        const TargetFace face = lpFace();
        const double mm = 59.5 / 392.0;
        QCOMPARE(group::toMm({244, 228}, face), (PointMm{0, 0}));
        QVERIFY(near(group::toMm({344, 128}, face), {100 * mm, 100 * mm}));
        QVERIFY(near(group::toMm({204, 248}, face), {-40 * mm, -20 * mm}));
    }

    // Slot 0 in the centre with its call on it, slot 1 up right called in
    // the centre, slot 2 without a call, slot 3 a call without its hit.
    void shotsOf_data() {
        QTest::addColumn<bool>("rated");
        QTest::newRow("with rating options") << true;
        QTest::newRow("without") << false;
    }
    void shotsOf() {
        QFETCH(bool, rated);
        const TargetFace face = lpFace();
        SeriesRecord record =
            recordOf({{{244, 228}, {244, 228}}, {{344, 128}, {244, 228}}, {{204, 248}, {0, 0}}});
        record.callLeft[3] = 100;
        record.callTop[3] = 100;
        const RatingOptions options;
        const QList<Shot> shots = group::shotsOf(record, face, rated ? &options : nullptr);
        QCOMPARE(shots.size(), 3);
        const double mm = 59.5 / 392.0;
        QCOMPARE(shots[0].hit, (PointMm{0, 0}));
        QVERIFY(near(shots[1].hit, {100 * mm, 100 * mm}));
        QVERIFY(near(shots[2].hit, {-40 * mm, -20 * mm}));
        QVERIFY(!shots[2].call);
        QVERIFY(!shots[2].rating);
        if (!rated) {
            QVERIFY(!shots[0].call && !shots[1].call);
            QVERIFY(!shots[0].rating && !shots[1].rating);
            return;
        }
        QCOMPARE(shots[0].call, (PointMm{0, 0}));
        QCOMPARE(shots[1].call, (PointMm{0, 0}));
        // Called and hit in the centre: a 10. Called in the centre and hit
        // 21 mm up right, as the main window rates it: a call on the centre
        // points at 270 degrees, the hit at 45, 135 apart = 3 of 8 sectors
        // (the hit scores 8,3, so the top-value rule does not join them): 0.
        QCOMPARE(shots[0].rating, 10);
        QCOMPARE(shots[1].rating, 0);
    }

    void defaultClicks() {
        for (int d = 0; d < kDisciplineCount; ++d)
            QVERIFY(defaultClickMm(d) > 0.0);
        QCOMPARE(defaultClickMm(-1), 0.0);
    }
};

QTEST_APPLESS_MAIN(TestGroupAnalysis)
#include "tst_groupanalysis.moc"
