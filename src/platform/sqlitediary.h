#pragma once

// The training diary the program keeps: an SQLite database file, written in
// WAL mode so that a killed program loses at most the transaction it was in.
// The only code of the program that speaks SQL.

#include "clock.h"
#include "services/diary.h"

#include <atomic>
#include <functional>
#include <future>
#include <memory>

class QSqlDatabase;

namespace ankerblick {

class SqliteDiary final : public Diary {
public:
    // The version of the tables this program writes (PRAGMA user_version).
    static constexpr int kSchemaVersion = 6;

    // Opens the diary at `path`, creating its folder and the file when they
    // are missing. A file that is no diary, is damaged or comes from a newer
    // program is moved aside and a new diary started; openingNotice() says so.
    // The file is checked on a connection and a thread of its own, begun
    // here (or, with `Later`, at startCheck()), so that the program's first
    // window does not wait for it; the first call of any other member begins
    // the check if it was not begun, waits for it and opens the diary, so
    // nothing is read from or written to a file before it passed. `clock`
    // dates the copy a damaged diary is set aside as.
    enum class CheckStart { Now, Later };
    explicit SqliteDiary(const QString& path, const Clock& clock = systemClock(),
                         CheckStart start = CheckStart::Now);
    // Begins the check, unless it was begun.
    void startCheck() const;
    ~SqliteDiary() override;
    SqliteDiary(const SqliteDiary&) = delete;
    SqliteDiary& operator=(const SqliteDiary&) = delete;

    QString problem() const override;
    QString openingNotice() const override;

    // The file the diary is kept in.
    QString path() const { return m_path; }
    // Called after every change is committed, on the thread that wrote it
    // (the writers for other threads' too): each change marks what the
    // club's server is to be sent in the same transaction (the revisions),
    // and the sync waits for this word. Set before any writer is made.
    void setCommitted(std::function<void()> committed) {
        m_shared->committed = std::move(committed);
    }

    std::optional<qint64> beginTraining(const diary::Training& training) override;
    bool updateTraining(const diary::Training& training) override;
    bool recordChanges(const diary::Training& training, const QList<diary::Series>& series,
                       int listed) override;
    bool saveSeries(qint64 training, const diary::Series& series) override;

    bool isImported(const QByteArray& fileHash) const override;
    std::optional<qint64> importTraining(const diary::Training& training,
                                         const QList<diary::Series>& series,
                                         const QByteArray& fileHash) override;

    quint64 revision() const override { return m_shared->revision; }
    std::unique_ptr<Diary> readerForThread() const override;
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
    // What a diary shares with those made of it for other threads: the
    // revision their writes raise, and whom they tell.
    struct Shared {
        std::atomic<quint64> revision = 0;
        std::function<void()> committed;
    };
    // A diary of the file of a diary that settled, for another thread: it
    // opens its own connection on the thread of its first use, without a check.
    SqliteDiary(const QString& path, const Clock& clock, std::shared_ptr<Shared> shared);

    enum class Opening { Ready, Damaged, Newer, Failed };
    // What the check found, and why the file could not be opened.
    struct Check {
        Opening opening = Opening::Failed;
        QString problem;
    };
    static Check check(const QString& path);
    static Check checkFile(QSqlDatabase db);
    // Waits for the check and opens the diary, once; first thing in every member.
    void settle() const;
    Opening openChecked(const Check& checked) const;
    // The diary's connection, once settled.
    QSqlDatabase database() const;
    Opening tryOpen() const;
    bool moveAside(Opening why) const;
    // Runs `work` in one transaction; false, with problem() set, when any of it fails.
    template <typename Work> bool write(Work work);

    const Clock& m_clock;
    QString m_path;
    QString m_connection;
    // The opening, settled by the first call, a reading one as well.
    mutable std::future<Check> m_check;
    mutable bool m_checkStarted = false;
    mutable bool m_ready = false;
    mutable QString m_openProblem; // why the diary could not be opened
    mutable QString m_problem;
    mutable QString m_notice;
    std::shared_ptr<Shared> m_shared = std::make_shared<Shared>();
    bool m_forThread = false; // made for another thread
};

} // namespace ankerblick
