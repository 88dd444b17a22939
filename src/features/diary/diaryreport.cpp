#include "diaryreport.h"

#include "model/targetface.h"
#include "sheets/diaryexport.h"
#include "widgets/pagetext.h"

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <functional>

namespace ankerblick {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kMargin = 10.0; // all round the paper
constexpr double kTitleEm = 6.0;
constexpr double kTextEm = 3.2;
constexpr double kCaptionEm = 3.5;
constexpr double kTableEm = 2.6;
constexpr double kRowPitch = 4.4;
constexpr double kFooterBand = 7.0;
constexpr double kChartsTop = 22.0;
constexpr double kGap = 6.0;
constexpr double kCellPadding = 4.0; // between the columns of the table
// Chart pictures are made at four pixels to the millimetre of a chart's
// place on the page, which keeps their lettering at reading size.
constexpr double kChartWidth = 540.0;
constexpr double kChartHeight = 300.0;

// Text in the box, elided at the right when it is wider.
void drawText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
              Qt::Alignment align = Qt::AlignLeft) {
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(kPageTextUnit, kPageTextUnit);
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double width = box.width() / kPageTextUnit;
    const QString shown = metrics.elidedText(text, Qt::ElideRight, width);
    painter.drawText(QRectF(0.0, 0.0, width, box.height() / kPageTextUnit),
                     align | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    painter.restore();
}

class ReportPages {
public:
    ReportPages(QPagedPaintDevice& device, const DiaryReport& report, const QLocale& locale)
        : m_device(device), m_report(report), m_locale(locale) {}

    bool paint();

private:
    void startPage();
    bool addPages(qsizetype count, qsizetype perPage,
                  const std::function<void(qsizetype, qsizetype)>& draw);
    void layOutTable();
    // The widest text of each column in mm, at the table's letter size.
    QList<double> textWidths();
    void drawFirstPage();
    void drawCharts(const QRectF& area);
    void drawTablePage(qsizetype first, qsizetype count);
    void drawRow(double y, const QStringList& cells, const QFont& font);
    void drawCallsPage(qsizetype first, qsizetype count);
    void drawFooter();

    QPagedPaintDevice& m_device;
    const DiaryReport& m_report;
    QLocale m_locale;
    QPainter m_painter;
    QSizeF m_page; // mm inside the margins
    int m_pageNumber = 1;
    int m_pages = 1;
    qsizetype m_rowsPerPage = 1;
    qsizetype m_callsPerPage = 1;
    QList<QStringList> m_cells;
    QStringList m_headers;
    QList<double> m_widths; // mm per column
    double m_tableEm = kTableEm;
};

bool ReportPages::paint() {
    m_device.setPageOrientation(QPageLayout::Landscape);
    if (!m_painter.begin(&m_device))
        return false;
    m_page = QSizeF(m_device.width() / (m_device.logicalDpiX() / kMmPerInch) - 2 * kMargin,
                    m_device.height() / (m_device.logicalDpiY() / kMmPerInch) - 2 * kMargin);
    layOutTable();
    startPage();
    drawFirstPage();
    const bool paged =
        addPages(m_report.trainings.size(), m_rowsPerPage,
                 [this](qsizetype first, qsizetype count) { drawTablePage(first, count); }) &&
        addPages(m_report.calls.size(), m_callsPerPage,
                 [this](qsizetype first, qsizetype count) { drawCallsPage(first, count); });
    return m_painter.end() && paged;
}

// `count` items, `perPage` a page, each page new and drawn by `draw`.
bool ReportPages::addPages(qsizetype count, qsizetype perPage,
                           const std::function<void(qsizetype, qsizetype)>& draw) {
    for (qsizetype first = 0; first < count; first += perPage) {
        if (!m_device.newPage())
            return false;
        ++m_pageNumber;
        startPage();
        draw(first, std::min(perPage, count - first));
    }
    return true;
}

// The painter draws in millimetres from the top left inside the margins.
void ReportPages::startPage() {
    m_painter.resetTransform();
    m_painter.scale(m_device.logicalDpiX() / kMmPerInch, m_device.logicalDpiY() / kMmPerInch);
    m_painter.translate(kMargin, kMargin);
    drawFooter();
}

QList<double> ReportPages::textWidths() {
    const QFontMetricsF metrics(pageFont(m_tableEm), &m_device);
    const QFontMetricsF boldMetrics(pageFont(m_tableEm, true), &m_device);
    QList<double> widths;
    for (int c = 0; c < diary::kTrainingColumns; ++c)
        widths << boldMetrics.horizontalAdvance(m_headers.at(c)) * kPageTextUnit;
    for (const QStringList& row : std::as_const(m_cells))
        for (int c = 0; c < diary::kTrainingColumns; ++c)
            widths[c] = std::max(widths[c], metrics.horizontalAdvance(row.at(c)) * kPageTextUnit);
    return widths;
}

// Each column as wide as its widest text, all together spread over the page;
// a table wider than the page gets smaller letters, not cut texts.
void ReportPages::layOutTable() {
    for (int c = 0; c < diary::kTrainingColumns; ++c)
        m_headers << diary::trainingHeader(diary::TrainingColumn(c));
    m_cells.reserve(m_report.trainings.size());
    for (const diary::TrainingSummary& t : m_report.trainings) {
        QStringList row;
        for (int c = 0; c < diary::kTrainingColumns; ++c)
            row << diary::trainingCell(t, diary::TrainingColumn(c), m_locale);
        m_cells << row;
    }
    m_widths = textWidths();
    const double padding = kCellPadding * diary::kTrainingColumns;
    double text = 0.0;
    for (double w : std::as_const(m_widths))
        text += w;
    const double room = m_page.width() - padding;
    if (text > room && text > 0.0) {
        // Letters do not quite scale with their size: a little to spare.
        constexpr double kSpare = 0.97;
        m_tableEm = kTableEm * room / text * kSpare;
        m_widths = textWidths();
    }
    double total = 0.0;
    for (double& w : m_widths) {
        w += kCellPadding;
        total += w;
    }
    for (double& w : m_widths)
        w *= m_page.width() / total;
    const double tableHeight = m_page.height() - kFooterBand - 2 * kRowPitch;
    m_rowsPerPage = std::max<qsizetype>(1, qsizetype(tableHeight / kRowPitch));
    const qsizetype rows = m_report.trainings.size();
    // A training's calls take three lines and a gap, under the page's title.
    m_callsPerPage = std::max<qsizetype>(1, qsizetype(tableHeight / (3.5 * kRowPitch)));
    const qsizetype calls = m_report.calls.size();
    m_pages = 1 + int((rows + m_rowsPerPage - 1) / m_rowsPerPage) +
              int((calls + m_callsPerPage - 1) / m_callsPerPage);
}

void ReportPages::drawFirstPage() {
    const double width = m_page.width();
    drawText(m_painter, QRectF(0.0, 0.0, width, kTitleEm * 1.4),
             QCoreApplication::translate("ankerblick::ReportPages", "Trainingstagebuch"),
             pageFont(kTitleEm, true));
    drawText(m_painter, QRectF(0.0, 10.0, width, kTextEm * 1.4), m_report.filterLine,
             pageFont(kTextEm));
    drawText(m_painter, QRectF(0.0, 15.0, width, kTextEm * 1.4), m_report.summaryLine,
             pageFont(kTextEm));
    drawCharts(QRectF(0.0, kChartsTop, width, m_page.height() - kChartsTop - kFooterBand));
}

// Two side by side, each chart under its caption, as large as its place
// allows.
void ReportPages::drawCharts(const QRectF& area) {
    const qsizetype rows = std::max<qsizetype>(1, (m_report.charts.size() + 1) / 2);
    const double cellWidth = (area.width() - kGap) / 2.0;
    const double cellHeight = (area.height() - double(rows - 1) * kGap) / double(rows);
    const double captionHeight = kCaptionEm * 1.6;
    for (qsizetype i = 0; i < m_report.charts.size(); ++i) {
        const QPointF at = area.topLeft() + QPointF(double(i % 2) * (cellWidth + kGap),
                                                    double(i / 2) * (cellHeight + kGap));
        drawText(m_painter, QRectF(at, QSizeF(cellWidth, captionHeight)),
                 m_report.chartCaptions.value(i), pageFont(kCaptionEm, true));
        const QImage& image = m_report.charts.at(i);
        const QSizeF room(cellWidth, cellHeight - captionHeight);
        const QSizeF shown = QSizeF(image.size()).scaled(room, Qt::KeepAspectRatio);
        const QPointF imageAt = at + QPointF((room.width() - shown.width()) / 2.0, captionHeight);
        m_painter.drawImage(QRectF(imageAt, shown), image);
    }
}

void ReportPages::drawTablePage(qsizetype first, qsizetype count) {
    drawRow(0.0, m_headers, pageFont(m_tableEm, true));
    m_painter.setPen(QPen(Qt::black, 0.2));
    m_painter.drawLine(QPointF(0.0, kRowPitch), QPointF(m_page.width(), kRowPitch));
    const QFont font = pageFont(m_tableEm);
    for (qsizetype k = 0; k < count; ++k) {
        const double y = kRowPitch * double(k + 1) + 0.5;
        // Every other row shaded, so that the eye keeps to its row across the page.
        if (k % 2 == 1)
            m_painter.fillRect(QRectF(0.0, y, m_page.width(), kRowPitch), QColor(238, 238, 238));
        drawRow(y, m_cells.at(first + k), font);
    }
}

void ReportPages::drawRow(double y, const QStringList& cells, const QFont& font) {
    m_painter.setPen(Qt::black);
    double x = 0.0;
    for (int c = 0; c < diary::kTrainingColumns; ++c) {
        const double w = m_widths.at(c);
        const bool figure = diary::isFigureColumn(diary::TrainingColumn(c));
        const QRectF box(x + kCellPadding / 2.0, y, w - kCellPadding, kRowPitch);
        drawText(m_painter, box, cells.at(c), font, figure ? Qt::AlignRight : Qt::AlignLeft);
        x += w;
    }
}

// Each training: when, who and which face; its figures; its finding.
void ReportPages::drawCallsPage(qsizetype first, qsizetype count) {
    m_painter.setPen(Qt::black);
    drawText(m_painter, QRectF(0.0, 0.0, m_page.width(), kRowPitch * 1.5),
             QCoreApplication::translate("ankerblick::ReportPages", "Ansagen je Training"),
             pageFont(kCaptionEm, true));
    const QFont bold = pageFont(kTableEm, true);
    const QFont font = pageFont(kTableEm);
    for (qsizetype k = 0; k < count; ++k) {
        const calls::TrainingCalls& t = m_report.calls.at(first + k);
        const double y = kRowPitch * (2.0 + 3.5 * double(k));
        const QString head =
            QCoreApplication::translate("ankerblick::ReportPages", "%1 · %2 · %3")
                .arg(m_locale.toString(t.start, QStringLiteral("dd.MM.yyyy HH:mm")), t.shooter,
                     disciplineCaption(t.discipline));
        drawText(m_painter, QRectF(0.0, y, m_page.width(), kRowPitch), head, bold);
        drawText(m_painter, QRectF(0.0, y + kRowPitch, m_page.width(), kRowPitch),
                 calls::figuresLine(t.figures, m_locale), font);
        drawText(m_painter, QRectF(0.0, y + 2.0 * kRowPitch, m_page.width(), kRowPitch),
                 QCoreApplication::translate("ankerblick::ReportPages", "Befund: %1")
                     .arg(t.finding.text),
                 font);
    }
}

void ReportPages::drawFooter() {
    const QFont font = pageFont(kTableEm);
    const QRectF line(0.0, m_page.height() - kTableEm * 1.4, m_page.width(), kTableEm * 1.4);
    m_painter.setPen(Qt::black);
    drawText(
        m_painter, line,
        QCoreApplication::translate("ankerblick::ReportPages", "Ankerblick · Trainingstagebuch"),
        font);
    drawText(m_painter, line,
             QCoreApplication::translate("ankerblick::ReportPages", "Seite %1 von %2")
                 .arg(m_pageNumber)
                 .arg(m_pages),
             font, Qt::AlignRight);
}

} // namespace

QSizeF reportChartSize() {
    return {kChartWidth, kChartHeight};
}

bool paintDiaryReport(QPagedPaintDevice& device, const DiaryReport& report, const QLocale& locale) {
    return ReportPages(device, report, locale).paint();
}

} // namespace ankerblick
