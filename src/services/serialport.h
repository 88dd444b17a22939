#pragma once

// The serial port the electronic target is attached to: opened by its system
// location with line settings, one byte written at a time, whatever has
// arrived read as text, closed. The real port is QSerialPort; tests use a
// pseudo-terminal with the real port.

#include <QList>
#include <QObject>
#include <QString>

#include <memory>
#include <stdexcept>

class QSerialPort;
namespace ankerblick {

// Stable numbers of the port's failures, shown to the user with their description.
namespace serialerror {
inline constexpr int InvalidPort = 8002; // no port chosen, or no such device
inline constexpr int AlreadyOpen = 8005;
inline constexpr int AccessDenied = 8010; // in use by another program, or not permitted
inline constexpr int NotOpen = 8012;
inline constexpr int SettingsRejected = 8015;
inline constexpr int WriteFailed = 8018;
inline constexpr int ReadFailed = 8019;
inline constexpr int PortLost = 8020; // device removed or line hung up
inline constexpr int Unknown = 8099;
} // namespace serialerror

// The German description the user reads for a failure number.
QString serialErrorDescription(int number);

class SerialPortError : public std::runtime_error {
public:
    explicit SerialPortError(int number);
    int number() const { return m_number; }
    QString description() const { return serialErrorDescription(m_number); }
    // The port cannot be used any more and must be closed.
    bool portLost() const { return m_number == serialerror::PortLost; }

private:
    int m_number;
};

enum class Parity { None, Even, Odd };

// Line settings written as "9600,N,8,1".
struct LineSettings {
    qint32 baudRate = 9600;
    Parity parity = Parity::None;
    int dataBits = 8;
    int stopBits = 1;
    friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// A port the system reports: its name ("ttyUSB0", "COM9") and the location it
// is opened by ("/dev/ttyUSB0", "\\.\COM9").
struct SerialPortName {
    QString name;
    QString location;
};

// The location of the n-th serial port of the platform (n from 1): /dev/ttyS<n-1>
// on Linux, COMn on Windows.
QString numberedPortLocation(int n);

class SerialPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SerialPort() override = default;

    // Opens the port; throws SerialPortError (InvalidPort for an empty location or
    // a device that does not exist).
    virtual void open(const QString& location, const LineSettings& settings) = 0;
    virtual bool isOpen() const = 0;
    // Sends one byte at once; throws SerialPortError.
    virtual void writeByte(quint8 byte) = 0;
    // Everything received since the last read, one character per byte; never
    // waits. Throws SerialPortError.
    virtual QString readAvailable() = 0;
    // Closes the port if it is open; never fails.
    virtual void close() = 0;
    // The serial ports the system reports now.
    virtual QList<SerialPortName> availablePorts() const = 0;

Q_SIGNALS:
    // The open port failed outside any call (device removed, line hung up).
    // Sent at most once per opening; the port should then be closed.
    void lost(int number);
};

} // namespace ankerblick
