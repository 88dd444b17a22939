// The module ankerblick-stream: Qt's TCP socket behind TcpLine.

#include "tcpline.h"

#include <QTcpSocket>

#include <array>

namespace ankerblick {
namespace {

class QtTcpLine final : public TcpLine {
public:
    explicit QtTcpLine(const Calls& calls) : m_calls(calls) {
        // Each call runs from a copy: the line it tells of may be gone when it returns.
        m_connections = {
            QObject::connect(m_socket, &QTcpSocket::connected, m_socket,
                             [this] {
                                 const auto connected = m_calls.connected;
                                 connected();
                             }),
            QObject::connect(m_socket, &QTcpSocket::readyRead, m_socket,
                             [this] {
                                 const auto received = m_calls.received;
                                 received(m_socket->readAll());
                             }),
            QObject::connect(m_socket, &QTcpSocket::errorOccurred, m_socket,
                             [this] {
                                 const auto failed = m_calls.failed;
                                 failed(m_socket->errorString());
                             }),
        };
    }

    ~QtTcpLine() override {
        for (const QMetaObject::Connection& connection : m_connections)
            QObject::disconnect(connection);
        m_socket->abort();
        m_socket->deleteLater(); // this may be inside one of its signals
    }

    QtTcpLine(const QtTcpLine&) = delete;
    QtTcpLine& operator=(const QtTcpLine&) = delete;

    void connectTo(const QString& host, quint16 port) override {
        m_socket->connectToHost(host, port);
    }

    bool isConnected() const override {
        return m_socket->state() == QAbstractSocket::ConnectedState;
    }

private:
    Calls m_calls;
    QTcpSocket* m_socket = new QTcpSocket;
    std::array<QMetaObject::Connection, 3> m_connections;
};

} // namespace
} // namespace ankerblick

extern "C" __attribute__((visibility("default"))) ankerblick::TcpLine*
ankerblick_make_tcp_line(const ankerblick::TcpLine::Calls& calls) {
    return new ankerblick::QtTcpLine(calls);
}
