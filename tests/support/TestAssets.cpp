// TestAssets: tiny asset files written for a test and the sounds the headless backend logged.
#include "support/TestAssets.h"

#include "platform/Graphics.h"
#include "services/TinyOgg.h"

#include <filesystem>

namespace vsm::test {

namespace {

void MakeParentFolders(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
}

} // namespace

bool WriteSilentSound(const std::string& path) {
    MakeParentFolders(path);
    return WriteTinyOgg(path);
}

bool WriteFlatPicture(const std::string& path, int w, int h, uint32_t argb) {
    MakeParentFolders(path);
    PixmapPtr p = CreatePixmap(w, h);
    for (uint32_t& px : p->pixels)
        px = argb;
    return SavePixmapPNG(p, path);
}

int CountCues(const HeadlessBackendControl& control, const std::string& name) {
    int n = 0;
    for (const SoundEvent& e : control.SoundLog()) {
        if (e.op != "cue") continue;
        if (e.path.size() >= name.size() && e.path.compare(e.path.size() - name.size(), name.size(), name) == 0)
            ++n;
    }
    return n;
}

} // namespace vsm::test
