#include "opencvcamera.h"

#include "services/clock.h"
#include "videocapture.h"
#include "vision/picture.h"

#include <QCoreApplication>
#include <opencv2/imgproc.hpp>

#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <cmath>

namespace ankerblick {

namespace {

// A folder of pictures plays at 10 a second.
constexpr quint32 pictureInterval = 100;
// A video file that tells no rate plays at 25 frames a second.
constexpr double defaultVideoRate = 25.0;

const QStringList& pictureSuffixes() {
    static const QStringList s{QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("png"),
                               QStringLiteral("bmp")};
    return s;
}

bool isPicture(const QFileInfo& file) {
    return pictureSuffixes().contains(file.suffix().toLower());
}

bool isDevicePath(const QString& id) {
    return id.startsWith(QStringLiteral("/dev/"));
}

// The frame as the capture hands it out: 8-bit BGR.
std::optional<cv::Mat> asBgr(const cv::Mat& frame) {
    if (frame.empty())
        return std::nullopt;
    cv::Mat eight = frame;
    if (frame.depth() != CV_8U)
        frame.convertTo(eight, CV_8U);
    switch (eight.channels()) {
    case 3:
        return eight.clone();
    case 1: {
        cv::Mat bgr;
        cv::cvtColor(eight, bgr, cv::COLOR_GRAY2BGR);
        return bgr;
    }
    case 4: {
        cv::Mat bgr;
        cv::cvtColor(eight, bgr, cv::COLOR_BGRA2BGR);
        return bgr;
    }
    default:
        return std::nullopt;
    }
}

// Where frames come from. read() gives the next decoded frame; empty at the
// end of a file, or when a device vanished.
class FrameReader {
public:
    virtual ~FrameReader() = default;
    virtual std::optional<cv::Mat> read() = 0;
};

class PictureReader final : public FrameReader {
public:
    explicit PictureReader(QStringList files) : m_files(std::move(files)) {}
    // Pictures that do not decode are passed over.
    std::optional<cv::Mat> read() override {
        while (m_next < m_files.size()) {
            const cv::Mat picture = readPicture(m_files.at(m_next++));
            if (const std::optional<cv::Mat> frame = asBgr(picture))
                return frame;
        }
        return std::nullopt;
    }

private:
    QStringList m_files;
    qsizetype m_next = 0;
};

class VideoReader final : public FrameReader {
public:
    explicit VideoReader(std::unique_ptr<VideoSource> video) : m_video(std::move(video)) {}
    std::optional<cv::Mat> read() override {
        cv::Mat frame;
        if (!m_video->read(frame))
            return std::nullopt;
        return asBgr(frame);
    }

private:
    std::unique_ptr<VideoSource> m_video;
};

class OpenCvCapture final : public CameraCapture {
public:
    OpenCvCapture(const Clock& clock, OpenCvCameraService::Wait wait)
        : m_clock(clock), m_wait(std::move(wait)) {}

    std::optional<QString> open(const QString& id) override {
        close();
        const QFileInfo info(id);
        if (isDevicePath(id))
            return openDevice(id, info);
        if (info.isDir())
            return openFolder(info);
        if (!info.exists())
            return QCoreApplication::translate("Camera", "„%1“ gibt es nicht.")
                .arg(QDir::toNativeSeparators(id));
        if (isPicture(info))
            return openPictures({info.absoluteFilePath()}, noPictureOrVideo(info));
        return openVideoFile(info);
    }

    std::optional<cv::Mat> nextFrame() override {
        if (!m_reader)
            return std::nullopt;
        std::optional<cv::Mat> frame = std::move(m_pending);
        m_pending.reset();
        if (!frame)
            frame = m_reader->read();
        if (!frame) {
            // A file stays on its last frame; a device that gives none is gone.
            if (!m_interval || m_last.empty()) {
                close();
                return std::nullopt;
            }
            frame = m_last.clone();
        }
        return handOut(*frame);
    }

    quint32 frameTime() const override { return m_frameTime; }

    void close() override {
        m_reader.reset();
        m_pending.reset();
        m_last = cv::Mat();
        m_interval = 0;
        m_started = false;
    }

private:
    static QString noPictureOrVideo(const QFileInfo& info) {
        return QCoreApplication::translate("Camera", "„%1“ ist weder ein Bild noch ein Video.")
            .arg(info.fileName());
    }

    std::optional<QString> openDevice(const QString& id, const QFileInfo& info) {
        if (!info.exists())
            return QCoreApplication::translate("Camera", "Die Kamera %1 gibt es nicht.").arg(id);
        std::unique_ptr<VideoSource> video = openVideoSource(id, VideoKind::Device);
        if (!video)
            return QCoreApplication::translate("Camera", "Die Kamera %1 lässt sich nicht öffnen.")
                .arg(id);
        m_reader = std::make_unique<VideoReader>(std::move(video));
        m_pending = m_reader->read();
        if (!m_pending) {
            close();
            return QCoreApplication::translate("Camera", "Die Kamera %1 liefert keine Bilder.")
                .arg(id);
        }
        return std::nullopt;
    }

