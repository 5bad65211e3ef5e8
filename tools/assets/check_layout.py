#!/usr/bin/python3
"""Checks every manifest entry against the built resources folder: the file exists, has its kind,
size and frame layout, cuts into as many glyphs as its font has characters, and sounds last as long
as their role needs. Usage: check_layout.py RESOURCES_DIR"""
import os
import sys

from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import checks  # noqa: E402
import manifest  # noqa: E402


def check_entry(root, e):
    """Returns a list of problems of one entry (empty when it is right)."""
    path = os.path.join(root, e["path"])
    if not os.path.isfile(path):
        return ["missing"]
    errs = []
    kind = e["kind"]
    if kind == "image":
        try:
            img = Image.open(path)
            img.load()
        except Exception as exc:
            return ["unreadable picture: %s" % exc]
        fmt = "JPEG" if path.endswith(".jpg") else "PNG"
        if img.format != fmt:
            errs.append("format %s, expected %s" % (img.format, fmt))
        if fmt == "PNG" and img.mode != "RGBA":
            errs.append("mode %s, expected RGBA" % img.mode)
        if list(img.size) != e["size"]:
            errs.append("size %dx%d, expected %dx%d" % (img.size + tuple(e["size"])))
        if "frames" in e:
            cw, ch, count = e["frames"]
            if img.size[0] != cw * count or img.size[1] != ch:
                errs.append("strip %dx%d does not hold %d cells of %dx%d" % (img.size + (count, cw, ch)))
        if e.get("recipe") == "art.digit_strip" and "advances" in e["args"] and "frames" in e:
            # the game steps by its own advance after each digit: solid ink must not pass it
            cw, ch, count = e["frames"]
            adv = e["args"]["advances"]
            adv = adv if isinstance(adv, list) else [adv] * count
            alpha = checks.alpha_of(img)
            for d in range(count):
                cols = (alpha[:, d * cw:(d + 1) * cw] >= 128).any(axis=0).nonzero()[0]
                if len(cols) and cols[-1] >= adv[d] + 1:
                    errs.append("digit %d inks up to x %d, past its advance %d" % (d, cols[-1], adv[d]))
        if "strip" in e:
            chars, band = e["strip"]["chars"], e["strip"]["band"]
            glyphs, open_runs = checks.cut_font_strip(checks.alpha_of(img), band)
            if open_runs:
                errs.append("%d bands end inside a glyph" % open_runs)
            if len(glyphs) != len(chars):
                errs.append("cuts into %d glyphs for %d characters" % (len(glyphs), len(chars)))
            if any(g[1] <= 0 for g in glyphs):
                errs.append("a glyph of no width")
    elif kind in ("sound", "song", "voice"):
        try:
            channels, rate, length = checks.ogg_info(path)
        except (OSError, ValueError) as exc:
            return ["not Ogg Vorbis: %s" % exc]
        lo, hi = e["seconds"]
        if not lo <= length <= hi:
            errs.append("lasts %.2f s, expected %.2f to %.2f" % (length, lo, hi))
        if channels not in (1, 2) or rate not in (22050, 44100, 48000):
            errs.append("%d channels at %d Hz" % (channels, rate))
    elif kind == "font":
        if not checks.font_signature_ok(path):
            errs.append("not a TrueType or OpenType font")
    elif kind == "text":
        if os.path.getsize(path) == 0:
            errs.append("empty")
    else:
        errs.append("unknown kind " + kind)
    return errs


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    root = sys.argv[1]
    bad = 0
    entries = manifest.entries()
    paths = [e["path"] for e in entries]
    dupes = {p for p in paths if paths.count(p) > 1}
    for p in sorted(dupes):
        print("%s: listed twice in the manifest" % p)
        bad += 1
    for e in entries:
        for err in check_entry(root, e):
            print("%s: %s" % (e["path"], err))
            bad += 1
    fonts = [e for e in entries if e["kind"] == "font"]
    if fonts and not any(e["kind"] == "text" and "LICENSE" in e["path"] for e in entries):
        print("fonts are shipped without their licence texts")
        bad += 1
    print("%d entries checked, %d problems" % (len(entries), bad))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
