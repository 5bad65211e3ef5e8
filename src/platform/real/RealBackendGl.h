// RealBackendGl: the GL objects of the real backend — the off-screen target and its presentation.
#pragma once

#include "Gl.h"
#include "RealBackend.h"

#include <string>

namespace vsm {

struct RealBackend::Gl {
    GLuint fbo = 0;
    GLuint target = 0; // the 800x600 colour texture the game draws into
    uint64_t context = 0;

    // Creates the target in the current context and makes it the drawing destination.
    // False (with the reason) when the driver cannot render to a texture.
    bool Create(std::string* why);
    void Destroy();
    bool Live() const { return context != 0 && context == LiveGlContext(); }
    // Draws into the target with a top-left-origin pixel projection.
    void BindTarget();
    // Black, opaque.
    void ClearTarget();
    // Copies the target, letterboxed and scaled, into the window's drawable of dw x dh pixels.
    void Present(int dw, int dh);
};

} // namespace vsm
