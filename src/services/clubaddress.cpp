#include "clubaddress.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

namespace ankerblick::club {

using namespace Qt::StringLiterals;

namespace {

QString decoded(QStringView part) {
    return QUrl::fromPercentEncoding(part.toUtf8());
}

bool refuse(QString* problem, const QString& why) {
    if (problem)
        *problem = QCoreApplication::translate(
                       "ClubConnection",
                       "Die Adresse des Vereinsservers ist keine gültige Verbindungs-URI: %1")
                       .arg(why);
    return false;
}

// A value in libpq's conninfo syntax.
QString quotedOption(const QString& value) {
    QString quoted = value;
    quoted.replace(u'\\', u"\\\\"_s).replace(u'\'', u"\\'"_s);
    return u'\'' + quoted + u'\'';
}

// The user, password, host and port before the path; false, with the
// problem told, when they are none.
bool readAuthority(QStringView authority, Address& address, QString& port, QString* problem) {
    const qsizetype at = authority.lastIndexOf(u'@');
    if (at >= 0) {
        const QStringView user = authority.left(at);
        const qsizetype colon = user.indexOf(u':');
        address.user = decoded(colon < 0 ? user : user.left(colon));
        if (colon >= 0)
            address.password = decoded(user.mid(colon + 1));
        authority = authority.mid(at + 1);
    }
    if (authority.contains(u','))
        return refuse(problem, QCoreApplication::translate("ClubConnection",
                                                           "Bitte nur einen Server angeben."));
    if (authority.startsWith(u'[')) {
        const qsizetype close = authority.indexOf(u']');
        if (close < 0)
            return refuse(problem,
                          QCoreApplication::translate("ClubConnection",
                                                      "Die IPv6-Adresse ist nicht geschlossen."));
        address.host = authority.mid(1, close - 1).toString();
        if (authority.mid(close + 1).startsWith(u':'))
            port = authority.mid(close + 2).toString();
    } else {
        const qsizetype colon = authority.lastIndexOf(u':');
        address.host = decoded(colon < 0 ? authority : authority.left(colon));
        if (colon >= 0)
            port = authority.mid(colon + 1).toString();
    }
    return true;
}

// One parameter of the query, into the address or the options for libpq;
// false, with the problem told, when it cannot be passed on.
bool readParameter(const QString& name, const QString& value, Address& address, QString& port,
                   QStringList& options, QString* problem) {
    static const QRegularExpression key(u"^[a-z_]+$"_s);
    if (!key.match(name).hasMatch())
        return refuse(problem, QCoreApplication::translate("ClubConnection",
                                                           "Der Parameter „%1“ ist unbekannt.")
                                   .arg(name));
    if (name == u"host"_s)
        address.host = value;
    else if (name == u"port"_s)
        port = value;
    else if (name == u"dbname"_s)
        address.database = value;
    else if (name == u"user"_s)
        address.user = value;
    else if (name == u"password"_s)
        address.password = value;
    else if (value.contains(u';')) // the driver takes ';' for the end of an option
        return refuse(problem, QCoreApplication::translate(
                                   "ClubConnection", "Der Wert von „%1“ enthält ein Semikolon.")
                                   .arg(name));
    else
        options << name + u'=' + quotedOption(value);
    return true;
}

bool readParameters(QStringView parameters, Address& address, QString& port, QStringList& options,
                    QString* problem) {
    for (QStringView pair : parameters.split(u'&', Qt::SkipEmptyParts)) {
        const qsizetype equals = pair.indexOf(u'=');
        const QString name = decoded(equals < 0 ? pair : pair.left(equals));
        const QString value = equals < 0 ? QString() : decoded(pair.mid(equals + 1));
        if (!readParameter(name, value, address, port, options, problem))
            return false;
    }
    return true;
}

bool readPort(const QString& port, Address& address, QString* problem) {
    if (port.isEmpty())
        return true;
    bool ok = false;
    address.port = port.toInt(&ok);
    if (ok && address.port > 0 && address.port <= 65535)
        return true;
    return refuse(problem, QCoreApplication::translate(
                               "ClubConnection", "Der Port „%1“ ist keine Zahl von 1 bis 65535.")
                               .arg(port));
}

// The options the program sets unless the address sets them itself.
void addDefaultOptions(QStringView parameters, QStringList& options) {
    // An unreachable server is told within seconds, not after the system's
    // minutes-long wait.
    if (!parameters.contains(u"connect_timeout="))
        options << u"connect_timeout=10"_s;
    // A network that goes silent (a cable pulled, a router down) answers
    // nothing, not even a refusal: without these the system waits a quarter
    // of an hour before a connection counts as lost, and the sync with it,
    // its status saying "verbunden". Data unacknowledged for 20 s, or a
    // server that answers no keepalive for some 30 s, ends the connection.
    for (const QString& option : {u"tcp_user_timeout=20000"_s, u"keepalives_idle=15"_s,
                                  u"keepalives_interval=5"_s, u"keepalives_count=3"_s})
        if (!parameters.contains(option.left(option.indexOf(u'=') + 1)))
            options << option;
    options << u"application_name=Ankerblick"_s;
    // The server's notices and warnings are no business of the user's: the
    // driver would print them on standard error. Errors come as errors.
    if (!parameters.contains(u"options="))
        options << u"options="_s + quotedOption(u"-c client_min_messages=error"_s);
}

} // namespace

std::optional<Address> parseAddress(const QString& url, QString* problem) {
    QStringView rest(url);
    if (rest.startsWith(u"postgresql://"))
        rest = rest.mid(13);
    else if (rest.startsWith(u"postgres://"))
        rest = rest.mid(11);
    else {
        refuse(problem, QCoreApplication::translate("ClubConnection",
                                                    "Sie beginnt nicht mit postgresql://."));
        return std::nullopt;
    }
    Address address;
    QStringList options;
    QString port;
    const qsizetype query = rest.indexOf(u'?');
    const QStringView parameters = query < 0 ? QStringView() : rest.mid(query + 1);
    rest = query < 0 ? rest : rest.left(query);
    const qsizetype slash = rest.indexOf(u'/');
    if (slash >= 0)
        address.database = decoded(rest.mid(slash + 1));
    if (!readAuthority(slash < 0 ? rest : rest.left(slash), address, port, problem) ||
        !readParameters(parameters, address, port, options, problem) ||
        !readPort(port, address, problem))
        return std::nullopt;
    addDefaultOptions(parameters, options);
    address.options = options.join(u';');
    return address;
}

} // namespace ankerblick::club
