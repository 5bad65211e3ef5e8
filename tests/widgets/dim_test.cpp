// Tests of TDim: edges under origin, scale and offsets, and the strict hit tests.
#include "widgets/TDim.h"

#include <gtest/gtest.h>

namespace vsm {
namespace {

struct EdgeCase {
    const char* name;
    float x, y, w, h;
    int origin;
    float sx, sy, xoff, yoff;
    float left, top, right, bottom;
};

TEST(DimTest, EdgesFollowOriginScaleAndOffsets) {
    const EdgeCase cases[] = {
        {"corner", 100, 50, 200, 40, 0, 1, 1, 0, 0, 100, 50, 300, 90},
        {"corner zoomed 1.15", 100, 50, 200, 40, 0, 1.15f, 1.15f, 0, 0, 85, 47, 315, 93},
        {"centre 1.14", 400, 300, 100, 40, 1, 1.14f, 1, 0, 0, 343, 280, 457, 320},
        {"centre 0.5", 400, 300, 100, 40, 1, 0.5f, 1, 0, 0, 375, 280, 425, 320},
        {"corner with offsets", 100, 50, 200, 40, 0, 1, 1, 10, -5, 110, 45, 310, 85},
        {"centre with offsets", 400, 300, 100, 40, 1, 1, 1, 10, 5, 360, 285, 460, 325},
        {"origin 2 ignores position", 400, 300, 100, 40, 2, 2, 0.5f, 10, 10, 0, 0, 200, 20},
        {"bare scale 0", 100, 50, 200, 40, 0, 0, 0, 0, 0, 200, 70, 200, 70},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        DimPtr d = CreateDim(c.x, c.y, c.w, c.h, 0, c.sx, c.sy, c.origin);
        d->xoffset = c.xoff;
        d->yoffset = c.yoff;
        EXPECT_NEAR(d->Left(), c.left, 1e-3);
        EXPECT_NEAR(d->Top(), c.top, 1e-3);
        EXPECT_NEAR(d->Right(), c.right, 1e-3);
        EXPECT_NEAR(d->Bottom(), c.bottom, 1e-3);
    }
}

TEST(DimTest, CreateDimDefaultsAndBareConstructor) {
    DimPtr d = CreateDim(1, 2, 3, 4);
    EXPECT_EQ(d->Size, 0);
    EXPECT_EQ(d->scalex, 1);
    EXPECT_EQ(d->scaley, 1);
    EXPECT_EQ(d->origin, 0);
    EXPECT_EQ(d->xoffset, 0);
    EXPECT_EQ(d->yoffset, 0);

    // A rectangle from the bare constructor has scale 0 and so can never be hit.
    TDim bare;
    bare.width = 100;
    bare.height = 100;
    EXPECT_EQ(bare.Left(), bare.Right());
    EXPECT_EQ(bare.InXY(50, 50), 0);
}

TEST(DimTest, HitTestsAreStrictAtEveryEdge) {
    DimPtr d = CreateDim(100, 50, 200, 40);
    struct {
        float px, py;
        int in;
    } points[] = {
        {101, 51, 1},   {299, 89, 1},    {200, 70, 1},                       // inside
        {100, 70, 0},   {300, 70, 0},    {200, 50, 0},         {200, 90, 0}, // on each edge
        {99.9f, 70, 0}, {200, 90.1f, 0}, {100.01f, 50.01f, 1},               // just outside / inside
    };
    for (auto& p : points) {
        SCOPED_TRACE(testing::Message() << "(" << p.px << ", " << p.py << ")");
        EXPECT_EQ(d->InXY(p.px, p.py), p.in);
        EXPECT_EQ(d->InX(p.px) && d->InY(p.py), p.in == 1);
    }
    // The offset moves the hit area with the edges.
    d->xoffset = 10;
    EXPECT_EQ(d->InXY(105, 70), 0);
    EXPECT_EQ(d->InXY(305, 70), 1);
    EXPECT_EQ(d->InXY(310, 70), 0);
}

TEST(DimTest, InTestsOnlyTheOtherRectanglesPosition) {
    DimPtr outer = CreateDim(0, 0, 100, 100);
    // Its body reaches far outside, but its (x, y) is inside.
    DimPtr big = CreateDim(90, 90, 500, 500, 0, 3, 3, 1);
    EXPECT_EQ(outer->In(big), 1);
    DimPtr onEdge = CreateDim(0, 50, 10, 10);
    EXPECT_EQ(outer->In(onEdge), 0);
    EXPECT_EQ(outer->In(nullptr), 0);
}

} // namespace
} // namespace vsm
