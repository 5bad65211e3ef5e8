// RingGameSeams: the installation of the ring stage's side of the level sequence's hooks.
#pragma once

namespace vsm {

// Points the level sequence's ring hook at ringGame.Load; start-up calls it once after creating
// ringGame. Cannot fail.
void InstallRingGameSeams();

} // namespace vsm
