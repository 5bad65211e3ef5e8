// TBunusManagerA: placing, finding, clearing, saving and restoring the bonus tokens.
#include "magic/TBunusManagerA.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "level/TLevelManager.h"
#include "platform/System.h"
#include "services/Paths.h"
#include "services/TVolcanoEmiter.h"
#include "services/TextHelpers.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace vsm {

TBunusManagerA bonusManagerAlt;
int64_t bonusSndTimer = 0;
float bonusSndModifier = 0;

TBonusTimes BonusTimesOf(int kind) {
    switch (kind) {
    case BONUS_HOLYFIRE:
        return {600, 1100};
    case BONUS_VANISH:
        return {500, 800};
    case BONUS_BOMB:
        return {600, 1500};
    case BONUS_DRAIN:
    case BONUS_HEAL:
    case BONUS_TELEPORT:
        return {600, 1000};
    default:
        return {};
    }
}

TBunusManagerA::TBunusManagerA() = default;

int TBunusManagerA::LoadResources() {
    const char* tokenFiles[7] = {nullptr,
                                 "gfx/bonusy/mag_06.png",
                                 "gfx/bonusy/mag_03.png",
                                 "gfx/bonusy/mag_04.png",
                                 "gfx/bonusy/mag_01.png",
                                 "gfx/bonusy/mag_05.png",
                                 "gfx/bonusy/mag_02.png"};
    const char* captionFiles[7] = {"gfx/fonts/bonus-multibonus.png", "gfx/fonts/spell-holyfire.png",
                                   "gfx/fonts/spell-vanish.png",     "gfx/fonts/spell-bomb.png",
                                   "gfx/fonts/spell-drain.png",      "gfx/fonts/spell-heal.png",
                                   "gfx/fonts/spell-teleport.png"};
    for (int k = 1; k <= 6; ++k)
        images[k] = LoadImage(bDir + tokenFiles[k], MASKEDIMAGE | FILTEREDIMAGE);
    for (int k = 0; k <= 6; ++k)
        captions[k] = LoadImage(bDir + captionFiles[k], MASKEDIMAGE | FILTEREDIMAGE);
    sfx[1] = LoadSound(bDir + "sfx/fx/playgame-magic-1-fire.ogg");
    sfx[2] = LoadSound(bDir + "sfx/fx/playgame-magic-3-rndcolor.ogg");
    sfx[3] = LoadSound(bDir + "sfx/fx/playgame-magic-5-firebomb.ogg");
    sfx[7] = LoadSound(bDir + "sfx/fx/playgame-magic-5-firebomb2.ogg");
    sfx[8] = LoadSound(bDir + "sfx/fx/playgame-magic-5-firebomb3.ogg");
    sfx[4] = LoadSound(bDir + "sfx/fx/playgame-magic-2-removecolor.ogg");
    sfx[5] = LoadSound(bDir + "sfx/fx/playgame-magic-4-removeblocks.ogg");
    sfx[6] = LoadSound(bDir + "sfx/fx/playgame-magic-7-swirlcolor.ogg");
    glows[0] = LoadImage(bDir + "gfx/bonusy/posw2a.png");
    glows[1] = LoadImage(bDir + "gfx/bonusy/posw2b.png");
    glows[2] = LoadImage(bDir + "gfx/bonusy/posw2a-duza.png");
    glows[3] = LoadImage(bDir + "gfx/bonusy/posw2b-duza.png");
    for (int k = 1; k <= 6; ++k)
        if (images[k])
            SetImageHandle(images[k], static_cast<float>(ImageWidth(images[k]) / 2),
                           static_cast<float>(ImageHeight(images[k]) / 2));
    for (auto& c : captions)
        if (c) MidHandleImage(c);
    return 0;
}

int TBunusManagerA::GetRandomPlace(int& x, int& y, int& color) {
    struct Cell {
        int x, y, c;
    };
    std::vector<Cell> cells;
    for (int i = 0; i < BOARD_CELLS; ++i) {
        for (int j = 0; j < BOARD_CELLS; ++j) {
            if (board.grid[i][j] == 0 || board.davarLayer[i][j] == 0) continue;
            // A rune the catalogue does not know is treated like a stone: no token on it.
            const TRune* rune = davar._findRuneByID(std::to_string(board.davarLayer[i][j]));
            if (!rune || rune->blocked != 0) continue;
            if (FindBonus(i, j) != 0) continue;
            cells.push_back({i, j, board.colorLayer[i][j]});
        }
    }
    if (cells.empty()) return 0;
    const Cell& pick = cells[static_cast<size_t>(Rand(0, static_cast<int>(cells.size()) - 1))];
    x = pick.x;
    y = pick.y;
    color = pick.c;
    return 1;
}

int TBunusManagerA::FindBonus(int x, int y) {
    const auto t = GetBonus(x, y);
    return t ? t->kind : 0;
}

