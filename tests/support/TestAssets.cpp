// TestAssets: tiny asset files written for a test and the sounds the headless backend logged.
#include "support/TestAssets.h"

#include "platform/Graphics.h"
#include "services/TinyOgg.h"

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace vsm::test {

namespace {

void MakeParentFolders(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
}

void PutInt(std::string& out, int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
}

} // namespace

void WriteArchive(const std::string& path, const std::map<std::string, std::string>& documents) {
    std::string bytes = "BCA";
    bytes.push_back('\0');
    PutInt(bytes, static_cast<int32_t>(documents.size()));
    for (const auto& [name, text] : documents) {
        const std::string entry = name + ".bbc";
        PutInt(bytes, static_cast<int32_t>(entry.size()));
        bytes += entry;
        // One pass whose block size exceeds the text: the whole text is the stored tail.
        std::string data(4, '\0');
        data.push_back('\1');
        PutInt(data, static_cast<int32_t>(text.size() + 1));
        PutInt(data, static_cast<int32_t>(text.size()));
        data += text;
        PutInt(bytes, static_cast<int32_t>(data.size()));
        bytes += data;
    }
    MakeParentFolders(path);
    std::ofstream(path, std::ios::binary) << bytes;
}

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
        if (e.path.size() >= name.size() &&
            e.path.compare(e.path.size() - name.size(), name.size(), name) == 0)
            ++n;
    }
    return n;
}

std::vector<std::vector<DrawCall>> PresentedFrames(const HeadlessBackendControl& control) {
    std::vector<std::vector<DrawCall>> frames(1);
    for (const DrawCall& call : control.DrawLog()) {
        if (call.op == "flip")
            frames.emplace_back();
        else
            frames.back().push_back(call);
    }
    frames.pop_back();
    return frames;
}

} // namespace vsm::test
