// Image fonts: measuring text with a real TrueType face, the default font and failed loads.
#include "platform/Graphics.h"
#include "platform/Headless.h"
#include "platform/TImageFont.h"

#include <gtest/gtest.h>

namespace vsm {
namespace {

const char* const kFace = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

TEST(Font, TextWidthSumsTheGlyphAdvancesOfTheCurrentFont) {
    UseHeadlessBackend();
    FontPtr font = LoadImageFont(kFace, 20);
    if (!font) GTEST_SKIP() << "DejaVu Sans is not installed";
    SetImageFont(font);
    EXPECT_EQ(GetImageFont(), font);
    const int i = TextWidth("i"), m = TextWidth("M");
    EXPECT_GT(i, 0);
    EXPECT_GT(m, i); // a proportional face
    EXPECT_EQ(TextWidth("iMi"), 2 * i + m);
    EXPECT_EQ(TextWidth(""), 0);
    EXPECT_EQ(TextWidth("\xC5\x81"), font->Glyph(0x141).advance); // UTF-8 is decoded
    EXPECT_GE(TextHeight("x"), 20);
    EXPECT_LE(TextHeight("x"), 30);
    EXPECT_EQ(FontHeight(font), TextHeight(""));

    // Twice the size, about twice the width.
    FontPtr big = LoadImageFont(kFace, 40);
    ASSERT_TRUE(big);
    SetImageFont(big);
    EXPECT_NEAR(TextWidth("Vessamoor"), 2 * font->Width("Vessamoor"), 4);
}

TEST(Font, GlyphsCarryCoverageInsideTheLine) {
    FontPtr font = LoadImageFont(kFace, 24);
    if (!font) GTEST_SKIP() << "DejaVu Sans is not installed";
    const TGlyph& h = font->Glyph('H');
    ASSERT_GT(h.width, 0);
    ASSERT_GT(h.height, 0);
    EXPECT_EQ(h.coverage.size(), size_t(h.width) * h.height);
    EXPECT_GE(h.top, 0);
    EXPECT_LE(h.top + h.height, font->lineHeight);
    int inked = 0;
    for (uint8_t c : h.coverage)
        inked += c == 255;
    EXPECT_GT(inked, h.height); // two solid stems at least
    const TGlyph& space = font->Glyph(' ');
    EXPECT_GT(space.advance, 0);
    uint64_t v = font->version;
    font->Glyph('H');
    EXPECT_EQ(font->version, v); // cached, not rendered again
}

TEST(Font, FailedLoadsGiveNullAndTheDefaultFontStandsIn) {
    UseHeadlessBackend();
    EXPECT_FALSE(LoadImageFont("/no/such/font.ttf", 12));
    EXPECT_FALSE(LoadImageFont(kFace, 0));
    SetImageFont(nullptr);
    FontPtr def = GetImageFont();
    ASSERT_TRUE(def);
    EXPECT_EQ(def, DefaultFont());
    EXPECT_GT(TextWidth("abc"), 0);
    EXPECT_GT(TextHeight("abc"), 0);
    EXPECT_EQ(FontHeight(nullptr), TextHeight(""));
}

} // namespace
} // namespace vsm
