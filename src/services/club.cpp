#include "club.h"

#include <QCoreApplication>

namespace ankerblick {

using namespace Qt::StringLiterals;

QString clubStatusText(const ClubState& state) {
    if (!state.configured)
        return {};
    QString text = state.connected ? QCoreApplication::translate("Club", "Verein: verbunden")
                                   : QCoreApplication::translate("Club", "Verein: nicht verbunden");
    if (state.waiting == 1)
        text = QCoreApplication::translate("Club", "%1 – 1 Serie wartet").arg(text);
    else if (state.waiting > 1)
        text = QCoreApplication::translate("Club", "%1 – %2 Serien warten")
                   .arg(text, QString::number(state.waiting));
    return text;
}

} // namespace ankerblick
