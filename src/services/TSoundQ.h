// TSoundQ: effects delayed until a given clock time (the board's combo sounds).
#pragma once

#include "platform/Audio.h"
#include "services/TList.h"

#include <cstdint>
#include <memory>

namespace vsm {

// One delayed sound.
class TSoundQ {
  public:
    int64_t timeStart = 0; // the clock value (MilliSecs64) after which the sound plays
    SoundPtr snd;

    // Takes this entry out of soundQueue.
    void Destroy();
    // Plays (through playSound2) and removes every entry whose time is strictly below the clock.
    static void updateAll();
    // Appends an entry that plays after the clock value timeStart; returns it.
    static std::shared_ptr<TSoundQ> addSound(const SoundPtr& sound, int64_t timeStart);
};

// The pending delayed sounds, oldest first.
extern TList<TSoundQ> soundQueue;

} // namespace vsm
