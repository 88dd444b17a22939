// Figures 15-16: the club's server, on a PostgreSQL server of the bench's
// own on loopback. 15: one series of five shots sent with club::upload (a
// new revision each time, so that it is written), against a bare one-row
// INSERT round trip on a connection of the same kind. 16: a squad of 32
// lanes (the program's diary and sync each) entering a series every 20 s
// for 10 minutes while a coach listens: how long after the lane's diary got
// a series the coach heard of it, median and 99th percentile.
//
// BENCH_CLUB_SERIES=n shortens the squad's training to n series a lane.

#include "benchreport.h"

#include "platform/clubconnection.h"
#include "platform/clubschema.h"
#include "platform/clubupload.h"
#include "support/clubload.h"
#include "support/pgserver.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

using namespace ankerblick;
using namespace ankerblick::bench;
using namespace Qt::StringLiterals;

namespace {

const QString kPassword = u"Bahn-Passwort 3"_s;
test::PgServer* g_server = nullptr;
std::unique_ptr<club::Connection> g_lane;

club::Upload seriesUpload(qint64 revision) {
    static const QUuid lane = QUuid::createUuid();
    club::Upload upload;
    upload.lane = lane;
    upload.training.id = 1;
    upload.training.shooter = u"Bahn"_s;
    upload.training.discipline = 0;
    upload.training.window = u"Form1"_s;
    upload.training.start = QDateTime(QDate(2026, 3, 2), QTime(9, 0), Qt::UTC);
    diary::Series s;
    s.number = 1;
    s.time = upload.training.start.addSecs(revision);
    const double values[] = {10.9, 10.0, 9.8, 9.1, 8.7};
    for (int i = 0; i < 5; ++i) {
        diary::Shot shot;
        shot.slot = i;
        shot.hit = {0.5 * i + double(revision % 7), -1.5 * i};
        shot.value = values[i];
        s.shots << shot;
        s.record.hitLeft[size_t(i)] = qint16(100 + i);
    }
    upload.series = {{s, revision}};
    return upload;
}

void uploadOurs(benchmark::State& state) {
    static qint64 revision = 0;
    QSqlDatabase db = g_lane->database();
    for (auto _ : state) {
        const club::UploadResult sent = club::upload(db, seriesUpload(++revision));
        if (!sent.ok || sent.seriesWritten != 1) {
            state.SkipWithError(qPrintable(sent.problem));
            break;
        }
    }
}

void insertLimit(benchmark::State& state) {
    static qint64 row = 0;
    QSqlDatabase db = g_lane->database();
    for (auto _ : state) {
        QSqlQuery q(db);
        q.prepare(u"INSERT INTO bahn_zeilen (id) VALUES (?)"_s);
        q.bindValue(0, ++row);
        if (!q.exec()) {
            state.SkipWithError("INSERT");
            break;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> args;
    const std::string rowsPath = takeRowsPath(argc, argv, args);
    int count = int(args.size());
    QCoreApplication app(count, args.data());
    test::PgServer server;
    if (!server.create() || !server.createDatabase(u"verein_messung"_s)) {
        std::fprintf(stderr, "%s\n", qPrintable(server.error()));
        return 1;
    }
    g_server = &server;
    {
        club::Connection owner(server.ownerUrl(u"verein_messung"_s));
        QSqlDatabase db = owner.database();
        QSqlQuery scratch(db);
        if (!club::setUp(db).ok ||
            !club::addLogin(db, u"bahn"_s, kPassword, club::LoginKind::Shooter).isEmpty() ||
            !scratch.exec(u"CREATE TABLE bahn_zeilen (id bigint PRIMARY KEY)"_s) ||
            !scratch.exec(u"GRANT INSERT ON bahn_zeilen TO bahn"_s)) {
            std::fprintf(stderr, "Der Verein lässt sich nicht einrichten.\n");
            return 1;
        }
    }
    g_lane =
        std::make_unique<club::Connection>(server.url(u"bahn"_s, kPassword, u"verein_messung"_s));
    if (!g_lane->isOpen()) {
        std::fprintf(stderr, "%s\n", qPrintable(g_lane->problem()));
        return 1;
    }
    add("upload", uploadOurs)->Iterations(200);
    add("insert", insertLimit)->Iterations(200);
    MedianCollector collector;
    if (!runAll(count, args, collector))
        return 2;
    for (const auto& [name, message] : collector.errors)
        std::fprintf(stderr, "%s: %s\n", name.c_str(), message.c_str());
    g_lane.reset();

    test::ClubLoadPlan plan{32, 30, 20000};
    if (const int series = qEnvironmentVariableIntValue("BENCH_CLUB_SERIES"); series > 0)
        plan.series = series;
    std::fprintf(stderr, "%d Bahnen, je %d Serien alle %d s ...\n", plan.lanes, plan.series,
                 plan.intervalMs / 1000);
    QTemporaryDir folder;
    const test::ClubLoadResult load =
        test::runClubLoad(server, u"verein_last"_s, plan, folder.path());
    const qint64 expected = qint64(plan.lanes) * plan.series * test::kLoadShotsPerSeries;
    if (!load.problem.isEmpty() || load.shots != expected || load.distinctShots != expected) {
        std::fprintf(stderr, "Lastlauf: %s; %lld Schüsse, %lld verschiedene, %lld erwartet\n",
                     qPrintable(load.problem), static_cast<long long>(load.shots),
                     static_cast<long long>(load.distinctShots), static_cast<long long>(expected));
        return 1;
    }

    std::FILE* out = rowsPath.empty() ? stdout : std::fopen(rowsPath.c_str(), "a");
    if (!out) {
        std::perror(rowsPath.c_str());
        return 1;
    }
    const auto& m = collector.medians;
    if (m.count("upload")) {
        writeRow(out, "15 upload one series (5 shots) on loopback", m.at("upload"), 20, 1);
        if (m.count("insert"))
            writeRow(out, "15 the same vs a bare one-row INSERT round trip", m.at("upload"),
                     m.at("insert"), 30);
    }
    writeRow(out, "16 32 lanes: coach hears a series, median", load.median(), 1000, 1);
    writeRow(out, "16 32 lanes: coach hears a series, 99th percentile", load.percentile99(), 2000,
             1);
    if (out != stdout)
        std::fclose(out);
    return collector.errors.empty() ? 0 : 1;
}
