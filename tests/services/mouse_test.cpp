// The mouse state: buttons, the keyboard aids, cell moves of the pointer and the cursor.
#include "ServicesFixture.h"
#include "services/MouseSeams.h"
#include "support/TestSupport.h"

namespace vsm::test {
namespace {

constexpr int KEY_W = 87, KEY_S = 83, KEY_D = 68, KEY_A_ = 65;

class MouseTest : public ServicesTest {
  protected:
    // The services sit below the board's grid hook: it starts unset here, and a test that sets
    // it leaves it unset for the next.
    void SetUp() override {
        ServicesTest::SetUp();
        mouseSeams = TMouseSeams();
    }
    void TearDown() override {
        mouseSeams = TMouseSeams();
        ServicesTest::TearDown();
    }
    // Makes the given input the current frame's.
    void Frame(FrameInput f) { hl->SetScript(std::vector<FrameInput>{std::move(f)}); }
    static FrameInput At(int x, int y) {
        FrameInput f;
        f.mouseX = x;
        f.mouseY = y;
        return f;
    }
};

TEST_F(MouseTest, ButtonsAndPointerAreReadOnceAFrame) {
    FrameInput f = At(123, 456);
    f.held[1] = true;
    f.clicks = {1, 2, 2};
    Frame(f);
    mouse.fetchState(0);
    EXPECT_EQ(mouse.x, 123);
    EXPECT_EQ(mouse.y, 456);
    EXPECT_EQ(mouse.leftHolded, 1);
    EXPECT_EQ(mouse.rightHolded, 0);
    EXPECT_EQ(mouse.leftPressed, 1);
    EXPECT_EQ(mouse.rightPressed, 2);
    // The presses were consumed; the next refresh sees none.
    mouse.fetchState(0);
    EXPECT_EQ(mouse.leftPressed, 0);
    EXPECT_EQ(mouse.rightPressed, 0);
    mouse.Clear();
    EXPECT_EQ(mouse.x, 0);
    EXPECT_EQ(mouse.y, 0);
    EXPECT_EQ(mouse.leftHolded, 1);
}

TEST_F(MouseTest, CellKeysMoveThePointerToTheNeighbouringGridLineWithinTheScreen) {
    // The board's resting grid: offset (240, 60), cells of 32.
    struct Case {
        int x, y;
        std::vector<int> keys;
        int nx, ny;
    };
    const Case cases[] = {
        {230, 100, {KEY_RIGHT}, 272, 100}, // -10 div 32 is 0: the second column's edge
        {250, 100, {KEY_UP}, 250, 60},     // top edge of the cell above
        {250, 100, {KEY_DOWN}, 250, 124},
        {300, 100, {KEY_LEFT}, 240, 100},
        {250, 100, {KEY_W}, 250, 60},
        {250, 100, {KEY_S}, 250, 124},
        {230, 100, {KEY_D}, 272, 100},
        {300, 100, {KEY_A_}, 240, 100},
        {250, 100, {KEY_UP, KEY_RIGHT}, 272, 60},    // both axes in one frame
        {790, 590, {KEY_RIGHT, KEY_DOWN}, 799, 599}, // kept on the screen
        {5, 5, {KEY_LEFT, KEY_UP}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y) + " key " + std::to_string(c.keys[0]));
        hl = &UseHeadlessBackend();
        FrameInput f = At(c.x, c.y);
        f.keysHit = c.keys;
        Frame(f);
        mouse.fetchState(0);
        EXPECT_EQ(mouse.x, c.nx);
        EXPECT_EQ(mouse.y, c.ny);
        // The system pointer went there too, so the next refresh reads it from there.
        EXPECT_EQ(MouseX(), c.nx);
        EXPECT_EQ(MouseY(), c.ny);
    }
}

TEST_F(MouseTest, TheSecondKeyOfAPairWaitsForTheNextFrame) {
    FrameInput f = At(250, 200);
    f.keysHit = {KEY_UP, KEY_W};
    Frame(f);
    mouse.fetchState(0);
    EXPECT_EQ(mouse.y, 156); // 60 + (140 div 32 - 1) x 32
    mouse.fetchState(0);
    EXPECT_EQ(mouse.y, 124);
    mouse.fetchState(0);
    EXPECT_EQ(mouse.y, 124);
}

TEST_F(MouseTest, TheBoardsOwnGridIsUsedAndAGridWithoutCellsMovesNothing) {
    TCellGrid grid{100, 100, 40};
    mouseSeams.cellGrid = [&grid] { return grid; };
    FrameInput f = At(150, 150);
    f.keysHit = {KEY_RIGHT};
    Frame(f);
    mouse.fetchState(0);
    EXPECT_EQ(mouse.x, 180);

    grid.tileSize = 0;
    f = At(150, 150);
    f.keysHit = {KEY_RIGHT, KEY_DOWN};
    Frame(f);
    mouse.fetchState(0);
    EXPECT_EQ(mouse.x, 150);
    EXPECT_EQ(mouse.y, 150);
}

TEST_F(MouseTest, SpaceStandsInForTheRightButtonForOneFrame) {
    FrameInput f = At(10, 10);
    f.held[1] = true;
    f.clicks = {1};
    f.keysHit = {KEY_SPACE};
    FrameInput next = At(10, 10);
    next.held[1] = true;
    hl->SetScript(std::vector<FrameInput>{f, next});
    mouse.fetchState(0);
    EXPECT_EQ(mouse.rightHolded, 1);
    EXPECT_EQ(mouse.leftHolded, 0);
    EXPECT_EQ(mouse.leftPressed, 0);
    EXPECT_EQ(mouse.rightPressed, 0);
    Flip(0);
    mouse.fetchState(0);
    EXPECT_EQ(mouse.rightHolded, 0);
    EXPECT_EQ(mouse.leftHolded, 1);
}

TEST_F(MouseTest, LeftModifierKeysTurnALeftClickIntoARightHold) {
    struct Case {
        int key;
        bool leftClick;
        bool rightClick;
        int rightHolded, leftPressed, rightPressed;
    };
    const Case cases[] = {
        {KEY_LCONTROL, false, false, 0, 0, 0}, // no left button: nothing changes
        {KEY_LCONTROL, true, false, 1, 0, 0},  {KEY_LSHIFT, true, false, 1, 0, 0},
        {KEY_LALT, true, true, 1, 0, 1},      // the right press stays as the button left it
        {KEY_RCONTROL, true, false, 0, 1, 0}, // right-hand keys are not looked at
        {KEY_RSHIFT, true, false, 0, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.key) + (c.leftClick ? " with left click" : ""));
        hl = &UseHeadlessBackend();
        FrameInput f = At(10, 10);
        f.keysHeld = {c.key};
        if (c.leftClick) f.clicks.push_back(1);
        if (c.rightClick) f.clicks.push_back(2);
        Frame(f);
        mouse.fetchState(0);
        EXPECT_EQ(mouse.rightHolded, c.rightHolded);
        EXPECT_EQ(mouse.leftPressed, c.leftPressed);
        EXPECT_EQ(mouse.rightPressed, c.rightPressed);
        EXPECT_EQ(mouse.leftHolded, 0);
    }
}

