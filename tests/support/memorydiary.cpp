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
    if (!canWrite())
        return std::nullopt;
    StoredTraining& stored = m_trainings[++m_lastId];
    stored.training = training;
    stored.training.id = m_lastId;
    succeeded();
    return m_lastId;
}

bool MemoryDiary::updateTraining(const Training& training) {
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
    return m_imports.contains(fileHash);
}

std::optional<qint64> MemoryDiary::importTraining(const Training& training,
                                                  const QList<Series>& series,
                                                  const QByteArray& fileHash) {
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
    QList<Training> list;
    for (const StoredTraining* t : taken(Filter{}))
        if (!t->training.end)
            list.append(t->training);
    return list;
}

std::optional<Training> MemoryDiary::training(qint64 id) const {
    const auto it = m_trainings.find(id);
    if (it == m_trainings.end())
        return std::nullopt;
    return it->second.training;
}

QList<Series> MemoryDiary::seriesOf(qint64 training) const {
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
    std::map<int, int> counts;
    for (const StoredTraining* t : taken(filter))
        for (const auto& [number, stored] : t->series)
            for (const Shot& shot : stored.series.shots)
                if (shot.value && !stored.series.sighter)
                    ++counts[histogramTenths(*shot.value)];
    return counts;
}

QList<ShotRow> MemoryDiary::shotRows(const Filter& filter) const {
    QList<ShotRow> rows;
    for (const StoredTraining* t : taken(filter)) {
        const Training& tr = t->training;
        for (const auto& [number, stored] : t->series)
            for (const Shot& shot : stored.series.shots)
                rows.append({tr.id, tr.start, tr.shooter, tr.discipline, number, shot,
                             stored.series.sighter, tr.calibreMm, tr.program});
    }
    return rows;
}

QStringList MemoryDiary::shooters() const {
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
