// LevelSeams: what the level subsystem asks of the sphere, the popups, the puzzle and the ring
// mini-game, and the callers that report a hook used before it was installed.
#include "level/LevelSeams.h"

#include "platform/System.h"

namespace vsm {

namespace {

void ReportUnset(bool& missed, const char* hook, const char* outcome) {
    if (missed) return;
    missed = true;
    Print(std::string("Level: no ") + hook + " is installed; " + outcome);
}

} // namespace

int TLevelSeams::SphereIsFull() {
    if (sphereIsFull) return sphereIsFull();
    ReportUnset(sphereIsFullMissed, "sphere goal test", "a sphere goal is never met");
    return 0;
}

void TLevelSeams::PuzzleLoad(const std::string& name) {
    if (puzzleLoad) {
        puzzleLoad(name);
        return;
    }
    ReportUnset(puzzleLoadMissed, "puzzle loader", "puzzle levels are not loaded");
}

void TLevelSeams::RingGameLoad(const std::string& name) {
    if (ringGameLoad) {
        ringGameLoad(name);
        return;
    }
    ReportUnset(ringGameLoadMissed, "ring mini-game loader", "ring levels are not loaded");
}

} // namespace vsm
