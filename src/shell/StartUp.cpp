// StartUp: bringing the program up, step by step.
#include "shell/StartUp.h"

#include "data/BBArchive.h"
#include "data/DataFolders.h"
#include "platform/Audio.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/OptionsDocument.h"
#include "profiles/SavedCampaign.h"
#include "profiles/THiscores.h"
#include "profiles/TProfile.h"
#include "profiles/TProfileManager.h"
#include "services/GraphicsMode.h"
#include "services/OptionsSeam.h"
#include "services/Paths.h"
#include "services/TDeltaTime.h"
#include "services/TMouse.h"
#include "shell/AssembleGame.h"
#include "shell/SaveOnEnd.h"
#include "shell/TLoading.h"

#include <chrono>

namespace vsm {

const char* const GAME_TITLE = "Vessamoor";

void RemoveStaleTemporaryFiles() {
    if (myDocsFolder.empty()) return;
    for (const char* sub : {"/data", "/profiles"})
        RemoveStaleSaveTemps(myDocsFolder + sub);
    TProfile::RemoveStaleCreationTemps(myDocsFolder + "/profiles");
}

uint32_t WallClockSeed() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const uint64_t ms =
        static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    return static_cast<uint32_t>(ms ^ (ms >> 32)) ^ static_cast<uint32_t>(MilliSecs64());
}

void StartUp() {
    SeedRnd(WallClockSeed());
    AppTitle(GAME_TITLE);
    if (!SetAudioDriver("OpenAL")) SetAudioDriver("FreeAudio");
    // The managers, the resources folder, the piece templates and the effect lists.
    AssembleGame();

    if (CheckLPFiles(bDir) == 0) {
        Notify("Files corrupted");
        End();
    }
    GetDataFolders();
    RemoveStaleTemporaryFiles();
    profile = TProfileManager::Create(myDocsFolder + "/profiles", "dat");
    hiscore = THiscores::Create(myDocsFolder + "/data/hiscores.dat");
    OnEnd([] { saveOnEnd(); });
    profile.UpdateList();
    LoadOptions();

    SetGraphicsMode(options.screenMode, 800, 600, 32);
    PollSystem();
    HideMouse();
    loading.setup();
    loading.fadeInBg();
    loading.loadEverything();
    mouse.loadCursor(bDir + "gfx/gui/kursor.png", 14, 6);
    loading.PortalScreens();

    deltaTime = TDeltaTime::Create(60.0f);
    if (!profile.GetProfilesList().empty()) LoadProfile();
}

} // namespace vsm
