#include "clubcoach.h"

#include "clubconnection.h"
#include "clublisten.h"
#include "clubschema.h"
#include "model/diarytotals.h"
#include "model/logging.h"

#include "files/diaryblobs.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <QVariant>

#include <map>
#include <memory>
#include <utility>

namespace ankerblick {

using namespace Qt::StringLiterals;

namespace club {

namespace {

// Times come as milliseconds since the epoch: no time zone between the
// server and the program.
QString ms(const QString& column) {
    return u"(extract(epoch FROM %1) * 1000)::bigint"_s.arg(column);
}

QDateTime timeOf(const QVariant& value) {
    return value.isNull() ? QDateTime() : QDateTime::fromMSecsSinceEpoch(value.toLongLong());
}

template <typename T> std::optional<T> optionalOf(const QVariant& value) {
    return value.isNull() ? std::nullopt : std::optional<T>(value.value<T>());
}

// Both reads of the squad see the same moment of the server.
const QString kReadOnly = u"START TRANSACTION ISOLATION LEVEL REPEATABLE READ, READ ONLY"_s;

const QString kTrainingsAndSeries =
    u"SELECT t.id::text, t.login, t.shooter, t.discipline, t.window_name, %1, %2, t.calibre, "
    u"t.program, s.number, s.sighter, s.shots, s.scored, s.sum_whole, s.sum_tenths, "
    u"s.calls_rated, s.calls10, s.sekmm_sum, s.mpi_x, s.mpi_y, s.group_size, s.inner_tens, %3 "
    u"FROM ankerblick.trainings t LEFT JOIN ankerblick.series s ON s.training = t.id "
    u"ORDER BY t.login, t.started NULLS FIRST, t.id, s.number"_s.arg(
        ms(u"t.started"_s), ms(u"t.ended"_s), ms(u"coalesce(s.received, t.received)"_s));

// The call error of a training: the mean of hit - call over its called
// shots, sighting series left out.
const QString kCallErrors =
    u"SELECT h.training::text, avg(h.hit_x - h.call_x), avg(h.hit_y - h.call_y) "
    u"FROM ankerblick.shots h JOIN ankerblick.series s "
    u"ON s.training = h.training AND s.number = h.series "
    u"WHERE h.call_x IS NOT NULL AND h.call_y IS NOT NULL AND NOT s.sighter "
    u"GROUP BY h.training"_s;

bool fail(Statements& sql, QString* problem) {
    sql.rollback();
    if (problem)
        *problem = sql.problem();
    return false;
}

// The tables must be the program's own version to be read.
bool versionFits(Statements& sql) {
    const std::optional<int> version = schemaVersion(sql);
    return version && (versionProblem(*version).isEmpty() || sql.refuse(versionProblem(*version)));
}

// The figures of a series, from a row of kTrainingsAndSeries.
diary::SeriesFigures seriesFiguresOf(const Rows& q) {
    diary::SeriesFigures f;
    f.shots = q.value(11).toInt();
    f.scored = q.value(12).toInt();
    f.sumWhole = q.value(13).toDouble();
    f.sumTenths = q.value(14).toDouble();
    f.callsRated = q.value(15).toInt();
    f.calls10 = q.value(16).toInt();
    f.sekMmSum = q.value(17).toDouble();
    f.mpi = {q.value(18).toDouble(), q.value(19).toDouble()};
    f.groupSize = q.value(20).toDouble();
    f.innerTens = q.value(21).toInt();
    return f;
}

// The squad, put together from the rows of kTrainingsAndSeries: one row per
// series (or one for a training without any), a training's rows together.
class SquadAssembly {
public:
    explicit SquadAssembly(QHash<QString, group::PointMm> callErrors)
        : m_callErrors(std::move(callErrors)) {}

    // A shooter who may have no training yet.
    void addShooter(const QString& login) { m_shooters[login].login = login; }

    void addRow(const Rows& q) {
        const QUuid id = QUuid::fromString(q.value(0).toString());
        if (id != m_current.id) {
            finishTraining();
            startTraining(id, q);
        }
        m_current.received = std::max(m_current.received, timeOf(q.value(22)));
        if (q.value(9).isNull())
            return; // a training without a series yet
        const diary::SeriesFigures f = seriesFiguresOf(q);
        const bool sighter = q.value(10).toBool();
        m_totals.add(f, sighter);
        if (!sighter && f.shots > 0)
            m_current.seriesSums << f.sumTenths;
    }

