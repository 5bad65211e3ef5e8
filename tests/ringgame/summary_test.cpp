// The summary scroll's points, the stage state in the profile and the spells handed to the next
// quest level.
#include "RingFixture.h"

#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "level/TLevelSequencer.h"
#include "level/TPointsManager.h"
#include "magic/TBunusManagerA.h"
#include "platform/System.h"
#include "profiles/TProfileManager.h"
#include "ringgame/TRingGame.h"
#include "support/ScreenInk.h"
#include "widgets/SharedAssets.h"
#include "widgets/TContainer.h"

#include <algorithm>
#include <map>

namespace vsm::test {

namespace {

class RingSummary : public RingFixture {
  protected:
    // Runs the summary; clickWhen(frame, bonus row shown) decides each frame's click. Records the
    // bonus and total rows of every frame that drew them.
    int RunSummary(std::function<bool(int, const std::string&)> clickWhen) {
        std::string bonus;
        Drive([&, clickWhen](int f, FrameInput& in) {
            const auto b = TextsAt(440, 334);
            const auto t = TextsAt(440, 371);
            if (!b.empty() && !t.empty()) {
                bonus = b.back();
                bonusRows.push_back(bonus);
                totalRows.push_back(t.back());
            }
            control->ClearDrawLog();
            if (clickWhen(f, bonus)) in.clicks.push_back(1);
            return f < 2000;
        });
        return ringGame.Summary();
    }
    std::vector<std::string> bonusRows, totalRows;
};

class RingHandOver : public RingFixture {
  protected:
    // A board of free rune cells for random tokens.
    void FillBoard(int cells) {
        auto rune = std::make_shared<TRune>();
        rune->id = "1";
        rune->color = "1";
        davar.List.push_back(rune);
        for (int i = 0; i < cells; ++i) {
            board.grid[i % 15][i / 15] = 1;
            board.davarLayer[i % 15][i / 15] = 1;
            board.colorLayer[i % 15][i / 15] = 1;
        }
    }
    std::map<int, int> TokensByKind() const {
        std::map<int, int> n;
        for (const auto& t : bonusManagerAlt.bonuses)
            ++n[t->kind];
        return n;
    }
};

} // namespace

TEST_F(RingSummary, SevenHitsMoveIntoTheTotalStepByStep) {
    ringGame.seqHits = 7;
    ringGame.maxTime = 90000;
    points.total = 12000;
    EXPECT_EQ(RunSummary([](int f, const std::string& bonus) { return bonus == "0" && f % 5 == 0; }), 0);
    EXPECT_EQ(points.total, 15500);
    ASSERT_FALSE(bonusRows.empty());
    EXPECT_EQ(bonusRows.front(), "3500");
    EXPECT_EQ(totalRows.front(), "12000");
    EXPECT_EQ(bonusRows.back(), "0");
    EXPECT_EQ(totalRows.back(), "15500");
    std::vector<std::string> steps;
    for (const auto& b : bonusRows)
        if (steps.empty() || steps.back() != b) steps.push_back(b);
    EXPECT_EQ(steps.size(), 8u) << "3500 down to 0 in steps of 500";
    for (size_t i = 0; i < bonusRows.size(); ++i)
        EXPECT_EQ(std::stoi(bonusRows[i]) + std::stoi(totalRows[i]), 15500);
    EXPECT_EQ(Plays("playgame-ring-out.ogg"), 1);
}

TEST_F(RingSummary, AClickDuringTheTallyPaysTheRestAtOnceWithoutTheRollUpSound) {
    ringGame.seqHits = 7;
    points.total = 12000;
    EXPECT_EQ(RunSummary([](int, const std::string& bonus) { return bonus == "3000"; }), 0);
    EXPECT_EQ(points.total, 15500);
    const auto skipped = std::find(bonusRows.begin(), bonusRows.end(), "0");
    ASSERT_NE(skipped, bonusRows.end());
    EXPECT_EQ(*(skipped - 1), "3000");
    EXPECT_EQ(Plays("playgame-ring-out.ogg"), 0);
}

TEST_F(RingSummary, ShowsTheTimeSettingAndTheSpellsReceived) {
    ringGame.seqHits = 0;
    ringGame.recivedSpells = 3;
    ringGame.maxTime = 90000;
    struct Case {
        int seqNo;
        const char* word;
        const char* value;
    };
    for (const Case& c : {Case{2, "spells:", "3"}, Case{4, "spell:", "Fire spell"}}) {
        SCOPED_TRACE(c.seqNo);
        sequencer.seqNo = c.seqNo;
        std::vector<std::string> words, values, times;
        Drive([&](int f, FrameInput& in) {
            for (const auto& w : TextsAt(300, 260))
                words.push_back(w);
            for (const auto& v : TextsAt(440, 255))
                values.push_back(v);
            for (const auto& v : TextsAt(440, 297))
                times.push_back(v);
            control->ClearDrawLog();
            if (f % 10 == 0) in.clicks.push_back(1);
            return f < 2000;
        });
        EXPECT_EQ(ringGame.Summary(), 0);
        ASSERT_FALSE(words.empty());
        EXPECT_EQ(words.back(), c.word);
        EXPECT_EQ(values.back(), c.value);
        EXPECT_EQ(times.back(), "1:30");
        ringGame.ringScale = 1;
        ringGame.ringAlfa = 1;
    }
}

TEST_F(RingSummary, ACloseRequestEndsItWithThePointsAlreadyPaid) {
    ringGame.seqHits = 2;
    points.total = 100;
    Drive([](int f, FrameInput& in) {
        in.terminate = f == 5;
        return true;
    });
    EXPECT_EQ(ringGame.Summary(), 1);
    EXPECT_EQ(points.total, 1100);
}

TEST_F(RingSummary, SavedStateReadsBackWithTheClockGoingOn) {
    control->SetClock(100000);
    ringGame.maxTime = 60000;
    ringGame.Timer = 70000;
    ringGame.seqHits = 9;
    ringGame.recivedSpells = 3;
    ringGame.spells[0]->counter = 1;
    ringGame.spells[4]->counter = 2;
    ringGame.SaveToProfile();

    ResetRingGameGlobals();
    ringGame.loadGfx();
    ringGame.maxTime = 60000;
    control->SetClock(500000);
    ringGame.LoadFromProfile();
    EXPECT_EQ(ringGame.seqHits, 9);
    EXPECT_EQ(ringGame.recivedSpells, 3);
    EXPECT_EQ(ringGame.Timer, 500000 - 30000);
    EXPECT_EQ(ringGame.wahadloMaxRot, 15);
    const int counters[6] = {1, 0, 0, 0, 2, 0};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(ringGame.spells[k]->counter, counters[k]) << "kind " << k + 1;
}

TEST(RingPendulum, AmplitudeFollowsTheTimeLeft) {
    struct Case {
        int64_t elapsed, maxTime;
        int amplitude;
    };
    const Case cases[] = {
        {0, 60000, 30},    {1, 60000, 29},    {30000, 60000, 15},
        {60000, 60000, 0}, {90000, 60000, 0}, {0, 0, 0},
        {500, 0, 0},       {10, -100, 0},     {int64_t{1} << 40, 60000, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.elapsed) + " of " + std::to_string(c.maxTime));
        EXPECT_EQ(PendulumAmplitude(c.elapsed, c.maxTime), c.amplitude);
    }
}

