// BoardSeams: the hooks through which the board, the pieces and the runs reach the level and
// magic managers, which sit above the board and read it; start-up fills them. An unset hook
// prints one line once and behaves as "no boss rune, no time limit, nobody counting, empty
// sphere, no token".
#pragma once

#include "services/TUnsetHooks.h"

#include <functional>

namespace vsm {

struct TBoardSeams {
    // ---- Level subsystem ----
    // bossManager.CheckMove(x, y): 1 when an active boss rune covers the cell. Unset: 0.
    std::function<int(int x, int y)> bossCheckMove;
    // bossManager.CheckForMatch(commit): commit 1 queues the arms of destroyed boss runes with
    // board._addLine; commit 0 paints complete arms into board.highlightLayer. Unset: nothing.
    std::function<int(int commit)> bossCheckForMatch;
    // bossManager.DrawHelp(): the arm markers, drawn under the runes. Unset: nothing drawn.
    std::function<int()> bossDrawHelp;
    // timeManager.TimeOver(): 1 when the level's time is used up. Unset: 0.
    std::function<int()> timeOver;
    // points.add(score). Unset: ignored.
    std::function<void(int score)> pointsAdd;
    // level.usedBlocks += n, level.matches += n, level.combos += n. Unset: ignored.
    std::function<void(int n)> addUsedBlocks;
    std::function<void(int n)> addMatches;
    std::function<void(int n)> addCombos;
    // sequencer.seqNo: the position in the quest sequence. Unset: 0.
    std::function<int()> seqNo;

    // ---- Magic subsystem ----
    // magicSphere.Fill(c): one unit of mana to every ball of colour class c that is not full.
    std::function<void(int c)> sphereFill;
    // magicSphere.GetColorXY(c, x, y): writes the centre of the first ball of colour c (returns
    // 1) or the sphere's centre (returns 0). Unset: the sphere's resting centre (107, 105), 0.
    std::function<int(int c, int& x, int& y)> sphereGetColorXY;
    // bonusManagerAlt.FindBonus(x, y): kind 1..6 of the token on the cell, 0 when none. Unset: 0.
    std::function<int(int x, int y)> findBonus;
    // bonusManagerAlt.Clear(x, y): sets off every token lying on the cell. Unset: ignored.
    std::function<void(int x, int y)> clearBonus;
    // bonusManagerAlt.AddBonus(kind): a new token (kind 0 = random allowed kind). Unset: ignored.
    std::function<void(int kind)> addBonus;
    // bonusManagerAlt.BonusActive(): 1 while set-off tokens are at work. Unset: 0.
    std::function<int()> bonusActive;
    // bonusManagerAlt.AddCaption(matches, scores, combo, x, y). Unset: ignored.
    std::function<void(int matches, int scores, int combo, int x, int y)> addCaption;

    // Callers of the hooks. Unset, each prints one line the first time it is used and answers
    // the default written above.
    int BossCheckMove(int x, int y) const;
    int BossCheckForMatch(int commit) const;
    void BossDrawHelp() const;
    int TimeOver() const;
    void PointsAdd(int score) const;
    void AddUsedBlocks(int n) const;
    void AddMatches(int n) const;
    void AddCombos(int n) const;
    int SeqNo() const;
    void SphereFill(int c) const;
    int SphereGetColorXY(int c, int& x, int& y) const;
    int FindBonus(int x, int y) const;
    void ClearBonus(int x, int y) const;
    void AddBonus(int kind) const;
    int BonusActive() const;
    void AddCaption(int matches, int scores, int combo, int x, int y) const;

    mutable TUnsetHooks unset;
};

// The hooks in force; ResetBoardGlobals leaves them untouched.
extern TBoardSeams boardSeams;

} // namespace vsm
