#pragma once

// The program's command line:
//
//   ankerblick [--name NAME] [--port PATH]... [--kamera QUELLE]... [SERIENDATEI]
//
// --help and --version answer and end the program before any window opens.

#include <QString>
#include <QStringList>

#include <optional>

namespace ankerblick {

struct StartOptions {
    QString name;      // --name: the shooter; the name prompt is skipped
    QStringList ports; // --port: further serial ports, in the order given
    QString file;      // a series file opened in the main window at start
    // --kamera: further camera sources (video files, folders of pictures,
    // devices), in the order given
    QStringList cameras{};
};

struct CommandLine {
    StartOptions options;
    // Set when the program ends at once: its exit status, and what it
    // prints on standard output and standard error.
    std::optional<int> exitCode;
    QString output;
    QString error;
};

// Reads the arguments (the first is the program), after Qt took its own
// (-platform and the like). Uses the application name and version set on
// QCoreApplication, and its installed translators.
CommandLine readCommandLine(const QStringList& arguments);

// Whether the arguments ask for the help or the version only, which are
// answered without a display.
bool asksForHelpOrVersion(const QStringList& arguments);

} // namespace ankerblick
