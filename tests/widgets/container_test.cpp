// Tests of TContainer: ids, typed getters, by-id drawing, polling, sound and removal.
#include "WidgetTest.h"
#include "platform/TImageFont.h"
#include "widgets/TAnimButton.h"
#include "widgets/TContainer.h"
#include "widgets/TFont.h"
#include "widgets/TFrame.h"
#include "widgets/TImageButton.h"
#include "widgets/TMemo.h"
#include "widgets/TSFX.h"
#include "widgets/TText.h"

namespace vsm {
namespace {

class ContainerTest : public test::WidgetTest {};

// A button that counts its polls and draws, and always reports a click.
class CountingButton : public TButton {
  public:
    int polls = 0, draws = 0;
    int State() override {
        ++polls;
        return id;
    }
    int Draw() override {
        ++draws;
        return 0;
    }
};

TEST_F(ContainerTest, TypedGettersTestOnlyTheFirstItemWithTheId) {
    TContainer c;
    auto text = CreateText("hi", CreateDim(0, 0, 0, 0), nullptr, 1, 0, 0, 0);
    ImagePtr image = test::SolidImage(4, 4);
    c.Add(text, 7);
    c.Add(image, 7, CreateDim(30, 40, 4, 4));
    EXPECT_EQ(c.GetText(7), text);
    EXPECT_EQ(c.GetImage(7), nullptr); // the first item under 7 is the text
    EXPECT_EQ(c.Count(), 2);

    c.Draw(7); // the text has no font: only the image draws, at its rectangle
    auto draws = Calls("image");
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].x, 30);
    EXPECT_EQ(draws[0].y, 40);

    c.Remove(7);
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(c.Get(7), nullptr);
}

TEST_F(ContainerTest, EachGetterReturnsItsKindAndNothingElse) {
    TContainer c;
    ImagePtr image = test::SolidImage(2, 2);
    PixmapPtr pixmap = test::FilledPixmap(2, 2, 0);
    FontPtr imageFont = DefaultFont();
    auto font = std::make_shared<TFont>();
    auto text = CreateText("", CreateDim(0, 0, 0, 0), nullptr, 1, 0, 0, 0);
    auto memo = CreateMemo(nullptr, "", CreateDim(0, 0, 0, 0), 0, 1);
    auto frame = CreateImageFrame(CreateDim(0, 0, 0, 0), 0, 1, 0); // a subtype of TFrame
    auto sfx = std::make_shared<TSFX>();
    DimPtr dim = CreateDim(1, 2, 3, 4);
    auto anim = std::make_shared<TAnimButton>(); // a subtype of TButton
    c.Add(image, 1);
    c.Add(pixmap, 2);
    c.Add(imageFont, 3);
    c.Add(font, 4);
    c.Add(text, 5);
    c.Add(memo, 6);
    c.Add(frame, 7);
    c.Add(sfx, 8);
    c.Add(dim, 9);
    c.Add(anim, 10);
    for (int id = 1; id <= 11; ++id) {
        SCOPED_TRACE(id);
        EXPECT_EQ(c.GetImage(id) != nullptr, id == 1);
        EXPECT_EQ(c.GetPixmap(id) != nullptr, id == 2);
        EXPECT_EQ(c.GetTTFont(id) != nullptr, id == 3);
        EXPECT_EQ(c.GetFont(id) != nullptr, id == 4);
        EXPECT_EQ(c.GetText(id) != nullptr, id == 5);
        EXPECT_EQ(c.GetMemo(id) != nullptr, id == 6);
        EXPECT_EQ(c.GetFrame(id) != nullptr, id == 7);
        EXPECT_EQ(c.GetSFX(id) != nullptr, id == 8);
        EXPECT_EQ(c.GetDim(id) != nullptr, id == 9);
        EXPECT_EQ(c.GetButton(id) != nullptr, id == 10);
        EXPECT_EQ(c.GetObject(id).IsNull(), id == 11);
    }
    EXPECT_EQ(c.GetImage(1), image);
    EXPECT_EQ(c.GetDim(9), dim);
}

TEST_F(ContainerTest, GetDimReturnsTheStoredObjectNotTheItemsRectangle) {
    TContainer c;
    DimPtr where = CreateDim(5, 5, 5, 5);
    c.Add(std::make_shared<TImageButton>(), 3, where);
    EXPECT_EQ(c.GetDim(3), nullptr);
    EXPECT_EQ(c.Get(3)->dim, where);
}

