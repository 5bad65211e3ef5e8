// Tests of TMenu and TAdvancedMenu: polling order, flags, lookup and the alpha it leaves.
#include "WidgetTest.h"
#include "widgets/TAnimButton.h"
#include "widgets/TImageButton.h"
#include "widgets/TMenu.h"

namespace vsm {
namespace {

class MenuTest : public test::WidgetTest {
  protected:
    // An image button 20 x 10 at (x, 100).
    ImageButtonPtr Button(int id, float x, float alpha = 1) {
        return CreateImageButton(test::SolidImage(20, 10), CreateDim(x, 100, 0, 0), id, alpha, 0);
    }
};

TEST_F(MenuTest, StateReturnsTheFirstReportingButtonAndSkipsTheRest) {
    TMenu menu;
    ImageButtonPtr a = Button(1, 0), b = Button(2, 100), c = Button(3, 105); // b and c overlap
    menu.AddItem(a);
    menu.AddItem(b);
    menu.AddItem(c);
    struct {
        const char* name;
        int x, y;
        bool press;
        int result;
        int overB, overC;
    } frames[] = {
        {"nothing pressed", 110, 105, false, 0, 1, 1},
        {"press over b and c", 110, 105, true, 2, 1, 1},
        {"press over c alone", 122, 105, true, 3, 0, 1},
        // b reports first, so c's leave is only seen on the next poll.
        {"press over b alone", 102, 105, true, 2, 1, 1},
        {"move away", 500, 500, false, 0, 0, 0},
    };
    for (auto& f : frames) {
        SCOPED_TRACE(f.name);
        Pointer(f.x, f.y, f.press, f.press);
        EXPECT_EQ(menu.State(), f.result);
        EXPECT_EQ(b->over, f.overB);
        EXPECT_EQ(c->over, f.overC);
    }
}

TEST_F(MenuTest, AnimButtonsReportEveryHeldFrame) {
    TMenu menu;
    menu.AddItem(
        CreateAnimButton(test::FilledPixmap(40, 10, 0xFFFFFFFFu), CreateDim(0, 0, 0, 0), 4, 2, 1, 0, 1, -1));
    for (int frame = 0; frame < 3; ++frame) {
        SCOPED_TRACE(frame);
        Pointer(10, 5, true, frame == 0);
        EXPECT_EQ(menu.State(), 4);
    }
}

TEST_F(MenuTest, HiddenOrDisabledMenusPollNothing) {
    for (int hidden = 0; hidden <= 1; ++hidden) {
        SCOPED_TRACE(hidden ? "hidden" : "disabled");
        TMenu menu;
        ImageButtonPtr b = Button(1, 0);
        menu.AddItem(b);
        (hidden ? menu.visible : menu.enable) = 0;
        Pointer(10, 105, true, true);
        EXPECT_EQ(menu.State(), 0);
        EXPECT_EQ(b->over, 0); // the button never saw the pointer
        ctl->ClearDrawLog();
        SetAlpha(0.3f);
        menu.Draw(0.5f);
        EXPECT_EQ(Calls("image").size(), hidden ? 0u : 1u);
        EXPECT_EQ(GetAlpha(), hidden ? 0.3f : 1.0f);
    }
}

TEST_F(MenuTest, GetItemFindsTheFirstButtonWithTheId) {
    TMenu menu;
    ImageButtonPtr first = Button(2, 0), second = Button(2, 50);
    menu.AddItem(first);
    menu.AddItem(second);
    EXPECT_EQ(menu.GetItem(2), first);
    EXPECT_EQ(menu.GetItem(9), nullptr);
}

TEST_F(MenuTest, DrawSetsTheAlphaOnceAndLeavesOne) {
    TMenu menu;
    menu.AddItem(Button(1, 0, -1));
    menu.AddItem(Button(2, 50, 0.2f)); // sets its own alpha and resets it to 1
    menu.AddItem(Button(3, 100, -1));
    SetAlpha(0.9f);
    menu.Draw(0.4f);
    auto draws = Calls("image");
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_EQ(draws[0].state.alpha, 0.4f);
    EXPECT_EQ(draws[1].state.alpha, 0.2f);
    EXPECT_EQ(draws[2].state.alpha, 1.0f);
    EXPECT_EQ(GetAlpha(), 1);

    TMenu empty;
    SetAlpha(0.3f);
    empty.Draw(0.5f);
    EXPECT_EQ(GetAlpha(), 1);
    EXPECT_EQ(empty.State(), 0);
}

TEST_F(MenuTest, AdvancedMenuDrawsItsPictureBeforeTheAlpha) {
    ImagePtr background = test::SolidImage(50, 50);
    AdvancedMenuPtr menu = CreateAdvancedMenu(background, CreateDim(5, 6, 50, 50));
    menu->AddItem(Button(1, 0, -1));
    SetAlpha(0.8f);
    menu->Draw(0.4f);
    auto draws = Calls("image");
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].image, background);
    EXPECT_EQ(draws[0].x, 5);
    EXPECT_EQ(draws[0].state.alpha, 0.8f);
    EXPECT_EQ(draws[1].state.alpha, 0.4f);
}

} // namespace
} // namespace vsm
