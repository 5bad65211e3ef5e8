"""Sound-effect and voice recipes: each effect is synthesised from its name's role in the game."""
import os
import subprocess
import tempfile
import wave

import numpy as np

import synth
from synth import RATE, adsr, expdecay, fade, normalize, place, reverb, tvec, write_ogg


class Sig(np.ndarray):
    """A mono signal whose sums pad the shorter operand with silence."""

    def __add__(self, other):
        if isinstance(other, np.ndarray) and other.ndim == 1 and len(other) != len(self):
            out = np.zeros(max(len(self), len(other)))
            out[: len(self)] += np.asarray(self)
            out[: len(other)] += np.asarray(other)
            return out.view(Sig)
        return np.ndarray.__add__(self, other)

    __radd__ = __add__


def _wrap(fn):
    return lambda *a, **k: np.asarray(fn(*a, **k)).view(Sig)


osc, noise, fft_filter, harmonics, sweep_filter = (_wrap(synth.osc), _wrap(synth.noise), _wrap(synth.fft_filter),
                                                   _wrap(synth.harmonics), _wrap(synth.sweep_filter))

# Note frequencies of a D dorian world, shared by the chimes so the effects sit with the music.
D4 = 293.66


def semi(base, n):
    return base * 2 ** (n / 12.0)


@_wrap
def bell(freq, dur=1.2, bright=1.0):
    amps = [1, 0.5 * bright, 0.35 * bright, 0.2 * bright, 0.12 * bright]
    decs = [dur * 0.6, dur * 0.35, dur * 0.25, dur * 0.15, dur * 0.1]
    return harmonics(freq, dur, amps, decs, inharm=0.002) * expdecay(int(dur * RATE), dur, 0.002)


@_wrap
def pluck(freq, dur=0.6, bright=1.0):
    amps = [1, 0.6 * bright, 0.4 * bright, 0.25 * bright, 0.15 * bright, 0.1 * bright]
    decs = [dur * 0.5 / (1 + 0.5 * k) for k in range(6)]
    return harmonics(freq, dur, amps, decs) * expdecay(int(dur * RATE), dur, 0.001)


@_wrap
def thump(dur=0.25, f0=140, f1=50, seed=1):
    t = tvec(dur)
    f = f1 + (f0 - f1) * np.exp(-t * 25)
    body = osc(f, dur) * expdecay(len(t), dur / 3)
    click = fft_filter(noise(dur, seed), 800, 5000) * expdecay(len(t), 0.01)
    return body + 0.3 * click


@_wrap
def whoosh(dur, f0, f1, seed=2, q=3.0):
    x = noise(dur, seed)
    y = sweep_filter(x, f0, f1, q)
    n = len(y)
    env = np.sin(np.linspace(0, np.pi, n)) ** 1.5
    return y * env


@_wrap
def crackle(dur, density=200, seed=3):
    r = np.random.default_rng(seed)
    n = int(dur * RATE)
    x = np.zeros(n)
    k = int(density * dur)
    idx = r.integers(0, n, k)
    x[idx] = r.uniform(-1, 1, k)
    return fft_filter(x, 1500, 9000) * 6


@_wrap
def arpeggio(notes, step, dur=0.9, fn=bell, bright=1.0):
    total = step * (len(notes) - 1) + dur
    buf = np.zeros(int(total * RATE) + 1)
    for i, f in enumerate(notes):
        place(buf, fn(f, dur, bright) * (0.9 ** i), i * step * RATE)
    return buf


@_wrap
def chord(freqs, dur=1.0, fn=bell, bright=1.0):
    buf = np.zeros(int(dur * RATE))
    for f in freqs:
        place(buf, fn(f, dur, bright), 0)
    return buf


