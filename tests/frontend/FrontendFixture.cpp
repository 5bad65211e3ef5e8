// FrontendFixture: fresh globals, scratch folders and a loaded front end for the front-end tests.
#include "frontend/FrontendFixture.h"

#include "board/TBoardManager.h"
#include "boardlists/TBoardSelector.h"
#include "data/DataFolders.h"
#include "frontend/FrontendGlobals.h"
#include "frontend/TGallery.h"
#include "frontend/TTitleScreen.h"
#include "level/TLevelManager.h"
#include "overlays/OverlaysGlobals.h"
#include "overlays/TOptionsWindow.h"
#include "platform/Input.h"
#include "profiles/ProfilesGlobals.h"
#include "profiles/THiscores.h"
#include "profiles/TProfileManager.h"
#include "services/GraphicsMode.h"
#include "services/OptionsSeam.h"
#include "services/Paths.h"
#include "magic/CoreGame.h"
#include "shell/AssembleGame.h"
#include "shell/GameHooks.h"
#include "services/TSpark.h"
#include "support/ButtonInput.h"
#include "support/TestAssets.h"
#include "support/TestSupport.h"
#include "widgets/SharedAssets.h"
#include "widgets/TButton.h"
#include "widgets/TContainer.h"
#include "widgets/TMenu.h"

#include <filesystem>
#include <fstream>

namespace vsm::test {

void FrontendFixture::SetUp() {
    control = &UseHeadlessBackend();
    resources = ScratchResources("frontend-res");
    userFolder = ScratchDir("frontend-user");
    std::filesystem::create_directories(userFolder + "/profiles");
    std::filesystem::create_directories(userFolder + "/data");
    WriteArchive(resources + "data/settings_lp.bca",
                 {{"portal.tsc", "Portal{\n\tName=\"vsm-test\"\n}\n"},
                  {"timedLevels.tsc", "T1{ FileName=\"timed_a.tsc\" }\nT2{ FileName=\"timed_b.tsc\" }\n"},
                  {"endlessLevels.tsc", "E1{ FileName=\"endless_a.tsc\" }\n"}});
    WriteArchive(resources + "data/davar_levels_lp.bca", {});
    WriteArchive(resources + "data/popups_lp.bca", {});

    // The game's own assembly, its hooks included, as start-up makes it.
    ResetGameGlobals();
    InstallGameHooks();
    // Steered: the fixture's own resources and user folder, and full volumes, as its sound checks expect.
    bDir = resources;
    savedDocs = myDocsFolder;
    myDocsFolder = userFolder;
    options = TOptions();
    SetGraphicsMode(2, 800, 600, 32);
    LoadSharedAssets();
    loadSparkImage(0, "gfx/gwiazdki/gradball.png");
    for (int i = 1; i <= 3; ++i)
        loadSparkImage(i, "gfx/gwiazdki/" + std::to_string(i) + ".png");
    optionsWindow.loadGfx();
    titleScreen.loadGfx();
    gallery.loadGfx();
    Player();
    hiscore = THiscores::Create(userFolder + "/data/hiscores.dat");
    control->ClearSoundLog();
    control->ClearDrawLog();
}

void FrontendFixture::TearDown() {
    ResetFrontendGlobals();
    ResetOverlaysGlobals();
    ResetProfilesGlobals();
    ResetBoardSelector();
    ResetCoreGame();
    options = TOptions();
    myDocsFolder = savedDocs;
}

void FrontendFixture::Player(const std::string& keys) {
    std::ofstream(userFolder + "/profiles/ada.dat", std::ios::binary)
        << "Profile{\n\tPortalName=\"vsm-test\"\n"
        << keys << "}\n";
    testing::internal::CaptureStdout();
    profile = TProfileManager::Create(userFolder + "/profiles", "dat");
    testing::internal::GetCapturedStdout();
}

FrameInput FrontendFixture::At(int x, int y) {
    return PointerAt(x, y);
}

FrameInput FrontendFixture::ClickOn(int id) {
    return ClickOnButton(data.GetButton(id));
}

FrameInput FrontendFixture::GalleryClick(int id) {
    FrameInput in = ClickOnButton(gallery.menu ? gallery.menu->GetItem(id) : nullptr);
    in.held[1] = true;
    return in;
}

FrameInput FrontendFixture::Key(int key) {
    FrameInput in;
    in.keysHit = {key};
    return in;
}

FrameInput FrontendFixture::Close() {
    FrameInput in;
    in.terminate = true;
    return in;
}

void FrontendFixture::Script(std::vector<FrameInput> frames, int quietAfter) {
    const int total = static_cast<int>(frames.size()) + quietAfter;
    control->SetScript([frames = std::move(frames), total](int frame, FrameInput& out) {
        if (frame < static_cast<int>(frames.size())) out = frames[frame];
        return frame < total;
    });
}

bool FrontendFixture::Drawn(const ImagePtr& image) const {
    for (const DrawCall& call : control->DrawLog())
        if (call.op == "image" && image && call.image == image) return true;
    return false;
}

} // namespace vsm::test
