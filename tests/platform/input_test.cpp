// Polled input through the headless backend: hit counting, consumption, flushes, suspend, terminate.
#include "platform/Backend.h"
#include "platform/Headless.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

namespace vsm {
namespace {

FrameInput Keys(std::vector<int> hit, std::vector<int> held = {}) {
    FrameInput f;
    f.keysHit = std::move(hit);
    f.keysHeld = std::move(held);
    return f;
}

FrameInput Click(int button, int x = -1, int y = -1) {
    FrameInput f;
    f.clicks = {button};
    f.mouseX = x;
    f.mouseY = y;
    return f;
}

TEST(Input, HitsCountPressesAndTheQueryConsumesThem) {
    auto& hb = UseHeadlessBackend();
    hb.SetScript({Keys({KEY_ENTER, KEY_ENTER}), Keys({KEY_ENTER}), {}, {}});
    EXPECT_EQ(KeyHit(KEY_ENTER), 2);
    EXPECT_EQ(KeyHit(KEY_ENTER), 0);
    Flip();
    Flip();
    // Enter was hit once more in frame 1 and nobody asked during it: still pending in frame 2.
    EXPECT_EQ(KeyHit(KEY_ENTER), 1);
    EXPECT_EQ(KeyHit(KEY_ENTER), 0);
}

TEST(Input, UnqueriedKeysKeepTheirHitsWhileOthersAreRead) {
    auto& hb = UseHeadlessBackend();
    hb.SetScript({Keys({KEY_SPACE, KEY_ENTER}), Keys({KEY_SPACE}), Keys({KEY_ENTER}), {}});
    for (int frame = 0; frame < 3; frame++) {
        SCOPED_TRACE(frame);
        // A loop that only reads Space every frame, like the mouse state does.
        EXPECT_EQ(KeyHit(KEY_SPACE), frame < 2 ? 1 : 0);
        Flip();
    }
    EXPECT_EQ(KeyHit(KEY_ENTER), 2);
}

TEST(Input, MouseHitsAndHeldButtonsAndWheel) {
    auto& hb = UseHeadlessBackend();
    FrameInput drag;
    drag.held[1] = true;
    drag.mouseX = 300;
    drag.wheel = -2;
    FrameInput wheelOnly;
    wheelOnly.wheel = 5;
    hb.SetScript({Click(1, 100, 200), drag, wheelOnly});
    EXPECT_EQ(MouseX(), 100);
    EXPECT_EQ(MouseY(), 200);
    EXPECT_EQ(MouseDown(1), 0); // a click alone is not a held button
    Flip();
    EXPECT_EQ(MouseDown(1), 1);
    EXPECT_EQ(MouseX(), 300);
    EXPECT_EQ(MouseY(), 200); // -1 keeps the previous position
    EXPECT_EQ(MouseHit(1), 1);
    EXPECT_EQ(MouseHit(1), 0);
    EXPECT_EQ(MouseZ(), -2);
    Flip();
    EXPECT_EQ(MouseDown(1), 0); // held lasts only while the script holds it
    EXPECT_EQ(MouseZ(), 3);
    EXPECT_EQ(MouseHit(0), 0);
    EXPECT_EQ(MouseHit(9), 0);
}

TEST(Input, KeyDownFollowsTheHeldKeysOfEachFrame) {
    auto& hb = UseHeadlessBackend();
    hb.SetScript({Keys({}, {KEY_LCONTROL}), Keys({}, {}), {}});
    EXPECT_EQ(KeyDown(KEY_LCONTROL), 1);
    EXPECT_EQ(KeyDown(KEY_RCONTROL), 0);
    Flip();
    EXPECT_EQ(KeyDown(KEY_LCONTROL), 0);
    EXPECT_EQ(KeyDown(-1), 0);
    EXPECT_EQ(KeyHit(KEY_COUNT), 0);
}

TEST(Input, TypedCharactersQueueInOrder) {
    auto& hb = UseHeadlessBackend();
    FrameInput f;
    f.typed = "aé€";
    hb.SetScript({f, {}});
    EXPECT_EQ(GetChar(), 'a');
    EXPECT_EQ(GetChar(), 0xE9);
    EXPECT_EQ(GetChar(), 0x20AC);
    EXPECT_EQ(GetChar(), 0);
}

TEST(Input, BackspaceEnterAndEscapeTypeTheirControlCharacters) {
    auto& hb = UseHeadlessBackend();
    FrameInput f = Keys({KEY_BACKSPACE, KEY_A, KEY_ENTER, KEY_ESCAPE}, {});
    f.typed = "a";
    hb.SetScript({f, {}});
    EXPECT_EQ(GetChar(), 'a');
    EXPECT_EQ(GetChar(), 8);
    EXPECT_EQ(GetChar(), 13);
    EXPECT_EQ(GetChar(), 27);
    EXPECT_EQ(GetChar(), 0);         // a letter key types nothing by itself
    EXPECT_EQ(KeyHit(KEY_ENTER), 1); // and the keys still count as hits
}

TEST(Input, FlushesClearTheirOwnDevice) {
    auto& hb = UseHeadlessBackend();
    FrameInput f = Keys({KEY_A}, {KEY_A});
    f.clicks = {2};
    f.held[2] = true;
    f.typed = "x";
    hb.SetScript({f, f, {}});
    FlushKeys();
    EXPECT_EQ(KeyHit(KEY_A), 0);
    EXPECT_EQ(KeyDown(KEY_A), 0);
    EXPECT_EQ(GetChar(), 0);
    EXPECT_EQ(MouseHit(2), 1); // the mouse is not touched by FlushKeys
    Flip();
    FlushMouse();
    EXPECT_EQ(MouseHit(2), 0);
    EXPECT_EQ(MouseDown(2), 0);
    EXPECT_EQ(KeyHit(KEY_A), 1); // nor the keys by FlushMouse
}

TEST(Input, SuspendAndResumeClearEveryPendingCount) {
    auto& hb = UseHeadlessBackend();
    FrameInput suspend;
    suspend.suspend = 1;
    FrameInput resume;
    resume.suspend = 0;
    hb.SetScript({Keys({KEY_ESCAPE}), suspend, Keys({KEY_F1}), resume, {}});
    EXPECT_EQ(AppSuspended(), 0);
    Flip();
    EXPECT_EQ(AppSuspended(), 1);
    EXPECT_EQ(KeyHit(KEY_ESCAPE), 0); // dropped by the suspension
    Flip();
    Flip();
    EXPECT_EQ(AppSuspended(), 0);
    EXPECT_EQ(KeyHit(KEY_F1), 0); // dropped by the resumption
}

TEST(Input, TerminateIsReportedOnceAndAgainOnlyForANewRequest) {
    auto& hb = UseHeadlessBackend();
    FrameInput close;
    close.terminate = true;
    hb.SetScript({{}, close, {}, close, {}});
    EXPECT_EQ(AppTerminate(), 0);
    Flip();
    EXPECT_EQ(AppTerminate(), 1);
    EXPECT_EQ(AppTerminate(), 0);
    Flip();
    EXPECT_EQ(AppTerminate(), 0);
    Flip();
    EXPECT_EQ(AppTerminate(), 1);
}

TEST(Input, MoveMouseClampsToTheScreen) {
    UseHeadlessBackend();
    struct Case {
        int x, y, wantX, wantY;
    } cases[] = {{10, 20, 10, 20}, {-5, -1, 0, 0}, {800, 600, 799, 599}, {5000, 300, 799, 300}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        MoveMouse(c.x, c.y);
        EXPECT_EQ(MouseX(), c.wantX);
        EXPECT_EQ(MouseY(), c.wantY);
    }
}

} // namespace
} // namespace vsm
