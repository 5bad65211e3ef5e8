// TLoading: the loading screen (global `loading`): background, five progress balls while the
// shared assets load, the closing sparkle with the studio logo, and the splash pictures.
#pragma once

#include "platform/Graphics.h"

namespace vsm {

class TLoading {
  public:
    ImagePtr img;    // background, full screen at (0, 0)
    float alpha = 0; // background opacity; in stage 0 also of the text and balls
    ImagePtr logo;   // studio logo, top-left at (243, 432)
    float logoAlpha = 0;
    ImagePtr loadingText; // caption, centred at (402, 550)
    ImagePtr ballOne;     // a ball not yet reached, centred
    ImagePtr ballTwo;     // a ball reached, centred
    int fadingBall = 0;   // ball now being lit, 0..4; -1 for none
    float ballAlpha = 0;  // the lit ball's opacity; from stage 1 that of the text and all balls
    int stage = 0;        // 0 loading, 1 logo rising, 2 logo complete, 3 end effect over

    // Resets the fades (stage stays), loads the screen's five pictures from bDir (a missing one
    // stays empty and draws nothing) and lends the caption to `data` for the story viewer.
    // Returns 0.
    int setup();
    // Advances the fades by one frame. Returns 0.
    int Update();
    // Clears the screen and draws one frame without presenting it. Returns 0.
    int Draw();
    // Fades the background in, one presented frame per 0.05 step. Returns 0.
    int fadeInBg();
    // Lights ball i over 10 presented frames. Returns 0.
    int fadeInBall(int i);
    // The end effect: balls fade out, the logo rises over a shower of 82 sparks and the title
    // music starts; runs until ms milliseconds have passed. Returns 0.
    int doMagic(int ms);
    // Loads every shared asset (LoadGameAssets), lighting the balls between groups. Returns 0.
    int loadEverything();
    // The splash pictures of "portalScreens.tsc" in the settings archive after the end effect
    // (or a plain fade when the first picture fills the screen); starts the title music.
    // Returns 0.
    int PortalScreens();
};

// The one loading screen, alive for the whole run.
extern TLoading loading;

} // namespace vsm
