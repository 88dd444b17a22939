#pragma once

// The sources of hits as the application hands them to a window, and the
// two panels the tests drive.

#include "features/camera/camerapanel.h"
#include "features/sources/sourcepanels.h"
#include "features/targetlink/targetlinkpanel.h"
#include "windows/shared/targetwindow.h"

#include <cstdlib>

namespace ankerblick::test {

inline void addSources(TargetWindow& window, Services& services) {
    for (SourcePanel* panel : makeSourcePanels(services, &window))
        window.addSource(*panel);
}

template <class Panel> Panel& sourceOf(const TargetWindow& window) {
    for (SourcePanel* panel : window.sources())
        if (auto* found = dynamic_cast<Panel*>(panel))
            return *found;
    qFatal("the window has no such source");
    std::abort();
}

inline TargetLinkPanel& targetLinkOf(const TargetWindow& window) {
    return sourceOf<TargetLinkPanel>(window);
}

inline CameraPanel& cameraOf(const TargetWindow& window) {
    return sourceOf<CameraPanel>(window);
}

} // namespace ankerblick::test
