// RealBackend: window, GL context, off-screen target, presentation, pacing and system dialogs.
#include "RealBackend.h"

#include "../Headless.h"
#include "../Input.h"
#include "../System.h"
#include "../audio/OpenALDevice.h"
#include "../audio/SilentAudioDevice.h"
#include "../audio/TSound.h"
#include "Gl.h"
#include "RealBackendGl.h"

#include <SDL.h>
#ifdef VSM_HAVE_GLX
#include <GL/glx.h>
#endif
#ifdef VSM_HAVE_EGL
#include <EGL/egl.h>
#endif

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace vsm {

namespace {

using Clock = std::chrono::steady_clock;

// Taken when the program loads, so the clock counts from the program's start.
const Clock::time_point kProgramStart = Clock::now();

// Set once the process has begun to exit. A lost X connection ends the program from inside Xlib,
// and tearing the window down after that blocks for ever on the dead connection; at exit the
// system frees the window and context anyway, so the destructor leaves them alone then.
bool processExiting = false;

void WatchProcessExit() {
    // Registered after the backend holder, so it runs before the holder destroys the backend.
    static const bool registered = std::atexit([] { processExiting = true; }) == 0;
    (void)registered;
}

// Set when the X connection is gone (the window destroyed by another client, the server ended):
// from then on nothing may speak to the display, or Xlib would end the program again half-way.
bool displayLost = false;

// Xlib's I/O-error handler: Xlib ends the process as soon as it returns, so the exit hook runs
// here, saving as a close request would; the handler runs between two frames (inside the frame's
// presentation or event poll), where the game's state is whole.
int OnDisplayLost(void*) {
    if (displayLost) std::_Exit(1); // the save itself met the dead display: end at once
    displayLost = true;
    std::fprintf(stderr, "The connection to the display was lost; the game is saved and ends\n");
    std::fflush(stderr);
    try {
        RunExitHook(false);
    } catch (const ProgramEnd&) {
        // The hook asked to end: the program is ending already.
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Error while saving at exit: %s\n", e.what());
    }
    std::fflush(stdout);
    std::fflush(stderr);
    // Not exit(): the atexit work would tear the window down over the dead connection.
    std::_Exit(1);
}

// Installs OnDisplayLost in the Xlib the video library loaded; nothing when it uses another
// window system. Xlib is looked up, not linked: the game runs without it elsewhere.
void WatchDisplayLoss() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "x11") != 0) return;
    void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (!xlib) return;
    using Handler = int (*)(void*);
    using SetHandler = Handler (*)(Handler);
    if (auto set = reinterpret_cast<SetHandler>(dlsym(xlib, "XSetIOErrorHandler"))) set(OnDisplayLost);
    dlclose(xlib);
}

int64_t QuitAfterFromEnvironment() {
    const char* v = std::getenv("VSM_QUIT_AFTER_FRAMES");
    if (!v || !*v) return -1;
    char* end = nullptr;
    long long n = std::strtoll(v, &end, 10);
    return (end && *end == '\0' && n >= 0) ? n : -1;
}

} // namespace

RealBackend::RealBackend() : gl_(std::make_unique<Gl>()), quitAfterFrames_(QuitAfterFromEnvironment()) {
    // Benchmarks read the frame cadence the player sees: times taken right after each swap.
    if (const char* path = std::getenv("VSM_FRAME_TIMES"); path && *path) frameTimes_ = std::fopen(path, "w");
    const char* loud = std::getenv("VSM_DEBUG_CLEAR");
    debugClear_ = loud && *loud && std::string(loud) != "0";
}

RealBackend::~RealBackend() {
    if (frameTimes_) std::fclose(frameTimes_);
    if (processExiting) return;
    if (context_) {
        // The pictures outlive the context: those that let their pixels go take them back.
        if (gl_->Live()) RestoreReleasedPixels(nullptr);
        gl_->Destroy();
        SetGlContextLive(false);
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
    }
    if (window_) SDL_DestroyWindow(window_);
    // The video subsystem stays up for the next backend: on X11, starting it again right
    // after shutting it down sometimes fails to reach the display.
}

