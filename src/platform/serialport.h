#pragma once

// The serial port through QSerialPort.

#include "services/serialport.h"

#include <memory>

class QSerialPort;

namespace ankerblick {

// The real port.
class QtSerialPort final : public SerialPort {
    Q_OBJECT
public:
    explicit QtSerialPort(QObject* parent = nullptr);
    ~QtSerialPort() override;

    void open(const QString& location, const LineSettings& settings) override;
    bool isOpen() const override;
    void writeByte(quint8 byte) override;
    QString readAvailable() override;
    void close() override;
    QList<SerialPortName> availablePorts() const override;

private:
    void onError(int error);
    [[noreturn]] void fail(int number);

    std::unique_ptr<QSerialPort> m_port;
    bool m_inCall = false;
    bool m_lostReported = false;
};

// Makes a new real port, closed.
std::unique_ptr<SerialPort> makeQtSerialPort();

} // namespace ankerblick
