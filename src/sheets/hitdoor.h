#pragma once

// The one way in for hits from outside the window: the electronic target
// today, a camera watching a paper target or another target later. A source
// hands every hit it takes to the window's door and confirms it to its device
// only once the door says it is stored; the door never knows which source a
// hit came from. The pointer on the target view enters its hits through the
// sheet's pointer events into the same entry strategy, without a door: the
// window keeps them in the diary right after the event.

#include "model/geometry.h"

#include <QString>
#include <QtGlobal>

#include <optional>

namespace ankerblick {

// Where the window draws the target: the face's centre and the drawing
// units per millimetre. A source that measures in millimetres places its
// hits with it.
struct TargetGeometry {
    PointF centre;
    double scale = 1.0;
};

// A hit as it arrived: where it is drawn, in drawing units, and when it came
// by the program's clock (none for a hit brought back from the diary).
struct ArrivedHit {
    PointF at;
    std::optional<quint32> arrival;
};

// What the window made of a hit.
struct HitReceipt {
    bool stored = false; // kept where a killed program finds it again
    // Why it was not, for the shooter; empty when the series list is full.
    QString problem;
};

class HitDoor {
public:
    virtual ~HitDoor() = default;
    // Where the target is drawn now.
    virtual TargetGeometry geometry() const = 0;
    // Enters a hit (into the newest series, or held until its call comes)
    // and keeps it in the training diary before it returns.
    virtual HitReceipt enter(const ArrivedHit& hit) = 0;
    // The source starts or stops delivering. When it stops, the window
    // settles what it holds back and returns what the shooter must be told
    // of it, or nothing.
    virtual QString sourceActive(bool active) = 0;
};

// A source of hits: what the next source has to implement is this and the
// device's side of it (reading, confirming, its own controls).
class HitSource {
public:
    virtual ~HitSource() = default;
    // The door the hits go through from now on; none until it is set.
    virtual void attach(HitDoor* door) = 0;
    // Whether hits are being taken now.
    virtual bool delivering() const = 0;
};

} // namespace ankerblick