int64_t RealBackend::Millis() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - kProgramStart).count();
}

bool RealBackend::InitVideo(std::string* error) {
    if (videoInit_) return true;
    if (videoFailed_) return false; // probing again would only repeat the libraries' complaints
    // With no display at all the player learns it from the game's own message (the caller's,
    // when no error text comes back), not from the video library's wording.
    if (error) error->clear();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        videoFailed_ = true;
        return false;
    }
    // Given no display to use, SDL falls back on its off-screen driver, where the game would run
    // unseen; that driver (or the dummy one) is only for whoever asked for it by name.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    const bool unseen =
        driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
    if (unseen && !(asked && std::strcmp(asked, driver) == 0)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        videoFailed_ = true;
        return false;
    }
    videoInit_ = true;
    WatchDisplayLoss();
    return true;
}

std::vector<GraphicsMode> RealBackend::Modes() {
    std::vector<GraphicsMode> modes = {{kWidth, kHeight, 32, 60}};
    if (!InitVideo(nullptr)) return modes;
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
        int bits =
            SDL_BITSPERPIXEL(desktop.format) > 24 ? 32 : static_cast<int>(SDL_BITSPERPIXEL(desktop.format));
        if (bits <= 0) bits = 32;
        GraphicsMode m{desktop.w, desktop.h, bits, desktop.refresh_rate > 0 ? desktop.refresh_rate : 60};
        if (m.width != kWidth || m.height != kHeight || m.depth != 32) modes.push_back(m);
    }
    return modes;
}

bool RealBackend::CreateWindow(int width, int height, bool fullScreen, std::string* error) {
    Uint32 flags = SDL_WINDOW_OPENGL | (fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    WatchProcessExit();
    window_ = SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                               flags);
    if (!window_) {
        if (error) *error = SDL_GetError();
        return false;
    }
    SDL_GLContext context = SDL_GL_CreateContext(window_);
    if (!context) {
        // Some drivers refuse an explicit version or profile; take whatever they give.
        SDL_GL_ResetAttributes();
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        context = SDL_GL_CreateContext(window_);
    }
    std::string why;
    if (!context || !gl_->Create(&why)) {
        if (error) *error = context ? why : SDL_GetError();
        if (context) SDL_GL_DeleteContext(context);
        SDL_DestroyWindow(window_);
        window_ = nullptr;
        return false;
    }
    context_ = context;
    SDL_StartTextInput();
    SDL_ShowCursor(pointerVisible_ ? SDL_ENABLE : SDL_DISABLE);
    return true;
}

