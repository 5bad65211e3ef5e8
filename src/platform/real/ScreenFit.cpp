// ScreenFit: the letterbox arithmetic.
#include "ScreenFit.h"

#include <algorithm>

namespace vsm {

ScreenFit FitScreen(int width, int height) {
    ScreenFit fit;
    if (width <= 0 || height <= 0) return fit;
    fit.scale = std::min(static_cast<float>(width) / 800.0f, static_cast<float>(height) / 600.0f);
    fit.w = std::min(static_cast<int>(800.0f * fit.scale + 0.5f), width);
    fit.h = std::min(static_cast<int>(600.0f * fit.scale + 0.5f), height);
    fit.x = (width - fit.w) / 2;
    fit.y = (height - fit.h) / 2;
    return fit;
}

void WindowToScreen(const ScreenFit& fit, float wx, float wy, float& sx, float& sy) {
    sx = (wx - static_cast<float>(fit.x)) * 800.0f / static_cast<float>(fit.w);
    sy = (wy - static_cast<float>(fit.y)) * 600.0f / static_cast<float>(fit.h);
}

void ScreenToWindow(const ScreenFit& fit, int sx, int sy, int& wx, int& wy) {
    wx = fit.x + static_cast<int>((static_cast<float>(sx) + 0.5f) * static_cast<float>(fit.w) / 800.0f);
    wy = fit.y + static_cast<int>((static_cast<float>(sy) + 0.5f) * static_cast<float>(fit.h) / 600.0f);
}

} // namespace vsm
