// GameFixture: a whole headless game for the tests of the screens that play levels — every
// global, flag and hook reset in start-up order, a scratch resources folder (the built pictures
// and sounds, the test's own packed documents), a scratch per-user folder with one player, and
// helpers to script frames and run the mode loops.
#pragma once

#include "platform/Headless.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

namespace vsm {

// Rebuilds every global of the game's subsystems and fills every hook, in start-up order, as a
// fresh program would have them before it loads anything. The one reset shared by whole-game
// tests.
void ResetGameForTests();

} // namespace vsm

namespace vsm::test {

class GameFixture : public ::testing::Test {
  public:
    // The screen point of a board cell's centre as the board stands now.
    static std::pair<int, int> CellPoint(int x, int y);
    // A left click at a board cell's centre.
    static FrameInput ClickCell(int x, int y);
    // A left click at a screen point.
    static FrameInput ClickAt(int x, int y);
    // A left click on the centre of the shared button stored under id; no click when that
    // button is not on screen.
    static FrameInput ClickButton(int id);
    // True while the shared button stored under id is on screen.
    static bool ButtonShown(int id);

  protected:
    void SetUp() override;
    void TearDown() override;

    // Packs the settings archive: the fixture's portal and piece templates and the extra
    // documents (name -> text).
    void SettingsDocuments(const std::map<std::string, std::string>& extra);
    // Packs the level documents (name -> text) into the level archive, replacing earlier ones.
    void Levels(const std::map<std::string, std::string>& documents);
    // Makes the profile store and selects a new player "tester" (true), or leaves it without
    // any player (false).
    void UsePlayer(bool selected);
    // Prepares a quest level as the campaign's level sequence does: campaign position, document
    // loaded, board cleared and filled, music loaded, popups queued.
    void SetUpQuestLevel(const std::string& name, int seqNo);

    // Plays input per frame from fn (frame counted from the call) until fn returns false or
    // maxFrames have passed; then one terminate request, then an overrun throws.
    void Script(std::function<bool(int frame, FrameInput& in)> fn, int maxFrames = 6000);

    HeadlessBackendControl* control = nullptr;
    std::string resources; // ends in "/"
    std::string userFolder;
};

} // namespace vsm::test
