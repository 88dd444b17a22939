#pragma once

// A connection that delivers bytes as they come, for a target that speaks
// without being asked: a TCP connection to the target's address and port,
// or its USB serial line. Opened by its location, "tcp://HOST:PORT" or
// "serial:PATH" (115200 baud, 8N1). The real one is Qt's socket and serial
// port; tests use it with a local server and a pseudo-terminal.

#include <QByteArray>
#include <QObject>
#include <QString>

namespace ankerblick {

class ByteStream : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~ByteStream() override = default;

    // Whether a location names such a connection.
    static bool isStreamLocation(const QString& location) {
        return location.startsWith(QLatin1String("tcp://")) ||
               location.startsWith(QLatin1String("serial:"));
    }

    // Begins to open; opened() or failed() tells how it went. A stream
    // that is open or opening is closed first.
    virtual void open(const QString& location) = 0;
    // Closes it; no signal follows.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

Q_SIGNALS:
    void opened();
    void received(const QByteArray& bytes);
    // It could not be opened, or was lost (why, for the shooter); it is closed.
    void failed(const QString& why);
};

} // namespace ankerblick
