// BoardText: reading numbered groups of board documents.
#include "board/BoardText.h"

#include "data/TTSCFile.h"

namespace vsm {

int HighestNumberedGroup(const TTSCFile& doc, const std::string& path, const std::string& prefix) {
    int highest = 0;
    for (const TTSCGroupPtr& group : doc.GroupList) {
        if (!TSCEqualNoCase(group->Path, path) || group->Name.size() <= prefix.size()) continue;
        if (!TSCEqualNoCase(group->Name.substr(0, prefix.size()), prefix)) continue;
        std::string digits = group->Name.substr(prefix.size());
        if (digits.find_first_not_of("0123456789") != std::string::npos) continue;
        int n = TextToInt(digits);
        if (n > highest) highest = n;
    }
    return highest;
}

} // namespace vsm
