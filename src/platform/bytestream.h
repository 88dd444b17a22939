#pragma once

// The byte stream of a target that speaks without being asked, through
// Qt's serial port or a TCP line of the module ankerblick-stream, loaded
// with the first TCP connection (platform/tcpline.h).

#include "services/bytestream.h"

#include <memory>

class QSerialPort;

namespace ankerblick {

class TcpLine;

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
    // Closes the stream and tells why, once the caller listens and not
    // inside the socket's or port's own call; unless it was closed meanwhile.
    void fail(const QString& why);

    std::unique_ptr<TcpLine> m_line;
    std::unique_ptr<QSerialPort> m_serial;
    quint64 m_closes = 0; // a failure told of before the last close is stale
};

std::unique_ptr<ByteStream> makeQtByteStream();

} // namespace ankerblick
