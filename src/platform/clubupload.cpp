#include "clubupload.h"

#include "clubconnection.h"
#include "clubschema.h"

#include "files/diaryblobs.h"

#include <QVariant>

namespace ankerblick::club {

using namespace Qt::StringLiterals;
using namespace diary;

namespace {

// The namespace of training identities: a lane's diary and a training's id
// in it name one training on the server.
const QUuid kTrainingNamespace(u"6f1d0c52-8a7e-4c1b-9d3f-2b5a7e9c4d10"_s);

QVariant timeValue(const QDateTime& time) {
    return time.isValid() ? QVariant(time.toUTC().toString(Qt::ISODateWithMs)) : QVariant();
}

// The columns of texts take no NULL: an empty text is empty.
QVariant text(const QString& value) {
    return value.isNull() ? QVariant(QString(u""_s)) : QVariant(value);
}

template <typename T> QVariant orNull(const std::optional<T>& value) {
    return value ? QVariant::fromValue(*value) : QVariant();
}

const QString kTraining =
    u"INSERT INTO ankerblick.trainings (id, lane, local_id, shooter, discipline, window_name, "
    u"started, ended, comments, shot_times, shooting_times, calibre, program, lane_name) "
    u"VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
    u"ON CONFLICT (id) DO UPDATE SET shooter = EXCLUDED.shooter, "
    u"discipline = EXCLUDED.discipline, window_name = EXCLUDED.window_name, started = "
    u"EXCLUDED.started, "
    u"ended = EXCLUDED.ended, comments = EXCLUDED.comments, shot_times = EXCLUDED.shot_times, "
    u"shooting_times = EXCLUDED.shooting_times, calibre = EXCLUDED.calibre, "
    u"program = EXCLUDED.program, lane_name = EXCLUDED.lane_name "
    u"WHERE (trainings.shooter, trainings.discipline, trainings.window_name, trainings.started, "
    u"trainings.ended, trainings.comments, trainings.shot_times, trainings.shooting_times, "
    u"trainings.calibre, trainings.program, trainings.lane_name) IS DISTINCT FROM "
    u"(EXCLUDED.shooter, EXCLUDED.discipline, EXCLUDED.window_name, EXCLUDED.started, "
    u"EXCLUDED.ended, EXCLUDED.comments, EXCLUDED.shot_times, EXCLUDED.shooting_times, "
    u"EXCLUDED.calibre, EXCLUDED.program, EXCLUDED.lane_name)"_s;

// Written only when its revision is newer; the number comes back when it was.
const QString kSeries =
    u"INSERT INTO ankerblick.series (training, number, revision, time, sighter, record, "
    u"shots, scored, sum_whole, sum_tenths, calls_rated, calls10, sekmm_sum, mpi_x, mpi_y, "
    u"group_size, inner_tens) "
    u"VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
    u"ON CONFLICT (training, number) DO UPDATE SET revision = EXCLUDED.revision, "
    u"time = EXCLUDED.time, sighter = EXCLUDED.sighter, record = EXCLUDED.record, "
    u"shots = EXCLUDED.shots, scored = EXCLUDED.scored, sum_whole = EXCLUDED.sum_whole, "
    u"sum_tenths = EXCLUDED.sum_tenths, calls_rated = EXCLUDED.calls_rated, "
    u"calls10 = EXCLUDED.calls10, sekmm_sum = EXCLUDED.sekmm_sum, mpi_x = EXCLUDED.mpi_x, "
    u"mpi_y = EXCLUDED.mpi_y, group_size = EXCLUDED.group_size, "
    u"inner_tens = EXCLUDED.inner_tens, received = now() "
    u"WHERE series.revision < EXCLUDED.revision RETURNING number"_s;

const QString kShot =
    u"INSERT INTO ankerblick.shots (training, series, slot, hit_x, hit_y, call_x, call_y, "
    u"value, call_value, rating, sekmm, shot_time, shooting_time, comment, inner_ten) "
    u"VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s;

bool writeSeries(Statements& sql, const QString& training, const SeriesRevision& revised,
                 bool& written) {
    const Series& s = revised.series;
    const SeriesFigures f = diary::figuresOf(s.shots);
    Rows* series = sql.query(kSeries, {training, s.number, revised.revision, timeValue(s.time),
                                       s.sighter, packRecord(s.record), f.shots, f.scored,
                                       f.sumWhole, f.sumTenths, f.callsRated, f.calls10, f.sekMmSum,
                                       f.mpi.x, f.mpi.y, f.groupSize, f.innerTens});
    if (!series)
        return false;
    written = series->next();
    if (!written)
        return true;
    if (!sql.run(u"DELETE FROM ankerblick.shots WHERE training = ? AND series = ?"_s,
                 {training, s.number}))
        return false;
    for (const Shot& shot : s.shots)
        if (!sql.run(kShot, {training, s.number, shot.slot, shot.hit.x, shot.hit.y,
                             shot.call ? QVariant(shot.call->x) : QVariant(),
                             shot.call ? QVariant(shot.call->y) : QVariant(), orNull(shot.value),
                             orNull(shot.callValue), orNull(shot.rating), orNull(shot.sekMm),
                             orNull(shot.shotTime), orNull(shot.shootingTime), text(shot.comment),
                             shot.innerTen}))
            return false;
    return true;
}

} // namespace

QUuid trainingIdentity(const QUuid& lane, qint64 localId) {
    return QUuid::createUuidV5(kTrainingNamespace, lane.toString(QUuid::WithoutBraces) + u'/' +
                                                       QString::number(localId));
}

UploadResult upload(Link& link, const Upload& sent) {
    Statements sql(link);
    return upload(sql, sent);
}

UploadResult upload(QSqlDatabase& db, const Upload& sent) {
    Statements sql(db);
    return upload(sql, sent);
}

UploadResult upload(Statements& sql, const Upload& upload) {
    UploadResult result;
    const Training& t = upload.training;
    const QString id = trainingIdentity(upload.lane, t.id).toString(QUuid::WithoutBraces);
    bool done = sql.begin();
    const std::optional<int> version = done ? schemaVersion(sql) : std::nullopt;
    done = version && (versionProblem(*version).isEmpty() || sql.refuse(versionProblem(*version)));
    done = done && sql.run(kTraining, {id, upload.lane.toString(QUuid::WithoutBraces), t.id,
                                       text(t.shooter), t.discipline, text(t.window),
                                       timeValue(t.start), t.end ? timeValue(*t.end) : QVariant(),
                                       text(t.comments), text(t.shotTimes), text(t.shootingTimes),
                                       t.calibreMm, text(t.program), text(upload.laneName)});
    for (const SeriesRevision& s : upload.series) {
        bool written = false;
        done = done && writeSeries(sql, id, s, written);
        result.seriesWritten += written ? 1 : 0;
    }
    if (done && sql.commit()) {
        result.ok = true;
        return result;
    }
    sql.rollback();
    result.problem = sql.problem();
    result.refusedForGood = sql.refusedForGood();
    result.seriesWritten = 0;
    return result;
}

} // namespace ankerblick::club
