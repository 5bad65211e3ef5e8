// Tests of TText and TMemo: measuring in the text's own font, placement, and drawing state.
#include "WidgetTest.h"
#include "platform/TImageFont.h"
#include "widgets/TFont.h"
#include "widgets/TMemo.h"
#include "widgets/TText.h"

namespace vsm {
namespace {

class TextTest : public test::WidgetTest {
  protected:
    void SetUp() override {
        WidgetTest::SetUp();
        // Glyphs a (4 columns of ink) and b (6 columns), size 10, spacing 1: advances 3 and 5,
        // the blank 5.
        PixmapPtr strip = CreatePixmap(20, 10);
        strip->hasAlpha = true;
        for (int x = 0; x < 4; ++x)
            WritePixel(strip, x, 0, 0xFFFFFFFFu);
        for (int x = 8; x < 14; ++x)
            WritePixel(strip, x, 9, 0xFFFFFFFFu);
        font = CreateFont(strip, "ab", 10, 1);
    }
    BitmapFontPtr font;
};

TEST_F(TextTest, CreateTextWritesOriginAndOffsetsIntoTheSharedRectangle) {
    DimPtr dim = CreateDim(10, 20, 30, 40);
    dim->origin = 5;
    TextPtr t = CreateText("ab", dim, font, 0.5f, 1, 3, 4);
    EXPECT_EQ(t->dim, dim);
    EXPECT_EQ(dim->origin, 1);
    EXPECT_EQ(dim->xoffset, 3);
    EXPECT_EQ(dim->yoffset, 4);
    EXPECT_EQ(t->visible, 1);
    EXPECT_EQ(t->alpha, 0.5f);
    EXPECT_EQ(t->color->r, 255);
    EXPECT_EQ(t->color->g, 255);
    EXPECT_EQ(t->color->b, 255);
}

TEST_F(TextTest, BitmapFontWidthSumsLetterAdvancesAndHeightIsTheSize) {
    struct {
        const char* text;
        float width;
    } cases[] = {{"", 0}, {"a", 3}, {"ab", 8}, {"ba a", 3 + 5 + 5 + 3}, {"A?", 10}, {"\xC3\xA9", 5}};
    for (auto& c : cases) {
        SCOPED_TRACE(c.text);
        TextPtr t = CreateText(c.text, CreateDim(0, 0, 0, 0), font, 1, 0, 0, 0);
        EXPECT_FLOAT_EQ(t->Width(), c.width);
        EXPECT_EQ(t->Height(), 10);
    }
}

TEST_F(TextTest, ImageFontMeasuresInItsOwnFontWhateverIsSelected) {
    FontPtr own = DefaultFont();
    TextPtr t = CreateText("Measure me", CreateDim(0, 0, 0, 0), own, 1, 0, 0, 0);
    SetImageFont(own);
    const int width = TextWidth("Measure me");
    const int height = TextHeight("Measure me");
    // Another font selected in the drawing context must not change the measure.
    FontPtr other = LoadImageFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 40);
    if (!other) GTEST_SKIP() << "no second TrueType font on this machine";
    SetImageFont(other);
    ASSERT_NE(TextWidth("Measure me"), width);
    EXPECT_EQ(t->Width(), width);
    EXPECT_EQ(t->Height(), height);
    EXPECT_EQ(GetImageFont(), other); // and it stays selected
}

TEST_F(TextTest, UnusableFontsMeasureZeroAndDrawNothing) {
    TextPtr none = CreateText("abc", CreateDim(0, 0, 0, 0), nullptr, 1, 0, 0, 0);
    TextPtr wrongKind = CreateText("abc", CreateDim(0, 0, 0, 0), CreateDim(1, 1, 1, 1), 1, 0, 0, 0);
    for (const TextPtr& t : {none, wrongKind}) {
        EXPECT_EQ(t->Width(), 0);
        EXPECT_EQ(t->Height(), 0);
        t->Draw();
    }
    EXPECT_TRUE(ctl->DrawLog().empty());
}

TEST_F(TextTest, ImageFontDrawSetsItsStateThenResetsToDefaults) {
    FontPtr own = DefaultFont();
    DimPtr dim = CreateDim(100, 50, 0, 0);
    TextPtr t = CreateText("Hi", dim, own, 0.5f, 0, 7, 8);
    t->color->Color(0x102030);
    dim->scalex = 2;
    dim->scaley = 3;
    SetColor(9, 9, 9);
    t->Draw();
    auto texts = Calls("text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Hi");
    EXPECT_EQ(texts[0].x, 107); // width 0: the corner stays at (x, y) plus the offsets
    EXPECT_EQ(texts[0].y, 58);
    EXPECT_EQ(texts[0].state.alpha, 0.5f);
    EXPECT_EQ(texts[0].state.r, 0x10);
    EXPECT_EQ(texts[0].state.b, 0x30);
    EXPECT_EQ(texts[0].state.scaleY, 3);
    EXPECT_EQ(texts[0].state.font, own);
    const DrawState& s = CurrentDrawState();
    EXPECT_EQ(s.alpha, 1);
    EXPECT_EQ(s.r, 255);
    EXPECT_EQ(s.g, 255);
    EXPECT_EQ(s.scaleX, 1);
}

TEST_F(TextTest, CentreOriginCentresALabelOnADimOfItsOwnSize) {
    FontPtr own = DefaultFont();
    SetImageFont(own);
    const float w = static_cast<float>(TextWidth("Centre")), h = static_cast<float>(TextHeight("Centre"));
    TextPtr t = CreateText("Centre", CreateDim(400, 300, w, h), own, 1, 1, 0, 0);
    t->Draw();
    auto texts = Calls("text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_FLOAT_EQ(texts[0].x, 400 - w / 2);
    EXPECT_FLOAT_EQ(texts[0].y, 300 - h / 2);
}

TEST_F(TextTest, BitmapFontDrawPlacesLettersByUnscaledAdvances) {
    DimPtr dim = CreateDim(10.6f, 20, 0, 0);
    TextPtr t = CreateText("ab a", dim, font, 0.7f, 0, 0, 0);
    SetColor(1, 2, 3);
    t->Draw();
    auto draws = Calls("image");
    ASSERT_EQ(draws.size(), 4u);
    const float xs[] = {10.6f, 13.6f, 18.6f, 23.6f};
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(draws[i].x, xs[i]);
        EXPECT_EQ(draws[i].y, 20);
        EXPECT_EQ(draws[i].state.alpha, 0.7f);
        EXPECT_EQ(draws[i].state.r, 1); // drawn in the colour in force
    }
    EXPECT_EQ(draws[2].image, font->GetLetter(" ")->image);
    EXPECT_EQ(GetAlpha(), 1);
    int r, g, b;
    GetColor(r, g, b);
    EXPECT_EQ(r, 1);

    // At scale 2 the advance is the same; each letter is enlarged inside its own box.
    ctl->ClearDrawLog();
    dim->scalex = dim->scaley = 2;
    dim->x = 0;
    t->text = "aa";
    t->Draw();
    draws = Calls("image");
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_FLOAT_EQ(draws[1].x - draws[0].x, 3);
    EXPECT_EQ(draws[0].state.scaleX, 2);
    EXPECT_EQ(CurrentDrawState().scaleX, 1);
}

TEST_F(TextTest, HiddenOrEmptyTextsDrawNothingButStillMeasure) {
    TextPtr hidden = CreateText("ab", CreateDim(0, 0, 0, 0), font, 1, 0, 0, 0);
    hidden->visible = 0;
    hidden->Draw();
    EXPECT_FLOAT_EQ(hidden->Width(), 8);
    TextPtr empty = CreateText("", CreateDim(0, 0, 0, 0), font, 1, 0, 0, 0);
    empty->Draw();
    EXPECT_TRUE(ctl->DrawLog().empty());
}

TEST_F(TextTest, MemoWrapsWhereTheNextCharacterWouldEndBeyondTheRightEdge) {
    // Width 10 holds "ab" (3 + 5) but not a further "a" (ends at 11).
    MemoPtr memo = CreateMemo(font, "abab", CreateDim(20.9f, 30.5f, 10, 10), 1, 0.5f);
    memo->Draw();
    auto draws = Calls("image");
    ASSERT_EQ(draws.size(), 4u);
    const float expected[][2] = {{20, 30}, {23, 30}, {20, 40}, {23, 40}};
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(draws[i].x, expected[i][0]);
        EXPECT_EQ(draws[i].y, expected[i][1]);
        EXPECT_EQ(draws[i].state.alpha, 0.5f);
    }
    EXPECT_EQ(GetAlpha(), 1);

    // Without wrapping everything stays on one line; a hidden memo draws nothing.
    ctl->ClearDrawLog();
    memo->wordwrap = 0;
    memo->Draw();
    EXPECT_EQ(Calls("image").back().x, 20 + 3 + 5 + 3);
    ctl->ClearDrawLog();
    memo->visible = 0;
    memo->Draw();
    EXPECT_TRUE(ctl->DrawLog().empty());
    EXPECT_EQ(memo->State(), 0);
}

TEST_F(TextTest, MemoInAnImageFontWrapsByTheFontsLineHeight) {
    FontPtr own = DefaultFont();
    SetImageFont(own);
    const int w = TextWidth("W");
    const int lineHeight = TextHeight("WWW");
    // Room for two characters only; a character wider than the box still goes on a new line.
    MemoPtr memo = CreateMemo(own, "WWW", CreateDim(0, 0, static_cast<float>(2 * w), 50), 1, 1);
    memo->Draw();
    auto texts = Calls("text");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1].x, w);
    EXPECT_EQ(texts[2].x, 0);
    EXPECT_EQ(texts[2].y, lineHeight);
}

} // namespace
} // namespace vsm
