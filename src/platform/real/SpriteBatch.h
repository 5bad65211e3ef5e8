// SpriteBatch: drawing calls collected into one vertex array and sent to GL in one draw per run
// of calls that share a texture, a blend mode, a clip rectangle and a primitive.
#pragma once

#include "Gl.h"

#include <cstdint>
#include <vector>

namespace vsm {

// The GL state one run of vertices is drawn with.
struct BatchState {
    GLuint texture = 0;                             // 0: untextured
    int blend = 0;                                  // the drawing state's blend mode
    int clipX = 0, clipY = 0, clipW = 0, clipH = 0; // top-down, in the logical screen's pixels
    GLenum primitive = GL_TRIANGLES;                // GL_TRIANGLES, GL_LINES or GL_POINTS
    bool operator==(const BatchState&) const = default;
};

// Where the logical 800x600 screen lies in the framebuffer drawn into: its top-left corner in
// framebuffer pixels (the bottom-left corner, as GL counts rows bottom-up) and its scale.
struct ScreenPlacement {
    int x = 0, y = 0;
    float scale = 1;
};

class SpriteBatch {
  public:
    struct Vertex {
        float x, y, u, v;
        uint32_t rgba; // bytes R, G, B, A in memory
    };

    // Starts collecting under the state; what was collected under another state is drawn first.
    void Use(const BatchState& state) {
        if (!(state == pending_)) {
            Flush();
            pending_ = state;
        }
    }
    // One quad as GL draws one: the triangles (0, 1, 2) and (0, 2, 3).
    void Quad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d) {
        vertices_.insert(vertices_.end(), {a, b, c, a, c, d});
    }
    void Add(const Vertex& v) { vertices_.push_back(v); }
    // Draws what was collected.
    void Flush();
    // Sets the GL state at once (for calls that bypass the batch); flushes first.
    void Apply(const BatchState& state);
    // Sets up the vertex arrays of the current context and forgets the applied state.
    void Begin();
    void SetPlacement(const ScreenPlacement& p) {
        Flush();
        placement_ = p;
        applied_valid_ = false;
    }
    const ScreenPlacement& Placement() const { return placement_; }
    // GL draw calls made so far (benchmarks read it).
    int64_t Draws() const { return draws_; }

  private:
    void SetGlState(const BatchState& s);

    std::vector<Vertex> vertices_;
    BatchState pending_;
    BatchState applied_;
    bool applied_valid_ = false;
    ScreenPlacement placement_;
    int64_t draws_ = 0;
    uint64_t uploadBindings_ = 0; // UploadBindings() when the texture was last bound
};

// Packs the colour and alpha of a drawing call as a vertex colour.
inline uint32_t PackColour(int r, int g, int b, int a) {
    return static_cast<uint32_t>(r & 255) | (static_cast<uint32_t>(g & 255) << 8) |
           (static_cast<uint32_t>(b & 255) << 16) | (static_cast<uint32_t>(a & 255) << 24);
}

} // namespace vsm
