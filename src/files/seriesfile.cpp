#include "seriesfile.h"

#include "files/windows1252.h"
#include "model/numeric.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <array>

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

constexpr QStringView kCommentsMarker = u"$Kommentare$";
constexpr QStringView kShotTimesMarker = u"$Schusszeiten$";
constexpr QStringView kShootingTimesMarker = u"$Schiesszeiten$";
constexpr QByteArrayView kLineEnd = "\r\n";
constexpr QStringView kLineEndText = u"\r\n";

QString shownName(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// A line as the user may quote it in a message: not endlessly long.
QString quotedLine(QStringView line) {
    constexpr qsizetype kMaxShown = 40;
    const QStringView trimmed = line.trimmed();
    if (trimmed.size() <= kMaxShown)
        return u"„"_s + trimmed + u"“"_s;
    return u"„"_s + trimmed.left(kMaxShown) + u"…“"_s;
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

std::optional<double> numberOf(QStringView line, const QLocale& locale) {
    if (const auto v = num::parseNumber(line.toString(), locale))
        return v;
    const QStringView trimmed = line.trimmed();
    if (isPlainInteger(trimmed)) {
        bool ok = false;
        const double v = QLocale::c().toDouble(trimmed, &ok);
        if (ok)
            return v;
    }
    return std::nullopt;
}

struct ParseOutcome {
    SeriesFileContent content;
    int linesRead = 0;
    int errorLine = 0;
    QString reason;
};

ParseOutcome parseText(QStringView text, const QLocale& locale) {
    ParseOutcome out;
    SeriesFileContent& c = out.content;
    c.series.append(SeriesRecord{});
    QString* section = nullptr;
    int slot = 0;      // slots filled in the current series
    int field = -1;    // next value of the slot being read; -1 outside a slot
    qsizetype pos = 0; // start of the next line

    while (pos < text.size()) {
        qsizetype end = text.indexOf(u'\n', pos);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        if (end > pos && text[end - 1] == u'\r')
            --end;
        const QStringView line = text.sliced(pos, end - pos);
        pos = next;
        const int lineNo = ++out.linesRead;

        std::optional<double> value = numberOf(line, locale);
        if (field < 0 && value) {
            if (slot >= kShotsPerSeries) {
                c.series.append(SeriesRecord{});
                slot = 0;
            }
            field = 0;
        }
        if (field >= 0) {
            if (!value) {
                out.errorLine = lineNo;
                out.reason =
                    line.trimmed().isEmpty()
                        ? u"Erwartet wird eine Zahl, die Zeile ist leer."_s
                        : u"Erwartet wird eine Zahl, die Zeile lautet "_s + quotedLine(line) + u'.';
                return out;
            }
            const std::optional<qint16> v = num::tryInt16(*value);
            if (!v) {
                out.errorLine = lineNo;
                out.reason = u"Der Wert "_s + quotedLine(line) +
                             u" liegt außerhalb des Bereichs von -32768 bis 32767."_s;
                return out;
            }
            (c.series.last().*kFileOrder[size_t(field)])[size_t(slot)] = *v;
            if (++field == kValuesPerSlot) {
                field = -1;
                ++slot;
            }
        } else if (line == kCommentsMarker) {
            section = &c.comments;
        } else if (line == kShotTimesMarker) {
            section = &c.shotTimes;
        } else if (line == kShootingTimesMarker) {
            section = &c.shootingTimes;
        } else if (section) {
            section->append(line);
            section->append(kLineEndText);
        }
    }
    if (field >= 0) {
        out.errorLine = out.linesRead + 1;
        out.reason = u"Die Datei endet mitten in den acht Zeilen eines Schusses."_s;
    }
    return out;
}

SeriesFileReadResult toResult(ParseOutcome&& parsed, const QString& path) {
    SeriesFileReadResult result;
    result.content = std::move(parsed.content);
    if (parsed.errorLine > 0) {
        result.errorLine = parsed.errorLine;
        const QString line = QString::number(parsed.errorLine);
        result.error = path.isEmpty()
                           ? u"Die Datei konnte ab Zeile %1 nicht gelesen werden: %2"_s.arg(
                                 line, parsed.reason)
                           : u"Die Datei „%1“ konnte ab Zeile %2 nicht gelesen werden: %3"_s.arg(
                                 shownName(path), line, parsed.reason);
    }
    return result;
}

SeriesFileReadResult openFailure(const QString& path, const QString& reason) {
    SeriesFileReadResult result;
    result.error = u"Die Datei „%1“ konnte nicht gelesen werden: %2"_s.arg(shownName(path), reason);
    return result;
}

// Why a new file cannot be created at the path.
QString createReason(const QString& path, const QString& systemText) {
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.exists())
        return u"Der Ordner „%1“ existiert nicht."_s.arg(shownName(folder.filePath()));
    if (!folder.isDir())
        return u"„%1“ ist kein Ordner."_s.arg(shownName(folder.filePath()));
    return u"Die Datei kann dort nicht angelegt werden (%1)."_s.arg(systemText);
}

} // namespace

