#include "features/diary/diarywindow.h"
#include "model/background.h"
#include "model/targetface.h"
#include "platform/clock.h"
#include "sheets/callfinding.h"
#include "sheets/diaryexport.h"
#include "sheets/trainingview.h"
#include "support/memorydiary.h"
#include "support/pdfprinters.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChartView>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineSeries>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <memory>

using namespace ankerblick;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(QList<ankerblick::diary::ShotRow>)
Q_DECLARE_METATYPE(QList<ankerblick::diary::TrainingSummary>)
Q_DECLARE_METATYPE(ankerblick::diary::TrainingSummary)
using TenthsCounts = std::map<int, int>;
Q_DECLARE_METATYPE(TenthsCounts)

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);
const QByteArray kCsvHeader =
    "\xEF\xBB\xBF"
    "Datum;Schütze;Disziplin;Serie;Schuss;Treffer x (mm);Treffer y (mm);Wert;Ansage x (mm);"
    "Ansage y (mm);Ansagewert;Bewertung;Sek*mm;Schusszeit (s);Schießzeit (s);Kommentar;"
    "Innenzehner;Probeserie;Kaliber (mm);Programm;Treffer - Ansage x (mm);Treffer - Ansage y "
    "(mm);In der Ansage;Im Halten verloren;Beim Schuss verloren\r\n";

QDateTime at(int year, int month, int day, int hour, int minute = 0) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute));
}

// A time without summer time, so that days are all equally long.
QDateTime utc(int year, int month, int day, int hour) {
    return QDateTime(QDate(year, month, day), QTime(hour, 0), Qt::UTC);
}

// A shot of the export with a call and both times.
diary::ShotRow fullShot() {
    diary::ShotRow row;
    row.trainingStart = at(2026, 3, 14, 9, 30);
    row.shooter = u"Anna Berg"_s;
    row.discipline = int(Discipline::LP);
    row.series = 2;
    row.shot.slot = 3;
    row.shot.hit = {1.25, -3.5};
    row.shot.value = 9.7;
    row.shot.call = group::PointMm{0.5, 0.25};
    row.shot.callValue = 10.4;
    row.shot.rating = 10;
    row.shot.sekMm = 42;
    row.shot.shotTime = 1.5;
    row.shot.shootingTime = 12.25;
    return row;
}

diary::TrainingSummary summary(const QDateTime& start, int series, double meanWhole,
                               std::optional<double> calls10, std::optional<group::PointMm> mpi) {
    diary::TrainingSummary t;
    t.training.start = start;
    t.series = series;
    t.meanSumWhole = meanWhole;
    t.meanSumTenths = meanWhole + 5.0;
    t.call10Share = calls10;
    t.mpi = mpi;
    return t;
}

// A series of ten shots with the given values, each called, the first half
// of the calls scored 10 and the rest 5.
diary::Series seriesWith(int number, double value, const QDateTime& time) {
    diary::Series s;
    s.number = number;
    s.time = time;
    for (int slot = 0; slot < 10; ++slot) {
        diary::Shot shot;
        shot.slot = slot;
        shot.hit = {0.5 * slot, -0.25 * slot};
        shot.value = value;
        shot.call = group::PointMm{0.0, 0.0};
        shot.callValue = 10.5;
        shot.rating = slot < 5 ? 10 : 5;
        shot.comment = slot == 0 ? u"zu früh; \"gerissen\""_s : QString();
        s.shots << shot;
    }
    return s;
}

struct Planned {
    QString shooter;
    int discipline;
    QDateTime start;
    int series;
};

// Anna and Bernd in spring 2026: ids 1 to 4 in this order.
const QList<Planned> kSpring = {
    {u"Anna"_s, int(Discipline::LP), at(2026, 3, 2, 10), 2},
    {u"Anna"_s, int(Discipline::Gewehr50m), at(2026, 3, 10, 18), 1},
    {u"Bernd"_s, int(Discipline::LP), at(2026, 4, 5, 9), 1},
    {u"Bernd"_s, int(Discipline::OspSp), at(2026, 5, 1, 14), 1},
};

// The window reads its trainings on another thread: true once it has.
bool settled(const DiaryWindow& window) {
    return QTest::qWaitFor([&window] { return !window.reading(); }, 5000);
}

QList<qint64> fill(MemoryDiary& diary, const QList<Planned>& plan) {
    QList<qint64> ids;
    for (const Planned& p : plan) {
        diary::Training t;
        t.shooter = p.shooter;
        t.discipline = p.discipline;
        t.window = u"Form1"_s;
        t.start = p.start;
        t.end = p.start.addSecs(3600);
        QList<diary::Series> series;
        for (int n = 1; n <= p.series; ++n)
            series << seriesWith(n, 8.0 + n, p.start.addSecs(600 * n));
        ids << *diary.importTraining(t, series, p.start.toString(Qt::ISODate).toUtf8());
    }
    return ids;
}

