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

// Reads a connection URI; empty, with `problem` set, when it is none.
std::optional<Address> parseAddress(const QString& url, QString* problem = nullptr);

} // namespace ankerblick::club
