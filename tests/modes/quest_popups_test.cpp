// Tests of the quest level's information popups as a player meets them: the events a clearing
// move posts, a resumed level that shows none, and the frame timer while popups wait for the
// board.
#include "modes/ModesFixture.h"

#include "board/BoardSeams.h"
#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "level/TLevelSequencer.h"
#include "modes/QuestLevel.h"
#include "overlays/TPopupManager.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "services/GameFlags.h"
#include "services/TDeltaTime.h"
#include "support/ButtonInput.h"
#include "support/TestAssets.h"
#include "widgets/TAnimButton.h"

#include <string>
#include <vector>

namespace vsm::test {
namespace {

class QuestPopupsTest : public ModesFixture {
  protected:
    void SetUp() override {
        ModesFixture::SetUp();
        // A row of three cells dealing single runes: the third clears the row, the first match.
        Levels(
            {{"row.tsc", LevelDoc("GoalType=1 AvailableDavar=\"1\" AvailableBlocks=\"p1\" PetrifyTime=600000 "
                                  "Time=0 SpheresColors=\"1 0 0 0 0\" SpheresCapacities=\"90 0 0 0 0\"",
                                  {"111"})}});
        sequencer.Last = 9;
        saveToProfile = 1;
    }

    // The popup document of position 3: one popup a line, each "event:condition:text".
    void Popups(const std::vector<std::string>& popups) {
        std::string doc;
        int n = 0;
        for (const std::string& p : popups) {
            const size_t a = p.find(':'), b = p.find(':', a + 1);
            doc += "P" + std::to_string(++n) + "{ Level=3 Event=\"" + p.substr(0, a) +
                   "\" Condition=" + p.substr(a + 1, b - a - 1) +
                   " Image=\"gfx/info/popup.png\" X=220 Y=170 ButtonY=-1 TextY=-1 Lines=1 Line1=\"" +
                   p.substr(b + 1) + "\" Spell=0 }\n";
        }
        WriteArchive(resources + "data/popups_lp.bca", {{"info.tsc", doc}});
    }

    // While a popup shows: notes its text once and holds the OK button down every 15th frame.
    void ServePopup(int frame, FrameInput& in) {
        for (const DrawCall& call : control->DrawLog())
            if (call.op == "text" && call.state.font == popupManager.font &&
                (shown.empty() || shown.back() != call.text))
                shown.push_back(call.text);
        const auto& dim = popupManager.button->dim;
        in = PointerAt(static_cast<int>(dim->x) + 10, static_cast<int>(dim->y) + 10);
        in.held[1] = frame % 15 == 14;
    }

    // Plays the row's three placements (a wheel turn asked just before the first when rotate is
    // set), serving every popup that shows, then closes the window. Returns the placements made.
    int PlayTheRow(int resume, bool rotate) {
        quit = 0;
        shown.clear();
        SetUpQuestLevel("row.tsc", 3);
        int placed = 0, waited = 0, after = 0;
        Script([&](int frame, FrameInput& in) {
            if (popUpIsOn != 0) {
                ServePopup(frame, in);
            } else if (placed < 3 && BoardSettled() && blocks.actualBlock && ++waited > 1) {
                in = ClickCell(placed++, 0);
                if (rotate && placed == 1) in.wheel = 1;
                waited = 0;
            } else if (placed == 3 && ++after == 60) {
                in.terminate = true;
            }
            control->ClearDrawLog();
            return true;
        });
        EXPECT_THROW(goGlyndra(resume), ProgramEnd);
        return placed;
    }

    std::vector<std::string> shown; // texts of the popups shown, in order
};

TEST_F(QuestPopupsTest, AClearingMovePostsMakeMatchThenRightUnusedUntilARotationIsAsked) {
    struct Case {
        const char* name;
        bool rotate;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {"never rotated", false, {"match", "unused"}},
        {"after a rotation request", true, {"match"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Listed first, the "RIGHT_UNUSED" popup still shows second: the events go in posting order.
        Popups({"RIGHT_UNUSED:1:unused", "MAKE_MATCH:1:match"});
        EXPECT_EQ(PlayTheRow(0, c.rotate), 3);
        EXPECT_EQ(shown, c.shown);
    }
}

TEST_F(QuestPopupsTest, AResumedLevelShowsNoneOfItsPopups) {
    struct Case {
        const char* name;
        int resume;
        int shown;
    };
    const Case cases[] = {{"started fresh", 0, 2}, {"resumed", 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Popups({"BEGIN_LEVEL:0:begin", "MAKE_MATCH:1:match"});
        control->ClearSoundLog();
        EXPECT_EQ(PlayTheRow(c.resume, false), 3);
        EXPECT_EQ(static_cast<int>(shown.size()), c.shown);
        EXPECT_EQ(CountCues(*control, "playgame-info-show.ogg"), c.shown);
    }
}

TEST_F(QuestPopupsTest, ACloseRequestWhileAPopupShowsEndsTheProgram) {
    Popups({"BEGIN_LEVEL:0:begin"});
    SetUpQuestLevel("row.tsc", 3);
    int closedAt = -1, last = -1;
    Script([&](int frame, FrameInput& in) {
        last = frame;
        if (popUpIsOn != 0 && closedAt < 0 && frame > 60) {
            closedAt = frame;
            in.terminate = true;
        }
        return true;
    });
    EXPECT_THROW(goGlyndra(0), ProgramEnd);
    ASSERT_GE(closedAt, 0);
    EXPECT_LE(last, closedAt + 1);
    EXPECT_EQ(quit, 1);
}

TEST_F(QuestPopupsTest, FrameFactorsKeepTimeWhilePopupsWaitForTheBoard) {
    Popups({"BEGIN_LEVEL:0:begin"});
    SetUpQuestLevel("row.tsc", 3);
    // Each frame's work takes 8 ms besides the frame step of the presentation.
    const auto drawHelp = boardSeams.bossDrawHelp;
    boardSeams.bossDrawHelp = [&] {
        control->AdvanceClock(8);
        return drawHelp ? drawHelp() : 0;
    };
    struct Sample {
        double factor;
        int64_t clock;
    };
    std::vector<Sample> waiting; // frames with the start popup waiting for the board
    int after = 0;
    Script([&](int frame, FrameInput& in) {
        if (popUpIsOn != 0)
            ServePopup(frame, in);
        else if (!popupManager.events.empty())
            waiting.push_back({delta, MilliSecs64()});
        else if (++after == 5)
            in.terminate = true;
        control->ClearDrawLog();
        return true;
    });
    EXPECT_THROW(goGlyndra(0), ProgramEnd);
    boardSeams.bossDrawHelp = drawHelp;
    EXPECT_EQ(shown, std::vector<std::string>{"begin"});
    ASSERT_GT(waiting.size(), 30u);
    // The frames' factors add up to the time that passed: each covers the whole time since the
    // frame before it.
    double counted = 0;
    for (size_t i = 1; i < waiting.size(); ++i)
        counted += waiting[i].factor * 1000.0 / 60.0;
    EXPECT_NEAR(counted, static_cast<double>(waiting.back().clock - waiting.front().clock), 2.0);
}

} // namespace
} // namespace vsm::test
