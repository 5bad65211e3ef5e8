// Tests of the image and pixmap loaders: paths, pictures passed through, wrong kinds and reports.
#include "data/ImageLoaders.h"

#include "platform/Headless.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace vsm {
namespace {

class ImageLoaders : public testing::Test {
  protected:
    void SetUp() override {
        control = &UseHeadlessBackend();
        dir = test::ScratchDir("imgload");
        PixmapPtr p = CreatePixmap(3, 2);
        WritePixel(p, 1, 1, 0xFF112233);
        ASSERT_TRUE(SavePixmapPNG(p, dir + "/pic.png"));
    }
    HeadlessBackendControl* control = nullptr;
    std::string dir;
};

TEST_F(ImageLoaders, PathsLoadOrAreReported) {
    ImagePtr image = FLoadImage(dir + "/pic.png");
    ASSERT_TRUE(image);
    EXPECT_EQ(ImageWidth(image), 3);
    PixmapPtr pixmap = FLoadPixmap(dir + "/pic.png");
    ASSERT_TRUE(pixmap);
    EXPECT_EQ(ReadPixel(pixmap, 1, 1), 0xFF112233u);
    EXPECT_TRUE(control->notifications.empty());

    EXPECT_EQ(FLoadImage(dir + "/missing.png"), nullptr);
    EXPECT_EQ(FLoadPixmap(dir + "/missing.png"), nullptr);
    ASSERT_EQ(control->notifications.size(), 2u);
    EXPECT_EQ(control->notifications[0], "Nie mozna zaladowac obrazka: " + dir + "/missing.png");
    EXPECT_EQ(control->notifications[1], "Nie mozna zaladowac obrazka: " + dir + "/missing.png");
}

TEST_F(ImageLoaders, PicturesPassThroughAndWrongKindsGiveEmptyObjects) {
    ImagePtr image = CreateImage(4, 4);
    PixmapPtr pixmap = CreatePixmap(2, 2);
    EXPECT_EQ(FLoadImage(image), image);
    EXPECT_EQ(FLoadPixmap(pixmap), pixmap);
    EXPECT_TRUE(control->notifications.empty());

    const std::string notImage = "Probojesz zaladowac niewlasciwy typ obiektu jako TImage";
    const std::string notPixmap = "Probojesz zaladowac niewlasciwy typ obiektu jako TPixmap";
    struct Case {
        const char* what;
        std::function<bool()> call; // true when an empty object of the right kind came back
        std::string note;
    } cases[] = {
        {"image from empty path",
         [] {
             auto i = FLoadImage("");
             return i && i->frames.empty();
         },
         notImage},
        {"image from pixmap",
         [&] {
             auto i = FLoadImage(pixmap);
             return i && i->frames.empty();
         },
         notImage},
        {"image from null",
         [] {
             auto i = FLoadImage(ImagePtr());
             return i && i->frames.empty();
         },
         notImage},
        {"pixmap from empty path",
         [] {
             auto p = FLoadPixmap(std::string());
             return p && p->pixels.empty();
         },
         notPixmap},
        {"pixmap from image",
         [&] {
             auto p = FLoadPixmap(image);
             return p && p->pixels.empty();
         },
         notPixmap},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        control->notifications.clear();
        EXPECT_TRUE(c.call());
        EXPECT_EQ(control->notifications, std::vector<std::string>{c.note});
    }
}

TEST_F(ImageLoaders, Jpeg2000ReadsThePngTwinSilently) {
    PixmapPtr p = LoadJPEG2000(dir + "/pic.jp2");
    ASSERT_TRUE(p);
    EXPECT_EQ(PixmapWidth(p), 3);
    // Without an extension the ".png" is appended.
    EXPECT_TRUE(LoadJPEG2000(dir + "/pic"));
    EXPECT_EQ(LoadJPEG2000(dir + "/absent.jp2"), nullptr);
    EXPECT_TRUE(control->notifications.empty());
}

} // namespace
} // namespace vsm
