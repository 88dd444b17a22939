#include "features/diary/diaryimport.h"
#include "files/seriesfile.h"
#include "platform/diaryoutbox.h"
#include "platform/sqlitediary.h"
#include "platform/sqlitediaryschema.h"
#include "sheets/diaryrecorder.h"
#include "sheets/diaryseries.h"
#include "sheets/entrysheet.h"
#include "support/fakeclock.h"
#include "support/fulldisk.h"
#include "support/memorydiary.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <memory>
#include <thread>

using namespace ankerblick;
using namespace ankerblick::diary;
using ankerblick::test::FullDisk;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ankerblick::diary::Training)
Q_DECLARE_METATYPE(ankerblick::diary::Series)
Q_DECLARE_METATYPE(ankerblick::diary::Filter)

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);

QDateTime at(int day, int hour, int minute) {
    return QDateTime(QDate(2026, 3, day), QTime(hour, minute));
}

Training trainingOf(const QString& shooter, int discipline, const QDateTime& start) {
    Training t;
    t.shooter = shooter;
    t.discipline = discipline;
    t.window = u"Form1"_s;
    t.start = start;
    t.end = start.addSecs(3600);
    t.comments = u"Serie: 1 Schuss: 1: ruhig\r\n"_s;
    t.shotTimes = u"Serie:1 Schuss:1: 8,4\r\n"_s;
    t.shootingTimes = u"Serie:1 Schuss:1: 12\r\n"_s;
    return t;
}

Shot hit(int slot, double x, double y, std::optional<double> value) {
    Shot s;
    s.slot = slot;
    s.hit = {x, y};
    s.value = value;
    return s;
}

Shot called(Shot s, double x, double y, double callValue, int rating, qint32 sekMm) {
    s.call = group::PointMm{x, y};
    s.callValue = callValue;
    s.rating = rating;
    s.sekMm = sekMm;
    return s;
}

// A series whose record holds a mark for each of its shots.
Series seriesOf(int number, const QList<Shot>& shots, const QDateTime& time) {
    Series s{number, {}, shots, time};
    for (const Shot& shot : shots) {
        const auto i = size_t(shot.slot);
        s.record.hitLeft[i] = qint16(100 + shot.slot);
        s.record.hitTop[i] = qint16(-7 - shot.slot);
        s.record.lineX2[i] = qint16(32767 - shot.slot);
        if (shot.call)
            s.record.callLeft[i] = qint16(-32768 + shot.slot);
    }
    return s;
}

Series valued(int number, const QList<std::optional<double>>& values, const QDateTime& time) {
    QList<Shot> shots;
    for (int i = 0; i < int(values.size()); ++i)
        shots << hit(i, i * 1.5, -i * 0.25, values[i]);
    return seriesOf(number, shots, time);
}

QString number(double v) {
    return QString::number(v, 'g', 12);
}

QString histogramText(const std::map<int, int>& counts) {
    QStringList parts;
    for (const auto& [tenths, count] : counts)
        parts << u"%1:%2"_s.arg(tenths).arg(count);
    return parts.join(u' ');
}

QString shotText(const Shot& s) {
    return u"%1 %2/%3 %4 %5 %6 %7 %8 %9 %10 %11"_s.arg(s.slot)
        .arg(number(s.hit.x), number(s.hit.y),
             s.call ? number(s.call->x) + u'/' + number(s.call->y) : u"-"_s,
             s.value ? number(*s.value) : u"-"_s, s.callValue ? number(*s.callValue) : u"-"_s,
             s.rating ? QString::number(*s.rating) : u"-"_s,
             s.sekMm ? QString::number(*s.sekMm) : u"-"_s,
             s.shotTime ? number(*s.shotTime) : u"-"_s)
        .arg(s.shootingTime ? number(*s.shootingTime) : u"-"_s, s.comment);
}

QString summaryText(const TrainingSummary& s) {
    const Training& t = s.training;
    const auto opt = [](const std::optional<double>& v) {
        return v ? number(*v) : u"-"_s;
    };
    return u"T%1 %2 %3 %4 %5-%6 %7 %8 %9 | %10 %11 %12 %13 %14 %15 %16 %17"_s.arg(t.id)
        .arg(t.shooter)
        .arg(t.discipline)
        .arg(t.window)
        .arg(t.start.toMSecsSinceEpoch())
        .arg(t.end ? QString::number(t.end->toMSecsSinceEpoch()) : u"offen"_s, t.comments,
             t.shotTimes, t.shootingTimes)
        .arg(s.series)
        .arg(s.shots)
        .arg(number(s.meanSumWhole), number(s.meanSumTenths), opt(s.call10Share), opt(s.meanSekMm),
             s.mpi ? number(s.mpi->x) + u'/' + number(s.mpi->y) : u"-"_s, opt(s.meanGroupSize));
}

// Everything a diary answers, as text: two diaries that answer alike give
// the same lines.
QStringList answersOf(const Diary& d) {
    QStringList lines;
    for (const TrainingSummary& s : d.trainings({})) {
        lines << summaryText(s);
        for (const Series& series : d.seriesOf(s.training.id)) {
            lines << u"  S%1 %2"_s.arg(series.number).arg(series.time.toMSecsSinceEpoch());
            for (const Shot& shot : series.shots)
                lines << u"    "_s + shotText(shot);
        }
    }
    for (const SeriesSummary& s : d.seriesSummaries({}))
        lines << u"Z T%1 S%2 %3 %4 %5 %6"_s.arg(s.training)
                     .arg(s.number)
                     .arg(s.figures.shots)
                     .arg(number(s.figures.sumTenths), number(s.figures.groupSize),
                          number(s.figures.mpi.x));
    for (const ShotRow& r : d.shotRows({}))
        lines << u"R T%1 %2 S%3 %4"_s.arg(r.training).arg(r.shooter).arg(r.series).arg(r.shot.slot);
    for (const Training& t : d.unfinishedTrainings())
        lines << u"offen T%1, %2 gehalten"_s.arg(t.id).arg(t.heldHits.size());
    lines << u"H "_s + histogramText(d.valueHistogram({}));
    lines << u"Schützen "_s + d.shooters().join(u',');
    return lines;
}

QByteArray hashOf(int n) {
    return QCryptographicHash::hash(QByteArray::number(n), QCryptographicHash::Sha256);
}

