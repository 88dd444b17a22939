#include "model/marks.h"
#include "model/targetface.h"

#include <QLocale>
#include <QTest>

#include <cmath>

using namespace ankerblick;

namespace {
constexpr int kRingShapes[] = {InnerTen, Ring10, Ring9, Ring8, Ring7, Ring6, Ring5, Ring4};

bool sameFace(const TargetFace& a, const TargetFace& b) {
    for (int n = Card; n <= Ring4; ++n) {
        if (a.shape(n).visible != b.shape(n).visible)
            return false;
        if (a.shape(n).visible && !(a.shape(n) == b.shape(n)))
            return false;
    }
    return true;
}
} // namespace

Q_DECLARE_METATYPE(ankerblick::PointF)

class TestTargetFace : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // Sizes of InnerTen, Ring10 .. Ring4; 0 = hidden. The rings beyond the
    // shapes by number, the first one's diameter in units, and the whole
    // face: the card one ring's width beyond ring 1 (left, top, side), or
    // the design card. Units per mm: 392 / 59.5, 392 / 200, 392 / 500,
    // 392 / 112.4, 392 / 30.5, 392 / 600; the black's centre (244, 228).
    void rings_data() {
        QTest::addColumn<int>("discipline");
        QTest::addColumn<QList<double>>("sizes");
        QTest::addColumn<QList<int>>("outer");
        QTest::addColumn<double>("firstOuter");
        QTest::addColumn<QList<double>>("whole");
        const QList<int> oneToSix{1, 2, 3, 4, 5, 6};
        const QList<int> oneToThree{1, 2, 3};
        // 171.5 mm: 155.5 + 2 x 8.
        QTest::newRow("LP") << 0 << QList<double>{32.94, 75.76, 181.18, 286.59, 0, 0, 0, 0}
                            << oneToSix << 1024.47 << QList<double>{-320.94, -336.94, 1129.88};
        // 550 mm: 500 + 2 x 25.
        QTest::newRow("FP-SP-100m") << 1 << QList<double>{49, 98, 196, 294, 0, 0, 0, 0} << oneToSix
                                    << 980.0 << QList<double>{-295, -311, 1078};
        // Rings 10 to 5, all within the black: the design card.
        QTest::newRow("OSP-SP") << 2
                                << QList<double>{39.2, 78.4, 141.12, 203.84, 266.56, 329.28, 0, 0}
                                << QList<int>{} << 0.0 << QList<double>{16, 8, 457, 441};
        // 170.4 mm: 154.4 + 2 x 8.
        QTest::newRow("Gewehr 50m")
            << 3 << QList<double>{17.44, 36.27, 92.07, 147.87, 203.67, 259.47, 315.27, 371.08}
            << oneToThree << 538.48 << QList<double>{-53.14, -69.14, 594.28};
        // 50.5 mm: 45.5 + 2 x 2.5.
        QTest::newRow("LG 10m") << 4 << QList<double>{6.43,   6.43,   70.69,  134.95,
                                                      199.21, 263.48, 327.74, 392}
                                << oneToThree << 584.79 << QList<double>{-80.52, -96.52, 649.05};
        // 1100 mm: 1000 + 2 x 50.
        QTest::newRow("Gewehr 300m")
            << 5 << QList<double>{32.67, 65.33, 130.67, 196, 261.33, 326.67, 392, 457.33}
            << oneToThree << 653.33 << QList<double>{-115.33, -131.33, 718.67};
    }
    void rings() {
        QFETCH(int, discipline);
        QFETCH(QList<double>, sizes);
        QFETCH(QList<int>, outer);
        QFETCH(double, firstOuter);
        QFETCH(QList<double>, whole);
        TargetFace face;
        QVERIFY(face.apply(discipline));
        for (int i = 0; i < 8; ++i) {
            const ShapeBox& s = face.shape(kRingShapes[i]);
            const QByteArray where = "Shape" + QByteArray::number(kRingShapes[i]) + " size " +
                                     QByteArray::number(s.width);
            QVERIFY2(s.visible == (sizes[i] > 0), where.constData());
            if (!s.visible)
                continue;
            QCOMPARE(s.width, s.height);
            QVERIFY2(std::abs(s.width - sizes[i]) < 0.01, where.constData());
            const double offset = (392.0 - s.width) / 2.0;
            QVERIFY2(std::abs(s.left - (48.0 + offset)) < 0.01, where.constData());
            QVERIFY2(std::abs(s.top - (32.0 + offset)) < 0.01, where.constData());
        }
        QCOMPARE(face.shape(Card), (ShapeBox{16, 8, 457, 441, true}));
        QCOMPARE(face.shape(BlackArea), (ShapeBox{48, 32, 392, 392, true}));

        QList<int> numbers;
        for (const TargetFace::OuterRing& ring : face.outerRings())
            numbers << ring.number;
        QCOMPARE(numbers, outer);
        if (!outer.isEmpty()) {
            const ShapeBox& first = face.outerRings().first().box;
            QVERIFY2(std::abs(first.width - firstOuter) < 0.01,
                     QByteArray::number(first.width).constData());
            QCOMPARE(first.centre().x, 244.0f);
            QCOMPARE(first.centre().y, 228.0f);
        }
        const ShapeBox& card = face.wholeFace();
        const QList<double> got{card.left, card.top, card.width, card.height};
        const QList<double> expected{whole[0], whole[1], whole[2], whole.value(3, whole[2])};
        for (int i = 0; i < 4; ++i)
            QVERIFY2(std::abs(got[i] - expected[i]) < 0.01, QByteArray::number(got[i]).constData());
    }

    void scaleMarkCentre_data() {
        QTest::addColumn<int>("discipline");
        QTest::addColumn<double>("scale");
        QTest::addColumn<float>("mark");
        QTest::addColumn<float>("shotRadius");
        QTest::addColumn<int>("slider");
        QTest::newRow("LP") << 0 << 6.5882 << 30.0f << 15.0f << 15;
        QTest::newRow("FP-SP-100m") << 1 << 1.96 << 11.0f << 5.5f << 6;
        QTest::newRow("OSP-SP") << 2 << 0.784 << 4.4f << 2.2f << 2;
        QTest::newRow("Gewehr 50m") << 3 << 3.48754 << 19.5f << 9.75f << 10;
        QTest::newRow("LG 10m") << 4 << 12.85246 << 57.836f << 28.918f << 29;
        QTest::newRow("Gewehr 300m") << 5 << 0.65333 << 5.22667f << 2.61333f << 3;
    }
    void scaleMarkCentre() {
        QFETCH(int, discipline);
        QFETCH(double, scale);
        QFETCH(float, mark);
        QFETCH(float, shotRadius);
        QFETCH(int, slider);
        TargetFace face;
        QVERIFY(face.apply(discipline));
        QCOMPARE(face.discipline(), discipline);
        QVERIFY2(std::abs(face.scale() - scale) < 1e-4,
                 QByteArray::number(face.scale(), 'g', 10).constData());
        QCOMPARE(face.markDiameter(), mark);
        QVERIFY(std::abs(face.centre().x - 244.0f) < 0.01f);
        QVERIFY(std::abs(face.centre().y - 228.0f) < 0.01f);
        QCOMPARE(disciplineInfo(discipline)->seriesShotRadius, shotRadius);
        QCOMPARE(disciplineInfo(discipline)->seriesSliderValue, slider);
    }

    // Inner tens at their edge in mm from the centre: inner-ten radius plus
    // half the calibre, on the air rifle the dot's radius less than half of it.
    void innerTen_data() {
        QTest::addColumn<int>("discipline");
        QTest::addColumn<double>("calibre");
        QTest::addColumn<double>("mm");
        QTest::addColumn<bool>("inner");
        QTest::newRow("LP edge") << 0 << 4.5 << 4.75 << true;
        QTest::newRow("LP beyond") << 0 << 4.5 << 4.76 << false;
        QTest::newRow("FP edge") << 1 << 5.6 << 15.3 << true;
        QTest::newRow("FP beyond") << 1 << 5.6 << 15.32 << false;
        QTest::newRow("OSP edge") << 2 << 5.6 << 27.8 << true;
        QTest::newRow("OSP beyond") << 2 << 5.6 << 27.85 << false;
        QTest::newRow("Gewehr 50m edge") << 3 << 5.6 << 5.3 << true;
        QTest::newRow("Gewehr 50m beyond") << 3 << 5.6 << 5.31 << false;
        QTest::newRow("LG dot shot out") << 4 << 4.5 << 2.0 << true;
        QTest::newRow("LG dot touched") << 4 << 4.5 << 2.01 << false;
        QTest::newRow("LG 4,0 mm calibre") << 4 << 4.0 << 1.76 << false;
        QTest::newRow("300m edge") << 5 << 8.0 << 29.0 << true;
        QTest::newRow("300m beyond") << 5 << 8.0 << 29.1 << false;
        QTest::newRow("300m 7,62") << 5 << 7.62 << 28.9 << false;
    }
    void innerTen() {
        QFETCH(int, discipline);
        QFETCH(double, calibre);
        QFETCH(double, mm);
        QFETCH(bool, inner);
        TargetFace face;
        QVERIFY(face.apply(discipline, calibre));
        const PointF c = face.centre();
        QCOMPARE(face.innerTen({c.x + float(mm * face.scale()), c.y}), inner);
    }

    // The calibre sizes the marks at the face's scale; the standard one
    // keeps the table's mark, one that is no calibre gives the standard. A
    // mark whose left and top would both be kept as 0 (an empty slot) moves
    // one unit right; one whose left rounds to 1 or -1 stays.
    void calibreSizesMarks_data() {
        QTest::addColumn<int>("discipline");
        QTest::addColumn<double>("calibre");
        QTest::addColumn<float>("mark");
        QTest::addColumn<PointF>("centre");
        QTest::addColumn<PointF>("kept");
        QTest::newRow("LP standard, left and top 0")
            << 0 << 4.5 << 30.0f << PointF{15.0f, 15.0f} << PointF{16.0f, 15.0f};
        QTest::newRow("LP 5,6, within half a unit of 0")
            << 0 << 5.6 << 36.894f << PointF{18.9f, 18.0f} << PointF{19.447f, 18.0f};
        QTest::newRow("Gewehr 50m 4,5, left rounds to 1")
            << 3 << 4.5 << 15.694f << PointF{8.5f, 7.847f} << PointF{8.5f, 7.847f};
        QTest::newRow("LG standard, far left of the area")
            << 4 << 4.5 << 57.836f << PointF{-40.0f, 28.918f} << PointF{-40.0f, 28.918f};
        QTest::newRow("300m 0 mm, top 1")
            << 5 << 0.0 << 5.2267f << PointF{2.61335f, 3.61335f} << PointF{2.61335f, 3.61335f};
    }
    void calibreSizesMarks() {
        QFETCH(int, discipline);
        QFETCH(double, calibre);
        QFETCH(float, mark);
        QFETCH(PointF, centre);
        QFETCH(PointF, kept);
        TargetFace face;
        QVERIFY(face.apply(discipline, calibre));
        QCOMPARE(face.markDiameter(), mark);
        const PointF got = face.storableCentre(centre);
        QVERIFY2(
            std::abs(got.x - kept.x) < 1e-3f && std::abs(got.y - kept.y) < 1e-3f,
            QByteArray(QByteArray::number(got.x) + ", " + QByteArray::number(got.y)).constData());
    }

    void backToLpAfterGewehr() {
        TargetFace first;
        first.apply(0);
        TargetFace face;
        face.apply(0);
        face.apply(3);
        QVERIFY(!sameFace(face, first));
        face.apply(0);
        QVERIFY(sameFace(face, first));
    }

    void invalidIndexChangesNothing_data() {
        QTest::addColumn<int>("index");
        QTest::newRow("6") << 6;
        QTest::newRow("-1") << -1;
    }
    void invalidIndexChangesNothing() {
        QFETCH(int, index);
        TargetFace face;
        face.apply(2);
        const TargetFace before = face;
        QVERIFY(!face.apply(index));
        QCOMPARE(face.discipline(), 2);
        QCOMPARE(face.scale(), before.scale());
        QCOMPARE(face.markDiameter(), before.markDiameter());
        QCOMPARE(face.scoring().tenthWidth, before.scoring().tenthWidth);
        QCOMPARE(face.scoring().centreAllowance, before.scoring().centreAllowance);
        for (int n = Card; n <= Ring4; ++n)
            QVERIFY(face.shape(n) == before.shape(n));
        QCOMPARE(disciplineInfo(index), nullptr);
    }

    void captions() { QCOMPARE(disciplineCaption(2), QStringLiteral("OSP-SP")); }

    void markColours_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("green");
        const int ramp[] = {0, 28, 57, 85, 114, 142, 171, 199, 228, 255};
        for (int i = 0; i < 10; ++i)
            QTest::addRow("%d", i) << i << ramp[i];
    }
    void markColours() {
        QFETCH(int, index);
        QFETCH(int, green);
        QCOMPARE(int(markRamp(index)), green);
        QVERIFY(hitColour(index) == (Rgb{255, quint8(green), 0}));
        QVERIFY(callColour(index) == (Rgb{0, quint8(green), 255}));
    }
};

QTEST_APPLESS_MAIN(TestTargetFace)
#include "tst_targetface.moc"
