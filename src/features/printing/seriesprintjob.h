#pragma once

// The printing of a window's series. The window owns one job; its "Drucken"
// button opens the print dialog for the job (openDialog), and the job prints
// what the dialog's OK requests: startPrinting once per series, then
// printingEnded. The job
// reads each series from the window through its source, lays the series out
// four (main window) or eight (analysis window) to a page and prints the pages
// on the printer chosen in the dialog. With "Gesamtschussbild?" the slot after
// the last series shows all printed shots on one target with the figures of
// where they and their calls went.
//
// A series the source cannot hand over is left out and named in a message
// at the end of the job. The pages are laid out once the job ends, so that
// "Seite x von y" counts the pages printed.

#include "printrequest.h"
#include "seriespage.h"
#include "services/clock.h"
#include "sheets/printcontent.h"

#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QPainter>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QPagedPaintDevice;
class QWidget;

namespace ankerblick {

class PrinterService;
class UserDialogs;

// What the job reads from its window.
struct SeriesPrintSource {
    // Series `number` (1-based): its record, values and sums, e.g.
    // print::seriesPrintData(store[number], face, locale). May throw.
    std::function<print::SeriesPrintData(qint16 number)> series;
    // The face of the selected discipline.
    std::function<TargetFace()> face;
    std::function<QString()> shooterName;
    // The click value of the sight in millimetres at the target, for the
    // correction of the overall picture; without it the discipline's.
    std::function<double()> clickMm;
    // The moment the job starts (its header shows it).
    std::function<QDateTime()> now;
};

class SeriesPrintJob final {
public:
    SeriesPrintJob(print::SeriesPageStyle style, PrinterService& printers, UserDialogs& dialogs,
                   SeriesPrintSource source, const QLocale& locale = QLocale());
    ~SeriesPrintJob();
    SeriesPrintJob(const SeriesPrintJob&) = delete;
    SeriesPrintJob& operator=(const SeriesPrintJob&) = delete;

    // The help text the print dialog shows for this job's page.
    QString helpText() const;

    // Shows the print dialog modal for `seriesCount` series (the count of the
    // window's series list) and prints what its OK requests, before it closes;
    // returns when it is closed.
    void openDialog(qint16 seriesCount, QWidget* parent);
    // Prints the requested series as one job.
    void print(const PrintRequest& request);

    // Adds series SerienNummer (from 1) to the open job, opening it first. The
    // page count follows from the series printed; Serienanzahl is not needed.
    void startPrinting(qint16 SerienNummer, qint16 Serienanzahl, PrintColour Farbe, bool Gesamt);
    // Ends the job: lays out and prints its pages, or says what was left out.
    void printingEnded();

private:
    enum class State { Idle, Open, Failed };

    bool openDocument(PrintColour colour);
    void startPage(int pageNumber, int pages);
    void flushPage();
    void printPages();
    void closeDocument();
    void reportUnprintable(bool printed);
    void message(const QString& text);

    print::SeriesPageStyle m_style;
    PrinterService& m_printers;
    UserDialogs& m_dialogs;
    SeriesPrintSource m_source;
    QLocale m_locale;
    QPointer<QWidget> m_parent;

    State m_state = State::Idle;
    bool m_overallWanted = false;
    bool m_colour = true;
    QList<print::PrintedSeries> m_series; // to print, in the order of the calls
    QList<qint16> m_unprintable;          // numbers of the series left out
    int m_pagesDone = 0;
    QString m_destinationName;
    QString m_shooter;
    QDateTime m_started;
    std::unique_ptr<QPagedPaintDevice> m_device;
    QPainter m_painter;
    QRectF m_pageMm;
    print::SeriesPage m_page;
    bool m_pageOpen = false;
    bool m_writeFailed = false;
    print::OverallCollector m_overall;
};

// The help text of the print dialog for pages of `seriesPerPage` series.
QString printHelpText(int seriesPerPage);

} // namespace ankerblick
