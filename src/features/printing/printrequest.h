#pragma once

// What the print dialog asks to print: the series chosen, in the order of the
// list, in colour or black and white, and whether the overall picture of all
// printed shots follows them.

#include "services/printers.h"

#include <QList>
#include <QtGlobal>

namespace ankerblick {

struct PrintRequest {
    QList<qint16> series; // numbers from 1
    PrintColour colour = PrintColour::Colour;
    bool overall = false; // "Gesamtschussbild?"
};

} // namespace ankerblick
