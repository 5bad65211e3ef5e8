// Ring of spells: the ring, lit slots, hint panel, target marker and aiming cursor as drawn.
#include "RingFixture.h"

#include <cmath>

namespace vsm::test {
namespace {

class RingDrawTest : public RingFixture {
  protected:
    void SetUp() override {
        RingFixture::SetUp();
        ringOfSpells.bgImg = CreateImage(200, 160);
        for (int i = 0; i < RING_SPELLS; ++i) {
            ringOfSpells.spellImg[i] = CreateImage(48, 48);
            ringOfSpells.spellIco[i] = CreateImage(20, 20);
        }
        ringOfSpells.hintImg = CreateImage(180, 60);
        for (const RunePtr& r : davar.List)
            if (r->id == "4") r->img = rune4 = CreateImage(32, 32);
        control->ClearDrawLog();
    }

    std::vector<DrawCall> Images(const ImagePtr& img) const {
        std::vector<DrawCall> out;
        for (const DrawCall& c : control->DrawLog())
            if (c.op == "image" && c.image == img) out.push_back(c);
        return out;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const DrawCall& c : control->DrawLog())
            if (c.op == "text") out.push_back(c.text);
        return out;
    }
    void HoverSlot(int i) {
        mouse.x = ringOfSpells.SlotCentreX(i);
        mouse.y = ringOfSpells.SlotCentreY(i);
    }

