"""Shared picture helpers of the asset generator: canvases, noise, blur, compositing, saving."""
import math

import cairo
import numpy as np
from PIL import Image, ImageFilter, ImageFont, ImageDraw

# The game's two faces: a blackletter for headings and captions, and one book face, in its bold
# cut for labels, buttons, digits and the bitmap fonts and in its regular cut for running text.
FONT_FILES = {
    "blackletter": "/usr/share/fonts/truetype/blankenburg/Blankenburg_UNZ1A.ttf",
    "capitals": "/usr/share/fonts/truetype/klaudia-berenika/Berenika-Bold.ttf",
    "text": "/usr/share/fonts/truetype/klaudia-berenika/Berenika.ttf",
}


def rng(seed):
    return np.random.default_rng(seed)


def new_canvas(w, h):
    """A cairo context on a fresh transparent ARGB surface."""
    surf = cairo.ImageSurface(cairo.FORMAT_ARGB32, w, h)
    return surf, cairo.Context(surf)


def surf_to_rgba(surf):
    """Straight-alpha float RGBA (H, W, 4) in 0..1 from a premultiplied cairo surface."""
    surf.flush()
    w, h, stride = surf.get_width(), surf.get_height(), surf.get_stride()
    buf = np.frombuffer(surf.get_data(), dtype=np.uint8).reshape(h, stride)[:, : w * 4]
    bgra = buf.reshape(h, w, 4).astype(np.float32) / 255.0
    a = bgra[..., 3:4]
    rgb = np.where(a > 0, bgra[..., 2::-1] / np.maximum(a, 1e-6), 0.0)
    return np.concatenate([np.clip(rgb, 0, 1), a], axis=2)


def rgba_to_surf(arr):
    """A cairo surface holding the straight-alpha float RGBA array."""
    h, w = arr.shape[:2]
    surf = cairo.ImageSurface(cairo.FORMAT_ARGB32, w, h)
    stride = surf.get_stride()
    a = np.clip(arr[..., 3:4], 0, 1)
    pm = np.clip(arr[..., :3], 0, 1) * a
    bgra = np.concatenate([pm[..., 2::-1], a], axis=2)
    data = np.zeros((h, stride), dtype=np.uint8)
    data[:, : w * 4] = (bgra * 255 + 0.5).astype(np.uint8).reshape(h, w * 4)
    surf.get_data()[:] = data.tobytes()
    surf.mark_dirty()
    return surf


def draw_on(arr, fn):
    """Runs fn(ctx, w, h) over the picture and returns the result."""
    surf = rgba_to_surf(arr)
    ctx = cairo.Context(surf)
    fn(ctx, arr.shape[1], arr.shape[0])
    return surf_to_rgba(surf)


def blank(w, h, colour=(0, 0, 0, 0)):
    arr = np.zeros((h, w, 4), dtype=np.float32)
    arr[...] = colour
    return arr


def _overlap(dst, src, x, y):
    """The parts of src placed at (x, y) and of dst that lie on each other, as views (so writes to
    the second reach dst); None when they do not meet."""
    h, w = src.shape[:2]
    H, W = dst.shape[:2]
    x0, y0, x1, y1 = max(x, 0), max(y, 0), min(x + w, W), min(y + h, H)
    if x0 >= x1 or y0 >= y1:
        return None
    return src[y0 - y : y1 - y, x0 - x : x1 - x], dst[y0:y1, x0:x1]


def over(dst, src, x=0, y=0, alpha=1.0):
    """Composites src over dst at (x, y) in place (straight alpha); returns dst."""
    clipped = _overlap(dst, src, x, y)
    if clipped is None:
        return dst
    s, d = clipped
    sa = s[..., 3:4] * alpha
    da = d[..., 3:4]
    oa = sa + da * (1 - sa)
    rgb = np.where(oa > 0, (s[..., :3] * sa + d[..., :3] * da * (1 - sa)) / np.maximum(oa, 1e-6), 0)
    d[..., :3] = rgb
    d[..., 3:4] = oa
    return dst


def add_light(dst, src, x=0, y=0, strength=1.0):
    """Adds src's colour times its alpha onto dst's colour (a light pass), keeping dst's alpha."""
    clipped = _overlap(dst, src, x, y)
    if clipped is None:
        return dst
    s, d = clipped
    d[..., :3] = np.clip(d[..., :3] + s[..., :3] * s[..., 3:4] * strength, 0, 1)
    return dst


def value_noise(w, h, cell, seed, octaves=4, persistence=0.5):
    """Smooth fractal noise in 0..1, shape (h, w)."""
    r = rng(seed)
    total = np.zeros((h, w), dtype=np.float32)
    amp, norm, c = 1.0, 0.0, float(cell)
    for _ in range(octaves):
        gw, gh = int(w / c) + 3, int(h / c) + 3
        grid = r.random((gh, gw)).astype(np.float32)
        img = Image.fromarray(grid, mode="F").resize(
            (int(gw * c), int(gh * c)), Image.BICUBIC)
        a = np.asarray(img)[:h, :w]
        total += a * amp
        norm += amp
        amp *= persistence
        c = max(c / 2, 1.0)
    return np.clip(total / norm, 0, 1)


