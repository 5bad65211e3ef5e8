// TextureAtlas: rows of pictures on square pages, each picture framed by its repeated edges.
#include "TextureAtlas.h"

#include <algorithm>

namespace vsm {

bool TextureAtlas::Place(const uint32_t* argb, int width, int height, AtlasSlot& slot) {
    if (LiveGlContext() == 0 || width <= 0 || height <= 0) return false;
    if (context_ != LiveGlContext()) {
        // The old context took its textures with it.
        for (Page& page : pages_)
            page.texture->context = 0;
        pages_.clear();
        free_.clear();
        context_ = LiveGlContext();
        x_ = y_ = rowHeight_ = 0;
    }
    const int w = width + 2, h = height + 2;
    if (w > side_ || h > side_) return false;
    AtlasSlot room;
    room.w = w;
    room.h = h;
    room.context = context_;
    auto reused =
        std::find_if(free_.begin(), free_.end(), [&](const AtlasSlot& f) { return f.w == w && f.h == h; });
    if (reused != free_.end()) {
        room = *reused;
        free_.erase(reused);
    } else {
        if (!pages_.empty() && x_ + w > side_) {
            x_ = 0;
            y_ += rowHeight_;
            rowHeight_ = 0;
        }
        if (pages_.empty() || y_ + h > side_) {
            auto page = std::make_unique<GlTexture>();
            glGenTextures(1, &page->name);
            page->texW = page->texH = side_;
            page->context = context_;
            page->Counted();
            glBindTexture(GL_TEXTURE_2D, page->name);
            NoteUploadBinding();
            std::vector<uint32_t> clear(static_cast<size_t>(side_) * static_cast<size_t>(side_), 0);
            glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
            glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, side_, side_, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                         clear.data());
            const GLint filter = filtered_ ? GL_LINEAR : GL_NEAREST;
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
            pages_.push_back({std::move(page), 0});
            x_ = y_ = rowHeight_ = 0;
        }
        room.texture = pages_.back().texture->name;
        room.x = x_;
        room.y = y_;
        x_ += w;
        rowHeight_ = std::max(rowHeight_, h);
    }
    std::vector<uint32_t> block(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; y++) {
        const uint32_t* src =
            argb + static_cast<size_t>(std::clamp(y - 1, 0, height - 1)) * static_cast<size_t>(width);
        uint32_t* dst = block.data() + static_cast<size_t>(y) * static_cast<size_t>(w);
        dst[0] = src[0];
        std::copy(src, src + width, dst + 1);
        dst[w - 1] = src[width - 1];
    }
    for (Page& page : pages_)
        if (page.texture->name == room.texture) page.pictures++;
    glBindTexture(GL_TEXTURE_2D, room.texture);
    NoteUploadBinding();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexSubImage2D(GL_TEXTURE_2D, 0, room.x, room.y, w, h, GL_BGRA, GL_UNSIGNED_BYTE, block.data());
    const float side = static_cast<float>(side_);
    slot = room;
    slot.u0 = static_cast<float>(room.x + 1) / side;
    slot.v0 = static_cast<float>(room.y + 1) / side;
    slot.du = slot.dv = 1.0f / side;
    return true;
}

void TextureAtlas::Release(const AtlasSlot& slot) {
    if (slot.texture == 0 || slot.context != context_ || context_ != LiveGlContext()) return;
    auto page = std::find_if(pages_.begin(), pages_.end(),
                             [&](const Page& p) { return p.texture->name == slot.texture; });
    if (page == pages_.end()) return;
    if (--page->pictures > 0) {
        free_.push_back(slot);
        return;
    }
    std::erase_if(free_, [&](const AtlasSlot& f) { return f.texture == slot.texture; });
    if (page + 1 == pages_.end()) {
        x_ = y_ = rowHeight_ = 0;
    } else {
        // Deleted once the frame's drawing has been sent (see DeleteDroppedTextures).
        pages_.erase(page);
    }
}

TextureAtlas& PictureAtlas(bool filtered) {
    // Never destroyed: at exit the context may already be gone with the display.
    static TextureAtlas* linear = new TextureAtlas(512, true);
    static TextureAtlas* nearest = new TextureAtlas(512, false);
    return filtered ? *linear : *nearest;
}

} // namespace vsm
