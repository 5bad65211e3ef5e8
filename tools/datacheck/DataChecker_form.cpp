// DataChecker: the written form of every source document (encoding, line ends, lists, ids).
#include "DataChecker.h"

#include "data/TTSCLexer.h"
#include "ToolFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>

namespace vsm::tools {

namespace {

// Folders of content/ in the order they are checked: the five archives, then the stories.
const char* const SOURCE_FOLDERS[] = {"settings_lp",    "davar_levels_lp", "puzzle_levels_lp",
                                      "ring_levels_lp", "popups_lp",       "stories"};

// Keys whose one quoted value is a list split at single blanks.
const std::set<std::string> LIST_KEYS = {"availabledavar", "availableblocks",   "availablespells",
                                         "spherescolors",  "spherescapacities", "bossdavar"};
// Keys compared as text by their readers: a number there would not match.
const std::set<std::string> TEXT_ID_KEYS = {"id", "blockedid", "unblocked", "read"};

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool IsBoardLayerLine(const TTSCKey& key) {
    std::string path = Lower(key.Path);
    std::string name = Lower(key.Name);
    return (path == "board" || path == "davar") && name.size() > 4 && name.compare(0, 4, "line") == 0;
}

bool WholeNumber(const std::string& text) {
    size_t i = (!text.empty() && text[0] == '-') ? 1 : 0;
    return i < text.size() && std::all_of(text.begin() + static_cast<long>(i), text.end(),
                                          [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

void DataChecker::CheckSources() {
    for (const char* folder : SOURCE_FOLDERS) {
        std::error_code ec;
        std::vector<std::filesystem::path> files;
        for (const auto& e : std::filesystem::directory_iterator(paths_.content + "/" + folder, ec))
            if (e.is_regular_file() && e.path().filename().string()[0] != '.') files.push_back(e.path());
        if (ec) {
            Report(std::string("content/") + folder, "-", "the folder cannot be read");
            continue;
        }
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            std::string name = file.filename().string();
            bool story = std::string(folder) == "stories";
            std::string shown = story ? "data/" + name : name;
            if (name.size() < 5 || name.substr(name.size() - 4) != ".tsc") {
                Report(shown, "-", "every file of the folder is shipped: a document's name ends in .tsc");
                continue;
            }
            std::string error;
            std::optional<std::vector<uint8_t>> bytes = ReadRegularFile(file.string(), error);
            if (!bytes) {
                Report(shown, "-", "cannot be read: " + error);
                continue;
            }
            CheckSourceText(shown, std::string(bytes->begin(), bytes->end()));
        }
    }
}

void DataChecker::CheckSourceText(const std::string& shown, const std::string& text) {
    int line = 1;
    bool nonAscii = false, carriageReturn = false;
    for (char c : text) {
        if (c == '\n') ++line;
        if (static_cast<unsigned char>(c) >= 0x80 && !nonAscii) {
            nonAscii = true;
            Report(shown, "line " + std::to_string(line), "the text must be plain ASCII");
        }
        if (c == '\r' && !carriageReturn) {
            carriageReturn = true;
            Report(shown, "line " + std::to_string(line), "lines must end in a bare line feed");
        }
    }
    if (text.empty() || text.back() != '\n') Report(shown, "-", "the text must end with a line feed");

    TTSCFile doc;
    try {
        doc.LoadFromText(text);
    } catch (const TSCError& e) {
        Report(shown, "-", std::string("does not parse: ") + e.what());
        return;
    }
    if (!doc.GroupList.empty()) {
        size_t end = text.find_last_not_of(" \t\r\n");
        if (end == std::string::npos || text[end] != '}')
            Report(shown, "-", "the last statement must close a group");
    }

    // The reader takes the first of two groups or keys with one name: the second is dead text.
    std::set<std::string> groups, keys;
    for (const auto& g : doc.GroupList)
        if (!groups.insert(Lower(g->FullPath())).second)
            Report(shown, g->FullPath(), "a group of this name is already open at this level");
    for (const auto& k : doc.KeyList) {
        std::string where = (k->Path.empty() ? "" : k->Path + "::") + k->Name;
        if (!keys.insert(Lower(where)).second) Report(shown, where, "the key is written twice in its group");
        std::string name = Lower(k->Name);
        if (LIST_KEYS.count(name) || IsBoardLayerLine(*k)) {
            if (k->ValueCount != 1 || k->Type(0) != TSC_TYPE_STRING) {
                Report(shown, where, "a list is one quoted string");
            } else {
                const std::string& v = k->Value(0);
                if (v.find("  ") != std::string::npos ||
                    (!v.empty() && (v.front() == ' ' || v.back() == ' ')))
                    Report(shown, where, "list entries are separated by single blanks, none at the ends");
            }
        }
        if (TEXT_ID_KEYS.count(name) && k->Type(0) != TSC_TYPE_STRING)
            Report(shown, where, "an id compared as text is written as a quoted string");
        for (int i = 0; i < k->ValueCount; ++i)
            if (k->Type(i) == TSC_TYPE_NUMBER && !WholeNumber(k->Value(i)))
                Report(shown, where,
                       "numbers are read as whole numbers: write \"" + k->Value(i) + "\" as one");
    }
}

} // namespace vsm::tools
