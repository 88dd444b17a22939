#pragma once

// A shot file of another system as trainings of the diary: each string of
// shots one training of hits without calls, as the shot-entry window keeps
// them. The face is the one the file names, else the discipline shown; the
// shots fill series of ten in the file's order, sighters series of their
// own; the file's value of each shot is noted on it beside the program's,
// and the time between two dated shots is its shooting time.

#include "files/shotimport.h"
#include "model/diaryrecords.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace ankerblick::diary {

struct ImportedTraining {
    Training training;
    QList<Series> series;
};

// The trainings of a file read whole; `undated` is when a string whose
// shots carry no time was shot (the file's last change).
QList<ImportedTraining> importedTrainings(const ShotFile& file, int shownDiscipline,
                                          const QString& shooter, const QDateTime& undated);

} // namespace ankerblick::diary
