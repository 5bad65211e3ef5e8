// Graphics: images, pixmaps, image fonts, global drawing state and drawing calls.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vsm {

class TStream;

// A picture in memory: 32-bit ARGB pixels (0xAARRGGBB), row by row, no padding.
class TPixmap {
  public:
    TPixmap(int width, int height);
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    // Set when the picture came with an alpha channel (PNG with alpha); masking skips such pictures.
    bool hasAlpha = false;
};
using PixmapPtr = std::shared_ptr<TPixmap>;

// Image flags for LoadImage, LoadAnimImage and CreateImage.
constexpr int MASKEDIMAGE = 1;
constexpr int FILTEREDIMAGE = 2;
constexpr int MIPMAPPEDIMAGE = 4;
// -1 selects the default flags: masked and filtered.
constexpr int DEFAULT_IMAGE_FLAGS = -1;

struct TextureFrame; // backend-owned GPU copy of one frame

// A drawable picture of one or more equally sized frames with its own handle.
class TImage {
  public:
    int width = 0; // size of one frame
    int height = 0;
    int flags = 0; // resolved flags (never -1)
    float handleX = 0, handleY = 0;
    // CPU copy of every frame (already masked); the real backend uploads it lazily.
    std::vector<PixmapPtr> frames;
    // Backend texture per frame; empty on the headless backend.
    std::vector<std::shared_ptr<TextureFrame>> textures;
    // Incremented when a frame's pixels change so the backend re-uploads.
    uint64_t version = 0;
};
using ImagePtr = std::shared_ptr<TImage>;

// A TrueType face rendered at one pixel size, with a glyph cache.
class TImageFont;
using FontPtr = std::shared_ptr<TImageFont>;

// ---- Pixmaps -------------------------------------------------------------------------------

// Returns a new transparent-black pixmap; null for a non-positive size.
PixmapPtr CreatePixmap(int width, int height);
// Decodes a PNG or JPEG file (backslashes in the path become slashes); null on failure, also for
// anything but a regular file of at most MAX_PICTURE_BYTES (one printed line).
PixmapPtr LoadPixmap(const std::string& path);
// Decodes a PNG or JPEG held in memory; null on failure.
PixmapPtr LoadPixmapFromMemory(const uint8_t* bytes, size_t size);
// Reads the rest of the stream and decodes it; null on failure.
PixmapPtr LoadPixmapFromStream(TStream& stream);
// An independent copy; null for null.
PixmapPtr CopyPixmap(const PixmapPtr& p);
// Returns a copy of the rectangle, clipped to the pixmap; null when nothing remains.
PixmapPtr PixmapWindow(const PixmapPtr& p, int x, int y, int w, int h);
// Returns a new pixmap scaled to w x h (bilinear); null for a null source or bad size.
PixmapPtr ResizePixmap(const PixmapPtr& p, int w, int h);
// Size of the pixmap; 0 for null.
int PixmapWidth(const PixmapPtr& p);
int PixmapHeight(const PixmapPtr& p);
// Out-of-range reads give 0; out-of-range writes do nothing.
uint32_t ReadPixel(const PixmapPtr& p, int x, int y);
void WritePixel(const PixmapPtr& p, int x, int y, uint32_t argb);
// Writes a PNG (with alpha); false on failure.
bool SavePixmapPNG(const PixmapPtr& p, const std::string& path);

// ---- Images --------------------------------------------------------------------------------

// The colour made transparent in masked pictures without alpha. Default: black (0, 0, 0).
void SetMaskColor(int r, int g, int b);
void GetMaskColor(int& r, int& g, int& b);

// Loads a one-frame image; null when the file cannot be decoded.
ImagePtr LoadImage(const std::string& path, int flags = DEFAULT_IMAGE_FLAGS);
ImagePtr LoadImage(const PixmapPtr& pixmap, int flags = DEFAULT_IMAGE_FLAGS);
// Cuts count cells of cellW x cellH row by row from the top-left, starting at cell first.
// Null when the source is missing or holds fewer cells than asked.
ImagePtr LoadAnimImage(const std::string& path, int cellW, int cellH, int first, int count,
                       int flags = DEFAULT_IMAGE_FLAGS);
ImagePtr LoadAnimImage(const PixmapPtr& pixmap, int cellW, int cellH, int first, int count,
                       int flags = DEFAULT_IMAGE_FLAGS);
// A blank (transparent) image of the given number of frames.
ImagePtr CreateImage(int width, int height, int frames = 1, int flags = DEFAULT_IMAGE_FLAGS);
// Direct access to a frame's pixels; call UnlockImage after writing. Null when out of range.
PixmapPtr LockImage(const ImagePtr& image, int frame = 0);
void UnlockImage(const ImagePtr& image, int frame = 0);
// Copies a screen rectangle (the off-screen target) into an image frame at its top-left.
void GrabImage(const ImagePtr& image, int x, int y, int frame = 0);
// Size of one frame; 0 for null.
int ImageWidth(const ImagePtr& image);
int ImageHeight(const ImagePtr& image);
int ImageFrames(const ImagePtr& image);
// The point of the image placed at the drawing position, about which it rotates and scales.
void SetImageHandle(const ImagePtr& image, float x, float y);
// Puts the handle at the image's centre (half the width and height, unrounded). Null is ignored.
void MidHandleImage(const ImagePtr& image);

// ---- Image fonts ---------------------------------------------------------------------------