// A scripted session of writes; each result goes to the log.
void runScript(Diary& d, int script, QStringList& log) {
    // The reasons differ in their words, not in whether there is one.
    const auto reason = [&] {
        return d.problem().isEmpty() ? QString() : u", mit Grund"_s;
    };
    const auto id = [&](const std::optional<qint64>& v) {
        log << (v ? u"id %1"_s.arg(*v) : u"keine id"_s) + reason();
        return v.value_or(-1);
    };
    const auto ok = [&](bool v) {
        log << (v ? u"ok"_s : u"fehlgeschlagen"_s) + reason();
    };
    const qint64 a = id(d.beginTraining(trainingOf(u"Özdemir"_s, 0, at(2, 9, 0))));
    const qint64 b = id(d.beginTraining(trainingOf(u"Otto"_s, 1, at(1, 9, 0))));
    ok(d.saveSeries(a, valued(1, {10.9, 9.4, std::nullopt}, at(2, 9, 5))));
    ok(d.saveSeries(a, valued(2, {8.0, 7.2}, at(2, 9, 10))));
    ok(d.saveSeries(b, valued(1, {5.5}, at(1, 9, 5))));
    if (script == 0) {
        ok(d.saveSeries(a, valued(2, {10.0, 10.1, 10.2}, at(2, 9, 12)))); // replaced
        ok(d.saveSeries(a, valued(3, {9.0}, at(2, 9, 15))));
        ok(d.saveSeries(a, valued(1, {}, at(2, 9, 16))));       // emptied: removed
        Training ended = trainingOf(u"Anna"_s, 2, at(9, 9, 9)); // start and window stay
        ended.id = b;
        ended.window = u"Schusseingabe"_s;
        ended.end.reset();
        ok(d.updateTraining(ended));
        // One event: a held hit, series 1 written again, series 4 new, none above 4.
        Training held = trainingOf(u"Özdemir"_s, 0, at(2, 9, 0));
        held.id = a;
        held.end.reset();
        held.heldHits = {{1.5f, -2.0f}};
        ok(d.recordChanges(held, {valued(1, {9.9}, at(2, 9, 20)), valued(4, {7.0}, at(2, 9, 21))},
                           4));
        ok(d.recordChanges(held, {valued(1, {9.9}, at(2, 9, 20))}, 1)); // series 2 to 4 removed
    } else if (script == 1) {
        id(d.beginTraining(trainingOf(u"Otto"_s, 3, at(3, 9, 0))));
        id(d.importTraining(trainingOf(u"Imre"_s, 0, at(4, 9, 0)), {valued(1, {9.9}, at(4, 9, 0))},
                            hashOf(1)));
        ok(d.isImported(hashOf(1)));
        ok(d.isImported(hashOf(2)));
        id(d.importTraining(trainingOf(u"Imre"_s, 0, at(4, 9, 0)), {}, hashOf(1))); // taken in
    } else {
        Training unknown = trainingOf(u"Niemand"_s, 0, at(5, 9, 0));
        unknown.id = 999;
        ok(d.updateTraining(unknown));
        ok(d.saveSeries(999, valued(1, {9.0}, at(5, 9, 0))));
        ok(d.saveSeries(999, valued(1, {}, at(5, 9, 0))));
        ok(d.recordChanges(unknown, {valued(1, {9.0}, at(5, 9, 0))}, 1));
        id(d.importTraining(trainingOf(u"Imre"_s, 0, at(4, 9, 0)), {}, hashOf(2)));
        id(d.importTraining(trainingOf(u"Imre"_s, 0, at(4, 9, 0)), {}, hashOf(2)));
    }
    log << answersOf(d);
}

// A diary as the first version wrote it: trainings, series and shots without
// comments, figures and imports; training 7 (FP-SP-100m) with series 3 of
// two shots, the second an inner ten: its 11-unit mark centred at 243,5/227,5,
// 0,36 mm from the centre. Then brought to `version` by the program's own
// steps. Empty, or what went wrong.
QString writeVersion(const QString& path, qint64 start, int version) {
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"version1"_s);
    db.setDatabaseName(path);
    QByteArray record(160, '\0');
    record[0] = char(100); // hit left of slots 0 and 1
    record[2] = char(238);
    record[20] = char(90); // hit top of slots 0 and 1
    record[22] = char(222);
    const QStringList statements{
        u"CREATE TABLE trainings (id INTEGER PRIMARY KEY AUTOINCREMENT, shooter TEXT, "
        u"discipline INTEGER NOT NULL, window TEXT, started INTEGER, ended INTEGER, "
        u"comments TEXT, shot_times TEXT, shooting_times TEXT)"_s,
        u"CREATE TABLE series (id INTEGER PRIMARY KEY, training INTEGER NOT NULL "
        u"REFERENCES trainings (id) ON DELETE CASCADE, number INTEGER NOT NULL, "
        u"time INTEGER, record BLOB NOT NULL, UNIQUE (training, number))"_s,
        u"CREATE TABLE shots (series INTEGER NOT NULL REFERENCES series (id) ON DELETE "
        u"CASCADE, slot INTEGER NOT NULL, hit_x REAL NOT NULL, hit_y REAL NOT NULL, "
        u"call_x REAL, call_y REAL, value REAL, call_value REAL, rating INTEGER, "
        u"sekmm INTEGER, shot_time REAL, shooting_time REAL, PRIMARY KEY (series, slot))"_s,
        u"INSERT INTO trainings VALUES (7, 'Jörg', 1, 'Form1', %1, %1, 'K', 'S', 'Z')"_s.arg(start),
        u"INSERT INTO series VALUES (3, 7, 1, %1, ?)"_s.arg(start + 60000),
        u"INSERT INTO shots VALUES (3, 0, 1.0, 2.0, 0.5, 0.5, 9.7, 10.1, 10, 4, NULL, 3.5)"_s,
        u"INSERT INTO shots VALUES (3, 1, -0.26, 0.26, NULL, NULL, 10.6, NULL, NULL, NULL, "
        u"NULL, NULL)"_s,
        u"PRAGMA user_version = 1"_s};
    QString error = db.open() ? QString() : db.lastError().text();
    QSqlQuery q(db);
    for (const QString& statement : statements) {
        if (!error.isEmpty())
            break;
        if (q.prepare(statement)) {
            if (statement.contains(u'?'))
                q.addBindValue(record);
            if (q.exec())
                continue;
        }
        error = q.lastError().text();
    }
    q = QSqlQuery();
    if (error.isEmpty()) {
        sqlitediary::Sql sql(db);
        if (!sqlitediary::migrate(sql, 1, version))
            error = sql.reason();
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(u"version1"_s);
    return error;
}

enum class Write { Begin, Update, Record, Save, Import };

bool attempt(Diary& d, Write write, qint64 training) {
    switch (write) {
    case Write::Begin:
        return d.beginTraining(trainingOf(u"Neu"_s, 0, at(6, 9, 0))).has_value();
    case Write::Update: {
        Training t = trainingOf(u"Geändert"_s, 1, at(6, 9, 0));
        t.id = training;
        return d.updateTraining(t);
    }
    case Write::Record: {
        // Its steps are one write: none of them may stay.
        Training t = trainingOf(u"Geändert"_s, 1, at(6, 9, 0));
        t.id = training;
        t.heldHits = {{250.0f, 230.5f}};
        return d.recordChanges(t, {valued(1, {1.0}, at(6, 9, 0)), valued(2, {2.0}, at(6, 9, 0))},
                               1);
    }
    case Write::Save:
        return d.saveSeries(training, valued(1, {1.0}, at(6, 9, 0)));
    case Write::Import:
        return d.importTraining(trainingOf(u"Neu"_s, 0, at(6, 9, 0)), {}, hashOf(3)).has_value();
    }
    return true;
}

