// MagicSeams: the installation of the magic subsystem's side of the board's and the level's
// hooks.
#pragma once

namespace vsm {

// Points the board's and the level's hooks at magicSphere and bonusManagerAlt; start-up calls it
// once after creating them. Cannot fail.
void InstallMagicSeams();

} // namespace vsm
