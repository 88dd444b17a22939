#pragma once

// What the club's server has not yet been sent of a training diary: read
// from the diary's file on a connection of its own, used by the thread that
// made this object, while the program goes on writing through SqliteDiary.
// The marks of what was sent are kept in the file, so that what waits
// survives the program being closed or killed.

#include "clubupload.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

namespace ankerblick {

class DiaryOutbox {
public:
    explicit DiaryOutbox(const QString& diaryPath);
    ~DiaryOutbox();
    DiaryOutbox(const DiaryOutbox&) = delete;
    DiaryOutbox& operator=(const DiaryOutbox&) = delete;

    // The diary's identity; empty while the file cannot be read or is not
    // yet of the version that has one.
    QUuid lane();
    // How many series wait: changed since they were last sent. Empty when
    // the file cannot be read.
    std::optional<int> waitingCount();
    // Whether anything waits: a series, or a training changed itself (its
    // end, its comments).
    bool anyWaiting();
    // The trainings that changed or have series that wait, at most `limit`,
    // each with its waiting series at their revisions (a removed series
    // without shots), read at one moment of the diary. Empty when any of it
    // could not be read: a series read in part is never sent. The trainings
    // set aside are passed over.
    std::optional<QList<club::Upload>> waiting(int limit, const QList<qint64>& setAside = {});
    // Marks the training and the series of `upload`, as waiting() read it,
    // sent at the revisions it was read at; what changed since keeps waiting.
    bool markSent(const club::Upload& upload);

private:
    bool open();

    QString m_path;
    QString m_connection;
    QUuid m_lane;
    // The trainings' revisions as waiting() last read them.
    QHash<qint64, qint64> m_trainingRevisions;
};

} // namespace ankerblick
