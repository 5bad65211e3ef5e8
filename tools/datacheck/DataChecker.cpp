// DataChecker: the order of the checks, the report, and loading through the game's loaders.
#include "DataChecker.h"

#include "data/BBArchive.h"
#include "data/NumberText.h"
#include "platform/Files.h"
#include "platform/Graphics.h"
#include "platform/TImageFont.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace vsm::tools {

bool BoardLevel::Playable(int x, int y) const {
    return x >= 0 && y >= 0 && x < BOARD_SIDE && y < BOARD_SIDE && cell[x][y];
}

bool BoardLevel::HasBall(int cls, int mana) const {
    for (size_t i = 0; i < colours.size() && i < capacities.size(); ++i)
        if (colours[i] == cls && capacities[i] >= mana) return true;
    return false;
}

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> out;
    if (text.empty()) return out;
    size_t start = 0;
    while (true) {
        size_t blank = text.find(' ', start);
        out.push_back(text.substr(start, blank - start));
        if (blank == std::string::npos) break;
        start = blank + 1;
    }
    return out;
}

std::vector<int> SplitNumbers(const std::string& text) {
    std::vector<int> out;
    for (const std::string& entry : SplitList(text))
        out.push_back(TextToInt(entry));
    return out;
}

DataChecker::DataChecker(DataCheckPaths paths) : paths_(std::move(paths)) {
    if (!paths_.resources.empty() && paths_.resources.back() != '/') paths_.resources += '/';
}

std::vector<std::string> DataChecker::Run() {
    CheckSources();
    CheckCatalogues();
    CheckWardens();
    CheckSettings();
    CheckSequence();
    CheckQuickPlay();
    // Boards that neither the campaign nor a list names are still shipped: hold them to the rules.
    std::error_code ec;
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(paths_.content + "/davar_levels_lp", ec))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
        if (name.size() > 4 && name.substr(name.size() - 4) == ".tsc") Board(name);
    CheckPopups();
    CheckMap();
    CheckStories();
    CheckReleased();
    return report_;
}

void DataChecker::Report(const std::string& doc, const std::string& key, const std::string& rule) {
    std::string line = doc + ": " + key + ": " + rule;
    // A document reached from two places reports its faults once.
    if (std::find(report_.begin(), report_.end(), line) == report_.end()) report_.push_back(line);
}

std::string DataChecker::Archive(const std::string& archive) const {
    return paths_.resources + "data/" + archive + ".bca";
}

TTSCFilePtr DataChecker::Archived(const std::string& archive, const std::string& name) {
    std::string cacheKey = archive + "/" + name;
    auto it = docs_.find(cacheKey);
    if (it != docs_.end()) return it->second;
    TTSCFilePtr doc;
    if (FileType(Archive(archive)) != FILETYPE_FILE) {
        Report(name, "-", "the archive data/" + archive + ".bca is not built");
    } else if (!BBFileExist(Archive(archive), name)) {
        Report(name, "-", "no such entry in data/" + archive + ".bca");
    } else {
        doc = CreateTSCFile();
        if (LoadTSCFileBB(doc, Archive(archive), name) != 1) {
            Report(name, "-", "does not load from data/" + archive + ".bca with the game's loader");
            doc = nullptr;
        }
    }
    docs_[cacheKey] = doc;
    return doc;
}

TTSCFilePtr DataChecker::Loose(const std::string& relativePath) {
    auto it = docs_.find(relativePath);
    if (it != docs_.end()) return it->second;
    TTSCFilePtr doc = CreateTSCFile();
    try {
        LoadTSCFile(doc, paths_.resources + relativePath);
    } catch (const std::exception& e) {
        Report(relativePath, "-", std::string("does not load with the game's loader: ") + e.what());
        doc = nullptr;
    }
    docs_[relativePath] = doc;
    return doc;
}

std::optional<std::pair<int, int>> DataChecker::PictureSize(const std::string& path) {
    auto it = pictures_.find(path);
    if (it != pictures_.end()) return it->second;
    std::optional<std::pair<int, int>> size;
    if (!path.empty() && path.find("..") == std::string::npos && path[0] != '/') {
        // The game reads a ".jp2" picture from its ".png" twin.
        std::string file = path;
        if (file.size() > 4 && file.substr(file.size() - 4) == ".jp2")
            file = file.substr(0, file.size() - 4) + ".png";
        if (PixmapPtr p = LoadPixmap(paths_.resources + file)) size = std::make_pair(p->width, p->height);
    }
    pictures_[path] = size;
    return size;
}

void DataChecker::NeedPicture(const std::string& doc, const std::string& key, const std::string& path, int w,
                              int h) {
    auto size = PictureSize(path);
    if (!size) {
        Report(doc, key, "names \"" + path + "\", which is not a picture of the resources");
        return;
    }
    if ((w >= 0 && size->first != w) || (h >= 0 && size->second != h))
        Report(doc, key,
               "\"" + path + "\" is " + std::to_string(size->first) + "x" + std::to_string(size->second) +
                   ", not " + std::to_string(w) + "x" + std::to_string(h));
}

void DataChecker::NeedSound(const std::string& doc, const std::string& key, const std::string& path) {
    bool ok = !path.empty() && path.find("..") == std::string::npos && path[0] != '/' && path.size() > 4 &&
              path.substr(path.size() - 4) == ".ogg" && FileType(paths_.resources + path) == FILETYPE_FILE &&
              FileSize(paths_.resources + path) > 0;
    if (!ok) Report(doc, key, "names \"" + path + "\", which is not a sound of the resources");
}

FontPtr DataChecker::Font(const std::string& path, int size) {
    auto key = std::make_pair(path, size);
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        FontPtr f = LoadImageFont(paths_.resources + path, size);
        if (!f) Report(path, "-", "is not a font of the resources: the texts drawn in it cannot be measured");
        it = fonts_.emplace(key, f).first;
    }
    return it->second;
}

std::vector<std::string> CheckGameData(const DataCheckPaths& paths) {
    return DataChecker(paths).Run();
}

} // namespace vsm::tools
