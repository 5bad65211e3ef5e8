"""The asset manifest: every generated file with its kind, size, frame layout and recipe.

Each entry is a dict:
  path     resources-relative path ("gfx/...", "sfx/...")
  kind     "image", "sound", "song", "voice", "font" or "text"
  size     [width, height] of an image
  frames   [cell width, cell height, cell count] of an animation strip, cells left to right
  strip    {"chars": ..., "band": n} for a bitmap-font strip cut into glyphs by ink columns
  recipe   "module.function" that makes it; args: its keyword arguments
  seconds  [shortest, longest] length of a sound
"""
import os
import re

from palette import CLASS_COLOURS, CLASS_TO_BALL, RUNES, SPECIAL_STONE

FONT_ALFABET = "abcdefghijklmnopqrstuvwxyz,.?-!#$*&@%()<>{}'1234567890"
FONT_SMALL = "abcdefghijklmnopqrstuvwxyz0123456789"
# The letter size of the menus' labels: the largest at which every label's letters, descenders
# included, keep within the 22 pixels its 30-pixel row leaves inside the glow.
MENU_LABEL_SIZE = 23

# Fonts at the paths the game loads, from Debian's OFL packages, with their licence texts.
FONTS = [
    ("gfx/fonts/OldLondon.ttf", "/usr/share/fonts/truetype/blankenburg/Blankenburg_UNZ1A.ttf", "fonts-blankenburg"),
    ("gfx/fonts/Lombardic.ttf", "/usr/share/fonts/truetype/klaudia-berenika/Berenika-Bold.ttf", "fonts-klaudia-berenika"),
    ("gfx/fonts/QueenEmpress.ttf", "/usr/share/fonts/truetype/klaudia-berenika/Berenika.ttf", "fonts-klaudia-berenika"),
]


REGIONS = ["meadows", "birch", "shore", "ridge", "quarry", "tower"]
REGION_SEED = {r: 1000 + 10 * i for i, r in enumerate(REGIONS)}
# Background numbers of each region: by day, in the evening, at the warden.
BACKGROUNDS = {"meadows": (7, 14, 1), "birch": (2, 9, 16), "shore": (3, 10, 8), "ridge": (5, 12, 15),
               "quarry": (4, 11, 17), "tower": (6, 13, 18)}
# Story pictures: the valley, the stillness coming, the cold wardens, the ruined tower, setting
# out; then the light returning, the regions waking, the sphere at rest in the tower.
STORY_PAGES = [("meadows", "a"), ("meadows", "s"), ("ridge", "w"), ("tower", "s"), ("meadows", "b"), ("tower", "a"),
               ("shore", "a"), ("tower", "b")]
MAP_DOCUMENT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "content", "settings_lp", "map.tsc")


def map_road():
    """Screen centres of the map document's markers in campaign order: the road runs through them."""
    with open(MAP_DOCUMENT) as fh:
        text = fh.read()
    marks = []
    # a marker's group holds Kind; a stage picture's does not
    for group in re.findall(r"\{([^{}]*Kind=[^{}]*)\}", text):
        keys = dict(re.findall(r"(\w+)=(-?\d+)", group))
        marks.append((int(keys["Number"]), 800 - int(keys["X"]), int(keys["Y"])))
    return [[x, y] for _, x, y in sorted(marks)]


def rune_paths(rid):
    return "gfx/runy/rune-%02d.png" % rid, "gfx/runy/rune40-%02d.png" % rid


def stone_id(rid):
    return rid + 100


def _img(path, w, h, recipe, frames=None, **args):
    e = {"path": path, "kind": "image", "size": [w, h], "recipe": recipe, "args": args}
    if frames:
        e["frames"] = list(frames)
    return e


def _snd(path, recipe, lo, hi, kind="sound", **args):
    return {"path": path, "kind": kind, "recipe": recipe, "args": args, "seconds": [lo, hi]}


def _cap(path, w, h, text, role="blackletter", style="gold"):
    return _img(path, w, h, "art.caption", text=text, role=role, style=style)


