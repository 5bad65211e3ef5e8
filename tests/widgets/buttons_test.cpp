// Tests of the buttons: creation, hover and click rules at the edges, latches and hover looks.
#include "WidgetTest.h"
#include "platform/TImageFont.h"
#include "widgets/TAnimButton.h"
#include "widgets/TImageButton.h"

#include <cmath>

namespace vsm {
namespace {

// Records the order of the hooks of a button kind.
template <class Base> class HookLog : public Base {
  public:
    std::string log;
    int OnOver() override {
        log += "over ";
        return Base::OnOver();
    }
    int OnOut() override {
        log += "out ";
        return Base::OnOut();
    }
    int OnClick() override {
        log += "click ";
        return Base::OnClick();
    }
};

class ButtonTest : public test::WidgetTest {
  protected:
    // A 3-cell strip, each cell 20 x 10, placed at (100, 100).
    std::shared_ptr<HookLog<TAnimButton>> Anim(int id = 5) {
        auto b = std::make_shared<HookLog<TAnimButton>>();
        b->dim = CreateDim(100, 100, 20, 10);
        b->image = LoadAnimImage(test::FilledPixmap(60, 10, 0xFFFFFFFFu), 20, 10, 0, 3);
        b->id = id;
        return b;
    }
    std::shared_ptr<HookLog<TImageButton>> Image(int id = 5) {
        auto b = std::make_shared<HookLog<TImageButton>>();
        b->dim = CreateDim(100, 100, 20, 10);
        b->image = test::SolidImage(20, 10);
        b->id = id;
        return b;
    }
};

TEST_F(ButtonTest, CreateAnimButtonCutsTheStripAndResizesTheSharedRectangle) {
    DimPtr shared = CreateDim(10, 10, 0, 0);
    AnimButtonPtr first =
        CreateAnimButton(test::FilledPixmap(250, 40, 0xFFFFFFFFu), shared, 3, 3, 1, 0, 1, -1);
    EXPECT_EQ(shared->width, 83); // integer division; the last column is ignored
    EXPECT_EQ(shared->height, 40);
    EXPECT_EQ(ImageFrames(first->image), 3);
    EXPECT_EQ(first->frames, 3);
    EXPECT_EQ(first->kind, -1);
    // A second button made on the same rectangle resizes the first one too.
    CreateAnimButton(test::FilledPixmap(50, 12, 0xFFFFFFFFu), shared, 4, 2, 1, 0, 1, -1);
    EXPECT_EQ(first->dim->width, 25);
    EXPECT_EQ(first->dim->height, 12);
}

TEST_F(ButtonTest, ZeroFramesCountAsOneAndMissingArtLeavesAnUnclickableButton) {
    DimPtr dim = CreateDim(0, 0, 99, 99);
    AnimButtonPtr one = CreateAnimButton(test::FilledPixmap(30, 8, 0xFFFFFFFFu), dim, 1, 0, 1, 0, 1, -1);
    EXPECT_EQ(one->frames, 1);
    EXPECT_EQ(dim->width, 30);

    DimPtr lostDim = CreateDim(0, 0, 99, 99);
    ImageButtonPtr lost = CreateImageButton("/no/such/button.png", lostDim, 9, 1, 0);
    EXPECT_FALSE(lost->image);
    EXPECT_EQ(lostDim->width, 0);
    ASSERT_FALSE(ctl->notifications.empty());
    EXPECT_NE(ctl->notifications.back().find("/no/such/button.png"), std::string::npos);
    Pointer(0, 0, true, true);
    EXPECT_EQ(lost->State(), 0);
    lost->Draw();
    EXPECT_TRUE(Calls("image").empty());

    DimPtr strip = CreateDim(0, 0, 99, 99);
    AnimButtonPtr lostStrip = CreateAnimButton("/no/such/strip.png", strip, 9, 2, 1, 0, 1, -1);
    EXPECT_FALSE(lostStrip->image);
    EXPECT_EQ(strip->width, 0);
}

TEST_F(ButtonTest, CreateImageButtonTakesTheImagesSizeAndSharesALoadedImage) {
    ImagePtr art = test::SolidImage(64, 32);
    DimPtr dim = CreateDim(5, 6, 0, 0);
    ImageButtonPtr b = CreateImageButton(art, dim, 7, -1, 2);
    EXPECT_EQ(b->image, art);
    EXPECT_EQ(dim->width, 64);
    EXPECT_EQ(dim->height, 32);
    EXPECT_EQ(b->alpha, -1);
    EXPECT_EQ(b->kind, 2);
    EXPECT_EQ(b->smoothZooming, 0);
    EXPECT_FALSE(b->podswietlacz);
    EXPECT_EQ(b->visible, 1);
    EXPECT_EQ(b->enable, 1);
}

TEST_F(ButtonTest, AnimButtonReportsEveryFrameItIsHeldInsideAndEdgesAreOutside) {
    auto b = Anim();
    struct Step {
        const char* name;
        int x, y;
        bool held, press;
        int result, over;
        const char* hooks; // appended this step
    } steps[] = {
        {"outside", 50, 50, false, false, 0, 0, ""},
        {"on the left edge", 100, 105, true, false, 0, 0, ""},
        {"pressed outside, dragged in", 101, 105, true, false, 5, 1, "over click "},
        {"still held", 110, 105, true, false, 5, 1, "click "},
        {"released", 110, 105, false, false, 0, 1, ""},
        {"on the bottom edge", 110, 110, true, false, 0, 0, "out "},
        {"inside without a button", 119, 101, false, false, 0, 1, "over "},
        {"on the right edge", 120, 105, false, false, 0, 0, "out "},
    };
    std::string hooks;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        Pointer(s.x, s.y, s.held, s.press);
        EXPECT_EQ(b->State(), s.result);
        EXPECT_EQ(b->over, s.over);
        hooks += s.hooks;
        EXPECT_EQ(b->log, hooks);
    }
}

TEST_F(ButtonTest, ImageButtonReportsOncePerPressAndNotForADragIn) {
    auto b = Image();
    struct Step {
        const char* name;
        int x, y;
        bool held, press;
        int result;
    } steps[] = {
        {"press outside", 50, 50, true, true, 0},
        {"dragged in while held", 110, 105, true, false, 0},
        {"released inside", 110, 105, false, false, 0},
        {"fresh press inside", 110, 105, true, true, 5},
        {"held after the press", 110, 105, true, false, 0},
        {"press on the top edge", 110, 100, true, true, 0},
        {"press just inside the corner", 101, 101, true, true, 5},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        Pointer(s.x, s.y, s.held, s.press);
        EXPECT_EQ(b->State(), s.result);
    }
}

TEST_F(ButtonTest, EnterRunsBeforeClickAndTheLatchDropsOnLeaving) {
    auto b = Image();
    Pointer(110, 105, true, true);
    EXPECT_EQ(b->State(), 5);
    EXPECT_EQ(b->log, "over click ");
    EXPECT_EQ(b->isClicked(), 1);
    EXPECT_EQ(b->isClicked(), 0);

    Pointer(110, 105, true, true);
    b->State();
    Pointer(10, 10);
    b->State(); // leaving drops the latch
    EXPECT_EQ(b->isClicked(), 0);
    EXPECT_EQ(b->log, "over click click out ");
}

TEST_F(ButtonTest, IdZeroNeverReportsButStillLatches) {
    auto anim = Anim(0);
    auto image = Image(0);
    Pointer(110, 105, true, true);
    EXPECT_EQ(anim->State(), 0);
    EXPECT_EQ(image->State(), 0);
    EXPECT_EQ(image->isClicked(), 1);
}

TEST_F(ButtonTest, DisabledOrHiddenButtonsIgnoreThePointerAndKeepTheirHover) {
    for (int hidden = 0; hidden <= 1; ++hidden) {
        SCOPED_TRACE(hidden ? "hidden" : "disabled");
        auto b = Image();
        Pointer(110, 105);
        b->State();
        ASSERT_EQ(b->over, 1);
        b->setState(hidden ? 1 : 0, hidden ? 0 : 1);
        Pointer(110, 105, true, true);
        EXPECT_EQ(b->State(), 0);
        Pointer(10, 10);
        EXPECT_EQ(b->State(), 0);
        EXPECT_EQ(b->over, 1); // still the hover look until enabled and polled outside
        ctl->ClearDrawLog();
        b->Draw();
        EXPECT_EQ(Calls("image").size(), hidden ? 0u : 1u);
        b->setState(1, 1);
        b->State();
        EXPECT_EQ(b->over, 0);
    }
}

TEST_F(ButtonTest, AnimButtonLooksDrawTheHoverCellAndRestoreState) {
    struct {
        int kind;
        int r, g, b;
        float scale;
        float x, y;
    } cases[] = {
        {-1, 255, 255, 255, 1, 100, 100},         {0, 100, 255, 200, 1, 100, 100},
        {1, 255, 255, 255, 1.15f, 98.5f, 99.25f}, {2, 200, 200, 200, 1, 100, 100},
        {7, 255, 255, 255, 1, 100, 100},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.kind);
        auto b = Anim();
        b->kind = c.kind;
        b->frameOnOver = 2;
        b->over = 1;
        ctl->ClearDrawLog();
        SetAlpha(0.3f);
        b->Draw();
        auto draws = Calls("image");
        ASSERT_EQ(draws.size(), 1u);
        EXPECT_EQ(draws[0].frame, 2);
        EXPECT_EQ(draws[0].state.r, c.r);
        EXPECT_EQ(draws[0].state.g, c.g);
        EXPECT_EQ(draws[0].state.b, c.b);
        EXPECT_FLOAT_EQ(draws[0].state.scaleX, c.scale);
        EXPECT_FLOAT_EQ(draws[0].x, c.x);
        EXPECT_FLOAT_EQ(draws[0].y, c.y);
        EXPECT_EQ(draws[0].state.alpha, 0.3f); // the alpha in force
        EXPECT_EQ(b->dim->scalex, 1);
        float sx, sy;
        GetScale(sx, sy);
        EXPECT_EQ(sx, 1);
        int r, g, bl;
        GetColor(r, g, bl);
        EXPECT_EQ(g, 255);
    }
    auto normal = Anim();
    normal->frameOnOut = 1;
    ctl->ClearDrawLog();
    normal->Draw();
    ASSERT_EQ(Calls("image").size(), 1u);
    EXPECT_EQ(Calls("image")[0].frame, 1);
}

