// TPointsManager: the score of the running game and the score panel with its menu and help buttons.
#include "level/TPointsManager.h"

#include "level/LevelText.h"
#include "level/TLevelSequencer.h"
#include "level/TTimeManager.h"
#include "services/TMouse.h"
#include "services/Paths.h"
#include "widgets/TContainer.h"

#include <climits>
#include <string>

namespace vsm {

int cyfry1Width[10] = {12, 12, 12, 12, 12, 12, 12, 12, 12, 12};
int levelFontWidth[10] = {12, 7, 12, 12, 12, 12, 12, 12, 12, 12};
int cyfry4Width[10] = {9, 9, 9, 9, 9, 9, 9, 9, 9, 9};

TPointsManager points;

int TPointsManager::loadGfx() {
    cyfry = LoadLevelAnimImage(bDir + "gfx/fonts/cyfry1.png", 16, 24, 10);
    cyfry2 = LoadLevelAnimImage(bDir + "gfx/fonts/cyfry2.png", 32, 32, 10);
    cyfry4 = LoadLevelAnimImage(bDir + "gfx/fonts/punkty.png", 14, 20, 10);
    levelFont = LoadLevelAnimImage(bDir + "gfx/fonts/level.png", 16, 21, 10);
    menuWndImg = LoadLevelImage(bDir + "gfx/gui/decha.png");
    menuOutImg = LoadLevelImage(bDir + "gfx/gui/menuS1.png");
    menuOverImg = LoadLevelImage(bDir + "gfx/gui/menuS2.png");
    zapOutImg = LoadLevelImage(bDir + "gfx/gui/menu-zap01.png");
    zapOverImg = LoadLevelImage(bDir + "gfx/gui/menu-zap02.png");
    return 0;
}

int TPointsManager::Draw(int) {
    const int cx = timeManager.x;
    const int cy = timeManager.y;
    SetBlend(ALPHABLEND);
    SetTransform(0, 1, 1);
    SetAlpha(1);
    menuOver = (mouse.x >= cx + 30 && mouse.x <= cx + 94 && mouse.y >= cy - 12 && mouse.y <= cy + 8) ? 1 : 0;
    zapOver = (mouse.x >= cx + 95 && mouse.x <= cx + 110 && mouse.y >= cy && mouse.y <= cy + 25) ? 1 : 0;

    const ImagePtr rope = data.GetImage(5000);
    DrawImage(rope, x + 36, y + 85);
    DrawImage(rope, x + 92, y + 85);
    DrawImage(menuWndImg, x + 4, y + 116);

    // The level number uses the platform's own font; the screen's font comes back afterwards.
    const FontPtr screenFont = GetImageFont();
    SetImageFont(nullptr);
    const std::string number = std::to_string(sequencer.seqNo);
    const int w = TextWidth(number) / 2;
    SetAlpha(0.2f);
    SetColor(41, 34, 27);
    DrawText(number, x + 71 - w, y + 220);
    DrawText(number, x + 73 - w, y + 222);
    DrawText(number, x + 73 - w, y + 220);
    DrawText(number, x + 71 - w, y + 222);
    SetAlpha(0.8f);
    SetColor(21, 14, 7);
    DrawText(number, x + 72 - w, y + 221);
    SetImageFont(screenFont);
    SetAlpha(1);
    SetColor(255, 255, 255);

    DrawImage(menuOver ? menuOverImg : menuOutImg, cx + 32, cy - 12);
    DrawImage(zapOver ? zapOverImg : zapOutImg, cx + 95, cy + 4);
    const long long shown = static_cast<long long>(total) + actual;
    _drawNumber(static_cast<int>(shown > INT_MAX   ? INT_MAX
                                 : shown < INT_MIN ? INT_MIN
                                                   : shown),
                7, x + 38, y + 182, 4, 0);
    return 0;
}

int TPointsManager::DrawTimeatack(int) {
    return Draw(0);
}

int TPointsManager::DrawEndless() {
    return Draw(0);
}

int TPointsManager::add(int n) {
    const long long sum = static_cast<long long>(actual) + n;
    actual = static_cast<int>(sum > INT_MAX ? INT_MAX : sum < INT_MIN ? INT_MIN : sum);
    return 0;
}

int TPointsManager::_drawNumber(int value, int digits, int px, int py, int style, int centred) {
    std::string text = std::to_string(value);
    if (digits > 0 && static_cast<int>(text.size()) < digits) {
        text.insert(0, static_cast<size_t>(digits) - text.size(), '0');
    }
    SetColor(255, 255, 255);
    SetAlpha(0.9f);

    ImagePtr image;
    switch (style) {
    case 1:
        image = cyfry;
        break;
    case 2:
        image = levelFont;
        break;
    case 3:
        image = cyfry2;
        break;
    case 4:
        image = cyfry4;
        break;
    default:
        return 0;
    }
    // A minus sign has no digit frame: it takes no room and draws nothing.
    auto advance = [style](char c) {
        if (c < '0' || c > '9') return 0;
        const int d = c - '0';
        switch (style) {
        case 1:
            return cyfry1Width[d];
        case 2:
            return levelFontWidth[d];
        case 3:
            return 21;
        default:
            return cyfry4Width[d];
        }
    };
    if (centred) {
        int width = 0;
        for (char c : text)
            width += advance(c);
        px -= width / 2;
    }
    int pen = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            DrawImage(image, static_cast<float>(px + pen), static_cast<float>(py), c - '0');
        pen += advance(c);
    }
    return pen;
}

} // namespace vsm
