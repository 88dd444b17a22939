#include "commandline.h"

#include "services/bytestream.h"
#include "services/clubaddress.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace ankerblick {

namespace {

const QCommandLineOption& nameOption() {
    static const QCommandLineOption o(
        QStringList{QStringLiteral("name")},
        QCoreApplication::translate("CommandLine",
                                    "Name des Schützen; die Frage nach dem Namen entfällt."),
        QCoreApplication::translate("CommandLine", "Name"));
    return o;
}

const QCommandLineOption& portOption() {
    static const QCommandLineOption o(
        QStringList{QStringLiteral("port")},
        QCoreApplication::translate(
            "CommandLine", "Bietet diesen seriellen Anschluss (z. B. /dev/ttyUSB0) zusätzlich für "
                           "die elektronische Scheibe an; auch mehrmals."),
        QCoreApplication::translate("CommandLine", "Anschluss"));
    return o;
}

const QCommandLineOption& targetOption() {
    static const QCommandLineOption o(
        QStringList{QStringLiteral("scheibe")},
        QCoreApplication::translate(
            "CommandLine", "Bietet diese Scheibe, die ihre Schüsse als JSON sendet, zusätzlich "
                           "an: tcp://HOST:PORT oder serial:PFAD; auch mehrmals."),
        QCoreApplication::translate("CommandLine", "Adresse"));
    return o;
}

const QCommandLineOption& cameraOption() {
    static const QCommandLineOption o(
        QStringList{QStringLiteral("kamera")},
        QCoreApplication::translate(
            "CommandLine",
            "Bietet diese Quelle (Kamera wie /dev/video2, Videodatei oder Ordner mit "
            "Bildern) zusätzlich als Kamera an; auch mehrmals."),
        QCoreApplication::translate("CommandLine", "Quelle"));
    return o;
}

const QCommandLineOption& clubOption() {
    static const QCommandLineOption o(
        QStringList{QStringLiteral("verein")},
        QCoreApplication::translate(
            "CommandLine",
            "Sendet das Trainingstagebuch an den Vereinsserver dieser Verbindungs-URI "
            "(postgresql://benutzer@server/datenbank); das Passwort kommt aus dem "
            "Schlüsselbund, aus ~/.pgpass oder PGPASSWORD."),
        QStringLiteral("URL"));
    return o;
}

const QCommandLineOption& clubSetupOption() {
    static const QCommandLineOption o(
        QStringList{QStringLiteral("verein-einrichten")},
        QCoreApplication::translate(
            "CommandLine",
            "Richtet die Tabellen und Rollen des Vereins auf dem PostgreSQL-Server "
            "ein oder bringt sie auf den neuen Stand; URL ist die Verbindungs-URI des "
            "Eigentümers der Datenbank (postgresql://benutzer@server/datenbank)."),
        QStringLiteral("URL"));
    return o;
}

const QCommandLineOption& clubShooterOption() {
    static const QCommandLineOption o(
        QStringList{QStringLiteral("verein-schuetze")},
        QCoreApplication::translate(
            "CommandLine",
            "Mit --verein-einrichten: legt die Anmeldung eines Schützen an (oder gibt "
            "ihr ein neues Passwort); das Passwort kommt von der Standardeingabe."),
        QCoreApplication::translate("CommandLine", "Name"));
    return o;
}

const QCommandLineOption& clubCoachOption() {
    static const QCommandLineOption o(
        QStringList{QStringLiteral("verein-trainer")},
        QCoreApplication::translate(
            "CommandLine", "Mit --verein-einrichten: legt die Anmeldung eines Trainers an, der die "
                           "Trainings aller Schützen lesen darf; das Passwort kommt von der "
                           "Standardeingabe."),
        QCoreApplication::translate("CommandLine", "Name"));
    return o;
}

// --help and --version, answered at once; false when neither is asked for.
bool answerHelpOrVersion(const QCommandLineParser& parser, CommandLine& result) {
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        result.exitCode = 0;
        result.output = parser.helpText();
        return true;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        result.exitCode = 0;
        result.output = QCoreApplication::applicationName() + u' ' +
                        QCoreApplication::applicationVersion() + u'\n';
        return true;
    }
    return false;
}

// The --scheibe targets after the ports; what is wrong with one, if any.
QString addTargets(const QCommandLineParser& parser, QStringList& ports) {
    for (const QString& target : parser.values(targetOption())) {
        if (!ByteStream::isStreamLocation(target))
            return QCoreApplication::translate(
                       "CommandLine",
                       "--scheibe %1: bitte tcp://HOST:PORT oder serial:PFAD angeben.\n")
                .arg(target);
        ports.append(target);
    }
    return {};
}

void describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine", "Abkommenstraining für Sportschützen: Abkommen und Treffer jedes "
                       "Schusses erfassen, werten und vergleichen."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(nameOption());
    parser.addOption(portOption());
    parser.addOption(targetOption());
    parser.addOption(cameraOption());
    parser.addOption(clubOption());
    parser.addOption(clubSetupOption());
    parser.addOption(clubShooterOption());
    parser.addOption(clubCoachOption());
    parser.addPositionalArgument(
        QCoreApplication::translate("CommandLine", "datei"),
        QCoreApplication::translate("CommandLine",
                                    "Seriendatei, die nach dem Start geöffnet wird."),
        QCoreApplication::translate("CommandLine", "[datei]"));
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

bool asksForClubSetup(const QStringList& arguments) {
    for (const QString& a : arguments.mid(1)) {
        if (a == QStringLiteral("--"))
            return false;
        for (const char* option : {"--verein-einrichten", "--verein-schuetze", "--verein-trainer"})
            if (a == QLatin1StringView(option) || a.startsWith(QLatin1StringView(option) + u'='))
                return true;
    }
    return false;
}

namespace {

// The club's setup, or the reason why the command line's is none.
std::optional<ClubSetup> clubSetupOf(const QCommandLineParser& parser, QString& error) {
    const QStringList shooters = parser.values(clubShooterOption());
    const QStringList coaches = parser.values(clubCoachOption());
    if (!parser.isSet(clubSetupOption())) {
        if (!shooters.isEmpty() || !coaches.isEmpty())
            error = QCoreApplication::translate("CommandLine",
                                                "--verein-schuetze und --verein-trainer gehören zu "
                                                "--verein-einrichten URL.\n");
        return std::nullopt;
    }
    const QStringList urls = parser.values(clubSetupOption());
    if (urls.size() > 1) {
        error = QCoreApplication::translate("CommandLine",
                                            "Bitte --verein-einrichten nur einmal angeben.\n");
        return std::nullopt;
    }
    if (shooters.size() + coaches.size() > 1) {
        error = QCoreApplication::translate("CommandLine",
                                            "Bitte je Aufruf höchstens eine Anmeldung anlegen.\n");
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty() || parser.isSet(nameOption()) ||
        parser.isSet(portOption()) || parser.isSet(targetOption()) ||
        parser.isSet(cameraOption()) || parser.isSet(clubOption())) {
        error = QCoreApplication::translate(
            "CommandLine", "--verein-einrichten steht für sich; ohne Seriendatei, Name, "
                           "Anschluss oder Kamera.\n");
        return std::nullopt;
    }
    // What the command line says shows in the process list for every user.
    const std::optional<club::Address> address = club::parseAddress(urls.value(0));
    if (address && !address->password.isEmpty()) {
        error = QCoreApplication::translate(
            "CommandLine", "Bitte kein Passwort in die Adresse nach --verein-einrichten schreiben: "
                           "Jeder Benutzer des Rechners kann sie lesen. Das Passwort des "
                           "Eigentümers kommt aus ~/.pgpass oder PGPASSWORD.\n");
        return std::nullopt;
    }
    ClubSetup setup;
    setup.url = urls.value(0);
    setup.coach = !coaches.isEmpty();
    setup.login = setup.coach ? coaches.value(0) : shooters.value(0);
    return setup;
}

} // namespace

CommandLine readCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    describe(parser);
    CommandLine result;
    if (!parser.parse(arguments)) {
        result.exitCode = 1;
        result.error = QCoreApplication::translate("CommandLine",
                                                   "%1\nMit --help werden alle Optionen gezeigt.\n")
                           .arg(parser.errorText());
        return result;
    }
    if (answerHelpOrVersion(parser, result))
        return result;
    QString clubError;
    result.club = clubSetupOf(parser, clubError);
    if (!clubError.isEmpty()) {
        result.exitCode = 1;
        result.error = clubError;
        return result;
    }
    if (result.club)
        return result;
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        result.exitCode = 1;
        result.error = QCoreApplication::translate("CommandLine",
                                                   "Bitte höchstens eine Seriendatei angeben.\n");
        return result;
    }
    result.options.name = parser.value(nameOption()).trimmed();
    result.options.ports = parser.values(portOption());
    result.options.ports.removeAll(QString()); // "--port=" names no port
    if (const QString wrong = addTargets(parser, result.options.ports); !wrong.isEmpty()) {
        result.exitCode = 1;
        result.error = wrong;
        return result;
    }
    result.options.cameras = parser.values(cameraOption());
    result.options.cameras.removeAll(QString());
    result.options.file = files.value(0);
    const QString clubUrl = parser.values(clubOption()).value(0);
    // What the command line says shows in the process list for every user.
    const std::optional<club::Address> address = club::parseAddress(clubUrl);
    if (address && !address->password.isEmpty()) {
        result.exitCode = 1;
        result.error = QCoreApplication::translate(
            "CommandLine", "Bitte kein Passwort in die Adresse nach --verein schreiben: Jeder "
                           "Benutzer des Rechners kann sie lesen. Das Passwort kommt aus dem "
                           "Schlüsselbund, aus ~/.pgpass oder PGPASSWORD.\n");
        return result;
    }
    result.options.club = clubUrl;
    return result;
}

} // namespace ankerblick
