// PlacementFinder: exhaustive search over every rotation and origin cell of the board.
#include "support/PlacementFinder.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"

namespace vsm::test {

namespace {

// True when the piece may land with its origin at (x, y) in rotation d; the board's own rule.
bool Fits(TBoardManager& board, const TBlock& piece, int x, int y, int d) {
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            int dx, dy;
            RotateCell(d, i, j, dx, dy);
            if (board._checkMove(piece, x, y, dx, dy, i, j) == 0) return false;
        }
    }
    return true;
}

// Cells in runs of three or more through a placed cell, on the colour layer with the piece put.
int RunCells(const TBoardManager& board, const TBlock& piece, int x, int y, int d) {
    int color[BOARD_CELLS][BOARD_CELLS];
    bool placed[BOARD_CELLS][BOARD_CELLS] = {};
    for (int cx = 0; cx < BOARD_CELLS; ++cx)
        for (int cy = 0; cy < BOARD_CELLS; ++cy)
            color[cx][cy] = board.colorLayer[cx][cy];
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            if (!(piece.Set[i][j] > 0)) continue;
            int dx, dy;
            RotateCell(d, i, j, dx, dy);
            color[x + dx][y + dy] = piece.color[i][j];
            placed[x + dx][y + dy] = true;
        }
    }
    bool inRun[BOARD_CELLS][BOARD_CELLS] = {};
    // Walks one line of cells (a row when horizontal), marking runs that hold a placed cell.
    auto scan = [&](bool horizontal, int line) {
        auto at = [&](int k, int& cx, int& cy) {
            cx = horizontal ? k : line;
            cy = horizontal ? line : k;
        };
        int start = 0;
        while (start < BOARD_CELLS) {
            int sx, sy;
            at(start, sx, sy);
            const int c = color[sx][sy];
            int end = start + 1;
            for (;; ++end) {
                if (end >= BOARD_CELLS) break;
                int ex, ey;
                at(end, ex, ey);
                if (color[ex][ey] != c) break;
            }
            if (c != 0 && end - start >= 3) {
                bool touched = false;
                for (int k = start; k < end; ++k) {
                    int cx, cy;
                    at(k, cx, cy);
                    touched = touched || placed[cx][cy];
                }
                for (int k = start; k < end && touched; ++k) {
                    int cx, cy;
                    at(k, cx, cy);
                    inRun[cx][cy] = true;
                }
            }
            start = end;
        }
    };
    for (int line = 0; line < BOARD_CELLS; ++line) {
        scan(true, line);
        scan(false, line);
    }
    int n = 0;
    for (const auto& column : inRun)
        for (bool cell : column)
            n += cell ? 1 : 0;
    return n;
}

} // namespace

std::optional<Placement> FindRunPlacement(TBoardManager& board, const TBlock& piece) {
    std::optional<Placement> best;
    for (int d = 0; d < 4; ++d) {
        for (int x = 0; x < BOARD_CELLS; ++x) {
            for (int y = 0; y < BOARD_CELLS; ++y) {
                if (!Fits(board, piece, x, y, d)) continue;
                const int n = RunCells(board, piece, x, y, d);
                if (n > 0 && (!best || n > best->runCells)) best = Placement{x, y, d, n};
            }
        }
    }
    return best;
}

std::optional<Placement> FindAnyPlacement(TBoardManager& board, const TBlock& piece) {
    for (int d = 0; d < 4; ++d)
        for (int x = 0; x < BOARD_CELLS; ++x)
            for (int y = 0; y < BOARD_CELLS; ++y)
                if (Fits(board, piece, x, y, d)) return Placement{x, y, d, RunCells(board, piece, x, y, d)};
    return std::nullopt;
}

PointerCell PointerFor(const TBoardManager& board, const Placement& placement) {
    // The cell's top left pixel: the pieces' pointer rule counts a cell's last 15 pixels as the
    // next cell, so on small tiles only the first pixels of a cell are its own.
    return {board.offsetX + placement.x * board.tileSize, board.offsetY + placement.y * board.tileSize};
}

} // namespace vsm::test
