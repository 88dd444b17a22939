#include "club.h"

namespace ankerblick {

using namespace Qt::StringLiterals;

QString clubStatusText(const ClubState& state) {
    if (!state.configured)
        return {};
    QString text = state.connected ? u"Verein: verbunden"_s : u"Verein: nicht verbunden"_s;
    if (state.waiting == 1)
        text += u" – 1 Serie wartet"_s;
    else if (state.waiting > 1)
        text += u" – %1 Serien warten"_s.arg(state.waiting);
    return text;
}

} // namespace ankerblick
