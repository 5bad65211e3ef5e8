// BenchDocument: a large generated TSC document shaped like the game's levels and profiles.
#pragma once

#include <string>

namespace vsm::bench {

// About bytes long: groups of boards, numbers in both written forms, strings, defines, comments.
inline std::string LargeDocument(size_t bytes) {
    std::string text = "#define easy 1\n#define title 'Vessamoor'\n";
    for (int level = 0; text.size() < bytes; ++level) {
        std::string n = std::to_string(level);
        text += "// level " + n + "\nLevel" + n + "{\n\tGoal=easy\n\tName=\"Moor " + n + "\",title\n";
        text += "\tPetrify=" + std::to_string(level * 7 % 90) + ".500000000\n\tScale=9.99999975e-05\n";
        text += "\tBoard{\n";
        for (int y = 0; y < 15; ++y)
            text += "\t\tLine" + std::to_string(y) + "=\"1 1 1 0 0 2 2 2 0 0 1 1 1 3 3\"\n";
        text += "\t}\n\tRunes{ allowed=1,2,3,4,5,6,7,8 colours='red','green','blue' }\n}\n";
    }
    return text;
}

} // namespace vsm::bench