// The stored lines of the test data folder, or a file of the given bytes in `dir`.
QString placeFile(const QTemporaryDir& dir, const QString& source, const QString& copyAs,
                  const QByteArray& content) {
    const QString data = QStringLiteral(ANKERBLICK_TEST_DATA);
    if (copyAs.isEmpty())
        return source.isEmpty() ? data : data + u'/' + source;
    const QString path = dir.filePath(copyAs);
    if (!content.isEmpty()) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
            return {};
    } else if (!QFile::copy(data + u'/' + source, path)) {
        return {};
    }
    return path;
}

} // namespace

class TestDiary : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void migration_data();
    void migration();
    void revisions_data();
    void revisions();
    void aFailedReadSendsNothing();
    void savesWhileTheSyncMarks();
    void sightersNotCounted_data();
    void sightersNotCounted();
    void innerTenAtItsEdge_data();
    void innerTenAtItsEdge();
    void damagedFileMovedAside_data();
    void damagedFileMovedAside();
    void failedWrites_data();
    void failedWrites();
    void filters_data();
    void filters();
    void sameAnswers_data();
    void sameAnswers();
    void importFiles_data();
    void importFiles();
    void importedShots_data();
    void importedShots();
    void shooterFromFileName_data();
    void shooterFromFileName();
    void recorderWritesWhatTheSheetNotes_data();
    void recorderWritesWhatTheSheetNotes();
};

void TestDiary::roundTrip_data() {
    QTest::addColumn<Training>("training");
    QTest::addColumn<Series>("series");
    QTest::addColumn<double>("sumWhole");
    QTest::addColumn<QList<double>>("calls"); // rated, rated 10, Sek*mm

    const Training t = trainingOf(u"Anna"_s, 0, at(1, 18, 30));
    QTest::newRow("mit Ansagen") << t
                                 << seriesOf(
                                        1,
                                        {called(hit(0, 1.25, -0.5, 10.9), 0.5, 0.5, 10.4, 10, 2),
                                         called(hit(1, -3.0, 2.0, 9.5), -2.0, 2.5, 9.8, 5, 18),
                                         called(hit(2, 4.0, 4.0, 8.0), -20.0, 15.0, 3.2, 0, 250),
                                         hit(3, 0, 0, 10.9)},
                                        at(1, 18, 35))
                                 << 37.0 << QList<double>{3, 1, 270};
    Training entry = t;
    entry.window = u"Schusseingabe"_s;
    QTest::newRow("ohne Ansagen") << entry
                                  << seriesOf(4, {hit(0, 0.1, 0.2, 10.0), hit(9, -1, -1, 0.0)},
                                              at(1, 19, 0))
                                  << 10.0 << QList<double>{0, 0, 0};
    Shot timed = hit(5, 60.0, -70.0, std::nullopt); // off the target: no value
    timed.shotTime = 8.4;
    timed.shootingTime = 12.0;
    QTest::newRow("nicht wertbar") << t << seriesOf(2, {hit(4, 1, 1, 9.9), timed}, at(1, 20, 0))
                                   << 9.0 << QList<double>{0, 0, 0};
    Training texts = trainingOf(u"Jörg Müßig"_s, 3, at(2, 7, 0));
    texts.end.reset();
    texts.comments = u"Serie: 1 Schuss: 1: Abzug „gerissen“ – 5 € Wette, Größe\r\n"_s;
    Shot noted = hit(0, 2, 2, 7.7);
    noted.comment = u"Abzug „gerissen“ – 5 € Wette, Größe"_s;
    Training held = texts;
    held.heldHits = {{244.0f, 228.0f}, {-12.25f, 31000.5f}};
    QTest::newRow("gehaltene Treffer")
        << held << seriesOf(1, {noted}, at(2, 7, 1)) << 7.0 << QList<double>{0, 0, 0};
    QTest::newRow("Umlaute") << texts << seriesOf(1, {noted}, at(2, 7, 1)) << 7.0
                             << QList<double>{0, 0, 0};
    Training match = trainingOf(u"Lea"_s, int(Discipline::LG10m), at(3, 8, 0));
    match.calibreMm = 4.5;
    match.program = u"LG 60 Schuss"_s;
    Shot inner = hit(0, 0.1, 0.0, 10.9);
    inner.innerTen = true;
    QTest::newRow("Wettkampf mit Innenzehner")
        << match << seriesOf(1, {inner, hit(1, 3, 3, 9.4)}, at(3, 8, 5)) << 19.0
        << QList<double>{0, 0, 0};
}

void TestDiary::roundTrip() {
    QFETCH(Training, training);
    QFETCH(Series, series);
    QFETCH(double, sumWhole);
    QFETCH(QList<double>, calls);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"neu/Ankerblick/tagebuch.sqlite"_s); // folders created
    {
        SqliteDiary d(path);
        QCOMPARE(d.openingNotice(), QString());
        training.id = d.beginTraining(training).value_or(0);
        QVERIFY2(d.saveSeries(training.id, series), qPrintable(d.problem()));
    }
    SqliteDiary d(path); // read back from the file, not from what the object kept
    QCOMPARE(d.training(training.id), std::optional<Training>(training));
    const QList<Series> read = d.seriesOf(training.id);
    QCOMPARE(read.size(), 1);
    QCOMPARE(read[0].shots, series.shots);
    QVERIFY(read[0] == series);
    const SeriesFigures figures = figuresOf(series.shots);
    QCOMPARE(figures.sumWhole, sumWhole);
    QCOMPARE((QList<double>{double(figures.callsRated), double(figures.calls10), figures.sekMmSum}),
             calls);
    const QList<SeriesSummary> summaries = d.seriesSummaries({});
    QCOMPARE(summaries.size(), 1);
    QCOMPARE(summaries[0].figures, figures);
    QCOMPARE(summaries[0].time, series.time);
    const QList<TrainingSummary> rows = d.trainings({});
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].training, training);
    QCOMPARE(rows[0].shots, int(series.shots.size()));
    QCOMPARE(d.unfinishedTrainings().size(), training.end ? 0 : 1);
    QCOMPARE(d.shooters(), QStringList{training.shooter});
}

void TestDiary::migration_data() {
    QTest::addColumn<int>("version");
    for (int version = 1; version < SqliteDiary::kSchemaVersion; ++version)
        QTest::addRow("von Version %d", version) << version;
}

