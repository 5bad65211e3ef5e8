// BonusActions: the board actions of the bonuses and spells — they choose cells and start effect
// emitters (removals, heal) or fade new runes in (replacement, spread).
#pragma once

#include <array>
#include <utility>
#include <vector>

namespace vsm {

// Returns the screen centre of cell (x, y) on the board (also for the virtual cells -1 and 15).
int CellCentreX(int x);
int CellCentreY(int y);

// Starts the two line removals along row y from (x, y); returns the runes they will take, each
// counted once.
int BonusRemoveHorizontalLine(int x, int y);
// The same along column x, upward run first.
int BonusRemoveVerticalLine(int x, int y);
// Column then row through (x, y); returns the runes taken, the centre counted once.
int BonusRemoveCross(int x, int y);
// A cross at every centre; returns the runes taken, a rune under several crosses counted once.
int BonusRemoveCrosses(const std::vector<std::pair<int, int>>& centres);
// A block removal on every playable cell of the 5x5 area round (x, y); returns the runes in it.
int BonusRemoveBlock(int x, int y);
// A colour removal from (x, y) to every rune of colour class color; returns their number.
int BonusRemoveColor(int color, int x, int y);
// The scattered selection from (x, y): every fifth rune, up to three passes while fewer than
// four are chosen, no cell chosen twice; returns the number chosen.
int BonusRemoveRandomColors(int x, int y);
// A heal emitter on every stone; returns 0.
int BonusHeal();
// One frame of the teleport: picks every fourth rune when fade is 0, fades the new runes in by
// 0.01 a call and writes them at 1. Returns 0.
int BonusReplacer(float& fade, std::vector<std::array<int, 3>>& list);
// One frame of the spread round (x, y): the square takes the target's rune (its stone form on
// stones); radius 2 from sequence number hardLevel on, else 1. An empty or unknown target, or
// one without a normal form, ends it at once; stones keep their rune when the target names no
// stone form. Returns 0.
int BonusColoryzer(float& fade, int x, int y, int hardLevel = 5);

} // namespace vsm
