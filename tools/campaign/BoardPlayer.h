// BoardPlayer: the campaign player's hand on a running board level. Each frame it looks at the
// board as a player does, and once a piece has been in hand for its thinking time it turns the
// piece with the wheel, moves the pointer over the chosen cell and clicks, through the same
// per-frame input a player's mouse gives.
#pragma once

#include "PlacementSearch.h"

#include <optional>
#include <vector>

namespace vsm {
struct FrameInput;
class TBlock;
} // namespace vsm

namespace vsm::tools {

// The templates the running level deals, as pieces without colours.
std::vector<PieceView> DealtShapes();

class BoardPlayer {
  public:
    // thinkFrames: frames a new piece stays in hand before the player decides.
    explicit BoardPlayer(int thinkFrames, SearchOptions search = {});

    // Gives this frame's input. Returns false when the hand has nothing to do: no piece in hand,
    // the board still coming in, a spell being cast, or a piece that fits nowhere.
    bool Frame(FrameInput& in);

    // Pieces clicked down so far.
    int placed = 0;

  private:
    int thinkFrames_;
    SearchOptions search_;
    const TBlock* piece_ = nullptr; // the piece in hand the plan is for
    int thought_ = 0;
    int sinceClick_ = -1; // frames since the click that placed piece_, -1 before it
    bool aimed_ = false;
    std::optional<Placement> plan_;
};

} // namespace vsm::tools
