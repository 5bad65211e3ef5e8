// GameFixture: the whole-game reset and the scratch game world of the level-playing tests.
#include "support/GameFixture.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "boardlists/TBoardSelector.h"
#include "data/DataFolders.h"
#include "level/LevelSeams.h"
#include "level/TLevelManager.h"
#include "level/TLevelSequencer.h"
#include "magic/CoreGame.h"
#include "modes/ModesSeams.h"
#include "overlays/OverlaysGlobals.h"
#include "platform/Files.h"
#include "overlays/TOptionsWindow.h"
#include "overlays/TPopupManager.h"
#include "profiles/ProfilesGlobals.h"
#include "profiles/THiscores.h"
#include "profiles/TProfileManager.h"
#include "services/GameFlags.h"
#include "services/GraphicsMode.h"
#include "services/OptionsSeam.h"
#include "services/Paths.h"
#include "services/TMouse.h"
#include "shell/AssembleGame.h"
#include "support/ButtonInput.h"
#include "support/TestAssets.h"
#include "support/TestSupport.h"
#include "tutorial/TTutorial.h"
#include "widgets/SharedAssets.h"
#include "widgets/TButton.h"
#include "widgets/TContainer.h"

#include <filesystem>

namespace vsm {

void ResetGameForTests() {
    // The game's own start-up assembly, then the settings the tests' expectations are written for.
    AssembleGame();
    options = TOptions();
}

} // namespace vsm

namespace vsm::test {

namespace {

// Templates the fixture's levels deal: a single rune and a pair.
const char* BLOCKS = R"(List{
	Quantity=2
	Block1{ id="p1" title="Single" description="1" width=1 height=1 pieces=1 piece1=0,0 }
	Block2{ id="p2" title="Pair" description="2" width=2 height=1 pieces=2 piece1=0,0 piece2=1,0 }
}
)";

} // namespace

void GameFixture::SetUp() {
    control = &UseHeadlessBackend();
    resources = ScratchResources("game");
    userFolder = ScratchDir("game-user");
    std::filesystem::create_directories(userFolder + "/profiles");
    std::filesystem::create_directories(userFolder + "/data");
    SettingsDocuments({});
    WriteArchive(resources + "data/popups_lp.bca", {});
    Levels({});

    ResetGameForTests();
    bDir = resources;
    myDocsFolder = userFolder;
    // Six runes without art, each its own colour class (id = colour).
    for (int id = 1; id <= 6; ++id) {
        auto rune = std::make_shared<TRune>();
        rune->id = std::to_string(id);
        rune->color = std::to_string(id);
        davar.List.push_back(rune);
    }
    blocks.loadBlocksDef();
    SetGraphicsMode(2, 800, 600, 32);
    LoadSharedAssets();
    optionsWindow.loadGfx();
    popupManager.Load();
    hiscore = THiscores::Create(userFolder + "/data/hiscores.dat");
    hiscore.scores.clear();
    UsePlayer(true);
    control->overrunFrames = 5;
    control->ClearDrawLog();
    control->ClearSoundLog();
}

void GameFixture::TearDown() {
    SetSaveInterruptHook(nullptr);
    ResetGameForTests();
}

void GameFixture::SettingsDocuments(const std::map<std::string, std::string>& extra) {
    std::map<std::string, std::string> documents = {{"portal.tsc", "Portal{ Name=\"vsm-test\" }"},
                                                    {"blocks.tsc", BLOCKS}};
    documents.insert(extra.begin(), extra.end());
    WriteArchive(resources + "data/settings_lp.bca", documents);
}

void GameFixture::Levels(const std::map<std::string, std::string>& documents) {
    WriteArchive(resources + "data/davar_levels_lp.bca", documents);
}

void GameFixture::UsePlayer(bool selected) {
    if (!selected) {
        std::filesystem::remove_all(userFolder + "/profiles");
        std::filesystem::create_directories(userFolder + "/profiles");
    }
    testing::internal::CaptureStdout();
    profile = TProfileManager::Create(userFolder + "/profiles", "dat");
    if (selected) profile.NewProfile("tester");
    testing::internal::GetCapturedStdout();
}

void GameFixture::SetUpQuestLevel(const std::string& name, int seqNo) {
    sequencer.seqNo = seqNo;
    board.clearBoard();
    level.Set(name);
    level.Load(0);
    level.loadGfx();
    popupManager.Prepare();
}

void GameFixture::Script(std::function<bool(int frame, FrameInput& in)> fn, int maxFrames) {
    control->SetScript([fn = std::move(fn), maxFrames](int frame, FrameInput& in) {
        if (frame >= maxFrames) return false;
        return fn(frame, in);
    });
}

std::pair<int, int> GameFixture::CellPoint(int x, int y) {
    return {board.offsetX + x * board.tileSize + board.tileSize / 2,
            board.offsetY + y * board.tileSize + board.tileSize / 2};
}

FrameInput GameFixture::ClickAt(int x, int y) {
    FrameInput in = PointerAt(x, y);
    in.clicks = {1};
    return in;
}

FrameInput GameFixture::ClickCell(int x, int y) {
    const auto [px, py] = CellPoint(x, y);
    return ClickAt(px, py);
}

bool GameFixture::ButtonShown(int id) {
    ButtonPtr button = data.GetButton(id);
    return button && button->dim;
}

FrameInput GameFixture::ClickButton(int id) {
    ButtonPtr button = data.GetButton(id);
    if (!button || !button->dim) return FrameInput();
    return ClickOnButton(button);
}

} // namespace vsm::test
