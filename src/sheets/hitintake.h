#pragma once

// The one way in for every hit of a target window: the pointer, the
// electronic target, the camera, a photo's holes and the hits brought back
// after a crash. Each origin has its policy for a diary that refuses the
// write: a device's hit is taken out again, neither shown nor confirmed, so
// that the device delivers it once more; the shooter's own hits (pointer,
// photo, recovery) stay and the window tells the shooter once. One source
// outside the window delivers at a time; the intake refuses a second.

#include "hitdoor.h"
#include "targetsheet.h"

#include <QCoreApplication>
#include <QList>
#include <QPointF>
#include <QString>

#include <array>
#include <memory>
#include <optional>

namespace ankerblick {

class HitIntake {
    Q_DECLARE_TR_FUNCTIONS(HitIntake)
public:
    // What the window does for the intake.
    class Site {
    public:
        virtual ~Site() = default;
        // Writes the sheet's change to the diary; false when the diary refused.
        virtual bool keep() = 0;
        // Why the diary refused, for the shooter.
        virtual QString keepProblem() const = 0;
        // The controls follow the sheet.
        virtual void show() = 0;
        // A change the shooter made: shown and written, the shooter told
        // once when the diary refuses it.
        virtual void changed() = 0;
    };

    HitIntake(TargetSheet& sheet, Site& site);
    ~HitIntake();
    HitIntake(const HitIntake&) = delete;
    HitIntake& operator=(const HitIntake&) = delete;

    // The door for a source outside the window (the target or the camera).
    HitDoor& door(HitOrigin origin);
    // The source outside the window that delivers now, if any.
    std::optional<HitOrigin> delivering() const { return m_delivering; }

    // A pointer button released over the target at `at` (drawing units).
    void pointerReleased(MouseButton button, PointF at);
    // A photo's holes, in millimetres from the face's centre (y upwards):
    // the hits of a new series, or of several when they are more than a
    // series holds. The problem, for the shooter, when none was entered.
    std::optional<QString> enterPhoto(const QList<QPointF>& holesMm);
    // Hits that waited for their calls when the program stopped: entered
    // without a call. Returns how many.
    int enterRecovered(const QList<PointF>& hits);

    // The shooter corrects the hit nearest `from`; see HitDoor::correct.
    QString correctHit(PointF from, std::optional<PointF> to);

    // Why a photo cannot be read now (a source outside delivers); empty when it can.
    QString photoRefusal() const;
    // What became of `placed` hits of `origin` that were still held when
    // their source stopped or the program ended; empty for none.
    static QString heldHitsText(HitOrigin origin, int placed);

private:
    class Door;
    HitReceipt enterDeviceHit(HitOrigin origin, const ArrivedHit& hit);
    QString sourceActive(HitOrigin origin, bool active);
    QString refusal(HitOrigin origin) const;

    TargetSheet& m_sheet;
    Site& m_site;
    std::array<std::unique_ptr<Door>, 5> m_doors;
    std::optional<HitOrigin> m_delivering;
};

} // namespace ankerblick
