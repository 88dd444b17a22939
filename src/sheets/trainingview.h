#pragma once

// What the diary window shows for a filter, prepared away from the windows'
// thread: the trainings the filter takes in the table's order, the charts'
// points, and per column the rows whose texts differ in shape, so that the
// window measures a column's width on a few cells instead of every row.

#include "diaryexport.h"
#include "model/diarytotals.h"

#include <QList>
#include <QLocale>

#include <array>

namespace ankerblick::diary {

// The order of the table: a column, rising or falling.
struct TableOrder {
    TrainingColumn column = TrainingColumn::Date;
    bool descending = true;

    friend bool operator==(const TableOrder&, const TableOrder&) = default;
};

// A chart line of more points than a chart is wide, thinned for drawing:
// the x range cut into `buckets` equal spans, and of the points in each span
// the lowest and the highest, in the order of x. The line's first and last
// point stay, and so does its outline. A line of at most 2 x `buckets`
// points stays as it is.
QList<QPointF> thinned(const QList<QPointF>& line, int buckets);
// The points of each time chart's line a window draws at most.
inline constexpr int kChartBuckets = 600;

// Sorts the rows as the table shows them; equal rows keep their order.
void sortTrainings(QList<TrainingSummary>& rows, TableOrder order);

struct TrainingView {
    Filter filter;
    TableOrder order;
    QList<TrainingSummary> rows; // in that order
    DiaryCharts charts;          // each line thinned to kChartBuckets
    qsizetype series = 0;        // of all rows
    // For each column, the first row of each shape of text: the texts with
    // their digits made equal when `foldDigits` (a font whose digits are of
    // one width), else the texts themselves.
    std::array<QList<int>, kTrainingColumns> shapeRows;
};

TrainingView trainingView(const QList<TrainingSummary>& trainings, const Filter& filter,
                          TableOrder order, const QLocale& locale, bool foldDigits);

} // namespace ankerblick::diary
