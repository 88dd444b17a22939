#pragma once

// The shot-entry window's sheet: the series session with hits only (see
// DirectEntry).

#include "directentry.h"
#include "targetsheet.h"

namespace ankerblick {

class EntrySheet final : public TargetSheet {
public:
    explicit EntrySheet(const Clock& clock, const QLocale& locale = QLocale())
        : TargetSheet(clock, locale, std::make_unique<DirectEntry>()) {}

    bool placing() const { return direct().placing(); }
    int shotIndex() const { return direct().shotIndex(); }

private:
    const DirectEntry& direct() const { return static_cast<const DirectEntry&>(entry()); }
};

} // namespace ankerblick
