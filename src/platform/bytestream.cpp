#include "bytestream.h"

#include "model/logging.h"
#include "programmodule.h"
#include "tcpline.h"

#include <QMutex>
#include <QSerialPort>
#include <QTimer>
#include <QUrl>

namespace ankerblick {

namespace {

using MakeTcpLine = TcpLine* (*)(const TcpLine::Calls&);

// The module's maker of TCP lines, loaded with the first TCP connection;
// nullptr while it cannot be loaded.
MakeTcpLine tcpLineMaker() {
    static QMutex guard;
    static MakeTcpLine make = nullptr;
    const QMutexLocker lock(&guard);
    if (!make) {
        const ProgramModule module{"ANKERBLICK_STREAM_MODULE", "libankerblick-stream.so",
                                   "ankerblick_make_tcp_line", lcSerialTarget};
        make = reinterpret_cast<MakeTcpLine>(loadModuleFunction(module));
    }
    return make;
}

} // namespace

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
        fail(tr("„%1“ ist keine Adresse einer Scheibe (tcp://HOST:PORT oder serial:PFAD).")
                 .arg(location));
        return;
    }
    openTcp(url.host(), quint16(url.port()));
}

void QtByteStream::openTcp(const QString& host, quint16 port) {
    const MakeTcpLine make = tcpLineMaker();
    if (!make) {
        fail(tr("Ankerblick kann keine Verbindung über das Netzwerk aufbauen: Ihm fehlt die "
                "Datei libankerblick-stream.so. Bitte Ankerblick neu installieren."));
        return;
    }
    m_line.reset(make({
        [this] { Q_EMIT opened(); },
        [this](const QByteArray& bytes) { Q_EMIT received(bytes); },
        [this](const QString& why) { fail(why); },
    }));
    m_line->connectTo(host, port);
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
        fail(serial->errorString());
        return;
    }
    connect(serial, &QSerialPort::readyRead, this,
            [this, serial] { Q_EMIT received(serial->readAll()); });
    connect(serial, &QSerialPort::errorOccurred, this,
            [this, serial](QSerialPort::SerialPortError e) {
                if (e == QSerialPort::NoError || e == QSerialPort::TimeoutError)
                    return;
                fail(serial->errorString());
            });
    QTimer::singleShot(0, this, &ByteStream::opened);
}

void QtByteStream::fail(const QString& why) {
    QTimer::singleShot(0, this, [this, why, closes = m_closes] {
        if (closes != m_closes)
            return; // closed meanwhile
        close();
        Q_EMIT failed(why);
    });
}

void QtByteStream::close() {
    ++m_closes;
    m_line.reset(); // its socket goes later: this may be inside one of its calls
    if (m_serial) {
        m_serial->disconnect(this);
        m_serial->close();
        m_serial.release()->deleteLater();
    }
}

bool QtByteStream::isOpen() const {
    return (m_line && m_line->isConnected()) || (m_serial && m_serial->isOpen());
}

std::unique_ptr<ByteStream> makeQtByteStream() {
    return std::make_unique<QtByteStream>();
}

} // namespace ankerblick
