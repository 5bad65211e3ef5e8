// LevelBoardSeam: the level subsystem's side of the board's seam (boss runes, clock, points,
// statistics and campaign position).
#include "level/LevelBoardSeam.h"

#include "board/BoardSeams.h"
#include "level/TBossManager.h"
#include "level/TLevelManager.h"
#include "level/TLevelSequencer.h"
#include "level/TPointsManager.h"
#include "level/TTimeManager.h"

namespace vsm {

void InstallLevelBoardSeam() {
    boardSeams.bossCheckMove = [](int x, int y) { return bossManager.CheckMove(x, y); };
    boardSeams.bossCheckForMatch = [](int commit) { return bossManager.CheckForMatch(commit); };
    boardSeams.bossDrawHelp = [] { return bossManager.DrawHelp(); };
    boardSeams.timeOver = [] { return timeManager.TimeOver(); };
    boardSeams.pointsAdd = [](int score) { points.add(score); };
    boardSeams.addUsedBlocks = [](int n) { level.usedBlocks += n; };
    boardSeams.addMatches = [](int n) { level.matches += n; };
    boardSeams.addCombos = [](int n) { level.combos += n; };
    boardSeams.seqNo = [] { return sequencer.seqNo; };
}

} // namespace vsm
