#include "sqlitediary.h"

#include "files/diaryblobs.h"
#include "model/logging.h"

#include "model/diarytotals.h"
#include "sqlitediaryschema.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace ankerblick {

using namespace diary;
using namespace sqlitediary;
using namespace Qt::StringLiterals;

namespace {

QString uniqueConnectionName() {
    static QAtomicInteger<quint64> counter;
    return u"ankerblick-tagebuch-%1"_s.arg(counter.fetchAndAddRelaxed(1));
}

// The check gives way to the program's own start-up on a busy machine: on
// Linux the niceness is the calling thread's alone.
void giveWay() {
#ifdef Q_OS_LINUX
    setpriority(PRIO_PROCESS, id_t(gettid()), 10);
#endif
}

QString notSaved(const QString& reason) {
    return QCoreApplication::translate("Diary",
                                       "Das Trainingstagebuch konnte nicht gespeichert werden: %1")
        .arg(reason);
}

} // namespace

SqliteDiary::SqliteDiary(const QString& path, const Clock& clock, CheckStart start)
    : m_clock(clock), m_path(QFileInfo(path).absoluteFilePath()),
      m_connection(uniqueConnectionName()) {
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    if (start == CheckStart::Now)
        startCheck();
}

SqliteDiary::SqliteDiary(const QString& path, const Clock& clock, std::shared_ptr<Shared> shared)
    : m_clock(clock), m_path(path), m_connection(uniqueConnectionName()), m_checkStarted(true),
      m_shared(std::move(shared)), m_forThread(true) {}

std::unique_ptr<Diary> SqliteDiary::readerForThread() const {
    settle(); // checked, moved aside or migrated before another connection reads it
    return std::unique_ptr<Diary>(new SqliteDiary(m_path, m_clock, m_shared));
}

// SQLite takes the writes of one connection at a time, the others wait for
// their turn (Qt's driver waits up to 5 s).
std::unique_ptr<Diary> SqliteDiary::writerForThread() {
    settle();
    return std::unique_ptr<Diary>(new SqliteDiary(m_path, m_clock, m_shared));
}

void SqliteDiary::startCheck() const {
    if (m_checkStarted)
        return;
    m_checkStarted = true;
    m_check = std::async(std::launch::async, [path = m_path] {
        giveWay();
        return check(path);
    });
}

SqliteDiary::~SqliteDiary() {
    if (m_check.valid())
        m_check.wait();
    if (!QSqlDatabase::contains(m_connection))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

QString SqliteDiary::problem() const {
    settle();
    return m_problem;
}

QString SqliteDiary::openingNotice() const {
    settle();
    return m_notice;
}

// Runs on the check's own thread: a connection is used only by the thread
// that made it.
SqliteDiary::Check SqliteDiary::check(const QString& path) {
    const QString name = uniqueConnectionName();
    Check checked;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(path);
        if (db.open())
            checked = checkFile(db);
        else
            checked = {isDamage(db.lastError()) ? Opening::Damaged : Opening::Failed,
                       reasonOf(db.lastError())};
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return checked;
}

// What the file holds, before anything is written to it.
SqliteDiary::Check SqliteDiary::checkFile(QSqlDatabase db) {
    Sql sql(std::move(db));
    QSqlQuery check = sql.prepare(u"PRAGMA quick_check"_s);
    if (!sql.exec(check) || !check.next())
        return {isDamage(sql.error()) ? Opening::Damaged : Opening::Failed, sql.reason()};
    if (check.value(0).toString() != u"ok"_s)
        return {Opening::Damaged, {}};
    QSqlQuery version = sql.prepare(u"PRAGMA user_version"_s);
    if (!sql.exec(version) || !version.next())
        return {Opening::Failed, sql.reason()};
    return {version.value(0).toInt() > kSchemaVersion ? Opening::Newer : Opening::Ready, {}};
}

void SqliteDiary::settle() const {
    if (m_forThread && !QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connection).setDatabaseName(m_path);
        m_ready = tryOpen() == Opening::Ready;
        if (!m_ready)
            qCWarning(lcDiary) << "a diary for another thread could not open it:" << m_openProblem;
        return;
    }
    startCheck();
    if (!m_check.valid())
        return;
    QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connection).setDatabaseName(m_path);
    Opening opening = openChecked(m_check.get());
    // The new diary in place of the moved one is checked as the first was.
    if (opening == Opening::Damaged || opening == Opening::Newer)
        opening = moveAside(opening) ? openChecked(check(m_path)) : Opening::Failed;
    m_ready = opening == Opening::Ready;
    if (!m_ready && m_openProblem.isEmpty())
        m_openProblem =
            QCoreApplication::translate("ankerblick::SqliteDiary", "Die Datei ist beschädigt.");
    if (!m_ready)
        m_problem = QCoreApplication::translate("ankerblick::SqliteDiary",
                                                "Das Trainingstagebuch lässt sich nicht öffnen: %1")
                        .arg(m_openProblem);
}

