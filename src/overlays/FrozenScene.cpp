// FrozenScene: the paused level's scene, in the order the level loop draws it.
#include "overlays/FrozenScene.h"

#include "board/TBoardManager.h"
#include "level/TBossManager.h"
#include "level/TLevelManager.h"
#include "level/TPointsManager.h"
#include "level/TTimeManager.h"
#include "magic/TBunusManagerA.h"
#include "magic/TMagicSphere.h"
#include "magic/TRingOfSpells.h"
#include "services/TCaptions.h"
#include "services/TCometEmiter.h"
#include "services/TRingEmiter.h"
#include "services/TSoundQ.h"
#include "services/TSpark.h"
#include "services/TVolcanoEmiter.h"

namespace vsm {

void DrawFrozenScene(int updateBoard) {
    level.Draw();
    magicSphere.Update(1);
    timeManager.DrawAndUpdate();
    points.Draw(0);
    ringOfSpells.Draw();
    if (updateBoard != 0) board.Update(1);
    board.Draw(0);
    bossManager.Draw();
    bonusManagerAlt.Draw();
    UpdateLevelEffects();
}

void UpdateLevelEffects() {
    TCometEmiter::updateAll();
    TVolcanoEmiter::updateAll();
    TRingEmiter::UpdateAll();
    TSpark::UpdateAll();
    TCaptions::updateAll();
    TSoundQ::updateAll();
}

} // namespace vsm
