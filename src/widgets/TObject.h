// TObject: the root of the widget library's objects, and TObjectRef, a counted reference to
// anything a widget slot may hold (a widget object, a platform image, pixmap or image font).
#pragma once

#include "platform/Graphics.h"

#include <concepts>
#include <memory>
#include <variant>

namespace vsm {

// Root of every widget-library object; lets a slot of "any object" test the kind it holds.
class TObject {
  public:
    virtual ~TObject() = default;
};
using ObjectPtr = std::shared_ptr<TObject>;

// A counted reference to any object a container item or a text's font slot can hold. The
// getters return null when the reference holds nothing or an object of another kind.
class TObjectRef {
  public:
    TObjectRef() = default;
    TObjectRef(std::nullptr_t) {}
    TObjectRef(ImagePtr image) {
        if (image) value_ = std::move(image);
    }
    TObjectRef(PixmapPtr pixmap) {
        if (pixmap) value_ = std::move(pixmap);
    }
    TObjectRef(FontPtr font) {
        if (font) value_ = std::move(font);
    }
    template <class T>
    requires std::derived_from<T, TObject> TObjectRef(std::shared_ptr<T> object) {
        if (object) value_ = ObjectPtr(std::move(object));
    }

    // True when the reference holds no object.
    bool IsNull() const { return std::holds_alternative<std::monostate>(value_); }
    explicit operator bool() const { return !IsNull(); }

    // The held platform image; null for any other kind.
    ImagePtr Image() const { return Get<ImagePtr>(); }
    // The held platform pixmap; null for any other kind.
    PixmapPtr Pixmap() const { return Get<PixmapPtr>(); }
    // The held platform image font; null for any other kind.
    FontPtr ImageFont() const { return Get<FontPtr>(); }
    // The held widget object as T (subtypes pass); null for any other kind.
    template <class T> std::shared_ptr<T> As() const {
        return std::dynamic_pointer_cast<T>(Get<ObjectPtr>());
    }

    // Two references are equal when they hold the same object.
    bool operator==(const TObjectRef& other) const { return value_ == other.value_; }

  private:
    template <class P> P Get() const {
        const P* p = std::get_if<P>(&value_);
        return p ? *p : P();
    }
    std::variant<std::monostate, ImagePtr, PixmapPtr, FontPtr, ObjectPtr> value_;
};

} // namespace vsm
