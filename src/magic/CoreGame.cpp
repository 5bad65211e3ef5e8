// CoreGame: the one reset of every global of the services, widgets, board, level and magic
// folders.
#include "magic/CoreGame.h"

#include "board/TBoardManager.h"
#include "level/TLevelManager.h"
#include "magic/TBunusManagerA.h"
#include "magic/TMagicSphere.h"
#include "magic/TRingOfSpells.h"
#include "services/ServicesGlobals.h"
#include "widgets/WidgetsGlobals.h"

namespace vsm {

void ResetCoreGame() {
    ResetServicesGlobals();
    ResetWidgetsGlobals();
    ResetBoardGlobals();
    ResetLevelGlobals();
    ResetMagicSphere();
    ResetBonusManager();
    ResetRingOfSpells();
}

} // namespace vsm