    ImagePtr rune4;
};

TEST_F(RingDrawTest, HintFadesInAndOutOverTwentyDraws) {
    HoverSlot(SPELL_FIRE);
    for (int i = 0; i < 19; ++i)
        ringOfSpells.Draw();
    EXPECT_LT(ringOfSpells.hintAlpha, 1.0f);
    ringOfSpells.Draw();
    EXPECT_EQ(ringOfSpells.hintAlpha, 1.0f);
    ringOfSpells.Draw();
    EXPECT_EQ(ringOfSpells.hintAlpha, 1.0f);

    mouse.x = 600;
    for (int i = 0; i < 19; ++i)
        ringOfSpells.Draw();
    EXPECT_GT(ringOfSpells.hintAlpha, 0.0f);
    ringOfSpells.Draw();
    EXPECT_EQ(ringOfSpells.hintAlpha, 0.0f);
    control->ClearDrawLog();
    ringOfSpells.Draw();
    EXPECT_TRUE(Images(ringOfSpells.hintImg).empty());
    EXPECT_TRUE(Texts().empty());
    // Clearing the ring for a level leaves the fade alone.
    HoverSlot(0);
    ringOfSpells.Draw();
    ringOfSpells.Clear();
    EXPECT_FLOAT_EQ(ringOfSpells.hintAlpha, 0.05f);
}

TEST_F(RingDrawTest, HintStatusLine) {
    struct Case {
        const char* name;
        int seqNo;
        int colour;
        float fill;
        int slot;
        std::vector<std::string> texts;
    } cases[] = {
        {"campaign too early", 1, 4, 30, SPELL_MAGIC_SAND, {"Magic Sand Spell", "Not Available"}},
        {"no ball of the colours", 50, 3, 30, SPELL_FIRE, {"Fire Spell", "Not Available"}},
        {"too little mana", 50, 4, 4, SPELL_MAGIC_SAND, {"Magic Sand Spell", "Not Enough Mana"}},
        {"castable", 50, 4, 5, SPELL_MAGIC_SAND, {"Magic Sand Spell", "Uses ", "5"}},
        {"castable time", 50, 1, 9, SPELL_TIME, {"Time Spell", "Uses ", "5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sequencer.seqNo = c.seqNo;
        Ball(0, c.colour, c.fill);
        ringOfSpells.CheckSpells();
        ringOfSpells.hintAlpha = 1.0f;
        HoverSlot(c.slot);
        control->ClearDrawLog();
        ringOfSpells.Draw();
        EXPECT_EQ(Texts(), c.texts);
        const auto panel = Images(ringOfSpells.hintImg);
        ASSERT_EQ(panel.size(), 1u);
        EXPECT_EQ(panel[0].x, 104.0f);
        EXPECT_EQ(panel[0].y, 505.0f);
        EXPECT_FLOAT_EQ(panel[0].state.alpha, 1.0f);
        for (const DrawCall& t : control->DrawLog()) {
            if (t.op != "text") continue;
            EXPECT_EQ(t.y, t.text == c.texts[0] ? 485.0f : 503.0f) << t.text;
        }
        // The cost line shows the picture of the paying colour's rune at half size.
        const auto icon = Images(rune4);
        EXPECT_EQ(icon.size(), c.texts.size() == 3 && c.colour == 4 ? 1u : 0u);
        if (!icon.empty()) {
            EXPECT_FLOAT_EQ(icon[0].state.scaleX, 0.5f);
        }
    }
    // After the hint: white, alpha 1, scale 1.
    const DrawState& s = CurrentDrawState();
    EXPECT_FLOAT_EQ(s.alpha, 1.0f);
    EXPECT_FLOAT_EQ(s.scaleX, 1.0f);
}

TEST_F(RingDrawTest, LitSlotsAndTheTargetMarkerFollowTheStage) {
    Ball(0, 2, 5);
    ringOfSpells.CheckSpells();
    SetColor(10, 20, 30); // left behind by an earlier drawing
    SetScale(2, 2);
    ringOfSpells.Draw();
    ASSERT_EQ(Images(ringOfSpells.bgImg).size(), 1u);
    EXPECT_EQ(Images(ringOfSpells.bgImg)[0].x, 13.0f);
    EXPECT_EQ(Images(ringOfSpells.bgImg)[0].y, 340.0f);
    EXPECT_EQ(Images(ringOfSpells.bgImg)[0].state.r, 255);
    EXPECT_FLOAT_EQ(Images(ringOfSpells.bgImg)[0].state.scaleX, 1.0f);
    ASSERT_EQ(Images(ringOfSpells.spellImg[SPELL_FIRE]).size(), 1u);
    EXPECT_EQ(Images(ringOfSpells.spellImg[SPELL_FIRE])[0].x, 16.0f);
    EXPECT_EQ(Images(ringOfSpells.spellImg[SPELL_FIRE])[0].y, 378.0f);
    EXPECT_TRUE(Images(ringOfSpells.spellImg[SPELL_SPREAD]).empty());
    EXPECT_TRUE(Images(ringOfSpells.spellIco[SPELL_FIRE]).empty());

    // Paid: the slot stays lit in stage 2 though its ball is now empty; the marker breathes.
    ClickSlot(SPELL_FIRE);
    ClickCell(3, 4);
    Frame();
    ASSERT_EQ(ringOfSpells.stage, 2);
    ASSERT_EQ(ringOfSpells.activedSpells[SPELL_FIRE], 0);
    control->ClearDrawLog();
    ringOfSpells.Draw();
    EXPECT_EQ(Images(ringOfSpells.spellImg[SPELL_FIRE]).size(), 1u);
    auto marker = Images(ringOfSpells.spellIco[SPELL_FIRE]);
    ASSERT_EQ(marker.size(), 1u);
    EXPECT_EQ(marker[0].x, 240.0f + 3 * 32 + 16);
    EXPECT_EQ(marker[0].y, 60.0f + 4 * 32 + 16);
    EXPECT_FLOAT_EQ(marker[0].state.scaleX, ringOfSpells.alpha);

    ringOfSpells.stage = 3;
    control->ClearDrawLog();
    ringOfSpells.Draw();
    EXPECT_TRUE(Images(ringOfSpells.spellImg[SPELL_FIRE]).empty());
    EXPECT_EQ(Images(ringOfSpells.spellIco[SPELL_FIRE]).size(), 1u);

    for (int stage : {4, 5}) {
        ringOfSpells.stage = stage;
        control->ClearDrawLog();
        ringOfSpells.Draw();
        EXPECT_TRUE(Images(ringOfSpells.spellIco[SPELL_FIRE]).empty()) << stage;
    }

    // The Time Spell has no target marker.
    ringOfSpells.usedSpell = SPELL_TIME;
    ringOfSpells.stage = 2;
    control->ClearDrawLog();
    ringOfSpells.Draw();
    EXPECT_TRUE(Images(ringOfSpells.spellIco[SPELL_TIME]).empty());
    EXPECT_EQ(Images(ringOfSpells.spellImg[SPELL_TIME]).size(), 1u);
}

TEST_F(RingDrawTest, PulseAndAngleAdvancePerUpdate) {
    EXPECT_EQ(ringOfSpells.alpha, 1.0f);
    int frames = 0;
    while (ringOfSpells.alphaDir == 0 && frames < 100) {
        ringOfSpells.Update();
        ++frames;
    }
    EXPECT_EQ(ringOfSpells.alpha, 0.7f);
    EXPECT_EQ(frames, 14); // 1.0 down past 0.7 in steps of 1/45
    for (int i = 0; i < 100; ++i) {
        ringOfSpells.Update();
        EXPECT_GE(ringOfSpells.alpha, 0.7f);
        EXPECT_LE(ringOfSpells.alpha, 1.0f);
        EXPECT_GE(ringOfSpells.angle, 1);
        EXPECT_LE(ringOfSpells.angle, 360);
    }
    ringOfSpells.angle = 358;
    ringOfSpells.Update();
    EXPECT_EQ(ringOfSpells.angle, 1);
}

TEST_F(RingDrawTest, AimingCursorCirclesThePointer) {
    mouse.x = 300;
    mouse.y = 200;
    ringOfSpells.DrawCursor();
    EXPECT_TRUE(control->DrawLog().empty());

    ringOfSpells.stage = 1;
    ringOfSpells.usedSpell = SPELL_SPREAD;
    ringOfSpells.angle = 30;
    ringOfSpells.DrawCursor();
    const auto icons = Images(ringOfSpells.spellIco[SPELL_SPREAD]);
    ASSERT_EQ(icons.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const double a = (30 + 120.0 * k) * 3.14159265358979323846 / 180.0;
        EXPECT_NEAR(icons[k].x, 323 + 13 * std::cos(a), 1e-3);
        EXPECT_NEAR(icons[k].y, 223 + 13 * std::sin(a), 1e-3);
        EXPECT_FLOAT_EQ(icons[k].state.scaleX, 0.6f);
        EXPECT_FLOAT_EQ(icons[k].state.alpha, 1.0f);
    }
    float sx = 0, sy = 0;
    GetScale(sx, sy);
    EXPECT_EQ(sx, 1.0f);
}

class RingAssetsTest : public RingFixture {};

TEST_F(RingAssetsTest, LoadsEveryPictureAndSoundWithCentredIcons) {
    const char* pictures[] = {"gfx/gui/gui_czary.png", "gfx/gui/aktywator.png", "gfx/gui/koloryzer.png",
                              "gfx/gui/heal.png",      "gfx/gui/2fire.png",     "gfx/bonusy/mag_10.png",
                              "gfx/bonusy/mag_13.png", "gfx/bonusy/mag_11.png", "gfx/bonusy/mag_12.png",
                              "gfx/gui/hint.png"};
    for (const char* p : pictures)
        WritePicture(p, 20, 10);
    for (const char* s : {"sfx/fx/fx-wziuu.ogg", "sfx/fx/fx-kolory.ogg", "sfx/fx/fx-zegar.ogg"})
        WriteSound(s);
    ringOfSpells.LoadResources();
    ASSERT_NE(ringOfSpells.bgImg, nullptr);
    for (int i = 0; i < RING_SPELLS; ++i) {
        SCOPED_TRACE(i);
        ASSERT_NE(ringOfSpells.spellImg[i], nullptr);
        EXPECT_EQ(ringOfSpells.spellImg[i]->handleX, 0.0f);
        ASSERT_NE(ringOfSpells.spellIco[i], nullptr);
        EXPECT_EQ(ringOfSpells.spellIco[i]->handleX, 10.0f);
        EXPECT_EQ(ringOfSpells.spellIco[i]->handleY, 5.0f);
    }
    ASSERT_NE(ringOfSpells.hintImg, nullptr);
    EXPECT_EQ(ringOfSpells.hintImg->handleX, 10.0f);
    EXPECT_NE(ringOfSpells.manaSfx, nullptr);
    EXPECT_NE(ringOfSpells.coloryzerSfx, nullptr);
    EXPECT_NE(ringOfSpells.timerSfx, nullptr);
}

TEST_F(RingAssetsTest, MissingFilesLeaveEmptySlotsAndTheRingStillDrawsAndCasts) {
    ringOfSpells.LoadResources();
    EXPECT_EQ(ringOfSpells.bgImg, nullptr);
    EXPECT_EQ(ringOfSpells.manaSfx, nullptr);
    Ball(0, 1, 9);
    sequencer.seqNo = 35;
    ClickSlot(SPELL_TIME);
    EXPECT_EQ(ringOfSpells.stage, 2);
    ringOfSpells.Draw();
    ringOfSpells.DrawCursor();
    EXPECT_GT(RunUntilStage(0), 0);
}

} // namespace
} // namespace vsm::test
