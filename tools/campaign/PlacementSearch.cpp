// PlacementSearch: the campaign player's judgement of boards and its two-piece search.
#include "PlacementSearch.h"

#include "board/TBoardManager.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace vsm::tools {

namespace {

// A met goal outweighs everything; a next piece that fits nowhere loses the level.
constexpr double WIN = 1e9;
constexpr double STUCK = 1e6;
// The room around an empty arm cell below which fewer and fewer pieces can reach it.
constexpr int ARM_ROOM = 4;

// Which warden's arms hold each cell: the warden's index, -1 for none.
struct ArmMap {
    int8_t of[VIEW_SIDE][VIEW_SIDE];

    explicit ArmMap(const BoardView& v) {
        for (auto& column : of)
            for (int8_t& cell : column)
                cell = -1;
        for (int w = 0; w < v.wardenCount; ++w) {
            for (const ArmCell& c : WARDEN_ARM_CELLS) {
                const int x = v.wardens[w].x + c.dx, y = v.wardens[w].y + c.dy;
                if (x >= 0 && y >= 0 && x < VIEW_SIDE && y < VIEW_SIDE) of[x][y] = static_cast<int8_t>(w);
            }
        }
    }
};

// The size of the pocket of empty cells each empty cell lies in (0 for the other cells); returns
// the room lost in pockets too small for the smallest piece, which no piece can use until the
// cells around are cleared.
int Pockets(const BoardView& v, int smallestPiece, int size[VIEW_SIDE][VIEW_SIDE]) {
    bool seen[VIEW_SIDE][VIEW_SIDE] = {};
    int cells[VIEW_SIDE * VIEW_SIDE];
    int lost = 0;
    for (int x = 0; x < VIEW_SIDE; ++x)
        for (int y = 0; y < VIEW_SIDE; ++y)
            size[x][y] = 0;
    for (int sx = 0; sx < VIEW_SIDE; ++sx) {
        for (int sy = 0; sy < VIEW_SIDE; ++sy) {
            if (seen[sx][sy] || v.kind[sx][sy] != VIEW_EMPTY) continue;
            // The pocket's cells, found breadth first; the list doubles as the queue.
            int n = 0;
            cells[n++] = sx * VIEW_SIDE + sy;
            seen[sx][sy] = true;
            for (int k = 0; k < n; ++k) {
                const int x = cells[k] / VIEW_SIDE, y = cells[k] % VIEW_SIDE;
                const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
                for (const auto& c : next) {
                    if (c[0] < 0 || c[1] < 0 || c[0] >= VIEW_SIDE || c[1] >= VIEW_SIDE) continue;
                    if (seen[c[0]][c[1]] || v.kind[c[0]][c[1]] != VIEW_EMPTY) continue;
                    seen[c[0]][c[1]] = true;
                    cells[n++] = c[0] * VIEW_SIDE + c[1];
                }
            }
            for (int k = 0; k < n; ++k)
                size[cells[k] / VIEW_SIDE][cells[k] % VIEW_SIDE] = n;
            if (n < smallestPiece) lost += n;
        }
    }
    return lost;
}

// The places (origin and rotation) where the shape fits, counted up to enough.
int Places(const BoardView& v, const PieceView& shape, int enough) {
    int places = 0;
    for (int d = 0; d < 4; ++d)
        for (int x = 0; x < VIEW_SIDE; ++x)
            for (int y = 0; y < VIEW_SIDE; ++y)
                if (v.kind[x][y] == VIEW_EMPTY && Fits(v, shape, x, y, d) && ++places >= enough)
                    return places;
    return places;
}

// The empty cells outside every arm that a piece laid from an empty arm cell can reach without
// crossing another arm cell, up to three steps away: where the rest of a piece that brings one
// rune of the warden's colour to the cell can go.
int ArmCellRoom(const BoardView& v, const ArmMap& arms, int ax, int ay) {
    bool seen[VIEW_SIDE][VIEW_SIDE] = {};
    int frontier[VIEW_SIDE * VIEW_SIDE], next[VIEW_SIDE * VIEW_SIDE];
    int n = 0, room = 0;
    frontier[n++] = ax * VIEW_SIDE + ay;
    seen[ax][ay] = true;
    for (int step = 0; step < 3 && n > 0; ++step) {
        int m = 0;
        for (int k = 0; k < n; ++k) {
            const int x = frontier[k] / VIEW_SIDE, y = frontier[k] % VIEW_SIDE;
            const int around[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (const auto& c : around) {
                if (c[0] < 0 || c[1] < 0 || c[0] >= VIEW_SIDE || c[1] >= VIEW_SIDE) continue;
                if (seen[c[0]][c[1]] || v.kind[c[0]][c[1]] != VIEW_EMPTY || arms.of[c[0]][c[1]] >= 0)
                    continue;
                seen[c[0]][c[1]] = true;
                ++room;
                next[m++] = c[0] * VIEW_SIDE + c[1];
            }
        }
        std::copy(next, next + m, frontier);
        n = m;
    }
    return room;
}

// True when no run can ever pass through the rune or stone as the cells around it stand: in no
// row or column is there a stretch of three holding it whose other two cells are empty or of
// its colour.
bool Stuck(const BoardView& v, int x, int y) {
    const int c = v.cls[x][y];
    if (c == 0) return true;
    auto joins = [&](int px, int py) {
        if (px < 0 || py < 0 || px >= VIEW_SIDE || py >= VIEW_SIDE) return false;
        return v.kind[px][py] == VIEW_EMPTY || (v.Occupied(px, py) && v.cls[px][py] == c);
    };
    for (int start = -2; start <= 0; ++start) {
        bool row = true, column = true;
        for (int k = start; k < start + 3; ++k) {
            if (k == 0) continue;
            row = row && joins(x + k, y);
            column = column && joins(x, y + k);
        }
        if (row || column) return false;
    }
    return true;
}

// For every rune and stone that can still turn to stone, the petrifications until it is rubble:
// each period the oldest piece still on the board (runes of one placement share their time)
// turns to stone, and at the next one, still the oldest, to rubble; runes under a token, and
// rubble, never petrify. 0 for the other cells.
void PeriodsToRubble(const BoardView& v, int periods[VIEW_SIDE][VIEW_SIDE]) {
    struct Item {
        int32_t t;
        bool rune;
    };
    Item items[VIEW_SIDE * VIEW_SIDE];
    int n = 0;
    for (int x = 0; x < VIEW_SIDE; ++x) {
        for (int y = 0; y < VIEW_SIDE; ++y) {
            periods[x][y] = 0;
            if (v.Occupied(x, y) && v.cls[x][y] != 0 && v.token[x][y] == 0)
                items[n++] = Item{v.placed[x][y], v.kind[x][y] == VIEW_RUNE};
        }
    }
    std::sort(items, items + n, [](const Item& a, const Item& b) { return a.t < b.t; });
    // Petrifications spent on the pieces older than each placement time.
    int32_t times[VIEW_SIDE * VIEW_SIDE];
    int before[VIEW_SIDE * VIEW_SIDE];
    int groups = 0, spent = 0;
    for (int k = 0; k < n;) {
        int j = k;
        bool rune = false;
        for (; j < n && items[j].t == items[k].t; ++j)
            rune = rune || items[j].rune;
        times[groups] = items[k].t;
        before[groups++] = spent;
        spent += rune ? 2 : 1;
        k = j;
    }
    for (int x = 0; x < VIEW_SIDE; ++x) {
        for (int y = 0; y < VIEW_SIDE; ++y) {
            if (!v.Occupied(x, y) || v.cls[x][y] == 0 || v.token[x][y] != 0) continue;
            const int g = static_cast<int>(std::lower_bound(times, times + groups, v.placed[x][y]) - times);
            periods[x][y] = before[g] + (v.kind[x][y] == VIEW_RUNE ? 2 : 1);
        }
    }
}

// How close the runes and stones of the board stand to a run: each is looked at in the stretches
// of three cells through it, in its row and column, that hold nothing but empty cells and runes
// of its colour. One empty cell short of a run is near; no such stretch at all is stuck, until
// the cells around it change. Runes of a warden's colour in its arms are not counted: they are
// to stay.
struct Closeness {
    double near = 0, stuck = 0;
};

Closeness MeasureCloseness(const BoardView& v, const ArmMap& arms, const bool* usefulColour) {
    Closeness out;
    auto joins = [&](int x, int y, int c) {
        if (x < 0 || y < 0 || x >= VIEW_SIDE || y >= VIEW_SIDE) return -1;
        if (v.kind[x][y] == VIEW_EMPTY) return 1;
        return v.Occupied(x, y) && v.cls[x][y] == c ? 0 : -1;
    };
    for (int x = 0; x < VIEW_SIDE; ++x) {
        for (int y = 0; y < VIEW_SIDE; ++y) {
            if (!v.Occupied(x, y)) continue;
            const int c = v.cls[x][y];
            if (c == 0) continue;
            const int w = arms.of[x][y];
            if (w >= 0 && v.wardens[w].color == c) continue;
            int best = 3;
            for (int horizontal = 0; horizontal < 2; ++horizontal) {
                for (int start = -2; start <= 0; ++start) {
                    int empties = 0;
                    for (int k = start; k < start + 3 && empties >= 0; ++k) {
                        if (k == 0) continue;
                        const int j = horizontal ? joins(x + k, y, c) : joins(x, y + k, c);
                        empties = j < 0 ? -1 : empties + j;
                    }
                    if (empties >= 0 && empties < best) best = empties;
                }
            }
            const double weight = usefulColour[c] ? 1.0 : 0.5;
            if (best == 1) out.near += weight;
            if (best == 3) out.stuck += 1.0;
        }
    }
    return out;
}

// The rubble the tokens the moves set off are likely to take away: no run clears it, only a
// holy fire in its row or column, a bomb within two cells, or a vanish (one rune in five).
double RubbleAtReach(const BoardView& v) {
    double reach = 0;
    for (int t = 0; t < std::min(v.tokensFired, static_cast<int>(v.fired.size())); ++t) {
        const BoardView::FiredToken& f = v.fired[t];
        for (int x = 0; x < VIEW_SIDE; ++x) {
            for (int y = 0; y < VIEW_SIDE; ++y) {
                if (!v.Occupied(x, y) || v.cls[x][y] != 0) continue;
                if (f.kind == 1 && (x == f.x || y == f.y)) reach += 1.0;
                if (f.kind == 3 && std::abs(x - f.x) <= 2 && std::abs(y - f.y) <= 2) reach += 1.0;
                if (f.kind == 2) reach += 0.2;
            }
        }
    }
    return reach;
}

// Tokens the moves set off that take runes off the board.
int RemovingTokens(const BoardView& v) {
    int n = 0;
    for (int t = 0; t < std::min(v.tokensFired, static_cast<int>(v.fired.size())); ++t)
        n += v.fired[t].kind == 5 || v.fired[t].kind == 6 ? 0 : 1;
    return n;
}

// The runes of the wardens' colours in their arms that the tokens the moves set off are likely to
// take away or turn: a holy fire its row and column, a bomb the 5x5 around it, a drain every rune
// of its colour, a vanish one rune in five, a teleport one in four; a heal none.
double ArmCellsAtRisk(const BoardView& v, const ArmMap& arms) {
    if (v.tokensFired == 0) return 0;
    double risk = 0;
    for (int x = 0; x < VIEW_SIDE; ++x) {
        for (int y = 0; y < VIEW_SIDE; ++y) {
            const int w = arms.of[x][y];
            if (w < 0 || !v.Occupied(x, y) || v.cls[x][y] != v.wardens[w].color) continue;
            for (int t = 0; t < std::min(v.tokensFired, static_cast<int>(v.fired.size())); ++t) {
                const BoardView::FiredToken& f = v.fired[t];
                switch (f.kind) {
                case 1:
                    risk += x == f.x || y == f.y ? 1.0 : 0.0;
                    break;
                case 2:
                    risk += 0.2;
                    break;
                case 3:
                    risk += std::abs(x - f.x) <= 2 && std::abs(y - f.y) <= 2 ? 1.0 : 0.0;
                    break;
                case 4:
                    risk += v.cls[x][y] == f.cls ? 1.0 : 0.0;
                    break;
                case 6:
                    risk += 0.25;
                    break;
                default:
                    break;
                }
            }
        }
    }
    return risk;
}

} // namespace

double EvaluateBoard(const BoardView& v, const SearchOptions& options) {
    const int goal = options.survive ? 0 : v.goalType;
    if (goal != 0 && v.GoalMet()) return WIN;
    bool useful[16] = {};
    int need = 0;
    for (const BallView& ball : v.balls) {
        if (ball.color <= 0 || ball.color > 15 || ball.need <= 0) continue;
        useful[ball.color] = true;
        need += ball.need;
    }
    if (goal != 1)
        for (bool& u : useful)
            u = true;

    const ArmMap arms(v);
    int smallest = 0;
    const PieceView* largest = nullptr;
    for (const PieceView& shape : options.shapes) {
        if (smallest == 0 || shape.count < smallest) smallest = shape.count;
        if (!largest || shape.count > largest->count) largest = &shape;
    }
    int pocket[VIEW_SIDE][VIEW_SIDE];
    const double lost = Pockets(v, smallest, pocket);
    int periods[VIEW_SIDE][VIEW_SIDE];
    if (goal == 3) PeriodsToRubble(v, periods);
    int occupied = 0, stones = 0, rubble = 0, freeOccupied = 0, freeRubble = 0;
    double armValue = 0;
    double correct[VIEW_MAX_WARDENS] = {};
    for (int x = 0; x < VIEW_SIDE; ++x) {
        for (int y = 0; y < VIEW_SIDE; ++y) {
            const int w = arms.of[x][y];
            if (!v.Occupied(x, y)) {
                // An arm cell few pieces can reach waits long for one of its colour, and one that
                // no piece can reach waits for the cells around it to clear.
                if (w >= 0)
                    armValue -=
                        options.weights.armPocket * std::max(0, ARM_ROOM - ArmCellRoom(v, arms, x, y));
                continue;
            }
            const bool stone = v.kind[x][y] == VIEW_STONE, dead = v.cls[x][y] == 0;
            ++occupied;
            stones += stone ? 1 : 0;
            rubble += dead ? 1 : 0;
            if (w < 0) {
                ++freeOccupied;
                freeRubble += dead ? 1 : 0;
            } else if (v.cls[x][y] == v.wardens[w].color) {
                // A rune of the warden's colour counts for as long as it will stand: one that will
                // crumble to rubble before the warden is likely woken blocks the arm instead.
                static const double LASTING[] = {1.0, -5.0, -2.0, 0.0, 0.5, 0.8};
                const double lasting =
                    periods[x][y] >= 6 || periods[x][y] <= 0 ? 1.0 : LASTING[periods[x][y]];
                correct[w] += lasting;
            } else {
                // A rune of another colour that no run can reach bars the warden for good.
                armValue -= dead || Stuck(v, x, y) ? options.weights.wrongStuck : options.weights.wrong;
            }
        }
    }
    const Closeness close = MeasureCloseness(v, arms, useful);

    const Weights& k = options.weights;
    double value = -k.lost * lost + k.near * close.near - k.stuck * close.stuck;
    // The board is lost when a piece fits nowhere: keep places for the largest template.
    if (largest) {
        const double missing =
            std::max(0.0, k.roomWanted - Places(v, *largest, static_cast<int>(k.roomWanted)));
        value -= k.room * missing * missing;
    }
    switch (goal) {
    case 1:
        value += -k.need * need - k.occupied * occupied - k.stone * stones - k.rubble * rubble +
                 k.tokenUseful * RemovingTokens(v);
        break;
    case 2:
        // Rubble leaves only by tokens: while some lies on the board, large clears that lay
        // them are worth making and tokens near it worth setting off.
        value += -k.emptyOccupied * occupied - k.emptyStone * stones - k.emptyRubble * rubble +
                 (k.emptyNear - k.near) * close.near + k.tokenUseful * RemovingTokens(v) +
                 k.emptyRubble * RubbleAtReach(v) + (rubble > 0 ? k.tokenUseful * v.tokensMade : 0.0);
        break;
    case 3:
        // Tokens set off change the board at random (a drain of the warden's colour, a teleport
        // or a vanish undoes arms), and large clears lay new ones.
        value += -k.warden * v.wardenCount - k.junk * freeOccupied - k.rubble * freeRubble + armValue -
                 k.tokenFired * ArmCellsAtRisk(v, arms) - k.tokenMade * v.tokensMade;
        for (int w = 0; w < v.wardenCount; ++w)
            value += k.correct * correct[w] + k.focus * std::max(0.0, correct[w]) * std::max(0.0, correct[w]);
        break;
    default:
        // No goal to pursue: stay alive.
        value += -k.occupied * occupied - k.rubble * rubble;
        break;
    }
    return value;
}

namespace {

struct Candidate {
    Placement placement;
    BoardView after;
};

// Every legal placement of the piece on the board with the board it leaves, in rotation, then
// column, then row order.
template <typename Visit>
void ForEachPlacement(const BoardView& view, const PieceView& piece, Visit&& visit) {
    for (int d = 0; d < 4; ++d) {
        for (int x = 0; x < VIEW_SIDE; ++x) {
            for (int y = 0; y < VIEW_SIDE; ++y) {
                if (!Fits(view, piece, x, y, d)) continue;
                BoardView after = view;
                const MoveOutcome outcome = PlayMove(after, piece, x, y, d);
                if (!visit(Placement{x, y, d, outcome.cleared, 0.0}, after)) return;
            }
        }
    }
}

} // namespace

std::optional<Placement> ChoosePlacement(const BoardView& view, const PieceView& held, const PieceView* next,
                                         const SearchOptions& options) {
    std::vector<Candidate> candidates;
    std::optional<Placement> winning;
    ForEachPlacement(view, held, [&](Placement p, const BoardView& after) {
        p.value = EvaluateBoard(after, options);
        if (p.value >= WIN) {
            winning = p;
            return false;
        }
        candidates.push_back(Candidate{p, after});
        return true;
    });
    if (winning) return winning;
    if (candidates.empty()) return std::nullopt;
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return a.placement.value > b.placement.value;
    });
    if (!next || next->count == 0 || options.breadth <= 0) return candidates.front().placement;

    const int breadth = std::min(options.breadth, static_cast<int>(candidates.size()));
    std::optional<Placement> best;
    for (int k = 0; k < breadth; ++k) {
        const Candidate& c = candidates[k];
        double reply = -STUCK + c.placement.value;
        bool any = false;
        ForEachPlacement(c.after, *next, [&](const Placement&, const BoardView& after) {
            const double v = EvaluateBoard(after, options);
            if (!any || v > reply) reply = v;
            any = true;
            return v < WIN;
        });
        // The held piece's own worth breaks ties between equal replies.
        const double value = reply + 1e-3 * c.placement.value;
        if (!best || value > best->value) {
            best = c.placement;
            best->value = value;
        }
    }
    return best;
}

std::optional<Placement> FindRunPlacement(TBoardManager& board, const TBlock& piece) {
    const BoardView view = SeeBoard(board);
    std::optional<Placement> best;
    ForEachPlacement(view, SeePiece(piece), [&](const Placement& p, const BoardView&) {
        if (p.runCells > 0 && (!best || p.runCells > best->runCells)) best = p;
        return true;
    });
    return best;
}

std::optional<Placement> FindAnyPlacement(TBoardManager& board, const TBlock& piece) {
    std::optional<Placement> first;
    ForEachPlacement(SeeBoard(board), SeePiece(piece), [&](const Placement& p, const BoardView&) {
        first = p;
        return false;
    });
    return first;
}

PointerCell PointerFor(const TBoardManager& board, const Placement& placement) {
    // The cell's top left pixel: the pieces' pointer rule counts a cell's last 15 pixels as the
    // next cell, so on small tiles only the first pixels of a cell are its own.
    return {board.offsetX + placement.x * board.tileSize, board.offsetY + placement.y * board.tileSize};
}

} // namespace vsm::tools
