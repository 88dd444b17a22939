// The graph window of the value/time analysis driven like the user does: the
// query through the dialogs, arrow keys and mouse gestures on the picture, and
// the picture itself checked pixel by pixel.

#include "features/timeanalysis/ausgabeform.h"
#include "features/timeanalysis/valuetimeanalysis.h"
#include "support/boundscheck.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace ankerblick;
using namespace ankerblick::timeanalysis;
using ankerblick::test::bounds;
using ankerblick::test::sameBounds;
using ankerblick::test::ScriptedDialogs;
using ankerblick::test::show;
using namespace Qt::StringLiterals;

namespace {

QStringList answersFor(const Bounds& b) {
    QLocale l;
    return {l.toString(b.MinSchusswert), l.toString(b.MaxSchusswert), l.toString(b.AbSekunden),
            l.toString(b.BisSekunden)};
}

// Series s shows entry e worth s - 1 + e/10 rings; series 9 is not listed.
std::optional<double> tableValue(int series, int entry) {
    if (series == 9 || entry > 9)
        return std::nullopt;
    return series - 1 + entry / 10.0;
}

bool isRed(QRgb p) {
    return qRed(p) == 255 && qGreen(p) == 0 && qBlue(p) == 0;
}
bool isBlack(QRgb p) {
    return qRed(p) == 0 && qGreen(p) == 0 && qBlue(p) == 0;
}
bool isReddish(QRgb p) {
    return qRed(p) > 180 && qGreen(p) < 120 && qBlue(p) < 120;
}

// The centres of the groups of touching pure red pixels.
QList<QPointF> redSpots(const QImage& image) {
    QList<QPointF> spots;
    QVector<bool> seen(qsizetype(image.width()) * image.height(), false);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (seen[qsizetype(y) * image.width() + x] || !isRed(image.pixel(x, y)))
                continue;
            QList<QPoint> todo{{x, y}};
            seen[qsizetype(y) * image.width() + x] = true;
            double sx = 0, sy = 0;
            int n = 0;
            while (!todo.isEmpty()) {
                const QPoint p = todo.takeLast();
                sx += p.x();
                sy += p.y();
                ++n;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const QPoint q(p.x() + dx, p.y() + dy);
                        if (!image.rect().contains(q))
                            continue;
                        const qsizetype i = qsizetype(q.y()) * image.width() + q.x();
                        if (!seen[i] && isRed(image.pixel(q))) {
                            seen[i] = true;
                            todo.append(q);
                        }
                    }
            }
            spots.append(QPointF(sx / n, sy / n));
        }
    return spots;
}

// One calling window with its analysis.
struct Caller {
    explicit Caller(Variant variant, std::shared_ptr<GraphWindow> graph = nullptr) {
        analysis = std::make_unique<ValueTimeAnalysis>(
            variant, dialogs,
            [this](bool handStopped) { return handStopped ? shotTimes : shootingTimes; },
            tableValue, &window, std::move(graph));
    }
    // Answers the form: the kind of times and the four bounds.
    void open(bool handStopped, const QStringList& answers) {
        dialogs.forms = {FormAnswer{handStopped ? 0 : 1, answers}};
        analysis->showTimeAnalysis();
    }

    ScriptedDialogs dialogs;
    QString shotTimes;
    QString shootingTimes;
    QWidget window;
    std::unique_ptr<ValueTimeAnalysis> analysis;
};

// The one graph window there is.
AusgabeForm* form() {
    AusgabeForm* f = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* graph = qobject_cast<AusgabeForm*>(w)) {
            if (f)
                qFatal("more than one graph window");
            f = graph;
        }
    if (!f)
        qFatal("no graph window");
    return f;
}

GraphPicture* picture() {
    return form()->Picture1();
}

