// Headless backend: no window, recorded drawing, scripted input per frame, virtual clock,
// silent logged audio. Tests select it with UseHeadlessBackend().
#pragma once

#include "Graphics.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vsm {

class Backend;

// Input of one frame. Applied when the frame starts: frame 0 when the script is set, frame n+1
// by the n-th Flip.
struct FrameInput {
    int mouseX = -1, mouseY = -1;                // -1 keeps the previous position
    bool held[4] = {false, false, false, false}; // held[1..3]: buttons held during the frame
    std::vector<int> clicks;   // buttons pressed at the frame's start (one hit each; not held)
    int wheel = 0;             // wheel steps added
    std::vector<int> keysHit;  // keys pressed at the frame's start; Backspace, Enter and Esc
                               // also queue 8, 13, 27 for GetChar, after the typed text
    std::vector<int> keysHeld; // keys held during the frame
    std::string typed;         // UTF-8 characters typed
    bool terminate = false;    // a close request
    int suspend = -1;          // 1 suspends, 0 resumes, -1 leaves as it is
};

// One recorded drawing call with the drawing state in force.
struct DrawCall {
    std::string op; // "cls" "image" "imagerect" "rect" "line" "oval" "plot" "pixmap" "text" "poly" "flip"
    // x, y, w, h: position and drawn size; a line keeps its end point in w, h.
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
    std::string op;   // "load" "play" "cue" "pause" "resume" "stop" "volume"; "load" has no channel
    std::string path; // the sound's file
    int channel = 0;  // channel number, from 1
    float volume = 1;
};

// Thrown when a scripted test runs past its script by more than the allowed frames.
struct HeadlessOverrun : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class HeadlessBackendControl {
  public:
    virtual ~HeadlessBackendControl() = default;
    // The script: entry n is frame n's input, counted from the call (entry 0 applies at once,
    // entry n by the n-th Flip after it); held keys and buttons last one frame. Frames past the
    // end get no input: when the script runs out a terminate request is raised once, and after
    // overrunFrames more Flips, Flip throws HeadlessOverrun. Without any script, Flip throws once
    // overrunFrames frames have passed. A quiet run of n frames: SetScript(std::vector<FrameInput>(n)).
    virtual void SetScript(std::vector<FrameInput> frames) = 0;
    // A script computed per frame (frame counted from the call); return false to end the script.
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
    // Every Notify text, in order.
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
// A fresh headless backend that is not installed, for a backend that runs the headless clock and
// input beside another one's drawing (a benchmark's); control stays valid while it lives.
std::unique_ptr<Backend> MakeHeadlessBackend(HeadlessBackendControl*& control);
// Installs the real backend (SDL2, OpenGL, OpenAL). The game executable uses it.
void UseRealBackend();
// True while the headless backend is installed.
bool HeadlessActive();
// Draws recorded calls again, in order, on the installed backend ("flip" entries are skipped):
// a frame played headless can so be drawn by the real backend. Cannot fail.
void ReplayDrawCalls(const std::vector<DrawCall>& calls);

} // namespace vsm
