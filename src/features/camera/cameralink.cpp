#include "cameralink.h"

#include "vision/facefinder.h"
#include "vision/holedetector.h"

#include <QCoreApplication>
#include <QThread>

#include <atomic>

namespace ankerblick {

// Reads the capture, finds the face and feeds the hole detector until it is
// told to stop or the source ends. Its signals reach the link queued.
class CameraWorker : public QThread {
    Q_OBJECT
public:
    CameraWorker(std::unique_ptr<CameraCapture> capture, const DisciplineInfo& discipline)
        : m_capture(std::move(capture)), m_discipline(discipline) {}

    ~CameraWorker() override {
        finish();
        m_capture->close();
    }

    void finish() {
        m_stop = true;
        wait();
    }
    void findFaceAgain() { m_findFace = true; }

Q_SIGNALS:
    void hole(double xMm, double yMm, quint32 frameTime);
    void face(bool found);
    void newPaper();
    void ended(const QString& text);

protected:
    void run() override {
        std::optional<HoleDetector> detector;
        int shown = -1; // what the face signal said last: 1 found, 0 not, -1 nothing yet
        while (!m_stop) {
            const std::optional<cv::Mat> frame = m_capture->nextFrame();
            if (m_stop)
                return;
            if (!frame) {
                Q_EMIT ended(QStringLiteral("Die Kamera liefert keine Bilder mehr."));
                return;
            }
            const quint32 time = m_capture->frameTime();
            if (m_findFace.exchange(false) || !detector) {
                detector.reset();
                const FaceInPicture found = findFace(*frame, m_discipline);
                if (shown != int(found.found)) {
                    shown = int(found.found);
                    Q_EMIT face(found.found);
                }
                if (!found.found)
                    continue;
                detector.emplace(found, m_discipline);
            }
            const std::optional<VisionEvent> event = detector->feed(*frame, time);
            if (!event)
                continue;
            if (event->kind == VisionEvent::Hole) {
                Q_EMIT hole(event->centreMm.x, event->centreMm.y, time);
            } else {
                Q_EMIT newPaper();
                shown = -1; // the link shows "no face" until it is found again
                m_findFace = true;
            }
        }
    }

private:
    std::unique_ptr<CameraCapture> m_capture;
    DisciplineInfo m_discipline;
    std::atomic<bool> m_stop = false;
    std::atomic<bool> m_findFace = true;
};

CameraLink::CameraLink(CameraService& cameras, QObject* parent)
    : QObject(parent), m_cameras(cameras) {
    m_retry.setSingleShot(true);
    m_retry.setInterval(kRetryMs);
    connect(&m_retry, &QTimer::timeout, this, &CameraLink::enterPending);
}

CameraLink::~CameraLink() {
    m_worker.reset();
}

std::optional<QString> CameraLink::start(const QString& sourceId,
                                         const DisciplineInfo& discipline, double calibreMm) {
    if (m_running)
        return std::nullopt;
    std::unique_ptr<CameraCapture> capture = m_cameras.create();
    if (std::optional<QString> problem = capture->open(sourceId))
        return problem;
    DisciplineInfo measured = discipline;
    if (isCalibre(calibreMm))
        measured.calibreMm = calibreMm;
    m_worker = std::make_unique<CameraWorker>(std::move(capture), measured);
    connect(m_worker.get(), &CameraWorker::hole, this, &CameraLink::holeSeen);
    connect(m_worker.get(), &CameraWorker::face, this, &CameraLink::faceSeen);
    connect(m_worker.get(), &CameraWorker::newPaper, this, &CameraLink::newPaper);
    connect(m_worker.get(), &CameraWorker::ended, this, &CameraLink::sourceEnded);
    m_running = true;
    m_lastProblem.clear();
    if (m_door)
        m_door->sourceActive(true);
    setLamp(CameraLamp::NoFace);
    Q_EMIT runningChanged(true);
    m_worker->start();
    return std::nullopt;
}

void CameraLink::endThread() {
    if (!m_worker)
        return;
    m_worker->finish();
    // What the thread saw before it ended is still on its way.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    m_worker.reset();
}

QString CameraLink::stop() {
    if (!m_running)
        return {};
    // Off first: what the thread still reports on its way out, a new paper
    // or the end of the source, changes nothing any more; its holes count.
    m_running = false;
    endThread();
    enterPending();
    QString note;
    if (m_door)
        note = m_door->sourceActive(false);
    setLamp(CameraLamp::Off);
    Q_EMIT runningChanged(false);
    return note;
}

void CameraLink::findFaceAgain() {
    if (m_worker)
        m_worker->findFaceAgain();
}

void CameraLink::holeSeen(double xMm, double yMm, quint32 frameTime) {
    m_pending.push_back({xMm, yMm, frameTime});
    enterPending();
}

void CameraLink::enterPending() {
    while (!m_pending.empty()) {
        if (!m_door) {
            m_retry.start();
            return;
        }
        const SeenHole& seen = m_pending.front();
        const TargetGeometry g = m_door->geometry();
        const PointF at{static_cast<float>(g.centre.x + seen.xMm * g.scale),
                        static_cast<float>(g.centre.y - seen.yMm * g.scale)};
        const ArrivedHit hit{at, seen.frameTime};
        const HitReceipt receipt = m_door->enter(hit);
        if (!receipt.stored) {
            // Kept and entered again; the shooter hears of each new reason once.
            if (!receipt.problem.isEmpty() && receipt.problem != m_lastProblem) {
                m_lastProblem = receipt.problem;
                Q_EMIT told(receipt.problem);
            }
            m_retry.start();
            return;
        }
        m_lastProblem.clear();
        m_pending.pop_front();
    }
}

void CameraLink::faceSeen(bool found) {
    if (m_running)
        setLamp(found ? CameraLamp::Found : CameraLamp::NoFace);
}

void CameraLink::newPaper() {
    if (!m_running)
        return;
    setLamp(CameraLamp::NoFace);
    Q_EMIT told(QStringLiteral("Neue Scheibe erkannt"));
}

void CameraLink::sourceEnded(const QString& text) {
    if (!m_running)
        return;
    const QString note = stop();
    Q_EMIT told(note.isEmpty() ? text : text + QLatin1Char('\n') + note);
}

void CameraLink::setLamp(CameraLamp lamp) {
    if (lamp == m_lamp)
        return;
    m_lamp = lamp;
    Q_EMIT lampChanged(lamp);
}

} // namespace ankerblick

#include "cameralink.moc"
