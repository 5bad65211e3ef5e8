// BoardSeams: the one set of hooks the board uses, and their unset answers.
#include "board/BoardSeams.h"

namespace vsm {

TBoardSeams boardSeams;

int TBoardSeams::BossCheckMove(int x, int y) const {
    if (bossCheckMove) return bossCheckMove(x, y);
    unset.Report("boss rune cell test", "no cell is covered by a boss rune");
    return 0;
}

int TBoardSeams::BossCheckForMatch(int commit) const {
    if (bossCheckForMatch) return bossCheckForMatch(commit);
    unset.Report("boss rune match test", "no boss rune is matched");
    return 0;
}

void TBoardSeams::BossDrawHelp() const {
    if (bossDrawHelp)
        bossDrawHelp();
    else
        unset.Report("boss rune markers", "no arm markers are drawn");
}

int TBoardSeams::TimeOver() const {
    if (timeOver) return timeOver();
    unset.Report("level clock", "the time never runs out");
    return 0;
}

void TBoardSeams::PointsAdd(int score) const {
    if (pointsAdd)
        pointsAdd(score);
    else
        unset.Report("points counter", "points are not counted");
}

void TBoardSeams::AddUsedBlocks(int n) const {
    if (addUsedBlocks)
        addUsedBlocks(n);
    else
        unset.Report("used pieces counter", "used pieces are not counted");
}

void TBoardSeams::AddMatches(int n) const {
    if (addMatches)
        addMatches(n);
    else
        unset.Report("matches counter", "matches are not counted");
}

void TBoardSeams::AddCombos(int n) const {
    if (addCombos)
        addCombos(n);
    else
        unset.Report("combos counter", "combos are not counted");
}

int TBoardSeams::SeqNo() const {
    if (seqNo) return seqNo();
    unset.Report("campaign position", "position 0 is assumed");
    return 0;
}

void TBoardSeams::SphereFill(int c) const {
    if (sphereFill)
        sphereFill(c);
    else
        unset.Report("sphere filler", "no mana reaches the sphere");
}

int TBoardSeams::SphereGetColorXY(int c, int& x, int& y) const {
    if (sphereGetColorXY) return sphereGetColorXY(c, x, y);
    unset.Report("sphere ball finder", "flights aim at the sphere's centre");
    x = 107;
    y = 105;
    return 0;
}

int TBoardSeams::FindBonus(int x, int y) const {
    if (findBonus) return findBonus(x, y);
    unset.Report("token finder", "no cell holds a token");
    return 0;
}

void TBoardSeams::ClearBonus(int x, int y) const {
    if (clearBonus)
        clearBonus(x, y);
    else
        unset.Report("token trigger", "no token is set off");
}

void TBoardSeams::AddBonus(int kind) const {
    if (addBonus)
        addBonus(kind);
    else
        unset.Report("token dealer", "no token is added");
}

int TBoardSeams::BonusActive() const {
    if (bonusActive) return bonusActive();
    unset.Report("token activity test", "no token is at work");
    return 0;
}

void TBoardSeams::AddCaption(int matches, int scores, int combo, int x, int y) const {
    if (addCaption)
        addCaption(matches, scores, combo, x, y);
    else
        unset.Report("score caption", "no caption is shown");
}

} // namespace vsm