// An earlier version's diary opened by this one: the data survive and the
// new columns and tables work.
void TestDiary::migration() {
    QFETCH(int, version);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"tagebuch.sqlite"_s);
    const qint64 start = at(3, 10, 0).toMSecsSinceEpoch();
    const QString error = writeVersion(path, start, version);
    QVERIFY2(error.isEmpty(), qPrintable(error));

    SqliteDiary d(path);
    QCOMPARE(d.openingNotice(), QString());
    const QList<Series> series = d.seriesOf(7);
    QCOMPARE(series.size(), 1);
    QCOMPARE(series[0].record.hitLeft[1], qint16(238));
    QCOMPARE(series[0].record.hitTop[0], qint16(90));
    QCOMPARE(series[0].shots.size(), 2);
    QCOMPARE(series[0].shots[0].sekMm, std::optional<qint32>(4));
    QCOMPARE(series[0].shots[1].comment, QString());
    // Free trainings at the discipline's standard calibre, no sighting series,
    // the inner ten found from its mark.
    QCOMPARE(series[0].sighter, false);
    QCOMPARE(series[0].shots[0].innerTen, false);
    QCOMPARE(series[0].shots[1].innerTen, true);
    QCOMPARE(d.training(7)->calibreMm, 5.6);
    QCOMPARE(d.training(7)->program, QString());
    // The figures the new columns hold were computed from the old shots.
    const QList<TrainingSummary> rows = d.trainings({});
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].training.shooter, u"Jörg"_s);
    QCOMPARE(rows[0].shots, 2);
    QCOMPARE(rows[0].meanSumTenths, 9.7 + 10.6);
    QCOMPARE(rows[0].call10Share, std::optional<double>(1.0));
    QCOMPARE(rows[0].innerTens, 1);
    QCOMPARE(d.seriesSummaries({}).value(0).figures, figuresOf(series[0].shots));
    // The counts by value the newest version keeps with each training.
    QCOMPARE(histogramText(d.valueHistogram({})), histogramText({{97, 1}, {106, 1}}));
    // And the new tables take writes.
    QVERIFY(d.importTraining(trainingOf(u"Neu"_s, 0, at(4, 9, 0)), {}, hashOf(1)));
    QVERIFY(d.saveSeries(7, valued(2, {5.0}, at(3, 10, 5))));
    QCOMPARE(d.trainings({}).value(0).series, 2);
    // The old trainings hold no target hits; the new column takes them.
    Training old = *d.training(7);
    QCOMPARE(old.heldHits, QList<PointF>());
    old.heldHits = {{10.0f, 20.5f}};
    old.calibreMm = 5.0;
    old.program = u"Präzision 30"_s;
    QVERIFY(d.updateTraining(old));
    QCOMPARE(d.training(7), std::optional<Training>(old));
    // The diary got an identity of its own; its old series wait for the
    // club's server at their first revision, the new one (series 2) too.
    DiaryOutbox outbox(path);
    QVERIFY(!outbox.lane().isNull());
    const QList<club::Upload> waiting = outbox.waiting(10).value();
    QCOMPARE(waiting.size(), 2); // and the training imported above, without series
    QCOMPARE(waiting[0].training.id, 7);
    QCOMPARE(waiting[0].series.size(), 2);
    QCOMPARE(waiting[0].series[0].revision, 1);
    QCOMPARE(waiting[0].series[0].series.shots.size(), 2);
}

void TestDiary::revisions_data() {
    QTest::addColumn<int>("change");
    // What waits after the change: series number and revision, and its shots.
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QList<int>>("revisions");
    QTest::addColumn<QList<int>>("shots");
    QTest::addColumn<bool>("trainingWaits"); // also without a series
    QTest::newRow("verschoben") << 0 << QList<int>{1} << QList<int>{2} << QList<int>{2} << true;
    QTest::newRow("zurückgenommen") << 1 << QList<int>{1} << QList<int>{2} << QList<int>{0} << true;
    QTest::newRow("kommentiert") << 2 << QList<int>{1} << QList<int>{2} << QList<int>{2} << true;
    QTest::newRow("leere Serie, die es nicht gab")
        << 3 << QList<int>{} << QList<int>{} << QList<int>{} << false;
    QTest::newRow("neue Serie") << 4 << QList<int>{2} << QList<int>{1} << QList<int>{1} << true;
    QTest::newRow("noch einmal dasselbe")
        << 6 << QList<int>{} << QList<int>{} << QList<int>{} << false;
    QTest::newRow("zweimal geändert")
        << 5 << QList<int>{1} << QList<int>{3} << QList<int>{1} << true;
    QTest::newRow("Training beendet") << 7 << QList<int>{} << QList<int>{} << QList<int>{} << true;
    QTest::newRow("nur Treffer gehalten")
        << 8 << QList<int>{} << QList<int>{} << QList<int>{} << false;
}

// Series 1 of two shots saved and sent, then one change: what waits for the
// club's server, read again by a new outbox (the program started anew).
// The sync marks what it sent on a connection of its own while the window
// saves series: no save may fail for the other's write in between.
void TestDiary::savesWhileTheSyncMarks() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"tagebuch.sqlite"_s);
    SqliteDiary d(path);
    Training t = trainingOf(u"Ada"_s, 0, at(5, 9, 0));
    t.id = *d.beginTraining(t);
    QVERIFY(d.saveSeries(t.id, valued(1, {9.0}, at(5, 9, 1))));
    std::atomic<bool> done{false};
    std::atomic<int> marked{0};
    std::thread sync([&] {
        DiaryOutbox outbox(path);
        while (!done)
            for (const club::Upload& upload : outbox.waiting(10).value_or(QList<club::Upload>{}))
                if (outbox.markSent(upload))
                    ++marked;
    });
    bool saved = true;
    QString problem;
    for (int n = 2; n <= 120 && saved; ++n) {
        saved = d.saveSeries(t.id, valued(n, {9.0, 8.5}, at(5, 9, 1).addSecs(n)));
        problem = d.problem();
    }
    done = true;
    sync.join();
    QVERIFY2(saved, qPrintable(problem));
    QVERIFY(marked > 0);
}