def _box(a, r, axis):
    """Box filter of radius r along an axis, zero outside."""
    n = a.shape[axis]
    pad = [(0, 0)] * a.ndim
    pad[axis] = (r + 1, r)
    c = np.cumsum(np.pad(a, pad), axis=axis, dtype=np.float64)
    hi = np.take(c, np.arange(2 * r + 1, 2 * r + 1 + n), axis=axis)
    lo = np.take(c, np.arange(0, n), axis=axis)
    return ((hi - lo) / (2 * r + 1)).astype(np.float32)


def blur_mask(mask, radius):
    """Gaussian-like blur (three box passes) of a float array over its first two axes."""
    out = np.asarray(mask, dtype=np.float32)
    if radius <= 0:
        return out.copy()
    if radius < 0.8:
        k = radius * 0.6
        for axis in (0, 1):
            out = ((np.roll(out, 1, axis) + np.roll(out, -1, axis)) * k + out) / (1 + 2 * k)
        return out.astype(np.float32)
    r = max(int(math.sqrt(4 * radius * radius + 1) / 2 + 0.5), 1)
    for _ in range(3):
        out = _box(out, r, 0)
        out = _box(out, r, 1)
    return out


def blur(arr, radius):
    """Gaussian blur of a straight-alpha RGBA array (premultiplied internally)."""
    if radius <= 0:
        return arr.copy()
    a = arr[..., 3:4]
    pm = np.concatenate([arr[..., :3] * a, a], axis=2)
    out = blur_mask(pm, radius)
    oa = out[..., 3:4]
    rgb = np.where(oa > 1e-5, out[..., :3] / np.maximum(oa, 1e-5), 0)
    return np.concatenate([np.clip(rgb, 0, 1), np.clip(oa, 0, 1)], axis=2).astype(np.float32)


def solid(mask, colour):
    """An RGBA picture of one colour whose alpha is mask."""
    h, w = mask.shape
    arr = np.zeros((h, w, 4), dtype=np.float32)
    arr[..., :3] = colour[:3]
    arr[..., 3] = np.clip(mask, 0, 1)
    return arr


def hsv(h, s, v):
    """RGB in 0..1 from hue in degrees and saturation and value in 0..1."""
    h = (h % 360) / 60.0
    c = v * s
    x = c * (1 - abs(h % 2 - 1))
    m = v - c
    r, g, b = [(c, x, 0), (x, c, 0), (0, c, x), (0, x, c), (x, 0, c), (c, 0, x)][int(h) % 6]
    return (r + m, g + m, b + m)


def mix(a, b, t):
    return tuple(a[i] * (1 - t) + b[i] * t for i in range(len(a)))


def radial(w, h, cx, cy, r, power=1.0):
    """1 at (cx, cy) falling to 0 at distance r."""
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    d = np.sqrt((xx + 0.5 - cx) ** 2 + (yy + 0.5 - cy) ** 2) / max(r, 1e-6)
    return np.clip(1 - d, 0, 1) ** power


def font(role, size):
    return ImageFont.truetype(FONT_FILES[role], size)


def text_mask(text, role, size, pad=0):
    """Alpha mask (h, w) of text tightly cropped, with pad pixels around."""
    f = font(role, size)
    l, t, r, b = f.getbbox(text)
    w, h = max(r - l, 1) + 2 * pad, max(b - t, 1) + 2 * pad
    img = Image.new("L", (w, h), 0)
    ImageDraw.Draw(img).text((pad - l, pad - t), text, font=f, fill=255)
    return np.asarray(img).astype(np.float32) / 255.0


def fit_text_mask(text, role, max_w, max_h, start=None, pad=0):
    size = start or max_h
    while size > 6:
        m = text_mask(text, role, size, pad)
        if m.shape[1] <= max_w and m.shape[0] <= max_h:
            return m
        size -= 1
    return text_mask(text, role, 6, pad)


def finish(arr, opaque=False):
    """8-bit RGBA; visible pure-black pixels are lifted to 1 so that no mask colour hides them."""
    out = (np.clip(arr, 0, 1) * 255 + 0.5).astype(np.uint8)
    if opaque:
        out[..., 3] = 255
    black = (out[..., 3] > 0) & (out[..., 0] == 0) & (out[..., 1] == 0) & (out[..., 2] == 0)
    out[black, 0:3] = 1
    out[out[..., 3] == 0, 0:3] = 0
    return out


def save_png(arr, path):
    Image.fromarray(finish(arr), mode="RGBA").save(path, format="PNG", optimize=False, compress_level=9)


def save_jpg(arr, path, quality=90):
    """JPEG of an opaque picture; dark values are kept above the black mask colour."""
    rgb = np.clip(arr[..., :3], 0, 1)
    if arr.shape[2] == 4:
        rgb = rgb * arr[..., 3:4]
    rgb = np.maximum(rgb, 12 / 255.0)
    img = Image.fromarray((rgb * 255 + 0.5).astype(np.uint8), mode="RGB")
    img.save(path, format="JPEG", quality=quality, optimize=False, progressive=False, subsampling=0)


def rounded_rect(ctx, x, y, w, h, r):
    r = min(r, w / 2, h / 2)
    ctx.new_sub_path()
    ctx.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    ctx.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
    ctx.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
    ctx.arc(x + r, y + r, r, math.pi, 3 * math.pi / 2)
    ctx.close_path()
