#include "memorydiary.h"

#include "model/diarytotals.h"

#include <QSet>
#include <QThread>

#include <algorithm>

namespace ankerblick {

using namespace diary;

namespace {

QString notSaved(const QString& reason) {
    return QStringLiteral("Das Trainingstagebuch konnte nicht gespeichert werden: ") + reason;
}

} // namespace

namespace {

// Every call handed to a diary, on the writer's thread.
class Forwarder final : public Diary {
public:
    explicit Forwarder(Diary& to) : m_to(to) {}

    QString problem() const override { return m_to.problem(); }
    QString openingNotice() const override { return m_to.openingNotice(); }
    std::optional<qint64> beginTraining(const Training& t) override {
        return m_to.beginTraining(t);
    }
    bool updateTraining(const Training& t) override { return m_to.updateTraining(t); }
    bool recordChanges(const Training& t, const QList<Series>& series, int listed) override {
        return m_to.recordChanges(t, series, listed);
    }
    bool saveSeries(qint64 t, const Series& series) override { return m_to.saveSeries(t, series); }
    bool isImported(const QByteArray& hash) const override { return m_to.isImported(hash); }
    std::optional<qint64> importTraining(const Training& t, const QList<Series>& series,
                                         const QByteArray& hash) override {
        return m_to.importTraining(t, series, hash);
    }
    quint64 revision() const override { return m_to.revision(); }
    std::unique_ptr<Diary> readerForThread() const override { return m_to.readerForThread(); }
    std::unique_ptr<Diary> writerForThread() override { return m_to.writerForThread(); }
    QList<Training> unfinishedTrainings() const override { return m_to.unfinishedTrainings(); }
    std::optional<Training> training(qint64 id) const override { return m_to.training(id); }
    QList<Series> seriesOf(qint64 t) const override { return m_to.seriesOf(t); }
    QList<TrainingSummary> trainings(const Filter& f) const override { return m_to.trainings(f); }
    QList<SeriesSummary> seriesSummaries(const Filter& f) const override {
        return m_to.seriesSummaries(f);
    }
    std::map<int, int> valueHistogram(const Filter& f) const override {
        return m_to.valueHistogram(f);
    }
    QList<ShotRow> shotRows(const Filter& f) const override { return m_to.shotRows(f); }
    QStringList shooters() const override { return m_to.shooters(); }

private:
    Diary& m_to;
};

} // namespace

QString MemoryDiary::problem() const {
    const std::lock_guard lock(*m_lock);
    return m_problem;
}

QString MemoryDiary::openingNotice() const {
    const std::lock_guard lock(*m_lock);
    return m_notice;
}

quint64 MemoryDiary::revision() const {
    const std::lock_guard lock(*m_lock);
    return m_revision;
}

std::unique_ptr<Diary> MemoryDiary::readerForThread() const {
    const std::lock_guard lock(*m_lock);
    auto reader = std::make_unique<MemoryDiary>(*this);
    reader->m_lock = std::make_shared<std::recursive_mutex>(); // a copy of its own
    return reader;
}

std::unique_ptr<Diary> MemoryDiary::writerForThread() {
    return std::make_unique<Forwarder>(*this);
}

bool MemoryDiary::canWrite() {
    return !failWrites || failed(QStringLiteral("Der Datenträger ist voll."));
}

bool MemoryDiary::failed(const QString& reason) {
    m_problem = notSaved(reason);
    return false;
}

bool MemoryDiary::succeeded() {
    m_problem.clear();
    ++m_revision;
    return true;
}

std::optional<qint64> MemoryDiary::beginTraining(const Training& training) {
    const std::lock_guard lock(*m_lock);
    if (!canWrite())
        return std::nullopt;
    StoredTraining& stored = m_trainings[++m_lastId];
    stored.training = training;
    stored.training.id = m_lastId;
    succeeded();
    return m_lastId;
}

bool MemoryDiary::updateTraining(const Training& training) {
    const std::lock_guard lock(*m_lock);
    if (!canWrite())
        return false;
    const auto it = m_trainings.find(training.id);
    if (it == m_trainings.end())
        return failed(QStringLiteral("Das Training ist nicht mehr im Tagebuch."));
    Training& t = it->second.training;
    t.shooter = training.shooter;
    t.discipline = training.discipline;
    t.comments = training.comments;
    t.shotTimes = training.shotTimes;
    t.shootingTimes = training.shootingTimes;
    t.heldHits = training.heldHits;
    t.end = training.end;
    t.calibreMm = training.calibreMm;
    t.program = training.program;
    return succeeded();
}

bool MemoryDiary::recordChanges(const Training& training, const QList<Series>& series, int listed) {
    const std::lock_guard lock(*m_lock);
    // Checked first, so that a failure changes nothing.
    if (!canWrite())
        return false;
    if (!m_trainings.contains(training.id))
        return failed(QStringLiteral("Das Training ist nicht mehr im Tagebuch."));
    updateTraining(training);
    for (const Series& s : series)
        saveSeries(training.id, s);
    auto& stored = m_trainings.at(training.id).series;
    stored.erase(stored.lower_bound(listed + 1), stored.end());
    return succeeded();
}

bool MemoryDiary::saveSeries(qint64 training, const Series& series) {
    const std::lock_guard lock(*m_lock);
    if (!canWrite())
        return false;
    const auto it = m_trainings.find(training);
    if (series.shots.isEmpty()) {
        if (it != m_trainings.end())
            it->second.series.erase(series.number);
        return succeeded();
    }
    if (it == m_trainings.end())
        return failed(QStringLiteral("Das Training ist nicht mehr im Tagebuch."));
    it->second.series[series.number] = {series, figuresOf(series.shots)};
    return succeeded();
}

bool MemoryDiary::isImported(const QByteArray& fileHash) const {
    const std::lock_guard lock(*m_lock);
    return m_imports.contains(fileHash);
}

std::optional<qint64> MemoryDiary::importTraining(const Training& training,
                                                  const QList<Series>& series,
                                                  const QByteArray& fileHash) {
    const std::lock_guard lock(*m_lock);
    if (importDelayMs > 0)
        QThread::msleep(static_cast<unsigned long>(importDelayMs));
    if (!canWrite())
        return std::nullopt;
    if (isImported(fileHash)) {
        failed(QStringLiteral("Die Datei ist schon im Tagebuch."));
        return std::nullopt;
    }
    const std::optional<qint64> id = beginTraining(training);
    for (const Series& s : series)
        saveSeries(*id, s);
    m_imports[fileHash] = *id;
    return id;
}

QList<Training> MemoryDiary::unfinishedTrainings() const {
    const std::lock_guard lock(*m_lock);
    QList<Training> list;
    for (const StoredTraining* t : taken(Filter{}))
        if (!t->training.end)
            list.append(t->training);
    return list;
}

std::optional<Training> MemoryDiary::training(qint64 id) const {
    const std::lock_guard lock(*m_lock);
    const auto it = m_trainings.find(id);
    if (it == m_trainings.end())
        return std::nullopt;
    return it->second.training;
}

QList<Series> MemoryDiary::seriesOf(qint64 training) const {
    const std::lock_guard lock(*m_lock);
    QList<Series> list;
    const auto it = m_trainings.find(training);
    if (it != m_trainings.end())
        for (const auto& [number, stored] : it->second.series)
            list.append(stored.series);
    return list;
}

QList<const MemoryDiary::StoredTraining*> MemoryDiary::taken(const Filter& filter) const {
    QList<const StoredTraining*> list;
    for (const auto& [id, stored] : m_trainings)
        if (takes(filter, stored.training))
            list.append(&stored);
    // Ids grow, so among equal starts the one stored first comes first.
    std::stable_sort(list.begin(), list.end(), [](const auto* a, const auto* b) {
        return storedTime(a->training.start) < storedTime(b->training.start);
    });
    return list;
}

QList<TrainingSummary> MemoryDiary::trainings(const Filter& filter) const {
    const std::lock_guard lock(*m_lock);
    ++*trainingReads;
    if (readDelayMs > 0)
        QThread::msleep(static_cast<unsigned long>(readDelayMs));
    QList<TrainingSummary> list;
    for (const StoredTraining* t : taken(filter)) {
        Totals totals;
        for (const auto& [number, stored] : t->series)
            totals.add(stored.figures, stored.series.sighter);
        list.append(summaryOf(t->training, totals));
    }
    return list;
}

QList<SeriesSummary> MemoryDiary::seriesSummaries(const Filter& filter) const {
    const std::lock_guard lock(*m_lock);
    QList<SeriesSummary> list;
    for (const StoredTraining* t : taken(filter))
        for (const auto& [number, stored] : t->series)
            if (!stored.series.sighter)
                list.append({t->training.id, number, stored.series.time, stored.figures});
    std::stable_sort(list.begin(), list.end(), [](const SeriesSummary& a, const SeriesSummary& b) {
        const qint64 ta = storedTime(a.time);
        const qint64 tb = storedTime(b.time);
        if (ta != tb)
            return ta < tb;
        return a.training != b.training ? a.training < b.training : a.number < b.number;
    });
    return list;
}

std::map<int, int> MemoryDiary::valueHistogram(const Filter& filter) const {
    const std::lock_guard lock(*m_lock);
    std::map<int, int> counts;
    for (const StoredTraining* t : taken(filter))
        for (const auto& [number, stored] : t->series)
            for (const Shot& shot : stored.series.shots)
                if (shot.value && !stored.series.sighter)
                    ++counts[histogramTenths(*shot.value)];
    return counts;
}

QList<ShotRow> MemoryDiary::shotRows(const Filter& filter) const {
    const std::lock_guard lock(*m_lock);
    ++*shotReads;
    if (readDelayMs > 0)
        QThread::msleep(static_cast<unsigned long>(readDelayMs));
    QList<ShotRow> rows;
    for (const StoredTraining* t : taken(filter)) {
        const Training& tr = t->training;
        for (const auto& [number, stored] : t->series)
            for (const Shot& shot : stored.series.shots)
                rows.append({tr.id, tr.start, tr.shooter, tr.discipline, number, shot,
                             stored.series.sighter, tr.calibreMm, tr.program, QUuid()});
    }
    return rows;
}

QStringList MemoryDiary::shooters() const {
    const std::lock_guard lock(*m_lock);
    QSet<QString> distinct;
    for (const auto& [id, stored] : m_trainings)
        if (!stored.training.shooter.isEmpty())
            distinct.insert(stored.training.shooter);
    QStringList names(distinct.begin(), distinct.end());
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return a.localeAwareCompare(b) < 0; });
    return names;
}

} // namespace ankerblick
