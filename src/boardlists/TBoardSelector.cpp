// TBoardSelector: building the board lists, stepping the selection and the preview's fade.
#include "boardlists/TBoardSelector.h"

#include "board/TBoardManager.h"
#include "data/BBArchive.h"
#include "data/DataFolders.h"
#include "data/TTSCFile.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "services/Paths.h"
#include "services/TextHelpers.h"

namespace vsm {

TBoardSelector boardSelector;

namespace {

constexpr float kFadeStep = 0.1f;

// Tries the selected entry as an archive entry, as its "lp-" alias, then as a file on disk.
bool FindBoardDocument(const std::string& name, const TTSCFilePtr& doc) {
    const std::string archive = bDir + "data/davar_levels_lp.bca";
    const std::string alias = ReplaceAll(name, "level_", "lp-");
    if (LoadTSCFileBB(doc, archive, name) == 1) return true;
    if (LoadTSCFileBB(doc, archive, alias) == 1) return true;
    const std::string path = FileType(name) == FILETYPE_NONE ? alias : name;
    if (FileType(path) == FILETYPE_NONE) return false;
    try {
        // A folder or an unreadable file raises like a faulty one: all count as not found.
        LoadTSCFile(doc, path);
        return true;
    } catch (const TSCError&) {
        return false;
    }
}

} // namespace

int TBoardSelector::LoadList(int newMode) {
    levels.clear();
    mode = newMode;
    if (newMode == BOARDS_QUEST) {
        // The player's quest levels come from the profile store once it is linked.
    } else {
        TTSCFilePtr doc = CreateTSCFile();
        LoadTSCFileBB(doc, bDir + "data/settings_lp.bca",
                      newMode == BOARDS_TIMED ? "timedLevels.tsc" : "endlessLevels.tsc");
        for (const TTSCGroupPtr& group : GetTSCGroupList(doc, ""))
            levels.push_back(GetTSCStringKey(doc, group->Name, "FileName", 0));

        // Everything the player put there is offered, folders and hidden files alike.
        const std::string folder = myDocsFolder + "/custom-levels";
        for (const DirEntry& entry : ListDir(folder))
            levels.push_back(folder + "/" + entry.name);
    }
    selectedLevel = 0;
    return 0;
}

int TBoardSelector::AddLevel(const std::string& /*name*/) {
    // Recorded in the profile store once it is linked.
    return 0;
}

int TBoardSelector::LoadMiniBoard() {
    if (levels.empty()) return 0;
    TTSCFilePtr doc = CreateTSCFile();
    if (!FindBoardDocument(SelectedLevelName(), doc)) return 0;
    try {
        board.loadBoard(*doc);
        board.loadDavar(*doc);
        board.loadFrame(*doc);
        board.buildFrame();
        board.createSmallBoardImage();
        resetParams();
        board.offsetX = PREVIEW_CENTRE_X - board.GetMiddleX();
        board.offsetY = PREVIEW_CENTRE_Y - board.GetMiddleY();
    } catch (const TSCError&) {
        // A board that cannot be set up keeps what was done; the preview shows what there is.
    }
    return 0;
}

int TBoardSelector::resetParams() {
    board.tileSize = 13;
    board.scale = 0.40625f;
    board.alpha = 1.0f;
    alpha = 0.0f;
    return 0;
}

int TBoardSelector::DrawMiniBoard() {
    SetColor(255, 255, 255);
    board.alpha = alpha;
    board.DrawSmall();
    if (change == 1) {
        alpha -= kFadeStep;
        if (alpha < 0) {
            change = 0;
            LoadMiniBoard();
            alpha = 0.0f;
        }
    } else if (alpha < 1.0f) {
        alpha += kFadeStep;
    }
    return 0;
}

void TBoardSelector::Step(int step, size_t minimum) {
    if (levels.size() < minimum) return;
    const int count = static_cast<int>(levels.size());
    selectedLevel += step;
    if (selectedLevel > count - 1) selectedLevel -= count;
    if (selectedLevel < 0) selectedLevel += count;
    change = 1;
}

int TBoardSelector::nextLevel() {
    Step(1, 1);
    return 0;
}

int TBoardSelector::PrevLevel() {
    Step(-1, 1);
    return 0;
}

int TBoardSelector::NextLevel5() {
    Step(5, 6);
    return 0;
}

int TBoardSelector::PrevLevel5() {
    Step(-5, 6);
    return 0;
}

std::string TBoardSelector::SelectedLevelName() {
    if (levels.empty() || selectedLevel < 0 || selectedLevel >= static_cast<int>(levels.size())) return "";
    return levels[selectedLevel];
}

void ResetBoardSelector() {
    boardSelector = TBoardSelector();
}

} // namespace vsm
