#include "diarycharts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QCoreApplication>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace ankerblick {

namespace {

// More points than this are drawn as a line only: their marks would merge.
constexpr qsizetype kMarkedPoints = 150;
// At most this many dates stand under a time chart.
constexpr int kDayLabels = 8;
// Histograms with fewer shots per ring than this get whole-number ticks.
constexpr int kSmallCount = 5;

QChart* makeChart(const QLocale& locale) {
    auto* chart = new QChart;
    chart->setLocalizeNumbers(true);
    chart->setLocale(locale);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

// The axis spans the values, widened to round numbers.
void setNiceRange(QValueAxis* axis, double min, double max) {
    axis->setRange(min, max);
    axis->applyNiceNumbers();
}

} // namespace

DiaryChartSet::DiaryChartSet(const QLocale& locale) : m_locale(locale) {
    m_sums = makeTimeChart(
        {QCoreApplication::translate("ankerblick::DiaryChartSet", "Ringe"),
         QCoreApplication::translate("ankerblick::DiaryChartSet", "Zehntel")},
        QCoreApplication::translate("ankerblick::DiaryChartSet", "Mittlere Seriensumme"));
    m_sums.values->setLabelFormat(QStringLiteral("%.0f"));
    m_calls = makeTimeChart(
        {QCoreApplication::translate("ankerblick::DiaryChartSet", "Ansagen mit 10")},
        QCoreApplication::translate("ankerblick::DiaryChartSet", "Ansagen mit 10 (%)"));
    m_calls.chart->legend()->hide();
    // Ticks at 0 to 100 %; a little room beyond, so that a mark at 0 or
    // 100 % is not cut in half by the chart's edge.
    m_calls.values->setRange(-5.0, 105.0);
    m_calls.values->setTickType(QValueAxis::TicksDynamic);
    m_calls.values->setTickAnchor(0.0);
    m_calls.values->setTickInterval(20.0);
    m_calls.values->setLabelFormat(QStringLiteral("%.0f"));
    m_position = makeTimeChart(
        {QCoreApplication::translate("ankerblick::DiaryChartSet", "waagerecht (+ rechts)"),
         QCoreApplication::translate("ankerblick::DiaryChartSet", "senkrecht (+ hoch)")},
        QCoreApplication::translate("ankerblick::DiaryChartSet", "Treffpunkt (mm)"));
    makeHistogram();
    m_inCall = makeTimeChart(
        {QCoreApplication::translate("ankerblick::DiaryChartSet", "je Training"),
         QCoreApplication::translate("ankerblick::DiaryChartSet", "über die letzten 40 Schüsse")},
        QCoreApplication::translate("ankerblick::DiaryChartSet", "In der Ansage (%)"));
    m_inCall.values->setRange(-5.0, 105.0);
    m_inCall.values->setTickType(QValueAxis::TicksDynamic);
    m_inCall.values->setTickAnchor(0.0);
    m_inCall.values->setTickInterval(20.0);
    m_inCall.values->setLabelFormat(QStringLiteral("%.0f"));
    m_charts = {m_sums.chart, m_calls.chart, m_position.chart, m_histogram, m_inCall.chart};
}

QString DiaryChartSet::caption(int index) {
    switch (index) {
    case 0:
        return QCoreApplication::translate("ankerblick::DiaryChartSet", "Serien");
    case 1:
        return QCoreApplication::translate("ankerblick::DiaryChartSet", "Ansagen");
    case 2:
        return QCoreApplication::translate("ankerblick::DiaryChartSet", "Trefferlage");
    case 3:
        return QCoreApplication::translate("ankerblick::DiaryChartSet", "Verteilung");
    case 4:
        return QCoreApplication::translate("ankerblick::DiaryChartSet", "In der Ansage");
    default:
        return QString();
    }
}

DiaryChartSet::TimeChart DiaryChartSet::makeTimeChart(const QStringList& lineNames,
                                                      const QString& valueTitle) {
    TimeChart c;
    c.chart = makeChart(m_locale);
    c.days = new QCategoryAxis;
    c.days->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    c.days->setTitleText(QCoreApplication::translate("ankerblick::DiaryChartSet", "Datum"));
    c.values = new QValueAxis;
    c.values->setTitleText(valueTitle);
    c.values->setLabelFormat(QStringLiteral("%.1f"));
    c.chart->addAxis(c.days, Qt::AlignBottom);
    c.chart->addAxis(c.values, Qt::AlignLeft);
    for (const QString& name : lineNames) {
        auto* line = new QLineSeries;
        line->setName(name);
        c.chart->addSeries(line);
        line->attachAxis(c.days);
        line->attachAxis(c.values);
        c.lines << line;
    }
    return c;
}

void DiaryChartSet::makeHistogram() {
    m_histogram = makeChart(m_locale);
    m_histogram->legend()->hide();
    m_shots = new QBarSet(QCoreApplication::translate("ankerblick::DiaryChartSet", "Schüsse"));
    auto* bars = new QBarSeries;
    bars->append(m_shots);
    m_histogram->addSeries(bars);
    m_rings = new QBarCategoryAxis;
    m_rings->setTitleText(QCoreApplication::translate("ankerblick::DiaryChartSet", "Ring"));
    m_counts = new QValueAxis;
    m_counts->setTitleText(QCoreApplication::translate("ankerblick::DiaryChartSet", "Schüsse"));
    m_counts->setLabelFormat(QStringLiteral("%.0f"));
    m_histogram->addAxis(m_rings, Qt::AlignBottom);
    m_histogram->addAxis(m_counts, Qt::AlignLeft);
    bars->attachAxis(m_rings);
    bars->attachAxis(m_counts);
}

void DiaryChartSet::fillTime(TimeChart& chart, const QList<const QList<QPointF>*>& lines,
                             const diary::DiaryCharts& data) const {
    for (qsizetype i = 0; i < chart.lines.size(); ++i) {
        chart.lines[i]->replace(*lines.at(i));
        chart.lines[i]->setPointsVisible(lines.at(i)->size() <= kMarkedPoints);
    }
    // Each day one slot and one label at most; a day's trainings stand
    // side by side in its slot.
    for (const QString& label : chart.days->categoriesLabels())
        chart.days->remove(label);
    chart.days->setStartValue(-0.5);
    chart.days->setRange(-0.5, double(std::max<qsizetype>(data.days.size(), 1)) - 0.5);
    const QString format = QCoreApplication::translate("DiaryCharts", "dd.MM.yy");
    for (const diary::ChartDay& day : diary::labelledDays(data.days, kDayLabels))
        chart.days->append(m_locale.toString(day.date, format), day.x);
}

void DiaryChartSet::fill(const diary::DiaryCharts& data, const QList<diary::RingBin>& bins) {
    for (int i = 0; i < kCount; ++i)
        fillChart(i, data, bins);
}

void DiaryChartSet::fillChart(int index, const diary::DiaryCharts& data,
                              const QList<diary::RingBin>& bins) {
    switch (index) {
    case 0:
        fillTime(m_sums, {&data.sumWhole, &data.sumTenths}, data);
        if (const auto r = diary::yRangeOf({&data.sumWhole, &data.sumTenths}))
            setNiceRange(m_sums.values, r->min - 1.0, r->max + 1.0);
        break;
    case 1:
        fillTime(m_calls, {&data.calls10}, data);
        break;
    case 2:
        fillTime(m_position, {&data.mpiX, &data.mpiY}, data);
        if (const auto r = diary::yRangeOf({&data.mpiX, &data.mpiY})) {
            // Symmetric, so that the centre line lies in the middle.
            const double reach = std::max({std::abs(r->min), std::abs(r->max), 1.0});
            setNiceRange(m_position.values, -reach, reach);
        }
        break;
    case kHistogram:
        fillHistogram(bins);
        break;
    case kInCall:
        fillTime(m_inCall, {&data.inCall, &data.inCallRolling}, data);
        m_inCall.chart->setTitle(data.callChange);
        break;
    default:
        break;
    }
}

void DiaryChartSet::fillHistogram(const QList<diary::RingBin>& bins) {
    QStringList rings;
    QList<qreal> shots;
    int most = 0;
    for (const diary::RingBin& bin : bins) {
        rings << QString::number(bin.ring);
        shots << bin.shots;
        most = std::max(most, bin.shots);
    }
    m_shots->remove(0, m_shots->count());
    m_shots->append(shots);
    m_rings->clear();
    m_rings->append(rings);
    if (most < kSmallCount) {
        m_counts->setRange(0.0, kSmallCount);
        m_counts->setTickCount(kSmallCount + 1);
    } else {
        setNiceRange(m_counts, 0.0, most);
    }
}

QList<QImage> chartPictures(const DiaryChartSet& set, QSizeF size, double scale) {
    QGraphicsScene scene;
    constexpr double kGap = 10.0;
    for (int i = 0; i < DiaryChartSet::kCount; ++i) {
        QChart* chart = set.chart(i);
        scene.addItem(chart);
        chart->setPos(0.0, i * (size.height() + kGap));
        chart->resize(size);
    }
    // The charts lay themselves out in posted events.
    QCoreApplication::sendPostedEvents();
    QList<QImage> pictures;
    for (int i = 0; i < DiaryChartSet::kCount; ++i) {
        QImage image((size * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        scene.render(&painter, QRectF(QPointF(), size), QRectF(set.chart(i)->pos(), size));
        pictures << image;
    }
    return pictures;
}

} // namespace ankerblick
