// TBoardManager: run detection in rows and columns, clearing of the queued lines into the
// sphere, stones turning back, and the scoring, captions and sounds of a clearing move.
#include "board/BoardSeams.h"
#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "board/TStoneEntity.h"
#include "platform/System.h"
#include "services/TCaptions.h"
#include "services/TSoundQ.h"
#include "services/TMouse.h"
#include "services/Sound.h"
#include "services/TVolcanoEmiter.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

namespace vsm {

int TBoardManager::_addLine(int xs, int ys, int xk, int yk) {
    if (!lines) {
        Print("Board: a line was queued outside a clear and is ignored");
        return 0;
    }
    TLine line;
    line.xs = xs;
    line.ys = ys;
    line.xk = xk;
    line.yk = yk;
    lines->push_back(line);
    return 0;
}

int TBoardManager::checkForHorizontalMatch(int commit) {
    auto run = [&](int start, int end, int y) {
        if (commit) {
            _addLine(start, y, end, y);
        } else {
            for (int x = start; x <= end; ++x)
                highlightLayer[x][y] = colorLayer[x][y];
        }
    };
    for (int y = 0; y < BOARD_CELLS; ++y) {
        int c = 0, k = 0, start = 0;
        for (int x = 0; x < BOARD_CELLS; ++x) {
            int v = colorLayer[x][y];
            if (v != c) {
                if (k >= 3) run(start, x - 1, y);
                c = v;
                k = 0;
                start = x;
            }
            if (v != 0) ++k;
        }
        if (k >= 3) run(start, BOARD_CELLS - 1, y);
    }
    return 0;
}

int TBoardManager::checkForVerticalMatch(int commit) {
    auto run = [&](int x, int start, int end) {
        if (commit) {
            _addLine(x, start, x, end);
        } else {
            for (int y = start; y <= end; ++y)
                highlightLayer[x][y] = colorLayer[x][y];
        }
    };
    for (int x = 0; x < BOARD_CELLS; ++x) {
        int c = 0, k = 0, start = 0;
        for (int y = 0; y < BOARD_CELLS; ++y) {
            int v = colorLayer[x][y];
            if (v != c) {
                if (k >= 3) run(x, start, y - 1);
                c = v;
                k = 0;
                start = y;
            }
            if (v != 0) ++k;
        }
        if (k >= 3) run(x, start, BOARD_CELLS - 1);
    }
    return 0;
}

int TBoardManager::clearMatchingDavar(int flag) {
    for (auto& column : highlightLayer)
        for (int& cell : column)
            cell = 0;
    lines = std::make_unique<std::vector<TLine>>();
    boardSeams.BossCheckForMatch(1);
    checkForHorizontalMatch(1);
    checkForVerticalMatch(1);
    int n = clearLines(flag);
    lines.reset();
    return n;
}

int TBoardManager::clearLines(int) {
    if (!lines) return 0;
    const int64_t now = MilliSecs64();
    int n = 0, b = 0;
    std::set<int> colours;
    bool stoneTurned = false;
    for (const TLine& line : *lines) {
        // Lines come from the scans and from the boss runes; keep to the layers whatever they say.
        int xs = std::max(line.xs, 0), xk = std::min(line.xk, BOARD_CELLS - 1);
        int ys = std::max(line.ys, 0), yk = std::min(line.yk, BOARD_CELLS - 1);
        for (int x = xs; x <= xk; ++x) {
            for (int y = ys; y <= yk; ++y) {
                int id = davarLayer[x][y];
                if (id <= 0) continue;
                ++n;
                b += 50;
                if (colorLayer[x][y] != 0) colours.insert(colorLayer[x][y]);
                if (davar.isBlocked(id)) {
                    int back = davar.unblocked(id);
                    Depetrify(x, y, stoneEntity);
                    stoneTurned = true;
                    if (back != 0 && davar._findRuneByID(std::to_string(back))) {
                        davarLayer[x][y] = back;
                    } else {
                        // A stone that names no known rune would leave a cell that looks empty
                        // but still matches: empty it fully instead.
                        davarLayer[x][y] = 0;
                        colorLayer[x][y] = 0;
                    }
                    continue;
                }
                int c = colorLayer[x][y];
                boardSeams.ClearBonus(x, y);
                boardSeams.SphereFill(c);
                int red = davar.getRuneRGB(c, 1);
                int green = davar.getRuneRGB(c, 2);
                int blue = davar.getRuneRGB(c, 3);
                int sx = offsetX + x * tileSize + 16;
                int sy = offsetY + y * tileSize + 16;
                int ex = 0, ey = 0;
                boardSeams.SphereGetColorXY(c, ex, ey);
                long long ddx = sx - ex, ddy = sy - ey;
                double dist = std::sqrt(static_cast<double>(ddx * ddx + ddy * ddy));
                // A flight that starts on the ball itself still needs a finite step.
                if (dist < 1.0) dist = 1.0;
                TVolcanoEmiter::Create(sx, sy, ex, ey, 0.025 * 380.0 / dist, 50, red, green, blue);
                davarLayer[x][y] = 0;
                colorLayer[x][y] = 0;
            }
        }
    }
    if (!lines->empty() && n > 0) {
        int k = std::min(static_cast<int>(colours.size()), 4);
        if (k > 1) boardSeams.AddCombos(1);
        boardSeams.AddMatches(1);
        playSound2(clearLine, nullptr, 0, 1.0f);
        int score = k * (b + 100) + 25 * (n - 3);
        if (n > 6) score += 50 * (n - 6);
        boardSeams.PointsAdd(score);
        int mx = std::min(mouse.x, 550);
        int my = std::clamp(mouse.y, 100, 500);
        float s = std::min(1.0f + static_cast<float>(n - 3) / 10.0f, 1.6f);
        if (boardSeams.BonusActive() == 0) {
            TCaptions::addCaption(1, score, mx, my - 90, s, 0, 0, nullptr);
            TCaptions::addCaption(3, n, mx, my - 50, s, 0, 0, nullptr);
        }
        if (k > 1) {
            if (boardSeams.BonusActive() == 0)
                TCaptions::addCaption(2, k, mx + 100, my + 10, s, 0, 0, nullptr);
            TSoundQ::addSound(combos[k - 2], now + 600);
        }
        if (n > 3) boardSeams.AddBonus(0);
        if (n > 5) boardSeams.AddBonus(0);
        if (boardSeams.BonusActive() != 0) boardSeams.AddCaption(n, score, k, mouse.x, mouse.y - 30);
    }
    if (stoneTurned) playSound2(depetrifySnd, nullptr, 0, 1.0f);
    lines->clear();
    return n;
}

} // namespace vsm
