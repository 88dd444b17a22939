#pragma once

// The program speaking a language for the length of a test: its translation
// and Qt's installed and numbers in the language's format, as the program
// starts with it; German again afterwards.

#include "widgets/language.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace ankerblick::test {

class SpokenLanguage {
public:
    explicit SpokenLanguage(Language language) {
        installTranslations(language, m_program, m_qt);
        QLocale::setDefault(language == Language::English
                                ? QLocale(QLocale::English, QLocale::UnitedKingdom)
                                : QLocale(QLocale::German, QLocale::Germany));
    }
    ~SpokenLanguage() {
        QCoreApplication::removeTranslator(&m_program);
        QCoreApplication::removeTranslator(&m_qt);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    SpokenLanguage(const SpokenLanguage&) = delete;
    SpokenLanguage& operator=(const SpokenLanguage&) = delete;

private:
    QTranslator m_program;
    QTranslator m_qt;
};

} // namespace ankerblick::test
