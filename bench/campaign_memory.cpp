// Memory over the campaign on the real backend: every campaign position played twice in a row
// by the campaign player, the resident memory (VmRSS) read after each. The game runs on the
// headless backend's virtual clock and scripted input, and every n-th frame's drawing also goes
// to the real backend (OpenGL), so the pictures of each level are uploaded and drawn as in play.
// What a level keeps after it ends shows as growth in the second pass, where every level has
// been met once already.
//
// Run with SDL_VIDEODRIVER=offscreen (no display needed) and ALSOFT_DRIVERS=null, see
// bench/README.md. Options: --positions LIST (1,4,6-9; default every position), --passes N
// (default 2), --draw-every N (default 10), --seed S.
#include "CampaignRun.h"

#include "level/TLevelSequencer.h"
#include "platform/Backend.h"
#include "platform/Graphics.h"
#include "platform/Headless.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "platform/real/Gl.h"
#include "platform/real/RealBackend.h"

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using vsm::Backend;
using vsm::DrawState;
using vsm::HeadlessBackendControl;
using vsm::ImagePtr;
using vsm::PixmapPtr;

// The headless backend's clock, input, sound and record of drawing, with the drawing of every
// n-th frame also sent to the real backend and presented there (unpaced).
class DrawnOnTheRealBackend : public Backend {
  public:
    DrawnOnTheRealBackend(int drawEvery) : drawEvery_(drawEvery) {
        headless_ = vsm::MakeHeadlessBackend(control_);
        real_ = std::make_unique<vsm::RealBackend>();
    }
    HeadlessBackendControl& Control() { return *control_; }
    int64_t framesDrawn = 0;

    int64_t Millis() override { return headless_->Millis(); }
    std::vector<vsm::GraphicsMode> Modes() override { return real_->Modes(); }
    bool OpenGraphics(int width, int height, int depth, int hz, std::string* error) override {
        headless_->OpenGraphics(width, height, depth, hz, error);
        // Always a window: the off-screen driver has no full screen to give.
        return real_->OpenGraphics(width, height, 0, hz, error);
    }
    void CloseGraphics() override {
        headless_->CloseGraphics();
        real_->CloseGraphics();
    }
    bool IsOpen() override { return headless_->IsOpen(); }
    bool IsFullScreen() override { return headless_->IsFullScreen(); }
    void SetTitle(const std::string& title) override { headless_->SetTitle(title); }
    void SetPointerVisible(bool visible) override { headless_->SetPointerVisible(visible); }
    void WarpPointer(int x, int y) override { headless_->WarpPointer(x, y); }

    void Cls(const DrawState& s) override {
        headless_->Cls(s);
        if (Drawing()) real_->Cls(s);
    }
    void DrawImage(const DrawState& s, const ImagePtr& image, int frame, float x, float y, float w,
                   float h) override {
        headless_->DrawImage(s, image, frame, x, y, w, h);
        if (Drawing()) real_->DrawImage(s, image, frame, x, y, w, h);
    }
    void DrawImageRect(const DrawState& s, const ImagePtr& image, int frame, float x, float y, float w,
                       float h) override {
        headless_->DrawImageRect(s, image, frame, x, y, w, h);
        if (Drawing()) real_->DrawImageRect(s, image, frame, x, y, w, h);
    }
    void DrawRect(const DrawState& s, float x, float y, float w, float h) override {
        headless_->DrawRect(s, x, y, w, h);
        if (Drawing()) real_->DrawRect(s, x, y, w, h);
    }
    void Plot(const DrawState& s, float x, float y) override {
        headless_->Plot(s, x, y);
        if (Drawing()) real_->Plot(s, x, y);
    }
    void DrawLine(const DrawState& s, float x1, float y1, float x2, float y2) override {
        headless_->DrawLine(s, x1, y1, x2, y2);
        if (Drawing()) real_->DrawLine(s, x1, y1, x2, y2);
    }
    void DrawOval(const DrawState& s, float x, float y, float w, float h) override {
        headless_->DrawOval(s, x, y, w, h);
        if (Drawing()) real_->DrawOval(s, x, y, w, h);
    }
    void DrawPixmap(const DrawState& s, const PixmapPtr& pixmap, int x, int y) override {
        headless_->DrawPixmap(s, pixmap, x, y);
        if (Drawing()) real_->DrawPixmap(s, pixmap, x, y);
    }
    void DrawText(const DrawState& s, const std::string& utf8, float x, float y) override {
        headless_->DrawText(s, utf8, x, y);
        if (Drawing()) real_->DrawText(s, utf8, x, y);
    }
    void DrawPolygon(const DrawState& s, const ImagePtr& image, int frame, const float* floats,
                     int floatCount) override {
        headless_->DrawPolygon(s, image, frame, floats, floatCount);
        if (Drawing()) real_->DrawPolygon(s, image, frame, floats, floatCount);
    }
    PixmapPtr Grab(int x, int y, int w, int h) override { return real_->Grab(x, y, w, h); }
    void RestorePixels(vsm::TImage& image, int frame) override { real_->RestorePixels(image, frame); }
    void Flip(int sync) override {
        if (Drawing()) {
            // Unpaced; the frame is drawn to its end as the paced flip of play has it drawn, so
            // that no drawing waits queued in the renderer.
            real_->Flip(0);
            glFinish();
            framesDrawn++;
        }
        frame_++;
        headless_->Flip(sync);
    }
    void Poll() override { headless_->Poll(); }
    std::unique_ptr<vsm::AudioDevice> OpenAudio(const std::string& driver) override {
        return headless_->OpenAudio(driver);
    }
    void Notify(const std::string& text, bool serious) override { headless_->Notify(text, serious); }
    bool Confirm(const std::string& text) override { return headless_->Confirm(text); }
    bool OpenURL(const std::string& url) override { return headless_->OpenURL(url); }

