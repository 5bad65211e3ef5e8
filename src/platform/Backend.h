// Backend: what differs between the real machine (SDL2, OpenGL, OpenAL) and the headless test
// machine. The free functions of Graphics.h, Input.h, Audio.h and System.h keep the shared state
// (drawing state, input counters, image data, the generator) and call the installed backend.
#pragma once

#include "Graphics.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vsm {

// Input state the backends feed and the Input.h functions read.
struct InputState {
    int keyHits[256] = {};
    bool keyDown[256] = {};
    int mouseHits[4] = {};
    bool mouseDown[4] = {};
    int mouseX = 0, mouseY = 0, mouseZ = 0;
    std::vector<int> chars; // typed characters, oldest first
    bool suspended = false;
    bool terminateRequested = false;
    // Clears every pending hit, held key and character (suspend and resume do this).
    void FlushAll();
};
InputState& Input();

// Audio output device; the sound and channel objects of Audio.h call it.
class AudioDevice {
  public:
    virtual ~AudioDevice() = default;
    virtual std::string Name() const = 0;
    // Per channel: a source that plays decoded PCM pulled from a decoder as it plays.
    virtual int CreateVoice() = 0;
    virtual void DestroyVoice(int voice) = 0;
    // Starts (paused = false) or cues (paused = true) a sound on the voice from its start.
    virtual void Start(int voice, const std::shared_ptr<class TSound>& sound, bool paused) = 0;
    virtual void Pause(int voice) = 0;
    virtual void Resume(int voice) = 0;
    virtual void Stop(int voice) = 0;
    virtual void SetVolume(int voice, float gain) = 0;
    virtual bool Playing(int voice) = 0;
    // Called once a frame (from Flip/PollSystem) to keep streamed voices fed.
    virtual void Update() {}
    // Told of every sound LoadSound loaded while this device is open (the headless one logs it).
    virtual void SoundLoaded(const class TSound& /*sound*/) {}
};

class Backend {
  public:
    virtual ~Backend() = default;

    // Clock: milliseconds since program start (virtual on the headless backend).
    virtual int64_t Millis() = 0;

    // Display.
    virtual std::vector<GraphicsMode> Modes() = 0;
    virtual bool OpenGraphics(int width, int height, int depth, int hz, std::string* error) = 0;
    virtual void CloseGraphics() = 0;
    virtual bool IsOpen() = 0;
    virtual bool IsFullScreen() = 0;
    virtual void SetTitle(const std::string& title) = 0;
    virtual void SetPointerVisible(bool visible) = 0;
    virtual void WarpPointer(int x, int y) = 0;

    // Drawing; positions are before the state's transform, which the backend applies.
    virtual void Cls(const DrawState& s) = 0;
    // Draws the frame with its top-left at (x, y) relative to the handle, stretched to w x h.
    virtual void DrawImage(const DrawState& s, const ImagePtr& image, int frame, float x, float y, float w,
                           float h) = 0;
    // DrawImageRect's call; backends that need not tell the two apart keep this default.
    virtual void DrawImageRect(const DrawState& s, const ImagePtr& image, int frame, float x, float y,
                               float w, float h) {
        DrawImage(s, image, frame, x, y, w, h);
    }
    virtual void DrawRect(const DrawState& s, float x, float y, float w, float h) = 0;
    // One pixel; a 1x1 rectangle unless the backend records it apart.
    virtual void Plot(const DrawState& s, float x, float y) { DrawRect(s, x, y, 1, 1); }
    virtual void DrawLine(const DrawState& s, float x1, float y1, float x2, float y2) = 0;
    virtual void DrawOval(const DrawState& s, float x, float y, float w, float h) = 0;
    virtual void DrawPixmap(const DrawState& s, const PixmapPtr& pixmap, int x, int y) = 0;
    virtual void DrawText(const DrawState& s, const std::string& utf8, float x, float y) = 0;
    virtual void DrawPolygon(const DrawState& s, const ImagePtr& image, int frame, const float* floats,
                             int floatCount) = 0;
    virtual PixmapPtr Grab(int x, int y, int w, int h) = 0;
    // Brings back a frame's pixels when the backend let them go after upload (LockImage calls it
    // for a frame whose pixels are missing).
    virtual void RestorePixels(TImage& /*image*/, int /*frame*/) {}
    virtual void Flip(int sync) = 0;

    // Input: pumps pending events into Input().
    virtual void Poll() = 0;

    // Audio: the device for a driver name ("OpenAL" or "FreeAudio"); null when it cannot open.
    virtual std::unique_ptr<AudioDevice> OpenAudio(const std::string& driver) = 0;

    // System.
    virtual void Notify(const std::string& text, bool serious) = 0;
    virtual bool Confirm(const std::string& text) = 0;
    virtual bool OpenURL(const std::string& url) = 0;
};

// The installed backend; installs the real one when none is installed yet.
Backend& CurrentBackend();
// Replaces the installed backend, closing the audio device of the old one first.
void InstallBackend(std::unique_ptr<Backend> backend);
// True once a backend is installed.
bool BackendInstalled();

} // namespace vsm
