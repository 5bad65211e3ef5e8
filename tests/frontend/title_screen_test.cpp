// Title screen: its pictures lent to the menu window, the title song's two states, Prepare, and
// the attract mode's timing on a quiet main menu.
#include "frontend/FrontendFixture.h"

#include "frontend/TTitleScreen.h"
#include "overlays/TOptionsWindow.h"
#include "platform/System.h"
#include "support/TestAssets.h"
#include "widgets/TContainer.h"

#include <string>
#include <vector>

namespace vsm::test {
namespace {

class TitleScreen : public FrontendFixture {};

TEST_F(TitleScreen, LoadingLendsTheThreeBackgroundsToTheMenuWindowAgainAndAgain) {
    ASSERT_NE(titleScreen.title, nullptr);
    ASSERT_NE(titleScreen.credits, nullptr);
    ASSERT_NE(titleScreen.hiscores, nullptr);
    const ImagePtr oldScroll = titleScreen.papirus;
    const int countAfterFirstLoad = data.Count();
    titleScreen.loadGfx();
    EXPECT_NE(titleScreen.papirus, oldScroll);
    EXPECT_EQ(optionsWindow.ramka2, titleScreen.ramka2);
    EXPECT_EQ(optionsWindow.papirus, titleScreen.papirus);
    EXPECT_EQ(optionsWindow.papirus2, titleScreen.papirus2);
    EXPECT_NE(optionsWindow.ramka2, nullptr);
    EXPECT_EQ(titleScreen.tytul, nullptr);
    // The profile screen draws the title picture behind its window.
    EXPECT_EQ(data.GetImage(DATA_TITLE_BACKGROUND), titleScreen.title);
    EXPECT_EQ(data.Count(), countAfterFirstLoad) << "a second load replaces what it lent";
}

TEST_F(TitleScreen, TheSongStartsOnceAndAgainFromItsBeginningAfterAStop) {
    titleScreen.playMusic();
    const auto stream = titleScreen.music;
    titleScreen.playMusic();
    EXPECT_EQ(titleScreen.music, stream) << "a playing song is not restarted";
    EXPECT_EQ(CountCues(*control, "glyndra-song.ogg"), 1);
    EXPECT_EQ(titleScreen.Playing, 1);

    titleScreen.stopMusic();
    titleScreen.stopMusic();
    EXPECT_EQ(titleScreen.music, nullptr);
    EXPECT_EQ(titleScreen.Playing, 0);
    titleScreen.playMusic();
    EXPECT_NE(titleScreen.music, nullptr);
    EXPECT_EQ(CountCues(*control, "glyndra-song.ogg"), 2);
}

TEST_F(TitleScreen, PrepareClearsOneVisitAndKeepsTheForcedHiscoresAndTheSong) {
    titleScreen.playMusic();
    titleScreen.alphaOne = 1.02f;
    titleScreen.quit = 1;
    titleScreen.action = 3;
    titleScreen.forceHiscores = 1;
    titleScreen.Prepare();
    EXPECT_EQ(titleScreen.alphaOne, 0.0f);
    EXPECT_EQ(titleScreen.quit, 0);
    EXPECT_EQ(titleScreen.action, 0);
    EXPECT_EQ(titleScreen.forceHiscores, 1);
    EXPECT_EQ(titleScreen.Playing, 1);
}

TEST_F(TitleScreen, AQuietMenuShowsCreditsThenHiscoresThenRestsOneTurn) {
    // What the screen shows in each frame: 'c' credits, 'h' hiscores, 'm' the menu.
    std::string shown;
    control->SetScript([&](int frame, FrameInput&) {
        if (frame > 0) {
            char what = 'm';
            for (const DrawCall& call : control->DrawLog()) {
                if (call.op != "image") continue;
                if (call.image == titleScreen.credits) what = 'c';
                if (call.image == titleScreen.hiscores) what = 'h';
            }
            shown += what;
        }
        control->ClearDrawLog();
        return frame < 7000;
    });
    titleScreen.Prepare();
    EXPECT_THROW(titleScreen.show(), ProgramEnd);

    const double frameMs = 1000.0 / 60.0;
    const size_t creditsStart = shown.find('c');
    const size_t creditsEnd = shown.find_first_not_of('c', creditsStart);
    const size_t hiscoresStart = shown.find('h', creditsEnd);
    const size_t hiscoresEnd = shown.find_first_not_of('h', hiscoresStart);
    const size_t againStart = shown.find('c', hiscoresEnd);
    ASSERT_NE(againStart, std::string::npos);
    // The menu loop starts after the title's fade-in; 5.5 s later the credits begin.
    EXPECT_NEAR((creditsStart - FADE_FRAMES) * frameMs, 5500, 3 * frameMs);
    EXPECT_NEAR((hiscoresStart - creditsEnd) * frameMs, 5500, 3 * frameMs);
    EXPECT_NEAR((againStart - hiscoresEnd) * frameMs, 11000, 4 * frameMs);
    EXPECT_EQ(shown.find('h', creditsStart), hiscoresStart) << "no hiscores inside the first credits";
}

TEST_F(TitleScreen, MovingThePointerHoldsTheAttractModeOff) {
    std::string shown;
    control->SetScript([&](int frame, FrameInput& in) {
        // The pointer moves once a second.
        if (frame % 60 == 0) in = At(100 + (frame / 60) % 2, 100);
        for (const DrawCall& call : control->DrawLog())
            if (call.op == "image" &&
                (call.image == titleScreen.credits || call.image == titleScreen.hiscores))
                shown += 'x';
        control->ClearDrawLog();
        return frame < 1200;
    });
    titleScreen.Prepare();
    EXPECT_THROW(titleScreen.show(), ProgramEnd);
    EXPECT_EQ(shown, "");
}

} // namespace
} // namespace vsm::test
