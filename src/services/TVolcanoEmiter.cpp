// TVolcanoEmiter: streams of glowing particles along a curve; TVolcanoEntity is one particle.
#include "services/TVolcanoEmiter.h"

#include "platform/System.h"
#include "services/CurveFlight.h"
#include "services/TSpark.h"

namespace vsm {

TList<TVolcanoEmiter> volcanoList;

VolcanoEntityPtr TVolcanoEntity::Create(float ax, float ay, float bx, float by, float mx, float my, float dt,
                                        float scale) {
    return CreateAs<TVolcanoEntity>(ax, ay, bx, by, mx, my, dt, scale);
}

void TVolcanoEntity::Launch(float ax, float ay, float bx, float by, float mx, float my, float dt,
                            float scale) {
    this->ax = ax;
    this->ay = ay;
    this->bx = bx;
    this->by = by;
    this->mx = mx;
    this->my = my;
    px = ax;
    py = ay;
    this->dt = dt;
    this->scale = scale;
    T = 0;
    active = 1;
}

void TVolcanoEntity::Update() {
    StepFlight(T, dt, active);
    px = CurvePoint(ax, mx, bx, T);
    py = CurvePoint(ay, my, by, T);
}

void TVolcanoEntity::Draw(const ImagePtr& image, int /*halfWidth*/, int /*halfHeight*/) {
    if (r >= 0 && g >= 0 && b >= 0) SetColor(r, g, b);
    SetScale(scale, scale);
    const int hw = ImageWidth(image) / 2;
    const int hh = ImageHeight(image) / 2;
    DrawImage(image, px - static_cast<float>(hw) * scale, py - static_cast<float>(hh) * scale, 0);
}

TVolcanoEmiter::TVolcanoEmiter() : image(SparkImage(0)) {
    imgHW = ImageWidth(image) / 2;
    imgHH = ImageHeight(image) / 2;
}

VolcanoEmiterPtr TVolcanoEmiter::Create(float ax, float ay, float bx, float by, float dt, int maxCount, int r,
                                        int g, int b) {
    auto e = std::make_shared<TVolcanoEmiter>();
    e->ax = ax;
    e->ay = ay;
    e->bx = bx;
    e->by = by;
    e->dt = dt;
    e->maxCount = static_cast<float>(maxCount);
    e->r = r;
    e->g = g;
    e->b = b;
    e->_pickControlPoint();
    volcanoList.AddLast(e);
    return e;
}

void TVolcanoEmiter::_pickControlPoint() {
    mx = ax + static_cast<float>(Rand(0, static_cast<int>(bx - ax)));
    my = ay + static_cast<float>(Rand(0, static_cast<int>(by - ay)));
}

void TVolcanoEmiter::updateAll() {
    volcanoList.ForEach([](const VolcanoEmiterPtr& e) { e->Update(); });
}

void TVolcanoEmiter::Update() {
    if (active == 0) {
        _update();
        return;
    }
    if (counter < maxCount) {
        AddEntity();
        counter += 1;
    } else if (entities.IsEmpty()) {
        volcanoList.Remove(this);
        return;
    }
    SetBlend(LIGHTBLEND);
    SetAlpha(1);
    SetColor(r, g, b);
    entities.ForEach([this](const VolcanoEntityPtr& e) {
        if (e->active == 0) {
            entities.Remove(e.get());
            return;
        }
        e->Update();
        e->Draw(image, imgHW, imgHH);
    });
    SetScale(1, 1);
    SetColor(255, 255, 255);
    _update();
}

void TVolcanoEmiter::AddEntity() {
    entities.AddLast(TVolcanoEntity::Create(ax, ay, bx, by, mx, my, dt, 1 - counter / maxCount));
}

} // namespace vsm
