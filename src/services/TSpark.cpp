// TSpark: the game's one particle, its live list and the five spark images.
#include "services/TSpark.h"

#include "platform/System.h"
#include "services/Paths.h"
#include "services/TDeltaTime.h"
#include "services/Trig.h"

#include <cmath>

namespace vsm {

TList<TSpark> SparkList;
std::array<ImagePtr, SPARK_IMAGES> sparkImages;

SparkPtr TSpark::Create(const ImagePtr& img, int x, int y, float scale, int life, int r, int g, int b,
                        int blending, int showUp) {
    auto s = std::make_shared<TSpark>();
    s->img = img;
    s->x = static_cast<float>(x);
    s->y = static_cast<float>(y);
    s->scale = scale;
    s->life = static_cast<float>(life);
    s->lifetime = static_cast<float>(life);
    s->r = r;
    s->g = g;
    s->b = b;
    s->blending = blending;
    s->showUp = showUp;
    SparkList.AddFirst(s);
    return s;
}

void TSpark::setVelocity(float vx_, float vy_) {
    vx = vx_;
    vy = vy_;
}

void TSpark::setMovementType(int arcus_, int radius_, int cx_, int cy_) {
    sparkType = 1;
    arcus = arcus_;
    radius = radius_;
    cx = cx_;
    cy = cy_;
}

void TSpark::Destroy() {
    SparkList.Remove(this);
}

void TSpark::destroyAll() {
    SparkList.Clear();
}

void TSpark::UpdateAll() {
    SparkList.ForEach([](const SparkPtr& s) {
        if (s->sparkType == 1) {
            // One degree per update, whatever the frame factor.
            s->arcus += 1;
            s->x = static_cast<float>(CosDeg(s->arcus) * s->radius + s->cx);
            s->y = static_cast<float>(SinDeg(s->arcus) * s->radius + s->cy);
        } else {
            s->x = static_cast<float>(s->x + s->vx * delta);
            s->y = static_cast<float>(s->y + s->vy * delta);
        }

        if (s->blending == 1)
            SetBlend(LIGHTBLEND);
        else if (s->blending == 2)
            SetBlend(ALPHABLEND);

        // The fade rules divide by the lifetime: a spark without one has nothing to show.
        if (s->lifetime > 0) {
            const float L = s->lifetime;
            if (s->showUp == 0) {
                SetAlpha(s->life / L - 0.2f);
            } else if (s->showUp == 1) {
                if (s->life >= 0.7f * L)
                    SetAlpha((L - s->life) / (0.3f * L) - 0.2f);
                else if (s->life >= 0.3f * L)
                    SetAlpha(0.8f);
                else
                    SetAlpha(s->life / (0.3f * L) - 0.2f);
            }
            SetColor(s->r, s->g, s->b);
            SetScale(s->scale, s->scale);
            DrawImage(s->img, s->x, s->y, 0);
        }

        s->life = static_cast<float>(s->life - delta);
        if (!(s->life >= 1)) s->Destroy();
    });
}

ImagePtr SparkImage(int i) {
    if (i < 0 || i >= SPARK_IMAGES) return nullptr;
    return sparkImages[i];
}

void loadSparkImage(int i, const std::string& file) {
    if (i < 0 || i >= SPARK_IMAGES) return;
    sparkImages[i] = LoadImage(bDir + file, FILTEREDIMAGE | MIPMAPPEDIMAGE);
}

void createSpark() {
    const int r = Rand(100, 200);
    const int g = Rand(100, 200);
    const int b = Rand(100, 200);
    const int x = 205 + Rand(0, 3);
    const int y = 433 + Rand(0, 3);
    const int life = Rand(60, 110);
    const float scale = static_cast<float>(Rnd(0.4, 0.7));
    SparkPtr s = TSpark::Create(SparkImage(1), x, y, scale, life, r, g, b, 1, 0);
    const float vx = static_cast<float>(Rand(1, 6)) / 10.0f;
    const float vy = static_cast<float>(Rand(2, 4)) / 10.0f;
    s->setVelocity(vx, vy);
}

} // namespace vsm
