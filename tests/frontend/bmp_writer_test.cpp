// BMP writer: the exact bytes of small images, row padding, and the refusals that leave no file.
#include "frontend/SaveImageBMP.h"

#include "platform/Files.h"
#include "platform/Headless.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace vsm::test {
namespace {

using Bytes = std::vector<uint8_t>;

// An image whose first frame is a w x h picture with the pixels given row by row.
ImagePtr Picture(int w, int h, const std::vector<uint32_t>& pixels = {}) {
    auto image = std::make_shared<TImage>();
    image->width = w;
    image->height = h;
    auto p = std::make_shared<TPixmap>(w > 0 ? w : 1, h > 0 ? h : 1);
    p->width = w;
    p->height = h;
    p->pixels = pixels.empty()
                    ? std::vector<uint32_t>(static_cast<size_t>(w > 0 && h > 0 ? w * h : 0), 0xFF000000u)
                    : pixels;
    image->frames.push_back(p);
    return image;
}

Bytes Le32(uint32_t v) {
    return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
            static_cast<uint8_t>(v >> 24)};
}

Bytes Header(int w, int h, uint32_t dataBytes) {
    Bytes b = {'B', 'M'};
    auto add = [&b](const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); };
    add(Le32(54 + dataBytes));
    add(Le32(0));
    add(Le32(54));
    add(Le32(40));
    add(Le32(static_cast<uint32_t>(w)));
    add(Le32(static_cast<uint32_t>(h)));
    add({1, 0, 24, 0});
    add(Le32(0));
    add(Le32(dataBytes));
    add(Le32(2834));
    add(Le32(2834));
    add(Le32(0));
    add(Le32(0));
    return b;
}

Bytes ReadBack(const std::string& path) {
    StreamPtr in = ReadFile(path);
    return in ? ReadAll(*in) : Bytes();
}

TEST(BmpWriter, ASmallImageIsWrittenByteForByteBottomRowFirst) {
    UseHeadlessBackend();
    const std::string path = ScratchDir("bmp") + "/three-by-two.bmp";
    // Top row: red, green, blue; bottom row: white, black, a half-transparent grey.
    const ImagePtr image =
        Picture(3, 2, {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu, 0xFF000000u, 0x80404040u});
    ASSERT_EQ(SaveImageBMP(image, path), 0);
    Bytes expected = Header(3, 2, 24);
    const Bytes bottom = {255, 255, 255, 0, 0, 0, 0x40, 0x40, 0x40, 0, 0, 0};
    const Bytes top = {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0};
    expected.insert(expected.end(), bottom.begin(), bottom.end());
    expected.insert(expected.end(), top.begin(), top.end());
    EXPECT_EQ(ReadBack(path), expected);
}

TEST(BmpWriter, RowsArePaddedToFourBytes) {
    UseHeadlessBackend();
    struct Row {
        int width;
        uint32_t rowBytes;
    };
    for (const Row& row : {Row{1, 4}, Row{2, 8}, Row{3, 12}, Row{4, 12}, Row{5, 16}}) {
        SCOPED_TRACE(row.width);
        StreamPtr out = CreateMemoryStream({});
        ASSERT_EQ(SaveImageBMP(Picture(row.width, 3), *out), 0);
        out->Seek(0);
        const Bytes bytes = ReadAll(*out);
        ASSERT_EQ(bytes.size(), 54 + 3 * row.rowBytes);
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 54), Header(row.width, 3, 3 * row.rowBytes));
        for (uint32_t r = 0; r < 3; ++r)
            for (uint32_t i = static_cast<uint32_t>(row.width) * 3; i < row.rowBytes; ++i)
                EXPECT_EQ(bytes[54 + r * row.rowBytes + i], 0) << "padding byte";
    }
}

TEST(BmpWriter, RefusedImagesAndFailedWritesLeaveNoFile) {
    UseHeadlessBackend();
    const std::string folder = ScratchDir("bmp-refused");
    auto noFrames = std::make_shared<TImage>();
    auto huge = Picture(1, 1);
    huge->frames[0]->width = 40000; // 120 000 bytes a row: too large for the 32-bit sizes
    huge->frames[0]->height = 40000;
    struct Row {
        const char* what;
        ImagePtr image;
    };
    for (const Row& row :
         {Row{"no image", nullptr}, Row{"no frame", noFrames}, Row{"height 0", Picture(3, 0)},
          Row{"width 0", Picture(0, 2)}, Row{"too large", huge}}) {
        SCOPED_TRACE(row.what);
        const std::string path = folder + "/refused.bmp";
        EXPECT_EQ(SaveImageBMP(row.image, path), -1);
        EXPECT_FALSE(std::filesystem::exists(path));
    }

    // A write the disk refuses is reported, and the old file stays untouched.
    const std::string path = folder + "/kept.bmp";
    ASSERT_EQ(SaveImageBMP(Picture(2, 2), path), 0);
    const Bytes before = ReadBack(path);
    SetSaveInterruptHook([](const std::string&) { return false; });
    EXPECT_EQ(SaveImageBMP(Picture(5, 5), path), -1);
    SetSaveInterruptHook(nullptr);
    EXPECT_EQ(ReadBack(path), before);
    EXPECT_EQ(SaveImageBMP(Picture(1, 1), folder + "/no-such-folder/x.bmp"), -1);
}

} // namespace
} // namespace vsm::test
