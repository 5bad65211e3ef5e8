// BoardView: the player's copy of a board level and the rules of one move on it.
#include "BoardView.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "level/TBossManager.h"
#include "level/TLevelManager.h"
#include "magic/TBunusManagerA.h"
#include "magic/TMagicSphere.h"
#include "platform/System.h"

#include <algorithm>

namespace vsm::tools {

namespace {

// One queued stretch of cells, first and last inclusive, as the game queues them.
struct ViewLine {
    int xs, ys, xk, yk;
};

// The game's arm test: all sixteen arm cells on the board, holding a rune or stone of the
// warden's colour class.
bool ArmsComplete(const BoardView& v, const WardenView& w) {
    for (const ArmCell& c : WARDEN_ARM_CELLS) {
        const int x = w.x + c.dx, y = w.y + c.dy;
        if (x < 0 || y < 0 || x >= VIEW_SIDE || y >= VIEW_SIDE) return false;
        if (!v.Occupied(x, y) || v.cls[x][y] != w.color) return false;
    }
    return true;
}

// Appends the runs of one row (horizontal) or column through the colour classes.
void QueueRuns(const BoardView& v, bool horizontal, int line, ViewLine* out, int& n) {
    int c = 0, k = 0, start = 0;
    for (int p = 0; p <= VIEW_SIDE; ++p) {
        const int value = p == VIEW_SIDE ? -1 : (horizontal ? v.cls[p][line] : v.cls[line][p]);
        if (value != c) {
            if (k >= 3)
                out[n++] =
                    horizontal ? ViewLine{start, line, p - 1, line} : ViewLine{line, start, line, p - 1};
            c = value;
            k = 0;
            start = p;
        }
        if (value > 0) ++k;
    }
}

} // namespace

bool BoardView::GoalMet() const {
    switch (goalType) {
    case 1:
        return std::all_of(balls.begin(), balls.end(),
                           [](const BallView& b) { return b.color == 0 || b.need <= 0; });
    case 2:
        for (int x = 0; x < VIEW_SIDE; ++x)
            for (int y = 0; y < VIEW_SIDE; ++y)
                if (Occupied(x, y)) return false;
        return true;
    case 3:
        return wardenCount == 0;
    default:
        return false;
    }
}

std::string DrawView(const BoardView& v) {
    char arm[VIEW_SIDE][VIEW_SIDE] = {};
    for (int w = 0; w < v.wardenCount; ++w)
        for (const ArmCell& c : WARDEN_ARM_CELLS) {
            const int x = v.wardens[w].x + c.dx, y = v.wardens[w].y + c.dy;
            if (x >= 0 && y >= 0 && x < VIEW_SIDE && y < VIEW_SIDE)
                arm[x][y] = static_cast<char>('a' + v.wardens[w].color - 1);
        }
    std::string text;
    for (int y = 0; y < VIEW_SIDE; ++y) {
        for (int x = 0; x < VIEW_SIDE; ++x) {
            char c = ' ';
            switch (v.kind[x][y]) {
            case VIEW_EMPTY:
                c = '.';
                break;
            case VIEW_RUNE:
                c = v.cls[x][y] == 0 ? '%' : static_cast<char>('a' + v.cls[x][y] - 1);
                break;
            case VIEW_STONE:
                c = static_cast<char>('A' + v.cls[x][y] - 1);
                break;
            case VIEW_WARDEN:
                c = '#';
                break;
            default:
                break;
            }
            text += c;
            text += arm[x][y] != 0 ? arm[x][y] : ' ';
        }
        text += '\n';
    }
    return text;
}

BoardView SeeBoard(TBoardManager& board) {
    BoardView v;
    const int64_t now = MilliSecs64();
    v.petrifyMs = board.petrifyMaxTime;
    for (int x = 0; x < VIEW_SIDE; ++x) {
        for (int y = 0; y < VIEW_SIDE; ++y) {
            const int id = board.davarLayer[x][y];
            if (board.grid[x][y] == 0)
                v.kind[x][y] = VIEW_HOLE;
            else if (bossManager.CheckMove(x, y) != 0)
                v.kind[x][y] = VIEW_WARDEN;
            else if (id > 0)
                v.kind[x][y] = davar.isBlocked(id) != 0 ? VIEW_STONE : VIEW_RUNE;
            else
                v.kind[x][y] = VIEW_EMPTY;
            v.cls[x][y] = static_cast<uint8_t>(id > 0 ? board.colorLayer[x][y] : 0);
            v.token[x][y] = static_cast<uint8_t>(bonusManagerAlt.FindBonus(x, y));
            v.placed[x][y] =
                static_cast<int32_t>(std::clamp<int64_t>(board.timerLayer[x][y] - now, -1000000000, 0));
        }
    }
    for (const auto& rune : bossManager.bossDavar) {
        if (!rune || rune->active == 0 || v.wardenCount == VIEW_MAX_WARDENS) continue;
        v.wardens[v.wardenCount++] = WardenView{rune->x, rune->y, rune->color};
    }
    for (int i = 0; i < VIEW_BALLS; ++i) {
        v.balls[i].color = magicSphere.ballsClr[i];
        v.balls[i].need = std::max(0, static_cast<int>(magicSphere.ballsCap[i] - magicSphere.ballsFil[i]));
    }
    v.goalType = level.goalType;
    return v;
}

PieceView SeePiece(const TBlock& piece) {
    PieceView p;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            if (!(piece.Set[i][j] > 0)) continue;
            p.cells[p.count++] = PieceView::Cell{static_cast<int8_t>(i), static_cast<int8_t>(j),
                                                 static_cast<uint8_t>(piece.color[i][j])};
        }
    }
    return p;
}

