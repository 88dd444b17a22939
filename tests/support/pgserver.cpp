#include "pgserver.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

#include <csignal>
#include <grp.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace ankerblick::test {

using namespace Qt::StringLiterals;

namespace {

// Debian keeps the server's programs out of PATH.
QString findBinaries() {
    const QString debian = u"/usr/lib/postgresql/15/bin"_s;
    if (QFile::exists(debian + u"/initdb"_s))
        return debian;
    const QString inPath = QStandardPaths::findExecutable(u"initdb"_s);
    return inPath.isEmpty() ? QString() : QFileInfo(inPath).absolutePath();
}

// A port nobody listens on now, chosen by the kernel.
int freePort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(fd);
    return port;
}

} // namespace

// The folder goes with m_dir, after the server: root removes the server
// user's files as well.
PgServer::~PgServer() {
    if (running())
        stop();
}

QString PgServer::binary(const QString& name) const {
    return m_bin + u'/' + name;
}

QString PgServer::socketFolder() const {
    return m_dir ? m_dir->path() : QString();
}

QString PgServer::certificate() const {
    return m_dir ? m_dir->path() + u"/data/server.crt"_s : QString();
}

bool PgServer::run(const QString& program, const QStringList& arguments, int timeoutMs,
                   const QByteArray& input) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"PGPASSWORD"_s, kSuperPassword);
    env.insert(u"LC_ALL"_s, u"C"_s);
    env.remove(u"PGSERVICE"_s);
    process.setProcessEnvironment(env);
    if (m_switchUser && !program.endsWith(u"/psql"_s)) {
        const uid_t uid = m_uid;
        const gid_t gid = m_gid;
        process.setChildProcessModifier([uid, gid] {
            if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0)
                _exit(125);
        });
    }
    process.start(program, arguments);
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
        m_error =
            u"%1 %2 schlug fehl: %3"_s.arg(QFileInfo(program).fileName(), arguments.join(u' '),
                                           QString::fromLocal8Bit(process.readAll()));
        return false;
    }
    return true;
}

bool PgServer::create(bool tls, bool expired) {
    m_bin = findBinaries();
    if (m_bin.isEmpty()) {
        m_error = u"Kein PostgreSQL-Server installiert (initdb fehlt; "
                  u"scripts/install-deps.sh installiert postgresql)."_s;
        return false;
    }
    // Short, so that the socket's path stays below the kernel's limit.
    m_dir = std::make_unique<QTemporaryDir>(u"/tmp/ankerblick-pg.XXXXXX"_s);
    if (!m_dir->isValid()) {
        m_error = u"Kein temporärer Ordner für den Server."_s;
        return false;
    }
    m_switchUser = geteuid() == 0;
    if (m_switchUser) {
        const passwd* nobody = getpwnam("nobody");
        m_uid = nobody ? nobody->pw_uid : 65534;
        m_gid = nobody ? nobody->pw_gid : 65534;
        if (chown(QFile::encodeName(m_dir->path()).constData(), m_uid, m_gid) != 0) {
            m_error = u"Der Ordner des Servers lässt sich nicht übergeben."_s;
            return false;
        }
    }
    const QString dir = m_dir->path();
    const QString passwordFile = dir + u"/superpw"_s;
    {
        QFile file(passwordFile);
        if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(kSuperPassword.data())) < 0)
            return false;
    }
    if (m_switchUser && chown(QFile::encodeName(passwordFile).constData(), m_uid, m_gid) != 0)
        return false;
    if (!run(binary(u"initdb"_s),
             {u"-D"_s, dir + u"/data"_s, u"-U"_s, u"postgres"_s, u"--pwfile"_s, passwordFile,
              u"--auth=scram-sha-256"_s, u"--encoding=UTF8"_s, u"--locale=C"_s, u"--no-sync"_s},
             120000))
        return false;
    QFile::remove(passwordFile);

    m_port = freePort();
    QString conf = u"\nlisten_addresses = '127.0.0.1'\nport = %1\n"
                   u"unix_socket_directories = '%2'\n"
                   u"fsync = off\nfull_page_writes = off\n"
                   u"shared_buffers = 16MB\nmax_connections = 60\n"
                   u"lc_messages = 'C'\n"_s.arg(m_port)
                       .arg(dir);
    if (tls && !expired) {
        if (!run(u"openssl"_s,
                 {u"req"_s, u"-new"_s, u"-x509"_s, u"-days"_s, u"2"_s, u"-nodes"_s, u"-subj"_s,
                  u"/CN=127.0.0.1"_s, u"-keyout"_s, dir + u"/data/server.key"_s, u"-out"_s,
                  dir + u"/data/server.crt"_s}))
            return false;
    } else if (tls) {
        // openssl req cannot date a certificate back; openssl ca can, signing its own.
        QFile ca(dir + u"/ca.cnf"_s);
        if (!ca.open(QIODevice::WriteOnly) ||
            ca.write("[ca]\ndefault_ca = d\n[d]\ndatabase = index.txt\nnew_certs_dir = .\n"
                     "serial = serial\ndefault_md = sha256\npolicy = p\n"
                     "[p]\ncommonName = supplied\n") < 0)
            return false;
        ca.close();
        QFile(dir + u"/index.txt"_s).open(QIODevice::WriteOnly);
        QFile serial(dir + u"/serial"_s);
        if (!serial.open(QIODevice::WriteOnly) || serial.write("01\n") < 0)
            return false;
        serial.close();
        for (const char* name : {"/ca.cnf", "/index.txt", "/serial"})
            if (m_switchUser && chown(QFile::encodeName(dir + QLatin1StringView(name)).constData(),
                                      m_uid, m_gid) != 0)
                return false;
        const QString here = QDir::currentPath();
        QDir::setCurrent(dir);
        const bool made =
            run(u"openssl"_s,
                {u"req"_s, u"-new"_s, u"-nodes"_s, u"-subj"_s, u"/CN=127.0.0.1"_s, u"-keyout"_s,
                 dir + u"/data/server.key"_s, u"-out"_s, dir + u"/server.csr"_s}) &&
            run(u"openssl"_s,
                {u"ca"_s, u"-batch"_s, u"-config"_s, dir + u"/ca.cnf"_s, u"-selfsign"_s,
                 u"-keyfile"_s, dir + u"/data/server.key"_s, u"-in"_s, dir + u"/server.csr"_s,
                 u"-out"_s, dir + u"/data/server.crt"_s, u"-startdate"_s, u"20200101000000Z"_s,
                 u"-enddate"_s, u"20200102000000Z"_s, u"-notext"_s});
        QDir::setCurrent(here);
        if (!made)
            return false;
    }
    if (tls) {
        conf += u"ssl = on\nssl_cert_file = 'server.crt'\nssl_key_file = 'server.key'\n"_s;
    } else {
        conf += u"ssl = off\n"_s;
    }
    QFile config(dir + u"/data/postgresql.conf"_s);
    if (!config.open(QIODevice::Append) || config.write(conf.toUtf8()) < 0) {
        m_error = u"postgresql.conf lässt sich nicht schreiben."_s;
        return false;
    }
    config.close();
    return start() &&
           superSql(u"CREATE ROLE %1 LOGIN CREATEROLE PASSWORD '%2'"_s.arg(kOwner, kOwnerPassword));
}

