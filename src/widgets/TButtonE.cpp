// TButtonE family: fixed-rectangle buttons, their factories and menus.
#include "widgets/TButtonE.h"

#include "platform/Input.h"
#include "platform/System.h"
#include "widgets/ButtonPolling.h"

namespace vsm {

int TButtonE::Draw() {
    return 0;
}
int TButtonE::Add(const TObjectRef&, int) {
    return 0;
}
int TButtonE::State() {
    return 0;
}
int TButtonE::OnOver() {
    return 0;
}
int TButtonE::OnOut() {
    return 0;
}
int TButtonE::OnClick() {
    return 0;
}

bool TButtonE::PointerInside() const {
    const float px = static_cast<float>(MouseX()), py = static_cast<float>(MouseY());
    return x < px && px < x + width && y < py && py < y + height;
}

int TAnimButtonE::Draw() {
    if (!visible) return 0;
    DrawImage(image, x, y, over ? frameOnOver : frameOnOut);
    return 0;
}

int TAnimButtonE::State() {
    if (!enable || !visible) return 0;
    return TrackPointer(*this, PointerInside(), [] { return MouseDown(1) != 0; });
}

int TImageButtonA::Draw() {
    if (!visible) return 0;
    if (!over) {
        DrawImage(image, x, y, 0);
        return 0;
    }
    switch (kind) {
    case 0:
        SetColor(100, 255, 200);
        DrawImage(image, x, y, 0);
        SetColor(255, 255, 255);
        break;
    case 1:
        SetScale(1.15f, 1.15f);
        DrawImage(image, static_cast<float>(static_cast<int>(x - width * 0.15f / 2)),
                  static_cast<float>(static_cast<int>(y - height * 0.15f / 2)), 0);
        SetScale(1, 1);
        break;
    case 2:
        SetColor(200, 200, 200);
        DrawImage(image, x, y, 0);
        SetColor(255, 255, 255);
        break;
    default:
        break;
    }
    return 0;
}

int TImageButtonA::State() {
    if (!enable || !visible || !MouseDown(1)) return 0;
    if (!PointerInside()) return 0;
    if (!over) OnOver();
    over = 1;
    OnClick();
    return id;
}

namespace {

// Draws the text centred in the rectangle, moved by the offsets, in the font.
void DrawCentredText(const TButtonE& b, const FontPtr& font, float textX, float textY) {
    SetImageFont(font);
    const float tx = b.x + b.width / 2 - static_cast<float>(TextWidth(b.text) / 2) + textX;
    const float ty = b.y + b.height / 2 - static_cast<float>(TextHeight(b.text) / 2) + textY;
    DrawText(b.text, tx, ty);
}

// Places the rectangle at (x, y) as its corner (handle 0) or its centre (handle 1).
void Place(TButtonE& b, float x, float y, float w, float h, int handle) {
    b.width = w;
    b.height = h;
    b.x = handle == 1 ? x - w / 2 : x;
    b.y = handle == 1 ? y - h / 2 : y;
}

// Gives a new labelled button its id and text, and its image from the source: a path through
// `loadPath`, a held image as it is; any other source notifies "Invalid object type". The
// rectangle takes the image's size, placed by the handle.
template <class Labelled, class LoadPath>
void InitLabelled(Labelled& b, const TImageSource& source, float x, float y, int id, const std::string& text,
                  const FontPtr& font, int handle, float textX, float textY, LoadPath loadPath) {
    b.id = id;
    b.text = text;
    b.font = font;
    b.textX = textX;
    b.textY = textY;
    if (source.IsPath()) {
        b.image = loadPath(source.Path());
    } else if (ImagePtr image = source.HeldImage()) {
        b.image = image;
    } else {
        Notify("Invalid object type");
    }
    Place(b, x, y, static_cast<float>(ImageWidth(b.image)), static_cast<float>(ImageHeight(b.image)), handle);
}

} // namespace

int TTextAnimButtonE::Draw() {
    if (!visible) return 0;
    TAnimButtonE::Draw();
    DrawCentredText(*this, font, textX, textY);
    return 0;
}

int TTextImageButtonA::Draw() {
    if (!visible) return 0;
    TImageButtonA::Draw();
    DrawCentredText(*this, font, textX, textY);
    return 0;
}

TextAnimButtonEPtr CreateTextAnimButtonE(const TImageSource& source, float x, float y, int id,
                                         const std::string& text, const FontPtr& font, int handle,
                                         float textX, float textY) {
    auto b = std::make_shared<TTextAnimButtonE>();
    InitLabelled(*b, source, x, y, id, text, font, handle, textX, textY, [](const std::string& path) {
        PixmapPtr strip = LoadPixmap(path);
        if (!strip) {
            Notify("Can't load image: " + path);
            return ImagePtr();
        }
        return strip->width / 2 > 0 ? LoadAnimImage(strip, strip->width / 2, strip->height, 0, 2)
                                    : ImagePtr();
    });
    return b;
}

TextImageButtonAPtr CreateTextImageButtonA(const TImageSource& source, float x, float y, int id,
                                           const std::string& text, const FontPtr& font, int handle,
                                           float textX, float textY, int kind) {
    auto b = std::make_shared<TTextImageButtonA>();
    b->kind = kind;
    InitLabelled(*b, source, x, y, id, text, font, handle, textX, textY, [](const std::string& path) {
        ImagePtr image = LoadImage(path);
        if (!image) Notify("Can't load image: " + path);
        return image;
    });
    return b;
}

int TButtonEList::AddItem(const ButtonEPtr& button) {
    items.push_back(button);
    return 0;
}

ButtonEPtr TButtonEList::GetItem(int id) {
    return FindButton(items, id);
}

int TButtonEList::Draw(float alpha) {
    if (!visible) return 0;
    DrawButtons(items, alpha);
    return 0;
}

int TMenuE::State() {
    if (!visible || !enable) return 0;
    return PollButtons(items);
}

int TMenuA::State() {
    if (!visible || !enable) return 0;
    if (int id = PollButtons(items))
        for (const ButtonEPtr& other : items)
            if (other && other->id != id) other->over = 0;
    return 0;
}

TextImageButtonAPtr TMenuA::GetSelectedItem() {
    for (const ButtonEPtr& button : items)
        if (auto labelled = std::dynamic_pointer_cast<TTextImageButtonA>(button); labelled && labelled->over)
            return labelled;
    return nullptr;
}

} // namespace vsm
