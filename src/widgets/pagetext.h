#pragma once

// Text on printed pages, which are laid out in millimetres: fonts get whole
// pixel sizes at tenths of a millimetre, so a painter scaled by
// kPageTextUnit writes text of the size asked.

#include <QFont>

namespace ankerblick {

inline constexpr double kPageTextUnit = 0.1; // millimetres per text pixel

// A sans-serif font whose em is `emMm` millimetres on a painter scaled by
// kPageTextUnit; unhinted and without ligatures, so that the text of a PDF
// reads back and copies letter by letter.
QFont pageFont(double emMm, bool bold = false);

} // namespace ankerblick
