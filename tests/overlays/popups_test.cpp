// Tests of the information popups: reading a popup, its fade and OK button, the queue and the
// events, the modal check over the paused level, and the hooks that post and prepare them.
#include "overlays/OverlayFixture.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "board/TestRunes.h"
#include "data/TTSCFile.h"
#include "level/TLevelManager.h"
#include "level/TLevelSequencer.h"
#include "level/TTimeManager.h"
#include "magic/TBunusManagerA.h"
#include "magic/TMagicSphere.h"
#include "magic/TRingOfSpells.h"
#include "overlays/TPopupManager.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "services/GameFlags.h"
#include "services/Paths.h"
#include "services/TMouse.h"
#include "shell/MainFlow.h"
#include "support/TestAssets.h"
#include "widgets/TAnimButton.h"

namespace vsm::test {
namespace {

// The panel every fixture popup uses: 360 x 260.
constexpr const char* kPanel = "gfx/info/popup.png";

class PopupTest : public OverlayFixture {
  protected:
    void SetUp() override {
        OverlayFixture::SetUp();
        // A settled board: popups wait for the slide-in and the fade-in.
        board.wjazd = -1;
        board.alpha = 1;
    }

    // Builds the popup from the only group of a document.
    static PopupPtr Make(const std::string& keys) {
        auto doc = CreateTSCFile();
        doc->LoadFromText("P{ " + keys + " }");
        return TPopup::Create(doc, *GetTSCGroupList(doc, "")[0]);
    }
    static std::string Panel() { return std::string("Image=\"") + kPanel + "\" "; }

