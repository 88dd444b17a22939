#pragma once

// The printed report of the diary window on A4 landscape: the first page
// with the title, the filter and the charts, then the table of the
// trainings on as many pages as it takes, then the calls of each training,
// each page numbered.

#include "model/diaryrecords.h"
#include "sheets/calltrend.h"

#include <QImage>
#include <QList>
#include <QLocale>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;

namespace ankerblick {

struct DiaryReport {
    QString filterLine;  // which trainings, see diary::filterText
    QString summaryLine; // how many, and when the report was made
    QStringList chartCaptions;
    QList<QImage> charts; // drawn keeping their shape
    QList<diary::TrainingSummary> trainings;
    // The calls of the trainings with called shots: on pages of their own
    // after the table, each training's figures and finding.
    QList<calls::TrainingCalls> calls;
};

// The size in pixels the chart pictures are best made in.
QSizeF reportChartSize();

// Paints the whole report on the new document of the device. False when the
// painter cannot begin or a page cannot be added.
bool paintDiaryReport(QPagedPaintDevice& device, const DiaryReport& report, const QLocale& locale);

} // namespace ankerblick
