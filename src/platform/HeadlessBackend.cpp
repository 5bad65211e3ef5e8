// HeadlessBackend: the test machine — recorded drawing, scripted input, virtual clock, logged audio.
#include "Headless.h"

#include "Backend.h"
#include "Input.h"
#include "System.h"
#include "Utf8.h"
#include "audio/TSound.h"

#include <cmath>
#include <map>

namespace vsm {

namespace {

// Silent audio device that logs every operation and plays by the virtual clock.
class LoggingAudioDevice : public AudioDevice {
  public:
    LoggingAudioDevice(std::string driver, std::vector<SoundEvent>& log)
        : driver(std::move(driver)), log(log) {}

    std::string Name() const override { return driver; }

    int CreateVoice() override {
        int id = nextVoice++;
        voices[id] = Voice{};
        return id;
    }

    void DestroyVoice(int voice) override { voices.erase(voice); }

    void Start(int voice, const std::shared_ptr<TSound>& sound, bool paused) override {
        auto it = voices.find(voice);
        if (it == voices.end()) return;
        Voice& v = it->second;
        v.sound = sound;
        v.active = sound != nullptr;
        v.paused = paused;
        v.playedMs = 0;
        v.since = MilliSecs64();
        Log(paused ? "cue" : "play", voice);
    }

    void Pause(int voice) override {
        Voice* v = Find(voice);
        if (!v) return;
        if (v->active && !v->paused) {
            v->playedMs += MilliSecs64() - v->since;
            v->paused = true;
        }
        Log("pause", voice);
    }

    void Resume(int voice) override {
        Voice* v = Find(voice);
        if (!v) return;
        if (v->active && v->paused) {
            v->paused = false;
            v->since = MilliSecs64();
        }
        Log("resume", voice);
    }

    void Stop(int voice) override {
        Voice* v = Find(voice);
        if (!v) return;
        v->active = false;
        Log("stop", voice);
    }

    void SetVolume(int voice, float gain) override {
        Voice* v = Find(voice);
        if (!v) return;
        v->volume = std::isnan(gain) ? 0.0f : std::fmin(std::fmax(gain, 0.0f), 1.0f);
        Log("volume", voice);
    }

    bool Playing(int voice) override {
        Voice* v = Find(voice);
        if (!v || !v->active || v->paused || !v->sound) return false;
        if (v->sound->Loops() || v->sound->durationMs <= 0) return true;
        // A one-shot sound ends when the virtual clock has run through its length.
        return static_cast<double>(v->playedMs + MilliSecs64() - v->since) < v->sound->durationMs;
    }

    void SoundLoaded(const TSound& sound) override {
        SoundEvent e;
        e.op = "load";
        e.path = sound.path;
        log.push_back(e);
    }

  private:
    struct Voice {
        std::shared_ptr<TSound> sound;
        bool active = false;
        bool paused = false;
        float volume = 1;
        int64_t playedMs = 0; // play time before the current stretch
        int64_t since = 0;    // clock at the start of the current stretch
    };

    Voice* Find(int voice) {
        auto it = voices.find(voice);
        return it == voices.end() ? nullptr : &it->second;
    }

    void Log(const char* op, int voice) {
        const Voice& v = voices[voice];
        SoundEvent e;
        e.op = op;
        e.path = v.sound ? v.sound->path : std::string();
        e.channel = voice;
        e.volume = v.volume;
        log.push_back(e);
    }

    std::string driver;
    std::vector<SoundEvent>& log;
    std::map<int, Voice> voices;
    int nextVoice = 1;
};

class HeadlessBackend : public Backend, public HeadlessBackendControl {
  public:
    // ---- Control ----

    void SetScript(std::vector<FrameInput> frames) override {
        auto shared = std::make_shared<std::vector<FrameInput>>(std::move(frames));
        SetScript([shared](int frame, FrameInput& in) {
            if (frame >= static_cast<int>(shared->size())) return false;
            in = (*shared)[frame];
            return true;
        });
    }

    void SetScript(std::function<bool(int frame, FrameInput&)> fn) override {
        script = std::move(fn);
        scripted = true;
        scriptFrame = 0;
        scriptEnded = false;
        framesPastEnd = 0;
        StartScriptFrame();
    }

    int Frame() const override { return frame; }

    void SetFrameStep(double ms) override {
        clockBase = ExactClock();
        framesSinceBase = 0;
        step = ms >= 0 ? ms : 0;
    }

    void AdvanceClock(int64_t ms) override {
        clockBase = ExactClock() + static_cast<double>(ms);
        framesSinceBase = 0;
    }

    void SetClock(int64_t ms) override {
        clockBase = static_cast<double>(ms);
        framesSinceBase = 0;
    }

