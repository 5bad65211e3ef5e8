"""Song recipes: seamless modal folk loops (harp, flute, fiddle, bells, drone, frame drum)."""
import functools

import numpy as np

from synth import RATE, adsr, expdecay, fft_filter, harmonics, noise, rng, write_ogg

MODES = {
    "ionian": [0, 2, 4, 5, 7, 9, 11], "dorian": [0, 2, 3, 5, 7, 9, 10], "phrygian": [0, 1, 3, 5, 7, 8, 10],
    "lydian": [0, 2, 4, 6, 7, 9, 11], "mixolydian": [0, 2, 4, 5, 7, 9, 10], "aeolian": [0, 2, 3, 5, 7, 8, 10],
}
PROGRESSIONS = {
    "ionian": ([0, 3, 4, 0, 5, 3, 4, 0], [3, 3, 0, 0, 5, 5, 4, 4]),
    "dorian": ([0, 3, 0, 6, 0, 3, 6, 0], [3, 3, 0, 0, 6, 6, 4, 0]),
    "phrygian": ([0, 1, 0, 6, 0, 1, 6, 0], [5, 5, 6, 6, 1, 1, 0, 0]),
    "lydian": ([0, 1, 0, 1, 0, 1, 4, 0], [5, 1, 5, 1, 3, 4, 1, 0]),
    "mixolydian": ([0, 6, 3, 0, 0, 6, 0, 0], [3, 3, 6, 6, 0, 0, 4, 0]),
    "aeolian": ([0, 5, 6, 0, 0, 3, 6, 0], [5, 5, 6, 6, 3, 3, 4, 0]),
}
# Rhythms of one bar in eighth notes, by meter.
RHYTHMS = {
    "6/8": [[3, 3], [2, 1, 3], [3, 2, 1], [1, 1, 1, 3], [2, 1, 2, 1], [3, 1, 1, 1], [6]],
    "3/4": [[2, 2, 2], [3, 1, 2], [2, 1, 1, 2], [4, 2], [1, 1, 2, 2], [6]],
    "4/4": [[2, 2, 2, 2], [3, 1, 2, 2], [2, 1, 1, 4], [4, 2, 2], [1, 1, 2, 2, 2], [2, 2, 4], [8]],
}
EIGHTHS = {"6/8": 6, "3/4": 6, "4/4": 8}

STYLES = {
    # name: tonic (MIDI), mode, meter, eighth notes per minute, lead instruments, drums, seed
    "title": dict(tonic=62, mode="dorian", meter="6/8", rate=216, leads=["flute", "fiddle"], drums=1, seed=11),
    "story": dict(tonic=57, mode="aeolian", meter="3/4", rate=132, leads=["harp", "flute"], drums=0, seed=12),
    "help": dict(tonic=55, mode="mixolydian", meter="4/4", rate=200, leads=["bells", "flute"], drums=1, seed=13),
    "summary": dict(tonic=60, mode="ionian", meter="3/4", rate=168, leads=["flute", "harp"], drums=0, seed=14),
    "map": dict(tonic=64, mode="dorian", meter="6/8", rate=192, leads=["fiddle", "flute"], drums=1, seed=15),
    "puzzle": dict(tonic=59, mode="aeolian", meter="3/4", rate=180, leads=["bells", "harp"], drums=0, seed=16),
    "ring": dict(tonic=64, mode="phrygian", meter="4/4", rate=220, leads=["fiddle", "bells"], drums=2, seed=17),
    "level1": dict(tonic=62, mode="dorian", meter="6/8", rate=228, leads=["flute", "fiddle"], drums=1, seed=21),
    "level2": dict(tonic=64, mode="aeolian", meter="4/4", rate=208, leads=["fiddle", "flute"], drums=2, seed=22),
    "level3": dict(tonic=57, mode="mixolydian", meter="6/8", rate=216, leads=["flute", "bells"], drums=1, seed=23),
    "level4": dict(tonic=55, mode="dorian", meter="3/4", rate=216, leads=["fiddle", "harp"], drums=1, seed=24),
    "level5": dict(tonic=64, mode="phrygian", meter="4/4", rate=192, leads=["flute", "fiddle"], drums=2, seed=25),
    "level6": dict(tonic=60, mode="aeolian", meter="6/8", rate=200, leads=["bells", "flute"], drums=1, seed=26),
    "level7": dict(tonic=65, mode="dorian", meter="4/4", rate=232, leads=["fiddle", "flute"], drums=2, seed=27),
}


def midi(n):
    return 440.0 * 2 ** ((n - 69) / 12.0)