TEST_F(MouseTest, EnterIsALeftPressOnlyWhereTheScreenAsksForIt) {
    FrameInput f = At(10, 10);
    f.keysHit = {KEY_ENTER};
    Frame(f);
    mouse.fetchState(0);
    EXPECT_EQ(mouse.leftPressed, 0);
    // Not queried: the hit stays pending for whoever reads the key.
    mouse.fetchState(1);
    EXPECT_EQ(mouse.leftPressed, 1);
    EXPECT_EQ(KeyHit(KEY_ENTER), 0);

    Frame(f);
    mouse.fetchState(0);
    EXPECT_EQ(KeyHit(KEY_ENTER), 1);
}

TEST_F(MouseTest, TheCursorIsDrawnAtThePointerOnlyAtScaleOne) {
    const std::string file = ScratchDir("cursor") + "/kursor.png";
    ASSERT_TRUE(SavePixmapPNG(CreatePixmap(24, 24), file));
    mouse.loadCursor(file, 14, 6);
    ASSERT_NE(mouse.cursor, nullptr);
    EXPECT_EQ(mouse.cursor->handleX, 14);
    EXPECT_EQ(mouse.cursor->handleY, 6);

    mouse.x = 300;
    mouse.y = 200;
    SetRotation(45);
    SetColor(1, 2, 3);
    mouse.Draw(1.0f, 0.5f);
    EXPECT_TRUE(Draws().empty());
    EXPECT_EQ(GetRotation(), 45); // nothing changed either

    mouse.Draw(0.0f, 1.0f);
    auto draws = Draws();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].image, mouse.cursor);
    EXPECT_EQ(draws[0].x, 300);
    EXPECT_EQ(draws[0].y, 200);
    EXPECT_EQ(draws[0].state.blend, ALPHABLEND);
    EXPECT_EQ(draws[0].state.alpha, 0.0f);
    EXPECT_EQ(draws[0].state.rotation, 0);
    EXPECT_EQ(draws[0].state.r, 255);
    EXPECT_EQ(draws[0].state.b, 255);

    // A cursor that failed to load draws nothing.
    mouse.loadCursor(file + ".missing", 14, 6);
    EXPECT_EQ(mouse.cursor, nullptr);
    hl->ClearDrawLog();
    mouse.Draw(1.0f, 1.0f);
    EXPECT_TRUE(Draws().empty());
}

} // namespace
} // namespace vsm::test
