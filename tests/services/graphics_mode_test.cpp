// Display mode selection: full screen, window, and the fallbacks when either fails.
#include "ServicesFixture.h"

namespace vsm::test {
namespace {

using GraphicsModeTest = ServicesTest;

TEST_F(GraphicsModeTest, FullScreenDepthIsTheFirstOf32_24_16_8ListedAtExactlyThatSize) {
    struct Case {
        const char* name;
        std::vector<GraphicsMode> modes;
        int depth;
    };
    const Case cases[] = {
        {"32 and 16", {{800, 600, 16, 60}, {800, 600, 32, 60}}, 32},
        {"only 16", {{640, 480, 32, 60}, {800, 600, 16, 60}, {1024, 768, 32, 60}}, 16},
        {"32 at 75 Hz only", {{800, 600, 32, 75}}, 32},
        {"24 and 8", {{800, 600, 8, 60}, {800, 600, 24, 60}}, 24},
        {"other sizes", {{800, 601, 32, 60}, {801, 600, 32, 60}}, 0},
        {"odd depth", {{800, 600, 15, 60}}, 0},
        {"none", {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FullScreenDepth(c.modes, 800, 600), c.depth);
    }
}

TEST_F(GraphicsModeTest, StartUpOpensTheModeTheOptionsAskFor) {
    struct Case {
        int screenMode;
        bool fullScreenWorks;
        bool expectFullScreen;
        int screenModeAfter;
    };
    const Case cases[] = {
        {1, true, true, 1},   // full screen
        {1, false, false, 2}, // full screen fails: a window, remembered as 2
        {0, true, false, 0},  // a window directly
        {2, true, false, 2},  // a window directly, the fallback remembered
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screenMode);
        hl = &UseHeadlessBackend();
        gfxDriverSet = 0;
        hl->fullScreenWorks = c.fullScreenWorks;
        options.screenMode = c.screenMode;
        SetGraphicsMode(options.screenMode, 800, 600, 32);
        EXPECT_EQ(gfxDriverSet, 1);
        EXPECT_TRUE(GraphicsOpen());
        EXPECT_EQ(GraphicsFullScreen() != 0, c.expectFullScreen);
        EXPECT_EQ(options.screenMode, c.screenModeAfter);
        EXPECT_TRUE(hl->notifications.empty());
    }
}

TEST_F(GraphicsModeTest, SwitchingLaterBetweenFullScreenAndWindow) {
    SetGraphicsMode(0, 800, 600, 32);
    ASSERT_FALSE(GraphicsFullScreen());

    options.screenMode = 1; // the options window's full-screen button
    SetGraphicsMode(1, 800, 600, 32);
    EXPECT_TRUE(GraphicsFullScreen());
    EXPECT_EQ(options.screenMode, 1);

    switchToWindowed(); // the in-game menu
    EXPECT_TRUE(GraphicsOpen());
    EXPECT_FALSE(GraphicsFullScreen());
    EXPECT_EQ(options.screenMode, 0);

    for (int mode : {0, 2}) {
        options.screenMode = mode;
        switchToWindowed(); // nothing to do
        EXPECT_EQ(options.screenMode, mode);
        EXPECT_TRUE(GraphicsOpen());
    }
}

TEST_F(GraphicsModeTest, AFailedLaterSwitchToFullScreenKeepsAWindowAndSaysSo) {
    SetGraphicsMode(0, 800, 600, 32);
    hl->fullScreenWorks = false;
    options.screenMode = 1;
    SetGraphicsMode(1, 800, 600, 32);
    EXPECT_TRUE(GraphicsOpen());
    EXPECT_FALSE(GraphicsFullScreen());
    EXPECT_EQ(options.screenMode, 2);
    EXPECT_TRUE(hl->notifications.empty());
}

TEST_F(GraphicsModeTest, AWindowThatCannotOpenNotifiesAndEndsTheProgram) {
    for (bool atStartUp : {true, false}) {
        SCOPED_TRACE(atStartUp);
        hl = &UseHeadlessBackend();
        gfxDriverSet = atStartUp ? 0 : 1;
        hl->fullScreenWorks = false;
        hl->windowWorks = false;
        EXPECT_THROW(SetGraphicsMode(1, 800, 600, 32), ProgramEnd);
        ASSERT_EQ(hl->notifications.size(), 1u);
        EXPECT_FALSE(hl->notifications[0].empty());
    }
}

TEST_F(GraphicsModeTest, FindGfxModeNeedsADriverWhenAskedToSetOne) {
    EXPECT_EQ(FindGfxMode(2, 0, 800, 600, 1), 0);
    EXPECT_FALSE(GraphicsOpen());
    EXPECT_EQ(FindGfxMode(2, OPENGL_2D_DRIVER, 800, 600, 1), 1);
    EXPECT_TRUE(GraphicsOpen());
    // No listed full-screen mode of that size: nothing opens and the window stays.
    EXPECT_EQ(FindGfxMode(1, 0, 123, 45, 0), 0);
    EXPECT_TRUE(GraphicsOpen());
    EXPECT_FALSE(GraphicsFullScreen());
}

} // namespace
} // namespace vsm::test
