#pragma once

// The time texts of a target window read back for the value/time graph: one
// entry per line "Serie:2 Schuss:7: 8,4" (CR LF ended).

#include <QList>
#include <QLocale>
#include <QString>

#include <optional>

namespace ankerblick::timeanalysis {

struct TimeEntry {
    int series = 0;                // 0 when the line names no series number
    int shot = 0;                  // 0 when the line names no shot number
    std::optional<double> seconds; // empty when the time is not a number

    friend bool operator==(const TimeEntry&, const TimeEntry&) = default;
};

// Reads the lines in order. Empty lines are skipped; the first line without
// three colons ends the reading. Series and shot are whole numbers of any
// length; the time is a number in the given locale.
QList<TimeEntry> parseTimeLines(const QString& text, const QLocale& locale);

// The text with the series number of every time line (a line with three
// colons, read as parseTimeLines reads it) raised by `by` (0 or more): the
// time lines of a file whose series are listed behind `by` others then name
// the series they are listed as. Only the digits of the series number change;
// every other line, and a time line that names no series (or series 0), stays
// as it is.
QString shiftSeriesNumbers(const QString& text, int by);

} // namespace ankerblick::timeanalysis
