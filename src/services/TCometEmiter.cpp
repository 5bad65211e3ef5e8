// TCometEmiter: a head flying once along a curve and leaving a trail of sparks.
#include "services/TCometEmiter.h"

#include "platform/System.h"
#include "services/CurveFlight.h"

namespace vsm {

TList<TCometEmiter> cometList;
TCometEmiter comet;

CometPtr TCometEmiter::start(int ax, int ay, int bx, int by, int mx, int my, float dt, int minxr, int maxxr,
                             int minyr, int maxyr, float scale) {
    auto c = std::make_shared<TCometEmiter>();
    c->ax = static_cast<float>(ax);
    c->ay = static_cast<float>(ay);
    c->bx = static_cast<float>(bx);
    c->by = static_cast<float>(by);
    c->mx = static_cast<float>(mx);
    c->my = static_cast<float>(my);
    c->x = c->ax;
    c->y = c->ay;
    c->t = 0;
    c->dt = dt;
    c->minxr = minxr;
    c->maxxr = maxxr;
    c->minyr = minyr;
    c->maxyr = maxyr;
    c->scale = scale;
    c->active = 1;
    cometList.AddLast(c);
    return c;
}

void TCometEmiter::setRGB(int r_, int g_, int b_) {
    r = r_;
    g = g_;
    b = b_;
}

void TCometEmiter::update() {
    StepFlight(t, dt, active);
    px = CurvePoint(ax, mx, bx, t);
    py = CurvePoint(ay, my, by, t);
    _update(static_cast<int>(px), static_cast<int>(py), 4);
    if (active == 0) cometList.Remove(this);
}

void TCometEmiter::_update(int nx, int ny, int count) {
    const float f = 1 - t; // the spread shrinks as the head nears B
    const ImagePtr glow = SparkImage(0);
    int rr = 0, gg = 0, bb = 0;
    for (int i = 1; i <= count - 2; ++i) {
        rr = Rand(static_cast<int>(r * 1.1), static_cast<int>(r * 1.5));
        gg = Rand(static_cast<int>(g * 1.1), static_cast<int>(g * 1.5));
        bb = Rand(static_cast<int>(b * 1.1), static_cast<int>(b * 1.5));
        int sx = lastX[Rand(0, 4)];
        int sy = lastY[Rand(0, 4)];
        if (sx == 0) sx = static_cast<int>(x);
        if (sy == 0) sy = static_cast<int>(y);
        const int tx =
            static_cast<int>(sx + f * Rand(static_cast<int>(minxr * 0.5), static_cast<int>(maxxr * 0.5)));
        const int ty =
            static_cast<int>(sy + f * Rand(static_cast<int>(minyr * 0.5), static_cast<int>(maxyr * 0.5)));
        const int life = Rand(50, 60);
        TSpark::Create(glow, tx, ty, scale * 1.5f, life, rr, gg, bb, 1, 0);
    }
    for (int div : {3, 2}) {
        const int hx = static_cast<int>(x + f * Rand(minxr / div, maxxr / div));
        const int hy = static_cast<int>(y + f * Rand(minyr / div, maxyr / div));
        const int life = Rand(20, 50);
        TSpark::Create(glow, hx, hy, scale * 1.3f, life, rr, gg, bb, 1, 0);
    }
    for (int i = 0; i < 4; ++i) {
        lastX[i] = lastX[i + 1];
        lastY[i] = lastY[i + 1];
    }
    lastX[4] = static_cast<int>(x);
    lastY[4] = static_cast<int>(y);
    x = static_cast<float>(nx);
    y = static_cast<float>(ny);
}

void TCometEmiter::updateAll() {
    cometList.ForEach([](const CometPtr& c) { c->update(); });
}

} // namespace vsm