    // A script that keeps the pointer on the OK button and holds the left button down on every
    // period-th frame only, so each hold is a fresh press.
    void PressOkEvery(int period, int frames) {
        control->SetScript([period, frames](int frame, FrameInput& out) {
            if (frame >= frames) return false;
            const auto& dim = popupManager.button->dim;
            out = At(static_cast<int>(dim->x) + 10, static_cast<int>(dim->y) + 10);
            out.held[1] = frame % period == period - 1;
            return true;
        });
    }
};

TEST_F(PopupTest, CreatePlacesButtonTextAndPictureFromTheDocument) {
    struct Case {
        std::string keys;
        int bx, by, ty, lines, spell;
        bool icon;
    } cases[] = {
        // trunc(0.72 x 260) = 187 and trunc(0.2 x 260) = 52 below Y; the button is centred.
        {Panel() + "X=100 Y=50 ButtonY=-1 TextY=-1 Lines=2", 252, 237, 102, 2, 0, false},
        // A missing ButtonY is 0, not automatic.
        {Panel() + "X=100 Y=50 TextY=30", 252, 50, 80, 0, 0, false},
        {Panel() + "X=10.9 Y=20 ButtonY=100 TextY=0 Spell=3", 162, 120, 20, 0, 3, false},
        {Panel() + "X=0 Y=0 Spell=-1 IconImg=\"gfx/info/ok.png\" IconX=7 IconY=9", 152, 0, 0, 0, -1, true},
        // The icon keys are read only for Spell -1.
        {Panel() + "X=0 Y=0 Spell=9 IconImg=\"gfx/info/ok.png\"", 152, 0, 0, 0, 9, false},
        // Hostile line counts are held to 0..100.
        {Panel() + "X=0 Y=0 Lines=150", 152, 0, 0, 100, 0, false},
        {Panel() + "X=0 Y=0 Lines=-3", 152, 0, 0, 0, 0, false},
        // A panel that does not load counts as 0 x 0: text and button still have a place.
        {"Image=\"gfx/info/none.png\" X=100 Y=50 ButtonY=-1 TextY=-1 Lines=1", 72, 50, 50, 1, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        PopupPtr p = Make(c.keys);
        EXPECT_EQ(p->active, 1);
        EXPECT_EQ(p->alpha, 0);
        EXPECT_EQ(p->bx, c.bx);
        EXPECT_EQ(p->by, c.by);
        EXPECT_EQ(p->ty, c.ty);
        EXPECT_EQ(p->lines, c.lines);
        EXPECT_EQ(p->spell, c.spell);
        EXPECT_EQ(static_cast<bool>(p->icon), c.icon);
    }
    PopupPtr many = Make(Panel() + "Lines=150 Line1=\"first\" Line100=\"last\" Line101=\"beyond\" IconX=3");
    EXPECT_EQ(many->text[0], "first");
    EXPECT_EQ(many->text[99], "last");
    PopupPtr icon = Make(Panel() + "Spell=-1 IconImg=\"gfx/info/ok.png\" IconX=7 IconY=9");
    EXPECT_EQ(icon->iconX, 7);
    EXPECT_EQ(icon->iconY, 9);
}

TEST_F(PopupTest, CanGoMatchesTheEventAndForMatchesTheCondition) {
    level.matches = 2;
    struct Case {
        std::string event, condition, posted;
        int result;
    } cases[] = {
        {"BEGIN_LEVEL", "0", "BEGIN_LEVEL", 1},
        {"BEGIN_LEVEL", "0", "begin_level", 0},
        {"MAKE_MATCH", "2", "MAKE_MATCH", 1},
        {"MAKE_MATCH", "1", "MAKE_MATCH", 0},
        {"RIGHT_UNUSED", "2", "RIGHT_UNUSED", 1},
        {"RIGHT_UNUSED", "3", "RIGHT_UNUSED", 0},
        {"ACTIVATOR_ERROR", "7", "ACTIVATOR_ERROR", 1},
        {"MAKE_MATCH", "2", "BEGIN_LEVEL", 0},
        {"", "0", "", 1}, // a popup without Event is never asked for: no one posts ""
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.event + " / " + c.posted);
        EXPECT_EQ(Make("Event=\"" + c.event + "\" Condition=" + c.condition)->CanGo(c.posted), c.result);
    }
}

TEST_F(PopupTest, UpdateFadesInTakesOnlyAFreshPressAndFadesOut) {
    PopupPtr p = Make(Panel() + "X=100 Y=50 ButtonY=-1 TextY=-1 Lines=1 Line1=\"hello\"");
    const auto& button = popupManager.button;
    ASSERT_TRUE(button);
    // The button still stands where the previous popup had it; a press held since before this
    // popup opened, first there and then on this popup's button, must not close it.
    button->dim->x = 0;
    button->dim->y = 0;
    auto frame = [&](int x, int y, bool held) {
        Script({[&] {
            FrameInput in = At(x, y);
            in.held[1] = held;
            return in;
        }()});
        return p->Update(button);
    };
    EXPECT_EQ(frame(10, 10, true), 0);
    EXPECT_EQ(button->dim->x, p->bx);
    EXPECT_EQ(button->dim->y, p->by);
    for (int i = 2; i <= 9; ++i)
        EXPECT_EQ(frame(p->bx + 10, p->by + 10, true), 0);
    EXPECT_EQ(p->active, 1) << "the click that raised the popup";
    EXPECT_LT(p->alpha, 1.0f);
    EXPECT_EQ(frame(p->bx + 10, p->by + 10, false), 0);
    EXPECT_GT(p->alpha, 1.0f) << "fully shown after ten frames";

    // A fresh press closes it; the sound plays once though the button stays held.
    control->ClearSoundLog();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(frame(p->bx + 10, p->by + 10, true), 0);
    EXPECT_EQ(p->active, 0);
    EXPECT_EQ(Plays("playgame-info-clickout.ogg"), 1);
    // Ten drawn frames of fading out (the first two of them above), then it reports the end.
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(frame(0, 0, false), 0) << i;
    control->ClearDrawLog();
    EXPECT_EQ(frame(0, 0, false), 1);
    EXPECT_TRUE(control->DrawLog().empty());
}

TEST_F(PopupTest, PressDuringTheFadeInFadesOutFromWhereItWas) {
    PopupPtr p = Make(Panel() + "X=100 Y=50 ButtonY=-1");
    auto frame = [&](bool held) {
        FrameInput in = At(p->bx + 10, p->by + 10);
        in.held[1] = held;
        Script({in});
        return p->Update(popupManager.button);
    };
    frame(false);
    frame(false);
    frame(false);
    frame(true); // alpha 0.4 when it is pressed
    EXPECT_EQ(p->active, 0);
    // The panel's alpha in each frame drawn after the press.
    std::vector<float> drawn;
    for (;;) {
        control->ClearDrawLog();
        if (frame(false) != 0) break;
        for (const DrawCall& call : control->DrawLog())
            if (call.op == "image" && call.image == p->image) drawn.push_back(call.state.alpha);
        ASSERT_LT(drawn.size(), 10u) << "a fade from 0.4 is not a whole fade";
    }
    // Down a tenth a frame from where it was, until nothing is left to draw.
    ASSERT_GE(drawn.size(), 3u);
    EXPECT_NEAR(drawn[0], 0.3f, 1e-4f);
    for (size_t i = 1; i < drawn.size(); ++i)
        EXPECT_NEAR(drawn[i], drawn[i - 1] - 0.1f, 1e-4f);
    EXPECT_LT(drawn.back(), 0.1f + 1e-4f);
}

TEST_F(PopupTest, UpdateDrawsCentredLinesThenTheTokenOrIconThenTheButton) {
    bonusManagerAlt.images[3] = CreateImage(20, 20);
    MidHandleImage(bonusManagerAlt.images[3]);
    SetImageFont(popupManager.font);
    const int lineHeight = TextHeight("");
    const int width = TextWidth("a line");
    SetImageFont(nullptr);
    ASSERT_GT(lineHeight, 0);

    struct Case {
        std::string keys;
        bool token;
        bool icon;
    } cases[] = {
        {"Lines=2 Line1=\"a line\" Line2=\"b\" Spell=3", true, false},
        {"Lines=0 Spell=3", true, false},
        {"Lines=2 Line1=\"a line\" Line2=\"b\" Spell=0", false, false},
        {"Lines=2 Line1=\"a line\" Line2=\"b\" Spell=9", false, false},
        {"Lines=2 Line1=\"a line\" Line2=\"b\" Spell=-1 IconImg=\"gfx/info/kursor.png\" IconX=5 IconY=6",
         false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        PopupPtr p = Make(Panel() + "X=100 Y=50 TextY=40 " + c.keys);
        control->ClearDrawLog();
        Script({At(0, 0)});
        p->Update(popupManager.button);
        std::vector<DrawCall> texts;
        const DrawCall* token = nullptr;
        const DrawCall* icon = nullptr;
        for (const DrawCall& call : control->DrawLog()) {
            if (call.op == "text") texts.push_back(call);
            if (call.op == "image" && call.image == bonusManagerAlt.images[3]) token = &call;
            if (call.op == "image" && p->icon && call.image == p->icon) icon = &call;
        }
        ASSERT_EQ(static_cast<int>(texts.size()), p->lines);
        if (p->lines > 0) {
            EXPECT_EQ(texts[0].x, 100 + 180 - width / 2);
            EXPECT_EQ(texts[0].y, 90);
            EXPECT_EQ(texts[1].y, 90 + lineHeight);
            EXPECT_EQ(texts[0].state.r, 0);
        }
        EXPECT_EQ(token != nullptr, c.token);
        if (token) {
            EXPECT_EQ(token->x, 100 + 180 - 2);
            EXPECT_EQ(token->y, 90 + p->lines * lineHeight + 20);
        }
        EXPECT_EQ(icon != nullptr, c.icon);
        if (icon) {
            EXPECT_EQ(std::make_pair(icon->x, icon->y), std::make_pair(105.0f, 56.0f));
        }
    }
}

TEST_F(PopupTest, PrepareQueuesTheLevelsPopupsAndEventsAreKeptOnce) {
    PopupDocument(R"(
A{ Level=3 Event="BEGIN_LEVEL" Lines=1 Line1="first" }
B{ Level=4 Event="BEGIN_LEVEL" }
C{ Level=3 Event="MAKE_MATCH" Lines=1 Line1="second" Inner{ Level=3 } }
D{ Level=3.5 Event="BEGIN_LEVEL" }
E{ Event="BEGIN_LEVEL" }
)");
    sequencer.seqNo = 3;
    popupManager.AddEvent("MAKE_MATCH");
    popupManager.Prepare();
    EXPECT_TRUE(popupManager.events.empty());
    std::vector<std::string> queued;
    for (const PopupPtr& p : popupManager.queue.Snapshot())
        queued.push_back(p->text[0]);
    EXPECT_EQ(queued, (std::vector<std::string>{"first", "second"}));

    popupManager.AddEvent("MAKE_MATCH");
    popupManager.AddEvent("BEGIN_LEVEL");
    popupManager.AddEvent("MAKE_MATCH");
    EXPECT_EQ(popupManager.events, (std::vector<std::string>{"MAKE_MATCH", "BEGIN_LEVEL"}));
    popupManager.Free();
    EXPECT_TRUE(popupManager.events.empty());
    EXPECT_TRUE(popupManager.queue.IsEmpty());

    // No document at all: nothing queued, the level plays on.
    WriteArchive(resources + "data/popups_lp.bca", {});
    popupManager.Prepare();
    EXPECT_TRUE(popupManager.queue.IsEmpty());
}

TEST_F(PopupTest, PetrificationSkipsThePopupTimeAfterAMonthOfPlay) {
    PopupDocument(
        R"(A{ Level=1 Event="BEGIN_LEVEL" Image="gfx/info/popup.png" ButtonY=-1 Lines=1 Line1="one" })");
    sequencer.seqNo = 1;
    popupManager.Prepare();
    popupManager.AddEvent("BEGIN_LEVEL");
    control->SetClock(int64_t(3) << 30); // past what 32 bits of milliseconds hold
    board.petrifyTimer = MilliSecs64() - 1000;
    PressOkEvery(60, 200);
    EXPECT_EQ(popupManager.check(), 0);
    EXPECT_GT(MilliSecs64() - (int64_t(3) << 30), 500) << "the popup was up a while";
    EXPECT_EQ(MilliSecs64() - board.petrifyTimer, 1000);
}

TEST_F(PopupTest, CheckShowsWhatTheEventsCallForOnceTheBoardHasSettled) {
    PopupDocument(R"(
A{ Level=1 Event="BEGIN_LEVEL" Image="gfx/info/popup.png" ButtonY=-1 Lines=1 Line1="one" }
B{ Level=1 Event="MAKE_MATCH" Condition=2 Image="gfx/info/popup.png" ButtonY=-1 Lines=1 Line1="match" }
C{ Level=1 Event="BEGIN_LEVEL" Image="gfx/info/popup.png" ButtonY=-1 Lines=1 Line1="two" }
)");
    sequencer.seqNo = 1;
    popupManager.Prepare();
    popupManager.AddEvent("BEGIN_LEVEL");

    // Still sliding in or fading in: nothing yet, the event waits.
    board.wjazd = 0;
    EXPECT_EQ(popupManager.check(), 0);
    board.wjazd = -1;
    board.alpha = 0.5f;
    EXPECT_EQ(popupManager.check(), 0);
    EXPECT_EQ(popupManager.events.size(), 1u);
    board.alpha = 1;

    // Both BEGIN_LEVEL popups, in document order, in one check.
    control->SetClock(20000);
    timeManager.Reset(0);
    control->AdvanceClock(3000);
    timeManager.Update();
    board.petrifyTimer = MilliSecs() - 1000;
    int shownWhileOn = 0;
    control->SetScript([&](int frame, FrameInput& out) {
        if (frame > 200) return false;
        shownWhileOn += popUpIsOn;
        const auto& dim = popupManager.button->dim;
        out = At(static_cast<int>(dim->x) + 10, static_cast<int>(dim->y) + 10);
        out.held[1] = frame % 15 == 14;
        return true;
    });
    control->ClearDrawLog();
    EXPECT_EQ(popupManager.check(), 0);
    std::vector<std::string> seen;
    for (const DrawCall& call : control->DrawLog())
        if (call.op == "text" && call.state.font == popupManager.font &&
            (seen.empty() || seen.back() != call.text))
            seen.push_back(call.text);
    EXPECT_EQ(seen, (std::vector<std::string>{"one", "two"}));
    EXPECT_GT(shownWhileOn, 20);
    EXPECT_EQ(popUpIsOn, 0);
    EXPECT_TRUE(popupManager.events.empty());
    ASSERT_EQ(popupManager.queue.Count(), 1u);
    // The level clock and petrification did not count the time the popups were up.
    EXPECT_GT(MilliSecs(), 23000 + 500);
    EXPECT_EQ(timeManager.actualTime, 3000);
    EXPECT_EQ(MilliSecs() - board.petrifyTimer, 1000);

    // A match count other than the Condition discards the event; the popup waits for a match
    // whose count fits.
    level.matches = 1;
    popupManager.AddEvent("MAKE_MATCH");
    EXPECT_EQ(popupManager.check(), 0);
    EXPECT_TRUE(popupManager.events.empty());
    EXPECT_EQ(popupManager.queue.Count(), 1u);
    level.matches = 2;
    popupManager.AddEvent("MAKE_MATCH");
    PressOkEvery(15, 200);
    EXPECT_EQ(popupManager.check(), 0);
    EXPECT_TRUE(popupManager.queue.IsEmpty());
}

TEST_F(PopupTest, ATerminateRequestDuringAPopupEndsTheCheck) {
    PopupDocument(R"(A{ Level=1 Event="BEGIN_LEVEL" Image="gfx/info/popup.png" })");
    sequencer.seqNo = 1;
    popupManager.Prepare();
    popupManager.AddEvent("BEGIN_LEVEL");
    // Keys do not close a popup; only the terminate request ends it.
    FrameInput escape, enter, closeRequest;
    escape.keysHit = {KEY_ESCAPE};
    enter.keysHit = {KEY_ENTER};
    closeRequest.terminate = true;
    Script({escape, enter, FrameInput{}, closeRequest});
    const int start = control->Frame();
    EXPECT_EQ(popupManager.check(), 1);
    // Ended in the frame of the request, the popup not dismissed: the quest loop then ends the
    // program.
    EXPECT_EQ(control->Frame() - start, 3);
    EXPECT_EQ(popupManager.queue.Count(), 1u);
}

TEST_F(PopupTest, TheRingAndTheCampaignLoopReachTheRealManager) {
    // The ring posts ACTIVATOR_ERROR when Magic Sand is aimed at a cell without a token.
    for (auto& column : board.grid)
        for (int& cell : column)
            cell = 1;
    sequencer.seqNo = 25;
    magicSphere.ballsClr[1] = 13;
    magicSphere.ballsCap[1] = 30;
    magicSphere.ballsFil[1] = 6;
    auto frame = [&](int x, int y) {
        FrameInput in = At(x, y);
        in.clicks = {1};
        Script({in});
        mouse.fetchState(0);
        ringOfSpells.Update();
        Flip(1);
    };
    frame(ringOfSpells.SlotCentreX(SPELL_MAGIC_SAND), ringOfSpells.SlotCentreY(SPELL_MAGIC_SAND));
    ASSERT_EQ(ringOfSpells.stage, 1);
    frame(board.offsetX + 4 * board.tileSize + 5, board.offsetY + 4 * board.tileSize + 5);
    EXPECT_EQ(popupManager.events, std::vector<std::string>{"ACTIVATOR_ERROR"});

    // Setting up a board level as the campaign loop does prepares its popups.
    PopupDocument(R"(A{ Level=1 Event="BEGIN_LEVEL" Lines=1 Line1="welcome" })");
    WriteArchive(
        resources + "data/settings_lp.bca",
        {{"sequencer.tsc", "Sequence{ FirstLevel=1 LastLevel=1 Level1{ FileName=\"l1.tsc\" Type=1 } }"}});
    WriteArchive(resources + "data/davar_levels_lp.bca",
                 {{"l1.tsc", "Settings{ Level{ Number=1 AvailableDavar=\"1\" AvailableBlocks=\"p1\" } }"}});
    auto templates = CreateTSCFile();
    templates->LoadFromText(R"(List{ Quantity=1 Block1{ id="p1" pieces=1 piece1=0,0 } })");
    blocks.loadBlocksDoc(*templates);
    AppendTestRune("1", 1, 0, "", "");
    sequencer.Start(1);
    ASSERT_EQ(SetUpCampaignLevel(), 1);
    ASSERT_EQ(popupManager.queue.Count(), 1u);
    EXPECT_EQ(popupManager.queue.First()->text[0], "welcome");
    EXPECT_TRUE(popupManager.events.empty());
}

} // namespace
} // namespace vsm::test
