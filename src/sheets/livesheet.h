#pragma once

// What the range's live view shows in a browser, without the network: the
// day's trainings as the club's server has them; for each viewer, a tile
// per lane with the newest training on it that the viewer may read; and the
// frames the page is sent, the whole state first, then each lane that
// changed. A browser that reads slowly gets a bounded queue: a lane's newer
// frame replaces its older one, and a queue that grows past its limit is
// dropped for one frame of the whole state.
//
// Positions are millimetres on the face, x right and y up; times are
// milliseconds since the epoch.

#include "services/club.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QUuid>

#include <functional>
#include <optional>

namespace ankerblick::live {

// A lane as the page draws it: shooter, discipline, face, every series of
// the training with its shots (hit, call, value, the call's score) and
// sum, and the training's figures as the diary window has them (shots,
// share of calls rated 10, mean point of impact, call error, spread).
QJsonObject laneObject(const club::LiveTraining& training);

// The face of a discipline as the page draws it: the diameters of its
// rings (ring 1 first; 0 for a ring it lacks), of its black and of its
// inner ten, and the rings that carry their number.
QJsonObject faceObject(int discipline);

class Board {
public:
    // Every training of the day, as read whole.
    void setTrainings(QList<club::LiveTraining> trainings);
    // A changed series: its training with that series alone, or with none
    // when it holds no shot. Returns the lane it is on.
    QUuid take(const club::LiveTraining& training, int number);

    // The newest training on `lane` that `viewer` may read; none when
    // there is none.
    const club::LiveTraining* tile(const QUuid& lane, const club::Viewer& viewer) const;
    // Every lane with a tile for `viewer`, by the lane's name (lane 2 before
    // lane 10), then by shooter.
    QList<const club::LiveTraining*> tiles(const club::Viewer& viewer) const;

    // {"type": "state", "now", "viewer", "lanes": [...]}
    QByteArray stateFrame(const club::Viewer& viewer, const QDateTime& now) const;
    // {"type": "lane", "now", "lane": {...}}; none when `viewer` has no
    // tile on `lane`.
    std::optional<QByteArray> laneFrame(const QUuid& lane, const club::Viewer& viewer,
                                        const QDateTime& now) const;
    // {"type": "gone", "lane": id}
    static QByteArray goneFrame(const QUuid& lane);

    qsizetype trainingCount() const { return m_trainings.size(); }

private:
    QList<club::LiveTraining> m_trainings;
};

// The frames that wait for one browser while it reads slowly.
class FrameQueue {
public:
    explicit FrameQueue(qsizetype limitBytes) : m_limit(limitBytes) {}

    // A frame of `key` (a lane) replaces the one of the same key that still
    // waits; past the limit, everything that waits is dropped for the
    // whole state.
    void push(const QString& key, QByteArray frame);
    // Dropped for the whole state, as when the queue overflowed.
    void dropForState();
    // The next frame to send, oldest first; the whole state, made by
    // `state` at that moment, before anything else once it is owed.
    std::optional<QByteArray> take(const std::function<QByteArray()>& state);

    bool isEmpty() const { return !m_stateOwed && m_frames.isEmpty(); }
    qsizetype bytes() const { return m_bytes; }
    qsizetype dropped() const { return m_dropped; }

private:
    struct Waiting {
        QString key;
        QByteArray frame;
    };
    QList<Waiting> m_frames;
    qsizetype m_limit;
    qsizetype m_bytes = 0;
    qsizetype m_dropped = 0; // frames never sent
    bool m_stateOwed = false;
};

} // namespace ankerblick::live
