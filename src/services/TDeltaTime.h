// TDeltaTime: the frame timer that turns each frame's milliseconds into the frame factor.
#pragma once

#include <cstdint>

namespace vsm {

// Measures each frame against the target rate.
class TDeltaTime {
  public:
    int64_t OldTime = 0;   // clock at the previous Update
    int ElapsedTime = 0;   // milliseconds between the last two Updates
    float dFps = 0;        // target frames per second
    float dDelta = 0;      // milliseconds of one frame at the target rate
    int CurrFps = 0;       // frames counted in the last whole second
    int FPSCounter = 0;    // frames counted so far in the current second
    int64_t CurrTime = 0;  // clock at the last Update
    int64_t CheckTime = 0; // clock at which the current second ends

    // Returns a timer for the target rate with every other field 0.
    static TDeltaTime Create(float fps);
    // Takes the clock: the milliseconds since the previous Update (not clamped) and the count
    // of frames of the current second.
    void Update();
    // Returns the frames counted in the last whole second.
    int FPS() const;
    // Returns the last frame's milliseconds over one frame at the target rate (1.0 at 60 Hz);
    // 0 for a timer without a target rate.
    float CurrDelta() const;
    // Changes the target rate; a rate of 0 or less is ignored.
    void SetFPS(float fps);
};

// The game's one frame timer; start-up makes it with TDeltaTime::Create(60).
extern TDeltaTime deltaTime;
// The frame factor of the current frame, set by each screen loop from deltaTime.CurrDelta();
// motion and fading multiply by it.
extern double delta;

} // namespace vsm
