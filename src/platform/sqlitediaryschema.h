#pragma once

// The tables of the SQLite diary, their migrations, and how its records are
// written to and read from rows. Used by SqliteDiary only.

#include "model/diaryrecords.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

namespace ankerblick::sqlitediary {

// Runs prepared statements with bound values and keeps the first error.
class Sql {
public:
    explicit Sql(QSqlDatabase db) : m_db(std::move(db)) {}

    // A statement prepared for running, forward only.
    QSqlQuery prepare(const QString& statement);
    // Binds the values in order and runs the statement.
    bool exec(QSqlQuery& query, const QVariantList& values = {});
    bool exec(const QString& statement, const QVariantList& values = {});
    // False, keeping the error, when the database refused something else.
    bool fail(const QSqlError& error);

    // False, with a reason of the diary's own for the user.
    bool refuse(const QString& reason);

    QSqlDatabase& db() { return m_db; }
    const QSqlError& error() const { return m_error; }
    // The German reason of the first failure, ending with a full stop.
    QString reason() const;

private:
    QSqlDatabase m_db;
    QSqlError m_error;
    QString m_reason;
};

// The German reason of a failed write, for "… konnte nicht gespeichert werden: <reason>".
QString reasonOf(const QSqlError& error);

// Begins a transaction that writes. It takes the file's write lock at once,
// waiting as long as the busy timeout allows, so that another connection's
// commit between its first read and its first write cannot make it fail.
// The error, or none.
QSqlError beginWriting(QSqlDatabase& db);
// SQLite's own verdict that the file is no database or a damaged one.
bool isDamage(const QSqlError& error);

// The version of the tables the migrations end at.
int currentVersion();
// Brings the tables from version `from` up to version `to` (the current one
// when negative), each step in a transaction of its own.
bool migrate(Sql& sql, int from, int to = -1);

// Values as stored.
QVariant timeValue(const QDateTime& time);
QDateTime timeOf(const QVariant& value);

// Inserts a series with its figures and shots; false on any failure.
bool insertSeries(Sql& sql, qint64 training, const diary::Series& series);
// Counts the scored shots of a training's counted series (no sighting
// series) by value into its row, so that the value histogram reads one row
// a training instead of every shot.
bool storeValueCounts(Sql& sql, qint64 training);
// The columns of a shot, from the slot on, in this order.
inline constexpr QLatin1StringView kShotColumns{
    "slot, hit_x, hit_y, call_x, call_y, value, call_value, rating, sekmm, shot_time, "
    "shooting_time, comment, inner_ten"};
diary::Shot shotOf(const QSqlQuery& query, int first);
// The figure columns of a series.
inline constexpr QLatin1StringView kFigureColumns{
    "shots, scored, sum_whole, sum_tenths, calls_rated, calls10, sekmm_sum, mpi_x, mpi_y, "
    "group_size, inner_tens"};
diary::SeriesFigures figuresOf(const QSqlQuery& query, int first);

// A training as stored, and its series with their shots, by number (only
// series `number` unless it is 0).
std::optional<diary::Training> readTraining(Sql& sql, qint64 id);
QList<diary::Series> readSeries(Sql& sql, qint64 training, int number = 0);

} // namespace ankerblick::sqlitediary