    const std::vector<DrawCall>& DrawLog() const override { return draws; }
    void ClearDrawLog() override { draws.clear(); }
    const std::vector<SoundEvent>& SoundLog() const override { return sounds; }
    void ClearSoundLog() override { sounds.clear(); }

    // ---- Backend ----

    int64_t Millis() override {
        // The small epsilon keeps 60 steps of 1000/60 at exactly 1000 despite rounding.
        return static_cast<int64_t>(std::floor(ExactClock() + 1e-6));
    }

    std::vector<GraphicsMode> Modes() override {
        return {{640, 480, 32, 60}, {800, 600, 16, 60}, {800, 600, 32, 60}, {1024, 768, 32, 60}};
    }

    bool OpenGraphics(int width, int height, int depth, int /*hz*/, std::string* error) override {
        open = false;
        bool works = depth == 0 ? windowWorks : fullScreenWorks;
        if (!works || width <= 0 || height <= 0) {
            if (error)
                *error = depth == 0 ? "headless: the window could not be opened"
                                    : "headless: full screen could not be opened";
            return false;
        }
        open = true;
        fullScreen = depth != 0;
        return true;
    }

    void CloseGraphics() override { open = false; }
    bool IsOpen() override { return open; }
    bool IsFullScreen() override { return open && fullScreen; }
    void SetTitle(const std::string& t) override { title = t; }
    void SetPointerVisible(bool visible) override { pointerVisible = visible; }
    void WarpPointer(int, int) override {}

    void Cls(const DrawState& s) override { Record("cls", s); }

    void DrawImage(const DrawState& s, const ImagePtr& image, int f, float x, float y, float w,
                   float h) override {
        DrawCall& c = Record("image", s, x, y, w, h);
        c.image = image;
        c.frame = f;
    }

    void DrawImageRect(const DrawState& s, const ImagePtr& image, int f, float x, float y, float w,
                       float h) override {
        DrawCall& c = Record("imagerect", s, x, y, w, h);
        c.image = image;
        c.frame = f;
    }

    void DrawRect(const DrawState& s, float x, float y, float w, float h) override {
        Record("rect", s, x, y, w, h);
    }

    void Plot(const DrawState& s, float x, float y) override { Record("plot", s, x, y, 1, 1); }

    void DrawLine(const DrawState& s, float x1, float y1, float x2, float y2) override {
        // A line records its end point as (w, h).
        Record("line", s, x1, y1, x2, y2);
    }

    void DrawOval(const DrawState& s, float x, float y, float w, float h) override {
        Record("oval", s, x, y, w, h);
    }

    void DrawPixmap(const DrawState& s, const PixmapPtr& pixmap, int x, int y) override {
        DrawCall& c = Record("pixmap", s, static_cast<float>(x), static_cast<float>(y),
                             static_cast<float>(pixmap->width), static_cast<float>(pixmap->height));
        c.pixmap = pixmap;
    }

    void DrawText(const DrawState& s, const std::string& utf8, float x, float y) override {
        DrawCall& c = Record("text", s, x, y);
        c.text = utf8;
    }

    void DrawPolygon(const DrawState& s, const ImagePtr& image, int f, const float* floats,
                     int count) override {
        DrawCall& c = Record("poly", s);
        c.image = image;
        c.frame = f;
        c.poly.assign(floats, floats + count);
    }

    PixmapPtr Grab(int, int, int w, int h) override {
        PixmapPtr p = CreatePixmap(w, h);
        if (p) {
            // The screen is opaque: a grab gives opaque black rather than transparency.
            for (uint32_t& px : p->pixels)
                px = 0xFF000000u;
            p->hasAlpha = false;
        }
        return p;
    }

    void Flip(int /*sync*/) override {
        Record("flip", CurrentDrawState());
        frame++;
        framesSinceBase++;
        UpdateAudio();
        if (scripted) {
            scriptFrame++;
            StartScriptFrame();
            if (scriptEnded && ++framesPastEnd > overrunFrames)
                throw HeadlessOverrun("headless backend: the loop ran " + std::to_string(overrunFrames) +
                                      " frames past the end of its input script");
        } else if (frame > overrunFrames) {
            throw HeadlessOverrun("headless backend: more than " + std::to_string(overrunFrames) +
                                  " frames without an input script");
        }
    }

    void Poll() override { UpdateAudio(); }

    std::unique_ptr<AudioDevice> OpenAudio(const std::string& driver) override {
        if (driver != "OpenAL" && driver != "FreeAudio") return nullptr;
        return std::make_unique<LoggingAudioDevice>(driver, sounds);
    }

    void Notify(const std::string& text, bool /*serious*/) override { notifications.push_back(text); }
    bool Confirm(const std::string&) override { return confirmAnswer; }
    bool OpenURL(const std::string& url) override {
        openedURLs.push_back(url);
        return true;
    }

    std::vector<std::string> openedURLs;
    std::string title;
    bool pointerVisible = true;