def flute(f, dur, vel=1.0):
    return _flute(round(f, 3), round(dur, 3)) * vel


@functools.lru_cache(maxsize=None)
def _flute(f, dur):
    vel = 1.0
    n = int((dur + 0.15) * RATE)
    t = np.arange(n) / RATE
    vib = 1 + 0.004 * np.sin(2 * np.pi * 5.2 * t) * np.clip(t / 0.3, 0, 1)
    ph = 2 * np.pi * f * np.cumsum(vib) / RATE
    tone = np.sin(ph) + 0.32 * np.sin(2 * ph) + 0.12 * np.sin(3 * ph) + 0.05 * np.sin(4 * ph)
    breath = fft_filter(rng(int(f * 10) % 9999).standard_normal(n), f * 1.5, f * 4) * 0.08
    env = adsr(n, 0.05, 0.12, 0.75, 0.14)
    return (tone + breath) * env * vel * 0.5


def fiddle(f, dur, vel=1.0):
    return _fiddle(round(f, 3), round(dur, 3)) * vel


@functools.lru_cache(maxsize=None)
def _fiddle(f, dur):
    vel = 1.0
    n = int((dur + 0.12) * RATE)
    t = np.arange(n) / RATE
    vib = 1 + 0.006 * np.sin(2 * np.pi * 5.8 * t) * np.clip((t - 0.1) / 0.25, 0, 1)
    ph = 2 * np.pi * f * np.cumsum(vib) / RATE
    tone = np.zeros(n)
    for k in range(1, 11):
        if f * k > 9000:
            break
        tone += np.sin(ph * k) / k * (0.9 ** k)
    env = adsr(n, 0.07, 0.1, 0.8, 0.12)
    return tone * env * vel * 0.42


def harp(f, dur, vel=1.0):
    return _harp(round(f, 3), round(dur, 3)) * vel


@functools.lru_cache(maxsize=None)
def _harp(f, dur):
    vel = 1.0
    d = max(dur, 1.2)
    amps = [1, 0.55, 0.3, 0.18, 0.1, 0.06]
    decs = [d * 0.55 / (1 + 0.6 * k) for k in range(6)]
    n = int(d * RATE)
    return harmonics(f, d, amps, decs) * expdecay(n, d * 0.8, 0.002) * vel * 0.55


def bells(f, dur, vel=1.0):
    return _bells(round(f, 3), round(dur, 3)) * vel


@functools.lru_cache(maxsize=None)
def _bells(f, dur):
    vel = 1.0
    d = max(dur, 1.0)
    amps = [1, 0.0, 0.4, 0.0, 0.2, 0, 0.1]
    decs = [d * 0.6, 1, d * 0.3, 1, d * 0.15, 1, d * 0.08]
    n = int(d * RATE)
    return harmonics(f * 2, d, amps, decs, inharm=0.001) * expdecay(n, d * 0.7, 0.001) * vel * 0.4


LEADS = {"flute": flute, "fiddle": fiddle, "harp": harp, "bells": bells}


def pad(freqs, dur):
    n = int(dur * RATE)
    t = np.arange(n) / RATE
    out = np.zeros(n)
    for i, f in enumerate(freqs):
        for det in (-0.7, 0.7):
            out += np.sin(2 * np.pi * (f + det) * t + i) * 0.5
    env = np.clip(np.minimum(t / 0.6, (dur - t) / 0.6), 0, 1)
    return out * env * 0.12


def drum(kind, seed):
    return _drum(kind, seed % 5)


@functools.lru_cache(maxsize=None)
def _drum(kind, seed):
    if kind == "low":
        d = 0.45
        t = np.arange(int(d * RATE)) / RATE
        f = 55 + 60 * np.exp(-t * 30)
        body = np.sin(2 * np.pi * np.cumsum(f) / RATE) * np.exp(-t / 0.16)
        return body + fft_filter(noise(d, seed), 200, 2000) * np.exp(-t / 0.02) * 0.3
    if kind == "slap":
        d = 0.2
        t = np.arange(int(d * RATE)) / RATE
        return fft_filter(noise(d, seed), 500, 5000) * np.exp(-t / 0.035) * 0.6 + np.sin(2 * np.pi * 180 * t) * np.exp(-t / 0.05) * 0.3
    d = 0.08  # shaker
    t = np.arange(int(d * RATE)) / RATE
    return fft_filter(noise(d, seed), 4000, 12000) * np.exp(-t / 0.02) * 0.25


