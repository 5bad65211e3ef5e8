"""Picture recipes for single-use pictures: GUI pieces, clock, boss runes, map, story, puzzle, ring game."""
import math
import zlib

import cairo
import numpy as np
from PIL import Image

import art
from art import (BRONZE, GOLD, INK, PARCHMENT, button_plaque, caption, ellipse_mask, glyph_mask, gradient_v,
                 medallion, metal, panel, parchment, rrect_mask, rune_tile, scene, shape_mask, soft_glow, stone,
                 text_mask, wood)
from common import add_light, blank, blur_mask, draw_on, font, hsv, mix, over, radial, rounded_rect, solid, value_noise
from PIL import Image, ImageDraw
from palette import GLYPHS, RUNES, class_rgb


def rune_shadow(w, h):
    m = rrect_mask(w, h, 3, 4, w - 4, h - 4, 7)
    return solid(blur_mask(m, 2.0) * 0.55, (0, 0, 0))


def no_place_mark(w, h):
    out = blank(w, h)
    im = art.icon_mask(w, h, "x", 0.14)
    over(out, solid(np.clip(blur_mask(im, 1.5) * 2.5, 0, 1) * 0.8, (0.1, 0, 0)))
    return over(out, solid(im, (1.0, 0.2, 0.12)))


def stone_chip(w, h):
    def fn(ctx, W, H):
        ctx.move_to(W * 0.2, H * 0.1)
        ctx.line_to(W * 0.9, H * 0.3)
        ctx.line_to(W * 0.75, H * 0.9)
        ctx.line_to(W * 0.1, H * 0.7)
        ctx.close_path()
    return stone(w, h, shape_mask(w, h, fn), 17, bevel=1.0)


def spell_slot(w, h, name, colour):
    out = blank(w, h)
    over(out, solid(radial(w, h, w / 2, h / 2, w / 2, 1.2) * 0.9, colour))
    over(out, medallion(w - 12, h - 12, name, colour, seed=zlib.crc32(name.encode()) % 100), 6, 6)
    return out


def spell_ring(w, h):
    """The stand of the four spell slots: a bronze diamond of sockets on a dark stone plate."""
    out = blank(w, h)
    slots = [(66, 2), (131, 38), (67, 74), (3, 38)]
    plate = ellipse_mask(w, h, w / 2, h / 2 + 1, w / 2 - 2, h / 2 - 2)
    over(out, solid(blur_mask(plate, 3) * 0.6, (0, 0, 0)), 2, 3)
    over(out, stone(w, h, plate, 33, base=(0.22, 0.19, 0.28), bevel=3))
    for (x, y) in slots:
        sock = ellipse_mask(w, h, x + 31, y + 31, 30, 30)
        over(out, metal(w, h, sock, BRONZE, x + y, bevel=2))
        over(out, solid(ellipse_mask(w, h, x + 31, y + 31, 25, 25), (0.06, 0.05, 0.1)))
    return out


def combo_strip(w, h):
    out = blank(w, h)
    for i, text in enumerate(("Combo x2", "Combo x3", "Combo x4")):
        over(out, caption(256, 42, text, "blackletter", ["gold", "hover", "red"][i]), i * 256, 0)
    return out


def cursor(w, h):
    """A wand-like pointer whose tip is the hot spot (14, 6)."""
    def fn(ctx, W, H):
        ctx.move_to(14, 6)
        ctx.line_to(34, 28)
        ctx.line_to(25, 27)
        ctx.line_to(30, 38)
        ctx.line_to(25, 39)
        ctx.line_to(20, 29)
        ctx.line_to(14, 34)
        ctx.close_path()
    m = shape_mask(w, h, fn)
    out = blank(w, h)
    over(out, solid(blur_mask(m, 1.5) * 0.6, (0, 0, 0)), 1, 2)
    edge = np.clip(blur_mask(m, 0.8) * 2.5, 0, 1)
    over(out, solid(edge, (0.25, 0.12, 0.02)))
    over(out, metal(w, h, m, mix(GOLD, BRONZE, 0.3), 5, bevel=1.2))
    add_light(out, solid(radial(w, h, 14, 6, 6, 1.5), (1, 1, 0.8)), strength=0.8)
    return out


def caret(w, h):
    return solid(np.ones((h, w), np.float32), (0.25, 0.14, 0.06))


def rope(w, h):
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    twist = 0.5 + 0.5 * np.sin((yy + xx * 1.5) * 0.9)
    out = blank(w, h)
    col = np.array((0.55, 0.42, 0.25), np.float32)
    out[..., :3] = col * (0.55 + 0.5 * twist[..., None])
    edge = np.abs(xx - (w - 1) / 2) / (w / 2)
    out[..., :3] *= (1 - 0.5 * edge ** 2)[..., None]
    out[..., 3] = 1
    return out


