// PuzzleFixture: a headless game with fresh globals, the puzzle's pictures and sounds written
// small into a scratch resources folder, a picture whose every pixel tells where it came from,
// and helpers that drive the stage frame by frame.
#pragma once

#include "platform/Headless.h"
#include "puzzle/TPuzzleButton.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vsm::test {

class PuzzleFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The pixel the test picture holds at (x, y) of its 670 x 494 area.
    static uint32_t PicturePixel(int x, int y);
    // Builds the puzzle grid of the test picture at columns x rows, every tile home.
    void Build(int columns, int rows);
    // A fresh profile store in the scratch folder with one selected player.
    void UsePlayer();
    // Writes the level archive with the documents (name -> text) and the popup archive.
    void WriteLevels(const std::map<std::string, std::string>& documents);

    // Puts tile k on cell `cell` without a flight, as a restore does.
    static void PutOnCell(TPuzzleButton& tile, int cell);
    // The cell each tile of the grid stands on, in the tiles' order.
    static std::vector<int> Layout();
    // The screen point at the centre of the tile's rectangle.
    static void Centre(const TPuzzleButton& tile, int& x, int& y);
    // Input of a frame with the pointer at (x, y) and a left click there.
    static void ClickAt(FrameInput& in, int x, int y);
    // A script that solves the puzzle pair by pair (one click a frame while nothing flies),
    // clicks (400, 300) every fifth frame once the picture is complete, and runs extra(frame,
    // input) first; at most `limit` frames.
    void SolveScript(int limit, std::function<void(int, FrameInput&)> extra = nullptr);

    // True once the stage's play loop has run a frame (the opening and the scrambling do not
    // step the frame timer).
    static bool Playing();

    // Recorded calls of one kind, in order.
    std::vector<DrawCall> Draws(const std::string& op = "image") const;
    // How many draws of the image were recorded.
    int CountDraws(const ImagePtr& image) const;
    // Audio operations of one kind whose file name ends with name.
    int SoundOps(const std::string& op, const std::string& name) const;
    // The value texts drawn right after the label text, in order.
    std::vector<std::string> ValuesAfter(const std::string& label) const;

    HeadlessBackendControl* control = nullptr;
    std::string resources; // ends in "/"
    std::string picturePath;
};

} // namespace vsm::test
