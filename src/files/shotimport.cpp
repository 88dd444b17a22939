#include "shotimport.h"

#include "model/targetface.h"

#include <QCoreApplication>
#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QStringList>
#include <QTime>

#include <algorithm>
#include <cmath>

namespace ankerblick {

namespace {

// A shot lies on the target: no position beyond a metre.
constexpr double kFarthestMm = 1000.0;

// A line of fields split at `delimiter`; a field in double quotes may hold it.
QStringList splitCsv(const QString& line, QChar delimiter = u',') {
    QStringList fields;
    QString field;
    bool quoted = false;
    for (const QChar c : line) {
        if (c == u'"')
            quoted = !quoted;
        else if (c == delimiter && !quoted)
            fields << std::exchange(field, QString()).trimmed();
        else
            field += c;
    }
    fields << field.trimmed();
    return fields;
}

std::optional<double> numberOf(const QString& text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

std::optional<double> positionOf(const QString& text) {
    const std::optional<double> v = numberOf(text);
    return v && std::abs(*v) <= kFarthestMm ? v : std::nullopt;
}

ShotFile failed(ShotFileKind kind, int line, const QString& why) {
    ShotFile file;
    file.kind = kind;
    file.problemLine = line;
    file.problem = why;
    return file;
}

QString noPosition(int line) {
    return QCoreApplication::translate(
               "ShotFile",
               "Zeile %1: Die Lage des Schusses (x, y in mm) fehlt oder ist keine Zahl.")
        .arg(line);
}

// The columns of a column row, by name (lower case).
int columnOf(const QStringList& columns, const QString& name) {
    for (qsizetype i = 0; i < columns.size(); ++i)
        if (columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

// ShotMarker: a score "X" is an inner ten; tags joined by "/".
std::optional<ImportedShot> shotMarkerShot(const QStringList& f, const QStringList& columns) {
    const auto field = [&](const char* name) {
        const int i = columnOf(columns, QLatin1String(name));
        return i >= 0 ? f.value(i) : QString();
    };
    const std::optional<double> x = positionOf(field("x mm"));
    const std::optional<double> y = positionOf(field("y mm"));
    if (!x || !y)
        return std::nullopt;
    ImportedShot shot{*x, *y, std::nullopt, field("time"), {}, false, false};
    const QString score = field("score");
    if (score.compare(QLatin1String("X"), Qt::CaseInsensitive) == 0) {
        shot.value = 10.0;
        shot.innerTen = true;
    } else {
        shot.value = numberOf(score);
    }
    shot.sighter =
        field("tags").split(u'/').contains(QLatin1String("sighter"), Qt::CaseInsensitive);
    return shot;
}

// A header line of a block: "Date:", "String:", "Target:" or "Face:".
bool takeHeader(const QString& line, QList<ImportedString>& strings, bool& started) {
    static const QStringList keys{QStringLiteral("Date:"), QStringLiteral("String:"),
                                  QStringLiteral("Target:"), QStringLiteral("Face:")};
    const QString bare = splitCsv(line).join(u' ').trimmed();
    for (const QString& key : keys) {
        if (!bare.startsWith(key, Qt::CaseInsensitive))
            continue;
        if (started || strings.isEmpty()) { // a new block
            strings.append(ImportedString{});
            started = false;
        }
        const QString value = bare.mid(key.size()).trimmed();
        ImportedString& s = strings.last();
        if (key == keys[0])
            s.date = value;
        else if (key == keys[1])
            s.name = value;
        else if (key == keys[3])
            s.face = value;
        else if (s.name.isEmpty()) // "Target:" names the string when "String:" does not
            s.name = value;
        return true;
    }
    return false;
}

// A block's date ("Dec 3 2026" and the like) and a row's time of day
// ("10:02:11") make the shot's time, when both can be read.
void dateShots(ImportedString& string) {
    const QLocale c = QLocale::c();
    QDate date;
    for (const char* format : {"MMM d yyyy", "MMM d, yyyy", "yyyy-MM-dd", "d.M.yyyy", "M/d/yyyy"})
        if (!date.isValid())
            date = c.toDate(string.date, QLatin1String(format));
    if (!date.isValid())
        return;
    for (ImportedShot& shot : string.shots) {
        QTime time = c.toTime(shot.time, QStringLiteral("H:mm:ss"));
        if (!time.isValid())
            time = c.toTime(shot.time, QStringLiteral("h:mm:ss AP"));
        if (time.isValid())
            shot.at = QDateTime(date, time);
    }
}

ShotFile readShotMarker(const QStringList& lines) {
    ShotFile file{ShotFileKind::ShotMarker, {}, std::nullopt, {}};
    QStringList columns;
    bool started = false; // the block has shots
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line.trimmed().remove(u',').isEmpty() || takeHeader(line, file.strings, started))
            continue;
        const QStringList f = splitCsv(line);
        if (columnOf(f, QStringLiteral("x mm")) >= 0) {
            columns = f;
            if (file.strings.isEmpty() || started)
                file.strings.append(ImportedString{});
            started = false;
            continue;
        }
        if (columns.isEmpty())
            return failed(file.kind, int(i + 1),
                          QCoreApplication::translate("ShotFile",
                                                      "Zeile %1: ein Schuss vor der Zeile der "
                                                      "Spalten.")
                              .arg(i + 1));
        const std::optional<ImportedShot> shot = shotMarkerShot(f, columns);
        if (!shot)
            return failed(file.kind, int(i + 1), noPosition(int(i + 1)));
        file.strings.last().shots.append(*shot);
        started = true;
    }
    for (ImportedString& string : file.strings)
        dateShots(string);
    return file;
}

ShotFile readPhoneScan(const QStringList& lines) {
    ShotFile file{ShotFileKind::PhoneScan, {ImportedString{}}, std::nullopt, {}};
    const QStringList columns = splitCsv(lines.value(0));
    const int x = columnOf(columns, QStringLiteral("x"));
    const int y = columnOf(columns, QStringLiteral("y"));
    const int score = columnOf(columns, QStringLiteral("Score"));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines.at(i).trimmed().isEmpty())
            continue;
        const QStringList f = splitCsv(lines.at(i));
        const std::optional<double> xMm = positionOf(f.value(x));
        const std::optional<double> yMm = positionOf(f.value(y));
        if (!xMm || !yMm)
            return failed(file.kind, int(i + 1), noPosition(int(i + 1)));
        ImportedShot shot{*xMm, *yMm, std::nullopt, {}, {}, false, false};
        QString value = f.value(score);
        shot.innerTen = value.endsWith(u'*');
        shot.value = numberOf(value.remove(u'*'));
        file.strings.first().shots.append(shot);
    }
    return file;
}

ShotFile readRangeJson(const QByteArray& bytes) {
    const QJsonDocument doc = QJsonDocument::fromJson(bytes);
    const QJsonArray shots =
        doc.isArray() ? doc.array() : doc.object().value(QLatin1String("shots")).toArray();
    if (shots.isEmpty())
        return failed(ShotFileKind::RangeJson, 0,
                      QCoreApplication::translate("ShotFile", "Die Datei enthält keine Schüsse."));
    ShotFile file{ShotFileKind::RangeJson, {ImportedString{}}, std::nullopt, {}};
    for (qsizetype i = 0; i < shots.size(); ++i) {
        const QJsonObject o = shots.at(i).toObject();
        const QJsonValue x = o.value(QLatin1String("x"));
        const QJsonValue y = o.value(QLatin1String("y"));
        if (!x.isDouble() || !y.isDouble() || std::abs(x.toDouble()) > kFarthestMm ||
            std::abs(y.toDouble()) > kFarthestMm)
            return failed(file.kind, int(i + 1),
                          QCoreApplication::translate(
                              "ShotFile",
                              "Schuss %1: Die Lage des Schusses (x, y in mm) fehlt oder ist keine "
                              "Zahl.")
                              .arg(i + 1));
        ImportedShot shot{x.toDouble(), y.toDouble(), std::nullopt, {}, {}, false, false};
        if (const QJsonValue fine = o.value(QLatin1String("fineValue")); fine.isDouble())
            shot.value = fine.toDouble() / 10.0;
        else if (const QJsonValue v = o.value(QLatin1String("value")); v.isDouble())
            shot.value = v.toDouble();
        if (const QDateTime at =
                QDateTime::fromString(o.value(QLatin1String("at")).toString(), Qt::ISODateWithMs);
            at.isValid())
            shot.at = at;
        file.strings.first().shots.append(shot);
    }
    return file;
}

QStringList linesOf(const QByteArray& bytes) {
    QStringList lines = QString::fromUtf8(bytes).split(u'\n');
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    return lines;
}

// The delimiter a first line uses: ";" or a tab where it holds one, else ",".
QChar delimiterOf(const QString& header) {
    if (header.contains(u';'))
        return u';';
    return header.contains(u'\t') ? u'\t' : u',';
}

// Whether a field says yes: "1", "ja", "x", "Probe", "sighter" and the like.
bool saysYes(const QString& field) {
    static const QStringList yes{
        QStringLiteral("1"),     QStringLiteral("ja"),     QStringLiteral("j"),
        QStringLiteral("yes"),   QStringLiteral("y"),      QStringLiteral("true"),
        QStringLiteral("wahr"),  QStringLiteral("x"),      QStringLiteral("p"),
        QStringLiteral("probe"), QStringLiteral("sighter")};
    return yes.contains(field.trimmed(), Qt::CaseInsensitive);
}

std::optional<ImportedShot> plainShot(const QStringList& f, const CsvColumns& c, bool comma) {
    const auto number = [&](int column) {
        QString text = f.value(column);
        if (comma)
            text.replace(u',', u'.');
        return numberOf(text);
    };
    const std::optional<double> x = number(c.x);
    const std::optional<double> y = number(c.y);
    if (!x || !y || std::abs(*x) > kFarthestMm || std::abs(*y) > kFarthestMm)
        return std::nullopt;
    ImportedShot shot{*x, *y, std::nullopt, f.value(c.time), {}, false, false};
    if (const QDateTime at = QDateTime::fromString(shot.time.trimmed(), Qt::ISODate); at.isValid())
        shot.at = at;
    QString value = f.value(c.value).trimmed();
    if (comma)
        value.replace(u',', u'.');
    if (value.compare(QLatin1String("X"), Qt::CaseInsensitive) == 0) {
        shot.value = 10.0;
        shot.innerTen = true;
    } else {
        shot.innerTen = value.endsWith(u'*');
        shot.value = numberOf(shot.innerTen ? value.chopped(1) : value);
    }
    shot.sighter = c.sighter >= 0 && saysYes(f.value(c.sighter));
    return shot;
}

} // namespace

