// The big help picture: what closes it, what it leaves pending, and its one load.
#include "TutorialFixture.h"

#include "platform/Input.h"
#include "services/TMouse.h"
#include "tutorial/BigHelp.h"

#include <filesystem>
#include <functional>

namespace vsm::test {

namespace {

using BigHelpTest = TutorialFixture;

} // namespace

TEST_F(BigHelpTest, TheOpeningClickStaysWithTheLevelAndOnlyALeftClickOrEscapeCloses) {
    struct Case {
        const char* name;
        std::function<void(FrameInput&)> input; // given at the start of frame 2
        int frames;                             // frames shown; an Escape at frame 5 ends 5
    };
    // A key is read by the end test of the frame before the one it starts; a click by the
    // frame's own mouse refresh.
    const Case cases[] = {
        {"left click", [](FrameInput& in) { in.clicks.push_back(1); }, 3},
        {"escape", [](FrameInput& in) { in.keysHit.push_back(KEY_ESCAPE); }, 2},
        {"right click", [](FrameInput& in) { in.clicks.push_back(2); }, 5},
        {"enter", [](FrameInput& in) { in.keysHit.push_back(KEY_ENTER); }, 5},
        {"space", [](FrameInput& in) { in.keysHit.push_back(KEY_SPACE); }, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        control = &UseHeadlessBackend();
        // The level's own refresh takes the click on the help button before the picture opens.
        Script([&](int frame, FrameInput& in) {
            if (frame == 0) ClickAt(in, 700, 20);
            if (frame == 2) c.input(in);
            if (frame == 5) in.keysHit.push_back(KEY_ESCAPE);
        });
        mouse.fetchState(0);
        ASSERT_EQ(mouse.leftPressed, 1);

        EXPECT_EQ(showBigHelp(), 0);

        EXPECT_EQ(control->Frame(), c.frames);
        const auto pictures = DrawsAt(0, 0);
        ASSERT_FALSE(pictures.empty());
        EXPECT_EQ(pictures[0].w, 22);
        EXPECT_EQ(Draws("cls").size(), pictures.size());
    }
}

TEST_F(BigHelpTest, CloseRequestClosesThePictureAndStaysPendingForTheLevel) {
    Script([](int frame, FrameInput& in) {
        if (frame == 3) in.terminate = true;
    });
    EXPECT_EQ(showBigHelp(), 0);
    EXPECT_EQ(control->Frame(), 3);
    EXPECT_EQ(AppTerminate(), 1);
}

TEST_F(BigHelpTest, PictureLoadsOnceAndAFailedLoadIsTriedAgain) {
    auto showOnce = [this] {
        control->ClearDrawLog();
        Script([](int frame, FrameInput& in) {
            if (frame == 1) in.keysHit.push_back(KEY_ESCAPE);
        });
        EXPECT_EQ(showBigHelp(), 0);
        return DrawsAt(0, 0).size();
    };
    const std::string path = resources + "gfx/info/help.jpg";
    std::filesystem::rename(path, path + ".away");
    EXPECT_EQ(showOnce(), 0u);
    EXPECT_EQ(helpImg, nullptr);

    std::filesystem::rename(path + ".away", path);
    EXPECT_EQ(showOnce(), 1u);
    const ImagePtr loaded = helpImg;
    ASSERT_NE(loaded, nullptr);
    // Once loaded the picture is kept: the file is not read again.
    std::filesystem::remove(path);
    EXPECT_EQ(showOnce(), 1u);
    EXPECT_EQ(helpImg, loaded);
}

} // namespace vsm::test
