// OverlaysGlobals: the overlays' start-up state.
#include "overlays/OverlaysGlobals.h"

#include "overlays/TOptionsWindow.h"
#include "overlays/TPopupManager.h"

namespace vsm {

void ResetOverlaysGlobals() {
    optionsWindow = TOptionsWindow();
    popupManager = TPopupManager();
}

} // namespace vsm
