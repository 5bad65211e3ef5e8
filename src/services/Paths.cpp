// Paths: the resources folder bDir from which every asset path is formed.
#include "services/Paths.h"

#include "platform/Files.h"
#include "platform/System.h"

#include <cstdlib>

namespace vsm {

std::string bDir;

namespace {

std::string ResourcesFolderWanted() {
    if (const char* env = std::getenv("VSM_RESOURCES"); env && *env) {
        std::string dir = env;
        if (dir.back() != '/') dir += '/';
        return dir;
    }
    std::string dir = AppDir();
    while (!dir.empty() && dir.back() == '/')
        dir.pop_back();
    return dir + "/resources/";
}

} // namespace

std::string ResourcesFolder() {
    std::string dir = ResourcesFolderWanted();
    // Without this line a missing folder only shows as a flood of pictures and sounds that fail.
    static std::string reported;
    if (dir != reported && FileType(dir) != FILETYPE_DIR) {
        Print("The resources folder " + dir +
              " cannot be found; set VSM_RESOURCES to the folder that holds gfx, sfx and data");
        reported = dir;
    }
    return dir;
}

std::string GetBundleResourceURL(const std::string& file, const std::string& folder) {
    std::string path = ResourcesFolder();
    if (!folder.empty()) path += folder + "/";
    return path + file;
}

std::string BundleResourceURL(const std::string& appFile, const std::string& file,
                              const std::string& folder) {
    size_t at = appFile.find(".debug.app/");
    if (at == std::string::npos) at = appFile.find(".app/");
    // A development bundle "X.debug.app" reads the resources of "X.app" beside it.
    std::string path = at == std::string::npos ? std::string() : appFile.substr(0, at + 1);
    path += "app/Contents/Resources/";
    if (!folder.empty()) path += folder + "/";
    return path + file;
}

} // namespace vsm
