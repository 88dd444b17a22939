#include "pagetext.h"

namespace ankerblick {

QFont pageFont(double emMm, bool bold) {
    QFont f(QStringLiteral("Sans Serif"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(qRound(emMm / kPageTextUnit));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

} // namespace ankerblick
