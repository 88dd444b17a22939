// The stopwatch and the two time texts kept per shot.

#include "sheets/shottimes.h"

#include <QtTest>

using namespace ankerblick;

class TestShotTimes : public QObject {
    Q_OBJECT

    static QLocale german() { return QLocale(QLocale::German, QLocale::Germany); }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(german()); }

    void lineFormat_data() {
        QTest::addColumn<int>("series");
        QTest::addColumn<int>("shot");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("line");
        QTest::newRow("tenths") << 2 << 7 << 8.4 << QStringLiteral("Serie:2 Schuss:7: 8,4\r\n");
        QTest::newRow("whole") << 1 << 10 << 12.0 << QStringLiteral("Serie:1 Schuss:10: 12\r\n");
        QTest::newRow("zero") << 12 << 1 << 0.0 << QStringLiteral("Serie:12 Schuss:1: 0\r\n");
    }
    void lineFormat() {
        QFETCH(int, series);
        QFETCH(int, shot);
        QFETCH(double, seconds);
        QFETCH(QString, line);
        QCOMPARE(ShotTimes::line(series, shot, seconds, german()), line);
    }

    void stopwatch_data() {
        QTest::addColumn<quint32>("start");
        QTest::addColumn<quint32>("stop");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("written"); // the time the next shot takes
        QTest::newRow("8,4 s") << 1000u << 9450u << QStringLiteral("Stop 8,4 s")
                               << QStringLiteral("8,4");
        QTest::newRow("below a tenth") << 1000u << 1099u << QStringLiteral("Stop 0 s") << QString();
        QTest::newRow("whole seconds")
            << 0u << 12000u << QStringLiteral("Stop 12 s") << QStringLiteral("12");
        // Longer than the 16-bit tenths can hold: kept at the largest value.
        QTest::newRow("kept at 3276,7 s")
            << 0u << 4000000u << QStringLiteral("Stop 3276,7 s") << QStringLiteral("3276,7");
        // The 32-bit tick counter wrapped while the watch ran.
        QTest::newRow("across the wrap")
            << 0xFFFFFF00u << 0x00000200u << QStringLiteral("Stop 0,7 s") << QStringLiteral("0,7");
    }
    void stopwatch() {
        QFETCH(quint32, start);
        QFETCH(quint32, stop);
        QFETCH(QString, caption);
        QFETCH(QString, written);
        ShotTimes t;
        t.start(start);
        QCOMPARE(t.stop(stop), caption);
        t.shotEntered(stop, 3, 5);
        const QString line =
            QStringLiteral("Serie:3 Schuss:5: ") + written + QStringLiteral("\r\n");
        QCOMPARE(t.shotTimesText(), written.isEmpty() ? QString() : line);
    }

    void stopBelowATenthIsNeverWritten() {
        ShotTimes t;
        t.start(5000);
        t.stop(5050);
        t.shotEntered(6000, 1, 1);
        QVERIFY(t.shotTimesText().isEmpty());
    }

    void onlyTheNextShotTakesTheStoppedTime() {
        ShotTimes t;
        t.start(10000);
        t.stop(18400);
        t.shotEntered(20000, 2, 7);
        t.shotEntered(31250, 2, 8);
        QCOMPARE(t.shotTimesText(), QStringLiteral("Serie:2 Schuss:7: 8,4\r\n"));
        // The first shot has nothing to be measured from; the next counts from it.
        QCOMPARE(t.shootingTimesText(), QStringLiteral("Serie:2 Schuss:8: 11,2\r\n"));
    }

    // Whatever came before, the first shot after opening, new texts ("Laden",
    // a recovery), none ("Neu") or shots of unknown time writes no shooting
    // time; the one after it measures from it.
    void theFirstShotHasNoShootingTime_data() {
        QTest::addColumn<QString>("before");
        QTest::newRow("window opened") << QString();
        QTest::newRow("texts read") << QStringLiteral("read");
        QTest::newRow("texts cleared") << QStringLiteral("cleared");
        QTest::newRow("shot of unknown time") << QStringLiteral("forgotten");
    }
    void theFirstShotHasNoShootingTime() {
        QFETCH(QString, before);
        ShotTimes t;
        t.shotEntered(3'600'000, 1, 1); // an hour after the clock's start
        QString kept = QStringLiteral("Serie:1 Schuss:1: 1\r\n");
        if (before.isEmpty()) {
            t = ShotTimes();
            kept.clear();
        } else if (before == QStringLiteral("read")) {
            t.setTexts(QString(), kept);
        } else if (before == QStringLiteral("cleared")) {
            t.clearTexts();
            kept.clear();
        } else {
            t.setTexts(QString(), kept);
            t.forgetLastShot();
        }
        t.shotEntered(7'200'000, 1, 2);
        QCOMPARE(t.shootingTimesText(), kept);
        t.shotEntered(7'204'500, 1, 3);
        QCOMPARE(t.shootingTimesText(), kept + QStringLiteral("Serie:1 Schuss:3: 4,5\r\n"));
    }

    void stoppingAgainOverwritesAPendingTime() {
        ShotTimes t;
        t.start(0);
        t.stop(3000);
        t.start(4000);
        t.stop(9500);
        t.shotEntered(10000, 1, 1);
        QCOMPARE(t.shotTimesText(), QStringLiteral("Serie:1 Schuss:1: 5,5\r\n"));
    }

    void shotsWithoutLinesKeepTheStopPendingAndMoveTheClock() {
        ShotTimes t;
        t.start(0);
        t.stop(2500);
        t.shotEntered(4000, 1, 1, false); // a hit from the electronic target
        QVERIFY(t.shotTimesText().isEmpty());
        QVERIFY(t.shootingTimesText().isEmpty());
        t.shotEntered(6300, 1, 2);
        QCOMPARE(t.shotTimesText(), QStringLiteral("Serie:1 Schuss:2: 2,5\r\n"));
        QCOMPARE(t.shootingTimesText(), QStringLiteral("Serie:1 Schuss:2: 2,3\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestShotTimes)
#include "tst_shottimes.moc"
