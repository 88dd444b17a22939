// Printing series: jobs are printed into PDF files and read back with
// pdftotext (words with their boxes) and pdftoppm (pixels); the face drawing
// is measured on an image.

#include "features/printing/druckdialog.h"
#include "features/printing/seriespage.h"
#include "features/printing/seriesprintjob.h"
#include "model/numeric.h"
#include "platform/printers.h"
#include "sheets/printcontent.h"
#include "support/pdfprinters.h"
#include "support/scripteddialogs.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

using namespace ankerblick;
using namespace ankerblick::print;
using ankerblick::test::PdfPrinters;
using ankerblick::test::ScriptedDialogs;

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;

// A word of a PDF page: its box in millimetres from the paper's top left.
struct PdfWord {
    int page = 0;
    QRectF box;
    QString text;
};

// Words next to each other on one baseline, joined by single blanks.
struct PdfLine {
    int page = 0;
    QRectF box;
    QString text;
};

QString tool(const char* name) {
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

QList<PdfWord> pdfWords(const QString& file) {
    QProcess p;
    p.start(tool("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        qFatal("pdftotext failed");
    QList<PdfWord> words;
    QXmlStreamReader xml(p.readAllStandardOutput());
    int page = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"page") {
            ++page;
        } else if (xml.name() == u"word") {
            const auto a = xml.attributes();
            const auto mm = [&a](const char* n) {
                return a.value(QString::fromLatin1(n)).toDouble() * kMmPerPoint;
            };
            const QRectF box(QPointF(mm("xMin"), mm("yMin")), QPointF(mm("xMax"), mm("yMax")));
            words.append({page, box, xml.readElementText()});
        }
    }
    return words;
}

int pdfPageCount(const QString& file) {
    QProcess p;
    p.start(tool("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    p.waitForFinished(30000);
    return int(p.readAllStandardOutput().count("<page "));
}

QList<PdfLine> pdfLines(const QString& file) {
    QList<PdfWord> words = pdfWords(file);
    std::stable_sort(words.begin(), words.end(), [](const PdfWord& a, const PdfWord& b) {
        if (a.page != b.page)
            return a.page < b.page;
        if (a.box.top() != b.box.top())
            return a.box.top() < b.box.top();
        return a.box.left() < b.box.left();
    });
    QList<PdfLine> lines;
    for (const PdfWord& w : words) {
        if (!lines.isEmpty()) {
            PdfLine& last = lines.last();
            if (last.page == w.page && std::abs(last.box.top() - w.box.top()) <= 0.3 &&
                w.box.left() - last.box.right() < 6.0 && w.box.left() >= last.box.left()) {
                last.text += u' ' + w.text;
                last.box = last.box.united(w.box);
                continue;
            }
        }
        lines.append({w.page, w.box, w.text});
    }
    return lines;
}

// The lines of one page that start with the given text, in reading order.
QList<PdfLine> linesStartingWith(const QList<PdfLine>& lines, int page, const QString& start) {
    QList<PdfLine> out;
    for (const PdfLine& l : lines)
        if (l.page == page && l.text.startsWith(start))
            out << l;
    return out;
}

SeriesRecord recordWithShots(int shots) {
    SeriesRecord r;
    for (int i = 0; i < shots; ++i) {
        r.hitLeft[size_t(i)] = qint16(229 + 3 * i);
        r.hitTop[size_t(i)] = qint16(213 - 2 * i);
    }
    return r;
}

// A record with hits and, when given, calls at positions in millimetres from
// the centre of the face's target (x to the right, y up).
SeriesRecord recordAtMm(const TargetFace& face, const QList<QPointF>& hits,
                        const QList<QPointF>& calls = {}) {
    const double perMm = face.scale();
    const double half = face.markDiameter() / 2.0;
    const auto left = [&](QPointF p) {
        return num::toInt16(std::round(face.centre().x + p.x() * perMm - half));
    };
    const auto top = [&](QPointF p) {
        return num::toInt16(std::round(face.centre().y - p.y() * perMm - half));
    };
    SeriesRecord r;
    for (int i = 0; i < hits.size(); ++i) {
        r.hitLeft[size_t(i)] = left(hits.at(i));
        r.hitTop[size_t(i)] = top(hits.at(i));
    }
    for (int i = 0; i < calls.size(); ++i) {
        r.callLeft[size_t(i)] = left(calls.at(i));
        r.callTop[size_t(i)] = top(calls.at(i));
    }
    return r;
}

// The texts of a page that start at x, from y on, joined: wrapped lines read
// as one.
QString textFrom(const QList<PdfLine>& lines, int page, double x, double y) {
    QStringList texts;
    for (const PdfLine& l : lines)
        if (l.page == page && std::abs(l.box.left() - x) < 0.5 && l.box.top() > y - 0.5)
            texts << l.text;
    return texts.join(u' ');
}

// A hand-made series: the values and sums as a window would hand them over.
SeriesPrintData series(const QList<double>& values, const char* whole, const char* tenths) {
    SeriesPrintData d;
    d.record = recordWithShots(int(values.size()));
    d.values = values;
    d.sums.whole = RunningSum(num::numberOrZero(QString::fromUtf8(whole)));
    d.sums.tenths = RunningSum(num::numberOrZero(QString::fromUtf8(tenths)));
    return d;
}

const QString kShooter = QStringLiteral("Jürgen Müßig");
const QDateTime kStart(QDate(2024, 3, 5), QTime(14, 7, 9));

QString header(int page, int pages) {
    return u"Seite " + QString::number(page) + u" von " + QString::number(pages) +
           u" für Jürgen Müßig am 05.03.2024 um 14:07";
}

QStringList numbers(int from, int to) {
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << QString::number(i);
    return out;
}

// An image of a page at the given resolution, the page rectangle 10 mm inside.
QImage renderPage(const SeriesPage& page, double pxPerMm) {
    QImage image(qRound(210 * pxPerMm), qRound(297 * pxPerMm), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(pxPerMm, pxPerMm);
    drawSeriesPage(painter, QRectF(10, 10, 190, 277), page);
    return image;
}

bool dark(QRgb c) {
    return qRed(c) < 80 && qGreen(c) < 80 && qBlue(c) < 80;
}

int colourfulPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            const int hi = std::max({qRed(c), qGreen(c), qBlue(c)});
            const int lo = std::min({qRed(c), qGreen(c), qBlue(c)});
            n += hi - lo > 40 ? 1 : 0;
        }
    return n;
}

} // namespace

Q_DECLARE_METATYPE(ankerblick::print::SeriesPrintData)

class TestPrinting : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    PdfPrinters m_printers;
    ScriptedDialogs m_dialogs;
    QMap<int, SeriesPrintData> m_series;
    int m_file = 0;
    TargetFace m_face;

    QString nextFile() { return m_dir.filePath(QStringLiteral("druck%1.pdf").arg(++m_file)); }

    SeriesPrintSource source() {
        SeriesPrintSource s;
        s.series = [this](qint16 n) {
            if (!m_series.contains(n))
                throw num::Int16Overflow(double(n));
            return m_series.value(n);
        };
        s.face = [this] {
            return m_face;
        };
        s.shooterName = [] {
            return kShooter;
        };
        s.now = [] {
            return kStart;
        };
        return s;
    }

    std::unique_ptr<SeriesPrintJob> makeJob(SeriesPageStyle style) {
        return std::make_unique<SeriesPrintJob>(style, m_printers, m_dialogs, source(),
                                                QLocale(QLocale::German, QLocale::Germany));
    }

    // Series 1..n, each with two shots.
    void storeSeries(int n) {
        m_series.clear();
        for (int i = 1; i <= n; ++i)
            m_series[i] = series({10.0, 9.5}, "19", "19,5");
    }

    QString printJob(SeriesPageStyle style, const QList<int>& numbers, qint16 count,
                     PrintColour farbe, bool gesamt) {
        const QString file = nextFile();
        m_printers.setCurrent(PrintDestination::pdfFile(file));
        auto job = makeJob(style);
        for (int n : numbers)
            job->startPrinting(qint16(n), count, farbe, gesamt);
        job->printingEnded();
        return file;
    }

private Q_SLOTS:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        if (tool("pdftotext").isEmpty() || tool("pdftoppm").isEmpty())
            QSKIP("pdftotext and pdftoppm (poppler-utils) are needed to read the printed PDF "
                  "back; ./test.sh installs them");
        QVERIFY(m_dir.isValid());
        m_face.apply(int(Discipline::LP));
    }

    void init() {
        m_printers = PdfPrinters();
        m_dialogs = ScriptedDialogs();
        m_face = TargetFace();
        m_face.apply(int(Discipline::LP));
    }

    // Which series each page shows (its "Serie Nummer" titles in reading order,
    // "G" for the overall picture) and the header of every page. A series the
    // window cannot hand over is left out of the pages and named in a message.
    void pagesAndHeaders_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<QList<int>>("called");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("gesamt");
        QTest::addColumn<QList<QStringList>>("pages");
        QTest::addColumn<QList<int>>("unreadable");
        QTest::addColumn<QString>("message");
        const int four = int(SeriesPageStyle::FourPerPage);
        const int eight = int(SeriesPageStyle::EightPerPage);
        QTest::newRow("five series, two pages")
            << four << QList<int>{1, 2, 3, 4, 5} << 5 << false
            << QList<QStringList>{numbers(1, 4), numbers(5, 5)} << QList<int>() << QString();
        QTest::newRow("four series fill one page, no empty page after it")
            << four << QList<int>{1, 2, 3, 4} << 4 << false << QList<QStringList>{numbers(1, 4)}
            << QList<int>() << QString();
        QTest::newRow("three selected of nine")
            << four << QList<int>{2, 5, 9} << 3 << false
            << QList<QStringList>{QStringList{QStringLiteral("2"), QStringLiteral("5"),
                                              QStringLiteral("9")}}
            << QList<int>() << QString();
        QTest::newRow("single series")
            << four << QList<int>{7} << 1 << false << QList<QStringList>{numbers(7, 7)}
            << QList<int>() << QString();
        QTest::newRow("nine series, eight a page")
            << eight << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9} << 9 << false
            << QList<QStringList>{numbers(1, 8), numbers(9, 9)} << QList<int>() << QString();
        QTest::newRow("eight series fill one page")
            << eight << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << 8 << false
            << QList<QStringList>{numbers(1, 8)} << QList<int>() << QString();
        QTest::newRow("overall picture in the free slot")
            << four << QList<int>{1, 2, 3} << 3 << true
            << QList<QStringList>{numbers(1, 3) << QStringLiteral("G")} << QList<int>()
            << QString();
        QTest::newRow("overall picture after a full page")
            << four << QList<int>{1, 2, 3, 4} << 4 << true
            << QList<QStringList>{numbers(1, 4), QStringList{QStringLiteral("G")}} << QList<int>()
            << QString();
        QTest::newRow("overall picture, eight a page")
            << eight << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << 8 << true
            << QList<QStringList>{numbers(1, 8), QStringList{QStringLiteral("G")}} << QList<int>()
            << QString();
        QTest::newRow("the last series cannot be drawn: one page")
            << four << QList<int>{1, 2, 3, 4, 5} << 5 << false << QList<QStringList>{numbers(1, 4)}
            << QList<int>{5}
            << QStringLiteral("Serie 5 konnte nicht gedruckt werden, weil sie sich nicht "
                              "zeichnen lässt. Die übrigen Serien wurden gedruckt.");
        QTest::newRow("two cannot be drawn, the overall picture moves up")
            << four << QList<int>{1, 2, 3, 4, 5, 6} << 6 << true
            << QList<QStringList>{QStringList{QStringLiteral("1"), QStringLiteral("3"),
                                              QStringLiteral("5"), QStringLiteral("6")},
                                  QStringList{QStringLiteral("G")}}
            << QList<int>{2, 4}
            << QStringLiteral("Die Serien 2, 4 konnten nicht gedruckt werden, weil sie sich "
                              "nicht zeichnen lassen. Die übrigen Serien wurden gedruckt.");
        QTest::newRow("none can be drawn: no file")
            << four << QList<int>{3} << 1 << true << QList<QStringList>{} << QList<int>{3}
            << QStringLiteral("Serie 3 konnte nicht gedruckt werden, weil sie sich nicht "
                              "zeichnen lässt. Es wurde nichts gedruckt.");
    }

    void pagesAndHeaders() {
        QFETCH(int, style);
        QFETCH(QList<int>, called);
        QFETCH(int, count);
        QFETCH(bool, gesamt);
        QFETCH(QList<QStringList>, pages);
        QFETCH(QList<int>, unreadable);
        QFETCH(QString, message);
        storeSeries(9);
        for (int n : unreadable)
            m_series.remove(n);
        const QString file =
            printJob(SeriesPageStyle(style), called, qint16(count), PrintColour::Colour, gesamt);

        QCOMPARE(m_dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(QFileInfo::exists(file), !pages.isEmpty());
        if (pages.isEmpty())
            return;
        QCOMPARE(pdfPageCount(file), int(pages.size()));
        const QList<PdfLine> lines = pdfLines(file);
        for (int p = 1; p <= pages.size(); ++p) {
            // The header stands alone at the page's top left.
            const QList<PdfLine> headers = linesStartingWith(lines, p, QStringLiteral("Seite"));
            QCOMPARE(headers.size(), 1);
            QCOMPARE(headers.first().text, header(p, int(pages.size())));
            QVERIFY(std::abs(headers.first().box.left() - 10.0) < 0.5);
            QVERIFY(std::abs(headers.first().box.top() - 10.0) < 0.5);

            QStringList shown;
            for (const PdfLine& l : lines) {
                if (l.page != p)
                    continue;
                if (l.text.startsWith(QStringLiteral("Serie Nummer: ")))
                    shown << l.text.mid(14);
                else if (l.text == QStringLiteral("Gesamtschussbild"))
                    shown << QStringLiteral("G");
            }
            QCOMPARE(shown, pages.at(p - 1));
        }
    }

    // The series block of the main window's page: at x 150 mm and y slot x 70 mm
    // (from the page origin 10 mm inside the paper) the number, 10 mm further the
    // five rows of values 4 mm apart, at 30 mm the sums, at 34 mm the inner
    // tens (of the hits at 3,6 x i units from the centre of "LP" those within
    // 2,5 + 2,25 mm = 31,3 units: the first nine).
    void valuesAtTheirPositions_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<SeriesPrintData>("data");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("ten shots, first slot")
            << 0 << series({10.9, 9.7, 0.0, 8.5, 10.0, 9.1, 7.3, 10.4, 9.9, 8.8}, "80", "84,6")
            << QStringList{QStringLiteral("Serie Nummer: 1"),  QStringLiteral("1.: 10,9 2.: 9,7"),
                           QStringLiteral("3.: 0 4.: 8,5"),    QStringLiteral("5.: 10 6.: 9,1"),
                           QStringLiteral("7.: 7,3 8.: 10,4"), QStringLiteral("9.: 9,9 10.: 8,8"),
                           QStringLiteral("80 84,6"),          QStringLiteral("Innenzehner: 9")};
        QTest::newRow("three shots, second slot: the other rows show their numbers")
            << 1 << series({10.9, 9.7, 0.0}, "19", "20,6")
            << QStringList{QStringLiteral("Serie Nummer: 2"), QStringLiteral("1.: 10,9 2.: 9,7"),
                           QStringLiteral("3.: 0 4.:"),       QStringLiteral("5.: 6.:"),
                           QStringLiteral("7.: 8.:"),         QStringLiteral("9.: 10.:"),
                           QStringLiteral("19 20,6"),         QStringLiteral("Innenzehner: 3")};
        QTest::newRow("no shot, third slot") << 2 << series({}, "0", "0")
                                             << QStringList{QStringLiteral("Serie Nummer: 3"),
                                                            QStringLiteral("1.: 2.:"),
                                                            QStringLiteral("3.: 4.:"),
                                                            QStringLiteral("5.: 6.:"),
                                                            QStringLiteral("7.: 8.:"),
                                                            QStringLiteral("9.: 10.:"),
                                                            QStringLiteral("0 0"),
                                                            QStringLiteral("Innenzehner: 0")};
        // Hits 3,6 x i units out: 10,9, 10,9 (109 - 1,6 / 5,3 tenths,
        // rounded) and 10,8 (109 - 5,2 / 5,3), all three inner tens. A match
        // prints them by its rules.
        TargetFace lp;
        lp.apply(int(Discipline::LP));
        SeriesRules late;
        late.late[1] = true;
        QTest::newRow("a shot after the time prints 0, no inner ten")
            << 0 << seriesPrintData(recordWithShots(3), lp, late)
            << QStringList{QStringLiteral("Serie Nummer: 1"), QStringLiteral("1.: 10,9 2.: 0"),
                           QStringLiteral("3.: 10,8 4.:"),    QStringLiteral("5.: 6.:"),
                           QStringLiteral("7.: 8.:"),         QStringLiteral("9.: 10.:"),
                           QStringLiteral("20 21,7"),         QStringLiteral("Innenzehner: 2")};
        SeriesRules sighter;
        sighter.sighter = true;
        QTest::newRow("a sighting series prints its values, no sums")
            << 0 << seriesPrintData(recordWithShots(3), lp, sighter)
            << QStringList{QStringLiteral("Serie Nummer: 1"),
                           QStringLiteral("1.: 10,9 2.: 10,9"),
                           QStringLiteral("3.: 10,8 4.:"),
                           QStringLiteral("5.: 6.:"),
                           QStringLiteral("7.: 8.:"),
                           QStringLiteral("9.: 10.:"),
                           QStringLiteral("0 0"),
                           QStringLiteral("Innenzehner: 0")};
        QTest::newRow("ten shots, last slot")
            << 3
            << series({10.9, 10.9, 10.9, 10.9, 10.9, 10.9, 10.9, 10.9, 10.9, 10.9}, "100", "109")
            << QStringList{
                   QStringLiteral("Serie Nummer: 4"),   QStringLiteral("1.: 10,9 2.: 10,9"),
                   QStringLiteral("3.: 10,9 4.: 10,9"), QStringLiteral("5.: 10,9 6.: 10,9"),
                   QStringLiteral("7.: 10,9 8.: 10,9"), QStringLiteral("9.: 10,9 10.: 10,9"),
                   QStringLiteral("100 109"),           QStringLiteral("Innenzehner: 9")};
    }

    void valuesAtTheirPositions() {
        QFETCH(int, slot);
        QFETCH(SeriesPrintData, data);
        QFETCH(QStringList, expected);
        m_series.clear();
        QList<int> called;
        for (int s = 0; s < slot; ++s) {
            m_series[s + 1] = series({9.0}, "9", "9");
            called << s + 1;
        }
        m_series[slot + 1] = data;
        called << slot + 1;
        const QString file = printJob(SeriesPageStyle::FourPerPage, called, qint16(called.size()),
                                      PrintColour::BlackWhite, false);

        const double x = 10.0 + 150.0;
        const double top = 10.0 + slot * 70.0;
        QList<double> rowTops{top};
        for (int k = 0; k < 5; ++k)
            rowTops << top + 10.0 + 4.0 * k;
        rowTops << top + 30.0 << top + 34.0;

        QList<PdfLine> block;
        for (const PdfLine& l : pdfLines(file))
            if (l.page == 1 && std::abs(l.box.left() - x) < 0.5 && l.box.top() > top - 1.0 &&
                l.box.top() < top + 38.0)
                block << l;
        QStringList texts;
        for (const PdfLine& l : block)
            texts << l.text;
        QCOMPARE(texts, expected);
        for (int i = 0; i < block.size(); ++i) {
            QVERIFY2(std::abs(block.at(i).box.top() - rowTops.at(i)) < 0.5,
                     qPrintable(block.at(i).text));
            QVERIFY2(block.at(i).box.right() < 200.0, "text runs into the right margin");
        }
    }

    // The analysis window's page: two columns of four series in reading order,
    // every block's texts in one column below its number, inside the paper's margins.
    void eightSeriesPage() {
        m_series.clear();
        for (int i = 1; i <= 8; ++i)
            m_series[i] =
                series({10.9, 10.9, 10.9, 10.9, 10.9, 10.9, 10.9, 10.9, 10.9, 10.9}, "100", "109");
        const QString file = printJob(SeriesPageStyle::EightPerPage, {1, 2, 3, 4, 5, 6, 7, 8}, 8,
                                      PrintColour::Colour, false);
        const QList<PdfLine> lines = pdfLines(file);
        const QList<PdfLine> titles = linesStartingWith(lines, 1, QStringLiteral("Serie Nummer"));
        QCOMPARE(titles.size(), 8);
        QList<double> columns;
        QList<double> rows;
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(titles.at(i).text, QStringLiteral("Serie Nummer: %1").arg(i + 1));
            if (i < 2)
                columns << titles.at(i).box.left();
            if (i % 2 == 0)
                rows << titles.at(i).box.top();
            QVERIFY(std::abs(titles.at(i).box.left() - columns.at(i % 2)) < 0.3);
            QVERIFY(std::abs(titles.at(i).box.top() - rows.at(i / 2)) < 0.3);
        }
        QVERIFY(columns.at(1) - columns.at(0) > 60.0);
        for (int r = 1; r < 4; ++r)
            QVERIFY(rows.at(r) - rows.at(r - 1) > 60.0);
        // Everything stays on the page inside the 10 mm margins, and no texts
        // overlap (the shot numbers inside the marks aside).
        const QRegularExpression shotNumber(QStringLiteral("^\\d+$"));
        QList<PdfLine> texts;
        for (const PdfLine& l : lines)
            if (!shotNumber.match(l.text).hasMatch())
                texts << l;
        for (const PdfLine& l : texts) {
            QVERIFY2(l.box.right() < 200.0 && l.box.bottom() < 287.0, qPrintable(l.text));
            for (const PdfLine& o : texts)
                if (&o != &l && o.page == l.page)
                    QVERIFY2(!o.box.adjusted(0.1, 0.1, -0.1, -0.1).intersects(l.box),
                             qPrintable(l.text + u" / " + o.text));
        }
        // The sums of each series are below its values in its column.
        int sums = 0;
        for (const PdfLine& l : lines)
            if (l.text == QStringLiteral("100 109"))
                ++sums;
        QCOMPARE(sums, 8);
    }

    // The part of the face a target shows, from the ring table: a group is
    // shown out to the ring beyond the ring it lies in (at least to ring 8),
    // a spread one or none the whole face, the outermost ring and one band.
    void viewOfTheFace_data() {
        QTest::addColumn<int>("discipline");
        QTest::addColumn<double>("calibre");
        QTest::addColumn<QList<QPointF>>("shots");
        QTest::addColumn<double>("half");
        const int lp = int(Discipline::LP);
        QTest::newRow("LP, no shot: the whole face") << lp << 4.5 << QList<QPointF>{} << 85.75;
        QTest::newRow("LP, a shot in the ten: out to ring 8")
            << lp << 4.5 << QList<QPointF>{{0.0, 0.0}} << 21.75;
        QTest::newRow("LP, a shot in the five: out to ring 4")
            << lp << 4.5 << QList<QPointF>{{41.0, 0.0}, {1.0, 1.0}} << 53.75;
        QTest::newRow("LP, a shot in the one: the whole face")
            << lp << 4.5 << QList<QPointF>{{0.0, 73.5}} << 85.75;
        QTest::newRow("LP, a shot beyond the card: the view reaches it")
            << lp << 4.5 << QList<QPointF>{{-54.0, 72.0}} << 92.25;
        QTest::newRow("LG 10m, two shots in the seven: out to ring 6")
            << int(Discipline::LG10m) << 4.5 << QList<QPointF>{{1.0, 1.0}, {-3.0, 2.0}} << 10.25;
        QTest::newRow("OSP-SP, rings 10 to 5 only: out to ring 8")
            << int(Discipline::OspSp) << 5.6 << QList<QPointF>{{0.0, 0.0}} << 130.0;
        QTest::newRow("OSP-SP, in the five: the whole face")
            << int(Discipline::OspSp) << 5.6 << QList<QPointF>{{0.0, -240.0}} << 290.0;
        QTest::newRow("Gewehr 300m, a shot in the ten")
            << int(Discipline::Gewehr300m) << 8.0 << QList<QPointF>{{0.0, 0.0}} << 150.0;
    }

    void viewOfTheFace() {
        QFETCH(int, discipline);
        QFETCH(double, calibre);
        QFETCH(QList<QPointF>, shots);
        QFETCH(double, half);
        PrintedTarget target{discipline, calibre, {}};
        for (const QPointF& p : shots)
            target.shots << TargetShot{p.x(), p.y(), 0};
        const PrintedView view = printedView(target, 60.0);
        QVERIFY2(std::abs(view.halfMm - half) < 1e-9, qPrintable(QString::number(view.halfMm)));
        QVERIFY(std::abs(view.scale - 30.0 / half) < 1e-9);
    }

    // The scale below a target: the paper's millimetres to the target's, to
    // a tenth, a whole ratio without its ",0".
    void scaleLines_data() {
        QTest::addColumn<double>("scale");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("expected");
        const QString de = QStringLiteral("de_DE");
        QTest::newRow("the whole air-pistol face") << 30.0 / 85.75 << de << "Maßstab 1:2,9";
        QTest::newRow("out to ring 8 of the air pistol") << 30.0 / 21.75 << de << "Maßstab 1,4:1";
        QTest::newRow("true size") << 1.0 << de << "Maßstab 1:1";
        QTest::newRow("a fifth") << 0.2 << de << "Maßstab 1:5";
        QTest::newRow("twice") << 2.0 << de << "Maßstab 2:1";
        QTest::newRow("a little under true size") << 0.96 << de << "Maßstab 1:1";
        QTest::newRow("English decimal point")
            << 30.0 / 85.75 << QStringLiteral("en_GB") << "Maßstab 1:2.9";
    }

    void scaleLines() {
        QFETCH(double, scale);
        QFETCH(QString, language);
        QFETCH(QString, expected);
        QCOMPARE(scaleLine(scale, QLocale(language)), expected);
    }

    // The face is drawn to the view's scale in its 60 mm square in the
    // slot's 65 mm row: one shot on the card gives the view (see
    // viewOfTheFace), the black and the shot measured on the image are the
    // real sizes times 30 mm over the view's half.
    void faceAndShotSizes_data() {
        QTest::addColumn<int>("discipline");
        QTest::addColumn<double>("shotMm");
        QTest::addColumn<double>("black");
        QTest::addColumn<double>("shot");
        // 59.5 and 4.5 mm times 30/53.75.
        QTest::newRow("LP, in the five") << 0 << 41.0 << 33.209 << 2.512;
        // Times 30/85.75.
        QTest::newRow("LP, in the one: the whole face") << 0 << 73.5 << 20.816 << 1.574;
        // 200 and 5.6 mm times 30/150.
        QTest::newRow("FP-SP-100m, in the six") << 1 << 110.0 << 40.0 << 1.12;
        // 500 and 5.6 mm times 30/290.
        QTest::newRow("OSP-SP, beyond the five") << 2 << 270.0 << 51.724 << 0.579;
        // 112.4 and 5.6 mm times 30/77.2.
        QTest::newRow("Gewehr 50m, in the two") << 3 << 65.0 << 43.679 << 2.176;
    }

    void faceAndShotSizes() {
        QFETCH(int, discipline);
        QFETCH(double, shotMm);
        QFETCH(double, black);
        QFETCH(double, shot);
        TargetFace face;
        face.apply(discipline);
        SeriesRecord record;
        record.hitLeft[0] =
            num::toInt16(face.centre().x + shotMm * face.scale() - face.markDiameter() / 2);
        record.hitTop[0] = num::toInt16(face.centre().y - face.markDiameter() / 2);

        SeriesPage page;
        page.colour = false;
        for (int s = 0; s < 4; ++s)
            page.series << printedSeries(qint16(s + 1), SeriesPrintData{record, {}, {}, {}, {}},
                                         face, QLocale());
        const double px = 10.0; // pixels per millimetre
        page.header = {1, 1, kShooter, QStringLiteral("05.03.2024"), QStringLiteral("14:07")};
        const QImage image = renderPage(page, px);
        const auto toPx = [px](double mmFromPageOrigin) {
            return qRound((mmFromPageOrigin + 10.0) * px);
        };
        // A dark run of a millimetre: the black, not a ring's line.
        const auto blackAt = [&](int x, int y) {
            for (int k = 0; k < qRound(px); ++k)
                if (!dark(image.pixel(x, y + k)))
                    return false;
            return true;
        };

        for (int s = 0; s < 4; ++s) {
            const int cx = toPx(30.0);
            const int cy = toPx(s * 65.0 + 35.0);
            int top = -1, bottom = -1;
            for (int y = toPx(s * 65.0 + 5.0); y < toPx(s * 65.0 + 65.0) - qRound(px); ++y)
                if (blackAt(cx, y)) {
                    top = top < 0 ? y : top;
                    bottom = y + qRound(px) - 1;
                }
            QVERIFY(top >= 0);
            const double height = (bottom - top + 1) / px;
            QVERIFY2(std::abs(height - black) < 0.25, qPrintable(QString::number(height)));
            QVERIFY(std::abs((top + bottom) / 2.0 - cy) < 0.1 * px);
            // The shot: the non-white run on the row through the target's centre.
            const int at =
                cx + qRound(shotMm * black / disciplineInfo(discipline)->blackDiameterMm * px);
            int from = at, to = at;
            while (qGray(image.pixel(from - 1, cy)) < 235)
                --from;
            while (qGray(image.pixel(to + 1, cy)) < 235)
                ++to;
            const double size = (to - from + 1) / px;
            QVERIFY2(std::abs(size - shot) < 0.2,
                     qPrintable(QStringLiteral("%1 mm instead of %2").arg(size).arg(shot)));
        }
    }

    // "LG 10m" prints like the real face: the ten a white dot, the rings
    // on the black white and beyond it black, and the numbers of the rings
    // on the axes. Its hits 1,5, 4,2 and 6,3 mm out lie in ring 6 (10,25 mm)
    // so the view reaches ring 5, 12,75 mm, scale 30/12,75 = 2,35: the
    // numbers 5 to 8 (ring 5 in its band 11,5 mm out, 27,1 mm on paper; the
    // bands beyond lie outside the view), and "Maßstab 2,4:1" below the
    // face. Beside the sums the inner tens: the first hit covers the 0,5 mm
    // dot with its 4,5 mm. The face alone shows the whole card: rings 1 to
    // 22,75 mm and a band, 30 mm on paper, scale 1,19.
    void airRifleFace() {
        TargetFace face;
        face.apply(int(Discipline::LG10m));
        m_face = face;
        m_series.clear();
        m_series[1] =
            seriesPrintData(recordAtMm(face, {{0.0, -1.5}, {3.0, -3.0}, {-2.0, -6.0}}), face, {});
        const QString file =
            printJob(SeriesPageStyle::FourPerPage, {1}, 1, PrintColour::BlackWhite, false);
        QCOMPARE(textFrom(pdfLines(file), 1, 160.0, 10.0 + 33.0).left(14),
                 QStringLiteral("Innenzehner: 1"));
        const QPointF centre(40.0, 45.0); // on the paper
        QList<PdfWord> axis;
        bool scale = false;
        for (const PdfWord& w : pdfWords(file)) {
            if (w.page == 1 && w.box.right() < 80.0 &&
                std::abs(w.box.center().y() - centre.y()) < 1.0)
                axis << w;
            scale = scale || (w.text == QStringLiteral("2,4:1") &&
                              std::abs(w.box.top() - (centre.y() + 30.0)) < 1.5);
        }
        QVERIFY(scale);
        std::sort(axis.begin(), axis.end(),
                  [](const PdfWord& a, const PdfWord& b) { return a.box.left() < b.box.left(); });
        QStringList numbers;
        for (const PdfWord& w : axis)
            numbers << w.text;
        QCOMPARE(numbers, QString::fromLatin1("5 6 7 8 8 7 6 5").split(u' '));
        QVERIFY(std::abs(axis.first().box.center().x() - (centre.x() - 27.06)) < 0.5);

        // The face alone, at 10 pixels a millimetre: 1,188 paper mm a mm.
        SeriesPage page;
        page.colour = false;
        page.header = {1, 1, kShooter, QStringLiteral("05.03.2024"), QStringLiteral("14:07")};
        page.series << printedSeries(1, SeriesPrintData{SeriesRecord(), {}, {}, {}, {}}, face,
                                     QLocale());
        const QImage image = renderPage(page, 10.0);
        SeriesPage headerOnly = page;
        headerOnly.series.clear();
        const QImage header = renderPage(headerOnly, 10.0);
        const auto at = [&](const QImage& img, double dx, double dy) {
            return img.pixel(qRound((centre.x() + dx) * 10.0), qRound((centre.y() + dy) * 10.0));
        };
        QVERIFY(!dark(at(image, 0.0, 0.0)));  // the dot
        QVERIFY(dark(at(image, 1.5, 0.0)));   // the black
        QVERIFY(dark(at(image, -17.8, 0.0))); // ...to its edge at 18,12 mm
        // Along the diagonal: white between the black and ring 3 (21,09 mm),
        // then its line; ring 1 (27,03 mm) within the view.
        const double diagonal = std::numbers::sqrt2 / 2.0;
        const auto lineNear = [&](double r) {
            bool line = false;
            for (double d = r - 0.5; d < r + 0.5; d += 0.05)
                line = line || dark(at(image, -d * diagonal, d * diagonal));
            return line;
        };
        QVERIFY(!dark(at(image, -19.6 * diagonal, -19.6 * diagonal)));
        QVERIFY(lineNear(21.09));
        QVERIFY(lineNear(27.03));
        // Above the view's square nothing but the header.
        for (double dx = -34.0; dx < 34.0; dx += 0.1)
            QVERIFY(dark(at(image, dx, -31.0)) == dark(at(header, dx, -31.0)));
    }

    // "Farbig" prints in colour, otherwise the page holds no colour at all and
    // the printer is asked for black and white.
    void colourMode_data() {
        QTest::addColumn<int>("farbe");
        QTest::addColumn<bool>("gesamt");
        QTest::newRow("colour") << int(PrintColour::Colour) << false;
        QTest::newRow("black and white") << int(PrintColour::BlackWhite) << false;
        QTest::newRow("colour with overall picture") << int(PrintColour::Colour) << true;
        QTest::newRow("black and white with overall picture")
            << int(PrintColour::BlackWhite) << true;
    }

    void colourMode() {
        QFETCH(int, farbe);
        QFETCH(bool, gesamt);
        m_series.clear();
        m_series[1] = seriesPrintData(recordWithShots(10), m_face, {});
        m_series[2] = seriesPrintData(recordWithShots(4), m_face, {});
        const QString file =
            printJob(SeriesPageStyle::FourPerPage, {1, 2}, 2, PrintColour(farbe), gesamt);
        QCOMPARE(m_printers.colours, QList<PrintColour>{PrintColour(farbe)});
        QProcess p;
        p.start(tool("pdftoppm"),
                {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
                 QStringLiteral("-singlefile"), file, m_dir.filePath(QStringLiteral("seite"))});
        QVERIFY(p.waitForFinished(30000));
        const QImage image(m_dir.filePath(QStringLiteral("seite.png")));
        QVERIFY(!image.isNull());
        if (farbe == int(PrintColour::Colour))
            QVERIFY(colourfulPixels(image) > 20);
        else
            QCOMPARE(colourfulPixels(image), 0);
        bool overall = false;
        for (const PdfLine& l : pdfLines(file))
            overall = overall || l.text == QStringLiteral("Gesamtschussbild");
        QCOMPARE(overall, gesamt);
    }

    // The overall picture sums up every printed series.
    void overallSummary() {
        m_series.clear();
        m_series[1] = series({10.9, 9.7, 0.0}, "19", "20,6");
        m_series[2] = series({8.5, 10.0}, "18", "18,5");
        m_series[3] = series({}, "0", "0");
        const QString file =
            printJob(SeriesPageStyle::FourPerPage, {1, 2, 3}, 3, PrintColour::Colour, true);
        QStringList texts;
        for (const PdfLine& l : pdfLines(file))
            if (std::abs(l.box.left() - 160.0) < 0.5 && l.box.top() > 10.0 + 3 * 70.0 - 1.0)
                texts << l.text;
        QCOMPARE(texts,
                 (QStringList{QStringLiteral("Gesamtschussbild"), QStringLiteral("Serien: 3"),
                              QStringLiteral("Schüsse: 5"), QStringLiteral("Summe: 37"),
                              QStringLiteral("Zehntel: 39,1"), QStringLiteral("Innenzehner: 5"),
                              QStringLiteral("Schnitt: 7,82"), QStringLiteral("+ Trefferlage")}));
    }

    // Below its sums every series shows where its shots went and how far
    // they spread (the positions are stored in whole drawing units, which
    // makes 4 mm 3,9 mm).
    void seriesGroupLine_data() {
        QTest::addColumn<QList<QPointF>>("hits");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two shots right of the centre")
            << QList<QPointF>{{1.0, 0.0}, {5.0, 0.0}}
            << QStringLiteral("Trefferlage: 3,0 mm rechts; Streukreis 3,9 mm");
        QTest::newRow("three shots low left")
            << QList<QPointF>{{-2.0, -1.0}, {-4.0, -3.0}, {-6.0, -2.0}}
            << QStringLiteral("Trefferlage: 4,0 mm links, 2,0 mm tief; Streukreis 4,2 mm");
        QTest::newRow("no shot: no line") << QList<QPointF>{} << QString();
    }

    void seriesGroupLine() {
        QFETCH(QList<QPointF>, hits);
        QFETCH(QString, expected);
        m_series.clear();
        m_series[1] = seriesPrintData(recordAtMm(m_face, hits), m_face, {});
        const QString file =
            printJob(SeriesPageStyle::FourPerPage, {1}, 1, PrintColour::Colour, false);
        QCOMPARE(textFrom(pdfLines(file), 1, 160.0, 10.0 + 39.0), expected);
    }

    // The overall picture adds the figures of all printed shots; with the
    // main window's calls also those of the calls, the analysis window hands
    // over none.
    void overallFigures_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("seriesCount");
        QTest::addColumn<bool>("withCalls");
        const int four = int(SeriesPageStyle::FourPerPage);
        const int eight = int(SeriesPageStyle::EightPerPage);
        QTest::newRow("main window with calls") << four << 2 << true;
        QTest::newRow("main window, overall picture in the last slot") << four << 3 << true;
        QTest::newRow("analysis window, no calls") << eight << 2 << false;
        QTest::newRow("analysis window, right column") << eight << 3 << false;
    }

    void overallFigures() {
        QFETCH(int, style);
        QFETCH(int, seriesCount);
        QFETCH(bool, withCalls);
        const RatingOptions options;
        const SeriesRecord record =
            recordAtMm(m_face, {{3.0, 2.0}, {5.0, 1.0}}, {{1.0, 1.0}, {2.0, 0.0}});
        m_series.clear();
        QList<int> called;
        for (int n = 1; n <= seriesCount; ++n) {
            m_series[n] = seriesPrintData(record, m_face, {}, withCalls ? &options : nullptr);
            called << n;
        }
        const QString file = printJob(SeriesPageStyle(style), called, qint16(seriesCount),
                                      PrintColour::Colour, true);
        const QList<PdfLine> lines = pdfLines(file);
        QCOMPARE(linesStartingWith(lines, 1, QStringLiteral("Streukreis: 2,2 mm")).size(), 1);
        QCOMPARE(linesStartingWith(lines, 1, QStringLiteral("Korrektur: ")).size(), 1);
        QCOMPARE(linesStartingWith(lines, 1, QStringLiteral("Ansagefehler")).size(),
                 withCalls ? 1 : 0);
        // The figures stay inside the margins (the bold title of the right
        // column reaches a little into the right one).
        for (const PdfLine& l : lines)
            if (l.text != QStringLiteral("Gesamtschussbild"))
                QVERIFY2(l.box.right() < 200.0 && l.box.bottom() < 287.0, qPrintable(l.text));
    }

    // A long name gives way in the header; page numbers, date and time stay.
    void longNameInHeader() {
        storeSeries(1);
        const QString file = nextFile();
        m_printers.setCurrent(PrintDestination::pdfFile(file));
        SeriesPrintSource s = source();
        s.shooterName = [] {
            return QString(u"Ölschläger-" + QString(60, u'W'));
        };
        SeriesPrintJob job(SeriesPageStyle::FourPerPage, m_printers, m_dialogs, s,
                           QLocale(QLocale::German, QLocale::Germany));
        job.startPrinting(1, 1, PrintColour::Colour, false);
        job.printingEnded();
        const QList<PdfLine> lines = pdfLines(file);
        const QList<PdfLine> headers = linesStartingWith(lines, 1, QStringLiteral("Seite"));
        QCOMPARE(headers.size(), 1);
        const QString h = headers.first().text;
        QVERIFY2(h.startsWith(QStringLiteral("Seite 1 von 1 für Ölschläger-W")), qPrintable(h));
        QVERIFY2(h.endsWith(QStringLiteral(" am 05.03.2024 um 14:07")), qPrintable(h));
        QVERIFY(headers.first().box.right() < 160.0);
    }

    // A series the window cannot hand over is left out without ending the job.
    void unreadableSeriesIsLeftOut() {
        storeSeries(3);
        m_series.remove(2);
        const QString file = nextFile();
        m_printers.setCurrent(PrintDestination::pdfFile(file));
        auto job = makeJob(SeriesPageStyle::FourPerPage);
        for (int i = 1; i <= 3; ++i)
            job->startPrinting(qint16(i), 3, PrintColour::Colour, false);
        job->printingEnded();
        QStringList shown;
        for (const PdfLine& l : linesStartingWith(pdfLines(file), 1, QStringLiteral("Serie")))
            shown << l.text;
        QCOMPARE(shown, (QStringList{QStringLiteral("Serie Nummer: 1"),
                                     QStringLiteral("Serie Nummer: 3")}));

        // The next job starts on a new document with page 1.
        const QString second =
            printJob(SeriesPageStyle::FourPerPage, {3}, 1, PrintColour::Colour, false);
        QCOMPARE(m_printers.opened.size(), 2);
        QCOMPARE(linesStartingWith(pdfLines(second), 1, QStringLiteral("Seite")).first().text,
                 header(1, 1));
    }

    // The real printer service: a PDF file is written through the system's print
    // support; a printer that is not installed is refused, and the job says so
    // once and prints nothing.
    void realPrinterService() {
        QtPrinterService printers;
        QCOMPARE(printers.installedPrinters(), QPrinterInfo::availablePrinterNames());
        storeSeries(5);
        const QString file = nextFile();
        printers.setCurrent(PrintDestination::pdfFile(file));
        SeriesPrintJob job(SeriesPageStyle::FourPerPage, printers, m_dialogs, source(),
                           QLocale(QLocale::German, QLocale::Germany));
        for (int i = 1; i <= 5; ++i)
            job.startPrinting(qint16(i), 5, PrintColour::BlackWhite, false);
        job.printingEnded();
        QCOMPARE(pdfPageCount(file), 2);
        const QList<PdfLine> lines = pdfLines(file);
        const PdfLine second = linesStartingWith(lines, 2, QStringLiteral("Seite")).first();
        QCOMPARE(second.text, header(2, 2));
        // The whole sheet is the paint area: the page begins 10 mm inside the paper.
        QVERIFY(std::abs(second.box.left() - 10.0) < 0.5);
        QVERIFY(std::abs(second.box.top() - 10.0) < 0.5);
        QCOMPARE(linesStartingWith(lines, 2, QStringLiteral("Serie")).first().text,
                 QStringLiteral("Serie Nummer: 5"));
        QCOMPARE(m_dialogs.messages(), QStringList());

        const QString name = QStringLiteral("Ankerblick-Testdrucker-gibt-es-nicht");
        printers.setCurrent(PrintDestination::printer(name));
        for (int i = 1; i <= 3; ++i)
            job.startPrinting(qint16(i), 3, PrintColour::Colour, false);
        job.printingEnded();
        QCOMPARE(m_dialogs.messages(),
                 QStringList{u"Der Druck auf \"" + name + u"\" ist nicht möglich."});
    }

    // The dialog and the job together: what OK prints into the PDF file. With
    // nothing marked it says so before asking for a file, and writes none.
    void dialogPrintsTheChosenSeries_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<bool>("all");
        QTest::addColumn<QList<QStringList>>("pages");
        QTest::addColumn<int>("pageTotal");
        const int four = int(SeriesPageStyle::FourPerPage);
        QTest::newRow("three selected of nine: numbers of three")
            << four << 9 << QList<int>{8, 2, 4} << false
            << QList<QStringList>{QStringList{QStringLiteral("3"), QStringLiteral("5"),
                                              QStringLiteral("9")}}
            << 1;
        QTest::newRow("Alles drucken ignores the selection")
            << four << 6 << QList<int>{1, 3} << true
            << QList<QStringList>{numbers(1, 4), numbers(5, 6)} << 2;
        QTest::newRow("five selected, two pages")
            << four << 7 << QList<int>{0, 1, 2, 5, 6} << false
            << QList<QStringList>{numbers(1, 3) << QStringLiteral("6"), numbers(7, 7)} << 2;
        QTest::newRow("analysis window, nine series")
            << int(SeriesPageStyle::EightPerPage) << 9 << QList<int>{} << true
            << QList<QStringList>{numbers(1, 8), numbers(9, 9)} << 2;
        QTest::newRow("nothing marked: no file")
            << four << 3 << QList<int>{} << false << QList<QStringList>{} << 0;
    }

    void dialogPrintsTheChosenSeries() {
        QFETCH(int, style);
        QFETCH(int, count);
        QFETCH(QList<int>, rows);
        QFETCH(bool, all);
        QFETCH(QList<QStringList>, pages);
        QFETCH(int, pageTotal);
        storeSeries(count);
        const QString file = nextFile();
        m_dialogs.saveNames = {file};
        auto job = makeJob(SeriesPageStyle(style));
        DruckDialog dialog(m_printers, m_dialogs);
        dialog.printData(qint16(count), job->helpText());
        connect(&dialog, &DruckDialog::printRequested, this,
                [&job](const PrintRequest& request) { job->print(request); });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("DruckSerienListe"));
        for (int r : rows)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(r)).center());
        if (all)
            QTest::mouseClick(dialog.findChild<QCheckBox*>(QStringLiteral("AllesDrucken")),
                              Qt::LeftButton, {}, QPoint(8, 8));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("OKButton")),
                          Qt::LeftButton);

        if (pages.isEmpty()) {
            QCOMPARE(m_dialogs.asked.size(), 1);
            QCOMPARE(m_dialogs.messages(),
                     QStringList{QStringLiteral("Bitte mindestens eine Serie zum Drucken markieren "
                                                "oder „Alles drucken“ wählen.")});
            QVERIFY(m_printers.opened.isEmpty());
            QVERIFY(!QFileInfo::exists(file));
            QVERIFY(dialog.isVisible());
            return;
        }
        QCOMPARE(m_printers.opened, QList<PrintDestination>{PrintDestination::pdfFile(file)});
        QCOMPARE(pdfPageCount(file), pages.size());
        const QList<PdfLine> lines = pdfLines(file);
        for (int p = 1; p <= pages.size(); ++p) {
            QCOMPARE(linesStartingWith(lines, p, QStringLiteral("Seite")).first().text,
                     header(p, pageTotal));
            QStringList shown;
            for (const PdfLine& l : linesStartingWith(lines, p, QStringLiteral("Serie Nummer: ")))
                shown << l.text.mid(14);
            QCOMPARE(shown, pages.at(p - 1));
        }
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
