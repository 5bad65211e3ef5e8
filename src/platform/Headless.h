// Headless backend: no window, recorded drawing, scripted input per frame, virtual clock,
// silent logged audio. Tests select it with UseHeadlessBackend().
#pragma once

#include "Graphics.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vsm {

// Input of one frame. Applied when the frame starts: frame 0 when the script is set, frame n+1
// by the n-th Flip.
struct FrameInput {
    int mouseX = -1, mouseY = -1; // -1 keeps the previous position
    bool held[4] = {false, false, false, false}; // buttons 1..3 held during the frame
    std::vector<int> clicks;      // buttons pressed at the frame's start (each counts one hit)
    int wheel = 0;                // wheel steps added
    std::vector<int> keysHit;     // keys pressed at the frame's start
    std::vector<int> keysHeld;    // keys held during the frame
    std::string typed;            // UTF-8 characters typed
    bool terminate = false;       // a close request
    int suspend = -1;             // 1 suspends, 0 resumes, -1 leaves as it is
};

// One recorded drawing call with the drawing state in force.
struct DrawCall {
    std::string op; // "cls" "image" "imagerect" "rect" "line" "oval" "plot" "pixmap" "text" "poly" "flip"
    ImagePtr image;
    PixmapPtr pixmap;
    int frame = 0;
    float x = 0, y = 0, w = 0, h = 0;
    std::string text;
    std::vector<float> poly;
    DrawState state;
};

// One recorded audio operation.
struct SoundEvent {
    std::string op; // "load" "play" "cue" "pause" "resume" "stop" "volume"
    std::string path;  // the sound's file
    int channel = 0;   // channel number, from 1
    float volume = 1;
};

// Thrown when a scripted test runs past its script by more than the allowed frames.
struct HeadlessOverrun : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class HeadlessBackendControl {
  public:
    virtual ~HeadlessBackendControl() = default;
    // The script: entry n is frame n's input; frames past the end get no input. When the script
    // runs out a terminate request is raised, and after overrunFrames more frames Flip throws
    // HeadlessOverrun.
    virtual void SetScript(std::vector<FrameInput> frames) = 0;
    // A script computed per frame; return false to mark the end of the script.
    virtual void SetScript(std::function<bool(int frame, FrameInput&)> fn) = 0;
    int overrunFrames = 600;
    // Frames presented so far.
    virtual int Frame() const = 0;
    // Virtual clock: each Flip advances it by the step (default 1000/60 ms).
    virtual void SetFrameStep(double ms) = 0;
    virtual void AdvanceClock(int64_t ms) = 0;
    virtual void SetClock(int64_t ms) = 0;
    // Recorded drawing since the last clear.
    virtual const std::vector<DrawCall>& DrawLog() const = 0;
    virtual void ClearDrawLog() = 0;
    virtual const std::vector<SoundEvent>& SoundLog() const = 0;
    virtual void ClearSoundLog() = 0;
    std::vector<std::string> notifications;
    // What Confirm answers.
    bool confirmAnswer = true;
    // Whether a full-screen Graphics call succeeds (tests of the fallback set false).
    bool fullScreenWorks = true;
    bool windowWorks = true;
};

// Installs a fresh headless backend (clock 0, no input, empty logs), resets the drawing state
// and seeds the generator with 1; returns its control.
HeadlessBackendControl& UseHeadlessBackend();
// Installs the real backend (SDL2, OpenGL, OpenAL). The game executable uses it.
void UseRealBackend();
// True while the headless backend is installed.
bool HeadlessActive();

} // namespace vsm
