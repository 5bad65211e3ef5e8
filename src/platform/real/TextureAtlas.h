// TextureAtlas: pages of small pictures sharing one texture, so that the pictures of one screen
// draw from a handful of textures instead of one each.
#pragma once

#include "Gl.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace vsm {

class TextureAtlas {
  public:
    // Pages of side x side pixels; filtered selects linear sampling.
    TextureAtlas(int side, bool filtered) : side_(side), filtered_(filtered) {}
    // Copies width x height ARGB pixels onto a page with a border of one pixel that repeats the
    // picture's edges, so that sampling at the picture's edge reads what a texture of its own
    // (clamped to its edge) would. False when the picture does not fit on a page or no GL
    // context lives.
    bool Place(const uint32_t* argb, int width, int height, AtlasSlot& slot);
    // The picture in slot is gone. Its room takes the next picture of the same size; a page left
    // without pictures is deleted, or, when it is the page being filled, filled again from its
    // top. So pictures that come and go with levels and screens reuse the room of those before.
    void Release(const AtlasSlot& slot);
    // The pages belong to a context that is gone: forget them without deleting.
    uint64_t Context() const { return context_; }
    int Pages() const { return static_cast<int>(pages_.size()); }

  private:
    int side_;
    bool filtered_;
    uint64_t context_ = 0;
    struct Page {
        std::unique_ptr<GlTexture> texture;
        int pictures = 0; // placed and not released
    };
    std::vector<Page> pages_;
    std::vector<AtlasSlot> free_;       // room of released pictures on pages that still hold others
    int x_ = 0, y_ = 0, rowHeight_ = 0; // the free corner of the last page and its row's height
};

// The shared pages of small interface pictures in the live context (one set per sampling mode).
TextureAtlas& PictureAtlas(bool filtered);

} // namespace vsm
