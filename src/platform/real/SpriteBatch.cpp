// SpriteBatch: the vertex array and the GL state of each run.
#include "SpriteBatch.h"

#include "../Graphics.h"

#include <algorithm>
#include <cmath>

namespace vsm {

void SpriteBatch::Begin() {
    vertices_.clear();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    // Drawing never writes the picture's alpha: the screen stays opaque.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    glEnable(GL_SCISSOR_TEST);
    applied_valid_ = false;
}

void SpriteBatch::Flush() {
    if (vertices_.empty()) return;
    SetGlState(pending_);
    const GLsizei stride = sizeof(Vertex);
    glVertexPointer(2, GL_FLOAT, stride, &vertices_[0].x);
    glTexCoordPointer(2, GL_FLOAT, stride, &vertices_[0].u);
    glColorPointer(4, GL_UNSIGNED_BYTE, stride, &vertices_[0].rgba);
    glDrawArrays(pending_.primitive, 0, static_cast<GLsizei>(vertices_.size()));
    draws_++;
    vertices_.clear();
}

void SpriteBatch::Apply(const BatchState& state) {
    Flush();
    pending_ = state;
    SetGlState(state);
}

void SpriteBatch::SetGlState(const BatchState& s) {
    const bool all = !applied_valid_;
    if (all || s.clipX != applied_.clipX || s.clipY != applied_.clipY || s.clipW != applied_.clipW ||
        s.clipH != applied_.clipH) {
        // The clip is given top-down in screen pixels; GL counts framebuffer rows bottom-up.
        const ScreenPlacement& p = placement_;
        const int w = std::max(s.clipW, 0), h = std::max(s.clipH, 0);
        auto at = [&](int v) { return static_cast<int>(std::lround(static_cast<float>(v) * p.scale)); };
        const int left = at(s.clipX), right = at(s.clipX + w);
        const int bottom = at(600 - s.clipY - h), top = at(600 - s.clipY);
        glScissor(p.x + left, p.y + bottom, right - left, top - bottom);
    }
    if (all || s.blend != applied_.blend) {
        switch (s.blend) {
        case MASKBLEND:
            glDisable(GL_BLEND);
            glEnable(GL_ALPHA_TEST);
            glAlphaFunc(GL_GEQUAL, 0.5f);
            break;
        case ALPHABLEND:
            glDisable(GL_ALPHA_TEST);
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            break;
        case LIGHTBLEND:
            glDisable(GL_ALPHA_TEST);
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
            break;
        case SHADEBLEND:
            glDisable(GL_ALPHA_TEST);
            glEnable(GL_BLEND);
            glBlendFunc(GL_DST_COLOR, GL_ZERO);
            break;
        default: // SOLIDBLEND, and any unknown mode
            glDisable(GL_ALPHA_TEST);
            glDisable(GL_BLEND);
            break;
        }
    }
    if (all || s.texture != applied_.texture || uploadBindings_ != UploadBindings()) {
        uploadBindings_ = UploadBindings();
        if (s.texture != 0) {
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, s.texture);
        } else {
            glDisable(GL_TEXTURE_2D);
        }
    }
    applied_ = s;
    applied_valid_ = true;
}

} // namespace vsm
