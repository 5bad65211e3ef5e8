// THealEmiter: the ring of flames that turns a stone back into a rune.
#include "magic/THealEmiter.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "magic/TRemoveBlockEmiter.h"
#include "platform/System.h"

#include <cstdlib>
#include <string>

namespace vsm {

std::shared_ptr<THealEmiter> THealEmiter::add(float ax, float ay, float runex, int runey) {
    auto e = std::make_shared<THealEmiter>();
    e->dt = 0.06f;
    e->maxCount = 60;
    e->runeDA = 1;
    e->active = 1;
    e->Timer = MilliSecs64();
    e->ax = ax;
    e->ay = ay;
    e->runex = static_cast<int>(runex);
    e->runey = runey;
    volcanoList.AddLast(e);
    return e;
}

void THealEmiter::AddEntity() {
    SpawnFireSparks(*this, 6, 15);
}

namespace {

// The id a stone turns into, 0 when the catalogue offers none (the cell then stays as it is).
int HealedId(const TRune& stone, int id) {
    if (id != 13) {
        const int back = std::atoi(stone.unblocked.c_str());
        return davar._findRuneByID(std::to_string(back)) ? back : 0;
    }
    const auto& allowed = blocks.availableDavar;
    if (allowed.empty()) return 0;
    const std::string& pick = allowed[static_cast<size_t>(Rand(0, static_cast<int>(allowed.size()) - 1))];
    const TRune* rune = davar._findRuneByID(pick);
    if (!rune) return 0;
    const int next = rune->blocked != 0 ? std::atoi(pick.c_str()) : std::atoi(rune->blockedID.c_str());
    return davar._findRuneByID(std::to_string(next)) ? next : 0;
}

} // namespace

void THealEmiter::_update() {
    const bool onBoard = runex >= 0 && runex < BOARD_CELLS && runey >= 0 && runey < BOARD_CELLS;
    if (runeDA == 1 && onBoard && counter > static_cast<float>(entities.Count()) &&
        board.davarLayer[runex][runey] != 0) {
        const int id = board.davarLayer[runex][runey];
        const TRune* rune = davar._findRuneByID(std::to_string(id));
        if (rune && rune->blocked != 0) {
            const int next = HealedId(*rune, id);
            if (next != 0) {
                board.davarLayer[runex][runey] = next;
                board.colorLayer[runex][runey] = davar.getRuneColor(next);
                board.timerLayer[runex][runey] = MilliSecs64();
            }
            runeDA = 0;
            board.checkGameOver();
        }
    }
    SetRotation(0);
    if (image) SetImageHandle(image, 0, 0);
}

} // namespace vsm
