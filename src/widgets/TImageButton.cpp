// TImageButton: press polling, hover looks, smooth zoom and creation of image buttons.
#include "widgets/TImageButton.h"

#include "platform/Input.h"
#include "services/TMouse.h"
#include "widgets/ButtonLabel.h"
#include "widgets/ButtonPolling.h"

namespace vsm {

namespace {

constexpr float kZoom = 1.14f;

// Fills a new image button; shared by the plain and the labelled kinds.
void InitImageButton(TImageButton& button, const TImageSource& source, const DimPtr& dim, int id, float alpha,
                     int kind) {
    button.dim = dim;
    button.id = id;
    button.alpha = alpha;
    button.kind = kind;
    button.image = source.LoadAsImage();
    if (dim) {
        dim->width = static_cast<float>(ImageWidth(button.image));
        dim->height = static_cast<float>(ImageHeight(button.image));
    }
}

} // namespace

int TImageButton::Draw() {
    if (!visible) return 0;
    const bool ownAlpha = alpha != -1.0f;
    if (ownAlpha) SetAlpha(alpha);
    if (over)
        DrawOnOver();
    else
        DrawOnOut();
    if (ownAlpha) SetAlpha(1);
    return 0;
}

int TImageButton::State() {
    if (!enable || !visible || !dim) return 0;
    const bool inside = dim->InXY(static_cast<float>(MouseX()), static_cast<float>(MouseY()));
    return TrackPointer(*this, inside, [] { return mouse.leftPressed != 0; });
}

int TImageButton::setView(int newOrigin, int smoothZoom, const ImagePtr& highlight) {
    if (dim) dim->origin = newOrigin;
    smoothZooming = smoothZoom;
    podswietlacz = highlight;
    return 0;
}

int TImageButton::DrawOnOver() {
    switch (kind) {
    case 0:
        return DrawGlowed();
    case 1:
        return DrawEnlarged();
    case 2:
        return DrawDarkned();
    default:
        return 0; // no hover look of its own: nothing is drawn
    }
}

int TImageButton::DrawOnOut() {
    if (!smoothZooming) {
        DrawAt(1.0f);
        return 0;
    }
    // At rest the zoom is 1 all the same: a drawing scale some other drawing left set must not
    // shrink or grow the button.
    if (scale == 1.0f) SetScale(1, 1);
    DrawAt(scale);
    // The shrink step follows the drawing, one step per drawn frame.
    if (scale > 1) {
        scale -= 0.02f;
        if (scale < 1) scale = 1;
    }
    return 0;
}

int TImageButton::DrawGlowed() {
    SetColor(100, 255, 200);
    DrawAt(1.0f);
    SetColor(255, 255, 255);
    return 0;
}

int TImageButton::DrawEnlarged() {
    if (podswietlacz && dim) {
        // The highlight fades in with the zoom as it was before this frame's step, at an absolute
        // alpha, and the alpha in force comes back right after it.
        const float kept = GetAlpha();
        SetAlpha(0.25f * (scale - 1) / 0.14f);
        SetScale(1, 0.7f);
        DrawImage(podswietlacz, dim->x, dim->y, 0);
        SetScale(1, 1);
        SetAlpha(kept);
    }
    float zoom = kZoom;
    if (smoothZooming) {
        scale += 0.025f;
        if (scale > kZoom) scale = kZoom;
        zoom = scale;
    }
    DrawAt(zoom);
    return 0;
}

int TImageButton::DrawDarkned() {
    SetColor(200, 200, 200);
    DrawAt(1.0f);
    SetColor(255, 255, 255);
    return 0;
}

void TImageButton::DrawAt(float zoom) {
    DrawZoomed(0, zoom);
}

ImageButtonPtr CreateImageButton(const TImageSource& source, const DimPtr& dim, int id, float alpha,
                                 int kind) {
    auto button = std::make_shared<TImageButton>();
    InitImageButton(*button, source, dim, id, alpha, kind);
    return button;
}

int TTextImageButton::DrawEnlarged() {
    DrawAt(1.15f);
    return 0;
}

int TTextImageButton::DrawOnOut() {
    DrawAt(1.0f);
    return 0;
}

void TTextImageButton::DrawAt(float zoom) {
    TImageButton::DrawAt(zoom);
    DrawButtonLabel(text, alpha, zoom);
}

TextImageButtonPtr CreateTextImageButton(const TImageSource& source, const DimPtr& dim, int id,
                                         const std::string& label, int kind, float labelX, float labelY) {
    auto button = std::make_shared<TTextImageButton>();
    InitImageButton(*button, source, dim, id, 1.0f, kind);
    button->text = MakeButtonLabel(dim, label, labelX, labelY);
    return button;
}

} // namespace vsm