    std::optional<QString> openFolder(const QFileInfo& folder) {
        QStringList files;
        const QFileInfoList entries =
            QDir(folder.absoluteFilePath()).entryInfoList(QDir::Files | QDir::Readable, QDir::Name);
        for (const QFileInfo& entry : entries)
            if (isPicture(entry))
                files << entry.absoluteFilePath();
        return openPictures(files, QCoreApplication::translate("Camera",
                                                               "Im Ordner „%1“ sind keine Bilder "
                                                               "(jpg, jpeg, png, bmp).")
                                       .arg(folder.fileName()));
    }

    std::optional<QString> openPictures(const QStringList& files, const QString& noneMessage) {
        m_reader = std::make_unique<PictureReader>(files);
        m_pending = m_reader->read();
        if (!m_pending) {
            close();
            return noneMessage;
        }
        m_interval = pictureInterval;
        return std::nullopt;
    }

    std::optional<QString> openVideoFile(const QFileInfo& info) {
        std::unique_ptr<VideoSource> video =
            openVideoSource(info.absoluteFilePath(), VideoKind::File);
        if (!video)
            return noPictureOrVideo(info);
        double rate = video->rate();
        if (!std::isfinite(rate) || rate < 1.0 || rate > 1000.0)
            rate = defaultVideoRate;
        m_reader = std::make_unique<VideoReader>(std::move(video));
        m_pending = m_reader->read();
        if (!m_pending) {
            close();
            return noPictureOrVideo(info);
        }
        m_interval = static_cast<quint32>(std::lround(1000.0 / rate));
        return std::nullopt;
    }

    // The one way out for every frame: paced for files (each due one
    // interval after the one before), at once for devices, timed by the clock.
    cv::Mat handOut(const cv::Mat& frame) {
        quint32 now = m_clock.milliseconds();
        if (m_interval && m_started) {
            const quint32 due = m_frameTime + m_interval;
            const qint32 ahead = static_cast<qint32>(due - now);
            if (ahead > 0) {
                m_wait(static_cast<quint32>(ahead));
                now = due;
            }
        }
        m_frameTime = now;
        m_started = true;
        // What the receiver draws on the frame stays off the one kept.
        if (m_interval)
            m_last = frame.clone();
        return frame;
    }

    const Clock& m_clock;
    OpenCvCameraService::Wait m_wait;
    std::unique_ptr<FrameReader> m_reader;
    // The first frame, read when opening to learn whether the source works.
    std::optional<cv::Mat> m_pending;
    // The last frame of a file, which stays.
    cv::Mat m_last;
    // Milliseconds between frames of a file; 0 for a device.
    quint32 m_interval = 0;
    quint32 m_frameTime = 0;
    bool m_started = false;
};

// video0, video2, video10: in the order of their numbers.
bool deviceBefore(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

QString sourceName(const QString& id) {
    const QFileInfo info(id);
    if (isDevicePath(id))
        return QCoreApplication::translate("Camera", "Kamera %1").arg(id);
    if (info.isDir())
        return QCoreApplication::translate("Camera", "Bilder: %1")
            .arg(info.fileName().isEmpty() ? id : info.fileName());
    if (isPicture(info))
        return QCoreApplication::translate("Camera", "Bild: %1").arg(info.fileName());
    return QCoreApplication::translate("Camera", "Video: %1").arg(info.fileName());
}

} // namespace

OpenCvCameraService::OpenCvCameraService(const Clock& clock, Wait wait, QString deviceFolder)
    : m_clock(clock), m_wait(std::move(wait)), m_deviceFolder(std::move(deviceFolder)) {}

void OpenCvCameraService::sleep(quint32 ms) {
    QThread::msleep(ms);
}

QList<CameraSourceInfo> OpenCvCameraService::sources(const QStringList& extra) const {
    QStringList devices =
        QDir(m_deviceFolder)
            .entryList({QStringLiteral("video*")}, QDir::System | QDir::Files, QDir::NoSort);
    std::sort(devices.begin(), devices.end(), deviceBefore);
    QList<CameraSourceInfo> result;
    QStringList ids;
    for (const QString& device : devices) {
        const QString id = QDir(m_deviceFolder).filePath(device);
        result.append(
            {id,
             QCoreApplication::translate("ankerblick::OpenCvCameraService", "Kamera %1").arg(id)});
        ids << id;
    }
    for (const QString& e : extra)
        if (!e.isEmpty() && !ids.contains(e)) {
            result.append({e, sourceName(e)});
            ids << e;
        }
    return result;
}

std::unique_ptr<CameraCapture> OpenCvCameraService::create() {
    return std::make_unique<OpenCvCapture>(m_clock, m_wait);
}

} // namespace ankerblick
