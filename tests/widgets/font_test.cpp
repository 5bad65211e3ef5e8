// Tests of the bitmap font: glyph cutting by ink runs, advances, lookup and letter drawing.
#include "WidgetTest.h"
#include "widgets/TFont.h"

#include <cmath>

namespace vsm {
namespace {

class FontTest : public test::WidgetTest {
  protected:
    // A transparent strip of the size.
    static PixmapPtr Strip(int w, int h) {
        PixmapPtr p = CreatePixmap(w, h);
        p->hasAlpha = true;
        return p;
    }
    // Inks columns [from, to) of the rows [top, top + rows) with the pixel value.
    static void Ink(const PixmapPtr& p, int from, int to, int top, int rows, uint32_t argb = 0xFF102030u) {
        for (int x = from; x < to; ++x)
            for (int y = top; y < top + rows; ++y)
                WritePixel(p, x, y, argb);
    }
    static std::vector<std::pair<std::string, float>> Advances(const BitmapFontPtr& font) {
        std::vector<std::pair<std::string, float>> out;
        for (const LetterPtr& l : font->letters)
            out.emplace_back(l->text, l->dim->width);
        return out;
    }
    using Advance = std::vector<std::pair<std::string, float>>;
};

TEST_F(FontTest, CutsGlyphsByInkRunsWithTheSpacingTakenOffTheAdvance) {
    PixmapPtr strip = Strip(30, 20);
    Ink(strip, 2, 12, 5, 3);  // a: 10 columns of ink
    Ink(strip, 14, 26, 0, 1); // b: 12 columns, ink only in the band's first row
    struct {
        int spacing;
        Advance advances;
    } cases[] = {{0, {{"a", 10}, {"b", 12}, {" ", 10}}}, {3, {{"a", 7}, {"b", 9}, {" ", 10}}}};
    for (auto& c : cases) {
        SCOPED_TRACE(c.spacing);
        BitmapFontPtr font = CreateFont(strip, "ab", 20, c.spacing);
        EXPECT_EQ(font->text, "ab");
        EXPECT_EQ(font->Size, 20);
        EXPECT_EQ(Advances(font), c.advances);
        // The spacing never changes the cut image.
        const LetterPtr a = font->GetLetter("a");
        EXPECT_EQ(ImageWidth(a->image), 10);
        EXPECT_EQ(ImageHeight(a->image), 20);
        EXPECT_EQ(a->dim->height, 20);
        EXPECT_EQ(a->alpha, 1.0f);
    }
}

TEST_F(FontTest, GlyphImagesKeepTheStripsPixelsAndTransparency) {
    PixmapPtr strip = Strip(10, 8);
    Ink(strip, 1, 4, 2, 1, 0x80000000u); // half-transparent black ink must survive masking
    WritePixel(strip, 2, 5, 0xFFFF0000u);
    BitmapFontPtr font = CreateFont(strip, "x", 8, 0);
    PixmapPtr glyph = LockImage(font->GetLetter("x")->image, 0);
    ASSERT_TRUE(glyph);
    EXPECT_EQ(glyph->width, 3);
    EXPECT_EQ(ReadPixel(glyph, 0, 2), 0x80000000u);
    EXPECT_EQ(ReadPixel(glyph, 1, 5), 0xFFFF0000u);
    EXPECT_EQ(ReadPixel(glyph, 0, 0), 0u);
}

TEST_F(FontTest, ReadsBandsTopToBottomAndClosesGlyphsAtTheBandsEnd) {
    // Two bands of 10 rows. Band 0 ends with ink in its last column; band 1 starts with ink in
    // its first column. Both glyphs must keep their true widths.
    PixmapPtr strip = Strip(20, 20);
    Ink(strip, 0, 3, 0, 2);   // p: columns 0-2, band 0
    Ink(strip, 16, 20, 4, 2); // q: columns 16-19, band 0, touching the right edge
    Ink(strip, 0, 5, 12, 2);  // r: columns 0-4, band 1
    Ink(strip, 8, 9, 19, 1);  // s: one column, band 1's last row
    BitmapFontPtr font = CreateFont(strip, "pqrs", 10, 0);
    EXPECT_EQ(Advances(font), (Advance{{"p", 3}, {"q", 4}, {"r", 5}, {"s", 1}, {" ", 5}}));
    EXPECT_EQ(ImageWidth(font->GetLetter("q")->image), 4);
}

TEST_F(FontTest, InkIsAnyNonZeroAlphaAndAGapSplitsGlyphs) {
    PixmapPtr strip = Strip(12, 4);
    Ink(strip, 0, 2, 0, 1, 0x01FFFFFFu); // alpha 1 counts as ink
    Ink(strip, 2, 4, 3, 1);              // touching the first run: one glyph of 4
    Ink(strip, 5, 6, 0, 4, 0x00FFFFFFu); // colour without alpha is blank
    Ink(strip, 7, 8, 0, 1);
    Ink(strip, 9, 10, 0, 1); // a blank column inside makes two glyphs
    BitmapFontPtr font = CreateFont(strip, "abc", 4, 0);
    EXPECT_EQ(Advances(font), (Advance{{"a", 4}, {"b", 1}, {"c", 1}, {" ", 2}}));
}

TEST_F(FontTest, ExtraGlyphsAreIgnoredAndMissingOnesFallBackToTheBlank) {
    PixmapPtr strip = Strip(20, 4);
    Ink(strip, 0, 2, 0, 1);
    Ink(strip, 4, 6, 0, 1);
    Ink(strip, 8, 10, 0, 1);
    testing::internal::CaptureStdout();
    BitmapFontPtr few = CreateFont(strip, "ab", 4, 0);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(Advances(few), (Advance{{"a", 2}, {"b", 2}, {" ", 2}}));
    EXPECT_NE(out.find("3 glyphs for 2 characters"), std::string::npos) << out;

    BitmapFontPtr many = CreateFont(strip, "abcdef", 4, 0);
    EXPECT_EQ(many->letters.size(), 4u);
    EXPECT_EQ(many->GetLetter("e"), many->GetLetter(" "));
}

TEST_F(FontTest, LookupIsExactAndCaseSensitive) {
    PixmapPtr strip = Strip(10, 6);
    Ink(strip, 0, 2, 0, 1);
    Ink(strip, 4, 7, 0, 1);
    BitmapFontPtr font = CreateFont(strip, "a1", 6, 0);
    EXPECT_EQ(font->GetLetter("a")->text, "a");
    EXPECT_EQ(font->GetLetter("1")->dim->width, 3);
    for (const char* missing : {"A", " ", "", "ab", "z"}) {
        SCOPED_TRACE(missing);
        EXPECT_EQ(font->GetLetter(missing)->text, " ");
    }
    // A font without a blank returns nothing for a missing character.
    TFont bare;
    EXPECT_EQ(bare.GetLetter("a"), nullptr);
    EXPECT_EQ(bare.alpha(0x7F123456u), 0x7F);
}

TEST_F(FontTest, BlankKeepsHalfTheSizeAndOddSizesTruncateOnlyTheImage) {
    BitmapFontPtr font = CreateFont(Strip(4, 31), "", 31, 0);
    ASSERT_EQ(font->letters.size(), 1u);
    const LetterPtr blank = font->letters.back();
    EXPECT_EQ(blank->text, " ");
    EXPECT_FLOAT_EQ(blank->dim->width, 15.5f);
    EXPECT_EQ(blank->dim->height, 31);
    EXPECT_EQ(ImageWidth(blank->image), 15);
    EXPECT_EQ(ImageHeight(blank->image), 31);
}

TEST_F(FontTest, NarrowGlyphGetsANegativeAdvanceAndShortOrMissingStripsAreSafe) {
    PixmapPtr strip = Strip(6, 8);
    Ink(strip, 1, 3, 0, 1);
    EXPECT_EQ(CreateFont(strip, "i", 8, 3)->GetLetter("i")->dim->width, -1);
    // A strip shorter than one band is read as one band padded with transparency.
    PixmapPtr shortStrip = Strip(6, 3);
    Ink(shortStrip, 1, 4, 0, 3);
    BitmapFontPtr font = CreateFont(shortStrip, "s", 8, 0);
    EXPECT_EQ(ImageHeight(font->GetLetter("s")->image), 8);
    // A size that names no usable band reads nothing.
    for (float bad : {0.0f, -3.0f, 0.5f, std::nanf(""), 1e12f}) {
        SCOPED_TRACE(bad);
        BitmapFontPtr odd = CreateFont(strip, "i", bad, 0);
        ASSERT_EQ(odd->letters.size(), 1u);
        EXPECT_FALSE(odd->letters.back()->image);
    }
    // A strip that cannot be loaded gives only the blank.
    BitmapFontPtr missing = CreateFont("/no/such/font.png", "abc", 20, 0);
    ASSERT_EQ(missing->letters.size(), 1u);
    EXPECT_EQ(missing->GetLetter("a")->text, " ");
}

TEST_F(FontTest, LetterDrawsAtItsDimWithItsAlphaAndScaleThenResets) {
    ImagePtr glyph = test::SolidImage(10, 20);
    LetterPtr letter = CreateLetter(glyph, "a", CreateDim(50, 60, 10, 20));
    letter->alpha = 0.4f;
    letter->dim->scalex = letter->dim->scaley = 2;
    SetColor(1, 2, 3);
    letter->Draw();
    auto draws = Calls("image");
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].x, 45); // scaled about the box's centre
    EXPECT_EQ(draws[0].y, 50);
    EXPECT_EQ(draws[0].state.alpha, 0.4f);
    EXPECT_EQ(draws[0].state.scaleX, 2);
    EXPECT_EQ(GetAlpha(), 1);
    float sx, sy;
    GetScale(sx, sy);
    EXPECT_EQ(sx, 1);
    int r, g, b;
    GetColor(r, g, b);
    EXPECT_EQ(r, 1); // the colour is left alone
}

} // namespace
} // namespace vsm
