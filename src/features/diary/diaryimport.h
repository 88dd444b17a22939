#pragma once

// Taking series files into the training diary: each file becomes one ended
// training, dated by the file, and is remembered by a hash of its bytes so
// that it is taken only once.

#include "files/shotimport.h"
#include "model/background.h"
#include "services/diary.h"
#include "sheets/callrating.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

namespace ankerblick::diary {

struct ImportReport {
    int imported = 0;
    int skipped = 0;      // already in the diary
    QStringList failures; // one German sentence per file that was not taken in

    int failed() const { return int(failures.size()); }
};

// Takes in the files and the series files (*.txt) of the folders, each file
// in one transaction, a file taken in before skipped. Files hold no
// discipline: they are read on the face of `discipline`, and files with
// calls as the main window rates them with `options`. The shooter is taken
// from a file name of the form the windows propose ("Name" + date + ".txt").
// For a worker thread with a diary's writer for it; `progress` counts the
// files.
ImportReport importSeriesFiles(Diary& diary, const QStringList& pathsOrFolders, int discipline,
                               const RatingOptions& options = {}, const QLocale& locale = QLocale(),
                               JobProgress* progress = nullptr);

// What became of a shot file of another system.
struct ShotImportReport {
    QList<qint64> trainings; // taken in, one a string of the file, in its order
    int skipped = 0;         // strings in the diary already
    int shots = 0;           // in the trainings taken in
    QString failure;         // why nothing was taken in; empty when it was
    // A plain CSV: the names of its columns, for the shooter to say which
    // holds what; nothing was taken in.
    QStringList columnNames;
};

// Takes a shot file into the diary, each string of shots a training (see
// importedTrainings), on the face the file names, else on `discipline`'s,
// for `shooter`. A plain CSV is read by `columns`; without, its column
// names are reported. The file is remembered by a hash of its bytes, so
// that taking it in again adds nothing. For a worker thread with a diary's
// writer for it.
ShotImportReport importShotFile(Diary& diary, const QString& path, int discipline,
                                const QString& shooter,
                                const std::optional<CsvColumns>& columns = std::nullopt);

// The shooter a proposed file name names; empty for any other name.
QString shooterOfFileName(const QString& fileName, const QLocale& locale);

} // namespace ankerblick::diary
