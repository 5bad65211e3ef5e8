// TBlocksManager: the piece templates of "blocks.tsc" and the held and next piece (global
// `blocks`): dealing, rotation, legality marks, freeze and drawing.
#include "board/TBlocksManager.h"

#include "board/BoardSeams.h"
#include "board/BoardText.h"
#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "data/BBArchive.h"
#include "data/ImageLoaders.h"
#include "data/TTSCFile.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "services/GameFlags.h"
#include "services/Paths.h"
#include "services/Sound.h"
#include "services/TDeltaTime.h"
#include "services/TMouse.h"
#include "services/TextHelpers.h"

#include <cmath>
#include <numbers>

namespace vsm {

TBlocksManager blocks;

void RotateCell(int d, int i, int j, int& dx, int& dy) {
    switch (((d % 4) + 4) % 4) {
    case 0:
        dx = i;
        dy = j;
        break;
    case 1:
        dx = -j;
        dy = i;
        break;
    case 2:
        dx = -i;
        dy = -j;
        break;
    default:
        dx = j;
        dy = -i;
        break;
    }
}

int TBlock::getSize() {
    width = 0;
    height = 0;
    for (int y = 0; y < 4; ++y) {
        int filled = 0;
        for (int x = 0; x < 4; ++x)
            if (Set[x][y] != 0) ++filled;
        if (filled > width) width = filled;
    }
    for (int x = 0; x < 4; ++x) {
        int filled = 0;
        for (int y = 0; y < 4; ++y)
            if (Set[x][y] != 0) ++filled;
        if (filled > height) height = filled;
    }
    return 0;
}

TBlocksManager::TBlocksManager() = default;

int TBlocksManager::loadImages() {
    xImg = FLoadImage(bDir + "gfx/runy/r-x.png");
    gImg = FLoadImage(bDir + "gfx/runy/ghost.png");
    return 0;
}

int TBlocksManager::loadBlocksDef() {
    blocksFile = CreateTSCFile();
    LoadTSCFileBB(blocksFile, bDir + "data/settings_lp.bca", "blocks.tsc");
    loadBlocksDoc(*blocksFile);
    blocksFile = nullptr;
    return 0;
}

int TBlocksManager::loadBlocksDoc(TTSCFile& doc) {
    int appended = 0;
    int n = NumberToInt(doc.GetNumberKey("List", "Quantity", 0));
    // Groups past the last one the document holds could only print missing keys; a hostile
    // Quantity must not make the loop run for ever.
    int last = HighestNumberedGroup(doc, "List", "Block");
    if (n > last) {
        Print("Piece templates: Quantity " + std::to_string(n) + " but the last group is Block" +
              std::to_string(last));
        n = last;
    }
    for (int k = 1; k <= n; ++k) {
        std::string group = "List::Block" + std::to_string(k);
        auto block = std::make_shared<TBlock>();
        block->id = doc.GetStringKey(group, "id", 0);
        block->width = NumberToInt(doc.GetNumberKey(group, "width", 0));
        block->height = NumberToInt(doc.GetNumberKey(group, "height", 0));
        block->pieces = NumberToInt(doc.GetNumberKey(group, "pieces", 0));
        block->title = doc.GetStringKey(group, "title", 0);
        block->description = doc.GetStringKey(group, "description", 0);
        int cells = block->pieces;
        if (cells > 16) {
            Print("Piece templates: " + group + " lists " + std::to_string(cells) +
                  " pieces; a piece has at most 16 cells");
            cells = 16;
        }
        for (int p = 1; p <= cells; ++p) {
            std::string key = "piece" + std::to_string(p);
            int x = NumberToInt(doc.GetNumberKey(group, key, 0));
            int y = NumberToInt(doc.GetNumberKey(group, key, 1));
            if (x < 0 || x > 3 || y < 0 || y > 3) {
                Print("Piece templates: " + group + "::" + key + " (" + std::to_string(x) + ", " +
                      std::to_string(y) + ") lies outside the 4x4 piece and is skipped");
                continue;
            }
            block->Set[x][y] = 1;
        }
        // A template without a cell would deal a piece that fits anywhere and changes nothing.
        bool anyCell = false;
        for (const auto& column : block->Set)
            for (int cell : column)
                anyCell = anyCell || cell != 0;
        if (!anyCell) {
            Print("Piece templates: " + group + " (\"" + block->id +
                  "\") has no cell inside the 4x4 piece and is left out");
            continue;
        }
        List.push_back(block);
        ++appended;
    }
    return appended;
}

int TBlocksManager::loadSfx() {
    szurSnd = LoadSound(bDir + "sfx/fx/playgame-szur1.ogg");
    // The pieces' two marks load with their sound: the manager is made before the resources
    // folder is known, and this is the loading screen's one call for the pieces.
    loadImages();
    return 0;
}

int TBlocksManager::setAvailableDavar(const std::string& list) {
    nothingToDealReported = false;
    availableDavar.clear();
    bool anyRune = false;
    for (const std::string& id : splitString(list, " ")) {
        // An empty entry deals an empty cell; an id the catalogue lacks would deal a cell that is
        // never drawn, never matches and can never be cleared.
        if (!id.empty() && !davar._findRuneByID(id)) {
            Print("Pieces: the level's rune id \"" + id + "\" is not in the rune catalogue and is skipped");
            continue;
        }
        anyRune = anyRune || !id.empty();
        availableDavar.push_back(id);
    }
    if (!anyRune) {
        availableDavar.clear();
        Print("Pieces: the level allows no known rune, so no piece can be dealt");
        return 0;
    }
    return 1;
}

int TBlocksManager::setAvailableBlocks(const std::string& list) {
    nothingToDealReported = false;
    availableBlocks.clear();
    for (const std::string& id : splitString(list, " ")) {
        if (id.empty()) {
            Print("Pieces: an empty template id in the level's list is skipped");
            continue;
        }
        if (!_findBlockByID(id)) {
            Print("Pieces: the level's template id \"" + id + "\" is not in the catalogue and is skipped");
            continue;
        }
        availableBlocks.push_back(id);
    }
    if (availableBlocks.empty()) {
        Print("Pieces: the level allows no known template, so no piece can be dealt");
        return 0;
    }
    return 1;
}

BlockPtr TBlocksManager::_findBlockByID(const std::string& id) {
    for (const BlockPtr& block : List)
        if (block->id == id) return block;
    return nullptr;
}

BlockPtr TBlocksManager::_buildNextBlock() {
    // The loops ask for a piece every frame: say why there is none only once per level list.
    if (availableBlocks.empty() || availableDavar.empty()) {
        if (!nothingToDealReported) Print("Pieces: nothing to deal (the level lists no template or no rune)");
        nothingToDealReported = true;
        return nullptr;
    }
    BlockPtr shape = _findBlockByID(availableBlocks[Rand(0, static_cast<int>(availableBlocks.size()) - 1)]);
    if (!shape) {
        if (!nothingToDealReported) Print("Pieces: a template id of the level is not in the catalogue");
        nothingToDealReported = true;
        return nullptr;
    }
    newMove = 1;
    oldX = getXR(0);
    oldY = getYR(0);
    auto piece = std::make_shared<TBlock>();
    newDir = direction = dirAngle = dirStep = 0;
    blockAlpha = 0;
    blockFormed = 0;
    formStep = 0;
    std::string lastId = shape->id;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            if (shape->Set[x][y] == 0) continue;
            const std::string& rune = availableDavar[Rand(0, static_cast<int>(availableDavar.size()) - 1)];
            piece->Set[x][y] = TextToInt(rune);
            piece->color[x][y] = davar.getRuneColor(rune);
            lastId = rune;
        }
    }
    prevBlocks[2] = prevBlocks[1];
    prevBlocks[1] = prevBlocks[0];
    prevBlocks[0] = TextToInt(lastId);
    return piece;
}

