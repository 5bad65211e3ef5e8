// BoardListsFixture: a headless game with a fresh board and board selector, a scratch resources
// folder over the built pictures (archives of the test's own) and a scratch user folder.
#pragma once

#include "board/TBoardManager.h"
#include "boardlists/TBoardSelector.h"
#include "data/DataFolders.h"
#include "platform/Headless.h"
#include "profiles/TProfileManager.h"
#include "services/Paths.h"
#include "magic/CoreGame.h"
#include "shell/AssembleGame.h"
#include "shell/GameHooks.h"
#include "support/TestAssets.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace vsm::test {

class BoardListsFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        control = &UseHeadlessBackend();
        resources = ScratchDir("boardlists") + "/";
        std::filesystem::create_directory_symlink(std::filesystem::path(ResourcesDir()).parent_path() / "gfx",
                                                  resources + "gfx");
        Levels({});
        Settings({});
        savedDocs = myDocsFolder;
        myDocsFolder = resources + "user";
        // The game's own assembly, its hooks included, as start-up makes it.
        ResetGameGlobals();
        InstallGameHooks();
        // Steered: the fixture's own resources.
        bDir = resources;
    }
    void TearDown() override {
        profile = TProfileManager();
        ResetBoardSelector();
        ResetCoreGame();
        myDocsFolder = savedDocs;
    }

    void Levels(const std::map<std::string, std::string>& documents) {
        WriteArchive(resources + "data/davar_levels_lp.bca", documents);
    }
    void Settings(const std::map<std::string, std::string>& documents) {
        WriteArchive(resources + "data/settings_lp.bca", documents);
    }
    // Writes a file (making its folders) and returns its path.
    static std::string WriteText(const std::string& path, const std::string& text) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    // A level document whose board cells are columns x0..x1 of rows y0..y1.
    static std::string BoardDocument(int x0, int x1, int y0, int y1) {
        std::string text = "Board{\n";
        for (int row = 0; row < BOARD_CELLS; ++row) {
            text += "  Line" + std::to_string(row + 1) + "=\"";
            for (int col = 0; col < BOARD_CELLS; ++col) {
                const bool cell = col >= x0 && col <= x1 && row >= y0 && row <= y1;
                text += std::string(col ? " " : "") + (cell ? "1" : "0");
            }
            text += "\"\n";
        }
        return text + "}\n";
    }

    HeadlessBackendControl* control = nullptr;
    std::string resources; // ends in "/"
    std::string savedDocs;
};

} // namespace vsm::test
