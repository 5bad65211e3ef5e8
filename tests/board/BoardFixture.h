// BoardFixture: a headless game with fresh board globals, silent sounds and small pictures in a
// scratch resources folder, and hooks that record what the board asks of its neighbours.
#pragma once

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "platform/Headless.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace vsm::test {

// What the board told the level and magic managers, and what they answer.
struct NeighbourLog {
    int points = 0, pointsCalls = 0;
    int usedBlocks = 0, matches = 0, combos = 0;
    std::vector<int> fills;                        // sphere fills by colour class
    std::vector<std::pair<int, int>> bonusCleared; // cells whose token was set off
    int bonusesAdded = 0;
    std::vector<std::vector<int>> handedCaptions; // AddCaption arguments
    // Answers.
    int timeOver = 0;
    int bonusActive = 0;
    int seqNo = 0;
    std::map<std::pair<int, int>, int> tokens;  // cell -> bonus kind
    std::vector<std::pair<int, int>> bossCells; // cells under an active boss rune
};

class BoardFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Appends a catalogue entry without art.
    TRune& AddRune(const std::string& id, int color, int blocked = 0, const std::string& blockedID = "",
                   const std::string& unblocked = "");
    // Every cell playable and empty, tile 32 at the resting offsets (240, 60).
    void FullEmptyBoard();
    // Puts rune id (with its catalogue colour) on a cell, placed at time t.
    void Put(int x, int y, int id, int64_t t = 0);
    // A dealt piece whose filled cells (i, j) carry the rune id, with its catalogue colour.
    BlockPtr Piece(const std::vector<std::pair<int, int>>& cells, int id);
    // Writes a silent Ogg file and a w x h picture under the resources folder.
    void WriteSound(const std::string& relative);
    void WritePicture(const std::string& relative, int w, int h, uint32_t argb = 0xFF808080u);
    // Times the sound whose file name ends with name was started since the log was cleared.
    int Plays(const std::string& name) const;

    HeadlessBackendControl* control = nullptr;
    std::string resources; // ends in "/"
    NeighbourLog log;
};

} // namespace vsm::test
