"""The six regions of the campaign as painted scenes: level backgrounds, puzzle pictures, stage and
story pictures, and the map of the land with its road.

A scene is drawn in fractions of its size, so one recipe serves 800x600 backgrounds, 670x494
puzzle pictures and 148x98 stage miniatures. Each region has its own shapes and colours spread
over the whole frame (a puzzle cut from it can be solved by eye), kept to middle tones where the
board and the left-hand panel cover it. Variants: "a" by day, "b" in the evening light and seen
the other way round, "s" under the grey stillness, "w" the same with the cold warden stone.
"""
import math

import numpy as np

from art import BRONZE, INK, caption, gradient_v, metal, parchment_tex, rrect_mask
from common import add_light, blank, blur, blur_mask, draw_on, mix, over, radial, rng, solid, value_noise
from palette import class_rgb

REGIONS = ["meadows", "birch", "shore", "ridge", "quarry", "tower"]
# The colour class of the warden that bars each region's road (its rune glows in that colour).
WARDEN_CLASS = {"meadows": 5, "birch": 2, "shore": 6, "ridge": 4, "quarry": 1, "tower": 3}


# ---------------------------------------------------------------- building blocks

def ridge_line(w, seed, base, amp, cell, octaves=4, sharp=False):
    """Heights (screen y) of a skyline across the width: base minus noise times amp."""
    n = value_noise(w, 3, max(cell, 2), seed, octaves)[1]
    if sharp:
        n = 1 - np.abs(n * 2 - 1)
    return base - n * amp


def layer_below(arr, ys, top, bottom, seed, tex=0.18, cell=30, soft=0.8):
    """Fills everything under the skyline ys with a gradient from top to bottom, textured; returns
    the layer's mask."""
    h, w = arr.shape[:2]
    yy = np.arange(h, dtype=np.float32)[:, None]
    m = blur_mask((yy >= ys[None, :]).astype(np.float32), soft)
    t = np.clip((yy - ys[None, :]) / max(h - float(np.min(ys)), 1.0), 0, 1)[..., None]
    col = np.array(top, np.float32) * (1 - t) + np.array(bottom, np.float32) * t
    n = value_noise(w, h, max(cell, 2), seed, 4)
    col = col * (1 - tex / 2 + tex * n)[..., None]
    over(arr, np.concatenate([np.clip(col, 0, 1), m[..., None]], axis=2))
    return m


