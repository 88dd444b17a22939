#include "model/numeric.h"
#include "platform/clock.h"
#include "platform/printers.h"
#include "platform/serialport.h"
#include "platform/services.h"
#include "platform/settings.h"
#include "platform/tonegenerator.h"
#include "platform/userdialogs.h"
#include "sheets/commandline.h"
#include "windows/main/form1.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
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

// Qt's own texts speak the program's language: the dialogs' buttons
// ("Abbrechen", "Ja", "Nein") and the command line's help and errors.
void loadQtTranslation(QTranslator& translator) {
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (translator.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                        translations))
        QCoreApplication::installTranslator(&translator);
}

// Prints what the command line answers; its exit status if the program ends.
std::optional<int> answer(const ankerblick::CommandLine& read) {
    if (!read.exitCode)
        return std::nullopt;
    std::fputs(read.output.toLocal8Bit().constData(), stdout);
    std::fputs(read.error.toLocal8Bit().constData(), stderr);
    return read.exitCode;
}

// Help and version are answered without a display.
std::optional<int> answerWithoutDisplay(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!ankerblick::asksForHelpOrVersion(arguments))
        return std::nullopt;
    QCoreApplication core(argc, argv);
    nameApplication();
    QTranslator qtTranslator;
    loadQtTranslation(qtTranslator);
    return answer(ankerblick::readCommandLine(QCoreApplication::arguments()));
}

} // namespace

int main(int argc, char* argv[]) {
    if (const std::optional<int> exitCode = answerWithoutDisplay(argc, argv))
        return *exitCode;

    // The application takes Qt's own options (-platform and the like) first.
    QApplication app(argc, argv);
    nameApplication();

    const QLocale locale = ankerblick::num::presentationLocale();
    QLocale::setDefault(locale);

    QTranslator qtTranslator;
    loadQtTranslation(qtTranslator);

    const ankerblick::CommandLine read = ankerblick::readCommandLine(QApplication::arguments());
    if (const std::optional<int> exitCode = answer(read))
        return *exitCode;

    ankerblick::QtSettings settings;
    ankerblick::QtUserDialogs dialogs(settings);
    ankerblick::SystemClock clock;
    ankerblick::PulseToneGenerator tones;
    ankerblick::QtPrinterService printers;
    ankerblick::Services services{dialogs, clock, tones, printers, settings, read.options.ports};
    services.serialPorts = ankerblick::makeQtSerialPort;
    ankerblick::Form1 form(services, read.options);
    form.show();
    return QApplication::exec();
}
