#include "seriesprintjob.h"

#include "druckdialog.h"
#include "files/seriesfile.h"
#include "services/printers.h"
#include "services/userdialogs.h"

#include <QCoreApplication>
#include <QPagedPaintDevice>
#include <QWidget>

#include <algorithm>
#include <exception>
#include <limits>
#include <optional>
#include <utility>

namespace ankerblick {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kPageOrigin = 10.0; // the page begins 10 mm inside the paper
// A message names at most this many series left out.
constexpr qsizetype kNamedUnprintable = 10;

// The short date of the locale with the full year, and its short time.
QString headerDate(const QDateTime& at, const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return locale.toString(at.date(), format);
}

QString headerTime(const QDateTime& at, const QLocale& locale) {
    return locale.toString(at.time(), QLocale::ShortFormat);
}

} // namespace

QString printHelpText(int seriesPerPage) {
    return QCoreApplication::translate(
               "ankerblick::SeriesPrintJob",
               "Achtung! Das Papier muss mindestens Din A 4 Grösse haben. Pro Seite können %1 "
               "Serien gedruckt werden. --- Bei Schwarz/Weiss- Druckern kann die Option "
               "'Farbig' gewählt werden, gedruckt wird trotzdem s/w.")
        .arg(seriesPerPage);
}

SeriesPrintJob::SeriesPrintJob(print::SeriesPageStyle style, PrinterService& printers,
                               UserDialogs& dialogs, SeriesPrintSource source,
                               const QLocale& locale)
    : m_style(style), m_printers(printers), m_dialogs(dialogs), m_source(std::move(source)),
      m_locale(locale) {}

SeriesPrintJob::~SeriesPrintJob() {
    if (m_painter.isActive())
        m_painter.end();
}

QString SeriesPrintJob::helpText() const {
    return printHelpText(print::seriesPerPage(m_style));
}

void SeriesPrintJob::openDialog(qint16 seriesCount, QWidget* parent) {
    m_parent = parent;
    DruckDialog dialog(m_printers, m_dialogs, parent);
    // The PDF is named as a series file would be: shooter and day.
    const QDateTime now = m_source.now ? m_source.now() : QDateTime();
    QString pdf = proposedFileName(m_source.shooterName ? m_source.shooterName() : QString(),
                                   now.date(), m_locale);
    pdf.replace(pdf.size() - 4, 4, QStringLiteral(".pdf"));
    dialog.printData(seriesCount, helpText(), pdf);
    QObject::connect(&dialog, &DruckDialog::printRequested, &dialog,
                     [this](const PrintRequest& request) { print(request); });
    dialog.exec();
}

void SeriesPrintJob::print(const PrintRequest& request) {
    const auto count = qint16(request.series.size());
    for (const qint16 number : request.series)
        startPrinting(number, count, request.colour, request.overall);
    printingEnded();
}

void SeriesPrintJob::message(const QString& text) {
    m_dialogs.messageBox(m_parent, text);
}

bool SeriesPrintJob::openDocument(PrintColour colour) {
    const PrintDestination destination = m_printers.current();
    m_destinationName = destination.name;
    m_shooter = m_source.shooterName ? m_source.shooterName() : QString();
    m_started = m_source.now ? m_source.now() : QDateTime();
    m_device = m_printers.createDevice(destination, colour, u"Ankerblick " + m_shooter);
    if (!m_device || !m_painter.begin(m_device.get())) {
        m_device.reset();
        m_state = State::Failed;
        message(QCoreApplication::translate("ankerblick::SeriesPrintJob",
                                            "Der Druck auf \"%1\" ist nicht möglich.")
                    .arg(m_destinationName));
        return false;
    }
    const double xPerMm = m_device->logicalDpiX() / kMmPerInch;
    const double yPerMm = m_device->logicalDpiY() / kMmPerInch;
    const double paperWidth = m_device->width() / xPerMm;
    const double paperHeight = m_device->height() / yPerMm;
    m_pageMm = QRectF(kPageOrigin, kPageOrigin, paperWidth - 2 * kPageOrigin,
                      paperHeight - 2 * kPageOrigin);
    m_pagesDone = 0;
    m_pageOpen = false;
    m_writeFailed = false;
    m_overall = print::OverallCollector();
    m_state = State::Open;
    return true;
}

