#include "videocapture.h"

#include "model/logging.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QMutex>

namespace ankerblick {

namespace {

using OpenVideo = VideoSource* (*)(const char*, int);

// Where the module is looked for: ANKERBLICK_CAPTURE_MODULE names it (the
// tests do), else beside the program (a build folder), else in the
// installed program's library folder.
QStringList moduleCandidates() {
    QStringList candidates;
    const QString named = qEnvironmentVariable("ANKERBLICK_CAPTURE_MODULE");
    if (!named.isEmpty())
        candidates << named;
    const QDir program(QCoreApplication::applicationDirPath());
    candidates << program.filePath(QStringLiteral("libankerblick-capture.so"))
               << program.filePath(QStringLiteral("../lib/ankerblick/libankerblick-capture.so"));
    return candidates;
}

OpenVideo loadModule() {
    for (const QString& path : moduleCandidates()) {
        if (!QFile::exists(path))
            continue;
        QLibrary module(path);
        if (!module.load()) {
            qCWarning(lcCamera, "%s", qPrintable(module.errorString()));
            continue;
        }
        if (auto open = reinterpret_cast<OpenVideo>(module.resolve("ankerblick_open_video")))
            return open; // loaded for good
        qCWarning(lcCamera, "%s", qPrintable(module.errorString()));
    }
    qCWarning(lcCamera, "The video capture module was not found: %s",
              qPrintable(moduleCandidates().join(QStringLiteral(", "))));
    return nullptr;
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
