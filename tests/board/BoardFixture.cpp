// BoardFixture: a headless game with fresh board globals, silent sounds and small pictures in a
// scratch resources folder, and hooks that record what the board asks of its neighbours.
#include "board/BoardFixture.h"

#include "board/BoardSeams.h"
#include "board/TStoneEntity.h"
#include "board/TestRunes.h"
#include "services/Paths.h"
#include "magic/CoreGame.h"
#include "shell/AssembleGame.h"
#include "shell/GameHooks.h"
#include "support/TestAssets.h"
#include "support/TestSupport.h"

#include <algorithm>

namespace vsm::test {

void BoardFixture::SetUp() {
    control = &UseHeadlessBackend();
    resources = ScratchDir("board") + "/";
    // The game's own assembly, its hooks included, as start-up makes it.
    ResetGameGlobals();
    InstallGameHooks();
    // Steered: the fixture's own resources.
    bDir = resources;
    for (const char* sound : {"sfx/fx/playgame-explosion2-biger.ogg", "sfx/fx/playgame-bonus-4-boxs.ogg",
                              "sfx/fx/playgame-combo-x3.ogg", "sfx/fx/playgame-combo-x4-and-maxmega.ogg",
                              "sfx/fx/playgame-niemozna-postawic1.ogg", "sfx/fx/playgame-put-new1.ogg",
                              "sfx/fx/playgame-expl-klocstoned.ogg", "sfx/fx/playgame-stonemode.ogg",
                              "sfx/fx/playgame-szur1.ogg"})
        WriteSound(sound);
    WritePicture("gfx/gwiazdki/stone.png", 10, 10);
    WritePicture("gfx/runy/ghost.png", 32, 32);
    WritePicture("gfx/runy/r-x.png", 20, 20);
    // What the loading screen loads for the board and the pieces.
    board.loadSfx();
    blocks.loadSfx();

    // The neighbours the board tests watch and steer, so that a run's effects on the level and
    // the sphere are counted without their managers; every other hook stays as start-up wires it.
    boardSeams.bossCheckMove = [this](int x, int y) {
        return std::count(log.bossCells.begin(), log.bossCells.end(), std::make_pair(x, y)) > 0 ? 1 : 0;
    };
    boardSeams.timeOver = [this] { return log.timeOver; };
    boardSeams.pointsAdd = [this](int score) {
        log.points += score;
        ++log.pointsCalls;
    };
    boardSeams.addUsedBlocks = [this](int n) { log.usedBlocks += n; };
    boardSeams.addMatches = [this](int n) { log.matches += n; };
    boardSeams.addCombos = [this](int n) { log.combos += n; };
    boardSeams.seqNo = [this] { return log.seqNo; };
    boardSeams.sphereFill = [this](int c) { log.fills.push_back(c); };
    boardSeams.findBonus = [this](int x, int y) {
        auto it = log.tokens.find({x, y});
        return it == log.tokens.end() ? 0 : it->second;
    };
    boardSeams.clearBonus = [this](int x, int y) {
        log.bonusCleared.emplace_back(x, y);
        if (log.tokens.erase({x, y}) > 0) log.bonusActive = 1;
    };
    boardSeams.addBonus = [this](int) { ++log.bonusesAdded; };
    boardSeams.bonusActive = [this] { return log.bonusActive; };
    boardSeams.addCaption = [this](int m, int s, int c, int x, int y) {
        log.handedCaptions.push_back({m, s, c, x, y});
    };
    control->ClearSoundLog();
}

void BoardFixture::TearDown() {
    // The real hooks back: the steered ones point into this fixture.
    ResetCoreGame();
    InstallGameHooks();
}

TRune& BoardFixture::AddRune(const std::string& id, int color, int blocked, const std::string& blockedID,
                             const std::string& unblocked) {
    return AppendTestRune(id, color, blocked, blockedID, unblocked);
}

void BoardFixture::FullEmptyBoard() {
    for (int x = 0; x < BOARD_CELLS; ++x) {
        for (int y = 0; y < BOARD_CELLS; ++y) {
            board.grid[x][y] = 1;
            board.davarLayer[x][y] = 0;
            board.colorLayer[x][y] = 0;
            board.timerLayer[x][y] = 0;
            board.highlightLayer[x][y] = 0;
            board.petrifyTable[x][y] = 0;
        }
    }
    board.tileSize = 32;
    board.offsetX = 240;
    board.offsetY = 60;
}

void BoardFixture::Put(int x, int y, int id, int64_t t) {
    board.davarLayer[x][y] = id;
    board.colorLayer[x][y] = davar.getRuneColor(id);
    board.timerLayer[x][y] = t;
}

BlockPtr BoardFixture::Piece(const std::vector<std::pair<int, int>>& cells, int id) {
    auto piece = std::make_shared<TBlock>();
    for (auto [i, j] : cells) {
        piece->Set[i][j] = id;
        piece->color[i][j] = davar.getRuneColor(id);
    }
    return piece;
}

void BoardFixture::WriteSound(const std::string& relative) {
    ASSERT_TRUE(WriteSilentSound(resources + relative));
}

void BoardFixture::WritePicture(const std::string& relative, int w, int h, uint32_t argb) {
    ASSERT_TRUE(WriteFlatPicture(resources + relative, w, h, argb));
}

int BoardFixture::Plays(const std::string& name) const {
    return CountCues(*control, name);
}

} // namespace vsm::test
