// The puzzle hints: the free first hint's moves, the player's hint and the sparks that mark them.
#include "PuzzleFixture.h"

#include "platform/System.h"
#include "puzzle/THints.h"
#include "puzzle/TPuzzleManager.h"
#include "services/TSpark.h"

#include <set>

namespace vsm::test {

using PuzzleHints = PuzzleFixture;

namespace {

void SetLayout(const std::vector<int>& cells) {
    auto tiles = puzzle.puzzle->Tiles();
    for (size_t k = 0; k < cells.size(); ++k) {
        tiles[k]->currentNumber = tiles[k]->targetNumber = cells[k];
        tiles[k]->SetPosition();
    }
}

// The tile whose rectangle has its top-left corner at (x, y).
PuzzleButtonPtr TileAt(int x, int y) {
    for (const auto& t : puzzle.puzzle->Tiles())
        if (static_cast<int>(t->dim->x) == x && static_cast<int>(t->dim->y) == y) return t;
    return nullptr;
}

} // namespace

TEST_F(PuzzleHints, FreeHintPutsTheTwoTilesInEachOthersHome) {
    struct Case {
        const char* name;
        std::vector<int> before;
        int a, b;
    };
    const Case cases[] = {
        {"four tiles move", {3, 4, 1, 5, 2, 0}, 0, 1},
        {"tile b sits in a's home", {2, 0, 5, 1, 3, 4}, 0, 1},
        {"far apart", {1, 2, 3, 4, 5, 0}, 5, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Build(3, 2);
        SetLayout(c.before);
        THints hints;
        hints.show(*puzzle.puzzle, 1, c.a, c.b);
        const std::vector<int> after = Layout();
        EXPECT_EQ(after[static_cast<size_t>(c.a)], c.b);
        EXPECT_EQ(after[static_cast<size_t>(c.b)], c.a);
        EXPECT_EQ(std::set<int>(after.begin(), after.end()).size(), 6u);
        for (const auto& t : puzzle.puzzle->Tiles())
            EXPECT_EQ(t->IsFlying(), 0);
        EXPECT_EQ(hints.showed, 1);
        EXPECT_EQ(TileAt(hints.x1, hints.y1)->id, c.a);
        EXPECT_EQ(TileAt(hints.x2, hints.y2)->id, c.b);
        EXPECT_EQ(hints.width, 223);
        EXPECT_EQ(hints.height, 247);
    }
}

TEST_F(PuzzleHints, FreeHintOnOneTileMovesNothing) {
    Build(3, 2);
    SetLayout({3, 4, 1, 5, 2, 0});
    THints hints;
    hints.show(*puzzle.puzzle, 1, 2, 2);
    EXPECT_EQ(Layout(), (std::vector<int>{3, 4, 1, 5, 2, 0}));
    EXPECT_EQ(hints.showed, 1);
}

TEST_F(PuzzleHints, FreeHintWithIndexesOutsideThePuzzleIsNotGiven) {
    const std::pair<int, int> bad[] = {{-1, 2}, {0, 6}, {6, 0}, {100, 200}};
    for (const auto& [a, b] : bad) {
        SCOPED_TRACE(std::to_string(a) + "," + std::to_string(b));
        Build(3, 2);
        SetLayout({3, 4, 1, 5, 2, 0});
        THints hints;
        hints.show(*puzzle.puzzle, 1, a, b);
        EXPECT_EQ(Layout(), (std::vector<int>{3, 4, 1, 5, 2, 0}));
        EXPECT_EQ(hints.showed, 0);
    }
}

TEST_F(PuzzleHints, PlayersHintMarksATileAwayAndTheTileWhoseHomeItHolds) {
    Build(3, 2);
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        SeedRnd(seed);
        // Tiles 0 and 5 are home; the rest form a cycle.
        SetLayout({0, 2, 3, 4, 1, 5});
        THints hints;
        hints.show(*puzzle.puzzle, 0, 0, 0);
        ASSERT_EQ(hints.showed, 1);
        auto A = TileAt(hints.x1, hints.y1);
        auto B = TileAt(hints.x2, hints.y2);
        ASSERT_TRUE(A && B);
        EXPECT_EQ(A->IsInPlace(), 0);
        EXPECT_EQ(B->IsInPlace(), 0);
        EXPECT_EQ(B->id, A->currentNumber);
        EXPECT_EQ(Layout(), (std::vector<int>{0, 2, 3, 4, 1, 5}));
    }
}

TEST_F(PuzzleHints, AShowingHintOrASolvedPictureTakesNoNewHint) {
    Build(3, 2);
    THints hints;
    hints.show(*puzzle.puzzle, 0, 0, 0);
    EXPECT_EQ(hints.showed, 0); // every tile is home

    SetLayout({1, 0, 2, 4, 3, 5});
    hints.show(*puzzle.puzzle, 0, 0, 0);
    const int x1 = hints.x1, x2 = hints.x2;
    for (int i = 0; i < 20; ++i)
        hints.show(*puzzle.puzzle, 0, 0, 0);
    EXPECT_EQ(hints.x1, x1);
    EXPECT_EQ(hints.x2, x2);
    hints.Hide();
    EXPECT_EQ(hints.showed, 0);
}

TEST_F(PuzzleHints, MarksSparkleInsideTheTopLeftOfTheirTiles) {
    Build(3, 2);
    SetLayout({1, 0, 2, 3, 4, 5});
    THints hints;
    hints.show(*puzzle.puzzle, 1, 0, 1);
    SparkList.Clear();
    for (int i = 0; i < 50; ++i)
        hints.Update();
    ASSERT_EQ(SparkList.Count(), 100u);
    int inFirst = 0;
    for (const auto& s : SparkList.Snapshot()) {
        const bool first =
            s->x >= hints.x1 && s->x <= hints.x1 + 178 && s->y >= hints.y1 && s->y <= hints.y1 + 197;
        const bool second =
            s->x >= hints.x2 && s->x <= hints.x2 + 178 && s->y >= hints.y2 && s->y <= hints.y2 + 197;
        EXPECT_TRUE(first || second);
        if (first) ++inFirst;
        EXPECT_EQ(s->blending, 1);
    }
    EXPECT_EQ(inFirst, 50);
    hints.Hide();
    hints.Update();
    EXPECT_EQ(SparkList.Count(), 100u);
}

TEST_F(PuzzleHints, LandingBurstStartsAtTheTileCentre) {
    Build(3, 2);
    auto tile = puzzle.puzzle->Tile(4); // (65 + 223, 53 + 247), 223 x 247
    SparkList.Clear();
    SparksOnPlace(*tile);
    ASSERT_EQ(SparkList.Count(), 101u);
    const int w = ImageWidth(SparkImage(2));
    const int h = ImageHeight(SparkImage(2));
    for (const auto& s : SparkList.Snapshot()) {
        EXPECT_FLOAT_EQ(s->x, static_cast<float>(288 + 223 / 2 - w / 2));
        EXPECT_FLOAT_EQ(s->y, static_cast<float>(300 + 247 / 2 - h / 2));
        EXPECT_EQ(s->img, SparkImage(2));
    }
}

} // namespace vsm::test
