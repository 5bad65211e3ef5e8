// TRingSpell: the orbiting spell icons.
#include "ringgame/TRingSpell.h"

#include "services/Paths.h"
#include "services/TRingEmiter.h"
#include "services/Trig.h"

namespace vsm {

RingSpellPtr TRingSpell::Create(float range, float angle, int kind, const std::string& folder,
                                const std::array<std::string, 5>& files) {
    auto s = std::make_shared<TRingSpell>();
    s->range = range;
    s->angle = angle;
    s->kind = kind;
    for (size_t i = 0; i < files.size(); ++i) {
        s->image[i] = LoadImage(bDir + folder + "/" + files[i]);
        if (s->image[i])
            SetImageHandle(s->image[i], ImageWidth(s->image[i]) / 2, ImageHeight(s->image[i]) / 2);
    }
    return s;
}

void TRingSpell::Spot(int cx, int cy, float scale, float rot, int& px, int& py) const {
    const double a = static_cast<double>(angle) + rot;
    px = cx + static_cast<int>(range * scale * CosDeg(a));
    py = cy + static_cast<int>(range * scale * SinDeg(a));
}

int TRingSpell::Draw(int cx, int cy, float scale, float rot, float alpha) {
    if (counter == 0) return 0;
    alpha1 -= 0.01f;
    alpha2 += 0.01f;
    if (!(alpha1 > 0)) {
        alpha1 = 1;
        alpha2 = 0;
        if (++frame1 > 4) frame1 = 0;
        if (++frame2 > 4) frame2 = 0;
    }
    int px = 0, py = 0;
    Spot(cx, cy, scale, rot, px, py);
    SetScale(scale, scale);
    SetAlpha(alpha1 * alpha);
    DrawImage(image[frame1], static_cast<float>(px), static_cast<float>(py));
    SetAlpha(alpha2 * alpha);
    DrawImage(image[frame2], static_cast<float>(px), static_cast<float>(py));
    return 0;
}

int TRingSpell::MakeSparks(int cx, int cy, float scale, float rot) {
    int px = 0, py = 0;
    Spot(cx, cy, scale, rot, px, py);
    TRingEmiter::Create(px, py, 0, -1, -1, -1, -1, -1, 1);
    return 0;
}

} // namespace vsm
