// Tests of the effect emitters on the board: line, block, colour and scattered removals, the
// flight to the sphere and the heal, run frame by frame on the virtual clock.
#include "MagicFixture.h"

#include "board/TBlocksManager.h"
#include "magic/BonusActions.h"
#include "magic/TBunusManagerA.h"
#include "magic/THealEmiter.h"
#include "magic/TMagicSphere.h"
#include "magic/TRemoveBlockEmiter.h"
#include "magic/TRemoveColorEmiter.h"
#include "magic/TRemoveLineEmiter.h"
#include "magic/TToSphereEmiter.h"
#include "services/TDeltaTime.h"
#include "services/TSpark.h"
#include "services/TVolcanoEmiter.h"

namespace vsm::test {

namespace {

class Effects : public MagicFixture {
  protected:
    void SetUp() override {
        MagicFixture::SetUp();
        StandardRunes();
        magicSphere.LoadExt("1 2 3 4 0", "100 100 100 100 0");
    }
    template <class T> int Count() const {
        int n = 0;
        for (const auto& e : volcanoList.Snapshot())
            if (dynamic_cast<T*>(e.get())) ++n;
        return n;
    }
};

} // namespace

TEST_F(Effects, LineRemovalEmptiesEveryCellOfItsRunAtAnyFrameRate) {
    for (double frameFactor : {1.0, 2.0, 4.0}) {
        SCOPED_TRACE(frameFactor);
        volcanoList.Clear();
        magicSphere.LoadExt("1 2 3 4 0", "100 100 100 100 0");
        delta = frameFactor;
        for (int x = 1; x < BOARD_CELLS; ++x)
            Put(x, 7, 1 + x % 2);
        Put(6, 7, 103); // a stone goes like any rune
        Put(3, 8, 1);   // next row: stays
        bonusManagerAlt.AddBonusExt(BONUS_BOMB, 9, 7, 0);
        EXPECT_EQ(BonusRemoveHorizontalLine(0, 7), 14);
        RunEffects(40);
        for (int x = 0; x < BOARD_CELLS; ++x)
            EXPECT_EQ(board.davarLayer[x][7], 0) << x;
        EXPECT_EQ(board.davarLayer[3][8], 1);
        EXPECT_EQ(magicSphere.ballsFil[0] + magicSphere.ballsFil[1] + magicSphere.ballsFil[2], 14);
        EXPECT_EQ(magicSphere.ballsFil[2], 1);
        EXPECT_EQ(bonusManagerAlt.queue.Count(), 1u);
        EXPECT_GE(Count<TToSphereEmiter>(), 1);
        bonusManagerAlt.ClearSpells();
    }
}

TEST_F(Effects, LineRemovalKeepsTheBoardGeometryItStartedWith) {
    for (int x = 0; x < BOARD_CELLS; ++x) {
        Put(x, 7, 1);
        Put(x, 5, 2);
    }
    BonusRemoveHorizontalLine(0, 7);
    RunEffects(3);
    // A help page draws the board with 40-pixel tiles elsewhere while the level is paused.
    board.tileSize = 40;
    board.offsetX = 100;
    board.offsetY = 100;
    RunEffects(60);
    for (int x = 0; x < BOARD_CELLS; ++x) {
        SCOPED_TRACE(x);
        EXPECT_EQ(board.davarLayer[x][7], 0) << "the run's own row";
        // The run's screen row (y 300) lies over row 5 in the new geometry: (300 - 100) / 40.
        EXPECT_EQ(board.davarLayer[x][5], 2);
    }
}

TEST_F(Effects, RunsOffTheBoardTestNoEdgeCellAfterTheirSweep) {
    Put(5, 7, 1);
    Put(5, 3, 2);
    BonusRemoveHorizontalLine(5, 7);
    BonusRemoveVerticalLine(5, 3);
    RunEffects(40);
    EXPECT_EQ(board.davarLayer[5][7], 0);
    EXPECT_EQ(board.davarLayer[5][3], 0);
    // Runes arriving at the left and top edges after the sweeps stay.
    Put(0, 7, 1);
    Put(5, 0, 2);
    RunEffects(120);
    EXPECT_EQ(board.davarLayer[0][7], 1);
    EXPECT_EQ(board.davarLayer[5][0], 2);
    EXPECT_EQ(BoardCellOf(240 - 16, 240, 32), -1);
    EXPECT_EQ(BoardCellOf(240 + 15 * 32, 240, 32), -1);
    EXPECT_EQ(BoardCellOf(240 + 14 * 32 + 31, 240, 32), 14);
    // Every run has left the effect list.
    EXPECT_TRUE(volcanoList.IsEmpty());
}

TEST_F(Effects, BlockBurstsEmptyTheOuterRingFirstAndTheCentreLast) {
    Put(7, 7, 1);
    Put(8, 8, 2);
    Put(9, 9, 3);
    bonusManagerAlt.AddBonusExt(BONUS_HEAL, 9, 9, 0);
    WritePicture("gfx/gwiazdki/gradball.png", 8, 8);
    loadSparkImage(0, "gfx/gwiazdki/gradball.png");
    ASSERT_TRUE(sparkImages[0]);
    EXPECT_EQ(BonusRemoveBlock(7, 7), 3);
    int emptied[3] = {0, 0, 0};
    for (int frame = 1; frame <= 200 && !volcanoList.IsEmpty(); ++frame) {
        RunEffects(1);
        for (int k = 0; k < 3; ++k)
            if (emptied[k] == 0 && board.davarLayer[7 + k][7 + k] == 0) emptied[k] = frame;
        EXPECT_FLOAT_EQ(CurrentDrawState().rotation, 0);
    }
    EXPECT_GT(emptied[0], emptied[1]);
    EXPECT_GT(emptied[1], emptied[2]);
    EXPECT_GT(emptied[2], 24); // the outer ring waits 400 ms before its burst starts
    EXPECT_EQ(magicSphere.ballsFil[2], 1);
    EXPECT_EQ(bonusManagerAlt.queue.Count(), 1u);
    // The spark image is left with its handle at the corner for the other effects.
    EXPECT_FLOAT_EQ(sparkImages[0]->handleX, 0.0f);
    EXPECT_FLOAT_EQ(sparkImages[0]->handleY, 0.0f);
}

TEST_F(Effects, ColourStreamLandsOnItsThirtySixthFrame) {
    Put(2, 2, 4);
    Put(4, 4, 4);
    bonusManagerAlt.AddBonusExt(BONUS_HOLYFIRE, 4, 4, 0);
    EXPECT_EQ(BonusRemoveColor(4, 0, 0), 2);
    board.davarLayer[4][4] = 0; // emptied meanwhile: the landing still sets its token off
    board.colorLayer[4][4] = 0;
    RunEffects(35);
    EXPECT_EQ(board.davarLayer[2][2], 4);
    RunEffects(1);
    EXPECT_EQ(board.davarLayer[2][2], 0);
    EXPECT_EQ(board.colorLayer[2][2], 0);
    EXPECT_EQ(board.highlightLayer[2][2], 4);
    EXPECT_EQ(board.highlightLayer[4][4], 4);
    EXPECT_EQ(magicSphere.ballsFil[3], 1);
    EXPECT_EQ(bonusManagerAlt.queue.Count(), 1u);
    ASSERT_EQ(Count<TToSphereEmiter>(), 2);
    // The flights, started and first updated in the landing frame, clear the marks on their
    // 45th frame.
    RunEffects(43);
    EXPECT_EQ(board.highlightLayer[2][2], 4);
    RunEffects(1);
    EXPECT_EQ(board.highlightLayer[2][2], 0);
    RunEffects(100);
    EXPECT_TRUE(volcanoList.IsEmpty());
}

TEST_F(Effects, FlightAimsAtTheFirstBallOfItsColourOrTheCentre) {
    magicSphere.LoadExt("3 2 3 0 0", "1 1 1 0 0");
    auto a = TToSphereEmiter::add(300, 300, 1, 2, 3, 0, 0, 3);
    auto b = TToSphereEmiter::add(300, 300, 1, 2, 3, 0, 0, 0);
    EXPECT_FLOAT_EQ(a->bx, 106);
    EXPECT_FLOAT_EQ(a->by, 43);
    EXPECT_FLOAT_EQ(b->bx, 100);
    EXPECT_FLOAT_EQ(b->by, 95);
    EXPECT_GE(a->mx, 106);
    EXPECT_LE(a->mx, 300);
    EXPECT_EQ(static_cast<int>(a->maxCount), 50);
}

TEST_F(Effects, HealTurnsStonesBackAndLeavesUnusableCellsAlone) {
    struct Case {
        const char* name;
        int id;
        std::vector<std::string> allowed;
        int after;
    };
    const Case cases[] = {
        {"stone", 102, {"1"}, 2},
        {"special stone", 13, {"3"}, 103},
        {"special stone, stone allowed", 13, {"104"}, 104},
        {"special stone, nothing allowed", 13, {}, 13},
        {"special stone, unknown allowed", 13, {"77"}, 13},
        {"plain rune", 4, {"1"}, 4},
        {"unknown id", 77, {"1"}, 77},
    };
    AddRune("150", 5, 1, "", "88"); // a stone whose rune is missing from the catalogue
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        volcanoList.Clear();
        blocks.availableDavar = c.allowed;
        Put(3, 3, c.id);
        board.colorLayer[3][3] = 9;
        board.timerLayer[3][3] = 5;
        control->SetClock(100000);
        THealEmiter::add(static_cast<float>(CellCentreX(3)), static_cast<float>(CellCentreY(3)), 3.7f, 3);
        RunEffects(68);
        EXPECT_EQ(board.davarLayer[3][3], c.id);
        RunEffects(30);
        EXPECT_EQ(board.davarLayer[3][3], c.after);
        if (c.after != c.id) {
            EXPECT_EQ(board.colorLayer[3][3], davar.getRuneColor(c.after));
            EXPECT_GT(board.timerLayer[3][3], 100000);
        } else {
            EXPECT_EQ(board.colorLayer[3][3], 9);
            EXPECT_EQ(board.timerLayer[3][3], 5);
        }
        EXPECT_TRUE(volcanoList.IsEmpty());
    }
    volcanoList.Clear();
    Put(3, 3, 150);
    THealEmiter::add(0, 0, 3, 3);
    RunEffects(100);
    EXPECT_EQ(board.davarLayer[3][3], 150);
}

TEST_F(Effects, ScatteredStreamsShimmerAndEmptyTheirCells) {
    Put(0, 0, 1);
    Put(0, 1, 102);
    EXPECT_EQ(BonusRemoveRandomColors(5, 5), 2);
    RunEffects(2);
    std::vector<int> reds;
    for (const auto& e : volcanoList.Snapshot())
        reds.push_back(e->r);
    RunEffects(34);
    EXPECT_EQ(board.davarLayer[0][0], 0);
    EXPECT_EQ(board.davarLayer[0][1], 0);
    EXPECT_EQ(board.highlightLayer[0][1], 2);
    EXPECT_EQ(magicSphere.ballsFil[0], 1);
    EXPECT_EQ(magicSphere.ballsFil[1], 1);
    for (int r : reds) {
        EXPECT_GE(r, 100);
        EXPECT_LE(r, 255);
    }
}

} // namespace vsm::test