SqliteDiary::Opening SqliteDiary::openChecked(const Check& checked) const {
    m_openProblem = checked.problem;
    return checked.opening == Opening::Ready ? tryOpen() : checked.opening;
}

SqliteDiary::Opening SqliteDiary::tryOpen() const {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.open()) {
        m_openProblem = reasonOf(db.lastError());
        return isDamage(db.lastError()) ? Opening::Damaged : Opening::Failed;
    }
    Sql sql(db);
    // WAL keeps the file whole when the program is killed; NORMAL then loses
    // at most the last transactions on a power cut, never the file, and
    // saves the wait for the disk on every shot.
    QSqlQuery journal = sql.prepare(u"PRAGMA journal_mode = WAL"_s);
    sql.exec(journal); // a read-only file keeps its mode and can still be read
    journal.finish();  // an unfinished statement would keep any commit from ending
    Sql settings(db);
    QSqlQuery version = settings.prepare(u"PRAGMA user_version"_s);
    if (!settings.exec(u"PRAGMA synchronous = NORMAL"_s) ||
        !settings.exec(u"PRAGMA foreign_keys = ON"_s) || !settings.exec(version) ||
        !version.next()) {
        m_openProblem = settings.reason();
        return Opening::Failed;
    }
    const int current = version.value(0).toInt();
    version.finish();
    if (!migrate(settings, current)) {
        m_openProblem = settings.reason();
        return Opening::Failed;
    }
    return Opening::Ready;
}

QSqlDatabase SqliteDiary::database() const {
    settle();
    return QSqlDatabase::database(m_connection, false);
}

// Keeps the damaged file for whoever wants to rescue it, and makes room for
// a new diary.
bool SqliteDiary::moveAside(Opening why) const {
    QSqlDatabase::database(m_connection, false).close();
    const QString stamp = m_clock.dateTime().toString(u"yyyyMMdd-hhmmss"_s);
    const QString base = m_path + u".beschaedigt-"_s + stamp;
    QString target = base;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = base + u'-' + QString::number(n);
    if (!QFile::rename(m_path, target)) {
        m_openProblem = QCoreApplication::translate(
            "ankerblick::SqliteDiary", "Die beschädigte Datei ließ sich nicht beiseitelegen.");
        return false;
    }
    // The journal belongs to the moved file: left here, the new diary would
    // take its pages.
    if (!QFile::rename(m_path + u"-wal"_s, target + u"-wal"_s))
        QFile::remove(m_path + u"-wal"_s);
    QFile::remove(m_path + u"-shm"_s);
    const QString shown = QDir::toNativeSeparators(target);
    m_notice = why == Opening::Newer
                   ? QCoreApplication::translate(
                         "ankerblick::SqliteDiary",
                         "Das Trainingstagebuch stammt von einer neueren Programmversion und wurde "
                         "nach %1 verschoben; ein neues wurde angelegt.")
                         .arg(shown)
                   : QCoreApplication::translate(
                         "ankerblick::SqliteDiary",
                         "Das Trainingstagebuch war beschädigt und wurde nach %1 verschoben; ein "
                         "neues wurde angelegt.")
                         .arg(shown);
    m_problem = m_notice;
    return true;
}

