// The real backend on the off-screen video driver: pixels drawn into the target and read back,
// display switching, and the SDL event pump.
#include "platform/Backend.h"
#include "platform/Headless.h"
#include "platform/Platform.h"
#include "platform/real/KeyMap.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>

namespace vsm {
namespace {

struct Rgb {
    int r, g, b;
};

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

constexpr uint32_t Argb(int r, int g, int b, int a = 255) {
    return (static_cast<uint32_t>(a) << 24) | (static_cast<uint32_t>(r) << 16) |
           (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}

Rgb ScreenAt(int x, int y) {
    PixmapPtr p = GrabPixmap(x, y, 1, 1);
    uint32_t v = p ? p->pixels[0] : 0;
    return {static_cast<int>((v >> 16) & 255), static_cast<int>((v >> 8) & 255), static_cast<int>(v & 255)};
}

// Within 2 per channel: rasterisers round blending slightly differently.
::testing::AssertionResult Near(const Rgb& got, const Rgb& want) {
    if (std::abs(got.r - want.r) <= 2 && std::abs(got.g - want.g) <= 2 && std::abs(got.b - want.b) <= 2)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << got << ", want " << want;
}

// A picture of w x h whose pixel (x, y) is colour(x, y).
PixmapPtr Picture(int w, int h, const std::function<uint32_t(int, int)>& colour) {
    PixmapPtr p = CreatePixmap(w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            WritePixel(p, x, y, colour(x, y));
    return p;
}

class RenderGl : public ::testing::Test {
  protected:
    void SetUp() override {
        UseRealBackend();
        ResetDrawState();
        std::string error;
        ASSERT_TRUE(Graphics(800, 600, 0, 60, &error)) << error;
        Backdrop();
    }
    // Clears to the backdrop colour and leaves the drawing state at its defaults.
    void Backdrop() {
        ResetDrawState();
        SetClsColor(kBack.r, kBack.g, kBack.b);
        Cls();
        ResetDrawState();
    }
    static constexpr Rgb kBack{100, 150, 200};
};

TEST_F(RenderGl, EachBlendModeCombinesWithTheScreenAsDocumented) {
    const Rgb src{200, 100, 50};
    auto a = [](float alpha) { return static_cast<float>(static_cast<int>(alpha * 255 + 0.5f)) / 255.0f; };
    auto mix = [](int s, int d, float k) { return static_cast<int>(s * k + d * (1 - k) + 0.5f); };
    auto add = [](int s, int d, float k) { return std::min(255, static_cast<int>(s * k + d + 0.5f)); };
    struct Case {
        const char* name;
        int blend;
        float alpha;
        Rgb want;
    } cases[] = {
        {"solid ignores alpha", SOLIDBLEND, 0.3f, src},
        {"mask keeps opaque", MASKBLEND, 1.0f, src},
        {"mask drops under half alpha", MASKBLEND, 0.4f, kBack},
        {"alpha",
         ALPHABLEND,
         0.5f,
         {mix(src.r, kBack.r, a(0.5f)), mix(src.g, kBack.g, a(0.5f)), mix(src.b, kBack.b, a(0.5f))}},
        {"alpha zero", ALPHABLEND, 0.0f, kBack},
        {"light adds",
         LIGHTBLEND,
         0.5f,
         {add(src.r, kBack.r, a(0.5f)), add(src.g, kBack.g, a(0.5f)), add(src.b, kBack.b, a(0.5f))}},
        {"light saturates", LIGHTBLEND, 1.0f, {255, 250, 250}},
        {"shade multiplies",
         SHADEBLEND,
         1.0f,
         {src.r * kBack.r / 255, src.g * kBack.g / 255, src.b * kBack.b / 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Backdrop();
        SetBlend(c.blend);
        SetAlpha(c.alpha);
        SetColor(src.r, src.g, src.b);
        DrawRect(10, 10, 20, 20);
        EXPECT_TRUE(Near(ScreenAt(15, 15), c.want));
        EXPECT_TRUE(Near(ScreenAt(35, 15), kBack)); // outside the rectangle
    }
}

TEST_F(RenderGl, ColourTintsImagesAndAlphaFadesThem) {
    ImagePtr img = LoadImage(Picture(4, 4, [](int, int) { return Argb(200, 100, 40); }), 0);
    ASSERT_TRUE(img);
    SetColor(128, 255, 64);
    DrawImage(img, 50, 50);
    EXPECT_TRUE(Near(ScreenAt(51, 51), {200 * 128 / 255, 100, 40 * 64 / 255}));
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetAlpha(0.25f);
    DrawImage(img, 60, 50);
    float k = 64.0f / 255.0f;
    EXPECT_TRUE(Near(ScreenAt(61, 51), {static_cast<int>(200 * k + kBack.r * (1 - k) + 0.5f),
                                        static_cast<int>(100 * k + kBack.g * (1 - k) + 0.5f),
                                        static_cast<int>(40 * k + kBack.b * (1 - k) + 0.5f)}));
    SetAlpha(-1); // negative alpha draws nothing
    DrawImage(img, 70, 50);
    EXPECT_TRUE(Near(ScreenAt(71, 51), kBack));
}

TEST_F(RenderGl, RotationTurnsClockwiseAndScaleStretchesAboutTheHandle) {
    const Rgb red{255, 0, 0}, green{0, 255, 0};
    // 20 x 10: left half red, right half green; the handle at its centre.
    ImagePtr img =
        LoadImage(Picture(20, 10, [](int x, int) { return x < 10 ? Argb(255, 0, 0) : Argb(0, 255, 0); }), 0);
    ASSERT_TRUE(img);
    MidHandleImage(img);
    SetRotation(90);
    SetScale(2, 1);
    DrawImage(img, 200, 200);
    // Scaled to 40 x 10 about (200, 200), then turned a quarter clockwise: the left (red) end
    // points up, the right (green) end down; the strip is 10 wide and 40 tall.
    EXPECT_TRUE(Near(ScreenAt(200, 184), red));
    EXPECT_TRUE(Near(ScreenAt(203, 190), red));
    EXPECT_TRUE(Near(ScreenAt(200, 215), green));
    EXPECT_TRUE(Near(ScreenAt(197, 210), green));
    EXPECT_TRUE(Near(ScreenAt(207, 200), kBack));
    EXPECT_TRUE(Near(ScreenAt(200, 222), kBack));
    EXPECT_TRUE(Near(ScreenAt(200, 177), kBack));

    // No rotation, a handle in the top-left quarter: the image's (5, 2) lands on (300, 300).
    SetTransform(0, 1, 1);
    SetImageHandle(img, 5, 2);
    DrawImage(img, 300, 300);
    EXPECT_TRUE(Near(ScreenAt(295, 298), red));
    EXPECT_TRUE(Near(ScreenAt(294, 298), kBack));
    EXPECT_TRUE(Near(ScreenAt(314, 307), green));
    EXPECT_TRUE(Near(ScreenAt(315, 307), kBack));
}

TEST_F(RenderGl, MaskedImagesLetTheMaskColourThrough) {
    // Red with a black centre.
    PixmapPtr pic = Picture(6, 6, [](int x, int y) {
        return (x >= 2 && x < 4 && y >= 2 && y < 4) ? Argb(0, 0, 0) : Argb(255, 0, 0);
    });
    pic->hasAlpha = false; // as a JPEG or a PNG without alpha decodes
    ImagePtr masked = LoadImage(pic, MASKEDIMAGE);
    ImagePtr plain = LoadImage(pic, 0);
    ASSERT_TRUE(masked && plain);
    DrawImage(masked, 100, 100);
    DrawImage(plain, 120, 100);
    EXPECT_TRUE(Near(ScreenAt(100, 100), {255, 0, 0}));
    EXPECT_TRUE(Near(ScreenAt(102, 102), kBack));
    EXPECT_TRUE(Near(ScreenAt(122, 102), {0, 0, 0}));
}

TEST_F(RenderGl, AnimationFramesSitAtTheTopLeftOfTheirPowerOfTwoTexture) {
    // Three 10 x 6 cells (16 x 8 textures): each with a left half and a right half colour.
    const uint32_t left[] = {Argb(255, 0, 0), Argb(0, 255, 0), Argb(0, 0, 255)};
    const uint32_t right[] = {Argb(255, 255, 0), Argb(0, 255, 255), Argb(255, 0, 255)};
    PixmapPtr strip = Picture(30, 6, [&](int x, int) { return x % 10 < 5 ? left[x / 10] : right[x / 10]; });
    ImagePtr anim = LoadAnimImage(strip, 10, 6, 0, 3, 0);
    ASSERT_TRUE(anim);
    ASSERT_EQ(ImageFrames(anim), 3);
    for (int f = 0; f < 3; f++) {
        SCOPED_TRACE(f);
        int x = 100 + 20 * f;
        DrawImage(anim, static_cast<float>(x), 100, f);
        auto rgb = [](uint32_t v) { return Rgb{int(v >> 16 & 255), int(v >> 8 & 255), int(v & 255)}; };
        EXPECT_TRUE(Near(ScreenAt(x, 100), rgb(left[f])));
        EXPECT_TRUE(Near(ScreenAt(x + 4, 105), rgb(left[f])));
        EXPECT_TRUE(Near(ScreenAt(x + 5, 100), rgb(right[f])));
        EXPECT_TRUE(Near(ScreenAt(x + 9, 105), rgb(right[f])));
        EXPECT_TRUE(Near(ScreenAt(x + 10, 100), kBack));
        EXPECT_TRUE(Near(ScreenAt(x, 106), kBack));
    }
    DrawImage(anim, 0, 0, 3); // out of range: nothing
    EXPECT_TRUE(Near(ScreenAt(0, 0), kBack));
}

TEST_F(RenderGl, TexturedPolygonUsesPowerOfTwoCoordinates) {
    // 100 x 60 (texture 128 x 64): rows 0..29 red, rows 30..59 green. The band from half height
    // to the bottom, as a vial fill draws it.
    ImagePtr img =
        LoadImage(Picture(100, 60, [](int, int y) { return y < 30 ? Argb(255, 0, 0) : Argb(0, 255, 0); }), 0);
    ASSERT_TRUE(img);
    const float u = 100.0f / TexturePow2(100), v0 = 30.0f / TexturePow2(60), v1 = 60.0f / TexturePow2(60);
    const float x = 300, y = 100;
    const float quad[] = {x, y + 30, 0, v0, x + 100, y + 30, u, v0, x + 100, y + 60, u, v1, x, y + 60, 0, v1};
    DrawTexturedPolygon(img, 0, quad, 16);
    EXPECT_TRUE(Near(ScreenAt(350, 110), kBack));
    EXPECT_TRUE(Near(ScreenAt(350, 129), kBack));
    EXPECT_TRUE(Near(ScreenAt(300, 130), {0, 255, 0}));
    EXPECT_TRUE(Near(ScreenAt(399, 159), {0, 255, 0}));
    EXPECT_TRUE(Near(ScreenAt(400, 145), kBack));
    EXPECT_TRUE(Near(ScreenAt(350, 160), kBack));

    // The current origin moves it and the current colour tints it.
    SetOrigin(0, 100);
    SetColor(128, 128, 128);
    DrawTexturedPolygon(img, 0, quad, 16);
    EXPECT_TRUE(Near(ScreenAt(350, 245), {0, 128, 0}));
}

TEST_F(RenderGl, TextIsDrawnInTheCurrentColourInsideItsMeasuredBox) {
    SetImageFont(nullptr);
    SetBlend(ALPHABLEND);
    SetColor(255, 0, 0);
    const std::string text = "Hello";
    DrawText(text, 100, 100);
    int w = TextWidth(text), h = TextHeight(text);
    ASSERT_GT(w, 0);
    ASSERT_GT(h, 0);
    PixmapPtr p = GrabPixmap(90, 90, w + 20, h + 20);
    int inked = 0, outside = 0;
    for (int y = 0; y < p->height; y++) {
        for (int x = 0; x < p->width; x++) {
            uint32_t c = p->pixels[static_cast<size_t>(y * p->width + x)];
            Rgb rgb{int(c >> 16 & 255), int(c >> 8 & 255), int(c & 255)};
            if (Near(rgb, kBack)) continue;
            bool inBox = x >= 10 && x < 10 + w && y >= 10 && y < 10 + h;
            if (!inBox) outside++;
            // Every touched pixel lies between the backdrop and pure red.
            EXPECT_GE(rgb.r, kBack.r - 2);
            EXPECT_LE(rgb.g, kBack.g + 2);
            if (rgb.r > 240 && rgb.g < 15 && rgb.b < 15) inked++;
        }
    }
    EXPECT_GT(inked, 20);
    EXPECT_EQ(outside, 0);

    // Scale 2 doubles the inked extent to the right.
    Backdrop();
    SetImageFont(nullptr);
    SetBlend(ALPHABLEND);
    SetScale(2, 2);
    DrawText("l", 100, 100);
    int lastRow = -1;
    PixmapPtr big = GrabPixmap(100, 100, 40, 2 * h + 4);
    for (int y = 0; y < big->height; y++)
        for (int x = 0; x < big->width; x++)
            if ((big->pixels[static_cast<size_t>(y * big->width + x)] & 0xFFFFFF) !=
                (Argb(kBack.r, kBack.g, kBack.b) & 0xFFFFFF))
                lastRow = y;
    EXPECT_GT(lastRow, h);
    EXPECT_LT(lastRow, 2 * h + 2);
}

TEST_F(RenderGl, FilteredImagesBlendNeighboursWhenStretchedAndPlainOnesDoNot) {
    // Two pixels, black and white, stretched to 40 x 10: the middle of the left half is pure
    // black without filtering and a grey between the two with it.
    PixmapPtr pic = Picture(2, 1, [](int x, int) { return x == 0 ? Argb(0, 0, 0) : Argb(255, 255, 255); });
    ImagePtr plain = LoadImage(pic, 0);
    ImagePtr filtered = LoadImage(pic, FILTEREDIMAGE);
    ASSERT_TRUE(plain && filtered);
    SetImageHandle(plain, 1, 0); // the handle stretches with the picture: 20 pixels in
    DrawImageRect(plain, 120, 100, 40, 10);
    DrawImageRect(filtered, 100, 200, 40, 10);
    EXPECT_TRUE(Near(ScreenAt(100, 105), {0, 0, 0}));
    EXPECT_TRUE(Near(ScreenAt(119, 105), {0, 0, 0}));
    EXPECT_TRUE(Near(ScreenAt(120, 105), {255, 255, 255}));
    EXPECT_TRUE(Near(ScreenAt(139, 105), {255, 255, 255}));
    EXPECT_TRUE(Near(ScreenAt(140, 105), kBack));
    Rgb mid = ScreenAt(118, 205);
    EXPECT_GT(mid.r, 40);
    EXPECT_LT(mid.r, 215);
    EXPECT_TRUE(Near(ScreenAt(100, 205), {0, 0, 0})); // the edge does not bleed into the padding
    EXPECT_TRUE(Near(ScreenAt(139, 205), {255, 255, 255}));
}

TEST_F(RenderGl, TheTargetKeepsItsContentsAcrossFlips) {
    SetColor(255, 255, 0);
    DrawRect(10, 10, 10, 10);
    Flip(0);
    SetColor(0, 255, 255);
    DrawRect(30, 10, 10, 10);
    Flip(0);
    EXPECT_TRUE(Near(ScreenAt(15, 15), {255, 255, 0}));
    EXPECT_TRUE(Near(ScreenAt(35, 15), {0, 255, 255}));
    EXPECT_TRUE(Near(ScreenAt(50, 15), kBack));
}

TEST_F(RenderGl, ViewportClipsAndOriginShifts) {
    SetViewport(20, 20, 10, 10);
    SetColor(255, 0, 0);
    DrawRect(0, 0, 100, 100);
    EXPECT_TRUE(Near(ScreenAt(19, 25), kBack));
    EXPECT_TRUE(Near(ScreenAt(20, 20), {255, 0, 0}));
    EXPECT_TRUE(Near(ScreenAt(29, 29), {255, 0, 0}));
    EXPECT_TRUE(Near(ScreenAt(30, 25), kBack));
    SetViewport(0, 0, 800, 600);
    SetOrigin(200, 100);
    SetColor(0, 0, 255);
    DrawRect(0, 0, 5, 5);
    EXPECT_TRUE(Near(ScreenAt(202, 102), {0, 0, 255}));
    EXPECT_TRUE(Near(ScreenAt(2, 2), kBack));
    // Cls clears only the viewport.
    SetOrigin(0, 0);
    SetViewport(200, 100, 2, 2);
    SetClsColor(0, 0, 0);
    Cls();
    EXPECT_TRUE(Near(ScreenAt(200, 100), {0, 0, 0}));
    EXPECT_TRUE(Near(ScreenAt(203, 103), {0, 0, 255}));
}

TEST_F(RenderGl, LinesPointsAndOvals) {
    SetColor(255, 255, 255);
    Plot(5, 7);
    EXPECT_TRUE(Near(ScreenAt(5, 7), {255, 255, 255}));
    EXPECT_TRUE(Near(ScreenAt(6, 7), kBack));
    EXPECT_TRUE(Near(ScreenAt(5, 8), kBack));
    DrawLine(10, 20, 30, 20);
    EXPECT_TRUE(Near(ScreenAt(10, 20), {255, 255, 255}));
    EXPECT_TRUE(Near(ScreenAt(20, 20), {255, 255, 255}));
    EXPECT_TRUE(Near(ScreenAt(20, 21), kBack));
    DrawOval(100, 100, 40, 20);
    EXPECT_TRUE(Near(ScreenAt(120, 110), {255, 255, 255}));
    EXPECT_TRUE(Near(ScreenAt(102, 110), {255, 255, 255}));
    EXPECT_TRUE(Near(ScreenAt(101, 101), kBack));
    EXPECT_TRUE(Near(ScreenAt(138, 118), kBack));
}

TEST_F(RenderGl, PixmapsAreCopiedWithoutTintOrTransform) {
    PixmapPtr pic = Picture(3, 2, [](int x, int y) { return Argb(40 * x + 10, 100 * y + 20, 77); });
    SetColor(0, 0, 0);
    SetRotation(45);
    SetScale(3, 3);
    DrawPixmap(pic, 400, 300);
    for (int y = 0; y < 2; y++)
        for (int x = 0; x < 3; x++) {
            SCOPED_TRACE(x * 10 + y);
            EXPECT_TRUE(Near(ScreenAt(400 + x, 300 + y), {40 * x + 10, 100 * y + 20, 77}));
        }
    EXPECT_TRUE(Near(ScreenAt(403, 300), kBack));
    EXPECT_TRUE(Near(ScreenAt(400, 302), kBack));
}

TEST_F(RenderGl, GrabReadsOpaquePixelsAndBlankBeyondTheScreen) {
    SetColor(10, 20, 30);
    DrawRect(0, 0, 2, 2);
    PixmapPtr p = GrabPixmap(-1, -1, 4, 4);
    ASSERT_TRUE(p);
    ASSERT_EQ(p->width, 4);
    ASSERT_EQ(p->height, 4);
    EXPECT_EQ(p->pixels[0], 0u);                               // (-1, -1): off the screen
    EXPECT_EQ(p->pixels[3], 0u);                               // (2, -1)
    EXPECT_EQ(p->pixels[5], Argb(10, 20, 30));                 // (0, 0)
    EXPECT_EQ(p->pixels[10], Argb(10, 20, 30));                // (1, 1)
    EXPECT_EQ(p->pixels[15], Argb(kBack.r, kBack.g, kBack.b)); // (2, 2)
    PixmapPtr edge = GrabPixmap(798, 598, 4, 4);
    ASSERT_TRUE(edge);
    EXPECT_EQ(edge->pixels[0], Argb(kBack.r, kBack.g, kBack.b)); // (798, 598)
    EXPECT_EQ(edge->pixels[2], 0u);                              // (800, 598)
    EXPECT_EQ(edge->pixels[8], 0u);                              // (798, 600)
}

TEST_F(RenderGl, ChangedImagePixelsAreUploadedAgain) {
    ImagePtr img = CreateImage(2, 2, 1, 0);
    ASSERT_TRUE(img);
    PixmapPtr px = LockImage(img);
    for (int i = 0; i < 4; i++)
        px->pixels[static_cast<size_t>(i)] = Argb(255, 0, 0);
    UnlockImage(img);
    DrawImage(img, 10, 10);
    EXPECT_TRUE(Near(ScreenAt(10, 10), {255, 0, 0}));
    px = LockImage(img);
    px->pixels[0] = Argb(0, 255, 0);
    UnlockImage(img);
    DrawImage(img, 10, 10);
    EXPECT_TRUE(Near(ScreenAt(10, 10), {0, 255, 0}));
}

// Drawing waits in batches until the state changes or the frame ends; whatever is uploaded or
// changed meanwhile must not change what was already drawn.
TEST_F(RenderGl, EachCallDrawsWhatItsPictureWasWhenItWasMadeWhateverFollows) {
    // Wider than the shared pages take, so it has a texture of its own.
    ImagePtr wide = LoadImage(Picture(300, 2, [](int, int) { return Argb(255, 0, 0); }), 0);
    ImagePtr small = LoadImage(Picture(2, 2, [](int, int) { return Argb(0, 255, 0); }), 0);
    ImagePtr changing = CreateImage(2, 2, 1, 0);
    PixmapPtr px = LockImage(changing);
    for (uint32_t& p : px->pixels)
        p = Argb(0, 0, 255);
    UnlockImage(changing);

    SetBlend(SOLIDBLEND);
    DrawImage(wide, 10, 10);
    SetBlend(ALPHABLEND);
    DrawImage(wide, 10, 20);
    DrawImage(small, 10, 30); // its first upload binds a shared page
    DrawImage(changing, 10, 40);
    px = LockImage(changing);
    for (uint32_t& p : px->pixels)
        p = Argb(255, 255, 0);
    UnlockImage(changing);
    DrawImage(changing, 20, 40);
    SetBlend(LIGHTBLEND);
    DrawImage(wide, 10, 50);
    Flip(0);
    EXPECT_TRUE(Near(ScreenAt(15, 10), {255, 0, 0}));
    EXPECT_TRUE(Near(ScreenAt(15, 20), {255, 0, 0}));
    EXPECT_TRUE(Near(ScreenAt(11, 31), {0, 255, 0}));
    EXPECT_TRUE(Near(ScreenAt(11, 41), {0, 0, 255}));
    EXPECT_TRUE(Near(ScreenAt(21, 41), {255, 255, 0}));
    EXPECT_TRUE(Near(ScreenAt(15, 50), {255, 150, 200}));
}

// A picture that never changes is kept once: its texture holds it after the first draw. LockImage
// and a new backend (a new GL context) bring the pixels back whole.
TEST_F(RenderGl, UnchangedPicturesLetTheirPixelsGoOnceUploadedAndGetThemBackWhenAsked) {
    auto colour = [](int x, int y) { return Argb(10 + x % 200, 20 + y * 30, 90); };
    // A small picture shares a page; a wide one has a texture of its own.
    for (const auto& [w, h] : {std::pair{5, 3}, {300, 3}}) {
        SCOPED_TRACE(w);
        ImagePtr img = LoadImage(Picture(w, h, colour), 0);
        ASSERT_EQ(img->frames[0]->pixels.size(), static_cast<size_t>(w * h));
        DrawImage(img, 10, 10);
        EXPECT_TRUE(img->frames[0]->pixels.empty());
        PixmapPtr back = LockImage(img);
        ASSERT_EQ(back->pixels.size(), static_cast<size_t>(w * h));
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++)
                ASSERT_EQ(ReadPixel(back, x, y), colour(x, y)) << x << "," << y;
    }

    ImagePtr kept = LoadImage(Picture(4, 4, [](int, int) { return Argb(200, 40, 0); }), 0);
    DrawImage(kept, 10, 10);
    ASSERT_TRUE(kept->frames[0]->pixels.empty());
    UseRealBackend();
    std::string error;
    ASSERT_TRUE(Graphics(800, 600, 0, 60, &error)) << error;
    EXPECT_EQ(ReadPixel(kept->frames[0], 3, 3), Argb(200, 40, 0));
    DrawImage(kept, 20, 20);
    EXPECT_TRUE(Near(ScreenAt(21, 21), {200, 40, 0}));
}

// The off-screen driver takes a full-screen request without resizing its surface, as an X server
// without a window manager does: the request is refused and the window stays, 1:1.
TEST_F(RenderGl, AFullScreenTheSurfaceNeverTakesIsRefusedAndTheWindowStays) {
    ImagePtr img = LoadImage(Picture(2, 2, [](int, int) { return Argb(0, 200, 0); }), 0);
    DrawImage(img, 0, 0);
    std::string error;
    EXPECT_FALSE(Graphics(800, 600, 32, 60, &error));
    EXPECT_EQ(error, "");
    EXPECT_TRUE(GraphicsOpen());
    EXPECT_EQ(GraphicsFullScreen(), 0);
    DrawImage(img, 10, 10);
    EXPECT_TRUE(Near(ScreenAt(11, 11), {0, 200, 0}));
    EXPECT_TRUE(Near(ScreenAt(9, 9), {0, 0, 0}));
    ASSERT_TRUE(Graphics(800, 600, 0, 60, &error)) << error;
    DrawImage(img, 20, 20);
    EXPECT_TRUE(Near(ScreenAt(21, 21), {0, 200, 0}));
}

TEST_F(RenderGl, ModesIncludeTheGamesOwn) {
    bool found = false;
    for (const GraphicsMode& m : GraphicsModes())
        found |= m.width == 800 && m.height == 600 && m.depth == 32;
    EXPECT_TRUE(found);
}

// Events pushed into SDL's queue reach the input state through PollSystem.
class InputPumpGl : public RenderGl {
  protected:
    void SetUp() override {
        RenderGl::SetUp();
        PollSystem();
        FlushKeys();
        FlushMouse();
        while (GetChar() != 0) {
        }
        AppTerminate();
    }
    static void Push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError(); }
    static void Key(Uint32 type, SDL_Scancode code, bool repeat = false) {
        SDL_Event e{};
        e.type = type;
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.repeat = repeat ? 1 : 0;
        e.key.keysym.scancode = code;
        Push(e);
    }
    static void Window(Uint8 event) {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.event = event;
        Push(e);
    }
};

TEST_F(InputPumpGl, KeysCountPressesNotRepeatsAndTypeCharacters) {
    Key(SDL_KEYDOWN, SDL_SCANCODE_A);
    Key(SDL_KEYDOWN, SDL_SCANCODE_A, true);
    Key(SDL_KEYDOWN, SDL_SCANCODE_RETURN);
    Key(SDL_KEYDOWN, SDL_SCANCODE_RETURN, true);
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    std::strcpy(text.text.text, "a\xC3\xA9"); // "aé"
    Push(text);
    PollSystem();
    EXPECT_EQ(KeyHit(KEY_A), 1);
    EXPECT_EQ(KeyDown(KEY_A), 1);
    EXPECT_EQ(KeyHit(KEY_ENTER), 1);
    EXPECT_EQ(GetChar(), 13);
    EXPECT_EQ(GetChar(), 13);
    EXPECT_EQ(GetChar(), 'a');
    EXPECT_EQ(GetChar(), 0xE9);
    EXPECT_EQ(GetChar(), 0);
    Key(SDL_KEYUP, SDL_SCANCODE_A);
    PollSystem();
    EXPECT_EQ(KeyDown(KEY_A), 0);
}

TEST_F(InputPumpGl, MouseButtonsWheelAndPointer) {
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_RIGHT;
    e.button.state = SDL_PRESSED;
    e.button.x = 123;
    e.button.y = 456;
    Push(e);
    e.button.button = SDL_BUTTON_MIDDLE;
    Push(e);
    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.y = 2;
    Push(wheel);
    Push(wheel);
    PollSystem();
    EXPECT_EQ(MouseHit(2), 1);
    EXPECT_EQ(MouseHit(3), 1);
    EXPECT_EQ(MouseHit(1), 0);
    EXPECT_EQ(MouseDown(2), 1);
    EXPECT_EQ(MouseX(), 123);
    EXPECT_EQ(MouseY(), 456);
    EXPECT_EQ(MouseZ(), 4);
}

// A press and its release arriving between two frames (a touchpad tap) still reads as held in
// the next frame, for the screens that act on a held button; a longer press lets go at once.
TEST_F(InputPumpGl, AQuickClickIsHeldUntilTheNextFrameIsShown) {
    Flip(0);
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = SDL_PRESSED;
    e.button.x = 10;
    e.button.y = 20;
    Push(e);
    SDL_Event up = e;
    up.type = SDL_MOUSEBUTTONUP;
    up.button.state = SDL_RELEASED;
    Push(up);
    PollSystem();
    PollSystem(); // a second pump within the same frame keeps it
    EXPECT_EQ(MouseDown(1), 1);
    EXPECT_EQ(MouseHit(1), 1);
    Flip(0);
    EXPECT_EQ(MouseDown(1), 0);

    // Held over a presented frame: the release counts when it comes.
    Push(e);
    PollSystem();
    Flip(0);
    EXPECT_EQ(MouseDown(1), 1);
    Push(up);
    PollSystem();
    EXPECT_EQ(MouseDown(1), 0);

    // Pressed, released and pressed again before the frame: still held after it.
    Push(e);
    Push(up);
    Push(e);
    PollSystem();
    Flip(0);
    EXPECT_EQ(MouseDown(1), 1);
    Push(up);
    PollSystem();
    EXPECT_EQ(MouseDown(1), 0);
}

// After a refused full screen the pointer lands where it is drawn: the window is 1:1 again.
TEST_F(InputPumpGl, ThePointerMapsOneToOneAfterARefusedFullScreen) {
    EXPECT_FALSE(Graphics(800, 600, 32, 60));
    for (int i = 0; i < 3; i++)
        Flip(0);
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = 123;
    e.motion.y = 456;
    Push(e);
    PollSystem();
    EXPECT_EQ(MouseX(), 123);
    EXPECT_EQ(MouseY(), 456);
}

TEST_F(InputPumpGl, SuspendClearsInputAndCloseRequestsAreReportedOnce) {
    Key(SDL_KEYDOWN, SDL_SCANCODE_SPACE);
    Window(SDL_WINDOWEVENT_FOCUS_LOST);
    PollSystem();
    EXPECT_EQ(AppSuspended(), 1);
    EXPECT_EQ(KeyHit(KEY_SPACE), 0);
    Window(SDL_WINDOWEVENT_FOCUS_GAINED);
    PollSystem();
    EXPECT_EQ(AppSuspended(), 0);

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    Push(quit);
    PollSystem();
    EXPECT_EQ(AppTerminate(), 1);
    EXPECT_EQ(AppTerminate(), 0);
}

TEST(KeyMap, ScancodesGiveTheWindowsKeyNumbers) {
    const std::pair<SDL_Scancode, int> cases[] = {
        {SDL_SCANCODE_BACKSPACE, 8}, {SDL_SCANCODE_TAB, 9},       {SDL_SCANCODE_RETURN, 13},
        {SDL_SCANCODE_KP_ENTER, 13}, {SDL_SCANCODE_ESCAPE, 27},   {SDL_SCANCODE_SPACE, 32},
        {SDL_SCANCODE_PAGEUP, 33},   {SDL_SCANCODE_PAGEDOWN, 34}, {SDL_SCANCODE_END, 35},
        {SDL_SCANCODE_HOME, 36},     {SDL_SCANCODE_LEFT, 37},     {SDL_SCANCODE_UP, 38},
        {SDL_SCANCODE_RIGHT, 39},    {SDL_SCANCODE_DOWN, 40},     {SDL_SCANCODE_DELETE, 46},
        {SDL_SCANCODE_0, 48},        {SDL_SCANCODE_1, 49},        {SDL_SCANCODE_9, 57},
        {SDL_SCANCODE_A, 65},        {SDL_SCANCODE_Z, 90},        {SDL_SCANCODE_F1, 112},
        {SDL_SCANCODE_F6, 117},      {SDL_SCANCODE_F12, 123},     {SDL_SCANCODE_KP_0, 96},
        {SDL_SCANCODE_KP_9, 105},    {SDL_SCANCODE_KP_PLUS, 107}, {SDL_SCANCODE_LSHIFT, 160},
        {SDL_SCANCODE_RSHIFT, 161},  {SDL_SCANCODE_LCTRL, 162},   {SDL_SCANCODE_RCTRL, 163},
        {SDL_SCANCODE_LALT, 164},    {SDL_SCANCODE_RALT, 165},    {SDL_SCANCODE_UNKNOWN, 0},
    };
    for (auto [code, key] : cases) {
        SCOPED_TRACE(SDL_GetScancodeName(code));
        EXPECT_EQ(VirtualKeyFromScancode(code), key);
    }
    EXPECT_EQ(VirtualKeyFromScancode(-1), 0);
    EXPECT_EQ(VirtualKeyFromScancode(SDL_NUM_SCANCODES), 0);
}

} // namespace
} // namespace vsm
