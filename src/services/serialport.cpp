#include "serialport.h"

namespace ankerblick {

QString serialErrorDescription(int number) {
    switch (number) {
    case serialerror::InvalidPort:
        return QStringLiteral("Ungültige Anschlussnummer");
    case serialerror::AlreadyOpen:
        return QStringLiteral("Der Anschluss ist bereits geöffnet");
    case serialerror::AccessDenied:
        return QStringLiteral("Zugriff auf den Anschluss verweigert");
    case serialerror::NotOpen:
        return QStringLiteral("Der Anschluss ist nicht geöffnet");
    case serialerror::SettingsRejected:
        return QStringLiteral("Die Einstellungen des Anschlusses sind nicht möglich");
    case serialerror::WriteFailed:
        return QStringLiteral("Senden über den Anschluss fehlgeschlagen");
    case serialerror::ReadFailed:
        return QStringLiteral("Empfangen über den Anschluss fehlgeschlagen");
    case serialerror::PortLost:
        return QStringLiteral("Der Anschluss ist nicht mehr verfügbar");
    default:
        return QStringLiteral("Unbekannter Fehler am Anschluss");
    }
}

SerialPortError::SerialPortError(int number)
    : std::runtime_error("serial port failure"), m_number(number) {}

QString numberedPortLocation(int n) {
#ifdef Q_OS_WIN
    return QStringLiteral("\\\\.\\COM") + QString::number(n);
#else
    return QStringLiteral("/dev/ttyS") + QString::number(n - 1);
#endif
}

} // namespace ankerblick
