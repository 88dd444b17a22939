#pragma once

// The camera through OpenCV: camera devices and video files through
// OpenCV's video capture (a module loaded at the first use), pictures and
// folders of pictures through Qt's image readers.

#include "services/camera.h"

#include <functional>

namespace ankerblick {

class Clock;

class OpenCvCameraService final : public CameraService {
public:
    // Waits the given milliseconds between paced frames.
    using Wait = std::function<void(quint32 ms)>;
    // Frames are timed by the clock; files are paced by waiting. The camera
    // devices are looked for in deviceFolder (video0, video1, ...).
    explicit OpenCvCameraService(const Clock& clock, Wait wait = sleep,
                                 QString deviceFolder = QStringLiteral("/dev"));

    QList<CameraSourceInfo> sources(const QStringList& extra) const override;
    std::unique_ptr<CameraCapture> create() override;

    static void sleep(quint32 ms);

private:
    const Clock& m_clock;
    Wait m_wait;
    QString m_deviceFolder;
};

} // namespace ankerblick
