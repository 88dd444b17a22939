#include "model/numeric.h"
#include "platform/clock.h"
#include "platform/printers.h"
#include "platform/serialport.h"
#include "platform/services.h"
#include "platform/tonegenerator.h"
#include "platform/userdialogs.h"
#include "sheets/portchoice.h"
#include "windows/main/form1.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ankerblick"));

    const QLocale locale = ankerblick::num::presentationLocale();
    QLocale::setDefault(locale);

    // Qt's own dialogs speak the program's language ("Abbrechen", "Ja", "Nein").
    QTranslator qtTranslator;
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (qtTranslator.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                          translations))
        QApplication::installTranslator(&qtTranslator);

    ankerblick::QtUserDialogs dialogs;
    ankerblick::SystemClock clock;
    ankerblick::PulseToneGenerator tones;
    ankerblick::QtPrinterService printers;
    ankerblick::Services services{dialogs, clock, tones, printers,
                                  ankerblick::portArguments(QApplication::arguments())};
    services.serialPorts = ankerblick::makeQtSerialPort;
    ankerblick::Form1 form(services);
    form.show();
    return QApplication::exec();
}
