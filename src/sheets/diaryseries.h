#pragma once

// A window's series as the training diary keeps it: the shots in millimetres
// with their values, calls, ratings and Sek*mm, and what the window's texts
// note for each shot (its times and comments).

#include "callrating.h"
#include "files/seriesfile.h"
#include "model/diaryrecords.h"
#include "model/seriesrecord.h"
#include "model/targetface.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace ankerblick::diary {

// The texts of a window or a series file that name their shots by series
// and shot number.
struct SeriesTexts {
    QString comments;      // "Serie: 2 Schuss: 7: text"
    QString shotTimes;     // "Serie:2 Schuss:7: 8,4"
    QString shootingTimes; // likewise
};

// Series `number` of a window's store as the diary keeps it, written at
// `time`. Shot k of a series in the texts is the shot in slot k - 1. With
// rating options, the calls are taken and rated as the main window rates
// them; without, the shots are hits only. The numbers of the texts are read
// in `locale`.
Series diarySeries(const SeriesRecord& record, int number, const TargetFace& face,
                   const RatingOptions* options, const SeriesTexts& texts, const QLocale& locale,
                   const QDateTime& time = {});

// A training's series and texts as a window holds them, series n at n - 1
// (series the diary does not hold stay empty).
SeriesFileContent windowContent(const Training& training, const QList<Series>& series);

} // namespace ankerblick::diary
