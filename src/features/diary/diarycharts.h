#pragma once

// The five charts of the diary: the mean series sums, the calls scored 10
// and the mean point of impact over time, the shots per ring, and the share
// of called shots in their call over time. The same
// charts fill the window's tabs and the printed report.

#include "sheets/diaryexport.h"

#include <QImage>
#include <QList>
#include <QLocale>
#include <QSizeF>
#include <QString>

class QBarCategoryAxis;
class QBarSet;
class QChart;
class QCategoryAxis;
class QLineSeries;
class QValueAxis;

namespace ankerblick {

class DiaryChartSet {
public:
    static constexpr int kCount = 5;
    static constexpr int kHistogram = 3;
    static constexpr int kInCall = 4;

    // The charts are made here and belong to whoever shows them: a chart
    // view or a graphics scene deletes them.
    explicit DiaryChartSet(const QLocale& locale);

    // Each chart's caption: "Serien", "Ansagen", "Trefferlage", "Verteilung",
    // "In der Ansage".
    static QString caption(int index);
    QChart* chart(int index) const { return m_charts.at(index); }

    // Shows the data in every chart; the lines take all their points in one step.
    void fill(const diary::DiaryCharts& data, const QList<diary::RingBin>& bins);
    // Shows the data in chart `index` alone: a chart nobody looks at need
    // not be laid out anew.
    void fillChart(int index, const diary::DiaryCharts& data, const QList<diary::RingBin>& bins);

private:
    struct TimeChart {
        QChart* chart = nullptr;
        QCategoryAxis* days = nullptr;
        QValueAxis* values = nullptr;
        QList<QLineSeries*> lines;
    };

    TimeChart makeTimeChart(const QStringList& lineNames, const QString& valueTitle);
    void makeHistogram();
    void fillHistogram(const QList<diary::RingBin>& bins);
    void fillTime(TimeChart& chart, const QList<const QList<QPointF>*>& lines,
                  const diary::DiaryCharts& data) const;

    QLocale m_locale;
    TimeChart m_sums;
    TimeChart m_calls;
    TimeChart m_position;
    TimeChart m_inCall;
    QChart* m_histogram = nullptr;
    QBarSet* m_shots = nullptr;
    QBarCategoryAxis* m_rings = nullptr;
    QValueAxis* m_counts = nullptr;
    QList<QChart*> m_charts;
};

// The charts of a set that no view shows as pictures of the given size in
// pixels, drawn at `scale` times that resolution for paper. The pictures'
// scene takes the charts and deletes them.
QList<QImage> chartPictures(const DiaryChartSet& set, QSizeF size, double scale);

} // namespace ankerblick
