// vsm_pack_archive: build tool that packs documents into one ".bca" data archive.
// Usage: vsm_pack_archive <archive.bca> <file>...  Each file becomes the entry "<file name>.bbc";
// the marker entry "pack.txt.bbc" is added when no file of that name is given.
#include "BBWriter.h"
#include "ToolFiles.h"

#include <filesystem>
#include <iostream>
#include <set>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: vsm_pack_archive <archive.bca> <file>...\n";
        return 2;
    }
    const fs::path target = argv[1];
    std::vector<std::pair<std::string, std::vector<uint8_t>>> entries;
    std::set<std::string> names;
    bool marker = false;
    for (int i = 2; i < argc; ++i) {
        fs::path file = argv[i];
        std::string error;
        std::optional<std::vector<uint8_t>> text = vsm::tools::ReadRegularFile(file.string(), error);
        if (!text) {
            std::cerr << "vsm_pack_archive: " << error << "\n";
            return 1;
        }
        std::string name = file.filename().string();
        std::string folded = name;
        for (char& c : folded)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        // The reader takes the first entry whose name matches ignoring case; a second would be dead.
        if (!names.insert(folded).second) {
            std::cerr << "vsm_pack_archive: two files named " << name << "\n";
            return 1;
        }
        if (folded == "pack.txt") marker = true;
        entries.emplace_back(name + ".bbc", vsm::tools::PackEntry(*text));
    }
    if (!marker) {
        const std::string text = "packed data archive\n";
        entries.emplace_back("pack.txt.bbc",
                             vsm::tools::PackEntry(std::vector<uint8_t>(text.begin(), text.end())));
    }
    std::vector<uint8_t> archive = vsm::tools::BuildArchive(entries);

    std::error_code ec;
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    std::string error;
    if (!vsm::tools::WriteFileReplacing(target.string(), archive, error)) {
        std::cerr << "vsm_pack_archive: " << error << "\n";
        return 1;
    }
    return 0;
}
