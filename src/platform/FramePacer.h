// FramePacer: the cadence of presented frames when the display does not wait for vertical sync
// (many drivers never do): how long a finished frame waits before it is shown.
#pragma once

#include <cstdint>

namespace vsm {

class FramePacer {
  public:
    // periodUs: one frame in microseconds; a frame late by at most slackUs keeps the cadence.
    explicit FramePacer(int64_t periodUs = 1000000 / 60, int64_t slackUs = 2000)
        : period_(periodUs), slack_(slackUs) {}
    // A frame is ready at nowUs (any steady clock in microseconds): how long to wait before
    // showing it, never more than one period. Frames are shown one period apart; a frame ready
    // a little late (within the slack) keeps the cadence, and one later than that starts a new
    // cadence when it is shown, so the frames after a long one come at the normal pace rather
    // than in a burst that catches up.
    int64_t WaitBeforeShowing(int64_t nowUs);
    // Forgets the cadence: the next frame starts a new one (after unpaced frames, a new display).
    void Reset() { last_ = -1; }

  private:
    int64_t period_;
    int64_t slack_;
    int64_t last_ = -1; // when the last frame was shown (or due); -1 for none
};

} // namespace vsm
