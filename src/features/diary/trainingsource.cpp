#include "trainingsource.h"

#include "model/background.h"
#include "model/diarytotals.h"
#include "services/diary.h"
#include "sheets/callingtraining.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace ankerblick {

void TrainingSource::beginReading(const QString& notice) {
    m_reading = true;
    if (!m_everRead || !notice.isEmpty())
        m_notice = notice;
}

void TrainingSource::finishReading(QList<diary::TrainingSummary> trainings, QStringList shooters,
                                   const QString& notice) {
    m_trainings = std::move(trainings);
    m_shooters = std::move(shooters);
    m_notice = notice;
    m_reading = false;
    m_everRead = true;
    Q_EMIT trainingsRead();
}

LocalTrainings::LocalTrainings(Diary& diary, QObject* parent)
    : TrainingSource(parent), m_diary(diary) {}

namespace {

struct Read {
    QList<diary::TrainingSummary> trainings;
    QStringList shooters;
};

} // namespace

void LocalTrainings::update() {
    if (reading()) {
        m_readAgain = m_readAgain || m_diary.revision() != m_readRevision;
        return;
    }
    if (everRead() && m_diary.revision() == m_readRevision)
        return;
    beginReading(tr("Die Trainings werden gelesen …"));
    m_readRevision = m_diary.revision();
    background::run<Read>(
        this,
        [reader = readerForJob()](JobProgress&) {
            Read read{reader->trainings(diary::Filter()), reader->shooters()};
            read.shooters.removeAll(QString());
            return read;
        },
        [this](Read read) {
            finishReading(std::move(read.trainings), std::move(read.shooters));
            if (std::exchange(m_readAgain, false))
                update();
        });
}

// Only the job holds it, so that it goes on the worker's thread, the one
// that used it.
std::shared_ptr<Diary> LocalTrainings::readerForJob() const {
    return m_diary.readerForThread();
}

QString LocalTrainings::noneText() const {
    return tr("Noch keine Trainings im Tagebuch.");
}

void LocalTrainings::readValues(const diary::Filter& filter) {
    background::run<std::map<int, int>>(
        this,
        [reader = readerForJob(), filter](JobProgress&) { return reader->valueHistogram(filter); },
        [this, filter](std::map<int, int> counts) { Q_EMIT valuesRead(filter, counts); });
}

// Every shot of the trainings is read for their calls: a read that ends
// when the filter changed again is followed by the newest asked for, and
// never runs beside it.
void LocalTrainings::readCalls(const diary::Filter& filter, const QLocale& locale) {
    m_callsAsked = CallsAsked{filter, locale};
    if (!m_readingCalls)
        readAskedCalls();
}

void LocalTrainings::readAskedCalls() {
    const CallsAsked asked = *std::exchange(m_callsAsked, std::nullopt);
    m_readingCalls = true;
    background::run<QList<calls::TrainingCalls>>(
        this,
        [reader = readerForJob(), asked](JobProgress&) {
            return calls::callsByTraining(reader->shotRows(asked.filter), asked.locale);
        },
        [this, filter = asked.filter](QList<calls::TrainingCalls> trainings) {
            m_readingCalls = false;
            if (m_callsAsked)
                readAskedCalls();
            else
                Q_EMIT callsRead(filter, trainings);
        });
}

void LocalTrainings::readFinding(const diary::TrainingSummary& training, const QLocale& locale) {
    const qint64 id = training.training.id;
    const int discipline = training.training.discipline;
    background::run<calls::Finding>(
        this,
        [reader = readerForJob(), id, discipline, program = training.training.program,
         locale](JobProgress&) {
            return calls::trainingFinding(reader->seriesOf(id), discipline, program, locale);
        },
        [this, id](calls::Finding finding) { Q_EMIT findingRead(id, finding); });
}

void LocalTrainings::open(const diary::TrainingSummary& training) {
    Q_EMIT openTrainingRequested(training.training.id);
}