void TestDiary::revisions() {
    QFETCH(int, change);
    QFETCH(QList<int>, numbers);
    QFETCH(QList<int>, revisions);
    QFETCH(QList<int>, shots);
    QFETCH(bool, trainingWaits);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"tagebuch.sqlite"_s);
    SqliteDiary d(path);
    Training t = trainingOf(u"Ada"_s, 0, at(5, 9, 0));
    t.id = *d.beginTraining(t);
    const Series first = valued(1, {9.0, 10.0}, at(5, 9, 5));
    QVERIFY(d.saveSeries(t.id, first));
    {
        DiaryOutbox outbox(path);
        const QList<club::Upload> waiting = outbox.waiting(10).value();
        QCOMPARE(waiting.size(), 1);
        QCOMPARE(waiting[0].series.value(0).revision, 1);
        QVERIFY(outbox.markSent(waiting[0]));
        QCOMPARE(outbox.waitingCount(), std::optional<int>(0));
    }
    Series changed = first;
    switch (change) {
    case 0:
        changed.shots[1].hit = {3.0, 4.0};
        QVERIFY(d.saveSeries(t.id, changed));
        break;
    case 1:
        QVERIFY(d.recordChanges(t, {}, 0));
        break;
    case 2:
        changed.shots[0].comment = u"gerissen"_s;
        QVERIFY(d.saveSeries(t.id, changed));
        break;
    case 3:
        QVERIFY(d.saveSeries(t.id, Series{2, {}, {}, at(5, 9, 9)}));
        break;
    case 4:
        QVERIFY(d.recordChanges(t, {first, valued(2, {8.0}, at(5, 9, 9))}, 2));
        break;
    case 6:
        QVERIFY(d.saveSeries(t.id, first));
        break;
    case 7:
        t.end = t.start.addSecs(5400);
        QVERIFY(d.updateTraining(t));
        break;
    case 8:
        t.heldHits = {{250.0f, 230.5f}};
        QVERIFY(d.updateTraining(t));
        break;
    case 5: {
        // A change while the first one is on its way keeps waiting.
        changed.shots[1].hit = {3.0, 4.0};
        QVERIFY(d.saveSeries(t.id, changed));
        DiaryOutbox outbox(path);
        const QList<club::Upload> onItsWay = outbox.waiting(10).value();
        QVERIFY(d.saveSeries(t.id, valued(1, {7.0}, at(5, 9, 7))));
        QVERIFY(outbox.markSent(onItsWay.value(0)));
        break;
    }
    }
    DiaryOutbox outbox(path);
    QCOMPARE(outbox.waitingCount(), std::optional<int>(int(numbers.size())));
    const QList<club::Upload> waiting = outbox.waiting(10).value();
    QCOMPARE(waiting.size(), trainingWaits ? 1 : 0);
    QCOMPARE(outbox.anyWaiting(), trainingWaits);
    QList<int> gotNumbers, gotRevisions, gotShots;
    for (const club::Upload& u : waiting) {
        QCOMPARE(u.training.id, t.id);
        QCOMPARE(u.lane, outbox.lane());
        for (const club::SeriesRevision& s : u.series) {
            gotNumbers << s.series.number;
            gotRevisions << int(s.revision);
            gotShots << int(s.series.shots.size());
        }
    }
    QCOMPARE(gotNumbers, numbers);
    QCOMPARE(gotRevisions, revisions);
    QCOMPARE(gotShots, shots);
    // Another diary file is another lane.
    SqliteDiary other(dir.filePath(u"neu.sqlite"_s));
    QVERIFY(other.beginTraining(t));
    DiaryOutbox otherOutbox(dir.filePath(u"neu.sqlite"_s));
    QVERIFY(!otherOutbox.lane().isNull());
    QVERIFY(otherOutbox.lane() != outbox.lane());
}

// A series whose shots cannot be read is not sent without them: the server
// would delete its shots and the series would count as sent.
void TestDiary::aFailedReadSendsNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"tagebuch.sqlite"_s);
    SqliteDiary d(path);
    Training t = trainingOf(u"Ada"_s, 0, at(5, 9, 0));
    t.id = *d.beginTraining(t);
    QVERIFY(d.saveSeries(t.id, valued(1, {9.0, 10.0}, at(5, 9, 5))));
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"damage"_s);
        raw.setDatabaseName(path);
        QVERIFY(raw.open());
        QSqlQuery q(raw);
        QVERIFY2(q.exec(u"ALTER TABLE shots RENAME TO shots_gone"_s),
                 qPrintable(q.lastError().text()));
        raw.close();
    }
    QSqlDatabase::removeDatabase(u"damage"_s);
    DiaryOutbox outbox(path);
    QCOMPARE(outbox.waitingCount(), std::optional<int>(1));
    QVERIFY(!outbox.waiting(10));
}

void TestDiary::sightersNotCounted_data() {
    QTest::addColumn<bool>("database");
    QTest::newRow("Datenbank") << true;
    QTest::newRow("Speicher") << false;
}

// A sighting series of 10,9 (an inner ten) and 9,4 before series of 8,0 and
// 7,2 and of 10,5 (an inner ten): counted are the last two alone.
void TestDiary::sightersNotCounted() {
    QFETCH(bool, database);
    QTemporaryDir dir;
    std::unique_ptr<Diary> d;
    if (database)
        d = std::make_unique<SqliteDiary>(dir.filePath(u"tagebuch.sqlite"_s));
    else
        d = std::make_unique<MemoryDiary>();
    const qint64 id = d->beginTraining(trainingOf(u"Lea"_s, 0, at(5, 9, 0))).value_or(0);
    Series sighter = valued(1, {10.9, 9.4}, at(5, 9, 5));
    sighter.sighter = true;
    sighter.shots[0].innerTen = true;
    Series third = valued(3, {10.5}, at(5, 9, 15));
    third.shots[0].innerTen = true;
    QVERIFY(d->saveSeries(id, sighter));
    QVERIFY(d->saveSeries(id, valued(2, {8.0, 7.2}, at(5, 9, 10))));
    QVERIFY(d->saveSeries(id, third));

    const TrainingSummary row = d->trainings({}).value(0);
    QCOMPARE(row.series, 2);
    QCOMPARE(row.shots, 3);
    QCOMPARE(row.meanSumWhole, (8.0 + 7.0 + 10.0) / 2.0);
    QCOMPARE(row.meanSumTenths, (8.0 + 7.2 + 10.5) / 2.0);
    QCOMPARE(row.innerTens, 1);
    QCOMPARE(histogramText(d->valueHistogram({})), u"72:1 80:1 105:1"_s);
    QStringList charted;
    for (const SeriesSummary& s : d->seriesSummaries({}))
        charted << QString::number(s.number);
    QCOMPARE(charted, (QStringList{u"2"_s, u"3"_s}));
    // Kept and exported all the same, as the sighting series they are.
    const QList<Series> kept = d->seriesOf(id);
    QCOMPARE(kept.size(), 3);
    QVERIFY(kept[0] == sighter);
    QStringList exported;
    for (const ShotRow& r : d->shotRows({}))
        exported << u"%1/%2%3%4"_s.arg(r.series)
                        .arg(r.shot.slot)
                        .arg(r.sighter ? u" P"_s : QString(),
                             r.shot.innerTen ? u" I"_s : QString());
    QCOMPARE(exported, (QStringList{u"1/0 P I"_s, u"1/1 P"_s, u"2/0"_s, u"2/1"_s, u"3/0 I"_s}));
}

// Inner tens at their edge, judged at the centre the value is scored from.
// LP: a 30-unit mark at 6,588 units a mm, the edge 4,75 mm (31,3 units)
// from the centre 244/228; LG 10m: a 57,84-unit mark at 12,85 units a mm,
// the dot shot out up to 2,0 mm (25,7 units).
void TestDiary::innerTenAtItsEdge_data() {
    QTest::addColumn<int>("discipline");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<bool>("inner");
    QTest::newRow("LP 4,71 mm") << int(Discipline::LP) << 260 << 213 << true;
    QTest::newRow("LP 4,86 mm") << int(Discipline::LP) << 261 << 213 << false;
    QTest::newRow("LG 1,94 mm") << int(Discipline::LG10m) << 240 << 199 << true;
    QTest::newRow("LG 2,02 mm") << int(Discipline::LG10m) << 241 << 199 << false;
}

