// Tests of the boss runes: loading from fixture documents, blocked cells, the arm test with its
// preview and destruction, arm markers and the glow.
#include "level/LevelFixture.h"

#include "board/BoardSeams.h"
#include "board/TBoardManager.h"
#include "data/TTSCFile.h"
#include "level/TBossManager.h"
#include "level/TLevelManager.h"
#include "level/TPointsManager.h"
#include "platform/System.h"

#include <tuple>
#include <vector>

namespace vsm::test {
namespace {

constexpr const char* kDefinitions = R"(
List{
  Ogre{ id=1 color=3 fileNameBoss="gfx/boss/small1.png" fileNameBossBig="gfx/boss/big1.png" }
  Wyrm{ id=2 color=5 fileNameBoss="gfx/boss/small1.png" fileNameBossBig="gfx/boss/big1.png" }
  Twin{ id=2 color=9 fileNameBoss="gfx/boss/small1.png" fileNameBossBig="gfx/boss/big1.png" }
}
)";

class BossTest : public LevelFixture {
  protected:
    void SetUp() override {
        LevelFixture::SetUp();
        Archive("settings_lp.bca", {{"bossDavar.tsc", kDefinitions}});
        bossManager.LoadResources();
        FullEmptyBoard();
        level.goalType = 3;
    }
    void LoadBosses(const std::string& list) {
        auto doc = CreateTSCFile();
        doc->LoadFromText("Settings{ Level{ BossDavar=\"" + list + "\" } }");
        bossManager.Load(doc);
    }
    // Fills the 16 arm cells of a boss rune at (x, y) with rune 7 of colour class c.
    void FillArms(int x, int y, int c) { FillArmsOnBoard(x, y, c); }
    // The same, skipping arm cells that lie off the board.
    void FillArmsOnBoard(int x, int y, int c = 3) {
        const int arms[4][2] = {{-2, 0}, {2, 0}, {0, -2}, {0, 2}};
        for (const auto& arm : arms) {
            for (int cx = x + arm[0]; cx <= x + arm[0] + 1; ++cx) {
                for (int cy = y + arm[1]; cy <= y + arm[1] + 1; ++cy) {
                    if (cx < 0 || cx > 14 || cy < 0 || cy > 14) continue;
                    board.davarLayer[cx][cy] = 7;
                    board.colorLayer[cx][cy] = c;
                }
            }
        }
    }
    std::vector<std::tuple<int, int, int, int>> Bosses() const {
        std::vector<std::tuple<int, int, int, int>> out;
        for (const auto& rune : bossManager.bossDavar)
            out.emplace_back(rune->id, rune->color, rune->x, rune->y);
        return out;
    }
};

TEST_F(BossTest, LoadKeepsWellFormedEntriesAndSkipsTheRest) {
    testing::internal::CaptureStdout();
    LoadBosses("2:6:6 1:2:9  x:1:1 7:3 9:3:3 2:14:3 1:-1:4 99999999999:1:1 2:8:2:extra");
    const std::string log = testing::internal::GetCapturedStdout();
    // The first definition of an id wins; fields past the third are ignored; a boss off the board
    // moves to the nearest place its 2x2 fits.
    const std::vector<std::tuple<int, int, int, int>> expected = {
        {2, 5, 6, 6}, {1, 3, 2, 9}, {2, 5, 13, 3}, {1, 3, 0, 4}, {2, 5, 8, 2}};
    EXPECT_EQ(Bosses(), expected);
    size_t skipped = 0;
    for (size_t at = log.find("skipped"); at != std::string::npos; at = log.find("skipped", at + 1))
        ++skipped;
    EXPECT_EQ(skipped, 5u);
    EXPECT_NE(log.find("\"2:14:3\" lies off the board; placed at column 13, row 3"), std::string::npos)
        << log;
    for (const auto& rune : bossManager.bossDavar)
        EXPECT_EQ(rune->active, 1);
}

TEST_F(BossTest, OnlyBossLevelsReadTheListAndAnEmptyOneIsLogged) {
    level.goalType = 1;
    LoadBosses("2:6:6");
    EXPECT_TRUE(bossManager.bossDavar.empty());
    EXPECT_EQ(bossManager.CheckForGoal(), 1);

    level.goalType = 3;
    testing::internal::CaptureStdout();
    LoadBosses("");
    EXPECT_NE(testing::internal::GetCapturedStdout().find("no boss rune"), std::string::npos);
    EXPECT_EQ(bossManager.CheckForGoal(), 1);
}

TEST_F(BossTest, ABossLevelWhoseBossesLieOffTheBoardIsNotWonAtOnce) {
    for (const char* list : {"1:20:20", "1:-3:6 2:6:99"}) {
        SCOPED_TRACE(list);
        testing::internal::CaptureStdout();
        LoadBosses(list);
        const std::string log = testing::internal::GetCapturedStdout();
        EXPECT_FALSE(bossManager.bossDavar.empty());
        EXPECT_EQ(bossManager.CheckForGoal(), 0);
        EXPECT_EQ(level.isGoalAchieved(1), 0);
        EXPECT_NE(log.find("lies off the board"), std::string::npos) << log;
    }
}

TEST_F(BossTest, UnwinnableBossRunesAreLoggedButKept) {
    board.grid[4][6] = 0; // a hole in the left arm of a boss rune at (6, 6)
    testing::internal::CaptureStdout();
    LoadBosses("1:1:5 1:6:6 1:5:12 1:9:9");
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(bossManager.bossDavar.size(), 4u);
    EXPECT_NE(log.find("1:1:5 can never"), std::string::npos);
    EXPECT_NE(log.find("1:6:6 can never"), std::string::npos);
    EXPECT_NE(log.find("1:5:12 can never"), std::string::npos);
    EXPECT_EQ(log.find("1:9:9 can never"), std::string::npos);
}

TEST_F(BossTest, ArtSetFollowsTheBoardSize) {
    WriteResource("gfx/boss/placeholder", "");
    ASSERT_TRUE(SavePixmapPNG(CreatePixmap(64, 64), resources + "gfx/boss/big1.png"));
    ASSERT_TRUE(SavePixmapPNG(CreatePixmap(32, 32), resources + "gfx/boss/small1.png"));
    ASSERT_TRUE(SavePixmapPNG(CreatePixmap(40, 40), resources + "gfx/boss/sadza40.png"));
    ASSERT_TRUE(SavePixmapPNG(CreatePixmap(32, 32), resources + "gfx/boss/sadza32.png"));
    struct Case {
        int columns, rows, picture, marker;
    };
    const Case cases[] = {{15, 15, 32, 32}, {12, 12, 64, 40}, {13, 12, 32, 32}, {12, 13, 32, 32}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.columns << "x" << c.rows);
        for (int x = 0; x < 15; ++x) {
            for (int y = 0; y < 15; ++y)
                board.grid[x][y] = (x < c.columns && y < c.rows) ? 1 : 0;
        }
        LoadBosses("1:4:4");
        ASSERT_EQ(bossManager.bossDavar.size(), 1u);
        EXPECT_EQ(ImageWidth(bossManager.bossDavar[0]->image), c.picture);
        EXPECT_EQ(ImageWidth(bossManager.help), c.marker);
    }
}