@_wrap
def stone_grind(dur, seed):
    x = noise(dur, seed)
    r = np.random.default_rng(seed)
    grit = np.repeat(r.uniform(0.2, 1.0, int(dur * 60) + 1), RATE // 60 + 1)[: len(x)]
    y = fft_filter(x, 150, 1800) * grit
    return y * adsr(len(y), 0.03, 0.1, 0.8, dur * 0.4)


@_wrap
def shatter(dur, seed, lo=1200):
    r = np.random.default_rng(seed)
    buf = np.zeros(int(dur * RATE))
    for i in range(14):
        at = r.uniform(0, dur * 0.3)
        f = r.uniform(1500, 4500)
        place(buf, bell(f, 0.25, 0.6) * r.uniform(0.2, 0.6), at * RATE)
    buf += fft_filter(noise(dur, seed + 1), lo, 9000) * expdecay(len(buf), 0.08) * 0.6
    return buf


D = [semi(D4, s) for s in (0, 2, 3, 5, 7, 9, 10, 12, 14, 15, 17, 19)]


def _sfx(name):
    n = name
    if n == "fx-kolory":  # a colour spreads: shimmering rising chimes
        x = arpeggio([D[i] * 2 for i in (0, 2, 4, 6, 7, 9)], 0.07, 0.8) + 0.3 * whoosh(1.1, 800, 5000, 4)[: 0]
        return x
    if n == "fx-wziuu":  # mana flies to the sphere
        return whoosh(0.55, 400, 3500, 5, q=2.5) * 1.2 + 0.25 * osc(np.linspace(500, 1400, int(0.55 * RATE)), 0.55) * adsr(int(0.55 * RATE), 0.05, 0.2, 0.4, 0.2)
    if n == "fx-zegar":  # the clock spell: tick-tock
        buf = np.zeros(int(1.0 * RATE))
        for i, f in enumerate((2400, 1800, 2400, 1800)):
            place(buf, fft_filter(noise(0.03, 10 + i), f * 0.8, f * 1.2) * expdecay(int(0.03 * RATE), 0.008) * 2, i * 0.22 * RATE)
        return buf
    if n == "playgame-bonus-4-boxs":  # a bonus token appears
        return arpeggio([D[4] * 2, D[7] * 2, D[9] * 2], 0.06, 0.9, bright=1.2)
    if n == "playgame-combo-x3":
        return arpeggio([D[0] * 2, D[2] * 2, D[4] * 2, D[7] * 2], 0.08, 1.0)
    if n == "playgame-combo-x4-and-maxmega":
        return arpeggio([D[0] * 2, D[2] * 2, D[4] * 2, D[7] * 2, D[9] * 2, D[11] * 2], 0.07, 1.3, bright=1.3) + 0.5 * chord([D[0], D[4]], 1.6)
    if n == "playgame-endlevellopik1":  # the count-up loop: soft even ticks, loops cleanly
        buf = np.zeros(int(0.4 * RATE))
        for i in range(4):
            place(buf, bell(D[7] * 4, 0.08, 0.4) * 0.6, i * 0.1 * RATE)
        return buf
    if n == "playgame-endlevellopik1a":  # the count ends
        return chord([D[0] * 2, D[4] * 2, D[7] * 2], 1.2, bright=1.1)
    if n == "playgame-expl-klocstoned":  # a stone turns back into a rune
        return shatter(0.8, 21, 800) + 0.4 * thump(0.3, 120, 45, 22)
    if n == "playgame-explosion2-biger":  # runs clear: crystalline burst
        return shatter(1.0, 23) + 0.5 * arpeggio([D[7] * 2, D[4] * 2, D[0] * 2], 0.03, 0.6)
    if n == "playgame-magic-1-fire":
        return whoosh(1.1, 300, 2000, 24, q=1.5) * 1.3 + crackle(1.1, 300, 25) * adsr(int(1.1 * RATE), 0.05, 0.3, 0.5, 0.5)
    if n == "playgame-magic-2-removecolor":
        return whoosh(0.9, 3000, 500, 26, q=3) + 0.5 * arpeggio([D[9] * 2, D[7] * 2, D[4] * 2, D[2] * 2], 0.08, 0.7)
    if n == "playgame-magic-3-rndcolor":
        r = np.random.default_rng(27)
        return arpeggio([D[i] * 2 for i in r.integers(0, 12, 8)], 0.05, 0.6, bright=1.2)
    if n == "playgame-magic-4-removeblocks":
        return shatter(0.9, 28, 600) + 0.7 * thump(0.4, 100, 40, 29)
    if n.startswith("playgame-magic-5-firebomb"):
        k = {"playgame-magic-5-firebomb": 0, "playgame-magic-5-firebomb2": 1, "playgame-magic-5-firebomb3": 2}[n]
        dur = 1.0 + 0.2 * k
        boom = thump(dur, 90 - 10 * k, 30, 30 + k) * 1.2
        rumble = fft_filter(noise(dur, 33 + k), 40, 400) * expdecay(int(dur * RATE), 0.35) * 1.5
        return boom + rumble + crackle(dur, 400, 36 + k) * expdecay(int(dur * RATE), 0.4) * 0.6
    if n == "playgame-magic-7-swirlcolor":
        t = tvec(1.2)
        f = 600 + 400 * np.sin(2 * np.pi * 3 * t) * np.linspace(1, 0.2, len(t))
        return osc(f, 1.2, "tri") * adsr(len(t), 0.1, 0.3, 0.5, 0.4) * 0.5 + whoosh(1.2, 600, 2500, 37) * 0.7
    if n == "playgame-niemozna-postawic1":  # refused move: dull low double knock
        buf = np.zeros(int(0.35 * RATE))
        for i in range(2):
            place(buf, thump(0.15, 180, 90, 40 + i) * 0.8, i * 0.12 * RATE)
        return buf + 0.2 * osc(110, 0.35, "square") * expdecay(int(0.35 * RATE), 0.08)
    if n == "playgame-nomoves-timesup":  # the game is lost: a falling minor line
        return arpeggio([D[7], D[5], D[3] if True else 0, D[0], D[0] / 2], 0.22, 1.4, fn=pluck)
    if n == "playgame-put-new1":  # a piece is set down: wooden clack
        return thump(0.18, 320, 160, 41) * 0.9 + fft_filter(noise(0.06, 42), 1000, 4000) * expdecay(int(0.06 * RATE), 0.012) * 0.6
    if n == "playgame-stonemode":  # runes start turning to stone: grinding
        return stone_grind(1.2, 43) + 0.3 * thump(0.5, 70, 40, 44)
    if n == "playgame-szur1":  # the piece turns: short scrape
        return whoosh(0.18, 1200, 3000, 45, q=2) * 1.1
    if n == "playgamering-czarbad":
        return arpeggio([D[5], D[4] * 0.94], 0.12, 0.5, fn=pluck) + 0.2 * osc(90, 0.4, "square") * expdecay(int(0.4 * RATE), 0.1)
    if n == "playgamering-czargeted":  # a spell is won: fanfare
        return arpeggio([D[0] * 2, D[4] * 2, D[7] * 2, D[11] * 2], 0.1, 1.2, bright=1.3) + 0.5 * chord([D[0], D[4], D[7]], 1.7)
    if n == "playgamering-czargood":
        return arpeggio([D[4] * 2, D[7] * 2], 0.07, 0.6)
    if n == "playgamering-czarwkuli":  # the rune's time ran out
        return bell(D[0], 1.2, 0.6) * 0.8 + whoosh(0.8, 2000, 300, 46) * 0.5
    if n in ("playgamering-mouseover", "playgame-mouseover"):  # pointer over / click
        return bell(D[7] * 4, 0.06, 0.3) * 0.5 + fft_filter(noise(0.02, 47), 3000, 9000) * expdecay(int(0.02 * RATE), 0.004) * 0.4
    if n == "playgamering-wjazd":  # the sheets slide in
        return whoosh(0.8, 300, 1500, 48, q=2) * 1.2
    if n == "playgame-colorget":  # a sphere ball is full
        return chord([D[0] * 2, D[4] * 2, D[7] * 2, D[9] * 4], 1.5, bright=1.2)
    if n == "playgame-enter":
        return arpeggio([D[0] * 2, D[7] * 2], 0.1, 0.7)
    if n == "playgame-info-clickout":
        return whoosh(0.25, 2500, 800, 49, q=2) * 0.8 + bell(D[4] * 2, 0.3, 0.5) * 0.3
    if n == "playgame-info-show":
        return whoosh(0.3, 600, 2500, 50, q=2) * 0.7 + bell(D[7] * 2, 0.5, 0.6) * 0.4
    if n == "playgame-podlicz-out" or n == "playgamepuzzle-podlicz-out":  # a scroll is rolled away: paper
        return whoosh(0.45, 1500, 5000, 51 if n.startswith("playgame-") else 52, q=1.2) * 1.1
    if n == "playgame-podlicz-show":  # the count ends and the doors close: heavy wooden slide
        return fft_filter(noise(1.2, 53), 60, 600) * adsr(int(1.2 * RATE), 0.2, 0.3, 0.7, 0.5) + thump(0.6, 80, 35, 54) * 0.6
    if n == "playgame-podlicz":
        return bell(D[7] * 2, 0.4, 0.7)
    if n == "playgame-policz":  # tick of the count-up
        return bell(D[9] * 4, 0.07, 0.4) * 0.6
    if n == "playgame-ring-out":
        return whoosh(0.5, 3000, 600, 55) + bell(D[4] * 2, 0.4, 0.5) * 0.3
    if n == "playgame-ring-show":
        return whoosh(0.5, 600, 3000, 56) + arpeggio([D[0] * 2, D[4] * 2, D[7] * 2], 0.08, 0.6) * 0.5
    if n == "playgamepuzzle-gethint":
        return arpeggio([D[7] * 2, D[9] * 2, D[11] * 2], 0.05, 0.8, bright=0.8)
    if n == "playgamepuzzle-all":  # the picture is complete
        return arpeggio([D[0] * 2, D[2] * 2, D[4] * 2, D[7] * 2, D[11] * 2], 0.12, 1.6, bright=1.2) + 0.6 * chord([D[0], D[4], D[7]], 2.2, fn=pluck)
    if n == "playgamepuzzle-myszkafirst1":  # click on a tile
        return thump(0.1, 500, 300, 57) * 0.6 + bell(D[7] * 4, 0.1, 0.3) * 0.3
    if n in ("playgamepuzzle-odkrycie1", "playgamepuzzle-odkrycie2"):  # a tile lands home
        base = D[4] if n.endswith("1") else D[5]
        return arpeggio([base * 2, base * 3], 0.06, 0.7)
    if n == "playgamepuzzle-zamiana1":  # two tiles swap
        return whoosh(0.4, 800, 2600, 58, q=2.5) * 0.9
    if n == "playgame-explodebooskloc1":  # a boss rune breaks
        return shatter(1.6, 59, 500) * 1.2 + thump(1.2, 80, 28, 60) * 1.4 + fft_filter(noise(1.6, 61), 30, 300) * expdecay(int(1.6 * RATE), 0.5)
    raise KeyError("no sound recipe for " + name)


# Sounds the game loops: kept exactly one period long, without a reverb tail.
LOOPED = {"playgame-endlevellopik1"}


def sfx(dest, name):
    x = np.asarray(_sfx(name), dtype=np.float64)
    if name in LOOPED:
        x = normalize(x, 0.85)
    else:
        x = reverb(x, 0.6, 0.12, seed=len(name))
        x = fade(normalize(x, 0.85), 0.002, 0.02)
    write_ogg(dest, x, quality=4)


def _read_wav(path):
    with wave.open(path, "rb") as w:
        data = np.frombuffer(w.readframes(w.getnframes()), dtype="<i2").astype(np.float64) / 32768.0
        if w.getnchannels() == 2:
            data = data.reshape(-1, 2).mean(axis=1)
        return data, w.getframerate()


def voice(dest, text):
    """A spoken clip: espeak-ng in a low warm voice, softened, with light reverb (sox, no dither)."""
    with tempfile.TemporaryDirectory(prefix="vsm-voice-") as d:
        raw, warm = os.path.join(d, "raw.wav"), os.path.join(d, "warm.wav")
        subprocess.run(["espeak-ng", "-v", "en-gb+f4", "-s", "132", "-p", "38", "-a", "170", "-g", "2",
                        "-w", raw, text], check=True)
        subprocess.run(["sox", "-D", "-V1", raw, "-r", str(RATE), "-b", "16", warm, "pitch", "-120",
                        "lowpass", "5200", "bass", "+4", "treble", "-3", "pad", "0.05", "0.5",
                        "reverb", "28", "55", "60", "50", "4", "norm", "-1.5"], check=True)
        data, rate = _read_wav(warm)
        if rate != RATE:
            raise ValueError("unexpected rate %d" % rate)
        write_ogg(dest, fade(data, 0.003, 0.08), quality=5)
