// PlayfieldReset: the board level's globals made fresh for a test.
#include "support/PlayfieldReset.h"

#include "board/TBoardManager.h"
#include "level/LevelBoardSeam.h"
#include "level/LevelSeams.h"
#include "level/TLevelManager.h"
#include "magic/MagicSeams.h"
#include "magic/TBunusManagerA.h"
#include "magic/TMagicSphere.h"
#include "magic/TRingOfSpells.h"

namespace vsm::test {

void ResetPlayfield() {
    ResetBoardGlobals();
    ResetLevelGlobals();
    InstallLevelBoardSeam();
    levelSeams = TLevelSeams();
    ringSeams = TRingSeams();
    ResetMagicSphere();
    ResetBonusManager();
    ResetRingOfSpells();
    InstallMagicSeams();
}

void ClearPlayfield() {
    levelSeams = TLevelSeams();
    ringSeams = TRingSeams();
    ResetRingOfSpells();
    ResetBonusManager();
    ResetMagicSphere();
    ResetLevelGlobals();
    ResetBoardGlobals();
}

} // namespace vsm::test
