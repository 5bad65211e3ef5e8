// TBoardSelector: building the board lists, stepping the selection and the preview's fade.
#include "boardlists/TBoardSelector.h"

#include "board/TBoardManager.h"
#include "data/BBArchive.h"
#include "data/DataFolders.h"
#include "data/TTSCFile.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "profiles/SaveNotice.h"
#include "profiles/TProfileManager.h"
#include "services/Paths.h"
#include "services/TextHelpers.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <system_error>

namespace vsm {

TBoardSelector boardSelector;

namespace {

constexpr float kFadeStep = 0.1f;

// Level files on disk are the player's own and untrusted: a level document is a few kilobytes,
// so anything past this is refused unread.
constexpr int64_t kMaxLevelFileBytes = 1024 * 1024;

const char* const kRevealedLevels = "revealedLevels";

// True for a regular file (a link is followed); folders, devices, pipes and sockets are not level
// files, and reading a pipe could block the menu for good.
bool IsRegularFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(std::filesystem::path(path), ec) && !ec;
}

// Reads a level file from disk into doc: a regular file of at most kMaxLevelFileBytes that parses
// as a document.
bool LoadLevelFile(const std::string& path, const TTSCFilePtr& doc) {
    std::optional<std::vector<uint8_t>> bytes = LoadFileBytes(path, kMaxLevelFileBytes);
    if (!bytes) return false;
    try {
        StreamPtr text = CreateMemoryStream(std::move(*bytes));
        LoadTSCFile(doc, *text);
        return true;
    } catch (const TSCError&) {
        return false;
    }
}

// Tries the selected entry as an archive entry, as its "lp-" alias, then as a file on disk.
bool FindBoardDocument(const std::string& name, const TTSCFilePtr& doc) {
    const std::string archive = bDir + "data/davar_levels_lp.bca";
    const std::string alias = ReplaceAll(name, "level_", "lp-");
    if (LoadTSCFileBB(doc, archive, name) == 1) return true;
    if (LoadTSCFileBB(doc, archive, alias) == 1) return true;
    const std::string path = FileType(name) == FILETYPE_NONE ? alias : name;
    if (FileType(path) == FILETYPE_NONE) return false;
    return LoadLevelFile(path, doc);
}

bool HasPlayableCell(const TBoardManager& b) {
    for (int x = 0; x < BOARD_CELLS; ++x)
        for (int y = 0; y < BOARD_CELLS; ++y)
            if (b.grid[x][y] != 0) return true;
    return false;
}

// Puts the preview built on scratch onto the play board: its cells, runes, frame and picture
// with what the board reset gave them. The board's art and sounds stay the play board's own.
void CommitPreview(TBoardManager& from, TBoardManager& to) {
    std::copy(&from.grid[0][0], &from.grid[0][0] + BOARD_CELLS * BOARD_CELLS, &to.grid[0][0]);
    std::copy(&from.davarLayer[0][0], &from.davarLayer[0][0] + BOARD_CELLS * BOARD_CELLS,
              &to.davarLayer[0][0]);
    std::copy(&from.colorLayer[0][0], &from.colorLayer[0][0] + BOARD_CELLS * BOARD_CELLS,
              &to.colorLayer[0][0]);
    std::copy(&from.highlightLayer[0][0], &from.highlightLayer[0][0] + BOARD_CELLS * BOARD_CELLS,
              &to.highlightLayer[0][0]);
    std::copy(&from.timerLayer[0][0], &from.timerLayer[0][0] + BOARD_CELLS * BOARD_CELLS,
              &to.timerLayer[0][0]);
    std::copy(&from.petrifyTable[0][0], &from.petrifyTable[0][0] + BOARD_CELLS * BOARD_CELLS,
              &to.petrifyTable[0][0]);
    to.Frame = std::move(from.Frame);
    to.img = from.img;
    to.shadow = from.shadow;
    to.pix = from.pix;
    to.pixName = from.pixName;
    to.tileSize = from.tileSize;
    to.scale = from.scale;
    to.alpha = from.alpha;
    to.wjazd = from.wjazd;
    to.typWjazdu = from.typWjazdu;
    to.petrifyActive = from.petrifyActive;
    to.petrifyTimer = from.petrifyTimer;
    to.petrifyPausedFor = from.petrifyPausedFor;
    to.minx = from.minx;
    to.maxx = from.maxx;
    to.miny = from.miny;
    to.maxy = from.maxy;
    to.width = from.width;
    to.height = from.height;
}

} // namespace

int TBoardSelector::LoadList(int newMode) {
    levels.clear();
    mode = newMode;
    if (newMode == BOARDS_QUEST) {
        // Without a selected player there are no quest levels to offer.
        if (auto revealed = profile.GetList(kRevealedLevels)) levels = std::move(*revealed);
    } else {
        TTSCFilePtr doc = CreateTSCFile();
        LoadTSCFileBB(doc, bDir + "data/settings_lp.bca",
                      newMode == BOARDS_TIMED ? "timedLevels.tsc" : "endlessLevels.tsc");
        for (const TTSCGroupPtr& group : GetTSCGroupList(doc, ""))
            levels.push_back(GetTSCStringKey(doc, group->Name, "FileName", 0));

        // Only files can be levels: folders, devices and pipes the player left there are not
        // offered. Hidden files are.
        const std::string folder = myDocsFolder + "/custom-levels";
        for (const DirEntry& entry : ListDir(folder)) {
            const std::string path = folder + "/" + entry.name;
            if (IsRegularFile(path)) levels.push_back(path);
        }
    }
    selectedLevel = 0;
    return 0;
}

int TBoardSelector::AddLevel(const std::string& name) {
    auto revealed = profile.GetList(kRevealedLevels);
    if (!revealed) return 0;
    if (std::find(revealed->begin(), revealed->end(), name) != revealed->end()) return 0;
    revealed->push_back(name);
    TellIfNotSaved(profile.SetList(kRevealedLevels, *revealed, 1) != 0, false);
    return 1;
}

int TBoardSelector::LoadMiniBoard() {
    if (levels.empty()) return 0;
    TTSCFilePtr doc = CreateTSCFile();
    if (!FindBoardDocument(SelectedLevelName(), doc)) return 0;
    // Built aside and put on the play board only when whole: a board that cannot be set up, or
    // has no cell to show, leaves the previous preview as it was.
    auto scratch = std::make_unique<TBoardManager>();
    scratch->_s1 = board._s1;
    try {
        scratch->loadBoard(*doc);
        scratch->loadDavar(*doc);
        scratch->loadFrame(*doc);
        scratch->buildFrame();
        if (!HasPlayableCell(*scratch)) return 0;
        scratch->createSmallBoardImage();
    } catch (const TSCError&) {
        return 0;
    }
    CommitPreview(*scratch, board);
    resetParams();
    board.offsetX = PREVIEW_CENTRE_X - board.GetMiddleX();
    board.offsetY = PREVIEW_CENTRE_Y - board.GetMiddleY();
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
