#include "calibre.h"

#include "model/numeric.h"
#include "model/targetface.h"
#include "services/settings.h"
#include "services/userdialogs.h"
#include "widgets/widgets.h"

#include <QCoreApplication>

namespace ankerblick {

bool askCalibre(QWidget* parent, UserDialogs& dialogs, Settings& settings, int discipline,
                double currentMm, const QLocale& locale) {
    if (!disciplineInfo(discipline))
        return false;
    const std::optional<double> mm = askMillimetres(
        parent, dialogs,
        QCoreApplication::translate("Calibre", "Kaliber (Durchmesser des Geschosses) für %1 in mm:")
            .arg(disciplineCaption(discipline)),
        QCoreApplication::translate("Calibre", "Kaliber"), currentMm, locale, isCalibre,
        QCoreApplication::translate(
            "Calibre", "Bitte ein Kaliber von 1 bis 20 mm eingeben, zum Beispiel „4,5“."));
    if (!mm)
        return false;
    settings.setCalibreMm(discipline, *mm);
    return true;
}

} // namespace ankerblick
