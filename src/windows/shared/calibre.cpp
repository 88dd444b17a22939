#include "calibre.h"

#include "model/numeric.h"
#include "model/targetface.h"
#include "platform/settings.h"
#include "platform/userdialogs.h"

namespace ankerblick {

bool askCalibre(QWidget* parent, UserDialogs& dialogs, Settings& settings, int discipline,
                double currentMm, const QLocale& locale) {
    if (!disciplineInfo(discipline))
        return false;
    const QString prompt = QStringLiteral("Kaliber (Durchmesser des Geschosses) für %1 in mm:")
                               .arg(disciplineCaption(discipline));
    const QString text = dialogs
                             .inputBox(parent, prompt, QStringLiteral("Kaliber"),
                                       num::formatNumber(currentMm, locale))
                             .value_or(QString());
    if (text.trimmed().isEmpty())
        return false;
    const std::optional<double> mm = num::parseNumber(text, locale);
    if (!mm || !isCalibre(*mm)) {
        dialogs.messageBox(parent, QStringLiteral("Bitte ein Kaliber von 1 bis 20 mm eingeben, "
                                                  "zum Beispiel „4,5“."));
        return false;
    }
    settings.setCalibreMm(discipline, *mm);
    return true;
}

} // namespace ankerblick
