// SavedSlot: careful restores of a saved game.
#include "modes/SavedSlot.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "profiles/SavedBoard.h"
#include "profiles/TProfileManager.h"

namespace vsm {

namespace {

bool KnownRune(int id) {
    return id > 0 && davar._findRuneByID(std::to_string(id)) != nullptr;
}

} // namespace

int RestoreBoard(const std::string& slot) {
    loadBoard(slot);
    for (int x = 0; x < BOARD_CELLS; ++x) {
        for (int y = 0; y < BOARD_CELLS; ++y) {
            // Any id the catalogue does not know goes, a negative one too: it would stand on
            // the board unseen and keep an "empty the board" level from being won.
            const int rune = board.davarLayer[x][y];
            if (rune != 0 && (board.grid[x][y] == 0 || !KnownRune(rune))) {
                board.davarLayer[x][y] = 0;
                board.colorLayer[x][y] = 0;
            }
        }
    }
    return 0;
}

int RestoreHeldPiece(const std::string& slot) {
    if (!profile.selectedProfile) return 0;
    const std::vector<std::string> set =
        profile.GetList(slot + "ActualBlockSet").value_or(std::vector<std::string>());
    const std::vector<std::string> color =
        profile.GetList(slot + "ActualBlockColor").value_or(std::vector<std::string>());
    if (set.empty() || color.empty()) {
        // Another mode's piece must not carry over into this level.
        blocks.actualBlock = nullptr;
        return 0;
    }
    LoadLastBlock(slot);
    const BlockPtr& piece = blocks.actualBlock;
    if (!piece) return 0;
    int cells = 0;
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 4; ++y) {
            int& rune = piece->Set[x][y];
            if (rune != 0 && !KnownRune(rune)) rune = 0;
            piece->color[x][y] = rune != 0 ? davar.getRuneColor(rune) : 0;
            if (rune != 0) ++cells;
        }
    }
    if (cells == 0) {
        blocks.actualBlock = nullptr;
        return 0;
    }
    piece->getSize();
    return 0;
}

} // namespace vsm
