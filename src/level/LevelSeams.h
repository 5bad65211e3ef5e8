// LevelSeams: what the level subsystem asks of the sphere, the popups, the puzzle and the ring
// mini-game; those subsystems fill the hooks when they are created.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace vsm {

class TTSCFile;

struct TLevelSeams {
    // magicSphere.Load(document): the sphere reads its colours and capacities.
    std::function<void(const std::shared_ptr<TTSCFile>&)> sphereLoad;
    // magicSphere.IsFull(): 1 when every coloured ball holds its capacity. Unset: 0.
    std::function<int()> sphereIsFull;
    // popupManager.Prepare(): queues the popups of the level at sequencer.seqNo.
    std::function<void()> popupsPrepare;
    // puzzle.Load(document name).
    std::function<void(const std::string&)> puzzleLoad;
    // ringGame.Load(document name).
    std::function<void(const std::string&)> ringGameLoad;

    // Callers of the hooks that decide a level's outcome. Unset, each answers as written and
    // prints one line the first time it is used, so that a start-up that forgot to install the
    // hook shows in the first test that meets it.
    // Returns sphereIsFull(); unset: 0 (a goal-1 level can then never be won).
    int SphereIsFull();
    // Calls puzzleLoad(name); unset: nothing is loaded.
    void PuzzleLoad(const std::string& name);
    // Calls ringGameLoad(name); unset: nothing is loaded.
    void RingGameLoad(const std::string& name);

  private:
    bool sphereIsFullMissed = false;
    bool puzzleLoadMissed = false;
    bool ringGameLoadMissed = false;
};

// The hooks in force; ResetLevelGlobals leaves them untouched.
extern TLevelSeams levelSeams;

} // namespace vsm
