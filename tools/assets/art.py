"""Picture recipes of the asset generator: every function returns a straight-alpha RGBA array."""
import math

import numpy as np

from common import (add_light, blank, blur, blur_mask, draw_on, fit_text_mask, hsv, mix, over,
                    radial, rng, rounded_rect, solid, text_mask, value_noise)
from palette import BALL_TO_CLASS, CLASS_COLOURS, GLYPHS, class_rgb

NIGHT = (0.05, 0.06, 0.16)
VIOLET = (0.22, 0.10, 0.32)
GOLD = (0.98, 0.80, 0.42)
BRONZE = (0.62, 0.42, 0.20)
PARCHMENT = (0.90, 0.80, 0.60)
INK = (0.25, 0.14, 0.07)


# ---------------------------------------------------------------- shared building blocks

def gradient_v(w, h, top, bottom, alpha=1.0):
    t = np.linspace(0, 1, h, dtype=np.float32)[:, None, None]
    arr = np.zeros((h, w, 4), dtype=np.float32)
    arr[..., :3] = np.array(top, np.float32) * (1 - t) + np.array(bottom, np.float32) * t
    arr[..., 3] = alpha
    return arr


def tint(arr, colour, amount):
    arr = arr.copy()
    arr[..., :3] = arr[..., :3] * (1 - amount) + np.array(colour, np.float32) * amount
    return arr


def shade(arr, factor):
    arr = arr.copy()
    arr[..., :3] = np.clip(arr[..., :3] * factor[..., None] if np.ndim(factor) else arr[..., :3] * factor, 0, 1)
    return arr


