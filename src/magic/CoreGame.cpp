// CoreGame: the one reset of every global of the services, widgets, board, level and magic
// subsystems, with their hooks installed as start-up installs them.
#include "magic/CoreGame.h"

#include "board/BoardSeams.h"
#include "board/TBoardManager.h"
#include "level/LevelSeams.h"
#include "level/TLevelManager.h"
#include "magic/MagicSeams.h"
#include "magic/TBunusManagerA.h"
#include "magic/TMagicSphere.h"
#include "magic/TRingOfSpells.h"
#include "services/ServicesGlobals.h"
#include "widgets/WidgetsGlobals.h"

namespace vsm {

void ResetCoreGame() {
    ResetServicesGlobals();
    ResetWidgetsGlobals();
    // Every hook starts empty; each owner below installs its own.
    boardSeams = TBoardSeams();
    levelSeams = TLevelSeams();
    ringSeams = TRingSeams();
    ResetBoardGlobals();
    ResetLevelGlobals();
    ResetMagicSphere();
    ResetBonusManager();
    ResetRingOfSpells();
    InstallMagicSeams();
}

} // namespace vsm
