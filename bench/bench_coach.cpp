// Figure 17: the coach's view refreshed on a squad of 32 shooters with 60
// shots each (one training of six series of ten, calls rated), on a
// PostgreSQL server of the benchmark's own on loopback (tests/support's
// PgServer): the squad's figures read as a coach (club::readSquad, as the
// reader does after the server's notice) and shown in the "Trainer" window,
// against one bare SELECT of every series' and every shot's columns, and
// against the goal of 200 ms. Runs on the offscreen platform.
//
// Usage: ankerblick_bench_coach [--rows=FILE] [Google Benchmark options]
// Writes one tab-separated row per figure (figure, ours, limit, ratio, goal,
// verdict) to FILE, as ankerblick_bench does.

#include "benchreport.h"

#include "features/club/coachwindow.h"
#include "platform/clubcoach.h"
#include "platform/clubconnection.h"
#include "platform/clubschema.h"
#include "platform/clubupload.h"
#include "support/pgserver.h"

#include <QApplication>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableWidget>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

using namespace ankerblick;
using namespace ankerblick::bench;
using namespace Qt::StringLiterals;

namespace {

constexpr int kShooters = 32;
constexpr int kSeries = 6;
constexpr int kShots = 10;
constexpr double kGoalMs = 200.0;
const QString kDatabase = u"verein_messung"_s;
const QString kPassword = u"Mess-Passwort 1"_s;

struct Club {
    test::PgServer server;
    std::unique_ptr<club::Connection> coach;
    std::unique_ptr<ServerClubReader> reader;
    std::unique_ptr<CoachWindow> window;
    QString problem;
};
std::unique_ptr<Club> g_club;

club::Upload trainingOf(int shooter) {
    club::Upload up;
    up.lane = QUuid::createUuid();
    up.training.id = 1;
    up.training.shooter = u"Schütze %1"_s.arg(shooter);
    up.training.discipline = 0;
    up.training.window = u"Form1"_s;
    up.training.start = QDateTime::currentDateTimeUtc().addSecs(-3600);
    for (int n = 1; n <= kSeries; ++n) {
        diary::Series s;
        s.number = n;
        s.time = up.training.start.addSecs(60 * n);
        for (int i = 0; i < kShots; ++i) {
            diary::Shot shot;
            shot.slot = i;
            shot.hit = {0.5 * i - 2.0, 1.5 - 0.3 * i};
            shot.call = group::PointMm{0.4 * i - 1.5, 1.0 - 0.2 * i};
            shot.value = 10.9 - 0.2 * i;
            shot.callValue = 10.5 - 0.1 * i;
            shot.rating = i % 3 == 0 ? 5 : 10;
            shot.sekMm = 100 + 10 * i;
            s.shots << shot;
            s.record.hitLeft[size_t(i)] = qint16(100 + i);
        }
        up.series << club::SeriesRevision{s, 1};
    }
    return up;
}

// The server, the club's tables, 32 shooters with their trainings and a coach.
bool setUpClub(Club& c) {
    if (!c.server.create() || !c.server.createDatabase(kDatabase)) {
        c.problem = c.server.error();
        return false;
    }
    club::Connection owner(c.server.ownerUrl(kDatabase));
    QSqlDatabase db = owner.database();
    if (!owner.isOpen() || !club::setUp(db).ok) {
        c.problem = owner.isOpen() ? u"setUp"_s : owner.problem();
        return false;
    }
    for (int i = 1; i <= kShooters; ++i) {
        const QString login = u"schuetze%1"_s.arg(i);
        if (const QString p = club::addLogin(db, login, kPassword, club::LoginKind::Shooter);
            !p.isEmpty()) {
            c.problem = p;
            return false;
        }
        club::Connection lane(c.server.url(login, kPassword, kDatabase));
        QSqlDatabase laneDb = lane.database();
        const club::UploadResult sent = club::upload(laneDb, trainingOf(i));
        if (!lane.isOpen() || !sent.ok) {
            c.problem = lane.isOpen() ? sent.problem : lane.problem();
            return false;
        }
    }
    if (const QString p = club::addLogin(db, u"trainer"_s, kPassword, club::LoginKind::Coach);
        !p.isEmpty()) {
        c.problem = p;
        return false;
    }
    c.coach = std::make_unique<club::Connection>(c.server.url(u"trainer"_s, kPassword, kDatabase));
    if (!c.coach->isOpen()) {
        c.problem = c.coach->problem();
        return false;
    }
    c.reader = std::make_unique<ServerClubReader>();
    c.window = std::make_unique<CoachWindow>(*c.reader);
    c.window->show();
    return true;
}

// The refresh: the squad read as a coach and shown, the first shooter
// chosen so that the trainings and the charts are filled as well.
void refreshOurs(benchmark::State& state) {
    QSqlDatabase db = g_club->coach->database();
    auto* shooters = g_club->window->findChild<QTableWidget*>(u"TrainerSchuetzen"_s);
    for (auto _ : state) {
        QString problem;
        club::Statements sql(db);
        const std::optional<club::Squad> squad = club::readSquad(sql, &problem);
        if (!squad || squad->shooters.size() != kShooters) {
            state.SkipWithError(problem.isEmpty() ? "not 32 shooters" : qPrintable(problem));
            return;
        }
        g_club->window->showSquad(*squad);
        if (shooters->currentRow() != 0)
            shooters->selectRow(0);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(shooters->rowCount());
    }
}

// The bare reading: every column of every series and shot, each value taken.
void selectLimit(benchmark::State& state) {
    QSqlDatabase db = g_club->coach->database();
    for (auto _ : state) {
        double sum = 0.0;
        for (const QString& statement :
             {u"SELECT * FROM ankerblick.series"_s, u"SELECT * FROM ankerblick.shots"_s}) {
            QSqlQuery q(db);
            q.setForwardOnly(true);
            if (!q.exec(statement)) {
                state.SkipWithError("SELECT");
                return;
            }
            const int columns = q.record().count();
            while (q.next())
                for (int i = 0; i < columns; ++i)
                    sum += q.value(i).toDouble();
        }
        benchmark::DoNotOptimize(sum);
    }
}

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> args;
    const std::string rowsPath = takeRowsPath(argc, argv, args);
    int count = int(args.size());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(count, args.data());
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    g_club = std::make_unique<Club>();
    if (!setUpClub(*g_club)) {
        std::fprintf(stderr, "Der Vereinsserver der Messung: %s\n", qPrintable(g_club->problem));
        return 1;
    }
    add("coach_refresh", refreshOurs);
    add("coach_select", selectLimit);
    MedianCollector collector;
    if (!runAll(count, args, collector))
        return 2;
    for (const auto& [name, message] : collector.errors)
        std::fprintf(stderr, "%s: %s\n", name.c_str(), message.c_str());
    std::FILE* out = rowsPath.empty() ? stdout : std::fopen(rowsPath.c_str(), "a");
    if (!out) {
        std::perror(rowsPath.c_str());
        return 1;
    }
    const auto& m = collector.medians;
    if (m.count("coach_refresh")) {
        writeRow(out, "17 coach's view refresh, 32 shooters x 60 shots, vs 200 ms",
                 m.at("coach_refresh"), kGoalMs, 1);
        if (m.count("coach_select"))
            writeRow(out, "17 the same vs bare SELECT of all series and shots",
                     m.at("coach_refresh"), m.at("coach_select"), 3);
    }
    if (out != stdout)
        std::fclose(out);
    g_club.reset();
    return collector.errors.empty() ? 0 : 1;
}
