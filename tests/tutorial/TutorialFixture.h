// TutorialFixture: a headless game with fresh globals, the page pictures and sounds written small
// into a scratch resources folder, a rune catalogue with 40-pixel art and helpers over the logs.
#pragma once

#include "platform/Headless.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vsm::test {

class TutorialFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Selects a player whose "showTutorial" number is value.
    // A fresh profile store in the scratch folder; with `selected`, one new player chosen.
    void UsePlayer(bool selected);
    void TutorialOption(int value);
    // Appends rune id of a colour class with its own 32- and 40-pixel art and a fixed spark colour
    // (10 x class, 20, 30).
    void AddRune(int id, int colour);
    // The 40-pixel art of a rune added with AddRune.
    ImagePtr Art40(int id) const;

    // Sets the script: fn(frame, input) fills the input of each frame, counted from 0; the page
    // must end within 1000 frames, after which a close request comes and the run is cut short.
    void Script(std::function<void(int, FrameInput&)> fn);
    // Times frames at 20 ms for 50 frames a second (a frame factor of exactly 1 once time has
    // passed) and sets a script that calls inspect(k) after page frame k (from 0), with that
    // frame's drawing in the log, then clears the log; an Escape ends the page after frame
    // `frames` - 1.
    void InspectFrames(int frames, std::function<void(int)> inspect);
    // Input of a frame with the pointer at (x, y) and a left click there.
    static void ClickAt(FrameInput& in, int x, int y);

    // Recorded calls of one kind, in order.
    std::vector<DrawCall> Draws(const std::string& op = "image") const;
    // Image draws at exactly (x, y).
    std::vector<DrawCall> DrawsAt(float x, float y) const;
    // Audio operations of one kind whose file name ends with name.
    int SoundOps(const std::string& op, const std::string& name) const;

    HeadlessBackendControl* control = nullptr;
    std::string resources; // ends in "/"
    std::map<int, ImagePtr> art40;
};

} // namespace vsm::test
