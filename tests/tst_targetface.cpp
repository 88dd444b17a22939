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

class TestTargetFace : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // Sizes of InnerTen, Ring10 .. Ring4; 0 = hidden.
    void rings_data() {
        QTest::addColumn<int>("discipline");
        QTest::addColumn<QList<double>>("sizes");
        QTest::newRow("LP") << 0 << QList<double>{32.94, 75.76, 181.18, 286.59, 0, 0, 0, 0};
        QTest::newRow("FP-SP-100m") << 1 << QList<double>{49, 98, 196, 294, 0, 0, 0, 0};
        QTest::newRow("OSP-SP") << 2
                                << QList<double>{39.2, 78.4, 141.12, 203.84, 266.56, 329.28, 0, 0};
        QTest::newRow("Gewehr 50m")
            << 3 << QList<double>{17.44, 36.27, 92.07, 147.87, 203.67, 259.47, 315.27, 371.08};
    }
    void rings() {
        QFETCH(int, discipline);
        QFETCH(QList<double>, sizes);
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
        QTest::newRow("4") << 4;
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

    void captions() {
        QCOMPARE(disciplineCaption(2), QStringLiteral("OSP-SP"));
        QCOMPARE(disciplineCaption(2, true), QStringLiteral("OSP -SP"));
    }

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
