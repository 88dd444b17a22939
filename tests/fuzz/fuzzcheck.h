#pragma once

// What every fuzz target shares: a check that ends the run with the broken
// invariant named, and the locales the program meets.

#include <QLocale>
#include <QString>

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #cond, __FILE__, __LINE__);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace ankerblick::fuzz {

// German first (the usual one), then locales with other separators and digits.
inline const QLocale& localeFor(unsigned char selector) {
    static const QLocale locales[] = {
        QLocale(QLocale::German, QLocale::Germany),
        QLocale::c(),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::French, QLocale::France),      // narrow no-break space groups
        QLocale(QLocale::German, QLocale::Switzerland), // apostrophe groups
        QLocale(QLocale::Arabic, QLocale::Egypt),       // Arabic-Indic digits, marked signs
        QLocale(QLocale::Hebrew, QLocale::Israel),      // marked signs
    };
    return locales[selector % (sizeof locales / sizeof locales[0])];
}

} // namespace ankerblick::fuzz
