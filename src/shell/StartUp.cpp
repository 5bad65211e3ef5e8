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
const char* const USER_FOLDER_LOCK = ".lock";

namespace {

// Why a folder is missing, for the player: something of its name may stand in the way.
std::string CannotMake(const std::string& folder) {
    return "Vessamoor cannot make the folder " + folder +
           (FileType(folder) == FILETYPE_FILE ? " (a file of that name is in the way)" : "");
}

// Ends the program after a message box that says why; the player may have started the game from
// a menu and sees no terminal.
[[noreturn]] void EndWithMessage(const std::string& message) {
    Notify(message, true);
    throw ProgramEnd{1, message};
}

} // namespace

void TellUnmadeFolders() {
    if (myDocsFolder.empty())
        EndWithMessage("Vessamoor finds no home folder (HOME is not set) to keep its players' profiles in, "
                       "and cannot start.");
    for (const std::string& folder : {myDocsFolder, myDocsFolder + "/profiles"})
        if (FileType(folder) != FILETYPE_DIR)
            EndWithMessage(CannotMake(folder) +
                           ".\nIt keeps the players' profiles there and cannot start without it.");
    const std::string data = myDocsFolder + "/data";
    // Without it only the options and the hiscores are lost: the game can still be played.
    if (FileType(data) != FILETYPE_DIR)
        Notify(CannotMake(data) + ".\nThe options and the hiscores of this game will not be saved.", true);
}

void HoldUserFolder() {
    if (myDocsFolder.empty()) return;
    const std::string lockFile = myDocsFolder + "/" + USER_FOLDER_LOCK;
    switch (HoldFileLock(lockFile)) {
    case FileLock::Held:
        return;
    case FileLock::Taken:
        EndWithMessage(
            "Vessamoor is already running with the folder " + myDocsFolder +
            ".\nOnly one copy at a time can keep the players' progress there: close the other one first.");
    case FileLock::Unavailable:
        // Nothing can be written there anyway, or the file system has no locks: the saves meet
        // and report their own failures.
        Print("Cannot lock " + lockFile + "; a second copy of the game on this folder would not be noticed");
        return;
    }
}

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
    if (GetDataFolders() != 0) TellUnmadeFolders();
    // Before anything is read or tidied there: another copy may be saving into it.
    HoldUserFolder();
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