    // The shooters in the order of their logins, the last training closed.
    Squad squad() {
        finishTraining();
        Squad squad;
        for (auto& [login, shooter] : m_shooters)
            squad.shooters << std::move(shooter);
        m_shooters.clear();
        return squad;
    }

private:
    void startTraining(const QUuid& id, const Rows& q) {
        m_current.id = id;
        m_current.login = q.value(1).toString();
        diary::Training& t = m_current.summary.training;
        t.shooter = q.value(2).toString();
        t.discipline = q.value(3).toInt();
        t.window = q.value(4).toString();
        t.start = timeOf(q.value(5));
        if (!q.value(6).isNull())
            t.end = timeOf(q.value(6));
        t.calibreMm = q.value(7).toDouble();
        t.program = q.value(8).toString();
    }

    void finishTraining() {
        if (m_current.id.isNull())
            return;
        m_current.summary = diary::summaryOf(m_current.summary.training, m_totals);
        if (const auto e = m_callErrors.constFind(m_current.id.toString(QUuid::WithoutBraces));
            e != m_callErrors.cend())
            m_current.callError = *e;
        SquadShooter& shooter = m_shooters[m_current.login];
        shooter.login = m_current.login;
        shooter.trainings << m_current;
        m_current = SquadTraining();
        m_totals = diary::Totals();
    }

