#pragma once

// The browsers' sessions of the live view. A session is opened when the
// club's server accepted a login and password, and is known by a random
// token the browser keeps in a cookie; the sessions are kept in a file,
// so that a restarted server knows its browsers again, with the token's
// SHA-256 instead of the token and nothing of the password. A session ends
// when its time is up or the browser logs out.

#include "services/club.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>

#include <chrono>
#include <optional>

namespace ankerblick::live {

class Sessions {
public:
    // Kept in `file` (none: in memory only), each for `lifetime`.
    Sessions(QString file, std::chrono::seconds lifetime);

    // Reads the sessions of the file that are still valid at `now`.
    void load(const QDateTime& now);
    // A new session for `viewer`; its token.
    QByteArray open(const club::Viewer& viewer, const QDateTime& now);
    std::optional<club::Viewer> find(const QByteArray& token, const QDateTime& now) const;
    void close(const QByteArray& token);
    // Ends the sessions whose time is up; whether there were any.
    bool expire(const QDateTime& now);

    std::chrono::seconds lifetime() const { return m_lifetime; }
    qsizetype count() const { return m_sessions.size(); }

    // The token of the live view's cookie in a Cookie header; empty when
    // there is none.
    static QByteArray tokenOf(const QByteArray& cookieHeader);
    static constexpr QByteArrayView kCookie{"ankerblick_live"};

private:
    struct Session {
        club::Viewer viewer;
        QDateTime expires;
    };
    static QByteArray keyOf(const QByteArray& token);
    void save() const;

    QString m_file;
    std::chrono::seconds m_lifetime;
    QHash<QByteArray, Session> m_sessions; // by keyOf(token)
};

} // namespace ankerblick::live
