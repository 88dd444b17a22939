#include "liveoptions.h"

#include "services/clubaddress.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHostAddress>

namespace ankerblick::live {

using namespace Qt::StringLiterals;

namespace {

void describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(QCoreApplication::translate(
        "LiveCommandLine",
        "Zeigt die Ansagen und Treffer jeder Bahn live im Browser, vom Vereinsserver."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {u"verein"_s,
         QCoreApplication::translate(
             "LiveCommandLine", "Verbindungs-URI einer Trainer-Anmeldung am Vereinsserver, ohne "
                                "Passwort (das steht in ~/.pgpass oder PGPASSWORD)."),
         u"URL"_s},
        {u"port"_s,
         QCoreApplication::translate("LiveCommandLine",
                                     "TCP-Port der Live-Ansicht (Vorgabe 8080)."),
         u"PORT"_s},
        {u"adresse"_s,
         QCoreApplication::translate("LiveCommandLine",
                                     "Adresse, auf der die Live-Ansicht hört (Vorgabe: alle)."),
         u"ADRESSE"_s},
        {u"zertifikat"_s, QCoreApplication::translate("LiveCommandLine", "TLS-Zertifikat (PEM)."),
         u"DATEI"_s},
        {u"schluessel"_s,
         QCoreApplication::translate("LiveCommandLine",
                                     "Privater Schlüssel des Zertifikats (PEM)."),
         u"DATEI"_s},
        {u"ohne-tls"_s,
         QCoreApplication::translate("LiveCommandLine",
                                     "Ohne TLS, in einem geschlossenen Schießstandnetz.")},
        {u"sitzungen"_s,
         QCoreApplication::translate("LiveCommandLine", "Datei der angemeldeten Browser."),
         u"DATEI"_s},
    });
}

LiveCommandLine refuse(const QString& problem) {
    LiveCommandLine line;
    line.exitCode = 1;
    line.error = problem + u'\n';
    return line;
}

// What keeps the view from starting, in one sentence; empty when nothing.
QString problemOf(const LiveOptions& o) {
    QString addressProblem;
    const std::optional<club::Address> server = club::parseAddress(o.club, &addressProblem);
    if (o.club.isEmpty())
        return QCoreApplication::translate(
            "LiveCommandLine",
            "--verein fehlt: die Verbindungs-URI einer Trainer-Anmeldung am Vereinsserver.");
    if (!server)
        return addressProblem;
    if (!server->password.isEmpty())
        return QCoreApplication::translate(
            "LiveCommandLine",
            "Das Passwort gehört nicht in die URI auf der Befehlszeile, wo jeder es lesen "
            "kann: Bitte in ~/.pgpass oder PGPASSWORD eintragen.");
    if (o.port < 1 || o.port > 65535)
        return QCoreApplication::translate("LiveCommandLine",
                                           "--port braucht eine Zahl von 1 bis 65535.");
    const QHostAddress address(o.address);
    if (address.isNull())
        return QCoreApplication::translate("LiveCommandLine",
                                           "--adresse „%1“ ist keine IP-Adresse.")
            .arg(o.address);
    if (o.certificate.isEmpty() != o.key.isEmpty())
        return QCoreApplication::translate("LiveCommandLine",
                                           "--zertifikat und --schluessel gehören zusammen.");
    if (o.tls() && o.withoutTls)
        return QCoreApplication::translate("LiveCommandLine",
                                           "--ohne-tls passt nicht zu --zertifikat.");
    if (!o.tls() && !o.withoutTls && !address.isLoopback())
        return QCoreApplication::translate(
            "LiveCommandLine",
            "Ohne TLS zeigt die Live-Ansicht Passwörter und Schüsse jedem im Netz: Bitte "
            "--zertifikat und --schluessel angeben, oder --ohne-tls in einem "
            "geschlossenen Schießstandnetz.");
    return {};
}

} // namespace

LiveCommandLine readLiveCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    describe(parser);
    if (!parser.parse(arguments))
        return refuse(parser.errorText());
    LiveCommandLine line;
    if (parser.isSet(u"help"_s) || parser.isSet(u"version"_s)) {
        line.exitCode = 0;
        line.output = parser.isSet(u"help"_s)
                          ? parser.helpText()
                          : u"%1 %2\n"_s.arg(QCoreApplication::applicationName(),
                                             QCoreApplication::applicationVersion());
        return line;
    }
    LiveOptions& o = line.options;
    o.club = parser.value(u"verein"_s);
    if (parser.isSet(u"port"_s)) {
        bool number = false;
        o.port = parser.value(u"port"_s).toInt(&number);
        if (!number)
            o.port = 0;
    }
    if (parser.isSet(u"adresse"_s))
        o.address = parser.value(u"adresse"_s);
    o.certificate = parser.value(u"zertifikat"_s);
    o.key = parser.value(u"schluessel"_s);
    o.withoutTls = parser.isSet(u"ohne-tls"_s);
    o.sessions = parser.value(u"sitzungen"_s);
    if (const QString problem = problemOf(o); !problem.isEmpty())
        return refuse(problem);
    return line;
}

} // namespace ankerblick::live
