// LevelText: reading the list values of level documents and loading the level's art and sounds.
#include "level/LevelText.h"

#include "board/BoardText.h"
#include "board/TBoardManager.h"
#include "data/TTSCFile.h"
#include "platform/System.h"

#include <cctype>
#include <climits>

namespace vsm {

std::vector<std::string> SplitAtBlanks(const std::string& text) {
    std::vector<std::string> pieces;
    if (text.empty()) return pieces;
    size_t start = 0;
    while (true) {
        const size_t blank = text.find(' ', start);
        if (blank == std::string::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, blank - start));
        start = blank + 1;
    }
}

namespace {

// A whole number with an optional sign and nothing else, clamped to the int range.
bool StrictInt(const std::string& text, int& value) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i >= text.size()) return false;
    long long v = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
        if (v < 10000000000LL) v = v * 10 + (text[i] - '0');
    }
    if (negative) v = -v;
    value = static_cast<int>(v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : v);
    return true;
}

} // namespace

bool ParseBossEntry(const std::string& entry, int& id, int& x, int& y) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        const size_t colon = entry.find(':', start);
        fields.push_back(entry.substr(start, colon == std::string::npos ? std::string::npos : colon - start));
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    if (fields.size() < 3) return false;
    return StrictInt(fields[0], id) && StrictInt(fields[1], x) && StrictInt(fields[2], y);
}

bool BossRuneWinnable(int x, int y) {
    const int arms[4][2] = {{-2, 0}, {2, 0}, {0, -2}, {0, 2}};
    for (const auto& arm : arms) {
        for (int cx = x + arm[0]; cx <= x + arm[0] + 1; ++cx) {
            for (int cy = y + arm[1]; cy <= y + arm[1] + 1; ++cy) {
                if (cx < 0 || cx > 14 || cy < 0 || cy > 14 || board.grid[cx][cy] == 0) return false;
            }
        }
    }
    return true;
}

ImagePtr LoadLevelImage(const std::string& path, int flags) {
    ImagePtr image = LoadImage(path, flags);
    if (!image) Print("image not loaded: " + path);
    return image;
}

ImagePtr LoadLevelAnimImage(const std::string& path, int cellW, int cellH, int count) {
    ImagePtr image = LoadAnimImage(path, cellW, cellH, 0, count);
    if (!image) Print("image not loaded: " + path);
    return image;
}

PixmapPtr LoadLevelPixmap(const std::string& path) {
    PixmapPtr pixmap = LoadPixmap(path);
    if (!pixmap) Print("image not loaded: " + path);
    return pixmap;
}

SoundPtr LoadLevelSound(const std::string& path, int flags) {
    SoundPtr sound = LoadSound(path, flags);
    if (!sound) Print("sound not loaded: " + path);
    return sound;
}

} // namespace vsm
