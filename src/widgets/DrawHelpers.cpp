// DrawHelpers: vertex math of the band, crop and viewport quads.
#include "widgets/DrawHelpers.h"

namespace vsm {

int findNextPowerOf2(int n) {
    // The platform lays frames out in textures of these sides: the helpers must agree with it.
    return TexturePow2(n);
}

int drawVial(const ImagePtr& image, int x, int y, float from, float to) {
    if (!image) return 0;
    const float w = static_cast<float>(ImageWidth(image));
    const float h = static_cast<float>(ImageHeight(image));
    // Texture coordinates follow the platform's layout: the frame sits at the top-left corner of
    // a texture whose sides are rounded up to powers of two.
    const float pw = static_cast<float>(findNextPowerOf2(ImageWidth(image)));
    const float ph = static_cast<float>(findNextPowerOf2(ImageHeight(image)));
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    const float top = fy + h * from, bottom = fy + h * to;
    const float v0 = from * h / ph, v1 = to * h / ph;
    const std::vector<float> quad = {fx,     top,    0,      v0, //
                                     fx + w, top,    w / pw, v0, //
                                     fx + w, bottom, w / pw, v1, //
                                     fx,     bottom, 0,      v1};
    return DrawTexturedPoly(image, quad, 0, -1);
}

int drawCroppedImage(const ImagePtr& image, int x, int y, int left, int top, int right, int bottom) {
    if (!image) return 0;
    const float pw = static_cast<float>(findNextPowerOf2(ImageWidth(image)));
    const float ph = static_cast<float>(findNextPowerOf2(ImageHeight(image)));
    const float l = static_cast<float>(left), t = static_cast<float>(top);
    const float r = static_cast<float>(right), b = static_cast<float>(bottom);
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    const std::vector<float> quad = {fx + l, fy + t, l / pw, t / ph, //
                                     fx + r, fy + t, r / pw, t / ph, //
                                     fx + r, fy + b, r / pw, b / ph, //
                                     fx + l, fy + b, l / pw, b / ph};
    return DrawTexturedPoly(image, quad, 0, -1);
}

int drawInViewPort(const ImagePtr& image, int x, int y, int vx, int vy, int vw, int vh) {
    if (!image) return 0;
    const int w = ImageWidth(image);
    const int h = ImageHeight(image);
    const int gx = static_cast<int>(static_cast<float>(x) - image->handleX);
    const int gy = static_cast<int>(static_cast<float>(y) - image->handleY);
    // An image whose edge only touches the viewport's edge is not rejected.
    if (gx + w < vx || gx > vx + vw || gy + h < vy || gy > vy + vh) return 0;
    const int left = gx < vx ? vx - gx : 0;
    const int top = gy < vy ? vy - gy : 0;
    const int right = gx + w > vx + vw ? (vx + vw) - gx : w;
    const int bottom = gy + h > vy + vh ? (vy + vh) - gy : h;
    return drawCroppedImage(image, gx, gy, left, top, right, bottom);
}

int isTextInViewport(int y, int vy, int vh) {
    return vy - 50 < y && y < vy + vh + 10 ? 1 : 0;
}

int DrawTexturedPoly(const ImagePtr& image, const std::vector<float>& polygon, int frame, int count) {
    int floats = static_cast<int>(polygon.size() / 4 * 4);
    if (count >= 0 && count < floats / 4) floats = count * 4;
    if (!image || floats <= 0) return 0;
    DrawTexturedPolygon(image, frame, polygon.data(), floats);
    return 0;
}

} // namespace vsm
