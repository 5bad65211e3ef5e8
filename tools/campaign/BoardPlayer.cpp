// BoardPlayer: thinking time, the turn, the aim and the click of each piece.
#include "BoardPlayer.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "magic/TRingOfSpells.h"
#include "platform/Headless.h"

#include <algorithm>

namespace vsm::tools {

namespace {

// Frames after a click before a piece still in hand counts as refused and is planned again.
constexpr int REFUSED_AFTER = 10;

} // namespace

std::vector<PieceView> DealtShapes() {
    std::vector<PieceView> shapes;
    for (const std::string& id : blocks.availableBlocks)
        if (const BlockPtr shape = blocks._findBlockByID(id)) shapes.push_back(SeePiece(*shape));
    return shapes;
}

BoardPlayer::BoardPlayer(int thinkFrames, SearchOptions search)
    : thinkFrames_(thinkFrames), search_(search) {}

bool BoardPlayer::Frame(FrameInput& in) {
    const bool ready = board.wjazd < 0 && board.alpha >= 1.0f && blocks.actualBlock &&
                       blocks.blockFormed == 1 && ringOfSpells.stage == 0;
    if (!ready) {
        piece_ = nullptr;
        return false;
    }
    const TBlock* piece = blocks.actualBlock.get();
    if (piece != piece_ || (sinceClick_ >= 0 && ++sinceClick_ > REFUSED_AFTER)) {
        // A new piece, or the last click did not take it: think again.
        if (piece != piece_)
            thought_ = 0;
        else
            --placed;
        piece_ = piece;
        sinceClick_ = -1;
        aimed_ = false;
        plan_.reset();
    }
    if (sinceClick_ >= 0) return true;
    if (thought_ < thinkFrames_) {
        ++thought_;
        return true;
    }
    if (!plan_) {
        search_.shapes = DealtShapes();
        const PieceView held = SeePiece(*piece);
        const PieceView next = blocks.nextBlock ? SeePiece(*blocks.nextBlock) : PieceView{};
        plan_ = ChoosePlacement(SeeBoard(board), held, blocks.nextBlock ? &next : nullptr, search_);
        if (!plan_) return false;
    }
    // A quarter turn runs for some frames; the wheel asks for the next one when it is over.
    if (blocks.newDir != blocks.direction) return true;
    const int turns = ((plan_->direction - blocks.direction) % 4 + 4) % 4;
    if (turns != 0) {
        // A wheel step down turns the piece clockwise, one up counter-clockwise.
        in.wheel = turns == 3 ? 1 : -1;
        return true;
    }
    const PointerCell aim = PointerFor(board, *plan_);
    in.mouseX = aim.x;
    in.mouseY = aim.y;
    if (!aimed_) {
        // The pointer arrives first; the click comes with the next frame, as a hand's would.
        aimed_ = true;
        return true;
    }
    in.clicks = {1};
    sinceClick_ = 0;
    ++placed;
    return true;
}

} // namespace vsm::tools