    QHash<QString, group::PointMm> m_callErrors;
    std::map<QString, SquadShooter> m_shooters;
    SquadTraining m_current;
    diary::Totals m_totals;
};

// A training's own columns (of ankerblick.trainings as t), in the order
// readTrainingColumns reads them.
const QString kTrainingColumns =
    u"t.shooter, t.discipline, t.window_name, %1, %2, t.comments, t.shot_times, "
    u"t.shooting_times, t.calibre, t.program"_s.arg(ms(u"t.started"_s), ms(u"t.ended"_s));

// The training's own columns, from a row that starts with kTrainingColumns.
void readTrainingColumns(const Rows& t, diary::Training& training) {
    training.shooter = t.value(0).toString();
    training.discipline = t.value(1).toInt();
    training.window = t.value(2).toString();
    training.start = timeOf(t.value(3));
    if (!t.value(4).isNull())
        training.end = timeOf(t.value(4));
    training.comments = t.value(5).toString();
    training.shotTimes = t.value(6).toString();
    training.shootingTimes = t.value(7).toString();
    training.calibreMm = t.value(8).toDouble();
    training.program = t.value(9).toString();
}

// A series without its shots, from a row of ankerblick.series.
diary::Series seriesOf(const Rows& s) {
    diary::Series series;
    series.number = s.value(0).toInt();
    series.time = timeOf(s.value(1));
    series.sighter = s.value(2).toBool();
    series.record = unpackRecord(s.value(3).toByteArray());
    return series;
}

// A shot's columns of ankerblick.shots (as h), in the order shotOf reads them.
const QString kShotColumns =
    u"h.series, h.slot, h.hit_x, h.hit_y, h.call_x, h.call_y, h.value, h.call_value, "
    u"h.rating, h.sekmm, h.shot_time, h.shooting_time, h.comment, h.inner_ten"_s;

// A shot, from a row that starts with kShotColumns (its series in column 0).
diary::Shot shotOf(const Rows& h) {
    diary::Shot shot;
    shot.slot = h.value(1).toInt();
    shot.hit = {h.value(2).toDouble(), h.value(3).toDouble()};
    if (!h.value(4).isNull() && !h.value(5).isNull())
        shot.call = group::PointMm{h.value(4).toDouble(), h.value(5).toDouble()};
    shot.value = optionalOf<double>(h.value(6));
    shot.callValue = optionalOf<double>(h.value(7));
    shot.rating = optionalOf<int>(h.value(8));
    shot.sekMm = optionalOf<qint32>(h.value(9));
    shot.shotTime = optionalOf<double>(h.value(10));
    shot.shootingTime = optionalOf<double>(h.value(11));
    shot.comment = h.value(12).toString();
    shot.innerTen = h.value(13).toBool();
    return shot;
}

} // namespace

std::optional<bool> isCoach(Statements& sql) {
    Rows* q = sql.query(u"SELECT pg_has_role(current_user, ?, 'MEMBER')"_s, {QString(kCoachRole)});
    if (!q || !q->next())
        return std::nullopt;
    return q->value(0).toBool();
}

std::optional<Squad> readSquad(Statements& sql, QString* problem) {
    if (!sql.exec(kReadOnly) || !versionFits(sql)) {
        fail(sql, problem);
        return std::nullopt;
    }
    QHash<QString, group::PointMm> callErrors;
    Rows* errors = sql.query(kCallErrors);
    if (!errors) {
        fail(sql, problem);
        return std::nullopt;
    }
    while (errors->next())
        callErrors.insert(errors->value(0).toString(),
                          {errors->value(1).toDouble(), errors->value(2).toDouble()});

    SquadAssembly assembly(std::move(callErrors));
    Rows* logins = sql.query(u"SELECT login FROM ankerblick.shooters WHERE NOT coach"_s);
    if (!logins) {
        fail(sql, problem);
        return std::nullopt;
    }
    while (logins->next())
        assembly.addShooter(logins->value(0).toString());

    Rows* q = sql.query(kTrainingsAndSeries);
    if (!q) {
        fail(sql, problem);
        return std::nullopt;
    }
    while (q->next())
        assembly.addRow(*q);
    if (!sql.exec(u"COMMIT"_s)) {
        fail(sql, problem);
        return std::nullopt;
    }
    return assembly.squad();
}

std::optional<StoredTraining> readTraining(Statements& sql, const QUuid& id, QString* problem) {
    const QString key = id.toString(QUuid::WithoutBraces);
    if (!sql.exec(kReadOnly) || !versionFits(sql)) {
        fail(sql, problem);
        return std::nullopt;
    }
    Rows* t = sql.query(
        u"SELECT %1 FROM ankerblick.trainings t WHERE t.id = ?::uuid"_s.arg(kTrainingColumns),
        {key});
    if (!t) {
        fail(sql, problem);
        return std::nullopt;
    }
    if (!t->next()) {
        sql.refuse(QCoreApplication::translate(
            "ServerClubReader", "Das Training gibt es auf dem Vereinsserver nicht (mehr)."));
        fail(sql, problem);
        return std::nullopt;
    }
    StoredTraining stored;
    readTrainingColumns(*t, stored.training);

    Rows* s =
        sql.query(u"SELECT number, %1, sighter, record FROM ankerblick.series "
                  u"WHERE training = ?::uuid AND shots > 0 ORDER BY number"_s.arg(ms(u"time"_s)),
                  {key});
    if (!s) {
        fail(sql, problem);
        return std::nullopt;
    }
    QHash<int, qsizetype> indexOf;
    while (s->next()) {
        const diary::Series series = seriesOf(*s);
        indexOf.insert(series.number, stored.series.size());
        stored.series << series;
    }
    Rows* h = sql.query(u"SELECT %1 FROM ankerblick.shots h "
                        u"WHERE h.training = ?::uuid ORDER BY h.series, h.slot"_s.arg(kShotColumns),
                        {key});
    if (!h) {
        fail(sql, problem);
        return std::nullopt;
    }
    while (h->next()) {
        const auto found = indexOf.constFind(h->value(0).toInt());
        if (found == indexOf.cend())
            continue;
        stored.series[*found].shots << shotOf(*h);
    }
    if (!sql.exec(u"COMMIT"_s)) {
        fail(sql, problem);
        return std::nullopt;
    }
    return stored;
}

// The shots of the trainings the filter takes, in the diary's order.
std::optional<QList<diary::ShotRow>> readShotRows(Statements& sql, const diary::Filter& filter,
                                                  QString* problem) {
    QStringList where{u"s.shots > 0"_s};
    QVariantList values;
    if (!filter.shooter.isEmpty()) {
        where << u"t.shooter = ?"_s;
        values << filter.shooter;
    }
    if (filter.discipline >= 0) {
        where << u"t.discipline = ?"_s;
        values << filter.discipline;
    }
    if (filter.from.isValid()) {
        where << u"%1 >= ?"_s.arg(ms(u"t.started"_s));
        values << diary::filterFrom(filter);
    }
    if (filter.to.isValid()) {
        where << u"%1 <= ?"_s.arg(ms(u"t.started"_s));
        values << diary::filterTo(filter);
    }
    if (!sql.exec(kReadOnly) || !versionFits(sql)) {
        fail(sql, problem);
        return std::nullopt;
    }
    Rows* h = sql.query(
        u"SELECT %1, t.id::text, %2, t.shooter, t.discipline, s.sighter, t.calibre, t.program "
        u"FROM ankerblick.trainings t JOIN ankerblick.series s ON s.training = t.id "
        u"JOIN ankerblick.shots h ON h.training = s.training AND h.series = s.number "
        u"WHERE %3 ORDER BY t.started NULLS FIRST, t.id, s.number, h.slot"_s.arg(
            kShotColumns, ms(u"t.started"_s), where.join(u" AND "_s)),
        values);
    if (!h) {
        fail(sql, problem);
        return std::nullopt;
    }
    QList<diary::ShotRow> rows;
    while (h->next())
        rows.append({0, timeOf(h->value(15)), h->value(16).toString(), h->value(17).toInt(),
                     h->value(0).toInt(), shotOf(*h), h->value(18).toBool(),
                     h->value(19).toDouble(), h->value(20).toString(),
                     QUuid::fromString(h->value(14).toString())});
    if (!sql.exec(u"COMMIT"_s)) {
        fail(sql, problem);
        return std::nullopt;
    }
    return rows;
}

namespace {

// The trainings `where` takes (t, and r.received: when the last series of
// the training reached the server), by lane and start.
bool readLiveTrainingRows(Statements& sql, const QString& where, const QVariantList& values,
                          QList<LiveTraining>& trainings) {
    Rows* t = sql.query(u"SELECT %1, t.id::text, t.lane::text, t.login, %2, t.lane_name "
                        u"FROM ankerblick.trainings t "
                        u"JOIN (SELECT training, max(received) AS received FROM ankerblick.series "
                        u"GROUP BY training) r ON r.training = t.id WHERE %3 "
                        u"ORDER BY t.lane, t.started NULLS FIRST, t.id"_s.arg(
                            kTrainingColumns, ms(u"r.received"_s), where),
                        values);
    if (!t)
        return false;
    while (t->next()) {
        LiveTraining live;
        readTrainingColumns(*t, live.training);
        live.id = QUuid::fromString(t->value(10).toString());
        live.lane = QUuid::fromString(t->value(11).toString());
        live.login = t->value(12).toString();
        live.received = timeOf(t->value(13));
        live.laneName = t->value(14).toString();
        trainings << live;
    }
    return true;
}

// The series of `trainings` with their shots; only series `number` when given.
bool readLiveSeriesRows(Statements& sql, QList<LiveTraining>& trainings,
                        std::optional<int> number) {
    QHash<QString, qsizetype> indexOf;
    QStringList ids;
    for (qsizetype i = 0; i < trainings.size(); ++i) {
        ids << trainings[i].id.toString(QUuid::WithoutBraces);
        indexOf.insert(ids.back(), i);
    }
    const QString which = u"{%1}"_s.arg(ids.join(u','));
    const auto only = [number](const QString& column) {
        return number ? u" AND %1 = %2"_s.arg(column).arg(*number) : QString();
    };
    Rows* s =
        sql.query(u"SELECT number, %1, sighter, record, training::text FROM ankerblick.series "
                  u"WHERE training = ANY(?::uuid[]) AND shots > 0%2 ORDER BY number"_s.arg(
                      ms(u"time"_s), only(u"number"_s)),
                  {which});
    if (!s)
        return false;
    while (s->next())
        trainings[indexOf.value(s->value(4).toString())].series << seriesOf(*s);
    QHash<QPair<QString, int>, diary::Series*> series;
    for (LiveTraining& t : trainings)
        for (diary::Series& one : t.series)
            series.insert({t.id.toString(QUuid::WithoutBraces), one.number}, &one);
    Rows* h = sql.query(u"SELECT %1, h.training::text FROM ankerblick.shots h "
                        u"WHERE h.training = ANY(?::uuid[])%2 ORDER BY h.series, h.slot"_s.arg(
                            kShotColumns, only(u"h.series"_s)),
                        {which});
    if (!h)
        return false;
    while (h->next())
        if (diary::Series* one = series.value({h->value(14).toString(), h->value(0).toInt()}))
            one->shots << shotOf(*h);
    return true;
}

std::optional<QList<LiveTraining>> readLive(Statements& sql, const QString& where,
                                            const QVariantList& values, std::optional<int> number,
                                            QString* problem) {
    QList<LiveTraining> trainings;
    if (!sql.exec(kReadOnly) || !versionFits(sql) ||
        !readLiveTrainingRows(sql, where, values, trainings) ||
        (!trainings.isEmpty() && !readLiveSeriesRows(sql, trainings, number)) ||
        !sql.exec(u"COMMIT"_s)) {
        fail(sql, problem);
        return std::nullopt;
    }
    return trainings;
}

} // namespace

std::optional<QList<LiveTraining>> readLiveTrainings(Statements& sql, const QDateTime& since,
                                                     QString* problem) {
    return readLive(sql, u"%1 >= ?"_s.arg(ms(u"r.received"_s)), {since.toMSecsSinceEpoch()},
                    std::nullopt, problem);
}

std::optional<std::optional<LiveTraining>>
readLiveSeries(Statements& sql, const SeriesNotice& notice, QString* problem) {
    const std::optional<QList<LiveTraining>> read =
        readLive(sql, u"t.id = ?::uuid"_s, {notice.training.toString(QUuid::WithoutBraces)},
                 notice.number, problem);
    if (!read)
        return std::nullopt;
    return read->isEmpty() ? std::optional<LiveTraining>() : read->front();
}

std::optional<SeriesNotice> seriesNoticeOf(const QByteArray& payload) {
    const QJsonObject notice = QJsonDocument::fromJson(payload).object();
    const QUuid training = QUuid::fromString(notice.value(u"training"_s).toString());
    const int number = notice.value(u"number"_s).toInt();
    if (training.isNull() || number <= 0)
        return std::nullopt;
    return SeriesNotice{training, number};
}

} // namespace club

// Everything here runs on the reader's thread: a connection is used by the
// thread that made it, and the server's notices are heard there.
class ClubReaderWorker final : public QObject {
public:
    ClubReaderWorker(ServerClubReader::Timing timing, const club::Stop* stop,
                     ServerClubReader* owner)
        : m_timing(timing), m_stop(stop), m_owner(owner) {}

