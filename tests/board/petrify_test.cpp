// Petrification of the oldest runes with the virtual clock and pauses, and the stone fragments.
#include "board/BoardFixture.h"

#include "board/TStoneEntity.h"

namespace vsm::test {

class PetrifyTest : public BoardFixture {
  protected:
    void SetUp() override {
        BoardFixture::SetUp();
        AddRune("1", 1, 0, "21");
        AddRune("2", 2, 0, "22");
        AddRune("21", 1, 1, "31", "1"); // a stone petrifies further into 31
        AddRune("22", 2, 1, "", "2");
        AddRune("31", 1, 1, "", "21");
        AddRune("13", 3, 0, "23");
        AddRune("23", 3, 1, "", "13");
        AddRune("5", 5, 0, "");   // names no stone
        AddRune("6", 6, 0, "77"); // names a stone the catalogue lacks
        FullEmptyBoard();
        board.petrifyMaxTime = 15000;
        board.petrifyTimer = 0;
        board.petrifyActive = 0;
    }
    // Runs the petrification step at clock time t.
    void At(int64_t t, int paused = 0) {
        control->SetClock(t);
        board._checkForPetrify(paused);
    }
    int Marked() const {
        int n = 0;
        for (auto& column : board.petrifyTable)
            for (int cell : column)
                n += cell != 0;
        return n;
    }
};

TEST_F(PetrifyTest, SelectsOnlyAfterThePeriodHasPassedStrictly) {
    Put(0, 0, 1, 100);
    At(15000);
    EXPECT_EQ(board.petrifyActive, 0);
    EXPECT_EQ(Plays("stonemode.ogg"), 0);
    At(15001);
    EXPECT_EQ(board.petrifyActive, 1);
    EXPECT_EQ(board.petrifyTimer, 15001);
    EXPECT_EQ(Plays("stonemode.ogg"), 1);
}

TEST_F(PetrifyTest, OldestPieceTurnsToStoneAfterOneSecondWithoutSound) {
    Put(0, 0, 1, 100); // the older piece, two cells
    Put(1, 0, 2, 100);
    Put(2, 0, 1, 100);
    Put(5, 5, 1, 200);          // a newer piece
    board.davarLayer[2][0] = 0; // cleared before the selection
    board.colorLayer[2][0] = 0;
    At(15001);
    EXPECT_EQ(Marked(), 2);
    EXPECT_EQ(board.petrifyTable[0][0], 1);
    EXPECT_EQ(board.petrifyTable[1][0], 1);
    EXPECT_EQ(board.petrifyTable[5][5], 0);

    control->ClearSoundLog();
    At(16000);
    EXPECT_EQ(board.petrifyActive, 1);
    EXPECT_NEAR(board.petrifyAlpha, 0.999f, 1e-6);
    EXPECT_EQ(board.davarLayer[0][0], 1);
    At(16001);
    EXPECT_EQ(board.petrifyActive, 0);
    EXPECT_EQ(board.davarLayer[0][0], 21);
    EXPECT_EQ(board.colorLayer[0][0], 1);
    EXPECT_EQ(board.davarLayer[1][0], 22);
    EXPECT_EQ(board.colorLayer[1][0], 2);
    EXPECT_EQ(board.timerLayer[0][0], 100) << "the stone keeps the rune's placement time";
    EXPECT_EQ(board.davarLayer[5][5], 1);
    EXPECT_EQ(Plays("stonemode.ogg"), 0);
}

TEST_F(PetrifyTest, OldestPieceIsFoundPastThe31BitClock) {
    constexpr int64_t wrap = int64_t{1} << 31;
    Put(0, 0, 1, wrap - 100);
    Put(5, 5, 1, wrap + 100); // placed after the clock passed 2^31
    board.petrifyTimer = wrap - 20000;
    At(wrap + 200);
    EXPECT_EQ(board.petrifyTable[0][0], 1);
    EXPECT_EQ(board.petrifyTable[5][5], 0);
    At(wrap + 1200);
    EXPECT_EQ(board.davarLayer[0][0], 21);
}

TEST_F(PetrifyTest, TokensRuneThirteenAndRunesWithoutAStoneAreNeverMarked) {
    struct Case {
        const char* name;
        int id;
        bool token;
    };
    const Case cases[] = {
        {"bonus token", 1, true},
        {"rune 13", 13, false},
        {"no stone named", 5, false},
        {"unknown stone", 6, false},
        {"rune missing from catalogue", 88, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FullEmptyBoard();
        log.tokens.clear();
        control->ClearSoundLog();
        board.petrifyTimer = 0;
        Put(3, 3, c.id, 10);
        if (c.token) log.tokens[{3, 3}] = 2;
        Put(8, 8, 2, 500); // newer, but the only candidate
        At(15001);
        EXPECT_EQ(board.petrifyTable[3][3], 0);
        EXPECT_EQ(board.petrifyTable[8][8], 1);
        At(16001);
        EXPECT_EQ(board.davarLayer[3][3], c.id);
        EXPECT_EQ(board.davarLayer[8][8], 22);

        // With only such runes left the period restarts in silence.
        FullEmptyBoard();
        control->ClearSoundLog();
        board.petrifyTimer = 0;
        Put(3, 3, c.id, 10);
        At(15001);
        EXPECT_EQ(board.petrifyActive, 0);
        EXPECT_EQ(board.petrifyTimer, 15001);
        EXPECT_EQ(Plays("stonemode.ogg"), 0);
    }
}

TEST_F(PetrifyTest, StoneKeepsItsAgeAndIsChosenFirst) {
    Put(4, 4, 21, 50);
    Put(6, 6, 1, 100);
    At(15001);
    EXPECT_EQ(board.petrifyTable[4][4], 1);
    EXPECT_EQ(board.petrifyTable[6][6], 0);
    At(16001);
    EXPECT_EQ(board.davarLayer[4][4], 31);
}

TEST_F(PetrifyTest, MarksBelongToCellsDuringTheFade) {
    Put(0, 0, 1, 100);
    Put(1, 0, 1, 100);
    At(15001);
    // (0, 0) is cleared during the fade; a new rune lands on (1, 0) after another clear.
    board.davarLayer[0][0] = 0;
    board.colorLayer[0][0] = 0;
    Put(1, 0, 2, 15500);
    At(16001);
    EXPECT_EQ(board.davarLayer[0][0], 0);
    EXPECT_EQ(board.davarLayer[1][0], 22);
}

TEST_F(PetrifyTest, PauseHoldsSelectionButFinishesARunningFade) {
    Put(0, 0, 1, 100);
    At(20000, 1);
    EXPECT_EQ(board.petrifyActive, 0) << "no selection while paused";
    At(20001);
    EXPECT_EQ(board.petrifyActive, 1);
    At(21001, 1);
    EXPECT_EQ(board.davarLayer[0][0], 21) << "the fade ends inside the pause";
}

TEST_F(PetrifyTest, PausedTimeCountsTowardNothing) {
    Put(0, 0, 1, 100);
    Put(1, 1, 2, 200);
    At(15001); // first selection
    At(16001);
    // The in-game menu opens 10 s after the selection and closes 60 s later; a popup shown from
    // it notes nothing new.
    control->SetClock(25001);
    board.PausePetrify();
    control->SetClock(40000);
    board.PausePetrify();
    control->SetClock(85001);
    board.ResumePetrify();
    board.ResumePetrify(); // a second close changes nothing
    At(90001);
    EXPECT_EQ(board.petrifyActive, 0);
    At(90002);
    EXPECT_EQ(board.petrifyActive, 1);
    EXPECT_EQ(board.petrifyTable[0][0], 1) << "the new stone is still the oldest";
}

TEST_F(PetrifyTest, PeriodOfZeroOrLessTurnsPetrificationOff) {
    for (int period : {0, -5}) {
        SCOPED_TRACE("period " + std::to_string(period));
        board.petrifyMaxTime = period;
        board.petrifyTimer = 0;
        Put(0, 0, 1, 0);
        for (int t = 1; t < 5000; t += 250)
            At(t);
        EXPECT_EQ(board.petrifyActive, 0);
        EXPECT_EQ(Marked(), 0);
        EXPECT_EQ(board.davarLayer[0][0], 1);
        EXPECT_EQ(Plays("stonemode.ogg"), 0);
    }
}

TEST_F(PetrifyTest, ShortPeriodWaitsForTheRunningFade) {
    board.petrifyMaxTime = 300;
    Put(0, 0, 1, 0);
    Put(1, 1, 2, 100);
    for (int t = 301; t <= 1301; t += 100)
        At(t);
    EXPECT_EQ(Plays("stonemode.ogg"), 1) << "the fade is not restarted every period";
    EXPECT_EQ(board.davarLayer[0][0], 21);
    EXPECT_EQ(board.davarLayer[1][1], 2);
    At(1700);
    EXPECT_EQ(Plays("stonemode.ogg"), 2) << "the next selection follows once the fade is over";
}

TEST(StoneFragmentTest, BurstLaysTwelveFragmentsAlongTheCellRim) {
    UseHeadlessBackend();
    ResetBoardGlobals();
    board.offsetX = 240;
    board.offsetY = 60;
    board.tileSize = 32;
    ImagePtr image = CreateImage(10, 10);
    Depetrify(0, 0, image);
    ASSERT_EQ(stonesList.size(), 12u);
    std::vector<StoneEntityPtr> f(stonesList.begin(), stonesList.end());
    const struct {
        int index;
        float x, y, h, v;
    } expected[] = {{0, 245, 65, -0.04f, -0.04f},
                    {3, 256, 65, 0.04f, -0.08f},
                    {11, 256, 87, 0.02f, 0.0f},
                    {4, 245, 75, -0.06f, -0.02f}};
    for (const auto& e : expected) {
        SCOPED_TRACE("fragment " + std::to_string(e.index + 1));
        EXPECT_FLOAT_EQ(f[e.index]->x0, e.x);
        EXPECT_FLOAT_EQ(f[e.index]->y0, e.y);
        EXPECT_NEAR(f[e.index]->hSpeed, e.h, 0.01f);
        EXPECT_NEAR(f[e.index]->vSpeed, e.v, 0.005f);
        EXPECT_GE(f[e.index]->lifeTime, 500);
        EXPECT_LE(f[e.index]->lifeTime, 2000);
    }
    ResetBoardGlobals();
}

TEST(StoneFragmentTest, FragmentIsOpaqueForHalfItsLifeThenFades) {
    HeadlessBackendControl& control = UseHeadlessBackend();
    ResetBoardGlobals();
    control.SetClock(1000);
    TStoneEntity::Create(100, 100, 0, 0, CreateImage(4, 4));
    stonesList.front()->lifeTime = 1000;
    const struct {
        int age;
        float alpha;
        size_t left;
    } steps[] = {{500, 1.0f, 1}, {750, 0.5f, 1}, {1000, 0.0f, 1}, {1001, 0.0f, 0}};
    for (const auto& s : steps) {
        SCOPED_TRACE("age " + std::to_string(s.age));
        control.ClearDrawLog();
        control.SetClock(1000 + s.age);
        TStoneEntity::UpdateAll();
        if (s.left > 0) {
            ASSERT_FALSE(control.DrawLog().empty());
            EXPECT_NEAR(control.DrawLog().front().state.alpha, s.alpha, 1e-5);
        }
        EXPECT_EQ(stonesList.size(), s.left);
        EXPECT_FLOAT_EQ(CurrentDrawState().alpha, 1.0f);
        EXPECT_FLOAT_EQ(CurrentDrawState().rotation, 0.0f);
    }
}

} // namespace vsm::test
