#pragma once

// A camera watching a paper target as a source of hits: the frames are read,
// the face is found and the new holes in it are detected on the link's own
// thread; every hole is entered through the window's door on the thread the
// link lives on, with the time of its frame as its arrival.

#include "model/targetface.h"
#include "services/camera.h"
#include "sheets/hitdoor.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>
#include <memory>
#include <optional>

namespace ankerblick {

class CameraWorker;

// What the lamp beside the camera's controls shows.
enum class CameraLamp {
    Off,    // red: no picture is read
    Found,  // green: the face is in view
    NoFace, // yellow: pictures come, but no face is found in them
};

class CameraLink : public QObject, public HitSource {
    Q_OBJECT
public:
    static constexpr int kRetryMs = 500;

    explicit CameraLink(CameraService& cameras, QObject* parent = nullptr);
    ~CameraLink() override;

    void attach(HitDoor* door) override { m_door = door; }
    bool delivering() const override { return m_running; }

    // Opens the source and starts reading it, for the face of the discipline
    // and holes of the calibre (mm). Empty on success, else what the shooter
    // is told.
    std::optional<QString> start(const QString& sourceId, const DisciplineInfo& discipline,
                                 double calibreMm);
    // Stops reading; the holes seen until now are entered first. Returns what
    // the window has to say about the hits it held back, or nothing.
    QString stop();
    // "Scheibe erkennen": the face is looked for again in the next picture.
    void findFaceAgain();

    CameraLamp lamp() const { return m_lamp; }
    // Holes seen but not yet stored by the door.
    int pendingHits() const { return static_cast<int>(m_pending.size()); }

Q_SIGNALS:
    void lampChanged(ankerblick::CameraLamp lamp);
    void runningChanged(bool running);
    // Something the shooter is to be told: a new paper, a lost source, a hit
    // the window could not store.
    void told(const QString& text);

private:
    void holeSeen(double xMm, double yMm, quint32 frameTime);
    void faceSeen(bool found);
    void newPaper();
    void sourceEnded(const QString& text);
    void enterPending();
    void setLamp(CameraLamp lamp);
    void endThread();

    CameraService& m_cameras;
    HitDoor* m_door = nullptr;
    std::unique_ptr<CameraWorker> m_worker;
    QTimer m_retry;
    struct SeenHole {
        double xMm;
        double yMm;
        quint32 frameTime;
    };
    std::deque<SeenHole> m_pending;
    QString m_lastProblem;
    CameraLamp m_lamp = CameraLamp::Off;
    bool m_running = false;
};

} // namespace ankerblick
