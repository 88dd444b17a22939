#include "settings.h"

#include "model/targetface.h"

#include <QCryptographicHash>

namespace ankerblick {

namespace {
constexpr int kRhythmTimes = 6;
constexpr int kMaxName = 200;
constexpr int kMaxPath = 4096;
constexpr int kMaxGeometry = 4096;
constexpr double kMaxClickMm = 100.0;
} // namespace

QString Settings::text(const QString& key, int maxLength) const {
    const QVariant v = read(key);
    if (!v.isValid() || !v.canConvert<QString>())
        return {};
    const QString s = v.toString();
    return s.size() <= maxLength ? s : QString();
}

QString Settings::lastShooter() const {
    return text(QStringLiteral("schuetze/name"), kMaxName).trimmed();
}

void Settings::setLastShooter(const QString& name) {
    write(QStringLiteral("schuetze/name"), name);
}

int Settings::option(const QString& window, const QString& name, int count) const {
    bool ok = false;
    const int i = text(window + u'/' + name, 12).toInt(&ok);
    return ok && i >= 0 && i < count ? i : -1;
}

void Settings::setOption(const QString& window, const QString& name, int index) {
    write(window + u'/' + name, index);
}

QByteArray Settings::geometry(const QString& window) const {
    const QVariant v = read(window + QStringLiteral("/geometrie"));
    if (v.typeId() != QMetaType::QByteArray)
        return {};
    const QByteArray g = v.toByteArray();
    return g.size() <= kMaxGeometry ? g : QByteArray();
}

void Settings::setGeometry(const QString& window, const QByteArray& geometry) {
    write(window + QStringLiteral("/geometrie"), geometry);
}

namespace {

// The name as the target sends it may hold any character.
QString enteredShotsKey(const QString& target) {
    return QStringLiteral("OffeneScheibe/Eingetragen/") +
           QString::fromLatin1(target.toUtf8().toHex());
}

// A first line may be long and hold any character.
QString shotColumnsKey(const QStringList& header) {
    const QByteArray line = header.join(u'\x1f').toUtf8();
    return QStringLiteral("Schussimport/Spalten/") +
           QString::fromLatin1(QCryptographicHash::hash(line, QCryptographicHash::Sha1).toHex());
}

} // namespace

QList<int> Settings::shotFileColumns(const QStringList& header) const {
    const QStringList kept = read(shotColumnsKey(header)).toStringList();
    QList<int> columns;
    for (const QString& text : kept) {
        bool ok = false;
        const int column = text.toInt(&ok);
        if (!ok || column < -1 || column >= header.size())
            return {};
        columns << column;
    }
    // x and y are always named.
    return columns.size() == 5 && columns[0] >= 0 && columns[1] >= 0 ? columns : QList<int>();
}

void Settings::setShotFileColumns(const QStringList& header, const QList<int>& columns) {
    QStringList texts;
    for (int column : columns)
        texts << QString::number(column);
    write(shotColumnsKey(header), texts);
}

QStringList Settings::enteredTargetShots(const QString& target) const {
    return read(enteredShotsKey(target)).toStringList();
}

void Settings::setEnteredTargetShots(const QString& target, const QStringList& shots) {
    write(enteredShotsKey(target), shots);
}

QString Settings::serialPort() const {
    return text(QStringLiteral("scheibe/anschluss"), kMaxPath);
}

void Settings::setSerialPort(const QString& location) {
    write(QStringLiteral("scheibe/anschluss"), location);
}

QStringList Settings::rhythmTimes() const {
    const QVariant v = read(QStringLiteral("rhythmus/zeiten"));
    if (!v.canConvert<QStringList>())
        return {};
    const QStringList times = v.toStringList();
    if (times.size() != kRhythmTimes)
        return {};
    for (const QString& t : times)
        if (t.size() > 20)
            return {};
    return times;
}

void Settings::setRhythmTimes(const QStringList& times) {
    write(QStringLiteral("rhythmus/zeiten"), times);
}

double Settings::clickMm(int discipline, double fallback) const {
    bool ok = false;
    const double mm =
        text(QStringLiteral("klickwert/disziplin%1").arg(discipline), 40).toDouble(&ok);
    return ok && mm > 0.0 && mm <= kMaxClickMm ? mm : fallback;
}

void Settings::setClickMm(int discipline, double mm) {
    write(QStringLiteral("klickwert/disziplin%1").arg(discipline), mm);
}

std::optional<double> Settings::calibreMm(int discipline) const {
    bool ok = false;
    const double mm = text(QStringLiteral("kaliber/disziplin%1").arg(discipline), 40).toDouble(&ok);
    if (ok && isCalibre(mm))
        return mm;
    return std::nullopt;
}

void Settings::setCalibreMm(int discipline, double mm) {
    write(QStringLiteral("kaliber/disziplin%1").arg(discipline), mm);
}

QString Settings::lastFolder() const {
    return text(QStringLiteral("dateien/ordner"), kMaxPath);
}

void Settings::setLastFolder(const QString& folder) {
    write(QStringLiteral("dateien/ordner"), folder);
}

QString Settings::language() const {
    const QString l = text(QStringLiteral("ansicht/sprache"), 2);
    return l == u"de" || l == u"en" ? l : QString();
}

void Settings::setLanguage(const QString& language) {
    write(QStringLiteral("ansicht/sprache"), language);
}

ClubServerSettings Settings::clubServer() const {
    ClubServerSettings server;
    server.host = text(QStringLiteral("verein/server"), 255);
    server.database = text(QStringLiteral("verein/datenbank"), 63);
    server.user = text(QStringLiteral("verein/benutzer"), 63);
    bool ok = false;
    const int port = read(QStringLiteral("verein/port")).toInt(&ok);
    if (ok && port > 0 && port <= 65535)
        server.port = port;
    const QString tls = text(QStringLiteral("verein/tls"), 8);
    if (tls == u"require" || tls == u"disable")
        server.tls = tls;
    server.lane = text(QStringLiteral("verein/bahn"), 40);
    return server;
}

void Settings::setClubServer(const ClubServerSettings& server) {
    write(QStringLiteral("verein/server"), server.host);
    write(QStringLiteral("verein/port"), server.port);
    write(QStringLiteral("verein/datenbank"), server.database);
    write(QStringLiteral("verein/benutzer"), server.user);
    write(QStringLiteral("verein/tls"), server.tls);
    write(QStringLiteral("verein/bahn"), server.lane);
}

} // namespace ankerblick