TEST_F(ButtonTest, ImageButtonAlphaIsItsOwnUnlessMinusOne) {
    auto b = Image();
    SetAlpha(0.6f);
    b->alpha = -1;
    b->Draw();
    EXPECT_EQ(Calls("image").back().state.alpha, 0.6f);
    EXPECT_EQ(GetAlpha(), 0.6f);
    b->alpha = 0.25f;
    b->Draw();
    EXPECT_EQ(Calls("image").back().state.alpha, 0.25f);
    EXPECT_EQ(GetAlpha(), 1);
}

TEST_F(ButtonTest, ImageButtonHoverLooks) {
    struct {
        int kind;
        int g;
        float scale;
        size_t draws;
    } cases[] = {{0, 255, 1, 1}, {1, 255, 1.14f, 1}, {2, 200, 1, 1}, {3, 255, 1, 0}};
    for (auto& c : cases) {
        SCOPED_TRACE(c.kind);
        auto b = Image();
        b->kind = c.kind;
        b->over = 1;
        ctl->ClearDrawLog();
        b->Draw();
        auto draws = Calls("image");
        ASSERT_EQ(draws.size(), c.draws);
        if (c.draws == 0) continue;
        EXPECT_EQ(draws[0].state.g, c.g);
        EXPECT_FLOAT_EQ(draws[0].state.scaleX, c.scale);
        EXPECT_EQ(b->scale, 1); // without smooth zoom the field is not touched
    }
}

