#include "cameralink.h"

#include "model/background.h"
#include "model/logging.h"
#include "vision/facefinder.h"
#include "vision/holedetector.h"

#include <opencv2/imgproc.hpp>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMutex>
#include <QPolygonF>
#include <QStringList>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <utility>
#include <vector>

namespace ankerblick {

namespace {

// A hole as the camera's thread keeps it: in face millimetres, and whether
// the detector was unsure of it.
struct SeenInFrame {
    cv::Point2d mm;
    bool doubtful = false;
};

// The picture for the window "Kamerabild": the frame scaled down to fit, with
// the black's outline and the holes (face millimetres) in its pixels.
CameraPicture smallPicture(const cv::Mat& frame, const FaceInPicture* face,
                           const std::vector<SeenInFrame>& holes, double blackMm) {
    const double fit = std::min({1.0, double(CameraLink::kPictureWidth) / frame.cols,
                                 double(CameraLink::kPictureHeight) / frame.rows});
    cv::Mat small = frame;
    if (fit < 1.0)
        cv::resize(frame, small, cv::Size(), fit, fit, cv::INTER_AREA);
    CameraPicture result;
    result.image = QImage(small.cols, small.rows, QImage::Format_RGB888);
    cv::Mat rgb(small.rows, small.cols, CV_8UC3, result.image.bits(),
                static_cast<size_t>(result.image.bytesPerLine()));
    cv::cvtColor(small, rgb, small.channels() == 1 ? cv::COLOR_GRAY2RGB : cv::COLOR_BGR2RGB);
    if (!face)
        return result;
    // Pixel centres: the middle of the frame's first pixel is at 0.
    const double sx = double(small.cols) / frame.cols;
    const double sy = double(small.rows) / frame.rows;
    const auto scaled = [&](cv::Point2d p) {
        return QPointF((p.x + 0.5) * sx - 0.5, (p.y + 0.5) * sy - 0.5);
    };
    const cv::RotatedRect& black = face->blackOutline;
    result.black = CameraPicture::Outline{
        scaled(cv::Point2d(black.center)),
        QSizeF(double(black.size.width) * sx, double(black.size.height) * sy), double(black.angle)};
    for (const SeenInFrame& hole : holes) {
        result.holes << scaled(faceToPicture(*face, hole.mm));
        result.doubtful << hole.doubtful;
    }
    // Four places about the black, mapped back: the picture to millimetres.
    const double r = blackMm / 2;
    QPolygonF mm;
    QPolygonF inPicture;
    for (const cv::Point2d corner : {cv::Point2d(-r, r), {r, r}, {r, -r}, {-r, -r}}) {
        mm << QPointF(corner.x, corner.y);
        inPicture << scaled(faceToPicture(*face, corner));
    }
    QTransform toMm;
    if (QTransform::quadToQuad(inPicture, mm, toMm))
        result.toFaceMm = toMm;
    return result;
}

} // namespace

// Reads the capture, finds the face and feeds the hole detector until it is
// told to stop or the source ends. Its signals reach the link queued.
class CameraWorker : public QThread {
    Q_OBJECT
public:
    CameraWorker(std::shared_ptr<CameraCapture> capture, const DisciplineInfo& discipline)
        : m_capture(std::move(capture)), m_discipline(discipline) {}

    ~CameraWorker() override { finish(); }

