// TDrawStoryText: the text lines of one story page, drawn black in the current image font.
#include "quest/TDrawStoryText.h"

#include "platform/Graphics.h"

#include <algorithm>

namespace vsm {

int TDrawStoryText::setLine(int index, const std::string& line) {
    if (index >= 0 && index < MAX_LINES) text[static_cast<size_t>(index)] = line;
    return 0;
}

int TDrawStoryText::Draw(float alpha) {
    int y = lines <= 4 ? 440 : 425;
    SetColor(0, 0, 0);
    SetAlpha(0.8f * alpha);
    SetScale(1, 1);
    const int count = std::min(lines, MAX_LINES);
    for (int i = 0; i < count; ++i) {
        const std::string& line = text[static_cast<size_t>(i)];
        DrawText(line, 105, static_cast<float>(y));
        // An empty line still takes a full line height.
        y += TextHeight(line);
    }
    return 0;
}

int TDrawStoryText::Clear() {
    text.fill(std::string());
    lines = 0;
    return 0;
}

int TDrawStoryText::Copy(const TDrawStoryText& other) {
    lines = other.lines;
    const int count = std::min(lines, MAX_LINES);
    for (int i = 0; i < count; ++i)
        text[static_cast<size_t>(i)] = other.text[static_cast<size_t>(i)];
    return 0;
}

} // namespace vsm