    // Made on the thread, as its first event. Notices gather for a moment
    // before the squad is read again.
    void begin() {
        m_gather = new QTimer(this);
        m_gather->setSingleShot(true);
        connect(m_gather, &QTimer::timeout, this, [this] { readSquad(); });
        m_listener = new club::Listener(
            {m_timing.retryMs, m_timing.pingMs, deadlines()}, m_stop,
            {[](club::Link& link, club::Statements& sql) { return admitCoach(link, sql); },
             [this] { readSquad(); },
             [this](const QList<QByteArray>&) {
                 if (!m_gather->isActive())
                     m_gather->start(m_timing.gatherMs);
             },
             [this](const QString& problem) {
                 tell(problem);
             }},
            this);
    }

    void watch(const club::Credentials& server) { m_listener->listen(server); }

    void stopWatching() {
        m_listener->listen({});
        m_gather->stop();
    }

    void readTrainings(const club::Credentials& server) {
        QString problem;
        std::optional<club::Squad> squad;
        if (club::Link* link = reading(server, problem)) {
            club::Statements sql(*link);
            squad = club::readSquad(sql, &problem);
        }
        if (!squad)
            m_read.reset();
        QMetaObject::invokeMethod(m_owner, [owner = m_owner, squad, problem] {
            if (squad)
                Q_EMIT owner->trainingsRead(*squad);
            else
                Q_EMIT owner->readProblem(QUuid(), problem);
        });
    }

