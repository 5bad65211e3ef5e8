// QuestScene: asset loading and the frame of a quest board level on the headless backend.
#include "QuestScene.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "level/TLevelManager.h"
#include "magic/BonusActions.h"
#include "magic/CoreGame.h"
#include "magic/TBunusManagerA.h"
#include "magic/TMagicSphere.h"
#include "modes/ModeFrame.h"
#include "modes/QuestLevel.h"
#include "platform/Files.h"
#include "platform/Headless.h"
#include "platform/System.h"
#include "services/GameFlags.h"
#include "services/GraphicsMode.h"
#include "services/Paths.h"
#include "services/TCaptions.h"
#include "services/TMouse.h"
#include "services/TSpark.h"
#include "services/TVolcanoEmiter.h"
#include "shell/GameHooks.h"
#include "shell/LoadGameAssets.h"

#include <cstdlib>

namespace vsm::bench {

namespace {
HeadlessBackendControl* control = nullptr;
FrameLoad lastLoad;
} // namespace

std::string ResourcesFolder() {
    const char* env = std::getenv("VSM_RESOURCES");
    std::string dir = env && *env ? env : VSM_RESOURCES_DIR_DEFAULT;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir;
}

bool LoadQuestScene(const std::string& levelName, int flag) {
    control = &UseHeadlessBackend();
    ResetCoreGame();
    InstallGameHooks();
    bDir = ResourcesFolder();
    if (FileType(bDir + "gfx") != FILETYPE_DIR) return false;
    SetGraphicsMode(2, 800, 600, 32);
    LoadGameAssets();
    blocks.loadBlocksDef();

    // The level start.
    level.Set(levelName);
    if (level.Load(flag) != 0) return false;
    level.loadGfx();
    board.createBoardImage(1);
    blocks.buildNextBlock();
    board.checkGameOver();

    // Past the fade-in and the slide-in, with the pointer over the board.
    guiAlpha = 1.0f;
    control->SetScript([](int, FrameInput& in) {
        in.mouseX = 400;
        in.mouseY = 300;
        return true;
    });
    for (int i = 0; i < 240 && board.wjazd >= 0; ++i)
        QuestFrame();
    return true;
}

void FillBoard() {
    const std::vector<std::string>& ids = blocks.availableDavar;
    if (ids.empty()) return;
    for (int x = 0; x < BOARD_CELLS; ++x) {
        for (int y = 0; y < BOARD_CELLS; ++y) {
            if (board.grid[x][y] == 0 || board.davarLayer[x][y] > 0) continue;
            // Neighbours in a row differ by one step and in a column by two: never three alike.
            const std::string& id = ids[(x + 2 * y) % ids.size()];
            const int rune = std::atoi(id.c_str());
            board.davarLayer[x][y] = rune;
            board.colorLayer[x][y] = davar.getRuneColor(rune);
            board.timerLayer[x][y] = MilliSecs64();
        }
    }
}

void StartBusiestMoment() {
    ClearEffects();
    FillBoard();
    int minX = BOARD_CELLS, minY = BOARD_CELLS, maxX = -1, maxY = -1;
    for (int x = 0; x < BOARD_CELLS; ++x) {
        for (int y = 0; y < BOARD_CELLS; ++y) {
            if (board.grid[x][y] == 0) continue;
            minX = std::min(minX, x);
            minY = std::min(minY, y);
            maxX = std::max(maxX, x);
            maxY = std::max(maxY, y);
        }
    }
    BonusRemoveCross((minX + maxX) / 2, (minY + maxY) / 2);
    BonusRemoveBlock(minX + 2, minY + 2);

    for (int i = 0; i < 500; ++i) {
        auto s = TSpark::Create(SparkImage(1 + i % 3), 100 + (i * 37) % 600, 50 + (i * 53) % 500, 1.0f, 2000,
                                255, 200, 100, 1, 1);
        s->setVelocity(static_cast<float>(i % 7) - 3.0f, static_cast<float>(i % 5) - 2.0f);
    }

    for (int i = 0; i < SPHERE_BALLS; ++i) {
        if (magicSphere.ballsClr[i] == 0) continue;
        magicSphere.ballsFil[i] = magicSphere.ballsCap[i];
        magicSphere.ballsLod[i] = 1.0f;
        magicSphere.ballsFTimer[i] = -1;
    }
}

HeadlessBackendControl& SceneControl() {
    return *control;
}

void QuestFrame(std::vector<DrawCall>* drawn, int sync) {
    Cls();
    StepFrameTimer();
    mouse.fetchState(1);
    QuestSceneStep();
    const bool headless = HeadlessActive();
    lastLoad.drawCalls = headless ? static_cast<int>(control->DrawLog().size()) : 0;
    lastLoad.sparks = static_cast<int>(SparkList.Count());
    lastLoad.effectParticles = 0;
    volcanoList.ForEach([](const std::shared_ptr<TVolcanoEmiter>& e) {
        lastLoad.effectParticles += static_cast<int>(e->entities.Count());
    });
    if (drawn && headless) *drawn = control->DrawLog();
    Flip(sync);
    if (headless) {
        control->ClearDrawLog();
        control->ClearSoundLog();
    }
}

FrameLoad LastFrameLoad() {
    return lastLoad;
}

void ClearEffects() {
    bonusManagerAlt.ClearEfects();
    bonusManagerAlt.ClearSpells();
    TSpark::destroyAll();
    TCaptions::destroyAll();
}

} // namespace vsm::bench
