#include "diaryoutbox.h"

#include "model/logging.h"
#include "sqlitediary.h"
#include "sqlitediaryschema.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QMap>

namespace ankerblick {

using namespace sqlitediary;
using namespace Qt::StringLiterals;

namespace {

QString uniqueConnectionName() {
    static QAtomicInteger<quint64> counter;
    return u"ankerblick-vereinsausgang-%1"_s.arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

DiaryOutbox::DiaryOutbox(const QString& diaryPath)
    : m_path(diaryPath), m_connection(uniqueConnectionName()) {}

DiaryOutbox::~DiaryOutbox() {
    if (!QSqlDatabase::contains(m_connection))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

// Opened on first use; never creates the file, which is SqliteDiary's to make.
bool DiaryOutbox::open() {
    if (!QSqlDatabase::contains(m_connection)) {
        if (!QFileInfo::exists(m_path))
            return false;
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connection);
        db.setDatabaseName(m_path);
        db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=2000"_s);
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.isOpen() && !db.open())
        return false;
    if (!m_lane.isNull())
        return true;
    Sql sql(db);
    QSqlQuery q = sql.prepare(u"SELECT lane FROM identity"_s);
    if (sql.exec(q) && q.next())
        m_lane = QUuid::fromString(q.value(0).toString());
    return !m_lane.isNull();
}

QUuid DiaryOutbox::lane() {
    open();
    return m_lane;
}

std::optional<int> DiaryOutbox::waitingCount() {
    if (!open())
        return std::nullopt;
    Sql sql(QSqlDatabase::database(m_connection, false));
    QSqlQuery q = sql.prepare(u"SELECT COUNT(*) FROM revisions WHERE revision > sent"_s);
    if (!sql.exec(q) || !q.next())
        return std::nullopt;
    return q.value(0).toInt();
}

bool DiaryOutbox::anyWaiting() {
    if (!open())
        return false;
    Sql sql(QSqlDatabase::database(m_connection, false));
    QSqlQuery q = sql.prepare(u"SELECT EXISTS (SELECT 1 FROM revisions WHERE revision > sent) "
                              u"OR EXISTS (SELECT 1 FROM trainings WHERE revision > sent)"_s);
    return sql.exec(q) && q.next() && q.value(0).toBool();
}

namespace {

// The trainings that wait, at most `limit`, each with its waiting series
// numbers and their revisions.
QMap<qint64, QMap<int, qint64>> waitingRevisions(Sql& sql, int limit, const QList<qint64>& setAside,
                                                 QHash<qint64, qint64>& trainingRevisions) {
    QStringList marks;
    QVariantList values;
    for (const qint64 id : setAside) {
        marks << u"?"_s;
        values << id;
    }
    values << limit;
    QSqlQuery trainings = sql.prepare(
        u"SELECT t.id, t.revision FROM trainings t WHERE (t.revision > t.sent OR EXISTS "
        u"(SELECT 1 FROM revisions r WHERE r.training = t.id AND r.revision > r.sent)) "
        u"AND t.id NOT IN ("_s +
        marks.join(u", "_s) + u") ORDER BY t.id LIMIT ?"_s);
    QMap<qint64, QMap<int, qint64>> revisions;
    if (sql.exec(trainings, values))
        while (trainings.next()) {
            const qint64 id = trainings.value(0).toLongLong();
            trainingRevisions.insert(id, trainings.value(1).toLongLong());
            revisions[id];
        }
    QSqlQuery q = sql.prepare(u"SELECT number, revision FROM revisions WHERE training = ? "
                              u"AND revision > sent ORDER BY number"_s);
    for (auto it = revisions.begin(); it != revisions.end(); ++it)
        if (sql.exec(q, {it.key()}))
            while (q.next())
                it.value()[q.value(0).toInt()] = q.value(1).toLongLong();
    return revisions;
}

} // namespace

std::optional<QList<club::Upload>> DiaryOutbox::waiting(int limit, const QList<qint64>& setAside) {
    if (!open())
        return std::nullopt;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    // One read transaction: the series and their revisions of one moment.
    if (!db.transaction())
        return std::nullopt;
    QList<club::Upload> uploads;
    Sql sql(db);
    m_trainingRevisions.clear();
    const auto revisions = waitingRevisions(sql, limit, setAside, m_trainingRevisions);
    for (auto it = revisions.cbegin(); it != revisions.cend(); ++it) {
        const std::optional<diary::Training> training = readTraining(sql, it.key());
        if (!training)
            continue; // removed since
        club::Upload upload{m_lane, *training, {}};
        QMap<int, diary::Series> kept;
        for (const diary::Series& s : readSeries(sql, it.key()))
            kept.insert(s.number, s);
        for (auto r = it.value().cbegin(); r != it.value().cend(); ++r) {
            diary::Series series = kept.value(r.key());
            series.number = r.key(); // a removed series: the number without shots
            upload.series.append({series, r.value()});
        }
        uploads.append(upload);
    }
    // A failed read would send a series without its shots: the server would
    // delete them and the series count as sent.
    const bool readAll = sql.error().type() == QSqlError::NoError;
    db.commit();
    if (!readAll) {
        qCWarning(lcClub, "Diary not read for the club's server: %s",
                  qPrintable(sql.error().text()));
        return std::nullopt;
    }
    return uploads;
}

bool DiaryOutbox::markSent(const club::Upload& upload) {
    if (!open())
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (beginWriting(db).isValid())
        return false;
    bool ok = true;
    {
        Sql sql(db);
        QSqlQuery mark = sql.prepare(u"UPDATE revisions SET sent = ? WHERE training = ? AND "
                                     u"number = ? AND sent < ?"_s);
        for (const club::SeriesRevision& s : upload.series)
            ok =
                ok && sql.exec(mark, {s.revision, upload.training.id, s.series.number, s.revision});
        const auto revision = m_trainingRevisions.constFind(upload.training.id);
        if (revision != m_trainingRevisions.constEnd())
            ok = ok && sql.exec(u"UPDATE trainings SET sent = ? WHERE id = ? AND sent < ?"_s,
                                {*revision, upload.training.id, *revision});
    }
    if (ok && db.commit())
        return true;
    db.rollback();
    return false;
}

} // namespace ankerblick
