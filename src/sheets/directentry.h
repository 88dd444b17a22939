#pragma once

// The shot-entry window's entry: hits only, placed where the pointer is
// released or where a source outside the window reports them.

#include "entrystrategy.h"

#include <optional>

namespace ankerblick {

class DirectEntry final : public EntryStrategy {
public:
    std::function<void()> kept() override {
        return [this, state = *this] {
            *this = state;
        };
    }

    void reset(EntryContext& context) override;
    void loadSlot(EntryContext& context, int slot, const SeriesRecord& record) override;
    void resume(EntryContext& context, const SeriesRecord& record, int nextSlot) override;
    Mark& waitingMark(EntryContext& context) override;
    bool release(EntryContext& context, float x, float y) override;
    // Placed like a pointer hit into the newest series (shown from then on;
    // a full one is stored and the next begun).
    bool receiveHit(EntryContext& context, const ArrivedHit& hit) override;
    // Hits placed one after another as if they came from outside, without
    // time lines (a photo's holes, held hits brought back). Returns how many.
    int enterWithoutCall(EntryContext& context, const QList<PointF>& hits) override;
    bool accepting() const override { return m_placing; }
    // While a source outside the window delivers, hits write no time lines.
    int setExternalSource(EntryContext& context, bool active) override;
    bool externalSource() const override { return m_external; }

    bool placing() const { return m_placing; }
    int shotIndex() const { return m_index; }

private:
    bool m_placing = true;
    bool m_external = false;
    int m_index = 0;                     // the slot the next hit goes into
    std::optional<quint32> m_arrival;    // of the hit from outside being placed
    HitCheck m_check = HitCheck::Sure;   // and what the shooter is told of it
    std::optional<double> m_deviceValue; // and its device's own value
};

} // namespace ankerblick
