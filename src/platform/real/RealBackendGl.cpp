// RealBackendGl: the letterboxed placement of the screen in the back buffer and reading it back.
#include "RealBackendGl.h"

#include "ScreenFit.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vsm {

bool RealBackend::Gl::Create(std::string* /*why*/) {
    context = SetGlContextLive(true);
    const GLubyte* renderer = glGetString(GL_RENDERER);
    const std::string name = renderer ? reinterpret_cast<const char*>(renderer) : "";
    softwareRenderer =
        name.find("llvmpipe") != std::string::npos || name.find("softpipe") != std::string::npos ||
        name.find("Software Rasterizer") != std::string::npos || name.find("swrast") != std::string::npos;
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    BeginFrame(drawableW, drawableH);
    ClearTarget();
    return true;
}

void RealBackend::Gl::Destroy() {
    if (!Live()) return;
    DeleteDroppedTextures();
    context = 0;
}

void RealBackend::Gl::BeginFrame(int dw, int dh) {
    if (!Live()) return;
    batch.Flush();
    drawableW = std::max(dw, 1);
    drawableH = std::max(dh, 1);
    // The same fit as the pointer's; GL counts rows from the bottom.
    const ScreenFit fit = FitScreen(drawableW, drawableH);
    const int w = fit.w, h = fit.h, x = fit.x, y = drawableH - fit.y - fit.h;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0, 0, 0, 1);
    // Only the bars: the screens draw every pixel of the picture each frame.
    if (w != drawableW || h != drawableH) {
        glEnable(GL_SCISSOR_TEST);
        auto bar = [](int bx, int by, int bw, int bh) {
            if (bw <= 0 || bh <= 0) return;
            glScissor(bx, by, bw, bh);
            glClear(GL_COLOR_BUFFER_BIT);
        };
        bar(0, 0, x, drawableH);
        bar(x + w, 0, drawableW - x - w, drawableH);
        bar(x, 0, w, y);
        bar(x, y + h, w, drawableH - y - h);
    }
    glViewport(x, y, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, kWidth, kHeight, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    batch.SetPlacement({x, y, static_cast<float>(w) / kWidth});
    batch.Begin();
}

void RealBackend::Gl::ClearTarget() {
    if (!Live()) return;
    batch.Flush();
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    batch.Begin();
}

void RealBackend::Gl::PaintPicture(int r, int g, int b) {
    if (!Live()) return;
    batch.Flush();
    const ScreenPlacement& p = batch.Placement();
    glEnable(GL_SCISSOR_TEST);
    glScissor(p.x, p.y, static_cast<int>(std::lround(kWidth * p.scale)),
              static_cast<int>(std::lround(kHeight * p.scale)));
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(static_cast<float>(r) / 255.0f, static_cast<float>(g) / 255.0f,
                 static_cast<float>(b) / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 1);
    batch.Begin();
}

void RealBackend::Gl::Read(int x0, int y0, int x1, int y1, uint32_t* out) {
    batch.Flush();
    const ScreenPlacement& p = batch.Placement();
    const int cw = x1 - x0, ch = y1 - y0;
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    if (p.scale == 1.0f) {
        std::vector<uint32_t> rows(static_cast<size_t>(cw) * static_cast<size_t>(ch));
        glReadPixels(p.x + x0, p.y + kHeight - y1, cw, ch, GL_BGRA, GL_UNSIGNED_BYTE, rows.data());
        // GL gives the bottom row first.
        for (int r = 0; r < ch; r++)
            std::copy_n(rows.data() + static_cast<size_t>(ch - 1 - r) * static_cast<size_t>(cw), cw,
                        out + static_cast<size_t>(r) * static_cast<size_t>(cw));
        return;
    }
    const int pw = static_cast<int>(std::lround(kWidth * p.scale)),
              ph = static_cast<int>(std::lround(kHeight * p.scale));
    std::vector<uint32_t> picture(static_cast<size_t>(pw) * static_cast<size_t>(ph));
    glReadPixels(p.x, p.y, pw, ph, GL_BGRA, GL_UNSIGNED_BYTE, picture.data());
    for (int r = 0; r < ch; r++) {
        const int py =
            std::clamp(static_cast<int>((static_cast<float>(kHeight - y0 - r) - 0.5f) * p.scale), 0, ph - 1);
        for (int c = 0; c < cw; c++) {
            const int px =
                std::clamp(static_cast<int>((static_cast<float>(x0 + c) + 0.5f) * p.scale), 0, pw - 1);
            out[static_cast<size_t>(r) * static_cast<size_t>(cw) + static_cast<size_t>(c)] =
                picture[static_cast<size_t>(py) * static_cast<size_t>(pw) + static_cast<size_t>(px)];
        }
    }
}

} // namespace vsm
