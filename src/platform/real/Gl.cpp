// Gl: texture upload (pictures at their own size, small ones on power-of-two shared pages), pixels
// read back from textures, and the lifetime of GPU objects.
#include "Gl.h"

#include "TextureAtlas.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vsm {

namespace {
uint64_t gLiveContext = 0;
uint64_t gLastContext = 0;
uint64_t gUploadBindings = 0;
TextureCounts gCounts;

// A frame whose pixels were let go after upload, and where the texture keeps them.
struct ReleasedFrame {
    std::weak_ptr<TPixmap> pixmap;
    GLuint texture = 0;
    int textureW = 0, textureH = 0; // the whole texture
    int x = 0, y = 0;               // the picture's top-left texel
    uint64_t context = 0;
};

// Never destroyed: the pictures held by the game's globals are let go while the program exits,
// in an order against this file's statics that only the link decides, and their textures note
// their names here as they go.
std::vector<GLuint>& Dropped() { // textures of the live context waiting for DeleteDroppedTextures
    static auto* dropped = new std::vector<GLuint>();
    return *dropped;
}

std::vector<ReleasedFrame>& ReleasedFrames() {
    static auto* released = new std::vector<ReleasedFrame>();
    return *released;
}

// Lets the frame's CPU copy go once its texture holds it, when no one else could read it: the
// picture never changed (a screen that rewrites a picture keeps it) and no one else holds the
// pixmap. LockImage and the end of the context bring the pixels back.
void ReleaseCpuCopy(TImage& image, int frame, GLuint texture, int textureW, int textureH, int x, int y) {
    PixmapPtr& p = image.frames[static_cast<size_t>(frame)];
    if (image.version != 0 || p.use_count() != 1) return;
    // Entries of pictures long gone are dropped now and then, so that the list stays as long as
    // the pictures that live.
    static size_t pruneAt = 256;
    std::vector<ReleasedFrame>& released = ReleasedFrames();
    if (released.size() >= pruneAt) {
        std::erase_if(released, [](const ReleasedFrame& r) { return r.pixmap.expired(); });
        pruneAt = std::max<size_t>(256, 2 * released.size());
    }
    released.push_back({p, texture, textureW, textureH, x, y, gLiveContext});
    std::vector<uint32_t>().swap(p->pixels);
}

bool Released(const TPixmap& p) {
    return p.width > 0 && p.height > 0 && p.pixels.empty();
}
} // namespace

void RestoreReleasedPixels(const TPixmap* only) {
    if (gLiveContext == 0) return;
    std::vector<uint32_t> texels;
    GLuint read = 0;
    std::vector<ReleasedFrame> kept;
    for (ReleasedFrame& r : ReleasedFrames()) {
        PixmapPtr p = r.pixmap.lock();
        if (!p || r.context != gLiveContext || !Released(*p)) continue; // gone, or written anew
        if (only && p.get() != only) {
            kept.push_back(r);
            continue;
        }
        if (read != r.texture) {
            texels.assign(static_cast<size_t>(r.textureW) * static_cast<size_t>(r.textureH), 0);
            glBindTexture(GL_TEXTURE_2D, r.texture);
            NoteUploadBinding();
            glPixelStorei(GL_PACK_ALIGNMENT, 4);
            glPixelStorei(GL_PACK_ROW_LENGTH, 0);
            glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_BYTE, texels.data());
            read = r.texture;
        }
        p->pixels.resize(static_cast<size_t>(p->width) * static_cast<size_t>(p->height));
        for (int row = 0; row < p->height; row++) {
            const uint32_t* src =
                texels.data() + static_cast<size_t>(r.y + row) * static_cast<size_t>(r.textureW) + r.x;
            std::copy(src, src + p->width,
                      p->pixels.data() + static_cast<size_t>(row) * static_cast<size_t>(p->width));
        }
    }
    ReleasedFrames().swap(kept);
}

void DeleteDroppedTextures() {
    std::vector<GLuint>& dropped = Dropped();
    if (dropped.empty()) return;
    glDeleteTextures(static_cast<GLsizei>(dropped.size()), dropped.data());
    dropped.clear();
}

uint64_t UploadBindings() {
    return gUploadBindings;
}

void NoteUploadBinding() {
    gUploadBindings++;
}

uint64_t LiveGlContext() {
    return gLiveContext;
}

uint64_t SetGlContextLive(bool live) {
    gLiveContext = live ? ++gLastContext : 0;
    Dropped().clear(); // they went with their context
    return gLiveContext;
}

TextureCounts LiveTextureCounts() {
    TextureCounts c = gCounts;
    c.picturePages = PictureAtlas(true).Pages() + PictureAtlas(false).Pages();
    return c;
}

void GlTexture::Counted() {
    gCounts.textures++;
    gCounts.texels += static_cast<int64_t>(texW) * texH;
}

TextureFrame::TextureFrame() {
    gCounts.pictureFrames++;
}

TextureFrame::~TextureFrame() {
    gCounts.pictureFrames--;
    if (shared.texture != 0) PictureAtlas((flags & FILTEREDIMAGE) != 0).Release(shared);
}

