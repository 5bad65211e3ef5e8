// TOptions: the user's settings that the engine services read (screen mode, music and sound
// levels). The program shell's options document fills them; start-up gives them its own
// creation values before the document is read.
#pragma once

namespace vsm {

class TOptions {
  public:
    // 1 full screen; 0 window as chosen; 2 window after a failed full-screen start.
    int screenMode = 0;
    int musicVol = 10; // 0 (off) .. 10 (full)
    int soundVol = 10; // 0 (off) .. 10 (full)
    // The campaign position last written to the document; kept, never acted on.
    int startingSeq = 0;
};

// The settings in force.
extern TOptions options;

} // namespace vsm
