// The page loops: when the pages open, their fades and music, how they end, and what they leave.
#include "TutorialFixture.h"

#include "board/TBoardManager.h"
#include "level/TLevelManager.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/TProfileManager.h"
#include "services/TCometEmiter.h"
#include "services/TRingEmiter.h"
#include "services/TSongManager.h"
#include "services/TSpark.h"
#include "support/TestAssets.h"
#include "tutorial/TTutorial.h"

namespace vsm::test {

namespace {

using TutorialPagesTest = TutorialFixture;

// The black veil's alpha in each frame that drew one, in order.
std::vector<float> VeilAlphas(const std::vector<DrawCall>& rects) {
    std::vector<float> out;
    for (const DrawCall& r : rects) {
        EXPECT_EQ(r.x, 0);
        EXPECT_EQ(r.w, 800);
        EXPECT_EQ(r.h, 600);
        EXPECT_EQ(r.state.r, 0);
        out.push_back(r.state.alpha);
    }
    return out;
}

} // namespace

TEST_F(TutorialPagesTest, MainPageStaysShutWhileTheOptionIsOff) {
    struct Case {
        const char* name;
        bool selected;
        bool keySet;
        int value;
    };
    const Case cases[] = {
        {"no player", false, false, 0}, {"key missing", true, false, 0}, {"option 0", true, true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UsePlayer(c.selected);
        if (c.keySet) profile.SetNumber("showTutorial", c.value, 0);
        board.tileSize = 32;
        control->ClearDrawLog();
        for (int flag : {0, 1})
            EXPECT_EQ(tutorial.show(flag), 0);
        EXPECT_EQ(control->Frame(), 0);
        EXPECT_TRUE(control->DrawLog().empty());
        EXPECT_TRUE(control->SoundLog().empty());
        EXPECT_EQ(tutorial.bg, nullptr);
        EXPECT_EQ(board.tileSize, 32);
    }
}

TEST_F(TutorialPagesTest, MainPageBetweenScreensFadesWithItsOwnMusicAndCleansUp) {
    board.tileSize = 32;
    TSpark::Create(nullptr, 10, 10, 1, 10000, 1, 1, 1, 1, 0);
    TCometEmiter::start(0, 0, 100, 100, 50, 50, 0.0001f, -1, 1, -1, 1, 1);
    TRingEmiter::Create(100, 100, 20, 1, 1, 1, 1, 1, 1);
    std::vector<int> tileSizes;
    Script([&](int frame, FrameInput& in) {
        if (frame > 0) tileSizes.push_back(board.tileSize); // frame 0 is set before the page opens
        if (frame == 20) in.keysHit.push_back(KEY_ESCAPE);
    });

    EXPECT_EQ(tutorial.show(0), 0);

    // 15 frames fading in, frames 15..19 of the page, 15 frames fading out.
    EXPECT_EQ(control->Frame(), 35);
    const std::vector<float> veil = VeilAlphas(Draws("rect"));
    ASSERT_EQ(veil.size(), 30u);
    EXPECT_FLOAT_EQ(veil[0], 1.0f);
    // The clock reads whole milliseconds: the last fade frame starts 233 ms into the fade.
    EXPECT_FLOAT_EQ(veil[14], 1.0f - 233.0f / 250);
    EXPECT_FLOAT_EQ(veil[15], 0.0f);
    EXPECT_FLOAT_EQ(veil[29], 233.0f / 250);
    EXPECT_EQ(tileSizes, std::vector<int>(35, 40));
    EXPECT_EQ(board.tileSize, 32);
    EXPECT_EQ(SoundOps("cue", "sfx/help2.ogg"), 1);
    EXPECT_EQ(SoundOps("stop", "sfx/help2.ogg"), 1);
    EXPECT_EQ(SoundOps("cue", "playgame-mouseover.ogg"), 0);
    // The page's effects and the ones it found are gone; its pictures too, but for the pieces.
    EXPECT_TRUE(SparkList.IsEmpty());
    EXPECT_TRUE(cometList.IsEmpty());
    EXPECT_TRUE(ringEmiterList.IsEmpty());
    EXPECT_EQ(tutorial.bg, nullptr);
    EXPECT_EQ(tutorial.Play, nullptr);
    EXPECT_EQ(tutorial.tmImage, nullptr);
    EXPECT_NE(tutorial.klocki[2], nullptr);
    EXPECT_NE(tutorial.rightEq[1], nullptr);
}

TEST_F(TutorialPagesTest, MainPageOverALevelKeepsTheLevelMusicAndEndsOnPlay) {
    ASSERT_TRUE(WriteSilentSound(resources + "sfx/level.ogg"));
    level.musicStream = playMusicStream("sfx/level.ogg", 1, 1.0f);
    control->ClearSoundLog();
    Script([](int frame, FrameInput& in) {
        if (frame == 3) ClickAt(in, 400, 580);
    });

    EXPECT_EQ(tutorial.show(1), 0);

    EXPECT_EQ(control->Frame(), 4);
    EXPECT_TRUE(Draws("rect").empty());
    EXPECT_EQ(SoundOps("cue", "playgame-mouseover.ogg"), 1);
    EXPECT_EQ(SoundOps("cue", "sfx/help2.ogg"), 0);
    EXPECT_EQ(SoundOps("stop", "sfx/level.ogg"), 0);
    // The highlight shows from the frame the pointer is over the button.
    EXPECT_EQ(DrawsAt(369, 570).size(), 1u);
}

TEST_F(TutorialPagesTest, OnlyAClickInsideThePlayBoxEndsThePage) {
    struct Case {
        int x, y;
        bool ends;
    };
    const Case cases[] = {{370, 571, true},  {433, 593, true},  {400, 580, true}, {369, 580, false},
                          {434, 580, false}, {400, 570, false}, {400, 594, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        control = &UseHeadlessBackend();
        control->ClearSoundLog();
        Script([&](int frame, FrameInput& in) {
            if (frame == 1) ClickAt(in, c.x, c.y);
            if (frame == 4) in.keysHit.push_back(KEY_ESCAPE);
        });
        EXPECT_EQ(tutorial.show(1), 0);
        EXPECT_EQ(control->Frame(), c.ends ? 2 : 4);
        EXPECT_EQ(SoundOps("cue", "playgame-mouseover.ogg"), c.ends ? 1 : 0);
    }
}

TEST_F(TutorialPagesTest, EnterAndFadeInClicksEndNothingWhileAnEarlyEscapeWaits) {
    // Enter over the button is no click.
    Script([](int frame, FrameInput& in) {
        in.mouseX = 400;
        in.mouseY = 580;
        if (frame == 1) in.keysHit.push_back(KEY_ENTER);
        if (frame == 4) in.keysHit.push_back(KEY_ESCAPE);
    });
    EXPECT_EQ(tutorial.show(1), 0);
    EXPECT_EQ(control->Frame(), 4);

    // A click in the fade-in is used up by the mouse refresh; an Escape there ends the page after
    // the first frame of the main loop.
    control = &UseHeadlessBackend();
    Script([](int frame, FrameInput& in) {
        if (frame == 3) ClickAt(in, 400, 580);
        if (frame == 5) in.keysHit.push_back(KEY_ESCAPE);
    });
    EXPECT_EQ(tutorial.show(0), 0);
    EXPECT_EQ(control->Frame(), 16 + 15);
}

TEST_F(TutorialPagesTest, CloseRequestOnTheMainPageIsReturnedAndPassedOn) {
    for (int flag : {0, 1}) {
        SCOPED_TRACE(flag);
        control = &UseHeadlessBackend();
        board.tileSize = 32;
        TSpark::Create(nullptr, 10, 10, 1, 10000, 1, 1, 1, 1, 0);
        Script([](int frame, FrameInput& in) {
            if (frame == 17) in.terminate = true;
        });
        control->ClearSoundLog();

        EXPECT_EQ(tutorial.show(flag), 1);

        // Over a level the page has no fades: it sees the request in frame 16.
        EXPECT_EQ(control->Frame(), flag == 0 ? 17 + 15 : 17);
        EXPECT_EQ(SoundOps("stop", "sfx/help2.ogg"), flag == 0 ? 1 : 0);
        EXPECT_EQ(board.tileSize, 32);
        // The caller finds the request still pending; nothing was cleaned up.
        EXPECT_EQ(AppTerminate(), 1);
        EXPECT_FALSE(SparkList.IsEmpty());
        EXPECT_NE(tutorial.bg, nullptr);
        TSpark::destroyAll();
    }
}

TEST_F(TutorialPagesTest, BossPageShowsWhateverTheOptionAndEndsSilently) {
    TutorialOption(0);
    TSpark::Create(nullptr, 10, 10, 1, 10000, 1, 1, 1, 1, 0);
    TCometEmiter::start(0, 0, 100, 100, 50, 50, 0.0001f, -1, 1, -1, 1, 1);
    TRingEmiter::Create(100, 100, 20, 1, 1, 1, 1, 1, 1);
    Script([](int frame, FrameInput& in) {
        if (frame == 20) ClickAt(in, 400, 580);
    });

    EXPECT_EQ(tutorial.show2(0), 0);

    EXPECT_EQ(control->Frame(), 21 + 15);
    EXPECT_EQ(Draws("rect").size(), 30u);
    EXPECT_EQ(SoundOps("cue", "playgame-mouseover.ogg"), 0);
    EXPECT_EQ(SoundOps("stop", "sfx/help2.ogg"), 1);
    EXPECT_TRUE(SparkList.IsEmpty());
    EXPECT_TRUE(cometList.IsEmpty());
    // The boss page leaves ring emitters alone and keeps its pictures.
    EXPECT_FALSE(ringEmiterList.IsEmpty());
    EXPECT_NE(tutorial.rune, nullptr);
    EXPECT_NE(tutorial.bg, nullptr);
}

TEST_F(TutorialPagesTest, CloseRequestOnTheBossPageEndsTheProgramAfterTheFade) {
    board.tileSize = 32;
    Script([](int frame, FrameInput& in) {
        if (frame == 18) in.terminate = true;
    });
    EXPECT_THROW(tutorial.show2(0), ProgramEnd);
    EXPECT_EQ(control->Frame(), 18 + 15);
    EXPECT_EQ(SoundOps("stop", "sfx/help2.ogg"), 1);
    EXPECT_EQ(board.tileSize, 32);
}

} // namespace vsm::test
