// MagicFixture: a headless game with fresh board, level, sphere and bonus globals, a full empty
// 15x15 board at the resting offsets and helpers to set runes, write assets and run frames.
#pragma once

#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "platform/Headless.h"

#include <gtest/gtest.h>

#include <string>

namespace vsm::test {

class MagicFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Appends a catalogue entry without art.
    TRune& AddRune(const std::string& id, int color, int blocked = 0, const std::string& blockedID = "",
                   const std::string& unblocked = "");
    // The usual catalogue: runes 1..4 of colour classes 1..4 petrifying into stones 101..104
    // (same colour classes), and the special stone 13 of colour class 9.
    void StandardRunes();
    // Puts rune id with its catalogue colour class on a cell.
    void Put(int x, int y, int id);
    // Runs n frames of the effect list (each frame advances the virtual clock by one 60 Hz step).
    void RunEffects(int n);
    // Writes a silent Ogg file or a w x h picture under the resources folder.
    void WriteSound(const std::string& relative);
    void WritePicture(const std::string& relative, int w, int h);
    // Times a sound whose file name ends with name was started since the log was cleared.
    int Plays(const std::string& name) const;
    // Number of cells holding a rune.
    int RunesOnBoard() const;

    HeadlessBackendControl* control = nullptr;
    std::string resources; // ends in "/"
};

} // namespace vsm::test
