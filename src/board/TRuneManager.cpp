// TRuneManager: the rune catalogue (global `davar`) read from "davar.tsc", with lookups by id
// and colour class and the rune-coloured sparks.
#include "board/TRuneManager.h"

#include "board/BoardText.h"
#include "board/TBoardManager.h"
#include "data/BBArchive.h"
#include "data/ImageLoaders.h"
#include "data/TTSCFile.h"
#include "platform/System.h"
#include "services/Paths.h"
#include "services/TSpark.h"
#include "services/TextHelpers.h"

namespace vsm {

TRuneManager davar;

TRuneManager::TRuneManager() : runeFile(std::make_shared<TTSCFile>()) {}

int TRuneManager::loadDavarGfx() {
    runeFile = CreateTSCFile();
    LoadTSCFileBB(runeFile, bDir + "data/settings_lp.bca", "davar.tsc");
    loadDavarDoc(*runeFile);
    return 0;
}

int TRuneManager::loadDavarDoc(TTSCFile& doc) {
    int appended = 0;
    int n = NumberToInt(doc.GetNumberKey("List", "Quantity", 0));
    // Groups past the last one the document holds could only print missing keys; a hostile
    // Quantity must not make the loop run for ever.
    int last = HighestNumberedGroup(doc, "List", "Rune");
    if (n > last) {
        Print("Rune catalogue: Quantity " + std::to_string(n) + " but the last group is Rune" +
              std::to_string(last));
        n = last;
    }
    for (int i = 1; i <= n; ++i) {
        std::string group = "List::Rune" + std::to_string(i);
        auto rune = std::make_shared<TRune>();
        rune->id = doc.GetStringKey(group, "id", 0);
        // Filtered and mipmapped but not masked: the black of art without alpha is part of it,
        // and the mipmaps keep the small board previews from aliasing.
        rune->img = FLoadImage(bDir + doc.GetStringKey(group, "fileName", 0), FILTEREDIMAGE | MIPMAPPEDIMAGE);
        rune->img2 =
            FLoadImage(bDir + doc.GetStringKey(group, "fileName2", 0), FILTEREDIMAGE | MIPMAPPEDIMAGE);
        rune->color = doc.GetStringKey(group, "color", 0);
        rune->width = NumberToInt(doc.GetNumberKey(group, "width", 0));
        rune->height = NumberToInt(doc.GetNumberKey(group, "height", 0));
        rune->blocked = NumberToInt(doc.GetNumberKey(group, "blocked", 0));
        rune->title = doc.GetStringKey(group, "title", 0);
        rune->description = doc.GetStringKey(group, "description", 0);
        rune->blockedID = doc.GetStringKey(group, "blockedID", 0);
        std::vector<std::string> rgb = splitString(doc.GetStringKey(group, "rgb", 0), ":");
        if (!rgb.empty()) {
            int* lows[3] = {&rune->r1, &rune->g1, &rune->b1};
            int* highs[3] = {&rune->r2, &rune->g2, &rune->b2};
            // A short value reads its missing parts as 0.
            for (size_t c = 0; c < 3 && c < rgb.size(); ++c) {
                std::vector<std::string> range = splitString(rgb[c], ",");
                *lows[c] = range.size() > 0 ? TextToInt(range[0]) : 0;
                *highs[c] = range.size() > 1 ? TextToInt(range[1]) : 0;
            }
        }
        if (rune->blocked != 0) rune->unblocked = doc.GetStringKey(group, "unblocked", 0);
        if (!rune->img) continue;
        List.push_back(rune);
        ++appended;
    }
    return appended;
}

int TRuneManager::Draw(int id, float x, int y) {
    const TRune* rune = _findRuneByID(std::to_string(id));
    if (!rune) return 0;
    if (board.tileSize != 40 || rune->img2) {
        DrawImage(board.tileSize == 40 ? rune->img2 : rune->img, x, static_cast<float>(y));
        return 0;
    }
    // No 40-pixel art: the normal art, scaled up to the tile, rather than an invisible rune.
    const int width = ImageWidth(rune->img);
    if (width <= 0) return 0;
    float sx = 1, sy = 1;
    GetScale(sx, sy);
    const float grow = 40.0f / static_cast<float>(width);
    SetScale(sx * grow, sy * grow);
    DrawImage(rune->img, x, static_cast<float>(y));
    SetScale(sx, sy);
    return 0;
}

int TRuneManager::isBlocked(int id) {
    const TRune* rune = _findRuneByID(std::to_string(id));
    return rune && rune->blocked != 0 ? 1 : 0;
}

int TRuneManager::unblocked(int id) {
    const TRune* rune = _findRuneByID(std::to_string(id));
    return rune ? TextToInt(rune->unblocked) : 0;
}

int TRuneManager::getRuneColor(const std::string& id) {
    const TRune* rune = _findRuneByID(id);
    return rune ? TextToInt(rune->color) : 0;
}

int TRuneManager::getRuneColor(int id) {
    return getRuneColor(std::to_string(id));
}

TRune* TRuneManager::_findRuneByID(const std::string& id) {
    for (const RunePtr& rune : List)
        if (rune->id == id) return rune.get();
    return nullptr;
}

int TRuneManager::getRuneRGB(int color, int channel) {
    std::string text = std::to_string(color);
    for (const RunePtr& rune : List) {
        if (rune->blocked != 0 || rune->color != text) continue;
        switch (channel) {
        case 1:
            return Rand(rune->r1, rune->r2);
        case 2:
            return Rand(rune->g1, rune->g2);
        case 3:
            return Rand(rune->b1, rune->b2);
        default:
            return 0;
        }
    }
    return 0;
}

int TRuneManager::particleRune(int color, int col, int row, float vx, float vy, int px, int py) {
    int r = getRuneRGB(color, 1);
    int g = getRuneRGB(color, 2);
    int b = getRuneRGB(color, 3);
    int x = board.offsetX + col * board.tileSize + Rand(-7, 12);
    int y = board.offsetY + row * board.tileSize + Rand(-7, 12);
    if (px != 0) x = px + Rand(-7, 12);
    if (py != 0) y = py + Rand(-7, 12);
    ImagePtr image = SparkImage(Rand(1, 3));
    int life = Rand(10, 40);
    if (color < 10) {
        TSpark::Create(image, x, y, static_cast<float>(Rnd(0.6, 1.0)), life, r, g, b, 1, 0);
    } else {
        auto spark = TSpark::Create(image, x, y, static_cast<float>(Rnd(0.5, 0.9)), life, r, g, b, 1, 0);
        spark->setVelocity(vx, vy);
    }
    return 0;
}

} // namespace vsm
