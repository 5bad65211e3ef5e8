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

} // namespace

int TellIfNotSaved(bool progressFailed, bool optionsFailed) {
    if (!progressFailed && !optionsFailed) return 0;
    const std::string dataFolder = myDocsFolder.empty() ? std::string() : myDocsFolder + "/data";
    std::string text;
    if (progressFailed) text = "Your progress could not be saved in the folder" + FolderLine(profile.path);
    if (optionsFailed) {
        text += progressFailed ? "\nand your options not in the folder"
                               : "Your options could not be saved in the folder";
        text += FolderLine(dataFolder);
    }
    text += ".\nWhat was saved before is kept. Check that the folder exists, has room and can be "
            "written to.";
    Notify(text);
    return -1;
}

} // namespace vsm
