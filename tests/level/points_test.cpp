// Tests of the points counter: adding, the digit styles of _drawNumber and the score panel.
#include "level/LevelFixture.h"

#include "level/TLevelSequencer.h"
#include "level/TPointsManager.h"
#include "services/TMouse.h"

#include <climits>
#include <vector>

namespace vsm::test {
namespace {

class PointsTest : public LevelFixture {
  protected:
    void SetUp() override {
        LevelFixture::SetUp();
        points.cyfry = CreateImage(16, 24, 10);
        points.levelFont = CreateImage(16, 21, 10);
        points.cyfry2 = CreateImage(32, 32, 10);
        points.cyfry4 = CreateImage(14, 20, 10);
    }
    // The (x, frame) of every image drawn since the log was cleared.
    std::vector<std::pair<float, int>> DrawnDigits() const {
        std::vector<std::pair<float, int>> out;
        for (const DrawCall& call : control->DrawLog()) {
            if (call.op == "image") out.emplace_back(call.x, call.frame);
        }
        return out;
    }
};

TEST_F(PointsTest, AddAccumulatesAndSaturates) {
    points.add(100);
    points.add(0);
    points.add(-30);
    EXPECT_EQ(points.actual, 70);
    EXPECT_EQ(points.total, 0);
    points.actual = INT_MAX - 10;
    points.add(1000);
    EXPECT_EQ(points.actual, INT_MAX);
}

TEST_F(PointsTest, DrawNumberStylesPaddingAndCentring) {
    struct Case {
        int value, digits, style, centred;
        int width;
        std::vector<std::pair<float, int>> drawn; // x and digit of each frame drawn
    };
    const Case cases[] = {
        {1234, 7, 4, 0, 63, {{100, 0}, {109, 0}, {118, 0}, {127, 1}, {136, 2}, {145, 3}, {154, 4}}},
        {12345678,
         7,
         4,
         0,
         72,
         {{100, 1}, {109, 2}, {118, 3}, {127, 4}, {136, 5}, {145, 6}, {154, 7}, {163, 8}}},
        {101, 3, 2, 0, 26, {{100, 1}, {107, 0}, {119, 1}}},
        {5, 7, 1, 1, 84, {{58, 0}, {70, 0}, {82, 0}, {94, 0}, {106, 0}, {118, 0}, {130, 5}}},
        {42, 2, 3, 0, 42, {{100, 4}, {121, 2}}},
        {42, 2, 9, 0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " style " << c.style);
        control->ClearDrawLog();
        EXPECT_EQ(points._drawNumber(c.value, c.digits, 100, 50, c.style, c.centred), c.width);
        EXPECT_EQ(DrawnDigits(), c.drawn);
    }
}

TEST_F(PointsTest, ButtonHoverBoxesTouchButNeverOverlap) {
    struct Case {
        int x, y, menu, zap;
    };
    // Clock at its default (42, 211): menu box 72..136 x 199..219, help box 137..152 x 211..236.
    const Case cases[] = {
        {72, 199, 1, 0},  {136, 219, 1, 0}, {71, 210, 0, 0},  {100, 198, 0, 0},
        {100, 220, 0, 0}, {136, 215, 1, 0}, {137, 215, 0, 1}, {152, 236, 0, 1},
        {153, 220, 0, 0}, {140, 237, 0, 0}, {140, 210, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        mouse.x = c.x;
        mouse.y = c.y;
        points.Draw(0);
        EXPECT_EQ(points.menuOver, c.menu);
        EXPECT_EQ(points.zapOver, c.zap);
    }
}

TEST_F(PointsTest, PanelShowsTotalPlusActualAndCentresTheLevelNumber) {
    points.total = 1000;
    points.actual = 234;
    for (int seqNo : {7, 12}) {
        SCOPED_TRACE(seqNo);
        sequencer.seqNo = seqNo;
        control->ClearDrawLog();
        points.Draw(0);
        std::vector<std::pair<float, int>> score;
        const DrawCall* dark = nullptr;
        for (const DrawCall& call : control->DrawLog()) {
            if (call.op == "image" && call.image == points.cyfry4) score.emplace_back(call.x, call.frame);
            if (call.op == "text") dark = &call;
        }
        const std::vector<std::pair<float, int>> expected = {{69, 0},  {78, 0},  {87, 0}, {96, 1},
                                                             {105, 2}, {114, 3}, {123, 4}};
        EXPECT_EQ(score, expected);
        ASSERT_NE(dark, nullptr);
        EXPECT_EQ(dark->text, std::to_string(seqNo));
        EXPECT_EQ(dark->state.r, 21);
        EXPECT_FLOAT_EQ(dark->state.alpha, 0.8f);
        // The figure's middle sits on x 103 whatever its width.
        EXPECT_NEAR(dark->x + TextWidth(dark->text) / 2.0f, 103.0f, 1.0f);
        EXPECT_FLOAT_EQ(dark->y, 573);
    }
}

} // namespace
} // namespace vsm::test
