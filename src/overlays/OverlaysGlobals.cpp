// OverlaysGlobals: the overlays' start-up state and their side of the lower hooks.
#include "overlays/OverlaysGlobals.h"

#include "level/LevelSeams.h"
#include "magic/TRingOfSpells.h"
#include "overlays/TOptionsWindow.h"
#include "overlays/TPopupManager.h"

namespace vsm {

void ResetOverlaysGlobals() {
    optionsWindow = TOptionsWindow();
    popupManager = TPopupManager();
}

void InstallOverlaySeams() {
    ringSeams.popupAddEvent = [](const std::string& name) { popupManager.AddEvent(name); };
    levelSeams.popupsPrepare = [] { popupManager.Prepare(); };
}

} // namespace vsm