GlTexture::~GlTexture() {
    if (name != 0) {
        gCounts.textures--;
        gCounts.texels -= static_cast<int64_t>(texW) * texH;
    }
    if (name != 0 && context != 0 && context == gLiveContext) Dropped().push_back(name);
}

std::vector<uint32_t> PowerOfTwoLayout(const uint32_t* argb, int width, int height) {
    const int pw = TexturePow2(width), ph = TexturePow2(height);
    std::vector<uint32_t> padded(static_cast<size_t>(pw) * static_cast<size_t>(ph));
    for (int y = 0; y < ph; y++) {
        const uint32_t* src =
            argb + static_cast<size_t>(std::min(y, height - 1)) * static_cast<size_t>(width);
        uint32_t* dst = padded.data() + static_cast<size_t>(y) * static_cast<size_t>(pw);
        std::copy(src, src + width, dst);
        std::fill(dst + width, dst + pw, src[width - 1]);
    }
    return padded;
}

std::unique_ptr<GlTexture> UploadTexture(const uint32_t* argb, int width, int height, bool filtered,
                                         bool mipmapped) {
    if (gLiveContext == 0 || width <= 0 || height <= 0) return nullptr;
    auto tex = std::make_unique<GlTexture>();
    glGenTextures(1, &tex->name);
    tex->texW = width;
    tex->texH = height;
    tex->context = gLiveContext;
    tex->Counted();
    glBindTexture(GL_TEXTURE_2D, tex->name);
    NoteUploadBinding();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    // 0xAARRGGBB words are B, G, R, A bytes in memory on the little-endian machines we build for.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, argb);
    GLint mag = filtered ? GL_LINEAR : GL_NEAREST;
    GLint min = mag;
    if (mipmapped) {
        glGenerateMipmap(GL_TEXTURE_2D);
        min = filtered ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_NEAREST;
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, min);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, mag);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return tex;
}

TextureFrame* FrameTexture(TImage& image, int frame) {
    if (gLiveContext == 0 || frame < 0 || frame >= static_cast<int>(image.frames.size())) return nullptr;
    if (image.textures.size() < image.frames.size()) image.textures.resize(image.frames.size());
    std::shared_ptr<TextureFrame>& slot = image.textures[static_cast<size_t>(frame)];
    if (slot && slot->context == gLiveContext && slot->version == image.version && slot->flags == image.flags)
        return slot.get();
    const PixmapPtr& pixels = image.frames[static_cast<size_t>(frame)];
    if (!pixels || pixels->width <= 0 || pixels->height <= 0 ||
        pixels->pixels.size() < static_cast<size_t>(pixels->width) * static_cast<size_t>(pixels->height))
        return nullptr;
    auto tf = std::make_shared<TextureFrame>();
    const bool filtered = (image.flags & FILTEREDIMAGE) != 0, mipmapped = (image.flags & MIPMAPPEDIMAGE) != 0;
    const int pw = TexturePow2(pixels->width), ph = TexturePow2(pixels->height);
    tf->layoutW = pw;
    tf->layoutH = ph;
    tf->version = image.version;
    tf->flags = image.flags;
    tf->context = gLiveContext;
    // Small pictures that never change share pages; a picture a screen rewrites (its version
    // moved on) or one with mipmaps keeps a texture of its own.
    if (!mipmapped && image.version == 0 && pw <= kAtlasPictureSide && ph <= kAtlasPictureSide) {
        std::vector<uint32_t> layout = PowerOfTwoLayout(pixels->pixels.data(), pixels->width, pixels->height);
        AtlasSlot place;
        if (PictureAtlas(filtered).Place(layout.data(), pw, ph, place)) {
            tf->name = place.texture;
            tf->shared = place;
            tf->u0 = place.u0;
            tf->v0 = place.v0;
            tf->uSpan = place.du * static_cast<float>(pw);
            tf->vSpan = place.dv * static_cast<float>(ph);
            slot = tf;
            const int side = static_cast<int>(std::lround(1.0f / place.du));
            ReleaseCpuCopy(image, frame, place.texture, side, side,
                           static_cast<int>(std::lround(place.u0 * side)),
                           static_cast<int>(std::lround(place.v0 * side)));
            return slot.get();
        }
    }
    std::unique_ptr<GlTexture> tex =
        UploadTexture(pixels->pixels.data(), pixels->width, pixels->height, filtered, mipmapped);
    if (!tex) return nullptr;
    // Hand the name over; the moved-from texture must not delete it.
    tf->texture.name = tex->name;
    tf->texture.texW = tex->texW;
    tf->texture.texH = tex->texH;
    tf->texture.context = tex->context;
    tex->name = 0;
    tf->name = tf->texture.name;
    // The texture holds the picture alone; clamped to its edge it reads beyond the picture what
    // the power-of-two layout repeats there.
    tf->uSpan = static_cast<float>(pw) / static_cast<float>(pixels->width);
    tf->vSpan = static_cast<float>(ph) / static_cast<float>(pixels->height);
    slot = tf;
    if (!mipmapped) ReleaseCpuCopy(image, frame, tf->name, tf->texture.texW, tf->texture.texH, 0, 0);
    return slot.get();
}

} // namespace vsm
