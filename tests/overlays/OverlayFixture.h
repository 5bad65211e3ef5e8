// OverlayFixture: a headless game with fresh globals over the built pictures and sounds (the
// data archives are the test's own), the shared assets, the menu window and the popup manager
// loaded, a window open, and helpers to aim at buttons and run frames.
#pragma once

#include "platform/Headless.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace vsm::test {

class OverlayFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the popup document "info.tsc" of the popup archive.
    void PopupDocument(const std::string& text);

    // Input of a frame with the pointer on the centre of the button stored under id, pressing
    // the left button (click) or holding it down (hold).
    static FrameInput ClickOn(int id);
    static FrameInput HoldOn(int id);
    static FrameInput At(int x, int y);

    // One frame of the menu window as its callers run it: the frame's input, the mouse refresh,
    // Update, Draw and the presented frame.
    void WindowFrame(const FrameInput& in = FrameInput());
    // Plays the frames in order, then quiet frames without end (no terminate request).
    void Script(std::vector<FrameInput> frames);

    // Number of times the picture was drawn since the draw log was cleared, and where it was
    // drawn last ((-1, -1) when never).
    int Draws(const ImagePtr& image) const;
    std::pair<float, float> LastDrawAt(const ImagePtr& image) const;
    // Times a sound whose file name ends with name was started since the log was cleared.
    int Plays(const std::string& name) const;

    HeadlessBackendControl* control = nullptr;
    std::string resources; // ends in "/"
};

} // namespace vsm::test
