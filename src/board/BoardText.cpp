// BoardText: safe conversion of the numbers and number texts that board documents hold.
#include "board/BoardText.h"

#include "data/TTSCFile.h"

#include <climits>
#include <cmath>

namespace vsm {

int NumberToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(value);
}

int TextToInt(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        // Past the int range the answer is the clamp, so stop before the sum can overflow.
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

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
