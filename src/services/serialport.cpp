#include "serialport.h"

#include <QCoreApplication>

namespace ankerblick {

QString serialErrorDescription(int number) {
    switch (number) {
    case serialerror::InvalidPort:
        return QCoreApplication::translate("SerialPort", "Ungültige Anschlussnummer");
    case serialerror::AlreadyOpen:
        return QCoreApplication::translate("SerialPort", "Der Anschluss ist bereits geöffnet");
    case serialerror::AccessDenied:
        return QCoreApplication::translate("SerialPort", "Zugriff auf den Anschluss verweigert");
    case serialerror::NotOpen:
        return QCoreApplication::translate("SerialPort", "Der Anschluss ist nicht geöffnet");
    case serialerror::SettingsRejected:
        return QCoreApplication::translate("SerialPort",
                                           "Die Einstellungen des Anschlusses sind nicht möglich");
    case serialerror::WriteFailed:
        return QCoreApplication::translate("SerialPort",
                                           "Senden über den Anschluss fehlgeschlagen");
    case serialerror::ReadFailed:
        return QCoreApplication::translate("SerialPort",
                                           "Empfangen über den Anschluss fehlgeschlagen");
    case serialerror::PortLost:
        return QCoreApplication::translate("SerialPort", "Der Anschluss ist nicht mehr verfügbar");
    default:
        return QCoreApplication::translate("SerialPort", "Unbekannter Fehler am Anschluss");
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
