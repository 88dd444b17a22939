#pragma once

// Sending a training of the local diary to the club's server, as the login
// of the connection. Sending the same again changes nothing; a series sent
// with a higher revision than the server has replaces it with its shots; a
// lower or equal revision is ignored, so that uploads arriving late or twice
// never undo a later change. A series removed on the lane (an undo) is sent
// as that number without shots, at a new revision: it stays on the server
// without shots.

#include "model/diaryrecords.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QUuid>

namespace ankerblick::club {

// A series as the lane keeps it, and the revision of its last change there:
// it grows with every change of the series (a shift, an undo, a comment).
struct SeriesRevision {
    diary::Series series;
    qint64 revision = 0;
};

struct Upload {
    // The identity of the local diary the training is kept in, the same for
    // all its trainings and never that of another diary (a diary started
    // anew numbers its trainings from 1 again).
    QUuid lane;
    diary::Training training; // as kept locally, with its id there
    QList<SeriesRevision> series;
    QString laneName = {}; // the lane's name on the range
};

// The training's identity on the server, the same on every upload.
QUuid trainingIdentity(const QUuid& lane, qint64 localId);

struct UploadResult {
    bool ok = false;
    int seriesWritten = 0;       // new or changed on the server
    QString problem;             // German, for the user, when not ok
    bool refusedForGood = false; // sending it again would be refused again
};

class Link;
class Statements;

// In one transaction (on a connection opened on the calling thread): the
// training, and each series whose revision is newer than the server's.
// Refused, with nothing written, when the server's tables are not of the
// program's version.
UploadResult upload(Statements& sql, const Upload& upload);
UploadResult upload(Link& link, const Upload& upload);
// On Qt SQL's connection (club::Connection).
UploadResult upload(QSqlDatabase& db, const Upload& upload);

} // namespace ankerblick::club
