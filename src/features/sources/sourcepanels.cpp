#include "sourcepanels.h"

#include "features/camera/camerapanel.h"
#include "features/targetlink/targetlinkpanel.h"
#include "services/services.h"

namespace ankerblick {

QList<SourcePanel*> makeSourcePanels(Services& services, QWidget* window) {
    auto* target = new TargetLinkPanel(services.dialogs, services.settings, services.serialPorts(),
                                       services.byteStreams ? services.byteStreams() : nullptr,
                                       services.extraSerialPorts, window);
    auto* camera =
        new CameraPanel(services.cameras, services.extraCameras, services.dialogs, window);
    return {target, camera};
}

} // namespace ankerblick
