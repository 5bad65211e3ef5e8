// QuestFixture: a headless game with fresh globals, a scratch resources folder, tiny pictures
// and the frames the screens presented.
#pragma once

#include "platform/Headless.h"

#include <gtest/gtest.h>

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
    // How many times the click sound started.
    int Clicks() const;

    HeadlessBackendControl* control = nullptr;
    std::string resources; // ends in "/"
    // A 1 x 1 cursor, told apart from every other picture by its size.
    ImagePtr cursor;
};

// The image calls of a frame whose picture is `width` pixels wide, in drawing order.
std::vector<DrawCall> ImagesOfWidth(const std::vector<DrawCall>& frame, int width);

} // namespace vsm::test