def glow_text(text, role, w, h, fill_top=GOLD, fill_bottom=(0.85, 0.45, 0.12), glow=(1.0, 0.62, 0.2),
              glow_radius=3.0, outline=(0.16, 0.07, 0.02), size=None, left=None, right=None):
    """A caption: text in a vertical gradient with a dark outline and a soft glow, centred (or with
    its ink starting at x = left, or moved left as far as it must to end by x = right, where the
    screen puts something beside it)."""
    pad = int(glow_radius * 1.5 + 1)
    m = fit_text_mask(text, role, w - 2 * pad, h - 2 * pad, start=size)
    mh, mw = m.shape
    x, y = ((w - mw) // 2 if left is None else left), (h - mh) // 2
    if right is not None:
        x = max(0, min(x, right - mw))
    full = np.zeros((h, w), np.float32)
    full[y:y + mh, x:x + mw] = m[:, : max(0, min(mw, w - x))]
    return style_mask(full, y, mh, fill_top, fill_bottom, glow, glow_radius, outline)


def style_mask(full, y, mh, fill_top, fill_bottom, glow, glow_radius, outline):
    h, w = full.shape
    arr = blank(w, h)
    if glow is not None:
        g = np.clip(blur_mask(full, glow_radius) * 1.8, 0, 1)
        over(arr, solid(g * 0.85, glow))
    thick = np.clip(blur_mask(full, 1.0) * 3.0, 0, 1)
    over(arr, solid(thick, outline))
    fill = blank(w, h)
    t = np.clip((np.arange(h) - y) / max(mh, 1), 0, 1).astype(np.float32)[:, None, None]
    fill[..., :3] = np.array(fill_top, np.float32) * (1 - t) + np.array(fill_bottom, np.float32) * t
    fill[..., 3] = full
    over(arr, fill)
    hl = np.roll(full, 1, axis=0) - full
    over(arr, solid(np.clip(-hl, 0, 1) * 0.35, (1, 1, 0.9)))
    return arr


def noise_tex(w, h, seed, base, dark, cell=24, octaves=4, contrast=1.0):
    n = value_noise(w, h, cell, seed, octaves)
    n = np.clip((n - 0.5) * contrast + 0.5, 0, 1)
    arr = np.zeros((h, w, 4), np.float32)
    for i in range(3):
        arr[..., i] = dark[i] * (1 - n) + base[i] * n
    arr[..., 3] = 1
    return arr


def bevel_light(mask, radius=2.0, strength=0.5):
    """Lightness factor from the mask's gradient: lit from the top left."""
    m = blur_mask(mask, radius)
    gy, gx = np.gradient(m)
    lit = -(gx + gy) * 4.0
    return np.clip(1 + lit * strength, 0.3, 1.8)


def shape_mask(w, h, fn):
    """Alpha mask of a filled cairo path drawn by fn(ctx, w, h)."""
    def draw(ctx, W, H):
        ctx.set_source_rgba(1, 1, 1, 1)
        fn(ctx, W, H)
        ctx.fill()
    return draw_on(blank(w, h), draw)[..., 3]


def rrect_mask(w, h, x, y, rw, rh, r):
    return shape_mask(w, h, lambda c, W, H: rounded_rect(c, x, y, rw, rh, r))


def ellipse_mask(w, h, cx, cy, rx, ry):
    def fn(ctx, W, H):
        ctx.save()
        ctx.translate(cx, cy)
        ctx.scale(rx, ry)
        ctx.arc(0, 0, 1, 0, 2 * math.pi)
        ctx.restore()
    return shape_mask(w, h, fn)


def metal(w, h, mask, base=BRONZE, seed=1, bevel=2.0):
    tex = noise_tex(w, h, seed, mix(base, (1, 0.9, 0.7), 0.25), mix(base, (0, 0, 0), 0.45), cell=max(4, w // 10))
    tex = shade(tex, bevel_light(mask, bevel, 0.9))
    tex[..., 3] = mask
    return tex


def stone(w, h, mask, seed=2, base=(0.45, 0.43, 0.46), bevel=2.5):
    tex = noise_tex(w, h, seed, mix(base, (1, 1, 1), 0.2), mix(base, (0, 0, 0), 0.5), cell=max(3, w // 12), octaves=5)
    tex = shade(tex, bevel_light(mask, bevel, 0.8))
    tex[..., 3] = mask
    return tex


def parchment_tex(w, h, seed):
    tex = noise_tex(w, h, seed, PARCHMENT, (0.72, 0.58, 0.38), cell=max(8, w // 8), octaves=5)
    spots = value_noise(w, h, max(6, w // 20), seed + 7, 3)
    tex[..., :3] *= (0.92 + 0.08 * spots)[..., None]
    return tex


def ragged_mask(w, h, seed, margin=6, rough=5, rounded=10):
    base = rrect_mask(w, h, margin, margin, w - 2 * margin, h - 2 * margin, rounded)
    n = value_noise(w, h, 6, seed, 3)
    edge = blur_mask(base, rough)
    return np.clip((edge - 0.5 + (n - 0.5) * 0.5) * 8 + 0.5, 0, 1)


def parchment(w, h, seed=3, margin=6):
    mask = ragged_mask(w, h, seed, margin)
    tex = parchment_tex(w, h, seed)
    burn = np.clip(1 - blur_mask(mask, 6) , 0, 1)
    tex[..., :3] *= (1 - 0.55 * np.clip(burn * 2.2, 0, 1))[..., None]
    tex[..., 3] = mask
    shadow = solid(blur_mask(mask, 3) * 0.5, (0, 0, 0))
    out = blank(w, h)
    over(out, shadow, 2, 3)
    return over(out, tex)


def panel(w, h, seed=4, fill=(0.10, 0.08, 0.16), frame=BRONZE, border=8, radius=14, fill_alpha=0.92, flat=False):
    """A dark panel in a metal frame; a flat one has a body of one colour, which stays the same when
    pieces of it are stretched."""
    out = blank(w, h)
    outer = rrect_mask(w, h, 1, 1, w - 2, h - 2, radius)
    inner = rrect_mask(w, h, border, border, w - 2 * border, h - 2 * border, max(2, radius - border // 2))
    over(out, solid(blur_mask(outer, 2) * 0.6, (0, 0, 0)), 1, 2)
    over(out, metal(w, h, np.clip(outer - inner, 0, 1), frame, seed))
    body = gradient_v(w, h, mix(fill, (0.3, 0.25, 0.45), 0.35), fill, 1)
    if flat:
        body[..., :3] = mix(fill, (0.3, 0.25, 0.45), 0.15)
    else:
        n = value_noise(w, h, max(8, w // 10), seed + 3, 4)
        body[..., :3] *= (0.85 + 0.3 * n)[..., None]
    body[..., 3] = inner * fill_alpha
    over(out, body)
    # rivets in the corners
    def rivets(ctx, W, H):
        for (x, y) in [(border / 2 + 1, border / 2 + 1), (W - border / 2 - 1, border / 2 + 1),
                       (border / 2 + 1, H - border / 2 - 1), (W - border / 2 - 1, H - border / 2 - 1)]:
            r = max(1.5, border * 0.32)
            g = __import__("cairo").RadialGradient(x - r / 3, y - r / 3, 0, x, y, r)
            g.add_color_stop_rgb(0, 1, 0.92, 0.7)
            g.add_color_stop_rgb(1, 0.35, 0.2, 0.08)
            ctx.set_source(g)
            ctx.arc(x, y, r, 0, 2 * math.pi)
            ctx.fill()
    return draw_on(out, rivets)


def stroke_glyph(ctx, cls, x, y, size, width):
    ctx.set_line_cap(1)
    ctx.set_line_join(1)
    ctx.set_line_width(width)
    for s in GLYPHS[cls]:
        if s[0] == "l":
            ctx.move_to(x + s[1] * size, y + s[2] * size)
            ctx.line_to(x + s[3] * size, y + s[4] * size)
            ctx.stroke()
        elif s[0] == "a":
            ctx.new_sub_path()
            ctx.arc(x + s[1] * size, y + s[2] * size, s[3] * size, math.radians(s[4]), math.radians(s[5]))
            ctx.stroke()
        elif s[0] == "c":
            ctx.new_sub_path()
            ctx.arc(x + s[1] * size, y + s[2] * size, s[3] * size, 0, 2 * math.pi)
            ctx.stroke()
        elif s[0] == "d":
            ctx.new_sub_path()
            ctx.arc(x + s[1] * size, y + s[2] * size, s[3] * size, 0, 2 * math.pi)
            ctx.fill()


def glyph_mask(w, h, cls, x, y, size, width):
    def draw(ctx, W, H):
        ctx.set_source_rgba(1, 1, 1, 1)
        stroke_glyph(ctx, cls, x, y, size, width)
    return draw_on(blank(w, h), draw)[..., 3]


def carve(arr, gm, light=(1, 1, 1), depth=0.55):
    """Cuts a glyph mask into a surface: dark groove, light lower-right rim."""
    dark = np.roll(np.roll(gm, -1, 0), -1, 1)
    rim = np.clip(np.roll(np.roll(gm, 1, 0), 1, 1) - gm, 0, 1)
    out = arr.copy()
    out[..., :3] *= (1 - depth * dark)[..., None]
    out[..., :3] = out[..., :3] * (1 - 0.4 * rim[..., None]) + np.array(light, np.float32) * 0.4 * rim[..., None]
    return out


# ---------------------------------------------------------------- backgrounds

SCENES = {
    "night": dict(sky=((0.02, 0.03, 0.12), (0.20, 0.10, 0.30)), hills=(0.06, 0.05, 0.14), moon=(0.78, 0.16), glow=(0.6, 0.5, 1.0)),
    "dusk": dict(sky=((0.05, 0.04, 0.18), (0.45, 0.20, 0.35)), hills=(0.10, 0.05, 0.12), moon=(0.2, 0.22), glow=(1.0, 0.6, 0.4)),
    "forest": dict(sky=((0.02, 0.06, 0.12), (0.10, 0.25, 0.30)), hills=(0.03, 0.09, 0.08), moon=(0.65, 0.12), glow=(0.5, 1.0, 0.8)),
    "sea": dict(sky=((0.02, 0.04, 0.14), (0.12, 0.22, 0.42)), hills=(0.04, 0.07, 0.16), moon=(0.3, 0.14), glow=(0.6, 0.8, 1.0)),
    "ember": dict(sky=((0.06, 0.02, 0.08), (0.40, 0.12, 0.12)), hills=(0.10, 0.04, 0.06), moon=(0.85, 0.2), glow=(1.0, 0.5, 0.25)),
    "frost": dict(sky=((0.04, 0.06, 0.18), (0.35, 0.40, 0.60)), hills=(0.10, 0.12, 0.22), moon=(0.5, 0.1), glow=(0.8, 0.9, 1.0)),
    "violet": dict(sky=((0.05, 0.02, 0.14), (0.32, 0.12, 0.42)), hills=(0.08, 0.04, 0.14), moon=(0.15, 0.16), glow=(0.9, 0.6, 1.0)),
}


def scene(w, h, seed=1, theme="night", towers=True, veil=0.0):
    """A night landscape: sky, stars, moon light, clouds, layered hills, a far castle, mist."""
    t = SCENES[theme]
    r = rng(seed)
    arr = gradient_v(w, h, t["sky"][0], t["sky"][1])
    clouds = value_noise(w, h, 90, seed + 1, 5)
    cl = np.clip((clouds - 0.45) * 2.2, 0, 1) * np.linspace(0.25, 0.6, h)[:, None]
    over(arr, solid(cl * 0.5, mix(t["sky"][1], (0.8, 0.7, 0.9), 0.3)))
    mx, my = t["moon"]
    add_light(arr, solid(radial(w, h, mx * w, my * h, 0.55 * w, 2.2), t["glow"]), strength=0.45)
    stars = np.zeros((h, w), np.float32)
    n = int(w * h / 2500)
    xs, ys, bs = r.integers(0, w, n), r.integers(0, int(h * 0.7), n), r.random(n)
    stars[ys, xs] = bs
    stars = np.clip(blur_mask(stars, 0.7) * 3, 0, 1) * (1 - np.linspace(0, 1, h)[:, None])
    add_light(arr, solid(stars, (1, 0.95, 0.85)))
    add_light(arr, solid(radial(w, h, mx * w, my * h, 0.05 * w, 0.6), (1, 0.97, 0.88)), strength=0.9)
    for layer in range(4):
        base_y = h * (0.52 + 0.11 * layer)
        ridge = value_noise(w, 1 + 2, 160 - 30 * layer, seed + 10 + layer, 4)[1] - 0.5
        ys_ = (base_y + ridge * h * (0.30 - 0.05 * layer)).astype(np.int32)
        if layer == 2:
            # a band of fir tops along the ridge
            tr = rng(seed + 99)
            for x0 in range(0, w, max(3, w // 120)):
                th = int(tr.uniform(0.02, 0.06) * h)
                x1 = min(w, x0 + th // 2 + 2)
                for x in range(x0, x1):
                    d = abs(x - (x0 + x1) / 2) / max((x1 - x0) / 2, 1)
                    ys_[x] = min(ys_[x], int(ys_[x] - th * (1 - d)))
        yy = np.arange(h)[:, None]
        m = (yy >= ys_[None, :]).astype(np.float32)
        far = 1 - layer / 3.0
        col = mix(mix(t["hills"], (0.01, 0.01, 0.03), 0.5 * (1 - far)), t["sky"][1], 0.5 * far)
        hill = noise_tex(w, h, seed + 20 + layer, mix(col, (1, 1, 1), 0.05), mix(col, (0, 0, 0), 0.35), cell=40)
        rim = np.clip(m - np.roll(m, 2, axis=0), 0, 1)
        hill[..., :3] += (rim * 0.12 * far)[..., None] * np.array(t["glow"], np.float32)
        hill[..., 3] = blur_mask(m, 0.8)
        over(arr, hill)
        if layer == 1 and towers:
            cx = int(w * (0.25 + 0.5 * r.random()))
            base = ys_[min(cx, w - 1)] + 4
            def castle(ctx, W, H, cx=cx, base=base, col=col):
                ctx.set_source_rgb(*mix(col, (0, 0, 0), 0.25))
                s = W / 800.0
                for dx, tw, th in [(-60, 22, 90), (-30, 30, 60), (0, 26, 130), (30, 34, 75), (64, 20, 100)]:
                    x0 = cx + dx * s
                    ctx.rectangle(x0, base - th * s, tw * s, th * s)
                    ctx.fill()
                    ctx.move_to(x0 - 4 * s, base - th * s)
                    ctx.line_to(x0 + tw * s / 2, base - th * s - 28 * s)
                    ctx.line_to(x0 + tw * s + 4 * s, base - th * s)
                    ctx.fill()
                ctx.rectangle(cx - 70 * s, base - 40 * s, 160 * s, 40 * s)
                ctx.fill()
                ctx.set_source_rgba(1.0, 0.75, 0.35, 0.9)
                for dx, dy in [(-52, 60), (8, 100), (40, 52), (70, 70), (-22, 40)]:
                    ctx.rectangle(cx + dx * s, base - dy * s, 3 * s, 5 * s)
                    ctx.fill()
            arr = draw_on(arr, castle)
        mist = np.clip(value_noise(w, h, 70, seed + 30 + layer, 3) - 0.35, 0, 1)
        mist *= np.exp(-((np.arange(h)[:, None] - base_y) / (h * 0.06)) ** 2)
        over(arr, solid(mist * 0.28, mix(t["glow"], (0.5, 0.5, 0.6), 0.6)))
    if veil:
        over(arr, solid(np.full((h, w), veil, np.float32), (0.03, 0.02, 0.07)))
    vig = 1 - 0.55 * np.clip(1 - radial(w, h, w / 2, h / 2, 0.75 * math.hypot(w, h) / 1.0, 1.0), 0, 1) ** 2
    arr[..., :3] *= vig[..., None]
    arr[..., 3] = 1
    return arr


def titled_scene(w, h, seed=1, theme="night", title="", subtitle="", veil=0.0, title_y=30, title_h=110,
                 title_role="blackletter"):
    arr = scene(w, h, seed, theme, veil=veil)
    if title:
        over(arr, glow_text(title, title_role, w - 80, title_h, glow_radius=6), 40, title_y)
    if subtitle:
        over(arr, glow_text(subtitle, "capitals", w - 200, 40, fill_top=(0.95, 0.9, 0.8), fill_bottom=(0.75, 0.65, 0.5),
                            glow=(0.5, 0.4, 1.0)), 100, title_y + title_h)
    return arr


def text_page(w, h, seed, theme, title, lines, box=(60, 110, 680, 450), size=22):
    """A scene with a parchment holding a title and lines of text, in the largest size up to
    `size` at which every line keeps 40 pixels inside the parchment's sides and all of them
    stay above its bottom."""
    arr = scene(w, h, seed, theme, veil=0.25)
    over(arr, glow_text(title, "blackletter", w - 120, 80, glow_radius=5), 60, 20)
    x, y, bw, bh = box
    over(arr, parchment(bw, bh, seed + 5), x, y)
    while size > 8 and (max(text_mask(line, "text", size).shape[1] for line in lines if line) > bw - 80
                        or 30 + int(size * 1.45) * len(lines) > bh - 20):
        size -= 1
    # every line on its own baseline, one pitch apart
    from PIL import Image, ImageDraw
    from common import font
    face = font("text", size)
    ink = Image.new("L", (bw, bh), 0)
    for i, line in enumerate(lines):
        if line:
            ImageDraw.Draw(ink).text((40 - face.getbbox(line)[0], 30 + i * int(size * 1.45)), line, font=face, fill=255)
    over(arr, solid(np.asarray(ink).astype(np.float32) / 255.0, INK), x, y)
    return arr


def wood(w, h, seed=1, hue=28, plank=40, lightness=1.0):
    """Wooden planks running across, with grain, seams and pegs."""
    r = rng(seed)
    arr = blank(w, h, (0, 0, 0, 1))
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    for i, y0 in enumerate(range(0, h, plank)):
        hh = min(plank, h - y0)
        off = r.random() * 1000
        tone = 0.8 + 0.35 * r.random()
        grain = value_noise(w, hh, 6, seed * 31 + i, 3)
        lines = 0.5 + 0.5 * np.sin((yy[:hh] + grain * 14) * 0.9 + off + np.sin(xx[:hh] * 0.01 + off) * 3)
        knots = value_noise(w, hh, 30, seed * 17 + i, 2)
        base = np.array(hsv(hue, 0.62, 0.42 * tone * lightness), np.float32)
        dark = np.array(hsv(hue - 6, 0.7, 0.20 * tone * lightness), np.float32)
        t = np.clip(0.55 * lines + 0.45 * knots, 0, 1)[..., None]
        arr[y0:y0 + hh, :, :3] = dark * (1 - t) + base * t
        arr[y0:y0 + 1, :, :3] *= 0.35
        arr[y0 + hh - 1:y0 + hh, :, :3] *= 0.55
        if hh > 2:
            arr[y0 + 1:y0 + 2, :, :3] = np.clip(arr[y0 + 1:y0 + 2, :, :3] * 1.3, 0, 1)
        seam = int(r.integers(w // 4, 3 * w // 4))
        arr[y0:y0 + hh, seam:seam + 1, :3] *= 0.35
        for px in (seam - 8, seam + 8):
            if 0 <= px < w and hh > 12:
                peg = radial(w, hh, px, hh / 2, 3.2, 0.8)
                over(arr[y0:y0 + hh], solid(peg, (0.12, 0.07, 0.03)))
    arr[..., 3] = 1
    return arr


# ---------------------------------------------------------------- runes, stones, balls

def rune_tile(w, h, cls, stone_form=False, seed=1):
    size = w
    out = blank(w, h)
    m = rrect_mask(w, h, 1, 1, w - 2, h - 2, w * 0.22)
    col = class_rgb(cls)
    if stone_form:
        grey = mix(col, (0.5, 0.5, 0.5), 0.72)
        body = stone(w, h, m, seed + cls, base=grey, bevel=w / 16)
        cracks = value_noise(w, h, max(3, w // 6), seed + 50 + cls, 2)
        crack = np.clip(1 - abs(cracks - 0.5) * 30, 0, 1) * 0.5
        body[..., :3] *= (1 - crack)[..., None]
        gm = glyph_mask(w, h, cls, w * 0.2, h * 0.2, size * 0.6, max(1.6, w / 12))
        body = carve(body, gm, light=mix(col, (1, 1, 1), 0.5), depth=0.6)
        body[..., 3] = m
        over(out, body)
        return out
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    d = np.sqrt((xx - w * 0.35) ** 2 + (yy - h * 0.3) ** 2) / (w * 0.95)
    light = np.clip(1.25 - d, 0.35, 1.25)
    body = np.zeros((h, w, 4), np.float32)
    body[..., :3] = np.clip(np.array(col, np.float32) * light[..., None], 0, 1)
    body[..., :3] = np.clip(body[..., :3] * bevel_light(m, w / 14, 1.2)[..., None], 0, 1)
    body[..., 3] = m
    over(out, body)
    rim = np.clip(m - rrect_mask(w, h, 2.5, 2.5, w - 5, h - 5, w * 0.2), 0, 1)
    over(out, solid(rim * 0.7, mix(col, (0, 0, 0), 0.55)))
    gm = glyph_mask(w, h, cls, w * 0.2, h * 0.2, size * 0.6, max(1.7, w / 11))
    dark = mix(col, (0.05, 0.02, 0.05), 0.75)
    over(out, solid(np.roll(np.roll(gm, 1, 0), 1, 1) * 0.8, mix(col, (1, 1, 1), 0.75)))
    over(out, solid(gm * 0.92, dark))
    gloss = ellipse_mask(w, h, w * 0.42, h * 0.26, w * 0.32, h * 0.16) * m
    over(out, solid(gloss * 0.38, (1, 1, 1)))
    sparkle = radial(w, h, w * 0.27, h * 0.22, w * 0.1, 1.5)
    add_light(out, solid(sparkle, (1, 1, 1)), strength=0.8)
    return out


def rubble(w, h, seed=13):
    """Plain grey rubble: a heap of broken stone chunks filling the cell."""
    out = blank(w, h)
    r = rng(seed)
    over(out, solid(blur_mask(rrect_mask(w, h, 2, 3, w - 3, h - 3, w * 0.2), w / 16) * 0.5, (0, 0, 0)))
    chunks = [(0.3, 0.3, 0.27), (0.72, 0.3, 0.26), (0.28, 0.72, 0.27), (0.72, 0.72, 0.27), (0.5, 0.5, 0.22)]
    for i, (fx, fy, fr) in enumerate(chunks):
        cx, cy, rad = fx * w, fy * h, fr * w
        pts = [(cx + math.cos(a) * rad * r.uniform(0.75, 1.1), cy + math.sin(a) * rad * r.uniform(0.75, 1.1))
               for a in np.linspace(0, 2 * math.pi, 7, endpoint=False) + r.uniform(0, 1)]
        def poly(ctx, W, H, pts=pts):
            ctx.move_to(*pts[0])
            for p in pts[1:]:
                ctx.line_to(*p)
            ctx.close_path()
        m = shape_mask(w, h, poly)
        grey = 0.40 + 0.06 * (i % 3)
        over(out, stone(w, h, m, seed + i, base=(grey, grey, grey * 1.02), bevel=max(1.0, w / 28)))
        edge = np.clip(m - np.roll(np.roll(m, -1, 0), -1, 1), 0, 1)
        over(out, solid(edge * 0.6, (0.12, 0.12, 0.13)))
    return out


def ball(w, h, cls=None, empty=False):
    """A glossy sphere ball of a colour class with its glass rim."""
    out = blank(w, h)
    m = ellipse_mask(w, h, w / 2, h / 2, w / 2 - 1.5, h / 2 - 1.5)
    if empty:
        col = (0.10, 0.09, 0.14)
    else:
        col = class_rgb(cls)
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    d = np.sqrt((xx - w * 0.4) ** 2 + (yy - h * 0.35) ** 2) / (w * 0.75)
    body = np.zeros((h, w, 4), np.float32)
    shading = np.clip(1.2 - d, 0.2, 1.2)
    body[..., :3] = np.clip(np.array(col, np.float32) * shading[..., None], 0, 1)
    inner = value_noise(w, h, 10, 7 + (cls or 0), 3)
    body[..., :3] *= (0.85 + 0.3 * inner)[..., None]
    body[..., 3] = m
    over(out, body)
    ring = np.clip(m - ellipse_mask(w, h, w / 2, h / 2, w / 2 - 4, h / 2 - 4), 0, 1)
    over(out, solid(ring * 0.6, mix(col, (0, 0, 0), 0.6)))
    gloss = ellipse_mask(w, h, w * 0.42, h * 0.27, w * 0.26, h * 0.14) * m
    over(out, solid(gloss * 0.45, (1, 1, 1)))
    add_light(out, solid(radial(w, h, w * 0.55, h * 0.78, w * 0.3, 1.5) * m, mix(col, (1, 1, 1), 0.4)), strength=0.35)
    return out


def sign(w, h, cls):
    """The carved sign of a colour class shown over its sphere ball."""
    out = blank(w, h)
    gm = glyph_mask(w, h, cls, w * 0.15, h * 0.15, w * 0.7, max(2.2, w / 10))
    glow = np.clip(blur_mask(gm, 2.0) * 2, 0, 1)
    over(out, solid(glow * 0.6, (0.05, 0.02, 0.08)))
    over(out, solid(gm, mix(class_rgb(cls), (1, 1, 1), 0.8)))
    return out


def ball_by_number(w, h, n):
    return ball(w, h, BALL_TO_CLASS[n])


def sign_by_number(w, h, n):
    return sign(w, h, BALL_TO_CLASS[n])


def sphere_frame(w, h, seed=5):
    """The bronze mount of the five balls with its dark central window for the next piece."""
    pos = [(60, 2), (120, 44), (97, 115), (23, 114), (0, 44)]
    out = blank(w, h)
    cx, cy = 85, 85
    disc = ellipse_mask(w, h, cx, cy, 70, 70)
    over(out, solid(blur_mask(disc, 4) * 0.6, (0, 0, 0)), 2, 3)
    over(out, metal(w, h, disc, BRONZE, seed, bevel=3))
    win = ellipse_mask(w, h, cx, cy, 44, 44)
    glass = gradient_v(w, h, (0.10, 0.08, 0.22), (0.03, 0.02, 0.08))
    glass[..., 3] = win
    over(out, glass)
    add_light(out, solid(radial(w, h, cx, cy, 44, 1.5) * win, (0.35, 0.25, 0.6)), strength=0.6)
    for (x, y) in pos:
        sock = ellipse_mask(w, h, x + 31, y + 31, 34, 34)
        over(out, metal(w, h, sock, mix(BRONZE, GOLD, 0.25), seed + x, bevel=2))
        hole = ellipse_mask(w, h, x + 31, y + 31, 30, 30)
        over(out, solid(hole, (0.05, 0.04, 0.08)))
    return out


# ---------------------------------------------------------------- glows, sparks, icons

def soft_glow(w, h, colour=(1, 1, 1), power=2.0, core=0.0):
    m = radial(w, h, w / 2, h / 2, min(w, h) / 2, power)
    if core:
        m = np.clip(m + core * radial(w, h, w / 2, h / 2, min(w, h) / 6, 1), 0, 1)
    return solid(m, colour)


def star(w, h, points=4, inner=0.18, colour=(1, 1, 1)):
    def fn(ctx, W, H):
        cx, cy, R = W / 2, H / 2, min(W, H) / 2 - 0.5
        for i in range(points * 2):
            a = math.pi * i / points - math.pi / 2
            rr = R if i % 2 == 0 else R * inner
            (ctx.move_to if i == 0 else ctx.line_to)(cx + math.cos(a) * rr, cy + math.sin(a) * rr)
        ctx.close_path()
    m = shape_mask(w, h, fn)
    m = np.clip(blur_mask(m, 0.6) + radial(w, h, w / 2, h / 2, w / 2.5, 2.5) * 0.8, 0, 1)
    return solid(m, colour)


def rays(w, h, count=8, colour=(1, 1, 1), width=0.18):
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    a = np.arctan2(yy - h / 2, xx - w / 2)
    d = np.sqrt((xx - w / 2) ** 2 + (yy - h / 2) ** 2) / (min(w, h) / 2)
    beam = np.clip(1 - np.abs(np.sin(a * count / 2)) / width, 0, 1)
    m = beam * np.clip(1 - d, 0, 1) ** 1.5 + radial(w, h, w / 2, h / 2, w / 3, 2) * 0.6
    return solid(np.clip(m, 0, 1), colour)


def ring_glow(w, h, colour=(1, 1, 1), radius=0.7, width=0.12):
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    d = np.sqrt((xx - w / 2) ** 2 + (yy - h / 2) ** 2) / (min(w, h) / 2)
    m = np.exp(-((d - radius) / width) ** 2) + radial(w, h, w / 2, h / 2, w / 2, 3) * 0.3
    return solid(np.clip(m, 0, 1), colour)


ICONS = {}


def icon(name):
    def reg(fn):
        ICONS[name] = fn
        return fn
    return reg


@icon("flame")
def _flame(ctx, s):
    ctx.move_to(0.5 * s, 0.08 * s)
    ctx.curve_to(0.85 * s, 0.42 * s, 0.86 * s, 0.9 * s, 0.5 * s, 0.92 * s)
    ctx.curve_to(0.14 * s, 0.9 * s, 0.16 * s, 0.5 * s, 0.36 * s, 0.32 * s)
    ctx.curve_to(0.38 * s, 0.5 * s, 0.46 * s, 0.52 * s, 0.5 * s, 0.08 * s)
    ctx.fill()


@icon("cross")
def _cross(ctx, s):
    ctx.rectangle(0.42 * s, 0.08 * s, 0.16 * s, 0.84 * s)
    ctx.rectangle(0.08 * s, 0.42 * s, 0.84 * s, 0.16 * s)
    ctx.fill()


@icon("swirl")
def _swirl(ctx, s):
    ctx.set_line_width(0.1 * s)
    ctx.set_line_cap(1)
    for i in range(40):
        a = i * 0.35
        r = 0.05 * s + i * 0.0095 * s
        (ctx.move_to if i == 0 else ctx.line_to)(0.5 * s + math.cos(a) * r, 0.5 * s + math.sin(a) * r)
    ctx.stroke()


@icon("bomb")
def _bomb(ctx, s):
    ctx.arc(0.45 * s, 0.58 * s, 0.32 * s, 0, 2 * math.pi)
    ctx.fill()
    ctx.set_line_width(0.07 * s)
    ctx.move_to(0.62 * s, 0.32 * s)
    ctx.curve_to(0.7 * s, 0.15 * s, 0.82 * s, 0.2 * s, 0.86 * s, 0.1 * s)
    ctx.stroke()


@icon("drop")
def _drop(ctx, s):
    ctx.move_to(0.5 * s, 0.06 * s)
    ctx.curve_to(0.62 * s, 0.35 * s, 0.84 * s, 0.52 * s, 0.8 * s, 0.68 * s)
    ctx.curve_to(0.76 * s, 0.92 * s, 0.24 * s, 0.92 * s, 0.2 * s, 0.68 * s)
    ctx.curve_to(0.16 * s, 0.52 * s, 0.38 * s, 0.35 * s, 0.5 * s, 0.06 * s)
    ctx.fill()


@icon("hourglass")
def _hourglass(ctx, s):
    ctx.move_to(0.2 * s, 0.08 * s)
    ctx.line_to(0.8 * s, 0.08 * s)
    ctx.line_to(0.54 * s, 0.5 * s)
    ctx.line_to(0.8 * s, 0.92 * s)
    ctx.line_to(0.2 * s, 0.92 * s)
    ctx.line_to(0.46 * s, 0.5 * s)
    ctx.close_path()
    ctx.fill()


@icon("heart")
def _heart(ctx, s):
    ctx.move_to(0.5 * s, 0.9 * s)
    ctx.curve_to(0.05 * s, 0.55 * s, 0.1 * s, 0.1 * s, 0.5 * s, 0.3 * s)
    ctx.curve_to(0.9 * s, 0.1 * s, 0.95 * s, 0.55 * s, 0.5 * s, 0.9 * s)
    ctx.fill()


@icon("arrows")
def _arrows(ctx, s):
    for sgn in (1, -1):
        ctx.save()
        ctx.translate(0.5 * s, 0.5 * s)
        ctx.scale(sgn, sgn)
        ctx.move_to(0.05 * s, -0.42 * s)
        ctx.line_to(0.38 * s, -0.18 * s)
        ctx.line_to(0.05 * s, 0.06 * s)
        ctx.line_to(0.05 * s, -0.1 * s)
        ctx.line_to(-0.38 * s, -0.1 * s)
        ctx.line_to(-0.38 * s, -0.26 * s)
        ctx.line_to(0.05 * s, -0.26 * s)
        ctx.close_path()
        ctx.fill()
        ctx.restore()


@icon("sand")
def _sand(ctx, s):
    for i, (x, y, r) in enumerate([(0.3, 0.3, 0.1), (0.62, 0.26, 0.08), (0.5, 0.55, 0.13), (0.26, 0.7, 0.09), (0.74, 0.68, 0.1)]):
        ctx.arc(x * s, y * s, r * s, 0, 2 * math.pi)
        ctx.fill()


@icon("spread")
def _spread(ctx, s):
    ctx.arc(0.5 * s, 0.5 * s, 0.14 * s, 0, 2 * math.pi)
    ctx.fill()
    for i in range(6):
        a = i * math.pi / 3
        ctx.arc(0.5 * s + math.cos(a) * 0.32 * s, 0.5 * s + math.sin(a) * 0.32 * s, 0.08 * s, 0, 2 * math.pi)
        ctx.fill()


@icon("star")
def _star(ctx, s):
    for i in range(10):
        a = math.pi * i / 5 - math.pi / 2
        rr = 0.45 * s if i % 2 == 0 else 0.2 * s
        (ctx.move_to if i == 0 else ctx.line_to)(0.5 * s + math.cos(a) * rr, 0.52 * s + math.sin(a) * rr)
    ctx.close_path()
    ctx.fill()


@icon("check")
def _check(ctx, s):
    ctx.set_line_width(0.16 * s)
    ctx.set_line_cap(1)
    ctx.set_line_join(1)
    ctx.move_to(0.15 * s, 0.52 * s)
    ctx.line_to(0.4 * s, 0.78 * s)
    ctx.line_to(0.86 * s, 0.18 * s)
    ctx.stroke()


@icon("x")
def _x(ctx, s):
    ctx.set_line_width(0.16 * s)
    ctx.set_line_cap(1)
    ctx.move_to(0.2 * s, 0.2 * s)
    ctx.line_to(0.8 * s, 0.8 * s)
    ctx.move_to(0.8 * s, 0.2 * s)
    ctx.line_to(0.2 * s, 0.8 * s)
    ctx.stroke()


@icon("plus")
def _plus(ctx, s):
    ctx.rectangle(0.4 * s, 0.16 * s, 0.2 * s, 0.68 * s)
    ctx.rectangle(0.16 * s, 0.4 * s, 0.68 * s, 0.2 * s)
    ctx.fill()


@icon("minus")
def _minus(ctx, s):
    ctx.rectangle(0.16 * s, 0.4 * s, 0.68 * s, 0.2 * s)
    ctx.fill()


@icon("left")
def _left(ctx, s):
    ctx.move_to(0.7 * s, 0.12 * s)
    ctx.line_to(0.22 * s, 0.5 * s)
    ctx.line_to(0.7 * s, 0.88 * s)
    ctx.close_path()
    ctx.fill()


@icon("right")
def _right(ctx, s):
    ctx.move_to(0.3 * s, 0.12 * s)
    ctx.line_to(0.78 * s, 0.5 * s)
    ctx.line_to(0.3 * s, 0.88 * s)
    ctx.close_path()
    ctx.fill()


@icon("question")
def _question(ctx, s):
    ctx.set_line_width(0.14 * s)
    ctx.set_line_cap(1)
    ctx.arc(0.5 * s, 0.34 * s, 0.2 * s, math.pi, math.pi * 2.4)
    ctx.line_to(0.5 * s, 0.64 * s)
    ctx.stroke()
    ctx.arc(0.5 * s, 0.84 * s, 0.08 * s, 0, 2 * math.pi)
    ctx.fill()


def icon_mask(w, h, name, inset=0.12):
    s = min(w, h) * (1 - 2 * inset)
    def draw(ctx, W, H):
        ctx.translate((W - s) / 2, (H - s) / 2)
        ctx.set_source_rgba(1, 1, 1, 1)
        ICONS[name](ctx, s)
    return draw_on(blank(w, h), draw)[..., 3]


def medallion(w, h, name, colour=(1.0, 0.6, 0.2), rim=BRONZE, seed=9, inset=0.26):
    """A round bronze-rimmed token with a glowing symbol."""
    out = blank(w, h)
    disc = ellipse_mask(w, h, w / 2, h / 2, w / 2 - 1, h / 2 - 1)
    over(out, metal(w, h, disc, rim, seed, bevel=max(1.0, w / 24)))
    inner = ellipse_mask(w, h, w / 2, h / 2, w / 2 - max(2.5, w / 9), h / 2 - max(2.5, w / 9))
    face = gradient_v(w, h, mix(colour, (0, 0, 0), 0.45), mix(colour, (0, 0, 0), 0.8))
    face[..., 3] = inner
    over(out, face)
    im = icon_mask(w, h, name, inset)
    over(out, solid(np.clip(blur_mask(im, max(1, w / 20)) * 1.5, 0, 1) * inner, colour))
    over(out, solid(im * inner, mix(colour, (1, 1, 1), 0.55)))
    gloss = ellipse_mask(w, h, w * 0.45, h * 0.3, w * 0.28, h * 0.14) * inner
    over(out, solid(gloss * 0.3, (1, 1, 1)))
    return out


def icon_plain(w, h, name, colour=GOLD, outline=(0.15, 0.08, 0.03), inset=0.12):
    out = blank(w, h)
    im = icon_mask(w, h, name, inset)
    over(out, solid(np.clip(blur_mask(im, 1.2) * 3, 0, 1), outline))
    col = gradient_v(w, h, mix(colour, (1, 1, 1), 0.3), mix(colour, (0, 0, 0), 0.25))
    col[..., 3] = im
    return over(out, col)


# ---------------------------------------------------------------- text pictures and buttons

CAPTION_STYLES = {
    "gold": dict(fill_top=(1.0, 0.9, 0.55), fill_bottom=(0.85, 0.5, 0.15), glow=(1.0, 0.55, 0.15)),
    "pale": dict(fill_top=(1.0, 0.97, 0.9), fill_bottom=(0.8, 0.72, 0.6), glow=(0.55, 0.45, 1.0)),
    "ink": dict(fill_top=(0.35, 0.2, 0.1), fill_bottom=(0.2, 0.1, 0.05), glow=None, outline=(0.95, 0.85, 0.6)),
    "red": dict(fill_top=(1.0, 0.6, 0.45), fill_bottom=(0.75, 0.12, 0.08), glow=(1.0, 0.25, 0.1)),
    "hover": dict(fill_top=(1.0, 1.0, 0.85), fill_bottom=(1.0, 0.75, 0.35), glow=(1.0, 0.85, 0.4)),
    "blue": dict(fill_top=(0.85, 0.95, 1.0), fill_bottom=(0.4, 0.6, 1.0), glow=(0.3, 0.5, 1.0)),
}


def caption(w, h, text, role="blackletter", style="gold", size=None, glow_radius=None, left=None, right=None):
    radius = glow_radius if glow_radius is not None else max(1.0, min(3.0, h / 12.0))
    return glow_text(text, role, w, h, size=size, glow_radius=radius, left=left, right=right,
                     **CAPTION_STYLES[style])


def two_frame(w, h, text, role="capitals", plaque=False, size=None):
    """A strip of two frames side by side: normal and under the pointer."""
    fw = w // 2
    out = blank(w, h)
    for i, style in enumerate(("gold", "hover")):
        if plaque:
            over(out, button_plaque(fw, h, text, hover=bool(i), role=role), i * fw, 0)
        else:
            over(out, caption(fw, h, text, role, style, size=size), i * fw, 0)
    return out


def button_plaque(w, h, text, hover=False, pressed=False, role="capitals", seed=11):
    out = panel(w, h, seed, fill=(0.16, 0.10, 0.22) if not hover else (0.30, 0.18, 0.36), border=max(3, h // 8),
                radius=max(4, h // 4))
    if text:
        lab = caption(w - 8, h - 6, text, role, "hover" if hover else "gold")
        over(out, lab, 4 + (1 if pressed else 0), 3 + (1 if pressed else 0))
    if hover:
        add_light(out, solid(radial(w, h, w / 2, h / 2, w / 1.5, 1.2) * out[..., 3], (0.35, 0.25, 0.1)))
    if pressed:
        out[..., :3] *= 0.8
    return out


def digit_strip(w, h, cells, role="capitals", style="gold", advances=None, chars="0123456789"):
    """Digits in equal cells. The game lays digits out by its own advance table, so each digit's
    ink sits at the left of its cell, no wider than its advance; all share one size."""
    from common import text_mask
    cw = w // cells
    adv = advances if isinstance(advances, list) else [advances or cw] * cells
    radius = max(0.8, min(3.0, h / 12.0))
    pad = int(radius * 1.5 + 1)
    def fits(size):
        for c, a in zip(chars[:cells], adv):
            m = text_mask(c, role, size)
            if m.shape[1] > max(a - (3 if a > 15 else 1), 3) or m.shape[0] > h - 2 * pad:
                return False
        return True
    size = h
    while size > 6 and not fits(size):
        size -= 1
    out = blank(w, h)
    for i, (ch, a) in enumerate(zip(chars[:cells], adv)):
        mw = text_mask(ch, role, size).shape[1]
        over(out, caption(cw, h, ch, role, style, size=size, glow_radius=radius, left=max(0, (a - mw) // 2)), i * cw, 0)
    return out


def font_strip(w, h, chars, band, role="capitals", style="pale", per_row=None, size=24, glow_radius=1.0, reach=1):
    """A bitmap-font strip: glyphs in bands of `band` pixels, each glyph one unbroken run of ink
    columns with at least one clear column between glyphs and after the last glyph of a band.

    The game steps by a glyph's ink width (less the font's spacing), so the glow may reach only
    `reach` pixels past the letter: a wider halo would spread the letters of every word apart.
    All glyphs stand on one baseline, placed so that the whole set is centred in the band."""
    from PIL import Image, ImageDraw, ImageFilter
    from common import font
    per_row = per_row or len(chars)
    rows = [chars[i:i + per_row] for i in range(0, len(chars), per_row)]
    f = font(role, size)
    _, top, _, bottom = f.getbbox(chars)
    y0 = (band - (bottom - top)) // 2 - top
    pad = reach + 2
    look = dict({"outline": (0.16, 0.07, 0.02)}, **CAPTION_STYLES[style])
    out = blank(w, h)
    for j, row in enumerate(rows):
        x = 1
        for ch in row:
            cl, _, cr, _ = f.getbbox(ch)
            gw = max(cr - cl, 1) + 2 * pad
            img = Image.new("L", (gw, band), 0)
            ImageDraw.Draw(img).text((pad - cl, y0), ch, font=f, fill=255)
            m = np.asarray(img).astype(np.float32) / 255.0
            g = style_mask(m, y0 + top, bottom - top, glow_radius=glow_radius, **look)
            core = Image.fromarray(((m > 0.1) * 255).astype(np.uint8))
            g[..., 3] *= np.asarray(core.filter(ImageFilter.MaxFilter(2 * reach + 1))) > 0
            # what would save as fully transparent is no ink to the game's cutting
            cols = np.where((g[..., 3] * 255 + 0.5 >= 1).any(axis=0))[0]
            if len(cols) == 0:
                g = blank(4, band)
                g[band // 2, :, 3] = 0.02
                cols = np.arange(4)
            g = g[:, cols[0]:cols[-1] + 1]
            # close inner gaps with one barely visible pixel so the glyph stays one run
            for c in range(g.shape[1]):
                if (g[:, c, 3] * 255 + 0.5 < 1).all():
                    g[band - 1, c, :] = (0, 0, 0, 1 / 255.0 + 1e-4)
            gw = g.shape[1]
            if x + gw + 1 >= w:
                raise ValueError("font strip too narrow")
            out[j * band:(j + 1) * band, x:x + gw] = g
            x += gw + 2
    return out


def label_on_scroll(w, h, text, seed=6):
    out = parchment(w, h, seed, margin=3)
    over(out, caption(w - 16, h - 8, text, "capitals", "ink"), 8, 4)
    return out


# ---------------------------------------------------------------- frames

# The board draws every frame piece 7 pixels left of its cell (Left, Right and the left corners)
# and 7 pixels up (Top, Bottom and the upper corners), and Left and Right (Top and Bottom) share
# one picture. So each piece is opaque only on the one-cell band that lands on its own open cell:
# columns (rows) 7 to 38 of a side piece, and the cell square of a corner; the rest stays clear,
# and the frame never covers a playable cell.
FRAME_SHIFT = 7
FRAME_BAND = 32
# Where the cell square sits in each 39-pixel corner picture.
FRAME_CORNER_AT = {"lg": (FRAME_SHIFT, FRAME_SHIFT), "rg": (0, FRAME_SHIFT), "ld": (FRAME_SHIFT, 0), "rd": (0, 0)}


def board_frame_piece(w, h, orient, variant=0, seed=21, corner="rd"):
    """A bronze-and-stone bar of the board frame: orient "v" runs down, "h" across, "c" a corner
    (corner names which one: "lg", "rg", "ld", "rd")."""
    out = blank(w, h)
    if orient == "c":
        b = FRAME_BAND
        sq = stone(b, b, np.ones((b, b), np.float32), seed + variant, base=(0.40, 0.36, 0.42), bevel=2.5)
        boss = ellipse_mask(b, b, b / 2, b / 2, b * 0.36, b * 0.36)
        over(sq, metal(b, b, boss, mix(BRONZE, GOLD, 0.2 * variant), seed + 3 + variant, bevel=2))
        gem = ellipse_mask(b, b, b / 2, b / 2, b * 0.16, b * 0.16)
        col = [(0.6, 0.2, 0.9), (0.2, 0.5, 1.0), (1.0, 0.35, 0.2)][variant % 3]
        over(sq, solid(gem, col))
        over(sq, solid(ellipse_mask(b, b, b * 0.46, b * 0.44, b * 0.06, b * 0.05) * 0.8, (1, 1, 1)))
        x, y = FRAME_CORNER_AT[corner]
        return over(out, sq, x, y)
    long_ = h if orient == "v" else w
    bw, bh = (FRAME_BAND, h) if orient == "v" else (w, FRAME_BAND)
    base = (0.38, 0.34, 0.40) if variant != 1 else (0.42, 0.36, 0.34)
    body = stone(bw, bh, np.ones((bh, bw), np.float32), seed + variant * 7 + long_, base=base, bevel=3)
    # a bronze rail along the middle and carved notches every cell
    def deco(ctx, W, H):
        ctx.set_source_rgba(*mix(BRONZE, GOLD, 0.3), 0.9)
        if orient == "v":
            ctx.rectangle(W / 2 - 4, 0, 8, H)
        else:
            ctx.rectangle(0, H / 2 - 4, W, 8)
        ctx.fill()
        ctx.set_source_rgba(0.1, 0.06, 0.04, 0.7)
        for k in range(long_ // 32):
            c = k * 32 + 16
            if orient == "v":
                ctx.arc(W / 2, c, 3.2 + variant * 0.6, 0, 2 * math.pi)
            else:
                ctx.arc(c, H / 2, 3.2 + variant * 0.6, 0, 2 * math.pi)
            ctx.fill()
    body = draw_on(body, deco)
    edge = np.zeros((bh, bw), np.float32)
    if orient == "v":
        edge[:, :2] = 1
        edge[:, -2:] = 1
    else:
        edge[:2, :] = 1
        edge[-2:, :] = 1
    body[..., :3] *= (1 - 0.45 * edge)[..., None]
    return over(out, body, FRAME_SHIFT if orient == "v" else 0, FRAME_SHIFT if orient == "h" else 0)


def nine_piece(w, h, part, left, right, top, bottom, seed=31):
    """One piece of the dialog frame. The frame lays its pieces outside the framed rectangle, each
    side's pieces as thick as that side's margin: the rim outside, the panel's body between the rim
    and the rectangle, and one body colour in the centre, which the frame stretches over it."""
    big = panel(left + 32 + right, top + 32 + bottom, seed, border=10, radius=16, flat=True)
    cols = {"l": (0, left), "m": (left, left + 32), "r": (left + 32, left + 32 + right)}
    rows = {"t": (0, top), "m": (top, top + 32), "b": (top + 32, top + 32 + bottom)}
    px, py = {"lg": ("l", "t"), "gora": ("m", "t"), "pg": ("r", "t"), "lewo": ("l", "m"), "srodek": ("m", "m"),
              "prawo": ("r", "m"), "ld": ("l", "b"), "dol": ("m", "b"), "pd": ("r", "b")}[part]
    (x0, x1), (y0, y1) = cols[px], rows[py]
    piece = big[y0:y1, x0:x1].copy()
    assert piece.shape[:2] == (h, w), "the manifest's size of %s disagrees with its margins" % part
    return piece
