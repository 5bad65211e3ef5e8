// ImageLoaders: image and pixmap loading from a path or an already loaded picture, with reports.
#include "data/ImageLoaders.h"

#include "platform/System.h"

namespace vsm {

namespace {

const char* const kLoadFailed = "Nie mozna zaladowac obrazka: ";
const char* const kNotImage = "Probojesz zaladowac niewlasciwy typ obiektu jako TImage";
const char* const kNotPixmap = "Probojesz zaladowac niewlasciwy typ obiektu jako TPixmap";

ImagePtr WrongImage() {
    Notify(kNotImage);
    return std::make_shared<TImage>();
}

PixmapPtr WrongPixmap() {
    Notify(kNotPixmap);
    return std::make_shared<TPixmap>(0, 0);
}

} // namespace

ImagePtr FLoadImage(const std::string& path, int flags) {
    if (path.empty()) return WrongImage();
    ImagePtr image = LoadImage(path, flags);
    if (!image) Notify(kLoadFailed + path);
    return image;
}

ImagePtr FLoadImage(const char* path, int flags) {
    return path ? FLoadImage(std::string(path), flags) : WrongImage();
}

ImagePtr FLoadImage(const ImagePtr& image) {
    return image ? image : WrongImage();
}

ImagePtr FLoadImage(const PixmapPtr&) {
    return WrongImage();
}

PixmapPtr FLoadPixmap(const std::string& path) {
    if (path.empty()) return WrongPixmap();
    PixmapPtr pixmap = LoadPixmap(path);
    if (!pixmap) Notify(kLoadFailed + path);
    return pixmap;
}

PixmapPtr FLoadPixmap(const char* path) {
    return path ? FLoadPixmap(std::string(path)) : WrongPixmap();
}

PixmapPtr FLoadPixmap(const PixmapPtr& pixmap) {
    return pixmap ? pixmap : WrongPixmap();
}

PixmapPtr FLoadPixmap(const ImagePtr&) {
    return WrongPixmap();
}

PixmapPtr LoadJPEG2000(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    size_t dot = path.rfind('.');
    std::string png = (dot != std::string::npos && (slash == std::string::npos || dot > slash))
                          ? path.substr(0, dot) + ".png"
                          : path + ".png";
    return LoadPixmap(png);
}

} // namespace vsm
