// FrontendFixture: a headless game with fresh globals over the built pictures and sounds (the
// data archives are the test's own), one player profile of this build, the shared assets, the
// menu window, the title screen and the gallery loaded, and helpers to script the screens.
#pragma once

#include "platform/Headless.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace vsm::test {

class FrontendFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the player's profile with these extra key lines ("\tkey=value\n") and opens the store.
    void Player(const std::string& keys = "");
    // Input with the pointer on the centre of the button stored under id in `data`, pressing the
    // left button; a frame without pointer change when there is no such button.
    static FrameInput ClickOn(int id);
    // Input with the pointer on the centre of the gallery button with that id, holding or
    // pressing the left button as that button needs.
    static FrameInput GalleryClick(int id);
    static FrameInput At(int x, int y);
    static FrameInput Key(int key);
    static FrameInput Close();
    // Plays the frames in order, then quiet frames; the run ends (with a close request) after
    // `quietAfter` quiet frames.
    void Script(std::vector<FrameInput> frames, int quietAfter = 100000);
    // True when the picture was drawn since the draw log was cleared.
    bool Drawn(const ImagePtr& image) const;

    HeadlessBackendControl* control = nullptr;
    std::string resources; // ends in "/"
    std::string userFolder;
    std::string savedDocs;
};

// The frames a front-end fade takes: 0.02 a frame from 0 until no longer below 1.
constexpr int FADE_FRAMES = 51;

} // namespace vsm::test