int TBlocksManager::buildNextBlock() {
    actualBlock = nextBlock ? nextBlock : _buildNextBlock();
    nextBlock = _buildNextBlock();
    GetNextBlockWH();
    return 0;
}

int TBlocksManager::GetNextBlockWH() {
    nextBlockWidth = 0;
    nextBlockHeight = 0;
    if (!nextBlock) return 0;
    nextBlock->getSize();
    nextBlockWidth = static_cast<float>(nextBlock->width);
    nextBlockHeight = static_cast<float>(nextBlock->height);
    return 0;
}

int TBlocksManager::rotateBlock(int d) {
    if (!actualBlock) return 0;
    if (actualBlock->width == 0) actualBlock->getSize();
    if (newDir != direction) return 0;
    newDir = direction + d;
    if (newDir < 0) newDir = 3;
    if (newDir > 3) newDir = 0;
    if (dirStep == 0 && (actualBlock->width > 1 || actualBlock->height > 1)) {
        szurChn = playSound2(szurSnd, szurChn, 1, 1.0f);
    }
    whellDir = d;
    if (d < 0) dirStep = 90;
    return 0;
}

int TBlocksManager::updateBlock(int x, int y) {
    if (blockFormed == 1 && actualBlock) {
        if (x == -1 && y == -1) {
            x = getXR(0);
            y = getYR(0);
        }
        if (x != oldX || y != oldY) {
            if (board.MouseOnBoard() != 0) _doParticles();
            oldX = x;
            oldY = y;
            newMove = 1;
        }
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) {
                int dx, dy;
                RotateCell(direction, i, j, dx, dy);
                actualBlock->placeable[i][j] =
                    board._checkMove(*actualBlock, x, y, dx, dy, i, j) != 0 ? 1 : 0;
            }
        }
    }
    if (newDir != direction) {
        int sense = whellDir > 0 ? 1 : -1;
        dirStep = NumberToInt(static_cast<double>(dirStep) + sense * 6.0 * delta);
        dirAngle = NumberToInt(static_cast<double>(dirAngle) + sense * 6.0 * delta);
        if (dirAngle > 360) dirAngle -= 360;
        if (dirAngle < 0) dirAngle += 360;
        if ((sense > 0 && dirStep >= 90) || (sense < 0 && dirStep <= 0)) {
            dirStep = 0;
            direction = newDir;
            dirAngle = newDir * 90;
            newMove = 1;
        }
    }
    if (blockFormed == 0) {
        ++formStep;
        blockAlpha += 1.0f / 15.0f;
        if (blockAlpha > 1.0f) blockAlpha = 1.0f;
        if (formStep > 15) {
            formStep = 0;
            blockFormed = 1;
        }
    }
    return 0;
}

