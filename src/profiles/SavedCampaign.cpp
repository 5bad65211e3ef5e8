// SavedCampaign: the campaign position and score, the bonus tokens, the level's statistics and
// clock, the sphere's mana and the boss runes still standing, copied into the selected profile
// and back.
#include "profiles/SavedCampaign.h"

#include "board/TBoardManager.h"
#include "data/NumberText.h"
#include "level/TBossManager.h"
#include "level/TLevelManager.h"
#include "level/TLevelSequencer.h"
#include "level/TPointsManager.h"
#include "level/TTimeManager.h"
#include "magic/TBunusManagerA.h"
#include "magic/TMagicSphere.h"
#include "platform/System.h"
#include "profiles/SavedEntries.h"
#include "profiles/TProfileManager.h"
#include "services/GameFlags.h"
#include "services/TSlidesManager.h"

#include <algorithm>
#include <exception>

namespace vsm {

namespace {

int Finish(int saveNow) {
    return saveNow ? profile.SaveProfile() : 0;
}

} // namespace

int SaveProfile(int saveNow) {
    if (!profile.selectedProfile) return 0;
    profile.SetNumber("level", sequencer.seqNo, 0);
    profile.SetNumber("pointsActual", points.actual, 0);
    profile.SetNumber("pointsTotal", points.total, 0);
    profile.SetNumber("gameState", gameState, 0);
    profile.SetNumber("difficulty", level.difficulty, 0);
    const int listed = profile.SetList("revealedImages", slides.revealedImages, 0);
    SaveBossRunes(QUEST_SLOT, 0);
    const int written = Finish(saveNow);
    return listed != 0 ? listed : written;
}

int LoadProfile() {
    if (!profile.selectedProfile) return 0;
    try {
        sequencer.Start(profile.GetNumber("level"));
        // A position past the campaign means it is over: one past the last level says so, as the
        // game itself leaves it after the last stage; a hand-edited number further out stops
        // there, so nothing downstream counts on from it.
        if (sequencer.First <= sequencer.Last && sequencer.seqNo > sequencer.Last + 1)
            sequencer.seqNo = sequencer.Last + 1;
        points.actual = profile.GetNumber("pointsActual");
        points.total = profile.GetNumber("pointsTotal");
        gameState = profile.GetNumber("gameState");
        level.difficulty = profile.GetNumber("difficulty");
        slides.revealedImages = *profile.GetList("revealedImages");
    } catch (const std::exception&) {
        Print("560");
    }
    return 0;
}

int SaveSpells(const std::string& slot, int saveNow) {
    if (!profile.selectedProfile) return 0;
    profile.SetList(slot + "Bonuses", bonusManagerAlt.SaveTokens(), 0);
    return Finish(saveNow);
}

int LoadSpells(const std::string& slot) {
    if (!profile.selectedProfile) return 0;
    bonusManagerAlt.LoadTokens(*profile.GetList(slot + "Bonuses"));
    return 0;
}

int SaveLevelStats(int saveNow) {
    if (!profile.selectedProfile) return 0;
    profile.SetNumber("levelRrecivedSpells", level.recivedSpells, 0);
    profile.SetNumber("levelDroppedSpells", level.droppedSpells, 0);
    profile.SetNumber("levelUsedBlocks", level.usedBlocks, 0);
    profile.SetNumber("levelMatches", level.matches, 0);
    profile.SetNumber("levelCombos", level.combos, 0);
    profile.SetNumber("levelTime", timeManager.SaveToProfile(), 0);
    return Finish(saveNow);
}

int LoadLevelStats() {
    if (!profile.selectedProfile) return 0;
    level.recivedSpells = profile.GetNumber("levelRrecivedSpells");
    level.droppedSpells = profile.GetNumber("levelDroppedSpells");
    level.usedBlocks = profile.GetNumber("levelUsedBlocks");
    level.matches = profile.GetNumber("levelMatches");
    level.combos = profile.GetNumber("levelCombos");
    timeManager.LoadFromProfile(profile.GetNumber("levelTime"));
    return 0;
}

int SaveMagicSphere(int saveNow) {
    if (!profile.selectedProfile) return 0;
    for (int i = 0; i < SPHERE_BALLS; ++i)
        profile.SetNumber("ballsFil" + std::to_string(i), NumberToInt(magicSphere.ballsFil[i]), 0);
    return Finish(saveNow);
}

int LoadMagicSphere() {
    if (!profile.selectedProfile) return 0;
    float fills[SPHERE_BALLS];
    for (int i = 0; i < SPHERE_BALLS; ++i)
        fills[i] = static_cast<float>(profile.GetNumber("ballsFil" + std::to_string(i)));
    magicSphere.RestoreFills(fills);
    return 0;
}

int SaveBossRunes(const std::string& slot, int saveNow) {
    if (!profile.selectedProfile) return 0;
    std::vector<std::string> standing;
    for (const auto& boss : bossManager.bossDavar)
        if (boss) standing.push_back(CellEntry(boss->x, boss->y, boss->id));
    profile.SetString(slot + "BossLevel", level.levelName, 0);
    profile.SetList(slot + "Bosses", standing, 0);
    return Finish(saveNow);
}

int RestoreBossRunes(const std::string& slot) {
    if (!profile.selectedProfile) return 0;
    const std::string saved = profile.GetString(slot + "BossLevel");
    if (saved.empty() || saved != level.levelName) return 0;
    const std::vector<SavedCell> cells = ReadCells(
        profile.GetList(slot + "Bosses").value_or(std::vector<std::string>()), BOARD_CELLS, slot + "Bosses");
    auto& list = bossManager.bossDavar;
    const size_t before = list.size();
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const std::shared_ptr<TBossRune>& boss) {
                                  return !boss ||
                                         std::none_of(cells.begin(), cells.end(), [&](const SavedCell& c) {
                                             return c.x == boss->x && c.y == boss->y;
                                         });
                              }),
               list.end());
    return static_cast<int>(before - list.size());
}

int ClearBossRunes(const std::string& slot) {
    if (!profile.selectedProfile) return 0;
    profile.SetString(slot + "BossLevel", "", 0);
    profile.SetList(slot + "Bosses", {}, 0);
    return 0;
}

} // namespace vsm
