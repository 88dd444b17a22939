#pragma once

// Taking series files into the training diary: each file becomes one ended
// training, dated by the file, and is remembered by a hash of its bytes so
// that it is taken only once.

#include "model/background.h"
#include "services/diary.h"
#include "sheets/callrating.h"

#include <QLocale>
#include <QString>
#include <QStringList>

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

// The shooter a proposed file name names; empty for any other name.
QString shooterOfFileName(const QString& fileName, const QLocale& locale);

} // namespace ankerblick::diary
