// Tests of the end-of-level summary: its stages in order with their timings, the point tally,
// its sounds, the click paths and the scroll display of both variants.
#include "level/LevelFixture.h"

#include "board/TBoardManager.h"
#include "level/TLevelManager.h"
#include "level/TLevelSequencer.h"
#include "level/TPointsManager.h"
#include "level/TTimeManager.h"
#include "platform/System.h"
#include "platform/audio/TSound.h"
#include "services/Sound.h"
#include "services/TGlobalSnd.h"
#include "services/Paths.h"
#include "services/TMouse.h"
#include "support/ScreenInk.h"
#include "support/TestSupport.h"
#include "widgets/SharedAssets.h"
#include "widgets/TContainer.h"

#include <algorithm>
#include <climits>
#include <map>
#include <set>
#include <vector>

namespace vsm::test {
namespace {

SoundPtr FakeSound(const std::string& name, int flags = 0) {
    auto sound = std::make_shared<TSound>();
    sound->path = name;
    sound->flags = flags;
    sound->durationMs = 100000;
    return sound;
}

class SummaryTest : public LevelFixture {
  protected:
    void SetUp() override {
        LevelFixture::SetUp();
        level.summarySnd = FakeSound("count", SOUND_LOOP);
        level.summarySndStop = FakeSound("countStop");
        level.scrollInSnd = FakeSound("scrollIn");
        level.scrollOutSnd = FakeSound("scrollOut");
        level.bonusSnd = FakeSound("tick");
        level.levelEnd = FakeSound("jingle");
        for (int i = 8; i <= 12; ++i)
            globalSnd.sfx[i] = FakeSound("voice" + std::to_string(i));
    }
    // A full board whose first `free` cells in walk order are empty and the rest hold runes.
    void BoardWithFreeCells(int free) {
        FullEmptyBoard();
        for (int i = free; i < 225; ++i)
            board.davarLayer[i % 15][i / 15] = 2;
    }
    // One summary frame of 1000/60 ms; the pointer is pressed when click is set.
    void Frame(bool click = false) {
        mouse.leftPressed = click ? 1 : 0;
        level.updateSummary();
        mouse.leftPressed = 0;
        control->AdvanceClock(17);
    }
    // Sounds started (played at once, or cued and resumed), by the name of their fake file.
    std::vector<std::string> Played() const {
        std::vector<std::string> out;
        for (const SoundEvent& e : control->SoundLog()) {
            if (e.op == "play" || e.op == "cue") out.push_back(e.path);
        }
        return out;
    }
    int PlayCount(const std::string& name) const {
        const auto played = Played();
        return static_cast<int>(std::count(played.begin(), played.end(), name));
    }
};

TEST_F(SummaryTest, StagesRunInOrderWithTheirTimingsAndTally) {
    const int free = 12;
    BoardWithFreeCells(free);
    points.total = 1000;
    points.actual = 500;
    sequencer.seqNo = 3;
    level.startSummary();
    const int start = MilliSecs();

    std::map<int, int> enteredAt; // stage -> clock when first seen
    std::map<int, int> updatesIn; // stage -> updates that ended in it
    std::vector<int> order{0};
    std::vector<int> counterSteps; // pointsCounter after each update of the count-up
    int pointsAtStage2 = -1, counterAtStage2 = -1;
    for (int frame = 0; frame < 2000 && !level.summaryDone; ++frame) {
        const bool click = level.summaryStage == SUMMARY_AWAIT_CLICK && updatesIn[SUMMARY_AWAIT_CLICK] >= 30;
        const int before = level.summaryStage;
        Frame(click);
        const int stage = level.summaryStage;
        ++updatesIn[stage];
        if (stage != before) {
            for (int s = before + 1; s <= stage; ++s) {
                order.push_back(s);
                enteredAt[s] = MilliSecs() - 17;
            }
        }
        if (stage == SUMMARY_DOORS_CLOSE && pointsAtStage2 < 0) {
            pointsAtStage2 = points.actual;
            counterAtStage2 = level.pointsCounter;
        }
        if (stage == SUMMARY_BONUS_COUNT_UP ||
            (before == SUMMARY_BONUS_COUNT_UP && stage == SUMMARY_AWAIT_CLICK))
            counterSteps.push_back(level.pointsCounter);
    }
    ASSERT_EQ(level.summaryDone, 1);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));

    // The first stage waits more than a second; the count takes two updates per free cell.
    EXPECT_GT(enteredAt[SUMMARY_COUNT] - start, 1000);
    EXPECT_LE(enteredAt[SUMMARY_COUNT] - start, 1017);
    EXPECT_EQ(updatesIn[SUMMARY_COUNT], 2 * free - 2);
    EXPECT_EQ(pointsAtStage2, 500 + 25 * free);
    EXPECT_EQ(counterAtStage2, 1500);

