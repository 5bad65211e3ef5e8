// MagicFixture: fresh globals, a full empty board and helpers for the magic tests.
#include "MagicFixture.h"

#include "board/TBlocksManager.h"
#include "board/TestRunes.h"
#include "magic/CoreGame.h"
#include "shell/AssembleGame.h"
#include "shell/GameHooks.h"
#include "services/Paths.h"
#include "services/TVolcanoEmiter.h"
#include "support/TestAssets.h"
#include "support/TestSupport.h"

namespace vsm::test {

void MagicFixture::SetUp() {
    control = &UseHeadlessBackend();
    resources = ScratchDir("magic") + "/";
    // The game's own assembly, its hooks included, as start-up makes it.
    ResetGameGlobals();
    InstallGameHooks();
    // Steered: the fixture's own resources.
    bDir = resources;
    for (int x = 0; x < BOARD_CELLS; ++x)
        for (int y = 0; y < BOARD_CELLS; ++y)
            board.grid[x][y] = 1;
    board.tileSize = 32;
    board.offsetX = 240;
    board.offsetY = 60;
    control->ClearSoundLog();
    control->SetScript([](int, FrameInput&) { return true; }); // quiet frames, as many as needed
}

void MagicFixture::TearDown() {
    // The real hooks back, for a case that steered one.
    ResetCoreGame();
    InstallGameHooks();
}

TRune& MagicFixture::AddRune(const std::string& id, int color, int blocked, const std::string& blockedID,
                             const std::string& unblocked) {
    TRune& rune = AppendTestRune(id, color, blocked, blockedID, unblocked);
    rune.r1 = rune.r2 = 10 * color;
    rune.g1 = rune.g2 = 20;
    rune.b1 = rune.b2 = 30;
    return rune;
}

void MagicFixture::StandardRunes() {
    for (int c = 1; c <= 4; ++c) {
        AddRune(std::to_string(c), c, 0, std::to_string(100 + c));
        AddRune(std::to_string(100 + c), c, 1, "", std::to_string(c));
    }
    AddRune("13", 9, 1, "", "");
    blocks.availableDavar = {"1", "2", "3", "4"};
}

void MagicFixture::Put(int x, int y, int id) {
    board.davarLayer[x][y] = id;
    board.colorLayer[x][y] = davar.getRuneColor(id);
}

void MagicFixture::RunEffects(int n) {
    for (int i = 0; i < n; ++i) {
        TVolcanoEmiter::updateAll();
        Flip(1);
    }
}

void MagicFixture::WriteSound(const std::string& relative) {
    ASSERT_TRUE(WriteSilentSound(resources + relative));
}

void MagicFixture::WritePicture(const std::string& relative, int w, int h) {
    ASSERT_TRUE(WriteFlatPicture(resources + relative, w, h));
}

int MagicFixture::Plays(const std::string& name) const {
    return CountCues(*control, name);
}

int MagicFixture::RunesOnBoard() const {
    int n = 0;
    for (int x = 0; x < BOARD_CELLS; ++x)
        for (int y = 0; y < BOARD_CELLS; ++y)
            if (board.davarLayer[x][y] != 0) ++n;
    return n;
}

} // namespace vsm::test
