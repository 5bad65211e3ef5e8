// OverlayFixture: fresh globals and loaded overlays over the built pictures and sounds.
#include "overlays/OverlayFixture.h"

#include "board/TBoardManager.h"
#include "data/ImageLoaders.h"
#include "level/TLevelManager.h"
#include "magic/CoreGame.h"
#include "overlays/OverlaysGlobals.h"
#include "overlays/TOptionsWindow.h"
#include "overlays/TPopupManager.h"
#include "shell/AssembleGame.h"
#include "shell/GameHooks.h"
#include "services/GraphicsMode.h"
#include "services/OptionsSeam.h"
#include "services/Paths.h"
#include "services/TMouse.h"
#include "support/ButtonInput.h"
#include "support/TestAssets.h"
#include "support/TestSupport.h"
#include "widgets/SharedAssets.h"
#include "widgets/TButton.h"
#include "widgets/TContainer.h"

namespace vsm::test {

void OverlayFixture::SetUp() {
    control = &UseHeadlessBackend();
    resources = ScratchResources("overlays");
    for (const char* archive : {"popups_lp.bca", "davar_levels_lp.bca", "settings_lp.bca"})
        WriteArchive(resources + "data/" + archive, {});

    // The game's own assembly, its hooks included, as start-up makes it.
    ResetGameGlobals();
    InstallGameHooks();
    // Steered: the fixture's own resources and full volumes, as its sound checks expect.
    bDir = resources;
    options = TOptions();

    SetGraphicsMode(2, 800, 600, 32);
    LoadSharedAssets();
    optionsWindow.loadGfx();
    popupManager.Load();
    // What the title screen lends the window when it loads.
    optionsWindow.ramka2 = LoadImage(LoadJPEG2000(bDir + "gfx/gui/pod-selector.jp2"));
    optionsWindow.papirus = LoadImage(bDir + "gfx/title/papi_maly.png", 0);
    optionsWindow.papirus2 = LoadImage(bDir + "gfx/title/papi_duzy.png", 0);
    control->ClearSoundLog();
    control->ClearDrawLog();
}

void OverlayFixture::TearDown() {
    ResetOverlaysGlobals();
    ResetCoreGame();
    options = TOptions();
}

void OverlayFixture::PopupDocument(const std::string& text) {
    WriteArchive(resources + "data/popups_lp.bca", {{"info.tsc", text}});
}

FrameInput OverlayFixture::At(int x, int y) {
    return PointerAt(x, y);
}

FrameInput OverlayFixture::ClickOn(int id) {
    return ClickOnButton(data.GetButton(id));
}

FrameInput OverlayFixture::HoldOn(int id) {
    FrameInput in = ClickOn(id);
    in.held[1] = true;
    return in;
}

void OverlayFixture::WindowFrame(const FrameInput& in) {
    Script({in});
    mouse.fetchState(0);
    optionsWindow.Update();
    optionsWindow.Draw();
    Flip(1);
}

void OverlayFixture::Script(std::vector<FrameInput> frames) {
    control->SetScript([frames = std::move(frames)](int frame, FrameInput& out) {
        if (frame < static_cast<int>(frames.size())) out = frames[frame];
        return true;
    });
}

int OverlayFixture::Draws(const ImagePtr& image) const {
    int n = 0;
    for (const DrawCall& call : control->DrawLog())
        if (call.op == "image" && image && call.image == image) ++n;
    return n;
}

std::pair<float, float> OverlayFixture::LastDrawAt(const ImagePtr& image) const {
    std::pair<float, float> at{-1, -1};
    for (const DrawCall& call : control->DrawLog())
        if (call.op == "image" && image && call.image == image) at = {call.x, call.y};
    return at;
}

int OverlayFixture::Plays(const std::string& name) const {
    return CountCues(*control, name);
}

} // namespace vsm::test