TEST_F(ButtonTest, SmoothZoomGrowsOverSixFramesAndShrinksByStepsAfterDrawing) {
    auto b = Image();
    ImagePtr glow = test::SolidImage(40, 20);
    b->setView(1, 1, glow);
    EXPECT_EQ(b->dim->origin, 1);
    b->kind = 1;
    b->over = 1;
    // Zoom after each frame's step, and the highlight's alpha from the zoom before it:
    // 0.25 x (zoom - 1) / 0.14.
    const struct {
        float zoom, glowAlpha;
    } grow[] = {{1.025f, 0},          {1.05f, 0.0446429f}, {1.075f, 0.0892857f}, {1.1f, 0.1339286f},
                {1.125f, 0.1785714f}, {1.14f, 0.2232143f}, {1.14f, 0.25f}};
    for (const auto& step : grow) {
        const float expected = step.zoom;
        SCOPED_TRACE(expected);
        ctl->ClearDrawLog();
        SetAlpha(0.8f);
        b->alpha = -1;
        b->Draw();
        auto draws = Calls("image");
        ASSERT_EQ(draws.size(), 2u);
        // The highlight first, at an absolute alpha from the zoom before this frame's step.
        EXPECT_EQ(draws[0].image, glow);
        EXPECT_NEAR(draws[0].state.alpha, step.glowAlpha, 1e-4);
        EXPECT_FLOAT_EQ(draws[0].state.scaleY, 0.7f);
        EXPECT_EQ(draws[0].x, 100);
        EXPECT_NEAR(draws[1].state.scaleX, expected, 1e-5);
        EXPECT_EQ(draws[1].state.alpha, 0.8f); // restored right after the highlight
        EXPECT_NEAR(b->scale, expected, 1e-5);
    }
    b->over = 0;
    ctl->ClearDrawLog();
    b->Draw();
    EXPECT_NEAR(Calls("image")[0].state.scaleX, 1.14f, 1e-5); // drawn first, then shrunk
    EXPECT_NEAR(b->scale, 1.12f, 1e-5);
    for (int i = 0; i < 10; ++i)
        b->Draw();
    EXPECT_EQ(b->scale, 1);
    EXPECT_EQ(b->dim->scalex, 1);

    // At rest it is drawn at scale 1, whatever scale another drawing left set.
    SetScale(0.5f, 0.5f);
    ctl->ClearDrawLog();
    b->Draw();
    EXPECT_FLOAT_EQ(Calls("image")[0].state.scaleX, 1.0f);
    EXPECT_FLOAT_EQ(Calls("image")[0].state.scaleY, 1.0f);
}

