// ImageLoaders: image and pixmap loading from a path or an already loaded picture, with reports.
#pragma once

#include "platform/Graphics.h"

#include <string>

namespace vsm {

// Loads the image at a non-empty path with the image flags (the drawing layer's default flags
// unless given); on failure notifies "Nie mozna zaladowac obrazka: " + path and returns null.
// An empty path notifies the wrong-type text and returns an empty image.
ImagePtr FLoadImage(const std::string& path, int flags = DEFAULT_IMAGE_FLAGS);
ImagePtr FLoadImage(const char* path, int flags = DEFAULT_IMAGE_FLAGS);
// Returns the image itself; a null one notifies the wrong-type text and returns an empty image.
ImagePtr FLoadImage(const ImagePtr& image);
// A pixmap is the wrong kind: notifies "Probojesz zaladowac niewlasciwy typ obiektu jako TImage"
// and returns an empty image.
ImagePtr FLoadImage(const PixmapPtr& pixmap);

// Loads the pixmap at a non-empty path; on failure notifies "Nie mozna zaladowac obrazka: " +
// path and returns null. An empty path notifies the wrong-type text and returns an empty pixmap.
PixmapPtr FLoadPixmap(const std::string& path);
PixmapPtr FLoadPixmap(const char* path);
// Returns the pixmap itself; a null one notifies the wrong-type text and returns an empty pixmap.
PixmapPtr FLoadPixmap(const PixmapPtr& pixmap);
// An image is the wrong kind: notifies "Probojesz zaladowac niewlasciwy typ obiektu jako
// TPixmap" and returns an empty pixmap.
PixmapPtr FLoadPixmap(const ImagePtr& image);

// Loads the PNG twin of a ".jp2" path (the extension replaced by ".png"); null, silently, when
// it cannot be loaded.
PixmapPtr LoadJPEG2000(const std::string& path);

} // namespace vsm
