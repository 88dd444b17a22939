#include "commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace ankerblick {

namespace {

const QCommandLineOption& nameOption() {
    static const QCommandLineOption o(
        QStringList{QStringLiteral("name")},
        QStringLiteral("Name des Schützen; die Frage nach dem Namen entfällt."),
        QStringLiteral("Name"));
    return o;
}

const QCommandLineOption& portOption() {
    static const QCommandLineOption o(
        QStringList{QStringLiteral("port")},
        QStringLiteral("Bietet diesen seriellen Anschluss (z. B. /dev/ttyUSB0) zusätzlich für "
                       "die elektronische Scheibe an; auch mehrmals."),
        QStringLiteral("Anschluss"));
    return o;
}

const QCommandLineOption& cameraOption() {
    static const QCommandLineOption o(
        QStringList{QStringLiteral("kamera")},
        QStringLiteral("Bietet diese Quelle (Kamera wie /dev/video2, Videodatei oder Ordner mit "
                       "Bildern) zusätzlich als Kamera an; auch mehrmals."),
        QStringLiteral("Quelle"));
    return o;
}

void describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Abkommenstraining für Sportschützen: Abkommen und Treffer jedes "
                       "Schusses erfassen, werten und vergleichen."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(nameOption());
    parser.addOption(portOption());
    parser.addOption(cameraOption());
    parser.addPositionalArgument(QStringLiteral("datei"),
                                 QStringLiteral("Seriendatei, die nach dem Start geöffnet wird."),
                                 QStringLiteral("[datei]"));
}

} // namespace

bool asksForHelpOrVersion(const QStringList& arguments) {
    static const QStringList answers{QStringLiteral("-h"), QStringLiteral("--help"),
                                     QStringLiteral("-?"), QStringLiteral("--help-all"),
                                     QStringLiteral("-v"), QStringLiteral("--version")};
    for (const QString& a : arguments.mid(1)) {
        if (a == QStringLiteral("--"))
            return false;
        if (answers.contains(a))
            return true;
    }
    return false;
}

CommandLine readCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    describe(parser);
    CommandLine result;
    if (!parser.parse(arguments)) {
        result.exitCode = 1;
        result.error =
            parser.errorText() + QStringLiteral("\nMit --help werden alle Optionen gezeigt.\n");
        return result;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        result.exitCode = 0;
        result.output = parser.helpText();
        return result;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        result.exitCode = 0;
        result.output = QCoreApplication::applicationName() + u' ' +
                        QCoreApplication::applicationVersion() + u'\n';
        return result;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        result.exitCode = 1;
        result.error = QStringLiteral("Bitte höchstens eine Seriendatei angeben.\n");
        return result;
    }
    result.options.name = parser.value(nameOption()).trimmed();
    result.options.ports = parser.values(portOption());
    result.options.ports.removeAll(QString()); // "--port=" names no port
    result.options.cameras = parser.values(cameraOption());
    result.options.cameras.removeAll(QString());
    result.options.file = files.value(0);
    return result;
}

} // namespace ankerblick
