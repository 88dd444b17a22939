#include "portchoice.h"

namespace ankerblick {

QList<PortChoice> portChoices(const QStringList& numberedLocations,
                              const QList<PortChoice>& systemPorts,
                              const QStringList& extraLocations) {
    QList<PortChoice> out;
    QStringList listed;
    const auto add = [&](const QString& text, const QString& location) {
        if (location.isEmpty() || listed.contains(location))
            return;
        listed << location;
        out.append({text, location});
    };
    for (qsizetype i = 0; i < numberedLocations.size(); ++i)
        add(QStringLiteral("Com ") + QString::number(i + 1), numberedLocations.at(i));
    for (const PortChoice& p : systemPorts)
        add(p.text.isEmpty() ? p.location : p.text, p.location);
    for (const QString& location : extraLocations)
        add(location, location);
    return out;
}

} // namespace ankerblick
