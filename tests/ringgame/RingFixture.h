// RingFixture: a headless game with fresh globals over the built pictures and sounds, the test's
// own ring level and hint archives, a selected player, the menu window, the popups and the ring
// stage loaded, and helpers that aim at the sheets and drive the stage frame by frame.
#pragma once

#include "platform/Headless.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace vsm::test {

class RingFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the ring level archive with one document "ring.tsc" of the settings given, and loads it.
    void LoadLevel(const std::string& settings, const std::string& hints = "");
    // A settings block from its values.
    static std::string Settings(int time, int length, const std::string& spells, int runeTime,
                                int levelNumber = 1);

    // Pointer at the centre of sheet i's box.
    static void AimAt(FrameInput& in, int sheet);
    static void ClickSheet(FrameInput& in, int sheet);

    // Sets a script computed per frame; fn returns false to end it (a close request follows).
    void Drive(std::function<bool(int, FrameInput&)> fn);
    // Runs Play; returns its result, or -1 when the program was ended.
    int RunPlay(int resume);

    // Times a sound whose file name ends with name was started since the sound log was cleared.
    int Plays(const std::string& name) const;
    // Texts drawn at (x, y) since the draw log was cleared, in order.
    std::vector<std::string> TextsAt(float x, float y) const;

    HeadlessBackendControl* control = nullptr;
    std::string resources; // ends in "/"
};

} // namespace vsm::test
