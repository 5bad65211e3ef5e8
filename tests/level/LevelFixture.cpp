// LevelFixture: a headless game with fresh globals, a scratch resources folder and helpers to
// pack fixture documents into archives there.
#include "level/LevelFixture.h"

#include "board/TBoardManager.h"
#include "board/TestRunes.h"
#include "magic/CoreGame.h"
#include "shell/AssembleGame.h"
#include "shell/GameHooks.h"
#include "services/Paths.h"
#include "support/TestAssets.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <fstream>

namespace vsm::test {

void LevelFixture::SetUp() {
    control = &UseHeadlessBackend();
    resources = ScratchDir("level") + "/";
    // The game's own assembly, its hooks included, as start-up makes it.
    ResetGameGlobals();
    InstallGameHooks();
    // Steered: the fixture's own resources.
    bDir = resources;
    // Level documents deal and preset these runes; ids beyond them are unknown to the game.
    for (int id = 1; id <= 6; ++id)
        AppendTestRune(std::to_string(id), id, 0, "", "");
    // Every level load opens these archives; a missing one would end the program.
    Archive("davar_levels_lp.bca", {});
    Archive("settings_lp.bca", {});
}

void LevelFixture::TearDown() {
    // The real hooks back, for a case that steered one.
    ResetCoreGame();
    InstallGameHooks();
}

void LevelFixture::Archive(const std::string& archive, const std::map<std::string, std::string>& documents) {
    WriteArchive(resources + "data/" + archive, documents);
}

std::string LevelFixture::WriteResource(const std::string& relative, const std::string& text) {
    const std::string path = resources + relative;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

void LevelFixture::FullEmptyBoard() {
    for (int x = 0; x < 15; ++x) {
        for (int y = 0; y < 15; ++y) {
            board.grid[x][y] = 1;
            board.davarLayer[x][y] = 0;
            board.colorLayer[x][y] = 0;
            board.highlightLayer[x][y] = 0;
        }
    }
}

} // namespace vsm::test
