#pragma once

// How a source outside the window delivers its hits: the electronic target,
// a camera watching a paper target or another target later. A source hands
// every hit it takes to the door the window gave it and confirms it to its
// device only once the door says it is stored. Behind every door is the
// window's one intake (hitintake.h), which also takes the pointer's hits,
// a photo's holes and the hits brought back after a crash.

#include "model/geometry.h"

#include <QString>
#include <QtGlobal>

#include <optional>

namespace ankerblick {

// Where a hit comes from; the intake treats each origin by its own policy.
enum class HitOrigin { Pointer, Target, Camera, Photo, Recovery };

// Where the window draws the target: the face's centre and the drawing
// units per millimetre. A source that measures in millimetres places its
// hits with it. The discipline (-1: none chosen) and the shot diameter tell
// a camera what to look for.
struct TargetGeometry {
    PointF centre;
    double scale = 1.0;
    int discipline = -1;
    double calibreMm = 0.0;

    PointF fromMm(double xMm, double yMm) const { return drawnFromMm(centre, scale, xMm, yMm); }
};

// What the shooter is told of a hit: nothing, that the source was not sure
// of it ("bitte prüfen"), or that the shooter added it by hand where the
// camera saw no hole ("Treffer ergänzt").
enum class HitCheck { Sure, Doubtful, Added };

// A hit as it arrived: where it is drawn, in drawing units, and when it came
// by the program's clock (none for a hit brought back from the diary).
struct ArrivedHit {
    PointF at;
    std::optional<quint32> arrival;
    HitCheck check = HitCheck::Sure;
    // The device says whether the shot is a sighter; none: it does not say.
    std::optional<bool> sighter{};
    // The device's own value of the shot, shown beside the program's.
    std::optional<double> deviceValue{};
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
    // Why the source may not start delivering now (another source of the
    // window delivers), for the shooter; empty when it may.
    virtual QString refusal() const = 0;
    // The shooter corrects the entered hit nearest `from` (drawing units):
    // moved onto `to`, or taken out as no hole. Why it cannot be, for the
    // shooter; empty when it was.
    virtual QString correct(PointF from, std::optional<PointF> to) = 0;
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
    // "Rückgängig" took back the last correction made through the door: a
    // source that shows its hits shows them as before it.
    virtual void correctionTakenBack() {}
};

} // namespace ankerblick
