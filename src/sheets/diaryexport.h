#pragma once

// What the diary window shows and writes, without widgets: the shots as a
// CSV file for spreadsheets, the cells of its table of trainings (shared by
// the table and the printed report) and the data of its charts.

#include "calltrend.h"
#include "model/diaryrecords.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QLocale>
#include <QPointF>
#include <QString>

#include <map>
#include <optional>

namespace ankerblick::diary {

// The shots as a spreadsheet reads them: a header line and one line per shot,
// ";" between the fields, numbers with the locale's decimal sign, UTF-8 with
// a byte order mark and CR LF line ends. A value the shot lacks (no call, no
// time) is an empty field. Inner tens and the shots of sighting series say
// "ja" or "nein"; the training's calibre (empty when unknown) and match
// program (empty for a free training) stand with every shot. A called shot
// ends with what it adds to the figures of the calls: hit − call in mm,
// whether that is within a ring width ("In der Ansage"), and the rings lost
// in the hold and at the break.
QByteArray shotCsv(const QList<ShotRow>& rows, const QLocale& locale);

// The columns of the table of trainings, left to right.
enum class TrainingColumn : int {
    Date,
    Shooter,
    Discipline,
    Window,
    Series,
    MeanWhole,
    MeanTenths,
    Calls10,
    SekMm,
    Position,
    GroupSize,
    InnerTens,
    Calibre,
    Program,
};
inline constexpr int kTrainingColumns = 14;

QString trainingHeader(TrainingColumn column);
// The text of a cell; empty for a figure the training has none of.
QString trainingCell(const TrainingSummary& row, TrainingColumn column, const QLocale& locale);
// Figures stand right-aligned.
bool isFigureColumn(TrainingColumn column);
// The order of the column: figures by value, texts alphabetically, the
// position by its distance from the centre; a missing figure comes first.
bool trainingLess(const TrainingSummary& a, const TrainingSummary& b, TrainingColumn column);

// The window a training came from, as the user knows it.
QString windowCaption(const QString& windowName);
// The filter in one line, e.g. "Schütze: Alle · Disziplin: LP · Zeitraum: 01.03.2026
// bis 31.03.2026".
QString filterText(const Filter& filter);
// How many trainings and series: "1 Training mit 4 Serien".
QString countText(qsizetype trainings, qsizetype series);

// A day of the time charts: the middle of its slot and its date.
struct ChartDay {
    double x = 0.0;
    QDate date;
    friend bool operator==(const ChartDay&, const ChartDay&) = default;
};

// The time charts, one point per training that has series. Each day with
// such trainings is a slot one wide about its number (0, 1, ... in the
// order of the days), its trainings side by side in it in the order of
// their start: of n trainings the k-th at day + (k + 0.5) / n - 0.5.
struct DiaryCharts {
    QList<QPointF> sumWhole;                    // mean series sum, whole rings
    QList<QPointF> sumTenths;                   // mean series sum with tenths
    QList<QPointF> calls10;                     // share of the rated calls scored 10, in percent
    QList<QPointF> mpiX;                        // mean point of impact, mm right of the centre
    QList<QPointF> mpiY;                        // mm above the centre
    QList<ChartDay> days;                       // every day once; the axis spans -0.5 to days - 0.5
    QList<std::pair<qint64, double>> trainingX; // where each training stands
    // Added once the shots are read (addCallLines): the share of the called
    // shots in their call, per training and over the last 40 called shots,
    // in percent, and what changed lately (empty for nothing).
    QList<QPointF> inCall;
    QList<QPointF> inCallRolling;
    QString callChange;
};
DiaryCharts chartData(const QList<TrainingSummary>& trainings);
void addCallLines(DiaryCharts& charts, const QList<calls::TrainingCalls>& trainings);
// The days that carry a label when at most `most` fit: the first day and
// every n-th after it, n as small as that allows.
QList<ChartDay> labelledDays(const QList<ChartDay>& days, int most);

// Smallest and largest y of the lines; none when they hold no point.
struct YRange {
    double min = 0.0;
    double max = 0.0;
};
std::optional<YRange> yRangeOf(const QList<const QList<QPointF>*>& lines);

// Shots per whole ring, from the lowest ring hit to the highest, gaps
// included; built from counts per value in tenths (109 for 10,9).
struct RingBin {
    int ring = 0;
    int shots = 0;
};
QList<RingBin> ringHistogram(const std::map<int, int>& countsByTenths);

} // namespace ankerblick::diary
