// Graphics: the global drawing state, drawing calls forwarded to the backend, and the display.
#include "Graphics.h"

#include "Backend.h"
#include "TImageFont.h"

#include <algorithm>

namespace vsm {

namespace {

DrawState& State() {
    static DrawState state;
    return state;
}

bool FrameValid(const ImagePtr& image, int frame) {
    return image && frame >= 0 && frame < static_cast<int>(image->frames.size());
}

// Negative alpha is the game's way of switching drawing off until alpha is set again.
bool DrawingOff() {
    return State().alphaNegative;
}

} // namespace

// ---- Drawing state ---------------------------------------------------------------------------

void SetColor(int r, int g, int b) {
    State().r = std::clamp(r, 0, 255);
    State().g = std::clamp(g, 0, 255);
    State().b = std::clamp(b, 0, 255);
}

void GetColor(int& r, int& g, int& b) {
    r = State().r;
    g = State().g;
    b = State().b;
}

void SetAlpha(float alpha) {
    // NaN compares false everywhere; treat it like a negative request rather than drawing garbage.
    if (!(alpha >= 0)) {
        State().alpha = 0;
        State().alphaNegative = true;
        return;
    }
    State().alpha = std::min(alpha, 1.0f);
    State().alphaNegative = false;
}

float GetAlpha() {
    return State().alpha;
}

void SetBlend(int mode) {
    if (mode >= MASKBLEND && mode <= SHADEBLEND) State().blend = mode;
}

int GetBlend() {
    return State().blend;
}

void SetRotation(float degrees) {
    State().rotation = degrees;
}
float GetRotation() {
    return State().rotation;
}

void SetScale(float sx, float sy) {
    State().scaleX = sx;
    State().scaleY = sy;
}

void GetScale(float& sx, float& sy) {
    sx = State().scaleX;
    sy = State().scaleY;
}

void SetTransform(float degrees, float sx, float sy) {
    SetRotation(degrees);
    SetScale(sx, sy);
}

void SetOrigin(float x, float y) {
    State().originX = x;
    State().originY = y;
}

void GetOrigin(float& x, float& y) {
    x = State().originX;
    y = State().originY;
}

void SetHandle(float x, float y) {
    State().handleX = x;
    State().handleY = y;
}

void GetHandle(float& x, float& y) {
    x = State().handleX;
    y = State().handleY;
}

void SetViewport(int x, int y, int w, int h) {
    State().viewX = x;
    State().viewY = y;
    State().viewW = std::max(w, 0);
    State().viewH = std::max(h, 0);
}

void GetViewport(int& x, int& y, int& w, int& h) {
    x = State().viewX;
    y = State().viewY;
    w = State().viewW;
    h = State().viewH;
}

void SetClsColor(int r, int g, int b) {
    State().clsR = std::clamp(r, 0, 255);
    State().clsG = std::clamp(g, 0, 255);
    State().clsB = std::clamp(b, 0, 255);
}

const DrawState& CurrentDrawState() {
    return State();
}

void ResetDrawState() {
    State() = DrawState{};
}

void SetImageFont(const FontPtr& font) {
    State().font = font;
}

FontPtr GetImageFont() {
    return State().font ? State().font : DefaultFont();
}

// ---- Drawing ---------------------------------------------------------------------------------

void Cls() {
    CurrentBackend().Cls(State());
}

void DrawImage(const ImagePtr& image, float x, float y, int frame) {
    if (DrawingOff() || !FrameValid(image, frame)) return;
    CurrentBackend().DrawImage(State(), image, frame, x, y, static_cast<float>(image->width),
                               static_cast<float>(image->height));
}

void DrawImageRect(const ImagePtr& image, float x, float y, float w, float h, int frame) {
    if (DrawingOff() || !FrameValid(image, frame)) return;
    CurrentBackend().DrawImageRect(State(), image, frame, x, y, w, h);
}

void DrawRect(float x, float y, float w, float h) {
    if (DrawingOff()) return;
    CurrentBackend().DrawRect(State(), x, y, w, h);
}

void DrawLine(float x1, float y1, float x2, float y2) {
    if (DrawingOff()) return;
    CurrentBackend().DrawLine(State(), x1, y1, x2, y2);
}

void DrawOval(float x, float y, float w, float h) {
    if (DrawingOff()) return;
    CurrentBackend().DrawOval(State(), x, y, w, h);
}

void Plot(float x, float y) {
    if (DrawingOff()) return;
    CurrentBackend().Plot(State(), x, y);
}

void DrawPixmap(const PixmapPtr& pixmap, int x, int y) {
    if (!pixmap) return;
    CurrentBackend().DrawPixmap(State(), pixmap, x, y);
}

void DrawText(const std::string& utf8, float x, float y) {
    if (DrawingOff() || utf8.empty()) return;
    // The backend always gets a real font, so it never has to know about the default.
    DrawState s = State();
    s.font = GetImageFont();
    CurrentBackend().DrawText(s, utf8, x, y);
}

void DrawTexturedPolygon(const ImagePtr& image, int frame, const float* floats, int floatCount) {
    if (DrawingOff() || !FrameValid(image, frame) || !floats || floatCount < 4) return;
    // Only whole vertices go on; a backend shows nothing for fewer than three, but the headless
    // log still records what the caller sent.
    CurrentBackend().DrawPolygon(State(), image, frame, floats, floatCount - floatCount % 4);
}

int TexturePow2(int n) {
    int p = 1;
    while (p < n && p < (1 << 30))
        p <<= 1;
    return p;
}

PixmapPtr GrabPixmap(int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) return nullptr;
    return CurrentBackend().Grab(x, y, w, h);
}

void GrabImage(const ImagePtr& image, int x, int y, int frame) {
    if (!FrameValid(image, frame)) return;
    PixmapPtr grabbed = CurrentBackend().Grab(x, y, image->width, image->height);
    if (!grabbed || grabbed->width != image->width || grabbed->height != image->height) return;
    image->frames[frame]->pixels = grabbed->pixels;
    image->version++;
}

void Flip(int sync) {
    CurrentBackend().Flip(sync);
}

// ---- Display ---------------------------------------------------------------------------------

std::vector<GraphicsMode> GraphicsModes() {
    return CurrentBackend().Modes();
}

int CountGraphicsModes() {
    return static_cast<int>(GraphicsModes().size());
}

bool GetGraphicsMode(int index, int& width, int& height, int& depth, int& hz) {
    std::vector<GraphicsMode> modes = GraphicsModes();
    if (index < 0 || index >= static_cast<int>(modes.size())) return false;
    width = modes[index].width;
    height = modes[index].height;
    depth = modes[index].depth;
    hz = modes[index].hz;
    return true;
}

bool Graphics(int width, int height, int depth, int hz, std::string* errorText) {
    std::string error;
    bool ok = CurrentBackend().OpenGraphics(width, height, depth, hz, &error);
    if (errorText) *errorText = ok ? std::string() : error;
    return ok;
}

void EndGraphics() {
    CurrentBackend().CloseGraphics();
}
bool GraphicsOpen() {
    return CurrentBackend().IsOpen();
}
int GraphicsFullScreen() {
    return CurrentBackend().IsFullScreen() ? 1 : 0;
}
void AppTitle(const std::string& title) {
    CurrentBackend().SetTitle(title);
}
void HideMouse() {
    CurrentBackend().SetPointerVisible(false);
}
void ShowMouse() {
    CurrentBackend().SetPointerVisible(true);
}

} // namespace vsm
