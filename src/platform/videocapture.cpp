#include "videocapture.h"

#include "model/logging.h"
#include "programmodule.h"

#include <QFile>
#include <QMutex>

namespace ankerblick {

namespace {

using OpenVideo = VideoSource* (*)(const char*, int);

OpenVideo loadModule() {
    const ProgramModule module{"ANKERBLICK_CAPTURE_MODULE", "libankerblick-capture.so",
                               "ankerblick_open_video", lcCamera};
    return reinterpret_cast<OpenVideo>(loadModuleFunction(module));
}

} // namespace

std::unique_ptr<VideoSource> openVideoSource(const QString& path, VideoKind kind) {
    static QMutex guard;
    static OpenVideo open = nullptr;
    static bool tried = false;
    {
        const QMutexLocker lock(&guard);
        if (!tried) {
            open = loadModule();
            tried = true;
        }
    }
    if (!open)
        return nullptr;
    return std::unique_ptr<VideoSource>(
        open(QFile::encodeName(path).constData(), kind == VideoKind::Device ? 1 : 0));
}

} // namespace ankerblick
