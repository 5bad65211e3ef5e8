// TBossManager: the boss runes of a boss level — loading, drawing, blocking cells and the arm test.
#include "level/TBossManager.h"

#include "board/BoardText.h"
#include "board/TBoardManager.h"
#include "data/BBArchive.h"
#include "data/TTSCFile.h"
#include "level/LevelText.h"
#include "level/TLevelManager.h"
#include "platform/System.h"
#include "services/Paths.h"
#include "services/Sound.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace vsm {

TBossManager bossManager;

namespace {

// One arm: the first column and row of its 2x2 relative to the boss rune's top-left cell.
struct Arm {
    int dx, dy;
};
// Left, right, upper, lower: the order in which every operation visits them.
constexpr Arm kArms[4] = {{-2, 0}, {2, 0}, {0, -2}, {0, 2}};

bool OnBoard(int cx, int cy) {
    return cx >= 0 && cx <= 14 && cy >= 0 && cy <= 14;
}

} // namespace

std::shared_ptr<TBossRune> TBossRune::Create(int id, int color, int x, int y, const std::string& imagePath) {
    auto rune = std::make_shared<TBossRune>();
    rune->id = id;
    rune->color = color;
    rune->x = x;
    rune->y = y;
    rune->active = 1;
    rune->image = LoadLevelImage(imagePath);
    rune->timer = MilliSecs64();
    return rune;
}

int TBossRune::Draw(const ImagePtr& shadow, const std::array<ImagePtr, 16>& glow) {
    const double e = static_cast<double>(MilliSecs64() - timer);
    double t = std::fmod(e, 500.0) / 500.0;
    if (t < 0) t += 1; // a clock that went back must not give a negative alpha
    int i = static_cast<int>(std::fmod(e / 500.0, 16.0));
    if (i < 0) i += 16;
    const int p = i == 0 ? 15 : i - 1;
    const float px = static_cast<float>(board.offsetX + board.tileSize * x);
    const float py = static_cast<float>(board.offsetY + board.tileSize * y);
    DrawImage(shadow, px, py);
    DrawImage(image, px, py);
    SetAlpha(static_cast<float>(t));
    DrawImage(glow[i], px, py);
    SetAlpha(static_cast<float>(1 - t));
    DrawImage(glow[p], px, py);
    SetAlpha(1);
    return 0;
}

int TBossRune::CheckMove(int column, int row) const {
    return (column >= x && column <= x + 1 && row >= y && row <= y + 1) ? 1 : 0;
}

int TBossRune::CheckForMatch(int commit) {
    for (const Arm& arm : kArms) {
        for (int cx = x + arm.dx; cx <= x + arm.dx + 1; ++cx) {
            for (int cy = y + arm.dy; cy <= y + arm.dy + 1; ++cy) {
                if (!OnBoard(cx, cy)) return 0;
                if (board.davarLayer[cx][cy] == 0 || board.colorLayer[cx][cy] != color) return 0;
            }
        }
    }
    if (commit != 0) {
        board._addLine(x - 2, y, x - 1, y);
        board._addLine(x - 2, y + 1, x - 1, y + 1);
        board._addLine(x + 2, y, x + 3, y);
        board._addLine(x + 2, y + 1, x + 3, y + 1);
        board._addLine(x, y - 2, x + 1, y - 2);
        board._addLine(x, y - 1, x + 1, y - 1);
        board._addLine(x, y + 2, x + 1, y + 2);
        board._addLine(x, y + 3, x + 1, y + 3);
        return 1;
    }
    for (int cy = y; cy <= y + 1; ++cy) {
        for (int cx = x - 2; cx <= x + 3; ++cx)
            board.highlightLayer[cx][cy] = color;
    }
    for (int cx = x; cx <= x + 1; ++cx) {
        for (int cy = y - 2; cy <= y + 3; ++cy)
            board.highlightLayer[cx][cy] = color;
    }
    return 0;
}

int TBossRune::DrawHelp(const ImagePtr& marker) {
    SetAlpha(0.3f);
    for (const Arm& arm : kArms) {
        for (int cx = x + arm.dx; cx <= x + arm.dx + 1; ++cx) {
            for (int cy = y + arm.dy; cy <= y + arm.dy + 1; ++cy) {
                if (!OnBoard(cx, cy)) continue;
                DrawImage(marker, static_cast<float>(board.offsetX + board.tileSize * cx),
                          static_cast<float>(board.offsetY + board.tileSize * cy));
            }
        }
    }
    SetAlpha(1);
    return 0;
}