  private:
    double ExactClock() const { return clockBase + static_cast<double>(framesSinceBase) * step; }

    DrawCall& Record(const char* op, const DrawState& s, float x = 0, float y = 0, float w = 0, float h = 0) {
        DrawCall c;
        c.op = op;
        c.x = x;
        c.y = y;
        c.w = w;
        c.h = h;
        c.state = s;
        draws.push_back(std::move(c));
        return draws.back();
    }

    // Applies the script's entry for the frame that starts now.
    void StartScriptFrame() {
        InputState& in = Input();
        FrameInput f;
        bool have = false;
        if (!scriptEnded) {
            have = script(scriptFrame, f);
            if (!have) {
                scriptEnded = true;
                // The loop under test is asked to close, once; the overrun guard follows.
                in.terminateRequested = true;
            }
        }
        // What is held lasts one frame unless the next entry holds it again.
        std::fill(std::begin(in.keyDown), std::end(in.keyDown), false);
        std::fill(std::begin(in.mouseDown), std::end(in.mouseDown), false);
        if (!have) return;

        if (f.suspend == 1 || f.suspend == 0) {
            bool now = f.suspend == 1;
            if (now != in.suspended) in.FlushAll();
            in.suspended = now;
        }
        if (f.mouseX != -1) in.mouseX = f.mouseX;
        if (f.mouseY != -1) in.mouseY = f.mouseY;
        for (int b = 1; b <= 3; b++)
            in.mouseDown[b] = f.held[b];
        for (int b : f.clicks)
            if (b >= 1 && b <= 3) in.mouseHits[b]++;
        in.mouseZ += f.wheel;
        for (int k : f.keysHit)
            if (k >= 0 && k < KEY_COUNT) in.keyHits[k]++;
        for (int k : f.keysHeld)
            if (k >= 0 && k < KEY_COUNT) in.keyDown[k] = true;
        for (uint32_t c : DecodeUtf8(f.typed))
            in.chars.push_back(static_cast<int>(c));
        // As on the real backend, Backspace, Enter and Esc also type their control characters.
        for (int k : f.keysHit)
            if (k == KEY_BACKSPACE || k == KEY_ENTER || k == KEY_ESCAPE) in.chars.push_back(k);
        if (f.terminate) in.terminateRequested = true;
    }

    std::vector<DrawCall> draws;
    std::vector<SoundEvent> sounds;
    std::function<bool(int, FrameInput&)> script;
    bool scripted = false;
    bool scriptEnded = false;
    int scriptFrame = 0;
    int framesPastEnd = 0;
    int frame = 0;
    double clockBase = 0;
    int64_t framesSinceBase = 0;
    double step = 1000.0 / 60.0;
    bool open = false;
    bool fullScreen = false;
};

} // namespace

HeadlessBackendControl& UseHeadlessBackend() {
    auto backend = std::make_unique<HeadlessBackend>();
    HeadlessBackend& control = *backend;
    InstallBackend(std::move(backend));
    ResetDrawState();
    SetMaskColor(0, 0, 0);
    Input() = InputState{};
    SeedRnd(1);
    return control;
}

std::unique_ptr<Backend> MakeHeadlessBackend(HeadlessBackendControl*& control) {
    auto backend = std::make_unique<HeadlessBackend>();
    control = backend.get();
    return backend;
}

bool HeadlessActive() {
    return BackendInstalled() && dynamic_cast<HeadlessBackend*>(&CurrentBackend()) != nullptr;
}

void ReplayDrawCalls(const std::vector<DrawCall>& calls) {
    Backend& b = CurrentBackend();
    for (const DrawCall& c : calls) {
        const DrawState& s = c.state;
        if (c.op == "cls")
            b.Cls(s);
        else if (c.op == "image")
            b.DrawImage(s, c.image, c.frame, c.x, c.y, c.w, c.h);
        else if (c.op == "imagerect")
            b.DrawImageRect(s, c.image, c.frame, c.x, c.y, c.w, c.h);
        else if (c.op == "rect")
            b.DrawRect(s, c.x, c.y, c.w, c.h);
        else if (c.op == "plot")
            b.Plot(s, c.x, c.y);
        else if (c.op == "line")
            b.DrawLine(s, c.x, c.y, c.w, c.h);
        else if (c.op == "oval")
            b.DrawOval(s, c.x, c.y, c.w, c.h);
        else if (c.op == "pixmap")
            b.DrawPixmap(s, c.pixmap, static_cast<int>(c.x), static_cast<int>(c.y));
        else if (c.op == "text")
            b.DrawText(s, c.text, c.x, c.y);
        else if (c.op == "poly")
            b.DrawPolygon(s, c.image, c.frame, c.poly.data(), static_cast<int>(c.poly.size()));
    }
}

} // namespace vsm
