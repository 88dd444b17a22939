#pragma once

// What a window notes for its shots, as data: the comments, the shot times
// stopped by hand and the shooting times, each a note on a shot of a series,
// in the order they were taken. Only the series file's sections
// "$Kommentare$", "$Schusszeiten$" and "$Schiesszeiten$" (and the diary,
// which keeps them the same way) hold them as text; the functions below turn
// notes into that text and back, byte for byte.

#include <QList>
#include <QLocale>
#include <QString>

#include <optional>

namespace ankerblick {

struct ShotNote {
    int series = 0;                // 0: a line of a file that names no shot
    int shot = 0;                  // the shot's number in its series, 0 before the first
    std::optional<double> seconds; // a time note's time
    QString text;                  // a comment
    // The note's lines exactly as a file held them, line ends included;
    // empty for a note taken in the program.
    QString written;
    // A match's mark (program, sighting series, shot after the time), set
    // by the program or read from its own line; a comment the shooter typed
    // is never one, whatever its text.
    bool mark = false;

    friend bool operator==(const ShotNote&, const ShotNote&) = default;
};

struct ShotNotes {
    QList<ShotNote> comments;
    QList<ShotNote> shotTimes;
    QList<ShotNote> shootingTimes;

    friend bool operator==(const ShotNotes&, const ShotNotes&) = default;
};

// A match's marks, kept among the comments: the program, before the first
// shot of series 1 ("Wettkampf: LG 60"); a sighting series, before its first
// shot ("Probe"); a shot after the time, on the shot ("nach Zeit"). Only
// notes marked as such count; in a file each is a comment line of its own,
// exactly as commentLine writes it.
QString matchNote(const QString& program);
QString sighterNote();
QString lateNote();
// What the shooter is told of a hit and did to it, kept among the comments
// as marks the same way: a camera's hit to be checked ("bitte prüfen"), a
// hit moved onto its hole ("Treffer verschoben") or added by hand where the
// camera saw none ("Treffer ergänzt"), each on its shot; a shot taken out,
// on its series ("Treffer 4 entfernt").
QString checkNote();
QString movedNote();
QString addedNote();
QString removedNote(int shot);
// The electronic target's own value of a shot, beside the program's
// ("Wert der Scheibe: 10,3"), on its shot.
QString deviceValueNote(double value);
// A shot file's own value of a shot, beside the program's, on its shot:
// tenths where it has them, "*" for an inner ten ("Wert der Datei: 10*").
QString fileValueNote(double value, bool innerTen);
ShotNote correctionMark(int series, int shot, const QString& text);
ShotNote programMark(const QString& program);
ShotNote sighterMark(int series);
ShotNote lateMark(int series, int shot);
// The program the comments name; empty for a training that is no match.
QString matchProgramOf(const QList<ShotNote>& comments);

// A calling training's goal: `inCall` of every `shots` shots of a series
// within one ring width of their call. Kept as a mark before the first shot
// of series 1 ("Ansagetraining: 8 von 10"), and as the training's program in
// the diary.
struct CallingGoal {
    int inCall = 8;
    int shots = 10;

    friend bool operator==(const CallingGoal&, const CallingGoal&) = default;
};
QString callingGoalNote(CallingGoal goal);
ShotNote callingGoalMark(CallingGoal goal);
// The goal a note's text or a training's program names; none for another
// text or a goal that cannot be (more shots than a series has, none in the call).
std::optional<CallingGoal> callingGoalOf(const QString& text);
std::optional<CallingGoal> callingGoalOf(const QList<ShotNote>& comments);
// A training's program in the program's words: a match's name, or a
// calling training's goal ("Ansagetraining: 8 von 10").
QString shownProgram(const QString& program);
bool isSighterSeries(const QList<ShotNote>& comments, int series);
// The sighting series among series 1..count, in order.
QList<int> sighterSeriesOf(const QList<ShotNote>& comments, int count);
// `shot` counts from 1.
bool isLateShot(const QList<ShotNote>& comments, int series, int shot);

// "Serie: 2 Schuss: 7: text" and "Serie:2 Schuss:7: 8,4", each ended by CR LF.
// A comment the shooter typed that would read back as a mark is written with
// a second blank after the colon, which reads back as the same text.
QString commentLine(int series, int shot, const QString& text);
QString timeLine(int series, int shot, double seconds, const QLocale& locale);

QString commentsText(const QList<ShotNote>& notes);
// The comments as a window shows them, a line each, in the program's
// language: "Serie: 2 Schuss: 7: text", the match's marks in words, the
// program by its shown name; lines that name no shot as they were read.
QString shownComments(const QList<ShotNote>& notes);
QString timesText(const QList<ShotNote>& notes, const QLocale& locale);
// A line that starts no comment continues the one before (a comment typed
// with a line break). Times are read as the time analysis reads them: up to
// the first line that is no time line.
QList<ShotNote> commentsFromText(const QString& text);
QList<ShotNote> timesFromText(const QString& text, const QLocale& locale);

} // namespace ankerblick
