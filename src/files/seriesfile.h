#pragma once

// The series file: a plain text file with all series of one training, the
// comments and the two time texts. Lines end with CR LF, text is Windows-1252.
//
// For every series and every one of its ten shot slots there are eight lines,
// each a signed 16-bit integer: line X1, line X2, line Y1, line Y2, hit left,
// hit top, call left, call top. Then three sections follow, each a marker line
// and its text: "$Kommentare$", "$Schusszeiten$", "$Schiesszeiten$".

#include "model/seriesrecord.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>

#include <array>
#include <optional>

namespace ankerblick {

// The two writers differ: the shot-entry window knows no calls and lines and
// writes zeros for them, and puts an empty line after every marker line.
enum class SeriesFileStyle { MainWindow, ShotEntry };

struct SeriesFileContent {
    QList<SeriesRecord> series; // series 1..n, in order
    // Each a sequence of lines ended by CR LF.
    QString comments;
    QString shotTimes;
    QString shootingTimes;

    friend bool operator==(const SeriesFileContent&, const SeriesFileContent&) = default;
};

struct SeriesFileReadResult {
    // Everything read up to the end of the file or up to the line that could
    // not be read: at least one (possibly empty) series, or none at all when
    // the file could not be opened or nothing of a series file was read.
    SeriesFileContent content;
    // German text for the user, naming the file (when known) and the line.
    std::optional<QString> error;
    // 1-based number of the line that could not be read; 0 when all was read
    // or the file could not be opened at all.
    int errorLine = 0;
    // Reading stopped because the file holds more series than may be listed.
    bool seriesLimitReached = false;
};

// The file's bytes for all series of the content.
QByteArray encodeSeriesFile(const SeriesFileContent& content, SeriesFileStyle style);

// Writes the file in one piece: the new file replaces the old one only once it
// is complete. On failure the old file stays as it was and the result is a
// German text naming the file and the reason.
std::optional<QString> writeSeriesFile(const QString& path, const SeriesFileContent& content,
                                       SeriesFileStyle style);

// The series counter is a signed 16-bit number: no window lists more series.
inline constexpr int kMaxSeries = 32767;
// The longest line read, in characters; no line the program writes comes near it.
inline constexpr int kMaxLineLength = 65536;

// The message when a window already lists kMaxSeries series and is asked for
// another one.
QString seriesLimitMessage();

// The file dialogs' filter for series files.
QString seriesFileFilter();

// Reads line by line: a line that reads as a number (in the locale, or a plain
// integer) begins a shot slot of eight lines, and after ten slots a new series
// begins; a marker line selects its section; every other line, empty ones
// included, is appended with CR LF to the selected section, and dropped while
// none is selected. Lines end with CR LF or a bare LF.
//
// Reading stops at a slot that breaks off or holds a value outside the 16-bit
// range (the values of that slot read so far are kept), at a line longer than
// kMaxLineLength, and where series maxSeries + 1 would begin. A line after a
// slot that is not a number stops the reading when a further slot follows it
// before the next marker line: a slot line is missing or damaged there, and
// every value after it would be read one place off. Followed by a marker line
// or the end of the file, such lines are text like any other. A file in which
// neither a complete shot slot nor a marker line was read gives no series at
// all, so that a window keeps what it shows.
//
// The parser takes the file in pieces of any size, so a file is never held
// in memory as a whole.
class SeriesFileParser {
public:
    explicit SeriesFileParser(const QLocale& locale = QLocale(), int maxSeries = kMaxSeries);

    // The next bytes of the file. False once reading has stopped; further
    // bytes are then ignored.
    bool feed(QByteArrayView bytes);
    // The file ended. `path` names the file in the message (may be empty).
    SeriesFileReadResult finish(const QString& path);
    // Reading broke off for a reason outside the file (a read error): what
    // was read up to the last complete line is kept.
    SeriesFileReadResult abort(const QString& path, const QString& reason);

private:
    // A section's text as it is read. The string runs ahead of the text, its
    // size doubling as the room for further lines, so that a line is added
    // without a call into QString; it is cut to the text when reading ends.
    struct Section {
        QString* text = nullptr;
        qsizetype size = 0; // characters read
    };

    bool processLine(QByteArrayView bytes);
    qsizetype takeValueLines(const char* first, const char* end);
    qsizetype takeTextLines(const char* first, const char* end);
    bool beginSlot();
    void newSeries();
    void putValue(qint16 value);
    void textLine(int line, QByteArrayView bytes);
    static QChar* room(Section& section, qsizetype count);
    static void appendLine(Section& section, QByteArrayView bytes);
    bool stop(int line, const QString& reason, bool seriesLimit = false);
    SeriesFileReadResult result(const QString& path);

    QLocale m_locale;
    int m_maxSeries;
    SeriesFileContent m_content;
    SeriesRecord* m_record = nullptr;  // the last series of the content
    std::array<Section, 3> m_sections; // comments, shot times, shooting times
    Section* m_section = nullptr;
    int m_slot = 0;         // slots filled in the current series
    int m_field = -1;       // next value of the slot being read; -1 outside a slot
    int m_lines = 0;        // lines read
    bool m_found = false;   // a complete slot or a marker line was read
    bool m_inSlots = false; // a slot was read and no marker line after it
    // The first line after the slots that is not a number, while no marker
    // line has followed it: where a further slot would make it a damaged line.
    int m_heldLine = 0;
    QString m_heldReason;
    qsizetype m_heldSectionSize = 0; // the selected section before that line
    bool m_stopped = false;
    bool m_seriesLimit = false;
    int m_errorLine = 0;
    QString m_reason;
    QByteArray m_pending; // the start of a line whose end has not arrived
};

SeriesFileReadResult parseSeriesFile(const QByteArray& bytes, const QLocale& locale = QLocale());
// Only regular files are read (no devices or pipes). `maxSeries` is how many
// series the reading window can still list.
SeriesFileReadResult readSeriesFile(const QString& path, const QLocale& locale = QLocale(),
                                    int maxSeries = kMaxSeries);

// The file name proposed when saving: shooter name, the date in the locale's
// short form, ".txt". Characters that cannot stand in a file name on Windows
// or Linux (path separators, : * ? " < > | and control characters) are
// replaced, so the proposal always names a file in the dialog's folder.
QString proposedFileName(const QString& shooter, const QDate& date, const QLocale& locale);

// Series 1..count of a window's store, for writing.
QList<SeriesRecord> seriesOfStore(const SeriesStore& store, int count);

// Puts the series read from a file into a window's store as series
// first, first + 1, ..., growing the store; returns the last series number.
int placeSeries(SeriesStore& store, int first, const QList<SeriesRecord>& series);

} // namespace ankerblick