bool Fits(const BoardView& view, const PieceView& piece, int x, int y, int d) {
    for (int k = 0; k < piece.count; ++k) {
        int dx, dy;
        RotateCell(d, piece.cells[k].i, piece.cells[k].j, dx, dy);
        const int tx = x + dx, ty = y + dy;
        if (tx < 0 || ty < 0 || tx >= VIEW_SIDE || ty >= VIEW_SIDE) return false;
        if (view.kind[tx][ty] != VIEW_EMPTY) return false;
    }
    return true;
}

MoveOutcome PlayMove(BoardView& v, const PieceView& piece, int x, int y, int d) {
    MoveOutcome out;
    ++v.moves;
    for (int k = 0; k < piece.count; ++k) {
        int dx, dy;
        RotateCell(d, piece.cells[k].i, piece.cells[k].j, dx, dy);
        const int tx = x + dx, ty = y + dy;
        v.kind[tx][ty] = VIEW_RUNE;
        v.cls[tx][ty] = piece.cells[k].cls;
        v.placed[tx][ty] = v.moves;
    }

    // The game's order: complete wardens' arms (left, right, upper, lower, two rows each), then
    // the row runs from the top, then the column runs from the left.
    ViewLine lines[VIEW_MAX_WARDENS * 8 + 4 * VIEW_SIDE * 2];
    int n = 0;
    for (int w = 0; w < v.wardenCount;) {
        const WardenView warden = v.wardens[w];
        if (!ArmsComplete(v, warden)) {
            ++w;
            continue;
        }
        const int wx = warden.x, wy = warden.y;
        const ViewLine arms[8] = {{wx - 2, wy, wx - 1, wy},     {wx - 2, wy + 1, wx - 1, wy + 1},
                                  {wx + 2, wy, wx + 3, wy},     {wx + 2, wy + 1, wx + 3, wy + 1},
                                  {wx, wy - 2, wx + 1, wy - 2}, {wx, wy - 1, wx + 1, wy - 1},
                                  {wx, wy + 2, wx + 1, wy + 2}, {wx, wy + 3, wx + 1, wy + 3}};
        for (const ViewLine& arm : arms)
            lines[n++] = arm;
        for (int cx = wx; cx <= wx + 1; ++cx)
            for (int cy = wy; cy <= wy + 1; ++cy)
                v.kind[cx][cy] = VIEW_EMPTY;
        // The wardens still standing keep the level's order.
        for (int k = w; k + 1 < v.wardenCount; ++k)
            v.wardens[k] = v.wardens[k + 1];
        --v.wardenCount;
        ++out.wardensBroken;
    }
    // Every row and column: a run of stones turns back into runes that still stand in a run, which
    // the next move clears wherever it is put.
    for (int row = 0; row < VIEW_SIDE; ++row)
        QueueRuns(v, true, row, lines, n);
    for (int column = 0; column < VIEW_SIDE; ++column)
        QueueRuns(v, false, column, lines, n);

    for (int l = 0; l < n; ++l) {
        const ViewLine& line = lines[l];
        for (int cx = std::max(line.xs, 0); cx <= std::min(line.xk, VIEW_SIDE - 1); ++cx) {
            for (int cy = std::max(line.ys, 0); cy <= std::min(line.yk, VIEW_SIDE - 1); ++cy) {
                if (!v.Occupied(cx, cy)) continue;
                ++out.cleared;
                if (v.kind[cx][cy] == VIEW_STONE) {
                    v.kind[cx][cy] = VIEW_RUNE;
                    continue;
                }
                const int c = v.cls[cx][cy];
                if (v.token[cx][cy] != 0) {
                    if (v.tokensFired < static_cast<int>(v.fired.size()))
                        v.fired[v.tokensFired] =
                            BoardView::FiredToken{v.token[cx][cy], static_cast<uint8_t>(cx),
                                                  static_cast<uint8_t>(cy), static_cast<uint8_t>(c)};
                    ++v.tokensFired;
                    ++out.tokensFired;
                    v.token[cx][cy] = 0;
                }
                for (BallView& ball : v.balls) {
                    if (c != 0 && ball.color == c && ball.need > 0) {
                        --ball.need;
                        ++out.mana;
                    }
                }
                v.kind[cx][cy] = VIEW_EMPTY;
                v.cls[cx][cy] = 0;
            }
        }
    }
    // The game adds a token for a clear of more than three cells, and another past five.
    v.tokensMade += (out.cleared > 3 ? 1 : 0) + (out.cleared > 5 ? 1 : 0);
    return out;
}

} // namespace vsm::tools