def clouds(arr, seed, y0, y1, colour, amount=0.85, cell=110, cover=0.55):
    """Soft clouds between the fractions y0 and y1 of the height, lit from above."""
    h, w = arr.shape[:2]
    n = value_noise(w, h, max(cell, 3), seed, 5)
    yy = np.linspace(0, 1, h, dtype=np.float32)[:, None]
    band = np.clip(np.minimum((yy - y0) / 0.08, (y1 - yy) / 0.12), 0, 1)
    m = np.clip((n - cover) * 5, 0, 1) * band
    under = np.clip(np.roll(m, -max(2, h // 60), axis=0) - m, 0, 1)
    over(arr, solid(m * amount, colour))
    over(arr, solid(under * amount * 0.5, mix(colour, (0.4, 0.4, 0.5), 0.5)))


def sun(arr, x, y, r, colour, glow=0.5):
    h, w = arr.shape[:2]
    add_light(arr, solid(radial(w, h, x, y, r * 9, 2.0), colour), strength=glow)
    over(arr, solid(np.clip(radial(w, h, x, y, r, 0.3) * 3, 0, 1), mix(colour, (1, 1, 1), 0.6)))


def ellipse_path(ctx, x, y, rx, ry, start=0.0, end=2 * math.pi):
    """Adds an elliptic arc centred on (x, y), the whole ellipse by default, to the path."""
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(rx, ry)
    ctx.arc(0, 0, 1, start, end)
    ctx.restore()


def polygon(ctx, colour, points):
    """Fills the closed polygon through the points in one colour (an alpha may follow)."""
    ctx.set_source_rgba(*colour) if len(colour) == 4 else ctx.set_source_rgb(*colour)
    ctx.move_to(*points[0])
    for p in points[1:]:
        ctx.line_to(*p)
    ctx.close_path()
    ctx.fill()


def dots(arr, seed, count, area, radius, colours, alpha=1.0, grow=0.0):
    """Round dots (flowers, leaves, embers) in area (x0, y0, x1, y1, fractions); with grow they
    get bigger towards the bottom."""
    h, w = arr.shape[:2]
    r = rng(seed)
    x0, y0, x1, y1 = area

    def fn(ctx, W, H):
        for _ in range(count):
            x, y = r.uniform(x0, x1) * W, r.uniform(y0, y1) * H
            k = 1 + grow * (y / H - y0) / max(y1 - y0, 1e-3)
            c = colours[int(r.integers(0, len(colours)))]
            ctx.set_source_rgba(c[0], c[1], c[2], alpha)
            ctx.arc(x, y, radius * k * W / 800, 0, 2 * math.pi)
            ctx.fill()
    return draw_on(arr, fn)


def grade(arr, warm=0.0, grey=0.0, dark=0.0, fog=None):
    """Colour grade: warm light, loss of colour, darkening, and a fog colour rising from below."""
    h, w = arr.shape[:2]
    rgb = arr[..., :3]
    if warm:
        rgb = rgb * (1 + np.array((0.10, -0.02, -0.16), np.float32) * warm)
        rgb = rgb + np.array((0.06, 0.02, -0.02), np.float32) * warm * np.linspace(1, 0, h, dtype=np.float32)[:, None, None]
    if grey:
        lum = (rgb @ np.array((0.3, 0.59, 0.11), np.float32))[..., None]
        rgb = rgb * (1 - grey) + lum * grey
    if dark:
        rgb = rgb * (1 - dark)
    if fog is not None:
        colour, amount = fog
        n = value_noise(w, h, max(w // 6, 4), 911, 4)
        t = np.clip(np.linspace(-0.3, 1.0, h, dtype=np.float32)[:, None] + (n - 0.5) * 0.5, 0, 1) * amount
        rgb = rgb * (1 - t[..., None]) + np.array(colour, np.float32) * t[..., None]
    arr[..., :3] = np.clip(rgb, 0, 1)
    return arr


def warden_stone(arr, x, y, height, cls, seed):
    """The cold warden: a tall standing stone with its rune faintly glowing in the warden's colour."""
    h, w = arr.shape[:2]
    s = height / 100.0
    glow = class_rgb(cls)

    def body(ctx, W, H):
        polygon(ctx, (0.30, 0.30, 0.34), [(x - 18 * s, y), (x - 14 * s, y - 86 * s), (x - 4 * s, y - 100 * s),
                                          (x + 12 * s, y - 94 * s), (x + 20 * s, y)])
        polygon(ctx, (0.12, 0.12, 0.16, 0.7), [(x + 2 * s, y - 96 * s), (x + 12 * s, y - 94 * s), (x + 20 * s, y),
                                               (x + 4 * s, y)])
    arr = draw_on(arr, body)
    rune = blank(w, h)

    def glyph(ctx, W, H):
        ctx.set_source_rgba(1, 1, 1, 1)
        ctx.set_line_width(max(1.0, 3 * s))
        cy = y - 55 * s
        ctx.move_to(x - 6 * s, cy - 22 * s)
        ctx.line_to(x - 6 * s, cy + 22 * s)
        ctx.move_to(x - 6 * s, cy - 10 * s)
        ctx.line_to(x + 8 * s, cy - 22 * s)
        ctx.move_to(x - 6 * s, cy + 4 * s)
        ctx.line_to(x + 8 * s, cy - 8 * s)
        ctx.stroke()
    m = draw_on(rune, glyph)[..., 3]
    add_light(arr, solid(blur_mask(m, max(1.0, 6 * s)), glow), strength=0.9)
    over(arr, solid(m * 0.8, mix(glow, (1, 1, 1), 0.3)))
    return arr


# ---------------------------------------------------------------- the six regions

def meadows(w, h, seed):
    """Reed Meadows: spring sky and clouds, a windmill on green hills, a winding stream, flowers
    and reeds."""
    r = rng(seed)
    arr = gradient_v(w, h, (0.38, 0.62, 0.90), (0.82, 0.90, 0.96))
    sun(arr, w * 0.78, h * 0.14, w * 0.03, (1.0, 0.95, 0.75), 0.35)
    clouds(arr, seed + 1, 0.02, 0.42, (1, 1, 1), 0.9, cell=w // 7)
    layer_below(arr, ridge_line(w, seed + 2, h * 0.47, h * 0.10, w // 4), (0.45, 0.58, 0.72), (0.40, 0.56, 0.55), seed + 3, cell=w // 16)
    hill = ridge_line(w, seed + 4, h * 0.56, h * 0.12, w // 3)
    layer_below(arr, hill, (0.50, 0.70, 0.32), (0.30, 0.52, 0.20), seed + 5, cell=w // 20)
    # a windmill on the mid hill
    mx = int(w * (0.28 + 0.1 * r.random()))
    my = float(hill[mx])
    s = w / 800.0 * 1.5

    def mill(ctx, W, H):
        polygon(ctx, (0.88, 0.84, 0.76), [(mx - 14 * s, my + 4 * s), (mx - 9 * s, my - 62 * s), (mx + 9 * s, my - 62 * s),
                                          (mx + 14 * s, my + 4 * s)])
        polygon(ctx, (0.62, 0.22, 0.16), [(mx - 12 * s, my - 60 * s), (mx, my - 76 * s), (mx + 12 * s, my - 60 * s)])
        ctx.set_source_rgb(0.36, 0.26, 0.18)
        ctx.set_line_width(3 * s)
        for k in range(4):
            a = math.radians(20 + 90 * k)
            ctx.move_to(mx, my - 60 * s)
            ctx.line_to(mx + math.cos(a) * 46 * s, my - 60 * s + math.sin(a) * 46 * s)
            ctx.stroke()
        ctx.set_source_rgba(0.95, 0.92, 0.85, 0.9)
        for k in range(4):
            a = math.radians(20 + 90 * k)
            ca, sa = math.cos(a), math.sin(a)
            px, py = -sa, ca
            x1, y1 = mx + ca * 14 * s, my - 60 * s + sa * 14 * s
            x2, y2 = mx + ca * 44 * s, my - 60 * s + sa * 44 * s
            ctx.move_to(x1, y1)
            ctx.line_to(x2, y2)
            ctx.line_to(x2 + px * 9 * s, y2 + py * 9 * s)
            ctx.line_to(x1 + px * 9 * s, y1 + py * 9 * s)
            ctx.fill()
        ctx.set_source_rgb(0.30, 0.22, 0.16)
        ctx.rectangle(mx - 4 * s, my - 18 * s, 8 * s, 18 * s)
        ctx.fill()
    arr = draw_on(arr, mill)
    s = w / 800.0
    flock = rng(seed + 15)

    def sheep(ctx, W, H):
        for _ in range(7):
            x = W * flock.uniform(0.05, 0.95)
            y = float(hill[min(int(x), w - 1)]) + flock.uniform(10, 40) * s
            ctx.set_source_rgb(0.97, 0.96, 0.92)
            for dx, dy in ((-6, 0), (0, -4), (6, 0), (0, 2)):
                ctx.arc(x + dx * s, y + dy * s, 7 * s, 0, 2 * math.pi)
                ctx.fill()
            ctx.set_source_rgb(0.16, 0.14, 0.14)
            ctx.arc(x + 12 * s, y - 2 * s, 4 * s, 0, 2 * math.pi)
            ctx.fill()
            ctx.rectangle(x - 6 * s, y + 6 * s, 2 * s, 6 * s)
            ctx.rectangle(x + 4 * s, y + 6 * s, 2 * s, 6 * s)
            ctx.fill()
    arr = draw_on(arr, sheep)
    near = ridge_line(w, seed + 6, h * 0.68, h * 0.06, w // 2)
    layer_below(arr, near, (0.56, 0.74, 0.28), (0.36, 0.55, 0.16), seed + 7, tex=0.25, cell=w // 40)
    # the stream winds from the far hills to the bottom edge
    phase = r.uniform(0, math.tau)

    def stream(ctx, W, H):
        pts = []
        for i in range(41):
            t = i / 40
            y = H * (0.50 + 0.52 * t)
            x = W * (0.62 + 0.16 * math.sin(phase + t * 5.0) * (0.4 + t))
            pts.append((x, y, 2 * s + 70 * s * t * t))
        ctx.move_to(pts[0][0] - pts[0][2], pts[0][1])
        for x, y, hw in pts:
            ctx.line_to(x - hw, y)
        for x, y, hw in reversed(pts):
            ctx.line_to(x + hw, y)
        ctx.close_path()
        ctx.set_source_rgb(0.30, 0.55, 0.82)
        ctx.fill_preserve()
        ctx.set_source_rgba(0.85, 0.93, 1.0, 0.45)
        ctx.set_line_width(2 * s)
        ctx.stroke()
        ctx.set_source_rgba(0.9, 0.96, 1.0, 0.5)
        for x, y, hw in pts[8::3]:
            ctx.move_to(x - hw * 0.5, y)
            ctx.line_to(x + hw * 0.2, y)
            ctx.stroke()
    arr = draw_on(arr, stream)
    arr = dots(arr, seed + 8, int(900 * s * s + 60), (0.0, 0.70, 1.0, 1.0), 2.2,
               [(0.92, 0.20, 0.20), (0.98, 0.85, 0.25), (1.0, 1.0, 0.95), (0.70, 0.45, 0.90)], 0.95, grow=1.6)
    # reeds at both lower corners
    rr = rng(seed + 9)

    def reeds(ctx, W, H):
        for side in (0, 1):
            for _ in range(int(46 * s) + 8):
                x = (rr.uniform(0, 0.2) if side == 0 else rr.uniform(0.82, 1.0)) * W
                top = H * rr.uniform(0.62, 0.82)
                bend = rr.uniform(-14, 14) * s
                ctx.set_source_rgb(*mix((0.40, 0.52, 0.18), (0.62, 0.60, 0.26), rr.random()))
                ctx.set_line_width(2.2 * s)
                ctx.move_to(x, H)
                ctx.curve_to(x, H * 0.9, x + bend, top + 20 * s, x + bend, top)
                ctx.stroke()
                if rr.random() < 0.45:
                    ctx.set_source_rgb(0.45, 0.28, 0.14)
                    ellipse_path(ctx, x + bend, top + 8 * s, 3.2 * s, 10 * s)
                    ctx.fill()
    return draw_on(arr, reeds)


def birch(w, h, seed):
    """Birch Hollow: golden autumn canopy, white birch trunks, a leaf-strewn path, ferns and shafts
    of light."""
    r = rng(seed)
    s = w / 800.0
    arr = gradient_v(w, h, (0.98, 0.88, 0.62), (0.86, 0.66, 0.36))
    # canopy of golden and orange foliage over the upper half
    for k, (col, amount) in enumerate((((0.86, 0.56, 0.16), 0.95), ((0.96, 0.74, 0.22), 0.9), ((0.74, 0.36, 0.12), 0.8))):
        n = value_noise(w, h, max(w // (6 + 3 * k), 3), seed + 10 + k, 5)
        yy = np.linspace(0, 1, h, dtype=np.float32)[:, None]
        m = np.clip((n - 0.46 + (0.55 - yy) * 0.9) * 4, 0, 1)
        over(arr, solid(m * amount, col))
    far = ridge_line(w, seed + 3, h * 0.60, h * 0.05, w // 3)
    layer_below(arr, far, (0.62, 0.46, 0.22), (0.52, 0.34, 0.16), seed + 4, tex=0.3, cell=w // 30)
    # the path: lighter earth narrowing into the hollow
    bend = r.uniform(-0.12, 0.12)

    def path(ctx, W, H):
        ctx.move_to(W * (0.36 + bend), H)
        ctx.curve_to(W * 0.42, H * 0.84, W * (0.56 + bend), H * 0.72, W * 0.50, H * 0.60)
        ctx.curve_to(W * (0.56 + bend), H * 0.72, W * 0.62, H * 0.84, W * (0.70 + bend), H)
        ctx.close_path()
        ctx.set_source_rgba(0.86, 0.72, 0.48, 0.9)
        ctx.fill()
    arr = draw_on(arr, path)
    # birch trunks, far (thin, pale) to near (wide)
    trunks = []
    for depth in range(3):
        for _ in range(3 + 2 * depth):
            trunks.append((depth, r.uniform(-0.02, 1.02), r.uniform(-0.04, 0.04)))
    trunks.sort(key=lambda t: -t[0])

    def trees(ctx, W, H):
        for depth, fx, lean in trunks:
            tw = (9 + 9 * (2 - depth) + r.uniform(-3, 3)) * s
            base = H * (0.66 + 0.14 * (2 - depth) + r.uniform(-0.02, 0.02))
            x = fx * W
            top = -10
            pale = 0.84 + 0.10 * (2 - depth) / 2
            ctx.set_source_rgb(pale, pale * 0.98, pale * 0.93)
            ctx.move_to(x - tw / 2, base)
            ctx.line_to(x - tw / 2 + lean * W, top)
            ctx.line_to(x + tw / 2 + lean * W, top)
            ctx.line_to(x + tw / 2, base)
            ctx.close_path()
            ctx.fill()
            ctx.set_source_rgba(0.30, 0.26, 0.22, 0.35)
            ctx.move_to(x + tw * 0.2, base)
            ctx.line_to(x + tw * 0.2 + lean * W, top)
            ctx.line_to(x + tw / 2 + lean * W, top)
            ctx.line_to(x + tw / 2, base)
            ctx.close_path()
            ctx.fill()
            ctx.set_source_rgb(0.12, 0.10, 0.10)
            y = top + r.uniform(5, 30) * s
            while y < base - 6 * s:
                t = (y - top) / (base - top)
                cx = x + lean * W * (1 - t)
                dw = tw * r.uniform(0.3, 0.7)
                ctx.rectangle(cx - tw / 2 + r.uniform(0, tw - dw), y, dw, r.uniform(1.5, 3.5) * s)
                ctx.fill()
                y += r.uniform(10, 34) * s
    arr = draw_on(arr, trees)
    # light shafts
    light = blank(w, h)

    def shafts(ctx, W, H):
        for k in range(4):
            x = W * (0.15 + 0.22 * k + r.uniform(-0.05, 0.05))
            ctx.move_to(x, 0)
            ctx.line_to(x + 40 * s, 0)
            ctx.line_to(x - 120 * s, H)
            ctx.line_to(x - 220 * s, H)
            ctx.close_path()
            ctx.set_source_rgba(1, 1, 1, 1)
            ctx.fill()
    lm = draw_on(light, shafts)[..., 3] * np.linspace(0.9, 0.1, h, dtype=np.float32)[:, None]
    add_light(arr, solid(blur_mask(lm, 14 * s + 1), (1.0, 0.9, 0.6)), strength=0.18)
    # ferns and fallen leaves in front
    rr = rng(seed + 20)

    def ferns(ctx, W, H):
        for _ in range(int(26 * s) + 6):
            x, y = rr.uniform(0, 1) * W, H * rr.uniform(0.86, 1.04)
            length = rr.uniform(40, 90) * s
            a0 = rr.uniform(-2.4, -0.7)
            ctx.set_source_rgb(*mix((0.32, 0.44, 0.14), (0.58, 0.42, 0.12), rr.random()))
            ctx.set_line_width(2 * s)
            ex, ey = x + math.cos(a0) * length, y + math.sin(a0) * length
            ctx.move_to(x, y)
            ctx.line_to(ex, ey)
            ctx.stroke()
            for i in range(1, 9):
                t = i / 9
                px, py = x + (ex - x) * t, y + (ey - y) * t
                leaf = (1 - t) * 16 * s
                for side in (-1, 1):
                    a = a0 + side * 1.1
                    ctx.move_to(px, py)
                    ctx.line_to(px + math.cos(a) * leaf, py + math.sin(a) * leaf)
                    ctx.stroke()
    arr = draw_on(arr, ferns)

    def floor(ctx, W, H):
        lx, ly = W * rr.uniform(0.05, 0.3), H * 0.80
        ctx.set_source_rgb(0.40, 0.26, 0.14)
        ctx.rectangle(lx, ly - 16 * s, 150 * s, 28 * s)
        ctx.fill()
        ctx.set_source_rgb(0.78, 0.64, 0.44)
        ellipse_path(ctx, lx + 150 * s, ly - 2 * s, 8 * s, 14 * s)
        ctx.fill()
        for _ in range(9):
            mx, my = W * rr.uniform(0, 1), H * rr.uniform(0.74, 0.98)
            k = (my / H - 0.6) * 2.4
            ctx.set_source_rgb(0.94, 0.90, 0.80)
            ctx.rectangle(mx - 3 * s * k, my - 14 * s * k, 6 * s * k, 14 * s * k)
            ctx.fill()
            ctx.set_source_rgb(0.82, 0.14, 0.10)
            ctx.arc(mx, my - 14 * s * k, 11 * s * k, math.pi, 2 * math.pi)
            ctx.fill()
            ctx.set_source_rgb(1, 1, 1)
            for dx in (-5, 0, 5):
                ctx.arc(mx + dx * s * k, my - 19 * s * k, 1.8 * s * k, 0, 2 * math.pi)
                ctx.fill()
    arr = draw_on(arr, floor)
    return dots(arr, seed + 21, int(500 * s * s + 40), (0, 0.0, 1, 1), 2.6,
                [(0.90, 0.50, 0.10), (0.80, 0.25, 0.08), (0.98, 0.78, 0.20)], 0.9, grow=1.2)


def shore(w, h, seed):
    """Salt Shore: a wide sky with gulls, a turquoise sea with an island and a jetty, dunes and
    white salt pans cracked into cells, dark rocks."""
    r = rng(seed)
    s = w / 800.0
    arr = gradient_v(w, h, (0.52, 0.72, 0.92), (0.92, 0.90, 0.88))
    sun(arr, w * 0.22, h * 0.20, w * 0.028, (1.0, 0.96, 0.85), 0.3)
    clouds(arr, seed + 1, 0.04, 0.34, (1, 1, 1), 0.7, cell=w // 5, cover=0.6)
    sea_y = h * 0.42
    island = ridge_line(w, seed + 2, sea_y, h * 0.07, w // 5)
    island = np.where(np.abs(np.arange(w) - w * 0.72) < w * 0.14, island, sea_y + 2)
    layer_below(arr, island, (0.38, 0.50, 0.46), (0.38, 0.50, 0.46), seed + 3, cell=w // 30)
    sea = np.full(w, sea_y, np.float32)
    layer_below(arr, sea, (0.16, 0.56, 0.66), (0.10, 0.70, 0.70), seed + 4, tex=0.12, cell=w // 10)

    def waves(ctx, W, H):
        ctx.set_line_width(1.6 * s)
        for _ in range(int(140 * s) + 20):
            y = r.uniform(0.43, 0.62) * H
            x = r.uniform(0, 1) * W
            ln = (6 + 40 * (y / H - 0.42)) * s * 3
            ctx.set_source_rgba(0.9, 0.98, 1.0, 0.55)
            ctx.move_to(x, y)
            ctx.curve_to(x + ln / 3, y - 2 * s, x + ln * 2 / 3, y - 2 * s, x + ln, y)
            ctx.stroke()
    arr = draw_on(arr, waves)
    beach = ridge_line(w, seed + 5, h * 0.64, h * 0.08, w // 3)
    layer_below(arr, beach, (0.92, 0.84, 0.64), (0.84, 0.72, 0.50), seed + 6, tex=0.2, cell=w // 40)
    # salt pans: pale cells with dark cracks in the foreground
    pan = blank(w, h)
    px, pw = w * r.uniform(0.05, 0.35), w * 0.5

    def pans(ctx, W, H):
        ellipse_path(ctx, px + pw / 2, H * 0.86, pw / 2, H * 0.10)
        ctx.set_source_rgba(1, 1, 1, 1)
        ctx.fill()
    pm = draw_on(pan, pans)[..., 3]
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    pts = np.stack([r.uniform(px, px + pw, 60), r.uniform(h * 0.74, h * 0.98, 60)], axis=1).astype(np.float32)
    d = np.full((h, w), 1e9, np.float32)
    d2 = np.full((h, w), 1e9, np.float32)
    for (qx, qy) in pts:
        dist = np.hypot(xx - qx, (yy - qy) * 2.2)
        d2 = np.minimum(d2, np.maximum(d, dist))
        d = np.minimum(d, dist)
    crack = np.clip(1 - (d2 - d) / (2.2 * s + 0.5), 0, 1) * pm
    over(arr, solid(pm * 0.92, (0.97, 0.97, 0.95)))
    over(arr, solid(crack * 0.6, (0.60, 0.58, 0.55)))
    # jetty into the sea and a moored boat

    def jetty(ctx, W, H):
        jx = W * (0.62 + r.uniform(-0.06, 0.06))
        # planks from the beach (wide, near) out over the water (narrow, far)
        near_y, far_y = H * 0.74, H * 0.48
        ctx.set_source_rgb(0.56, 0.40, 0.24)
        ctx.move_to(jx - 40 * s, near_y)
        ctx.line_to(jx + 40 * s, near_y)
        ctx.line_to(jx + 12 * s, far_y)
        ctx.line_to(jx - 2 * s, far_y)
        ctx.close_path()
        ctx.fill()
        ctx.set_source_rgb(0.34, 0.22, 0.12)
        ctx.set_line_width(1.2 * s)
        for k in range(16):
            t = (k / 15) ** 1.6
            y = near_y + (far_y - near_y) * t
            hw = 40 * s + (7 * s - 40 * s) * t
            cx = jx + 5 * s * t
            ctx.move_to(cx - hw, y)
            ctx.line_to(cx + hw, y)
            ctx.stroke()
        ctx.set_line_width(4 * s)
        for k in range(6):
            t = (k / 5) ** 1.6
            y = near_y + (far_y - near_y) * t
            hw = 40 * s + (7 * s - 40 * s) * t
            for side in (-1, 1):
                ctx.move_to(jx + 5 * s * t + side * hw, y)
                ctx.line_to(jx + 5 * s * t + side * hw, y + (22 - 14 * t) * s)
                ctx.stroke()
        # the lighthouse on the island
        lx, ly = W * 0.76, H * 0.37
        ctx.set_source_rgb(0.95, 0.94, 0.90)
        ctx.move_to(lx - 8 * s, ly)
        ctx.line_to(lx - 5 * s, ly - 44 * s)
        ctx.line_to(lx + 5 * s, ly - 44 * s)
        ctx.line_to(lx + 8 * s, ly)
        ctx.fill()
        ctx.set_source_rgb(0.78, 0.20, 0.16)
        for k in (1, 3):
            ctx.rectangle(lx - 7 * s, ly - k * 11 * s, 14 * s, 5 * s)
            ctx.fill()
        ctx.rectangle(lx - 6 * s, ly - 52 * s, 12 * s, 8 * s)
        ctx.fill()
        # huts on the dunes
        for k in range(3):
            hx, hy = W * (0.06 + 0.11 * k + r.uniform(0, 0.03)), H * (0.70 + r.uniform(-0.02, 0.02))
            ctx.set_source_rgb(*[(0.70, 0.36, 0.22), (0.40, 0.56, 0.66), (0.86, 0.74, 0.40)][k])
            ctx.rectangle(hx, hy - 30 * s, 46 * s, 30 * s)
            ctx.fill()
            ctx.set_source_rgb(0.36, 0.24, 0.16)
            ctx.move_to(hx - 6 * s, hy - 28 * s)
            ctx.line_to(hx + 23 * s, hy - 48 * s)
            ctx.line_to(hx + 52 * s, hy - 28 * s)
            ctx.fill()
            ctx.rectangle(hx + 18 * s, hy - 16 * s, 10 * s, 16 * s)
            ctx.fill()
        # tufts of dune grass
        ctx.set_line_width(1.6 * s)
        for _ in range(int(40 * s) + 8):
            gx, gy = r.uniform(0, 1) * W, r.uniform(0.68, 1.0) * H
            ctx.set_source_rgb(*mix((0.50, 0.58, 0.26), (0.72, 0.66, 0.34), r.random()))
            for k in range(5):
                a = math.radians(-90 + (k - 2) * 16 + r.uniform(-6, 6))
                ln = r.uniform(10, 22) * s
                ctx.move_to(gx, gy)
                ctx.line_to(gx + math.cos(a) * ln, gy + math.sin(a) * ln)
                ctx.stroke()
        bx, by = jx + 100 * s, H * 0.52
        ctx.set_source_rgb(0.72, 0.22, 0.16)
        ctx.move_to(bx - 30 * s, by)
        ctx.line_to(bx + 30 * s, by)
        ctx.line_to(bx + 20 * s, by + 10 * s)
        ctx.line_to(bx - 22 * s, by + 10 * s)
        ctx.close_path()
        ctx.fill()
        ctx.set_source_rgb(0.25, 0.18, 0.12)
        ctx.set_line_width(2 * s)
        ctx.move_to(bx, by)
        ctx.line_to(bx, by - 40 * s)
        ctx.stroke()
        ctx.set_source_rgb(0.96, 0.94, 0.86)
        ctx.move_to(bx + 2 * s, by - 38 * s)
        ctx.line_to(bx + 24 * s, by - 4 * s)
        ctx.line_to(bx + 2 * s, by - 4 * s)
        ctx.close_path()
        ctx.fill()
        # gulls
        ctx.set_source_rgb(0.25, 0.25, 0.3)
        ctx.set_line_width(1.8 * s)
        for _ in range(7):
            gx, gy, gs = r.uniform(0.05, 0.95) * W, r.uniform(0.05, 0.35) * H, r.uniform(5, 10) * s
            ctx.move_to(gx - gs, gy - gs * 0.4)
            ctx.curve_to(gx - gs * 0.5, gy - gs * 0.8, gx - gs * 0.2, gy - gs * 0.4, gx, gy)
            ctx.curve_to(gx + gs * 0.2, gy - gs * 0.4, gx + gs * 0.5, gy - gs * 0.8, gx + gs, gy - gs * 0.4)
            ctx.stroke()
        # rocks
        for _ in range(6):
            rx, ry, rs = r.uniform(0, 1) * W, r.uniform(0.66, 0.98) * H, r.uniform(10, 30) * s
            ctx.set_source_rgb(0.30, 0.30, 0.34)
            ellipse_path(ctx, rx, ry, rs, rs * 0.6, math.pi, 2 * math.pi)
            ctx.fill()
    return draw_on(arr, jetty)


def ridge(w, h, seed):
    """Pine Ridge: snowy peaks, ranks of dark pines, a frozen lake and snow in front."""
    s = w / 800.0
    arr = gradient_v(w, h, (0.30, 0.48, 0.78), (0.86, 0.92, 0.98))
    clouds(arr, seed + 1, 0.0, 0.25, (1, 1, 1), 0.6, cell=w // 5, cover=0.6)
    peaks = ridge_line(w, seed + 2, h * 0.50, h * 0.36, w // 6, octaves=5, sharp=True)
    m = layer_below(arr, peaks, (0.56, 0.62, 0.74), (0.40, 0.46, 0.58), seed + 3, tex=0.2, cell=w // 25)
    yy = np.arange(h, dtype=np.float32)[:, None]
    snow = np.clip((h * 0.34 - yy + (value_noise(w, h, max(w // 20, 3), seed + 4, 4) - 0.5) * h * 0.12) / (h * 0.02), 0, 1) * m
    # faces turned from the sun (to the right of each peak) lie in blue shadow
    slope = blur_mask(np.gradient(peaks)[None, :].repeat(3, axis=0), max(w / 80, 1.0))[1]
    shadow = np.clip(-slope / (h * 0.004), 0, 1)[None, :] * m
    over(arr, solid(snow * 0.95, (0.96, 0.97, 1.0)))
    over(arr, solid(shadow * 0.35, (0.30, 0.36, 0.60)))
    lake_y = h * 0.66

    def pines(ctx, W, H, base, size, col, count, rr):
        for _ in range(count):
            x = rr.uniform(-0.02, 1.02) * W
            y = base(x) + rr.uniform(-4, 8) * s
            t = size * rr.uniform(0.7, 1.3) * s
            ctx.set_source_rgb(*col)
            for k in range(3):
                ctx.move_to(x, y - t * (1.0 - 0.25 * k) - t * 0.2)
                ctx.line_to(x - t * (0.22 + 0.08 * k), y - t * (0.45 - 0.25 * k))
                ctx.line_to(x + t * (0.22 + 0.08 * k), y - t * (0.45 - 0.25 * k))
                ctx.close_path()
                ctx.fill()
            ctx.rectangle(x - t * 0.04, y - t * 0.2, t * 0.08, t * 0.22)
            ctx.fill()
    band1 = ridge_line(w, seed + 5, h * 0.58, h * 0.06, w // 3)
    layer_below(arr, band1, (0.24, 0.36, 0.34), (0.22, 0.32, 0.30), seed + 6, cell=w // 30)
    rr = rng(seed + 7)
    arr = draw_on(arr, lambda c, W, H: pines(c, W, H, lambda x: band1[min(int(x), w - 1)] + 6 * s, 36, (0.12, 0.26, 0.22),
                                             int(70 * s) + 10, rr))
    lake = np.full(w, lake_y, np.float32)
    layer_below(arr, lake, (0.62, 0.82, 0.90), (0.78, 0.90, 0.95), seed + 8, tex=0.1, cell=w // 8)

    # the far pines mirrored in the ice
    band = arr[int(lake_y) - int(h * 0.08):int(lake_y)]
    mirror = band[::-1].copy()
    mirror[..., 3] = 0.35 * np.linspace(1, 0, mirror.shape[0], dtype=np.float32)[:, None]
    over(arr, mirror, 0, int(lake_y))

    def ice(ctx, W, H):
        ctx.set_source_rgba(1, 1, 1, 0.5)
        ctx.set_line_width(1.5 * s)
        for _ in range(30):
            x, y = rr.uniform(0, 1) * W, rr.uniform(0.67, 0.78) * H
            ctx.move_to(x, y)
            ctx.line_to(x + rr.uniform(20, 80) * s, y + rr.uniform(-3, 3) * s)
            ctx.stroke()
    arr = draw_on(arr, ice)
    front = ridge_line(w, seed + 9, h * 0.80, h * 0.08, w // 2)
    layer_below(arr, front, (0.94, 0.96, 1.0), (0.78, 0.84, 0.94), seed + 10, tex=0.1, cell=w // 20)
    # blue shadows in the snow, rocks, a cabin with smoke and a sledge track
    sn = value_noise(w, h, max(w // 12, 3), seed + 13, 4)
    yy2 = np.arange(h, dtype=np.float32)[:, None]
    drift = np.clip((sn - 0.55) * 4, 0, 1) * (yy2 > front[None, :] + 6)
    over(arr, solid(drift * 0.35, (0.55, 0.66, 0.90)))
    rr3 = rng(seed + 14)
    cab_x = w * rr3.uniform(0.30, 0.60)
    cab_y = float(front[int(cab_x)]) + 40 * s

    def homestead(ctx, W, H):
        for _ in range(9):
            x, y, rs = rr3.uniform(0, 1) * W, rr3.uniform(0.84, 1.0) * H, rr3.uniform(14, 34) * s
            ctx.set_source_rgb(0.36, 0.38, 0.44)
            ellipse_path(ctx, x, y, rs, rs * 0.7, math.pi, 2 * math.pi)
            ctx.fill()
            ctx.set_source_rgb(0.97, 0.98, 1.0)
            ellipse_path(ctx, x, y - rs * 0.45, rs * 0.8, rs * 0.28, math.pi, 2 * math.pi)
            ctx.fill()
        ctx.set_source_rgb(0.42, 0.24, 0.14)
        ctx.rectangle(cab_x - 40 * s, cab_y - 34 * s, 80 * s, 34 * s)
        ctx.fill()
        ctx.set_source_rgb(0.30, 0.16, 0.10)
        for k in range(5):
            ctx.rectangle(cab_x - 40 * s, cab_y - 34 * s + k * 7 * s, 80 * s, 1.5 * s)
            ctx.fill()
        polygon(ctx, (0.97, 0.98, 1.0), [(cab_x - 50 * s, cab_y - 32 * s), (cab_x, cab_y - 62 * s),
                                         (cab_x + 50 * s, cab_y - 32 * s)])
        ctx.set_source_rgb(1.0, 0.80, 0.40)
        ctx.rectangle(cab_x - 26 * s, cab_y - 24 * s, 12 * s, 10 * s)
        ctx.rectangle(cab_x + 14 * s, cab_y - 24 * s, 12 * s, 10 * s)
        ctx.fill()
        ctx.set_source_rgb(0.30, 0.18, 0.12)
        ctx.rectangle(cab_x - 5 * s, cab_y - 20 * s, 10 * s, 20 * s)
        ctx.rectangle(cab_x + 22 * s, cab_y - 66 * s, 8 * s, 18 * s)
        ctx.fill()
        ctx.set_source_rgba(0.45, 0.52, 0.70, 0.6)
        ctx.set_line_width(2 * s)
        for off in (0, 10):
            ctx.move_to(cab_x - 60 * s + off * s, H)
            ctx.curve_to(cab_x - 80 * s, H * 0.94, cab_x - 10 * s, cab_y + 30 * s, cab_x - 10 * s + off * s, cab_y + 4 * s)
            ctx.stroke()
    arr = draw_on(arr, homestead)
    for k in range(4):
        over(arr, solid(radial(w, h, cab_x + 26 * s + k * 8 * s, cab_y - (80 + 26 * k) * s, (10 + 6 * k) * s, 1.0) * 0.5,
                        (0.85, 0.88, 0.95)))
    rr2 = rng(seed + 11)
    arr = draw_on(arr, lambda c, W, H: pines(c, W, H, lambda x: front[min(max(int(x), 0), w - 1)] + 20 * s, 120,
                                             (0.10, 0.22, 0.18), 5, rr2))
    return dots(arr, seed + 12, int(300 * s * s + 20), (0, 0, 1, 1), 1.6, [(1, 1, 1)], 0.8)


def quarry(w, h, seed):
    """Cinder Quarry: a smoky ember sky, red and ochre terraces cut into the hill, glowing cracks,
    a wooden crane, rails and a cart."""
    r = rng(seed)
    s = w / 800.0
    arr = gradient_v(w, h, (0.36, 0.20, 0.22), (0.92, 0.58, 0.32))
    sun(arr, w * 0.70, h * 0.24, w * 0.04, (1.0, 0.55, 0.25), 0.5)
    clouds(arr, seed + 1, 0.0, 0.45, (0.45, 0.38, 0.40), 0.7, cell=w // 6, cover=0.5)
    terrace_cols = [(0.66, 0.30, 0.20), (0.78, 0.46, 0.26), (0.58, 0.24, 0.18), (0.82, 0.58, 0.34), (0.50, 0.22, 0.16)]
    base = h * 0.36
    for k, col in enumerate(terrace_cols):
        top = ridge_line(w, seed + 10 + k, base + k * h * 0.11, h * 0.03, w // 4)
        # each step: a light ledge and a darker face under it
        layer_below(arr, top, mix(col, (1, 0.9, 0.7), 0.35), mix(col, (0.1, 0.05, 0.05), 0.35), seed + 20 + k, tex=0.3,
                    cell=w // 35)
        m = np.zeros((h, w), np.float32)
        yy = np.arange(h, dtype=np.float32)[:, None]
        m[(yy >= top[None, :]) & (yy < top[None, :] + 4 * s + 1)] = 1
        over(arr, solid(m * 0.6, (1.0, 0.85, 0.6)))
        # cut-stone joints on the face below the ledge
        face = np.zeros((h, w), np.float32)
        step = h * 0.11
        rows = [top + step * f for f in (0.35, 0.7)]
        for row in rows:
            face[(yy >= row[None, :]) & (yy < row[None, :] + 1.5 * s + 0.5)] = 1
        jr = rng(seed + 60 + k)
        for x in np.cumsum(jr.uniform(18, 60, 40) * s):
            if x >= w:
                break
            xi = int(x)
            y0 = int(top[xi] + (step * 0.35 if jr.random() < 0.5 else 6 * s))
            face[y0:int(y0 + step * 0.35), xi:xi + max(1, int(1.5 * s))] = 1
        over(arr, solid(face * 0.45, (0.22, 0.10, 0.08)))
    # glowing cracks running down the faces
    glow = blank(w, h)

    def cracks(ctx, W, H):
        ctx.set_source_rgba(1, 1, 1, 1)
        ctx.set_line_width(2.2 * s)
        for _ in range(10):
            x, y = r.uniform(0, 1) * W, r.uniform(0.4, 0.8) * H
            ctx.move_to(x, y)
            for _ in range(6):
                x += r.uniform(-14, 14) * s
                y += r.uniform(6, 18) * s
                ctx.line_to(x, y)
            ctx.stroke()
    cm = draw_on(glow, cracks)[..., 3]
    add_light(arr, solid(blur_mask(cm, 5 * s + 1), (1.0, 0.45, 0.1)), strength=0.9)
    over(arr, solid(cm, (1.0, 0.85, 0.35)))

    tun_x = w * r.uniform(0.55, 0.85)
    tun_y = h * 0.69
    glow2 = blank(w, h)

    def tunnel(ctx, W, H):
        ctx.set_source_rgba(1, 1, 1, 1)
        ctx.arc(tun_x, tun_y, 34 * s, math.pi, 2 * math.pi)
        ctx.line_to(tun_x + 34 * s, tun_y + 30 * s)
        ctx.line_to(tun_x - 34 * s, tun_y + 30 * s)
        ctx.close_path()
        ctx.fill()
    tm = draw_on(glow2, tunnel)[..., 3]
    over(arr, solid(tm, (0.10, 0.05, 0.04)))
    add_light(arr, solid(blur_mask(tm, 8 * s + 1) * radial(w, h, tun_x, tun_y + 20 * s, 60 * s, 1.0), (1.0, 0.5, 0.15)),
              strength=1.0)

    def works(ctx, W, H):
        # timber frame round the tunnel mouth, and ladders between the terraces
        ctx.set_source_rgb(0.36, 0.22, 0.12)
        ctx.set_line_width(6 * s)
        ctx.move_to(tun_x - 38 * s, tun_y + 30 * s)
        ctx.line_to(tun_x - 38 * s, tun_y - 36 * s)
        ctx.line_to(tun_x + 38 * s, tun_y - 36 * s)
        ctx.line_to(tun_x + 38 * s, tun_y + 30 * s)
        ctx.stroke()
        ctx.set_line_width(2.5 * s)
        for _ in range(4):
            lx, ly = W * r.uniform(0.05, 0.5), H * r.uniform(0.45, 0.72)
            ctx.move_to(lx, ly)
            ctx.line_to(lx + 6 * s, ly - 70 * s)
            ctx.move_to(lx + 16 * s, ly)
            ctx.line_to(lx + 22 * s, ly - 70 * s)
            ctx.stroke()
            for k in range(1, 7):
                t = k / 7
                ctx.move_to(lx + 6 * s * t, ly - 70 * s * t)
                ctx.line_to(lx + 16 * s + 6 * s * t, ly - 70 * s * t)
                ctx.stroke()
        # crane on the upper terrace
        cx, cy = W * r.uniform(0.15, 0.35), H * 0.42
        ctx.set_source_rgb(0.22, 0.14, 0.10)
        ctx.set_line_width(4 * s)
        ctx.move_to(cx, cy)
        ctx.line_to(cx, cy - 110 * s)
        ctx.line_to(cx + 120 * s, cy - 90 * s)
        ctx.stroke()
        ctx.set_line_width(2 * s)
        ctx.move_to(cx, cy - 60 * s)
        ctx.line_to(cx + 60 * s, cy - 100 * s)
        ctx.move_to(cx + 110 * s, cy - 92 * s)
        ctx.line_to(cx + 110 * s, cy - 40 * s)
        ctx.stroke()
        ctx.rectangle(cx + 98 * s, cy - 40 * s, 24 * s, 16 * s)
        ctx.fill()
        # rails and a cart in front
        ry = H * 0.90
        ctx.set_line_width(3 * s)
        ctx.move_to(0, ry)
        ctx.line_to(W, ry - 30 * s)
        ctx.move_to(0, ry + 14 * s)
        ctx.line_to(W, ry - 16 * s)
        ctx.stroke()
        for k in range(16):
            x = W * k / 15
            ctx.move_to(x, ry - 30 * s * k / 15 - 2 * s)
            ctx.line_to(x, ry - 30 * s * k / 15 + 16 * s)
            ctx.stroke()
        kx = W * r.uniform(0.55, 0.8)
        ky = ry - 30 * s * kx / W
        ctx.set_source_rgb(0.30, 0.22, 0.20)
        ctx.move_to(kx - 40 * s, ky - 36 * s)
        ctx.line_to(kx + 40 * s, ky - 36 * s)
        ctx.line_to(kx + 30 * s, ky - 2 * s)
        ctx.line_to(kx - 30 * s, ky - 2 * s)
        ctx.close_path()
        ctx.fill()
        ctx.set_source_rgb(0.95, 0.50, 0.15)
        for dx in (-22, -6, 10, 24):
            ctx.arc(kx + dx * s, ky - 38 * s, 8 * s, math.pi, 2 * math.pi)
            ctx.fill()
        ctx.set_source_rgb(0.12, 0.10, 0.10)
        for dx in (-20, 20):
            ctx.arc(kx + dx * s, ky, 7 * s, 0, 2 * math.pi)
            ctx.fill()
    arr = draw_on(arr, works)
    # smoke plumes rising from the pit
    smoke = blank(w, h)
    for k in range(3):
        px = w * r.uniform(0.1, 0.9)
        m = radial(w, h, px, h * 0.35, w * 0.12, 1.2) * (value_noise(w, h, max(w // 12, 3), seed + 40 + k, 4) + 0.3)
        over(smoke, solid(np.clip(m, 0, 1) * 0.55, (0.42, 0.38, 0.40)))
    over(arr, smoke)
    return dots(arr, seed + 30, int(260 * s * s + 20), (0, 0.2, 1, 1), 1.8, [(1.0, 0.7, 0.2), (1.0, 0.4, 0.1)], 0.9)


def tower(w, h, seed):
    """Lantern Tower: a violet evening sky with stars and moon, the tall tower with its lantern,
    strings of coloured lanterns, floating sky lanterns and the roofs of the town."""
    r = rng(seed)
    s = w / 800.0
    arr = gradient_v(w, h, (0.14, 0.08, 0.30), (0.72, 0.42, 0.52))
    stars = np.zeros((h, w), np.float32)
    n = int(w * h / 1800)
    stars[r.integers(0, h // 2, n), r.integers(0, w, n)] = r.random(n)
    add_light(arr, solid(np.clip(blur_mask(stars, 0.7) * 3, 0, 1), (1, 0.95, 0.85)))
    sun(arr, w * 0.16, h * 0.16, w * 0.035, (0.95, 0.92, 1.0), 0.25)
    hills = ridge_line(w, seed + 2, h * 0.62, h * 0.08, w // 3)
    layer_below(arr, hills, (0.32, 0.22, 0.40), (0.20, 0.14, 0.26), seed + 3, cell=w // 30)
    tx = w * r.uniform(0.55, 0.72)
    light = blank(w, h)

    def town(ctx, W, H):
        # the tower
        ctx.set_source_rgb(0.26, 0.20, 0.30)
        ctx.move_to(tx - 34 * s, H * 0.80)
        ctx.line_to(tx - 22 * s, H * 0.22)
        ctx.line_to(tx + 22 * s, H * 0.22)
        ctx.line_to(tx + 34 * s, H * 0.80)
        ctx.fill()
        ctx.rectangle(tx - 30 * s, H * 0.16, 60 * s, H * 0.06)
        ctx.fill()
        ctx.move_to(tx - 36 * s, H * 0.16)
        ctx.line_to(tx, H * 0.04)
        ctx.line_to(tx + 36 * s, H * 0.16)
        ctx.fill()
        # roofs of the town
        x = -10 * s
        while x < W:
            bw = r.uniform(40, 90) * s
            bh = r.uniform(40, 110) * s
            y = H * r.uniform(0.80, 0.88)
            ctx.set_source_rgb(*mix((0.18, 0.12, 0.22), (0.30, 0.18, 0.26), r.random()))
            ctx.rectangle(x, y - bh, bw, bh + H)
            ctx.fill()
            ctx.move_to(x - 6 * s, y - bh)
            ctx.line_to(x + bw / 2, y - bh - r.uniform(18, 40) * s)
            ctx.line_to(x + bw + 6 * s, y - bh)
            ctx.fill()
            x += bw + r.uniform(2, 14) * s

    def windows(ctx, W, H):
        ctx.set_source_rgba(1, 1, 1, 1)
        for k in range(9):
            ctx.rectangle(tx - 5 * s, H * (0.26 + 0.06 * k), 10 * s, 14 * s)
            ctx.fill()
        for _ in range(int(60 * s) + 10):
            ctx.rectangle(r.uniform(0, 1) * W, H * r.uniform(0.74, 0.98), 6 * s, 9 * s)
            ctx.fill()
        ctx.arc(tx, H * 0.19, 14 * s, 0, 2 * math.pi)
        ctx.fill()
    arr = draw_on(arr, town)
    wm = draw_on(light, windows)[..., 3]
    add_light(arr, solid(blur_mask(wm, 8 * s + 1), (1.0, 0.7, 0.3)), strength=0.8)
    over(arr, solid(wm * 0.9, (1.0, 0.85, 0.45)))
    add_light(arr, solid(radial(w, h, tx, h * 0.19, w * 0.25, 2.0), (1.0, 0.75, 0.35)), strength=0.6)
    # strings of lanterns and floating sky lanterns
    lamps = blank(w, h)
    colours = [(1.0, 0.35, 0.25), (1.0, 0.80, 0.30), (0.50, 0.95, 0.50), (0.45, 0.75, 1.0)]

    def strings(ctx, W, H):
        for k in range(3):
            x0, x1 = r.uniform(-0.1, 0.3) * W, r.uniform(0.7, 1.1) * W
            y0 = H * r.uniform(0.06, 0.5)
            sag = r.uniform(40, 120) * s
            ctx.set_source_rgba(0.15, 0.10, 0.15, 0.9)
            ctx.set_line_width(1.5 * s)
            ctx.move_to(x0, y0)
            ctx.curve_to(x0 + (x1 - x0) / 3, y0 + sag, x0 + 2 * (x1 - x0) / 3, y0 + sag, x1, y0)
            ctx.stroke()
            for i in range(1, 14):
                t = i / 14
                x = (1 - t) ** 3 * x0 + 3 * (1 - t) ** 2 * t * (x0 + (x1 - x0) / 3) + 3 * (1 - t) * t * t * (x0 + 2 * (x1 - x0) / 3) + t ** 3 * x1
                y = y0 + 3 * (1 - t) * t * sag
                c = colours[(i + k) % len(colours)]
                ctx.set_source_rgb(*c)
                ellipse_path(ctx, x, y + 8 * s, 6 * s, 8 * s)
                ctx.fill()
        for _ in range(14):
            x, y = r.uniform(0, 1) * W, r.uniform(0.05, 0.6) * H
            ctx.set_source_rgb(1.0, 0.62, 0.25)
            ctx.rectangle(x - 5 * s, y - 7 * s, 10 * s, 14 * s)
            ctx.fill()
    lamps = draw_on(lamps, strings)
    add_light(arr, blur(lamps, 6 * s + 1), strength=0.8)
    over(arr, lamps)
    return arr


PAINTERS = {"meadows": meadows, "birch": birch, "shore": shore, "ridge": ridge, "quarry": quarry, "tower": tower}


def paint(w, h, region, variant, seed):
    """One region in one variant, opaque."""
    if variant == "b":
        arr = PAINTERS[region](w, h, seed + 500)
        arr = np.ascontiguousarray(arr[:, ::-1])
        grade(arr, warm=1.0, dark=0.08)
    elif variant in ("w", "s"):
        arr = PAINTERS[region](w, h, seed + 900)
        grade(arr, grey=0.55, dark=0.22, fog=((0.55, 0.55, 0.60), 0.55))
        if variant == "w":
            x = w * (0.30 + 0.4 * rng(seed).random())
            arr = warden_stone(arr, x, h * 0.62, h * 0.30, WARDEN_CLASS[region], seed)
    else:
        arr = PAINTERS[region](w, h, seed)
    arr[..., 3] = 1
    return arr


# ---------------------------------------------------------------- recipes

def scene(w, h, region, variant="a", seed=1):
    """A level background or a puzzle picture."""
    return paint(w, h, region, variant, seed)


def story(w, h, region, variant="a", seed=1, crop=0.18):
    """A story page: the scene painted at 4:3 and cut to the page's band."""
    full_h = int(round(w * 0.75))
    arr = paint(w, full_h, region, variant, seed)
    top = int(full_h * crop)
    return np.ascontiguousarray(arr[top:top + h])


def stage(w, h, region, seed=1):
    """A map stage picture: the region in miniature in a bronze frame."""
    out = blank(w, h)
    frame = rrect_mask(w, h, 0, 0, w, h, 8)
    over(out, metal(w, h, frame, BRONZE, seed + 7, bevel=2))
    over(out, paint(w - 12, h - 12, region, "a", seed), 6, 6)
    return out


def _road_curve(points, steps=12):
    """A Catmull-Rom curve through the points."""
    out = []
    pts = [points[0]] + list(points) + [points[-1]]
    for i in range(1, len(pts) - 2):
        p0, p1, p2, p3 = pts[i - 1], pts[i], pts[i + 1], pts[i + 2]
        for k in range(steps):
            t = k / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(0.5 * ((2 * p1[j]) + (-p0[j] + p2[j]) * t + (2 * p0[j] - 5 * p1[j] + 4 * p2[j] - p3[j]) * t2 +
                                    (-p0[j] + 3 * p1[j] - 3 * p2[j] + p3[j]) * t3) for j in range(2)))
    out.append(tuple(points[-1]))
    return out


# Where each region lies on the map (centre and reach), and its land tint.
MAP_REGIONS = {"meadows": ((640, 470), 150, (0.80, 0.90, 0.62)), "birch": ((400, 480), 150, (0.94, 0.80, 0.52)),
               "shore": ((160, 450), 150, (0.96, 0.92, 0.76)), "ridge": ((150, 230), 150, (0.78, 0.84, 0.92)),
               "quarry": ((420, 250), 150, (0.92, 0.70, 0.58)), "tower": ((660, 130), 160, (0.84, 0.76, 0.92))}


def map_picture(w, h, road=()):
    """The parchment map of the land: a sea along the west coast, each region tinted and marked
    with its own signs, the title, a compass, and a dotted road through the level markers."""
    tex = parchment_tex(w, h, 601)
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    # land: everything but a sea on the west and south-west edges, always land under the road
    n = value_noise(w, h, 90, 602, 5)
    coast = 60 + n * 90 + np.clip(yy - 300, 0, None) * 0.12
    land = (xx > coast).astype(np.float32)
    if road:
        near = np.zeros((h, w), np.float32)
        for (x, y) in road:
            near = np.maximum(near, radial(w, h, x, y, 40, 1.0))
        land = np.maximum(land, (near > 0).astype(np.float32))
    land = blur_mask(land, 1.5)
    sea = 1 - land
    tex[..., :3] = tex[..., :3] * (1 - sea[..., None] * 0.35) + np.array((0.50, 0.66, 0.78), np.float32) * sea[..., None] * 0.35
    edge = np.clip(1 - np.abs(land - 0.5) * 4, 0, 1)
    tex[..., :3] *= (1 - edge * 0.5)[..., None]
    for name, ((cx, cy), reach, tint) in MAP_REGIONS.items():
        m = radial(w, h, cx, cy, reach * 1.4, 1.2) * land
        tex[..., :3] = tex[..., :3] * (1 - m[..., None] * 0.45) + (tex[..., :3] * np.array(tint, np.float32)) * m[..., None] * 0.45
    r = rng(604)

    def signs(ctx, W, H):
        def on_land(x, y):
            return land[int(min(max(y, 0), H - 1)), int(min(max(x, 0), W - 1))] > 0.9

        def near_road(x, y):
            return any((x - px) ** 2 + (y - py) ** 2 < 26 ** 2 for px, py in road)
        ctx.set_line_width(1.4)
        for name, ((cx, cy), reach, tint) in MAP_REGIONS.items():
            for _ in range(60):
                x, y = cx + r.uniform(-reach, reach), cy + r.uniform(-reach * 0.7, reach * 0.7)
                if not on_land(x, y) or near_road(x, y) or y > 556:
                    continue
                ctx.set_source_rgba(*INK, 0.55)
                if name == "meadows":
                    ctx.move_to(x - 4, y)
                    ctx.line_to(x - 2, y - 6)
                    ctx.move_to(x, y)
                    ctx.line_to(x, y - 8)
                    ctx.move_to(x + 4, y)
                    ctx.line_to(x + 2, y - 6)
                    ctx.stroke()
                elif name == "birch":
                    ctx.set_source_rgba(0.75, 0.50, 0.15, 0.8)
                    ctx.arc(x, y - 6, 4, 0, 2 * math.pi)
                    ctx.fill()
                    ctx.set_source_rgba(*INK, 0.6)
                    ctx.move_to(x, y - 2)
                    ctx.line_to(x, y + 4)
                    ctx.stroke()
                elif name == "shore":
                    ctx.arc(x, y, 3, math.pi, 2 * math.pi)
                    ctx.stroke()
                elif name == "ridge":
                    ctx.move_to(x - 9, y + 5)
                    ctx.line_to(x, y - 8)
                    ctx.line_to(x + 9, y + 5)
                    ctx.stroke()
                    ctx.set_source_rgba(0.2, 0.35, 0.25, 0.7)
                    ctx.move_to(x + 10, y + 6)
                    ctx.line_to(x + 13, y)
                    ctx.line_to(x + 16, y + 6)
                    ctx.fill()
                elif name == "quarry":
                    ctx.rectangle(x - 6, y - 3, 12, 6)
                    ctx.stroke()
                    ctx.move_to(x - 6, y)
                    ctx.line_to(x + 6, y)
                    ctx.stroke()
                else:
                    ctx.set_source_rgba(0.85, 0.55, 0.15, 0.8)
                    ctx.arc(x, y, 2.5, 0, 2 * math.pi)
                    ctx.fill()
        # waves on the sea
        ctx.set_source_rgba(0.25, 0.35, 0.50, 0.5)
        for _ in range(120):
            x, y = r.uniform(5, 200), r.uniform(20, 560)
            if land[int(y), int(x)] < 0.1:
                ctx.move_to(x - 6, y)
                ctx.curve_to(x - 3, y - 3, x + 3, y - 3, x + 6, y)
                ctx.stroke()
        # the road: ink dashes along the curve through every marker
        if road:
            ctx.set_source_rgba(0.45, 0.25, 0.10, 0.85)
            ctx.set_line_width(3.0)
            ctx.set_dash([7, 6])
            curve = _road_curve(road)
            ctx.move_to(*curve[0])
            for p in curve[1:]:
                ctx.line_to(*p)
            ctx.stroke()
            ctx.set_dash([])
        # compass
        ctx.set_source_rgba(*INK, 0.7)
        cx, cy = 720, 510
        ctx.set_line_width(2)
        ctx.arc(cx, cy, 40, 0, 2 * math.pi)
        ctx.stroke()
        for k in range(4):
            a = k * math.pi / 2
            ctx.move_to(cx, cy)
            ctx.line_to(cx + math.cos(a) * 52, cy + math.sin(a) * 52)
            ctx.stroke()
        ctx.move_to(cx - 6, cy - 40)
        ctx.line_to(cx, cy - 52)
        ctx.line_to(cx + 6, cy - 40)
        ctx.fill()
    tex = draw_on(tex, signs)
    over(tex, caption(300, 60, "Vessamoor", "capitals", "ink"), 40, 20)
    edge = np.minimum(np.minimum(xx, w - xx), np.minimum(yy, h - yy))
    tex[..., :3] *= np.clip(0.55 + edge / 60, 0.55, 1)[..., None]
    tex[..., 3] = 1
    return tex