void TestDiary::innerTenAtItsEdge() {
    QFETCH(int, discipline);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(bool, inner);
    TargetFace face;
    QVERIFY(face.apply(discipline));
    SeriesRecord record;
    record.hitLeft[3] = qint16(left);
    record.hitTop[3] = qint16(top);
    const Series series = diarySeries(record, 1, face, nullptr, ShotNotes{});
    QCOMPARE(series.shots.size(), 1);
    QCOMPARE(series.shots[0].slot, 3);
    QCOMPARE(series.shots[0].innerTen, inner);
    QCOMPARE(figuresOf(series.shots).innerTens, inner ? 1 : 0);
}

void TestDiary::damagedFileMovedAside_data() {
    QTest::addColumn<int>("kind");
    // The call that comes first: 0 the opening's notice (as the main window
    // asks), 1 a write, 2 a read. Each waits for the check.
    QTest::addColumn<int>("first");
    // When the check begins: 0 with the diary, 1 at the first call, 2 when
    // asked for (as the program does once its name prompt is shown).
    QTest::addColumn<int>("begun");
    QTest::newRow("Zufallsbytes, zuerst geschrieben") << 0 << 1 << 0;
    QTest::newRow("Textdatei, zuerst gelesen") << 1 << 2 << 1;
    QTest::newRow("neuere Version") << 2 << 0 << 2;
}

void TestDiary::damagedFileMovedAside() {
    QFETCH(int, kind);
    QFETCH(int, first);
    QFETCH(int, begun);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"tagebuch.sqlite"_s);
    if (kind == 2) {
        SqliteDiary newer(path);
        QVERIFY(newer.beginTraining(trainingOf(u"Anna"_s, 0, at(1, 9, 0))));
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"newer"_s);
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QVERIFY(
            QSqlQuery(db).exec(u"PRAGMA user_version = %1"_s.arg(SqliteDiary::kSchemaVersion + 1)));
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QByteArray bytes = "Serie: 1 Schuss: 1: kein Tagebuch\r\n";
        if (kind == 0) {
            bytes.resize(8192);
            QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(bytes.data()), 2048);
        }
        f.write(bytes);
    }
    QSqlDatabase::removeDatabase(u"newer"_s);
    QFile original(path);
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray bytes = original.readAll();
    original.close();

    SqliteDiary d(path, systemClock(),
                  begun == 0 ? SqliteDiary::CheckStart::Now : SqliteDiary::CheckStart::Later);
    if (begun == 2)
        d.startCheck();
    if (first == 0)
        QVERIFY(!d.openingNotice().isEmpty());
    if (first == 1)
        QVERIFY(d.beginTraining(trainingOf(u"Berta"_s, 0, at(1, 8, 0))));
    if (first == 2)
        QCOMPARE(d.shooters(), QStringList());
    const QStringList moved =
        QDir(dir.path()).entryList({u"tagebuch.sqlite.beschaedigt-*"_s}, QDir::Files);
    QCOMPARE(moved.size(), 1);
    QVERIFY2(d.openingNotice().contains(QDir::toNativeSeparators(dir.filePath(moved[0]))),
             qPrintable(d.openingNotice()));
    QVERIFY(d.openingNotice().contains(u"verschoben; ein neues wurde angelegt."_s));
    QFile kept(dir.filePath(moved[0]));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), bytes);
    const int written = first == 1 ? 1 : 0; // the first write went into the new diary
    QCOMPARE(d.trainings({}).size(), written);
    QVERIFY(d.beginTraining(trainingOf(u"Anna"_s, 0, at(1, 9, 0))));
    QCOMPARE(d.trainings({}).size(), written + 1);
}

void TestDiary::failedWrites_data() {
    QTest::addColumn<int>("write");
    QTest::newRow("Training beginnen") << int(Write::Begin);
    QTest::newRow("Training ändern") << int(Write::Update);
    QTest::newRow("Änderungen eines Ereignisses") << int(Write::Record);
    QTest::newRow("Serie speichern") << int(Write::Save);
    QTest::newRow("Datei übernehmen") << int(Write::Import);
}

// A full disk (which stops root as well), and the memory diary told to
// fail: nothing changes, and the user learns why.
void TestDiary::failedWrites() {
    QFETCH(int, write);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"tagebuch.sqlite"_s);
    MemoryDiary memory;
    QStringList before;
    {
        SqliteDiary writable(path);
        for (Diary* d : std::initializer_list<Diary*>{&writable, &memory}) {
            const qint64 id = d->beginTraining(trainingOf(u"Anna"_s, 0, at(1, 9, 0))).value_or(0);
            QVERIFY(d->saveSeries(id, valued(1, {9.0, 8.0}, at(1, 9, 1))));
            before = answersOf(*d);
        }
    }
    memory.failWrites = true;
    SqliteDiary full(path);
    QCOMPARE(answersOf(full), before);
    for (Diary* d : std::initializer_list<Diary*>{&full, &memory}) {
        {
            const FullDisk disk;
            QVERIFY(disk.active());
            QVERIFY(!attempt(*d, Write(write), 1));
        }
        QVERIFY2(
            d->problem().startsWith(u"Das Trainingstagebuch konnte nicht gespeichert werden: "_s),
            qPrintable(d->problem()));
        QVERIFY(d->problem().endsWith(u'.'));
        QCOMPARE(answersOf(*d), before);
        QCOMPARE(d->training(1)->heldHits, QList<PointF>());
    }
}

void TestDiary::filters_data() {
    QTest::addColumn<Filter>("filter");
    QTest::addColumn<QList<int>>("taken"); // of the trainings A, B, C
    QTest::addColumn<QString>("histogram");

    QTest::newRow("alle") << Filter{} << QList<int>{0, 1, 2} << u"80:1 95:2 109:1"_s;
    QTest::newRow("Schütze") << Filter{u"Jörg"_s, -1, {}, {}} << QList<int>{0, 2}
                             << u"80:1 95:1 109:1"_s;
    QTest::newRow("Schütze genau") << Filter{u"jörg"_s, -1, {}, {}} << QList<int>{} << QString();
    QTest::newRow("Disziplin") << Filter{{}, 1, {}, {}} << QList<int>{1, 2} << u"80:1 95:1"_s;
    QTest::newRow("ab Tag") << Filter{{}, -1, QDate(2026, 3, 2), {}} << QList<int>{1, 2}
                            << u"80:1 95:1"_s;
    QTest::newRow("bis Tag") << Filter{{}, -1, {}, QDate(2026, 3, 1)} << QList<int>{0}
                             << u"95:1 109:1"_s;
    QTest::newRow("ein Tag") << Filter{{}, -1, QDate(2026, 3, 2), QDate(2026, 3, 2)}
                             << QList<int>{1} << u"95:1"_s;
    QTest::newRow("alles zusammen")
        << Filter{u"Jörg"_s, 1, QDate(2026, 3, 1), QDate(2026, 3, 5)} << QList<int>{2} << u"80:1"_s;
}

