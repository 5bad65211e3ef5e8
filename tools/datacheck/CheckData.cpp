// vsm_check_data: build and test tool that holds the shipped game data to the game's rules.
// Usage: vsm_check_data <resources folder> <content folder> <released names list>
// Prints one line per broken rule and exits 1 when any rule is broken, 2 on a usage fault.
#include "DataCheck.h"
#include "platform/Headless.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: vsm_check_data <resources folder> <content folder> <released names list>\n";
        return 2;
    }
    // The loaders report damaged documents through notifications; nothing is shown.
    vsm::UseHeadlessBackend();
    std::vector<std::string> broken = vsm::tools::CheckGameData({argv[1], argv[2], argv[3]});
    for (const std::string& line : broken)
        std::cout << line << "\n";
    std::cout << broken.size() << " broken data rule" << (broken.size() == 1 ? "" : "s") << "\n";
    return broken.empty() ? 0 : 1;
}
