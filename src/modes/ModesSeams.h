// ModesSeams: what the mode loops ask of the program shell and the title screen, which sit above
// them and fill these hooks at start-up, and the ring game's spell hand-over, which tests count.
#pragma once

#include <functional>

namespace vsm {

struct TModesSeams {
    // The shell's saveOptions(): writes the options document and, while a campaign is being
    // saved, the campaign's state into the profile. Default: nothing.
    std::function<void()> saveOptions = [] {};
    // titleScreen.stopMusic(): stops and frees the title music. Default: nothing.
    std::function<void()> stopTitleMusic = [] {};
    // ringGame.CopySpells(): puts the spells won in the ring mini-game on the board as bonus
    // tokens. The ring game sits below the loops, so this is the real call; tests count it.
    std::function<void()> copySpells;
    TModesSeams();
};

// The hooks in force.
extern TModesSeams modesSeams;

// Puts every hook back to its harmless default.
void ResetModesSeams();

} // namespace vsm
