#include "entrycontext.h"

#include "model/numeric.h"

#include <QCoreApplication>

namespace ankerblick {

QString EntryContext::shotCaption(int number, const QString& suffix) {
    // The suffix marks what the entry waits for: "!" a hit, "?" a call.
    return QCoreApplication::translate("ankerblick::TargetSheet", "Schuss: %1%2")
        .arg(QString::number(number), suffix);
}

bool EntryContext::fixMark(Mark& mark, int slot, SeriesRecord::Column& left,
                           SeriesRecord::Column& top, SeriesRecord::Centres& centres) {
    const std::optional<qint16> l = num::tryInt16(mark.box.left);
    const std::optional<qint16> t = num::tryInt16(mark.box.top);
    if (!l || !t)
        return false;
    const auto s = size_t(slot);
    left[s] = *l;
    top[s] = *t;
    mark.box.left = float(*l);
    mark.box.top = float(*t);
    centres[s] = mark.box.centre();
    return true;
}

} // namespace ankerblick
