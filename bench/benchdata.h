#pragma once

// The training history the benchmarks work on: series with ten shots each
// (calls, hits and their lines), a comment every tenth series and both time
// texts with a line per shot, as a long club history would hold them.

#include "files/seriesfile.h"
#include "model/diaryrecords.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

namespace ankerblick::bench {

// The locale the program presents its numbers in.
QLocale benchLocale();

// `count` series, the same for the same count and seed.
SeriesFileContent makeHistory(int count, quint32 seed = 1);

// The file bytes of the history, as the main window writes them.
QByteArray historyFile(int count);

// A full series as the main window keeps it in the diary: calls, ratings
// and times.
diary::Series tenShotSeries(int number);

// A file in the system's temporary folder, removed when the process ends.
QString scratchPath(const QString& name);

} // namespace ankerblick::bench
