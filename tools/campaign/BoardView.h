// BoardView: what a player sees of a running board level (the cells, the wardens and their
// colours, the sphere's balls, the goal, the held and next piece) and the rules of one move as a
// player understands them: where a piece may land, which runs and wardens it clears, what the
// sphere gains. Copied from the game's managers; the search plays on copies.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vsm {
class TBlock;
class TBoardManager;
} // namespace vsm

namespace vsm::tools {

// Board side in cells, as the game's layers.
constexpr int VIEW_SIDE = 15;
// The most wardens a view holds; boards place a few.
constexpr int VIEW_MAX_WARDENS = 8;
constexpr int VIEW_BALLS = 5;

// What stands on a cell.
enum ViewCell : uint8_t {
    VIEW_HOLE = 0, // not a board cell
    VIEW_EMPTY,    // a board cell with nothing on it
    VIEW_RUNE,     // a rune; colour class 0 is rubble, which never forms a run
    VIEW_STONE,    // a stone: a run turns it back into its rune, which stays
    VIEW_WARDEN,   // under a standing warden
};

// A warden: the top-left cell of its 2x2 and the colour class its four arms must hold.
struct WardenView {
    int x = 0, y = 0;
    int color = 0;
};

// One cell of a warden's arms, as an offset from the warden's top-left cell.
struct ArmCell {
    int dx = 0, dy = 0;
};

// The sixteen cells of a warden's four arms: the 2x2 blocks two cells to its left, right, above
// and below it, in that order, each block column by column.
constexpr std::array<ArmCell, 16> WARDEN_ARM_CELLS = [] {
    constexpr int blocks[4][2] = {{-2, 0}, {2, 0}, {0, -2}, {0, 2}};
    std::array<ArmCell, 16> cells{};
    int k = 0;
    for (const auto& block : blocks)
        for (int dx = 0; dx < 2; ++dx)
            for (int dy = 0; dy < 2; ++dy)
                cells[k++] = ArmCell{block[0] + dx, block[1] + dy};
    return cells;
}();

// A ball of the sphere: its colour class (0 unused) and the mana it still lacks.
struct BallView {
    int color = 0;
    int need = 0;
};

// A piece: its filled template cells with the colour class of each rune.
struct PieceView {
    struct Cell {
        int8_t i = 0, j = 0;
        uint8_t cls = 0;
    };
    std::array<Cell, 16> cells{};
    int count = 0;
};

struct BoardView {
    uint8_t kind[VIEW_SIDE][VIEW_SIDE] = {};  // [x][y]
    uint8_t cls[VIEW_SIDE][VIEW_SIDE] = {};   // colour class of a rune or stone
    uint8_t token[VIEW_SIDE][VIEW_SIDE] = {}; // bonus token kind lying there, 0 none
    // When the rune arrived, in ms before the view was taken (0 or less); runes a move puts get
    // the move's number. A player remembers the order of their pieces: the oldest turn to stone
    // first.
    int32_t placed[VIEW_SIDE][VIEW_SIDE] = {};
    int32_t moves = 0; // moves played on the view since it was taken
    // Bonus tokens the moves played on the view set off (the first few, with where they lay and
    // the colour under them), and the tokens their large clears add at random cells.
    struct FiredToken {
        uint8_t kind = 0, x = 0, y = 0, cls = 0;
    };
    std::array<FiredToken, 4> fired{};
    int tokensFired = 0;
    int tokensMade = 0;
    int petrifyMs = 0; // the level's petrification period, 0 for none
    std::array<WardenView, VIEW_MAX_WARDENS> wardens{};
    int wardenCount = 0;
    std::array<BallView, VIEW_BALLS> balls{};
    int goalType = 0;

    // True when a rune or stone lies on the cell.
    bool Occupied(int x, int y) const { return kind[x][y] == VIEW_RUNE || kind[x][y] == VIEW_STONE; }
    // True when the level's goal is met on this board.
    bool GoalMet() const;
};

// What one move did.
struct MoveOutcome {
    int cleared = 0;       // cells the clear counted (the game's n)
    int mana = 0;          // mana the balls took, all colours
    int wardensBroken = 0; // wardens whose four arms were complete
    int tokensFired = 0;   // bonus tokens set off by cleared runes
};

// The board as text for following a play, one line a row and two characters a cell: '.' an
// empty cell, a blank a hole, a letter a rune of that colour class ('a' = 1), its capital a
// stone, '%' rubble, '#' a warden; the second character is the letter of the warden whose arm
// holds the cell.
std::string DrawView(const BoardView& view);

// The board as the game holds it now: its cells, tokens, standing wardens, sphere and goal.
BoardView SeeBoard(TBoardManager& board);
// A dealt piece's filled cells.
PieceView SeePiece(const TBlock& piece);

// True when the piece may land with its origin at (x, y) in rotation d (0..3): every filled
// cell on an empty board cell that no warden covers.
bool Fits(const BoardView& view, const PieceView& piece, int x, int y, int d);
// Puts a fitting piece and clears what the game would clear with it: the arms of every warden
// whose arms are then complete, and every run of three or more in the rows and columns, as one
// move (stones turn back and stay, runes leave and fill the balls of their colour).
MoveOutcome PlayMove(BoardView& view, const PieceView& piece, int x, int y, int d);

} // namespace vsm::tools
