#pragma once

// The sources of hits the program offers a target window, with their
// controls: the electronic target and the camera. The application builds
// them for each window and hands them over; the window knows them only as
// sources.

#include <QList>

class QWidget;

namespace ankerblick {

class SourcePanel;
struct Services;

// Children of `window`, in the order the window shows them.
QList<SourcePanel*> makeSourcePanels(Services& services, QWidget* window);

} // namespace ankerblick
