// TImageSource: dispatch of a factory's artwork argument to the image loaders.
#include "widgets/TImageSource.h"

#include "data/ImageLoaders.h"

namespace vsm {

ImagePtr TImageSource::LoadAsImage() const {
    return std::visit([](const auto& v) { return FLoadImage(v); }, value_);
}

PixmapPtr TImageSource::LoadAsPixmap() const {
    return std::visit([](const auto& v) { return FLoadPixmap(v); }, value_);
}

std::string TImageSource::Path() const {
    const std::string* p = std::get_if<std::string>(&value_);
    return p ? *p : std::string();
}

bool TImageSource::IsPath() const {
    return !Path().empty();
}

ImagePtr TImageSource::HeldImage() const {
    const ImagePtr* p = std::get_if<ImagePtr>(&value_);
    return p ? *p : nullptr;
}

} // namespace vsm
