#pragma once

// Shot files of other systems, read: every shot's position in millimetres
// from the centre (y up), its time and the file's own value where the file
// has them, and whether it was a sighter. Three formats are told apart by
// their first lines:
//
// - ShotMarker's CSV export: blocks of header lines ("Date:", "String:",
//   "Target:", "Face:") each followed by the column row
//   ",time,tags,id,score,temp C,x mm,y mm,v fps,yaw deg, pitch deg,quality,xy_err"
//   and one row a shot; tags joined by "/" ("sighter"), score "X" an inner ten;
// - a phone scan's CSV: "Shot Number,Scan Number,Score,x,y", "10*" an inner
//   ten, scores with tenths;
// - a range system's results JSON: an array of shots (or an object whose
//   "shots" holds them) with "number", "value", "fineValue" (tenths), "x",
//   "y" and "at" (an ISO time).
//
// A plain CSV of the shooter's own is read by the columns the shooter names
// for it (x and y in mm, and optionally the time, the value and whether a
// shot was a sighter), its fields split at ";", "," or a tab, whichever its
// first line holds; with ";" or a tab a decimal comma is read too.
//
// A file is read whole or not at all: the first line that cannot be read
// is named, and no shot is taken.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace ankerblick {

struct ImportedShot {
    double xMm = 0.0;
    double yMm = 0.0;
    std::optional<QDateTime> at; // when the file says when
    QString time;                // the file's own time text, as written
    std::optional<double> value; // the file's value (with tenths where it has them)
    bool innerTen = false;       // "X", "10*"
    bool sighter = false;
    friend bool operator==(const ImportedShot&, const ImportedShot&) = default;
};

// One string of shots (a ShotMarker block; the whole file in the others).
struct ImportedString {
    QString name;
    QString face; // the face the file names; empty when it names none
    QString date;
    QList<ImportedShot> shots;
    friend bool operator==(const ImportedString&, const ImportedString&) = default;
};

enum class ShotFileKind { Unknown, ShotMarker, PhoneScan, RangeJson, PlainCsv };

struct ShotFile {
    ShotFileKind kind = ShotFileKind::Unknown;
    QList<ImportedString> strings;
    // Why nothing was taken: the line (from 1; 0 for the whole file) and why.
    std::optional<int> problemLine;
    QString problem;
};

ShotFile readShotFile(const QByteArray& bytes);

// Where a plain CSV holds what a shot needs: column indexes from 0, -1 for
// a column the file does not have.
struct CsvColumns {
    int x = -1;
    int y = -1;
    int time = -1;
    int value = -1;
    int sighter = -1;
    friend bool operator==(const CsvColumns&, const CsvColumns&) = default;
};

// The names in a plain CSV's first line; none when it has fewer than two.
QStringList csvColumnNames(const QByteArray& bytes);
// The shots of a plain CSV below its first line, by the columns named.
ShotFile readPlainCsv(const QByteArray& bytes, const CsvColumns& columns);

// The discipline a file's name for its face stands for (Discipline as int):
// the program's own captions ("LG 10m") and the usual names in English and
// German ("ISSF 10m Air Rifle", "Luftpistole"); none for any other face.
std::optional<int> disciplineOfFace(const QString& face);

} // namespace ankerblick
