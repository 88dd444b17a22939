#pragma once

// Draws one printed page of series: the header line, each series' target with
// its shots (the whole face, or the group enlarged, with the scale below)
// and, beside it, the series number, the values and the sums; at the end of
// a job possibly the overall picture. Everything is in millimetres
// measured from the top left of the page rectangle (which lies 10 mm inside
// the paper); the same drawing serves printer, PDF file and tests.

#include "sheets/printcontent.h"

#include <QList>
#include <QLocale>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>

class QPainter;

namespace ankerblick::print {

enum class SeriesPageStyle {
    FourPerPage,  // the main window: one series per row, texts at the right
    EightPerPage, // the analysis window: two columns of four rows
};

int seriesPerPage(SeriesPageStyle style);

// What the header line of a page says.
struct PageHeader {
    int page = 1;
    int pages = 1;
    QString shooter;
    QString date;
    QString time;
};

struct SeriesPage {
    SeriesPageStyle style = SeriesPageStyle::FourPerPage;
    PageHeader header;
    bool colour = true;
    QLocale locale;                        // of the scales below the targets
    QList<PrintedSeries> series;           // slots 0, 1, ... in this order
    std::optional<OverallPicture> overall; // in the slot after the last series
};

// Where a slot's pieces lie, relative to the page rectangle's top left (mm).
QPointF targetCentre(SeriesPageStyle style, int slot);
QPointF textOrigin(SeriesPageStyle style, int slot);

// The painter's unit must be one millimetre; pageMm is the printable page.
void drawSeriesPage(QPainter& painter, const QRectF& pageMm, const SeriesPage& page);

} // namespace ankerblick::print
