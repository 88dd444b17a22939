#include "seriesfile.h"

#include "model/numeric.h"
#include "windows1252.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <array>
#include <charconv>
#include <cstring>
#include <memory>
#include <utility>

using namespace Qt::StringLiterals;

namespace ankerblick {

namespace {

constexpr int kValuesPerSlot = 8;

// The columns of a slot in the order of its eight lines in the file.
constexpr std::array<SeriesRecord::Column SeriesRecord::*, kValuesPerSlot> kFileOrder = {
    &SeriesRecord::lineX1,  &SeriesRecord::lineX2, &SeriesRecord::lineY1,   &SeriesRecord::lineY2,
    &SeriesRecord::hitLeft, &SeriesRecord::hitTop, &SeriesRecord::callLeft, &SeriesRecord::callTop,
};

bool isHitColumn(SeriesRecord::Column SeriesRecord::*column) {
    return column == &SeriesRecord::hitLeft || column == &SeriesRecord::hitTop;
}

// The marker lines of the sections.
constexpr QByteArrayView kCommentsMarkerLine = "$Kommentare$";
constexpr QByteArrayView kShotTimesMarkerLine = "$Schusszeiten$";
constexpr QByteArrayView kShootingTimesMarkerLine = "$Schiesszeiten$";
constexpr QByteArrayView kLineEnd = "\r\n";

QString shownName(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// A line as the user may quote it in a message: not endlessly long, and
// characters that cannot be shown (NUL, control bytes) replaced.
QString quotedLine(QStringView line) {
    constexpr qsizetype kMaxShown = 40;
    const QStringView trimmed = line.trimmed();
    QString shown = trimmed.left(kMaxShown).toString();
    for (QChar& c : shown)
        if (!c.isPrint())
            c = QChar(QChar::ReplacementCharacter);
    return u"„"_s + shown + (trimmed.size() > kMaxShown ? u"…“"_s : u"“"_s);
}

bool isPlainInteger(QStringView text) {
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+'))
        text = text.mid(1);
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

std::optional<double> numberOf(const QString& line, const QLocale& locale) {
    if (const auto v = num::parseNumber(line, locale))
        return v;
    const QStringView trimmed = QStringView(line).trimmed();
    if (isPlainInteger(trimmed)) {
        bool ok = false;
        const double v = QLocale::c().toDouble(trimmed, &ok);
        if (ok)
            return v;
    }
    return std::nullopt;
}

// What a line of the file holds, as numberOf reads its text. Nearly every
// line of a file is a plain integer or text that begins with a letter; both
// are told from the bytes alone, without building the text:
// - a sign and up to nine digits and nothing else: the locale reads no other
//   number from it, and the plain-integer rule gives its value;
// - an ASCII letter or '$' first: no locale reads a number that begins so
//   (only "inf" and "nan" do, and they are not numbers for the file either).
// Every other line is read by numberOf.
struct LineValue {
    enum Kind { Text, Integer, Number } kind = Text;
    int integer = 0;   // Integer
    double number = 0; // Number

    // The value as a 16-bit field; false when it lies outside that range.
    bool toInt16(qint16& out) const {
        if (kind == Number) {
            const std::optional<qint16> v = num::tryInt16(number);
            out = v.value_or(0);
            return v.has_value();
        }
        out = qint16(integer);
        return integer >= -32768 && integer <= 32767;
    }
};

// A line that is neither of the two kinds, read by numberOf.
Q_NEVER_INLINE LineValue numberLineValue(QByteArrayView bytes, const QLocale& locale) {
    LineValue out;
    if (const std::optional<double> v = numberOf(cp1252::decode(bytes), locale)) {
        out.kind = LineValue::Number;
        out.number = *v;
    }
    return out;
}

LineValue lineValue(QByteArrayView bytes, const QLocale& locale) {
    LineValue out;
    if (bytes.isEmpty())
        return out;
    const char first = bytes.front();
    if ((first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z') || first == '$')
        return out;
    const QByteArrayView digits = first == '-' || first == '+' ? bytes.sliced(1) : bytes;
    if (!digits.isEmpty() && digits.size() <= 9 && digits.front() != '-') {
        const char* const end = digits.data() + digits.size();
        const auto [stop, error] = std::from_chars(digits.data(), end, out.integer);
        if (error == std::errc() && stop == end) {
            out.kind = LineValue::Integer;
            if (first == '-')
                out.integer = -out.integer;
            return out;
        }
    }
    return numberLineValue(bytes, locale);
}

// The messages of a line that stops the reading. Kept apart from the reading
// of the lines, which stays small and quick.
Q_NEVER_INLINE QString notANumberReason(QByteArrayView bytes) {
    const QString line = cp1252::decode(bytes);
    return line.trimmed().isEmpty()
               ? QCoreApplication::translate("SeriesFile",
                                             "Erwartet wird eine Zahl, die Zeile ist leer.")
               : QCoreApplication::translate("SeriesFile",
                                             "Erwartet wird eine Zahl, die Zeile lautet %1.")
                     .arg(quotedLine(line));
}

Q_NEVER_INLINE QString outOfRangeReason(QByteArrayView bytes) {
    return QCoreApplication::translate(
               "SeriesFile", "Der Wert %1 liegt außerhalb des Bereichs von -32768 bis 32767.")
        .arg(quotedLine(cp1252::decode(bytes)));
}

QString fileNamed(const QString& path) {
    return path.isEmpty()
               ? QCoreApplication::translate("SeriesFile", "Die Datei")
               : QCoreApplication::translate("SeriesFile", "Die Datei „%1“").arg(shownName(path));
}

SeriesFileReadResult openFailure(const QString& path, const QString& reason) {
    SeriesFileReadResult result;
    result.error =
        QCoreApplication::translate("SeriesFile", "Die Datei „%1“ konnte nicht gelesen werden: %2")
            .arg(shownName(path), reason);
    return result;
}

// Why a new file cannot be created at the path.
QString createReason(const QString& path, const QString& systemText) {
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.exists())
        return QCoreApplication::translate("SeriesFile", "Der Ordner „%1“ existiert nicht.")
            .arg(shownName(folder.filePath()));
    if (!folder.isDir())
        return QCoreApplication::translate("SeriesFile", "„%1“ ist kein Ordner.")
            .arg(shownName(folder.filePath()));
    return QCoreApplication::translate("SeriesFile",
                                       "Die Datei kann dort nicht angelegt werden (%1).")
        .arg(systemText);
}

// The line of a value from 0 to 999, the values nearly every file holds:
// digits and CR LF, padded to eight bytes so that it is copied in one piece.
struct SmallValueLine {
    std::array<char, 8> text{};
    qsizetype size = 0;
};
constexpr int kSmallValues = 1000;
constexpr auto kSmallValueLines = [] {
    std::array<SmallValueLine, kSmallValues> lines{};
    for (int v = 0; v < kSmallValues; ++v) {
        SmallValueLine& line = lines[size_t(v)];
        const int digits = v >= 100 ? 3 : v >= 10 ? 2 : 1;
        for (int d = digits - 1, rest = v; d >= 0; --d, rest /= 10)
            line.text[size_t(d)] = char('0' + rest % 10);
        line.text[size_t(digits)] = '\r';
        line.text[size_t(digits) + 1] = '\n';
        line.size = digits + 2;
    }
    return lines;
}();

// Every value line takes at most 8 bytes ("-32768" and CR LF).
constexpr qsizetype kMaxValueLine = 8;

// Writes the value's line at `out`, which has room for kMaxValueLine bytes.
char* putValueLine(char* out, int value) {
    if (unsigned(value) < unsigned(kSmallValues)) {
        const SmallValueLine& line = kSmallValueLines[size_t(value)];
        std::memcpy(out, line.text.data(), kMaxValueLine);
        return out + line.size;
    }
    out = std::to_chars(out, out + kMaxValueLine - 2, value).ptr;
    *out++ = '\r';
    *out++ = '\n';
    return out;
}

// The bytes of a file, produced piece by piece: the value lines of the
// series, then the sections, each its marker line and text. Saving writes
// them through a small buffer and never holds the whole file in memory; the
// same pieces make up encodeSeriesFile's result.
class FileBytes {
public:
    static constexpr qsizetype kSeriesBytes = kShotsPerSeries * kValuesPerSlot * kMaxValueLine;
    static constexpr qsizetype kMinRoom = 1024; // a series, a marker line

    FileBytes(const SeriesFileContent& content, SeriesFileStyle style)
        : m_content(content), m_hitsOnly(style == SeriesFileStyle::ShotEntry),
          m_sections{{
              {kCommentsMarkerLine, content.comments},
              {kShotTimesMarkerLine, content.shotTimes},
              {kShootingTimesMarkerLine, content.shootingTimes},
          }} {}

    // No file of the content is longer: a section takes at most a byte per
    // character besides its marker line and line ends.
    qsizetype maxSize() const {
        qsizetype size = m_content.series.size() * kSeriesBytes;
        for (const Section& section : m_sections)
            size += section.marker.size() + 3 * kLineEnd.size() + section.text.size();
        return size;
    }

    // Writes the next bytes to `out`, at most `room` of them, and returns
    // their number. With room for kMinRoom bytes or more that is 0 only once
    // the file is complete.
    qsizetype fill(char* out, qsizetype room) {
        char* at = out;
        char* const end = out + room;
        while (m_series < m_content.series.size() && end - at >= kSeriesBytes)
            at = putSeries(at, m_content.series[m_series++]);
        if (m_series == m_content.series.size())
            at = putSections(at, end);
        return at - out;
    }

private:
    struct Section {
        QByteArrayView marker;
        QStringView text;
    };

    char* putSeries(char* out, const SeriesRecord& record) const {
        for (size_t slot = 0; slot < size_t(kShotsPerSeries); ++slot)
            for (const auto column : kFileOrder)
                out = putValueLine(out,
                                   m_hitsOnly && !isHitColumn(column) ? 0 : (record.*column)[slot]);
        return out;
    }

    char* putLineEnd(char* out) const {
        std::memcpy(out, kLineEnd.data(), size_t(kLineEnd.size()));
        return out + kLineEnd.size();
    }

    // The marker line, then the text in pieces as room allows, then its line end.
    char* putSections(char* at, char* const end) {
        while (m_section < m_sections.size()) {
            const Section& section = m_sections[m_section];
            if (m_textDone < 0) {
                if (end - at < section.marker.size() + 2 * kLineEnd.size())
                    break;
                std::memcpy(at, section.marker.data(), size_t(section.marker.size()));
                at = putLineEnd(at + section.marker.size());
                if (m_hitsOnly)
                    at = putLineEnd(at);
                m_textDone = 0;
            }
            const QStringView rest = section.text.sliced(m_textDone);
            const qsizetype room = end - at - kLineEnd.size();
            if (rest.size() > room) {
                // A surrogate pair is one character and stays in one piece.
                QStringView piece = rest.first(qMax(room, qsizetype(0)));
                if (!piece.isEmpty() && piece.back().isHighSurrogate())
                    piece.chop(1);
                at = cp1252::encodeInto(at, piece);
                m_textDone += piece.size();
                break;
            }
            at = putLineEnd(cp1252::encodeInto(at, rest));
            m_textDone = -1;
            ++m_section;
        }
        return at;
    }

    const SeriesFileContent& m_content;
    const bool m_hitsOnly;
    const std::array<Section, 3> m_sections;
    qsizetype m_series = 0; // series written
    size_t m_section = 0;   // sections written
    qsizetype m_textDone =
        -1; // characters of the section's text written; -1 before its marker line
};

// Writes the file's bytes in pieces that stay in the processor's cache; on
// failure the reason, as the system or the short count gives it. The message
// is the one a single write of all bytes gives: a count of the bytes written
// once any of them were, the system's text when none were.
std::optional<QString> writeBytes(QSaveFile& file, const SeriesFileContent& content,
                                  SeriesFileStyle style) {
    constexpr qsizetype kPiece = qsizetype(1) << 18;
    static_assert(kPiece >= FileBytes::kMinRoom);
    FileBytes bytes(content, style);
    std::unique_ptr<char[]> buffer(new char[size_t(kPiece)]);
    qint64 written = 0;
    while (const qsizetype size = bytes.fill(buffer.get(), kPiece)) {
        const qint64 n = file.write(buffer.get(), size);
        if (n == size) {
            written += n;
            continue;
        }
        if (n < 0 && written == 0 && file.error() != QFileDevice::NoError)
            return file.errorString();
        written += qMax(n, qint64(0));
        qint64 total = written + (size - qMax(n, qint64(0)));
        while (const qsizetype rest = bytes.fill(buffer.get(), kPiece))
            total += rest;
        return QCoreApplication::translate(
                   "SeriesFile", "nur %1 von %2 Bytes geschrieben; ist der Datenträger voll?")
            .arg(written)
            .arg(total);
    }
    return std::nullopt;
}

} // namespace

QByteArray encodeSeriesFile(const SeriesFileContent& content, SeriesFileStyle style) {
    FileBytes bytes(content, style);
    QByteArray out(bytes.maxSize(), Qt::Uninitialized);
    out.truncate(bytes.fill(out.data(), out.size()));
    return out;
}

std::optional<QString> writeSeriesFile(const QString& path, const SeriesFileContent& content,
                                       SeriesFileStyle style) {
    const QFileInfo target(path);
    const bool existed = target.exists();
    const auto failure = [&](const QString& reason) {
        QString text = QCoreApplication::translate(
                           "SeriesFile", "Die Datei „%1“ konnte nicht gespeichert werden: %2")
                           .arg(shownName(path), reason);
        if (existed && target.isFile())
            text =
                QCoreApplication::translate("SeriesFile", "%1 Die bisherige Datei ist unverändert.")
                    .arg(text);
        return std::optional<QString>(text);
    };

    if (path.isEmpty())
        return failure(
            QCoreApplication::translate("SeriesFile", "Es ist kein Dateiname angegeben."));
    if (target.isDir())
        return failure(QCoreApplication::translate(
            "SeriesFile", "Unter diesem Namen gibt es bereits einen Ordner."));
    // A device or pipe is never replaced by a file.
    if (existed && !target.isFile())
        return failure(QCoreApplication::translate(
            "SeriesFile", "Unter diesem Namen gibt es bereits etwas anderes als eine Datei."));

    QSaveFile file(path);
    // Unbuffered, so that every failed write reaches the file's error state and
    // commit() discards the new file instead of replacing the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(createReason(path, file.errorString()));
    if (const std::optional<QString> systemText = writeBytes(file, content, style)) {
        file.cancelWriting(); // the unfinished new file is discarded
        return failure(
            QCoreApplication::translate(
                "SeriesFile", "Die Daten konnten nicht vollständig geschrieben werden (%1).")
                .arg(*systemText));
    }
    if (!file.commit())
        return failure(QCoreApplication::translate(
                           "SeriesFile", "Die Datei konnte nicht fertig geschrieben werden (%1).")
                           .arg(file.errorString()));
    return std::nullopt;
}

QString seriesFileFilter() {
    return QCoreApplication::translate("SeriesFile", "Textdateien (*.txt)");
}

QString seriesLimitMessage() {
    return QCoreApplication::translate("SeriesFile",
                                       "Mehr als %1 Serien kann das Programm nicht auflisten.")
        .arg(QString::number(kMaxSeries));
}

SeriesFileParser::SeriesFileParser(const QLocale& locale, int maxSeries)
    : m_locale(locale), m_maxSeries(qMax(1, maxSeries)), m_sections{{{&m_content.comments},
                                                                     {&m_content.shotTimes},
                                                                     {&m_content.shootingTimes}}} {
    m_content.series.append(SeriesRecord{});
    m_record = &m_content.series.last();
}

bool SeriesFileParser::stop(int line, const QString& reason, bool seriesLimit) {
    m_stopped = true;
    m_errorLine = line;
    m_reason = reason;
    m_seriesLimit = seriesLimit;
    m_pending.clear();
    return false;
}

inline void SeriesFileParser::putValue(qint16 value) {
    (m_record->*kFileOrder[size_t(m_field)])[size_t(m_slot)] = value;
    if (++m_field == kValuesPerSlot) {
        m_field = -1;
        ++m_slot;
        m_found = true;
        m_inSlots = true;
    }
}

// The reading of nearly every line of a file, kept small: the value lines
// as the program writes them (a sign and up to five digits, in the 16-bit
// range) one after another, where a slot's value may stand, taken as
// processLine takes them. Stops, with the line untouched, at every other
// line, at one that ends beyond the bytes and where processLine decides how
// a slot begins; returns the number of bytes taken.
qsizetype SeriesFileParser::takeValueLines(const char* const first, const char* const end) {
    constexpr qsizetype kMaxDigits = 5;
    const char* p = first;
    for (;;) {
        const char* q = p;
        const bool negative = q != end && *q == '-';
        if (q != end && (*q == '-' || *q == '+'))
            ++q;
        const char* const digits = q;
        int value = 0;
        for (unsigned digit = 0;
             q != end && q - digits <= kMaxDigits && (digit = unsigned(*q) - unsigned('0')) <= 9;
             ++q)
            value = value * 10 + int(digit);
        if (q == digits || q - digits > kMaxDigits)
            break;
        if (q != end && *q == '\r')
            ++q;
        if (q == end || *q != '\n')
            break;
        value = negative ? -value : value;
        if (value < -32768 || value > 32767 || (m_field < 0 && !beginSlot()))
            break;
        ++m_lines;
        putValue(qint16(value));
        p = q + 1;
    }
    return p - first;
}

// The section lines as the program writes them, one after another: lines
// that begin with a letter (so are neither a number nor a marker line) and
// end with CR LF, where processLine adds such a line to the selected section
// as it stands. They are decoded at once; returns the number of bytes taken.
qsizetype SeriesFileParser::takeTextLines(const char* const first, const char* const end) {
    if (!m_section || m_field >= 0 || (m_inSlots && m_heldLine == 0))
        return 0;
    const char* p = first;
    int lines = 0;
    while (p != end && ((*p >= 'A' && *p <= 'Z') || (*p >= 'a' && *p <= 'z'))) {
        const auto* eol = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
        if (!eol || eol[-1] != '\r' || eol - p - 1 > kMaxLineLength)
            break;
        p = eol + 1;
        ++lines;
    }
    const QByteArrayView text(first, p - first);
    cp1252::decodeInto(room(*m_section, text.size()), text);
    m_lines += lines;
    return text.size();
}

// A number line where no slot is being read begins one. False, with nothing
// changed, where it cannot: after a line that was not a number (a slot line
// is damaged or missing there), or where a series beyond the limit would begin.
bool SeriesFileParser::beginSlot() {
    if (m_heldLine > 0)
        return false;
    if (m_slot >= kShotsPerSeries) {
        if (m_content.series.size() >= m_maxSeries)
            return false;
        newSeries();
    }
    m_field = 0;
    return true;
}

Q_NEVER_INLINE void SeriesFileParser::newSeries() {
    m_content.series.append(SeriesRecord{});
    m_record = &m_content.series.last();
    m_slot = 0;
}

bool SeriesFileParser::feed(QByteArrayView bytes) {
    // A line may hold kMaxLineLength characters and its CR.
    constexpr qsizetype kMaxPending = qsizetype(kMaxLineLength) + 1;
    const auto tooLong = [this] {
        return stop(m_lines + 1, QCoreApplication::translate("ankerblick::SeriesFileParser",
                                                             "Die Zeile ist länger als %1 Zeichen.")
                                     .arg(QString::number(kMaxLineLength)));
    };
    qsizetype pos = 0;
    while (!m_stopped && pos < bytes.size()) {
        if (m_pending.isEmpty()) {
            pos += takeValueLines(bytes.data() + pos, bytes.data() + bytes.size());
            pos += takeTextLines(bytes.data() + pos, bytes.data() + bytes.size());
            if (pos == bytes.size())
                break;
        }
        const auto* found = static_cast<const char*>(
            std::memchr(bytes.data() + pos, '\n', size_t(bytes.size() - pos)));
        const qsizetype end = found ? found - bytes.data() : -1;
        const QByteArrayView part = bytes.sliced(pos, (end < 0 ? bytes.size() : end) - pos);
        if (m_pending.size() + part.size() > kMaxPending)
            return tooLong();
        if (end < 0) {
            m_pending.append(part);
            break;
        }
        pos = end + 1;
        if (m_pending.isEmpty()) {
            processLine(part);
        } else {
            m_pending.append(part);
            processLine(m_pending);
            m_pending.clear();
        }
    }
    return !m_stopped;
}

bool SeriesFileParser::processLine(QByteArrayView bytes) {
    const int lineNo = ++m_lines;
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    if (bytes.size() > kMaxLineLength)
        return stop(lineNo, QCoreApplication::translate("ankerblick::SeriesFileParser",
                                                        "Die Zeile ist länger als %1 Zeichen.")
                                .arg(QString::number(kMaxLineLength)));
    const LineValue value = lineValue(bytes, m_locale);
    const bool isNumber = value.kind != LineValue::Text;
    if (m_field < 0 && isNumber && !beginSlot()) {
        // A slot follows a line after the slots that was not a number: a slot
        // line is damaged or missing there, and the lines since are no text.
        if (m_heldLine > 0) {
            if (m_section)
                m_section->size = m_heldSectionSize;
            return stop(m_heldLine, m_heldReason);
        }
        return stop(lineNo, QString(), true);
    }
    if (m_field >= 0) {
        if (!isNumber)
            return stop(lineNo, notANumberReason(bytes));
        qint16 v = 0;
        if (!value.toInt16(v))
            return stop(lineNo, outOfRangeReason(bytes));
        putValue(v);
    } else {
        textLine(lineNo, bytes);
    }
    return true;
}

void SeriesFileParser::textLine(int line, QByteArrayView bytes) {
    Section* marked = nullptr;
    if (bytes == kCommentsMarkerLine)
        marked = &m_sections[0];
    else if (bytes == kShotTimesMarkerLine)
        marked = &m_sections[1];
    else if (bytes == kShootingTimesMarkerLine)
        marked = &m_sections[2];
    if (marked) {
        m_section = marked;
        m_found = true;
        m_inSlots = false;
        m_heldLine = 0;
        return;
    }
    if (m_inSlots && m_heldLine == 0) {
        m_heldLine = line;
        m_heldReason = notANumberReason(bytes);
        m_heldSectionSize = m_section ? m_section->size : 0;
    }
    if (m_section)
        appendLine(*m_section, bytes);
}

QChar* SeriesFileParser::room(Section& section, qsizetype count) {
    const qsizetype size = section.size + count;
    if (size > section.text->size()) {
        // The string grows by doubling, and all it holds is room.
        section.text->resize(size);
        section.text->resize(section.text->capacity());
    }
    QChar* const out = section.text->data() + section.size;
    section.size = size;
    return out;
}

void SeriesFileParser::appendLine(Section& section, QByteArrayView bytes) {
    QChar* const out = room(section, bytes.size() + kLineEnd.size());
    cp1252::decodeInto(out, bytes);
    out[bytes.size()] = u'\r';
    out[bytes.size() + 1] = u'\n';
}

SeriesFileReadResult SeriesFileParser::finish(const QString& path) {
    if (!m_stopped && !m_pending.isEmpty()) {
        const QByteArray last = std::exchange(m_pending, QByteArray());
        processLine(last);
    }
    if (!m_stopped && m_field >= 0)
        stop(m_lines + 1, QCoreApplication::translate(
                              "ankerblick::SeriesFileParser",
                              "Die Datei endet mitten in den acht Zeilen eines Schusses."));
    return result(path);
}

SeriesFileReadResult SeriesFileParser::abort(const QString& path, const QString& reason) {
    if (!m_stopped)
        stop(m_lines + 1, reason);
    return result(path);
}

SeriesFileReadResult SeriesFileParser::result(const QString& path) {
    SeriesFileReadResult r;
    for (Section& section : m_sections) {
        section.text->truncate(section.size);
        section.size = 0;
    }
    // Nothing of a series file: no series, so that nothing is replaced.
    if (m_found)
        r.content = std::move(m_content);
    m_content = SeriesFileContent{};
    m_record = nullptr;
    m_section = nullptr;
    const QString file = fileNamed(path);
    if (m_errorLine > 0) {
        r.errorLine = m_errorLine;
        r.seriesLimitReached = m_seriesLimit;
        const QString line = QString::number(m_errorLine);
        r.error =
            m_seriesLimit
                ? QCoreApplication::translate(
                      "ankerblick::SeriesFileParser",
                      "%1 enthält mehr Serien, als das Programm auflisten kann (höchstens %2). "
                      "Die ersten %3 Serien der Datei wurden gelesen, ab Zeile %4 nicht mehr.")
                      .arg(file, QString::number(kMaxSeries), QString::number(m_maxSeries), line)
                : QCoreApplication::translate("ankerblick::SeriesFileParser",
                                              "%1 konnte ab Zeile %2 nicht gelesen werden: %3")
                      .arg(file, line, m_reason);
    } else if (!m_found) {
        r.error =
            QCoreApplication::translate(
                "ankerblick::SeriesFileParser",
                "%1 ist keine Seriendatei: Sie enthält weder Schüsse noch einen der Abschnitte "
                "„$Kommentare$“, „$Schusszeiten$“ und „$Schiesszeiten$“.")
                .arg(file);
    }
    return r;
}

SeriesFileReadResult parseSeriesFile(const QByteArray& bytes, const QLocale& locale) {
    SeriesFileParser parser(locale);
    parser.feed(bytes);
    return parser.finish(QString());
}

SeriesFileReadResult readSeriesFile(const QString& path, const QLocale& locale, int maxSeries) {
    const QFileInfo info(path);
    if (!info.exists())
        return openFailure(path,
                           QCoreApplication::translate("SeriesFile", "Die Datei existiert nicht."));
    if (info.isDir())
        return openFailure(
            path, QCoreApplication::translate(
                      "SeriesFile", "Unter diesem Namen gibt es einen Ordner, keine Datei."));
    // A device or pipe may never end or never answer.
    if (!info.isFile())
        return openFailure(
            path, QCoreApplication::translate(
                      "SeriesFile", "Unter diesem Namen gibt es etwas anderes als eine Datei."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return openFailure(path, QCoreApplication::translate(
                                     "SeriesFile", "Die Datei lässt sich nicht öffnen (%1).")
                                     .arg(file.errorString()));

    // In pieces: memory stays small however large the file is, and a file
    // that breaks off early is not read to its end.
    constexpr qint64 kChunk = 1 << 16;
    SeriesFileParser parser(locale, maxSeries);
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(buffer.data(), kChunk);
        if (n < 0)
            return parser.abort(
                path, QCoreApplication::translate("SeriesFile",
                                                  "Beim Lesen ist ein Fehler aufgetreten (%1).")
                          .arg(file.errorString()));
        if (n == 0 || !parser.feed(QByteArrayView(buffer.constData(), n)))
            break;
    }
    return parser.finish(path);
}

QString proposedFileName(const QString& shooter, const QDate& date, const QLocale& locale) {
    QString name = shooter + locale.toString(date, QLocale::ShortFormat) + u".txt"_s;
    for (QChar& c : name) {
        if (c == u'/' || c == u'\\')
            c = u'-';
        else if (c.category() == QChar::Other_Control || QStringView(u":*?\"<>|").contains(c))
            c = u'_';
    }
    return name;
}

QList<SeriesRecord> seriesOfStore(const SeriesStore& store, int count) {
    QList<SeriesRecord> series;
    series.reserve(count);
    for (int n = 1; n <= count && store.contains(n); ++n)
        series.append(store[n]);
    return series;
}

int placeSeries(SeriesStore& store, int first, const QList<SeriesRecord>& series) {
    const int last = first + int(series.size()) - 1;
    store.ensure(last);
    for (int i = 0; i < int(series.size()); ++i)
        store[first + i] = series[i];
    return last;
}

} // namespace ankerblick
