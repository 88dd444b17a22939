#include "sqlitediaryschema.h"

#include "sqlitediary.h"

#include "files/diaryblobs.h"
#include "model/targetface.h"

#include <QCoreApplication>
#include <QUuid>

#include <algorithm>
#include <array>
#include <utility>

namespace ankerblick::sqlitediary {

using namespace Qt::StringLiterals;

using namespace diary;

QSqlQuery Sql::prepare(const QString& statement) {
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(statement))
        fail(query.lastError());
    return query;
}

bool Sql::exec(QSqlQuery& query, const QVariantList& values) {
    for (int i = 0; i < int(values.size()); ++i)
        query.bindValue(i, values[i]);
    return query.exec() || fail(query.lastError());
}

bool Sql::exec(const QString& statement, const QVariantList& values) {
    QSqlQuery query = prepare(statement);
    return exec(query, values);
}

bool Sql::fail(const QSqlError& error) {
    if (m_error.type() == QSqlError::NoError && m_reason.isEmpty())
        m_error = error;
    return false;
}

bool Sql::refuse(const QString& reason) {
    if (m_error.type() == QSqlError::NoError && m_reason.isEmpty())
        m_reason = reason;
    return false;
}

QString Sql::reason() const {
    return m_reason.isEmpty() ? reasonOf(m_error) : m_reason;
}

namespace {

// SQLite's primary result codes, as the driver reports them.
enum Code {
    Busy = 5,
    Locked = 6,
    ReadOnly = 8,
    IoError = 10,
    Corrupt = 11,
    Full = 13,
    CantOpen = 14,
    Constraint = 19,
    NotADatabase = 26
};

int codeOf(const QSqlError& error) {
    if (!error.nativeErrorCode().isEmpty())
        return error.nativeErrorCode().toInt() & 0xff;
    // A failed COMMIT comes from the driver without SQLite's code, with
    // SQLite's own words for it only: on a full disk it is the commit that
    // fails, when the transaction's pages are written.
    static const std::pair<const char*, Code> words[] = {
        {"database or disk is full", Full},
        {"disk I/O error", IoError},
        {"attempt to write a readonly database", ReadOnly},
        {"database is locked", Busy},
        {"database table is locked", Locked},
        {"database disk image is malformed", Corrupt},
        {"file is not a database", NotADatabase}};
    for (const auto& [text, code] : words)
        if (error.databaseText().contains(QLatin1StringView(text)))
            return code;
    return 0;
}

} // namespace

QString reasonOf(const QSqlError& error) {
    switch (codeOf(error)) {
    case ReadOnly:
        return QCoreApplication::translate("Diary",
                                           "Die Datei oder ihr Ordner ist schreibgeschützt.");
    case Full:
        return QCoreApplication::translate("Diary", "Der Datenträger ist voll.");
    case IoError:
        return QCoreApplication::translate(
            "Diary", "Beim Schreiben auf den Datenträger ist ein Fehler aufgetreten.");
    case Busy:
    case Locked:
        return QCoreApplication::translate(
            "Diary", "Die Datei wird gerade von einem anderen Programm benutzt.");
    case CantOpen:
        return QCoreApplication::translate("Diary", "Die Datei lässt sich nicht öffnen.");
    case Corrupt:
    case NotADatabase:
        return QCoreApplication::translate("Diary", "Die Datei ist beschädigt.");
    case Constraint:
        return QCoreApplication::translate(
            "Diary", "Der Eintrag passt nicht zu dem, was das Tagebuch enthält.");
    }
    return QCoreApplication::translate("Diary",
                                       "Die Datenbank meldet einen unerwarteten Fehler (%1).")
        .arg(error.text());
}

bool isDamage(const QSqlError& error) {
    const int code = codeOf(error);
    return code == Corrupt || code == NotADatabase;
}

QVariant timeValue(const QDateTime& time) {
    return time.isValid() ? QVariant(time.toMSecsSinceEpoch()) : QVariant();
}

