// TAnimButton: strip-button polling, hover looks and creation.
#include "widgets/TAnimButton.h"

#include "platform/Input.h"
#include "widgets/ButtonLabel.h"
#include "widgets/ButtonPolling.h"

namespace vsm {

namespace {

// Fills a new strip button; shared by the plain and the labelled kinds.
void InitAnimButton(TAnimButton& button, const TImageSource& source, const DimPtr& dim, int id, int frames,
                    int frameOnOver, int frameOnOut, float alpha, int kind) {
    // A strip of no frames would divide by zero: it counts as one frame.
    if (frames < 1) frames = 1;
    button.dim = dim;
    button.id = id;
    button.frames = frames;
    button.frameOnOver = frameOnOver;
    button.frameOnOut = frameOnOut;
    button.alpha = alpha;
    button.kind = kind;
    PixmapPtr strip = source.LoadAsPixmap();
    const int cellW = strip ? strip->width / frames : 0;
    const int cellH = strip ? strip->height : 0;
    if (cellW > 0 && cellH > 0) button.image = LoadAnimImage(strip, cellW, cellH, 0, frames);
    if (dim) {
        dim->width = static_cast<float>(button.image ? cellW : 0);
        dim->height = static_cast<float>(button.image ? cellH : 0);
    }
}

} // namespace

int TAnimButton::Draw() {
    if (!visible) return 0;
    return over ? DrawOnOver() : DrawOnOut();
}

int TAnimButton::State() {
    if (!enable || !visible || !dim) return 0;
    const bool inside = dim->InXY(static_cast<float>(MouseX()), static_cast<float>(MouseY()));
    return TrackPointer(*this, inside, [] { return MouseDown(1) != 0; });
}

int TAnimButton::DrawOnOver() {
    switch (kind) {
    case 0:
        return DrawGlowed();
    case 1:
        return DrawEnlarged();
    case 2:
        return DrawDarkned();
    default:
        return DrawNormal();
    }
}

int TAnimButton::DrawNormal() {
    DrawCell(frameOnOver, 1.0f);
    return 0;
}

int TAnimButton::DrawGlowed() {
    SetColor(100, 255, 200);
    DrawCell(frameOnOver, 1.0f);
    SetColor(255, 255, 255);
    return 0;
}

int TAnimButton::DrawEnlarged() {
    DrawCell(frameOnOver, 1.15f);
    return 0;
}

int TAnimButton::DrawDarkned() {
    SetColor(200, 200, 200);
    DrawCell(frameOnOver, 1.0f);
    SetColor(255, 255, 255);
    return 0;
}

int TAnimButton::DrawOnOut() {
    DrawCell(frameOnOut, 1.0f);
    return 0;
}

void TAnimButton::DrawCell(int cell, float zoom) {
    DrawZoomed(cell, zoom);
}

AnimButtonPtr CreateAnimButton(const TImageSource& source, const DimPtr& dim, int id, int frames,
                               int frameOnOver, int frameOnOut, float alpha, int kind) {
    auto button = std::make_shared<TAnimButton>();
    InitAnimButton(*button, source, dim, id, frames, frameOnOver, frameOnOut, alpha, kind);
    return button;
}

void TTextAnimButton::DrawCell(int cell, float zoom) {
    TAnimButton::DrawCell(cell, zoom);
    DrawButtonLabel(text, alpha, zoom);
}

TextAnimButtonPtr CreateTextAnimButton(const TImageSource& source, const DimPtr& dim, int id,
                                       const std::string& label, float labelX, float labelY, int kind) {
    auto button = std::make_shared<TTextAnimButton>();
    InitAnimButton(*button, source, dim, id, 2, 1, 0, 1.0f, kind);
    button->text = MakeButtonLabel(dim, label, labelX, labelY);
    return button;
}

} // namespace vsm
