// Credits pages: the layout of a page, the typing of a line with its sparks, and how a page
// types its lines one after another.
#include "frontend/FrontendFixture.h"

#include "frontend/TCreditsPage.h"
#include "services/TSpark.h"
#include "widgets/TFont.h"

#include <string>
#include <vector>

namespace vsm::test {
namespace {

class CreditsPage : public FrontendFixture {
  protected:
    // Moves the virtual clock on by ms, then steps the line once; returns its result.
    int StepAfter(TCreditsText& line, int64_t ms) {
        control->AdvanceClock(ms);
        return line.Update();
    }
    static std::vector<TSpark*> Sparks() {
        std::vector<TSpark*> all;
        for (const SparkPtr& s : SparkList)
            all.push_back(s.get());
        return all;
    }
};

TEST_F(CreditsPage, APageIsCentredAsOneBlockAndEachLineOnItsFullWidth) {
    struct Row {
        int fields;
        float titleY;
        std::vector<float> fieldYs;
    };
    const std::vector<Row> rows = {{0, 265, {}},
                                   {1, 245, {315}},
                                   {2, 225, {295, 335}},
                                   {3, 205, {275, 315, 355}},
                                   {4, 185, {255, 295, 335, 375}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fields);
        TCreditsPage page;
        page.AddTitle("level design");
        for (int i = 0; i < row.fields; ++i)
            page.AddField(std::string(static_cast<size_t>(i + 3), 'm'));
        page.Prepare();
        EXPECT_EQ(page.maxCount, row.fields);
        EXPECT_FLOAT_EQ(page.title->text->dim->y, row.titleY);
        for (int i = 0; i < row.fields; ++i) {
            const TCreditsText& field = *page.fields[static_cast<size_t>(i)];
            EXPECT_FLOAT_EQ(field.text->dim->y, row.fieldYs[static_cast<size_t>(i)]);
            // Centred on x 400 by the width of the whole line, though nothing is typed yet.
            auto whole = CreateText(field.str, CreateDim(0, 0, 0, 0), fonts[1], 1, 0, 0, 0);
            EXPECT_FLOAT_EQ(field.text->dim->x, 400.0f - whole->Width() / 2.0f);
            EXPECT_EQ(field.text->text, "");
        }
    }
}

TEST_F(CreditsPage, ALineTypesOneCharacterPerStepOfMoreThanTwentyMilliseconds) {
    CreditsTextPtr line = TCreditsText::Create("abcdefghij", fonts[1], 100);
    const float left = line->text->dim->x;
    EXPECT_EQ(StepAfter(*line, 20), 0);
    EXPECT_EQ(line->text->text, "") << "exactly 20 ms reveals nothing";
    EXPECT_EQ(StepAfter(*line, 1), 0);
    EXPECT_EQ(line->text->text, "a");
    // However late the call, it reveals one character.
    EXPECT_EQ(StepAfter(*line, 5000), 0);
    EXPECT_EQ(line->text->text, "ab");
    EXPECT_EQ(StepAfter(*line, 20), 0);
    EXPECT_EQ(line->text->text, "ab") << "the next step is measured from the last one";
    for (int i = 3; i <= 10; ++i)
        StepAfter(*line, 21);
    EXPECT_EQ(line->text->text, "abcdefghij");
    EXPECT_FLOAT_EQ(line->text->dim->x, left) << "the left edge stays put while typing";
    // The eleventh step completes the line without a spark; from then on it reports done.
    TSpark::destroyAll();
    EXPECT_EQ(StepAfter(*line, 21), 0);
    EXPECT_TRUE(SparkList.IsEmpty());
    EXPECT_EQ(line->Update(), 1);
    EXPECT_EQ(StepAfter(*line, 100), 1);

    // An empty line shows nothing, throws nothing and is done after one step.
    CreditsTextPtr empty = TCreditsText::Create("", fonts[1], 100);
    EXPECT_EQ(StepAfter(*empty, 21), 0);
    EXPECT_TRUE(SparkList.IsEmpty());
    EXPECT_EQ(empty->Update(), 1);
}

TEST_F(CreditsPage, EachTypedCharacterThrowsSevenGoldenSparksAtItsRightEnd) {
    CreditsTextPtr line = TCreditsText::Create("story", fonts[1], 200);
    for (int step = 1; step <= 5; ++step) {
        TSpark::destroyAll();
        StepAfter(*line, 21);
        const float right = line->text->dim->x + line->text->Width();
        const std::vector<TSpark*> sparks = Sparks();
        ASSERT_EQ(sparks.size(), 7u);
        for (const TSpark* s : sparks) {
            EXPECT_EQ(s->r, 255);
            EXPECT_EQ(s->g, 200);
            EXPECT_EQ(s->b, 100);
            EXPECT_NEAR(s->x, right - 15.0f, 6.0f);
            EXPECT_NEAR(s->y, 200.0f, 10.0f);
            EXPECT_TRUE(s->img == sparkImages[1] || s->img == sparkImages[2] || s->img == sparkImages[3]);
        }
    }
}

TEST_F(CreditsPage, APageTypesItsLinesInTurnAndDrawsThemAtTheGivenOpacity) {
    TCreditsPage page;
    page.AddTitle("ab");
    page.AddField("c");
    page.Prepare();
    std::vector<std::string> seen;
    for (int frame = 0; frame < 12; ++frame) {
        control->AdvanceClock(21);
        page.Update(0.5f);
        seen.push_back(page.title->text->text + "|" + page.fields[0]->text->text + "|" +
                       std::to_string(page.counter));
    }
    // The field starts typing only in the frame after the title reported done.
    const std::vector<std::string> expected = {"a||0",   "ab||0",  "ab||0",  "ab||1",  "ab|c|1", "ab|c|1",
                                               "ab|c|2", "ab|c|2", "ab|c|2", "ab|c|2", "ab|c|2", "ab|c|2"};
    EXPECT_EQ(seen, expected);
    EXPECT_FLOAT_EQ(page.title->text->alpha, 0.5f);
    EXPECT_FLOAT_EQ(page.fields[0]->text->alpha, 0.5f);

    // A page of a title alone stops once the title is typed.
    TCreditsPage alone;
    alone.AddTitle("x");
    alone.Prepare();
    for (int frame = 0; frame < 5; ++frame) {
        control->AdvanceClock(21);
        alone.Update(1.0f);
    }
    EXPECT_EQ(alone.counter, 1);
}

} // namespace
} // namespace vsm::test
