// The series file's quick paths: lines told apart by their bytes must read
// exactly as the number rule reads their text in every locale, and the
// Windows-1252 conversion in blocks must give the same bytes and characters
// wherever in a long text a special character stands.

#include "files/seriesfile.h"
#include "files/windows1252.h"
#include "model/numeric.h"

#include <QRegularExpression>
#include <QTest>

#include <optional>

using namespace ankerblick;
using namespace Qt::StringLiterals;

namespace {

// The number rule of the file, from the line's text: a number in the
// locale, or else a plain integer with an optional sign.
std::optional<double> ruleValue(const QString& line, const QLocale& locale) {
    if (const auto v = num::parseNumber(line, locale))
        return v;
    static const QRegularExpression plain(u"^[+-]?[0-9]+$"_s);
    const QString trimmed = line.trimmed();
    if (!plain.match(trimmed).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(trimmed, &ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

QByteArray repeated(char c, qsizetype n) {
    return QByteArray(n, c);
}

} // namespace

class TestFileEncoding : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A line after a marker either opens a shot slot (a number) or is text of
    // the section, in every locale the same as the number rule decides.
    void lineKinds_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QLocale>("locale");
        const QList<QByteArray> lines = {
            "0",
            "-0",
            "+5",
            "-32768",
            "32767",
            "32768",
            "-32769",
            "000000007",
            "0000000007",
            "123456789",
            "-999999999",
            "1234567890",
            "99999999999999999999999",
            "+-5",
            "--5",
            "-+5",
            "-",
            "+",
            "5-",
            " 5",
            "5 ",
            "\t5",
            "1,5",
            "1.5",
            "1.234",
            "1e3",
            "Serie:1 Schuss:2: 8,4",
            "inf",
            "nan",
            "Infinity",
            "NaN",
            "e5",
            "E5",
            "$Kommentare",
            "$5",
            "x1",
            "5x",
            "\xa0"
            "5",
            "\x96"
            "5",
            "",
        };
        const QList<QLocale> locales = {
            QLocale::c(),
            QLocale(QLocale::German, QLocale::Germany),
            QLocale(QLocale::English, QLocale::UnitedStates),
            QLocale(QLocale::French, QLocale::France),
            QLocale(QLocale::German, QLocale::Switzerland),
            QLocale(QLocale::Swedish, QLocale::Sweden),
            QLocale(QLocale::Arabic, QLocale::Egypt),
            QLocale(QLocale::Persian, QLocale::Iran),
            QLocale(QLocale::Hindi, QLocale::India),
        };
        for (const QLocale& locale : locales)
            for (const QByteArray& line : lines)
                QTest::addRow("%s %s", qPrintable(locale.name()),
                              line.toPercentEncoding().constData())
                    << line << locale;
    }
    void lineKinds() {
        QFETCH(QByteArray, line);
        QFETCH(QLocale, locale);
        const QString text = cp1252::decode(line);
        const std::optional<double> expected = ruleValue(text, locale);

        const SeriesFileReadResult r = parseSeriesFile("$Kommentare$\r\n" + line + "\r\n", locale);
        QCOMPARE(r.content.series.size(), qsizetype(1));
        if (!expected) {
            QCOMPARE(r.content.comments, text + u"\r\n"_s);
            QCOMPARE(r.errorLine, 0);
            return;
        }
        // A number opens a slot: the section keeps nothing, and the slot
        // breaks off after its first line or at a value out of range.
        QCOMPARE(r.content.comments, QString());
        QCOMPARE(r.errorLine, 3 - int(!num::tryInt16(*expected)));
        if (const auto v = num::tryInt16(*expected))
            QCOMPARE(r.content.series.first().lineX1[0], *v);
    }

    // Long texts with one special character at any place of a block.
    void longText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        for (const qsizetype at : {0, 1, 14, 15, 16, 17, 31, 32, 47, 63}) {
            const QString a = QString(at, u'a');
            const QString b = QString(63 - at, u'b');
            const QByteArray ab = repeated('a', at);
            const QByteArray bb = repeated('b', 63 - at);
            QTest::addRow("euro at %lld", qlonglong(at)) << a + u"€"_s + b << ab + "\x80" + bb;
            QTest::addRow("umlaut at %lld", qlonglong(at)) << a + u"ü"_s + b << ab + "\xfc" + bb;
            QTest::addRow("check mark at %lld", qlonglong(at)) << a + u"✓"_s + b << ab + "?" + bb;
            QTest::addRow("pair from %lld", qlonglong(at)) << a + u"😀"_s + b << ab + "?" + bb;
            QTest::addRow("lone high surrogate at %lld", qlonglong(at))
                << a + QChar(0xD83D) + b << ab + "?" + bb;
        }
        QTest::newRow("ASCII only, 100 characters") << QString(100, u'x') << repeated('x', 100);
    }
    void longText() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(cp1252::encode(text), bytes);
        // Behind bytes already there, too.
        QByteArray behind("head");
        cp1252::appendEncoded(behind, text);
        QCOMPARE(behind, "head" + bytes);
    }

    // Decoding reads the bytes 0x80-0x9F wherever they stand, also far into a
    // long line and after other bytes of the same kind.
    void longDecode_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        for (const qsizetype at : {0, 15, 16, 40, 99}) {
            QTest::addRow("euro at %lld", qlonglong(at))
                << repeated('a', at) + "\x80" + repeated('b', 99 - at)
                << QString(at, u'a') + u"€"_s + QString(99 - at, u'b');
            QTest::addRow("quotes at %lld", qlonglong(at))
                << repeated('a', at) + "\x84\xe4\x93" + repeated('b', 99 - at)
                << QString(at, u'a') + u"„ä“"_s + QString(99 - at, u'b');
        }
    }
    void longDecode() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(cp1252::decode(bytes), text);
        QString behind(u"Kopf"_s);
        cp1252::appendDecoded(behind, bytes);
        QCOMPARE(behind, u"Kopf"_s + text);
    }

    // The widest values fill every line of a file to its longest.
    void widestValues_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("seriesCount");
        QTest::newRow("-32768, one series") << -32768 << 1;
        QTest::newRow("-32768, 300 series") << -32768 << 300;
        QTest::newRow("32767, 300 series") << 32767 << 300;
        QTest::newRow("0, 300 series") << 0 << 300;
    }
    void widestValues() {
        QFETCH(int, value);
        QFETCH(int, seriesCount);
        SeriesRecord record;
        for (SeriesRecord::Column* c :
             {&record.hitLeft, &record.hitTop, &record.callLeft, &record.callTop, &record.lineX1,
              &record.lineY1, &record.lineX2, &record.lineY2})
            c->fill(qint16(value));
        SeriesFileContent content;
        content.series = QList<SeriesRecord>(seriesCount, record);
        content.comments = u"Grüße\r\n"_s;

        QByteArray expected;
        for (int i = 0; i < seriesCount * kShotsPerSeries * 8; ++i)
            expected += QByteArray::number(value) + "\r\n";
        expected += "$Kommentare$\r\nGr\xfc\xdf"
                    "e\r\n\r\n$Schusszeiten$\r\n\r\n$Schiesszeiten$\r\n\r\n";
        const QByteArray bytes = encodeSeriesFile(content, SeriesFileStyle::MainWindow);
        QCOMPARE(bytes, expected);
        QCOMPARE(parseSeriesFile(bytes).content.series, content.series);
    }
};

QTEST_GUILESS_MAIN(TestFileEncoding)
#include "tst_fileencoding.moc"