// What the picture shows on screen.
QImage shown() {
    return picture()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The graph drawn afresh with the caller's current bounds.
QImage drawnAfresh(const ValueTimeAnalysis& analysis) {
    QImage image(picture()->size(), QImage::Format_RGB32);
    QPainter p(&image);
    analysis.draw(p, image.size(), form()->Zeitart());
    return image;
}

// Gives the graph window an outer size of 800 x 600 (a picture of 791 x 570).
void standardSize() {
    AusgabeForm* f = form();
    f->showNormal();
    QTRY_VERIFY(!f->isMaximized());
    f->resize(QSize(800, 600) - (f->frameGeometry().size() - f->size()));
    QTRY_COMPARE(f->frameGeometry().size(), QSize(800, 600));
    QTRY_COMPARE(picture()->size(), QSize(791, 570));
}

void gesture(const QString& name) {
    GraphPicture* pic = picture();
    const auto drag = [pic](QPoint from, QPoint to) {
        QTest::mousePress(pic, Qt::LeftButton, {}, from);
        QTest::mouseMove(pic, (from + to) / 2);
        QTest::mouseMove(pic, to);
        QTest::mouseRelease(pic, Qt::LeftButton, {}, to);
    };
    if (name == u"left")
        QTest::keyClick(pic, Qt::Key_Left);
    else if (name == u"right")
        QTest::keyClick(pic, Qt::Key_Right);
    else if (name == u"up")
        QTest::keyClick(pic, Qt::Key_Up);
    else if (name == u"down")
        QTest::keyClick(pic, Qt::Key_Down);
    else if (name == u"other key")
        QTest::keyClick(pic, Qt::Key_Space);
    else if (name == u"right click")
        QTest::mouseClick(pic, Qt::RightButton, {}, QPoint(300, 300));
    else if (name == u"middle click")
        QTest::mouseClick(pic, Qt::MiddleButton, {}, QPoint(300, 300));
    else if (name == u"drag down right")
        drag(QPoint(200, 120), QPoint(600, 450));
    else if (name == u"drag up left")
        drag(QPoint(600, 450), QPoint(200, 120));
    else if (name == u"drag horizontal")
        drag(QPoint(200, 300), QPoint(600, 300));
    else if (name == u"drag vertical")
        drag(QPoint(300, 100), QPoint(300, 500));
    else if (name == u"click")
        QTest::mouseClick(pic, Qt::LeftButton, {}, QPoint(300, 300));
    else
        qFatal("unknown gesture");
}

} // namespace

// Two redraws of ten thousand lines; the address sanitizer's checks make
// every drawing call some three times slower.
#ifdef __SANITIZE_ADDRESS__
constexpr qint64 kRedrawLimitMs = 1200;
#else
constexpr qint64 kRedrawLimitMs = 400;
#endif

