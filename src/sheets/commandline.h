#pragma once

// The program's command line:
//
//   ankerblick [--name NAME] [--port PATH]... [--scheibe ADRESSE]... [--kamera QUELLE]...
//              [--verein URL] [SERIENDATEI]
//   ankerblick --verein-einrichten URL [--verein-schuetze NAME | --verein-trainer NAME]
//
// --help and --version answer and end the program before any window opens;
// so does the club's setup: URL is the connection URI of the database's
// owner, the tables and roles are created or brought up to date, and with
// --verein-schuetze or --verein-trainer one login is added, its password
// read from standard input.

#include <QString>
#include <QStringList>

#include <optional>

namespace ankerblick {

struct StartOptions {
    QString name; // --name: the shooter; the name prompt is skipped
    // --port: further serial ports, in the order given; then --scheibe: the
    // targets that send JSON (tcp://HOST:PORT, serial:PATH)
    QStringList ports;
    QString file; // a series file opened in the main window at start
    // --kamera: further camera sources (video files, folders of pictures,
    // devices), in the order given
    QStringList cameras{};
    // --verein: the connection URI of the club's server the lane sends its
    // diary to, in place of the one set in "Datei → Vereinsserver …"
    QString club{};
};

// The setup of a club's server, done without any window.
struct ClubSetup {
    QString url;   // the owner's connection URI
    QString login; // a login to add after the setup; empty for none
    bool coach = false;
};

struct CommandLine {
    StartOptions options;
    // Set when the command line sets up a club's server instead of training.
    std::optional<ClubSetup> club;
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

// Whether the arguments ask for the help or the version only, or set up a
// club's server: these are answered without a display.
bool asksForHelpOrVersion(const QStringList& arguments);
bool asksForClubSetup(const QStringList& arguments);

} // namespace ankerblick