    void readTraining(const club::Credentials& server, const QUuid& id) {
        QString problem;
        std::optional<club::StoredTraining> stored;
        if (club::Link* link = reading(server, problem)) {
            club::Statements sql(*link);
            stored = club::readTraining(sql, id, &problem);
        }
        if (!stored && !problem.isEmpty())
            m_read.reset();
        QMetaObject::invokeMethod(m_owner, [owner = m_owner, id, stored, problem] {
            if (stored)
                Q_EMIT owner->trainingRead(id, stored->training, stored->series);
            else
                Q_EMIT owner->readProblem(id, problem);
        });
    }

    void readShots(const club::Credentials& server, const diary::Filter& filter) {
        QString problem;
        std::optional<QList<diary::ShotRow>> rows;
        if (club::Link* link = reading(server, problem)) {
            club::Statements sql(*link);
            rows = club::readShotRows(sql, filter, &problem);
        }
        if (!rows) {
            m_read.reset();
            if (!m_stop->raised()) // not when the program ends
                qCWarning(lcClub) << "The shots could not be read from the club's server:"
                                  << problem;
        }
        QMetaObject::invokeMethod(m_owner, [owner = m_owner, filter, rows] {
            Q_EMIT owner->shotsRead(filter, rows.value_or(QList<diary::ShotRow>()));
        });
    }

private:
    club::Deadlines deadlines() const { return {m_timing.connectMs, m_timing.answerMs}; }

