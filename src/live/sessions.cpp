#include "sessions.h"

#include "model/logging.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QSaveFile>

#include <array>

namespace ankerblick::live {

using namespace Qt::StringLiterals;

namespace {

QJsonObject sessionObject(const QByteArray& key, const club::Viewer& viewer,
                          const QDateTime& expires) {
    return {{u"key"_s, QString::fromLatin1(key)},
            {u"login"_s, viewer.login},
            {u"coach"_s, viewer.coach},
            {u"logins"_s, QJsonArray::fromStringList(viewer.logins)},
            {u"expires"_s, expires.toMSecsSinceEpoch()}};
}

} // namespace

Sessions::Sessions(QString file, std::chrono::seconds lifetime)
    : m_file(std::move(file)), m_lifetime(lifetime) {}

void Sessions::load(const QDateTime& now) {
    if (m_file.isEmpty() || !QFileInfo::exists(m_file))
        return;
    QFile file(m_file);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcLive) << "The sessions could not be read from" << m_file << file.errorString();
        return;
    }
    const QJsonArray sessions = QJsonDocument::fromJson(file.readAll()).array();
    for (const QJsonValue& value : sessions) {
        const QJsonObject o = value.toObject();
        const QByteArray key = o.value(u"key"_s).toString().toLatin1();
        const QDateTime expires =
            QDateTime::fromMSecsSinceEpoch(qint64(o.value(u"expires"_s).toDouble()), Qt::UTC);
        club::Viewer viewer{o.value(u"login"_s).toString(), o.value(u"coach"_s).toBool(), {}};
        for (const QJsonValue& login : o.value(u"logins"_s).toArray())
            viewer.logins << login.toString();
        if (key.size() == 64 && !viewer.login.isEmpty() && expires > now)
            m_sessions.insert(key, {viewer, expires});
    }
}

QByteArray Sessions::open(const club::Viewer& viewer, const QDateTime& now) {
    std::array<quint32, 8> random{};
    QRandomGenerator::system()->fillRange(random.data(), random.size());
    const QByteArray token =
        QByteArray(reinterpret_cast<const char*>(random.data()), sizeof(random))
            .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
    m_sessions.insert(keyOf(token), {viewer, now.addSecs(m_lifetime.count())});
    save();
    return token;
}

std::optional<club::Viewer> Sessions::find(const QByteArray& token, const QDateTime& now) const {
    if (token.isEmpty())
        return std::nullopt;
    const auto found = m_sessions.constFind(keyOf(token));
    if (found == m_sessions.cend() || found->expires <= now)
        return std::nullopt;
    return found->viewer;
}

void Sessions::close(const QByteArray& token) {
    if (m_sessions.remove(keyOf(token)) > 0)
        save();
}

bool Sessions::expire(const QDateTime& now) {
    const qsizetype ended =
        m_sessions.removeIf([&now](const auto& session) { return session.value().expires <= now; });
    if (ended > 0)
        save();
    return ended > 0;
}

QByteArray Sessions::tokenOf(const QByteArray& cookieHeader) {
    for (const QByteArray& pair : cookieHeader.split(';')) {
        const qsizetype equals = pair.indexOf('=');
        if (equals > 0 && pair.left(equals).trimmed() == kCookie)
            return pair.mid(equals + 1).trimmed();
    }
    return {};
}

QByteArray Sessions::keyOf(const QByteArray& token) {
    return QCryptographicHash::hash(token, QCryptographicHash::Sha256).toHex();
}

// Written whole into a file only its owner reads.
void Sessions::save() const {
    if (m_file.isEmpty())
        return;
    QJsonArray sessions;
    for (auto s = m_sessions.cbegin(); s != m_sessions.cend(); ++s)
        sessions << sessionObject(s.key(), s->viewer, s->expires);
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    QSaveFile file(m_file);
    if (!file.open(QIODevice::WriteOnly) ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        file.write(QJsonDocument(sessions).toJson(QJsonDocument::Compact)) < 0 || !file.commit())
        qCWarning(lcLive) << "The sessions could not be kept in" << m_file << file.errorString();
}

} // namespace ankerblick::live
