// RealBackendGl: off-screen target creation, binding and letterboxed presentation.
#include "RealBackendGl.h"

#include <algorithm>

namespace vsm {

bool RealBackend::Gl::Create(std::string* why) {
    glGenTextures(1, &target);
    glBindTexture(GL_TEXTURE_2D, target);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kWidth, kHeight, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glGenFramebuffers(1, &fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        if (why) *why = "The graphics driver cannot draw into an off-screen target.";
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &fbo);
        glDeleteTextures(1, &target);
        fbo = target = 0;
        return false;
    }
    context = SetGlContextLive(true);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    BindTarget();
    ClearTarget();
    return true;
}

void RealBackend::Gl::Destroy() {
    if (!Live()) return;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &fbo);
    glDeleteTextures(1, &target);
    fbo = target = 0;
    context = 0;
}

void RealBackend::Gl::BindTarget() {
    if (!Live()) return;
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, kWidth, kHeight, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void RealBackend::Gl::ClearTarget() {
    if (!Live()) return;
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
}

void RealBackend::Gl::Present(int dw, int dh) {
    if (!Live() || dw <= 0 || dh <= 0) return;
    float scale = std::min(static_cast<float>(dw) / kWidth, static_cast<float>(dh) / kHeight);
    int w = static_cast<int>(kWidth * scale + 0.5f), h = static_cast<int>(kHeight * scale + 0.5f);
    int x = (dw - w) / 2, y = (dh - h) / 2;
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, fbo);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glViewport(0, 0, dw, dh);
    // Only the bars round a letterboxed picture need clearing: when the picture fills the
    // window the blit writes every pixel, and a clear would be a whole second pass for nothing
    // (on a software renderer, a sizeable share of an idle frame).
    if (w != dw || h != dh) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    bool exact = w == kWidth && h == kHeight;
    glBlitFramebuffer(0, 0, kWidth, kHeight, x, y, x + w, y + h, GL_COLOR_BUFFER_BIT,
                      exact ? GL_NEAREST : GL_LINEAR);
}

} // namespace vsm
