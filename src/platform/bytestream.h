#pragma once

// The byte stream of a target that speaks without being asked, through
// Qt's TCP socket or serial port.

#include "services/bytestream.h"

#include <memory>

class QSerialPort;
class QTcpSocket;

namespace ankerblick {

class QtByteStream final : public ByteStream {
    Q_OBJECT
public:
    explicit QtByteStream(QObject* parent = nullptr);
    ~QtByteStream() override;

    void open(const QString& location) override;
    void close() override;
    bool isOpen() const override;

private:
    void openTcp(const QString& host, quint16 port);
    void openSerial(const QString& path);
    void fail(const QString& why);

    std::unique_ptr<QTcpSocket> m_socket;
    std::unique_ptr<QSerialPort> m_serial;
};

std::unique_ptr<ByteStream> makeQtByteStream();

} // namespace ankerblick