    // Doors, pause, rollers, scroll and the pauses between them.
    EXPECT_GT(enteredAt[SUMMARY_SCROLL_APPEAR] - enteredAt[SUMMARY_DOORS_SHUT], 500);
    EXPECT_GT(enteredAt[SUMMARY_SCROLL_UNROLL] - enteredAt[SUMMARY_SCROLL_APPEAR], 100);
    EXPECT_GT(enteredAt[SUMMARY_BONUS_COUNT_UP] - enteredAt[SUMMARY_SCROLL_OPEN], 200);
    EXPECT_GT(enteredAt[SUMMARY_FADE_OUT] - enteredAt[SUMMARY_SCROLL_VANISH], 100);
    EXPECT_GT(enteredAt[SUMMARY_DONE] - enteredAt[SUMMARY_FADE_OUT], 200);
    EXPECT_EQ(level.doorPos, 400);
    EXPECT_EQ(level.scrollViewPos, 0);
    EXPECT_EQ(level.scrollAlpha, 0);
    EXPECT_GT(level.fadeAlpha, 0.79f);
    EXPECT_LT(level.fadeAlpha, 0.82f);

    // The count-up moves the bonus into the shown total 25 points at a time.
    ASSERT_FALSE(counterSteps.empty());
    EXPECT_EQ(counterSteps.back(), 1500 + 25 * free);
    for (size_t i = 1; i < counterSteps.size(); ++i)
        EXPECT_LE(counterSteps[i] - counterSteps[i - 1], 25);
    EXPECT_EQ(level.bonusPoints, 0);
    EXPECT_EQ(points.actual, 500 + 25 * free) << "the bonus is booked once";

    // Sounds: the count loop, its stop, the scroll, the voice of position 3, the ticks (steps 1,
    // 6, 11 silent), the click.
    EXPECT_EQ(PlayCount("count"), 1);
    EXPECT_EQ(PlayCount("jingle"), 1);
    EXPECT_EQ(PlayCount("countStop"), 1);
    EXPECT_EQ(PlayCount("scrollIn"), 1);
    EXPECT_EQ(PlayCount("voice8"), 1);
    EXPECT_EQ(PlayCount("tick"), free - 3);
    EXPECT_EQ(PlayCount("scrollOut"), 1);
}

TEST_F(SummaryTest, BoardWithoutFreeCellsEndsTheCountAtOnce) {
    BoardWithFreeCells(0);
    points.actual = 300;
    level.startSummary();
    control->AdvanceClock(1001);
    Frame();
    EXPECT_EQ(level.summaryStage, SUMMARY_DOORS_CLOSE);
    EXPECT_EQ(level.bonusPoints, 0);
    EXPECT_EQ(PlayCount("jingle"), 0) << "the count ended before the jingle";
    for (int i = 0; i < 300 && level.summaryStage < SUMMARY_BONUS_COUNT_UP; ++i)
        Frame();
    EXPECT_EQ(level.summaryStage, SUMMARY_AWAIT_CLICK) << "nothing to count up";
    EXPECT_EQ(level.pointsCounter, 300);
}

TEST_F(SummaryTest, ClickDuringCountUpMovesTheRestAtOnce) {
    BoardWithFreeCells(20);
    level.startSummary();
    for (int i = 0; i < 1000 && level.summaryStage < SUMMARY_BONUS_COUNT_UP; ++i)
        Frame();
    ASSERT_EQ(level.summaryStage, SUMMARY_BONUS_COUNT_UP);
    Frame();
    Frame();
    Frame(true);
    EXPECT_EQ(level.summaryStage, SUMMARY_SCROLL_ROLL_UP);
    EXPECT_EQ(level.pointsCounter, 20 * 25);
    EXPECT_EQ(level.bonusPoints, 0);
    EXPECT_EQ(PlayCount("scrollOut"), 1);
}

TEST_F(SummaryTest, ClicksOutsideTheirStagesDoNothing) {
    BoardWithFreeCells(3);
    level.startSummary();
    for (int i = 0; i < 1000 && level.summaryStage < SUMMARY_SCROLL_OPEN; ++i)
        Frame(true);
    EXPECT_EQ(level.summaryStage, SUMMARY_SCROLL_OPEN);
    EXPECT_EQ(level.bonusPoints, 75);
    EXPECT_EQ(PlayCount("scrollOut"), 0);
}

