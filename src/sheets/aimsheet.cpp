#include "aimsheet.h"

namespace ankerblick {

AimSheet::AimSheet(const Clock& clock, const QLocale& locale) : TargetSheet(clock, locale) {}

void AimSheet::load() {
    TargetSheet::load();
    setSectors(0);
    setRingAccuracy(1);
}

void AimSheet::setRevealAfterSeries(bool reveal) {
    if (called().setRevealAfterSeries(reveal))
        showSelectedSeries();
}

} // namespace ankerblick
