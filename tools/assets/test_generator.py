"""Unit tests of the asset generator and of the readers its checks rely on."""
import importlib
import os
import subprocess
import sys
import tempfile
import unittest

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import art  # noqa: E402
import check_paths  # noqa: E402
import checks  # noqa: E402
import generate  # noqa: E402
import manifest  # noqa: E402
import music  # noqa: E402
from synth import RATE  # noqa: E402


def strip(rows, size):
    """A strip from text rows: '#' ink, '.' clear, one character per column, `size` rows a band."""
    h = len(rows) * size
    w = max(len(r) for r in rows)
    a = np.zeros((h, w), np.uint8)
    for j, row in enumerate(rows):
        for k, ch in enumerate(row):
            if ch == "#":
                a[j * size + size // 2, k] = 1
    return a


class FontCutter(unittest.TestCase):
    def test_glyphs_are_runs_of_ink_columns(self):
        glyphs, open_runs = checks.cut_font_strip(strip([".##..###.#."], 4), 4)
        self.assertEqual([(g[0], g[1]) for g in glyphs], [(1, 2), (5, 3), (9, 1)])
        self.assertEqual(open_runs, 0)

    def test_ink_state_carries_into_the_next_band(self):
        # the first band ends in ink: the run stays open and closes at the next band's first
        # clear column, which is what the game does and what the generator must avoid
        glyphs, open_runs = checks.cut_font_strip(strip(["..##", "..#."], 4), 4)
        self.assertEqual(open_runs, 1)
        self.assertEqual(glyphs[0][2], 1)

    def test_faint_ink_counts(self):
        a = np.zeros((4, 5), np.uint8)
        a[0, 1] = 1
        a[3, 3] = 255
        glyphs, _ = checks.cut_font_strip(a, 4)
        self.assertEqual(len(glyphs), 2)

    def test_game_fonts_step_by_little_more_than_their_letters(self):
        # the game advances by a glyph's cut width less the font's spacing: a halo wider than a
        # few pixels would spread the letters of every word apart
        import common
        for e in manifest.entries():
            if e.get("recipe") != "art.font_strip":
                continue
            with self.subTest(e["path"]):
                args = dict(e["args"])
                arr = art.font_strip(e["size"][0], e["size"][1], **args)
                alpha = (np.clip(arr[..., 3], 0, 1) * 255 + 0.5).astype(np.uint8)
                glyphs, _ = checks.cut_font_strip(alpha, args["band"])
                face = common.font(args.get("role", "capitals"), args.get("size", 24))
                reach = args.get("reach", 1)
                for ch, (start, width, band) in zip(args["chars"], glyphs):
                    l, _, r, _ = face.getbbox(ch)
                    self.assertLessEqual(width, (r - l) + 2 * reach + 2, ch)
                # letters without descenders end on one baseline
                bottoms = set()
                for ch, (start, width, band) in zip(args["chars"], glyphs):
                    if ch in "acemnorsuvwxz":
                        a = alpha[band * args["band"]:(band + 1) * args["band"], start:start + width]
                        bottoms.add(int(np.nonzero((a >= 128).any(axis=1))[0][-1]))
                self.assertLessEqual(max(bottoms) - min(bottoms), 1)

    def test_generated_strip_cuts_into_one_glyph_per_character(self):
        chars = "il!?%'\"()-.,1"
        arr = art.font_strip(400, 30, chars, 30)
        alpha = (np.clip(arr[..., 3], 0, 1) * 255 + 0.5).astype(np.uint8)
        glyphs, open_runs = checks.cut_font_strip(alpha, 30)
        self.assertEqual(open_runs, 0)
        self.assertEqual(len(glyphs), len(chars))


class Determinism(unittest.TestCase):
    def test_same_entry_makes_the_same_bytes(self):
        wanted = {"gfx/runy/rune-05.png", "gfx/title/load1.png", "sfx/fx/playgame-put-new1.ogg", "gfx/ring/k-07.png"}
        ents = [e for e in manifest.entries() if e["path"] in wanted]
        self.assertEqual(len(ents), len(wanted))
        with tempfile.TemporaryDirectory() as a, tempfile.TemporaryDirectory() as b:
            for e in ents:
                for out in (a, b):
                    path, err = generate.make((e, out))
                    self.assertIsNone(err, path)
                with open(os.path.join(a, e["path"]), "rb") as fa, open(os.path.join(b, e["path"]), "rb") as fb:
                    self.assertEqual(fa.read(), fb.read(), e["path"])

    def test_separate_runs_make_the_same_bytes(self):
        # separate processes with different string hashing: nothing may depend on process state
        here = os.path.dirname(os.path.abspath(__file__))
        path = "gfx/gui/2fire.png"
        outs = []
        with tempfile.TemporaryDirectory() as a, tempfile.TemporaryDirectory() as b:
            for out, seed in ((a, "1"), (b, "2")):
                env = dict(os.environ, PYTHONHASHSEED=seed, PYTHONDONTWRITEBYTECODE="1")
                subprocess.run([sys.executable, os.path.join(here, "generate.py"), "--out", out, "--jobs", "1",
                                "--only", path], check=True, env=env, stdout=subprocess.DEVNULL)
                with open(os.path.join(out, path), "rb") as fh:
                    outs.append(fh.read())
        self.assertEqual(outs[0], outs[1])

    def test_a_failing_recipe_leaves_no_file(self):
        e = {"path": "gfx/broken.png", "kind": "image", "size": [8, 8], "recipe": "art.rune_tile", "args": {"cls": 99}}
        with tempfile.TemporaryDirectory() as out:
            path, err = generate.make((e, out))
            self.assertIsNotNone(err)
            self.assertEqual(os.listdir(os.path.join(out, "gfx")), [])


class SongLoop(unittest.TestCase):
    def test_a_note_past_the_end_wraps_to_the_start(self):
        loop = music.Loop(RATE)
        loop.add(np.ones(RATE // 2), RATE - RATE // 4)
        out = loop.folded()
        self.assertAlmostEqual(float(out[:, 0].sum() + out[:, 1].sum()), RATE // 2 * 2 * np.sqrt(0.5), places=3)
        self.assertGreater(out[10, 0], 0)
        self.assertGreater(out[-10, 0], 0)
        self.assertEqual(out[RATE // 2, 0], 0)

    def test_every_screen_has_a_style(self):
        styles = {e["args"]["style"] for e in manifest.entries() if e["kind"] == "song"}
        self.assertLessEqual(styles, set(music.STYLES))
        self.assertEqual(len(styles), 14)


class PathRules(unittest.TestCase):
    files = ["gfx/ring/k-05.png", "gfx/story/bottom.png", "gfx/ring-game/s4_0000.png", "sfx/game-song-1.ogg"]

    def check(self, path):
        return check_paths.problem(path, self.files, set(self.files))

    def test_rules(self):
        cases = [("gfx/ring/k-05.png", None), ("gfx/ring/k-06.png", "missing"), ("gfx/ring/k-0", None),
                 ("gfx/ring/x-", "no file begins with this prefix"), ("gfx/story/bottom.jp2", None),
                 ("gfx/title/galeria.jp2", "its .png twin gfx/title/galeria.png is missing"),
                 ("s4_0000.png", None), ("-05.png", None), ("s9_0000.png", "no file ends with this name"), ("sfx/game-song-", None),
                 (".png", None)]
        for path, why in cases:
            with self.subTest(path=path):
                self.assertEqual(self.check(path), why)

    def test_literals_are_found_with_their_lines(self):
        text = ('a("gfx/gui/x.png"); // "gfx/no/comment.png"\nb("hello");\n'
                'c("gfx\\\\ramka\\\\dialog-lg.png", "s1_0000.png");\n/* "gfx/in/block.png"\n */ d("/usr/x.ttf");\n')
        found = list(check_paths.candidates(check_paths.strip_comments(text), unescape=True))
        self.assertEqual(found, [(1, "gfx/gui/x.png"), (3, "gfx/ramka/dialog-lg.png"), (3, "s1_0000.png")])


class Manifest(unittest.TestCase):
    def test_sphere_has_a_ball_and_sign_per_picture_number(self):
        paths = {e["path"] for e in manifest.entries()}
        for n in range(1, 16):
            self.assertIn("gfx/ring/k-%02d.png" % n, paths)
            self.assertIn("gfx/ring/s-%02d.png" % n, paths)

    def test_a_caption_over_a_picture_has_no_backing(self):
        import more
        arr = more.badge(366, 146, "Stage Completed")
        alpha = arr[..., 3]
        # beside the letters, left and right of them, the picture stays clear
        self.assertEqual(float(alpha[:, :10].max()), 0.0)
        self.assertEqual(float(alpha[:, -10:].max()), 0.0)
        self.assertEqual(float(alpha[:12, :].max()), 0.0)

    def test_strips_divide_into_their_cells(self):
        for e in manifest.entries():
            if "frames" in e:
                with self.subTest(path=e["path"]):
                    cw, ch, n = e["frames"]
                    self.assertEqual(e["size"], [cw * n, ch])


class PicturesWhereTheGameDrawsThem(unittest.TestCase):
    """Pictures that the game draws over or beside other pictures, or scaled up: what they must
    leave clear, measured in the pictures' own pixels."""

    def make(self, path):
        e = manifest.by_path()[path]
        w, h = e["size"]
        arr = getattr(importlib.import_module(e["recipe"].split(".")[0]), e["recipe"].split(".")[1])(w, h, **e["args"])
        return arr[..., 3]

    def test_the_spark_fades_out_before_its_border(self):
        # sparks are drawn up to six times their size and added onto the screen: a border
        # that is not dark shows as the edge of a square
        a = self.make("gfx/gwiazdki/gradball.png")
        border = np.concatenate([a[0], a[-1], a[:, 0], a[:, -1]])
        self.assertLess(border.max(), 1 / 255)
        h, w = a.shape
        self.assertEqual(a[h // 2 - 1:h // 2 + 1, w // 2 - 1:w // 2 + 1].min(), a.max())

    def test_the_wizard_keeps_off_the_scroll(self):
        # drawn at (40, 138) over the open scroll: the paper from x 250, the rollers from x 224,
        # the lower one from y 454 to 524 on the screen
        a = self.make("gfx/gui/heroine01.png")
        ox, oy = 40, 138
        self.assertLess(a[:, 250 - ox:].max(), 1 / 255)
        self.assertLess(a[454 - oy:524 - oy, 224 - ox:].max(), 1 / 255)

    def test_the_wizards_glow_leaves_no_edge(self):
        # drawn 117 right of and 245 below the wizard, over his robe and the door: its left and
        # top edges must not show
        a = self.make("gfx/gui/poswiata.png")
        self.assertLess(max(a[0].max(), a[:, 0].max()), 2 / 255)
        self.assertGreater(a.max(), 0.5)

    def test_the_two_mice_of_the_help_page_do_not_overlap(self):
        # the wheel picture at (158, 164) reaches 16 pixels over the right-button picture at
        # (232, 158); where both have more than a faint shadow they would cover each other
        wheel = self.make("gfx/gui/tutorial_mouse_1.png")
        right = self.make("gfx/gui/tutorial_mouse.png")
        overlap, down = wheel.shape[1] - (232 - 158), 164 - 158
        self.assertLess(np.minimum(wheel[:-down, -overlap:], right[down:, :overlap]).max(), 0.1)


if __name__ == "__main__":
    unittest.main()