template <typename Work> bool SqliteDiary::write(Work work) {
    settle();
    if (!m_ready) {
        m_problem = notSaved(m_openProblem);
        return false;
    }
    Sql sql(database());
    if (const QSqlError error = beginWriting(sql.db()); error.isValid()) {
        m_problem = notSaved(reasonOf(error));
        return false;
    }
    if (work(sql) && sql.db().commit()) {
        m_problem.clear();
        ++m_shared->revision;
        if (m_shared->committed)
            m_shared->committed();
        return true;
    }
    sql.fail(sql.db().lastError());
    sql.db().rollback();
    m_problem = notSaved(sql.reason());
    return false;
}

namespace {

constexpr QLatin1StringView kTrainingColumns{
    "t.id, t.shooter, t.discipline, t.window, t.started, t.ended, t.comments, t.shot_times, "
    "t.shooting_times, t.held_hits, t.calibre, t.program"};
constexpr int kTrainingColumnCount = 12;

Training trainingOf(const QSqlQuery& q, int first) {
    Training t;
    t.id = q.value(first).toLongLong();
    t.shooter = q.value(first + 1).toString();
    t.discipline = q.value(first + 2).toInt();
    t.window = q.value(first + 3).toString();
    t.start = timeOf(q.value(first + 4));
    if (!q.value(first + 5).isNull())
        t.end = timeOf(q.value(first + 5));
    t.comments = q.value(first + 6).toString();
    t.shotTimes = q.value(first + 7).toString();
    t.shootingTimes = q.value(first + 8).toString();
    t.heldHits = unpackPositions(q.value(first + 9).toByteArray());
    t.calibreMm = q.value(first + 10).toDouble(); // 0 when unknown
    t.program = q.value(first + 11).toString();
    return t;
}

std::optional<qint64> insertTraining(Sql& sql, const Training& t) {
    QSqlQuery insert = sql.prepare(
        u"INSERT INTO trainings (shooter, discipline, window, started, ended, comments, "
        u"shot_times, shooting_times, held_hits, calibre, program) "
        u"VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
    if (!sql.exec(insert, {t.shooter, t.discipline, t.window, timeValue(t.start),
                           t.end ? timeValue(*t.end) : QVariant(), t.comments, t.shotTimes,
                           t.shootingTimes, packPositions(t.heldHits), t.calibreMm, t.program}))
        return std::nullopt;
    return insert.lastInsertId().toLongLong();
}

// Whether the club's server would see a change: the held hits stay on the lane.
bool changedForTheClub(const std::optional<Training>& stored, const Training& t) {
    return !stored || stored->shooter != t.shooter || stored->discipline != t.discipline ||
           stored->comments != t.comments || stored->shotTimes != t.shotTimes ||
           stored->shootingTimes != t.shootingTimes || stored->end != t.end ||
           stored->calibreMm != t.calibreMm || stored->program != t.program;
}

bool updateTrainingRow(Sql& sql, const Training& t) {
    const int revised = changedForTheClub(readTraining(sql, t.id), t) ? 1 : 0;
    QSqlQuery update = sql.prepare(
        u"UPDATE trainings SET shooter = ?, discipline = ?, comments = ?, shot_times = ?, "
        u"shooting_times = ?, held_hits = ?, ended = ?, calibre = ?, program = ?, "
        u"revision = revision + ? WHERE id = ?"_s);
    if (!sql.exec(update, {t.shooter, t.discipline, t.comments, t.shotTimes, t.shootingTimes,
                           packPositions(t.heldHits), t.end ? timeValue(*t.end) : QVariant(),
                           t.calibreMm, t.program, revised, t.id}))
        return false;
    return update.numRowsAffected() > 0 ||
           sql.refuse(
               QCoreApplication::translate("Diary", "Das Training ist nicht mehr im Tagebuch."));
}

// A change of the series: its revision goes up, so that the club's server
// is sent it again.
bool revise(Sql& sql, qint64 training, int number) {
    return sql.exec(u"INSERT INTO revisions (training, number, revision) VALUES (?, ?, 1) "
                    u"ON CONFLICT (training, number) DO UPDATE SET revision = revision + 1"_s,
                    {training, number});
}

bool storedAlready(Sql& sql, qint64 training, const Series& series) {
    const QList<Series> stored = readSeries(sql, training, series.number);
    return stored.size() == 1 && stored[0] == series;
}

// Replaces one series; its shots go with it (ON DELETE CASCADE). The same
// series again is no change.
bool replaceSeries(Sql& sql, qint64 training, const Series& series) {
    if (!series.shots.isEmpty() && storedAlready(sql, training, series))
        return sql.error().type() == QSqlError::NoError;
    QSqlQuery remove = sql.prepare(u"DELETE FROM series WHERE training = ? AND number = ?"_s);
    if (!sql.exec(remove, {training, series.number}))
        return false;
    // A series that neither was nor is changed nothing.
    const bool existed = remove.numRowsAffected() > 0;
    return (series.shots.isEmpty() || insertSeries(sql, training, series)) &&
           ((series.shots.isEmpty() && !existed) || revise(sql, training, series.number));
}

bool removeSeriesRows(Sql& sql, qint64 training, int first) {
    return sql.exec(u"UPDATE revisions SET revision = revision + 1 WHERE training = ? AND "
                    u"number IN (SELECT number FROM series WHERE training = ? AND number >= ?)"_s,
                    {training, training, first}) &&
           sql.exec(u"DELETE FROM series WHERE training = ? AND number >= ?"_s, {training, first});
}

} // namespace

std::optional<qint64> SqliteDiary::beginTraining(const Training& training) {
    std::optional<qint64> id;
    const bool ok = write([&](Sql& sql) {
        id = insertTraining(sql, training);
        return id.has_value();
    });
    return ok ? id : std::nullopt;
}

bool SqliteDiary::updateTraining(const Training& t) {
    return write([&](Sql& sql) { return updateTrainingRow(sql, t); });
}

bool SqliteDiary::recordChanges(const Training& t, const QList<Series>& series, int listed) {
    return write([&](Sql& sql) {
        if (!updateTrainingRow(sql, t))
            return false;
        for (const Series& s : series)
            if (!replaceSeries(sql, t.id, s))
                return false;
        return removeSeriesRows(sql, t.id, listed + 1) && storeValueCounts(sql, t.id);
    });
}

bool SqliteDiary::saveSeries(qint64 training, const Series& series) {
    return write([&](Sql& sql) {
        return replaceSeries(sql, training, series) && storeValueCounts(sql, training);
    });
}

bool SqliteDiary::isImported(const QByteArray& fileHash) const {
    Sql sql(database());
    QSqlQuery q = sql.prepare(u"SELECT 1 FROM imports WHERE hash = ?"_s);
    return sql.exec(q, {fileHash}) && q.next();
}

std::optional<qint64> SqliteDiary::importTraining(const Training& training,
                                                  const QList<Series>& series,
                                                  const QByteArray& fileHash) {
    std::optional<qint64> id;
    const bool ok = write([&](Sql& sql) {
        if (isImported(fileHash))
            return sql.refuse(QCoreApplication::translate("ankerblick::SqliteDiary",
                                                          "Die Datei ist schon im Tagebuch."));
        id = insertTraining(sql, training);
        if (!id)
            return false;
        for (const Series& s : series)
            if (!s.shots.isEmpty() && !(insertSeries(sql, *id, s) && revise(sql, *id, s.number)))
                return false;
        if (!storeValueCounts(sql, *id))
            return false;
        return sql.exec(u"INSERT INTO imports (hash, training) VALUES (?, ?)"_s, {fileHash, *id});
    });
    return ok ? id : std::nullopt;
}

namespace {

// The conditions of a filter on the trainings `t`, each value bound.
struct Where {
    QStringList conditions;
    QVariantList values;

