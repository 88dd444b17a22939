#include "programmodule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>

namespace ankerblick {

namespace {

QStringList moduleCandidates(const ProgramModule& module) {
    QStringList candidates;
    const QString named = qEnvironmentVariable(module.variable);
    if (!named.isEmpty())
        candidates << named;
    const QDir program(QCoreApplication::applicationDirPath());
    const QString file = QString::fromLatin1(module.file);
    candidates << program.filePath(file)
               << program.filePath(QStringLiteral("../lib/ankerblick/") + file);
    return candidates;
}

} // namespace

QFunctionPointer loadModuleFunction(const ProgramModule& module) {
    const QStringList candidates = moduleCandidates(module);
    for (const QString& path : candidates) {
        if (!QFile::exists(path))
            continue;
        QLibrary library(path);
        if (!library.load()) {
            qCWarning(module.category, "%s", qPrintable(library.errorString()));
            continue;
        }
        if (QFunctionPointer function = library.resolve(module.function))
            return function; // loaded for good
        qCWarning(module.category, "%s", qPrintable(library.errorString()));
    }
    qCWarning(module.category, "The module %s was not found: %s", module.file,
              qPrintable(candidates.join(QStringLiteral(", "))));
    return nullptr;
}

} // namespace ankerblick
