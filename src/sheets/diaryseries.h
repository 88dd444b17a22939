#pragma once

// A window's series as the training diary keeps it: the shots in millimetres
// with their values, calls, ratings and Sek*mm, and what the window noted for
// each shot (its times and comments).

#include "callrating.h"
#include "files/seriesfile.h"
#include "files/shotnotes.h"
#include "model/diaryrecords.h"
#include "model/seriesrecord.h"
#include "model/targetface.h"

#include <QDateTime>
#include <QString>

namespace ankerblick::diary {

// Series `number` of a window's store as the diary keeps it, written at
// `time`. With rating options, the calls are taken and rated as the main
// window rates them; without, the shots are hits only. A shot's times are
// the last noted for it; several comments on one shot are kept one after
// the other.
Series diarySeries(const SeriesRecord& record, int number, const TargetFace& face,
                   const RatingOptions* options, const ShotNotes& notes,
                   const QDateTime& time = {});

// A training's series and texts as a window holds them, series n at n - 1
// (series the diary does not hold stay empty).
SeriesFileContent windowContent(const Training& training, const QList<Series>& series);

} // namespace ankerblick::diary
