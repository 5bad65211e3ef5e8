// TextHelpers: splitting and cutting texts, and text drawn with a two-sided shadow.
#include "services/TextHelpers.h"

namespace vsm {

namespace {

// Byte offsets at which the characters of UTF-8 text begin, plus the text's length at the end.
// A stray continuation byte stays with the character before it.
std::vector<size_t> CharStarts(const std::string& text) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (i == 0 || (byte & 0xC0) != 0x80) starts.push_back(i);
    }
    starts.push_back(text.size());
    return starts;
}

} // namespace

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    if (from.empty()) return text;
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::vector<std::string> splitString(const std::string& text, const std::string& separator) {
    std::vector<std::string> pieces;
    if (text.empty()) return pieces;
    const std::vector<size_t> starts = CharStarts(text);
    size_t pieceStart = 0;
    for (size_t c = 0; c + 1 < starts.size(); ++c) {
        const size_t begin = starts[c], end = starts[c + 1];
        if (end - begin == separator.size() && text.compare(begin, end - begin, separator) == 0) {
            pieces.push_back(text.substr(pieceStart, begin - pieceStart));
            pieceStart = end;
        }
    }
    pieces.push_back(text.substr(pieceStart));
    return pieces;
}

std::string Pos(const std::string& text, int from, int to) {
    const std::vector<size_t> starts = CharStarts(text);
    const int length = static_cast<int>(starts.size()) - 1;
    if (from < 1 || to > length || from > to) return "";
    return text.substr(starts[from - 1], starts[to] - starts[from - 1]);
}

int DrawShadowedText(const std::string& text, int x, int y, const FontPtr& font, int align, int r, int g,
                     int b) {
    if (font) SetImageFont(font);
    int dx = 0;
    if (align == 1)
        dx = TextWidth(text) / 2;
    else if (align == 2)
        dx = TextWidth(text);
    const float left = static_cast<float>(x - dx);
    SetColor(0, 0, 0);
    DrawText(text, left + 1, static_cast<float>(y + 1));
    SetColor(100, 100, 100);
    DrawText(text, left - 1, static_cast<float>(y - 1));
    SetColor(r, g, b);
    DrawText(text, left, static_cast<float>(y));
    SetColor(255, 255, 255);
    return 0;
}

} // namespace vsm
