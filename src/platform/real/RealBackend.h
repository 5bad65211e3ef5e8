// RealBackend: the machine's backend — one SDL window and GL context, the 800x600 screen drawn
// letterboxed straight into the window, OpenAL audio, SDL input and message boxes.
#pragma once

#include "../Backend.h"
#include "../FramePacer.h"
#include "ScreenFit.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

struct SDL_Window;
union SDL_Event;

namespace vsm {

class RealBackend : public Backend {
  public:
    // The logical screen every drawing call addresses.
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    RealBackend();
    ~RealBackend() override;
    RealBackend(const RealBackend&) = delete;
    RealBackend& operator=(const RealBackend&) = delete;

    int64_t Millis() override;

    std::vector<GraphicsMode> Modes() override;
    // The first call creates the window and the context; later calls switch the same window
    // between full screen (desktop resolution, letterboxed) and a window of width x height.
    // A full screen the window system does not grant leaves a window of width x height and
    // answers false with no error text.
    bool OpenGraphics(int width, int height, int depth, int hz, std::string* error) override;
    // Hides the window; the context and every texture stay for the next OpenGraphics.
    void CloseGraphics() override;
    bool IsOpen() override { return open_; }
    bool IsFullScreen() override { return open_ && fullScreen_; }
    void SetTitle(const std::string& title) override;
    void SetPointerVisible(bool visible) override;
    void WarpPointer(int x, int y) override;

    void Cls(const DrawState& s) override;
    void DrawImage(const DrawState& s, const ImagePtr& image, int frame, float x, float y, float w,
                   float h) override;
    void DrawRect(const DrawState& s, float x, float y, float w, float h) override;
    void DrawLine(const DrawState& s, float x1, float y1, float x2, float y2) override;
    void DrawOval(const DrawState& s, float x, float y, float w, float h) override;
    void Plot(const DrawState& s, float x, float y) override;
    void DrawPixmap(const DrawState& s, const PixmapPtr& pixmap, int x, int y) override;
    void DrawText(const DrawState& s, const std::string& utf8, float x, float y) override;
    void DrawPolygon(const DrawState& s, const ImagePtr& image, int frame, const float* floats,
                     int floatCount) override;
    // Reads what the frame drew so far; the part outside the screen reads as transparent black.
    // A blank pixmap while no display was ever opened.
    PixmapPtr Grab(int x, int y, int w, int h) override;
    void RestorePixels(TImage& image, int frame) override;
    // Shows the frame, paces to 60 frames a second unless sync is 0,
    // then pumps events and feeds the audio.
    void Flip(int sync) override;

    void Poll() override;

    std::unique_ptr<AudioDevice> OpenAudio(const std::string& driver) override;

    // A modal box; written to standard error when no box can be shown (no display, or the
    // off-screen or dummy video driver, where no one could answer it).
    void Notify(const std::string& text, bool serious) override;
    // False when no box can be shown.
    bool Confirm(const std::string& text) override;
    bool OpenURL(const std::string& url) override;

    // Where the logical screen lies in the window, in the window's coordinates (those of pointer
    // events), from the window's real size.
    ScreenFit PointerFit() const;
    // The size in pixels of the surface GL draws into, as the window system made it. SDL reports
    // the size it asked for, and a full screen that no window manager granted still reads as the
    // desktop's size there; the surface itself tells the truth.
    void SurfaceSize(int& w, int& h) const;
    // Feeds one SDL event into the input state (the event pump calls it for each event).
    void HandleEvent(const SDL_Event& e);

  private:
    struct Gl;
    bool InitVideo(std::string* error);
    bool CreateWindow(int width, int height, bool fullScreen, std::string* error);
    // Whether the window really covers the desktop after asking for full screen.
    bool FullScreenGranted();
    // Places the next frame in the window's drawable as it is now.
    void BeginFrame();
    // Collects the following vertices under the call's blend mode and clip.
    void Use(const DrawState& s, unsigned texture, unsigned primitive);
    bool MessageBoxesUsable() const;

    SDL_Window* window_ = nullptr;
    void* context_ = nullptr; // SDL_GLContext
    std::unique_ptr<Gl> gl_;
    bool videoInit_ = false;
    bool videoFailed_ = false; // no display was found: not tried again
    bool open_ = false;
    bool fullScreen_ = false;
    bool pointerVisible_ = true;
    bool focused_ = true;
    bool minimised_ = false;
    // A button pressed and released again between two presented frames (a touchpad tap, a
    // quick click) stays down until the next frame is presented, so that screens which act on
    // a held button see the click at least once.
    bool pressedThisFrame_[4] = {};
    bool releaseAtFlip_[4] = {};
    std::string title_;
    int swapInterval_ = -2; // last interval asked of SDL; -2 none yet
    FramePacer pacer_;
    int64_t framesShown_ = 0;
    int64_t quitAfterFrames_ = -1; // VSM_QUIT_AFTER_FRAMES: raise a close request after that many frames
    // VSM_FRAME_TIMES=<file>: the moment of every swap, in microseconds since start, one a line.
    std::FILE* frameTimes_ = nullptr;
    // VSM_DEBUG_CLEAR=1: after every swap the picture is painted magenta, so that a screen that
    // leaves a pixel unpainted shows it (many GPUs keep no defined contents after a swap; the
    // software renderer keeps the last frame and hides it).
    bool debugClear_ = false;
};

} // namespace vsm
