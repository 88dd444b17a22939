// PQsocket, the one function of libpq the program calls itself, taken from
// the libpq that Qt SQL's PostgreSQL driver loads with the first connection
// to the club's server. Linking libpq would load it and the twenty libraries
// it needs (TLS, Kerberos, LDAP) at every start of the program, long before
// a club's server is asked for, if ever.

#include "model/logging.h"

#include <QLibrary>
#include <libpq-fe.h>

namespace {

using Socket = int (*)(const PGconn*);

Socket loadSocket() {
    // A driver's connection exists: its libpq is loaded, and this finds it.
    QLibrary library(QStringLiteral("pq"), 5);
    const auto socket = reinterpret_cast<Socket>(library.resolve("PQsocket"));
    if (!socket)
        qCWarning(ankerblick::lcClub) << "no PQsocket in libpq:" << library.errorString();
    return socket; // the library stays loaded
}

} // namespace

extern "C" int PQsocket(const PGconn* connection) {
    static const Socket socket = loadSocket();
    return socket ? socket(connection) : -1;
}