TEST_F(BossTest, BossCellsTakeNoPieceWhileTheBossStands) {
    LoadBosses("1:6:6");
    for (int x = 5; x <= 8; ++x) {
        for (int y = 5; y <= 8; ++y) {
            SCOPED_TRACE(testing::Message() << x << "," << y);
            const bool covered = x >= 6 && x <= 7 && y >= 6 && y <= 7;
            EXPECT_EQ(bossManager.CheckMove(x, y), covered ? 1 : 0);
        }
    }
    bossManager.bossDavar.clear();
    EXPECT_EQ(bossManager.CheckMove(6, 6), 0);
}

TEST_F(BossTest, CompleteArmsQueueEightLinesLeftArmFirst) {
    LoadBosses("1:6:6");
    FillArms(6, 6, 3);
    board.colorLayer[8][7] = 3;
    board.davarLayer[8][7] = 40; // a stone counts by its colour class like any rune
    board.lines = std::make_unique<std::vector<TLine>>();
    bossManager.CheckForMatch(1);
    std::vector<std::tuple<int, int, int, int>> queued;
    for (const TLine& l : *board.lines)
        queued.emplace_back(l.xs, l.ys, l.xk, l.yk);
    const std::vector<std::tuple<int, int, int, int>> expected = {{4, 6, 5, 6}, {4, 7, 5, 7}, {8, 6, 9, 6},
                                                                  {8, 7, 9, 7}, {6, 4, 7, 4}, {6, 5, 7, 5},
                                                                  {6, 8, 7, 8}, {6, 9, 7, 9}};
    EXPECT_EQ(queued, expected);
    EXPECT_EQ(bossManager.CheckForGoal(), 1);
    board.lines.reset();
}

