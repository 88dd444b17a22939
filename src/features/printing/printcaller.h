#pragma once

// The window that asked for a print: the print dialog hands it every series
// to print, one call each, and then ends the job.

#include <QtGlobal>

namespace ankerblick {

// Farbe values of DruckStarten.
inline constexpr qint16 kPrintBlackWhite = 1;
inline constexpr qint16 kPrintColour = 2;

class PrintCaller {
public:
    virtual ~PrintCaller() = default;

    // Prints series SerienNummer (1-based) as one of Serienanzahl series of
    // this job; Farbe is kPrintColour or kPrintBlackWhite; Gesamt asks for the
    // overall picture of all printed shots.
    virtual void DruckStarten(qint16 SerienNummer, qint16 Serienanzahl, qint16 Farbe,
                              bool Gesamt) = 0;
    // Ends the print job and its document.
    virtual void DruckBeendet() = 0;
};

} // namespace ankerblick
