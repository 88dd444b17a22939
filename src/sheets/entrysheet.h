#pragma once

// The shot-entry window's sheet: the series session with hits only (see
// DirectEntry).

#include "directentry.h"
#include "targetsheet.h"

namespace ankerblick {

class EntrySheet final : public TargetSheet {
public:
    explicit EntrySheet(const Clock& clock, const QLocale& locale = QLocale())
        : TargetSheet(clock, locale) {}

    bool placing() const { return m_direct.placing(); }
    int shotIndex() const { return m_direct.shotIndex(); }

private:
    EntryStrategy& entry() override { return m_direct; }
    const EntryStrategy& entry() const override { return m_direct; }

    DirectEntry m_direct;
};

} // namespace ankerblick
