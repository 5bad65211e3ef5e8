// TFrame: nine-slice placement and the colour frame's bars.
#include "widgets/TFrame.h"

#include "platform/System.h"

namespace vsm {

int TFrame::Draw() {
    return 0;
}
int TFrame::State() {
    return 0;
}
int TFrame::AddImage(const TImageSource&, int) {
    return 0;
}
SliceImagePtr TFrame::GetImage(int) {
    return nullptr;
}

int TSliceImage::Draw(const DimPtr& rect, float alpha) {
    const int iw = ImageWidth(image);
    const int ih = ImageHeight(image);
    if (!rect || iw <= 0 || ih <= 0) return 0;
    const float x = rect->x, y = rect->y, w = rect->width, h = rect->height;
    const float fw = static_cast<float>(iw), fh = static_cast<float>(ih);
    float px = x, py = y, sx = 1, sy = 1;
    switch (position) {
    case 0:
        px = x - fw;
        py = y - fh;
        break;
    case 1:
        py = y - fh;
        sx = w / fw;
        break;
    case 2:
        py = y - fh;
        break;
    case 3:
        px = x - fw;
        sy = h / fh;
        break;
    case 4:
        sy = h / fh;
        break;
    case 5:
        px = x - fw;
        break;
    case 6:
        sx = w / fw;
        break;
    case 7:
        break;
    case 8:
        sx = w / fw;
        sy = h / fh;
        break;
    default:
        break;
    }
    SetAlpha(alpha);
    SetScale(sx, sy);
    DrawImage(image, px, py, 0);
    SetScale(1, 1);
    SetAlpha(1);
    return 0;
}

SliceImagePtr CreateSliceImage(const TImageSource& source, int position) {
    auto piece = std::make_shared<TSliceImage>();
    piece->image = source.LoadAsImage();
    piece->position = position;
    if (ImageWidth(piece->image) <= 0) Print("frame piece image missing: " + source.Path());
    return piece;
}

int TImageFrame::Draw() {
    if (!visible || !dim) return 0;
    const float x = dim->x, y = dim->y, w = dim->width, h = dim->height;
    auto piece = [&](int position, float px, float py, float pw, float ph) {
        if (SliceImagePtr slice = GetImage(position)) slice->Draw(CreateDim(px, py, pw, ph), alpha);
    };
    if (kind != 1) {
        piece(0, x, y, 0, 0);
        piece(1, x, y, w, 0);
        piece(2, x + w, y, 0, 0);
    }
    piece(3, x, y, 0, h);
    piece(4, x + w, y, 0, h);
    piece(5, x, y + h, 0, 0);
    piece(6, x, y + h, w, 0);
    piece(7, x + w, y + h, 0, 0);
    if (background == 1) piece(8, x, y, w, h);
    SetAlpha(1);
    SetScale(1, 1);
    return 0;
}

int TImageFrame::AddImage(const TImageSource& source, int position) {
    images.push_back(CreateSliceImage(source, position));
    return 0;
}

SliceImagePtr TImageFrame::GetImage(int position) {
    for (const SliceImagePtr& slice : images)
        if (slice && slice->position == position) return slice;
    return nullptr;
}

ImageFramePtr CreateImageFrame(const DimPtr& dim, int background, float alpha, int kind) {
    auto frame = std::make_shared<TImageFrame>();
    frame->dim = dim;
    frame->background = background;
    frame->alpha = alpha;
    frame->kind = kind;
    return frame;
}

int TColorFrame::Draw() {
    if (!visible || !dim) return 0;
    const float x = dim->x, y = dim->y, w = dim->width, h = dim->height, s = dim->Size;
    SetAlpha(alpha);
    if (color) SetColor(color->r, color->g, color->b);
    if (kind != 1) DrawRect(x - s, y - s, w + 2 * s, s);
    DrawRect(x - s, y, s, h);
    DrawRect(x + w, y, s, h);
    DrawRect(x - s, y + h, w + 2 * s, s);
    if (background == 1) {
        if (bgcolor) SetColor(bgcolor->r, bgcolor->g, bgcolor->b);
        DrawRect(x, y, w, h);
    }
    SetColor(255, 255, 255);
    SetAlpha(1);
    return 0;
}

ColorFramePtr CreateColorFrame(const DimPtr& dim, const ColorPtr& color, int background,
                               const ColorPtr& bgcolor, float alpha, int kind) {
    auto frame = std::make_shared<TColorFrame>();
    frame->dim = dim;
    frame->color = color;
    frame->background = background;
    frame->bgcolor = bgcolor;
    frame->alpha = alpha;
    frame->kind = kind;
    return frame;
}

} // namespace vsm
