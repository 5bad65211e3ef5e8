// TBoardManager: petrification — every period the oldest runes fade into their stones.
#include "board/BoardSeams.h"
#include "board/BoardText.h"
#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "platform/System.h"
#include "services/Sound.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace vsm {

namespace {

// The rune id that never petrifies.
constexpr int NEVER_PETRIFIES = 13;

// The stone that rune id turns into, or 0 when the rune or its stone is not in the catalogue.
int StoneOf(int id) {
    const TRune* rune = davar._findRuneByID(std::to_string(id));
    if (!rune) return 0;
    int stone = TextToInt(rune->blockedID);
    if (stone == 0 || !davar._findRuneByID(std::to_string(stone))) return 0;
    return stone;
}

} // namespace

int TBoardManager::PausePetrify() {
    if (petrifyPausedFor < 0) petrifyPausedFor = std::max<int64_t>(0, MilliSecs64() - petrifyTimer);
    return 0;
}

int TBoardManager::ResumePetrify() {
    if (petrifyPausedFor < 0) return 0;
    petrifyTimer = MilliSecs64() - petrifyPausedFor;
    petrifyPausedFor = -1;
    return 0;
}

int TBoardManager::_checkForPetrify(int paused) {
    const int64_t now = MilliSecs64();
    // A period of 0 or less (a level without PetrifyTime) means petrification is off; a new
    // selection also waits for a running fade, which it would otherwise restart for ever.
    bool due = now - petrifyTimer > petrifyMaxTime;
    if (due && paused == 0 && petrifyMaxTime > 0 && petrifyActive == 0) {
        auto candidate = [&](int x, int y) {
            int id = davarLayer[x][y];
            return id != 0 && id != NEVER_PETRIFIES && boardSeams.FindBonus(x, y) == 0 && StoneOf(id) != 0;
        };
        int64_t oldest = now;
        bool found = false;
        bool isCandidate[BOARD_CELLS][BOARD_CELLS] = {};
        for (int y = 0; y < BOARD_CELLS; ++y) {
            for (int x = 0; x < BOARD_CELLS; ++x) {
                if (!candidate(x, y)) continue;
                isCandidate[x][y] = true;
                found = true;
                if (timerLayer[x][y] < oldest) oldest = timerLayer[x][y];
            }
        }
        if (!found) {
            petrifyTimer = now;
            return 0;
        }
        for (int x = 0; x < BOARD_CELLS; ++x)
            for (int y = 0; y < BOARD_CELLS; ++y)
                petrifyTable[x][y] = isCandidate[x][y] && timerLayer[x][y] == oldest ? 1 : 0;
        playSound2(petrifySnd, nullptr, 0, 1.0f);
        petrifyAlpha = 0;
        petrifyActive = 1;
        petrifyTimer = now;
    }
    if (petrifyActive == 1) {
        petrifyAlpha = static_cast<float>(static_cast<double>(now - petrifyTimer) / 1000.0);
        if (petrifyAlpha < 1.0f) return 0;
        petrifyActive = 0;
        for (int y = 0; y < BOARD_CELLS; ++y) {
            for (int x = 0; x < BOARD_CELLS; ++x) {
                if (davarLayer[x][y] == 0 || petrifyTable[x][y] == 0) continue;
                // A rune put on a marked cell during the fade may have no stone: it stays.
                int stone = StoneOf(davarLayer[x][y]);
                if (stone == 0) continue;
                davarLayer[x][y] = stone;
                colorLayer[x][y] = davar.getRuneColor(std::to_string(stone));
            }
        }
    }
    return 0;
}

} // namespace vsm
