// TRingEmiter: the circling spark source.
#include "services/TRingEmiter.h"

#include "platform/Graphics.h"
#include "platform/System.h"
#include "services/TDeltaTime.h"
#include "services/TSpark.h"
#include "services/Trig.h"

#include <memory>

namespace vsm {

TList<TRingEmiter> ringEmiterList;

int TRingEmiter::Create(int x, int y, float range, int r, int g, int b, float mins, float maxs,
                        int sparkType) {
    auto e = std::make_shared<TRingEmiter>();
    e->x = static_cast<float>(x);
    e->y = static_cast<float>(y);
    e->sparkType = sparkType;
    if (range != 0) e->Range = range;
    if (r >= 0) e->r = r;
    if (g >= 0) e->g = g;
    if (b >= 0) e->b = b;
    if (mins >= 0) e->mins = mins;
    if (maxs >= 0) e->maxs = maxs;
    ringEmiterList.AddLast(e);
    return 0;
}

void TRingEmiter::Update() {
    angle += static_cast<float>(10 * delta);
    const double cx = x + Range * CosDeg(angle) + Rnd(-2, 2);
    const double cy = y + Range * SinDeg(angle) + Rnd(-2, 2);
    const float s = static_cast<float>(Rnd(mins, maxs));
    // A spark type without a picture still makes its (invisible) spark, so the ring keeps its
    // timing whatever pictures are loaded.
    const ImagePtr img = SparkImage(sparkType);
    const int w = img ? ImageWidth(img) : 0;
    const int h = img ? ImageHeight(img) : 0;
    const int left = static_cast<int>(cx - (w / 2) * s);
    const int top = static_cast<int>(cy - (h / 2) * s);
    const SparkPtr spark = TSpark::Create(img, left, top, s, 50, r, g, b, 1, 0);
    if (angle < 360) {
        spark->r = static_cast<int>(r * angle / 360);
        spark->g = static_cast<int>(g * angle / 360);
        spark->b = static_cast<int>(b * angle / 360);
    } else if (angle > 900) {
        const float k = 1 - (angle - 900) / 360;
        spark->r = static_cast<int>(r * k);
        spark->g = static_cast<int>(g * k);
        spark->b = static_cast<int>(b * k);
    }
    if (angle > 1080) ringEmiterList.Remove(this);
}

void TRingEmiter::UpdateAll() {
    ringEmiterList.ForEach([](const std::shared_ptr<TRingEmiter>& e) { e->Update(); });
}

} // namespace vsm