    // Asks the thread to end after the frame it reads; finished() says when it did.
    void askToStop() { m_stop = true; }
    void finish() {
        askToStop();
        wait();
    }
    void findFaceAgain() { m_findFace = true; }
    // The picture sent last has arrived: the next may go.
    void pictureTaken() { m_pictureTaken = true; }
    // The shooter corrected hole `index`: moved to `toMm`, or taken out;
    // with `insert`, one put in at `index` (at the end: added). The next
    // picture shows it so.
    void correct(qsizetype index, std::optional<cv::Point2d> toMm, bool insert = false,
                 bool doubtful = false) {
        const QMutexLocker lock(&m_correctionsLock);
        m_corrections.push_back({index, toMm, insert, doubtful});
    }

Q_SIGNALS:
    void hole(double xMm, double yMm, quint32 frameTime, bool doubtful);
    void picture(const ankerblick::CameraPicture& picture);
    void face(bool found);
    // A new paper, or the camera moved (the paper's holes stay); the face
    // is looked for again.
    void newPaper(bool moved);
    void ended(const QString& text);

protected:
    // The capture is closed on the thread that read it: a device may take
    // its time to let go.
    void run() override {
        readFrames();
        m_capture->close();
    }

private:
    void readFrames() {
        std::optional<HoleDetector> detector;
        std::optional<FaceInPicture> inView; // the face the detector works on
        // What the face signal said last: nothing yet, found or not found.
        enum class Said { Nothing, Found, NotFound } said = Said::Nothing;
        while (!m_stop) {
            const std::optional<cv::Mat> frame = m_capture->nextFrame();
            if (m_stop)
                return;
            if (!frame) {
                Q_EMIT ended(QCoreApplication::translate("ankerblick::CameraLink",
                                                         "Die Kamera liefert keine Bilder mehr."));
                return;
            }
            const quint32 time = m_capture->frameTime();
            if (m_findFace.exchange(false) || !detector) {
                detector.reset();
                inView.reset();
                const FaceInPicture found = findFace(*frame, m_discipline);
                const Said now = found.found ? Said::Found : Said::NotFound;
                if (said != now) {
                    said = now;
                    Q_EMIT face(found.found);
                }
                if (!found.found) {
                    sendPicture(*frame, time, nullptr);
                    continue;
                }
                inView = found;
                detector.emplace(found, m_discipline);
            }
            if (const std::optional<VisionEvent> event = detector->feed(*frame, time)) {
                if (event->kind == VisionEvent::Hole) {
                    const bool doubtful = event->certainty < VisionEvent::kDoubtful;
                    m_holes.push_back({event->centreMm, doubtful});
                    Q_EMIT hole(event->centreMm.x, event->centreMm.y, time, doubtful);
                } else {
                    const bool moved = event->kind == VisionEvent::Moved;
                    Q_EMIT newPaper(moved);
                    said = Said::Nothing; // the link shows "no face" until it is found again
                    m_findFace = true;
                    if (!moved)
                        m_holes.clear(); // the new paper's holes count from 1
                    inView.reset();
                }
            }
            sendPicture(*frame, time, inView ? &*inView : nullptr);
        }
    }

    // A few small pictures a second, one at a time: the window never falls
    // behind the camera, and the camera never waits for the window.
    void sendPicture(const cv::Mat& frame, quint32 time, const FaceInPicture* found) {
        if (m_pictureSent && time - m_pictureTime < CameraLink::kPictureMs)
            return;
        if (!m_pictureTaken.exchange(false))
            return;
        m_pictureSent = true;
        m_pictureTime = time;
        takeCorrections();
        Q_EMIT picture(smallPicture(frame, found, m_holes, m_discipline.blackDiameterMm));
    }

    void takeCorrections() {
        std::vector<Correction> taken;
        {
            const QMutexLocker lock(&m_correctionsLock);
            taken.swap(m_corrections);
        }
        for (const Correction& c : taken) {
            if (c.insert && size_t(c.index) <= m_holes.size()) {
                m_holes.insert(m_holes.begin() + c.index, {*c.toMm, c.doubtful});
                continue;
            }
            if (size_t(c.index) >= m_holes.size())
                continue; // a new paper came first
            const auto at = m_holes.begin() + c.index;
            if (c.toMm)
                *at = {*c.toMm, c.doubtful};
            else
                m_holes.erase(at);
        }
    }