class Loop:
    """A stereo buffer of an exact length whose notes wrap around its end."""

    def __init__(self, samples):
        self.n = samples
        self.buf = np.zeros((samples + 6 * RATE, 2))

    def add(self, x, at, pan=0.0, gain=1.0):
        at = int(at) % self.n
        end = min(at + len(x), len(self.buf))
        x = x[: end - at] * gain
        self.buf[at:end, 0] += x * np.sqrt(0.5 * (1 - pan))
        self.buf[at:end, 1] += x * np.sqrt(0.5 * (1 + pan))

    def folded(self):
        out = self.buf[: self.n].copy()
        tail = self.buf[self.n:]
        k = 0
        while k < len(tail):
            m = min(self.n, len(tail) - k)
            out[:m] += tail[k:k + m]
            k += m
        return out


def circular_reverb(x, time=2.2, mix=0.22, seed=5):
    n = len(x)
    n_ir = int(time * RATE)
    r = rng(seed)
    t = np.arange(n_ir) / RATE
    out = np.empty_like(x)
    for c in range(x.shape[1]):
        ir = r.standard_normal(n_ir) * np.exp(-t * 6.9 / time)
        ir = fft_filter(ir, 150, 5000)
        ir[: int(0.025 * RATE)] = 0
        ir /= np.sqrt(np.sum(ir ** 2))
        size = 1 << (n + n_ir - 1).bit_length()
        lin = np.fft.irfft(np.fft.rfft(x[:, c], size) * np.fft.rfft(ir, size), size)
        wet = lin[:n].copy()
        tail = lin[n:n + n_ir]
        wet[: len(tail)] += tail[: n]
        out[:, c] = x[:, c] * (1 - mix) + wet * mix * 2.2
    return out


def scale_note(style, degree, octave=0):
    steps = MODES[style["mode"]]
    o, d = divmod(degree, 7)
    return style["tonic"] + 12 * (o + octave) + steps[d]


def make_melody(style, r, chords, bars):
    """One phrase: (start eighth, length in eighths, scale degree) per note, over chord roots."""
    meter = style["meter"]
    notes = []
    deg = 7 + r.integers(0, 3) * 2
    for b in range(bars):
        root = chords[b % len(chords)]
        rhythm = RHYTHMS[meter][r.integers(0, len(RHYTHMS[meter]))]
        if b == bars - 1:
            rhythm = [EIGHTHS[meter]] if r.random() < 0.5 else RHYTHMS[meter][0][:1] + [EIGHTHS[meter] - RHYTHMS[meter][0][0]]
        pos = 0
        for i, length in enumerate(rhythm):
            tones = [root + 7, root + 9, root + 11, root + 14]
            if i == 0 or length >= 3:
                deg = min(tones, key=lambda d: abs(d - deg) + r.random() * 2)
            else:
                deg += int(r.choice([-2, -1, -1, 1, 1, 2]))
            deg = int(np.clip(deg, 4, 16))
            if b == bars - 1 and i == len(rhythm) - 1:
                deg = 7 if abs(deg - 7) < abs(deg - 14) else 14
            notes.append((b * EIGHTHS[meter] + pos, length, deg))
            pos += length
    # folk phrasing: bars 5 and 6 answer bars 1 and 2 with the same motif over their own chords
    per = EIGHTHS[meter]
    if bars >= 8:
        keep = [n for n in notes if not (4 * per <= n[0] < 6 * per)]
        for (start, length, deg) in [n for n in notes if n[0] < 2 * per]:
            b = start // per
            shift = chords[(b + 4) % len(chords)] - chords[b % len(chords)]
            keep.append((start + 4 * per, length, int(np.clip(deg + shift, 4, 16))))
        notes = sorted(keep)
    return notes


