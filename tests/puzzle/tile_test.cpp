// The puzzle tile: its flight curve, landing, hit test, clicks and lock.
#include "PuzzleFixture.h"

#include "platform/Input.h"
#include "puzzle/TPuzzleButton.h"
#include "services/TMouse.h"

namespace vsm::test {

namespace {

// A 4 x 3 grid of 100 x 50 tiles with cell 0 at (10, 20).
PuzzleButtonPtr MakeTile(int id) {
    ImagePtr strip = CreateImage(100, 50, 12);
    return CreatePuzzleButton(strip, id, 10, 20, 0, 0, id, 4, 3);
}

} // namespace

using PuzzleTile = PuzzleFixture;

TEST_F(PuzzleTile, StartsHomeOnItsCell) {
    auto t = MakeTile(6);
    EXPECT_EQ(t->currentNumber, 6);
    EXPECT_EQ(t->targetNumber, 6);
    EXPECT_EQ(t->x, 2);
    EXPECT_EQ(t->y, 1);
    EXPECT_FLOAT_EQ(t->dim->x, 210);
    EXPECT_FLOAT_EQ(t->dim->y, 70);
    EXPECT_EQ(t->IsInPlace(), 1);
    EXPECT_EQ(t->IsFlying(), 0);
}

TEST_F(PuzzleTile, PrepareBendsTheCurveByWhereTheTargetLies) {
    struct Case {
        int from, to, direction;
        float bx, by, cx, cy;
    };
    // From cell 5 (110, 70): cell 11 (310, 120) differs in both; cell 7 (310, 70) same row;
    // cell 9 (110, 120) same column.
    const Case cases[] = {
        {5, 11, 1, 260, 70, 460, 120},  {5, 11, -1, -40, 70, 160, 120}, {5, 7, 1, 110, 30, 310, 30},
        {5, 7, -1, 110, 110, 310, 110}, {5, 9, 1, 70, 70, 70, 120},     {5, 9, -1, 150, 70, 150, 120},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.to) + " dir " + std::to_string(c.direction));
        auto t = MakeTile(c.from);
        t->marked = 1;
        t->targetNumber = c.to;
        t->Prepare(c.direction);
        EXPECT_EQ(t->marked, 0);
        EXPECT_FLOAT_EQ(t->ax, 110);
        EXPECT_FLOAT_EQ(t->ay, 70);
        EXPECT_FLOAT_EQ(t->bx, c.bx);
        EXPECT_FLOAT_EQ(t->by, c.by);
        EXPECT_FLOAT_EQ(t->cx, c.cx);
        EXPECT_FLOAT_EQ(t->cy, c.cy);
        // The flight lasts exactly 25 steps and ends on the target cell.
        for (int step = 1; step < 25; ++step) {
            t->Move();
            ASSERT_EQ(t->currentNumber, c.from);
        }
        t->Move();
        EXPECT_EQ(t->currentNumber, c.to);
        EXPECT_EQ(t->IsFlying(), 0);
        EXPECT_FLOAT_EQ(t->dim->x, 10 + 100.0f * static_cast<float>(c.to % 4));
        EXPECT_FLOAT_EQ(t->dim->y, 20 + 50.0f * static_cast<float>(c.to / 4));
    }
}

TEST_F(PuzzleTile, PrepareOnItsOwnPlaceKeepsTheOldCurve) {
    auto t = MakeTile(5);
    t->ax = t->bx = t->cx = t->dx = 7;
    t->steps = 9;
    t->counter = 0.5f;
    t->Prepare(1);
    EXPECT_FLOAT_EQ(t->bx, 7);
    EXPECT_FLOAT_EQ(t->cx, 7);
    EXPECT_EQ(t->steps, 0);
    EXPECT_FLOAT_EQ(t->counter, 0);
}

TEST_F(PuzzleTile, ClicksToggleTheMarkInsideTheRectangleOnly) {
    auto t = MakeTile(0);
    PutOnCell(*t, 5); // (110, 70) to (210, 120)
    struct Case {
        int x, y;
        int marked;
    };
    // Edges are outside: a pointer on the shared edge of two tiles is over neither.
    const Case cases[] = {{150, 90, 1}, {110, 90, 0},  {210, 90, 0},
                          {150, 70, 0}, {150, 120, 0}, {111, 71, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        t->marked = 0;
        FrameInput in;
        ClickAt(in, c.x, c.y);
        control->SetScript({in});
        mouse.fetchState(0);
        // The tile whose home is cell 0 returns 0 even for a click; the click still shows.
        EXPECT_EQ(t->State(), 0);
        EXPECT_EQ(t->marked, c.marked);
        EXPECT_EQ(t->clickedNow, c.marked);
    }
    FrameInput again;
    ClickAt(again, 150, 90);
    t->marked = 1;
    control->SetScript({again});
    mouse.fetchState(0);
    t->State();
    EXPECT_EQ(t->marked, 0);
}

TEST_F(PuzzleTile, AClickReturnsTheIdAndAHomeTileLocks) {
    auto t = MakeTile(5);
    PutOnCell(*t, 6);
    FrameInput in;
    ClickAt(in, 250, 90);
    control->SetScript({in, FrameInput{}});
    mouse.fetchState(0);
    EXPECT_EQ(t->State(), 5);
    EXPECT_EQ(t->enable, 1);

    // Put home without a flight, it locks at its next State and then ignores clicks.
    PutOnCell(*t, 5);
    t->marked = 0;
    Flip();
    mouse.fetchState(0);
    EXPECT_EQ(t->State(), 0);
    EXPECT_EQ(t->enable, 0);
    FrameInput home;
    ClickAt(home, 150, 90);
    control->SetScript({home});
    mouse.fetchState(0);
    EXPECT_EQ(t->State(), 0);
    EXPECT_EQ(t->marked, 0);
}

TEST_F(PuzzleTile, ATilePutHomeLocksBeforeAWaitingClickCanMarkIt) {
    // A restore or a hint puts the tile home, and a click on it is already waiting.
    auto t = MakeTile(5);
    PutOnCell(*t, 6);
    PutOnCell(*t, 5);
    FrameInput in;
    ClickAt(in, 150, 90);
    control->SetScript({in});
    mouse.fetchState(0);
    EXPECT_EQ(t->State(), 0);
    EXPECT_EQ(t->clickedNow, 0);
    EXPECT_EQ(t->marked, 0);
    EXPECT_EQ(t->enable, 0);
}

} // namespace vsm::test