TEST_F(ButtonTest, TextVariantsCentreTheirLabelAndDrawItAfterTheImage) {
    DimPtr dim = CreateDim(100, 200, 0, 0);
    TextImageButtonPtr b = CreateTextImageButton(test::SolidImage(80, 40), dim, 3, "OK", 0, 2, -3);
    ASSERT_TRUE(b->text);
    const float w = static_cast<float>(TextWidth("OK"));
    const float h = static_cast<float>(TextHeight("OK"));
    EXPECT_FLOAT_EQ(b->text->dim->Left(), 140 - w / 2 + 2);
    EXPECT_FLOAT_EQ(b->text->dim->Top(), 220 - h / 2 - 3);
    b->Draw();
    ASSERT_EQ(ctl->DrawLog().size(), 2u);
    EXPECT_EQ(ctl->DrawLog()[0].op, "image");
    EXPECT_EQ(ctl->DrawLog()[1].op, "text");
    EXPECT_EQ(ctl->DrawLog()[1].text, "OK");

    b->kind = 1;
    b->over = 1;
    ctl->ClearDrawLog();
    b->Draw();
    EXPECT_FLOAT_EQ(ctl->DrawLog()[0].state.scaleX, 1.15f);
    EXPECT_FLOAT_EQ(ctl->DrawLog()[1].state.scaleX, 1.15f);

    TextAnimButtonPtr a = CreateTextAnimButton(test::FilledPixmap(60, 20, 0xFFFFFFFFu), CreateDim(0, 0, 0, 0),
                                               4, "go", 0, 0, -1);
    EXPECT_EQ(a->frames, 2);
    EXPECT_EQ(a->dim->width, 30);
    ctl->ClearDrawLog();
    a->Draw();
    ASSERT_EQ(ctl->DrawLog().size(), 2u);
    EXPECT_EQ(ctl->DrawLog()[1].text, "go");
}

} // namespace
} // namespace vsm
