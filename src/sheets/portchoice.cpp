#include "portchoice.h"

namespace ankerblick {

QStringList portArguments(const QStringList& arguments) {
    const QString option = QStringLiteral("--port");
    const QString withValue = QStringLiteral("--port=");
    QStringList out;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        QString value;
        if (a == option && i + 1 < arguments.size())
            value = arguments.at(++i);
        else if (a.startsWith(withValue))
            value = a.mid(withValue.size());
        if (!value.isEmpty())
            out << value;
    }
    return out;
}

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