def song(dest, style, min_seconds=64.0):
    st = STYLES[style]
    r = rng(st["seed"])
    e8 = 60.0 / st["rate"]
    per_bar = EIGHTHS[st["meter"]]
    bar = per_bar * e8
    bars = int(np.ceil(min_seconds / bar / 8.0)) * 8
    total = int(round(bars * bar * RATE))
    loop = Loop(total)
    prog_a, prog_b = PROGRESSIONS[st["mode"]]
    phrase_a = make_melody(st, r, prog_a, 8)
    phrase_b = make_melody(st, r, prog_b, 8)
    plan = []
    for k in range(bars // 8):
        plan.append(["A", "A", "B", "A"][k % 4])
    lead_cycle = st["leads"]
    for p, section in enumerate(plan):
        prog = prog_a if section == "A" else prog_b
        phrase = phrase_a if section == "A" else phrase_b
        base = p * 8 * per_bar
        lead = LEADS[lead_cycle[(p // 2) % len(lead_cycle)] if section == "A" else lead_cycle[1 % len(lead_cycle)]]
        vary = p >= 4
        for (start, length, deg) in phrase:
            if vary and r.random() < 0.15:
                deg += int(r.choice([-1, 1]))
            f = midi(scale_note(st, deg))
            at = (base + start) * e8 * RATE
            loop.add(lead(f, length * e8 * 0.95, 0.9 + 0.2 * r.random()), at, pan=0.15, gain=0.75)
        for b in range(8):
            root = prog[b]
            chord_deg = [root, root + 2, root + 4, root + 7]
            bar_at = (base + b * per_bar) * e8 * RATE
            # harp arpeggio in eighths
            pattern = [0, 1, 2, 3, 2, 1, 0, 2][:per_bar]
            if section == "B" or p == 0:
                pattern = pattern[::2]
                step = 2
            else:
                step = 1
            for i, pi in enumerate(pattern):
                f = midi(scale_note(st, chord_deg[pi], -1))
                loop.add(harp(f, 1.3, 0.55 + 0.15 * (i == 0)), bar_at + i * step * e8 * RATE, pan=-0.35, gain=0.5)
            # bass
            fb = midi(scale_note(st, root, -2))
            loop.add(harp(fb, 2.0, 0.9), bar_at, pan=0.0, gain=0.65)
            if per_bar == 8:
                loop.add(harp(fb, 1.5, 0.6), bar_at + 4 * e8 * RATE, gain=0.5)
            # drums
            if st["drums"] and not (p == 0 and b < 4):
                hits = {"6/8": [(0, "low"), (3, "slap"), (5, "shake")], "3/4": [(0, "low"), (2, "shake"), (4, "slap")],
                        "4/4": [(0, "low"), (2, "shake"), (4, "slap"), (6, "shake")]}[st["meter"]]
                if st["drums"] == 2:
                    hits = hits + [(per_bar - 1, "shake"), (per_bar // 2 + 1, "low")]
                for pos, kind in hits:
                    loop.add(drum(kind, int(r.integers(0, 1 << 30))), bar_at + pos * e8 * RATE, pan=0.2 if kind == "shake" else 0,
                             gain=0.55 if kind == "low" else 0.4)
        # drone: tonic and fifth under the whole section
        sec_len = 8 * bar
        fa, fe = midi(st["tonic"] - 24), midi(st["tonic"] - 17)
        loop.add(pad([fa, fe, midi(st["tonic"] - 12)], sec_len + 0.6), base * e8 * RATE, gain=0.8)
    mix = loop.folded()
    mix = circular_reverb(mix, 2.4, 0.22, st["seed"])
    mix = np.tanh(mix / (np.max(np.abs(mix)) + 1e-9) * 1.3) * 0.88
    write_ogg(dest, mix, quality=3)


def jingle(dest):
    """The level-end jingle: a short rising fanfare that rings out (played once, not looped)."""
    st = dict(tonic=62, mode="dorian")
    e8 = 60.0 / 260
    dur = 7.0
    buf = np.zeros((int(dur * RATE) + 4 * RATE, 2))
    loop = Loop(len(buf))
    line = [(0, 1, 7), (1, 1, 9), (2, 1, 11), (3, 3, 14), (6, 1, 11), (7, 1, 14), (8, 1, 16), (9, 8, 18)]
    for start, length, deg in line:
        loop.add(flute(midi(scale_note(st, deg, -1)), length * e8 * 1.1), start * e8 * RATE, 0.1, 0.8)
    for i, d in enumerate([0, 2, 4, 7, 9, 11, 14, 16]):
        loop.add(harp(midi(scale_note(st, d, -1)), 2.5, 0.7), i * e8 * RATE, -0.3, 0.5)
    for d in (0, 4, 7):
        loop.add(bells(midi(scale_note(st, d, 0)), 4.0, 0.8), 9 * e8 * RATE, 0.3, 0.5)
        loop.add(harp(midi(scale_note(st, d, -2)), 4.0, 0.8), 9 * e8 * RATE, 0.0, 0.6)
    mix = circular_reverb(loop.buf, 2.0, 0.25, 3)[: int(dur * RATE)]
    t = np.arange(len(mix)) / RATE
    mix *= np.clip((dur - t) / 1.5, 0, 1)[:, None]
    mix = mix / (np.max(np.abs(mix)) + 1e-9) * 0.85
    write_ogg(dest, mix, quality=4)