QStringList csvColumnNames(const QByteArray& bytes) {
    const QString header = linesOf(bytes).value(0);
    const QStringList names = splitCsv(header, delimiterOf(header));
    return names.size() >= 2 ? names : QStringList();
}

ShotFile readPlainCsv(const QByteArray& bytes, const CsvColumns& columns) {
    const QStringList lines = linesOf(bytes);
    const QChar delimiter = delimiterOf(lines.value(0));
    ShotFile file{ShotFileKind::PlainCsv, {ImportedString{}}, std::nullopt, {}};
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines.at(i).trimmed().isEmpty())
            continue;
        const std::optional<ImportedShot> shot =
            plainShot(splitCsv(lines.at(i), delimiter), columns, delimiter != u',');
        if (!shot)
            return failed(file.kind, int(i + 1), noPosition(int(i + 1)));
        file.strings.first().shots.append(*shot);
    }
    if (file.strings.first().shots.isEmpty())
        return failed(file.kind, 0,
                      QCoreApplication::translate("ShotFile", "Die Datei enthält keine Schüsse."));
    return file;
}

namespace {

ShotFile readKnown(const QByteArray& bytes) {
    const QString start = QString::fromUtf8(bytes).trimmed();
    if (start.startsWith(u'[') || start.startsWith(u'{'))
        return readRangeJson(bytes);
    const QStringList lines = linesOf(bytes);
    if (splitCsv(lines.value(0)).startsWith(QStringLiteral("Shot Number")))
        return readPhoneScan(lines);
    for (const QString& line : std::as_const(lines))
        if (columnOf(splitCsv(line), QStringLiteral("x mm")) >= 0)
            return readShotMarker(lines);
    return failed(
        ShotFileKind::Unknown, 0,
        QCoreApplication::translate("ShotFile", "Diese Datei ist keine bekannte Schussdatei."));
}

} // namespace

