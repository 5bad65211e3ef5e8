// Pixmaps and images: PNG and JPEG decoding, masking, animation strips, windows, resizing.
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/Headless.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>

namespace vsm {
namespace {

// A w x h pixmap whose pixel (x, y) is fn(x, y).
template <typename Fn> PixmapPtr Make(int w, int h, Fn fn, bool alpha = true) {
    PixmapPtr p = CreatePixmap(w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            WritePixel(p, x, y, fn(x, y));
    p->hasAlpha = alpha;
    return p;
}

// An 8-bit RGB JPEG of the pixmap at the highest quality.
std::vector<uint8_t> EncodeJpeg(const PixmapPtr& p) {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = static_cast<JDIMENSION>(p->width);
    c.image_height = static_cast<JDIMENSION>(p->height);
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 100, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<uint8_t> row(size_t(p->width) * 3);
    for (int y = 0; y < p->height; y++) {
        for (int x = 0; x < p->width; x++) {
            uint32_t px = ReadPixel(p, x, y);
            row[size_t(x) * 3] = uint8_t(px >> 16);
            row[size_t(x) * 3 + 1] = uint8_t(px >> 8);
            row[size_t(x) * 3 + 2] = uint8_t(px);
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::vector<uint8_t> bytes(out, out + size);
    std::free(out);
    return bytes;
}

TEST(Pixmap, PngRoundTripKeepsEveryPixelAndAlpha) {
    std::string dir = test::ScratchDir("pixmap");
    PixmapPtr p = Make(5, 3, [](int x, int y) {
        return uint32_t(x * 40) << 24 | uint32_t(y * 90) << 16 | 0x00AB00u | uint32_t(x + y);
    });
    ASSERT_TRUE(SavePixmapPNG(p, dir + "/p.png"));
    PixmapPtr q = LoadPixmap(dir + "\\p.png");
    ASSERT_TRUE(q);
    EXPECT_EQ(q->width, 5);
    EXPECT_EQ(q->height, 3);
    EXPECT_EQ(q->pixels, p->pixels);
    EXPECT_TRUE(q->hasAlpha);

    StreamPtr s = ReadFile(dir + "/p.png");
    ASSERT_TRUE(s);
    PixmapPtr fromStream = LoadPixmapFromStream(*s);
    ASSERT_TRUE(fromStream);
    EXPECT_EQ(fromStream->pixels, p->pixels);
}

TEST(Pixmap, JpegDecodesOpaqueWithCloseColours) {
    PixmapPtr p = Make(
        16, 16, [](int x, int) { return x < 8 ? 0xFFC83214u : 0xFF1E64DCu; }, false);
    std::vector<uint8_t> jpeg = EncodeJpeg(p);
    PixmapPtr q = LoadPixmapFromMemory(jpeg.data(), jpeg.size());
    ASSERT_TRUE(q);
    EXPECT_FALSE(q->hasAlpha);
    ASSERT_EQ(q->width, 16);
    ASSERT_EQ(q->height, 16);
    for (auto [x, y] : {std::pair{1, 1}, {2, 13}, {13, 2}, {14, 14}}) {
        SCOPED_TRACE(testing::Message() << x << "," << y);
        uint32_t want = ReadPixel(p, x, y), got = ReadPixel(q, x, y);
        EXPECT_EQ(got >> 24, 0xFFu);
        for (int shift : {16, 8, 0})
            EXPECT_NEAR(int((got >> shift) & 0xFF), int((want >> shift) & 0xFF), 6);
    }
}

TEST(Pixmap, DamagedOrUnknownDataGivesNull) {
    std::string dir = test::ScratchDir("pixmap");
    PixmapPtr p = Make(4, 4, [](int, int) { return 0xFF102030u; });
    ASSERT_TRUE(SavePixmapPNG(p, dir + "/ok.png"));
    StreamPtr s = ReadFile(dir + "/ok.png");
    std::vector<uint8_t> png = ReadAll(*s);
    std::vector<uint8_t> jpeg = EncodeJpeg(p);
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"text", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'}},
        {"png cut in half", std::vector<uint8_t>(png.begin(), png.begin() + png.size() / 2)},
        {"png header only", std::vector<uint8_t>(png.begin(), png.begin() + 8)},
        {"jpeg cut short", std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + 20)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(LoadPixmapFromMemory(c.bytes.data(), c.bytes.size()));
    }
    EXPECT_FALSE(LoadPixmap(dir + "/missing.png"));
    EXPECT_FALSE(LoadImage(dir + "/missing.png"));
}

TEST(Pixmap, PixelAccessWindowsAndResize) {
    PixmapPtr p = Make(4, 3, [](int x, int y) { return 0xFF000000u | uint32_t(y * 4 + x); });
    EXPECT_EQ(ReadPixel(p, 3, 2), 0xFF00000Bu);
    EXPECT_EQ(ReadPixel(p, 4, 0), 0u);
    EXPECT_EQ(ReadPixel(p, -1, 0), 0u);
    WritePixel(p, 9, 9, 1); // ignored
    EXPECT_EQ(PixmapWidth(nullptr), 0);

    PixmapPtr w = PixmapWindow(p, 2, 1, 10, 10); // clipped to 2 x 2
    ASSERT_TRUE(w);
    EXPECT_EQ(w->width, 2);
    EXPECT_EQ(w->height, 2);
    EXPECT_EQ(ReadPixel(w, 0, 0), 0xFF000006u);
    EXPECT_EQ(ReadPixel(w, 1, 1), 0xFF00000Bu);
    EXPECT_FALSE(PixmapWindow(p, 4, 0, 1, 1));
    EXPECT_FALSE(PixmapWindow(p, 0, 0, 0, 1));

    PixmapPtr same = ResizePixmap(p, 4, 3);
    ASSERT_TRUE(same);
    EXPECT_EQ(same->pixels, p->pixels);
    PixmapPtr flat = Make(2, 2, [](int, int) { return 0x80FF4000u; });
    PixmapPtr big = ResizePixmap(flat, 7, 5);
    ASSERT_TRUE(big);
    for (uint32_t px : big->pixels)
        EXPECT_EQ(px, 0x80FF4000u);
    EXPECT_FALSE(ResizePixmap(p, 0, 5));

    PixmapPtr copy = CopyPixmap(p);
    WritePixel(copy, 0, 0, 0);
    EXPECT_EQ(ReadPixel(p, 0, 0), 0xFF000000u);
}

TEST(Image, MaskingMakesTheMaskColourTransparentOnlyWithoutAlpha) {
    UseHeadlessBackend();
    auto pic = [](bool alpha) {
        return Make(
            2, 1, [](int x, int) { return x == 0 ? 0xFF000000u : 0xFFFF00FFu; }, alpha);
    };
    struct Case {
        const char* name;
        bool alpha;
        int flags;
        uint32_t black, magenta;
    } cases[] = {
        {"default flags mask black", false, -1, 0x00000000u, 0xFFFF00FFu},
        {"masked flag", false, MASKEDIMAGE, 0x00000000u, 0xFFFF00FFu},
        {"no mask flag", false, 0, 0xFF000000u, 0xFFFF00FFu},
        {"picture with alpha is left alone", true, -1, 0xFF000000u, 0xFFFF00FFu},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImagePtr img = LoadImage(pic(c.alpha), c.flags);
        ASSERT_TRUE(img);
        EXPECT_EQ(ReadPixel(img->frames[0], 0, 0), c.black);
        EXPECT_EQ(ReadPixel(img->frames[0], 1, 0), c.magenta);
    }
    EXPECT_EQ(LoadImage(pic(false), -1)->flags, MASKEDIMAGE | FILTEREDIMAGE);

    SetMaskColor(255, 0, 255);
    ImagePtr img = LoadImage(pic(false));
    EXPECT_EQ(ReadPixel(img->frames[0], 0, 0), 0xFF000000u);
    EXPECT_EQ(ReadPixel(img->frames[0], 1, 0) >> 24, 0u);
    SetMaskColor(0, 0, 0);
}

TEST(Image, AnimationStripsAreCutRowByRowFromTheTopLeft) {
    UseHeadlessBackend();
    // 3 cells across and 2 down, 2 x 2 each (plus a spare column that holds no whole cell);
    // every pixel carries its cell's number.
    PixmapPtr strip =
        Make(7, 4, [](int x, int y) { return 0xFF000000u | uint32_t((y / 2) * 3 + x / 2 + 1); });
    ImagePtr all = LoadAnimImage(strip, 2, 2, 0, 6, 0);
    ASSERT_TRUE(all);
    EXPECT_EQ(ImageFrames(all), 6);
    EXPECT_EQ(ImageWidth(all), 2);
    EXPECT_EQ(ImageHeight(all), 2);
    for (int f = 0; f < 6; f++) {
        SCOPED_TRACE(f);
        for (uint32_t px : all->frames[f]->pixels)
            EXPECT_EQ(px, 0xFF000000u | uint32_t(f + 1));
    }
    ImagePtr part = LoadAnimImage(strip, 2, 2, 2, 3, 0);
    ASSERT_TRUE(part);
    EXPECT_EQ(ImageFrames(part), 3);
    EXPECT_EQ(ReadPixel(part->frames[0], 0, 0), 0xFF000003u);
    EXPECT_EQ(ReadPixel(part->frames[1], 0, 0), 0xFF000004u);
    EXPECT_FALSE(LoadAnimImage(strip, 2, 2, 4, 3, 0)); // asks for cell 7 of 6
    EXPECT_FALSE(LoadAnimImage(strip, 0, 2, 0, 1, 0));
    EXPECT_FALSE(LoadAnimImage(PixmapPtr(), 2, 2, 0, 1, 0));
}

TEST(Image, HandlesLocksAndBlankImages) {
    UseHeadlessBackend();
    ImagePtr img = CreateImage(31, 10, 2);
    ASSERT_TRUE(img);
    EXPECT_EQ(ImageFrames(img), 2);
    EXPECT_EQ(ReadPixel(img->frames[1], 30, 9), 0u);
    MidHandleImage(img);
    EXPECT_FLOAT_EQ(img->handleX, 15.5f);
    EXPECT_FLOAT_EQ(img->handleY, 5.0f);
    SetImageHandle(img, 14, 6);
    EXPECT_FLOAT_EQ(img->handleX, 14.0f);

    uint64_t before = img->version;
    PixmapPtr px = LockImage(img, 1);
    ASSERT_TRUE(px);
    WritePixel(px, 0, 0, 0xFFFFFFFFu);
    UnlockImage(img, 1);
    EXPECT_GT(img->version, before);
    EXPECT_EQ(ReadPixel(img->frames[1], 0, 0), 0xFFFFFFFFu);
    EXPECT_FALSE(LockImage(img, 2));
    EXPECT_FALSE(CreateImage(0, 5));
    EXPECT_EQ(ImageWidth(nullptr), 0);
    EXPECT_EQ(ImageHeight(nullptr), 0);
    MidHandleImage(nullptr); // harmless
}

} // namespace
} // namespace vsm
