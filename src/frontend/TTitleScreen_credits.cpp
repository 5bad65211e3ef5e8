// TTitleScreen: the credits — fade in, ten typed pages of five seconds, fade back to the menu.
#include "frontend/TTitleScreen.h"

#include "frontend/FrontendFrame.h"
#include "frontend/TCreditsPage.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "services/TDeltaTime.h"
#include "services/TMouse.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vsm {
namespace {

struct CreditsEntry {
    const char* title;
    std::vector<std::string> names;
};

// The page font has only lower-case letters and digits: anything else shows as a blank.
const std::array<CreditsEntry, 10> CREDITS = {{
    {"created by", {"vessamoor team"}},
    {"team leader", {"vessamoor team"}},
    {"programing", {"vessamoor team"}},
    {"graphics", {"vessamoor team"}},
    {"music", {"vessamoor team"}},
    {"design", {"vessamoor team"}},
    {"level design", {"vessamoor team"}},
    {"director of production", {"vessamoor team"}},
    {"story", {"vessamoor team"}},
    {"special thanks to", {"our families", "our friends", "and beta testers"}},
}};

// A page is shown whole, then fades, then stays hidden until the next one comes.
constexpr int64_t PAGE_SHOWN_MS = 4000;
constexpr int64_t PAGE_FADE_MS = 500;
constexpr int64_t PAGE_MS = 5000;

std::vector<std::unique_ptr<TCreditsPage>> BuildPages() {
    std::vector<std::unique_ptr<TCreditsPage>> pages;
    for (const CreditsEntry& entry : CREDITS) {
        auto page = std::make_unique<TCreditsPage>();
        page->AddTitle(entry.title);
        for (const std::string& name : entry.names)
            page->AddField(name);
        page->Prepare();
        pages.push_back(std::move(page));
    }
    return pages;
}

} // namespace

int TTitleScreen::showCredits() {
    delta = 1.0;
    std::vector<std::unique_ptr<TCreditsPage>> pages = BuildPages();

    alphaOne = 0.0f;
    while (alphaOne < 1.0f) {
        FrontDrawState();
        mouse.fetchState(0);
        alphaOne += 0.02f;
        SetAlpha(1.0f - alphaOne);
        DrawImage(title, 0, 0);
        SetAlpha(alphaOne);
        DrawImage(credits, 0, 0);
        FrontFrameTail();
        if (AppTerminate()) quit = 1;
        UpdateTitleMusic();
    }

    size_t page = 0;
    int64_t pageClock = MilliSecs64();
    while (quit == 0 && action == 0) {
        mouse.fetchState(0);
        Cls();
        FrontDrawState();
        SetAlpha(1.0f);
        DrawImage(credits, 0, 0);
        const int64_t t = MilliSecs64() - pageClock;
        if (t <= PAGE_SHOWN_MS)
            pages[page]->Update(1.0f);
        else if (t <= PAGE_SHOWN_MS + PAGE_FADE_MS)
            pages[page]->Update(1.0f -
                                static_cast<float>(t - PAGE_SHOWN_MS) / static_cast<float>(PAGE_FADE_MS));
        FrontFrameTail();
        ReadViewerExit();
        if (MilliSecs64() - pageClock > PAGE_MS) {
            ++page;
            if (page >= pages.size()) {
                // A close request of this frame stays the exit.
                if (action == 0) action = 1;
                page = pages.size() - 1;
            }
            pageClock = MilliSecs64();
        }
        UpdateTitleMusic();
    }
    FadeBackToTitle([this](float pageAlpha) {
        SetAlpha(pageAlpha);
        DrawImage(credits, 0, 0);
    });
    return 0;
}

} // namespace vsm
