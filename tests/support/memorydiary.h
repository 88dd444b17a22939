#pragma once

// A training diary that lives as long as the object: for tests, which must
// neither read nor change the user's diary. It answers as the database does,
// filters and order included, and its writes can be made to fail. Its
// writer for another thread writes into it, one call at a time.

#include "services/diary.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>

namespace ankerblick {

class MemoryDiary final : public Diary {
public:
    // While set, every write fails as on a full disk and changes nothing.
    bool failWrites = false;
    // Every read of the trainings or of the shots takes this long (ms), as
    // on a large diary.
    int readDelayMs = 0;
    // Every training imported takes this long (ms), as on a slow disk.
    int importDelayMs = 0;
    // How often the trainings were read, here and by the readers made of it.
    std::shared_ptr<std::atomic<int>> trainingReads = std::make_shared<std::atomic<int>>(0);
    // How often the shots were read, the same way.
    std::shared_ptr<std::atomic<int>> shotReads = std::make_shared<std::atomic<int>>(0);

    QString problem() const override;
    QString openingNotice() const override;

    std::optional<qint64> beginTraining(const diary::Training& training) override;
    bool updateTraining(const diary::Training& training) override;
    bool recordChanges(const diary::Training& training, const QList<diary::Series>& series,
                       int listed) override;
    bool saveSeries(qint64 training, const diary::Series& series) override;

    bool isImported(const QByteArray& fileHash) const override;
    std::optional<qint64> importTraining(const diary::Training& training,
                                         const QList<diary::Series>& series,
                                         const QByteArray& fileHash) override;

    quint64 revision() const override;
    // A copy of the trainings as they are now.
    std::unique_ptr<Diary> readerForThread() const override;
    // Hands every call to this diary.
    std::unique_ptr<Diary> writerForThread() override;

    QList<diary::Training> unfinishedTrainings() const override;
    std::optional<diary::Training> training(qint64 id) const override;
    QList<diary::Series> seriesOf(qint64 training) const override;
    QList<diary::TrainingSummary> trainings(const diary::Filter& filter) const override;
    QList<diary::SeriesSummary> seriesSummaries(const diary::Filter& filter) const override;
    std::map<int, int> valueHistogram(const diary::Filter& filter) const override;
    QList<diary::ShotRow> shotRows(const diary::Filter& filter) const override;
    QStringList shooters() const override;

private:
    struct StoredSeries {
        diary::Series series;
        diary::SeriesFigures figures;
    };
    struct StoredTraining {
        diary::Training training;
        std::map<int, StoredSeries> series; // by number
    };

    bool canWrite();
    bool failed(const QString& reason);
    bool succeeded();
    // The trainings the filter takes, oldest first.
    QList<const StoredTraining*> taken(const diary::Filter& filter) const;

    std::map<qint64, StoredTraining> m_trainings;
    std::map<QByteArray, qint64> m_imports; // file hash to training
    qint64 m_lastId = 0;                    // ids are never given twice, as in the database
    QString m_problem;
    QString m_notice;
    quint64 m_revision = 0;
    // Held by every call, for the writer on another thread.
    std::shared_ptr<std::recursive_mutex> m_lock = std::make_shared<std::recursive_mutex>();
};

} // namespace ankerblick