int TBlocksManager::_doParticles() {
    if (!actualBlock) return 0;
    int mx = getXR(0), my = getYR(0);
    float vx = oldX > mx ? -0.5f : (oldX < mx ? 0.5f : 0.0f);
    float vy = oldY > my ? -0.5f : (oldY < my ? 0.5f : 0.0f);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            if (actualBlock->Set[i][j] == 0) continue;
            int dx, dy;
            RotateCell(direction, i, j, dx, dy);
            for (int k = 0; k < 5; ++k)
                davar.particleRune(7, oldX + dx, oldY + dy, vx, vy, 0, 0);
        }
    }
    return 0;
}

int TBlocksManager::getXR(int px) {
    if (px == 0) px = MouseX();
    int t = board.tileSize;
    if (t == 0) return 0;
    int d = px - board.offsetX;
    int q = d / t;
    return d - (q + 1) * t > -16 ? q + 1 : q;
}

int TBlocksManager::getYR(int py) {
    if (py == 0) py = MouseY();
    int t = board.tileSize;
    if (t == 0) return 0;
    int d = py - board.offsetY;
    int q = d / t;
    return d - (q + 1) * t > -16 ? q + 1 : q;
}

int TBlocksManager::getX(int px) {
    return getXR(px) * board.tileSize + board.offsetX;
}

int TBlocksManager::getY(int py) {
    return getYR(py) * board.tileSize + board.offsetY;
}

int TBlocksManager::drawBlock(int, int) {
    int gx = getX(0), gy = getY(0);
    int x = mouse.x, y = mouse.y;
    if (board.MouseOnBoard() == 0) return 0;
    lightAlpha += lightDir;
    if (lightAlpha > 0.3f) lightDir = -0.025f;
    if (lightAlpha <= 0.0f) lightDir = 0.025f;
    if (!actualBlock) return 0;
    if (blockFormed == 0) {
        _formBlock(x, y);
    } else {
        float kept = blockAlpha;
        blockAlpha = 0.4f;
        _drawBlock(gx, gy);
        blockAlpha = kept;
        _drawBlock(x, y);
    }
    return 0;
}

