#pragma once

// The connection on which a reader's thread listens for the server's notice
// of every new or changed series (LISTEN on kSeriesChannel), for the
// coach's view and the range's live view alike: opened, asked whether the
// login may watch, listening, its socket watched and pinged while quiet.
// Lost, it is said, and opened again after a pause. Lives on the reader's
// thread, as does everything it calls.

#include "clubconnection.h"

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;
class QTimer;

namespace ankerblick::club {

class Listener final : public QObject {
public:
    struct Timing {
        int retryMs = 2000;
        int pingMs = 15000;
        Deadlines deadlines;
    };

    // Whether the login may watch: yes, or the connection was lost, or never
    // (the login stays what it is: said, and not tried again).
    struct Admission {
        enum class Answer { Yes, Lost, Never } answer = Answer::Yes;
        QString problem;
    };

    // What the reader does, all on its thread.
    struct Reader {
        std::function<Admission(Link&, Statements&)> admit;  // none: every login may
        std::function<void()> opened;                        // listening now: read everything
        std::function<void(const QList<QByteArray>&)> heard; // the notices' payloads
        std::function<void(const QString&)> tell;            // a problem for the user
    };

    Listener(Timing timing, const Stop* stop, Reader reader, QObject* parent);
    ~Listener() override;

    // Listens on `server`, anew; an empty one stops listening.
    void listen(const Credentials& server);
    // The listening connection, for the reads in between; none while lost.
    Link* link() const { return m_link.get(); }
    // A read on link() failed: the connection is lost.
    void lose(const QString& problem);
    // Takes the notices that came while the connection was idle.
    void hear();

private:
    void open();
    void drop();
    void ping();

    Timing m_timing;
    const Stop* m_stop;
    Reader m_reader;
    Credentials m_server;
    std::unique_ptr<Link> m_link;
    QSocketNotifier* m_notices = nullptr; // on m_link's socket
    QTimer* m_retry;
    QTimer* m_ping;
};

} // namespace ankerblick::club
