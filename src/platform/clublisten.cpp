#include "clublisten.h"

#include "clubschema.h"

#include <QSocketNotifier>
#include <QTimer>

#include <utility>

namespace ankerblick::club {

using namespace Qt::StringLiterals;

Listener::Listener(Timing timing, const Stop* stop, Reader reader, QObject* parent)
    : QObject(parent), m_timing(timing), m_stop(stop), m_reader(std::move(reader)),
      m_retry(new QTimer(this)), m_ping(new QTimer(this)) {
    m_retry->setSingleShot(true);
    connect(m_retry, &QTimer::timeout, this, [this] { open(); });
    connect(m_ping, &QTimer::timeout, this, [this] { ping(); });
}

Listener::~Listener() = default;

void Listener::listen(const Credentials& server) {
    m_server = server;
    m_retry->stop();
    open();
}

void Listener::open() {
    drop();
    if (m_server.isEmpty())
        return;
    auto link = std::make_unique<Link>(m_server, m_timing.deadlines, m_stop);
    if (!link->isOpen()) {
        lose(link->problem());
        return;
    }
    Statements sql(*link);
    const Admission admitted = m_reader.admit ? m_reader.admit(*link, sql) : Admission{};
    if (admitted.answer == Admission::Answer::Lost)
        return lose(admitted.problem);
    if (admitted.answer == Admission::Answer::Never)
        return m_reader.tell(admitted.problem);
    if (!sql.exec(u"LISTEN \"%1\""_s.arg(kSeriesChannel)))
        return lose(sql.problem());
    m_link = std::move(link);
    m_notices = new QSocketNotifier(m_link->socket(), QSocketNotifier::Read, this);
    connect(m_notices, &QSocketNotifier::activated, this, [this] { hear(); });
    m_ping->start(m_timing.pingMs);
    m_reader.opened();
}

// The connection ends; its notifier may be what calls.
void Listener::drop() {
    m_ping->stop();
    if (m_notices) {
        m_notices->setEnabled(false);
        std::exchange(m_notices, nullptr)->deleteLater();
    }
    m_link.reset();
}

void Listener::lose(const QString& problem) {
    drop();
    if (m_stop->raised()) // the program ends
        return;
    m_reader.tell(problem);
    if (!m_server.isEmpty())
        m_retry->start(m_timing.retryMs);
}

void Listener::hear() {
    if (!m_link)
        return;
    const std::optional<QList<QByteArray>> notices = m_link->takeNotices();
    if (!notices)
        lose(m_link->problem());
    else if (!notices->isEmpty())
        m_reader.heard(*notices);
}

void Listener::ping() {
    if (!m_link)
        return;
    Statements sql(*m_link);
    if (!sql.exec(u"SELECT 1"_s))
        lose(sql.problem());
    else
        hear();
}

} // namespace ankerblick::club