QDateTime timeOf(const QVariant& value) {
    return value.isNull() ? QDateTime() : QDateTime::fromMSecsSinceEpoch(value.toLongLong());
}

namespace {

template <typename T> QVariant orNull(const std::optional<T>& value) {
    return value ? QVariant::fromValue(*value) : QVariant();
}

std::optional<double> optionalDouble(const QVariant& v) {
    return v.isNull() ? std::nullopt : std::optional<double>(v.toDouble());
}

std::optional<int> optionalInt(const QVariant& v) {
    return v.isNull() ? std::nullopt : std::optional<int>(v.toInt());
}

// The figures of the second version's columns.
QVariantList firstFigureValues(const SeriesFigures& f) {
    return {f.shots,   f.scored,   f.sumWhole, f.sumTenths, f.callsRated,
            f.calls10, f.sekMmSum, f.mpi.x,    f.mpi.y,     f.groupSize};
}

QVariantList figureValues(const SeriesFigures& f) {
    return firstFigureValues(f) + QVariantList{f.innerTens};
}

QVariantList shotValues(qint64 series, const Shot& s) {
    return {series,
            s.slot,
            s.hit.x,
            s.hit.y,
            s.call ? QVariant(s.call->x) : QVariant(),
            s.call ? QVariant(s.call->y) : QVariant(),
            orNull(s.value),
            orNull(s.callValue),
            orNull(s.rating),
            orNull(s.sekMm),
            orNull(s.shotTime),
            orNull(s.shootingTime),
            s.comment,
            s.innerTen};
}

} // namespace

Shot shotOf(const QSqlQuery& q, int first) {
    Shot s;
    s.slot = q.value(first).toInt();
    s.hit = {q.value(first + 1).toDouble(), q.value(first + 2).toDouble()};
    if (!q.value(first + 3).isNull())
        s.call = group::PointMm{q.value(first + 3).toDouble(), q.value(first + 4).toDouble()};
    s.value = optionalDouble(q.value(first + 5));
    s.callValue = optionalDouble(q.value(first + 6));
    s.rating = optionalInt(q.value(first + 7));
    const std::optional<int> sekMm = optionalInt(q.value(first + 8));
    if (sekMm)
        s.sekMm = qint32(*sekMm);
    s.shotTime = optionalDouble(q.value(first + 9));
    s.shootingTime = optionalDouble(q.value(first + 10));
    s.comment = q.value(first + 11).toString();
    s.innerTen = q.value(first + 12).toBool();
    return s;
}

SeriesFigures figuresOf(const QSqlQuery& q, int first) {
    SeriesFigures f;
    f.shots = q.value(first).toInt();
    f.scored = q.value(first + 1).toInt();
    f.sumWhole = q.value(first + 2).toDouble();
    f.sumTenths = q.value(first + 3).toDouble();
    f.callsRated = q.value(first + 4).toInt();
    f.calls10 = q.value(first + 5).toInt();
    f.sekMmSum = q.value(first + 6).toDouble();
    f.mpi = {q.value(first + 7).toDouble(), q.value(first + 8).toDouble()};
    f.groupSize = q.value(first + 9).toDouble();
    f.innerTens = q.value(first + 10).toInt();
    return f;
}

