#include "app/application.h"
#include "app/clubcommand.h"
#include "model/numeric.h"
#include "platform/bytestream.h"
#include "platform/clock.h"
#include "platform/clubcoach.h"
#include "platform/clubsync.h"
#include "platform/keyring.h"
#include "platform/opencvcamera.h"
#include "platform/printers.h"
#include "platform/serialport.h"
#include "platform/settings.h"
#include "platform/sqlitediary.h"
#include "platform/tonegenerator.h"
#include "platform/userdialogs.h"
#include "services/services.h"
#include "sheets/commandline.h"
#include "widgets/language.h"

#include <QApplication>
#include <QLocale>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <optional>

namespace {

// The names under which the desktop keeps the settings
// (~/.config/Ankerblick/Ankerblick.conf) and which --version prints.
void nameApplication() {
    QCoreApplication::setOrganizationName(QStringLiteral("Ankerblick"));
    QCoreApplication::setApplicationName(QStringLiteral("Ankerblick"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ANKERBLICK_VERSION));
}

// The program and Qt's own texts (the dialogs' buttons "Abbrechen", "Ja",
// "Nein", the command line's help and errors) speak the language of the
// system, or the one chosen in "Ansicht → Sprache" (settings read after the
// names above are set).
struct Translations {
    QTranslator program;
    QTranslator qt;
};

ankerblick::Language loadTranslations(Translations& translations) {
    const ankerblick::QtSettings settings;
    const ankerblick::Language language =
        ankerblick::chooseLanguage(QLocale::system(), settings.language());
    ankerblick::installTranslations(language, translations.program, translations.qt);
    return language;
}

// Qt takes "--name" for itself (the window system's resource name) before the
// program reads its command line: the shooter's name is set aside first, and
// the arguments the application sees close up behind it.
QStringList setShooterNameAside(int& argc, char** argv) {
    QStringList aside;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--") {
            // What follows "--" stays as it is.
            while (i < argc)
                argv[kept++] = argv[i++];
            break;
        }
        if (arg == "--name" && i + 1 < argc) {
            aside << QString::fromLocal8Bit(arg) << QString::fromLocal8Bit(argv[++i]);
            continue;
        }
        if (arg.startsWith("--name=")) {
            aside << QString::fromLocal8Bit(arg);
            continue;
        }
        argv[kept++] = argv[i];
    }
    for (int i = kept; i < argc; ++i)
        argv[i] = nullptr;
    argc = kept;
    return aside;
}

// Prints what the command line answers; its exit status if the program ends.
std::optional<int> answer(const ankerblick::CommandLine& read) {
    if (!read.exitCode)
        return std::nullopt;
    std::fputs(read.output.toLocal8Bit().constData(), stdout);
    std::fputs(read.error.toLocal8Bit().constData(), stderr);
    return read.exitCode;
}

// Help and version are answered, and a club's server set up, without a display.
std::optional<int> answerWithoutDisplay(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!ankerblick::asksForHelpOrVersion(arguments) && !ankerblick::asksForClubSetup(arguments))
        return std::nullopt;
    QCoreApplication core(argc, argv);
    nameApplication();
    Translations translations;
    loadTranslations(translations);
    const ankerblick::CommandLine read = ankerblick::readCommandLine(QCoreApplication::arguments());
    if (read.club && !read.exitCode)
        return ankerblick::setUpClub(*read.club);
    return answer(read);
}

} // namespace

int main(int argc, char* argv[]) {
    if (const std::optional<int> exitCode = answerWithoutDisplay(argc, argv))
        return *exitCode;

    // The application takes Qt's own options (-platform and the like) first.
    const QStringList nameAside = setShooterNameAside(argc, argv);
    QApplication app(argc, argv);
    nameApplication();

    // Numbers are shown as the interface's language writes them ("9,7" or
    // "9.7"); the files keep the German form whatever the language.
    Translations translations;
    const ankerblick::Language language = loadTranslations(translations);
    QLocale::setDefault(ankerblick::num::presentationLocale(
        QLocale::system(),
        language == ankerblick::Language::English ? QLocale::English : QLocale::German));

    const QStringList arguments = QApplication::arguments();
    const ankerblick::CommandLine read =
        ankerblick::readCommandLine(arguments.mid(0, 1) + nameAside + arguments.mid(1));
    if (const std::optional<int> exitCode = answer(read))
        return *exitCode;

    ankerblick::QtSettings settings;
    ankerblick::QtUserDialogs dialogs(settings);
    ankerblick::SystemClock clock;
    ankerblick::PulseToneGenerator tones;
    ankerblick::QtPrinterService printers;
    // The diary lives in the user's data folder (~/.local/share/Ankerblick/Ankerblick).
    const QString diaryPath = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                              QStringLiteral("/tagebuch.sqlite");
    ankerblick::SqliteDiary diary(diaryPath, clock, ankerblick::SqliteDiary::CheckStart::Later);
    // The diary's check begins once the name prompt is on screen (well
    // within 300 ms), so that it takes nothing from the prompt's start; a
    // name given sooner begins it at the diary's first use.
    QTimer::singleShot(300, [&diary] { diary.startCheck(); });
    ankerblick::OpenCvCameraService cameras(clock);
    ankerblick::Services services{dialogs,  clock, tones,   printers,
                                  settings, diary, cameras, read.options.ports};
    services.serialPorts = ankerblick::makeQtSerialPort;
    services.byteStreams = ankerblick::makeQtByteStream;
    services.extraCameras = read.options.cameras;
    // The sync reads the diary's file on a thread of its own, woken by every
    // change the diary commits, and sends it to the club's server once one
    // is set (at start, see Application).
    ankerblick::ServerClubSync club(diary);
    ankerblick::DesktopKeyring keyring;
    // The coach's view and the diary window read the server on a thread of their own.
    ankerblick::ServerClubReader clubReader;
    services.club = &club;
    services.clubReader = &clubReader;
    services.keyring = &keyring;
    // The services above outlive the application and its windows.
    ankerblick::Application application(services, read.options);
    return application.start();
}