QByteArray encodeSeriesFile(const SeriesFileContent& content, SeriesFileStyle style) {
    const bool hitsOnly = style == SeriesFileStyle::ShotEntry;
    QByteArray out;
    out.reserve(content.series.size() * kShotsPerSeries * kValuesPerSlot * 5 +
                content.comments.size() + content.shotTimes.size() + content.shootingTimes.size() +
                64);
    for (const SeriesRecord& record : content.series) {
        for (size_t slot = 0; slot < size_t(kShotsPerSeries); ++slot) {
            for (const auto column : kFileOrder) {
                const int value = hitsOnly && !isHitColumn(column) ? 0 : (record.*column)[slot];
                out.append(QByteArray::number(value));
                out.append(kLineEnd);
            }
        }
    }
    const std::array<std::pair<QStringView, const QString*>, 3> sections = {{
        {kCommentsMarker, &content.comments},
        {kShotTimesMarker, &content.shotTimes},
        {kShootingTimesMarker, &content.shootingTimes},
    }};
    for (const auto& [marker, text] : sections) {
        out.append(cp1252::encode(marker));
        out.append(kLineEnd);
        if (hitsOnly)
            out.append(kLineEnd);
        out.append(cp1252::encode(*text));
        out.append(kLineEnd);
    }
    return out;
}

std::optional<QString> writeSeriesFile(const QString& path, const SeriesFileContent& content,
                                       SeriesFileStyle style) {
    const QFileInfo target(path);
    const bool existed = target.exists();
    const auto failure = [&](const QString& reason) {
        QString text =
            u"Die Datei „%1“ konnte nicht gespeichert werden: %2"_s.arg(shownName(path), reason);
        if (existed && target.isFile())
            text += u" Die bisherige Datei ist unverändert."_s;
        return std::optional<QString>(text);
    };

    if (path.isEmpty())
        return failure(u"Es ist kein Dateiname angegeben."_s);
    if (target.isDir())
        return failure(u"Unter diesem Namen gibt es bereits einen Ordner."_s);
    // A device or pipe is never replaced by a file.
    if (existed && !target.isFile())
        return failure(u"Unter diesem Namen gibt es bereits etwas anderes als eine Datei."_s);

    const QByteArray bytes = encodeSeriesFile(content, style);
    QSaveFile file(path);
    // Unbuffered, so that every failed write reaches the file's error state and
    // commit() discards the new file instead of replacing the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(createReason(path, file.errorString()));
    if (const qint64 written = file.write(bytes); written != bytes.size()) {
        const QString systemText =
            file.error() != QFileDevice::NoError
                ? file.errorString()
                : u"nur %1 von %2 Bytes geschrieben; ist der Datenträger voll?"_s
                      .arg(qMax(written, qint64(0)))
                      .arg(bytes.size());
        file.cancelWriting(); // the unfinished new file is discarded
        return failure(
            u"Die Daten konnten nicht vollständig geschrieben werden (%1)."_s.arg(systemText));
    }
    if (!file.commit())
        return failure(
            u"Die Datei konnte nicht fertig geschrieben werden (%1)."_s.arg(file.errorString()));
    return std::nullopt;
}

SeriesFileReadResult parseSeriesFile(const QByteArray& bytes, const QLocale& locale) {
    return toResult(parseText(cp1252::decode(bytes), locale), QString());
}

SeriesFileReadResult readSeriesFile(const QString& path, const QLocale& locale) {
    const QFileInfo info(path);
    if (!info.exists())
        return openFailure(path, u"Die Datei existiert nicht."_s);
    if (info.isDir())
        return openFailure(path, u"Unter diesem Namen gibt es einen Ordner, keine Datei."_s);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return openFailure(path,
                           u"Die Datei lässt sich nicht öffnen (%1)."_s.arg(file.errorString()));

    QByteArray bytes = file.readAll();
    if (file.error() == QFileDevice::NoError)
        return toResult(parseText(cp1252::decode(bytes), locale), path);

    // Keep the complete lines that arrived before the failure.
    const QString systemText = file.errorString();
    bytes.truncate(bytes.lastIndexOf('\n') + 1);
    ParseOutcome parsed = parseText(cp1252::decode(bytes), locale);
    if (parsed.errorLine == 0) {
        parsed.errorLine = parsed.linesRead + 1;
        parsed.reason = u"Beim Lesen ist ein Fehler aufgetreten (%1)."_s.arg(systemText);
    }
    return toResult(std::move(parsed), path);
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