def plank_sign(w, h, seed):
    out = blank(w, h)
    m = rrect_mask(w, h, 1, 1, w - 2, h - 2, 5)
    over(out, solid(blur_mask(m, 2) * 0.5, (0, 0, 0)), 1, 2)
    wd = wood(w, h, seed, 28, plank=max(10, h // 2))
    wd[..., 3] = m
    over(out, wd)
    for x in (6, w - 6):
        over(out, solid(ellipse_mask(w, h, x, h / 2, 2.2, 2.2), (0.75, 0.6, 0.35)))
    return out


def points_plank(w, h):
    """The hanging plank of the points panel: the ropes meet it at x 32 and 88, the score's pale
    digits go into the dark slot from (34, 66), the level number (dark text) on the tag around
    x 68, y 105 (plank coordinates)."""
    out = blank(w, h)
    m = rrect_mask(w, h, 1, 1, w - 2, h - 2, 8)
    over(out, solid(blur_mask(m, 3) * 0.55, (0, 0, 0)), 2, 3)
    wd = wood(w, h, 93, 30, plank=max(12, h // 5), lightness=1.25)
    wd[..., 3] = m
    over(out, wd)
    for x in (35, 91):
        over(out, metal(w, h, ellipse_mask(w, h, x, 8, 5, 5), GOLD, x, bevel=1))
    over(out, caption(w - 20, 22, "Score", "capitals", "gold"), 10, 38)
    slot = rrect_mask(w, h, 28, 61, 82, 30, 5)
    over(out, solid(slot, (0.08, 0.05, 0.06)))
    over(out, solid(np.clip(slot - np.roll(slot, 2, axis=0), 0, 1) * 0.6, (0, 0, 0)))
    tag = parchment(64, 34, 94, margin=2)
    over(out, tag, 36, 96)
    return out


def small_icon_button(w, h, name, hover=False):
    col = (1.0, 0.9, 0.5) if hover else (0.85, 0.65, 0.3)
    out = button_plaque(w, h, "", hover=hover)
    over(out, art.icon_plain(w - 4, h - 4, name, col, inset=0.1), 2, 2)
    return out


def checkbox(w, h, ticked):
    out = panel(w, h, 7, fill=(0.9, 0.82, 0.62), border=4, radius=5)
    if ticked:
        over(out, art.icon_plain(w, h, "check", (0.2, 0.55, 0.15), outline=(0.05, 0.12, 0.02), inset=0.12))
    return out


def slider_mark(w, h):
    m = rrect_mask(w, h, 1, 1, w - 2, h - 2, 3)
    return metal(w, h, m, GOLD, 8, bevel=1)


def highlight(w, h):
    m = ellipse_mask(w, h, w / 2, h / 2, w / 2 - 2, h / 2 - 2)
    m = blur_mask(m, min(w, h) / 5) * radial(w, h, w / 2, h / 2, w / 1.6, 0.5)
    return solid(np.clip(m * 1.2, 0, 1) * 0.75, (1.0, 0.75, 0.35))


def blot(w, h):
    n = value_noise(w, h, 16, 44, 3)
    m = np.clip(radial(w, h, w / 2, h / 2, w / 2, 0.8) * (0.7 + 0.6 * n), 0, 1)
    return solid(m * 0.85, (0.05, 0.03, 0.1))


def scroll_roller(w, h, top):
    out = blank(w, h)
    rod = rrect_mask(w, h, 12, h / 2 - 14, w - 24, 28, 12)
    wd = wood(w, h, 5 if top else 6, 24, plank=h)
    yy = np.arange(h, dtype=np.float32)[:, None]
    wd[..., :3] *= np.clip(1.3 - np.abs(yy - h / 2) / 18, 0.4, 1.3)[..., None]
    wd[..., 3] = rod
    over(out, solid(blur_mask(rod, 3) * 0.6, (0, 0, 0)), 2, 3)
    over(out, wd)
    for x in (6, w - 6):
        knob = ellipse_mask(w, h, x, h / 2, 7, 17)
        over(out, metal(w, h, knob, GOLD, x, bevel=1.5))
    paper = rrect_mask(w, h, 25, (h / 2 + 12) if top else 0, w - 50, h / 2 - 12, 2)
    tex = art.parchment_tex(w, h, 9)
    tex[..., 3] = paper
    under = blank(w, h)
    over(under, tex)
    return over(under, out)


def scroll_paper(w, h):
    tex = art.parchment_tex(w, h, 12)
    x = np.abs(np.arange(w, dtype=np.float32) - w / 2) / (w / 2)
    tex[..., :3] *= (1 - 0.25 * x ** 3)[None, :, None]
    m = np.zeros((h, w), np.float32)
    m[:, 10:w - 10] = 1
    tex[..., 3] = m
    return tex


def badge(w, h, text):
    """A caption standing on its own over a picture: its outline and glow carry it, no backing."""
    out = blank(w, h)
    over(out, caption(w - 20, h - 40, text, "blackletter", "gold"), 10, 20)
    return out


def question_panel(w, h, text):
    out = panel(w, h, 55, border=10, radius=18)
    over(out, caption(w - 40, 70, text, "blackletter", "gold"), 20, 30)
    return out


def lose_panel(w, h):
    """The lose panel, drawn centred on (400, 300): the two answers in their plain look sit under
    the buttons at (318, 302) and (318, 348); the buttons' own pictures are their lit look."""
    out = panel(w, h, 66, border=12, radius=22)
    over(out, caption(w - 40, 60, "Game Over", "blackletter", "red"), 20, 18)
    x0, y0 = 400 - w // 2, 300 - h // 2
    over(out, button_plaque(164, 40, "Try again"), 318 - x0, 302 - y0)
    over(out, button_plaque(164, 40, "Main menu"), 318 - x0, 348 - y0)
    return out


# The summary's wizard. The summary draws him with his top-left corner at (40, 138) once the
# doors have closed, over the scroll (paper from x 250, rollers from x 225, the lower one from
# y 454 on screen): he keeps left of x 182 of his picture where the lower roller passes and of
# x 205 elsewhere. The glow picture is drawn 117 right and 245 down from him, at a pulsing
# alpha: its light sits on the lantern in his hand.
WIZARD_GLOW_OFFSET = (117, 245)
LANTERN = (163, 306)
ROBE = (0.13, 0.17, 0.40)
CLOAK = (0.26, 0.11, 0.30)
SKIN = (0.88, 0.70, 0.56)
BEARD = (0.90, 0.89, 0.86)
WARM = (1.0, 0.78, 0.40)


def _path(ctx, pts, close=True):
    """Moves through pts: (x, y) points and ("c", x1, y1, x2, y2, x, y) curves."""
    ctx.move_to(*pts[0])
    for p in pts[1:]:
        if p[0] == "c":
            ctx.curve_to(*p[1:])
        else:
            ctx.line_to(*p)
    if close:
        ctx.close_path()


def _coverage(w, h, fn):
    """The coverage fn(ctx) paints, read straight from an alpha-only surface: the wizard's many
    parts would spend most of their time converting full colour pictures otherwise."""
    surf = cairo.ImageSurface(cairo.FORMAT_A8, w, h)
    fn(cairo.Context(surf))
    surf.flush()
    data = np.frombuffer(surf.get_data(), np.uint8).reshape(h, surf.get_stride())[:, :w]
    return data.astype(np.float32) / 255.0


def _mask(w, h, pts):
    def fn(ctx):
        _path(ctx, pts)
        ctx.fill()
    return _coverage(w, h, fn)


def _strokes(w, h, lines):
    """Mask of open round-capped lines, each (width, points in the form _path takes)."""
    def fn(ctx):
        ctx.set_line_cap(1)
        for width, pts in lines:
            ctx.set_line_width(width)
            _path(ctx, pts, close=False)
            ctx.stroke()
    return _coverage(w, h, fn)


def _light(mask, radius, lx, ly, strength):
    """Lightness factor of a rounded surface lit from the direction (lx, ly)."""
    m = blur_mask(mask, radius)
    gy, gx = np.gradient(m)
    n = math.hypot(lx, ly)
    return np.clip(1 - (gx * lx + gy * ly) / n * 4.0 * strength, 0.35, 1.9)


def _cloth(w, h, mask, colour, seed, folds, light=(1.0, 0.25), dark=0.55):
    """A cloth surface: colour with woven noise, fold shading and a light from the lantern side."""
    tex = blank(w, h)
    n = value_noise(w, h, 6, seed, 3)
    tex[..., :3] = np.array(colour, np.float32) * (0.88 + 0.24 * n)[..., None]
    tex[..., :3] *= folds[..., None]
    tex[..., :3] *= _light(mask, 5, light[0], light[1], 0.9)[..., None]
    yy = np.arange(h, dtype=np.float32)[:, None]
    tex[..., :3] *= np.clip(1.05 - dark * (yy / h) ** 2, 0.3, 1.1)[..., None]
    tex[..., 3] = mask
    return tex


def _folds(w, h, cx, top, spread, count, seed):
    """Shading of folds that fan out downwards from (cx, top)."""
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    depth = np.clip((yy - top) / (h - top), 0, 1)
    wobble = (value_noise(w, h, 40, seed, 2) - 0.5) * 2.5
    phase = (xx - cx) / (6 + spread * depth) + wobble
    f = np.sin(phase * math.pi * count / 4)
    return 1 + 0.26 * depth ** 0.6 * f - 0.1 * depth ** 0.6 * np.abs(f) ** 4


def _strands(w, h, paths, width, colour, seed, alpha=0.55):
    """Many thin hair strokes along the given centre lines (lists of points), jittered."""
    r = np.random.default_rng(seed)
    def fn(ctx, W, H):
        ctx.set_line_cap(1)
        for pts in paths:
            for _ in range(7):
                j = r.normal(0, width, 2)
                ctx.set_source_rgba(*colour, alpha * r.uniform(0.4, 1))
                ctx.set_line_width(r.uniform(0.6, 1.3))
                ctx.move_to(pts[0][0] + j[0] * 0.3, pts[0][1])
                for k in range(1, len(pts) - 2, 3):
                    ctx.curve_to(pts[k][0] + j[0] * 0.6, pts[k][1], pts[k + 1][0] + j[0], pts[k + 1][1],
                                 pts[k + 2][0] + j[1], pts[k + 2][1])
                ctx.stroke()
    return draw_on(blank(w, h), fn)


def _wizard_shapes(w, h):
    """The masks of the wizard's parts, in his picture's coordinates."""
    M = {}
    M["cloak"] = _mask(w, h, [(70, 140), ("c", 40, 170, 26, 260, 16, 330), ("c", 12, 360, 14, 388, 22, 398),
                              ("c", 50, 404, 90, 402, 120, 398), (120, 150)])
    M["robe"] = _mask(w, h, [(72, 138), ("c", 92, 128, 124, 128, 142, 140), ("c", 150, 200, 160, 300, 176, 392),
                             ("c", 160, 402, 140, 398, 124, 402), ("c", 104, 406, 84, 398, 64, 403),
                             ("c", 52, 404, 40, 400, 34, 396), ("c", 44, 300, 56, 200, 72, 138)])
    M["sleeve_far"] = _mask(w, h, [(78, 140), ("c", 62, 150, 50, 176, 42, 200), ("c", 38, 210, 34, 218, 32, 226),
                                   ("c", 40, 234, 52, 236, 60, 230), ("c", 62, 212, 72, 190, 88, 168)])
    M["sleeve_near"] = _mask(w, h, [(128, 142), ("c", 146, 152, 156, 190, 160, 236),
                                    ("c", 168, 250, 172, 262, 174, 270), ("c", 164, 276, 146, 276, 136, 268),
                                    ("c", 136, 240, 128, 200, 118, 170)])
    M["hand_near"] = _mask(w, h, [(148, 266), ("c", 152, 260, 166, 260, 170, 268), ("c", 172, 276, 168, 282, 160, 282),
                                  ("c", 152, 282, 146, 276, 148, 266)])
    M["hand_far"] = _mask(w, h, [(36, 230), ("c", 40, 226, 50, 226, 54, 231), ("c", 56, 237, 54, 243, 48, 245),
                                 ("c", 42, 246, 35, 244, 34, 238), ("c", 33, 235, 34, 232, 36, 230)])
    M["hair"] = _mask(w, h, [(84, 100), ("c", 76, 120, 74, 150, 80, 176), ("c", 88, 170, 96, 150, 100, 120),
                             (100, 100)])
    M["face"] = _mask(w, h, [(98, 98), ("c", 116, 94, 132, 98, 136, 106), ("c", 137, 112, 136, 122, 138, 130),
                             ("c", 136, 140, 126, 146, 112, 146), ("c", 100, 146, 94, 130, 94, 116)])
    M["nose"] = _mask(w, h, [(133, 108), ("c", 138, 112, 144, 118, 148, 125), ("c", 148, 129, 143, 131, 139, 130),
                             ("c", 135, 129, 133, 124, 131, 120)])
    M["beard"] = _mask(w, h, [(95, 124), ("c", 104, 136, 124, 140, 140, 132), ("c", 150, 150, 150, 178, 142, 200),
                              ("c", 136, 214, 132, 226, 126, 236), ("c", 124, 246, 118, 256, 114, 264),
                              ("c", 110, 250, 104, 240, 100, 230), ("c", 94, 214, 88, 196, 88, 176),
                              ("c", 86, 156, 88, 136, 95, 124)])
    M["hat"] = _mask(w, h, [(72, 99), ("c", 80, 72, 80, 46, 84, 28), ("c", 88, 14, 100, 8, 112, 22),
                            ("c", 104, 20, 96, 24, 94, 36), ("c", 98, 62, 116, 82, 140, 97)])
    M["brim"] = _mask(w, h, [(44, 102), ("c", 64, 86, 140, 84, 168, 96), ("c", 170, 102, 150, 108, 112, 108),
                             ("c", 80, 108, 50, 110, 44, 102)])
    M["staff"] = _mask(w, h, [(40, 44), ("c", 44, 150, 38, 280, 46, 408), (52, 408), ("c", 46, 280, 51, 150, 47, 44)])
    return M


def _lantern(w, h):
    """The brass lantern hanging from his hand, its glass lit from within."""
    cx, cy = LANTERN
    out = blank(w, h)
    glass = rrect_mask(w, h, cx - 10, cy - 14, 20, 27, 4)
    g = blank(w, h)
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    d = np.sqrt((xx - cx) ** 2 + ((yy - cy - 2) * 0.8) ** 2)
    g[..., :3] = np.array(mix(WARM, (1, 1, 0.9), 0.3), np.float32) * np.clip(1.25 - d / 16, 0.5, 1.2)[..., None]
    g[..., 3] = glass
    over(out, g)
    flame = _mask(w, h, [(cx, cy - 9), ("c", cx + 5, cy - 2, cx + 5, cy + 6, cx, cy + 7),
                         ("c", cx - 5, cy + 6, cx - 5, cy - 2, cx, cy - 9)])
    over(out, solid(np.clip(blur_mask(flame, 2) * 1.6, 0, 1), (1.0, 0.6, 0.2)))
    over(out, solid(flame, (1.0, 0.97, 0.85)))
    def frame(ctx, W, H):
        ctx.set_line_join(1)
        ctx.set_source_rgb(1, 1, 1)
        ctx.set_line_width(2.2)
        for x in (cx - 10, cx, cx + 10):
            ctx.move_to(x, cy - 14)
            ctx.line_to(x, cy + 13)
        ctx.stroke()
        ctx.move_to(cx - 12, cy - 14)
        ctx.line_to(cx - 6, cy - 22)
        ctx.line_to(cx + 6, cy - 22)
        ctx.line_to(cx + 12, cy - 14)
        ctx.close_path()
        ctx.fill()
        rounded_rect(ctx, cx - 13, cy + 12, 26, 5, 2)
        ctx.fill()
        ctx.set_line_width(1.6)
        ctx.arc(cx, cy - 27, 5, math.pi * 0.9, math.pi * 2.1)
        ctx.stroke()
        ctx.arc(cx, cy - 22, 2.5, 0, 2 * math.pi)
        ctx.fill()
    m = draw_on(blank(w, h), frame)[..., 3]
    over(out, metal(w, h, m, mix(GOLD, BRONZE, 0.45), 931, bevel=0.8))
    return out


def _grain(w, h, seed, colour, mask, stretch=10):
    """Wood along its length (vertical), lit from the lantern side."""
    small = value_noise(w, max(4, h // stretch), 2, seed, 3)
    n = np.asarray(Image.fromarray(small, mode="F").resize((w, h), Image.BICUBIC))
    tex = blank(w, h)
    tex[..., :3] = np.array(colour, np.float32) * (0.6 + 0.7 * np.clip(n, 0, 1))[..., None]
    tex[..., :3] *= _light(mask, 1.5, 1, 0.1, 1.2)[..., None]
    tex[..., 3] = mask
    return tex


def _skin(w, h, mask, radius=2, shade_top=None):
    sk = blank(w, h)
    sk[..., :3] = np.array(SKIN, np.float32) * _light(mask, radius, 1, 0.4, 1.0)[..., None]
    if shade_top is not None:
        yy = np.arange(h, dtype=np.float32)[:, None]
        sk[..., :3] *= np.clip(0.5 + (yy - shade_top) / 16, 0.5, 1.0)[..., None]
    sk[..., 3] = mask
    return sk


def wizard(w, h):
    M = _wizard_shapes(w, h)
    out = blank(w, h)
    shadow = ellipse_mask(w, h, 96, 404, 84, 8)
    over(out, solid(blur_mask(shadow, 5) * 0.7, (0, 0, 0)))
    # the cloak behind him
    over(out, _cloth(w, h, M["cloak"], CLOAK, 901, _folds(w, h, 70, 150, 60, 5, 902), light=(1, 0.2), dark=0.7))
    edge = np.clip(M["cloak"] - np.roll(M["cloak"], 3, axis=1), 0, 1)
    over(out, solid(blur_mask(edge, 1) * 0.45, (0.55, 0.35, 0.65)))
    # the staff with a crystal held in its crook
    crook = _strokes(w, h, [(5, [(44, 50), ("c", 36, 42, 30, 30, 35, 18)]), (4, [(46, 50), ("c", 56, 40, 57, 28, 51, 16)])])
    wood_mask = np.clip(M["staff"] + crook, 0, 1)
    over(out, _grain(w, h, 903, (0.36, 0.23, 0.13), wood_mask))
    def knots(ctx, W, H):
        ctx.set_source_rgba(0.12, 0.07, 0.04, 0.8)
        for (x, y) in ((45, 120), (43, 300), (46, 360)):
            ctx.save()
            ctx.translate(x, y)
            ctx.scale(1.8, 3.2)
            ctx.arc(0, 0, 1, 0, 2 * math.pi)
            ctx.restore()
            ctx.fill()
    out = draw_on(out, knots)
    gem = _mask(w, h, [(43, 10), (51, 26), (43, 42), (35, 26)])
    over(out, solid(np.clip(blur_mask(gem, 7) * 1.6, 0, 1) * 0.75, (0.55, 0.75, 1.0)))
    facets = gradient_v(w, h, (0.9, 0.97, 1.0), (0.3, 0.5, 0.95))
    facets[..., :3] *= np.where(np.arange(w)[None, :] < 43, 1.0, 0.72)[..., None]
    facets[..., 3] = gem
    over(out, facets)
    over(out, solid(_mask(w, h, [(40, 18), (43, 14), (44, 24), (41, 27)]) * 0.9, (1, 1, 1)))
    # the robe, with a gold-edged opening, a belt and runes along the hem
    over(out, _cloth(w, h, M["robe"], ROBE, 907, _folds(w, h, 112, 150, 70, 6, 908)))
    creases = _strokes(w, h, [(2.2, [(x0, y0), ("c", x0 + bend, (2 * y0 + y1) / 3, x1 - bend, (y0 + 2 * y1) / 3, x1, y1)])
                              for (x0, y0, x1, y1, bend) in ((70, 250, 58, 392, -6), (96, 252, 92, 396, 4),
                                                             (108, 260, 112, 394, -3), (142, 250, 156, 388, 5))])
    over(out, solid(blur_mask(creases, 2.0) * M["robe"] * 0.7, (0.02, 0.02, 0.08)))
    tm = _strokes(w, h, [(4, [(122, 136), ("c", 124, 220, 128, 320, 134, 402)]),
                         (5, [(36, 394), ("c", 60, 402, 90, 398, 124, 402), ("c", 144, 400, 162, 402, 176, 391)]),
                         (7, [(62, 232), ("c", 90, 242, 124, 244, 152, 232)])]) * M["robe"]
    over(out, solid(blur_mask(tm, 1.5) * 0.5, (0, 0, 0)), 0, 2)
    over(out, metal(w, h, tm, mix(GOLD, BRONZE, 0.35), 909, bevel=1.2))
    over(out, metal(w, h, ellipse_mask(w, h, 118, 240, 7, 6), GOLD, 910, bevel=1.0))
    def hem_runes(ctx, W, H):
        ctx.set_source_rgba(1, 1, 1, 1)
        for k, (x, y) in enumerate(((46, 372), (72, 376), (98, 376), (144, 374))):
            art.stroke_glyph(ctx, [1, 4, 9, 6][k], x, y, 12, 1.4)
    over(out, solid(draw_on(blank(w, h), hem_runes)[..., 3] * M["robe"] * 0.85, (0.95, 0.8, 0.45)))
    # the far arm reaching back to the staff
    over(out, solid(blur_mask(M["sleeve_far"], 4) * 0.55, (0.02, 0.02, 0.06)), 3, 3)
    over(out, _cloth(w, h, M["sleeve_far"], mix(ROBE, (0, 0, 0), 0.12), 905, _folds(w, h, 78, 140, 16, 3, 906), dark=0.0))
    cuff_far = _mask(w, h, [(32, 224), ("c", 40, 232, 52, 234, 60, 228), (61, 233), ("c", 52, 240, 38, 238, 31, 229)])
    over(out, metal(w, h, cuff_far, mix(GOLD, BRONZE, 0.35), 921, bevel=1.0))
    over(out, _skin(w, h, M["hand_far"]))
    def knuckles(ctx, W, H):
        ctx.set_source_rgba(0.45, 0.25, 0.18, 0.7)
        ctx.set_line_width(0.9)
        for y in (235, 239, 243):
            ctx.move_to(45, y - 1)
            ctx.line_to(53, y)
            ctx.stroke()
    out = draw_on(out, knuckles)
    # hair behind the face, the face, the beard
    over(out, solid(M["hair"], mix(BEARD, (0.5, 0.5, 0.55), 0.35)))
    over(out, _strands(w, h, [[(88, 100), (80, 120), (78, 150), (82, 174)], [(94, 100), (88, 130), (86, 150), (90, 168)]],
                       3, BEARD, 911, 0.6))
    over(out, _skin(w, h, M["face"], 3, shade_top=100))
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    blush = np.clip(1 - np.hypot(xx - 124, yy - 124) / 9, 0, 1) * M["face"]
    over(out, solid(blush * 0.35, (0.9, 0.45, 0.4)))
    over(out, solid(blur_mask(M["nose"], 1.5) * 0.45, (0.35, 0.15, 0.1)), -1, 2)
    over(out, _skin(w, h, M["nose"], 1.5, shade_top=102))
    def features(ctx, W, H):
        ctx.set_line_cap(1)
        # the eye under a heavy brow, the line of the nostril, a crease by the eye
        ctx.set_source_rgb(0.14, 0.08, 0.07)
        _path(ctx, [(122, 115), ("c", 124, 112, 129, 112, 131, 114), ("c", 129, 116, 125, 117, 122, 115)])
        ctx.fill()
        ctx.set_source_rgba(0.95, 0.95, 1.0, 0.9)
        ctx.arc(128.2, 113.8, 0.7, 0, 2 * math.pi)
        ctx.fill()
        ctx.set_source_rgba(0.4, 0.2, 0.15, 0.55)
        ctx.set_line_width(0.9)
        ctx.move_to(139, 128)
        ctx.curve_to(141, 126, 143, 126, 144, 128)
        ctx.stroke()
        ctx.move_to(119, 119)
        ctx.curve_to(121, 121, 124, 121, 127, 120)
        ctx.stroke()
        ctx.move_to(117, 116)
        ctx.line_to(114, 117)
        ctx.stroke()
    out = draw_on(out, features)
    over(out, solid(blur_mask(M["beard"], 3) * 0.5, (0.02, 0.02, 0.06)), 2, 3)
    beard = blank(w, h)
    beard[..., :3] = np.array(BEARD, np.float32) * _light(M["beard"], 5, 1, 0.3, 0.9)[..., None]
    # locks: soft ridges running down the beard
    locks = 0.5 + 0.5 * np.sin((xx - 118 + (yy - 130) * 0.18 + 3 * value_noise(w, h, 20, 912, 2)) * 0.55)
    beard[..., :3] *= (0.8 + 0.25 * locks)[..., None]
    beard[..., 3] = M["beard"]
    over(out, beard)
    lines = [[(96 + 8 * k, 132), (94 + 9 * k, 170), (100 + 6 * k, 210), (108 + 3 * k, 250)] for k in range(6)]
    for layer in (_strands(w, h, lines, 3, (0.5, 0.5, 0.56), 913, 0.35), _strands(w, h, lines[1::2], 4, (1, 1, 1), 914, 0.5)):
        layer[..., 3] *= M["beard"]
        over(out, layer)
    # moustache and brow, white and full
    def locks(ctx, W, H):
        ctx.set_source_rgb(1, 1, 1)
        _path(ctx, [(140, 129), ("c", 146, 131, 150, 138, 149, 147), ("c", 145, 142, 140, 138, 134, 137),
                    ("c", 126, 140, 118, 144, 112, 146), ("c", 118, 138, 128, 130, 140, 129)])
        ctx.fill()
        _path(ctx, [(114, 109), ("c", 120, 103, 130, 102, 138, 106), ("c", 140, 108, 139, 110, 136, 110),
                    ("c", 130, 108, 122, 109, 114, 113)])
        ctx.fill()
    lm = draw_on(blank(w, h), locks)[..., 3]
    over(out, solid(blur_mask(lm, 1.2) * 0.5, (0.2, 0.12, 0.1)), 0, 2)
    lk = blank(w, h)
    lk[..., :3] = np.array((0.97, 0.96, 0.93), np.float32) * _light(lm, 1.5, 1, -0.5, 0.6)[..., None]
    lk[..., 3] = lm
    over(out, lk)
    # the hat: a tall crooked cone, a gold band, stars, and a brim that shades the brow
    hat = _cloth(w, h, M["hat"], ROBE, 914, _folds(w, h, 90, 20, 10, 3, 915), dark=0.0)
    over(out, hat)
    band = _mask(w, h, [(70, 92), ("c", 94, 90, 122, 88, 142, 95), (134, 86), ("c", 116, 80, 92, 82, 74, 84)])
    over(out, metal(w, h, band * M["hat"], mix(GOLD, BRONZE, 0.3), 916, bevel=1.0))
    def stars(ctx, W, H):
        ctx.set_source_rgba(1.0, 0.9, 0.6, 0.9)
        for (x, y, s) in ((92, 62, 4), (88, 38, 3), (108, 80, 2.5)):
            for i in range(8):
                a = math.pi * i / 4 - math.pi / 2
                rr = s if i % 2 == 0 else s * 0.35
                (ctx.move_to if i == 0 else ctx.line_to)(x + math.cos(a) * rr, y + math.sin(a) * rr)
            ctx.close_path()
            ctx.fill()
    out = draw_on(out, stars)
    over(out, solid(blur_mask(M["brim"], 3) * 0.55, (0.02, 0.01, 0.05)), 0, 5)
    over(out, _cloth(w, h, M["brim"], mix(ROBE, (0, 0, 0), 0.1), 917, np.ones((h, w), np.float32), light=(0.6, -1), dark=0.0))
    rim = np.clip(M["brim"] - np.roll(M["brim"], -2, axis=0), 0, 1)
    over(out, solid(rim * 0.5, (0.5, 0.6, 1.0)))
    # the near sleeve, the hand and the lantern it holds
    over(out, solid(blur_mask(M["sleeve_near"], 4) * 0.5, (0.02, 0.02, 0.06)), -3, 3)
    over(out, _cloth(w, h, M["sleeve_near"], mix(ROBE, (0.5, 0.55, 0.9), 0.12), 918, _folds(w, h, 146, 150, 14, 3, 919),
                     light=(1, 0.1)))
    cuff = _mask(w, h, [(136, 266), ("c", 146, 276, 164, 276, 174, 268), (174, 272), ("c", 162, 282, 144, 280, 134, 271)])
    over(out, metal(w, h, cuff, mix(GOLD, BRONZE, 0.35), 920, bevel=1.0))
    over(out, _lantern(w, h))
    over(out, _skin(w, h, M["hand_near"]))
    def fingers(ctx, W, H):
        ctx.set_source_rgba(0.45, 0.25, 0.18, 0.7)
        ctx.set_line_width(0.9)
        for x in (155, 159, 163):
            ctx.move_to(x, 274)
            ctx.line_to(x + 1, 281)
            ctx.stroke()
    out = draw_on(out, fingers)
    # the lantern's warm light on what faces it
    near = np.clip(1 - np.hypot(xx - LANTERN[0], (yy - LANTERN[1]) * 0.9) / 120, 0, 1) ** 2
    lit = out[..., 3] * near * 0.45
    out[..., :3] = np.clip(out[..., :3] + np.array(WARM, np.float32) * lit[..., None] * 0.6, 0, 1)
    return out


def wizard_glow(w, h):
    """The lantern's breath of light, drawn over the wizard: a halo round the flame and its warm
    light on the robe and the sleeve beside it, fading out well inside the picture's edges."""
    ox, oy = WIZARD_GLOW_OFFSET
    gx, gy = LANTERN[0] - ox, LANTERN[1] - oy
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    d = np.hypot(xx - gx, yy - gy)
    halo = 0.35 * np.exp(-d / 10) + 0.3 * np.clip(1 - d / 46, 0, 1) ** 2
    M = _wizard_shapes(w + ox, h + oy)
    figure = np.clip(M["robe"] + M["sleeve_near"] + M["hand_near"], 0, 1)[oy:, ox:]
    # the cast light must be gone where the picture's left and top edges cross the robe
    edge = np.clip(xx / gx, 0, 1) ** 2 * np.clip(yy / gy, 0, 1) ** 2
    cast = figure * 0.4 * np.clip(1 - d / 95, 0, 1) ** 1.5 * edge
    return solid(np.clip(halo + cast, 0, 1), mix(WARM, (1, 1, 1), 0.2))


def door_tile(w, h, side, x0, y0):
    """One tile of a closing door: 400x600 of oak planks with iron bands, cut at (x0, y0)."""
    W, H = 400, 600
    door = wood(H, W, 71 if side == "left" else 72, 24, plank=50)
    door = np.ascontiguousarray(np.transpose(door, (1, 0, 2)))
    def bands(ctx, WW, HH):
        for y in (90, 300, 510):
            ctx.set_source_rgb(0.16, 0.15, 0.17)
            ctx.rectangle(0, y - 16, WW, 32)
            ctx.fill()
            ctx.set_source_rgb(0.45, 0.43, 0.46)
            for x in range(20, WW, 60):
                ctx.arc(x, y, 5, 0, 2 * math.pi)
                ctx.fill()
        ring_x = WW - 40 if side == "left" else 40
        ctx.set_line_width(7)
        ctx.set_source_rgb(0.7, 0.55, 0.25)
        ctx.arc(ring_x, 330, 22, 0, 2 * math.pi)
        ctx.stroke()
    door = draw_on(door, bands)
    edge = np.abs(np.arange(W, dtype=np.float32) - (W - 1 if side == "left" else 0)) / W
    door[..., :3] *= (0.6 + 0.4 * edge)[None, :, None] if side == "right" else (1.0 - 0.4 * (1 - edge))[None, :, None]
    return door[y0:y0 + h, x0:x0 + w].copy()


def _note(arr, x, y, w, h, text, seed, size=17):
    """A small parchment label with a line or two of ink text: every line in one size (the
    largest up to `size` at which each keeps 10 pixels inside the sides), on one baseline
    pitch, the block centred on the label."""
    over(arr, parchment(w, h, seed, margin=3), x, y)
    lines = text.split("\n")
    while size > 6 and (max(text_mask(line, "text", size).shape[1] for line in lines) > w - 20
                        or int(size * 1.4) * len(lines) > h - 10):
        size -= 1
    face = font("text", size)
    pitch = int(size * 1.4)
    ascent, descent = face.getmetrics()
    top = (h - (pitch * (len(lines) - 1) + ascent + descent)) // 2
    ink = Image.new("L", (w, h), 0)
    for i, line in enumerate(lines):
        left, _, right, _ = face.getbbox(line)
        ImageDraw.Draw(ink).text(((w - (right - left)) // 2 - left, top + i * pitch), line, font=face, fill=255)
    over(arr, solid(np.asarray(ink).astype(np.float32) / 255.0, INK), x, y)


def tutorial_page(w, h, boss):
    """The tutorial backdrop: labels placed around the spots where the page animates its demos,
    and the Play caption under the Play hover box (370..433, 571..593)."""
    arr = scene(w, h, 501 if boss else 502, "violet" if boss else "night", towers=False, veil=0.45)
    if boss:
        over(arr, caption(420, 60, "Boss Runes", "blackletter", "gold"), 190, 20)
        _note(arr, 20, 140, 230, 110, "A boss rune holds\nfour cells of the board", 511)
        _note(arr, 550, 140, 230, 110, "Fill its four arms with\nrunes of its colour", 512)
        _note(arr, 20, 420, 250, 100, "Then it breaks apart\nwith all four arms", 513)
        _note(arr, 530, 420, 250, 100, "Break every boss rune\nto win the level", 514)
    else:
        over(arr, caption(300, 56, "How to Play", "blackletter", "gold"), 250, 8)
        _note(arr, 8, 292, 210, 62, "Turn the piece: wheel,\nright button or keys", 521)
        _note(arr, 560, 184, 230, 62, "Three of a colour\nin a line vanish", 522)
        _note(arr, 505, 256, 170, 62, "They fill the\nmagic sphere", 523)
        _note(arr, 490, 340, 110, 62, "Mind the\nclock", 524)
        _note(arr, 590, 470, 190, 62, "Pieces come in\nmany shapes", 525)
        _note(arr, 20, 500, 260, 62, "Close gaps to finish\nrows and columns", 526)
    over(arr, caption(90, 30, "Play", "capitals", "gold"), 357, 567)
    return arr


def play_highlight(w, h):
    out = highlight(w, h)
    over(out, caption(w, h, "Play", "capitals", "hover"))
    return out


def help_page(w, h):
    lines = ["Left click: place the held piece.", "Wheel or right click: turn it.",
             "Match three or more runes of one colour", "in a row or column to clear them.",
             "Cleared runes fill the balls of the sphere.", "To win, fill every ball of the sphere; on some",
             "levels, clear the board or wake the wardens.",
             "Runes left too long turn to stone: clear a", "run through them to free them again.",
             "Spend mana on the four spells of the ring.", "Esc or a click closes this page."]
    return art.text_page(w, h, 503, "night", "Help", lines, box=(70, 100, 660, 470), size=21)


def clock_case(w, h):
    out = blank(w, h)
    ring = np.clip(ellipse_mask(w, h, w / 2, h / 2, w / 2 - 2, h / 2 - 2) - ellipse_mask(w, h, w / 2, h / 2, 52, 52), 0, 1)
    over(out, solid(blur_mask(ring, 3) * 0.6, (0, 0, 0)), 2, 3)
    over(out, metal(w, h, ring, BRONZE, 3, bevel=2.5))
    def ticks(ctx, W, H):
        ctx.set_source_rgba(1, 0.9, 0.6, 0.9)
        for i in range(12):
            a = i * math.pi / 6
            ctx.arc(W / 2 + math.cos(a) * 61, H / 2 + math.sin(a) * 61, 2.4, 0, 2 * math.pi)
            ctx.fill()
    return draw_on(out, ticks)


def clock_face(w, h, n):
    """Frame n of the clock (30 full time ... 1 no time left): a sand-coloured sector shrinking."""
    out = blank(w, h)
    disc = ellipse_mask(w, h, w / 2, h / 2, w / 2 - 1, h / 2 - 1)
    face = gradient_v(w, h, (0.12, 0.10, 0.22), (0.05, 0.04, 0.10))
    face[..., 3] = disc
    over(out, face)
    frac = (n - 1) / 29.0
    def sector(ctx, W, H):
        ctx.set_source_rgba(1, 1, 1, 1)
        ctx.move_to(W / 2, H / 2)
        ctx.arc(W / 2, H / 2, W / 2 - 6, -math.pi / 2, -math.pi / 2 + 2 * math.pi * max(frac, 0.001))
        ctx.close_path()
        ctx.fill()
    m = draw_on(blank(w, h), sector)[..., 3]
    col = mix((0.9, 0.25, 0.15), (1.0, 0.8, 0.35), frac)
    sand = gradient_v(w, h, mix(col, (1, 1, 1), 0.3), mix(col, (0, 0, 0), 0.3))
    sand[..., 3] = m
    over(out, sand)
    def hand(ctx, W, H):
        a = -math.pi / 2 + 2 * math.pi * frac
        ctx.set_source_rgb(0.95, 0.9, 0.75)
        ctx.set_line_width(3)
        ctx.set_line_cap(1)
        ctx.move_to(W / 2, H / 2)
        ctx.line_to(W / 2 + math.cos(a) * (W / 2 - 8), H / 2 + math.sin(a) * (H / 2 - 8))
        ctx.stroke()
        ctx.arc(W / 2, H / 2, 5, 0, 2 * math.pi)
        ctx.fill()
    return draw_on(out, hand)


# The boss tutorial draws b-04 among blue runes: it is the first warden, drawn blue.
BOSS_CLASSES = {1: 1, 2: 2, 3: 4, 4: 5, 5: 6, 6: 3}


def boss_rune(w, h, n):
    cls = BOSS_CLASSES[n]
    out = rune_tile(w, h, cls, seed=n)
    ring = np.clip(rrect_mask(w, h, 0, 0, w, h, 14) - rrect_mask(w, h, 5, 5, w - 10, h - 10, 10), 0, 1)
    over(out, metal(w, h, ring, mix(BRONZE, (0.2, 0.2, 0.2), 0.3), n, bevel=1.5))
    def spikes(ctx, W, H):
        ctx.set_source_rgb(0.85, 0.8, 0.7)
        for (x, y) in ((6, 6), (W - 6, 6), (6, H - 6), (W - 6, H - 6)):
            ctx.arc(x, y, 3, 0, 2 * math.pi)
            ctx.fill()
    return draw_on(out, spikes)


def boss_shadow(w, h):
    m = rrect_mask(w, h, 4, 6, w - 6, h - 6, 12)
    return solid(blur_mask(m, 3) * 0.6, (0, 0, 0))


def boss_glow(w, h, i, small=False):
    a = 2 * math.pi * i / 16
    out = blank(w, h)
    g = radial(w, h, w / 2 + math.cos(a) * w * 0.22, h / 2 + math.sin(a) * h * 0.22, w * 0.45, 1.5)
    ring = art.ring_glow(w, h, (1.0, 0.5, 0.2), radius=0.78 + 0.06 * math.sin(a * 2), width=0.1)
    over(out, ring)
    over(out, solid(g * 0.7, (1.0, 0.7, 0.3) if not small else (1.0, 0.6, 0.4)))
    return out


def soot(w, h):
    n = value_noise(w, h, 5, 12, 3)
    m = np.clip(radial(w, h, w / 2, h / 2, w / 2, 0.7) * (0.6 + 0.8 * n), 0, 1)
    return solid(m, (0.9, 0.9, 0.9))


def gallery_frame(w, h):
    """The gallery's frame: a scene with a transparent window where the picture shows."""
    out = scene(w, h, 210, "violet", towers=False, veil=0.3)
    # the shown picture is drawn at 70 % (560 x 420) with its corner at (120, 80)
    hole = rrect_mask(w, h, 122, 82, 556, 416, 6)
    ring = np.clip(rrect_mask(w, h, 108, 68, 584, 444, 14) - hole, 0, 1)
    out[..., 3] = 1 - hole
    over(out, solid(blur_mask(ring, 4) * 0.7, (0, 0, 0)), 3, 4)
    over(out, metal(w, h, ring, BRONZE, 211, bevel=3))
    return out


def logo(w, h):
    out = blank(w, h)
    over(out, solid(blur_mask(ellipse_mask(w, h, w / 2, h / 2, w / 2 - 8, h / 2 - 8), 10) * 0.6, (0.05, 0.02, 0.1)))
    over(out, caption(w - 20, 66, "Korvela", "blackletter", "pale"), 10, 8)
    over(out, caption(w - 80, 30, "presents", "capitals", "gold"), 40, 74)
    return out



def map_marker(w, h, k, done):
    """A map marker: the kind's sign in its colour for positions to come, a muted tick once won."""
    colour = [(0.9, 0.3, 0.2), (0.3, 0.6, 1.0), (0.7, 0.35, 1.0)][k - 1]
    if done:
        return medallion(w, h, "check", mix(colour, (0.55, 0.5, 0.42), 0.65), seed=610 + k)
    return medallion(w, h, ["star", "cross", "flame"][k - 1], colour, seed=610 + k)


def story_band(w, h, top):
    """The story's opaque bands: a bronze-edged bar over the picture, and under it a parchment
    on which the page's text is written in black from x 105, y 425 on the screen."""
    if top:
        out = wood(w, h, 620, 24, plank=h)
        out[..., :3] *= 0.55
        rail = np.zeros((h, w), np.float32)
        rail[h - 6:h - 1, :] = 1
        over(out, metal(w, h, rail, mix(BRONZE, GOLD, 0.3), 621, bevel=1))
        over(out, caption(300, h - 6, "Vessamoor", "capitals", "gold"), (w - 300) // 2, 0)
        out[..., 3] = 1
        return out
    out = art.parchment_tex(w, h, 622)
    yy = np.arange(h, dtype=np.float32)[:, None]
    out[..., :3] *= np.clip(0.75 + yy / 60, 0.75, 1.0)[..., None]
    rail = np.zeros((h, w), np.float32)
    rail[0:7, :] = 1
    over(out, metal(w, h, rail, mix(BRONZE, GOLD, 0.3), 623, bevel=1))
    def rule(ctx, W, H):
        ctx.set_source_rgba(*INK, 0.35)
        ctx.set_line_width(1.2)
        ctx.move_to(90, H - 33)
        ctx.line_to(W - 90, H - 33)
        ctx.stroke()
    out = draw_on(out, rule)
    out[..., 3] = 1
    return out




def puzzle_backdrop(w, h):
    """The puzzle screen: a frame round the 670x494 picture at (65, 53) and the Menu and Hint
    labels under their hover boxes (287..360 and 417..530, y 572..592)."""
    out = scene(w, h, 660, "dusk", veil=0.35)
    ring = np.clip(rrect_mask(w, h, 55, 43, 690, 514, 12) - rrect_mask(w, h, 65, 53, 670, 494, 4), 0, 1)
    over(out, metal(w, h, ring, BRONZE, 661, bevel=2.5))
    over(out, caption(74, 22, "Menu", "capitals", "gold"), 287, 571)
    over(out, caption(114, 22, "Hint", "capitals", "gold"), 417, 571)
    return out


def hover_label(w, h, text):
    out = highlight(w, h)
    over(out, caption(w, h, text, "capitals", "hover"))
    return out


def tile_frame(w, h, selected):
    """The frame stretched over every tile, or the selection mark, which the game draws scaled
    as if the tile were 116 pixels and reaching 6 scaled pixels beyond it (so 128 across)."""
    out = blank(w, h)
    if selected:
        ring = np.clip(rrect_mask(w, h, 2, 2, w - 4, h - 4, 8) - rrect_mask(w, h, 9, 9, w - 18, h - 18, 4), 0, 1)
        over(out, solid(np.clip(blur_mask(ring, 3) * 1.6, 0, 1) * 0.9, (1.0, 0.8, 0.35)))
        over(out, solid(ring * 0.9, (1.0, 0.95, 0.7)))
        return out
    ring = np.clip(rrect_mask(w, h, 0, 0, w, h, 5) - rrect_mask(w, h, 3, 3, w - 6, h - 6, 3), 0, 1)
    over(out, solid(ring * 0.7, (0.15, 0.1, 0.05)))
    return out


def shadow_piece(w, h, part):
    """A piece of the 7-pixel shadow drawn inside the edge of the puzzle's solved region: dark at
    the region's outer side ("l" left, "p" right, "g" top, "d" bottom; corners combine two)."""
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32) + 0.5
    dist = {"l": xx, "p": w - xx, "g": yy, "d": h - yy}
    m = np.zeros((h, w), np.float32)
    for side in ("l", "p", "g", "d"):
        if side in part if len(part) == 2 else side == part:
            m = np.maximum(m, np.clip(1 - dist[side] / 7.0, 0, 1) ** 1.4)
    return solid(m * 0.75, (0, 0, 0))


def ring_backdrop(w, h):
    out = scene(w, h, 670, "forest", veil=0.25)
    def table(ctx, W, H):
        ctx.set_source_rgba(0.15, 0.09, 0.05, 0.85)
        ctx.rectangle(0, H - 120, W, 120)
        ctx.fill()
    return draw_on(out, table)


def rune_ring(w, h):
    out = blank(w, h)
    ring = np.clip(ellipse_mask(w, h, w / 2, h / 2, w / 2 - 2, h / 2 - 2) - ellipse_mask(w, h, w / 2, h / 2, w / 2 - 34, h / 2 - 34), 0, 1)
    over(out, solid(blur_mask(ring, 4) * 0.6, (0, 0, 0)), 3, 4)
    over(out, stone(w, h, ring, 680, base=(0.35, 0.3, 0.4), bevel=3))
    def runes(ctx, W, H):
        ctx.set_source_rgba(0.95, 0.85, 0.6, 0.85)
        for i in range(16):
            a = 2 * math.pi * i / 16
            cx, cy = W / 2 + math.cos(a) * (W / 2 - 18), H / 2 + math.sin(a) * (H / 2 - 18)
            ctx.save()
            ctx.translate(cx - 9, cy - 9)
            art.stroke_glyph(ctx, (i % 15) + 1, 0, 0, 18, 2)
            ctx.restore()
    out = draw_on(out, runes)
    inner = ellipse_mask(w, h, w / 2, h / 2, w / 2 - 34, h / 2 - 34)
    over(out, solid(np.clip(blur_mask(inner, 20) * inner, 0, 1) * 0.35, (0.4, 0.3, 0.8)))
    return out


def pendulum(w, h):
    out = blank(w, h)
    rod = rrect_mask(w, h, w / 2 - 2, 0, 4, h - 34, 2)
    over(out, metal(w, h, rod, BRONZE, 690, bevel=1))
    bob = ellipse_mask(w, h, w / 2, h - 18, 17, 17)
    over(out, metal(w, h, bob, GOLD, 691, bevel=2))
    over(out, solid(ellipse_mask(w, h, w / 2, h - 18, 7, 7), (0.6, 0.2, 0.9)))
    return out


RING_GLYPHS = [(c, None) for c in range(1, 16)] + [(1, 7), (3, 11), (5, 14), (6, 2), (8, 10)]


def ring_runes(w, h, ink):
    n = len(RING_GLYPHS)
    cw = w // n
    out = blank(w, h)
    for i, (a, b) in enumerate(RING_GLYPHS):
        cell = blank(cw, h)
        size = min(cw, h) * (0.8 if ink else 0.62)
        x0, y0 = (cw - size) / 2, (h - size) / 2
        gm = glyph_mask(cw, h, a, x0, y0, size, max(2.6, size / 9) if ink else max(2, size / 11))
        if b:
            gm = np.clip(gm + glyph_mask(cw, h, b, x0 + size * 0.2, y0 + size * 0.2, size * 0.6, max(1.5, size / 14)), 0, 1)
        if ink:
            over(cell, solid(gm, INK))
        else:
            disc = ellipse_mask(cw, h, cw / 2, h / 2, cw / 2 - 3, h / 2 - 3)
            over(cell, solid(np.clip(blur_mask(disc, 5), 0, 1) * 0.6, (0.3, 0.2, 0.6)))
            over(cell, solid(np.clip(blur_mask(gm, 2.5) * 2, 0, 1), (0.6, 0.5, 1.0)))
            over(cell, solid(gm, (1.0, 0.97, 0.85)))
        over(out, cell, i * cw, 0)
    return out


def time_bar(w, h):
    """A column of the progress bar, stretched sideways by the game."""
    bar = gradient_v(w, h, (1.0, 0.9, 0.55), (0.75, 0.35, 0.1))
    bar[0, :, :3] *= 0.6
    bar[-1, :, :3] *= 0.5
    return bar


def spell_frame(w, h, name, colour, f):
    out = blank(w, h)
    pulse = 0.5 + 0.5 * math.sin(f * 2 * math.pi / 5)
    over(out, solid(radial(w, h, w / 2, h / 2, w / 2, 1.2) * (0.4 + 0.5 * pulse), colour))
    over(out, medallion(w - 8, h - 8, name, mix(colour, (1, 1, 1), 0.2 * pulse), seed=700 + f), 4, 4)
    return out


def piece_picture(w, h, shape, seed):
    cells = {"l3": [(0, 0), (1, 0), (0, 1)], "t4": [(0, 0), (1, 0), (2, 0), (1, 1)], "i3": [(0, 0), (1, 0), (2, 0)]}[shape]
    out = blank(w, h)
    ids = [1, 2, 5]
    maxx = max(c[0] for c in cells) + 1
    maxy = max(c[1] for c in cells) + 1
    ox, oy = (w - maxx * 32) // 2, (h - maxy * 32) // 2
    for k, (x, y) in enumerate(cells):
        cls = RUNES[[0, 1, 4][(k + seed) % 3]][1]
        over(out, rune_shadow(32, 32), ox + x * 32 + 1, oy + y * 32 + 2)
        over(out, rune_tile(32, 32, cls), ox + x * 32, oy + y * 32)
    return out


IVORY_TOP = (0.95, 0.92, 0.84)
IVORY_LOW = (0.62, 0.57, 0.50)
AMBER = (1.0, 0.68, 0.25)


def _lit_part(w, h, mask, glow_radius=4.0):
    """A part that shows what to press: amber, bright at its middle, with light spilling round it."""
    out = blank(w, h)
    over(out, solid(np.clip(blur_mask(mask, glow_radius) * 1.8, 0, 1) * 0.8, AMBER))
    body = gradient_v(w, h, (1.0, 0.9, 0.6), (0.95, 0.5, 0.15))
    body[..., :3] *= _light(mask, 2, -1, -1, 0.5)[..., None]
    body[..., 3] = mask
    return over(out, body)


def _turn_arrow(w, h, cx, cy, r, start, end, width=2.2):
    """A small curved arrow from angle start to end (degrees, clockwise on screen)."""
    def fn(ctx, W, H):
        ctx.set_source_rgb(1, 1, 1)
        ctx.set_line_width(width)
        ctx.set_line_cap(1)
        a0, a1 = math.radians(start), math.radians(end)
        ctx.arc(cx, cy, r, a0, a1)
        ctx.stroke()
        tx, ty = cx + math.cos(a1) * r, cy + math.sin(a1) * r
        # the head points along the direction of travel
        dx, dy = -math.sin(a1), math.cos(a1)
        px, py = -dy, dx
        s = width * 1.9
        ctx.move_to(tx + dx * s * 1.4, ty + dy * s * 1.4)
        ctx.line_to(tx + px * s, ty + py * s)
        ctx.line_to(tx - px * s, ty - py * s)
        ctx.close_path()
        ctx.fill()
    return draw_on(blank(w, h), fn)[..., 3]


def mouse_picture(w, h, lit):
    """An ivory mouse seen from above, its cable running off to the top left, with the part that
    turns the piece lit: the right button or the wheel. The main page draws the wheel picture
    16 pixels over the left edge of the right-button one, so the mouse keeps to the middle."""
    cx = w / 2
    out = blank(w, h)
    def cable(ctx, W, H):
        ctx.set_source_rgb(1, 1, 1)
        ctx.set_line_width(3.2)
        ctx.set_line_cap(1)
        ctx.move_to(cx, 26)
        ctx.curve_to(cx, 14, cx - 14, 14, cx - 20, 6)
        ctx.curve_to(cx - 23, 2, cx - 23, -2, cx - 22, -4)
        ctx.stroke()
    cm = draw_on(blank(w, h), cable)[..., 3]
    over(out, solid(blur_mask(cm, 1.5) * 0.5, (0, 0, 0)), 1, 2)
    cab = gradient_v(w, h, (0.35, 0.3, 0.28), (0.2, 0.17, 0.16))
    cab[..., :3] *= _light(cm, 1, -1, -1, 0.6)[..., None]
    cab[..., 3] = cm
    over(out, cab)
    def shell_path(ctx, W, H):
        _path(ctx, [(cx, 22), ("c", cx + 20, 22, cx + 26, 40, cx + 28, 62), ("c", cx + 30, 90, cx + 22, 114, cx, 115),
                    ("c", cx - 22, 114, cx - 30, 90, cx - 28, 62), ("c", cx - 26, 40, cx - 20, 22, cx, 22)])
    body = shape_mask(w, h, shell_path)
    over(out, solid(blur_mask(body, 4) * 0.65, (0, 0, 0)), 2, 4)
    # a bronze rim under the shell
    over(out, metal(w, h, body, mix(BRONZE, GOLD, 0.3), 941, bevel=1.2))
    shell = gradient_v(w, h, IVORY_TOP, IVORY_LOW)
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    dome = np.clip(1 - np.hypot((xx - cx + 6) / 30, (yy - 52) / 52), 0, 1)
    shell[..., :3] *= (0.82 + 0.3 * dome)[..., None]
    shell[..., :3] *= _light(body, 5, -1, -1, 0.6)[..., None]
    inner = np.clip(body - np.clip(blur_mask(1 - body, 1.2) * 3, 0, 1), 0, 1)
    shell[..., 3] = inner
    over(out, shell)
    # the buttons: two halves of the front, split down the middle, behind a curved seam
    seam_y = 60
    left = shape_mask(w, h, lambda c, W, H: _path(c, [(cx - 1.5, 23), (cx - 1.5, seam_y), ("c", cx - 12, seam_y + 3,
                                                      cx - 22, seam_y + 1, cx - 27, seam_y - 3), ("c", cx - 26, 40, cx - 20, 24, cx - 1.5, 23)])) * inner
    right = shape_mask(w, h, lambda c, W, H: _path(c, [(cx + 1.5, 23), (cx + 1.5, seam_y), ("c", cx + 12, seam_y + 3,
                                                       cx + 22, seam_y + 1, cx + 27, seam_y - 3), ("c", cx + 26, 40, cx + 20, 24, cx + 1.5, 23)])) * inner
    for part in (left, right):
        over(out, solid(np.clip(part - np.roll(part, 1, axis=0), 0, 1) * 0.5, (1, 1, 1)))
    wheel = rrect_mask(w, h, cx - 4, 30, 8, 19, 4)
    if lit == "right":
        over(out, _lit_part(w, h, right))
    def seams(ctx, W, H):
        ctx.set_source_rgba(0.22, 0.16, 0.12, 0.85)
        ctx.set_line_width(1.4)
        ctx.move_to(cx, 23)
        ctx.line_to(cx, 30)
        ctx.move_to(cx, 49)
        ctx.line_to(cx, seam_y + 1.5)
        ctx.stroke()
        ctx.move_to(cx - 27.5, seam_y - 3)
        ctx.curve_to(cx - 22, seam_y + 2, cx - 10, seam_y + 4, cx, seam_y + 1.5)
        ctx.curve_to(cx + 10, seam_y + 4, cx + 22, seam_y + 2, cx + 27.5, seam_y - 3)
        ctx.stroke()
    out = draw_on(out, seams)
    # the wheel sits in a dark slot, ribbed
    over(out, solid(rrect_mask(w, h, cx - 5.5, 28.5, 11, 22, 5), (0.12, 0.09, 0.08)))
    if lit == "wheel":
        over(out, _lit_part(w, h, wheel, 3.0))
    else:
        wh = gradient_v(w, h, (0.55, 0.5, 0.48), (0.25, 0.22, 0.2))
        wh[..., 3] = wheel
        over(out, wh)
    ribs = (np.sin(yy * 1.9) > 0.4).astype(np.float32) * wheel * 0.35
    over(out, solid(ribs, (0.2, 0.1, 0.05)))
    # a soft sheen on the back of the shell
    sheen = np.clip(1 - np.hypot((xx - cx + 12) / 7, (yy - 78) / 16), 0, 1) ** 1.5 * inner
    over(out, solid(sheen * 0.5, (1, 1, 1)))
    # how the lit part turns the piece
    if lit == "right":
        arrow = _turn_arrow(w, h, cx + 20, 15, 8, 200, 340)
    else:
        arrow = _turn_arrow(w, h, cx + 9, 40, 22, 154, 206, 2.0)
    over(out, solid(np.clip(blur_mask(arrow, 2) * 2, 0, 1) * 0.6, (0.2, 0.1, 0.02)))
    over(out, solid(arrow, (1.0, 0.85, 0.45)))
    return out


def keyboard_picture(w, h):
    """A corner of a keyboard in a bronze case, ivory keys, the space bar that turns the piece lit."""
    out = blank(w, h)
    case = rrect_mask(w, h, 3, 8, w - 6, h - 14, 9)
    over(out, solid(blur_mask(case, 3) * 0.6, (0, 0, 0)), 2, 3)
    over(out, metal(w, h, case, mix(BRONZE, GOLD, 0.2), 951, bevel=1.5))
    bed = rrect_mask(w, h, 7, 12, w - 14, h - 22, 6)
    tray = gradient_v(w, h, (0.16, 0.13, 0.2), (0.07, 0.06, 0.1))
    tray[..., 3] = bed
    over(out, tray)
    # key rows: (x, width) in key units, nine to a row; the bottom row carries the space bar
    rows = [[(i, 1) for i in range(9)],
            [(0, 1.5)] + [(1.5 + i, 1) for i in range(6)] + [(7.5, 1.5)],
            [(0, 1.9)] + [(1.9 + i, 1) for i in range(6)] + [(7.9, 1.1)],
            [(0, 1.2), (1.2, 1.2), (2.4, 4.4), (6.8, 1.1), (7.9, 1.1)]]
    x0, y0, kh, gap = 10.0, 15.0, 13.0, 1.6
    u = (w - 2 * x0) / 9
    space = (2.4, 4.4)
    keys = np.zeros((h, w), np.float32)
    for r, row in enumerate(rows):
        for (k, span) in row:
            m = rrect_mask(w, h, x0 + k * u + gap / 2, y0 + r * (kh + 2), span * u - gap, kh, 2.5)
            if r == 3 and (k, span) == space:
                lit = m
            else:
                keys = np.maximum(keys, m)
    over(out, solid(blur_mask(keys, 1) * 0.8, (0, 0, 0)), 0, 1)
    cap = gradient_v(w, h, IVORY_TOP, IVORY_LOW)
    cap[..., :3] *= _light(keys, 1.2, -1, -1, 0.6)[..., None]
    cap[..., :3] *= np.where(np.clip(keys - np.roll(keys, -3, axis=0), 0, 1) > 0.5, 0.72, 1.0)[..., None]
    cap[..., 3] = keys
    over(out, cap)
    over(out, _lit_part(w, h, lit, 3.5))
    arrow = _turn_arrow(w, h, x0 + (space[0] + space[1] / 2) * u, y0 + 3 * (kh + 2) + kh / 2, 4.2, 200, 500, 1.5)
    over(out, solid(arrow * lit * 0.75, (0.45, 0.2, 0.04)))
    return out


def spark_mote(w, h):
    """The shared spark: a hot white point with a short four-way glint and a thin halo. Sparks
    are tinted and added onto the screen, often dozens on top of each other and scaled up to six
    times, so most of the picture stays dark: piled up they still read as glittering motes in
    their colour rather than one white blot."""
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    dx, dy = xx + 0.5 - w / 2, yy + 0.5 - h / 2
    r = np.sqrt(dx * dx + dy * dy)
    R = min(w, h) / 2
    u = r / R
    core = np.exp(-(r / (R * 0.075)) ** 2)
    halo = 0.34 * np.exp(-r / (R * 0.14)) + 0.035 * np.exp(-(u / 0.45) ** 2)
    reach = np.clip(1 - u / 0.8, 0, 1) ** 2.2
    rays = np.exp(-(dy / 0.85) ** 2) + np.exp(-(dx / 0.85) ** 2)
    diag = np.exp(-((dx - dy) / 1.1) ** 2 / 2) + np.exp(-((dx + dy) / 1.1) ** 2 / 2)
    glint = 0.55 * rays * reach + 0.18 * diag * np.clip(1 - u / 0.45, 0, 1) ** 2
    edge = np.clip((1 - u) / 0.12, 0, 1)
    m = np.clip(core + halo + glint, 0, 1) * edge
    return solid(m, (1.0, 1.0, 1.0))
