#pragma once

// The training diary the program keeps: an SQLite database file, written in
// WAL mode so that a killed program loses at most the transaction it was in.
// The only code of the program that speaks SQL.

#include "diary.h"

namespace ankerblick {

class SqliteDiary final : public Diary {
public:
    // The version of the tables this program writes (PRAGMA user_version).
    static constexpr int kSchemaVersion = 4;

    // Opens the diary at `path`, creating its folder and the file when they
    // are missing. A file that is no diary, is damaged or comes from a newer
    // program is moved aside and a new diary started; openingNotice() says so.
    explicit SqliteDiary(const QString& path);
    ~SqliteDiary() override;
    SqliteDiary(const SqliteDiary&) = delete;
    SqliteDiary& operator=(const SqliteDiary&) = delete;

    QString problem() const override { return m_problem; }
    QString openingNotice() const override { return m_notice; }

    std::optional<qint64> beginTraining(const diary::Training& training) override;
    bool updateTraining(const diary::Training& training) override;
    bool recordChanges(const diary::Training& training, const QList<diary::Series>& series,
                       int listed) override;
    bool saveSeries(qint64 training, const diary::Series& series) override;

    bool isImported(const QByteArray& fileHash) const override;
    std::optional<qint64> importTraining(const diary::Training& training,
                                         const QList<diary::Series>& series,
                                         const QByteArray& fileHash) override;

    QList<diary::Training> unfinishedTrainings() const override;
    std::optional<diary::Training> training(qint64 id) const override;
    QList<diary::Series> seriesOf(qint64 training) const override;
    QList<diary::TrainingSummary> trainings(const diary::Filter& filter) const override;
    QList<diary::SeriesSummary> seriesSummaries(const diary::Filter& filter) const override;
    std::map<int, int> valueHistogram(const diary::Filter& filter) const override;
    QList<diary::ShotRow> shotRows(const diary::Filter& filter) const override;
    QStringList shooters() const override;

private:
    enum class Opening { Ready, Damaged, Newer, Failed };
    void open();
    Opening tryOpen();
    Opening checkFile();
    bool moveAside(Opening why);
    // Runs `work` in one transaction; false, with problem() set, when any of it fails.
    template <typename Work> bool write(Work work);

    QString m_path;
    QString m_connection;
    bool m_ready = false;
    QString m_openProblem; // why the diary could not be opened
    QString m_problem;
    QString m_notice;
};

} // namespace ankerblick
