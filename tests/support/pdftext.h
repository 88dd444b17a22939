#pragma once

// The text of a PDF as poppler's pdftotext lays it out; empty without the tool.

#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace ankerblick::test {

inline QString pdfText(const QString& file) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return {};
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace ankerblick::test
