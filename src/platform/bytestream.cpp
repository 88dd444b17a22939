#include "bytestream.h"

#include "model/logging.h"

#include <QCoreApplication>
#include <QSerialPort>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace ankerblick {

QtByteStream::QtByteStream(QObject* parent) : ByteStream(parent) {}

QtByteStream::~QtByteStream() {
    close();
}

void QtByteStream::open(const QString& location) {
    close();
    if (location.startsWith(QLatin1String("serial:"))) {
        openSerial(location.mid(7));
        return;
    }
    const QUrl url(location);
    if (url.scheme() != QLatin1String("tcp") || url.host().isEmpty() || url.port() <= 0) {
        // Told once the caller listens, as a failure to connect is.
        QTimer::singleShot(0, this, [this, location] {
            fail(tr("„%1“ ist keine Adresse einer Scheibe (tcp://HOST:PORT oder serial:PFAD).")
                     .arg(location));
        });
        return;
    }
    openTcp(url.host(), quint16(url.port()));
}

void QtByteStream::openTcp(const QString& host, quint16 port) {
    m_socket = std::make_unique<QTcpSocket>();
    QTcpSocket* socket = m_socket.get();
    connect(socket, &QTcpSocket::connected, this, &ByteStream::opened);
    connect(socket, &QTcpSocket::readyRead, this,
            [this, socket] { Q_EMIT received(socket->readAll()); });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket] {
        const QString why = socket->errorString();
        QTimer::singleShot(0, this, [this, why] { fail(why); }); // not inside the socket's call
    });
    socket->connectToHost(host, port);
}

void QtByteStream::openSerial(const QString& path) {
    m_serial = std::make_unique<QSerialPort>();
    QSerialPort* serial = m_serial.get();
    serial->setPortName(path);
    serial->setBaudRate(115200);
    serial->setDataBits(QSerialPort::Data8);
    serial->setParity(QSerialPort::NoParity);
    serial->setStopBits(QSerialPort::OneStop);
    serial->setFlowControl(QSerialPort::NoFlowControl);
    if (!serial->open(QIODevice::ReadOnly)) {
        const QString why = serial->errorString();
        QTimer::singleShot(0, this, [this, why] { fail(why); });
        return;
    }
    connect(serial, &QSerialPort::readyRead, this,
            [this, serial] { Q_EMIT received(serial->readAll()); });
    connect(serial, &QSerialPort::errorOccurred, this,
            [this, serial](QSerialPort::SerialPortError e) {
                if (e == QSerialPort::NoError || e == QSerialPort::TimeoutError)
                    return;
                const QString why = serial->errorString();
                QTimer::singleShot(0, this, [this, why] { fail(why); });
            });
    QTimer::singleShot(0, this, &ByteStream::opened);
}

void QtByteStream::fail(const QString& why) {
    if (!m_socket && !m_serial)
        return; // closed meanwhile
    close();
    Q_EMIT failed(why);
}

void QtByteStream::close() {
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
        m_socket.release()->deleteLater(); // it may be inside one of its signals
    }
    if (m_serial) {
        m_serial->disconnect(this);
        m_serial->close();
        m_serial.release()->deleteLater();
    }
}

bool QtByteStream::isOpen() const {
    return (m_socket && m_socket->state() == QAbstractSocket::ConnectedState) ||
           (m_serial && m_serial->isOpen());
}

std::unique_ptr<ByteStream> makeQtByteStream() {
    return std::make_unique<QtByteStream>();
}

} // namespace ankerblick
