// TourDriver: plays the whole game through the headless backend's per-frame script, one step
// after another. Each step reads the game's state (the menu window, the drawn pictures, the
// board) and gives the frame's input; a step that waits too long fails the tour and closes
// the game.
#pragma once

#include "platform/Graphics.h"
#include "platform/Headless.h"
#include "widgets/TButton.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace vsm::test {

// One step: called every frame with that frame's input until it returns true (done).
struct TourStep {
    std::string name;
    std::function<bool(FrameInput&)> act;
    int maxFrames = 3000;
};

class TourDriver {
  public:
    void Add(TourStep step) { steps_.push_back(std::move(step)); }
    void Add(std::vector<TourStep> steps) {
        for (TourStep& s : steps)
            steps_.push_back(std::move(s));
    }
    // Installs the per-frame script on the backend.
    void Start(HeadlessBackendControl& control);

    // The names of the steps done, in order; the step that failed, with why.
    std::vector<std::string> done;
    std::string failure;
    bool Finished() const { return steps_.empty() && failure.empty(); }
    // Frames the tour took.
    int frames = 0;
    // When set, called with the drawing calls of every frame just presented, before they are
    // dropped, and the name of the step under way.
    std::function<void(const std::vector<DrawCall>&, const std::string& step)> onFrame;

    // True when the picture was drawn in the frame just presented.
    bool Drawn(const ImagePtr& image) const;
    // True when a text holding the words was written in the frame just presented.
    bool Wrote(const std::string& words) const;

  private:
    bool Frame(FrameInput& in);

    HeadlessBackendControl* control_ = nullptr;
    std::deque<TourStep> steps_;
    int stepFrames_ = 0;
    std::vector<ImagePtr> drawnLastFrame_;
    std::vector<std::string> writtenLastFrame_;
};

// ---- Steps ----
// Waits the frames.
TourStep Wait(int frames);
// Waits until the condition holds.
TourStep WaitFor(std::string name, std::function<bool()> ready, int maxFrames = 3000);
// Runs the action once, with no input.
TourStep Do(std::string name, std::function<void()> action);
// Gives the input once.
TourStep Input(std::string name, FrameInput input);
// Once the menu window shows the state with the button stored under id fully faded in (for a
// few frames), clicks that button.
TourStep Menu(int state, int id);
// Once the button returned by find is on screen (for a few frames), clicks it.
TourStep ClickWhenShown(std::string name, std::function<ButtonPtr()> find);
// Clicks a corner of the screen every few frames (and presses Escape between, when escape is
// set) until the condition holds.
TourStep ClickUntil(std::string name, std::function<bool()> until, bool escape = false, int maxFrames = 6000);
// Presses the key every few frames until the condition holds.
TourStep PressUntil(std::string name, int key, std::function<bool()> until, int maxFrames = 3000);
// Opens the pause menu of the running screen (Escape, with corner clicks in between to close a
// popup) until the menu window shows the state with the button id, then clicks that button.
TourStep PauseAndChoose(int state, int id, int maxFrames = 3000);
// Places pieces on the board of the running board game until `enough` holds: where the held
// piece completes a run when runsFirst is set, else the first place it fits. Clicks a corner
// while no piece can be placed (popups, summaries).
TourStep PlacePieces(std::string name, bool runsFirst, std::function<bool(int placed)> enough,
                     int maxFrames = 12000);

// Plays the running board level with the campaign player, thinking the frames over each piece,
// until the condition holds: its placements, the OK of the popups and summary, and a retry from
// the lose screen when the level is lost.
TourStep PlayLevel(std::string name, int thinkFrames, std::function<bool()> until, int maxFrames = 60000);

// A frame typing the text (UTF-8) and then one pressing the key.
FrameInput Typed(const std::string& text);
FrameInput KeyPress(int key);

} // namespace vsm::test
