// Gl: texture upload in the power-of-two layout and the lifetime of GPU objects.
#include "Gl.h"

#include "TextureAtlas.h"

#include <algorithm>
#include <vector>

namespace vsm {

namespace {
uint64_t gLiveContext = 0;
uint64_t gLastContext = 0;
uint64_t gUploadBindings = 0;
std::vector<GLuint> gDropped; // textures of the live context waiting for DeleteDroppedTextures
} // namespace

void DeleteDroppedTextures() {
    if (gDropped.empty()) return;
    glDeleteTextures(static_cast<GLsizei>(gDropped.size()), gDropped.data());
    gDropped.clear();
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
    gDropped.clear(); // they went with their context
    return gLiveContext;
}

GlTexture::~GlTexture() {
    if (name != 0 && context != 0 && context == gLiveContext) gDropped.push_back(name);
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
    const int pw = TexturePow2(width), ph = TexturePow2(height);
    // 0xAARRGGBB words are B, G, R, A bytes in memory on the little-endian machines we build for.
    std::vector<uint32_t> padded = PowerOfTwoLayout(argb, width, height);
    auto tex = std::make_unique<GlTexture>();
    glGenTextures(1, &tex->name);
    tex->texW = pw;
    tex->texH = ph;
    tex->context = gLiveContext;
    glBindTexture(GL_TEXTURE_2D, tex->name);
    NoteUploadBinding();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, pw, ph, 0, GL_BGRA, GL_UNSIGNED_BYTE, padded.data());
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
    const PixmapPtr& pixels = image.frames[static_cast<size_t>(frame)];
    if (!pixels || pixels->width <= 0 || pixels->height <= 0 ||
        pixels->pixels.size() < static_cast<size_t>(pixels->width) * static_cast<size_t>(pixels->height))
        return nullptr;
    if (image.textures.size() < image.frames.size()) image.textures.resize(image.frames.size());
    std::shared_ptr<TextureFrame>& slot = image.textures[static_cast<size_t>(frame)];
    if (slot && slot->context == gLiveContext && slot->version == image.version && slot->flags == image.flags)
        return slot.get();
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
            tf->u0 = place.u0;
            tf->v0 = place.v0;
            tf->uSpan = place.du * static_cast<float>(pw);
            tf->vSpan = place.dv * static_cast<float>(ph);
            slot = tf;
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
    slot = tf;
    return slot.get();
}

} // namespace vsm