bool RealBackend::OpenGraphics(int width, int height, int depth, int /*hz*/, std::string* error) {
    if (width <= 0 || height <= 0) {
        if (error) *error = "Invalid display size";
        return false;
    }
    if (!InitVideo(error)) return false;
    bool wantFull = depth != 0;
    if (!window_) {
        if (!CreateWindow(width, height, wantFull, error)) return false;
    } else {
        if (SDL_SetWindowFullscreen(window_, wantFull ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
            if (error) *error = SDL_GetError();
            return false;
        }
        if (!wantFull) {
            SDL_SetWindowSize(window_, width, height);
            SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        }
        SDL_ShowWindow(window_);
    }
    bool granted = !wantFull || FullScreenGranted();
    if (!granted) {
        // Without a window manager (a bare X server) the window keeps its size while SDL takes
        // it for the desktop's: a window of the asked size instead, and the caller hears that
        // full screen could not be had.
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowSize(window_, width, height);
        SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    fullScreen_ = wantFull && granted;
    open_ = true;
    // A freshly opened display starts black, as the game's screens expect.
    gl_->ClearTarget();
    BeginFrame();
    pacer_.Reset();
    return granted;
}

bool RealBackend::FullScreenGranted() {
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(SDL_GetWindowDisplayIndex(window_), &desktop) != 0) return true;
    int ww = 0, wh = 0, dw = 0, dh = 0;
    SDL_GetWindowSize(window_, &ww, &wh);
    SDL_GL_GetDrawableSize(window_, &dw, &dh);
    // The desktop's size in surface pixels (they differ from window units on dense screens).
    const int wantW = ww > 0 ? desktop.w * dw / ww : desktop.w,
              wantH = wh > 0 ? desktop.h * dh / wh : desktop.h;
    // A window manager may take a moment to resize the window.
    const Clock::time_point until = Clock::now() + std::chrono::milliseconds(500);
    for (;;) {
        int sw = 0, sh = 0;
        SurfaceSize(sw, sh);
        if (sw >= wantW && sh >= wantH) return true;
        if (Clock::now() >= until) return false;
        SDL_PumpEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void RealBackend::BeginFrame() {
    int dw = 0, dh = 0;
    SurfaceSize(dw, dh);
    gl_->BeginFrame(dw, dh);
}

void RealBackend::RestorePixels(TImage& image, int frame) {
    if (frame >= 0 && frame < static_cast<int>(image.frames.size()) && gl_->Live())
        RestoreReleasedPixels(image.frames[static_cast<size_t>(frame)].get());
}

void RealBackend::CloseGraphics() {
    if (!window_) return;
    if (fullScreen_) SDL_SetWindowFullscreen(window_, 0);
    SDL_HideWindow(window_);
    open_ = false;
    fullScreen_ = false;
}

void RealBackend::SetTitle(const std::string& title) {
    title_ = title;
    if (window_) SDL_SetWindowTitle(window_, title_.c_str());
}

void RealBackend::SetPointerVisible(bool visible) {
    pointerVisible_ = visible;
    if (videoInit_ && !displayLost) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void RealBackend::SurfaceSize(int& w, int& h) const {
    w = kWidth;
    h = kHeight;
    if (!window_) return;
    SDL_GL_GetDrawableSize(window_, &w, &h);
#ifdef VSM_HAVE_GLX
    if (Display* display = glXGetCurrentDisplay(); display && glXGetCurrentDrawable()) {
        unsigned int gw = 0, gh = 0;
        glXQueryDrawable(display, glXGetCurrentDrawable(), GLX_WIDTH, &gw);
        glXQueryDrawable(display, glXGetCurrentDrawable(), GLX_HEIGHT, &gh);
        if (gw > 0 && gh > 0) {
            w = static_cast<int>(gw);
            h = static_cast<int>(gh);
        }
        return;
    }
#endif
#ifdef VSM_HAVE_EGL
    if (EGLDisplay display = eglGetCurrentDisplay(); display != EGL_NO_DISPLAY) {
        EGLSurface surface = eglGetCurrentSurface(EGL_DRAW);
        EGLint ew = 0, eh = 0;
        if (surface != EGL_NO_SURFACE && eglQuerySurface(display, surface, EGL_WIDTH, &ew) &&
            eglQuerySurface(display, surface, EGL_HEIGHT, &eh) && ew > 0 && eh > 0) {
            w = ew;
            h = eh;
        }
    }
#endif
}

ScreenFit RealBackend::PointerFit() const {
    if (!window_) return {};
    int sw = 0, sh = 0, ww = 0, wh = 0, dw = 0, dh = 0;
    SurfaceSize(sw, sh);
    // Pointer events come in window coordinates, which may differ from pixels (high-density
    // screens): the same proportion as SDL's own two sizes.
    SDL_GetWindowSize(window_, &ww, &wh);
    SDL_GL_GetDrawableSize(window_, &dw, &dh);
    if (ww > 0 && wh > 0 && dw > 0 && dh > 0 && (ww != dw || wh != dh)) {
        sw = sw * ww / dw;
        sh = sh * wh / dh;
    }
    return FitScreen(sw, sh);
}

void RealBackend::WarpPointer(int x, int y) {
    if (!window_ || !open_) return;
    int wx = 0, wy = 0;
    ScreenToWindow(PointerFit(), x, y, wx, wy);
    SDL_WarpMouseInWindow(window_, wx, wy);
}

void RealBackend::Flip(int sync) {
    const bool showing = window_ && open_;
    if (gl_->Live()) {
        gl_->batch.Flush();
        DeleteDroppedTextures();
        // A software renderer draws the frame during the swap, after the wait, and the frame
        // would be shown late: it is drawn before it waits its turn. A GPU draws while the CPU
        // goes on, and waiting for it here would only stall the next frame's work.
        if (showing && sync != 0 && gl_->softwareRenderer) glFinish();
    }
    if (sync != 0) {
        // Vertical sync may or may not wait in the swap; pace to 60 a second either way.
        const int64_t wait = pacer_.WaitBeforeShowing(
            std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - kProgramStart).count());
        if (wait > 0) std::this_thread::sleep_for(std::chrono::microseconds(wait));
    } else {
        pacer_.Reset();
    }
    if (showing) {
        int interval = sync == 0 ? 0 : 1;
        if (interval != swapInterval_) {
            SDL_GL_SetSwapInterval(interval); // a request only: many drivers ignore it
            swapInterval_ = interval;
        }
        SDL_GL_SwapWindow(window_);
        framesShown_++;
        if (frameTimes_) {
            auto us =
                std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - kProgramStart).count();
            std::fprintf(frameTimes_, "%lld\n", static_cast<long long>(us));
            // A killed game still leaves all but its last second behind.
            if (framesShown_ % 60 == 0) std::fflush(frameTimes_);
        }
        BeginFrame();
        if (debugClear_) gl_->PaintPicture(255, 0, 255);
    }
    if (quitAfterFrames_ >= 0 && framesShown_ >= quitAfterFrames_) {
        Input().terminateRequested = true;
        quitAfterFrames_ = -1;
    }
    // The frame that could see the quick clicks is shown: their releases take effect now.
    InputState& in = Input();
    for (int b = 0; b < 4; b++) {
        if (releaseAtFlip_[b]) in.mouseDown[b] = false;
        releaseAtFlip_[b] = false;
        pressedThisFrame_[b] = false;
    }
    Poll();
}

std::unique_ptr<AudioDevice> RealBackend::OpenAudio(const std::string& driver) {
    if (driver == "OpenAL") return OpenALDevice::Open();
    if (driver == "FreeAudio") return std::make_unique<SilentAudioDevice>();
    return nullptr;
}

bool RealBackend::MessageBoxesUsable() const {
    if (displayLost) return false;
    const char* driver = videoInit_ ? SDL_GetCurrentVideoDriver() : nullptr;
    if (!driver) driver = std::getenv("SDL_VIDEODRIVER");
    if (!driver) return true;
    return std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

void RealBackend::Notify(const std::string& text, bool serious) {
    Uint32 flags = serious ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    if (MessageBoxesUsable() && SDL_ShowSimpleMessageBox(flags, title_.c_str(), text.c_str(), window_) == 0)
        return;
    // The message the box would have shown, not a diagnostic: a player who started the game from a
    // terminal sees it on the error stream, as any program's failure message.
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
}

bool RealBackend::Confirm(const std::string& text) {
    if (!MessageBoxesUsable()) {
        std::fprintf(stderr, "%s\n", text.c_str());
        return false;
    }
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
    };
    SDL_MessageBoxData box{};
    box.flags = SDL_MESSAGEBOX_INFORMATION;
    box.window = window_;
    box.title = title_.c_str();
    box.message = text.c_str();
    box.numbuttons = 2;
    box.buttons = buttons;
    int pressed = 0;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) {
        std::fprintf(stderr, "%s\n", text.c_str());
        return false;
    }
    return pressed == 1;
}

bool RealBackend::OpenURL(const std::string& url) {
    return SDL_OpenURL(url.c_str()) == 0;
}

void UseRealBackend() {
    InstallBackend(std::make_unique<RealBackend>());
    // Nothing typed or clicked under another backend belongs to this one.
    Input() = InputState{};
}

} // namespace vsm
