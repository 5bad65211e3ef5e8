// Gl: the OpenGL headers with prototypes, and the GPU copies of image frames.
#pragma once

#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>

#include "../Graphics.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace vsm {

// A texture of the live GL context. Deleted with the context's objects only while that context
// lives; textures of a context that is gone are simply dropped (and re-uploaded when drawn).
struct GlTexture {
    GLuint name = 0;
    int texW = 0, texH = 0; // sides in texels
    uint64_t context = 0;   // the GL context it belongs to (see LiveGlContext)
    GlTexture() = default;
    // Counts a texture just made (name, sides and context set).
    void Counted();
    GlTexture(const GlTexture&) = delete;
    GlTexture& operator=(const GlTexture&) = delete;
    ~GlTexture();
};

// Where a picture landed on a shared page: the page's texture and the picture's top-left in
// texture units, and the size of one picture pixel in texture units; the room it takes on the
// page (its border included) in texels.
struct AtlasSlot {
    GLuint texture = 0;
    float u0 = 0, v0 = 0;
    float du = 0, dv = 0;
    int x = 0, y = 0, w = 0, h = 0;
    uint64_t context = 0; // the GL context of the page
};

// The GPU copy of one image frame: the frame's pixels at the top-left of a power-of-two layout,
// either a texture of its own or a place on a shared page of small pictures.
struct TextureFrame {
    GlTexture texture;            // the frame's own texture; name 0 when it lives on a shared page
    GLuint name = 0;              // the texture to draw from
    AtlasSlot shared;             // its place on a shared page (texture 0 with a texture of its own)
    int layoutW = 0, layoutH = 0; // the power-of-two layout's sides
    // Texture coordinates of a point (s, t) of the layout (0..1 over the layout's sides):
    // (u0 + s * uSpan, v0 + t * vSpan).
    float u0 = 0, v0 = 0, uSpan = 1, vSpan = 1;
    uint64_t context = 0;
    uint64_t version = 0; // TImage::version when uploaded
    int flags = 0;        // image flags when uploaded
    TextureFrame();
    TextureFrame(const TextureFrame&) = delete;
    TextureFrame& operator=(const TextureFrame&) = delete;
    ~TextureFrame();
};

// Serial of the current GL context; 0 while there is none.
uint64_t LiveGlContext();
// Marks a new context as current (returns its serial) or, with false, that the context is gone.
uint64_t SetGlContextLive(bool live);

// Deletes the textures dropped since the last call. A texture dropped in the middle of a frame
// may still be wanted by drawing that waits in a batch, so dropping only queues the deletion;
// the backend calls this once the frame's drawing has been sent.
void DeleteDroppedTextures();

// Counts the texture bindings made by uploads, so that whoever keeps track of the bound texture
// knows when an upload bound another.
uint64_t UploadBindings();
void NoteUploadBinding();

// The textures that live in GL contexts, for benchmarks that look for what a run keeps.
struct TextureCounts {
    int textures = 0;      // every texture: pictures' own, shared pages, glyph pages
    int64_t texels = 0;    // their texels (4 bytes each)
    int pictureFrames = 0; // picture frames holding a texture or a place on a shared page
    int picturePages = 0;  // the shared pages of small pictures
};
TextureCounts LiveTextureCounts();

// Pictures whose power-of-two layout is at most this wide and high share pages.
constexpr int kAtlasPictureSide = 128;

// The picture at the top-left of its power-of-two layout; the pixels right of and below it
// repeat its last column and row so filtering does not bleed.
std::vector<uint32_t> PowerOfTwoLayout(const uint32_t* argb, int width, int height);

// Uploads width x height ARGB pixels as a new texture of exactly that size, clamped to its edges;
// filtered selects linear sampling, mipmapped builds mipmaps. Null without a live context.
std::unique_ptr<GlTexture> UploadTexture(const uint32_t* argb, int width, int height, bool filtered,
                                         bool mipmapped);

// Brings back the pixels of frames let go after upload (only's alone, when given) from their
// textures in the live context.
void RestoreReleasedPixels(const TPixmap* only);

// The frame's texture, uploading it when it is missing, stale (the image's version or flags
// changed) or from an older context. Null when the frame does not exist or nothing is live.
// A picture that never changed lets its CPU copy go once uploaded (see RestoreReleasedPixels).
TextureFrame* FrameTexture(TImage& image, int frame);

} // namespace vsm
