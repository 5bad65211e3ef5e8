// TOptions: the user's settings that the engine services read (screen mode, music and sound
// levels). The program shell's options document fills them.
#pragma once

namespace vsm {

class TOptions {
  public:
    // 1 full screen; 0 window as chosen; 2 window after a failed full-screen start.
    int screenMode = 0;
    int musicVol = 10; // 0 (off) .. 10 (full)
    int soundVol = 10; // 0 (off) .. 10 (full)
};

// The settings in force.
extern TOptions options;

} // namespace vsm