TEST_F(RingHandOver, TheFifthPositionGetsFourFireTokensWhateverWasWon) {
    FillBoard(225);
    sequencer.seqNo = 5;
    profile.SetNumber("RMGRecivedSpell3", 2, 0);
    ringGame.CopySpells();
    std::vector<std::pair<int, int>> cells;
    for (const auto& t : bonusManagerAlt.bonuses) {
        EXPECT_EQ(t->kind, 1);
        cells.emplace_back(t->x, t->y);
    }
    EXPECT_EQ(cells, (std::vector<std::pair<int, int>>{{7, 2}, {7, 12}, {2, 7}, {12, 7}}));
}

TEST_F(RingHandOver, ElsewhereEachSpellWonBecomesAToken) {
    FillBoard(225);
    sequencer.seqNo = 7;
    profile.SetNumber("RMGRecivedSpell3", 2, 0);
    profile.SetNumber("RMGRecivedSpell6", 1, 0);
    profile.SetNumber("RMGRecivedSpell1", -4, 0);
    ringGame.CopySpells();
    EXPECT_EQ(TokensByKind(), (std::map<int, int>{{3, 2}, {6, 1}}));
    // The keys stay, so a restart of the level receives the same tokens again.
    EXPECT_EQ(profile.GetNumber("RMGRecivedSpell3"), 2);
}

TEST_F(RingHandOver, ADamagedCountFillsTheBoardAndReturns) {
    FillBoard(20);
    sequencer.seqNo = 7;
    profile.SetNumber("RMGRecivedSpell2", 2000000000, 0);
    ringGame.CopySpells();
    EXPECT_EQ(TokensByKind(), (std::map<int, int>{{2, 20}}));
}

TEST_F(RingSummary, EveryLineStandsOnTheOpenPaperApartFromTheOthers) {
    const ImagePtr paper = data.GetImage(DATA_SCROLL_MIDDLE);
    ASSERT_TRUE(paper);
    const InkBox onPaper = OpenSummaryPaper(paper);
    ringGame.seqHits = 0;
    ringGame.recivedSpells = 999;
    ringGame.maxTime = 35999000;
    points.total = 9999999;
    for (int seqNo : {2, 4}) { // "spells:" and a number; "spell:" and the spell's name
        SCOPED_TRACE(seqNo);
        sequencer.seqNo = seqNo;
        std::vector<DrawCall> widest; // the frame that drew the most lines: the scroll open
        Drive([&](int f, FrameInput& in) {
            std::vector<DrawCall> texts;
            for (const DrawCall& c : control->DrawLog())
                if (c.op == "text") texts.push_back(c);
            if (texts.size() > widest.size()) widest = texts;
            control->ClearDrawLog();
            if (f % 10 == 0) in.clicks.push_back(1);
            return f < 2000;
        });
        EXPECT_EQ(ringGame.Summary(), 0);
        ASSERT_EQ(widest.size(), 11u);
        ExpectTextsInsideAndApart(widest, onPaper);
        ringGame.ringScale = 1;
        ringGame.ringAlfa = 1;
    }
}

} // namespace vsm::test