    struct Correction {
        qsizetype index;
        std::optional<cv::Point2d> toMm;
        bool insert;
        bool doubtful;
    };
    QMutex m_correctionsLock;
    std::vector<Correction> m_corrections;
    std::shared_ptr<CameraCapture> m_capture;
    DisciplineInfo m_discipline;
    std::atomic<bool> m_stop = false;
    std::atomic<bool> m_findFace = true;
    std::atomic<bool> m_pictureTaken = true;
    // Read and written on the thread alone.
    std::vector<SeenInFrame> m_holes;
    quint32 m_pictureTime = 0;
    bool m_pictureSent = false;
};

CameraLink::CameraLink(CameraService& cameras, QObject* parent)
    : QObject(parent), m_cameras(cameras) {
    qRegisterMetaType<CameraPicture>();
    m_retry.setSingleShot(true);
    m_retry.setInterval(kRetryMs);
    connect(&m_retry, &QTimer::timeout, this, &CameraLink::enterPending);
}

CameraLink::~CameraLink() {
    // The thread's signals die with the link: none is delivered any more.
    if (m_worker)
        m_worker->disconnect(this);
    m_worker.reset();
}

void CameraLink::start(const QString& sourceId, const DisciplineInfo& discipline,
                       double calibreMm) {
    if (m_running || m_worker)
        return;
    DisciplineInfo measured = discipline;
    if (isCalibre(calibreMm))
        measured.calibreMm = calibreMm;
    // On at once: the other sources refuse meanwhile, and switching off
    // again drops the opening.
    m_running = true;
    m_lastProblem.clear();
    m_endText.clear();
    if (m_door)
        m_door->sourceActive(true);
    setLamp(CameraLamp::Opening);
    Q_EMIT runningChanged(true);
    const quint64 opening = ++m_opening;
    std::shared_ptr<CameraCapture> capture = m_cameras.create();
    background::run<std::optional<QString>>(
        this, [capture, sourceId](JobProgress&) { return capture->open(sourceId); },
        [this, capture, measured, opening](std::optional<QString> problem) {
            opened(capture, measured, opening, problem);
        });
}

// The source is open, or could not be opened: the camera starts reading it,
// unless it was switched off meanwhile.
void CameraLink::opened(const std::shared_ptr<CameraCapture>& capture,
                        const DisciplineInfo& discipline, quint64 opening,
                        const std::optional<QString>& problem) {
    if (opening != m_opening || !m_running) {
        if (!problem)
            background::run<bool>(
                this,
                [capture](JobProgress&) {
                    capture->close();
                    return true;
                },
                [](bool) {});
        return;
    }
    if (problem) {
        m_running = false;
        settleStop();
        Q_EMIT told(*problem);
        return;
    }
    m_worker = std::make_unique<CameraWorker>(capture, discipline);
    connect(m_worker.get(), &CameraWorker::hole, this, &CameraLink::holeSeen);
    connect(m_worker.get(), &CameraWorker::face, this, &CameraLink::faceSeen);
    connect(m_worker.get(), &CameraWorker::newPaper, this, &CameraLink::newPaper);
    connect(m_worker.get(), &CameraWorker::ended, this, &CameraLink::sourceEnded);
    connect(m_worker.get(), &CameraWorker::picture, this, &CameraLink::pictureSeen);
    connect(m_worker.get(), &QThread::finished, this, &CameraLink::workerEnded);
    setLamp(CameraLamp::NoFace);
    m_worker->start();
}

QString CameraLink::stop() {
    if (!m_running)
        return {};
    // Off first: what the thread still reports on its way out, a new paper
    // or the end of the source, changes nothing any more; its holes count.
    m_running = false;
    ++m_opening; // an opening under way is dropped
    setLamp(CameraLamp::Off);
    m_picture = CameraPicture();
    m_corrected.clear();
    Q_EMIT pictureChanged();
    if (m_worker) {
        // The thread ends after the frame it reads; the holes it saw until
        // then are entered when it has (workerEnded).
        m_worker->askToStop();
        return {};
    }
    return settleStop();
}

void CameraLink::finishNow(int waitMs) {
    stop();
    if (!m_worker)
        return;
    if (!m_worker->wait(QDeadlineTimer(waitMs))) {
        qCWarning(lcCamera) << "the camera's thread did not end within" << waitMs << "ms";
        return;
    }
    // What the thread saw before it ended, and its end, are still on their way.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void CameraLink::workerEnded() {
    m_worker.reset();
    const QString note = settleStop();
    QStringList lines;
    if (const QString text = std::exchange(m_endText, QString()); !text.isEmpty())
        lines << text;
    if (!note.isEmpty())
        lines << note;
    if (!lines.isEmpty())
        Q_EMIT told(lines.join(QLatin1Char('\n')));
}

// The holes seen are entered, and the window settles what it held back.
QString CameraLink::settleStop() {
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

void CameraLink::holeSeen(double xMm, double yMm, quint32 frameTime, bool doubtful) {
    m_pending.push_back({xMm, yMm, frameTime, doubtful});
    enterPending();
}

std::optional<PointF> CameraLink::drawnAt(QPointF inPicture) const {
    if (!m_door || !m_picture.toFaceMm)
        return std::nullopt;
    const QPointF mm = m_picture.toFaceMm->map(inPicture);
    return m_door->geometry().fromMm(mm.x(), mm.y());
}

bool CameraLink::correctHole(qsizetype index, std::optional<QPointF> to) {
    if (index < 0 || index >= m_picture.holes.size())
        return false;
    const std::optional<PointF> from = drawnAt(m_picture.holes.at(index));
    const std::optional<PointF> onto = to ? drawnAt(*to) : std::nullopt;
    if (!from || (to && !onto))
        return false;
    if (const QString problem = m_door->correct(*from, onto); !problem.isEmpty()) {
        Q_EMIT told(problem);
        return false;
    }
    const Corrected c{index, m_picture.holes.at(index), m_picture.doubtful.value(index), !to};
    m_corrected.push_back(c);
    showCorrected(c, to);
    return true;
}

// The picture shows the correction at once; the camera's thread keeps it so
// from its next picture.
void CameraLink::showCorrected(const Corrected& c, std::optional<QPointF> to) {
    std::optional<cv::Point2d> toMm;
    if (to) {
        const QPointF mm = m_picture.toFaceMm->map(*to);
        toMm = cv::Point2d(mm.x(), mm.y());
        m_picture.holes[c.index] = *to;
        m_picture.doubtful[c.index] = false;
    } else {
        m_picture.holes.removeAt(c.index);
        m_picture.doubtful.removeAt(c.index);
    }
    if (m_worker)
        m_worker->correct(c.index, toMm);
    Q_EMIT pictureChanged();
}

void CameraLink::correctionTakenBack() {
    if (m_corrected.empty() || !m_picture.toFaceMm)
        return;
    const Corrected c = m_corrected.back();
    m_corrected.pop_back();
    if (c.index > m_picture.holes.size() || (!c.removed && c.index == m_picture.holes.size()))
        return; // a new paper came meanwhile
    const QPointF mm = m_picture.toFaceMm->map(c.at);
    if (c.removed) {
        m_picture.holes.insert(c.index, c.at);
        m_picture.doubtful.insert(c.index, c.doubtful);
    } else {
        m_picture.holes[c.index] = c.at;
        m_picture.doubtful[c.index] = c.doubtful;
    }
    if (m_worker)
        m_worker->correct(c.index, cv::Point2d(mm.x(), mm.y()), c.removed, c.doubtful);
    Q_EMIT pictureChanged();
}

bool CameraLink::addHole(QPointF at) {
    const std::optional<PointF> drawn = drawnAt(at);
    if (!drawn)
        return false;
    const HitReceipt receipt = m_door->enter({*drawn, std::nullopt, HitCheck::Added});
    if (!receipt.stored) {
        Q_EMIT told(receipt.problem.isEmpty()
                        ? tr("Dort lässt sich kein Treffer eintragen: er läge außerhalb der "
                             "Wertung, oder die Serienliste ist voll.")
                        : receipt.problem);
        return false;
    }
    const QPointF mm = m_picture.toFaceMm->map(at);
    m_picture.holes << at;
    m_picture.doubtful << false;
    if (m_worker)
        m_worker->correct(m_picture.holes.size() - 1, cv::Point2d(mm.x(), mm.y()), true);
    Q_EMIT pictureChanged();
    return true;
}

void CameraLink::enterPending() {
    while (!m_pending.empty()) {
        if (!m_door) {
            m_retry.start();
            return;
        }
        const SeenHole& seen = m_pending.front();
        const PointF at = m_door->geometry().fromMm(seen.xMm, seen.yMm);
        const ArrivedHit hit{at, seen.frameTime,
                             seen.doubtful ? HitCheck::Doubtful : HitCheck::Sure};
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

void CameraLink::newPaper(bool moved) {
    if (!m_running)
        return;
    setLamp(CameraLamp::NoFace);
    if (!moved)
        m_corrected.clear(); // the holes they were made to are gone
    Q_EMIT told(moved ? tr("Kamera bewegt – Scheibe neu erkannt") : tr("Neue Scheibe erkannt"));
}

void CameraLink::pictureSeen(const CameraPicture& picture) {
    if (!m_running || !m_worker)
        return;
    m_picture = picture;
    m_worker->pictureTaken();
    Q_EMIT pictureChanged();
}

void CameraLink::sourceEnded(const QString& text) {
    if (!m_running)
        return;
    // Told with what the window says of its held hits once the thread ended.
    m_endText = text;
    stop();
}

void CameraLink::setLamp(CameraLamp lamp) {
    if (lamp == m_lamp)
        return;
    m_lamp = lamp;
    Q_EMIT lampChanged(lamp);
}

} // namespace ankerblick

#include "cameralink.moc"