    // The connection for single reads, made again for another server.
    club::Link* reading(const club::Credentials& server, QString& problem) {
        if (!m_read || m_readServer != server || !m_read->isOpen()) {
            m_read = std::make_unique<club::Link>(server, deadlines(), m_stop);
            m_readServer = server;
        }
        if (!m_read->isOpen()) {
            problem = m_read->problem();
            m_read.reset();
            return nullptr;
        }
        return m_read.get();
    }

    // Only a coach's login watches the squad.
    static club::Listener::Admission admitCoach(club::Link& link, club::Statements& sql) {
        using Answer = club::Listener::Admission::Answer;
        const std::optional<bool> coach = club::isCoach(sql);
        if (!coach)
            return {Answer::Lost, sql.problem()};
        if (*coach)
            return {};
        return {Answer::Never,
                QCoreApplication::translate(
                    "ServerClubReader",
                    "Die Anmeldung „%1“ ist keine Trainer-Anmeldung: Die Traineransicht zeigt die "
                    "Trainings des Vereins nur einem Trainer. Der Verwalter legt Trainer mit "
                    "ankerblick --verein-trainer an.")
                    .arg(link.userName())};
    }

    void readSquad() {
        club::Link* link = m_listener->link();
        if (!link)
            return;
        QString problem;
        club::Statements sql(*link);
        std::optional<club::Squad> squad = club::readSquad(sql, &problem);
        if (!squad) {
            m_listener->lose(problem);
            return;
        }
        QMetaObject::invokeMethod(m_owner, [owner = m_owner, squad = std::move(*squad)] {
            Q_EMIT owner->squadChanged(squad);
        });
        // Notices that came with the answers were read with them.
        m_listener->hear();
    }

    void tell(const QString& problem) {
        QMetaObject::invokeMethod(
            m_owner, [owner = m_owner, problem] { Q_EMIT owner->watchProblem(problem); });
    }

    ServerClubReader::Timing m_timing;
    const club::Stop* m_stop;
    ServerClubReader* m_owner;
    club::Listener* m_listener = nullptr;
    club::Credentials m_readServer;
    std::unique_ptr<club::Link> m_read;
    QTimer* m_gather = nullptr;
};

ServerClubReader::ServerClubReader(Timing timing) : m_stop(std::make_unique<club::Stop>()) {
    m_worker = new ClubReaderWorker(timing, m_stop.get(), this);
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.setObjectName(u"Vereinsansicht"_s);
    m_thread.start();
    QMetaObject::invokeMethod(m_worker, [worker = m_worker] { worker->begin(); });
}

// A server that does not answer, or is still being reached, does not hold
// the program's end: the worker's wait ends at once.
ServerClubReader::~ServerClubReader() {
    m_stop->raise();
    m_thread.quit();
    m_thread.wait();
}

void ServerClubReader::watch(const club::Credentials& server) {
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, server] { worker->watch(server); });
}

void ServerClubReader::stopWatching() {
    QMetaObject::invokeMethod(m_worker, [worker = m_worker] { worker->stopWatching(); });
}

void ServerClubReader::readTrainings(const club::Credentials& server) {
    QMetaObject::invokeMethod(m_worker,
                              [worker = m_worker, server] { worker->readTrainings(server); });
}

void ServerClubReader::readTraining(const club::Credentials& server, const QUuid& id) {
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, server, id] { worker->readTraining(server, id); });
}

void ServerClubReader::readShots(const club::Credentials& server, const diary::Filter& filter) {
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, server, filter] { worker->readShots(server, filter); });
}

} // namespace ankerblick
