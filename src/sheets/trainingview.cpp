#include "trainingview.h"

#include <QSet>

#include <algorithm>

namespace ankerblick::diary {

void sortTrainings(QList<TrainingSummary>& rows, TableOrder order) {
    const TrainingColumn column = order.column;
    if (order.descending)
        std::stable_sort(rows.begin(), rows.end(), [column](const auto& a, const auto& b) {
            return trainingLess(b, a, column);
        });
    else
        std::stable_sort(rows.begin(), rows.end(), [column](const auto& a, const auto& b) {
            return trainingLess(a, b, column);
        });
}

QList<QPointF> thinned(const QList<QPointF>& line, int buckets) {
    if (buckets < 1 || line.size() <= 2 * qsizetype(buckets))
        return line;
    const double first = line.first().x();
    const double span = std::max(line.last().x() - first, 1e-9);
    QList<QPointF> thin;
    thin.reserve(2 * buckets + 2);
    thin << line.first();
    qsizetype i = 1;
    const qsizetype end = line.size() - 1;
    while (i < end) {
        const int bucket = std::min(int((line.at(i).x() - first) / span * buckets), buckets - 1);
        qsizetype low = i;
        qsizetype high = i;
        for (; i < end &&
               std::min(int((line.at(i).x() - first) / span * buckets), buckets - 1) == bucket;
             ++i) {
            if (line.at(i).y() < line.at(low).y())
                low = i;
            if (line.at(i).y() > line.at(high).y())
                high = i;
        }
        thin << line.at(std::min(low, high));
        if (low != high)
            thin << line.at(std::max(low, high));
    }
    thin << line.last();
    return thin;
}

namespace {

QList<int> rowsOfEachShape(const QList<TrainingSummary>& rows, TrainingColumn column,
                           const QLocale& locale, bool foldDigits) {
    QSet<QString> seen;
    QList<int> first;
    for (int row = 0; row < int(rows.size()); ++row) {
        QString shape = trainingCell(rows.at(row), column, locale);
        if (foldDigits)
            for (QChar& c : shape)
                if (c >= u'0' && c <= u'9')
                    c = u'0';
        if (!seen.contains(shape)) {
            seen.insert(shape);
            first << row;
        }
    }
    return first;
}

} // namespace

TrainingView trainingView(const QList<TrainingSummary>& trainings, const Filter& filter,
                          TableOrder order, const QLocale& locale, bool foldDigits) {
    TrainingView view;
    view.filter = filter;
    view.order = order;
    const FilterTest takes(filter);
    for (const TrainingSummary& t : trainings)
        if (takes(t.training)) {
            view.rows << t;
            view.series += t.series;
        }
    view.charts = chartData(view.rows);
    for (QList<QPointF>* line : {&view.charts.sumWhole, &view.charts.sumTenths,
                                 &view.charts.calls10, &view.charts.mpiX, &view.charts.mpiY})
        *line = thinned(*line, kChartBuckets);
    sortTrainings(view.rows, order);
    for (int c = 0; c < kTrainingColumns; ++c)
        view.shapeRows[std::size_t(c)] =
            rowsOfEachShape(view.rows, TrainingColumn(c), locale, foldDigits);
    return view;
}

} // namespace ankerblick::diary
