#include "model/numeric.h"

#include <QLocale>
#include <QTest>

using namespace ankerblick;

class TestNumeric : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void roundHalfEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        QTest::newRow("9.5 up to even") << 9.5 << 10.0;
        QTest::newRow("10.5 down to even") << 10.5 << 10.0;
        QTest::newRow("-2.5 to even") << -2.5 << -2.0;
        QTest::newRow("-3.5 to even") << -3.5 << -4.0;
        QTest::newRow("2.4999 below the tie") << 2.4999 << 2.0;
        QTest::newRow("108.5 tenths tie") << 108.5 << 108.0;
    }
    void roundHalfEven() {
        QFETCH(double, value);
        QFETCH(double, expected);
        QCOMPARE(num::roundHalfEven(value), expected);
    }

    void toInt16_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<int>("expected");
        QTest::newRow("32767.4") << 32767.4 << true << 32767;
        QTest::newRow("32767.5 rounds to 32768") << 32767.5 << false << 0;
        QTest::newRow("40000") << 40000.0 << false << 0;
        QTest::newRow("-32768.5 rounds to even") << -32768.5 << true << -32768;
        QTest::newRow("-32768.6") << -32768.6 << false << 0;
    }
    void toInt16() {
        QFETCH(double, value);
        QFETCH(bool, fits);
        QFETCH(int, expected);
        if (fits) {
            QCOMPARE(int(num::toInt16(value)), expected);
            QCOMPARE(num::tryInt16(value), std::optional<qint16>(qint16(expected)));
            return;
        }
        QVERIFY(!num::tryInt16(value).has_value());
        try {
            num::toInt16(value);
            QFAIL("no Int16Overflow raised");
        } catch (const num::Int16Overflow& e) {
            QCOMPARE(e.value(), value);
        }
    }

    void formatNumber_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals"); // -1: as many as the number has
        QTest::addColumn<bool>("fixed");   // always showing the decimals
        QTest::addColumn<QString>("expected");
        QTest::newRow("9.7") << 9.7 << -1 << false << QStringLiteral("9,7");
        QTest::newRow("10.0 without decimals") << 10.0 << -1 << false << QStringLiteral("10");
        QTest::newRow("zero") << 0.0 << -1 << false << QStringLiteral("0");
        QTest::newRow("negative zero") << -0.0 << -1 << false << QStringLiteral("0");
        QTest::newRow("96.3") << 96.3 << -1 << false << QStringLiteral("96,3");
        QTest::newRow("no group separator") << 1234.5 << -1 << false << QStringLiteral("1234,5");
        QTest::newRow("sum 10.9 + 9.7 + 0")
            << 10.9 + 9.7 + 0.0 << -1 << false << QStringLiteral("20,6");
        QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << -1 << false << QStringLiteral("0,3");
        QTest::newRow("negative") << -10.9 << -1 << false << QStringLiteral("-10,9");
        QTest::newRow("two places, half to even") << 2.125 << 2 << false << QStringLiteral("2,12");
        QTest::newRow("one place, trailing zero dropped")
            << 9.96 << 1 << false << QStringLiteral("10");
        QTest::newRow("rounded to negative zero") << -0.04 << 1 << false << QStringLiteral("0");
        QTest::newRow("fixed, a whole number") << 93.0 << 1 << true << QStringLiteral("93,0");
        QTest::newRow("fixed, half to even") << 9.75 << 1 << true << QStringLiteral("9,8");
        QTest::newRow("fixed, padded") << 1.5 << 2 << true << QStringLiteral("1,50");
        QTest::newRow("fixed, no places") << 2.5 << 0 << true << QStringLiteral("2");
    }
    void formatNumber() {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(bool, fixed);
        QFETCH(QString, expected);
        if (decimals < 0)
            QCOMPARE(num::formatNumber(value), expected);
        else if (fixed)
            QCOMPARE(num::formatFixed(value, decimals), expected);
        else
            QCOMPARE(num::formatRounded(value, decimals), expected);
    }

    void parseNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("expected");
        QTest::newRow("10,9") << QStringLiteral("10,9") << true << 10.9;
        QTest::newRow("blanks around") << QStringLiteral(" 7 ") << true << 7.0;
        QTest::newRow("negative") << QStringLiteral("-2,5") << true << -2.5;
        QTest::newRow("letters") << QStringLiteral("abc") << false << 0.0;
        QTest::newRow("group separator") << QStringLiteral("1.234,5") << false << 0.0;
        QTest::newRow("empty") << QString() << false << 0.0;
    }
    void parseNumber() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, expected);
        const std::optional<double> v = num::parseNumber(text);
        QCOMPARE(v.has_value(), valid);
        if (valid)
            QCOMPARE(*v, expected);
        QCOMPARE(num::numberOrZero(text), valid ? expected : 0.0);
    }

    // Whatever the user's locale, a number the program shows reads back as
    // the same number: right-to-left locales mark their signs with direction
    // marks, Arabic writes its exponent with two letters.
    void readsBackWhatItFormats_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::newRow("German") << QStringLiteral("de_DE") << -10.9;
        QTest::newRow("Hebrew, negative") << QStringLiteral("he_IL") << -5.25;
        QTest::newRow("Arabic, negative") << QStringLiteral("ar_EG") << -5.25;
        QTest::newRow("Persian, small negative") << QStringLiteral("fa_IR") << -0.0001;
        QTest::newRow("Urdu, large negative") << QStringLiteral("ur_PK") << -1e20;
        QTest::newRow("Arabic, exponent") << QStringLiteral("ar_EG") << 1e-20;
        QTest::newRow("Arabic, negative exponent") << QStringLiteral("ar_EG") << -5.25e-136;
    }
    void readsBackWhatItFormats() {
        QFETCH(QString, locale);
        QFETCH(double, value);
        const QLocale l(locale);
        const QString text = num::formatNumber(value, l);
        const std::optional<double> back = num::parseNumber(text, l);
        QVERIFY2(back.has_value(), qPrintable(text));
        QCOMPARE(*back, value);
        // Typed with blanks around, the same.
        QCOMPARE(num::parseNumber(u' ' + text + u' ', l), back);
    }

    void presentationLocale() {
        QCOMPARE(num::presentationLocale(QLocale::c()).language(), QLocale::German);
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        QCOMPARE(num::presentationLocale(english), english);
    }
};

QTEST_APPLESS_MAIN(TestNumeric)
#include "tst_numeric.moc"
