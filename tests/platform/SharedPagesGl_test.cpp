// The shared pages of small pictures on the real backend: pictures that come and go with levels
// and screens give their room back, so a long play does not pile up pages, and a picture that
// takes a room given back shows its own pixels while the pictures that stay keep theirs.
#include "platform/Backend.h"
#include "platform/Headless.h"
#include "platform/Platform.h"
#include "platform/real/Gl.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace vsm {
namespace {

uint32_t Argb(int r, int g, int b) {
    return 0xFF000000u | (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
           static_cast<uint32_t>(b);
}

// A plain picture of one colour (no mask, no filtering, so the colour is read back as is).
ImagePtr Plain(int w, int h, uint32_t argb) {
    PixmapPtr p = CreatePixmap(w, h);
    for (uint32_t& px : p->pixels)
        px = argb;
    return LoadImage(p, 0);
}

uint32_t ScreenAt(int x, int y) {
    PixmapPtr p = GrabPixmap(x, y, 1, 1);
    return p ? (p->pixels[0] | 0xFF000000u) : 0;
}

class SharedPagesGl : public ::testing::Test {
  protected:
    void SetUp() override {
        UseRealBackend();
        ResetDrawState();
        std::string error;
        ASSERT_TRUE(Graphics(800, 600, 0, 60, &error)) << error;
    }
};

TEST_F(SharedPagesGl, PicturesThatComeAndGoReuseTheRoomOfThePagesAndThoseThatStayKeepTheirPixels) {
    const uint32_t stayColour = Argb(200, 40, 0);
    ImagePtr stays = Plain(30, 30, stayColour);
    DrawImage(stays, 700, 500);
    const int pagesAtStart = LiveTextureCounts().picturePages;

    // A level's worth of pictures, loaded, drawn and let go, level after level: each round alone
    // fills most of a page (40 rooms of 66x66 and 20 of 34x34 on 512x512 pages).
    for (int round = 0; round < 30; round++) {
        SCOPED_TRACE(round);
        std::vector<ImagePtr> level;
        for (int i = 0; i < 60; i++) {
            const int side = i < 40 ? 64 : 32;
            level.push_back(Plain(side, side, Argb(round * 8, i * 4, 255 - i)));
        }
        ResetDrawState();
        for (int i = 0; i < 60; i++)
            DrawImage(level[static_cast<size_t>(i)], static_cast<float>((i % 10) * 66),
                      static_cast<float>((i / 10) * 66));
        DrawImage(stays, 700, 500);
        for (int i : {0, 39, 40, 59})
            ASSERT_EQ(ScreenAt((i % 10) * 66 + 5, (i / 10) * 66 + 5), Argb(round * 8, i * 4, 255 - i)) << i;
        ASSERT_EQ(ScreenAt(705, 505), stayColour);
        Flip(0);
        level.clear();
        ASSERT_LE(LiveTextureCounts().picturePages, pagesAtStart + 2);
    }

    // One picture replaced by another of its size, again and again, while now and then a picture
    // that stays is loaded beside it (a clock's face changing every second of a level whose
    // pages also take what the level shows for good).
    const int pagesBefore = LiveTextureCounts().picturePages;
    std::vector<ImagePtr> kept;
    for (int tick = 0; tick < 1200; tick++) {
        ImagePtr face = Plain(30, 30, Argb(tick % 256, 255 - tick % 256, 7));
        DrawImage(face, 100, 500);
        if (tick % 40 == 0) {
            kept.push_back(Plain(8, 8, Argb(1, 2, tick % 256)));
            DrawImage(kept.back(), 200, 500);
        }
        if (tick % 100 == 0) {
            ASSERT_EQ(ScreenAt(110, 510), Argb(tick % 256, 255 - tick % 256, 7)) << tick;
            ASSERT_EQ(ScreenAt(705, 505), stayColour) << tick;
        }
        Flip(0);
    }
    EXPECT_LE(LiveTextureCounts().picturePages, pagesBefore + 1);
    for (size_t i = 0; i < kept.size(); i++) {
        DrawImage(kept[i], 200, 500);
        ASSERT_EQ(ScreenAt(203, 503), Argb(1, 2, static_cast<int>(i * 40) % 256)) << i;
    }
}

// Pictures held for the whole run, as the game's globals hold theirs: this file's statics are set
// up before the backend's and so are torn down after them.
std::vector<ImagePtr> heldForTheRun;

// Draws pictures with textures of their own and on the shared pages into the held list, lets one
// texture go while the context lives, then leaves the program with the context still live (the
// backend is not closed at exit, the display may be gone by then).
int ExitWithPicturesOnTextures() {
    UseRealBackend();
    ResetDrawState();
    std::string error;
    if (!Graphics(800, 600, 0, 60, &error)) return 2;
    {
        ImagePtr gone = Plain(600, 20, Argb(9, 9, 9));
        DrawImage(gone, 0, 0);
        Flip(0);
    }
    Flip(0);
    for (int i = 0; i < 8; i++) {
        heldForTheRun.push_back(Plain(i < 4 ? 600 : 20, 20, Argb(i * 20, 0, 0)));
        DrawImage(heldForTheRun.back(), 0, static_cast<float>(i * 22));
    }
    Flip(0);
    std::exit(0);
}

class ExitGl : public ::testing::Test {
  protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

// The textures of pictures let go during the program's exit are noted for deleting after the
// backend's own statics may be gone: the program must still end cleanly. A write to a freed list
// is stopped for certain in the sanitizer build; the plain allocator may let it pass unseen.
TEST_F(ExitGl, PicturesOnTexturesHeldUntilTheProgramEndsAreLetGoCleanly) {
    EXPECT_EXIT(ExitWithPicturesOnTextures(), ::testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace vsm