void TestDiary::filters() {
    QFETCH(Filter, filter);
    QFETCH(QList<int>, taken);
    QFETCH(QString, histogram);
    QTemporaryDir dir;
    SqliteDiary sqlite(dir.filePath(u"tagebuch.sqlite"_s));
    MemoryDiary memory;
    for (Diary* d : std::initializer_list<Diary*>{&sqlite, &memory}) {
        // Stored out of order: the list comes oldest first. A ends a minute
        // before midnight, B starts ten minutes after.
        const qint64 c = d->beginTraining(trainingOf(u"Jörg"_s, 1, at(5, 12, 0))).value_or(0);
        const qint64 a = d->beginTraining(trainingOf(u"Jörg"_s, 0, at(1, 23, 59))).value_or(0);
        const qint64 b = d->beginTraining(trainingOf(u"Ängy"_s, 1, at(2, 0, 10))).value_or(0);
        QVERIFY(d->saveSeries(a, valued(1, {10.9, 9.5}, at(1, 23, 59))));
        QVERIFY(d->saveSeries(b, valued(1, {9.5, std::nullopt}, at(2, 0, 10))));
        QVERIFY(d->saveSeries(c, valued(1, {8.0}, at(5, 12, 0))));
        const QList<qint64> ids{a, b, c};
        QList<qint64> expected;
        for (int i : taken)
            expected << ids[i];
        QList<qint64> got;
        for (const TrainingSummary& s : d->trainings(filter))
            got << s.training.id;
        QCOMPARE(got, expected);
        QSet<qint64> series;
        for (const SeriesSummary& s : d->seriesSummaries(filter))
            series << s.training;
        QCOMPARE(series, QSet<qint64>(expected.begin(), expected.end()));
        QCOMPARE(histogramText(d->valueHistogram(filter)), histogram);
    }
}

void TestDiary::sameAnswers_data() {
    QTest::addColumn<int>("script");
    QTest::newRow("Serien ersetzen und kürzen") << 0;
    QTest::newRow("Trainings übernehmen") << 1;
    QTest::newRow("abgelehnte Schreibvorgänge") << 2;
}

// The memory diary stands in for the database in the window tests: it must
// answer the same calls alike.
void TestDiary::sameAnswers() {
    QFETCH(int, script);
    QTemporaryDir dir;
    SqliteDiary sqlite(dir.filePath(u"tagebuch.sqlite"_s));
    MemoryDiary memory;
    QStringList fromSqlite;
    QStringList fromMemory;
    runScript(sqlite, script, fromSqlite);
    runScript(memory, script, fromMemory);
    QCOMPARE(fromMemory, fromSqlite);
}

void TestDiary::importFiles_data() {
    QTest::addColumn<QString>("source"); // in the test data; empty for the whole folder
    QTest::addColumn<QString>("copyAs"); // a copy of that name, or of `content`
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("imported");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("shooter");

    QTest::newRow("Ordner") << QString() << QString() << QByteArray() << 3 << QString()
                            << QString();
    QTest::newRow("Hauptfenster") << u"series-mainwindow.txt"_s << QString() << QByteArray() << 1
                                  << u"Form1"_s << QString();
    QTest::newRow("Schusseingabe") << u"shotentry-window.txt"_s << QString() << QByteArray() << 1
                                   << u"Schusseingabe"_s << QString();
    QTest::newRow("Name im Dateinamen")
        << u"series-mainwindow.txt"_s
        << proposedFileName(u"Jörg Müller2"_s, QDate(2026, 3, 1), kGerman) << QByteArray() << 1
        << u"Form1"_s << u"Jörg Müller2"_s;
    QTest::newRow("keine Seriendatei")
        << QString() << u"notizen.txt"_s << QByteArray("nur Text\r\nund mehr\r\n") << 0 << QString()
        << QString();
}

void TestDiary::importFiles() {
    QFETCH(QString, source);
    QFETCH(QString, copyAs);
    QFETCH(QByteArray, content);
    QFETCH(int, imported);
    QFETCH(QString, window);
    QFETCH(QString, shooter);
    QTemporaryDir dir;
    const QString path = placeFile(dir, source, copyAs, content);
    QVERIFY(!path.isEmpty());
    SqliteDiary d(dir.filePath(u"tagebuch.sqlite"_s));
    std::atomic<int> told = 0;
    d.setCommitted([&told] { ++told; });
    const quint64 before = d.revision();
    // The first import as the diary window makes it: on another thread, with
    // a writer of the diary for it, whose writes count as the diary's own.
    ImportReport first;
    std::unique_ptr<Diary> writer = d.writerForThread();
    std::thread([&first, &writer, &path] {
        first = importSeriesFiles(*writer, {path}, 0, {}, kGerman);
        writer.reset();
    }).join();
    QCOMPARE(d.revision(), before + quint64(imported));
    QCOMPARE(told.load(), imported);
    QCOMPARE(first.imported, imported);
    QCOMPARE(first.skipped, 0);
    QCOMPARE(first.failed(), imported == 0 ? 1 : 0);
    const ImportReport second = importSeriesFiles(d, {path}, 0, {}, kGerman);
    QCOMPARE(second.imported, 0);
    QCOMPARE(second.skipped, imported);
    QCOMPARE(d.trainings({}).size(), imported);
    if (window.isEmpty())
        return;
    const TrainingSummary row = d.trainings({}).value(0);
    QCOMPARE(row.training.window, window);
    QCOMPARE(row.training.shooter, shooter);
    QCOMPARE(row.training.start, QFileInfo(path).lastModified());
    QCOMPARE(row.training.end, std::optional<QDateTime>(row.training.start));
    QCOMPARE(row.training.discipline, 0);
    const SeriesFileContent file = readSeriesFile(path, kGerman).content;
    QCOMPARE(row.training.comments, file.comments);
    int shots = 0;
    for (const SeriesRecord& r : file.series)
        shots += r.shotCount();
    QCOMPARE(row.shots, shots);
    const QList<Series> series = d.seriesOf(row.training.id);
    QCOMPARE(series.value(0).record, file.series.value(0));
}

