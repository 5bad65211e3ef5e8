// BonusActions: the removals, the heal, the replacement and the spread that bonuses and spells
// carry out on the board.
#include "magic/BonusActions.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "level/TLevelSequencer.h"
#include "magic/TBunusManagerA.h"
#include "magic/THealEmiter.h"
#include "magic/TRemoveBlockEmiter.h"
#include "magic/TRemoveColorEmiter.h"
#include "magic/TRemoveLineEmiter.h"
#include "platform/Graphics.h"
#include "platform/System.h"

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace vsm {

namespace {

bool OnBoard(int x, int y) {
    return x >= 0 && x < BOARD_CELLS && y >= 0 && y < BOARD_CELLS;
}

using CellMarks = bool[BOARD_CELLS][BOARD_CELLS];

// Walks from (x, y) by (dx, dy) up to the first hole (returned) or past the edge (-1 or 15),
// counting the runes on the cells covered; with marks, only cells not marked yet count.
int Walk(int x, int y, int dx, int dy, int& runes, CellMarks* marks = nullptr) {
    int i = x, j = y;
    while (OnBoard(i, j)) {
        if (board.davarLayer[i][j] != 0 && !(marks && (*marks)[i][j])) {
            ++runes;
            if (marks) (*marks)[i][j] = true;
        }
        if (board.grid[i][j] == 0) break;
        i += dx;
        j += dy;
    }
    return dx != 0 ? i : j;
}

// Both walks of one line; the start cell counts once.
int RemoveLine(int x, int y, bool horizontal) {
    if (!OnBoard(x, y)) return 0;
    int runes = 0;
    const int dx = horizontal ? 1 : 0;
    const int dy = horizontal ? 0 : 1;
    const int first = Walk(x, y, -dx, -dy, runes);
    const int second = Walk(x, y, dx, dy, runes);
    if (board.davarLayer[x][y] != 0) --runes;
    const float ax = static_cast<float>(CellCentreX(x));
    const float ay = static_cast<float>(CellCentreY(y));
    if (horizontal) {
        TRemoveLineEmiter::add(ax, ay, static_cast<float>(CellCentreX(first)), ay, 1);
        TRemoveLineEmiter::add(ax, ay, static_cast<float>(CellCentreX(second)), ay, 1);
    } else {
        TRemoveLineEmiter::add(ax, ay, ax, static_cast<float>(CellCentreY(first)), 0);
        TRemoveLineEmiter::add(ax, ay, ax, static_cast<float>(CellCentreY(second)), 0);
    }
    return runes;
}

int Jitter(int v) {
    return v + Rand(-20, 20);
}

int IdOf(const std::string& text) {
    return std::atoi(text.c_str());
}

} // namespace

int CellCentreX(int x) {
    return board.offsetX + x * board.tileSize + board.tileSize / 2;
}
int CellCentreY(int y) {
    return board.offsetY + y * board.tileSize + board.tileSize / 2;
}

int BonusRemoveHorizontalLine(int x, int y) {
    return RemoveLine(x, y, true);
}
int BonusRemoveVerticalLine(int x, int y) {
    return RemoveLine(x, y, false);
}

int BonusRemoveCross(int x, int y) {
    if (!OnBoard(x, y)) return 0;
    const bool centre = board.davarLayer[x][y] != 0;
    int n = BonusRemoveVerticalLine(x, y) + BonusRemoveHorizontalLine(x, y);
    // Each line counted the centre once; the cross takes it once.
    if (centre) --n;
    return n;
}

int BonusRemoveCrosses(const std::vector<std::pair<int, int>>& centres) {
    // Crosses along a diagonal overlap; a rune under two of them is removed, and so counted, once.
    CellMarks marks = {};
    int runes = 0;
    for (const auto& [x, y] : centres) {
        if (!OnBoard(x, y)) continue;
        for (int d : {-1, 1}) {
            Walk(x, y, d, 0, runes, &marks);
            Walk(x, y, 0, d, runes, &marks);
        }
        BonusRemoveCross(x, y);
    }
    return runes;
}

int BonusRemoveBlock(int x, int y) {
    int count = 0;
    for (int i = x - 2; i <= x + 2; ++i) {
        for (int j = y - 2; j <= y + 2; ++j) {
            if (!OnBoard(i, j) || board.grid[i][j] == 0) continue;
            const int d = std::max(std::abs(i - x), std::abs(j - y));
            const int lag = d == 0 ? 0 : d == 1 ? 200 : 400;
            const int steps = d == 0 ? 80 : d == 1 ? 55 : 30;
            TRemoveBlockEmiter::add(static_cast<float>(CellCentreX(i)), static_cast<float>(CellCentreY(j)),
                                    static_cast<float>(i), j, lag, steps);
            if (board.davarLayer[i][j] != 0) ++count;
        }
    }
    return count;
}

int BonusRemoveColor(int color, int x, int y) {
    const int r = Jitter(davar.getRuneRGB(color, 1));
    const int g = Jitter(davar.getRuneRGB(color, 2));
    const int b = Jitter(davar.getRuneRGB(color, 3));
    const float ax = static_cast<float>(CellCentreX(x));
    const float ay = static_cast<float>(CellCentreY(y));
    int count = 0;
    for (int i = 0; i < BOARD_CELLS; ++i) {
        for (int j = 0; j < BOARD_CELLS; ++j) {
            // Only runes are taken: a colour class of 0 must not reach the empty cells.
            if (board.colorLayer[i][j] != color || board.davarLayer[i][j] == 0) continue;
            TRemoveColorEmiter::add(ax, ay, static_cast<float>(CellCentreX(i)),
                                    static_cast<float>(CellCentreY(j)), r, g, b, i, j, color);
            ++count;
        }
    }
    return count;
}

int BonusRemoveRandomColors(int x, int y) {
    const float ax = static_cast<float>(CellCentreX(x));
    const float ay = static_cast<float>(CellCentreY(y));
    const int own = OnBoard(x, y) ? davar.getRuneColor(board.davarLayer[x][y]) : 0;
    TRemoveRandomColorsEmiter::add(ax, ay, ax, ay, 225, 210, 225, x, y, own);
    bool chosen[BOARD_CELLS][BOARD_CELLS] = {};
    int count = 0, pass = 0, k = 0;
    while (pass < 3 && count < 4) {
        for (int i = 0; i < BOARD_CELLS; ++i) {
            for (int j = 0; j < BOARD_CELLS; ++j) {
                if (board.davarLayer[i][j] == 0) continue;
                // A later pass can meet a chosen cell again (5, 10 or 15 runes); it is passed
                // over so that no rune is paid for twice.
                if (k == 0 && !chosen[i][j]) {
                    chosen[i][j] = true;
                    TRemoveRandomColorsEmiter::add(ax, ay, static_cast<float>(CellCentreX(i)),
                                                   static_cast<float>(CellCentreY(j)), 225, 210, 225, i, j,
                                                   davar.getRuneColor(board.davarLayer[i][j]));
                    ++count;
                }
                if (++k > 4) k = 0;
            }
        }
        ++pass;
    }
    return count;
}

int BonusHeal() {
    for (int i = 0; i < BOARD_CELLS; ++i)
        for (int j = 0; j < BOARD_CELLS; ++j)
            if (davar.isBlocked(board.davarLayer[i][j]))
                THealEmiter::add(static_cast<float>(CellCentreX(i)), static_cast<float>(CellCentreY(j)),
                                 static_cast<float>(i), j);
    return 0;
}

namespace {

// The highlight of a fading cell: the old colour class, then the new one, then none.
void FadeHighlight(int x, int y, float fade, int oldClass, int newClass) {
    if (fade <= 0.4f)
        board.highlightLayer[x][y] = oldClass;
    else if (fade <= 0.8f)
        board.highlightLayer[x][y] = newClass;
    else
        board.highlightLayer[x][y] = 0;
}

void RecolourDrainToken(int x, int y, int c) {
    if (bonusManagerAlt.FindBonus(x, y) != BONUS_DRAIN) return;
    if (auto t = bonusManagerAlt.GetBonus(x, y)) t->color = c;
}

} // namespace

int BonusReplacer(float& fade, std::vector<std::array<int, 3>>& list) {
    if (fade == 0) {
        list.clear();
        int n = 0;
        for (int i = 0; i < BOARD_CELLS; ++i)
            for (int j = 0; j < BOARD_CELLS; ++j)
                if (board.davarLayer[i][j] != 0) ++n;
        int k = n <= 1 ? 0 : Rand(0, 2);
        for (int i = 0; i < BOARD_CELLS; ++i) {
            for (int j = 0; j < BOARD_CELLS; ++j) {
                const int id = board.davarLayer[i][j];
                if (id == 0) continue;
                if (k == 0) {
                    std::vector<int> candidates;
                    for (const auto& text : blocks.availableDavar) {
                        // An id the catalogue does not know cannot be drawn or coloured: no
                        // candidate.
                        const TRune* rune = davar._findRuneByID(text);
                        if (!rune || rune->blocked != 0) continue;
                        const int cand = IdOf(text);
                        if (cand != 0 && cand != id) candidates.push_back(cand);
                    }
                    if (!candidates.empty())
                        list.push_back({i, j,
                                        candidates[static_cast<size_t>(
                                            Rand(0, static_cast<int>(candidates.size()) - 1))]});
                }
                if (++k > 3) k = 0;
            }
        }
    }
    SetBlend(ALPHABLEND);
    fade += 0.01f;
    SetAlpha(fade);
    for (const auto& rec : list) {
        const int x = rec[0], y = rec[1], id = rec[2];
        if (!OnBoard(x, y)) continue;
        davar.Draw(id, static_cast<float>(board.offsetX + x * board.tileSize),
                   board.offsetY + y * board.tileSize);
        const int newClass = davar.getRuneColor(id);
        FadeHighlight(x, y, fade, davar.getRuneColor(board.davarLayer[x][y]), newClass);
        if (fade >= 1) {
            board.davarLayer[x][y] = id;
            board.colorLayer[x][y] = newClass;
            board.timerLayer[x][y] = MilliSecs64();
            RecolourDrainToken(x, y, newClass);
            board.clearMatchingDavar(0);
            board.checkGameOver();
        }
    }
    SetAlpha(1);
    return 0;
}

int BonusColoryzer(float& fade, int x, int y, int hardLevel) {
    if (!OnBoard(x, y) || board.davarLayer[x][y] == 0) {
        fade = 1;
        return 0;
    }
    const int target = board.davarLayer[x][y];
    const TRune* entry = davar._findRuneByID(std::to_string(target));
    int normal = 0, stone = 0;
    if (entry) {
        if (entry->blocked != 0) {
            stone = target;
            normal = IdOf(entry->unblocked);
        } else {
            normal = target;
            stone = IdOf(entry->blockedID);
        }
    }
    // Without a catalogue entry or a normal form there is nothing to spread.
    if (normal == 0 || !davar._findRuneByID(std::to_string(normal))) {
        fade = 1;
        return 0;
    }
    if (stone != 0 && !davar._findRuneByID(std::to_string(stone))) stone = 0;
    const int normalClass = davar.getRuneColor(normal);

    SetBlend(ALPHABLEND);
    fade += 0.01f;
    SetAlpha(fade);
    const int r = sequencer.seqNo < hardLevel ? 1 : 2;
    for (int i = x - r; i <= x + r; ++i) {
        for (int j = y - r; j <= y + r; ++j) {
            if (!OnBoard(i, j) || board.davarLayer[i][j] == 0) continue;
            const int cur = board.davarLayer[i][j];
            const bool isStone = davar.isBlocked(cur) != 0;
            // A stone keeps its own rune when the target names no stone form.
            const int next = isStone ? stone : normal;
            if (next == 0) continue;
            davar.Draw(next, static_cast<float>(board.offsetX + i * board.tileSize),
                       board.offsetY + j * board.tileSize);
            FadeHighlight(i, j, fade, davar.getRuneColor(cur), normalClass);
            if (fade >= 1) {
                board.davarLayer[i][j] = next;
                board.colorLayer[i][j] = normalClass;
                board.timerLayer[i][j] = MilliSecs64();
                RecolourDrainToken(i, j, normalClass);
            }
        }
    }
    if (fade >= 1) {
        board.clearMatchingDavar(0);
        board.checkGameOver();
    }
    SetAlpha(1);
    return 0;
}

} // namespace vsm
