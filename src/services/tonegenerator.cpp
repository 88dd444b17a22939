#include "tonegenerator.h"

#include <QCoreApplication>

namespace ankerblick {

QString noSoundOutputMessage() {
    return QCoreApplication::translate(
        "ToneGenerator", "Keine Tonausgabe gefunden. Die Zeiten laufen trotzdem, aber ohne Töne.");
}

} // namespace ankerblick
