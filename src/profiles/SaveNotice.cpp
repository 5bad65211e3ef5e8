// SaveNotice: the message shown when a save of the player's progress or options fails.
#include "profiles/SaveNotice.h"

#include "data/DataFolders.h"
#include "platform/System.h"
#include "profiles/TProfileManager.h"

#include <string>

namespace vsm {

namespace {

// A folder on a line of its own: a message box does not wrap its text.
std::string FolderLine(const std::string& folder) {
    return "\n" + (folder.empty() ? std::string("(no folder for saved games was found)") : folder);
}

const char* const KEPT =
    ".\nWhat was saved before is kept. Check that the folder exists, has room and can be "
    "written to.";

std::string DataFolder() {
    return myDocsFolder.empty() ? std::string() : myDocsFolder + "/data";
}

} // namespace

int TellIfNotSaved(bool progressFailed, bool optionsFailed) {
    if (!progressFailed && !optionsFailed) return 0;
    std::string text;
    if (progressFailed) text = "Your progress could not be saved in the folder" + FolderLine(profile.path);
    if (optionsFailed) {
        text += progressFailed ? "\nand your options not in the folder"
                               : "Your options could not be saved in the folder";
        text += FolderLine(DataFolder());
    }
    Notify(text + KEPT);
    return -1;
}

int TellIfHiscoresNotSaved(bool failed) {
    if (!failed) return 0;
    Notify("The hiscores could not be saved in the folder" + FolderLine(DataFolder()) + KEPT);
    return -1;
}

} // namespace vsm
