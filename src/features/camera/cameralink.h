#pragma once

// A camera watching a paper target as a source of hits: the frames are read,
// the face is found and the new holes in it are detected on the link's own
// thread; every hole is entered through the window's door on the thread the
// link lives on, with the time of its frame as its arrival.

#include "model/targetface.h"
#include "services/camera.h"
#include "sheets/hitdoor.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QTimer>
#include <QTransform>

#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace ankerblick {

class CameraWorker;

// What the lamp beside the camera's controls shows.
enum class CameraLamp {
    Off,     // red: no picture is read
    Opening, // yellow: the source is being opened
    Found,   // green: the face is in view
    NoFace,  // yellow: pictures come, but no face is found in them
};

// A small copy of the latest picture, for the window "Kamerabild", with what
// was recognised in it, in that copy's pixels.
struct CameraPicture {
    // The outline of the face's black: an ellipse when the camera looks at
    // an angle, turned by `angle` degrees clockwise.
    struct Outline {
        QPointF centre;
        QSizeF size;
        qreal angle = 0;
    };
    QImage image;
    // When the face is found.
    std::optional<Outline> black;
    // The centres of the holes seen since the camera was switched on or the
    // paper changed, in the order seen: hole 1 first; and of each, whether
    // the camera was unsure of it (the hit is noted "bitte prüfen").
    QList<QPointF> holes;
    QList<bool> doubtful;
    // The copy's pixels to face millimetres (x right, y up), in the plane
    // of the face; none while no face is found.
    std::optional<QTransform> toFaceMm;
};

class CameraLink : public QObject, public HitSource {
    Q_OBJECT
public:
    static constexpr int kRetryMs = 500;
    // The camera's thread sends the window "Kamerabild" a picture at most
    // this often (frame time), and only once the one before has arrived.
    static constexpr quint32 kPictureMs = 200;
    // ... no wider or higher than this.
    static constexpr int kPictureWidth = 640;
    static constexpr int kPictureHeight = 480;

    explicit CameraLink(CameraService& cameras, QObject* parent = nullptr);
    ~CameraLink() override;

    void attach(HitDoor* door) override { m_door = door; }
    HitDoor* door() const { return m_door; }
    bool delivering() const override { return m_running; }
    void correctionTakenBack() override;

    // Opens the source on a worker thread and then starts reading it, for
    // the face of the discipline and holes of the calibre (mm). The link is
    // on at once; a source that does not open switches it off again, and
    // told() says why.
    void start(const QString& sourceId, const DisciplineInfo& discipline, double calibreMm);
    // Stops reading. The camera's thread ends after the frame it reads; the
    // holes it saw until then are entered once it has, and told() says what
    // the window has to say about the hits it held back. Returns that text
    // right away when no thread was reading yet.
    QString stop();
    // Stops, and waits up to `waitMs` for the thread to end, with its holes
    // entered: for a window that closes.
    void finishNow(int waitMs);
    // "Scheibe erkennen": the face is looked for again in the next picture.
    void findFaceAgain();
    // The shooter corrects hole `index` of picture(): its hit moved onto the
    // place `to` of the picture, or taken out as no hole. told() says why
    // it cannot be; false then.
    bool correctHole(qsizetype index, std::optional<QPointF> to);
    // A hole the camera missed, at `at` in the picture: entered as a hit
    // added by hand. False, and told() says why, when it was not.
    bool addHole(QPointF at);

    CameraLamp lamp() const { return m_lamp; }
    // Switched off, but the thread has not ended yet.
    bool stopping() const { return !m_running && m_worker != nullptr; }
    // Holes seen but not yet stored by the door.
    int pendingHits() const { return static_cast<int>(m_pending.size()); }
    // The latest picture; without an image while the camera is off.
    const CameraPicture& picture() const { return m_picture; }

Q_SIGNALS:
    void lampChanged(ankerblick::CameraLamp lamp);
    void runningChanged(bool running);
    // Something the shooter is to be told: a new paper, a lost source, a hit
    // the window could not store.
    void told(const QString& text);
    // A new picture(), or none once the camera is off.
    void pictureChanged();

private:
    void holeSeen(double xMm, double yMm, quint32 frameTime, bool doubtful);
    // Where a place of the picture is drawn in the window; none without a face.
    std::optional<PointF> drawnAt(QPointF inPicture) const;
    void faceSeen(bool found);
    void newPaper(bool moved);
    void pictureSeen(const ankerblick::CameraPicture& picture);
    void sourceEnded(const QString& text);
    void enterPending();
    void setLamp(CameraLamp lamp);
    void opened(const std::shared_ptr<CameraCapture>& capture, const DisciplineInfo& discipline,
                quint64 opening, const std::optional<QString>& problem);
    void workerEnded();
    QString settleStop();

    // A correction of the picture's holes, to be taken back: hole `index`
    // as it was before, or (`removed`) put back there.
    struct Corrected {
        qsizetype index;
        QPointF at;
        bool doubtful;
        bool removed;
    };
    void showCorrected(const Corrected& c, std::optional<QPointF> to);
    std::vector<Corrected> m_corrected;
    CameraService& m_cameras;
    HitDoor* m_door = nullptr;
    std::unique_ptr<CameraWorker> m_worker;
    QTimer m_retry;
    struct SeenHole {
        double xMm;
        double yMm;
        quint32 frameTime;
        bool doubtful;
    };
    std::deque<SeenHole> m_pending;
    QString m_lastProblem;
    QString m_endText;     // why the source ended, told once the thread did
    quint64 m_opening = 0; // counts the openings; a stale one is dropped
    CameraPicture m_picture;
    CameraLamp m_lamp = CameraLamp::Off;
    bool m_running = false;
};

} // namespace ankerblick

Q_DECLARE_METATYPE(ankerblick::CameraPicture)
