// ModesSeams: what the mode loops ask of the program shell, the title screen and the ring
// mini-game, which sit above them; the owners fill the hooks at start-up.
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
    // tokens. Default: nothing.
    std::function<void()> copySpells = [] {};
};

// The hooks in force.
extern TModesSeams modesSeams;

// Puts every hook back to its harmless default.
void ResetModesSeams();

} // namespace vsm