ClubTrainings::ClubTrainings(ClubReader& reader, std::function<club::Credentials()> server,
                             QObject* parent)
    : TrainingSource(parent), m_reader(reader), m_server(std::move(server)) {
    connect(&reader, &ClubReader::trainingsRead, this, &ClubTrainings::squadRead);
    connect(&reader, &ClubReader::readProblem, this,
            [this](const QUuid& id, const QString& problem) {
                if (!id.isNull() || !reading())
                    return;
                finishReading({}, {}, problem);
            });
    connect(&reader, &ClubReader::shotsRead, this, &ClubTrainings::shotsRead);
    connect(&reader, &ClubReader::trainingRead, this,
            [this](const QUuid& id, const diary::Training&, const QList<diary::Series>& series) {
                trainingRead(id, series);
            });
    connect(&reader, &ClubReader::readProblem, this, [this](const QUuid& id, const QString&) {
        if (m_findingAsked && !id.isNull() && id == m_findingAsked->id)
            m_findingAsked.reset(); // the reader has logged why
    });
}

void ClubTrainings::update() {
    // Until the server answers, none of this computer's trainings shows.
    beginReading(tr("Die Trainings werden vom Vereinsserver gelesen …"));
    m_reader.readTrainings(m_server());
}

// The server's trainings oldest first, and the shooters among them.
void ClubTrainings::squadRead(const club::Squad& squad) {
    if (!reading())
        return;
    QList<diary::TrainingSummary> trainings;
    QStringList names;
    for (const club::SquadShooter& s : squad.shooters)
        for (const club::SquadTraining& t : s.trainings) {
            trainings.append(t.summary);
            trainings.last().serverId = t.id;
            const QString& name = t.summary.training.shooter;
            if (!name.isEmpty() && !names.contains(name))
                names << name;
        }
    names.sort();
    std::stable_sort(trainings.begin(), trainings.end(), [](const auto& a, const auto& b) {
        return diary::storedTime(a.training.start) < diary::storedTime(b.training.start);
    });
    // The table keeps its selection by the trainings' numbers: here they are
    // numbered as read, as none of them is stored on this computer.
    m_numbers.clear();
    for (qsizetype i = 0; i < trainings.size(); ++i) {
        trainings[i].training.id = i + 1;
        m_numbers.insert(trainings[i].serverId, i + 1);
    }
    finishReading(std::move(trainings), std::move(names));
}

QString ClubTrainings::noneText() const {
    return tr("Noch keine Trainings auf dem Vereinsserver.");
}

void ClubTrainings::readValues(const diary::Filter& filter) {
    // The server keeps no histogram of the values.
    Q_EMIT valuesRead(filter, {});
}

void ClubTrainings::readCalls(const diary::Filter& filter, const QLocale& locale) {
    m_callsAsked = filter;
    m_callsLocale = locale;
    m_reader.readShots(m_server(), filter);
}

// The shots of the trainings shown, numbered as the rows are; one that came
// to the server after the trainings were read waits for the next read.
void ClubTrainings::shotsRead(const diary::Filter& filter, QList<diary::ShotRow> rows) {
    if (!m_callsAsked || *m_callsAsked != filter)
        return; // another window's, or asked for before the last
    m_callsAsked.reset();
    background::run<QList<calls::TrainingCalls>>(
        this,
        [rows = std::move(rows), numbers = m_numbers, locale = m_callsLocale](JobProgress&) {
            return calls::callsByTraining(calls::numberedRows(rows, numbers), locale);
        },
        [this, filter](QList<calls::TrainingCalls> trainings) {
            Q_EMIT callsRead(filter, trainings);
        });
}

void ClubTrainings::readFinding(const diary::TrainingSummary& training, const QLocale& locale) {
    if (training.serverId.isNull())
        return;
    m_findingAsked = FindingAsked{training.serverId, training.training.id,
                                  training.training.discipline, training.training.program, locale};
    m_reader.readTraining(m_server(), training.serverId);
}

void ClubTrainings::trainingRead(const QUuid& id, const QList<diary::Series>& series) {
    if (!m_findingAsked || m_findingAsked->id != id)
        return;
    const FindingAsked asked = *std::exchange(m_findingAsked, std::nullopt);
    background::run<calls::Finding>(
        this,
        [series, asked](JobProgress&) {
            return calls::trainingFinding(series, asked.discipline, asked.program, asked.locale);
        },
        [this, number = asked.number](calls::Finding finding) {
            Q_EMIT findingRead(number, finding);
        });
}

void ClubTrainings::open(const diary::TrainingSummary& training) {
    if (!training.serverId.isNull())
        Q_EMIT openClubTrainingRequested(training.serverId);
}

} // namespace ankerblick
