// Hiscores screen: where rows stand, how they are typed with their sparks, and the cycle of the
// three tables over time.
#include "profiles/ProfilesFixture.h"
#include "profiles/THiscores.h"
#include "profiles/THiscoresScreen.h"

#include "services/Paths.h"
#include "services/TSpark.h"
#include "support/ScreenInk.h"
#include "support/TestAssets.h"
#include "support/TestSupport.h"
#include "widgets/SharedAssets.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace vsm::test {
namespace {

class HiscoresScreen : public ProfilesFixture {
  protected:
    void SetUp() override {
        ProfilesFixture::SetUp();
        fonts[1] = SmallFont(20); // letters and digits 4 pixels wide, the blank 10
        control->SetClock(100000);
    }
    static TScorePtr Entry(const std::string& name, int score, int mode = 1) {
        return TScore::Create(name, score, 0, mode, "d", "null");
    }
    static int Sparks() {
        int n = 0;
        SparkList.ForEach([&](const SparkPtr&) { ++n; });
        return n;
    }
};

TEST_F(HiscoresScreen, RowsStandInTheirColumnsWithScoresEndingAtTheFramesEdge) {
    THiscoresScreen screen;
    std::vector<TScorePtr> entries;
    for (int i = 0; i < 10; ++i)
        entries.push_back(Entry("p" + std::to_string(i), i == 0 ? 7 : 1234567 / (i + 1)));
    screen.Load(entries);
    ASSERT_EQ(screen.List.size(), 10u);
    const float tops[10] = {100, 145, 190, 235, 280, 325, 370, 415, 460, 505};
    for (size_t i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        const THiscoresText& row = *screen.List[i];
        EXPECT_EQ(row.str1, std::to_string(i + 1));
        EXPECT_EQ(row.text1->dim->y, tops[i]);
        EXPECT_EQ(row.text1->dim->x, 102);
        EXPECT_EQ(row.text2->dim->x, 172);
        EXPECT_EQ(row.text3->dim->x + 4 * static_cast<float>(row.str3.size()), 672);
        EXPECT_EQ(row.text1->text, "");
        EXPECT_EQ(row.text3->text, "");
    }
    EXPECT_EQ(screen.title[0]->dim->x, 400 - 4 * 18 / 2 - 10 * 3 / 2); // 18 letters and 3 blanks
    EXPECT_EQ(screen.title[0]->dim->y, 30);
}

TEST_F(HiscoresScreen, ARowTypesOneCharacterPerTickWithSevenSparksEach) {
    auto row = THiscoresText::Create(1, "alice", 12345, fonts[1], fonts[1], 0);
    const std::vector<std::string> after = {"1|| ",        "1|a| ",        "1|al| ",        "1|ali| ",
                                            "1|alic| ",    "1|alice| ",    "1|alice|1",     "1|alice|12",
                                            "1|alice|123", "1|alice|1234", "1|alice|12345", "1|alice|12345"};
    control->AdvanceClock(20); // not more than Speed: nothing yet
    EXPECT_EQ(row->Update(), 0);
    EXPECT_EQ(row->counter, 0);
    for (size_t tick = 0; tick < after.size(); ++tick) {
        SCOPED_TRACE(tick + 1);
        const int before = Sparks();
        control->AdvanceClock(21);
        EXPECT_EQ(row->Update(), 0);
        EXPECT_EQ(row->text1->text + "|" + row->text2->text + "|" +
                      (row->text3->text.empty() ? " " : row->text3->text),
                  after[tick]);
        EXPECT_EQ(Sparks() - before, tick < 11 ? 7 : 0); // the closing tick throws none
    }
    EXPECT_EQ(row->Update(), 1); // no wait needed once finished
}

TEST_F(HiscoresScreen, NamesWithoutGlyphsTypeAsBlanksAndAnEmptyNameIsSkipped) {
    auto odd = THiscoresText::Create(2, "A b", 5, fonts[1], fonts[1], 1);
    for (int i = 0; i < 4; ++i) {
        control->AdvanceClock(21);
        odd->Update();
    }
    EXPECT_EQ(odd->text2->text, "A b");
    EXPECT_EQ(odd->text2->Width(), 10 + 10 + 4);

    auto empty = THiscoresText::Create(3, "", 9, fonts[1], fonts[1], 2);
    control->AdvanceClock(21);
    empty->Update();
    control->AdvanceClock(21);
    empty->Update();
    EXPECT_EQ(empty->text3->text, "9");
}

TEST_F(HiscoresScreen, RowsAreTypedOneAfterAnother) {
    THiscoresScreen screen;
    screen.Load({Entry("ab", 10), Entry("cd", 20)});
    // Row 1 needs 1 + 2 + 2 characters and its closing tick; its Update reports done on the next
    // call, and in that same frame row 2 is not called yet.
    for (int i = 0; i < 6; ++i) {
        control->AdvanceClock(21);
        screen.Update();
    }
    EXPECT_EQ(screen.index, 0);
    EXPECT_EQ(screen.List[1]->counter, 0);
    control->AdvanceClock(21);
    screen.Update();
    EXPECT_EQ(screen.index, 1);
    EXPECT_EQ(screen.List[1]->counter, 0);
    control->AdvanceClock(21);
    screen.Update();
    EXPECT_EQ(screen.List[1]->text1->text, "2");
}

TEST_F(HiscoresScreen, TheThreeTablesCycleAndTheScreenIsDoneOncePerCycle) {
    hiscore.add2("q", 50, 0, 1, "d", "null");
    hiscore.add2("e1", 40, 0, 2, "d", "b");
    hiscore.add2("e2", 30, 0, 2, "d", "b");
    THiscoresScreen screen;
    screen.Load(hiscore.GetScores(1, 10));
    struct Step {
        int advance;
        int result;
        int stage;
        size_t rows;
    } steps[] = {
        {6000, 0, 1, 1},                  // exactly 6000 ms is not past the table's time
        {1, 0, 2, 2},    {6001, 0, 3, 0}, // the time-attack table is empty
        {6000, 0, 3, 0}, {1, 1, 1, 1},    // done, and the quest table stands loaded again
        {6001, 0, 2, 2},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.advance);
        control->AdvanceClock(s.advance);
        EXPECT_EQ(screen.Update(), s.result);
        EXPECT_EQ(screen.stage, s.stage);
        EXPECT_EQ(screen.List.size(), s.rows);
    }
    EXPECT_EQ(screen.List[0]->text1->text, ""); // a table just loaded is not typed yet
}