constexpr int BOLDFONT = 1;
constexpr int ITALICFONT = 2;
constexpr int SMOOTHFONT = 4;

// Loads a TrueType font at a pixel size; null when the file cannot be read.
FontPtr LoadImageFont(const std::string& path, int size, int style = SMOOTHFONT);
// Selects the font for DrawText and the measures; null selects the built-in default font.
void SetImageFont(const FontPtr& font);
// The current font (the default font when none is set); never null.
FontPtr GetImageFont();
// Width in pixels of the text in the current font, before scale.
int TextWidth(const std::string& utf8);
// Line height of the current font, before scale.
int TextHeight(const std::string& utf8);
// Line height of the font (of the default font for null).
int FontHeight(const FontPtr& font);

// ---- Drawing state (global, persists across calls and frames) -------------------------------

// Blend modes.
constexpr int MASKBLEND = 1;
constexpr int SOLIDBLEND = 2;
constexpr int ALPHABLEND = 3;
constexpr int LIGHTBLEND = 4;
constexpr int SHADEBLEND = 5;

// Components are clamped to 0..255; tints images and text.
void SetColor(int r, int g, int b);
void GetColor(int& r, int& g, int& b);
// Clamped to 0..1; a negative request draws nothing until alpha is set again.
void SetAlpha(float alpha);
float GetAlpha();
void SetBlend(int mode);
int GetBlend();
// Degrees, clockwise on screen; applied about each image's handle.
void SetRotation(float degrees);
float GetRotation();
void SetScale(float sx, float sy);
void GetScale(float& sx, float& sy);
void SetTransform(float degrees = 0, float sx = 1, float sy = 1);
// Global drawing offset added to every position.
void SetOrigin(float x, float y);
void GetOrigin(float& x, float& y);
// Global handle subtracted from every position before rotation and scale.
void SetHandle(float x, float y);
void GetHandle(float& x, float& y);
// Clip rectangle in screen pixels; SetViewport(0, 0, 800, 600) clears it.
void SetViewport(int x, int y, int w, int h);
void GetViewport(int& x, int& y, int& w, int& h);
void SetClsColor(int r, int g, int b);

// A snapshot of the whole drawing state (what the headless backend records per call).
struct DrawState {
    int r = 255, g = 255, b = 255;
    float alpha = 1;
    bool alphaNegative = false;
    int blend = MASKBLEND;
    float rotation = 0;
    float scaleX = 1, scaleY = 1;
    float originX = 0, originY = 0;
    float handleX = 0, handleY = 0;
    int viewX = 0, viewY = 0, viewW = 800, viewH = 600;
    int clsR = 0, clsG = 0, clsB = 0;
    FontPtr font;
};
// The drawing state in force now.
const DrawState& CurrentDrawState();
// Restores every field to its default (white, alpha 1, mask blend, no transform, default font).
void ResetDrawState();

// ---- Drawing -------------------------------------------------------------------------------

// Clears the off-screen target to the cls colour (black by default).
void Cls();
// Null image or a frame out of range draws nothing.
void DrawImage(const ImagePtr& image, float x, float y, int frame = 0);
// Draws the frame stretched to w x h.
void DrawImageRect(const ImagePtr& image, float x, float y, float w, float h, int frame = 0);
void DrawRect(float x, float y, float w, float h);
void DrawLine(float x1, float y1, float x2, float y2);
void DrawOval(float x, float y, float w, float h);
void Plot(float x, float y);
// Copies the pixmap's pixels to the screen at (x, y), ignoring colour, rotation and scale.
void DrawPixmap(const PixmapPtr& pixmap, int x, int y);
// Draws UTF-8 text in the current font, colour, alpha and scale; (x, y) is the top-left.
void DrawText(const std::string& utf8, float x, float y);
// Draws a textured polygon: `floats` holds x, y, u, v per vertex (screen pixels before the
// current rotation, scale, handle and origin; texture coordinates in the frame's
// power-of-two texture layout, see TexturePow2). A trailing partial vertex is ignored; fewer
// than 3 vertices show nothing (the headless log records them all the same).
void DrawTexturedPolygon(const ImagePtr& image, int frame, const float* floats, int floatCount);
// The side of the power-of-two texture that holds a frame side of length n (1 for n <= 1).
int TexturePow2(int n);
// Reads the screen (the off-screen target) back as a pixmap; headless gives a blank one.
PixmapPtr GrabPixmap(int x, int y, int w, int h);

// Presents the frame, scaled to the window. sync -1 or 1 paces to 60 frames a second;
// 0 presents at once. Also refreshes input like PollSystem.
void Flip(int sync = -1);

// ---- Display -------------------------------------------------------------------------------

struct GraphicsMode {
    int width, height, depth, hz;
};
// The display modes the platform offers; always includes 800x600 at 32 bits.
std::vector<GraphicsMode> GraphicsModes();
int CountGraphicsModes();
// Fills the mode at index; false out of range.
bool GetGraphicsMode(int index, int& width, int& height, int& depth, int& hz);
// Opens (or switches) the display: depth 0 a window, else full screen. Closes what was open.
// False when it could not be opened; errorText then holds the platform's message, if any.
bool Graphics(int width, int height, int depth = 0, int hz = 60, std::string* errorText = nullptr);
void EndGraphics();
bool GraphicsOpen();
// 1 when the display is full screen.
int GraphicsFullScreen();
void AppTitle(const std::string& title);
void HideMouse();
void ShowMouse();

} // namespace vsm
