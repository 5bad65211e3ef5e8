// QuestFixture: a headless game with fresh globals, a scratch resources folder, tiny pictures
// and the frames the screens presented.
#pragma once

#include "platform/Headless.h"
#include "widgets/TFont.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vsm::test {

class QuestFixture : public ::testing::Test {
  protected:
    void SetUp() override;

    // Writes a text file under the resources folder and returns its full path.
    std::string WriteResource(const std::string& relative, const std::string& text);
    // Writes a w x h picture under the resources folder.
    void Picture(const std::string& relative, int w, int h);
    // The recorded drawing split into presented frames (each without its closing "flip").
    std::vector<std::vector<DrawCall>> Frames() const;
    // Packs the map document into the settings archive.
    void MapDocument(const std::string& text);
    // Writes every picture of the map, each of its own width: the background 80, the markers
    // k1 11, k1b 12, k2 13, k2b 14, k3 15, k3b 16, the overlays k1c 21, k2c 22, k3c 23, the
    // caption words "level" 30 and "of" 31 (8 high), the Play button 40 x 10.
    void MapPictures();
    // How many times the click sound started.
    int Clicks() const;

    HeadlessBackendControl* control = nullptr;
    std::string resources; // ends in "/"
    // A 1 x 1 cursor, told apart from every other picture by its size.
    ImagePtr cursor;
};

// A bitmap font of the ten digits: the letter for digit d is (d + 2) pixels wide and its picture
// 100 + d pixels wide, so that drawn letters are told apart from every other picture.
BitmapFontPtr DigitFont();

// The image calls of a frame whose picture is `width` pixels wide, in drawing order.
std::vector<DrawCall> ImagesOfWidth(const std::vector<DrawCall>& frame, int width);

} // namespace vsm::test
