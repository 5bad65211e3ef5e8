// TLoading: the splash-picture sequence that ends the loading screen.
#include "data/BBArchive.h"
#include "data/TTSCFile.h"
#include "platform/EndFrame.h"
#include "platform/System.h"
#include "services/Paths.h"
#include "services/TDeltaTime.h"
#include "shell/ShellScreens.h"
#include "shell/TLoading.h"
#include "shell/TPortalScreen.h"

#include <vector>

namespace vsm {

namespace {

// The pictures listed by the document's top-level groups, in document order.
std::vector<PortalScreenPtr> ReadPortalScreens() {
    const TTSCFilePtr doc = CreateTSCFile();
    LoadTSCFileBB(doc, bDir + "data/settings_lp.bca", "portalScreens.tsc");
    std::vector<PortalScreenPtr> screens;
    for (const TTSCGroupPtr& group : GetTSCGroupList(doc, "")) {
        const std::string& path = group->Name;
        const std::string image = GetTSCStringKey(doc, path, "Image", 0);
        const int x = static_cast<int>(GetTSCNumberKey(doc, path, "X", 0));
        const int y = static_cast<int>(GetTSCNumberKey(doc, path, "Y", 0));
        const int fullscreen = static_cast<int>(GetTSCNumberKey(doc, path, "Fullscreen", 0));
        screens.push_back(TPortalScreen::Create(image, x, y, fullscreen));
    }
    return screens;
}

} // namespace

int TLoading::PortalScreens() {
    std::vector<PortalScreenPtr> screens = ReadPortalScreens();
    if (screens.empty()) {
        doMagic(3500);
        return 0;
    }
    if (screens.front()->fullscreen != 0) {
        // A full-screen first picture replaces the end effect: the loading screen holds for half
        // a second and fades out whole.
        delta = 1.0;
        shellScreens.titlePlayMusic();
        const int64_t start = MilliSecs64();
        for (;;) {
            if (MilliSecs64() - start > 500) {
                alpha -= 0.05f;
                logoAlpha -= 0.05f;
                ballAlpha -= 0.05f;
            }
            if (alpha < 0) break;
            Draw();
            EndFrame(PollOrder::BeforeFlip);
        }
    } else {
        doMagic(5000);
        for (;;) {
            logoAlpha -= 0.05f;
            if (logoAlpha < 0) break;
            Draw();
            EndFrame(PollOrder::BeforeFlip);
        }
    }
    for (const PortalScreenPtr& screen : screens) {
        const int64_t start = MilliSecs64();
        for (;;) {
            Cls();
            if (screen->fullscreen == 0) {
                SetAlpha(1);
                DrawImage(img, 0, 0);
            }
            screen->Draw();
            if (MilliSecs64() - start > 2000) screen->fade = -1;
            if (screen->active == 0) break;
            EndFrame(PollOrder::BeforeFlip);
        }
    }
    return 0;
}

} // namespace vsm