BonusPtr TBunusManagerA::GetBonus(int x, int y) {
    for (const auto& t : bonuses.Snapshot())
        if (t->x == x && t->y == y) return t;
    return nullptr;
}

namespace {

int KindOf(const std::string& text) {
    return std::atoi(text.c_str());
}

} // namespace

int TBunusManagerA::AddBonus(int kind) {
    const auto& allowed = level.availableSpells;
    if (kind == 0) {
        if (allowed.empty()) return 0;
        kind = KindOf(allowed[static_cast<size_t>(Rand(0, static_cast<int>(allowed.size()) - 1))]);
    }
    if (kind == BONUS_HEAL && StonesOnBoard() == 0) {
        if (allowed.size() < 2) return 0;
        std::vector<std::string> others;
        for (const auto& s : allowed)
            if (s != "5") others.push_back(s);
        if (others.empty()) return 0;
        kind = KindOf(others[static_cast<size_t>(Rand(0, static_cast<int>(others.size()) - 1))]);
    }
    int x = 0, y = 0, c = 0;
    if (GetRandomPlace(x, y, c) == 0) return 0;
    // Only a token that lands on the board counts as received.
    if (kind < 1 || kind > 6) return 0;
    level.recivedSpells += 1;
    AddBonusExt(kind, x, y, c);
    return 0;
}

int TBunusManagerA::AddBonusExt(int kind, int x, int y, int color) {
    if (kind < 1 || kind > 6) return 0;
    if (x < 0 || x >= BOARD_CELLS || y < 0 || y >= BOARD_CELLS) return 0;
    auto t = TBonusA::Create(x, y, kind, kind == BONUS_DRAIN ? color : 0);
    t->SetImages(images[kind], glows);
    const TBonusTimes times = BonusTimesOf(kind);
    t->SetTimes(times.activateTime, times.blockFrezeTime);
    bonuses.AddLast(t);
    return 0;
}

int TBunusManagerA::Clear(int x, int y) {
    bonuses.ForEach([&](const BonusPtr& t) {
        if (t->x != x || t->y != y) return;
        queue.AddLast(t);
        bonuses.Remove(t);
        t->Activate();
        level.droppedSpells += 1;
    });
    return 0;
}

int TBunusManagerA::ClearSilent(int x, int y) {
    if (auto t = GetBonus(x, y)) bonuses.Remove(t);
    return 0;
}

int TBunusManagerA::BonusActive() {
    return queue.IsEmpty() ? 0 : 1;
}

int TBunusManagerA::ClearSpells() {
    bonuses.Clear();
    queue.Clear();
    return 0;
}

int TBunusManagerA::ClearEfects() {
    volcanoList.Clear();
    blocks.Freze(-1);
    replacerAlpha = 1;
    replacerDavar.clear();
    captionType = 0;
    return 0;
}

int TBunusManagerA::StonesOnBoard() {
    for (int i = 0; i < BOARD_CELLS; ++i)
        for (int j = 0; j < BOARD_CELLS; ++j)
            if (davar.isBlocked(board.davarLayer[i][j])) return 1;
    return 0;
}

std::vector<std::string> TBunusManagerA::SaveTokens() {
    std::vector<std::string> out;
    for (const auto& t : bonuses.Snapshot())
        out.push_back(std::to_string(t->kind) + ":" + std::to_string(t->x) + ":" + std::to_string(t->y) +
                      ":" + std::to_string(t->color));
    return out;
}

namespace {

// Reads a whole decimal integer (optional sign, nothing else); false when the text is not one.
bool ParseInt(const std::string& s, int& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (errno != 0 || end != s.c_str() + s.size() || v < INT_MIN || v > INT_MAX) return false;
    if (s[0] == ' ' || s[0] == '\t' || s[0] == '+') return false;
    out = static_cast<int>(v);
    return true;
}

} // namespace

int TBunusManagerA::LoadTokens(const std::vector<std::string>& entries) {
    int restored = 0;
    for (const auto& entry : entries) {
        const auto parts = splitString(entry, ":");
        int v[4] = {};
        bool ok = parts.size() == 4;
        for (size_t i = 0; ok && i < 4; ++i)
            ok = ParseInt(parts[i], v[i]);
        ok = ok && v[0] >= 1 && v[0] <= 6 && v[1] >= 0 && v[1] < BOARD_CELLS && v[2] >= 0 &&
             v[2] < BOARD_CELLS;
        if (!ok) {
            Print("Saved bonus token \"" + entry + "\" is not kind:x:y:colour; skipped");
            continue;
        }
        AddBonusExt(v[0], v[1], v[2], v[3]);
        ++restored;
    }
    return restored;
}

void ResetBonusManager() {
    bonusManagerAlt = TBunusManagerA();
    bonusSndTimer = 0;
    bonusSndModifier = 0;
}

} // namespace vsm
