// CampaignSave: the options document and the campaign in progress, saved together.
#include "modes/CampaignSave.h"

#include "profiles/OptionsDocument.h"
#include "profiles/SaveNotice.h"
#include "profiles/SavedBoard.h"
#include "profiles/SavedCampaign.h"
#include "profiles/TProfileManager.h"
#include "puzzle/PuzzleSave.h"
#include "services/GameFlags.h"

namespace vsm {

int saveOptions() {
    const bool optionsFailed = SaveOptionsOnly() != 0;
    bool progressFailed = false;
    if (saveToProfile != 0) {
        // Every part waits for the one write of the profile document at the end.
        saveBoard(QUEST_SLOT, 0);
        SaveLastBlock(QUEST_SLOT, 0);
        SavePuzzles(0);
        SaveProfile(0);
        SaveSpells(QUEST_SLOT, 0);
        SaveLevelStats(0);
        SaveMagicSphere(0);
        progressFailed = profile.SaveProfile() != 0;
    }
    return TellIfNotSaved(progressFailed, optionsFailed);
}

} // namespace vsm
