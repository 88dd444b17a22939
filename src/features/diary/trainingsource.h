#pragma once

// Where the window "Trainingstagebuch" takes its trainings from: the diary
// of this computer, or the club's server with the trainings of every lane.
// Both read on another thread and say when they are done; the window filters
// what was read.

#include "model/diaryrecords.h"
#include "services/club.h"
#include "sheets/callfinding.h"
#include "sheets/calltrend.h"

#include <QHash>
#include <QList>
#include <QLocale>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <functional>
#include <map>
#include <optional>

namespace ankerblick {

class Diary;

class TrainingSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Reads the trainings again, unless the source knows they did not
    // change since the last read; trainingsRead() follows.
    virtual void update() = 0;
    // Whether a read is under way.
    bool reading() const { return m_reading; }
    // Whether anything was read yet.
    bool everRead() const { return m_everRead; }

    // As read last: every training, oldest first, and the shooters, sorted.
    const QList<diary::TrainingSummary>& trainings() const { return m_trainings; }
    const QStringList& shooters() const { return m_shooters; }
    // Why no trainings are there, or that they are being read; empty when
    // there is nothing to say.
    const QString& notice() const { return m_notice; }
    // What the window says when the source holds no training at all.
    virtual QString noneText() const = 0;

    // Whether the shots' values and the CSV file can be read here; the
    // calls and findings are read from every source.
    virtual bool keepsShots() const = 0;
    // How many scored shots of the trainings the filter takes have each
    // value (tenths): valuesRead() follows. None from a source that does not
    // keep the shots.
    virtual void readValues(const diary::Filter& filter) = 0;
    // The calls of the trainings the filter takes, each training's figures,
    // finding (in numbers of `locale`) and the rolling share: callsRead()
    // follows.
    virtual void readCalls(const diary::Filter& filter, const QLocale& locale) = 0;
    // Asks for one of the trainings() to be opened in the analysis.
    virtual void open(const diary::TrainingSummary& training) = 0;
    // What the calls of one of the trainings() tell, in numbers of
    // `locale`: findingRead() follows once it is read.
    virtual void readFinding(const diary::TrainingSummary& training, const QLocale& locale) = 0;

Q_SIGNALS:
    void trainingsRead();
    void valuesRead(const ankerblick::diary::Filter& filter, const std::map<int, int>& counts);
    void callsRead(const ankerblick::diary::Filter& filter,
                   const QList<ankerblick::calls::TrainingCalls>& trainings);
    void openTrainingRequested(qint64 trainingId);
    void findingRead(qint64 trainingId, const ankerblick::calls::Finding& finding);
    void openClubTrainingRequested(const QUuid& id);

protected:
    void beginReading(const QString& notice);
    void finishReading(QList<diary::TrainingSummary> trainings, QStringList shooters,
                       const QString& notice = {});

private:
    QList<diary::TrainingSummary> m_trainings;
    QStringList m_shooters;
    QString m_notice;
    bool m_reading = false;
    bool m_everRead = false;
};

// The trainings of this computer's diary. A read is made on a worker
// thread, and only when the diary changed since the last one.
class LocalTrainings final : public TrainingSource {
    Q_OBJECT
public:
    explicit LocalTrainings(Diary& diary, QObject* parent = nullptr);

    void update() override;
    QString noneText() const override;
    bool keepsShots() const override { return true; }
    void readValues(const diary::Filter& filter) override;
    void readCalls(const diary::Filter& filter, const QLocale& locale) override;
    void open(const diary::TrainingSummary& training) override;
    void readFinding(const diary::TrainingSummary& training, const QLocale& locale) override;

private:
    std::shared_ptr<Diary> readerForJob() const;

    void readAskedCalls();

    Diary& m_diary;
    quint64 m_readRevision = 0;
    bool m_readAgain = false; // the diary changed while a read was under way
    // The calls asked for last and not yet being read: one read at a time,
    // the newest asked for next, however often the filter changed meanwhile.
    struct CallsAsked {
        diary::Filter filter;
        QLocale locale;
    };
    std::optional<CallsAsked> m_callsAsked;
    bool m_readingCalls = false;
};

// The trainings on the club's server, from every lane, read by the club's
// reader on its own thread. The server says nothing of its changes: every
// update reads again.
class ClubTrainings final : public TrainingSource {
    Q_OBJECT
public:
    // `server` gives the server's address, empty when none is set.
    ClubTrainings(ClubReader& reader, std::function<club::Credentials()> server,
                  QObject* parent = nullptr);

    // Whether a server is set.
    bool available() const { return !m_server().isEmpty(); }
    void update() override;
    QString noneText() const override;
    bool keepsShots() const override { return false; }
    void readValues(const diary::Filter& filter) override;
    void readCalls(const diary::Filter& filter, const QLocale& locale) override;
    void open(const diary::TrainingSummary& training) override;
    void readFinding(const diary::TrainingSummary& training, const QLocale& locale) override;

private:
    void squadRead(const club::Squad& squad);
    void shotsRead(const diary::Filter& filter, QList<diary::ShotRow> rows);
    void trainingRead(const QUuid& id, const QList<diary::Series>& series);

    ClubReader& m_reader;
    std::function<club::Credentials()> m_server;
    // The trainings' numbers here, by their identities on the server.
    QHash<QUuid, qint64> m_numbers;
    // The calls asked for last, until their shots are read.
    std::optional<diary::Filter> m_callsAsked;
    QLocale m_callsLocale;
    // The training whose finding was asked for last, until it is read.
    struct FindingAsked {
        QUuid id;
        qint64 number = 0;
        int discipline = -1;
        QString program;
        QLocale locale;
    };
    std::optional<FindingAsked> m_findingAsked;
};

} // namespace ankerblick