int TBossManager::LoadResources() {
    configFile = CreateTSCFile();
    LoadTSCFileBB(configFile, bDir + "data/settings_lp.bca", "bossDavar.tsc");
    return 0;
}

int TBossManager::Load(const std::shared_ptr<TTSCFile>& doc) {
    bossDavar.clear();
    if (level.goalType != 3) return 0;

    const bool big = board.getWidth() <= 12 && board.getHeight() <= 12;
    const std::string pictureKey = big ? "fileNameBossBig" : "fileNameBoss";
    const std::string list = doc ? GetTSCStringKey(doc, "Settings::Level", "BossDavar", 0) : std::string();
    for (const std::string& entry : SplitAtBlanks(list)) {
        int id = 0, bx = 0, by = 0;
        if (!ParseBossEntry(entry, id, bx, by)) {
            Print("boss rune entry \"" + entry + "\" is not id:column:row; skipped");
            continue;
        }
        // A boss dropped for lying off the board could leave the level without one, won at its
        // first frame: the boss is moved onto the nearest place its 2x2 fits instead.
        if (bx < 0 || bx > 13 || by < 0 || by > 13) {
            bx = std::clamp(bx, 0, 13);
            by = std::clamp(by, 0, 13);
            Print("boss rune entry \"" + entry + "\" lies off the board; placed at column " +
                  std::to_string(bx) + ", row " + std::to_string(by));
        }
        std::shared_ptr<TTSCGroup> definition;
        if (configFile) {
            for (const auto& group : GetTSCGroupList(configFile, "List")) {
                const std::string path = "List::" + group->Name;
                if (configFile->TryGetStringKey(path, "id", 0).value_or("") == std::to_string(id)) {
                    definition = group;
                    break;
                }
            }
        }
        if (!definition) {
            Print("boss rune entry \"" + entry + "\" names no boss rune definition; skipped");
            continue;
        }
        const std::string path = "List::" + definition->Name;
        const int color = NumberToInt(GetTSCNumberKey(configFile, path, "color", 0));
        const std::string picture = GetTSCStringKey(configFile, path, pictureKey, 0);
        bossDavar.push_back(TBossRune::Create(id, color, bx, by, bDir + picture));
        if (!BossRuneWinnable(bx, by)) {
            Print("boss rune " + entry +
                  " can never be destroyed: an arm leaves the board or covers a hole; the level can only be "
                  "lost");
        }
    }
    if (bossDavar.empty())
        Print("boss level " + level.levelName + " has no boss rune: its goal is met at once");

    const std::string set = big ? "gfx/boss/boss-ef" : "gfx/boss/boss-efm";
    for (int i = 0; i < 16; ++i) {
        const std::string number = (i < 10 ? "000" : "00") + std::to_string(i);
        glow[i] = LoadLevelImage(bDir + set + number + ".png");
    }
    help = LoadLevelImage(bDir + (big ? "gfx/boss/sadza40.png" : "gfx/boss/sadza32.png"));
    shadow = LoadLevelImage(bDir + (big ? "gfx/boss/cien_boss.png" : "gfx/boss/cien_bossm.png"));
    sfx = LoadLevelSound(bDir + "sfx/playgame-explodebooskloc1.ogg");
    return 0;
}

int TBossManager::Free() {
    bossDavar.clear();
    shadow = nullptr;
    glow = {};
    sfx = nullptr;
    return 0;
}

int TBossManager::Draw() {
    for (const auto& rune : bossDavar) {
        if (rune->active) rune->Draw(shadow, glow);
    }
    return 0;
}

int TBossManager::DrawHelp() {
    for (const auto& rune : bossDavar) {
        if (rune->active) rune->DrawHelp(help);
    }
    return 0;
}

int TBossManager::CheckMove(int column, int row) {
    for (const auto& rune : bossDavar) {
        if (rune->active && rune->CheckMove(column, row)) return 1;
    }
    return 0;
}

int TBossManager::CheckForMatch(int commit) {
    for (size_t i = 0; i < bossDavar.size();) {
        const auto rune = bossDavar[i];
        if (rune->active && rune->CheckForMatch(commit) != 0) {
            bossDavar.erase(bossDavar.begin() + static_cast<std::ptrdiff_t>(i));
            playSound2(sfx, nullptr, 0, 1.0f);
        } else {
            ++i;
        }
    }
    return 0;
}

int TBossManager::CheckForGoal() {
    return bossDavar.empty() ? 1 : 0;
}

} // namespace vsm
