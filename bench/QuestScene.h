// QuestScene: a quest board level set up on the headless backend over the built resources, as
// the loading screen and the level start leave it, and one frame of its managers in the order
// the level's frame loop runs them, for benchmarks of whole frames.
#pragma once

#include "platform/Headless.h"

#include <string>
#include <vector>

namespace vsm::bench {

// The built resources folder, ending in "/": VSM_RESOURCES, else the build's own.
std::string ResourcesFolder();
// Installs the headless backend, loads the game's shared assets as start-up does and the level
// document (flag 1: endless), then finishes the board's slide-in and the fade. False when the resources
// are missing.
bool LoadQuestScene(const std::string& levelName, int flag);
// Puts a rune on every empty playable cell without completing any run of three.
void FillBoard();
// The busiest moment of a quest level: a full board, a holyfire cross (line) and a bomb burst
// (fire) running, 500 sparks flying and every ball of the sphere bursting.
void StartBusiestMoment();
// One frame of the level's managers and effect lists (the quest level's own scene step), then
// the flip; the headless draw log is
// emptied afterwards, so that a long run keeps no record of its frames (drawn, when given,
// receives the frame's calls first).
// sync is Flip's (-1 paces to 60 frames a second on the real backend, 0 does not). On the real
// backend there is no draw log: the frame's load then counts only what was flying.
void QuestFrame(std::vector<DrawCall>* drawn = nullptr, int sync = -1);
// The headless backend the scene runs on.
HeadlessBackendControl& SceneControl();
// What the last QuestFrame drew and what was flying in it.
struct FrameLoad {
    int drawCalls = 0;
    int sparks = 0;
    int effectParticles = 0; // particles of the running effect emitters
};
FrameLoad LastFrameLoad();
// Drops every effect, spark and token that is still running.
void ClearEffects();

} // namespace vsm::bench
