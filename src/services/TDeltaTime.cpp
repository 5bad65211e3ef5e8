// TDeltaTime: the frame timer that turns each frame's milliseconds into the frame factor.
#include "services/TDeltaTime.h"

#include "platform/System.h"

#include <algorithm>
#include <climits>

namespace vsm {

TDeltaTime deltaTime;
double delta = 1.0;

TDeltaTime TDeltaTime::Create(float fps) {
    TDeltaTime t;
    t.SetFPS(fps);
    return t;
}

void TDeltaTime::Update() {
    CurrTime = MilliSecs64();
    ElapsedTime = static_cast<int>(std::clamp<int64_t>(CurrTime - OldTime, INT_MIN, INT_MAX));
    OldTime = CurrTime;
    if (CurrTime > CheckTime) {
        // The frame that opens a new second is not counted in it.
        CheckTime = CurrTime + 1000;
        CurrFps = FPSCounter;
        FPSCounter = 0;
    } else {
        FPSCounter += 1;
    }
}

int TDeltaTime::FPS() const {
    return CurrFps;
}

float TDeltaTime::CurrDelta() const {
    if (dDelta <= 0) return 0;
    return static_cast<float>(ElapsedTime) / dDelta;
}

void TDeltaTime::SetFPS(float fps) {
    if (!(fps > 0)) return;
    dFps = fps;
    dDelta = 1000.0f / fps;
}

} // namespace vsm