class TestAusgabeForm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void query_data() {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("zeitart");
        QTest::addColumn<int>("discs");
        QTest::newRow("Yes: shot times") << true << QStringLiteral("Schusszeit") << 2;
        QTest::newRow("No: shooting times") << false << QStringLiteral("Schiesszeit") << 3;
    }
    void query() {
        QFETCH(bool, yes);
        QFETCH(QString, zeitart);
        QFETCH(int, discs);
        Caller c(Variant::MainWindow);
        c.shotTimes = QStringLiteral("Serie:1 Schuss:2: 3\r\nSerie:1 Schuss:3: 3,5\r\n");
        c.shootingTimes =
            QStringLiteral("Serie:1 Schuss:2: 1\r\nSerie:1 Schuss:3: 2\r\nSerie:1 Schuss:4: 3\r\n");
        c.open(yes, {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                     QStringLiteral("4")});

        QCOMPARE(c.dialogs.asked.size(), 1);
        QCOMPARE(c.dialogs.asked[0].kind, QStringLiteral("form"));
        QCOMPARE(c.dialogs.asked[0].title, QStringLiteral("Zeitanalyse"));
        QVERIFY(sameBounds(c.analysis->bounds(), bounds(0, 0, 0, 4)));

        AusgabeForm* f = form();
        QVERIFY(f->isVisible());
        QVERIFY(f->isMaximized());
        QTRY_COMPARE(f->frameGeometry(), f->screen()->availableGeometry());
        QCOMPARE(c.analysis->graphWindow(), f);
        QCOMPARE(f->Zeitart(), zeitart);
        QVERIFY(!f->ZiehenAktiv());
        QCOMPARE(f->windowTitle(), QStringLiteral("Schusswert-/Zeitanalyse"));
        QCOMPARE(picture()->objectName(), QStringLiteral("Picture1"));
        QCOMPARE(picture()->pos(), QPoint(0, 0));
        // 450 twips (30 pixels) less high, 140 twips less wide than the window.
        QCOMPARE(picture()->height(), f->frameGeometry().height() - 30);
        QVERIFY(std::abs(picture()->width() - (f->frameGeometry().width() - 140.0 / 15)) <= 0.5);
        // One row of values and four seconds carry no labels: every red spot is a disc.
        QCOMPARE(redSpots(shown()).size(), discs);

        // Keys typed on the window reach the picture.
        QTRY_VERIFY(picture()->hasFocus());
        // Four seconds move by whole seconds only; the value window widens to one ring.
        QTest::keyClick(f->windowHandle(), Qt::Key_Right);
        QVERIFY(sameBounds(c.analysis->bounds(), bounds(0, 1, 0, 4)));
    }

    void reusedByTheNextAnalysis() {
        const auto graph = std::make_shared<GraphWindow>();
        Caller first(Variant::MainWindow, graph);
        first.shotTimes = QStringLiteral("Serie:1 Schuss:1: 50\r\n");
        first.open(true, {QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("0"),
                          QStringLiteral("10")});
        AusgabeForm* f = form();
        QCOMPARE(f->windowTitle(), QStringLiteral("Zeiten zwischen 0 und 10 Sekunden werden "
                                                  "angezeigt. 1Treffer liegen darüber/darunter"));

        // Another window's analysis draws in the same graph window.
        auto second = std::make_unique<Caller>(Variant::AnalysisWindow, graph);
        second->shootingTimes = QStringLiteral("Serie:2 Schuss:1: 5\r\n");
        second->open(false, {QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("0"),
                             QStringLiteral("10")});
        QCOMPARE(form(), f);
        QCOMPARE(second->analysis->graphWindow(), f);
        QCOMPARE(first.analysis->graphWindow(), nullptr);
        QCOMPARE(f->Zeitart(), QStringLiteral("Schiesszeit"));
        QCOMPARE(f->windowTitle(), QStringLiteral("Schusswert-/Zeitanalyse"));
        QCOMPARE(shown(), drawnAfresh(*second->analysis));

        // That analysis goes away: the window stays, keys and clicks do nothing.
        const QImage before = shown();
        second.reset();
        QTest::keyClick(picture(), Qt::Key_Right);
        QTest::mouseClick(picture(), Qt::RightButton, {}, QPoint(10, 10));
        f->resize(640, 480);
        QVERIFY(sameBounds(first.analysis->bounds(), bounds(0, 10, 0, 10)));
        QCOMPARE(shown(), before);

        // The next analysis of the first window takes it back; the window goes
        // with the last analysis that shares it.
        first.open(true, {QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("0"),
                          QStringLiteral("10")});
        QCOMPARE(form(), f);
        QCOMPARE(first.analysis->graphWindow(), f);
        QPointer<AusgabeForm> watch(f);
        first.analysis.reset();
        QVERIFY(!watch.isNull());
    }

    void zoomByEvents_data() {
        QTest::addColumn<Variant>("variant");
        QTest::addColumn<Bounds>("before");
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<Bounds>("after");
        const Variant main = Variant::MainWindow;
        const Variant analysis = Variant::AnalysisWindow;
        const Bounds s = bounds(5, 8, 0, 33);
        QTest::newRow("main right") << main << s << "right" << bounds(5, 8, 3, 36);
        QTest::newRow("main left") << main << s << "left" << bounds(5, 8, 0, 29);
        QTest::newRow("main up") << main << s << "up" << bounds(5.4f, 8.8f, 0, 33);
        QTest::newRow("main down") << main << s << "down" << bounds(4.6f, 7.2f, 0, 33);
        QTest::newRow("main right click") << main << s << "right click" << bounds(4, 8.8f, 0, 41);
        QTest::newRow("main middle click") << main << s << "middle click" << bounds(4, 8.8f, 0, 41);
        QTest::newRow("main other key") << main << s << "other key" << s;
        QTest::newRow("analysis right") << analysis << s << "right" << bounds(5, 8, 3.3f, 36.3f);
        QTest::newRow("analysis left") << analysis << s << "left" << bounds(5, 8, 0, 29.7f);
        QTest::newRow("analysis up") << analysis << s << "up" << bounds(5.4f, 8.9f, 0, 33);
        QTest::newRow("analysis down") << analysis << s << "down" << bounds(4.6f, 7.1f, 0, 33);
        QTest::newRow("analysis right click")
            << analysis << s << "right click" << bounds(4, 8.9f, 0, 41.2f);
        // On the 791 x 570 picture: x 200 to 600, y 120 to 450.
        const Bounds wide = bounds(0, 10, 0, 100);
        QTest::newRow("main drag down right")
            << main << wide << "drag down right" << bounds(2.3f, 7.8f, 25, 75);
        QTest::newRow("main drag up left")
            << main << wide << "drag up left" << bounds(2.3f, 7.8f, 25, 75);
        QTest::newRow("analysis drag down right")
            << analysis << wide << "drag down right" << bounds(2.3f, 7.6f, 25.2f, 75.8f);
        QTest::newRow("analysis drag up left")
            << analysis << wide << "drag up left" << bounds(2.3f, 7.6f, 25.2f, 75.8f);
        QTest::newRow("main click") << main << wide << "click" << wide;
        QTest::newRow("main drag horizontal") << main << wide << "drag horizontal" << wide;
        QTest::newRow("analysis drag vertical") << analysis << wide << "drag vertical" << wide;
    }
    void zoomByEvents() {
        QFETCH(Variant, variant);
        QFETCH(Bounds, before);
        QFETCH(QString, gesture);
        QFETCH(Bounds, after);
        Caller c(variant);
        c.shotTimes = QStringLiteral("Serie:6 Schuss:1: 1\r\nSerie:6 Schuss:5: 30\r\n");
        c.open(true, answersFor(before));
        standardSize();
        QVERIFY(sameBounds(c.analysis->bounds(), before));

        ::gesture(gesture);
        const Bounds b = c.analysis->bounds();
        QVERIFY2(sameBounds(b, after), qPrintable(show(b)));
        QVERIFY(!form()->ZiehenAktiv());
        // Every zoom is followed by a redraw with the new bounds.
        QCOMPARE(shown(), drawnAfresh(*c.analysis));
    }

    void repeatedPressesStopAtTheLimits_data() {
        QTest::addColumn<Variant>("variant");
        QTest::addColumn<QString>("gesture");
        for (const Variant v : {Variant::MainWindow, Variant::AnalysisWindow}) {
            const char* name = v == Variant::MainWindow ? "main " : "analysis ";
            for (const char* g : {"left", "right", "up", "down", "right click"})
                QTest::newRow(qPrintable(QString::fromLatin1(name) + QString::fromLatin1(g)))
                    << v << QString::fromLatin1(g);
        }
    }
    void repeatedPressesStopAtTheLimits() {
        QFETCH(Variant, variant);
        QFETCH(QString, gesture);
        Caller c(variant);
        c.shotTimes = QStringLiteral("Serie:1 Schuss:1: 500\r\n");
        c.open(true, answersFor(bounds(4, 7, 300, 700)));
        for (int i = 0; i < 150; ++i)
            ::gesture(gesture);
        const auto check = [&gesture](const Bounds& b) {
            const QByteArray text = show(b).toUtf8();
            QVERIFY2(b.AbSekunden >= 0 && b.BisSekunden <= 1000, text.constData());
            QVERIFY2(b.BisSekunden - b.AbSekunden >= 1, text.constData());
            QVERIFY2(b.MinSchusswert >= 0 && b.MaxSchusswert <= 10, text.constData());
            QVERIFY2(b.MaxSchusswert - b.MinSchusswert >= 1, text.constData());
            if (gesture == u"left" || gesture == u"right click")
                QCOMPARE(b.AbSekunden, 0.0f);
            if (gesture == u"right" || gesture == u"right click")
                QCOMPARE(b.BisSekunden, 1000.0f);
            if (gesture == u"up" || gesture == u"right click")
                QCOMPARE(b.MaxSchusswert, 10.0f);
            if (gesture == u"down" || gesture == u"right click")
                QCOMPARE(b.MinSchusswert, 0.0f);
        };
        check(c.analysis->bounds());
        // Further presses keep the limit.
        for (int i = 0; i < 5; ++i) {
            ::gesture(gesture);
            check(c.analysis->bounds());
        }
    }

    // Every row: one row of rings and four seconds, so no labels and every red
    // pixel belongs to a disc; the discs as fractions of the picture's width
    // and height.
    void discsOnThePicture_data() {
        QTest::addColumn<Variant>("variant");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("times");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QList<QPointF>>("discs");
        QTest::newRow("values 0 to 1, 0 to 4 s")
            << Variant::MainWindow << QStringList{QString(), QString(), QString(), u"4"_s}
            << QStringLiteral("Serie:1 Schuss:2: 0,5\r\nSerie:1 Schuss:4: 1,5\r\n"
                              "Serie:1 Schuss:6: 2,2\r\nSerie:1 Schuss:8: 3,7\r\n"
                              "Serie:1 Schuss:10: 3,9\r\nSerie:1 Schuss:5: 4,5\r\n")
            << QStringLiteral("Zeiten zwischen 0 und 4 Sekunden werden angezeigt. 1Treffer "
                              "liegen darüber/darunter")
            << QList<QPointF>{
                   {0.5 / 4, 0.9}, {1.5 / 4, 0.7}, {2.2 / 4, 0.5}, {3.7 / 4, 0.3}, {3.9 / 4, 0.1}};
        // Bounds with tenths: the picture spans ring 10 (10 to 11) and the
        // seconds 7 to 11, so 10,9 at 10,5 s lies inside it.
        QTest::newRow("10,9 at 10,5 s in 10 to 10,9 and 7,2 to 10,5 s")
            << Variant::AnalysisWindow << QStringList{u"10"_s, u"10,9"_s, u"7,2"_s, u"10,5"_s}
            << QStringLiteral("Serie:11 Schuss:10: 10,5\r\nSerie:11 Schuss:6: 7,2\r\n")
            << QStringLiteral("Schusswert-/Zeitanalyse")
            << QList<QPointF>{{3.5 / 4, 0.1}, {0.2 / 4, 0.5}};
        // Whole seconds as the main window keeps them, the lower ring bound
        // with tenths: the picture spans ring 2 (2 to 3).
        QTest::newRow("2,3 in 2,3 to 2,8")
            << Variant::MainWindow << QStringList{u"2,3"_s, u"2,8"_s, u"0"_s, u"4"_s}
            << QStringLiteral("Serie:3 Schuss:4: 1,5\r\nSerie:3 Schuss:9: 2,5\r\n")
            << QStringLiteral("Schusswert-/Zeitanalyse")
            << QList<QPointF>{{1.5 / 4, 0.7}, {2.5 / 4, 0.2}};
    }
    void discsOnThePicture() {
        QFETCH(Variant, variant);
        QFETCH(QStringList, answers);
        QFETCH(QString, times);
        QFETCH(QString, caption);
        QFETCH(QList<QPointF>, discs);
        Caller c(variant);
        c.shotTimes = times;
        c.open(true, answers);
        standardSize();
        QCOMPARE(form()->windowTitle(), caption);
        const QImage image = shown();
        QCOMPARE(image, picture()->image());
        const double w = 791, h = 570;
        QList<QPointF> expected;
        for (const QPointF& d : discs)
            expected << QPointF(d.x() * w, d.y() * h);
        const QList<QPointF> spots = redSpots(image);
        QCOMPARE(spots.size(), expected.size());
        for (const QPointF& e : expected) {
            const bool found = std::any_of(spots.begin(), spots.end(), [&](const QPointF& s) {
                return std::abs(s.x() - e.x()) <= 1.5 && std::abs(s.y() - e.y()) <= 1.5;
            });
            QVERIFY2(found, qPrintable(QStringLiteral("no disc at %1,%2").arg(e.x()).arg(e.y())));
        }
        // Time lines at a quarter, half and three quarters of the width, from
        // top to bottom; no value line.
        for (int k = 1; k <= 3; ++k) {
            const int x = qRound(k * w / 4);
            int black = 0;
            for (int y = 0; y < image.height(); ++y)
                black += (isBlack(image.pixel(x - 1, y)) || isBlack(image.pixel(x, y)) ||
                          isBlack(image.pixel(x + 1, y)));
            QVERIFY2(black >= image.height() - 12, qPrintable(QString::number(k)));
        }
        int blackInRow = 0;
        for (int x = 0; x < image.width(); ++x)
            blackInRow += isBlack(image.pixel(x, 100));
        QCOMPARE(blackInRow, 3);
    }

    // Without times of the kind chosen the analysis says so and opens no
    // window; Cancel leaves without one as well.
    void nothingToShowIsSaid_data() {
        QTest::addColumn<bool>("handStopped");
        QTest::addColumn<QString>("message");
        QTest::newRow("shot times") << true << u"Es gibt noch keine Schusszeiten zum Anzeigen."_s;
        QTest::newRow("shooting times")
            << false << u"Es gibt noch keine Schiesszeiten zum Anzeigen."_s;
        QTest::newRow("Cancel") << true << QString();
    }
    void nothingToShowIsSaid() {
        QFETCH(bool, handStopped);
        QFETCH(QString, message);
        Caller c(Variant::MainWindow);
        // Times of the other kind only.
        (handStopped ? c.shootingTimes : c.shotTimes) = u"Serie:1 Schuss:2: 3\r\n"_s;
        if (message.isEmpty())
            c.analysis->showTimeAnalysis(); // no answer: Cancel
        else
            c.open(handStopped, {u"0"_s, u"10"_s, u"0"_s, u"10"_s});
        QCOMPARE(c.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QVERIFY(!c.analysis->graphWindow() || !c.analysis->graphWindow()->isVisible());
    }

    void linesAndLabelsOnThePicture() {
        Caller c(Variant::AnalysisWindow);
        // One time, beyond the window shown: the picture holds no disc.
        c.shotTimes = u"Serie:1 Schuss:1: 500\r\n"_s;
        c.open(true, {QStringLiteral("7"), QStringLiteral("10"), QStringLiteral("0"),
                      QStringLiteral("10")});
        standardSize();
        const QImage image = shown();
        const double w = 791, h = 570;
        // Value lines at a quarter, half and three quarters of the height with
        // red labels 10, 9 and 8 just above them at the left edge.
        for (int k = 1; k <= 3; ++k) {
            const int y = qRound(k * h / 4);
            int black = 0;
            for (int x = 0; x < image.width(); ++x)
                black += isBlack(image.pixel(x, y)) || isBlack(image.pixel(x, y - 1));
            QVERIFY2(black >= image.width() - 40, qPrintable(QString::number(k)));
            int red = 0;
            for (int yy = y - 12; yy < y + 8; ++yy)
                for (int x = 0; x < 20; ++x)
                    red += isReddish(image.pixel(x, yy));
            QVERIFY2(red > 5, qPrintable(QString::number(k)));
        }
        // Ten time lines; labels 5 and 10 near the bottom, left of their lines.
        int blackInRow = 0;
        for (int x = 0; x < image.width(); ++x)
            blackInRow += isBlack(image.pixel(x, 60));
        QCOMPARE(blackInRow, 9); // the tenth lies on the right edge
        for (int k : {5, 10}) {
            const double x = k * w / 10;
            int red = 0;
            for (int yy = int(h) - 22; yy < int(h); ++yy)
                for (int xx = int(x) - 10; xx < int(x) + 10 && xx < image.width(); ++xx)
                    red += isReddish(image.pixel(xx, yy));
            QVERIFY2(red > 5, qPrintable(QString::number(k)));
        }
        int redBetween = 0;
        for (int yy = int(h) - 22; yy < int(h); ++yy)
            for (int xx = int(2.5 * w / 10) - 10; xx < int(2.5 * w / 10) + 10; ++xx)
                redBetween += isReddish(image.pixel(xx, yy));
        QCOMPARE(redBetween, 0);
        // The label 10 of the line on the right edge stands whole inside the
        // picture: two digits wide, nothing in the last column.
        QSet<int> columns;
        for (int yy = int(h) - 22; yy < int(h); ++yy)
            for (int xx = int(w) - 30; xx < int(w); ++xx)
                if (isReddish(image.pixel(xx, yy)))
                    columns << xx;
        QVERIFY2(columns.size() >= 8, qPrintable(QString::number(columns.size())));
        QVERIFY(!columns.contains(int(w) - 1));
    }

    void drawingStaysWhenCovered() {
        Caller c(Variant::MainWindow);
        c.shotTimes = QStringLiteral("Serie:1 Schuss:3: 1\r\nSerie:1 Schuss:7: 2\r\n");
        c.open(true, {QString(), QString(), QString(), QStringLiteral("3")});
        const QImage before = shown();
        QCOMPARE(redSpots(before).size(), 2);
        // The window keeps its graph: the picture is back after the window
        // was hidden and shown.
        form()->hide();
        form()->show();
        QCOMPARE(shown(), before);
    }

    void dragRectangleShownInverted() {
        Caller c(Variant::MainWindow);
        c.shotTimes = u"Serie:1 Schuss:1: 500\r\n"_s; // beyond the window shown
        c.open(true, {QString(), QString(), QString(), QStringLiteral("3")});
        standardSize();
        const QImage plain = shown();
        const QPoint edge(150, 100); // on the top edge of the rectangle below
        QCOMPARE(plain.pixel(edge), qRgb(255, 255, 255));

        QTest::mousePress(picture(), Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseMove(picture(), QPoint(150, 150));
        QTest::mouseMove(picture(), QPoint(180, 200));
        QVERIFY(form()->ZiehenAktiv());
        QCOMPARE(shown().pixel(edge), qRgb(0, 0, 0));
        QCOMPARE(shown().pixel(QPoint(150, 150)), qRgb(255, 255, 255));
        // Released straight below the start: no zoom, the rectangle is gone.
        QTest::mouseRelease(picture(), Qt::LeftButton, {}, QPoint(100, 200));
        QVERIFY(!form()->ZiehenAktiv());
        QCOMPARE(shown(), plain);
        QVERIFY(sameBounds(c.analysis->bounds(), bounds(0, 0, 0, 3)));
    }

    void longTextsRedrawWithoutPause() {
        Caller c(Variant::AnalysisWindow);
        for (int i = 0; i < 10000; ++i)
            c.shootingTimes += QStringLiteral("Serie:%1 Schuss:%2: %3\r\n")
                                   .arg(i / 10 + 1)
                                   .arg(i % 10 + 1)
                                   .arg(QLocale().toString((i * 7 % 9990) / 10.0));
        c.open(false, {QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("0"),
                       QStringLiteral("1000")});
        standardSize();
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(picture(), Qt::Key_Up);
        QTest::keyClick(picture(), Qt::Key_Down);
        const qint64 twoRedraws = timer.elapsed();
        QVERIFY2(twoRedraws < kRedrawLimitMs, qPrintable(QString::number(twoRedraws)));
        // Series 9 is not listed: its ten shots are counted as not shown.
        QVERIFY(form()->windowTitle().endsWith(u"10Treffer liegen darüber/darunter"));
    }
};

QTEST_MAIN(TestAusgabeForm)
#include "tst_ausgabeform.moc"