int TBlocksManager::_drawBlock(int px, int py) {
    if (!actualBlock) return 0;
    int t = board.tileSize;
    SetScale(1, 1);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            if (actualBlock->Set[i][j] == 0) continue;
            int blocked = actualBlock->placeable[i][j] == 0 ? 1 : 0;
            int x, y;
            if (newDir == direction) {
                int dx, dy;
                RotateCell(direction, i, j, dx, dy);
                x = px + dx * t;
                y = py + dy * t;
            } else {
                double r = std::sqrt(static_cast<double>(i * i + j * j)) * t;
                double a = std::atan2(static_cast<double>(j), static_cast<double>(i)) +
                           dirAngle * std::numbers::pi / 180.0;
                x = NumberToInt(px + r * std::cos(a));
                y = NumberToInt(py + r * std::sin(a));
            }
            _drawRune(actualBlock->Set[i][j], x, y, blocked);
        }
    }
    return 0;
}

int TBlocksManager::_drawRune(int rune, int x, int y, int blocked) {
    SetBlend(ALPHABLEND);
    SetAlpha(blockAlpha);
    if (blocked) {
        if (blockAlpha > 0.4f) {
            davar.Draw(rune, static_cast<float>(x), y);
            SetColor(200, 200, 200);
            if (formStep == 0) DrawImage(xImg, static_cast<float>(x + 5), static_cast<float>(y + 5));
        } else {
            SetAlpha(1);
        }
        return 0;
    }
    SetColor(255, 255, 255);
    if (blockAlpha > 0.4f) {
        davar.Draw(rune, static_cast<float>(x), y);
    } else {
        DrawImage(gImg, static_cast<float>(x), static_cast<float>(y));
    }
    SetBlend(LIGHTBLEND);
    SetAlpha(lightAlpha);
    if (blockAlpha > 0.4f) davar.Draw(rune, static_cast<float>(x), y);
    return 0;
}

int TBlocksManager::_formBlock(int x, int y) {
    if (!actualBlock) return 0;
    int t = board.tileSize;
    SetBlend(ALPHABLEND);
    SetAlpha(blockAlpha);
    float f = static_cast<float>(15 - formStep);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            if (actualBlock->Set[i][j] == 0) continue;
            float s = 1.0f + 2.0f * f / 15.0f;
            SetScale(s, s);
            float px = static_cast<float>(x + i * t) + (i * 70 + 60) * f / 15.0f;
            float py = static_cast<float>(y + j * t) + (j * 70 + 40) * f / 15.0f;
            davar.Draw(actualBlock->Set[i][j], px, NumberToInt(py));
        }
    }
    SetScale(1, 1);
    SetAlpha(1);
    return 0;
}

int TBlocksManager::DrawNextBlock(float x, float y) {
    if (!nextBlock) nextBlock = _buildNextBlock();
    if (!nextBlock) return 0;
    if (nextBlockWidth == 0 && nextBlockHeight == 0) GetNextBlockWH();
    float s = 0.6f;
    for (int row = 0; row < 4; ++row) {
        int filled = 0;
        for (int col = 0; col < 4; ++col)
            if (nextBlock->Set[col][row] != 0) ++filled;
        if (filled == 4) s = 0.5f;
    }
    if (board.tileSize == 40) s /= 1.25f;
    if (blockFormed == 0) s += (15 - formStep) / 15.0f;
    SetScale(s, s);
    if (popUpIsOn == 0) {
        float t = static_cast<float>(board.tileSize);
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) {
                if (nextBlock->Set[i][j] == 0) continue;
                int px = NumberToInt(x + i * t * s - nextBlockWidth * t * s / 2.0f);
                int py = NumberToInt(y + j * t * s - nextBlockHeight * t * s / 2.0f);
                _drawRune(nextBlock->Set[i][j], px, py, 0);
            }
        }
    }
    SetScale(1, 1);
    return 0;
}

int TBlocksManager::Freze(int ms) {
    // -1 is "no freeze": the bonus manager's clearing lifts a running freeze with it.
    if (ms != -1 && IsFreze() != 0 && ToDefreze() > ms) return 0;
    Timer = MilliSecs64();
    frezeTime = ms;
    return 0;
}

int TBlocksManager::IsFreze() {
    if (frezeTime == -1) return 0;
    return MilliSecs64() - Timer <= frezeTime ? 1 : 0;
}

int TBlocksManager::ToDefreze() {
    return NumberToInt(static_cast<double>(frezeTime + Timer - MilliSecs64()));
}

} // namespace vsm