  private:
    bool Drawing() const { return frame_ % drawEvery_ == 0; }
    int drawEvery_;
    int64_t frame_ = 0;
    HeadlessBackendControl* control_ = nullptr;
    std::unique_ptr<Backend> headless_;
    std::unique_ptr<vsm::RealBackend> real_;
};

DrawnOnTheRealBackend* backend = nullptr;

HeadlessBackendControl& InstallDrawnOnTheRealBackend(int drawEvery) {
    auto b = std::make_unique<DrawnOnTheRealBackend>(drawEvery);
    backend = b.get();
    vsm::InstallBackend(std::move(b));
    // As a fresh headless backend starts.
    vsm::ResetDrawState();
    vsm::SetMaskColor(0, 0, 0);
    vsm::Input() = vsm::InputState{};
    vsm::SeedRnd(1);
    return backend->Control();
}

// Resident memory of the process in MB, from /proc/self/status.
double ResidentMB(const char* key = "VmRSS:") {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0) return std::atof(line.c_str() + std::string(key).size()) / 1024.0;
    return 0;
}

std::vector<int> ParsePositions(const std::string& list, int first, int last) {
    std::vector<int> out;
    if (list.empty()) {
        for (int p = first; p <= last; p++)
            out.push_back(p);
        return out;
    }
    std::stringstream in(list);
    std::string part;
    while (std::getline(in, part, ',')) {
        const size_t dash = part.find('-');
        const int a = std::atoi(part.c_str());
        const int b = dash == std::string::npos ? a : std::atoi(part.c_str() + dash + 1);
        for (int p = a; p <= b; p++)
            out.push_back(p);
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    std::string positions;
    int passes = 2, drawEvery = 10;
    uint32_t seed = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i], value = argv[i + 1];
        if (arg == "--positions")
            positions = value;
        else if (arg == "--passes")
            passes = std::max(1, std::atoi(value.c_str()));
        else if (arg == "--draw-every")
            drawEvery = std::max(1, std::atoi(value.c_str()));
        else if (arg == "--seed")
            seed = static_cast<uint32_t>(std::strtoul(value.c_str(), nullptr, 10));
    }
    const char* env = std::getenv("VSM_RESOURCES");
    std::string resources = env && *env ? env : VSM_RESOURCES_DIR_DEFAULT;
    if (!resources.empty() && resources.back() != '/') resources += '/';
    const std::filesystem::path user =
        std::filesystem::temp_directory_path() / ("vsm-campaign-memory-" + std::to_string(getpid()));

    if (!vsm::tools::StartCampaignGame(resources, user.string(), [drawEvery]() -> HeadlessBackendControl& {
            return InstallDrawnOnTheRealBackend(drawEvery);
        }))
        return 1;
    if (!vsm::LiveGlContext()) {
        std::fprintf(stderr, "campaign_memory: no OpenGL context (run with SDL_VIDEODRIVER=offscreen)\n");
        return 1;
    }
    const std::vector<int> list =
        ParsePositions(positions, vsm::tools::FirstPosition(), vsm::tools::LastPosition());
    std::printf("%-5s %-9s %-28s %-6s %9s %9s %8s %11s %7s %7s\n", "pass", "position", "level", "end",
                "RSS MB", "heap MB", "textures", "texels MB", "frames", "pages");
    auto report = [&](int pass, int position, const std::string& name, const std::string& end) {
        const vsm::TextureCounts c = vsm::LiveTextureCounts();
        const struct mallinfo2 heap = mallinfo2();
        std::printf("%-5d %-9d %-28s %-6s %9.1f %9.1f %8d %11.1f %7d %7d\n", pass, position, name.c_str(),
                    end.c_str(), ResidentMB(), static_cast<double>(heap.uordblks) / 1048576.0, c.textures,
                    static_cast<double>(c.texels) * 4.0 / 1048576.0, c.pictureFrames, c.picturePages);
        std::fflush(stdout);
    };
    report(0, 0, "(assets loaded)", "");
    std::vector<double> endOfPass;
    vsm::tools::RunOptions options;
    for (int pass = 1; pass <= passes; pass++) {
        for (int position : list) {
            if (vsm::tools::PositionType(position) == 0) continue;
            const vsm::tools::RunResult r = vsm::tools::PlayPosition(position, seed, options);
            report(pass, position, r.name, r.end);
        }
        endOfPass.push_back(ResidentMB());
    }
    std::printf("frames drawn on the real backend: %lld\n", static_cast<long long>(backend->framesDrawn));
    for (size_t i = 0; i < endOfPass.size(); i++)
        std::printf("RSS after pass %zu: %.1f MB%s\n", i + 1, endOfPass[i],
                    i == 0 ? ""
                           : (" (" + std::to_string(endOfPass[i] - endOfPass[i - 1]) + " MB more)").c_str());
    std::printf("peak RSS: %.1f MB\n", ResidentMB("VmHWM:"));
    std::error_code ignored;
    std::filesystem::remove_all(user, ignored);
    return 0;
}
