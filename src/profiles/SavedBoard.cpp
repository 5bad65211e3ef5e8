// SavedBoard: the board's runes and ages and the held piece of a level in progress, kept in the
// selected profile under a save slot and restored from it.
#include "profiles/SavedBoard.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "data/NumberText.h"
#include "platform/System.h"
#include "profiles/SavedEntries.h"
#include "profiles/TProfileManager.h"

#include <cstdint>
#include <vector>

namespace vsm {

namespace {

// The three column ranges of the board lists: x 0..5, 6..11 and 12..14.
constexpr int RANGE_FIRST[3] = {0, 6, 12};
constexpr int RANGE_END[3] = {6, 12, 15};

template <class Value> std::vector<std::string> BoardEntries(int range, Value value) {
    std::vector<std::string> out;
    for (int x = RANGE_FIRST[range]; x < RANGE_END[range]; ++x)
        for (int y = 0; y < BOARD_CELLS; ++y)
            out.push_back(CellEntry(x, y, value(x, y)));
    return out;
}

// The slot's board cells of the three lists named slot + stem + "1".."3", in stored order.
std::vector<SavedCell> BoardCells(const std::string& slot, const std::string& stem) {
    std::vector<SavedCell> cells;
    for (int i = 1; i <= 3; ++i) {
        const std::string key = slot + stem + std::to_string(i);
        for (const SavedCell& c : ReadCells(*profile.GetList(key), BOARD_CELLS, key))
            cells.push_back(c);
    }
    return cells;
}

} // namespace

int saveBoard(const std::string& slot, int saveNow) {
    if (!profile.selectedProfile) return 0;
    for (int r = 0; r < 3; ++r)
        profile.SetList(slot + std::to_string(r + 1),
                        BoardEntries(r, [](int x, int y) { return board.davarLayer[x][y]; }), 0);
    // Ages rather than clock values, so that the time the profile lies unused does not count
    // toward petrification.
    const int64_t now = MilliSecs64();
    for (int r = 0; r < 3; ++r)
        profile.SetList(slot + "TimerLayer" + std::to_string(r + 1),
                        BoardEntries(r,
                                     [now](int x, int y) {
                                         return NumberToInt(
                                             static_cast<double>(now - board.timerLayer[x][y]));
                                     }),
                        0);
    return saveNow ? profile.SaveProfile() : 0;
}

int loadBoard(const std::string& slot) {
    if (!profile.selectedProfile) return 0;
    for (const SavedCell& c : BoardCells(slot, "")) {
        board.davarLayer[c.x][c.y] = c.v;
        board.colorLayer[c.x][c.y] = davar.getRuneColor(std::to_string(c.v));
    }
    const std::vector<SavedCell> ages = BoardCells(slot, "TimerLayer");
    const int64_t now = MilliSecs64();
    for (const SavedCell& c : ages)
        board.timerLayer[c.x][c.y] = NumberToInt(static_cast<double>(now - c.v));
    return 0;
}

int SaveLastBlock(const std::string& slot, int saveNow) {
    if (!profile.selectedProfile) return 0;
    const BlockPtr& held = blocks.actualBlock;
    if (!held) {
        profile.SetList(slot + "ActualBlockSet", {}, 0);
        profile.SetList(slot + "ActualBlockColor", {}, 0);
        return 0;
    }
    std::vector<std::string> set, color;
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 4; ++y) {
            set.push_back(CellEntry(x, y, held->Set[x][y]));
            color.push_back(CellEntry(x, y, held->color[x][y]));
        }
    }
    profile.SetList(slot + "ActualBlockSet", set, 0);
    profile.SetList(slot + "ActualBlockColor", color, 0);
    for (int i = 0; i < 3; ++i)
        profile.SetNumber(slot + "PrevBlock" + std::to_string(i), blocks.prevBlocks[i], 0);
    return saveNow ? profile.SaveProfile() : 0;
}

int LoadLastBlock(const std::string& slot) {
    if (!profile.selectedProfile) return 0;
    const std::vector<std::string> set = *profile.GetList(slot + "ActualBlockSet");
    const std::vector<std::string> color = *profile.GetList(slot + "ActualBlockColor");
    if (set.empty() || color.empty()) return 0;
    auto piece = std::make_shared<TBlock>();
    for (const SavedCell& c : ReadCells(set, 4, slot + "ActualBlockSet"))
        piece->Set[c.x][c.y] = c.v;
    for (const SavedCell& c : ReadCells(color, 4, slot + "ActualBlockColor"))
        piece->color[c.x][c.y] = c.v;
    blocks.actualBlock = piece;
    for (int i = 0; i < 3; ++i)
        blocks.prevBlocks[i] = profile.GetNumber(slot + "PrevBlock" + std::to_string(i));
    return 0;
}

} // namespace vsm
