// TImageSource: the artwork argument of the widget factories, a path or a picture already loaded.
#pragma once

#include "platform/Graphics.h"

#include <string>
#include <variant>

namespace vsm {

// A path, or an image or pixmap already loaded; the factories hand it to the image loaders,
// which report a path that fails and an argument of the wrong kind.
class TImageSource {
  public:
    TImageSource(std::string path) : value_(std::move(path)) {}
    TImageSource(const char* path) : value_(std::string(path ? path : "")) {}
    TImageSource(ImagePtr image) : value_(std::move(image)) {}
    TImageSource(PixmapPtr pixmap) : value_(std::move(pixmap)) {}

    // Returns the image the loader gives for the source (null after a failed path).
    ImagePtr LoadAsImage() const;
    // Returns the pixmap the loader gives for the source (null after a failed path).
    PixmapPtr LoadAsPixmap() const;
    // Returns the path, or "" when the source is a picture.
    std::string Path() const;
    // True when the source is a non-empty path.
    bool IsPath() const;
    // Returns the source itself when it is an image, else null; nothing is loaded or reported.
    ImagePtr HeldImage() const;

  private:
    std::variant<std::string, ImagePtr, PixmapPtr> value_;
};

} // namespace vsm
