// TTimeManager: the level clock — elapsed play time, optional limit, pause and the timer widget.
#pragma once

#include "platform/Graphics.h"

#include <array>
#include <cstdint>
#include <memory>

namespace vsm {

class TTSCFile;

class TTimeManager {
  public:
    int x = 42; // timer image's top-left corner
    int y = 211;
    int actualTime = 0;          // elapsed play time in ms, capped at maxTime while a limit is set
    int maxTime = 0;             // limit in ms; 0 or less: no limit
    int leftTime = 0;            // maxTime - actualTime, not below 0; 0 without a limit
    int64_t startSystemTime = 0; // clock reading (MilliSecs64) from which elapsed time counts
    int paused = 0;
    int actualFrame = 0; // timer frame on show, 0..29
    ImagePtr timerImg;
    ImagePtr actualFrameImg;
    ImagePtr menuBgImg;
    std::array<PixmapPtr, 30> framesPixmaps; // [i] is "gfx/timer/frame<30-i>.png"
    int wjazd = 0;                           // 1 while the slide-in of the timer frames runs
    int64_t wjazdTimer = 0;                  // clock reading (MilliSecs64) when the slide-in began

    // Loads the timer image, its 30 frames and the menu background; missing files leave empty
    // slots (nothing is drawn for them). Returns 0.
    int LoadResources();
    // Sets the limit from the level document's Settings::Level "Time" (seconds); returns 0.
    int Load(const std::shared_ptr<TTSCFile>& doc);
    // Resumes a stored clock at `elapsed` ms without a slide-in; returns 0.
    int LoadFromProfile(int elapsed);
    // Returns the elapsed ms for a saved game.
    int SaveToProfile();
    // Sets the limit in ms (0 or less: none); returns 0.
    int Set(int ms);
    // Update, Draw with ropes, then CheckGameOver; returns 0.
    int DrawAndUpdate();
    // Advances the elapsed time (not while paused or sliding in) and picks the timer frame.
    int Update();
    // Draws the widget; ropes only when the flag is non-zero. Returns 0.
    int Draw(int rope);
    // Draw without the ropes.
    int DrawWithoutRope();
    // Freezes the clock; returns 0.
    int PauseOn();
    // Resumes a frozen clock from the time it showed; does nothing when not paused. Returns 0.
    int PauseOff();
    // Restarts the clock at now, with the frame slide-in when the flag is non-zero; returns 0.
    int Reset(int slideIn);
    // Returns 1 when a limit is set and the elapsed time has reached it, else 0.
    int TimeOver();
    // Marks the board's game over when the time is over; never clears it. Returns 0.
    int CheckGameOver();
};

// The level clock.
extern TTimeManager timeManager;

} // namespace vsm