    QString sql() const {
        return conditions.isEmpty() ? QString() : u" WHERE "_s + conditions.join(u" AND "_s);
    }
};

Where whereOf(const Filter& f, const QString& first = {}) {
    Where w;
    if (!first.isEmpty())
        w.conditions << first;
    if (!f.shooter.isEmpty()) {
        w.conditions << u"t.shooter = ?"_s;
        w.values << f.shooter;
    }
    if (f.discipline >= 0) {
        w.conditions << u"t.discipline = ?"_s;
        w.values << f.discipline;
    }
    if (f.from.isValid()) {
        w.conditions << u"t.started >= ?"_s;
        w.values << filterFrom(f);
    }
    if (f.to.isValid()) {
        w.conditions << u"t.started <= ?"_s;
        w.values << filterTo(f);
    }
    return w;
}

Totals totalsOf(const QSqlQuery& q, int first) {
    Totals t;
    t.series = q.value(first).toInt();
    t.shots = q.value(first + 1).toInt();
    t.sumWhole = q.value(first + 2).toDouble();
    t.sumTenths = q.value(first + 3).toDouble();
    t.callsRated = q.value(first + 4).toInt();
    t.calls10 = q.value(first + 5).toInt();
    t.sekMmSum = q.value(first + 6).toDouble();
    t.weightedMpiX = q.value(first + 7).toDouble();
    t.weightedMpiY = q.value(first + 8).toDouble();
    t.groupSizes = q.value(first + 9).toDouble();
    t.grouped = q.value(first + 10).toInt();
    t.innerTens = q.value(first + 11).toInt();
    return t;
}

} // namespace

QList<Training> SqliteDiary::unfinishedTrainings() const {
    Sql sql(database());
    QSqlQuery q =
        sql.prepare(u"SELECT "_s + kTrainingColumns +
                    u" FROM trainings t WHERE t.ended IS NULL ORDER BY t.started, t.id"_s);
    QList<Training> list;
    if (sql.exec(q))
        while (q.next())
            list.append(trainingOf(q, 0));
    return list;
}

} // namespace ankerblick

