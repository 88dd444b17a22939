#include "clubload.h"

#include "serieswatcher.h"

#include "platform/clubconnection.h"
#include "platform/clubschema.h"
#include "platform/clubsync.h"
#include "platform/sqlitediary.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlQuery>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace ankerblick::test {

using namespace Qt::StringLiterals;
using Clock = SeriesWatcher::Clock;

namespace {

const QString kLanePassword = u"Bahn-Passwort 5"_s;
const QString kCoachPassword = u"Trainer-Passwort 5"_s;

diary::Series loadSeries(int number) {
    static const double values[kLoadShotsPerSeries] = {10.9, 10.0, 9.8, 9.1, 8.7};
    diary::Series s;
    s.number = number;
    s.time = QDateTime::currentDateTimeUtc();
    for (int i = 0; i < kLoadShotsPerSeries; ++i) {
        diary::Shot shot;
        shot.slot = i;
        shot.hit = {0.5 * i, -1.5 * i};
        shot.value = values[i];
        s.shots << shot;
        s.record.hitLeft[size_t(i)] = qint16(100 + i);
    }
    return s;
}

// Waits until `until`, the thread's events handled meanwhile.
void waitUntil(Clock::time_point until) {
    while (Clock::now() < until) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        QThread::usleep(500);
    }
}

template <typename Done> bool waitFor(Done done, std::chrono::milliseconds most) {
    const Clock::time_point end = Clock::now() + most;
    while (!done()) {
        if (Clock::now() > end)
            return false;
        waitUntil(Clock::now() + std::chrono::milliseconds(20));
    }
    return true;
}

struct Lane {
    QString login;
    std::unique_ptr<SqliteDiary> diary;
    qint64 training = 0;
    std::unique_ptr<ServerClubSync> sync;
    std::vector<Clock::time_point> saved;
};

} // namespace

double ClubLoadResult::median() const {
    if (latencyMs.isEmpty())
        return 0;
    const qsizetype n = latencyMs.size();
    return n % 2 ? latencyMs[n / 2] : (latencyMs[n / 2 - 1] + latencyMs[n / 2]) / 2;
}

double ClubLoadResult::percentile99() const {
    if (latencyMs.isEmpty())
        return 0;
    const qsizetype rank = qsizetype(std::ceil(0.99 * double(latencyMs.size())));
    return latencyMs[std::max<qsizetype>(rank, 1) - 1];
}

diary::Series valuedSeries(int number, const QList<double>& values) {
    diary::Series s;
    s.number = number;
    s.time = QDateTime(QDate(2026, 3, 2), QTime(9, number), Qt::UTC);
    for (int i = 0; i < int(values.size()); ++i) {
        diary::Shot shot;
        shot.slot = i;
        shot.hit = {double(i), -double(i)};
        shot.value = values[i];
        s.shots << shot;
        s.record.hitLeft[size_t(i)] = qint16(100 + i);
    }
    return s;
}

ClubLoadResult runClubLoad(PgServer& server, const QString& database, const ClubLoadPlan& plan,
                           const QString& folder) {
    ClubLoadResult result;
    if (!server.createDatabase(database)) {
        result.problem = server.error();
        return result;
    }
    std::vector<Lane> lanes(size_t(plan.lanes));
    {
        club::Connection owner(server.ownerUrl(database));
        QSqlDatabase db = owner.database();
        const club::SetUp done = club::setUp(db);
        if (!done.ok) {
            result.problem = done.problem;
            return result;
        }
        for (int i = 0; i < plan.lanes; ++i) {
            lanes[size_t(i)].login = u"bahn%1"_s.arg(i + 1, 2, 10, QChar(u'0'));
            const QString problem =
                club::addLogin(db, lanes[size_t(i)].login, kLanePassword, club::LoginKind::Shooter);
            if (!problem.isEmpty()) {
                result.problem = problem;
                return result;
            }
        }
        result.problem = club::addLogin(db, u"trainer"_s, kCoachPassword, club::LoginKind::Coach);
        if (!result.problem.isEmpty())
            return result;
    }
    const club::Credentials coachLogin = server.login(u"trainer"_s, kCoachPassword, database);
    SeriesWatcher coach(coachLogin);
    if (!coach.problem().isEmpty()) {
        result.problem = coach.problem();
        return result;
    }
    for (Lane& lane : lanes) {
        const QString path = QDir(folder).filePath(lane.login + u".sqlite"_s);
        lane.diary = std::make_unique<SqliteDiary>(path);
        diary::Training t;
        t.shooter = lane.login;
        t.discipline = 0;
        t.window = u"Form1"_s;
        t.start = QDateTime::currentDateTimeUtc();
        const std::optional<qint64> id = lane.diary->beginTraining(t);
        if (!id) {
            result.problem = lane.diary->problem();
            return result;
        }
        lane.training = *id;
        // The program's own sync, at the program's own pace.
        lane.sync = std::make_unique<ServerClubSync>(*lane.diary);
        lane.sync->setServer(server.login(lane.login, kLanePassword, database));
    }
    const auto allConnected = [&] {
        return std::all_of(lanes.begin(), lanes.end(), [](const Lane& lane) {
            return lane.sync->state().connected && lane.sync->state().waiting == 0;
        });
    };
    if (!waitFor(allConnected, std::chrono::seconds(60))) {
        result.problem = u"Nicht alle Bahnen erreichen den Server: "_s;
        for (const Lane& lane : lanes)
            if (!lane.sync->state().connected)
                result.problem += lane.login + u": "_s + lane.sync->state().problem + u' ';
        return result;
    }

    // Lane i enters its series k at k intervals plus i/lanes of one.
    const Clock::time_point start = Clock::now();
    const auto interval = std::chrono::milliseconds(plan.intervalMs);
    for (int k = 0; k < plan.series; ++k)
        for (int i = 0; i < plan.lanes; ++i) {
            Lane& lane = lanes[size_t(i)];
            waitUntil(start + k * interval + i * interval / plan.lanes);
            if (!lane.diary->saveSeries(lane.training, loadSeries(k + 1))) {
                result.problem = lane.diary->problem();
                return result;
            }
            lane.saved.push_back(Clock::now());
        }
    const int expected = plan.lanes * plan.series;
    waitFor([&] { return coach.heard().size() >= expected; }, std::chrono::seconds(60));
    const QHash<QString, Clock::time_point> heard = coach.heard();
    for (const Lane& lane : lanes)
        for (int k = 0; k < plan.series; ++k) {
            const auto it = heard.constFind(SeriesWatcher::key(lane.login, k + 1));
            if (it == heard.constEnd())
                continue;
            ++result.heard;
            result.latencyMs
                << std::chrono::duration<double, std::milli>(*it - lane.saved[size_t(k)]).count();
        }
    std::sort(result.latencyMs.begin(), result.latencyMs.end());
    for (Lane& lane : lanes)
        lane.sync.reset();
    club::Connection reader(coachLogin);
    QSqlQuery q(reader.database());
    if (!q.exec(u"SELECT count(*), count(DISTINCT (training, series, slot)), "
                u"coalesce(round(sum(value)::numeric, 2), 0) FROM ankerblick.shots"_s) ||
        !q.next()) {
        result.problem = u"Die Schüsse lassen sich nicht zählen."_s;
        return result;
    }
    result.shots = q.value(0).toLongLong();
    result.distinctShots = q.value(1).toLongLong();
    result.sum = q.value(2).toDouble();
    if (result.heard < expected)
        result.problem = u"Der Trainer hörte %1 von %2 Serien."_s.arg(result.heard).arg(expected);
    return result;
}

} // namespace ankerblick::test
