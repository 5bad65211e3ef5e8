// Tests of the fixed-rectangle family: its buttons, factories and the two menus.
#include "WidgetTest.h"
#include "platform/TImageFont.h"
#include "widgets/TButtonE.h"

namespace vsm {
namespace {

class FixedWidgetsTest : public test::WidgetTest {
  protected:
    TextImageButtonAPtr Radio(int id, float x) {
        return CreateTextImageButtonA(test::SolidImage(20, 10), x, 100, id, "", nullptr, 0, 0, 0, 0);
    }
};

TEST_F(FixedWidgetsTest, FactoriesPlaceTheRectangleAndReportBadSources) {
    TextImageButtonAPtr centred =
        CreateTextImageButtonA(test::SolidImage(40, 20), 200, 100, 1, "x", nullptr, 1, 0, 0, 2);
    EXPECT_EQ(centred->x, 180);
    EXPECT_EQ(centred->y, 90);
    EXPECT_EQ(centred->width, 40);
    EXPECT_EQ(centred->kind, 2);

    struct {
        const char* name;
        TImageSource source;
        const char* notification;
    } bad[] = {{"missing file", "/no/such/b.png", "Can't load image: /no/such/b.png"},
               {"empty path", "", "Invalid object type"},
               {"pixmap", test::FilledPixmap(2, 2, 0), "Invalid object type"}};
    for (auto& c : bad) {
        SCOPED_TRACE(c.name);
        ctl->notifications.clear();
        TextAnimButtonEPtr anim = CreateTextAnimButtonE(c.source, 0, 0, 1, "", nullptr, 0, 0, 0);
        TextImageButtonAPtr image = CreateTextImageButtonA(c.source, 0, 0, 1, "", nullptr, 0, 0, 0, 0);
        EXPECT_FALSE(anim->image);
        EXPECT_FALSE(image->image);
        EXPECT_EQ(anim->width, 0);
        ASSERT_EQ(ctl->notifications.size(), 2u);
        EXPECT_EQ(ctl->notifications[0], c.notification);
    }
}

TEST_F(FixedWidgetsTest, AnimButtonCutsTwoCellsAndReportsWhileHeld) {
    // An image object is used whole; a loaded strip would be cut in two.
    TextAnimButtonEPtr b = CreateTextAnimButtonE(test::SolidImage(30, 10), 10, 10, 6, "", nullptr, 0, 0, 0);
    EXPECT_EQ(b->width, 30);
    Pointer(10, 15, true);
    EXPECT_EQ(b->State(), 0); // on the edge
    Pointer(11, 15, true);
    EXPECT_EQ(b->State(), 6);
    EXPECT_EQ(b->over, 1);
    Pointer(11, 15, true);
    EXPECT_EQ(b->State(), 6);
    Pointer(50, 15);
    EXPECT_EQ(b->State(), 0);
    EXPECT_EQ(b->over, 0);
}

TEST_F(FixedWidgetsTest, ImageButtonLooksAndCentredText) {
    TextImageButtonAPtr b =
        CreateTextImageButtonA(test::SolidImage(40, 20), 100, 50, 1, "Go", DefaultFont(), 0, 3, 4, 1);
    b->over = 1;
    b->Draw();
    ASSERT_EQ(ctl->DrawLog().size(), 2u);
    const DrawCall& image = ctl->DrawLog()[0];
    EXPECT_EQ(image.x, 97); // 100 - 40 x 0.15 / 2
    EXPECT_EQ(image.y, 48); // 50 - 1.5, truncated
    EXPECT_FLOAT_EQ(image.state.scaleX, 1.15f);
    const DrawCall& text = ctl->DrawLog()[1];
    EXPECT_EQ(text.text, "Go");
    EXPECT_EQ(text.x, 100 + 20 - TextWidth("Go") / 2 + 3);
    EXPECT_EQ(text.y, 50 + 10 - TextHeight("Go") / 2 + 4);
    EXPECT_EQ(CurrentDrawState().scaleX, 1);
}

TEST_F(FixedWidgetsTest, RadioGroupKeepsOnlyTheLastPressedSelected) {
    TMenuA group;
    TextImageButtonAPtr a = Radio(1, 0), b = Radio(2, 50);
    group.AddItem(a);
    group.AddItem(b);
    EXPECT_EQ(group.GetSelectedItem(), nullptr);
    Pointer(10, 105, true);
    EXPECT_EQ(group.State(), 0); // a reports, the group answers 0 all the same
    EXPECT_EQ(group.GetSelectedItem(), a);
    Pointer(60, 105); // released: nothing changes, over is never cleared by leaving
    group.State();
    EXPECT_EQ(a->over, 1);
    Pointer(60, 105, true);
    group.State();
    EXPECT_EQ(a->over, 0);
    EXPECT_EQ(group.GetSelectedItem(), b);
    EXPECT_EQ(group.GetItem(2), b);
}

TEST_F(FixedWidgetsTest, MenuEReturnsTheFirstReportingButton) {
    TMenuE menu;
    TextImageButtonAPtr a = Radio(1, 0), b = Radio(2, 10); // overlapping
    menu.AddItem(a);
    menu.AddItem(b);
    Pointer(15, 105, true);
    EXPECT_EQ(menu.State(), 1);
    EXPECT_EQ(b->over, 0); // not polled
    menu.enable = 0;
    EXPECT_EQ(menu.State(), 0);
    SetAlpha(0.2f);
    menu.Draw(0.5f);
    EXPECT_EQ(Calls("image").size(), 2u);
    EXPECT_EQ(GetAlpha(), 1);
}

} // namespace
} // namespace vsm
