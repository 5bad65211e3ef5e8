// Tests of the story text block: where its lines stand, the opacity it draws at, and copying and
// clearing between the page on show and the page before.
#include "quest/QuestFixture.h"

#include "quest/TDrawStoryText.h"

namespace vsm::test {
namespace {

class StoryTextTest : public QuestFixture {
  protected:
    // The text calls of one Draw, as "text@y".
    std::vector<std::string> Drawn(TDrawStoryText& block, float alpha = 1.0f) {
        control->ClearDrawLog();
        block.Draw(alpha);
        std::vector<std::string> out;
        for (const DrawCall& c : control->DrawLog()) {
            if (c.op != "text") continue;
            EXPECT_EQ(c.x, 105);
            out.push_back(c.text + "@" + std::to_string(static_cast<int>(c.y)));
        }
        return out;
    }
    static TDrawStoryText Block(std::vector<std::string> lines) {
        TDrawStoryText block;
        block.lines = static_cast<int>(lines.size());
        for (size_t i = 0; i < lines.size(); ++i)
            block.setLine(static_cast<int>(i), lines[i]);
        return block;
    }
    int h = 0; // the current font's line height
    void SetUp() override {
        QuestFixture::SetUp();
        h = TextHeight("");
        ASSERT_GT(h, 0);
    }
    std::string At(const std::string& text, int y) const { return text + "@" + std::to_string(y); }
};

TEST_F(StoryTextTest, LinesStandOneLineHeightApartFromTheirFirstPlace) {
    TDrawStoryText fresh;
    EXPECT_TRUE(Drawn(fresh).empty());

    TDrawStoryText four = Block({"a", "", "c", "d"});
    // The empty second line still takes its height.
    EXPECT_EQ(Drawn(four),
              (std::vector<std::string>{At("a", 440), At("c", 440 + 2 * h), At("d", 440 + 3 * h)}));
    for (int lines : {5, 6}) {
        SCOPED_TRACE(lines);
        TDrawStoryText block = Block(std::vector<std::string>(static_cast<size_t>(lines), "x"));
        const auto drawn = Drawn(block);
        ASSERT_EQ(drawn.size(), static_cast<size_t>(lines));
        EXPECT_EQ(drawn.front(), At("x", 425));
        EXPECT_EQ(drawn.back(), At("x", 425 + (lines - 1) * h));
    }

    // A line set beyond the count shows only once the count reaches it; six lines at most.
    TDrawStoryText two = Block({"a", "b"});
    two.setLine(3, "d");
    EXPECT_EQ(Drawn(two).size(), 2u);
    two.lines = 4;
    EXPECT_EQ(Drawn(two).back(), At("d", 440 + 3 * h));
    two.setLine(-1, "bad");
    two.setLine(6, "bad");
    two.setLine(4, "e");
    two.setLine(5, "f");
    two.lines = 9;
    EXPECT_EQ(Drawn(two), (std::vector<std::string>{At("a", 425), At("b", 425 + h), At("d", 425 + 3 * h),
                                                    At("e", 425 + 4 * h), At("f", 425 + 5 * h)}));
    two.lines = -2;
    EXPECT_TRUE(Drawn(two).empty());
}

TEST_F(StoryTextTest, DrawsBlackAtFourFifthsOfTheOpacity) {
    TDrawStoryText block = Block({"a"});
    const struct {
        float alpha;
        float drawn; // -1: not drawn at all
    } cases[] = {{1, 0.8f}, {0, 0}, {0.5f, 0.4f}, {2, 1}, {-1, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.alpha);
        control->ClearDrawLog();
        block.Draw(c.alpha);
        const auto& log = control->DrawLog();
        if (c.drawn < 0) {
            EXPECT_TRUE(log.empty());
            continue;
        }
        ASSERT_EQ(log.size(), 1u);
        EXPECT_FLOAT_EQ(log[0].state.alpha, c.drawn);
        EXPECT_EQ(log[0].state.r + log[0].state.g + log[0].state.b, 0);
    }
}

TEST_F(StoryTextTest, CopyAndClearKeepTheBlocksApart) {
    TDrawStoryText current = Block({"one", "two"});
    TDrawStoryText previous = Block({"p1", "p2", "p3", "p4", "p5"});
    previous.Copy(current);
    current.Clear();
    EXPECT_EQ(previous.lines, 2);
    EXPECT_EQ(Drawn(previous), (std::vector<std::string>{At("one", 440), At("two", 440 + h)}));
    EXPECT_TRUE(Drawn(current).empty());
    // Copying two lines over five leaves the old third to fifth undrawn, not erased.
    EXPECT_EQ(previous.text[2], "p3");
    EXPECT_EQ(previous.text[4], "p5");
    current.lines = 1;
    current.setLine(0, "new");
    EXPECT_EQ(previous.text[0], "one");
}

} // namespace
} // namespace vsm::test
