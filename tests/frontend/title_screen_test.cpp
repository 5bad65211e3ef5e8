// Title screen: its pictures lent to the menu window, the title song's two states, Prepare, and
// the attract mode's timing on a quiet main menu.
#include "frontend/FrontendFixture.h"

#include "frontend/TTitleScreen.h"
#include "overlays/TOptionsWindow.h"
#include "platform/Input.h"
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
    titleScreen.action = TITLE_NEW_CAMPAIGN;
    titleScreen.forceHiscores = 1;
    titleScreen.Prepare();
    EXPECT_EQ(titleScreen.alphaOne, 0.0f);
    EXPECT_EQ(titleScreen.quit, 0);
    EXPECT_EQ(titleScreen.action, TITLE_NOTHING);
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

TEST_F(TitleScreen, AMenuButtonPressedWhileTheMenuFadesBackFromAViewerIsActedOn) {
    // The attract mode's credits and hiscores, and the hiscores and credits opened from the
    // options: a click ends the viewer, and a press on a menu button during the fade back counts.
    const struct {
        const char* name;
        int attractStep; // viewer reached by waiting: 1 credits, 2 hiscores; 0 opened by a button
        int openWith;    // the options button that opens the viewer, when not waited for
        int press;       // the button pressed during the fade back
        int wantState;
        int wantViewers; // viewers shown in all
    } cases[] = {
        {"credits of the attract mode, then Quick play", 1, 0, BUTTON_QUICK_PLAY, MENU_QUICK_PLAY, 1},
        {"hiscores of the attract mode, then Options", 2, 0, BUTTON_OPTIONS, MENU_OPTIONS, 2},
        {"credits from the options, then Main menu", 0, BUTTON_CREDITS, BUTTON_OPTIONS_BACK, MENU_MAIN, 1},
        {"hiscores from the options, then Credits", 0, BUTTON_HISCORES, BUTTON_CREDITS, MENU_OPTIONS, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int step = 0, viewersSeen = 0, waitFrames = 0;
        bool inViewer = false;
        control->SetScript([&](int frame, FrameInput& in) {
            bool viewer = false;
            for (const DrawCall& call : control->DrawLog())
                if (call.op == "image" &&
                    (call.image == titleScreen.credits || call.image == titleScreen.hiscores))
                    viewer = true;
            control->ClearDrawLog();
            if (viewer && !inViewer) ++viewersSeen;
            inViewer = viewer;
            switch (step) {
            case 0: // the menu stands: open the options, or wait for the attract mode
                if (frame == FADE_FRAMES + 5 && c.openWith != 0) {
                    in = ClickOn(BUTTON_OPTIONS);
                    step = 1;
                } else if (frame == FADE_FRAMES + 5) {
                    step = 2;
                }
                break;
            case 1: // the options stand a few frames later
                if (++waitFrames == 4) {
                    in = ClickOn(c.openWith);
                    waitFrames = 0;
                    step = 3;
                }
                break;
            case 2:
                if (viewersSeen == c.attractStep && viewer) step = 3;
                break;
            case 3: // the viewer's pages or tables: a click ends them
                if (++waitFrames == FADE_FRAMES + 30) {
                    in = At(700, 60);
                    in.clicks = {1};
                    waitFrames = 0;
                    step = 4;
                }
                break;
            case 4: // the fade back: the menu button
                if (++waitFrames == 25) {
                    in = ClickOn(c.press);
                    waitFrames = 0;
                    step = 5;
                }
                break;
            case 5: // the fade back ends and the menu acts; Credits pressed there run once more
                ++waitFrames;
                if (c.press == BUTTON_CREDITS && waitFrames == FADE_FRAMES + 60) in = Key(KEY_SPACE);
                if (waitFrames > (c.press == BUTTON_CREDITS ? 3 * FADE_FRAMES + 40 : FADE_FRAMES + 10))
                    return false;
                break;
            }
            return frame < 20000;
        });
        titleScreen.Prepare();
        optionsWindow.SetState(MENU_MAIN, 0, MENU_WINDOW_X, MENU_WINDOW_Y);
        EXPECT_THROW(titleScreen.show(), ProgramEnd);
        EXPECT_EQ(step, 5) << "the script did not reach the fade back";
        EXPECT_EQ(optionsWindow.State, c.wantState);
        EXPECT_EQ(viewersSeen, c.wantViewers);
    }
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
