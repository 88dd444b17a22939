// ankerblick-live: the range live in a browser, from the club's server.

#include "live/liveoptions.h"
#include "live/liveserver.h"
#include "live/sessions.h"
#include "model/background.h"
#include "platform/clubconnection.h"
#include "platform/clublive.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QSslCertificate>
#include <QSslKey>
#include <QStandardPaths>
#include <QTranslator>

#include <chrono>
#include <cstdio>
#include <memory>

namespace {

using namespace ankerblick;
using namespace Qt::StringLiterals;

// A session lasts a day at the range.
constexpr std::chrono::hours kSessionLifetime{12};

void print(FILE* to, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), to);
    std::fflush(to);
}

// Where the browsers' sessions are kept: the service's state folder under
// systemd, otherwise the user's data folder.
QString sessionsFile(const live::LiveOptions& options) {
    if (!options.sessions.isEmpty())
        return options.sessions;
    const QString state = qEnvironmentVariable("STATE_DIRECTORY");
    const QString folder =
        state.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
                        : state.section(u':', 0, 0);
    return folder + u"/sitzungen.json"_s;
}

// The certificate and key for TLS; a sentence when they cannot be read.
QString setUpTls(live::LiveServer& server, const live::LiveOptions& options) {
    const QList<QSslCertificate> chain = QSslCertificate::fromPath(options.certificate);
    QFile keyFile(options.key);
    if (chain.isEmpty())
        return QCoreApplication::translate("LiveView", "Das Zertifikat „%1“ ist nicht lesbar.")
            .arg(options.certificate);
    const QByteArray pem = keyFile.open(QIODevice::ReadOnly) ? keyFile.readAll() : QByteArray();
    QSslKey key(pem, QSsl::Rsa);
    if (key.isNull())
        key = QSslKey(pem, QSsl::Ec);
    if (key.isNull())
        return QCoreApplication::translate("LiveView", "Der Schlüssel „%1“ ist nicht lesbar.")
            .arg(options.key);
    server.sslSetup(chain.front(), key);
    return {};
}

int serve(const live::LiveOptions& options) {
    live::Sessions sessions(sessionsFile(options), kSessionLifetime);
    sessions.load(QDateTime::currentDateTimeUtc());
    // Held by the checks of logins too, which may outlive this function.
    const auto stop = std::make_shared<club::Stop>();
    const club::Credentials server{options.club, {}};
    live::LiveServer view(
        {.tls = options.tls()}, sessions,
        [server, stop](const QString& login, const QString& password, QString* problem) {
            return club::viewerOf(server, login, password, stop.get(), problem);
        });
    if (options.tls())
        if (const QString problem = setUpTls(view, options); !problem.isEmpty()) {
            print(stderr, problem + u'\n');
            return 1;
        }
    if (view.listen(QHostAddress(options.address), quint16(options.port)) == 0) {
        print(stderr, QCoreApplication::translate("LiveView",
                                                  "Die Live-Ansicht kann nicht auf %1:%2 hören.")
                              .arg(options.address)
                              .arg(options.port) +
                          u'\n');
        return 1;
    }
    LiveClubReader reader;
    QObject::connect(&reader, &LiveClubReader::trainingsRead, &view, [&view](const auto& all) {
        view.setServerProblem({});
        view.setTrainings(all);
    });
    QObject::connect(&reader, &LiveClubReader::seriesRead, &view, &live::LiveServer::takeSeries);
    QObject::connect(&reader, &LiveClubReader::problem, &view, &live::LiveServer::setServerProblem);
    reader.watch(server);
    print(stdout, QCoreApplication::translate("LiveView", "Live-Ansicht auf %1://%2:%3/\n")
                      .arg(options.tls() ? u"https"_s : u"http"_s, options.address)
                      .arg(options.port));
    const int status = QCoreApplication::exec();
    stop->raise(); // a login still being checked ends at once
    return status;
}

// The language of the system: German for German and the "C" locale,
// English for every other, as the program's windows choose it.
void translate(QTranslator& program, QTranslator& qt) {
    const QLocale::Language spoken = QLocale::system().language();
    const bool german = spoken == QLocale::German || spoken == QLocale::C;
    if (!german && program.load(u":/i18n/ankerblick_en.qm"_s))
        QCoreApplication::installTranslator(&program);
    if (qt.load(QLocale(german ? QLocale::German : QLocale::English), u"qtbase"_s, u"_"_s,
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTranslator program;
    QTranslator qt;
    translate(program, qt);
    QCoreApplication::setOrganizationName(u"Ankerblick"_s);
    QCoreApplication::setApplicationName(u"ankerblick-live"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(ANKERBLICK_VERSION));
    const live::LiveCommandLine line = live::readLiveCommandLine(QCoreApplication::arguments());
    if (line.exitCode) {
        print(stdout, line.output);
        print(stderr, line.error);
        return *line.exitCode;
    }
    return serve(line.options);
}
