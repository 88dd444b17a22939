#pragma once

// The live view's command line:
//
//   ankerblick-live --verein URL [--port PORT] [--adresse ADRESSE]
//                   [--zertifikat DATEI --schluessel DATEI | --ohne-tls]
//                   [--sitzungen DATEI]
//
// URL is the connection URI of a coach's login on the club's server,
// without its password: libpq finds that in ~/.pgpass or PGPASSWORD. The
// view is served with TLS from the certificate and key given; without them
// only on 127.0.0.1, or with --ohne-tls on a closed range network.

#include <QString>
#include <QStringList>

#include <optional>

namespace ankerblick::live {

struct LiveOptions {
    QString club;                                // --verein
    QString address = QStringLiteral("0.0.0.0"); // --adresse: where the view listens
    int port = 8080;                             // --port
    QString certificate;                         // --zertifikat: PEM
    QString key;                                 // --schluessel: PEM
    bool withoutTls = false;                     // --ohne-tls
    QString sessions; // --sitzungen: the sessions' file; empty: the default

    bool tls() const { return !certificate.isEmpty(); }
};

struct LiveCommandLine {
    LiveOptions options;
    // Set when the program ends at once: its exit status, and what it
    // prints on standard output and standard error.
    std::optional<int> exitCode;
    QString output;
    QString error;
};

// Reads the arguments (the first is the program). Uses the application
// name and version set on QCoreApplication.
LiveCommandLine readLiveCommandLine(const QStringList& arguments);

} // namespace ankerblick::live