namespace ankerblick::sqlitediary {

std::optional<Training> readTraining(Sql& sql, qint64 id) {
    QSqlQuery q =
        sql.prepare(u"SELECT "_s + kTrainingColumns + u" FROM trainings t WHERE t.id = ?"_s);
    if (sql.exec(q, {id}) && q.next())
        return trainingOf(q, 0);
    return std::nullopt;
}

// Two queries, the series and then all their shots, rather than one per series.
QList<Series> readSeries(Sql& sql, qint64 training, int number) {
    // All numbers are at least 1: 0 takes every series.
    const QVariantList values{training, number, number};
    QSqlQuery series =
        sql.prepare(u"SELECT id, number, time, record, sighter FROM series WHERE training = ? "
                    u"AND (? = 0 OR number = ?) ORDER BY number"_s);
    QList<Series> list;
    QHash<qint64, qsizetype> indexOf;
    if (!sql.exec(series, values))
        return list;
    while (series.next()) {
        indexOf.insert(series.value(0).toLongLong(), list.size());
        list.append({series.value(1).toInt(),
                     unpackRecord(series.value(3).toByteArray()),
                     {},
                     timeOf(series.value(2)),
                     series.value(4).toBool()});
    }
    QSqlQuery shots = sql.prepare(u"SELECT sh.series, "_s + kShotColumns +
                                  u" FROM shots sh JOIN series s ON s.id = sh.series "
                                  u"WHERE s.training = ? AND (? = 0 OR s.number = ?) "
                                  u"ORDER BY s.number, sh.slot"_s);
    if (sql.exec(shots, values))
        while (shots.next()) {
            const auto it = indexOf.constFind(shots.value(0).toLongLong());
            if (it != indexOf.constEnd())
                list[*it].shots.append(shotOf(shots, 1));
        }
    return list;
}

} // namespace ankerblick::sqlitediary

