// DataFolders: the per-user folder (myDocsFolder) and the clock text of durations.
#include "data/DataFolders.h"

#include "platform/Files.h"
#include "platform/System.h"

#include <cstdint>
#include <cstdlib>

namespace vsm {

std::string myDocsFolder;

namespace {

std::string TrimSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string Two(int64_t n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

} // namespace

std::string UserDataFolder(const char* xdgDataHome, const std::string& home) {
    // XDG: a relative XDG_DATA_HOME is to be ignored; a relative home is no better.
    std::string base;
    if (xdgDataHome && xdgDataHome[0] == '/')
        base = TrimSlashes(xdgDataHome);
    else if (!home.empty() && home[0] == '/')
        base = TrimSlashes(home) + "/.local/share";
    else
        return "";
    if (base == "/") base.clear();
    return FixPath(base + "/vessamoor");
}

int GetDataFolders() {
    // HomeDir asks the user database when HOME is not set.
    myDocsFolder = UserDataFolder(std::getenv("XDG_DATA_HOME"), HomeDir());
    if (myDocsFolder.empty()) {
        static bool told = false;
        if (!told)
            Print(
                "No home folder is known (HOME and XDG_DATA_HOME are unset and the user database has none): "
                "options, hiscores and profiles cannot be saved");
        told = true;
        return -1;
    }

    int result = 0;
    for (const std::string& folder : {myDocsFolder, myDocsFolder + "/data", myDocsFolder + "/profiles"}) {
        if (FileType(folder) == FILETYPE_DIR) continue;
        if (!CreateDir(folder, true) || FileType(folder) != FILETYPE_DIR) {
            Print("Cannot create the folder " + folder + "; nothing can be saved there");
            result = -1;
        }
    }
    return result;
}

std::string SecToTime(int seconds) {
    int64_t t = seconds;
    std::string sign;
    if (t < 0) {
        sign = "-";
        t = -t;
    }
    int64_t s = t % 60, m = (t / 60) % 60, h = t / 3600;
    if (h > 0) return sign + std::to_string(h) + ":" + Two(m) + ":" + Two(s);
    return sign + std::to_string(m) + ":" + Two(s);
}

} // namespace vsm