TEST_F(SummaryTest, JinglePlaysAgainAfterACountCutShort) {
    BoardWithFreeCells(10);
    level.startSummary();
    control->AdvanceClock(1001);
    Frame();
    Frame();
    ASSERT_EQ(level.summaryStage, SUMMARY_COUNT);
    ASSERT_EQ(PlayCount("jingle"), 1);
    // The quest loop cuts the count with a click and the level ends.
    level.summaryStage = SUMMARY_DOORS_CLOSE;
    level.startSummary();
    control->AdvanceClock(1001);
    Frame();
    Frame();
    EXPECT_EQ(PlayCount("jingle"), 2);
}

TEST_F(SummaryTest, ASummaryNeverSilencesTheSoundThatTookTheCutCountsChannel) {
    BoardWithFreeCells(10);
    level.startSummary();
    control->AdvanceClock(1001);
    Frame();
    ASSERT_EQ(level.summaryStage, SUMMARY_COUNT);
    ASSERT_EQ(PlayCount("count"), 1);
    // The count is cut short; the next level's sounds go round the seven channels, and the
    // winning move's sound lands on the channel the count used.
    level.summaryStage = SUMMARY_PAUSE;
    for (int i = 0; i < 6; ++i)
        playSound2(FakeSound("move"));
    const ChannelPtr win = playSound2(FakeSound("win"));
    ASSERT_EQ(win, level.summaryChn);
    control->ClearSoundLog();
    level.startSummary();
    for (const SoundEvent& e : control->SoundLog())
        EXPECT_NE(e.op, "pause") << "channel " << e.channel;
    EXPECT_EQ(level.summaryChn, nullptr);

    // A count still holding its channel is stopped as before.
    control->AdvanceClock(1001);
    Frame();
    ASSERT_EQ(level.summaryStage, SUMMARY_COUNT);
    control->ClearSoundLog();
    level.startSummary();
    int pauses = 0;
    for (const SoundEvent& e : control->SoundLog())
        pauses += e.op == "pause";
    EXPECT_EQ(pauses, 1);
}

TEST_F(SummaryTest, VoiceClipOfEveryPosition) {
    struct Case {
        int seqNo, clip;
    };
    const Case cases[] = {{3, 8},  {4, 9},   {5, 10},  {6, 11},       {0, 10},      {-1, 9},
                          {-2, 8}, {-4, 11}, {-5, 10}, {INT_MAX, 12}, {INT_MIN, 12}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seqNo);
        sequencer.seqNo = c.seqNo;
        level.summaryStage = SUMMARY_SCROLL_UNROLL;
        level.scrollViewPos = 150;
        level.summaryTimer = MilliSecs() - 1000;
        control->ClearSoundLog();
        level.updateSummary();
        EXPECT_EQ(level.summaryStage, SUMMARY_SCROLL_OPEN);
        EXPECT_EQ(PlayCount("voice" + std::to_string(c.clip)), 1);
    }
}

class SummaryDisplayTest : public SummaryTest {
  protected:
    std::vector<const DrawCall*> Texts() const {
        std::vector<const DrawCall*> out;
        for (const DrawCall& call : control->DrawLog()) {
            if (call.op == "text") out.push_back(&call);
        }
        return out;
    }
    std::set<std::string> TextSet() const {
        std::set<std::string> out;
        for (const DrawCall* call : Texts())
            out.insert(call->text);
        return out;
    }
};

TEST_F(SummaryDisplayTest, ClosedBandShowsOnlyTheRowsNearTheMiddle) {
    level.summaryStage = SUMMARY_SCROLL_APPEAR;
    level.scrollViewPos = 0;
    level.combos = 4;
    level.droppedSpells = 6;
    level.summaryDisplay();
    EXPECT_EQ(TextSet(), (std::set<std::string>{"Combos:", "4", "Spells cast:", "6"}));

    control->ClearDrawLog();
    level.recivedSpells = 9;
    level.summaryDisplayET(75, 31, 0);
    EXPECT_EQ(TextSet(), (std::set<std::string>{"Used blocks", "31", "Time:", "1:15"}));
}

