#pragma once

// The club server's address as the user writes it: a libpq connection URI.

#include <QString>

#include <optional>

namespace ankerblick::club {

// What a connection URI names.
struct Address {
    QString host; // a name, an address or a socket folder; empty: libpq's default
    int port = -1;
    QString database;
    QString user;
    QString password;
    // The other parameters, as "key='value'" for libpq, separated by ';'.
    QString options;
};

// How the program reaches the club's server: the connection URI, never
// with a password in it, and the password apart (empty: libpq looks in
// ~/.pgpass and PGPASSWORD itself). The password goes to the driver alone,
// never into an address string that could be shown, logged or put on a
// command line.
struct Credentials {
    QString url;
    QString password;

    bool isEmpty() const { return url.isEmpty(); }
    friend bool operator==(const Credentials&, const Credentials&) = default;
};

// Reads a connection URI; empty, with `problem` set, when it is none.
std::optional<Address> parseAddress(const QString& url, QString* problem = nullptr);

} // namespace ankerblick::club
