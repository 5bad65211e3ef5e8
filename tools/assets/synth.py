"""Sound building blocks of the asset generator: oscillators, envelopes, filters, reverb, Ogg output."""
import hashlib
import os
import subprocess
import tempfile
import wave

import numpy as np

RATE = 44100


def seconds(n):
    return n / RATE


def tvec(dur):
    return np.arange(int(dur * RATE), dtype=np.float64) / RATE


def rng(seed):
    return np.random.default_rng(seed)


def adsr(n, a=0.005, d=0.05, s=0.6, r=0.1):
    """Attack, decay, sustain level and release times in seconds over n samples."""
    env = np.full(n, s, dtype=np.float64)
    na, nd, nr = int(a * RATE), int(d * RATE), int(r * RATE)
    na = min(na, n)
    env[:na] = np.linspace(0, 1, na, endpoint=False) if na else env[:0]
    nd = min(nd, n - na)
    env[na:na + nd] = np.linspace(1, s, nd, endpoint=False)
    nr = min(nr, n)
    if nr:
        env[n - nr:] *= np.linspace(1, 0, nr)
    return env


def expdecay(n, tau, attack=0.003):
    t = np.arange(n) / RATE
    env = np.exp(-t / max(tau, 1e-4))
    na = min(int(attack * RATE), n)
    if na:
        env[:na] *= np.linspace(0, 1, na)
    return env


def osc(freq, dur, shape="sine", phase=0.0, vibrato=0.0, vib_rate=5.0):
    """An oscillator; freq may be a number or an array of per-sample frequencies."""
    n = int(dur * RATE)
    f = np.broadcast_to(np.asarray(freq, dtype=np.float64), (n,)).copy()
    if vibrato:
        f *= 1 + vibrato * np.sin(2 * np.pi * vib_rate * np.arange(n) / RATE)
    ph = phase + 2 * np.pi * np.cumsum(f) / RATE
    if shape == "sine":
        return np.sin(ph)
    if shape == "tri":
        return 2 / np.pi * np.arcsin(np.sin(ph))
    if shape == "square":
        return np.tanh(np.sin(ph) * 4)
    if shape == "saw":
        # band-limited enough for our uses: sum of 12 harmonics
        out = np.zeros(n)
        for k in range(1, 13):
            out += np.sin(ph * k) / k * (f * k < RATE / 2)
        return out * 0.6
    raise ValueError(shape)


def harmonics(freq, dur, amps, decays=None, inharm=0.0, vibrato=0.0, vib_rate=5.0):
    """Additive tone: partial k+1 at amplitude amps[k], each decaying with its own time constant."""
    n = int(dur * RATE)
    t = np.arange(n) / RATE
    out = np.zeros(n)
    for k, a in enumerate(amps):
        if a == 0:
            continue
        fk = freq * (k + 1) * (1 + inharm * k * k)
        if fk >= RATE / 2:
            break
        ph = 2 * np.pi * fk * t
        if vibrato:
            ph += vibrato * (k + 1) * freq / vib_rate * np.sin(2 * np.pi * vib_rate * t)
        part = np.sin(ph) * a
        if decays is not None:
            part *= np.exp(-t / decays[k])
        out += part
    return out


def noise(dur, seed=0):
    return rng(seed).standard_normal(int(dur * RATE))


def fft_filter(x, lo=None, hi=None, order=2.0):
    """Smooth band filter in the frequency domain: high-pass at lo, low-pass at hi (Hz)."""
    n = len(x)
    if n == 0:
        return x
    size = 1 << (n - 1).bit_length()
    spec = np.fft.rfft(x, size)
    f = np.fft.rfftfreq(size, 1 / RATE)
    g = np.ones_like(f)
    if hi:
        g /= np.sqrt(1 + (f / hi) ** (2 * order))
    if lo:
        g *= 1 / np.sqrt(1 + (lo / np.maximum(f, 1e-3)) ** (2 * order))
    return np.fft.irfft(spec * g, size)[:n]


def sweep_filter(x, f0, f1, q=4.0, steps=24):
    """A band-pass whose centre glides from f0 to f1 (done in overlapping blocks)."""
    n = len(x)
    out = np.zeros(n)
    block = max(n // steps, 256)
    win = np.hanning(2 * block)
    for i in range(0, n, block):
        a, b = max(i - block // 2, 0), min(i + block + block // 2, n)
        seg = x[a:b]
        c = f0 * (f1 / f0) ** (i / max(n, 1))
        y = fft_filter(seg, c / (1 + 1 / q), c * (1 + 1 / q))
        w = np.hanning(len(seg))
        out[a:b] += y * w
    return out / 0.75


def reverb(x, time=1.2, mix=0.25, seed=7, predelay=0.02, tail=True):
    """Convolution with decaying noise; returns the signal with its tail appended when asked."""
    n_ir = int(time * RATE)
    r = rng(seed)
    t = np.arange(n_ir) / RATE
    ir = r.standard_normal(n_ir) * np.exp(-t * 6.9 / time)
    ir = fft_filter(ir, 200, 6000)
    ir[: int(predelay * RATE)] = 0
    ir /= np.sqrt(np.sum(ir ** 2)) + 1e-9
    total = len(x) + n_ir
    size = 1 << (total - 1).bit_length()
    wet = np.fft.irfft(np.fft.rfft(x, size) * np.fft.rfft(ir, size), size)[:total]
    dry = np.concatenate([x, np.zeros(n_ir)])
    out = dry * (1 - mix) + wet * mix * 2.0
    return out if tail else out[: len(x)]


def place(buf, x, at):
    """Adds x into buf from sample index at, clipped to buf."""
    at = int(at)
    if at >= len(buf):
        return
    end = min(len(buf), at + len(x))
    if at < 0:
        x = x[-at:]
        at = 0
        end = min(len(buf), len(x))
    buf[at:end] += x[: end - at]


def fade(x, fin=0.003, fout=0.01):
    x = x.copy()
    a, b = min(int(fin * RATE), len(x)), min(int(fout * RATE), len(x))
    if a:
        x[:a] *= np.linspace(0, 1, a)
    if b:
        x[-b:] *= np.linspace(1, 0, b)
    return x


def normalize(x, peak=0.89):
    m = np.max(np.abs(x)) if len(x) else 0
    return x * (peak / m) if m > 0 else x


def serial_for(path):
    return int(hashlib.sha256(os.path.basename(path).encode()).hexdigest()[:7], 16)


def write_wav(path, x):
    """16-bit WAV of a mono (n,) or stereo (n, 2) signal in -1..1."""
    data = np.clip(x, -1, 1)
    ch = 1 if data.ndim == 1 else data.shape[1]
    pcm = (data * 32767).astype("<i2")
    with wave.open(path, "wb") as w:
        w.setnchannels(ch)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(pcm.tobytes())


def encode_ogg(wav, dest, quality=4):
    """Ogg Vorbis with a serial number fixed by the file name, so output is reproducible."""
    subprocess.run(["oggenc", "-Q", "-q", str(quality), "-s", str(serial_for(dest)), "-o", dest, wav], check=True)


def write_ogg(dest, x, quality=4):
    with tempfile.TemporaryDirectory(prefix="vsm-snd-") as d:
        wav = os.path.join(d, "x.wav")
        write_wav(wav, x)
        encode_ogg(wav, dest, quality)
