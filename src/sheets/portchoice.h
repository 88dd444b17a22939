#pragma once

// The ports the shooter can choose the electronic target from: "Com 1" ...
// "Com 8", then every further port the system reports, then the ports given
// on the command line ("--port PATH", see commandline.h).

#include <QList>
#include <QString>
#include <QStringList>

namespace ankerblick {

struct PortChoice {
    QString text;     // as listed
    QString location; // as opened
    friend bool operator==(const PortChoice&, const PortChoice&) = default;
};

inline constexpr int kNumberedPorts = 8;

// The list items: "Com n" for the n-th of the numbered locations, then each
// system port and each extra location not listed already (by location).
QList<PortChoice> portChoices(const QStringList& numberedLocations,
                              const QList<PortChoice>& systemPorts,
                              const QStringList& extraLocations);

} // namespace ankerblick
