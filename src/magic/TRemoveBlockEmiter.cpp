// TRemoveBlockEmiter: the bomb's fire burst over one cell; TFireEntity: the fire spark.
#include "magic/TRemoveBlockEmiter.h"

#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "magic/CellRemoval.h"
#include "platform/System.h"

#include <cmath>

namespace vsm {

std::shared_ptr<TFireEntity> TFireEntity::Create(float ax, float ay, float bx, float by, float mx, float my,
                                                 float dt, float scale) {
    auto e = CreateAs<TFireEntity>(ax, ay, bx, by, mx, my, dt, scale);
    e->rotation = 0;
    return e;
}

void TFireEntity::Draw(const ImagePtr& image, int /*halfWidth*/, int /*halfHeight*/) {
    SetColor(200, Rand(static_cast<int>(100 * (1 - T)), 100), Rand(static_cast<int>(20 * (1 - T)), 20));
    scale = 0.2f + 0.7f * T;
    SetScale(scale, scale);
    if (image)
        SetImageHandle(image, static_cast<float>(ImageWidth(image) / 2),
                       static_cast<float>(ImageHeight(image) / 2));
    SetRotation(static_cast<float>(rotation));
    DrawImage(image, px, py, 0);
}

void SpawnFireSparks(TVolcanoEmiter& e, int per, float radius) {
    const float k = e.counter;
    const float m = e.maxCount;
    float R = radius;
    if (k > 0.8f * m && m > 0) R = radius * (1 - (k - 0.8f * m) / (0.2f * m));
    if (R < 0) R = 0;
    for (int n = 0; n < per; ++n) {
        int dx = static_cast<int>(Rnd(-1.3 * R, 1.3 * R));
        if (dx > R) dx = static_cast<int>(R);
        if (dx < -R) dx = static_cast<int>(-R);
        const double under = static_cast<double>(R) * R - static_cast<double>(dx) * dx;
        e.bx = e.ax + static_cast<float>(dx);
        e.by = e.ay - static_cast<float>(std::sqrt(under > 0 ? under : 0));
        if (Rand(0, 1) != 0) e.by = e.ay + (e.ay - e.by);
        auto s = TFireEntity::Create(e.ax, e.ay, e.bx, e.by, e.ax, e.ay, e.dt, 0);
        s->rotation = Rand(0, 45);
        e.entities.AddLast(s);
    }
}

std::shared_ptr<TRemoveBlockEmiter> TRemoveBlockEmiter::add(float ax, float ay, float runex, int runey,
                                                            int lag, int count) {
    auto e = std::make_shared<TRemoveBlockEmiter>();
    e->dt = 0.06f;
    e->runeDA = 1;
    e->active = 0;
    e->Timer = MilliSecs64();
    e->ax = ax;
    e->ay = ay;
    e->runex = static_cast<int>(runex);
    e->runey = runey;
    e->lag = lag;
    e->maxCount = static_cast<float>(count);
    volcanoList.AddLast(e);
    return e;
}

void TRemoveBlockEmiter::AddEntity() {
    SpawnFireSparks(*this, 11, 20);
}

void TRemoveBlockEmiter::_update() {
    if (active == 0 && MilliSecs64() - Timer > lag) active = 1;
    if (runeDA == 1 && counter > 0.6f * static_cast<float>(entities.Count())) {
        const bool onBoard = runex >= 0 && runex < BOARD_CELLS && runey >= 0 && runey < BOARD_CELLS;
        if (onBoard && board.davarLayer[runex][runey] != 0) {
            const int c = board.colorLayer[runex][runey];
            const int r = davar.getRuneRGB(c, 1) + Rand(-20, 20);
            const int g = davar.getRuneRGB(c, 2) + Rand(-20, 20);
            const int b = davar.getRuneRGB(c, 3) + Rand(-20, 20);
            RemoveCellRune(runex, runey, c, bx, by, r, g, b, c);
        } else {
            board.checkGameOver();
        }
        runeDA = 0;
    }
    SetRotation(0);
    if (image) SetImageHandle(image, 0, 0);
}

} // namespace vsm
