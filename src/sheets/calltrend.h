#pragma once

// The calls over weeks, from the diary's shots: each training's call
// figures and finding, the share in the call over the last called shots,
// and whether it changed lately beyond chance.

#include "callfigures.h"
#include "callfinding.h"
#include "model/diaryrecords.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QLocale>
#include <QString>
#include <QUuid>

namespace ankerblick::calls {

// The calls over weeks: each training's figures, and the share of the last
// kRollingShots called shots up to its end that lay in their call.
inline constexpr int kRollingShots = 40;
struct TrainingCalls {
    qint64 training = 0;
    QDateTime start;
    QString shooter;
    int discipline = -1;
    CallFigures figures;
    Finding finding; // of the training's series
    double rollingInCallShare = 0.0;
    int rollingShots = 0; // the shots the rolling share is of, kRollingShots at most
};
// The trainings of the rows with a called shot outside sighting series, by
// start; each on the face of its own discipline, its finding in numbers of
// `locale`.
QList<TrainingCalls> callsByTraining(const QList<diary::ShotRow>& rows,
                                     const QLocale& locale = QLocale());
// Rows read from the club's server, of the trainings `numbers` holds by
// their identity there, each numbered as there; the others left out.
QList<diary::ShotRow> numberedRows(QList<diary::ShotRow> rows, const QHash<QUuid, qint64>& numbers);

// Whether the last trainings' calls lie in their call more or less often
// than the ones before, by more than chance would make it: the last k (1 to
// 5) trainings' shots against all before them, the difference more than
// twice its standard error (two proportions), at least 10 shots in the
// last and 20 before; of those k the clearest. Empty when there is none.
// "Ihre Ansagen liegen seit 3 Trainings seltener in der Ansage: 62 % statt 78 %."
QString callChangeText(const QList<TrainingCalls>& trainings);

// A training's figures in one line for the report: "40 Schüsse mit Ansage,
// 75 % in der Ansage, Genauigkeit 5,5 mm (0,7 Ringe), Versatz 1,0 mm rechts,
// 1,5 mm hoch (Zufall), verloren 1,4 im Halten und 2,0 beim Schuss".
QString figuresLine(const CallFigures& figures, const QLocale& locale);

} // namespace ankerblick::calls