TEST_F(HiscoresScreen, TheFrameIsReadFromTheDialogPiecesAndEverythingIsDrawn) {
    const char* pieces[9] = {"dialog-lg", "dialog-gora", "dialog-pg", "dialog-lewo",  "dialog-prawo",
                             "dialog-ld", "dialog-dol",  "dialog-pd", "dialog-srodek"};
    for (const char* p : pieces)
        WriteFlatPicture(resources + "gfx/ramka/" + p + ".png", 8, 8);
    THiscoresScreen screen;
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(screen.Frame->GetImage(i));
        EXPECT_TRUE(screen.Frame->GetImage(i)->image);
    }
    EXPECT_TRUE(control->notifications.empty());
    screen.Load({Entry("ab", 1)});
    control->ClearDrawLog();
    screen.Draw();
    int images = 0;
    std::vector<std::pair<float, float>> continueAt;
    for (const DrawCall& c : control->DrawLog()) {
        if (c.op == "image" || c.op == "imagerect") ++images;
        if (c.op == "text" && c.text == "Click anywhere to continue") continueAt.push_back({c.x, c.y});
    }
    EXPECT_GE(images, 9 + 18); // the nine pieces, then the title's letters
    ASSERT_EQ(continueAt.size(), 3u);
    EXPECT_EQ(continueAt[0].second, 571);
    EXPECT_EQ(continueAt[1].second, 569);
    EXPECT_EQ(continueAt[2].second, 570);
    EXPECT_EQ(continueAt[0].first - continueAt[2].first, 1);
}

TEST_F(HiscoresScreen, TheFrameIsCentredOnTheScreenAndHoldsEveryRowInsideItsRim) {
    // The game's own pieces and fonts.
    bDir = ResourcesDir();
    LoadSharedBitmapFonts();
    LoadSharedScrollsAndFonts();
    constexpr float RIM = 10; // the dialog pieces' metal rim

    // Ten rows as wide as rows get, the last one reaching lowest.
    const NameLetters letters = SurveyLetters(fonts[1]);
    ASSERT_TRUE(letters.widest && letters.deepest);
    const char widest = letters.widest, deepest = letters.deepest;
    std::vector<TScorePtr> entries;
    for (int i = 0; i < 10; ++i)
        entries.push_back(Entry(std::string(10, i == 9 ? deepest : widest), 99999999 - i));
    THiscoresScreen screen;
    screen.Load(entries);
    for (const HiscoresTextPtr& row : screen.List) {
        row->text1->text = row->str1;
        row->text2->text = row->str2;
        row->text3->text = row->str3;
    }
    std::set<ImagePtr> pieces;
    for (int i = 0; i < 9; ++i) {
        ASSERT_TRUE(screen.Frame->GetImage(i) && screen.Frame->GetImage(i)->image) << i;
        pieces.insert(screen.Frame->GetImage(i)->image);
    }
    control->ClearDrawLog();
    screen.Draw();

    InkBox frame, rows, title, prompt;
    std::map<float, InkBox> lines;
    for (const DrawCall& c : control->DrawLog()) {
        if (pieces.count(c.image)) {
            frame.Add(DrawnInk(c, 1));
        } else if (c.op == "image" && letters.images.count(c.image)) {
            (c.y < 100 ? title : lines[c.y]).Add(DrawnInk(c));
        } else if (c.op == "text") {
            prompt.Add(DrawnInk(c));
        }
    }
    EXPECT_NEAR(frame.CentreX(), 400, 1) << "the frame " << frame;
    EXPECT_NEAR(title.CentreX(), 400, 2) << "the title " << title;
    EXPECT_LT(title.bottom, frame.top);
    EXPECT_GT(prompt.top, frame.bottom) << "the prompt " << prompt << " under the frame " << frame;
    EXPECT_LE(prompt.bottom, 600);
    InkBox inside;
    inside.Add(frame.left + RIM, frame.top + RIM, frame.right - RIM, frame.bottom - RIM);
    ASSERT_EQ(lines.size(), 10u);
    for (const auto& [top, line] : lines)
        EXPECT_TRUE(line.Inside(inside))
            << "the row at y " << top << " inks " << line << ", the frame holds " << inside;
}

} // namespace
} // namespace vsm::test
