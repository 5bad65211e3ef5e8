// MiniGamePlayers: the campaign player's simple hands for the picture puzzle (put a stray tile
// home by swapping it with the tile on its home cell) and the ring game (click the sheet with
// the rune the ring shows, after a moment to find it).
#pragma once

namespace vsm {
struct FrameInput;
} // namespace vsm

namespace vsm::tools {

class PuzzlePlayer {
  public:
    // frames: the pause between two clicks.
    explicit PuzzlePlayer(int frames) : frames_(frames) {}
    // Gives this frame's input while the puzzle is in play.
    void Frame(FrameInput& in);

  private:
    int frames_;
    int wait_ = 0;
};

class RingPlayer {
  public:
    // frames: the time it takes to find a rune on the sheets once the ring shows it.
    explicit RingPlayer(int frames) : frames_(frames) {}
    // Gives this frame's input while the ring game runs.
    void Frame(FrameInput& in);

  private:
    int frames_;
    long long shownSince_ = -1; // clock at which the rune looked for appeared in the ring
    int looked_ = 0;
};

} // namespace vsm::tools
