// TBoardManager: the board's art, the board image cut from a plank texture, the per-frame
// update with slide-in, fade-in and run preview, and the drawing of the board and its runes.
#include "board/BoardSeams.h"
#include "board/BoardText.h"
#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "board/TStoneEntity.h"
#include "data/ImageLoaders.h"
#include "platform/System.h"
#include "services/GameFlags.h"
#include "services/Paths.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace vsm {

namespace {

constexpr uint32_t HOLE_MAGENTA = 0xFFFF00FFu;
// What playable cells show where no plank texture covers them: a plain, opaque wood brown.
constexpr uint32_t PLAIN_BOARD = 0xFF5A3A1Eu;

} // namespace

int TBoardManager::loadBoardGfx() {
    _s1 = FLoadImage(bDir + "gfx/runy/ghost.png");
    shadow = _s1;
    static const char* const corners[4] = {"lg", "rg", "ld", "rd"};
    static const char* const suffixes[3] = {"", "_v2", "_v3"};
    // The frame is drawn scaled down in the board previews: it needs its mipmaps.
    constexpr int frameFlags = MASKEDIMAGE | FILTEREDIMAGE | MIPMAPPEDIMAGE;
    for (int k = 0; k < 4; ++k)
        for (int v = 0; v < 3; ++v)
            frameC[k][v] = FLoadImage(bDir + "gfx/ramka/1b-" + corners[k] + suffixes[v] + ".png", frameFlags);
    static const char* const letters = "abc";
    for (int n = 1; n <= 3; ++n) {
        int variants = n == 3 ? 3 : 2;
        for (int v = 0; v < variants; ++v) {
            std::string stem = "gfx/ramka/" + std::to_string(n) + letters[v];
            frameH[n][v] = FLoadImage(bDir + stem + ".png", frameFlags);
            frameV[n][v] = FLoadImage(bDir + stem + "-p.png", frameFlags);
        }
    }
    return 0;
}

namespace {

// Cuts the board image out of the plank texture: holes painted magenta, then masked out.
// A missing plank, or one smaller than the board, lies on a plain fill of the board's size, so
// that no playable cell is ever transparent and taken for a hole.
ImagePtr MakeBoardImage(TBoardManager& b) {
    int seq = boardSeams.SeqNo();
    int plank = ((seq % 3) + 3) % 3 + 1; // a negative position still names plank 1..3
    b.pixName = "gfx/bg/deski/n/deska-" + std::to_string(plank) + ".jpg";
    b.pix = FLoadPixmap(bDir + b.pixName);
    int side = BOARD_CELLS * b.tileSize;
    if (side <= 0) return nullptr;
    b.pix2 = CreatePixmap(side, side);
    std::fill(b.pix2->pixels.begin(), b.pix2->pixels.end(), PLAIN_BOARD);
    if (b.pix) {
        int w = std::min(side, PixmapWidth(b.pix)), h = std::min(side, PixmapHeight(b.pix));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                b.pix2->pixels[static_cast<size_t>(y) * side + x] =
                    b.pix->pixels[static_cast<size_t>(y) * b.pix->width + x] | 0xFF000000u;
    }
    for (int x = 0; x < BOARD_CELLS; ++x) {
        for (int y = 0; y < BOARD_CELLS; ++y) {
            if (b.grid[x][y] != 0) continue;
            for (int py = y * b.tileSize; py < (y + 1) * b.tileSize && py < side; ++py)
                for (int px = x * b.tileSize; px < (x + 1) * b.tileSize && px < side; ++px)
                    b.pix2->pixels[static_cast<size_t>(py) * side + px] = HOLE_MAGENTA;
        }
    }
    SetMaskColor(255, 0, 255);
    // The holes are cut by the mask colour, whatever alpha the plank came with.
    b.pix2->hasAlpha = false;
    ImagePtr image = LoadImage(PixmapWindow(b.pix2, 0, 0, side, side));
    b.pix2 = nullptr;
    return image;
}

} // namespace

int TBoardManager::createBoardImage(int recentre) {
    getWidth();
    getHeight();
    if (recentre != 0) {
        tileSize = 32;
        offsetX = 492 - GetMiddleX();
        offsetY = 300 - GetMiddleY();
    }
    shadow = tileSize == 40 ? _s2 : _s1;
    img = MakeBoardImage(*this);
    return 0;
}

