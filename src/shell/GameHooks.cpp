// GameHooks: every hook of the game and the real callee it is filled with.
#include "shell/GameHooks.h"

#include "board/BoardSeams.h"
#include "board/TBoardManager.h"
#include "frontend/TTitleScreen.h"
#include "level/LevelSeams.h"
#include "level/TBossManager.h"
#include "level/TLevelManager.h"
#include "level/TLevelSequencer.h"
#include "level/TPointsManager.h"
#include "level/TTimeManager.h"
#include "magic/TBunusManagerA.h"
#include "magic/TMagicSphere.h"
#include "magic/TRingOfSpells.h"
#include "modes/ModesSeams.h"
#include "overlays/TPopupManager.h"
#include "services/MouseSeams.h"

#include <memory>
#include <string>

namespace vsm {

namespace {

TCellGrid BoardCellGrid() {
    return TCellGrid{board.offsetX, board.offsetY, board.tileSize};
}

// Each entry's lambdas are captureless, so they convert to the plain function pointers of the
// table.
const std::vector<TGameHook> HOOKS = {
    // The pointer's keyboard aids follow the board's cells wherever the board lies.
    {"services -> board: cell grid", [] { mouseSeams.cellGrid = BoardCellGrid; },
     [] { return bool(mouseSeams.cellGrid); }},
    // The board asks the level managers.
    {"board -> level: boss rune cell test",
     [] { boardSeams.bossCheckMove = [](int x, int y) { return bossManager.CheckMove(x, y); }; },
     [] { return bool(boardSeams.bossCheckMove); }},
    {"board -> level: boss rune match test",
     [] { boardSeams.bossCheckForMatch = [](int commit) { return bossManager.CheckForMatch(commit); }; },
     [] { return bool(boardSeams.bossCheckForMatch); }},
    {"board -> level: boss rune markers",
     [] { boardSeams.bossDrawHelp = [] { return bossManager.DrawHelp(); }; },
     [] { return bool(boardSeams.bossDrawHelp); }},
    {"board -> level: level clock", [] { boardSeams.timeOver = [] { return timeManager.TimeOver(); }; },
     [] { return bool(boardSeams.timeOver); }},
    {"board -> level: points counter", [] { boardSeams.pointsAdd = [](int score) { points.add(score); }; },
     [] { return bool(boardSeams.pointsAdd); }},
    {"board -> level: used pieces counter",
     [] { boardSeams.addUsedBlocks = [](int n) { level.usedBlocks += n; }; },
     [] { return bool(boardSeams.addUsedBlocks); }},
    {"board -> level: matches counter", [] { boardSeams.addMatches = [](int n) { level.matches += n; }; },
     [] { return bool(boardSeams.addMatches); }},
    {"board -> level: combos counter", [] { boardSeams.addCombos = [](int n) { level.combos += n; }; },
     [] { return bool(boardSeams.addCombos); }},
    {"board -> level: campaign position", [] { boardSeams.seqNo = [] { return sequencer.seqNo; }; },
     [] { return bool(boardSeams.seqNo); }},
    // The board asks the sphere and the bonus tokens.
    {"board -> magic: sphere filler", [] { boardSeams.sphereFill = [](int c) { magicSphere.Fill(c); }; },
     [] { return bool(boardSeams.sphereFill); }},
    {"board -> magic: sphere ball finder",
     [] {
         boardSeams.sphereGetColorXY = [](int c, int& x, int& y) { return magicSphere.GetColorXY(c, x, y); };
     },
     [] { return bool(boardSeams.sphereGetColorXY); }},
    {"board -> magic: token finder",
     [] { boardSeams.findBonus = [](int x, int y) { return bonusManagerAlt.FindBonus(x, y); }; },
     [] { return bool(boardSeams.findBonus); }},
    {"board -> magic: token trigger",
     [] { boardSeams.clearBonus = [](int x, int y) { bonusManagerAlt.Clear(x, y); }; },
     [] { return bool(boardSeams.clearBonus); }},
    {"board -> magic: token dealer",
     [] { boardSeams.addBonus = [](int kind) { bonusManagerAlt.AddBonus(kind); }; },
     [] { return bool(boardSeams.addBonus); }},
    {"board -> magic: token activity test",
     [] { boardSeams.bonusActive = [] { return bonusManagerAlt.BonusActive(); }; },
     [] { return bool(boardSeams.bonusActive); }},
    {"board -> magic: score caption",
     [] {
         boardSeams.addCaption = [](int m, int s, int c, int x, int y) {
             bonusManagerAlt.AddCaption(m, s, c, x, y);
         };
     },
     [] { return bool(boardSeams.addCaption); }},
    // The level asks the sphere.
    {"level -> magic: sphere loader",
     [] { levelSeams.sphereLoad = [](const std::shared_ptr<TTSCFile>& doc) { magicSphere.Load(doc); }; },
     [] { return bool(levelSeams.sphereLoad); }},
    {"level -> magic: sphere goal test",
     [] { levelSeams.sphereIsFull = [] { return magicSphere.IsFull(); }; },
     [] { return bool(levelSeams.sphereIsFull); }},
    // The ring of spells posts to the popups.
    {"magic -> overlays: popup event",
     [] { ringSeams.popupAddEvent = [](const std::string& name) { popupManager.AddEvent(name); }; },
     [] { return bool(ringSeams.popupAddEvent); }},
    // The endless and time-attack games stop the title's music.
    {"modes -> frontend: title music stop",
     [] { modesSeams.stopTitleMusic = [] { titleScreen.stopMusic(); }; },
     [] { return bool(modesSeams.stopTitleMusic); }},
};

} // namespace

const std::vector<TGameHook>& GameHooks() {
    return HOOKS;
}

void InstallGameHooks() {
    for (const TGameHook& hook : HOOKS)
        hook.fill();
}

} // namespace vsm