def entries():
    E = []
    img, cap, snd = _img, _cap, _snd
    A = E.append

    # ------------------------------------------------------------ runes and stones
    for rid, cls in RUNES:
        for p, s in zip(rune_paths(rid), (32, 40)):
            A(img(p, s, s, "art.rune_tile", cls=cls, stone_form=False))
        for p, s in zip(rune_paths(stone_id(rid)), (32, 40)):
            A(img(p, s, s, "art.rune_tile", cls=cls, stone_form=True))
    for p, s in zip(rune_paths(SPECIAL_STONE), (32, 40)):
        A(img(p, s, s, "art.rubble", seed=13 + s))
    A(img("gfx/runy/ghost.png", 32, 32, "more.rune_shadow"))
    A(img("gfx/runy/r-x.png", 32, 32, "more.no_place_mark"))

    # ------------------------------------------------------------ board
    for i, hue in ((1, 26), (2, 18), (3, 34)):
        A(img("gfx/bg/deski/n/deska-%d.jpg" % i, 480, 480, "art.wood", seed=i, hue=hue, plank=40))
    A(img("gfx/bg/deski/n/deska-1.png", 480, 480, "art.wood", seed=1, hue=26, plank=40))
    for n, letters in ((1, "ab"), (2, "ab"), (3, "abc")):
        for v, ch in enumerate(letters):
            A(img("gfx/ramka/%d%s.png" % (n, ch), 46, 32 * n, "art.board_frame_piece", orient="v", variant=v))
            A(img("gfx/ramka/%d%s-p.png" % (n, ch), 32 * n, 46, "art.board_frame_piece", orient="h", variant=v))
    for corner in ("lg", "rg", "ld", "rd"):
        for v, suffix in enumerate(("", "_v2", "_v3")):
            A(img("gfx/ramka/1b-%s%s.png" % (corner, suffix), 39, 39, "art.board_frame_piece", orient="c", variant=v,
                  seed=40 + len(corner) + v, corner=corner))
    # The hiscores frame: the screen frames the rectangle (102, 121, 570 x 406) with these pieces and
    # types its rows from y 100 to 535, ranks from x 102 and scores up to x 672. Its margins hold
    # every row inside the rim and centre the frame on the screen (x 70 to 730).
    margins = {"l": 32, "r": 58, "t": 51, "b": 34}
    for part, (px, py) in (("lg", "lt"), ("gora", "mt"), ("pg", "rt"), ("lewo", "lm"), ("srodek", "mm"),
                           ("prawo", "rm"), ("ld", "lb"), ("dol", "mb"), ("pd", "rb")):
        A(img("gfx/ramka/dialog-%s.png" % part, margins.get(px, 32), margins.get(py, 32), "art.nine_piece", part=part,
              left=margins["l"], right=margins["r"], top=margins["t"], bottom=margins["b"]))
    A(img("gfx/gwiazdki/stone.png", 12, 12, "more.stone_chip"))

    # ------------------------------------------------------------ sparks and glows
    A(img("gfx/gwiazdki/gradball.png", 64, 64, "more.spark_mote"))
    A(img("gfx/gwiazdki/1.png", 32, 32, "art.star", points=4, inner=0.16))
    A(img("gfx/gwiazdki/2.png", 32, 32, "art.star", points=6, inner=0.3))
    A(img("gfx/gwiazdki/3.png", 32, 32, "art.star", points=8, inner=0.42))
    A(img("gfx/gwiazdki/volum04.png", 128, 128, "art.rays", count=8))
    A(img("gfx/gwiazdki/volum05.png", 128, 128, "art.ring_glow", radius=0.55))
    A(img("gfx/bonusy/posw2a.png", 64, 64, "art.soft_glow", colour=(1.0, 0.9, 0.6), power=1.6, core=0.3))
    A(img("gfx/bonusy/posw2b.png", 64, 64, "art.ring_glow", colour=(1.0, 0.85, 0.5), radius=0.6))
    A(img("gfx/bonusy/posw2a-duza.png", 128, 128, "art.soft_glow", colour=(1.0, 0.9, 0.6), power=1.6, core=0.3))
    A(img("gfx/bonusy/posw2b-duza.png", 128, 128, "art.ring_glow", colour=(1.0, 0.85, 0.5), radius=0.6))

    # ------------------------------------------------------------ bonuses and spells
    bonus_icons = {1: ("drop", (0.3, 0.6, 1.0)), 2: ("arrows", (0.6, 0.9, 1.0)), 3: ("swirl", (0.75, 0.45, 1.0)),
                   4: ("bomb", (1.0, 0.45, 0.2)), 5: ("heart", (0.4, 1.0, 0.5)), 6: ("cross", (1.0, 0.85, 0.3))}
    for n, (name, col) in bonus_icons.items():
        A(img("gfx/bonusy/mag_%02d.png" % n, 32, 32, "art.medallion", name=name, colour=col, seed=60 + n))
    spell_icons = {10: ("sand", (0.95, 0.8, 0.4)), 13: ("spread", (0.6, 0.5, 1.0)), 11: ("hourglass", (0.4, 0.9, 1.0)),
                   12: ("flame", (1.0, 0.45, 0.15))}
    for n, (name, col) in spell_icons.items():
        A(img("gfx/bonusy/mag_%02d.png" % n, 28, 28, "art.medallion", name=name, colour=col, seed=70 + n))
    for path, name, col in (("gfx/gui/aktywator.png", "sand", (0.95, 0.8, 0.4)), ("gfx/gui/koloryzer.png", "spread", (0.6, 0.5, 1.0)),
                            ("gfx/gui/heal.png", "hourglass", (0.4, 0.9, 1.0)), ("gfx/gui/2fire.png", "flame", (1.0, 0.45, 0.15))):
        A(img(path, 62, 62, "more.spell_slot", name=name, colour=col))
    A(img("gfx/gui/gui_czary.png", 198, 140, "more.spell_ring"))
    # the spell hint writes its lines in black: a parchment
    A(img("gfx/gui/hint.png", 230, 76, "art.parchment", seed=81, margin=3))
    for path, text in (("bonus-multibonus", "Multi Bonus"), ("spell-holyfire", "Holy Fire"), ("spell-vanish", "Vanish"),
                       ("spell-bomb", "Fire Bomb"), ("spell-drain", "Drain"), ("spell-heal", "Heal"),
                       ("spell-teleport", "Teleport")):
        A(cap("gfx/fonts/%s.png" % path, 300, 56, text))

    # ------------------------------------------------------------ sphere
    for n in range(1, 16):
        A(img("gfx/ring/k-%02d.png" % n, 62, 62, "art.ball_by_number", n=n))
        A(img("gfx/ring/s-%02d.png" % n, 32, 32, "art.sign_by_number", n=n))
    A(img("gfx/ring/k-black.png", 62, 62, "art.ball", empty=True))
    A(img("gfx/ring/kulki.png", 184, 180, "art.sphere_frame"))

    # ------------------------------------------------------------ captions and digits
    A(cap("gfx/fonts/match.png", 150, 44, "Match"))
    A(img("gfx/fonts/combo.png", 768, 42, "more.combo_strip", frames=(256, 42, 3)))
    A(cap("gfx/fonts/points.png", 150, 44, "Points"))
    # digit strips: each digit's ink fits the advance the game steps by after it
    A(img("gfx/fonts/CYFRY2.png", 320, 32, "art.digit_strip", frames=(32, 32, 10), cells=10,
          advances=[22, 10, 19, 19, 19, 19, 18, 16, 19, 19]))
    A(img("gfx/fonts/cyfry1.png", 160, 24, "art.digit_strip", frames=(16, 24, 10), cells=10, style="pale", role="capitals",
          advances=12))
    A(img("gfx/fonts/cyfry2.png", 320, 32, "art.digit_strip", frames=(32, 32, 10), cells=10, advances=21))
    A(img("gfx/fonts/punkty.png", 140, 20, "art.digit_strip", frames=(14, 20, 10), cells=10, style="pale", role="capitals",
          advances=9))
    A(img("gfx/fonts/level.png", 160, 21, "art.digit_strip", frames=(16, 21, 10), cells=10, style="ink", role="capitals",
          advances=[12, 7, 12, 12, 12, 12, 12, 12, 12, 12]))
    A(cap("gfx/fonts/newhiscore.png", 360, 64, "New Hiscore!"))
    e = img("gfx/fonts/alfabet-maly.png", 1024, 60, "art.font_strip", chars=FONT_ALFABET, band=30, per_row=28)
    e["strip"] = {"chars": FONT_ALFABET, "band": 30}
    A(e)
    # the game steps 3 pixels less than a glyph of this font is wide: its glow may reach further
    e = img("gfx/fonts/small-letters3.png", 1024, 64, "art.font_strip", chars=FONT_SMALL, band=32, per_row=18, role="capitals",
            style="gold", glow_radius=2.0, reach=3)
    e["strip"] = {"chars": FONT_SMALL, "band": 32}
    A(e)

    # ------------------------------------------------------------ menu labels
    labels = {
        "menu-are-you-sure": "Are you sure?", "menu-back": "Back", "menu-back2game": "Back to the game",
        "menu-credits": "Credits", "menu-easy": "Easy", "menu-endless-lvl": "Endless boards",
        "menu-endless": "Endless", "menu-fullscreen": "Full screen", "menu-hard": "Hard",
        "menu-hiscores": "Hiscores", "menu-main": "Main menu", "menu-music-vol": "Music",
        "menu-new-game": "New game", "menu-no": "No", "menu-normal": "Normal", "menu-options": "Options",
        "menu-play": "Play", "menu-quest-lvl": "Quest boards", "menu-restart": "Restart level",
        "menu-resume-small": "Resume", "menu-resume": "Resume game", "menu-sound-vol": "Sounds",
        "menu-timeattack": "Time attack", "menu-timed-lvl": "Timed boards", "menu-yes": "Yes",
        "help": "Help", "n/exit": "Exit", "n/gallery": "Gallery", "n/options": "Options", "n/play": "Play",
        "n/quick_play": "Quick play",
    }
    # Where the options window draws something right beside a label, the label's ink ends short of
    # it: the list tick centred at x 350 beside the board tabs (labels centred at 280), the check box
    # centred at x 474 (479 on the title's options) beside "Full screen" (label centred at 390).
    # The tabs are a list of their own, in smaller letters so that they fit before the tick.
    beside = {"menu-quest-lvl": (169, 18), "menu-timed-lvl": (169, 18), "menu-endless-lvl": (169, 18),
              "menu-fullscreen": (179, None)}
    for name, text in labels.items():
        # menus space their labels 30 pixels apart: every label in one size, about 22 high
        w = 80 if text in ("Yes", "No") else 260 if text == "Back to the game" else 230
        right, size = beside.get(name, (None, None))
        A(img("gfx/fonts/%s.png" % name, w, 30, "art.caption", text=text, role="capitals", style="gold",
              size=size or MENU_LABEL_SIZE, right=right))
    A(cap("gfx/fonts/game-paused.png", 300, 60, "Game paused"))
    A(cap("gfx/fonts/galeria_11.png", 110, 56, "Gallery"))
    # the gallery's buttons, in the menus' letter size; Back stands at (335, 571): 28 high it ends on
    # the screen, 130 wide it is centred under the picture
    for name, text in (("galeria_03", "Wallpaper"), ("galeria_05", "Puzzle")):
        A(img("gfx/fonts/%s.png" % name, 300, 40, "art.two_frame", frames=(150, 40, 2), text=text, size=MENU_LABEL_SIZE))
    A(img("gfx/fonts/galeria_07.png", 260, 28, "art.two_frame", frames=(130, 28, 2), text="Back", size=MENU_LABEL_SIZE))
    # the map places Play at (508, 566): 32 high, it ends inside the screen
    A(img("gfx/fonts/play_mapa.png", 130, 32, "art.button_plaque", text="Play"))
    A(img("gfx/fonts/menu_mapa.png", 86, 28, "art.button_plaque", text="Menu"))

    # ------------------------------------------------------------ GUI
    A(img("gfx/gui/kursor.png", 40, 40, "more.cursor"))
    A(img("gfx/info/kursor.png", 3, 20, "more.caret"))
    # popups centre a 56-pixel button under the text
    A(img("gfx/info/ok.png", 112, 34, "art.two_frame", frames=(56, 34, 2), text="OK", plaque=True))
    A(img("gfx/gui/lina.png", 6, 120, "more.rope"))
    A(img("gfx/gui/decha.png", 136, 134, "more.points_plank"))
    A(img("gfx/gui/menu-decha.png", 100, 40, "more.plank_sign", seed=92))
    A(img("gfx/gui/menuS1.png", 64, 22, "art.button_plaque", text="Menu"))
    A(img("gfx/gui/menuS2.png", 64, 22, "art.button_plaque", text="Menu", hover=True))
    A(img("gfx/gui/menu-zap01.png", 18, 22, "more.small_icon_button", name="question"))
    A(img("gfx/gui/menu-zap02.png", 18, 22, "more.small_icon_button", name="question", hover=True))
    A(img("gfx/gui/minus.png", 28, 28, "art.medallion", name="minus", colour=GOLD_T, seed=93))
    A(img("gfx/gui/plus.png", 28, 28, "art.medallion", name="plus", colour=GOLD_T, seed=94))
    A(img("gfx/gui/ptaszek.png", 32, 32, "more.checkbox", ticked=True))
    A(img("gfx/gui/ptaszek-brak.png", 32, 32, "more.checkbox", ticked=False))
    A(img("gfx/gui/ptaszek_01.png", 24, 24, "art.icon_plain", name="check"))
    # the title's options centre the sound volume's marks at y 339, 19 under its label's centre
    A(img("gfx/gui/suwak.png", 10, 18, "more.slider_mark"))
    A(img("gfx/gui/podswietlacz2.png", 250, 54, "more.highlight"))
    A(img("gfx/gui/galeria_03.png", 40, 40, "art.medallion", name="right", colour=GOLD_T, seed=95))
    A(img("gfx/gui/galeria_05.png", 40, 40, "art.medallion", name="left", colour=GOLD_T, seed=96))
    # OK and Cancel stand at x 339 and 381, New, Rename and Delete at 291, 348 and 434: each fits
    # before the next, and both rows are centred on x 400
    for name, text, w in (("profile-ok", "OK", 40), ("profile-cancel", "Cancel", 80), ("profile-new", "New", 54),
                          ("profile-rename", "Rename", 82), ("profile-delete", "Delete", 70),
                          ("profile-change", "Change player", 150)):
        A(img("gfx/gui/%s.png" % name, w, 26, "art.button_plaque", text=text))
    A(img("gfx/gui/hello-plama2.png", 256, 128, "more.blot"))
    # the menu board: at (229, 200) on the profile screen it holds ten names 22 apart from y 254,
    # descenders included, above its 12-pixel rim
    A(img("gfx/gui/pod-menu.png", 342, 294, "art.panel", seed=101, border=12, radius=20))
    # the level list's board at (144, 200) ends above the greeting drawn at y 550
    A(img("gfx/gui/pod-selector.png", 512, 345, "art.panel", seed=102, border=12, radius=20))
    A(img("gfx/title/papi_maly.png", 248, 300, "art.parchment", seed=103))
    A(img("gfx/title/papi_duzy.png", 318, 360, "art.parchment", seed=104))
    A(img("gfx/gui/scroll_01.png", 350, 70, "more.scroll_roller", top=True))
    A(img("gfx/gui/scroll_02.png", 320, 300, "more.scroll_paper"))
    A(img("gfx/gui/scroll_03.png", 350, 70, "more.scroll_roller", top=False))
    A(img("gfx/gui/LC.png", 400, 110, "art.caption", text="Level Completed"))
    A(img("gfx/gui/game-over.png", 400, 110, "art.caption", text="Game Over"))
    A(img("gfx/gui/stage3.png", 366, 146, "more.badge", text="Stage Completed"))
    A(img("gfx/gui/areYouSure2.png", 400, 200, "more.question_panel", text="Skip this puzzle?"))
    A(img("gfx/gui/lose3.png", 320, 300, "more.lose_panel"))
    A(img("gfx/gui/lose3_03.png", 164, 40, "art.button_plaque", text="Try again", hover=True))
    A(img("gfx/gui/lose3_05.png", 164, 40, "art.button_plaque", text="Main menu", hover=True))
    A(img("gfx/gui/lose3_08.png", 164, 26, "art.caption", text="Skip this level", role="capitals", style="hover"))
    A(img("gfx/gui/lose3_08a.png", 164, 26, "art.caption", text="Skip this level", role="capitals", style="gold"))
    A(img("gfx/gui/no-more-movies.png", 280, 44, "art.caption", text="No more moves", role="capitals", style="red"))
    A(img("gfx/gui/time_out.png", 280, 44, "art.caption", text="Time is up", role="capitals", style="red"))
    A(img("gfx/gui/heroine01.png", 300, 420, "more.wizard"))
    A(img("gfx/gui/poswiata.png", 300, 420, "more.wizard_glow"))
    for side in ("left", "right"):
        for row, (y0, hh) in (("", (0, 512)), ("2", (512, 88))):
            for k, (x0, ww) in enumerate(((0, 256), (256, 128), (384, 16)), 1):
                A(img("gfx/gui/doors-%s%s-%d.jpg" % (side, row, k), ww, hh, "more.door_tile", side=side, x0=x0, y0=y0))
    A(img("gfx/gui/tutorial.jpg", 800, 600, "more.tutorial_page", boss=False))
    A(img("gfx/gui/tutorial2boss.jpg", 800, 600, "more.tutorial_page", boss=True))
    A(img("gfx/gui/tut-play.png", 66, 24, "more.play_highlight"))
    A(img("gfx/gui/tut-play2.png", 66, 24, "more.play_highlight"))
    for k, shape in ((1, "l3"), (2, "t4"), (3, "i3")):
        A(img("gfx/gui/tut-k%d.png" % k, 104, 104, "more.piece_picture", shape=shape, seed=k))
    A(img("gfx/gui/tutorial_keyb.png", 120, 90, "more.keyboard_picture"))
    A(img("gfx/gui/tutorial_mouse.png", 90, 120, "more.mouse_picture", lit="right"))
    A(img("gfx/gui/tutorial_mouse_1.png", 90, 120, "more.mouse_picture", lit="wheel"))
    A(img("gfx/info/help.jpg", 800, 600, "more.help_page"))
    # popup panels for the popup documents (their lines are written in black): small, standard, wide
    A(img("gfx/info/popup-small.png", 300, 200, "art.parchment", seed=111))
    A(img("gfx/info/popup.png", 360, 260, "art.parchment", seed=112))
    A(img("gfx/info/popup-wide.png", 480, 240, "art.parchment", seed=113))

    # ------------------------------------------------------------ clock
    A(img("gfx/timer/timer.png", 140, 140, "more.clock_case"))
    for n in range(1, 31):
        A(img("gfx/timer/frame%d.png" % n, 106, 106, "more.clock_face", n=n))

    # ------------------------------------------------------------ boss runes
    for n in range(1, 7):
        A(img("gfx/boss/b-%02d.png" % n, 64, 64, "more.boss_rune", n=n))
    A(img("gfx/boss/cien_boss.png", 64, 64, "more.boss_shadow"))
    A(img("gfx/boss/cien_bossm.png", 64, 64, "more.boss_shadow"))
    for prefix in ("boss-ef", "boss-efm"):
        for i in range(16):
            A(img("gfx/boss/%s%04d.png" % (prefix, i), 64, 64, "more.boss_glow", i=i, small=prefix.endswith("m")))
    A(img("gfx/boss/sadza32.png", 32, 32, "more.soot"))
    A(img("gfx/boss/sadza40.png", 32, 32, "more.soot"))

    # ------------------------------------------------------------ title, loading, gallery, credits
    A(img("gfx/title/title-main.jpg", 800, 600, "art.titled_scene", seed=201, theme="night", title="Vessamoor",
          subtitle="The Rune Stones", title_role="capitals"))
    # the hiscores screen writes its own table titles at the top
    A(img("gfx/title/hiscores.jpg", 800, 600, "art.titled_scene", seed=202, theme="violet", veil=0.2))
    A(img("gfx/title/credits.jpg", 800, 600, "art.titled_scene", seed=203, theme="dusk", title="Credits", veil=0.2,
          title_h=80))
    A(img("gfx/title/loading2.jpg", 800, 600, "art.titled_scene", seed=204, theme="night", title="Vessamoor",
          title_role="capitals"))
    A(img("gfx/title/galeria.png", 800, 600, "more.gallery_frame"))
    A(img("gfx/title/korvela.png", 314, 110, "more.logo"))
    A(img("gfx/title/loading.png", 240, 50, "art.caption", text="Loading...", role="capitals", style="pale"))
    # loading marks: load1 a stage reached (lit), load2 a stage still to come (dark)
    A(img("gfx/title/load1.png", 24, 24, "art.ball", cls=15))
    A(img("gfx/title/load2.png", 24, 24, "art.ball", empty=True))

    # ------------------------------------------------------------ map and story
    A(img("gfx/mapa/mapa.jpg", 800, 600, "regions.map_picture", road=map_road()))
    # the map draws kNb for the current and later positions and kN for the won ones
    for k, size in ((1, 26), (2, 34), (3, 44)):
        A(img("gfx/mapa/k%d.png" % k, size, size, "more.map_marker", k=k, done=True))
        A(img("gfx/mapa/k%db.png" % k, size, size, "more.map_marker", k=k, done=False))
        A(img("gfx/mapa/k%dc.png" % k, size + 20, size + 20, "art.soft_glow", colour=(1.0, 0.85, 0.45), power=1.5))
    # the map draws the two words from y 572 to the bottom of the screen: 28 pixels at most
    A(img("gfx/mapa/level.png", 74, 28, "art.caption", text="Level", role="capitals", style="gold"))
    A(img("gfx/mapa/of.png", 33, 28, "art.caption", text="of", role="capitals", style="gold"))
    A(img("gfx/story/top.png", 800, 40, "more.story_band", top=True))
    A(img("gfx/story/bottom.png", 800, 219, "more.story_band", top=False))
    A(img("gfx/story/next-g.png", 58, 20, "art.caption", text="Next", role="capitals", style="ink"))
    A(img("gfx/story/skip-g.png", 64, 20, "art.caption", text="Skip", role="capitals", style="ink"))
    for n, (region, variant) in enumerate(STORY_PAGES, start=1):
        # the tower's lantern sits high in its picture: cut the tower's pages from nearer the top
        A(img("gfx/story/page-%02d.jpg" % n, 800, 381, "regions.story", region=region, variant=variant,
              seed=REGION_SEED[region], crop=0.0 if region == "tower" else 0.18))
    for n, region in enumerate(REGIONS, start=1):
        A(img("gfx/mapa/stage-%d.png" % n, 160, 110, "regions.stage", region=region, seed=REGION_SEED[region]))

    # ------------------------------------------------------------ puzzle
    A(img("gfx/puzzle/game-puzle.jpg", 800, 600, "more.puzzle_backdrop"))
    A(img("gfx/puzzle/b-hint.png", 114, 22, "more.hover_label", text="Hint"))
    A(img("gfx/puzzle/b-menu.png", 74, 22, "more.hover_label", text="Menu"))
    A(img("gfx/puzzle/ramka3.png", 112, 99, "more.tile_frame", selected=False))
    A(img("gfx/puzzle/ramka-puzle.png", 128, 128, "more.tile_frame", selected=True))
    # the shadow pieces: 7 pixels thick, edges 82 long (stretched to the tile by the game)
    for part, w, h in (("lg", 7, 7), ("pg", 7, 7), ("ld", 7, 7), ("pd", 7, 7), ("l", 7, 82), ("p", 7, 82),
                       ("g", 82, 7), ("d", 82, 7)):
        A(img("gfx/puzzle/cienie_%s.png" % part, w, h, "more.shadow_piece", part=part))

    # ------------------------------------------------------------ slides: level backgrounds and revealed pictures
    # Level backgrounds, in the order the campaign reveals them: each region by day, in the evening
    # and at its warden. The puzzle of each region cuts the day picture, painted at the puzzle's size.
    A(img("gfx/slides/1a.jpg", 800, 600, "regions.scene", region="meadows", variant="b", seed=1300))
    for region, numbers in BACKGROUNDS.items():
        for n, variant in zip(numbers, "abw"):
            A(img("gfx/slides/n-%02d.jpg" % n, 800, 600, "regions.scene", region=region, variant=variant,
                  seed=REGION_SEED[region]))
    for k, region in enumerate(REGIONS, start=1):
        A(img("gfx/puzzle/picture-%02d.jpg" % k, 670, 494, "regions.scene", region=region, variant="a",
              seed=REGION_SEED[region]))

    # ------------------------------------------------------------ ring game
    A(img("gfx/ring-game/game-ring3.jpg", 800, 600, "more.ring_backdrop"))
    A(img("gfx/ring-game/ring0000.png", 300, 300, "more.rune_ring"))
    A(img("gfx/ring-game/wahadlo-c.png", 40, 200, "more.pendulum"))
    A(img("gfx/ring-game/papirus1.png", 64, 96, "art.parchment", seed=401, margin=2))
    A(img("gfx/ring-game/switelko.png", 96, 96, "art.soft_glow", colour=(1.0, 0.9, 0.6), power=1.8, core=0.2))
    A(img("gfx/ring-game/runy-papier.png", 640, 64, "more.ring_runes", frames=(32, 64, 20), ink=True))
    A(img("gfx/ring-game/runy-kula.png", 1280, 64, "more.ring_runes", frames=(64, 64, 20), ink=False))
    # one pixel wide: the stage scales it by its progress times 130
    A(img("gfx/ring-game/bar.png", 1, 14, "more.time_bar"))
    for k, name in enumerate(("s1", "s2", "s3", "s4", "s5", "s6")):
        icon_name, col = [("drop", (0.3, 0.6, 1.0)), ("heart", (0.4, 1.0, 0.5)), ("swirl", (0.75, 0.45, 1.0)),
                          ("cross", (1.0, 0.85, 0.3)), ("bomb", (1.0, 0.45, 0.2)), ("arrows", (0.6, 0.9, 1.0))][k]
        for f in range(5):
            A(img("gfx/ring-game/%s_%04d.png" % (name, f), 48, 48, "more.spell_frame", name=icon_name, colour=col, f=f))

    # ------------------------------------------------------------ fonts
    for path, src, pkg in FONTS:
        A({"path": path, "kind": "font", "recipe": "copy", "args": {"source": src}})
    for pkg in sorted({f[2] for f in FONTS}):
        A({"path": "gfx/fonts/LICENSE-%s.txt" % pkg, "kind": "text", "recipe": "copy",
           "args": {"source": "/usr/share/doc/%s/copyright" % pkg}})

    # ------------------------------------------------------------ sounds
    S = "audio.sfx"
    for name in ("fx-kolory", "fx-wziuu", "fx-zegar", "playgame-bonus-4-boxs", "playgame-combo-x3",
                 "playgame-combo-x4-and-maxmega", "playgame-endlevellopik1", "playgame-endlevellopik1a",
                 "playgame-expl-klocstoned", "playgame-explosion2-biger", "playgame-magic-1-fire",
                 "playgame-magic-2-removecolor", "playgame-magic-3-rndcolor", "playgame-magic-4-removeblocks",
                 "playgame-magic-5-firebomb", "playgame-magic-5-firebomb2", "playgame-magic-5-firebomb3",
                 "playgame-magic-7-swirlcolor", "playgame-niemozna-postawic1", "playgame-nomoves-timesup",
                 "playgame-put-new1", "playgame-stonemode", "playgame-szur1", "playgamering-czarbad",
                 "playgamering-czargeted", "playgamering-czargood", "playgamering-czarwkuli",
                 "playgamering-mouseover", "playgamering-wjazd"):
        A(snd("sfx/fx/%s.ogg" % name, S, 0.03, 4.0, name=name))
    for name in ("playgame-colorget", "playgame-enter", "playgame-info-clickout", "playgame-info-show",
                 "playgame-mouseover", "playgame-podlicz-out", "playgame-podlicz-show", "playgame-podlicz",
                 "playgame-policz", "playgame-ring-out", "playgame-ring-show", "playgamepuzzle-gethint",
                 "playgamepuzzle-podlicz-out"):
        A(snd("sfx/fx4/%s.ogg" % name, S, 0.03, 4.0, name=name))
    for name in ("playgamepuzzle-all", "playgamepuzzle-myszkafirst1", "playgamepuzzle-odkrycie1",
                 "playgamepuzzle-odkrycie2", "playgamepuzzle-zamiana1"):
        A(snd("sfx/fx-puzzle/%s.ogg" % name, S, 0.03, 4.0, name=name))
    A(snd("sfx/playgame-explodebooskloc1.ogg", S, 0.3, 4.0, name="playgame-explodebooskloc1"))
    A(snd("sfx/levelEnd-music.ogg", "music.jingle", 4.0, 15.0))

    voices = {"v-1mgo": "One more to go!", "v-curage": "Courage!", "v-exelent": "Excellent!",
              "v-great2": "Great!", "v-growslls": "Your skills are growing!", "v-imprestes": "Impressive!",
              "v-j2m": "Just two more!", "v-perfect2": "Perfect!", "v-wdone": "Well done!",
              "v-wellplayed": "Well played!"}
    for name, text in voices.items():
        A(snd("sfx/voice/%s.ogg" % name, "audio.voice", 0.3, 4.0, kind="voice", text=text))

    songs = {"glyndra-song": "title", "davar-lost-in-vessamoor": "story", "help2": "help", "glyndra-help": "summary",
             "glyndra-map": "map", "glyndra-puzzle": "puzzle", "ringo": "ring"}
    for n in range(1, 8):
        songs["game-song-%d" % n] = "level%d" % n
    for name, style in songs.items():
        A(snd("sfx/%s.ogg" % name, "music.song", 60.0, 120.0, kind="song", style=style))
    return E


GOLD_T = (1.0, 0.78, 0.35)


def by_path():
    return {e["path"]: e for e in entries()}