int TBoardManager::createSmallBoardImage() {
    tileSize = 32;
    shadow = _s1;
    img = MakeBoardImage(*this);
    return 0;
}

int TBoardManager::Draw(int small) {
    SetBlend(ALPHABLEND);
    SetAlpha(alpha);
    DrawImage(img, static_cast<float>(offsetX), static_cast<float>(offsetY));
    SetBlend(ALPHABLEND);
    boardSeams.BossDrawHelp();
    _drawDavar();
    if (small != 0) {
        _drawSmallFrame();
    } else {
        _drawFrame();
    }
    _drawHighlights();
    TStoneEntity::UpdateAll();
    return 0;
}

int TBoardManager::DrawSmall() {
    SetBlend(ALPHABLEND);
    SetAlpha(alpha);
    SetScale(scale, scale);
    DrawImage(img, static_cast<float>(offsetX), static_cast<float>(offsetY));
    SetBlend(ALPHABLEND);
    _drawDavar();
    _drawSmallFrame();
    _drawHighlights();
    return 0;
}

int TBoardManager::_drawHighlights() {
    for (int y = 0; y < BOARD_CELLS; ++y)
        for (int x = 0; x < BOARD_CELLS; ++x)
            if (highlightLayer[x][y] != 0) davar.particleRune(highlightLayer[x][y], x, y, 0, 0, 0, 0);
    return 0;
}

int TBoardManager::clearHighlights() {
    for (auto& column : highlightLayer)
        for (int& cell : column)
            cell = 0;
    return 0;
}

int TBoardManager::_drawDavar() {
    SetTransform(0, scale, scale);
    SetColor(255, 255, 255);
    for (int y = 0; y < BOARD_CELLS; ++y) {
        for (int x = 0; x < BOARD_CELLS; ++x) {
            int id = davarLayer[x][y];
            if (id <= 0) continue;
            float px = static_cast<float>(offsetX + x * tileSize);
            int py = offsetY + y * tileSize;
            SetAlpha(alpha);
            DrawImage(shadow, px + 5, static_cast<float>(py + 4));
            davar.Draw(id, px, py);
            if (petrifyActive != 0 && petrifyTable[x][y] != 0) {
                SetAlpha(alpha * petrifyAlpha);
                if (const TRune* rune = davar._findRuneByID(std::to_string(id)))
                    davar.Draw(TextToInt(rune->blockedID), px, py);
            }
        }
    }
    return 0;
}

int TBoardManager::Update(int paused) {
    if (wjazd > -1 && guiAlpha >= 1.0f) wjazd -= 0.015f;
    double swing = 600.0 * wjazd * wjazd;
    auto slide = [&](int& offset, int rest, double sign) {
        if (wjazd >= 0) {
            offset = NumberToInt(rest + sign * swing);
        } else if (wjazd > -1) {
            wjazd = -1;
            offset = rest;
        }
    };
    if (typWjazdu == 0)
        slide(offsetX, 492 - GetMiddleX(), 1.0);
    else if (typWjazdu == 1)
        slide(offsetY, 300 - GetMiddleY(), 1.0);
    else if (typWjazdu == 2)
        slide(offsetY, 300 - GetMiddleY(), -1.0);
    if (wjazd < 0) alpha += 0.05f;
    if (alpha > 1.0f) alpha = 1.0f;
    if (blocks.newMove != 0) {
        blocks.newMove = 0;
        _checkForHighlights();
    }
    _checkForPetrify(paused);
    return 0;
}

int TBoardManager::_checkForHighlights() {
    if (!blocks.actualBlock || blocks.dirStep != 0) return 0;
    int savedColor[BOARD_CELLS][BOARD_CELLS];
    int savedDavar[BOARD_CELLS][BOARD_CELLS];
    clearHighlights();
    std::memcpy(savedColor, colorLayer, sizeof savedColor);
    std::memcpy(savedDavar, davarLayer, sizeof savedDavar);
    if (placeBlock(nullptr, -1, -1, 0) == 0) return 0;
    boardSeams.BossCheckForMatch(0);
    checkForHorizontalMatch(0);
    checkForVerticalMatch(0);
    std::memcpy(colorLayer, savedColor, sizeof savedColor);
    std::memcpy(davarLayer, savedDavar, sizeof savedDavar);
    return 0;
}

} // namespace vsm
