// TBoardManager: construction, the level document's Board, Davar and Frame groups, the board's
// sounds, the reset for a new level and the board queries.
#include "board/TBoardManager.h"

#include "board/BoardText.h"
#include "board/TBlocksManager.h"
#include "board/TRuneManager.h"
#include "board/TStoneEntity.h"
#include "data/ImageLoaders.h"
#include "data/TTSCFile.h"
#include "platform/System.h"
#include "services/Paths.h"
#include "services/TextHelpers.h"

#include <set>

namespace vsm {

TBoardManager board;

namespace {

// Frame pieces a document may list per side; the frame builder replaces them anyway, and a
// hostile count must not allocate without bound.
constexpr int MAX_FRAME_PIECES = 17 * 17;

// Writes the blank-separated entries of text into column x of one row of the layer through
// put(x, value); entries past column 14 are ignored with one diagnostic line.
template <class Put> void ReadRow(const std::string& group, int row, const std::string& text, Put put) {
    std::vector<std::string> entries = splitString(text, " ");
    if (entries.size() > BOARD_CELLS) {
        Print("Board: " + group + " line " + std::to_string(row + 1) + " has " +
              std::to_string(entries.size()) + " entries; those past column 14 are ignored");
    }
    for (size_t x = 0; x < entries.size() && x < BOARD_CELLS; ++x)
        put(static_cast<int>(x), TextToInt(entries[x]));
}

} // namespace

TBoardManager::TBoardManager() {
    rotation = 0;
    alpha = 0;
    scale = 0;
}

int TBoardManager::setLine(int row, const std::string& text) {
    if (row < 0 || row >= BOARD_CELLS) return 0;
    ReadRow("Board", row, text, [&](int x, int v) { grid[x][row] = v; });
    return 0;
}

int TBoardManager::loadBoard(TTSCFile& doc) {
    clearBoard();
    for (int n = 1; n <= BOARD_CELLS; ++n)
        setLine(n - 1, doc.GetStringKey("Board", "Line" + std::to_string(n), 0));
    return 0;
}

int TBoardManager::loadDavar(TTSCFile& doc) {
    const int64_t now = MilliSecs64();
    if (doc.GetStringKey("Davar", "Read", 0) != "1") return 0;
    std::set<int> unknown;
    for (int n = 1; n <= BOARD_CELLS; ++n) {
        int row = n - 1;
        ReadRow("Davar", row, doc.GetStringKey("Davar", "Line" + std::to_string(n), 0), [&](int x, int v) {
            // A rune the catalogue lacks would never be drawn, matched or cleared: the cell stays
            // empty instead.
            if (v != 0 && !davar._findRuneByID(std::to_string(v))) {
                if (unknown.insert(v).second)
                    Print("Board: preset rune id " + std::to_string(v) +
                          " is not in the rune catalogue; its cells stay empty");
                v = 0;
            }
            davarLayer[x][row] = v;
            colorLayer[x][row] = davar.getRuneColor(std::to_string(v));
            timerLayer[x][row] = now;
        });
    }
    return 0;
}

int TBoardManager::loadFrame(TTSCFile& doc) {
    static const char* const countKeys[8] = {"LQ", "RQ", "TQ", "BQ", "LUCQ", "RUCQ", "LLCQ", "RLCQ"};
    static const char* const names[8] = {"Left",
                                         "Right",
                                         "Top",
                                         "Bottom",
                                         "LeftUpperCorner",
                                         "RightUpperCorner",
                                         "LeftLowerCorner",
                                         "RightLowerCorner"};
    Frame.clear();
    for (int side = 0; side < 8; ++side)
        _loadFrameSide(doc, side, countKeys[side], names[side]);
    return 0;
}

int TBoardManager::_loadFrameSide(TTSCFile& doc, int side, const std::string& countKey,
                                  const std::string& name) {
    int count = NumberToInt(doc.GetNumberKey("Frame", countKey, 0));
    if (count > MAX_FRAME_PIECES) {
        Print("Board: Frame " + countKey + " of " + std::to_string(count) + " is cut to " +
              std::to_string(MAX_FRAME_PIECES));
        count = MAX_FRAME_PIECES;
    }
    std::string group = "Frame::" + name;
    for (int i = 1; i <= count; ++i) {
        auto e = std::make_shared<TFrameElement>();
        std::string n = std::to_string(i);
        e->x = NumberToInt(doc.GetNumberKey(group, "x" + n, 0));
        e->y = NumberToInt(doc.GetNumberKey(group, "y" + n, 0));
        e->Size = NumberToInt(doc.GetNumberKey(group, "size" + n, 0));
        e->id = NumberToInt(doc.GetNumberKey(group, "id" + n, 0));
        if (side >= FRAME_LEFT_UPPER) e->id = Rand(0, 2);
        e->side = side;
        Frame.push_back(e);
    }
    return 0;
}

int TBoardManager::loadSfx() {
    clearLine = LoadSound(bDir + "sfx/fx/playgame-explosion2-biger.ogg");
    bonus = LoadSound(bDir + "sfx/fx/playgame-bonus-4-boxs.ogg");
    combos[0] = LoadSound(bDir + "sfx/fx/playgame-combo-x3.ogg");
    combos[1] = combos[0];
    combos[2] = LoadSound(bDir + "sfx/fx/playgame-combo-x4-and-maxmega.ogg");
    noPlace = LoadSound(bDir + "sfx/fx/playgame-niemozna-postawic1.ogg");
    placeBlockSnd = LoadSound(bDir + "sfx/fx/playgame-put-new1.ogg");
    depetrifySnd = LoadSound(bDir + "sfx/fx/playgame-expl-klocstoned.ogg");
    petrifySnd = LoadSound(bDir + "sfx/fx/playgame-stonemode.ogg");
    stoneEntity = FLoadImage(bDir + "gfx/gwiazdki/stone.png");
    if (stoneEntity) MidHandleImage(stoneEntity);
    return 0;
}

int TBoardManager::clearBoard() {
    typWjazdu = Rand(0, 2);
    wjazd = 1.0f;
    alpha = 1.0f;
    for (int x = 0; x < BOARD_CELLS; ++x) {
        for (int y = 0; y < BOARD_CELLS; ++y) {
            grid[x][y] = 1;
            davarLayer[x][y] = 0;
            colorLayer[x][y] = 0;
            highlightLayer[x][y] = 0;
            petrifyTable[x][y] = 0;
            timerLayer[x][y] = 0;
        }
    }
    scale = 1.0f;
    tileSize = 32;
    petrifyActive = 0;
    petrifyTimer = MilliSecs64();
    // A pause noted before the reset belongs to the old board.
    petrifyPausedFor = -1;
    return 0;
}

float TBoardManager::freeCells() {
    int runes = 0, cells = 0;
    for (int x = 0; x < BOARD_CELLS; ++x) {
        for (int y = 0; y < BOARD_CELLS; ++y) {
            if (davarLayer[x][y] != 0) ++runes;
            if (grid[x][y] != 0) ++cells;
        }
    }
    if (cells == 0) return 0.0f;
    return 1.0f - static_cast<float>(runes) / static_cast<float>(cells);
}

int TBoardManager::IsEmpty() {
    for (int y = 0; y < BOARD_CELLS; ++y)
        for (int x = 0; x < BOARD_CELLS; ++x)
            if (davarLayer[x][y] != 0) return 0;
    return 1;
}

void ResetBoardGlobals() {
    davar = TRuneManager();
    blocks = TBlocksManager();
    board = TBoardManager();
    stonesList.clear();
}

} // namespace vsm
