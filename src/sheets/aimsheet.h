#pragma once

// The aim-point analysis window's sheet: the series session with the calls
// entered before their hits, joined by lines and rated (see CalledEntry).

#include "calledentry.h"
#include "targetsheet.h"

namespace ankerblick {

class AimSheet final : public TargetSheet {
public:
    explicit AimSheet(const Clock& clock, const QLocale& locale = QLocale());

    void load();
    void setSectors(int index) { called().setSectors(index); }
    void setRingAccuracy(int index) { called().setRingAccuracy(index); }
    void setRevealAfterSeries(bool reveal);
    bool revealAfterSeries() const { return called().revealAfterSeries(); }

    int heldHitCount() const { return called().heldHitCount(); }
    const std::array<Mark, kShotsPerSeries>& calls() const { return called().calls(); }
    const std::array<LineF, kShotsPerSeries>& lines() const { return called().lines(); }
    // The rating lists and boxes as the window shows them, and their numbers.
    RatingTexts rating() const { return called().ratingFigures().texts(locale()); }
    const RatingFigures& ratingFigures() const { return called().ratingFigures(); }
    // The sectors and rings the calls are rated with.
    const RatingOptions& ratingOptions() const { return called().ratingOptions(); }
    bool entryActive() const { return called().entryActive(); }
    bool awaitingCall() const { return called().awaitingCall(); }
    int displayCycle() const { return called().displayCycle(); }

private:
    EntryStrategy& entry() override { return m_called; }
    const EntryStrategy& entry() const override { return m_called; }
    const CalledEntry& called() const { return m_called; }
    CalledEntry& called() { return m_called; }

    CalledEntry m_called;
};

} // namespace ankerblick
