// Where the 800x600 screen lies in windows of other sizes, and the pointer's way back through it.
#include "platform/real/ScreenFit.h"

#include <gtest/gtest.h>

namespace vsm {
namespace {

TEST(ScreenFit, TheScreenFillsTheWindowAsFarAsItsShapeAllowsCentredBetweenBlackBars) {
    struct Case {
        int w, h;
        ScreenFit want;
    };
    const Case cases[] = {
        {800, 600, {0, 0, 800, 600, 1}},
        {1024, 768, {0, 0, 1024, 768, 1.28f}},
        {1920, 1080, {240, 0, 1440, 1080, 1.8f}}, // bars left and right
        {800, 700, {0, 50, 800, 600, 1}},         // bars above and below
        {1280, 1024, {0, 32, 1280, 960, 1.6f}},
        {801, 601, {0, 0, 801, 601, 1.00125f}}, // a pixel more keeps the picture whole
        {400, 300, {0, 0, 400, 300, 0.5f}},
        {0, 0, {0, 0, 800, 600, 1}}, // no size yet: 1:1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        const ScreenFit fit = FitScreen(c.w, c.h);
        EXPECT_EQ(fit.x, c.want.x);
        EXPECT_EQ(fit.y, c.want.y);
        EXPECT_EQ(fit.w, c.want.w);
        EXPECT_EQ(fit.h, c.want.h);
        EXPECT_NEAR(fit.scale, c.want.scale, 1e-3);
    }
}

TEST(ScreenFit, ThePointerFindsTheScreenPixelDrawnUnderItInEveryFit) {
    for (const auto& [w, h] : {std::pair{800, 600}, {1024, 768}, {1920, 1080}, {800, 700}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        const ScreenFit fit = FitScreen(w, h);
        for (const auto& [sx, sy] : {std::pair{0, 0}, {400, 300}, {799, 599}, {123, 456}}) {
            int wx = 0, wy = 0;
            ScreenToWindow(fit, sx, sy, wx, wy);
            float bx = 0, by = 0;
            WindowToScreen(fit, static_cast<float>(wx), static_cast<float>(wy), bx, by);
            EXPECT_EQ(static_cast<int>(bx), sx);
            EXPECT_EQ(static_cast<int>(by), sy);
        }
        // The window's middle is the screen's middle; the bars lie off the screen.
        float mx = 0, my = 0;
        WindowToScreen(fit, static_cast<float>(w) / 2, static_cast<float>(h) / 2, mx, my);
        EXPECT_NEAR(mx, 400, 1);
        EXPECT_NEAR(my, 300, 1);
        float lx = 0, ly = 0;
        WindowToScreen(fit, static_cast<float>(fit.x) - 1, static_cast<float>(fit.y) - 1, lx, ly);
        EXPECT_LT(lx, 0);
        EXPECT_LT(ly, 0);
    }
}

} // namespace
} // namespace vsm
