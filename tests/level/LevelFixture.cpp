// LevelFixture: a headless game with fresh globals, a scratch resources folder and helpers to
// pack fixture documents into archives there.
#include "level/LevelFixture.h"

#include "board/BoardSeams.h"
#include "board/TBoardManager.h"
#include "level/LevelSeams.h"
#include "level/TLevelManager.h"
#include "services/Paths.h"
#include "services/ServicesGlobals.h"
#include "support/TestSupport.h"
#include "widgets/WidgetsGlobals.h"

#include <filesystem>
#include <fstream>

namespace vsm::test {

void LevelFixture::SetUp() {
    control = &UseHeadlessBackend();
    resources = ScratchDir("level") + "/";
    ResetServicesGlobals();
    ResetWidgetsGlobals();
    bDir = resources;
    ResetBoardGlobals();
    ResetLevelGlobals();
    levelSeams = TLevelSeams();
    // Every level load opens these archives; a missing one would end the program.
    Archive("davar_levels_lp.bca", {});
    Archive("settings_lp.bca", {});
}

void LevelFixture::TearDown() {
    levelSeams = TLevelSeams();
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