bool insertSeries(Sql& sql, qint64 training, const Series& series) {
    QSqlQuery insert = sql.prepare(
        u"INSERT INTO series (training, number, time, record, sighter, "_s + kFigureColumns +
        u") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
    const QVariantList values = QVariantList{training, series.number, timeValue(series.time),
                                             packRecord(series.record), series.sighter} +
                                figureValues(diary::figuresOf(series.shots));
    if (!sql.exec(insert, values))
        return false;
    const qint64 id = insert.lastInsertId().toLongLong();
    QSqlQuery shot = sql.prepare(u"INSERT INTO shots (series, "_s + kShotColumns +
                                 u") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
    for (const Shot& s : series.shots)
        if (!sql.exec(shot, shotValues(id, s)))
            return false;
    return true;
}

namespace {

// `counted`: the condition on the series `s` whose shots count.
bool storeValueCounts(Sql& sql, qint64 training, QLatin1StringView counted) {
    // ROUND rounds half away from zero, as histogramTenths does.
    QSqlQuery q = sql.prepare(u"SELECT CAST(ROUND(sh.value * 10) AS INTEGER), COUNT(*) "
                              u"FROM shots sh JOIN series s ON s.id = sh.series "
                              u"WHERE s.training = ? AND sh.value IS NOT NULL AND "_s +
                              counted + u" GROUP BY 1"_s);
    if (!sql.exec(q, {training}))
        return false;
    std::map<int, qint64> counts;
    while (q.next())
        counts[q.value(0).toInt()] = q.value(1).toLongLong();
    return sql.exec(u"UPDATE trainings SET value_counts = ? WHERE id = ?"_s,
                    {packValueCounts(counts), training});
}

} // namespace

bool storeValueCounts(Sql& sql, qint64 training) {
    return storeValueCounts(sql, training, "NOT s.sighter"_L1);
}

namespace {

// The first diary: trainings with their series and shots. Times are
// milliseconds since the epoch; a series' positions are packed into one blob.
bool createVersion1(Sql& sql) {
    return sql.exec(u"CREATE TABLE trainings (id INTEGER PRIMARY KEY AUTOINCREMENT, "
                    u"shooter TEXT, discipline INTEGER NOT NULL, window TEXT, "
                    u"started INTEGER, ended INTEGER, comments TEXT, shot_times TEXT, "
                    u"shooting_times TEXT)"_s) &&
           sql.exec(u"CREATE INDEX trainings_by_start ON trainings (started)"_s) &&
           sql.exec(u"CREATE INDEX trainings_by_shooter ON trainings (shooter, started)"_s) &&
           sql.exec(u"CREATE TABLE series (id INTEGER PRIMARY KEY, "
                    u"training INTEGER NOT NULL REFERENCES trainings (id) ON DELETE CASCADE, "
                    u"number INTEGER NOT NULL, time INTEGER, record BLOB NOT NULL, "
                    u"UNIQUE (training, number))"_s) &&
           sql.exec(u"CREATE TABLE shots ("
                    u"series INTEGER NOT NULL REFERENCES series (id) ON DELETE CASCADE, "
                    u"slot INTEGER NOT NULL, hit_x REAL NOT NULL, hit_y REAL NOT NULL, "
                    u"call_x REAL, call_y REAL, value REAL, call_value REAL, rating INTEGER, "
                    u"sekmm INTEGER, shot_time REAL, shooting_time REAL, "
                    u"PRIMARY KEY (series, slot))"_s);
}

// Fills the figure columns of the series stored before they existed, from
// their shots, read in one pass.
bool fillFigures(Sql& sql) {
    // The columns as the second version has them.
    QSqlQuery read = sql.prepare(
        u"SELECT series, slot, hit_x, hit_y, call_x, call_y, value, call_value, rating, sekmm, "
        u"shot_time, shooting_time, comment, 0 FROM shots ORDER BY series, slot"_s);
    QSqlQuery update = sql.prepare(
        u"UPDATE series SET (shots, scored, sum_whole, sum_tenths, calls_rated, calls10, "
        u"sekmm_sum, mpi_x, mpi_y, group_size) = (?, ?, ?, ?, ?, ?, ?, ?, ?, ?) WHERE id = ?"_s);
    if (!sql.exec(read))
        return false;
    qint64 series = -1;
    QList<Shot> shots;
    const auto flush = [&] {
        return series < 0 ||
               sql.exec(update, firstFigureValues(diary::figuresOf(shots)) + QVariantList{series});
    };
    while (read.next()) {
        const qint64 id = read.value(0).toLongLong();
        if (id != series) {
            if (!flush())
                return false;
            series = id;
            shots.clear();
        }
        shots.append(shotOf(read, 1));
    }
    return flush();
}

// Per-shot comments, the figures of each series (so that the diary window
// reads no shots), and the series files taken in.
bool addFiguresAndImports(Sql& sql) {
    static const std::array<const char16_t*, 11> columns = {
        u"shots ADD COLUMN comment TEXT",
        u"series ADD COLUMN shots INTEGER NOT NULL DEFAULT 0",
        u"series ADD COLUMN scored INTEGER NOT NULL DEFAULT 0",
        u"series ADD COLUMN sum_whole REAL NOT NULL DEFAULT 0",
        u"series ADD COLUMN sum_tenths REAL NOT NULL DEFAULT 0",
        u"series ADD COLUMN calls_rated INTEGER NOT NULL DEFAULT 0",
        u"series ADD COLUMN calls10 INTEGER NOT NULL DEFAULT 0",
        u"series ADD COLUMN sekmm_sum REAL NOT NULL DEFAULT 0",
        u"series ADD COLUMN mpi_x REAL NOT NULL DEFAULT 0",
        u"series ADD COLUMN mpi_y REAL NOT NULL DEFAULT 0",
        u"series ADD COLUMN group_size REAL NOT NULL DEFAULT 0"};
    for (const char16_t* column : columns)
        if (!sql.exec(u"ALTER TABLE "_s + QString::fromUtf16(column)))
            return false;
    // In the order seriesSummaries lists them: read without a sort.
    return sql.exec(u"CREATE INDEX series_by_time ON series (time, training, number)"_s) &&
           sql.exec(u"CREATE TABLE imports (hash BLOB NOT NULL UNIQUE, "
                    u"training INTEGER NOT NULL REFERENCES trainings (id) ON DELETE CASCADE)"_s) &&
           sql.exec(u"CREATE INDEX imports_by_training ON imports (training)"_s) &&
           fillFigures(sql);
}

// The count of shots by value, kept with each training.
bool addValueCountColumn(Sql& sql) {
    if (!sql.exec(u"ALTER TABLE trainings ADD COLUMN value_counts BLOB"_s))
        return false;
    QSqlQuery ids = sql.prepare(u"SELECT id FROM trainings"_s);
    if (!sql.exec(ids))
        return false;
    QList<qint64> trainings;
    while (ids.next())
        trainings.append(ids.value(0).toLongLong());
    // Every series counted: the third version knows no sighting series.
    for (qint64 id : trainings)
        if (!storeValueCounts(sql, id, "1"_L1))
            return false;
    return true;
}

// The electronic target's hits that wait for their calls, kept with their
// training.
bool addHeldHitColumn(Sql& sql) {
    return sql.exec(u"ALTER TABLE trainings ADD COLUMN held_hits BLOB"_s);
}

// Marks the stored shots that are inner tens on their training's face at
// the discipline's standard calibre, found from the series' marks as they
// were scored, and counts them into their series.
bool fillInnerTens(Sql& sql) {
    QSqlQuery read = sql.prepare(u"SELECT s.id, s.record, t.discipline FROM series s "
                                 u"JOIN trainings t ON t.id = s.training"_s);
    QSqlQuery mark = sql.prepare(u"UPDATE shots SET inner_ten = 1 WHERE series = ? AND slot = ?"_s);
    if (!sql.exec(read))
        return false;
    while (read.next()) {
        TargetFace face;
        if (!face.apply(read.value(2).toInt()))
            continue;
        const qint64 series = read.value(0).toLongLong();
        const SeriesRecord record = unpackRecord(read.value(1).toByteArray());
        for (int slot = 0; slot < kShotsPerSeries; ++slot)
            if (record.hasShot(slot) &&
                face.innerTen(record.hitMarkCentre(slot, face.markDiameter())) &&
                !sql.exec(mark, {series, slot}))
                return false;
    }
    return sql.exec(
        u"UPDATE series SET inner_tens = "
        u"(SELECT COUNT(*) FROM shots sh WHERE sh.series = series.id AND sh.inner_ten)"_s);
}

// Inner tens per shot and series, sighting series, and each training's
// calibre and match program. The trainings stored before were shot with
// their discipline's standard calibre, all as free trainings without
// sighting series; their inner tens are found again from the stored marks.
bool addInnerTensAndPrograms(Sql& sql) {
    static const std::array<const char16_t*, 5> columns = {
        u"shots ADD COLUMN inner_ten INTEGER NOT NULL DEFAULT 0",
        u"series ADD COLUMN inner_tens INTEGER NOT NULL DEFAULT 0",
        u"series ADD COLUMN sighter INTEGER NOT NULL DEFAULT 0",
        u"trainings ADD COLUMN calibre REAL", u"trainings ADD COLUMN program TEXT"};
    for (const char16_t* column : columns)
        if (!sql.exec(u"ALTER TABLE "_s + QString::fromUtf16(column)))
            return false;
    QSqlQuery calibre = sql.prepare(u"UPDATE trainings SET calibre = ? WHERE discipline = ?"_s);
    for (int d = 0; d < kDisciplineCount; ++d)
        if (!sql.exec(calibre, {disciplineInfo(d)->calibreMm, d}))
            return false;
    return fillInnerTens(sql);
}

// What the club's server needs of the diary: the diary's own identity, made
// here once for this file (a diary started anew is another one), and per
// series and per training the revision of its last change with the revision
// last sent. A series removed keeps its row, so that its removal is sent as
// well. What was stored before waits to be sent at its first revision.
bool addRevisions(Sql& sql) {
    return sql.exec(u"ALTER TABLE trainings ADD COLUMN revision INTEGER NOT NULL DEFAULT 1"_s) &&
           sql.exec(u"ALTER TABLE trainings ADD COLUMN sent INTEGER NOT NULL DEFAULT 0"_s) &&
           sql.exec(u"CREATE TABLE identity (lane TEXT NOT NULL)"_s) &&
           sql.exec(u"INSERT INTO identity (lane) VALUES (?)"_s,
                    {QUuid::createUuid().toString(QUuid::WithoutBraces)}) &&
           sql.exec(u"CREATE TABLE revisions ("
                    u"training INTEGER NOT NULL REFERENCES trainings (id) ON DELETE CASCADE, "
                    u"number INTEGER NOT NULL, revision INTEGER NOT NULL, "
                    u"sent INTEGER NOT NULL DEFAULT 0, PRIMARY KEY (training, number))"_s) &&
           sql.exec(u"CREATE INDEX revisions_waiting ON revisions (training) "
                    u"WHERE revision > sent"_s) &&
           sql.exec(u"INSERT INTO revisions (training, number, revision) "
                    u"SELECT training, number, 1 FROM series"_s);
}

using Migration = bool (*)(Sql&);
// Step i brings the tables from version i to version i + 1.
constexpr std::array<Migration, 6> kMigrations = {createVersion1,          addFiguresAndImports,
                                                  addValueCountColumn,     addHeldHitColumn,
                                                  addInnerTensAndPrograms, addRevisions};
static_assert(kMigrations.size() == size_t(SqliteDiary::kSchemaVersion));

} // namespace

QSqlError beginWriting(QSqlDatabase& db) {
    QSqlQuery begin(db);
    if (begin.exec(u"BEGIN IMMEDIATE"_s))
        return {};
    return begin.lastError();
}

int currentVersion() {
    return int(kMigrations.size());
}

bool migrate(Sql& sql, int from, int to) {
    const int last = to < 0 ? currentVersion() : std::min(to, currentVersion());
    for (int version = from; version < last; ++version) {
        if (const QSqlError error = beginWriting(sql.db()); error.isValid())
            return sql.fail(error);
        // The version is the program's own number, never a value from outside.
        if (!kMigrations[size_t(version)](sql) ||
            !sql.exec(u"PRAGMA user_version = "_s + QString::number(version + 1)) ||
            !sql.db().commit()) {
            sql.fail(sql.db().lastError());
            sql.db().rollback();
            return false;
        }
    }
    return true;
}

} // namespace ankerblick::sqlitediary
