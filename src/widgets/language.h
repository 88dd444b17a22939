#pragma once

// The language the program speaks: German (the language of its texts) or
// English (its translation). German for German locales and for the "C"
// locale, English for every other; the choice in "Ansicht → Sprache",
// remembered in the settings, overrides both and applies at the next start.

#include <QString>

class QLocale;
class QMenu;
class QTranslator;

namespace ankerblick {

class Settings;
class UserDialogs;

enum class Language { German, English };

// `chosen` is the settings' choice ("de", "en" or empty for none).
Language chooseLanguage(const QLocale& system, const QString& chosen);

// "de" or "en".
QString languageCode(Language language);

// The language of the translation installed: English once the program's
// English translation is installed, German otherwise.
Language installedLanguage();

// Installs the program's translation and Qt's own (the dialogs' buttons, the
// command line's help) for the language; the translators must outlive the
// application's use of them.
void installTranslations(Language language, QTranslator& program, QTranslator& qt);

// "Sprache" with "Deutsch" and "English" in the menu; the choice is kept in
// the settings and a message says it applies at the next start.
QMenu* addLanguageMenu(QMenu* menu, Settings& settings, UserDialogs& dialogs);

} // namespace ankerblick