TEST_F(ContainerTest, StatePollsEveryButtonUnderTheIdAndReportsNothing) {
    TContainer c;
    auto first = std::make_shared<CountingButton>();
    auto second = std::make_shared<CountingButton>();
    auto other = std::make_shared<CountingButton>();
    first->id = second->id = 42;
    c.Add(first, 5);
    c.Add(other, 6);
    c.Add(second, 5);
    c.Add(test::SolidImage(2, 2), 5); // not a button: not polled
    EXPECT_EQ(c.State(5), 0);
    EXPECT_EQ(first->polls, 1);
    EXPECT_EQ(second->polls, 1);
    EXPECT_EQ(other->polls, 0);
    c.Draw(5);
    EXPECT_EQ(first->draws, 1);
    EXPECT_EQ(second->draws, 1);
    EXPECT_EQ(Calls("image").size(), 1u);
    EXPECT_EQ(c.State(99), 0); // no item: nothing is polled
    EXPECT_EQ(first->polls + second->polls + other->polls, 2);
}

TEST_F(ContainerTest, ReaddedIdGoesToTheEndAndClearEmptiesEverything) {
    TContainer c;
    auto a = std::make_shared<CountingButton>();
    auto b = std::make_shared<CountingButton>();
    c.Add(a, 1);
    c.Add(b, 2);
    c.Remove(1);
    auto again = std::make_shared<CountingButton>();
    c.Add(again, 1);
    ASSERT_EQ(c.items.size(), 2u);
    EXPECT_EQ(c.items.back()->obj.As<TButton>(), again);
    // The same object may sit under several ids and outlives its removal from one of them.
    c.Add(b, 3);
    c.Remove(2);
    EXPECT_EQ(c.GetButton(3), b);
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(c.GetButton(3), nullptr);
    EXPECT_TRUE(c.GetObject(1).IsNull());
}

TEST_F(ContainerTest, PicturesWithoutARectangleDrawAtTheCorner) {
    TContainer c;
    c.Add(test::SolidImage(3, 3), 1);
    c.Add(test::FilledPixmap(3, 3, 0xFF000000u), 2, CreateDim(10.7f, 20.2f, 3, 3));
    c.Add(test::FilledPixmap(3, 3, 0xFF000000u), 3);
    c.Draw(1);
    c.Draw(2);
    c.Draw(3);
    auto images = Calls("image");
    auto pixmaps = Calls("pixmap");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].x, 0);
    EXPECT_EQ(images[0].y, 0);
    ASSERT_EQ(pixmaps.size(), 2u);
    EXPECT_EQ(pixmaps[0].x, 10); // truncated to whole pixels
    EXPECT_EQ(pixmaps[0].y, 20);
    EXPECT_EQ(pixmaps[1].x, 0);
}

TEST_F(ContainerTest, ButtonHookThatRemovesItsOwnIdDoesNotBreakTheWalk) {
    TContainer c;
    struct SelfRemoving : CountingButton {
        TContainer* owner = nullptr;
        int State() override {
            owner->Remove(8);
            return CountingButton::State();
        }
    };
    auto first = std::make_shared<SelfRemoving>();
    auto second = std::make_shared<CountingButton>();
    first->owner = &c;
    c.Add(first, 8);
    c.Add(second, 8);
    c.State(8);
    EXPECT_EQ(first->polls, 1);
    EXPECT_EQ(second->polls, 1);
    EXPECT_EQ(c.Count(), 0);
}

TEST_F(ContainerTest, GlobalDataIsResettable) {
    data.Add(test::SolidImage(1, 1), 2001);
    EXPECT_TRUE(data.GetImage(2001));
    ResetWidgetsGlobals();
    EXPECT_EQ(data.Count(), 0);
}

TEST_F(ContainerTest, SoundEffectsPlayOnAFreshChannelAndStop) {
    TContainer c;
    auto sfx = std::make_shared<TSFX>();
    c.Add(sfx, 4);
    c.Play(4); // no sound loaded: nothing plays, nothing fails
    EXPECT_FALSE(sfx->channel);
    c.Stop(4);
    SFXPtr missing = CreateSFX("/no/such/sound.ogg", 0);
    EXPECT_FALSE(missing->sound);
}

} // namespace
} // namespace vsm
