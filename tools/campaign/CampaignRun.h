// CampaignRun: one play of one campaign position (or quick-play board) through the game's own
// loops on the headless backend, with the campaign player at the mouse: the quest board level
// with its popups, clock, petrification, bonuses and wardens; the picture puzzle; the ring game;
// the endless and time-attack games. Frames are 1/60 s of the virtual clock.
#pragma once

#include "PlacementSearch.h"

#include "platform/Headless.h"

#include <cstdint>
#include <functional>
#include <string>

namespace vsm::tools {

// How the player plays.
struct RunOptions {
    int thinkFrames = 90;   // a board piece in hand before the player decides (1.5 s)
    int clickFrames = 45;   // between two puzzle clicks, and before a ring sheet is clicked
    int64_t capMs = 900000; // game time after which a level without a clock counts as not won
    // Frames of game time after which a play that has not ended is given up as broken: no play
    // may hang the player, whatever the game does.
    int64_t limitFrames = 120000;
    SearchOptions search;
    bool trace = false; // print the board after each piece of a board level
};

// What one play came to.
struct RunResult {
    int position = 0; // campaign position; 0 for a quick-play board
    std::string name; // document name
    int type = 0;     // 1 board, 2 puzzle, 3 ring, 4 endless, 5 time attack
    int goal = 0;     // board levels: the goal type
    uint32_t seed = 0;
    bool won = false;    // goal met (board), picture put together (puzzle), a spell won (ring)
    int64_t timeMs = 0;  // time played: the level clock (boards), the stage's time (mini-games)
    int64_t clockMs = 0; // the level's limit, 0 for none
    int score = 0;       // points earned, end bonus and summary included
    int placements = 0;  // pieces placed, tiles clicked, or runes found
    int spells = 0;      // ring: spells won
    // How it ended: "goal", "full" (the piece fits nowhere), "time", "patience" (no clock and
    // not won in the player's patience), "solved", "over" (ring), "stuck" (a screen that did not
    // close), "limit" (not ended within the frame limit), "crashed" (the play gave no result).
    std::string end;
};

// Brings the game up for playing levels on the headless backend: every manager assembled over
// the resources folder (ending in "/"), a per-user folder for saves and hiscores with one player,
// every shared asset loaded and the campaign's sequence read. False, with a printed line, when
// the resources are missing.
// install puts the backend in place (the headless one by default; a benchmark's may draw on the
// real one besides) and returns its control.
bool StartCampaignGame(const std::string& resources, const std::string& userFolder,
                       const std::function<HeadlessBackendControl&()>& install = UseHeadlessBackend);

// Saves and hiscores go to this per-user folder (made when missing) from now on, for one player.
void UseUserFolder(const std::string& folder);

// The campaign's first and last positions and a position's level type (1, 2, 3; 0 unknown).
int FirstPosition();
int LastPosition();
int PositionType(int position);
std::string PositionName(int position);

// Plays the campaign position once from a fresh start with the game's generator seeded. A
// board that takes the spells of the ring game before it is preceded by that ring game.
RunResult PlayPosition(int position, uint32_t seed, const RunOptions& options);
// Plays a quick-play board (timed: time attack, else endless) until game over or the cap.
RunResult PlayQuickBoard(const std::string& name, bool timed, uint32_t seed, const RunOptions& options);

} // namespace vsm::tools
