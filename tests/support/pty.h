#pragma once

// A pseudo-terminal that plays the electronic target in tests.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace ankerblick::test {

// A pseudo-terminal: the link opens the slave by its path, the test reads and
// writes the master. The test keeps a slave descriptor of its own open, so
// the line stays up while the link closes and reopens its side.
class Pty {
public:
    Pty() {
        char name[256] = {};
        if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
            qFatal("openpty failed");
        m_path = QString::fromLocal8Bit(name);
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
        // Start from settings the link must change: 38400 baud, 2 stop bits,
        // software handshake. (The pseudo-terminal driver keeps 8 data bits and
        // no parity whatever is asked; the fake port shows what the link asks for.)
        termios t{};
        ::tcgetattr(m_slave, &t);
        ::cfmakeraw(&t);
        t.c_cflag |= CSTOPB;
        t.c_iflag |= IXON | IXOFF;
        ::cfsetspeed(&t, B38400);
        ::tcsetattr(m_slave, TCSANOW, &t);
    }
    ~Pty() {
        hangUp();
        ::close(m_slave);
    }
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    QString path() const { return m_path; }
    int slave() const { return m_slave; }

    // Everything the link has sent so far.
    QByteArray received() {
        char buf[512];
        for (;;) {
            const ssize_t n = m_master >= 0 ? ::read(m_master, buf, sizeof buf) : -1;
            if (n <= 0)
                break;
            m_received.append(buf, qsizetype(n));
        }
        return m_received;
    }
    qsizetype count(char byte) { return received().count(byte); }
    void forget() {
        received();
        m_received.clear();
    }
    void send(const QByteArray& data) {
        if (::write(m_master, data.constData(), size_t(data.size())) != data.size())
            qFatal("write to the pseudo-terminal failed");
    }
    // The target goes away: the master side is closed.
    void hangUp() {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    QByteArray m_received;
};

// A shot record: 43 characters of no interest, x, one character, y.
inline QByteArray record(const char* x, const char* y) {
    return QByteArray(43, '0') + x + ' ' + y + "\r\n";
}

} // namespace ankerblick::test
