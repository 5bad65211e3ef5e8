// The drawing helpers under the real backend: which image pixels land where, read back from the
// off-screen target.
#include "platform/Headless.h"
#include "platform/Platform.h"
#include "widgets/DrawHelpers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace vsm {
namespace {

struct Rgb {
    int r, g, b;
};

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

constexpr Rgb kBack{100, 150, 200};
constexpr Rgb kRed{220, 30, 30};
constexpr Rgb kGreen{30, 220, 30};
constexpr Rgb kBlue{30, 30, 220};

uint32_t Argb(const Rgb& c) {
    return 0xFF000000u | (static_cast<uint32_t>(c.r) << 16) | (static_cast<uint32_t>(c.g) << 8) |
           static_cast<uint32_t>(c.b);
}

// A w x h image whose pixel (x, y) has colour(x, y).
ImagePtr Picture(int w, int h, const std::function<Rgb(int, int)>& colour) {
    PixmapPtr p = CreatePixmap(w, h);
    p->hasAlpha = true;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            WritePixel(p, x, y, Argb(colour(x, y)));
    return LoadImage(p);
}

class DrawHelpersGl : public ::testing::Test {
  protected:
    void SetUp() override {
        UseRealBackend();
        ResetDrawState();
        std::string error;
        ASSERT_TRUE(Graphics(800, 600, 0, 60, &error)) << error;
        SetClsColor(kBack.r, kBack.g, kBack.b);
        Cls();
        ResetDrawState();
    }
    void TearDown() override { EndGraphics(); }

    struct Probe {
        int x, y;
        Rgb want;
    };
    // Checks each screen pixel against its colour, within 2 per channel.
    void ExpectScreen(const std::vector<Probe>& probes) {
        for (const Probe& p : probes) {
            PixmapPtr grab = GrabPixmap(p.x, p.y, 1, 1);
            ASSERT_TRUE(grab);
            const uint32_t v = grab->pixels[0];
            const Rgb got{static_cast<int>((v >> 16) & 255), static_cast<int>((v >> 8) & 255),
                          static_cast<int>(v & 255)};
            EXPECT_TRUE(std::abs(got.r - p.want.r) <= 2 && std::abs(got.g - p.want.g) <= 2 &&
                        std::abs(got.b - p.want.b) <= 2)
                << "at (" << p.x << ", " << p.y << ") got " << got << ", want " << p.want;
        }
    }
};

TEST_F(DrawHelpersGl, VialShowsTheLowerBandWhereTheWholeImageWouldBe) {
    // 100 x 60 (a 128 x 64 texture): rows 0-14 red, 15-44 green, 45-59 blue.
    ImagePtr image = Picture(100, 60, [](int, int y) { return y < 15 ? kRed : y < 45 ? kGreen : kBlue; });
    drawVial(image, 200, 100, 0.25f, 1.0f);
    ExpectScreen({{250, 112, kBack},
                  {250, 117, kGreen},
                  {250, 143, kGreen},
                  {250, 147, kBlue},
                  {250, 158, kBlue},
                  {250, 162, kBack},
                  {198, 130, kBack},
                  {201, 130, kGreen},
                  {298, 130, kGreen},
                  {302, 130, kBack}});
}

TEST_F(DrawHelpersGl, ViewportShowsOnlyTheBandInsideIt) {
    // 300 x 200 with its handle at the centre: left half red, right half green; placed at
    // (400, 300) its corner is (250, 200).
    ImagePtr image = Picture(300, 200, [](int x, int) { return x < 150 ? kRed : kGreen; });
    MidHandleImage(image);
    drawInViewPort(image, 400, 300, 0, 260, 800, 40);
    ExpectScreen({{300, 255, kBack},
                  {300, 262, kRed},
                  {300, 297, kRed},
                  {500, 280, kGreen},
                  {398, 280, kRed},
                  {402, 280, kGreen},
                  {300, 303, kBack},
                  {245, 280, kBack},
                  {548, 280, kGreen},
                  {553, 280, kBack}});
}

TEST_F(DrawHelpersGl, CropTakesTheImagePixelsItNames) {
    // 50 x 50: a blue square at pixels 20-29 on green.
    ImagePtr image =
        Picture(50, 50, [](int x, int y) { return x >= 20 && x < 30 && y >= 20 && y < 30 ? kBlue : kGreen; });
    drawCroppedImage(image, 100, 100, 15, 15, 35, 35);
    ExpectScreen({{113, 125, kBack},
                  {117, 125, kGreen},
                  {125, 125, kBlue},
                  {133, 125, kGreen},
                  {137, 125, kBack},
                  {125, 113, kBack},
                  {125, 137, kBack}});
}

} // namespace
} // namespace vsm
