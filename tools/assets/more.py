"""Picture recipes for single-use pictures: GUI pieces, clock, boss runes, map, story, puzzle, ring game."""
import math
import zlib

import numpy as np

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


def _figure(ctx, W, H):
    """A hooded mage holding a staff, as one silhouette path."""
    s = W / 300.0
    ctx.save()
    ctx.scale(s, H / 420.0)
    ctx.move_to(150, 40)
    ctx.curve_to(190, 40, 205, 80, 200, 120)
    ctx.curve_to(230, 150, 250, 230, 260, 420)
    ctx.line_to(40, 420)
    ctx.curve_to(50, 230, 70, 150, 100, 120)
    ctx.curve_to(95, 80, 110, 40, 150, 40)
    ctx.close_path()
    ctx.rectangle(232, 60, 9, 360)
    ctx.restore()


def heroine(w, h):
    out = blank(w, h)
    m = shape_mask(w, h, _figure)
    robe = gradient_v(w, h, (0.35, 0.18, 0.45), (0.10, 0.05, 0.18))
    n = value_noise(w, h, 20, 77, 4)
    robe[..., :3] *= (0.8 + 0.4 * n)[..., None]
    robe[..., :3] *= art.bevel_light(m, 6, 1.2)[..., None]
    robe[..., 3] = m
    over(out, robe)
    face = ellipse_mask(w, h, w * 0.5, h * 0.235, w * 0.085, h * 0.07)
    over(out, solid(face, (0.85, 0.68, 0.55)))
    over(out, solid(ellipse_mask(w, h, w * 0.5, h * 0.2, w * 0.1, h * 0.045) * 0.8, (0.2, 0.1, 0.25)))
    for ex in (0.47, 0.53):
        over(out, solid(ellipse_mask(w, h, w * ex, h * 0.235, 2.2, 1.6), (0.15, 0.1, 0.2)))
    orb = ellipse_mask(w, h, w * 0.79, h * 0.13, 14, 14)
    over(out, solid(np.clip(blur_mask(orb, 10) * 2, 0, 1), (0.6, 0.5, 1.0)))
    over(out, solid(orb, (0.85, 0.8, 1.0)))
    trim = np.clip(m - np.roll(m, 3, axis=0), 0, 1)
    over(out, solid(trim * 0.8, GOLD))
    return out


def heroine_glow(w, h):
    m = shape_mask(w, h, _figure)
    g = np.clip(blur_mask(m, 14) * 1.4 - m * 0.6, 0, 1)
    g = np.clip(g + radial(w, h, w * 0.79, h * 0.13, 60, 1.5), 0, 1)
    return solid(g, (0.75, 0.6, 1.0))


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


def keyboard_picture(w, h):
    out = panel(w, h, 720, fill=(0.2, 0.18, 0.24), border=4, radius=8)
    def keys(ctx, W, H):
        for r in range(3):
            for c in range(6):
                ctx.set_source_rgb(0.85, 0.8, 0.7)
                rounded_rect(ctx, 10 + c * 17, 12 + r * 22, 14, 18, 3)
                ctx.fill()
        ctx.set_source_rgb(1.0, 0.7, 0.3)
        rounded_rect(ctx, 10, 12, 14, 18, 3)
        ctx.fill()
    return draw_on(out, keys)


def mouse_picture(w, h, lit):
    out = blank(w, h)
    body = ellipse_mask(w, h, w / 2, h / 2, w / 2 - 6, h / 2 - 6)
    over(out, solid(blur_mask(body, 3) * 0.6, (0, 0, 0)), 2, 3)
    shell = gradient_v(w, h, (0.92, 0.9, 0.86), (0.6, 0.58, 0.55))
    shell[..., 3] = body
    over(out, shell)
    def parts(ctx, W, H):
        ctx.set_source_rgba(0.2, 0.2, 0.2, 0.8)
        ctx.set_line_width(2)
        ctx.move_to(W / 2, 8)
        ctx.line_to(W / 2, H / 2 - 6)
        ctx.stroke()
        ctx.move_to(8, H / 2 - 6)
        ctx.line_to(W - 8, H / 2 - 6)
        ctx.stroke()
        ctx.set_source_rgb(1.0, 0.6, 0.2)
        if lit == "right":
            ctx.rectangle(W / 2 + 2, 10, W / 2 - 14, H / 2 - 18)
        else:
            rounded_rect(ctx, W / 2 - 5, 16, 10, 22, 4)
        ctx.fill()
    return draw_on(out, parts)
