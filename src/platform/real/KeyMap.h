// KeyMap: SDL scancodes to the Windows virtual-key numbers the game's key codes use.
#pragma once

namespace vsm {

// Returns the virtual-key number (1..255) of an SDL scancode; 0 for keys the game has no code for.
int VirtualKeyFromScancode(int scancode);

} // namespace vsm