TEST_F(SummaryDisplayTest, OpenScrollListsTheFiguresOfEachVariant) {
    level.summaryStage = SUMMARY_BONUS_COUNT_UP;
    level.scrollViewPos = 155;
    level.matches = 11;
    level.combos = 2;
    level.droppedSpells = 3;
    level.recivedSpells = 5;
    level.bonusPoints = 250;
    level.pointsCounter = 4000;
    timeManager.actualTime = 125999;
    level.summaryDisplay();
    const std::set<std::string> quest = {
        "Well done!", "Matches:",      "11",  "Combos:",       "2",    "Spells cast:",     "3", "Time:",
        "2:05",       "Bonus points:", "250", "Total points:", "4000", "Click to continue"};
    EXPECT_EQ(TextSet(), quest);
    for (const DrawCall* call : Texts()) {
        EXPECT_EQ(call->state.r, 0);
        if (call->text == "Matches:") {
            EXPECT_FLOAT_EQ(call->x, 290);
        }
        if (call->text == "11") {
            EXPECT_FLOAT_EQ(call->x, 445);
        }
    }

    control->ClearDrawLog();
    level.summaryDisplayET(61, 40, 3999);
    const std::set<std::string> endless = {
        "Well done!", "Received spells:", "5",   "Used blocks",   "40",   "Time:",
        "1:01",       "Bonus points:",    "250", "Total points:", "4000", "Best result:",
        "3999",       "Click to continue"};
    EXPECT_EQ(TextSet(), endless);

    control->ClearDrawLog();
    level.summaryStage = SUMMARY_SCROLL_VANISH;
    level.summaryDisplay();
    for (const DrawCall* call : Texts())
        EXPECT_FLOAT_EQ(call->state.alpha, 0) << call->text;
}

TEST_F(SummaryDisplayTest, NewHiscoreBadgeOnlyForABetterScore) {
    level.newHiscoreImg = CreateImage(20, 10);
    struct Case {
        int actual, best;
        bool badge;
    };
    const Case cases[] = {{100, 100, false}, {100, 0, true}, {101, 100, true}, {0, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.actual << " vs " << c.best);
        level.startSummary();
        level.summaryStage = SUMMARY_BONUS_COUNT_UP;
        points.actual = c.actual;
        float lastAlpha = -1;
        for (int frame = 0; frame < 45; ++frame) {
            control->ClearDrawLog();
            level.summaryDisplayET(10, 1, c.best);
            for (const DrawCall& call : control->DrawLog()) {
                if (call.image == level.newHiscoreImg) lastAlpha = call.state.alpha;
            }
        }
        EXPECT_FLOAT_EQ(lastAlpha, c.badge ? 1.0f : -1.0f);
        EXPECT_EQ(level.sparksCount, c.badge ? 0 : 82);
    }
}

TEST_F(SummaryDisplayTest, DoorsRideInFromBothEdges) {
    for (int door = 0; door < 2; ++door) {
        for (int k = 0; k < 6; ++k)
            level.doorImg[door][k] = CreateImage(8, 8);
    }
    level.summaryStage = SUMMARY_DOORS_CLOSE;
    level.doorPos = 100;
    level.summaryDisplay();
    std::vector<std::pair<float, float>> tiles;
    for (const DrawCall& call : control->DrawLog()) {
        if (call.op == "image" && call.image && call.image->width == 8) tiles.emplace_back(call.x, call.y);
    }
    const std::vector<std::pair<float, float>> expected = {{-300, 0},  {-44, 0},   {84, 0},    {-300, 512},
                                                           {-44, 512}, {84, 512},  {700, 0},   {956, 0},
                                                           {1084, 0},  {700, 512}, {956, 512}, {1084, 512}};
    EXPECT_EQ(tiles, expected);
}

TEST_F(SummaryDisplayTest, EveryLineStandsOnTheOpenPaperApartFromTheOthers) {
    // The game's own scroll and fonts, and figures as long as a game makes them.
    bDir = ResourcesDir();
    LoadSharedScrollsAndFonts();
    const ImagePtr paper = data.GetImage(DATA_SCROLL_MIDDLE);
    ASSERT_TRUE(paper);
    level.summaryStage = SUMMARY_BONUS_COUNT_UP;
    level.scrollViewPos = 155;
    level.matches = level.combos = 99999;
    level.droppedSpells = level.recivedSpells = 999;
    level.bonusPoints = level.pointsCounter = 9999999;
    timeManager.actualTime = 35999000; // 9:59:59
    const InkBox onPaper = OpenSummaryPaper(paper);
    for (int variant = 0; variant < 2; ++variant) {
        SCOPED_TRACE(variant == 0 ? "quest" : "endless and time attack");
        control->ClearDrawLog();
        if (variant == 0)
            level.summaryDisplay();
        else
            level.summaryDisplayET(35999, 99999, 9999999);
        std::vector<DrawCall> lines;
        for (const DrawCall& call : control->DrawLog())
            if (call.op == "text") lines.push_back(call);
        ASSERT_EQ(lines.size(), 14u);
        ExpectTextsInsideAndApart(lines, onPaper);
    }
}

} // namespace
} // namespace vsm::test
