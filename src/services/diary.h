#pragma once

// The training diary: every series of every window, kept as it is entered.
// The program keeps it in a database file in the user's data folder; tests
// use a store of their own. No write throws: a write that fails returns
// false (or nothing) and problem() says why, in German, for the user.

#include "model/diaryrecords.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <optional>

namespace ankerblick {

class Diary {
public:
    virtual ~Diary() = default;

    // What went wrong with the last failed write, or what happened when the
    // diary was opened (a damaged file moved aside); empty when nothing did.
    // A write that succeeds clears it.
    virtual QString problem() const = 0;
    // The message of the opening, shown once at start-up; empty when there is none.
    virtual QString openingNotice() const = 0;

    // Writing. Every call is one transaction: it happens entirely or not at all.
    virtual std::optional<qint64> beginTraining(const diary::Training& training) = 0;
    // Rewrites shooter, discipline, texts, held hits and end of the training
    // `training.id`.
    virtual bool updateTraining(const diary::Training& training) = 0;
    // What one event changed in a running training, in one transaction: the
    // training rewritten as by updateTraining, each of `series` saved as by
    // saveSeries, and the series numbered above `listed` removed. Repeating
    // it changes nothing more.
    virtual bool recordChanges(const diary::Training& training, const QList<diary::Series>& series,
                               int listed) = 0;
    // Replaces series `series.number` of the training with `series`; a series
    // without shots is removed.
    virtual bool saveSeries(qint64 training, const diary::Series& series) = 0;

    // Series files taken into the diary, known by a hash of their bytes.
    virtual bool isImported(const QByteArray& fileHash) const = 0;
    // Stores a whole training read from a file, ended, and remembers the
    // file's hash, in one transaction.
    virtual std::optional<qint64> importTraining(const diary::Training& training,
                                                 const QList<diary::Series>& series,
                                                 const QByteArray& fileHash) = 0;

    // Grows with every write that succeeds: what was read at one revision
    // is still the diary's while the revision stays.
    virtual quint64 revision() const = 0;
    // The same diary for reading on one other thread, which is faster than
    // waiting for the windows' thread: made here, then used and destroyed on
    // that thread alone. Nothing is written through it.
    virtual std::unique_ptr<Diary> readerForThread() const = 0;
    // The same diary for writing on one other thread, so that a long write
    // (an import) keeps the windows answering: made here, then used and
    // destroyed on that thread alone. Its writes raise this diary's
    // revision() and are told as this diary's own are.
    virtual std::unique_ptr<Diary> writerForThread() = 0;

    // Reading.
    // Trainings without an end: the program stopped before their window closed.
    virtual QList<diary::Training> unfinishedTrainings() const = 0;
    virtual std::optional<diary::Training> training(qint64 id) const = 0;
    // The series of a training with their shots, by number.
    virtual QList<diary::Series> seriesOf(qint64 training) const = 0;
    // The trainings the filter takes, oldest first, with their figures.
    virtual QList<diary::TrainingSummary> trainings(const diary::Filter& filter) const = 0;
    // Every series of those trainings, by time.
    virtual QList<diary::SeriesSummary> seriesSummaries(const diary::Filter& filter) const = 0;
    // How many scored shots of those trainings have each value, in tenths of
    // a ring (109 for 10,9).
    virtual std::map<int, int> valueHistogram(const diary::Filter& filter) const = 0;
    // Every shot of those trainings, by training, series and slot.
    virtual QList<diary::ShotRow> shotRows(const diary::Filter& filter) const = 0;
    // The shooters' names, sorted.
    virtual QStringList shooters() const = 0;
};

} // namespace ankerblick
