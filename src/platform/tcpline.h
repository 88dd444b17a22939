#pragma once

// A TCP connection to a target, as the module ankerblick-stream makes it
// with Qt's socket: Qt Network is loaded with the first TCP target, not
// with the program, which most shooters start without one. Plain C++ and
// no QObject, so that the module holds no class of the program's own with
// a meta-object.

#include <QByteArray>
#include <QString>

#include <functional>

namespace ankerblick {

class TcpLine {
public:
    // What the line tells, from inside its socket's own calls. A call may
    // destroy the line.
    struct Calls {
        std::function<void()> connected;
        std::function<void(const QByteArray& bytes)> received;
        // It could not connect, or the connection was lost (why, for the shooter).
        std::function<void(const QString& why)> failed;
    };

    // Aborts the connection; nothing is told after.
    virtual ~TcpLine() = default;

    // Begins to connect; connected() or failed() tells how it went.
    virtual void connectTo(const QString& host, quint16 port) = 0;
    virtual bool isConnected() const = 0;
};

} // namespace ankerblick

// What the module exports: a line the caller owns, not yet connecting.
extern "C" ankerblick::TcpLine* ankerblick_make_tcp_line(const ankerblick::TcpLine::Calls& calls);
