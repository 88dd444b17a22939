#include "seriesprintjob.h"

#include "druckdialog.h"
#include "model/numeric.h"
#include "platform/printers.h"
#include "platform/userdialogs.h"

#include <QPagedPaintDevice>
#include <QWidget>

#include <algorithm>
#include <exception>

namespace ankerblick {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kPageOrigin = 10.0; // the page begins 10 mm inside the paper

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
    return u"Achtung! Das Papier muss mindestens Din A 4 Grösse haben. Pro Seite können " +
           QString::number(seriesPerPage) +
           u" Serien gedruckt werden. --- Bei Schwarz/Weiss- Druckern kann die Option "
           u"'Farbig' gewählt werden, gedruckt wird trotzdem s/w.";
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
    dialog.DatenAnDruck(seriesCount, helpText(), this);
    dialog.exec();
}

void SeriesPrintJob::message(const QString& text) {
    m_dialogs.messageBox(m_parent, text);
}

bool SeriesPrintJob::openDocument(qint16 farbe) {
    const PrintDestination destination = m_printers.current();
    m_destinationName = destination.name;
    m_shooter = m_source.shooterName ? m_source.shooterName() : QString();
    m_started = m_source.now ? m_source.now() : QDateTime::currentDateTime();
    const PrintColour colour =
        farbe == kPrintColour ? PrintColour::Colour : PrintColour::BlackWhite;
    m_device = m_printers.createDevice(destination, colour, u"Ankerblick " + m_shooter);
    if (!m_device || !m_painter.begin(m_device.get())) {
        m_device.reset();
        m_state = State::Failed;
        message(u"Der Druck auf \"" + m_destinationName + u"\" ist nicht möglich.");
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

void SeriesPrintJob::DruckStarten(qint16 SerienNummer, qint16 Serienanzahl, qint16 Farbe,
                                  bool Gesamt) {
    try {
        if (m_state == State::Failed)
            return;
        const TargetFace face = m_source.face();
        const print::SeriesPrintData data = m_source.series(SerienNummer);
        const print::PrintedSeries series =
            print::printedSeries(SerienNummer, data, face, m_locale);
        // The document opens with the first series there is to print.
        if (m_state == State::Idle && !openDocument(Farbe))
            return;

        const int perPage = print::seriesPerPage(m_style);
        const qint16 next = num::toInt16(double(m_counter) + 1.0);
        m_pages = print::pageCount(Serienanzahl, perPage, Gesamt);
        m_colour = Farbe == kPrintColour;
        m_overallWanted = Gesamt;
        if (m_counter % perPage == 0)
            startPage(m_counter / perPage + 1, m_pages);
        m_counter = next;
        m_page.series.append(series);
        m_overall.add(series, m_locale);
        if (m_counter % perPage == 0)
            flushPage();
    } catch (const std::exception&) {
        // The handler ends; the series is not printed.
    }
}

void SeriesPrintJob::DruckBeendet() {
    m_counter = 0;
    if (m_state != State::Open) {
        m_state = State::Idle;
        return;
    }
    closeDocument();
}

void SeriesPrintJob::closeDocument() {
    if (m_overallWanted && !m_overall.isEmpty()) {
        if (!m_pageOpen)
            startPage(m_pagesDone + 1, std::max(m_pages, m_pagesDone + 1));
        m_page.overall = m_overall.picture(m_locale);
    }
    flushPage();
    const bool ok = m_painter.end();
    m_device.reset();
    m_state = State::Idle;
    m_overallWanted = false;
    if (!ok || m_writeFailed)
        message(u"Der Druck auf \"" + m_destinationName + u"\" ist fehlgeschlagen.");
}

} // namespace ankerblick