void TestDiary::importedShots_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("series"); // as listed
    QTest::addColumn<int>("slot");
    QTest::addColumn<bool>("call");
    QTest::addColumn<double>("shotTime"); // 0 for none, as below
    QTest::addColumn<double>("shootingTime");
    QTest::addColumn<QString>("comment");

    const QString remark = u"Müller: Abzug „gerissen“ – 5 € Wette, Grüße"_s;
    QTest::newRow("Hauptfenster, Schuss 1")
        << u"series-mainwindow.txt"_s << 1 << 0 << true << 8.4 << 12.0 << remark;
    QTest::newRow("Hauptfenster, Schuss 2")
        << u"series-mainwindow.txt"_s << 1 << 1 << true << 0.0 << 7.5 << QString();
    QTest::newRow("Hauptfenster, Serie 2") // the texts name series 1 only
        << u"series-mainwindow.txt"_s << 2 << 0 << true << 0.0 << 0.0 << QString();
    QTest::newRow("Seriendatei der Schusseingabe")
        << u"series-shotentry.txt"_s << 1 << 0 << false << 8.4 << 12.0 << remark;
    QTest::newRow("Schusseingabe, Schuss 2") << u"shotentry-window.txt"_s << 1 << 1 << false << 0.0
                                             << 2.5 << u"Müller zielt zu lange – 5 €"_s;
}

void TestDiary::importedShots() {
    QFETCH(QString, file);
    QFETCH(int, series);
    QFETCH(int, slot);
    QFETCH(bool, call);
    QFETCH(double, shotTime);
    QFETCH(double, shootingTime);
    QFETCH(QString, comment);
    QTemporaryDir dir;
    SqliteDiary d(dir.filePath(u"tagebuch.sqlite"_s));
    const QString path = QStringLiteral(ANKERBLICK_TEST_DATA) + u'/' + file;
    QCOMPARE(importSeriesFiles(d, {path}, 0, {}, kGerman).imported, 1);
    const QList<Series> listed = d.seriesOf(d.trainings({}).value(0).training.id);
    QVERIFY(listed.size() >= series);
    QCOMPARE(listed[series - 1].number, series);
    const QList<Shot>& shots = listed[series - 1].shots;
    const auto it =
        std::find_if(shots.begin(), shots.end(), [slot](const Shot& s) { return s.slot == slot; });
    QVERIFY(it != shots.end());
    QCOMPARE(it->call.has_value(), call);
    QCOMPARE(it->rating.has_value(), call);
    QCOMPARE(it->sekMm.has_value(), call);
    QCOMPARE(it->callValue.has_value(), call);
    QVERIFY(it->value.has_value());
    QCOMPARE(it->shotTime, shotTime > 0 ? std::optional<double>(shotTime) : std::nullopt);
    QCOMPARE(it->shootingTime,
             shootingTime > 0 ? std::optional<double>(shootingTime) : std::nullopt);
    QCOMPARE(it->comment, comment);
}

// The name a window proposes when saving gives its shooter back.
void TestDiary::shooterFromFileName_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("shooter");

    const QDate day(2026, 3, 1);
    for (const QString& name : {u"Anna"_s, u"Jörg Müller2"_s, u"A. Ötzi-Weiß 1.0"_s})
        QTest::newRow(qPrintable(name)) << proposedFileName(name, day, kGerman) << kGerman << name;
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("Datum mit / ") << proposedFileName(u"Anna"_s, day, english) << english
                                  << u"Anna"_s;
    QTest::newRow("nur Datum") << proposedFileName(QString(), day, kGerman) << kGerman << QString();
    QTest::newRow("ohne Datum") << u"Training.txt"_s << kGerman << QString();
    QTest::newRow("keine Textdatei") << u"Anna01.03.26.csv"_s << kGerman << QString();
}

void TestDiary::shooterFromFileName() {
    QFETCH(QString, fileName);
    QFETCH(QLocale, locale);
    QFETCH(QString, shooter);
    QCOMPARE(shooterOfFileName(fileName, locale), shooter);
}

// The recorder without any window: two hits at the centre of the LP face
// (10,9 each, the top value), the stopwatch stopped at 8,4 s before the
// second, which comes 3,0 s after the first, and the comments typed after it.
void TestDiary::recorderWritesWhatTheSheetNotes_data() {
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("kept"); // the second shot's comment in the diary
    QTest::newRow("one comment") << QStringList{u"zu tief"_s} << u"zu tief"_s;
    QTest::newRow("spaces around it") << QStringList{u"  links  "_s} << u"links"_s;
    QTest::newRow("two on one shot") << QStringList{u"a"_s, u"b"_s} << u"a; b"_s;
    QTest::newRow("none") << QStringList{} << QString();
}

void TestDiary::recorderWritesWhatTheSheetNotes() {
    QFETCH(QStringList, typed);
    QFETCH(QString, kept);
    test::FakeClock clock;
    EntrySheet sheet(clock, QLocale(QLocale::German, QLocale::Germany));
    sheet.load();
    MemoryDiary memory;
    DiaryRecorder recorder(memory, clock, u"Schusseingabe"_s);
    sheet.mouseRelease(MouseButton::Left, 244.0f, 228.0f);
    QVERIFY(recorder.sync(sheet, u"Kai"_s, nullptr));
    sheet.startStopwatch();
    clock.advance(3000);
    sheet.stopStopwatch(); // 3,0 s on the watch
    clock.advance(5400);
    sheet.startStopwatch();
    clock.advance(8400);
    sheet.stopStopwatch(); // 8,4 s, the one the next shot takes
    clock.now = 3000;      // the second shot 3,0 s after the first
    sheet.mouseRelease(MouseButton::Left, 244.0f, 228.0f);
    for (const QString& text : typed)
        sheet.addComment(text);
    QVERIFY(recorder.sync(sheet, u"Kai"_s, nullptr));

    const QList<Training> open = memory.unfinishedTrainings();
    QCOMPARE(open.size(), 1);
    QCOMPARE(open[0].shooter, u"Kai"_s);
    QCOMPARE(open[0].calibreMm, 4.5); // the LP face's
    QCOMPARE(open[0].shotTimes, u"Serie:1 Schuss:2: 8,4\r\n"_s);
    QCOMPARE(open[0].shootingTimes, u"Serie:1 Schuss:2: 3\r\n"_s);
    const QList<Series> series = memory.seriesOf(open[0].id);
    QCOMPARE(series.size(), 1);
    const QList<Shot>& shots = series[0].shots;
    QCOMPARE(shots.size(), 2);
    QCOMPARE(shots[0].value, std::optional<double>(10.9));
    QCOMPARE(shots[1].value, std::optional<double>(10.9));
    QCOMPARE(shots[0].innerTen, true);
    QCOMPARE(shots[0].shotTime, std::nullopt);
    QCOMPARE(shots[1].shotTime, std::optional<double>(8.4));
    QCOMPARE(shots[1].shootingTime, std::optional<double>(3.0));
    QCOMPARE(shots[0].comment, QString());
    QCOMPARE(shots[1].comment, kept);
    // Written again, nothing changed: no write is needed, so none can fail.
    memory.failWrites = true;
    QVERIFY(recorder.sync(sheet, u"Kai"_s, nullptr));
}

QTEST_GUILESS_MAIN(TestDiary)
#include "tst_diary.moc"
