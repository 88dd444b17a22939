#pragma once

// A source of hits outside a target window as the window knows it: the
// source, the controls that switch it, and what the window asks of it when
// the program ends. The application builds the panels and hands them to the
// windows; a window never knows which device is behind one.

#include "sheets/hitdoor.h"

#include <QObject>

#include <functional>

class QWidget;

namespace ankerblick {

class SourcePanel {
public:
    virtual ~SourcePanel() = default;
    // Where the intake files the source's hits.
    virtual HitOrigin origin() const = 0;
    virtual HitSource& source() = 0;
    // The controls, a child of the window.
    virtual QWidget& controls() = 0;
    // Calls `changed` in `context` whenever the source switches on or off.
    virtual void onStateChanged(QObject* context, std::function<void()> changed) = 0;
    // Stops delivering, as the source's own switch does: the window settles
    // what it holds before anything else is asked.
    virtual void stopDelivering() = 0;
    // The window closes for good: the device is let go.
    virtual void shutdown() = 0;
};

} // namespace ankerblick
