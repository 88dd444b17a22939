// The value/time analysis without any window: reading the time texts, the
// four answers of the query, the zoom of both calling windows and the layout
// of the graph.

#include "files/timelines.h"
#include "sheets/graphlayout.h"
#include "sheets/valuebounds.h"
#include "support/boundscheck.h"

#include <QtTest>

#include <cmath>

using namespace ankerblick;
using namespace ankerblick::timeanalysis;
using namespace Qt::StringLiterals;
using ankerblick::test::bounds;
using ankerblick::test::sameBounds;
using ankerblick::test::show;

Q_DECLARE_METATYPE(ankerblick::timeanalysis::Question)

namespace {

QStringList entryTexts(const QList<TimeEntry>& entries) {
    QStringList out;
    for (const TimeEntry& e : entries)
        out << QStringLiteral("%1/%2/%3")
                   .arg(e.series)
                   .arg(e.shot)
                   .arg(e.seconds ? QString::number(*e.seconds) : QStringLiteral("-"));
    return out;
}

ZoomStep stepNamed(const QString& name) {
    if (name == u"left")
        return arrowStep(Arrow::Left);
    if (name == u"right")
        return arrowStep(Arrow::Right);
    if (name == u"up")
        return arrowStep(Arrow::Up);
    if (name == u"down")
        return arrowStep(Arrow::Down);
    return zoomOutStep();
}

// Values of series s: entry e is worth s - 1 + e/10 rings; series 9 has none.
std::optional<double> tableValue(int series, int entry) {
    if (series == 9 || entry > 9)
        return std::nullopt;
    return series - 1 + entry / 10.0;
}

} // namespace

class TestTimeAnalysis : public QObject {
    Q_OBJECT

