#include "serialport.h"

#include <QSerialPort>
#include <QSerialPortInfo>

namespace ankerblick {

namespace {

int numberFor(QSerialPort::SerialPortError error, int otherwise) {
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return serialerror::InvalidPort;
    case QSerialPort::PermissionError:
        return serialerror::AccessDenied;
    case QSerialPort::OpenError:
        return serialerror::AlreadyOpen;
    case QSerialPort::NotOpenError:
        return serialerror::NotOpen;
    case QSerialPort::UnsupportedOperationError:
        return serialerror::SettingsRejected;
    case QSerialPort::WriteError:
        return serialerror::WriteFailed;
    case QSerialPort::ReadError:
        return serialerror::ReadFailed;
    case QSerialPort::ResourceError:
        return serialerror::PortLost;
    default:
        return otherwise;
    }
}

// Marks the port as busy in one of our own calls, so that the failures it
// reports on the way are thrown to the caller instead of being announced.
class CallScope {
public:
    explicit CallScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~CallScope() { m_flag = false; }
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;

private:
    bool& m_flag;
};

} // namespace

QtSerialPort::QtSerialPort(QObject* parent)
    : SerialPort(parent), m_port(std::make_unique<QSerialPort>()) {
    connect(m_port.get(), &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError e) { onError(int(e)); });
}

QtSerialPort::~QtSerialPort() {
    close();
}

void QtSerialPort::fail(int number) {
    m_port->clearError();
    throw SerialPortError(number);
}

void QtSerialPort::open(const QString& location, const LineSettings& settings) {
    if (m_port->isOpen())
        throw SerialPortError(serialerror::AlreadyOpen);
    if (location.trimmed().isEmpty())
        throw SerialPortError(serialerror::InvalidPort);

    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    switch (settings.dataBits) {
    case 5:
        dataBits = QSerialPort::Data5;
        break;
    case 6:
        dataBits = QSerialPort::Data6;
        break;
    case 7:
        dataBits = QSerialPort::Data7;
        break;
    case 8:
        break;
    default:
        throw SerialPortError(serialerror::SettingsRejected);
    }
    if (settings.stopBits != 1 && settings.stopBits != 2)
        throw SerialPortError(serialerror::SettingsRejected);

    CallScope scope(m_inCall);
    m_port->setPortName(location);
    m_port->setBaudRate(settings.baudRate);
    m_port->setDataBits(dataBits);
    m_port->setParity(settings.parity == Parity::Even  ? QSerialPort::EvenParity
                      : settings.parity == Parity::Odd ? QSerialPort::OddParity
                                                       : QSerialPort::NoParity);
    m_port->setStopBits(settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    m_port->clearError();
    if (!m_port->open(QIODevice::ReadWrite)) {
        // A device that does not answer when opened is as good as no device.
        const QSerialPort::SerialPortError e = m_port->error();
        fail(e == QSerialPort::ResourceError ? serialerror::InvalidPort
                                             : numberFor(e, serialerror::Unknown));
    }
    m_lostReported = false;
}

bool QtSerialPort::isOpen() const {
    return m_port->isOpen();
}

void QtSerialPort::writeByte(quint8 byte) {
    if (!m_port->isOpen())
        throw SerialPortError(serialerror::NotOpen);
    CallScope scope(m_inCall);
    m_port->clearError();
    const char c = char(byte);
    if (m_port->write(&c, 1) != 1)
        fail(numberFor(m_port->error(), serialerror::WriteFailed));
    m_port->flush();
    if (m_port->error() != QSerialPort::NoError)
        fail(numberFor(m_port->error(), serialerror::WriteFailed));
}

QString QtSerialPort::readAvailable() {
    if (!m_port->isOpen())
        throw SerialPortError(serialerror::NotOpen);
    CallScope scope(m_inCall);
    m_port->clearError();
    const QByteArray received = m_port->readAll();
    if (m_port->error() != QSerialPort::NoError)
        fail(numberFor(m_port->error(), serialerror::ReadFailed));
    return QString::fromLatin1(received);
}

void QtSerialPort::close() {
    if (m_port->isOpen())
        m_port->close();
    m_port->clearError();
}

QList<SerialPortName> QtSerialPort::availablePorts() const {
    QList<SerialPortName> out;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports)
        out.append({info.portName(), info.systemLocation()});
    return out;
}

void QtSerialPort::onError(int error) {
    const auto e = QSerialPort::SerialPortError(error);
    if (m_inCall || m_lostReported || !m_port->isOpen())
        return;
    if (e != QSerialPort::ResourceError && e != QSerialPort::ReadError &&
        e != QSerialPort::WriteError)
        return;
    m_lostReported = true;
    // Announced from the event loop: whoever closes the port in answer must not
    // do so inside the port's own notification.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_port->isOpen())
                Q_EMIT lost(serialerror::PortLost);
        },
        Qt::QueuedConnection);
}

std::unique_ptr<SerialPort> makeQtSerialPort() {
    return std::make_unique<QtSerialPort>();
}

} // namespace ankerblick
