// TRingOfSpells: the spark flights of a cast, their arrival tests and the pointer tests.
#include "magic/TRingOfSpells.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "level/TTimeManager.h"
#include "magic/TMagicSphere.h"
#include "platform/System.h"
#include "services/TMouse.h"

namespace vsm {

int TRingOfSpells::SlotCentreX(int i) const {
    return x + positionSpell[i & 3][0] + 25;
}
int TRingOfSpells::SlotCentreY(int i) const {
    return y + positionSpell[i & 3][1] + 25;
}

int TRingOfSpells::MouseInSpell(int& slot) {
    for (int i = 0; i < RING_SPELLS; ++i) {
        const int left = x + positionSpell[i][0];
        const int top = y + positionSpell[i][1];
        if (left < mouse.x && mouse.x < left + 49 && top < mouse.y && mouse.y < top + 49) {
            slot = i;
            return 1;
        }
    }
    return 0;
}

int TRingOfSpells::MouseInBoard(int& cx, int& cy) {
    if (board.tileSize <= 0) {
        // A board without a tile size has no cell under any pointer.
        cx = -1;
        cy = -1;
        return 0;
    }
    cx = (mouse.x - board.offsetX) / board.tileSize;
    cy = (mouse.y - board.offsetY) / board.tileSize;
    if (cx < 0 || cx >= BOARD_CELLS || cy < 0 || cy >= BOARD_CELLS) return 0;
    return board.grid[cx][cy] != 0 ? 1 : 0;
}

int TRingOfSpells::FromSphereEmiter(int colour, int ball) {
    int ax = 0, ay = 0;
    if (magicSphere.GetColorXY(colour, ax, ay) == 0) return 0;
    if (ball >= 0 && ball < SPHERE_BALLS && magicSphere.ballsClr[ball] == colour) {
        // The paying ball, which need not be the first of its colour.
        ax = static_cast<int>(static_cast<float>(magicSphere.x + magicSphere.ballsPos[ball][0]) +
                              magicSphere.ballsWidth / 2);
        ay = static_cast<int>(static_cast<float>(magicSphere.y + magicSphere.ballsPos[ball][1]) +
                              magicSphere.ballsHeight / 2);
    }
    const int slot = usedSpell & 3;
    auto e = TVolcanoEmiter::Create(static_cast<float>(ax), static_cast<float>(ay),
                                    static_cast<float>(SlotCentreX(slot)),
                                    static_cast<float>(SlotCentreY(slot)), 0.02f, 50, 0, 0, 0);
    // Each channel's base and shift are drawn in that order, channel by channel.
    int channel[3] = {};
    for (int c = 0; c < 3; ++c) {
        channel[c] = davar.getRuneRGB(colour, c + 1);
        channel[c] += Rand(-20, 20);
    }
    e->r = channel[0];
    e->g = channel[1];
    e->b = channel[2];
    fsEmiters.push_back(e);
    return 0;
}

int TRingOfSpells::ToBoardEmiter() {
    const int slot = usedSpell & 3;
    const int bx = board.offsetX + usedSpellX * board.tileSize + board.tileSize / 2;
    const int by = board.offsetY + usedSpellY * board.tileSize + board.tileSize / 2;
    tbEmiter =
        TVolcanoEmiter::Create(static_cast<float>(SlotCentreX(slot)), static_cast<float>(SlotCentreY(slot)),
                               static_cast<float>(bx), static_cast<float>(by), 0.02f, 50, 255, 255, 255);
    return 0;
}

int TRingOfSpells::ToTimerEmiter() {
    const int slot = usedSpell & 3;
    tbEmiter =
        TVolcanoEmiter::Create(static_cast<float>(SlotCentreX(slot)), static_cast<float>(SlotCentreY(slot)),
                               static_cast<float>(timeManager.x + 64), static_cast<float>(timeManager.y + 64),
                               0.02f, 50, 255, 255, 255);
    return 0;
}

int TRingOfSpells::EmiterArrived(const VolcanoEmiterPtr& e) {
    if (!e) return 1;
    return e->counter >= e->maxCount && static_cast<float>(e->entities.Count()) != e->counter ? 1 : 0;
}

int TRingOfSpells::FSEmitersInPlace() {
    for (const VolcanoEmiterPtr& e : fsEmiters)
        if (EmiterArrived(e) == 0) return 0;
    return 1;
}

int TRingOfSpells::TBEmiterInPlace() {
    return EmiterArrived(tbEmiter);
}

int TRingOfSpells::FlushBlockParticles() {
    blocks.oldX = blocks.getXR(0);
    blocks.oldY = blocks.getYR(0);
    return 0;
}

} // namespace vsm
