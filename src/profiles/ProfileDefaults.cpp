// ProfileDefaults: a new player's profile with the default of every key, and the clearing of the
// selected profile for a new campaign.
#include "profiles/ProfileDefaults.h"

#include "level/TLevelManager.h"
#include "level/TLevelSequencer.h"
#include "profiles/TProfileManager.h"

#include <vector>

namespace vsm {

namespace {

// Keys set to 0, in the order a new profile receives them.
void Zero(std::initializer_list<const char*> keys) {
    for (const char* key : keys)
        profile.SetNumber(key, 0, 0);
}

void Empty(std::initializer_list<const char*> keys) {
    for (const char* key : keys)
        profile.SetList(key, {}, 0);
}

} // namespace

int CreateNewProfile(const std::string& name) {
    const std::string before = profile.selectedProfile ? profile.selectedProfile->name : std::string();
    const int made = profile.NewProfile(name);
    if (made != 1) return made;
    Empty({"davar1", "davar2", "davar3", "actualBlockSet", "actualBlockColor", "puzzles"});
    Zero({"puzzlesTime", "puzzlesClicks"});
    Empty({"revealedImages"});
    profile.SetString("revealedLevels", "level_01.tsc", 0);
    Zero({"prevBlock0", "prevBlock1", "prevBlock2"});
    profile.SetNumber("level", 1, 0);
    profile.SetNumber("difficulty", 2, 0);
    Zero({"pointsActual", "pointsTotal", "gameState", "endlessResume", "timeResume", "timeTime",
          "davarSpellsCounter", "endlessSpellsCounter", "timeSpellsCounter", "davarMultipler",
          "endlessMultipler", "timeMultipler", "davarMultiplerTime", "endlessMultiplerTime",
          "timeMultiplerTime", "seqHits", "rgTime", "recivedSpells"});
    profile.SetNumber("showTutorial", 1, 0);
    Zero({"levelRrecivedSpells", "levelDroppedSpells", "levelTime", "levelUsedBlocks"});
    for (int i = 0; i < 5; ++i) {
        profile.SetNumber("ballsFil" + std::to_string(i), 0, 0);
        profile.SetNumber("ballsLod" + std::to_string(i), 0, 0);
    }
    for (int i = 1; i <= 6; ++i)
        profile.SetNumber("RMGRecivedSpell" + std::to_string(i), 0, 0);
    if (profile.SaveProfile() == 0) return 1;
    // A profile without its defaults would start a broken campaign: take it away again.
    if (profile.DeleteProfile(name) == 1) {
        if (!before.empty()) profile.SelectProfile(before);
        // A rescan that lists nothing keeps its selection: with no player before this one, that
        // is the profile just taken away, which must not be saved into or played.
        if (profile.selectedProfile && profile.selectedProfile->name == name)
            profile.selectedProfile = nullptr;
    }
    return PROFILE_NOT_WRITTEN;
}

int ClearProfile(int full) {
    if (!profile.selectedProfile) return 0;
    Empty({"davar1", "davar2", "davar3", "actualBlockSet", "actualBlockColor", "puzzles"});
    Zero({"prevBlock0", "prevBlock1", "prevBlock2", "pointsActual", "pointsTotal"});
    if (full) {
        profile.SetNumber("level", sequencer.First, 0);
        profile.SetNumber("gameState", -3, 0);
        profile.SetNumber("difficulty", level.difficulty, 0);
    }
    // The rest of the campaign's saved level, under the keys its savers use, so that nothing of
    // the previous campaign is ever restored into the new one.
    Empty({"davarTimerLayer1", "davarTimerLayer2", "davarTimerLayer3", "davarActualBlockSet",
           "davarActualBlockColor", "davarBonuses"});
    Zero({"davarPrevBlock0", "davarPrevBlock1", "davarPrevBlock2", "puzzlesTime", "puzzlesClicks",
          "levelRrecivedSpells", "levelDroppedSpells", "levelUsedBlocks", "levelMatches", "levelCombos",
          "levelTime", "ballsFil0", "ballsFil1", "ballsFil2", "ballsFil3", "ballsFil4"});
    return profile.SaveProfile();
}

} // namespace vsm
