#pragma once

// The camera that watches a paper target: the sources it can be read from
// (camera devices, video files, folders of pictures) and the capture that
// hands out their frames one after the other.

#include <opencv2/core/mat.hpp>

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>
#include <optional>

namespace ankerblick {

struct CameraSourceInfo {
    // What opens it: a camera device ("/dev/video0"), a video file or a
    // folder of pictures.
    QString id;
    // What the list shows: "Kamera /dev/video0", "Video: name.avi",
    // "Bilder: folder".
    QString name;

    bool operator==(const CameraSourceInfo&) const = default;
};

// One opened source. Its frames are read on the thread that calls
// nextFrame(); one capture is used from one thread at a time.
class CameraCapture {
public:
    virtual ~CameraCapture() = default;
    // Opens the source (closing the one before); empty on success, else
    // what the shooter is told in German (no such camera, not a picture or
    // video, a folder without pictures).
    virtual std::optional<QString> open(const QString& id) = 0;
    // Blocks until the next frame (BGR, CV_8UC3) and returns it. A folder of
    // pictures plays them in file-name order at 10 a second, a video file
    // its frames at its own rate; after the last one it stays and is handed
    // out again at the same pace. Empty when nothing is open, or the source
    // vanished or failed.
    virtual std::optional<cv::Mat> nextFrame() = 0;
    // The clock's milliseconds (Clock::milliseconds) of the last frame.
    virtual quint32 frameTime() const = 0;
    virtual void close() = 0;
};

class CameraService {
public:
    virtual ~CameraService() = default;
    // The camera devices present (/dev/video*, in the order of their
    // numbers), then every extra source (file or folder) as given.
    virtual QList<CameraSourceInfo> sources(const QStringList& extra) const = 0;
    virtual std::unique_ptr<CameraCapture> create() = 0;
};

} // namespace ankerblick
