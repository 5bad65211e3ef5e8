"""Readers the asset checks share: the game's bitmap-font cutter, Ogg length, font signatures."""
import struct

import numpy as np


def cut_font_strip(alpha, size):
    """Cuts a strip the way the game's bitmap fonts do: bands of `size` rows, glyphs found by
    columns that hold any pixel with alpha > 0; the ink state carries over between bands.
    Returns (start, width, band) for every glyph and the count of runs still open at a band's end."""
    h, w = alpha.shape
    bands = int(h / size - 1) + 1
    glyphs, open_at_end = [], 0
    prev_ink, start = False, 0
    for j in range(bands):
        rows = [int(j * size + r) for r in range(int(size - 1) + 1)]
        rows = [r for r in rows if r < h]
        band = alpha[rows, :]
        ink_cols = (band > 0).any(axis=0)
        for k in range(w):
            ink = bool(ink_cols[k])
            if not prev_ink and ink:
                start = k
            elif prev_ink and not ink:
                glyphs.append((start, k - start, j))
            prev_ink = ink
        if prev_ink:
            open_at_end += 1
    return glyphs, open_at_end


def ogg_info(path):
    """(channels, sample rate, length in seconds) of an Ogg Vorbis file; raises ValueError when
    the file is not one."""
    with open(path, "rb") as fh:
        data = fh.read()
    if not data.startswith(b"OggS"):
        raise ValueError("not an Ogg stream")
    i = data.find(b"\x01vorbis")
    if i < 0:
        raise ValueError("no Vorbis identification header")
    channels = data[i + 11]
    rate = struct.unpack("<I", data[i + 12:i + 16])[0]
    last = data.rfind(b"OggS")
    granule = struct.unpack("<q", data[last + 6:last + 14])[0]
    if rate <= 0 or granule <= 0:
        raise ValueError("bad rate or length")
    return channels, rate, granule / float(rate)


def font_signature_ok(path):
    with open(path, "rb") as fh:
        head = fh.read(4)
    return head in (b"\x00\x01\x00\x00", b"OTTO", b"true")


def alpha_of(img):
    arr = np.asarray(img.convert("RGBA"))
    return arr[..., 3]
