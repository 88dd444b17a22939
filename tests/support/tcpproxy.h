#pragma once

// A TCP proxy on 127.0.0.1 between a lane and its server, on a thread of its
// own, that a test makes fail as a network does: refusing connections (the
// server unreachable), resetting a connection the moment the lane sends a
// given statement (a reset in the middle of a transaction), or holding what
// the lane sends from that statement on until released (an upload caught in
// the middle, for a kill). Forwards faithfully otherwise.

#include <QByteArray>
#include <QThread>

namespace ankerblick::test {

class ProxyWorker;

class TcpProxy {
public:
    // Forwards to 127.0.0.1:targetPort from a free port of its own.
    explicit TcpProxy(int targetPort);
    ~TcpProxy();
    TcpProxy(const TcpProxy&) = delete;
    TcpProxy& operator=(const TcpProxy&) = delete;

    int port() const { return m_port; }

    // Refusing: new connections are refused and open ones reset.
    void setRefusing(bool refusing);
    // The next connection whose lane sends `pattern` is reset (both sides)
    // before the server sees it; once.
    void resetWhen(const QByteArray& pattern);
    // What a lane sends from `pattern` on is held back, until release().
    void holdWhen(const QByteArray& pattern);
    void release();

    // Connections holding now; connections reset so far; connections accepted.
    int holding() const;
    int resets() const;
    int accepted() const;

private:
    QThread m_thread;
    ProxyWorker* m_worker = nullptr;
    int m_port = 0;
};

} // namespace ankerblick::test
