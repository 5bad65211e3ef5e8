"""The colour classes, their hues and rune glyphs, shared by the pictures and the rune catalogue."""

# Colour class -> (name, hue in degrees, saturation, value). Classes 9, 11, 12 and 15 are dealt by
# no rune of the catalogue but still have sphere balls.
CLASS_COLOURS = {
    1: ("red", 2, 0.88, 0.92),
    2: ("orange", 28, 0.92, 0.98),
    3: ("yellow", 52, 0.88, 0.98),
    4: ("green", 122, 0.78, 0.80),
    5: ("blue", 218, 0.85, 0.95),
    6: ("violet", 276, 0.70, 0.88),
    7: ("pearl", 40, 0.07, 0.97),
    8: ("bronze", 30, 0.62, 0.66),
    9: ("lime", 84, 0.80, 0.88),
    10: ("cyan", 188, 0.85, 0.95),
    11: ("indigo", 248, 0.70, 0.80),
    12: ("crimson", 344, 0.80, 0.62),
    13: ("teal", 166, 0.85, 0.66),
    14: ("rose", 326, 0.55, 0.98),
    15: ("gold", 44, 0.80, 0.90),
}

# Sphere ball picture number of each colour class (the sphere's colour decoder).
CLASS_TO_BALL = {1: 14, 2: 5, 3: 11, 4: 6, 5: 4, 6: 3, 7: 7, 8: 9, 9: 15, 10: 1, 11: 13, 12: 10,
                 13: 12, 14: 2, 15: 8}
BALL_TO_CLASS = {v: k for k, v in CLASS_TO_BALL.items()}

# Rune id -> colour class of the catalogue. Ids are stored in saved games: never renumber.
RUNES = [(1, 1), (2, 2), (3, 3), (4, 4), (5, 5), (6, 6), (7, 7), (16, 8), (20, 10), (26, 13), (28, 14)]
SPECIAL_STONE = 13

# One glyph per colour class, as strokes in a unit box: ("l", x0, y0, x1, y1) lines, ("a", cx, cy,
# r, start_deg, end_deg) arcs, ("c", cx, cy, r) circles, ("d", cx, cy, r) dots. Every glyph differs
# in shape, so that runes are told apart without their colour.
GLYPHS = {
    1: [("l", .5, .12, .18, .86), ("l", .5, .12, .82, .86), ("l", .18, .86, .82, .86), ("l", .5, .42, .5, .86)],
    2: [("l", .28, .12, .28, .88), ("l", .72, .12, .72, .88), ("l", .28, .36, .72, .64)],
    3: [("c", .5, .5, .27), ("d", .5, .5, .08), ("l", .5, .06, .5, .18), ("l", .5, .82, .5, .94)],
    4: [("l", .5, .1, .5, .9), ("l", .5, .3, .22, .12), ("l", .5, .3, .78, .12), ("l", .5, .55, .22, .37), ("l", .5, .55, .78, .37)],
    5: [("l", .12, .35, .3, .2), ("l", .3, .2, .5, .35), ("l", .5, .35, .7, .2), ("l", .7, .2, .88, .35),
        ("l", .12, .7, .3, .55), ("l", .3, .55, .5, .7), ("l", .5, .7, .7, .55), ("l", .7, .55, .88, .7)],
    6: [("l", .5, .08, .84, .5), ("l", .84, .5, .5, .92), ("l", .5, .92, .16, .5), ("l", .16, .5, .5, .08), ("l", .5, .3, .5, .7)],
    7: [("l", .5, .1, .5, .9), ("l", .15, .3, .85, .7), ("l", .15, .7, .85, .3)],
    8: [("l", .2, .2, .8, .2), ("l", .8, .2, .8, .8), ("l", .8, .8, .2, .8), ("l", .2, .8, .2, .2), ("l", .2, .2, .8, .8)],
    9: [("l", .2, .85, .5, .15), ("l", .5, .15, .8, .85), ("l", .35, .5, .65, .5)],
    10: [("a", .5, .5, .34, 60, 300), ("l", .55, .2, .55, .8)],
    11: [("l", .2, .15, .8, .15), ("l", .5, .15, .5, .88), ("l", .2, .88, .8, .88)],
    12: [("l", .2, .12, .2, .88), ("l", .2, .5, .8, .12), ("l", .2, .5, .8, .88)],
    13: [("l", .5, .3, .5, .9), ("a", .5, .3, .3, 0, 180), ("l", .2, .3, .2, .12), ("l", .8, .3, .8, .12), ("l", .5, .3, .5, .1)],
    14: [("l", .15, .15, .85, .85), ("l", .85, .15, .15, .85), ("l", .25, .12, .75, .12), ("l", .25, .88, .75, .88)],
    15: [("c", .5, .5, .32), ("l", .5, .18, .5, .82), ("l", .18, .5, .82, .5)],
}


def class_rgb(cls, value_scale=1.0):
    from common import hsv
    _, h, s, v = CLASS_COLOURS[cls]
    return hsv(h, s, min(1.0, v * value_scale))