void SeriesPrintJob::startPage(int pageNumber, int pages) {
    m_page = print::SeriesPage();
    m_page.style = m_style;
    m_page.colour = m_colour;
    m_page.locale = m_locale;
    m_page.header = {pageNumber, pages, m_shooter, headerDate(m_started, m_locale),
                     headerTime(m_started, m_locale)};
    m_pageOpen = true;
}

void SeriesPrintJob::flushPage() {
    if (!m_pageOpen)
        return;
    m_pageOpen = false;
    if (m_pagesDone > 0 && !m_device->newPage()) {
        m_writeFailed = true;
        return;
    }
    m_painter.resetTransform();
    m_painter.scale(m_device->logicalDpiX() / kMmPerInch, m_device->logicalDpiY() / kMmPerInch);
    print::drawSeriesPage(m_painter, m_pageMm, m_page);
    ++m_pagesDone;
}

void SeriesPrintJob::startPrinting(qint16 SerienNummer, qint16, PrintColour Farbe, bool Gesamt) {
    if (m_state == State::Failed)
        return;
    std::optional<print::PrintedSeries> series;
    try {
        const TargetFace face = m_source.face();
        series = print::printedSeries(SerienNummer, m_source.series(SerienNummer), face, m_locale);
    } catch (const std::exception&) {
        m_unprintable.append(SerienNummer);
        return;
    }
    // The document opens with the first series there is to print.
    if (m_state == State::Idle && !openDocument(Farbe))
        return;
    m_colour = Farbe == PrintColour::Colour;
    m_overallWanted = Gesamt;
    m_series.append(*series);
    m_overall.add(*series, m_locale);
}

void SeriesPrintJob::printingEnded() {
    const State state = std::exchange(m_state, State::Idle);
    if (state == State::Open)
        closeDocument();
    else if (state == State::Idle)
        reportUnprintable(false);
    m_series.clear();
    m_unprintable.clear();
    m_overallWanted = false;
}

void SeriesPrintJob::printPages() {
    const int perPage = print::seriesPerPage(m_style);
    const bool overall = m_overallWanted && !m_overall.isEmpty();
    const int pages = print::pageCount(int(m_series.size()), perPage, overall);
    for (int page = 0; page < pages && !m_writeFailed; ++page) {
        startPage(page + 1, pages);
        m_page.series = m_series.mid(qsizetype(page) * perPage, perPage);
        if (overall && page == pages - 1)
            m_page.overall = m_overall.picture(
                m_locale, m_source.clickMm ? std::optional(m_source.clickMm()) : std::nullopt);
        flushPage();
    }
}

void SeriesPrintJob::closeDocument() {
    printPages();
    const bool ok = m_painter.end();
    m_device.reset();
    if (!ok || m_writeFailed)
        message(QCoreApplication::translate("ankerblick::SeriesPrintJob",
                                            "Der Druck auf \"%1\" ist fehlgeschlagen.")
                    .arg(m_destinationName));
    else
        reportUnprintable(true);
}

// Names the series left out; `printed` tells whether the others were printed.
void SeriesPrintJob::reportUnprintable(bool printed) {
    if (m_unprintable.isEmpty())
        return;
    QStringList numbers;
    for (const qint16 n : m_unprintable.first(std::min(m_unprintable.size(), kNamedUnprintable)))
        numbers << QString::number(n);
    const qsizetype more = m_unprintable.size() - numbers.size();
    if (more > 0)
        numbers.last() =
            QCoreApplication::translate("ankerblick::SeriesPrintJob", "%1 und %2 weitere")
                .arg(numbers.last(), QString::number(more));
    QString text;
    if (m_unprintable.size() == 1)
        text = QCoreApplication::translate(
                   "ankerblick::SeriesPrintJob",
                   "Serie %1 konnte nicht gedruckt werden, weil sie sich nicht zeichnen lässt.")
                   .arg(numbers.first());
    else
        text = QCoreApplication::translate("ankerblick::SeriesPrintJob",
                                           "Die Serien %1 konnten nicht gedruckt werden, weil sie "
                                           "sich nicht zeichnen lassen.")
                   .arg(numbers.join(u", "));
    message(printed ? QCoreApplication::translate("ankerblick::SeriesPrintJob",
                                                  "%1 Die übrigen Serien wurden gedruckt.")
                          .arg(text)
                    : QCoreApplication::translate("ankerblick::SeriesPrintJob",
                                                  "%1 Es wurde nichts gedruckt.")
                          .arg(text));
}

} // namespace ankerblick