    static QLocale german() { return QLocale(QLocale::German, QLocale::Germany); }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(german()); }

    void timeLines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("one line") << QStringLiteral("Serie:2 Schuss:7: 8,4\r\n")
                                  << QStringList{QStringLiteral("2/7/8.4")};
        QTest::newRow("shot 10 and whole seconds")
            << QStringLiteral("Serie:2 Schuss:10: 12\r\nSerie:3 Schuss:1: 0,5\r\n")
            << QStringList{QStringLiteral("2/10/12"), QStringLiteral("3/1/0.5")};
        // Series numbers of three digits and more are read whole.
        QTest::newRow("series 123") << QStringLiteral("Serie:123 Schuss:4: 1,2\r\n")
                                    << QStringList{QStringLiteral("123/4/1.2")};
        QTest::newRow("empty lines skipped")
            << QStringLiteral("\r\nSerie:1 Schuss:1: 3\r\n\r\n\r\nSerie:1 Schuss:2: 4\r\n")
            << QStringList{QStringLiteral("1/1/3"), QStringLiteral("1/2/4")};
        QTest::newRow("line without three colons ends the text")
            << QStringLiteral(
                   "Serie:1 Schuss:1: 3\r\nSerie:1 Schuss:2 4\r\nSerie:1 Schuss:3: 5\r\n")
            << QStringList{QStringLiteral("1/1/3")};
        QTest::newRow("last line without CR LF")
            << QStringLiteral("Serie:4 Schuss:9: 17,3") << QStringList{QStringLiteral("4/9/17.3")};
        QTest::newRow("no numbers")
            << QStringLiteral("Serie:x Schuss:: zwölf\r\n") << QStringList{QStringLiteral("0/0/-")};
        QTest::newRow("too long to be a series")
            << QStringLiteral("Serie:12345678901 Schuss:1: 2\r\n")
            << QStringList{QStringLiteral("0/1/2")};
        QTest::newRow("empty text") << QString() << QStringList{};
    }
    void timeLines() {
        QFETCH(QString, text);
        QFETCH(QStringList, entries);
        QCOMPARE(entryTexts(parseTimeLines(text, german())), entries);
    }

    // The time lines of a file listed behind `by` series name the series as listed.
    void seriesNumbersShifted_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("by");
        QTest::addColumn<QString>("shifted");
        QTest::newRow("one line") << QStringLiteral("Serie:2 Schuss:7: 8,4\r\n") << 3
                                  << QStringLiteral("Serie:5 Schuss:7: 8,4\r\n");
        QTest::newRow("by nothing") << QStringLiteral("Serie:2 Schuss:7: 8,4\r\n") << 0
                                    << QStringLiteral("Serie:2 Schuss:7: 8,4\r\n");
        // Only the series number changes, the time keeps its text.
        QTest::newRow("more digits, time untouched")
            << QStringLiteral("Serie:9 Schuss:10: 12,50\r\nSerie:10 Schuss:1: 0,5\r\n") << 95
            << QStringLiteral("Serie:104 Schuss:10: 12,50\r\nSerie:105 Schuss:1: 0,5\r\n");
        QTest::newRow("blanks and leading zeros") << QStringLiteral("Serie: 02 Schuss:3:4\r\n") << 1
                                                  << QStringLiteral("Serie: 3 Schuss:3:4\r\n");
        // Lines that are no time lines stay as they are, wherever they stand.
        QTest::newRow("other lines kept")
            << QStringLiteral("\r\nNotiz: Serie 2\r\nSerie:1 Schuss:1: 3\r\n\r\n"
                              "Serie:1 Schuss:2 4\r\nSerie:2 Schuss:3: 5\r\n")
            << 10
            << QStringLiteral("\r\nNotiz: Serie 2\r\nSerie:11 Schuss:1: 3\r\n\r\n"
                              "Serie:1 Schuss:2 4\r\nSerie:12 Schuss:3: 5\r\n");
        // A line naming no series, or series 0, names none after the shift either.
        QTest::newRow("no series named")
            << QStringLiteral("Serie:x Schuss:1: 2\r\nSerie:0 Schuss:1: 2\r\n"
                              "Serie:12345678901 Schuss:1: 2\r\nSerie: Schuss:1: 2\r\n")
            << 4
            << QStringLiteral("Serie:x Schuss:1: 2\r\nSerie:0 Schuss:1: 2\r\n"
                              "Serie:12345678901 Schuss:1: 2\r\nSerie: Schuss:1: 2\r\n");
        QTest::newRow("bare LF and no end")
            << QStringLiteral("Serie:1 Schuss:1: 3\nSerie:4 Schuss:9: 17,3") << 2
            << QStringLiteral("Serie:3 Schuss:1: 3\nSerie:6 Schuss:9: 17,3");
        QTest::newRow("largest series number")
            << QStringLiteral("Serie:999999999 Schuss:1: 1\r\n") << 32767
            << QStringLiteral("Serie:1000032766 Schuss:1: 1\r\n");
        QTest::newRow("empty text") << QString() << 7 << QString();
    }
    void seriesNumbersShifted() {
        QFETCH(QString, text);
        QFETCH(int, by);
        QFETCH(QString, shifted);
        QCOMPARE(shiftSeriesNumbers(text, by), shifted);
        // Read back, the entries differ in their series only.
        const QList<TimeEntry> before = parseTimeLines(text, german());
        const QList<TimeEntry> after = parseTimeLines(shifted, german());
        QCOMPARE(after.size(), before.size());
        for (qsizetype i = 0; i < before.size(); ++i) {
            TimeEntry expected = before[i];
            if (expected.series > 0 && qint64(expected.series) + by <= 999999999)
                expected.series += by;
            else if (expected.series > 0)
                expected.series = 0; // too long to be read as a series any more
            QCOMPARE(after[i], expected);
        }
    }

    void answers_data() {
        QTest::addColumn<Question>("question");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<Bounds>("before");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<double>("stored");
        const Bounds none;
        const auto q = [](const char* name, Question question, const char* answer,
                          const Bounds& before, bool accepted, double stored) {
            QTest::newRow(name) << question << QString::fromUtf8(answer) << before << accepted
                                << stored;
        };
        q("smallest 11", Question::SmallestValue, "11", none, false, 0);
        q("smallest -1", Question::SmallestValue, "-1", none, false, 0);
        q("smallest abc", Question::SmallestValue, "abc", none, false, 0);
        q("smallest 10,9", Question::SmallestValue, "10,9", none, true, 10.9);
        q("smallest 0", Question::SmallestValue, "0", none, true, 0);
        q("smallest Cancel", Question::SmallestValue, "", none, true, 0);
        q("largest 11", Question::LargestValue, "11", none, false, 0);
        q("largest 10,99", Question::LargestValue, "10,99", none, true, 10.99);
        q("largest below the smallest", Question::LargestValue, "6,3", bounds(6.4f, 0, 0, 0), false,
          0);
        // Typed twice, 6,4 is the same single-precision value.
        q("largest equal to the smallest", Question::LargestValue, "6,4", bounds(6.4f, 0, 0, 0),
          true, 6.4);
        q("largest Cancel above 0", Question::LargestValue, "", bounds(2, 0, 0, 0), false, 0);
        q("from 11", Question::FromSeconds, "11", none, true, 11);
        q("from -1", Question::FromSeconds, "-1", none, false, 0);
        q("from abc", Question::FromSeconds, "abc", none, false, 0);
        q("from 10,9", Question::FromSeconds, "10,9", none, true, 10.9);
        q("from 53,123", Question::FromSeconds, "53,123", none, true, 53.123);
        q("from 999", Question::FromSeconds, "999", none, true, 999);
        q("from 1000", Question::FromSeconds, "1000", none, false, 0);
        q("from 0", Question::FromSeconds, "0", none, true, 0);
        q("to 1000", Question::ToSeconds, "1000", none, true, 1000);
        q("to 1000,1", Question::ToSeconds, "1000,1", none, false, 0);
        q("to -1", Question::ToSeconds, "-1", none, false, 0);
        q("to abc", Question::ToSeconds, "abc", none, false, 0);
        q("to before from", Question::ToSeconds, "9,9", bounds(0, 0, 10, 0), false, 0);
        q("to equal to from", Question::ToSeconds, "10", bounds(0, 0, 10, 0), true, 10);
        q("to 10,9", Question::ToSeconds, "10,9", none, true, 10.9);
        q("to 0", Question::ToSeconds, "0", none, true, 0);
    }
    void answers() {
        QFETCH(Question, question);
        QFETCH(QString, answer);
        QFETCH(Bounds, before);
        QFETCH(bool, accepted);
        QFETCH(double, stored);
        const std::optional<float> v = acceptAnswer(question, answer, before, german());
        QCOMPARE(v.has_value(), accepted);
        if (accepted)
            QCOMPARE(*v, float(stored));
    }

    // The form's answers in order, each checked against those before it:
    // the bounds, or the message of the first answer that does not hold. An
    // empty field is 0.
    void query_data() {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("message");
        QTest::addColumn<Bounds>("result");
        const QString rings =
            QStringLiteral("Bitte eine gültige Ringzahl angeben wie z.B. 6,4 , 9 oder 10,9");
        const QString secs = QStringLiteral(
            "Bitte eine gültige Sekundenzahl angeben wie z.B. 6,4 , 9, 10,9 oder 53,123");
        QTest::newRow("all empty") << QStringList{QString(), QString(), QString(), QString()}
                                   << QString() << bounds(0, 0, 0, 0);
        QTest::newRow("valid") << QStringList{u"7"_s, u"10"_s, u"10,5"_s, u"60"_s} << QString()
                               << bounds(7, 10, 10.5f, 60);
        QTest::newRow("11 rings") << QStringList{u"11"_s, u"10"_s, u"0"_s, u"60"_s} << rings
                                  << Bounds{};
        QTest::newRow("largest below smallest")
            << QStringList{u"10,9"_s, u"10,8"_s, u"0"_s, u"60"_s} << rings << Bounds{};
        QTest::newRow("from 1000 s")
            << QStringList{QString(), QString(), u"1000"_s, u"1000"_s} << secs << Bounds{};
        QTest::newRow("to before from")
            << QStringList{u"0"_s, u"10"_s, u"20"_s, u"19,9"_s} << secs << Bounds{};
        QTest::newRow("a field missing")
            << QStringList{u"0"_s, u"10"_s, u"abc"_s} << secs << Bounds{};
        QTest::newRow("the proposal") << QStringList{u"0"_s, u"10,9"_s, u"0"_s, u"1000"_s}
                                      << QString() << bounds(0, 10.9f, 0, 1000);
    }
    void query() {
        QFETCH(QStringList, answers);
        QFETCH(QString, message);
        QFETCH(Bounds, result);
        const auto read = readBounds(FormAnswer{0, answers}, german());
        if (message.isEmpty()) {
            QVERIFY(std::holds_alternative<Bounds>(read));
            QCOMPARE(std::get<Bounds>(read), result);
        } else {
            QVERIFY(std::holds_alternative<QString>(read));
            QCOMPARE(std::get<QString>(read), message);
        }
        // The form proposes what the last row answers, and finds it sound.
        const FormRequest query = boundsQuery(german());
        QStringList proposed;
        for (const FormRequest::Field& f : query.fields)
            proposed << f.text;
        QCOMPARE(proposed, (QStringList{u"0"_s, u"10,9"_s, u"0"_s, u"1000"_s}));
        QCOMPARE(query.problem(FormAnswer{0, answers}), message);
    }

    void zoom_data() {
        QTest::addColumn<Variant>("variant");
        QTest::addColumn<Bounds>("before");
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<Bounds>("after");
        const Variant main = Variant::MainWindow;
        const Variant analysis = Variant::AnalysisWindow;
        // The single steps of both windows are checked through the graph
        // window's keys and mouse; here the full ring window and the limits.
        const Bounds wide = bounds(0, 10, 100, 200);
        QTest::newRow("main right, full rings")
            << main << wide << "right" << bounds(0, 10, 110, 210);
        QTest::newRow("main left, full rings") << main << wide << "left" << bounds(0, 10, 90, 190);
        QTest::newRow("main zoom out, quarter each side")
            << main << wide << "out" << bounds(0, 10, 75, 225);
        // A start beyond 999 s cannot be moved past 1000 s.
        // Moving in time leaves the value window alone in both windows, also
        // for bounds that single precision holds just below their tenths.
        QTest::newRow("analysis right keeps the values")
            << analysis << bounds(2.7f, 7.7f, 0, 10) << "right" << bounds(2.7f, 7.7f, 1, 11);
        QTest::newRow("main right keeps the values")
            << main << bounds(2.7f, 7.7f, 0, 10) << "right" << bounds(2.7f, 7.7f, 1, 11);
        QTest::newRow("main right at the end")
            << main << bounds(0, 10, 999.5f, 1000) << "right" << bounds(0, 10, 999, 1000);
        QTest::newRow("analysis right at the end")
            << analysis << bounds(0, 10, 999.5f, 1000) << "right" << bounds(0, 10, 999, 1000);
        // The lower bound pushed beyond 9 rings: the window stays at 9 to 10.
        QTest::newRow("main up at the top")
            << main << bounds(9.5f, 10, 0, 10) << "up" << bounds(9, 10, 0, 10);
        QTest::newRow("analysis up at the top")
            << analysis << bounds(9.5f, 10, 0, 10) << "up" << bounds(9, 10, 0, 10);
        QTest::newRow("main down at the bottom")
            << main << bounds(0, 1, 0, 10) << "down" << bounds(0, 1, 0, 10);
        QTest::newRow("main left at the start")
            << main << bounds(0, 10, 0, 1) << "left" << bounds(0, 10, 0, 1);
    }
    void zoom() {
        QFETCH(Variant, variant);
        QFETCH(Bounds, before);
        QFETCH(QString, gesture);
        QFETCH(Bounds, after);
        const Bounds b = zoomed(before, variant, stepNamed(gesture));
        QVERIFY2(sameBounds(b, after), qPrintable(show(b)));
    }

    void rectangle_data() {
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<bool>("zooms");
        QTest::addColumn<Bounds>("main");
        QTest::addColumn<Bounds>("analysis");
        // On a 791 x 570 picture of 0 to 10 rings and 0 to 100 seconds.
        const Bounds m = bounds(2.3f, 7.8f, 25, 75);
        // The analysis window scales the top edge (one ring above the upper bound)
        // and keeps tenths of seconds.
        const Bounds a = bounds(2.3f, 7.6f, 25.2f, 75.8f);
        QTest::newRow("bottom left to top right")
            << QPoint(200, 450) << QPoint(600, 120) << true << m << a;
        QTest::newRow("click") << QPoint(300, 300) << QPoint(300, 300) << false << Bounds{}
                               << Bounds{};
        QTest::newRow("horizontal")
            << QPoint(200, 300) << QPoint(600, 300) << false << Bounds{} << Bounds{};
        QTest::newRow("vertical") << QPoint(300, 100) << QPoint(300, 500) << false << Bounds{}
                                  << Bounds{};
        // Dragged outside the picture: the windows stay within their limits.
        QTest::newRow("outside the picture") << QPoint(-80, -30) << QPoint(-8, -10) << true
                                             << bounds(9, 10, 0, 1) << bounds(9, 10, 0, 1);
    }
    void rectangle() {
        QFETCH(QPoint, start);
        QFETCH(QPoint, release);
        QFETCH(bool, zooms);
        QFETCH(Bounds, main);
        QFETCH(Bounds, analysis);
        const std::optional<ZoomStep> step = rectangleStep(start, release, QSize(791, 570));
        QCOMPARE(step.has_value(), zooms);
        if (!zooms)
            return;
        const Bounds before = bounds(0, 10, 0, 100);
        const Bounds m = zoomed(before, Variant::MainWindow, *step);
        const Bounds a = zoomed(before, Variant::AnalysisWindow, *step);
        QVERIFY2(sameBounds(m, main), qPrintable(show(m)));
        QVERIFY2(sameBounds(a, analysis), qPrintable(show(a)));
    }

    void pictureSize_data() {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QSize>("picture");
        // 800 * 15 - 140 = 11860 twips = 790,67 pixels; 600 * 15 - 450 = 8550 twips.
        QTest::newRow("800 x 600") << QSize(800, 600) << QSize(791, 570);
        QTest::newRow("1920 x 1080") << QSize(1920, 1080) << QSize(1911, 1050);
        QTest::newRow("smaller than the margins") << QSize(5, 20) << QSize(1, 1);
        QTest::newRow("empty") << QSize(0, 0) << QSize(1, 1);
    }
    void pictureSize() {
        QFETCH(QSize, window);
        QFETCH(QSize, picture);
        QCOMPARE(ankerblick::timeanalysis::pictureSize(window), picture);
    }

    void valueLines_data() {
        QTest::addColumn<Bounds>("window");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("all Cancel") << bounds(0, 0, 0, 0) << QStringList{};
        QTest::newRow("7 to 10") << bounds(7, 10, 0, 10)
                                 << QStringList{QStringLiteral("10"), QStringLiteral("9"),
                                                QStringLiteral("8")};
        // Bounds with tenths: the picture spans the whole rings around them, from
        // the ring of the lower bound to the top of the upper bound's ring.
        QTest::newRow("5 to 7,4: rings 5 to 8")
            << bounds(5, 7.4f, 0, 10) << QStringList{QStringLiteral("7"), QStringLiteral("6")};
        QTest::newRow("8 to 10,9: rings 8 to 11")
            << bounds(8, 10.9f, 0, 10) << QStringList{QStringLiteral("10"), QStringLiteral("9")};
        QTest::newRow("7,6 to 9,3: rings 7 to 10")
            << bounds(7.6f, 9.3f, 0, 10) << QStringList{QStringLiteral("9"), QStringLiteral("8")};
        QTest::newRow("within one ring") << bounds(6.2f, 6.8f, 0, 10) << QStringList{};
        // As the analysis window's up arrow leaves 5 to 8.
        QTest::newRow("5,4 to 8,9: rings 5 to 9")
            << bounds(5.4f, 8.9f, 0, 33)
            << QStringList{QStringLiteral("8"), QStringLiteral("7"), QStringLiteral("6")};
        // As the main window's rectangle leaves 0 to 10.
        QTest::newRow("2,3 to 7,8: rings 2 to 8")
            << bounds(2.3f, 7.8f, 25, 75)
            << QStringList{QStringLiteral("7"), QStringLiteral("6"), QStringLiteral("5"),
                           QStringLiteral("4"), QStringLiteral("3")};
        QTest::newRow("0 to 10") << bounds(0, 10, 0, 10)
                                 << QStringList{QStringLiteral("10"), QStringLiteral("9"),
                                                QStringLiteral("8"),  QStringLiteral("7"),
                                                QStringLiteral("6"),  QStringLiteral("5"),
                                                QStringLiteral("4"),  QStringLiteral("3"),
                                                QStringLiteral("2"),  QStringLiteral("1")};
    }
    void valueLines() {
        QFETCH(Bounds, window);
        QFETCH(QStringList, labels);
        const QSize size(600, 440);
        const GraphLayout g = layoutGraph(size, window, {}, tableValue, german());
        QCOMPARE(g.valueLines.size(), labels.size());
        QCOMPARE(g.valueLabels.size(), labels.size());
        const int rows = labels.size() + 1;
        for (int k = 1; k < rows; ++k) {
            const double y = 440.0 * k / rows;
            QCOMPARE(g.valueLines[k - 1], QLineF(0, y, 600, y));
            QCOMPARE(g.valueLabels[k - 1].text, labels[k - 1]);
            // 160 twips above the line.
            QCOMPARE(g.valueLabels[k - 1].topLeft, QPointF(0, y - 160.0 / 15));
        }
    }

    void timeGrid_data() {
        QTest::addColumn<Bounds>("window");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QStringList>("labels");
        // Equal whole seconds are drawn as one second.
        QTest::newRow("all Cancel") << bounds(0, 0, 0, 0) << 1 << QStringList{};
        QTest::newRow("within one second") << bounds(0, 0, 4.2f, 4.8f) << 1 << QStringList{};
        QTest::newRow("0 to 12") << bounds(0, 0, 0, 12) << 12
                                 << QStringList{QStringLiteral("5"), QStringLiteral("10")};
        // Bounds with tenths: the picture spans the whole seconds around them,
        // from the second at or before the start to the one at or after the end.
        QTest::newRow("10,5 to 30: seconds 10 to 30")
            << bounds(0, 0, 10.5f, 30) << 20
            << QStringList{QStringLiteral("15"), QStringLiteral("20"), QStringLiteral("25"),
                           QStringLiteral("30")};
        QTest::newRow("0 to 10,5: seconds 0 to 11")
            << bounds(0, 0, 0, 10.5f) << 11
            << QStringList{QStringLiteral("5"), QStringLiteral("10")};
        QTest::newRow("4,2 to 9,8: seconds 4 to 10")
            << bounds(0, 0, 4.2f, 9.8f) << 6 << QStringList{QStringLiteral("9")};
        QTest::newRow("equal bounds with tenths") << bounds(0, 0, 7.5f, 7.5f) << 1 << QStringList{};
        // As the analysis window's right arrow leaves 0 to 33.
        QTest::newRow("3,3 to 36,3: seconds 3 to 37")
            << bounds(0, 0, 3.3f, 36.3f) << 34
            << QStringList{QStringLiteral("8"),  QStringLiteral("13"), QStringLiteral("18"),
                           QStringLiteral("23"), QStringLiteral("28"), QStringLiteral("33")};
        QTest::newRow("0 to 1000") << bounds(0, 0, 0, 1000) << 1000 << QStringList{};
    }
    void timeGrid() {
        QFETCH(Bounds, window);
        QFETCH(int, lines);
        QFETCH(QStringList, labels);
        const QSize size(800, 500);
        const GraphLayout g = layoutGraph(size, window, {}, tableValue, german());
        QCOMPARE(g.timeLines.size(), lines);
        for (int k = 1; k <= lines; ++k)
            QCOMPARE(g.timeLines[k - 1], QLineF(800.0 * k / lines, 0, 800.0 * k / lines, 500));
        if (lines == 1000) {
            QCOMPARE(g.timeLabels.size(), 200);
            QCOMPARE(g.timeLabels.last().text, QStringLiteral("1000"));
            return;
        }
        QStringList texts;
        for (const GraphLabel& l : g.timeLabels)
            texts << l.text;
        QCOMPARE(texts, labels);
        for (int i = 0; i < g.timeLabels.size(); ++i) {
            const double x = 800.0 * (5 * (i + 1)) / lines;
            QCOMPARE(g.timeLabels[i].topLeft, QPointF(x - 130.0 / 15, 500 - 20.0));
        }
    }

    void points_data() {
        QTest::addColumn<Bounds>("window");
        QTest::addColumn<QString>("times");
        QTest::addColumn<QList<QPointF>>("discs");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("lookups");
        const QString all = QStringLiteral("Schusswert-/Zeitanalyse");
        // A picture of 800 x 440: 11 rings of 40 pixels; 20 seconds of 40 pixels.
        QTest::newRow("series 2 shot 10 at 12,5 s")
            << bounds(0, 10, 0, 20) << QStringLiteral("Serie:2 Schuss:10: 12,5\r\n")
            << QList<QPointF>{{12.5 * 40, (11 - 1.9) * 40}} << all
            << QStringList{QStringLiteral("2/9")};
        QTest::newRow("series 123 is not series 12")
            << bounds(0, 10, 0, 20) << QStringLiteral("Serie:123 Schuss:1: 1\r\n")
            << QList<QPointF>{{40, (11 - 122.0) * 40}} << all
            << QStringList{QStringLiteral("123/0")};
        QTest::newRow("both ends of the time window")
            << bounds(0, 10, 10, 20)
            << QStringLiteral("Serie:1 Schuss:1: 5\r\nSerie:1 Schuss:2: 10\r\n"
                              "Serie:1 Schuss:3: 20\r\nSerie:1 Schuss:4: 20,1\r\n"
                              "Serie:1 Schuss:5: 25\r\n")
            << QList<QPointF>{{0, (11 - 0.1) * 40}, {800, (11 - 0.2) * 40}}
            << QStringLiteral("Zeiten zwischen 10 und 20 Sekunden werden angezeigt. "
                              "3Treffer liegen darüber/darunter")
            << QStringList{QStringLiteral("1/0"), QStringLiteral("1/1"), QStringLiteral("1/2"),
                           QStringLiteral("1/3"), QStringLiteral("1/4")};
        QTest::newRow("no series, no shot value, no time")
            << bounds(0, 10, 0, 20)
            << QStringLiteral("Serie:9 Schuss:1: 5\r\nSerie:0 Schuss:1: 5\r\n"
                              "Serie:1 Schuss:11: 5\r\nSerie:1 Schuss:0: 5\r\n"
                              "Serie:1 Schuss:2: x\r\nSerie:1 Schuss:3: 5\r\n")
            << QList<QPointF>{{200, (11 - 0.2) * 40}}
            << QStringLiteral("Zeiten zwischen 0 und 20 Sekunden werden angezeigt. "
                              "5Treffer liegen darüber/darunter")
            << QStringList{QStringLiteral("9/0"), QStringLiteral("1/10"), QStringLiteral("1/1"),
                           QStringLiteral("1/2")};
        QTest::newRow("tenths in the caption")
            << bounds(0, 10, 2.5f, 22.5f) << QStringLiteral("Serie:1 Schuss:1: 1\r\n")
            << QList<QPointF>{}
            << QStringLiteral("Zeiten zwischen 2,5 und 22,5 Sekunden werden angezeigt. "
                              "1Treffer liegen darüber/darunter")
            << QStringList{QStringLiteral("1/0")};
        // Bounds with tenths: every value and time within them lies inside the
        // picture, which spans the whole rings and seconds around them.
        QTest::newRow("10,9 at 10,5 s in 8 to 10,9 rings and 0 to 10,5 s")
            << bounds(8, 10.9f, 0, 10.5f)
            << QStringLiteral("Serie:11 Schuss:10: 10,5\r\nSerie:10 Schuss:1: 0\r\n"
                              "Serie:11 Schuss:1: 10\r\n")
            << QList<QPointF>{{10.5 * 800 / 11, (11 - 10.9) * 440 / 3},
                              {0, (11 - 9.0) * 440 / 3},
                              {10 * 800 / 11.0, (11 - 10.0) * 440 / 3}}
            << all
            << QStringList{QStringLiteral("11/9"), QStringLiteral("10/0"), QStringLiteral("11/0")};
        // As the analysis window's up arrow leaves 5 to 8 rings and 0 to 33 s.
        QTest::newRow("5,4 to 8,9 rings: rings 5 to 9")
            << bounds(5.4f, 8.9f, 0, 33)
            << QStringLiteral("Serie:6 Schuss:5: 30\r\nSerie:8 Schuss:10: 33\r\n")
            << QList<QPointF>{{30 * 800 / 33.0, (9 - 5.4) * 440 / 4}, {800, (9 - 7.9) * 440 / 4}}
            << all << QStringList{QStringLiteral("6/4"), QStringLiteral("8/9")};
        // As the analysis window's rectangle leaves 0 to 10 rings and 0 to 100 s.
        QTest::newRow("2,3 to 7,6 rings, 25,2 to 75,8 s: rings 2 to 8, seconds 25 to 76")
            << bounds(2.3f, 7.6f, 25.2f, 75.8f)
            << QStringLiteral("Serie:3 Schuss:4: 25,2\r\nSerie:8 Schuss:7: 75,8\r\n")
            << QList<QPointF>{{0.2 * 800 / 51, (8 - 2.3) * 440 / 6},
                              {50.8 * 800 / 51, (8 - 7.6) * 440 / 6}}
            << all << QStringList{QStringLiteral("3/3"), QStringLiteral("8/6")};
        // As the main window's rectangle leaves them: whole seconds, rings with tenths.
        QTest::newRow("2,3 to 7,8 rings, 25 to 75 s: rings 2 to 8")
            << bounds(2.3f, 7.8f, 25, 75)
            << QStringLiteral("Serie:3 Schuss:4: 25\r\nSerie:8 Schuss:9: 75\r\n")
            << QList<QPointF>{{0, (8 - 2.3) * 440 / 6}, {800, (8 - 7.8) * 440 / 6}} << all
            << QStringList{QStringLiteral("3/3"), QStringLiteral("8/8")};
        // Value 0 sits on the bottom edge of a one-row window of one second.
        QTest::newRow("all Cancel")
            << bounds(0, 0, 0, 0) << QStringLiteral("Serie:1 Schuss:1: 0\r\n")
            << QList<QPointF>{{0, 440}} << all << QStringList{QStringLiteral("1/0")};
    }
    void points() {
        QFETCH(Bounds, window);
        QFETCH(QString, times);
        QFETCH(QList<QPointF>, discs);
        QFETCH(QString, caption);
        QFETCH(QStringList, lookups);
        QStringList asked;
        const GraphLayout g = layoutGraph(
            QSize(800, 440), window, parseTimeLines(times, german()),
            [&](int series, int entry) {
                asked << QStringLiteral("%1/%2").arg(series).arg(entry);
                return tableValue(series, entry);
            },
            german());
        QCOMPARE(g.discs.size(), discs.size());
        for (int i = 0; i < discs.size(); ++i) {
            QVERIFY2(std::abs(g.discs[i].x() - discs[i].x()) < 1e-6 &&
                         std::abs(g.discs[i].y() - discs[i].y()) < 1e-6,
                     qPrintable(QStringLiteral("%1,%2").arg(g.discs[i].x()).arg(g.discs[i].y())));
        }
        QCOMPARE(g.caption, caption);
        QCOMPARE(asked, lookups);
        QCOMPARE(g.notShown, int(parseTimeLines(times, german()).size() - discs.size()));
    }

    void valueOfASeriesAskedOnce() {
        QString text;
        for (int i = 0; i < 500; ++i)
            text += QStringLiteral("Serie:4 Schuss:%1: %2\r\n").arg(i % 10 + 1).arg(i % 50);
        int calls = 0;
        const GraphLayout g = layoutGraph(
            QSize(800, 440), bounds(0, 10, 0, 100), parseTimeLines(text, german()),
            [&](int series, int entry) {
                ++calls;
                return tableValue(series, entry);
            },
            german());
        QCOMPARE(g.discs.size(), 500);
        QCOMPARE(calls, 10);
    }
};

QTEST_GUILESS_MAIN(TestTimeAnalysis)
#include "tst_timeanalysis.moc"
