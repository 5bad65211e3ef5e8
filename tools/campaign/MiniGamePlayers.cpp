// MiniGamePlayers: the puzzle's tile swaps and the ring game's sheet clicks.
#include "MiniGamePlayers.h"

#include "platform/Headless.h"
#include "puzzle/TPuzzleManager.h"
#include "ringgame/TRingGame.h"

namespace vsm::tools {

namespace {

void ClickOn(FrameInput& in, int x, int y) {
    in.mouseX = x;
    in.mouseY = y;
    in.clicks = {1};
}

} // namespace

void PuzzlePlayer::Frame(FrameInput& in) {
    if (!puzzle.puzzle) return;
    const std::vector<PuzzleButtonPtr> tiles = puzzle.puzzle->Tiles();
    for (const PuzzleButtonPtr& t : tiles)
        if (t->IsFlying() != 0) return;
    if (wait_ > 0) {
        --wait_;
        return;
    }
    PuzzleButtonPtr marked, pick;
    for (const PuzzleButtonPtr& t : tiles)
        if (t->marked == 1) marked = t;
    for (const PuzzleButtonPtr& t : tiles) {
        // With a tile marked, its partner is the tile standing on its home cell; else the first
        // tile away from home.
        if (marked ? t->currentNumber == marked->id && t != marked : t->IsInPlace() == 0) {
            pick = t;
            break;
        }
    }
    if (!pick || !pick->dim) return;
    ClickOn(in, static_cast<int>((pick->dim->Left() + pick->dim->Right()) / 2),
            static_cast<int>((pick->dim->Top() + pick->dim->Bottom()) / 2));
    wait_ = frames_;
}

void RingPlayer::Frame(FrameInput& in) {
    if (ringGame.faza != RING_PHASE_PLAY || !ringGame.popups.IsEmpty() || ringGame.delayTime >= 0) {
        looked_ = 0;
        return;
    }
    if (ringGame.runeStart != shownSince_) {
        // A new rune in the ring: look for it from now.
        shownSince_ = ringGame.runeStart;
        looked_ = 0;
    }
    if (++looked_ < frames_) return;
    const int sheet = ringGame.sequence[ringGame.seqPos];
    if (sheet < 0 || sheet >= RING_RUNES) return;
    const TPapier& p = ringGame.papiery[sheet];
    ClickOn(in, static_cast<int>(p.x), p.y);
    // Looked at again only if the click was not taken.
    looked_ = 0;
}

} // namespace vsm::tools