QString pdfText(const QString& file) {
    QProcess p;
    p.start(QStandardPaths::findExecutable(u"pdftotext"_s), {u"-layout"_s, file, u"-"_s});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestDiaryWindow : public QObject {
    Q_OBJECT

    MemoryDiary m_diary;
    test::ScriptedDialogs m_dialogs;
    test::PdfPrinters m_printers;
    QTemporaryDir m_dir;

    template <typename W> W* child(QWidget& window, const QString& name) {
        W* w = window.findChild<W*>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }

    QStringList shownDates(DiaryWindow& window) {
        QAbstractItemModel* model = child<QTableView>(window, u"Trainings"_s)->model();
        QStringList dates;
        for (int row = 0; row < model->rowCount(); ++row)
            dates << model->index(row, 0).data().toString();
        return dates;
    }

    // What each chart tab shows, looked at in turn: the points of its first
    // line, or the shots of its bars.
    QList<int> chartCounts(DiaryWindow& window) {
        auto* tabs = child<QTabWidget>(window, u"Diagramme"_s);
        QList<int> counts;
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QAbstractSeries* first =
                qobject_cast<QChartView*>(tabs->widget(i))->chart()->series().at(0);
            int count = 0;
            if (auto* line = qobject_cast<QLineSeries*>(first))
                count = int(line->count());
            else
                for (const QBarSet* set : qobject_cast<QBarSeries*>(first)->barSets())
                    count += int(set->sum());
            counts << count;
        }
        tabs->setCurrentIndex(0);
        return counts;
    }

private Q_SLOTS:
    void init() {
        m_diary = MemoryDiary();
        m_dialogs = test::ScriptedDialogs();
        m_printers = test::PdfPrinters();
    }

    void csv_data() {
        QTest::addColumn<QList<diary::ShotRow>>("rows");
        QTest::addColumn<QByteArray>("lines");

        QTest::newRow("header only") << QList<diary::ShotRow>() << QByteArray();
        QTest::newRow("decimal comma") << QList{fullShot()}
                                       << QByteArray("14.03.2026 09:30;Anna Berg;LP;2;4;1,25;"
                                                     "-3,5;9,7;0,5;0,25;10,4;10;42;1,5;12,25;;"
                                                     "nein;nein;;;0,75;-3,75;ja;0,5;0,7\r\n");
        diary::ShotRow uncalled = fullShot();
        uncalled.shot.call.reset();
        uncalled.shot.callValue.reset();
        uncalled.shot.rating.reset();
        uncalled.shot.sekMm.reset();
        uncalled.shot.shotTime.reset();
        uncalled.shot.shootingTime.reset();
        uncalled.shot.value.reset();
        uncalled.shot.hit = {-0.001, 12.0};
        QTest::newRow("missing call and value")
            << QList{uncalled}
            << QByteArray("14.03.2026 09:30;Anna Berg;LP;2;4;0;12;;;;;;;;;;nein;nein;;;;;;;\r\n");
        diary::ShotRow quoted = fullShot();
        quoted.shooter = u"Berg; Anna"_s;
        quoted.discipline = int(Discipline::FpSp100m);
        quoted.shot.comment = u"zu früh, \"gerissen\"\nWind"_s;
        QTest::newRow("quoted fields")
            << QList{quoted, fullShot()}
            << QByteArray("14.03.2026 09:30;\"Berg; Anna\";FP-SP-100m;2;4;1,25;-3,5;9,7;0,5;0,25;"
                          "10,4;10;42;1,5;12,25;\"zu früh, "
                          "\"\"gerissen\"\"\nWind\";nein;nein;;;0,75;-3,75;ja;0,5;0,7\r\n"
                          "14.03.2026 09:30;Anna Berg;LP;2;4;1,25;-3,5;9,7;0,5;0,25;10,4;10;42;"
                          "1,5;12,25;;nein;nein;;;0,75;-3,75;ja;0,5;0,7\r\n");
        diary::ShotRow match = fullShot();
        match.discipline = int(Discipline::Gewehr300m);
        match.shot.innerTen = true;
        match.sighter = true;
        match.calibreMm = 7.62;
        match.program = u"300m; 3x20"_s;
        diary::ShotRow free = fullShot();
        free.calibreMm = 4.5;
        QTest::newRow("inner ten of a sighter, calibre and program")
            << QList{match, free}
            << QByteArray(
                   "14.03.2026 09:30;Anna Berg;Gewehr 300m;2;4;1,25;-3,5;9,7;0,5;0,25;"
                   "10,4;10;42;1,5;12,25;;ja;ja;7,62;\"300m; 3x20\";0,75;-3,75;ja;0,5;0,7\r\n"
                   "14.03.2026 09:30;Anna Berg;LP;2;4;1,25;-3,5;9,7;0,5;0,25;10,4;10;42;"
                   "1,5;12,25;;nein;nein;4,5;;0,75;-3,75;ja;0,5;0,7\r\n");
        // On LG 10m a ring is 2.5 mm: 3.82 mm off is outside the call.
        diary::ShotRow air = fullShot();
        air.discipline = int(Discipline::LG10m);
        QTest::newRow("outside the call on LG 10m")
            << QList{air}
            << QByteArray("14.03.2026 09:30;Anna Berg;LG 10m;2;4;1,25;-3,5;9,7;0,5;0,25;10,4;10;42;"
                          "1,5;12,25;;nein;nein;;;0,75;-3,75;nein;0,5;0,7\r\n");
    }

    void csv() {
        QFETCH(QList<diary::ShotRow>, rows);
        QFETCH(QByteArray, lines);
        QCOMPARE(diary::shotCsv(rows, kGerman), kCsvHeader + lines);
    }

    // The columns after the first eleven: inner tens of the counted series,
    // the calibre in mm and the match program.
    void trainingCells_data() {
        QTest::addColumn<diary::TrainingSummary>("row");
        QTest::addColumn<QStringList>("cells");
        diary::TrainingSummary match = summary(at(2026, 3, 1, 9), 2, 95.0, std::nullopt, {});
        match.innerTens = 7;
        match.training.calibreMm = 4.5;
        match.training.program = u"LG 60 Schuss"_s;
        QTest::newRow("match") << match << QStringList{u"7"_s, u"4,5"_s, u"LG 60 Schuss"_s};
        diary::TrainingSummary free = summary(at(2026, 3, 1, 9), 0, 0.0, std::nullopt, {});
        free.training.calibreMm = 7.62;
        QTest::newRow("free, no series") << free << QStringList{QString(), u"7,62"_s, QString()};
        QTest::newRow("calibre unknown") << summary(at(2026, 3, 1, 9), 1, 90.0, std::nullopt, {})
                                         << QStringList{u"0"_s, QString(), QString()};
    }

    void trainingCells() {
        QFETCH(diary::TrainingSummary, row);
        QFETCH(QStringList, cells);
        const QList<diary::TrainingColumn> columns{diary::TrainingColumn::InnerTens,
                                                   diary::TrainingColumn::Calibre,
                                                   diary::TrainingColumn::Program};
        QStringList shown;
        QStringList headers;
        for (diary::TrainingColumn c : columns) {
            shown << diary::trainingCell(row, c, kGerman);
            headers << diary::trainingHeader(c);
        }
        QCOMPARE(shown, cells);
        QCOMPARE(headers, (QStringList{u"Innenzehner"_s, u"Kaliber (mm)"_s, u"Programm"_s}));
        QCOMPARE(int(diary::TrainingColumn::InnerTens), 11);
    }

    // Each day one slot about its number, its trainings side by side in the
    // order of their start; days without series are left out.
    void chartData_data() {
        QTest::addColumn<QList<diary::TrainingSummary>>("trainings");
        QTest::addColumn<QList<QPointF>>("sums");
        QTest::addColumn<QList<QPointF>>("calls");
        QTest::addColumn<QList<QPointF>>("mpiY");
        QTest::addColumn<QList<diary::ChartDay>>("days");

        const QDateTime a = utc(2026, 3, 1, 12);
        const QDateTime b = utc(2026, 6, 9, 12); // 100 days later
        const QDate dayA(2026, 3, 1);
        const QDate dayB(2026, 6, 9);
        QTest::newRow("one training")
            << QList{summary(a, 3, 92.5, 0.4, group::PointMm{1.0, -2.0})}
            << QList<QPointF>{{0.0, 92.5}} << QList<QPointF>{{0.0, 40.0}}
            << QList<QPointF>{{0.0, -2.0}} << QList<diary::ChartDay>{{0.0, dayA}};
        QTest::newRow("empty trainings and missing figures are left out")
            << QList{summary(a, 2, 90.0, std::nullopt, std::nullopt),
                     summary(a.addDays(50), 0, 0.0, std::nullopt, std::nullopt),
                     summary(b, 1, 95.0, 0.75, group::PointMm{0.5, 1.5})}
            << QList<QPointF>{{0.0, 90.0}, {1.0, 95.0}} << QList<QPointF>{{1.0, 75.0}}
            << QList<QPointF>{{1.0, 1.5}} << QList<diary::ChartDay>{{0.0, dayA}, {1.0, dayB}};
        // Given newest first, as the table lists them: thirds of the first
        // day's slot, -1/3, 0 and 1/3, then the second day alone at 1.
        QTest::newRow("three trainings of a day side by side")
            << QList{summary(b, 1, 93.0, std::nullopt, std::nullopt),
                     summary(a.addSecs(3 * 3600), 1, 92.0, std::nullopt, std::nullopt),
                     summary(a, 1, 91.0, std::nullopt, std::nullopt),
                     summary(a.addSecs(-3 * 3600), 1, 90.0, std::nullopt, std::nullopt)}
            << QList<QPointF>{{-1.0 / 3.0, 90.0}, {0.0, 91.0}, {1.0 / 3.0, 92.0}, {1.0, 93.0}}
            << QList<QPointF>() << QList<QPointF>()
            << QList<diary::ChartDay>{{0.0, dayA}, {1.0, dayB}};
        QTest::newRow("two trainings of the second day")
            << QList{summary(a, 1, 90.0, 0.5, std::nullopt), summary(b, 1, 91.0, 1.0, std::nullopt),
                     summary(b.addSecs(600), 1, 92.0, 0.0, std::nullopt)}
            << QList<QPointF>{{0.0, 90.0}, {0.75, 91.0}, {1.25, 92.0}}
            << QList<QPointF>{{0.0, 50.0}, {0.75, 100.0}, {1.25, 0.0}} << QList<QPointF>()
            << QList<diary::ChartDay>{{0.0, dayA}, {1.0, dayB}};
        QTest::newRow("no series at all")
            << QList{summary(a, 0, 0.0, std::nullopt, std::nullopt)} << QList<QPointF>()
            << QList<QPointF>() << QList<QPointF>() << QList<diary::ChartDay>();
    }

    void chartData() {
        QFETCH(QList<diary::TrainingSummary>, trainings);
        QFETCH(QList<QPointF>, sums);
        QFETCH(QList<QPointF>, calls);
        QFETCH(QList<QPointF>, mpiY);
        QFETCH(QList<diary::ChartDay>, days);
        const diary::DiaryCharts charts = diary::chartData(trainings);
        QCOMPARE(charts.sumWhole, sums);
        QCOMPARE(charts.calls10, calls);
        QCOMPARE(charts.mpiY, mpiY);
        QCOMPARE(charts.mpiX.size(), mpiY.size());
        QCOMPARE(charts.days, days);
    }

    // The labels of many days: the first and every n-th after it, never
    // more than fit.
    void dayLabels_data() {
        QTest::addColumn<int>("dayCount");
        QTest::addColumn<int>("most");
        QTest::addColumn<QList<int>>("labelled");
        QTest::newRow("fewer days than labels") << 3 << 8 << QList<int>{0, 1, 2};
        QTest::newRow("as many as fit") << 8 << 8 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7};
        QTest::newRow("one more: every second") << 9 << 8 << QList<int>{0, 2, 4, 6, 8};
        QTest::newRow("a hundred days, every 13th")
            << 100 << 8 << QList<int>{0, 13, 26, 39, 52, 65, 78, 91};
        QTest::newRow("no day") << 0 << 8 << QList<int>();
    }

    void dayLabels() {
        QFETCH(int, dayCount);
        QFETCH(int, most);
        QFETCH(QList<int>, labelled);
        QList<diary::ChartDay> days;
        for (int i = 0; i < dayCount; ++i)
            days << diary::ChartDay{double(i), QDate(2026, 1, 1).addDays(i)};
        QList<int> got;
        for (const diary::ChartDay& d : diary::labelledDays(days, most))
            got << int(d.x);
        QCOMPARE(got, labelled);
    }

    // A line of thousands of trainings is drawn by the lowest and highest
    // point of each span of x; the ends stay.
    void thinnedLine_data() {
        QTest::addColumn<QList<QPointF>>("line");
        QTest::addColumn<int>("buckets");
        QTest::addColumn<QList<QPointF>>("thin");
        const QList<QPointF> four{{0, 1}, {1, 5}, {2, 2}, {3, 4}};
        QTest::newRow("no more than two points a span") << four << 2 << four;
        const QList<double> y{5, 3, 9, 4, 6, 1, 7, 2, 8, 5, 0};
        QList<QPointF> eleven;
        for (int x = 0; x < int(y.size()); ++x)
            eleven << QPointF(x, y.at(x));
        QTest::newRow("lowest and highest of each span, in order")
            << eleven << 2 << QList<QPointF>{{0, 5}, {1, 3}, {2, 9}, {5, 1}, {8, 8}, {10, 0}};
        QTest::newRow("a flat span gives one point")
            << QList<QPointF>{{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}} << 2
            << QList<QPointF>{{0, 1}, {1, 1}, {3, 1}, {5, 1}};
    }
    void thinnedLine() {
        QFETCH(QList<QPointF>, line);
        QFETCH(int, buckets);
        QFETCH(QList<QPointF>, thin);
        QCOMPARE(diary::thinned(line, buckets), thin);
    }

    void ringHistogram_data() {
        QTest::addColumn<TenthsCounts>("tenths");
        QTest::addColumn<QList<int>>("rings");
        QTest::addColumn<QList<int>>("shots");

        QTest::newRow("none") << TenthsCounts() << QList<int>() << QList<int>();
        QTest::newRow("tenths join their ring, gaps stay")
            << TenthsCounts{{72, 1}, {95, 3}, {100, 1}, {109, 2}} << QList{7, 8, 9, 10}
            << QList{1, 0, 3, 3};
        QTest::newRow("misses") << TenthsCounts{{0, 2}, {19, 1}} << QList{0, 1} << QList{2, 1};
    }

    void ringHistogram() {
        QFETCH(TenthsCounts, tenths);
        QFETCH(QList<int>, rings);
        QFETCH(QList<int>, shots);
        QList<int> gotRings;
        QList<int> gotShots;
        for (const diary::RingBin& bin : diary::ringHistogram(tenths)) {
            gotRings << bin.ring;
            gotShots << bin.shots;
        }
        QCOMPARE(gotRings, rings);
        QCOMPARE(gotShots, shots);
    }

    // Each time chart names each day once, under the middle of its slot,
    // and shows the trainings of a day side by side in it: three on the
    // 1st of March at -1/3, 0 and 1/3, one on the 3rd at 1; nine days (one
    // more than the labels that fit) label every second day.
    void chartDatesOncePerDay_data() {
        QTest::addColumn<QList<int>>("days");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QList<double>>("xs");
        QTest::newRow("three trainings on a day, one two days later")
            << QList<int>{1, 1, 1, 3} << QStringList{u"01.03.26"_s, u"03.03.26"_s}
            << QList<double>{-1.0 / 3.0, 0.0, 1.0 / 3.0, 1.0};
        QTest::newRow("nine days") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}
                                   << QStringList{u"01.03.26"_s, u"03.03.26"_s, u"05.03.26"_s,
                                                  u"07.03.26"_s, u"09.03.26"_s}
                                   << QList<double>{0, 1, 2, 3, 4, 5, 6, 7, 8};
    }

    void chartDatesOncePerDay() {
        QFETCH(QList<int>, days);
        QFETCH(QStringList, labels);
        QFETCH(QList<double>, xs);
        QList<Planned> plan;
        for (qsizetype i = 0; i < days.size(); ++i)
            plan << Planned{u"Anna"_s, int(Discipline::LP),
                            at(2026, 3, days.at(i), 9 + 3 * int(i % 3)), 2};
        fill(m_diary, plan);
        DiaryWindow window(m_diary, m_dialogs, m_printers, systemClock());
        window.resize(1000, 700);
        window.show();
        QVERIFY(settled(window));
        auto* tabs = child<QTabWidget>(window, u"Diagramme"_s);
        for (int i = 0; i < 3; ++i) {
            tabs->setCurrentIndex(i);
            QChart* chart = qobject_cast<QChartView*>(tabs->widget(i))->chart();
            auto* axis = qobject_cast<QCategoryAxis*>(chart->axes(Qt::Horizontal).at(0));
            QTRY_COMPARE(axis->categoriesLabels(), labels);
            QList<double> shown;
            for (const QPointF& p : qobject_cast<QLineSeries*>(chart->series().at(0))->points())
                shown << p.x();
            QCOMPARE(shown.size(), xs.size());
            for (qsizetype k = 0; k < shown.size(); ++k)
                QVERIFY(qFuzzyCompare(1.0 + shown.at(k), 1.0 + xs.at(k)));
        }
    }

    void filters_data() {
        QTest::addColumn<QString>("shooter");
        QTest::addColumn<int>("discipline");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QStringList>("dates");
        // Whether the filters take Bernd's LP training of 5 April, 11:00.
        QTest::addColumn<bool>("takesLater");

        const QDate all;
        QTest::newRow("all, newest first")
            << QString() << -1 << all << all
            << QStringList{u"01.05.2026 14:00"_s, u"05.04.2026 09:00"_s, u"10.03.2026 18:00"_s,
                           u"02.03.2026 10:00"_s}
            << true;
        QTest::newRow("shooter") << u"Bernd"_s << -1 << all << all
                                 << QStringList{u"01.05.2026 14:00"_s, u"05.04.2026 09:00"_s}
                                 << true;
        QTest::newRow("discipline")
            << QString() << int(Discipline::LP) << all << all
            << QStringList{u"05.04.2026 09:00"_s, u"02.03.2026 10:00"_s} << true;
        QTest::newRow("shooter and discipline")
            << u"Anna"_s << int(Discipline::Gewehr50m) << all << all
            << QStringList{u"10.03.2026 18:00"_s} << false;
        QTest::newRow("period, both days included")
            << QString() << -1 << QDate(2026, 3, 10) << QDate(2026, 4, 5)
            << QStringList{u"05.04.2026 09:00"_s, u"10.03.2026 18:00"_s} << true;
        QTest::newRow("period before it")
            << QString() << -1 << QDate(2026, 3, 1) << QDate(2026, 3, 31)
            << QStringList{u"10.03.2026 18:00"_s, u"02.03.2026 10:00"_s} << false;
        QTest::newRow("nothing matches")
            << u"Bernd"_s << int(Discipline::Gewehr50m) << all << all << QStringList() << false;
        QTest::newRow("300 m listed, none shot")
            << QString() << int(Discipline::Gewehr300m) << all << all << QStringList() << false;
    }

    void filters() {
        QFETCH(QString, shooter);
        QFETCH(int, discipline);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QStringList, dates);
        fill(m_diary, kSpring);
        DiaryWindow window(m_diary, m_dialogs, m_printers, systemClock());
        QVERIFY(settled(window));
        auto* shooters = child<QComboBox>(window, u"Schütze"_s);
        QCOMPARE(shooters->itemText(0), u"Alle Schützen"_s);
        shooters->setCurrentIndex(std::max(0, shooters->findText(shooter)));
        auto* disciplines = child<QComboBox>(window, u"Disziplin"_s);
        QCOMPARE(disciplines->count(), 1 + 6);
        QVERIFY(disciplines->findData(discipline) >= 0);
        disciplines->setCurrentIndex(disciplines->findData(discipline));
        if (from.isValid())
            child<QDateEdit>(window, u"von"_s)->setDate(from);
        if (to.isValid())
            child<QDateEdit>(window, u"bis"_s)->setDate(to);

        QCOMPARE(shownDates(window), dates);
        auto* hint = child<QLabel>(window, u"Hinweis"_s);
        const bool hintShown = child<QStackedWidget>(window, u"Inhalt"_s)->currentWidget() == hint;
        QCOMPARE(hintShown, dates.isEmpty());
        if (hintShown)
            QCOMPARE(hint->text(), u"Keine Trainings für diese Auswahl."_s);
        QCOMPARE(child<QPushButton>(window, u"CsvExportieren"_s)->isEnabled(), !dates.isEmpty());

        // A training recorded while another window was in front: coming to
        // the front again keeps every filter as set, and shows it when they
        // take it.
        QFETCH(bool, takesLater);
        const QDate shownFrom = child<QDateEdit>(window, u"von"_s)->date();
        const QDate shownTo = child<QDateEdit>(window, u"bis"_s)->date();
        fill(m_diary, {{u"Bernd"_s, int(Discipline::LP), at(2026, 4, 5, 11), 1}});
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&window, &activate);
        QVERIFY(settled(window));
        QCOMPARE(child<QDateEdit>(window, u"von"_s)->date(), shownFrom);
        QCOMPARE(child<QDateEdit>(window, u"bis"_s)->date(), shownTo);
        QCOMPARE(shooters->currentText(), shooter.isEmpty() ? u"Alle Schützen"_s : shooter);
        QCOMPARE(disciplines->currentData().toInt(), discipline);
        QStringList later = dates;
        if (takesLater)
            later.insert(later.indexOf(u"05.04.2026 09:00"_s), u"05.04.2026 11:00"_s);
        QCOMPARE(shownDates(window), later);
        // Each tab's chart shows the trainings taken once it is shown: a
        // point per training in the lines, ten shots per series in the bars
        // (Anna's training of 2 March has two series).
        const int shots = 10 * int(later.size() + later.count(u"02.03.2026 10:00"_s));
        const int n = int(later.size());
        QTRY_COMPARE(chartCounts(window), (QList<int>{n, n, n, shots, n}));
        // "Gesamter Zeitraum" gives back the whole diary's period.
        child<QPushButton>(window, u"GesamterZeitraum"_s)->click();
        QCOMPARE(child<QDateEdit>(window, u"von"_s)->date(), QDate(2026, 3, 2));
    }

    // "In der Ansage": three trainings whose hits lie within 5.1 mm of their
    // calls (inside the 8 mm of LP), then one whose hits lie 10 mm off. By
    // hand: 100, 100, 100, 0 % a training; over the last 40 shots 100, 100,
    // 100 and 20 of 40 = 50; the last training against the three before, 0/20
    // against 60/60, is far beyond chance (z = −8.9).
    void theCallsOverWeeks() {
        const QList<qint64> ids =
            fill(m_diary, {{u"Anna"_s, int(Discipline::LP), at(2026, 3, 2, 10), 2},
                           {u"Anna"_s, int(Discipline::LP), at(2026, 3, 9, 10), 2},
                           {u"Anna"_s, int(Discipline::LP), at(2026, 3, 16, 10), 2}});
        diary::Training late;
        late.shooter = u"Anna"_s;
        late.discipline = int(Discipline::LP);
        late.window = u"Form1"_s;
        late.start = at(2026, 3, 23, 10);
        late.end = late.start.addSecs(3600);
        QList<diary::Series> off{seriesWith(1, 9.0, late.start), seriesWith(2, 9.0, late.start)};
        for (diary::Series& s : off)
            for (diary::Shot& shot : s.shots)
                shot.hit = {10.0, 0.0};
        QVERIFY(m_diary.importTraining(late, off, "late"));
        DiaryWindow window(m_diary, m_dialogs, m_printers, systemClock());
        window.resize(1000, 700);
        window.show();
        QVERIFY(settled(window));
        auto* tabs = child<QTabWidget>(window, u"Diagramme"_s);
        QCOMPARE(tabs->tabText(DiaryChartSet::kInCall), u"In der Ansage"_s);
        tabs->setCurrentIndex(DiaryChartSet::kInCall);
        QChart* chart = qobject_cast<QChartView*>(tabs->widget(DiaryChartSet::kInCall))->chart();
        const auto ys = [chart](int line) {
            QList<double> y;
            for (const QPointF& p : qobject_cast<QLineSeries*>(chart->series().at(line))->points())
                y << p.y();
            return y;
        };
        QTRY_COMPARE(ys(0), (QList<double>{100.0, 100.0, 100.0, 0.0}));
        QCOMPARE(ys(1), (QList<double>{100.0, 100.0, 100.0, 50.0}));
        QCOMPARE(
            chart->title(),
            u"Ihre Ansagen lagen im letzten Training seltener in der Ansage: 0 % statt 100 %."_s);

        // The last training, selected: every hit 10 mm right of its call, a
        // steady offset; both series show it, each a link to itself.
        auto* finding = child<QLabel>(window, u"Befund"_s);
        QVERIFY(!finding->isVisible());
        child<QTableView>(window, u"Trainings"_s)->selectRow(0);
        QTRY_VERIFY(finding->isVisible());
        QVERIFY2(finding->text().startsWith(
                     u"Befund: Visier oder Ansage korrigieren: im Mittel 10,0 mm rechts."_s),
                 qPrintable(finding->text()));
        const qint64 id = m_diary.trainings({}).last().training.id;
        const QString link = u"serie:%1:2"_s.arg(id);
        QVERIFY2(finding->text().contains(u"<a href=\"%1\">Serie 2</a>"_s.arg(link)),
                 qPrintable(finding->text()));
        QSignalSpy asked(&window, &DiaryWindow::openSeriesRequested);
        Q_EMIT finding->linkActivated(link);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.at(0).at(0).toLongLong(), id);
        QCOMPARE(asked.at(0).at(1).toInt(), 2);
        child<QTableView>(window, u"Trainings"_s)->clearSelection();
        QVERIFY(!finding->isVisible());
    }

    // The shots are read for the calls one read at a time: choices made
    // while one runs start none beside it, and the last choice is read after
    // it. Without that, each choice would read every shot of the diary.
    void callsAreReadOneAtATime() {
        fill(m_diary, kSpring);
        DiaryWindow window(m_diary, m_dialogs, m_printers, systemClock());
        QVERIFY(settled(window));
        QTRY_COMPARE(background::running(), 0);
        const int before = *m_diary.shotReads;
        m_diary.readDelayMs = 300;
        auto* shooter = child<QComboBox>(window, u"Schütze"_s);
        const int bernd = shooter->findText(u"Bernd"_s);
        for (const int choice : {0, bernd, 0, bernd, 0, bernd})
            shooter->setCurrentIndex(choice);
        QTRY_COMPARE_WITH_TIMEOUT(background::running(), 0, 10000);
        QCOMPARE(*m_diary.shotReads - before, 2);
        auto* tabs = child<QTabWidget>(window, u"Diagramme"_s);
        tabs->setCurrentIndex(DiaryChartSet::kInCall);
        QChart* chart = qobject_cast<QChartView*>(tabs->widget(DiaryChartSet::kInCall))->chart();
        // Bernd's two trainings.
        QTRY_COMPARE(qobject_cast<QLineSeries*>(chart->series().at(0))->count(), 2);
    }

    // The window reads on another thread: it is there, and the windows'
    // thread goes on, while a large diary is read; coming to the front, it
    // reads again only when the diary changed.
    void emptyDiary() {
        m_diary.readDelayMs = 400;
        QElapsedTimer shown;
        shown.start();
        DiaryWindow window(m_diary, m_dialogs, m_printers, systemClock());
        QVERIFY2(shown.elapsed() < 200, qPrintable(QString::number(shown.elapsed())));
        QCOMPARE(window.objectName(), u"Trainingstagebuch"_s);
        QCOMPARE(window.windowTitle(), u"Trainingstagebuch"_s);
        QCOMPARE(child<QLabel>(window, u"Hinweis"_s)->text(), u"Die Trainings werden gelesen …"_s);
        int ticks = 0;
        QTimer tick;
        connect(&tick, &QTimer::timeout, this, [&ticks] { ++ticks; });
        tick.start(10);
        QVERIFY(settled(window));
        // 400 ms of reading: some 40 ticks of 10 ms.
        QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
        QCOMPARE(*m_diary.trainingReads, 1);
        QCOMPARE(child<QLabel>(window, u"Hinweis"_s)->text(),
                 u"Noch keine Trainings im Tagebuch."_s);
        QVERIFY(!child<QPushButton>(window, u"PdfBericht"_s)->isEnabled());
        QVERIFY(!child<QPushButton>(window, u"InAnalyseOeffnen"_s)->isEnabled());
        QEvent activate(QEvent::WindowActivate);
        for (int i = 0; i < 2; ++i) {
            QApplication::sendEvent(&window, &activate);
            QVERIFY(!window.reading());
        }
        window.refresh();
        QVERIFY(!window.reading());
        QCOMPARE(*m_diary.trainingReads, 1);
        // Trainings entered while the window is open show when it comes to the front.
        m_diary.readDelayMs = 0;
        fill(m_diary, kSpring);
        QVERIFY(shownDates(window).isEmpty());
        QApplication::sendEvent(&window, &activate);
        QVERIFY(settled(window));
        QCOMPARE(*m_diary.trainingReads, 2);
        QCOMPARE(shownDates(window).size(), m_diary.trainings({}).size());
    }

    // Series files come in through the window, once: the second import of
    // the same files skips them. Files name no discipline, so one is asked for.
    void importThroughTheWindow_data() {
        QTest::addColumn<bool>("folder");
        QTest::newRow("files") << false;
        QTest::newRow("folder") << true;
    }
    void importThroughTheWindow() {
        QFETCH(bool, folder);
        const QString data = QStringLiteral(ANKERBLICK_TEST_DATA);
        const QStringList files = QDir(data).entryList({u"*.txt"_s}, QDir::Files);
        QVERIFY(files.size() >= 3);
        DiaryWindow window(m_diary, m_dialogs, m_printers, systemClock());
        auto* importButton =
            child<QPushButton>(window, folder ? u"OrdnerImportieren"_s : u"DateienImportieren"_s);
        const auto answer = [&] {
            if (folder)
                m_dialogs.folderNames << data;
            else
                m_dialogs.openNameLists << QStringList{data + u'/' + files.first()};
        };
        answer();
        importButton->click(); // no discipline chosen yet
        QVERIFY(m_dialogs.messages().last().contains(u"Disziplin"_s));
        QVERIFY(m_diary.trainings({}).isEmpty());
        auto* discipline = child<QComboBox>(window, u"Disziplin"_s);
        discipline->setCurrentIndex(discipline->findText(u"LP"_s));
        const qsizetype taken = folder ? files.size() : 1;
        for (int round = 0; round < 2; ++round) {
            answer();
            const qsizetype told = m_dialogs.messages().size();
            importButton->click();
            // The files are read on another thread.
            QTRY_COMPARE(m_dialogs.messages().size(), told + 1);
            QVERIFY(settled(window));
            QCOMPARE(m_dialogs.messages().last(),
                     u"Importiert: %1, schon im Tagebuch: %2, nicht lesbar: 0."_s
                         .arg(round == 0 ? taken : 0)
                         .arg(round == 0 ? 0 : taken));
            QCOMPARE(shownDates(window).size(), taken);
        }
    }

    // An import and the CSV file take long on a slow diary: they are done on
    // another thread, the windows' thread goes on and shows how far they got.
    // A job counts as running until its result was handled or dropped, also
    // while a wait deletes what is to be deleted and handles nothing else, as
    // QTest's waits do.
    void aJobRunsUntilItsResultIsHandled_data() {
        QTest::addColumn<bool>("contextGoes");
        QTest::addColumn<bool>("deletesFirst"); // the deferred deletes before the rest
        QTest::newRow("result handled") << false << true;
        QTest::newRow("context gone first") << true << true;
        QTest::newRow("handled by a loop that deletes nothing") << false << false;
    }

    void aJobRunsUntilItsResultIsHandled() {
        QFETCH(bool, contextGoes);
        QFETCH(bool, deletesFirst);
        QTRY_COMPARE(background::running(), 0);
        auto context = std::make_unique<QObject>();
        std::atomic<bool> worked = false;
        bool handled = false;
        background::run<int>(
            context.get(),
            [&worked](JobProgress&) {
                worked = true;
                return 1;
            },
            [&handled](int) { handled = true; });
        QElapsedTimer waited;
        waited.start();
        while (!worked && waited.elapsed() < 5000) // handling nothing meanwhile
            QTest::qSleep(1);
        waited.restart();
        while (waited.elapsed() < 200) {
            if (deletesFirst)
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(background::running(), 1);
            QTest::qSleep(10);
        }
        if (contextGoes)
            context.reset();
        // A loop that handles events and never deletes what is to be
        // deleted (as a benchmark's loop does) sees the job end too.
        waited.restart();
        while (background::running() > 0 && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCOMPARE(background::running(), 0);
        QCOMPARE(handled, !contextGoes);
    }

    void slowWorkKeepsTheWindowAnswering_data() {
        QTest::addColumn<bool>("import");
        QTest::newRow("Import") << true;
        QTest::newRow("CSV-Datei") << false;
    }
    void slowWorkKeepsTheWindowAnswering() {
        QFETCH(bool, import);
        fill(m_diary, kSpring);
        DiaryWindow window(m_diary, m_dialogs, m_printers, systemClock());
        QVERIFY(settled(window));
        int ticks = 0;
        QTimer tick;
        connect(&tick, &QTimer::timeout, this, [&ticks] { ++ticks; });
        tick.start(10);
        const qsizetype told = m_dialogs.messages().size();
        if (import) {
            // Three files or more at 200 ms each.
            m_diary.importDelayMs = 200;
            auto* discipline = child<QComboBox>(window, u"Disziplin"_s);
            discipline->setCurrentIndex(discipline->findText(u"LP"_s));
            m_dialogs.folderNames << QStringLiteral(ANKERBLICK_TEST_DATA);
            child<QPushButton>(window, u"OrdnerImportieren"_s)->click();
            QTRY_VERIFY(window.findChild<QProgressDialog*>(u"ImportFortschritt"_s));
            QTRY_COMPARE(m_dialogs.messages().size(), told + 1);
            QVERIFY2(m_dialogs.messages().last().startsWith(u"Importiert: "_s),
                     qPrintable(m_dialogs.messages().last()));
        } else {
            m_diary.readDelayMs = 600;
            m_dialogs.saveNames << m_dir.filePath(u"langsam.csv"_s);
            auto* csv = child<QPushButton>(window, u"CsvExportieren"_s);
            csv->click();
            QVERIFY(!csv->isEnabled());
            QTRY_VERIFY(window.findChild<QProgressDialog*>(u"ExportFortschritt"_s));
            QTRY_VERIFY(csv->isEnabled());
            QCOMPARE(m_dialogs.messages().size(), told);
            QVERIFY(QFileInfo(m_dir.filePath(u"langsam.csv"_s)).size() > kCsvHeader.size());
        }
        QVERIFY(!window.findChild<QProgressDialog*>());
        // 600 ms of work: some 60 ticks of 10 ms.
        QVERIFY2(ticks >= 20, qPrintable(QString::number(ticks)));
    }

    void csvExport_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("complaint");

        QTest::newRow("suffix added") << u"bernd"_s << u"bernd.csv"_s << false;
        QTest::newRow("name as given") << u"bernd.txt"_s << u"bernd.txt"_s << false;
        QTest::newRow("folder missing") << u"fehlt/bernd.csv"_s << QString() << true;
        QTest::newRow("cancelled") << QString() << QString() << false;
    }

    void csvExport() {
        QFETCH(QString, answer);
        QFETCH(QString, written);
        QFETCH(bool, complaint);
        fill(m_diary, kSpring);
        DiaryWindow window(m_diary, m_dialogs, m_printers, systemClock());
        QVERIFY(settled(window));
        auto* shooters = child<QComboBox>(window, u"Schütze"_s);
        shooters->setCurrentIndex(shooters->findText(u"Bernd"_s));
        m_dialogs.saveNames << (answer.isEmpty() ? QString() : m_dir.filePath(answer));
        auto* csv = child<QPushButton>(window, u"CsvExportieren"_s);
        csv->click();
        // The file is written on another thread; the button waits for it.
        QTRY_VERIFY(csv->isEnabled());

        QCOMPARE(m_dialogs.asked.size(), complaint ? 2 : 1);
        QCOMPARE(m_dialogs.asked.first().extra, u"CSV-Dateien (*.csv)|Trainingstagebuch.csv"_s);
        if (complaint)
            QVERIFY(m_dialogs.messages().first().contains(u"konnte nicht geschrieben werden"_s));
        if (written.isEmpty())
            return;
        QFile file(m_dir.filePath(written));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith(kCsvHeader));
        // Bernd's two trainings of one series each: twenty shots, nobody else's.
        const QList<QByteArray> lines = bytes.mid(kCsvHeader.size()).split('\n');
        QCOMPARE(lines.size(), 21);
        for (qsizetype i = 0; i < 20; ++i)
            QVERIFY2(lines.at(i).contains(";Bernd;"), lines.at(i).constData());
        QCOMPARE(bytes.count("\"zu früh; \"\"gerissen\"\"\""), 2);
    }

    void pdfReport_data() {
        QTest::addColumn<int>("trainings");
        QTest::addColumn<QString>("name");
        QTest::newRow("one page of rows") << 4 << u"bericht.pdf"_s;
        QTest::newRow("rows over several pages") << 90 << u"bericht.pdf"_s;
        QTest::newRow("folder missing") << 4 << u"fehlt/bericht.pdf"_s;
    }

    void pdfReport() {
        QFETCH(int, trainings);
        QFETCH(QString, name);
        QList<Planned> plan;
        for (int i = 0; i < trainings; ++i)
            plan << Planned{u"Anna"_s, i % kDisciplineCount,
                            at(2026, 1, 1, 8).addDays(i).addSecs(60 * i), 1 + i % 3};
        fill(m_diary, plan);
        DiaryWindow window(m_diary, m_dialogs, m_printers, systemClock());
        QVERIFY(settled(window));
        QTRY_COMPARE(background::running(), 0); // the calls are read as well
        const QString path = m_dir.filePath(name);
        m_dialogs.saveNames << path;
        const bool writable = QFileInfo(path).dir().exists();
        if (!writable)
            QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        child<QPushButton>(window, u"PdfBericht"_s)->click();

        QCOMPARE(m_printers.opened, QList{PrintDestination::pdfFile(path)});
        if (!writable) {
            QCOMPARE(m_dialogs.messages().size(), 1);
            QVERIFY(m_dialogs.messages().first().startsWith(u"Der Bericht konnte nicht"_s));
            return;
        }
        QCOMPARE(m_dialogs.messages(), QStringList());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(4) == "%PDF");
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            QSKIP("pdftotext (poppler-utils) is needed to read the report");
        const QString text = pdfText(path);
        QVERIFY(text.contains(u"Trainingstagebuch"_s));
        QVERIFY(text.contains(u"Innenzehner"_s));
        // Every training has its row and its calls, and every page its
        // number of all. Shot k lies 0.56 k mm off its call: on LG 10m (w =
        // 2.5 mm) shots 0 to 4 are in the call, on every other face (w of 8 mm
        // or more) all ten.
        int lg = 0;
        for (const Planned& p : plan) {
            QVERIFY2(text.count(p.start.toString(u"dd.MM.yyyy HH:mm"_s)) == 2,
                     qPrintable(p.start.toString()));
            lg += p.discipline == int(Discipline::LG10m) ? 1 : 0;
        }
        QCOMPARE(text.count(u" % in der Ansage"_s), plan.size());
        QCOMPARE(text.count(u", 50 % in der Ansage"_s), lg);
        QCOMPARE(text.count(u"Befund: "_s), plan.size());
        QVERIFY(text.contains(u"Ansagen je Training"_s));
        const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
        QVERIFY(pages.size() >= 2);
        for (int page = 1; page <= pages.size(); ++page)
            QVERIFY(pages.at(page - 1).contains(u"Seite %1 von %2"_s.arg(page).arg(pages.size())));
    }

    void openInAnalysis_data() {
        QTest::addColumn<int>("chosen"); // index into kSpring
        QTest::addColumn<int>("sortColumn");
        QTest::newRow("newest") << 3 << -1;
        QTest::newRow("oldest") << 0 << -1;
        QTest::newRow("chosen, then sorted by shooter") << 2 << int(diary::TrainingColumn::Shooter);
    }

    void openInAnalysis() {
        QFETCH(int, chosen);
        QFETCH(int, sortColumn);
        const QList<qint64> ids = fill(m_diary, kSpring);
        DiaryWindow window(m_diary, m_dialogs, m_printers, systemClock());
        QVERIFY(settled(window));
        QSignalSpy spy(&window, &DiaryWindow::openTrainingRequested);
        auto* open = child<QPushButton>(window, u"InAnalyseOeffnen"_s);
        QVERIFY(!open->isEnabled());
        auto* table = child<QTableView>(window, u"Trainings"_s);
        const QString date = kSpring.at(chosen).start.toString(u"dd.MM.yyyy HH:mm"_s);
        table->selectRow(int(shownDates(window).indexOf(date)));
        if (sortColumn >= 0)
            table->sortByColumn(sortColumn, Qt::AscendingOrder);
        QVERIFY(open->isEnabled());
        open->click();
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.first().first().toLongLong(), ids.at(chosen));
    }
};

QTEST_MAIN(TestDiaryWindow)
#include "tst_diarywindow.moc"