TEST_F(BossTest, IncompleteArmsKeepTheBoss) {
    struct Case {
        const char* what;
        int x, y;
        std::function<void()> spoil;
    };
    const Case cases[] = {
        {"one empty arm cell", 6, 6, [] { board.davarLayer[9][7] = 0; }},
        {"one cell of another colour", 6, 6, [] { board.colorLayer[7][4] = 4; }},
        {"arm leaves the board", 1, 6, [] {}},
        {"arm below the board", 6, 12, [] {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FullEmptyBoard();
        LoadBosses("1:" + std::to_string(c.x) + ":" + std::to_string(c.y));
        FillArmsOnBoard(c.x, c.y);
        c.spoil();
        board.lines = std::make_unique<std::vector<TLine>>();
        bossManager.CheckForMatch(1);
        EXPECT_TRUE(board.lines->empty());
        EXPECT_EQ(bossManager.bossDavar.size(), 1u);
        bossManager.CheckForMatch(0);
        int lit = 0;
        for (int x = 0; x < 15; ++x) {
            for (int y = 0; y < 15; ++y)
                lit += board.highlightLayer[x][y] != 0;
        }
        EXPECT_EQ(lit, 0);
        board.lines.reset();
    }
}

TEST_F(BossTest, PreviewPaintsArmsAndBossCellsButKeepsTheBoss) {
    LoadBosses("1:6:6");
    FillArms(6, 6, 3);
    bossManager.CheckForMatch(0);
    int lit = 0;
    for (int x = 0; x < 15; ++x) {
        for (int y = 0; y < 15; ++y) {
            if (board.highlightLayer[x][y] == 0) continue;
            EXPECT_EQ(board.highlightLayer[x][y], 3);
            ++lit;
        }
    }
    EXPECT_EQ(lit, 20);
    EXPECT_EQ(board.highlightLayer[6][6], 3);
    EXPECT_EQ(bossManager.bossDavar.size(), 1u);
}

TEST_F(BossTest, OneMoveDestroysTwoBossesThroughTheBoardsClear) {
    LoadBosses("1:3:3 2:10:10");
    FillArms(3, 3, 3);
    FillArms(10, 10, 5);
    EXPECT_EQ(boardSeams.BossCheckMove(3, 4), 1) << "the board asks the boss runes through its hooks";
    board.clearMatchingDavar(1);
    EXPECT_EQ(bossManager.CheckForGoal(), 1);
    EXPECT_GT(points.actual, 0);
    EXPECT_EQ(level.matches, 1);
    EXPECT_EQ(board.davarLayer[1][3], 0);
    EXPECT_EQ(board.davarLayer[11][13], 0);
    EXPECT_EQ(bossManager.CheckMove(3, 3), 0);
}

TEST_F(BossTest, MarkersAreDrawnOnlyOnBoardCells) {
    LoadBosses("1:1:6");
    bossManager.help = CreateImage(32, 32);
    control->ClearDrawLog();
    bossManager.DrawHelp();
    int markers = 0;
    for (const DrawCall& call : control->DrawLog()) {
        if (call.op != "image" || call.image != bossManager.help) continue;
        ++markers;
        EXPECT_FLOAT_EQ(call.state.alpha, 0.3f);
        EXPECT_GE(call.x, board.offsetX);
    }
    EXPECT_EQ(markers, 14); // the left arm loses its column x = -1
    EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
}

TEST_F(BossTest, GlowCrossFadesFramesEveryHalfSecond) {
    LoadBosses("1:6:6");
    for (auto& frame : bossManager.glow)
        frame = CreateImage(64, 64);
    struct Case {
        int e, frame, previous;
        float alpha;
    };
    const Case cases[] = {{250, 0, 15, 0.5f}, {8000, 0, 15, 0.0f}, {1125, 2, 1, 0.25f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.e);
        bossManager.bossDavar[0]->timer = static_cast<float>(MilliSecs() - c.e);
        control->ClearDrawLog();
        bossManager.Draw();
        std::vector<std::pair<int, float>> glows;
        for (const DrawCall& call : control->DrawLog()) {
            for (int i = 0; i < 16; ++i) {
                if (call.image == bossManager.glow[i]) glows.emplace_back(i, call.state.alpha);
            }
        }
        ASSERT_EQ(glows.size(), 2u);
        EXPECT_EQ(glows[0].first, c.frame);
        EXPECT_NEAR(glows[0].second, c.alpha, 1e-4);
        EXPECT_EQ(glows[1].first, c.previous);
        EXPECT_NEAR(glows[1].second, 1 - c.alpha, 1e-4);
    }
}

} // namespace
} // namespace vsm::test
