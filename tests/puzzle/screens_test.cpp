// The puzzle's opening fade, summary tally and closing picture.
#include "PuzzleFixture.h"

#include "level/TLevelSequencer.h"
#include "level/TPointsManager.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "puzzle/TPuzzleManager.h"
#include "services/Paths.h"
#include "support/ScreenInk.h"
#include "support/TestSupport.h"
#include "widgets/SharedAssets.h"
#include "widgets/TContainer.h"

namespace vsm::test {

using PuzzleScreens = PuzzleFixture;

TEST_F(PuzzleScreens, SummaryTalliesTilesLessHintsWithOrWithoutAnEarlyClick) {
    struct Case {
        const char* name;
        int fromMenu, hints;
        bool clickEveryFrame;
        int total, shown;
    };
    // 12 tiles; the campaign's tally starts at the score before the puzzle.
    const Case cases[] = {
        {"campaign, waits for the count", 0, 0, false, 1000 + 600, 1000 + 600},
        {"campaign, click during the count", 0, 3, true, 1000 + 450, 1000 + 450},
        {"gallery, no score change", 1, 2, false, 1000, 500},
        {"gallery, more hints than tiles", 1, 20, true, 1000, -400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Build(4, 3);
        points.total = 1000;
        puzzle.hintsCount = c.hints;
        control->ClearDrawLog();
        control->SetScript([&](int frame, FrameInput& in) {
            // Waiting for the count: press only long after it is done (12 + 20 steps of 50 ms).
            if (c.clickEveryFrame ? frame > 50 : frame > 200 && frame % 20 == 0) ClickAt(in, 400, 300);
            return frame < 800;
        });
        EXPECT_EQ(puzzle.summary(nullptr, nullptr, nullptr, c.fromMenu), 0);
        EXPECT_EQ(points.total, c.total);
        const auto shown = ValuesAfter("Points:");
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown.back(), std::to_string(c.shown));
        EXPECT_EQ(ValuesAfter("Puzzles:").back(), "0");
        EXPECT_EQ(ValuesAfter("Hints:").back(), "0");
    }
}

TEST_F(PuzzleScreens, SummaryVoiceFollowsTheCampaignPosition) {
    const std::pair<int, const char*> cases[] = {
        {3, "v-wellplayed.ogg"}, {8, "v-wellplayed.ogg"}, {4, "v-wdone.ogg"}};
    for (const auto& [seq, voice] : cases) {
        SCOPED_TRACE(seq);
        Build(2, 1);
        sequencer.seqNo = seq;
        control->ClearSoundLog();
        control->SetScript([&](int frame, FrameInput& in) {
            if (frame > 100) ClickAt(in, 400, 300);
            return frame < 800;
        });
        puzzle.summary(nullptr, nullptr, nullptr, 1);
        EXPECT_EQ(SoundOps("cue", voice), 1);
    }
}

TEST_F(PuzzleScreens, SummaryEndsOnACloseRequestAfterAddingThePoints) {
    Build(4, 3);
    points.total = 0;
    control->SetScript([](int frame, FrameInput& in) {
        in.terminate = frame == 3;
        return frame < 50;
    });
    EXPECT_EQ(puzzle.summary(nullptr, nullptr, nullptr, 0), 1);
    EXPECT_EQ(points.total, 600);
}

TEST_F(PuzzleScreens, FinishFreezesThePictureOnAClickAndFadesToBlack) {
    Build(2, 1);
    control->SetScript([](int frame, FrameInput& in) {
        if (frame == 10) ClickAt(in, 400, 300);
        return frame < 100;
    });
    EXPECT_EQ(puzzle.Finish(nullptr), 0);
    std::vector<DrawCall> pictures;
    for (const DrawCall& call : Draws())
        if (call.image == puzzle.stageCompleted) pictures.push_back(call);
    ASSERT_GE(pictures.size(), 20u);
    // Ten frames of zoom, then it stays as it was while the screen turns black in 250 ms.
    // The press is seen on the eleventh frame, after that frame's zoom step.
    EXPECT_NEAR(pictures[10].state.alpha, 0.55f, 1e-4);
    EXPECT_NEAR(pictures[10].state.scaleX, 0.775f, 1e-4);
    for (size_t i = 11; i < pictures.size(); ++i) {
        EXPECT_FLOAT_EQ(pictures[i].state.alpha, pictures[10].state.alpha);
        EXPECT_FLOAT_EQ(pictures[i].state.scaleX, pictures[10].state.scaleX);
    }
    EXPECT_LE(pictures.size(), 11u + 17u);
}

TEST_F(PuzzleScreens, BeginFadesInAndLocksRestoredHomeTiles) {
    Build(2, 1);
    auto tiles = puzzle.puzzle->Tiles();
    tiles[0]->marked = 1;
    control->SetScript(std::vector<FrameInput>(100));
    EXPECT_EQ(puzzle.Begin(nullptr, 0), 0);
    EXPECT_EQ(tiles[0]->marked, 0);
    EXPECT_EQ(tiles[0]->enable, 1);
    std::vector<float> veil;
    for (const DrawCall& call : Draws("rect"))
        veil.push_back(call.state.alpha);
    ASSERT_GE(veil.size(), 14u);
    EXPECT_LE(veil.size(), 17u);
    for (size_t i = 1; i < veil.size(); ++i)
        EXPECT_LT(veil[i], veil[i - 1]);

    EXPECT_EQ(puzzle.Begin(nullptr, 1), 0);
    EXPECT_EQ(tiles[0]->enable, 0);
    EXPECT_EQ(tiles[1]->enable, 0);
}

TEST_F(PuzzleScreens, EveryLineOfTheSummaryStandsOnTheOpenPaperApartFromTheOthers) {
    // The game's own scroll and fonts, and figures as long as a puzzle makes them.
    bDir = ResourcesDir();
    LoadSharedScrollsAndFonts();
    const ImagePtr paper = data.GetImage(DATA_SCROLL_MIDDLE);
    ASSERT_TRUE(paper);
    const InkBox onPaper = OpenSummaryPaper(paper);
    Build(10, 10);
    points.total = 9999999;
    puzzle.hintsCount = 99;
    puzzle.clicks = 99999;
    puzzle.Timer = static_cast<int>(MilliSecs64() - 35999000); // 9:59:59
    std::vector<DrawCall> widest; // the frame that drew the most lines: the scroll open
    control->SetScript([&](int frame, FrameInput& in) {
        std::vector<DrawCall> texts;
        for (const DrawCall& c : control->DrawLog())
            if (c.op == "text") texts.push_back(c);
        if (texts.size() > widest.size()) widest = texts;
        control->ClearDrawLog();
        if (frame > 200 && frame % 20 == 0) ClickAt(in, 400, 300);
        return frame < 800;
    });
    EXPECT_EQ(
        puzzle.summary(nullptr, data.GetTTFont(DATA_FONT_TITLE_28), data.GetTTFont(DATA_FONT_TITLE_40), 0),
        0);
    ASSERT_EQ(widest.size(), 12u);
    ExpectTextsInsideAndApart(widest, onPaper);
}

} // namespace vsm::test