namespace ankerblick {

std::optional<Training> SqliteDiary::training(qint64 id) const {
    Sql sql(database());
    return readTraining(sql, id);
}

QList<Series> SqliteDiary::seriesOf(qint64 training) const {
    Sql sql(database());
    return readSeries(sql, training);
}

// One query: the sums over the figures each counted series keeps, no shot read.
QList<TrainingSummary> SqliteDiary::trainings(const Filter& filter) const {
    Sql sql(database());
    const Where where = whereOf(filter);
    QSqlQuery q = sql.prepare(
        u"SELECT "_s + kTrainingColumns +
        u", COUNT(s.id), TOTAL(s.shots), TOTAL(s.sum_whole), TOTAL(s.sum_tenths), "
        u"TOTAL(s.calls_rated), TOTAL(s.calls10), TOTAL(s.sekmm_sum), TOTAL(s.mpi_x * s.shots), "
        u"TOTAL(s.mpi_y * s.shots), TOTAL(CASE WHEN s.shots >= 2 THEN s.group_size END), "
        u"COUNT(CASE WHEN s.shots >= 2 THEN 1 END), TOTAL(s.inner_tens) "
        u"FROM trainings t LEFT JOIN series s "
        u"ON s.training = t.id AND s.shots > 0 AND NOT s.sighter"_s +
        where.sql() + u" GROUP BY t.id ORDER BY t.started, t.id"_s);
    QList<TrainingSummary> list;
    if (sql.exec(q, where.values))
        while (q.next())
            list.append(summaryOf(trainingOf(q, 0), totalsOf(q, kTrainingColumnCount)));
    return list;
}

// The trainings are joined only when the filter asks something of them. The
// times come in UTC: a local time costs the C library a look at the system's
// time zone file for every series.
QList<SeriesSummary> SqliteDiary::seriesSummaries(const Filter& filter) const {
    Sql sql(database());
    const Where where = whereOf(filter, u"NOT s.sighter"_s);
    const QString trainings =
        where.values.isEmpty() ? QString() : u" JOIN trainings t ON t.id = s.training"_s;
    QSqlQuery q = sql.prepare(u"SELECT s.training, s.number, s.time, "_s + kFigureColumns +
                              u" FROM series s"_s + trainings + where.sql() +
                              u" ORDER BY s.time, s.training, s.number"_s);
    QList<SeriesSummary> list;
    if (sql.exec(q, where.values))
        while (q.next()) {
            const QVariant time = q.value(2);
            list.append({q.value(0).toLongLong(), q.value(1).toInt(),
                         time.isNull() ? QDateTime()
                                       : QDateTime::fromMSecsSinceEpoch(time.toLongLong(), Qt::UTC),
                         sqlitediary::figuresOf(q, 3)});
        }
    return list;
}

std::map<int, int> SqliteDiary::valueHistogram(const Filter& filter) const {
    Sql sql(database());
    const Where where = whereOf(filter);
    // One row a training: each keeps the count of its shots by value.
    QSqlQuery q = sql.prepare(u"SELECT t.value_counts FROM trainings t"_s + where.sql());
    std::map<int, qint64> sums;
    if (sql.exec(q, where.values))
        while (q.next())
            addValueCounts(q.value(0).toByteArray(), sums);
    std::map<int, int> counts;
    for (const auto& [tenths, shots] : sums)
        counts[tenths] = int(std::min<qint64>(shots, std::numeric_limits<int>::max()));
    return counts;
}

QList<ShotRow> SqliteDiary::shotRows(const Filter& filter) const {
    Sql sql(database());
    const Where where = whereOf(filter);
    QSqlQuery q = sql.prepare(u"SELECT t.id, t.started, t.shooter, t.discipline, s.number, "
                              u"s.sighter, t.calibre, t.program, "_s +
                              kShotColumns +
                              u" FROM trainings t JOIN series s ON s.training = t.id "
                              u"JOIN shots sh ON sh.series = s.id"_s +
                              where.sql() + u" ORDER BY t.started, t.id, s.number, sh.slot"_s);
    QList<ShotRow> rows;
    if (sql.exec(q, where.values))
        while (q.next())
            rows.append({q.value(0).toLongLong(), timeOf(q.value(1)), q.value(2).toString(),
                         q.value(3).toInt(), q.value(4).toInt(), shotOf(q, 8), q.value(5).toBool(),
                         q.value(6).toDouble(), q.value(7).toString(), QUuid()});
    return rows;
}

QStringList SqliteDiary::shooters() const {
    Sql sql(database());
    QSqlQuery q = sql.prepare(u"SELECT DISTINCT shooter FROM trainings WHERE shooter <> ''"_s);
    QStringList names;
    if (sql.exec(q))
        while (q.next())
            names.append(q.value(0).toString());
    // In the user's order: "Özdemir" beside "Otto", not after "Zander".
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return a.localeAwareCompare(b) < 0; });
    return names;
}

} // namespace ankerblick
