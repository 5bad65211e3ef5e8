// TStoneEntity: the fragments a stone bursts into when a run turns it back, and their list.
#include "board/TStoneEntity.h"

#include "board/TBoardManager.h"
#include "platform/System.h"

namespace vsm {

std::list<StoneEntityPtr> stonesList;

int TStoneEntity::Create(int x, int y, float hSpeed, float vSpeed, const ImagePtr& image) {
    auto e = std::make_shared<TStoneEntity>();
    e->lifeTime = static_cast<float>(Rand(500, 2000));
    e->Timer = MilliSecs64();
    e->x0 = static_cast<float>(x);
    e->y0 = static_cast<float>(y);
    e->hSpeed = hSpeed;
    e->vSpeed = vSpeed;
    e->image = image;
    stonesList.push_back(e);
    return 0;
}

int TStoneEntity::Update() {
    float t = static_cast<float>(MilliSecs64() - Timer);
    x = x0 + hSpeed * t;
    y = y0 + vSpeed * t;
    vSpeed += gravity * t;
    rotation = rSpeed * t;
    SetRotation(rotation);
    float half = lifeTime / 2.0f;
    SetAlpha(t <= half ? 1.0f : 1.0f - (t - half) / half);
    DrawImage(image, x, y);
    return t > lifeTime ? 1 : 0;
}

int TStoneEntity::UpdateAll() {
    for (auto it = stonesList.begin(); it != stonesList.end();) {
        // Hold the fragment while it updates: it may be the last reference once erased.
        StoneEntityPtr e = *it;
        if (e->Update()) {
            it = stonesList.erase(it);
        } else {
            ++it;
        }
    }
    SetRotation(0);
    SetAlpha(1);
    return 0;
}

int Depetrify(int x, int y, const ImagePtr& image) {
    int px = board.offsetX + x * board.tileSize;
    int py = board.offsetY + y * board.tileSize;
    int T = board.tileSize;
    int w = ImageWidth(image), h = ImageHeight(image);
    struct Piece {
        int x, y;
        float h, v;
    };
    const Piece pieces[12] = {
        {px + w / 2, py + h / 2, -0.04f, -0.04f},
        {px + T - w / 2, py + h / 2, 0.04f, -0.04f},
        {px + T / 3 + w / 2, py + h / 2, -0.04f, -0.08f},
        {px + (2 * T) / 3 - w / 2, py + h / 2, 0.04f, -0.08f},
        {px + w / 2, py + T / 3 + h / 2, -0.06f, -0.02f},
        {px + w / 2, py + (2 * T) / 3 + h / 2, -0.06f, -0.01f},
        {px + T - w / 2, py + T / 3 + h / 2, 0.06f, -0.02f},
        {px + T - w / 2, py + (2 * T) / 3 + h / 2, 0.06f, -0.01f},
        {px + w / 2, py + T - h / 2, -0.04f, 0.0f},
        {px + T - w / 2, py + T - h / 2, 0.04f, 0.0f},
        {px + T / 3 + w / 2, py + T - h / 2, -0.02f, 0.0f},
        {px + (2 * T) / 3 - w / 2, py + T - h / 2, 0.02f, 0.0f},
    };
    for (const Piece& p : pieces) {
        float vRandom = static_cast<float>(Rnd(-0.005, 0.005));
        float hRandom = static_cast<float>(Rnd(-0.01, 0.01));
        TStoneEntity::Create(p.x, p.y, p.h + hRandom, p.v + vRandom, image);
    }
    return 0;
}

} // namespace vsm