// A file of a known kind that holds its headers and no shot takes nothing,
// and says so.
ShotFile readShotFile(const QByteArray& bytes) {
    ShotFile file = readKnown(bytes);
    const bool shots = std::any_of(file.strings.begin(), file.strings.end(),
                                   [](const ImportedString& s) { return !s.shots.isEmpty(); });
    if (!file.problemLine && !shots)
        return failed(file.kind, 0,
                      QCoreApplication::translate("ShotFile", "Die Datei enthält keine Schüsse."));
    return file;
}

// The names a face goes by, without blanks and in lower case, each with
// the discipline whose face it is; the first that a name holds counts.
std::optional<int> disciplineOfFace(const QString& face) {
    QString name = face.toLower();
    name.remove(u' ');
    const auto bare = [](QString caption) {
        return caption.toLower().remove(u' ');
    };
    for (int i = 0; i < kDisciplineCount; ++i)
        if (name == bare(QLatin1String(disciplineInfo(i)->caption)) ||
            name == bare(disciplineCaption(i)))
            return i;
    struct Name {
        const char* part;
        Discipline discipline;
    };
    static const Name names[] = {
        {"300m", Discipline::Gewehr300m},        {"rapid", Discipline::OspSp},
        {"schnellfeuer", Discipline::OspSp},     {"airpistol", Discipline::LP},
        {"10mpistol", Discipline::LP},           {"luftpistole", Discipline::LP},
        {"airrifle", Discipline::LG10m},         {"10mrifle", Discipline::LG10m},
        {"luftgewehr", Discipline::LG10m},       {"50mrifle", Discipline::Gewehr50m},
        {"kleinkaliber", Discipline::Gewehr50m}, {"50mgewehr", Discipline::Gewehr50m},
        {"50mpistol", Discipline::FpSp100m},     {"freepistol", Discipline::FpSp100m},
        {"25mprecision", Discipline::FpSp100m},  {"sportpistole", Discipline::FpSp100m},
    };
    for (const Name& n : names)
        if (name.contains(QLatin1String(n.part)))
            return int(n.discipline);
    return std::nullopt;
}

} // namespace ankerblick
