#include "tcpproxy.h"

#include <QAtomicInteger>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>
#include <sys/socket.h>

namespace ankerblick::test {

// Everything here runs on the proxy's thread.
class ProxyWorker final : public QObject {
public:
    explicit ProxyWorker(int target) : m_target(target) {}

    int listen(quint16 port = 0) {
        if (!m_server) {
            m_server = new QTcpServer(this);
            connect(m_server, &QTcpServer::newConnection, this, [this] { accept(); });
        }
        m_server->listen(QHostAddress::LocalHost, port);
        return m_server->serverPort();
    }

    void setRefusing(bool refusing) {
        if (refusing) {
            m_port = m_server->serverPort();
            m_server->close();
            for (const std::shared_ptr<Pair>& pair : std::vector(m_pairs))
                reset(pair);
        } else if (!m_server->isListening()) {
            listen(m_port);
        }
    }
    void resetWhen(const QByteArray& pattern) { m_resetPattern = pattern; }
    void holdWhen(const QByteArray& pattern) { m_holdPattern = pattern; }
    void release() {
        m_holdPattern.clear();
        for (const std::shared_ptr<Pair>& pair : std::vector(m_pairs))
            if (pair->holding) {
                pair->holding = false;
                --holding;
                pair->server->write(pair->held);
                pair->held.clear();
            }
    }

    QAtomicInteger<int> holding = 0;
    QAtomicInteger<int> resets = 0;
    QAtomicInteger<int> accepted = 0;

private:
    struct Pair {
        QPointer<QTcpSocket> client;
        QPointer<QTcpSocket> server;
        QByteArray tail; // the end of what came before, for a pattern across reads
        QByteArray held;
        bool holding = false;
    };

    void accept() {
        while (QTcpSocket* client = m_server->nextPendingConnection()) {
            ++accepted;
            auto pair = std::make_shared<Pair>();
            pair->client = client;
            pair->server = new QTcpSocket(this);
            client->setParent(this);
            m_pairs.push_back(pair);
            // The lane's first words wait until the server's side is up.
            connect(pair->server, &QTcpSocket::connected, this, [this, pair] {
                connect(pair->client, &QTcpSocket::readyRead, this,
                        [this, pair] { fromLane(pair); });
                fromLane(pair);
            });
            connect(pair->server, &QTcpSocket::readyRead, this, [pair] {
                if (pair->client)
                    pair->client->write(pair->server->readAll());
            });
            connect(pair->server, &QTcpSocket::disconnected, this, [this, pair] { close(pair); });
            connect(pair->server, &QTcpSocket::errorOccurred, this, [this, pair] { close(pair); });
            connect(client, &QTcpSocket::disconnected, this, [this, pair] { close(pair); });
            pair->server->connectToHost(QHostAddress::LocalHost, quint16(m_target));
        }
    }

    void fromLane(const std::shared_ptr<Pair>& pair) {
        if (!pair->client || !pair->server)
            return;
        const QByteArray data = pair->client->readAll();
        const QByteArray seen = pair->tail + data;
        pair->tail = seen.right(256);
        if (!m_resetPattern.isEmpty() && seen.contains(m_resetPattern)) {
            m_resetPattern.clear();
            reset(pair);
            return;
        }
        if (!pair->holding && !m_holdPattern.isEmpty() && seen.contains(m_holdPattern)) {
            pair->holding = true;
            ++holding;
        }
        if (pair->holding)
            pair->held += data;
        else
            pair->server->write(data);
    }

    // Both sides cut at once: the lane gets a reset, not an orderly end.
    void reset(const std::shared_ptr<Pair>& pair) {
        ++resets;
        if (pair->client) {
            const linger hard{1, 0};
            setsockopt(int(pair->client->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard,
                       sizeof hard);
            pair->client->abort();
        }
        close(pair);
    }

    void close(const std::shared_ptr<Pair>& pair) {
        if (pair->holding) {
            pair->holding = false;
            --holding;
        }
        for (QPointer<QTcpSocket>* side : {&pair->client, &pair->server})
            if (QTcpSocket* socket = side->data()) {
                *side = nullptr;
                socket->disconnect(this);
                socket->abort();
                socket->deleteLater();
            }
        std::erase(m_pairs, pair);
    }

    int m_target;
    quint16 m_port = 0;
    QTcpServer* m_server = nullptr;
    std::vector<std::shared_ptr<Pair>> m_pairs;
    QByteArray m_resetPattern;
    QByteArray m_holdPattern;
};

TcpProxy::TcpProxy(int targetPort) {
    m_worker = new ProxyWorker(targetPort);
    m_worker->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start();
    QMetaObject::invokeMethod(
        m_worker, [this] { m_port = m_worker->listen(); }, Qt::BlockingQueuedConnection);
}

TcpProxy::~TcpProxy() {
    m_thread.quit();
    m_thread.wait();
}

void TcpProxy::setRefusing(bool refusing) {
    QMetaObject::invokeMethod(
        m_worker, [this, refusing] { m_worker->setRefusing(refusing); },
        Qt::BlockingQueuedConnection);
}

void TcpProxy::resetWhen(const QByteArray& pattern) {
    QMetaObject::invokeMethod(
        m_worker, [this, pattern] { m_worker->resetWhen(pattern); }, Qt::BlockingQueuedConnection);
}

void TcpProxy::holdWhen(const QByteArray& pattern) {
    QMetaObject::invokeMethod(
        m_worker, [this, pattern] { m_worker->holdWhen(pattern); }, Qt::BlockingQueuedConnection);
}

void TcpProxy::release() {
    QMetaObject::invokeMethod(
        m_worker, [this] { m_worker->release(); }, Qt::BlockingQueuedConnection);
}

int TcpProxy::holding() const {
    return m_worker->holding.loadRelaxed();
}

int TcpProxy::resets() const {
    return m_worker->resets.loadRelaxed();
}

int TcpProxy::accepted() const {
    return m_worker->accepted.loadRelaxed();
}

} // namespace ankerblick::test
