// TestSupport: paths and scratch folders shared by the tests.
#include "support/TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <random>
#include <vector>

namespace vsm::test {

namespace {
struct ScratchCleaner {
    std::vector<std::filesystem::path> dirs;
    ~ScratchCleaner() {
        std::error_code ec;
        for (auto& d : dirs)
            std::filesystem::remove_all(d, ec);
    }
};
ScratchCleaner& Cleaner() {
    static ScratchCleaner c;
    return c;
}
} // namespace

std::string SourceDir() {
    if (const char* s = std::getenv("VSM_SOURCE_DIR")) return s;
    return VSM_SOURCE_DIR_DEFAULT;
}

std::string ResourcesDir() {
    if (const char* s = std::getenv("VSM_RESOURCES")) return s;
    return VSM_RESOURCES_DIR_DEFAULT;
}

std::string ScratchDir(const std::string& tag) {
    std::random_device rd;
    auto base = std::filesystem::temp_directory_path() /
                ("vsm-test-" + tag + "-" + std::to_string(rd()) + "-" + std::to_string(rd()));
    std::filesystem::create_directories(base);
    Cleaner().dirs.push_back(base);
    return base.string();
}

void LinkBuiltArt(const std::string& folder) {
    const std::filesystem::path built = std::filesystem::path(ResourcesDir()).parent_path();
    const std::filesystem::path into(folder);
    std::filesystem::create_directories(into);
    std::filesystem::create_directory_symlink(built / "gfx", into / "gfx");
    std::filesystem::create_directory_symlink(built / "sfx", into / "sfx");
}

std::string ScratchResources(const std::string& tag) {
    const std::string folder = ScratchDir(tag) + "/";
    LinkBuiltArt(folder);
    return folder;
}

} // namespace vsm::test
