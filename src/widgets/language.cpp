#include "language.h"

#include "services/settings.h"
#include "services/userdialogs.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QTranslator>

namespace ankerblick {

Language chooseLanguage(const QLocale& system, const QString& chosen) {
    if (chosen == u"de")
        return Language::German;
    if (chosen == u"en")
        return Language::English;
    const QLocale::Language spoken = system.language();
    return spoken == QLocale::German || spoken == QLocale::C ? Language::German : Language::English;
}

QString languageCode(Language language) {
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("de");
}

Language installedLanguage() {
    // The English translation answers "en" here.
    const QString code = QCoreApplication::translate("Language", "de", "code of this language");
    return code == u"en" ? Language::English : Language::German;
}

void installTranslations(Language language, QTranslator& program, QTranslator& qt) {
    const QLocale locale(language == Language::English ? QLocale::English : QLocale::German);
    if (language == Language::English && program.load(QStringLiteral(":/i18n/ankerblick_en.qm")))
        QCoreApplication::installTranslator(&program);
    // Qt speaks English by itself; qtbase_en is there on some systems only.
    if (qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt);
}

QMenu* addLanguageMenu(QMenu* menu, Settings& settings, UserDialogs& dialogs) {
    QMenu* languages = menu->addMenu(QCoreApplication::translate("Language", "Sprache"));
    languages->setObjectName(QStringLiteral("Sprache"));
    auto* group = new QActionGroup(languages);
    const QString kept = settings.language();
    const QString current = kept.isEmpty() ? languageCode(installedLanguage()) : kept;
    const struct {
        QString code;
        QString caption;
    } entries[] = {{QStringLiteral("de"), QStringLiteral("Deutsch")},
                   {QStringLiteral("en"), QStringLiteral("English")}};
    for (const auto& entry : entries) {
        QAction* action = languages->addAction(entry.caption);
        action->setCheckable(true);
        action->setChecked(entry.code == current);
        group->addAction(action);
        const QString code = entry.code;
        QObject::connect(action, &QAction::triggered, menu, [menu, code, &settings, &dialogs] {
            if (settings.language() == code)
                return;
            settings.setLanguage(code);
            dialogs.messageBox(
                menu->window(),
                QCoreApplication::translate(
                    "Language", "Die Sprache wird beim nächsten Start des Programms umgestellt.\n"
                                "The language changes when the program is started again."),
                QCoreApplication::translate("Language", "Sprache"));
        });
    }
    return languages;
}

} // namespace ankerblick