bool PgServer::start() {
    const QString dir = m_dir->path();
    m_server = std::make_unique<QProcess>();
    m_server->setStandardOutputFile(dir + u"/server.log"_s, QIODevice::Append);
    m_server->setStandardErrorFile(dir + u"/server.log"_s, QIODevice::Append);
    const bool switchUser = m_switchUser;
    const uid_t uid = m_uid;
    const gid_t gid = m_gid;
    // The server goes with the test process, even when that is killed.
    m_server->setChildProcessModifier([switchUser, uid, gid] {
        if (switchUser && (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0))
            _exit(125);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
    });
    m_server->start(binary(u"postgres"_s), {u"-D"_s, dir + u"/data"_s});
    if (!m_server->waitForStarted() || !waitReady()) {
        QFile log(dir + u"/server.log"_s);
        log.open(QIODevice::ReadOnly);
        m_error = u"Der Server startet nicht: "_s + QString::fromUtf8(log.readAll().right(2000));
        if (m_server->state() != QProcess::NotRunning) {
            m_server->kill();
            m_server->waitForFinished();
        }
        return false;
    }
    return true;
}

bool PgServer::waitReady() {
    for (int i = 0; i < 300; ++i) {
        if (m_server->state() == QProcess::NotRunning)
            return false;
        QProcess ready;
        ready.start(binary(u"pg_isready"_s),
                    {u"-q"_s, u"-h"_s, m_dir->path(), u"-p"_s, QString::number(m_port)});
        if (ready.waitForFinished() && ready.exitCode() == 0)
            return true;
        QThread::msleep(50);
    }
    return false;
}

bool PgServer::running() const {
    return m_server && m_server->state() != QProcess::NotRunning;
}

bool PgServer::stop() {
    if (!running())
        return true;
    const bool stopped = run(binary(u"pg_ctl"_s), {u"stop"_s, u"-D"_s, m_dir->path() + u"/data"_s,
                                                   u"-m"_s, u"immediate"_s, u"-w"_s});
    if (!m_server->waitForFinished(30000)) {
        m_server->kill();
        m_server->waitForFinished();
    }
    return stopped;
}

QString PgServer::url(const QString& user, const QString& password, const QString& database,
                      int port) const {
    QUrl url;
    url.setScheme(u"postgresql"_s);
    url.setHost(u"127.0.0.1"_s);
    url.setPort(port > 0 ? port : m_port);
    url.setUserName(user);
    url.setPassword(password);
    url.setPath(u'/' + database);
    return url.toString(QUrl::FullyEncoded);
}

QString PgServer::ownerUrl(const QString& database) const {
    return url(kOwner, kOwnerPassword, database);
}

bool PgServer::superSql(const QString& sql, const QString& database) {
    return run(binary(u"psql"_s),
               {u"-X"_s, u"-q"_s, u"-v"_s, u"ON_ERROR_STOP=1"_s, u"-h"_s, m_dir->path(), u"-p"_s,
                QString::number(m_port), u"-U"_s, u"postgres"_s, u"-d"_s, database, u"-f"_s,
                u"-"_s},
               60000, sql.toUtf8());
}

bool PgServer::createDatabase(const QString& name) {
    return superSql(u"CREATE DATABASE \"%1\" OWNER %2"_s.arg(name, kOwner));
}

} // namespace ankerblick::test
