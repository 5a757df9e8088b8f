#!/usr/bin/env python3
"""Synthesises KipKip's sound effects and the menu's two sounds into assets/wave/.

    python3 tools/assets/make_sounds.py [OUTDIR]      (default: assets/wave beside tools/)

Every file is a RIFF WAVE with exactly three chunks, in this order: "fmt " (16 bytes, PCM),
"fact" (4 bytes: the number of sample frames) and "data". The game's loader walks the chunks
and skips the fact chunk, so the layout is part of what its tests read back.

    fly.wav   the jump                  16-bit mono,   44100 Hz
    down.wav  knocked down by an enemy  16-bit mono,   44100 Hz
    star.wav  a coin taken              16-bit stereo, 22050 Hz
    menutick.wav    the menu's cursor moved   16-bit mono, 44100 Hz
    menuselect.wav  a menu item chosen        16-bit mono, 44100 Hz

Each sound is built from a few plain ingredients: phase-accumulating oscillators (so a pitch
sweep never jumps in phase), band-limited square and triangle waves made from their odd
harmonics (so nothing folds back above the Nyquist frequency and the sweep stays clean), an
amplitude envelope, and a short raised-cosine fade at both ends so the first and last samples
are zero and nothing clicks; any offset from zero is then taken out without moving those
end points. Each effect is then scaled so its loudest sample sits at
about -3 dBFS (23200), the same for all three, so they mix evenly over the music; the menu's
two sounds are scaled lower (see MENU_TICK_PEAK and MENU_SELECT_PEAK).

The output is deterministic: the noise comes from a seeded generator, and the same Python
gives the same bytes every time.
"""

import math
import os
import random
import struct
import sys

TAU = 2.0 * math.pi
PEAK = 23200  # about -3 dBFS of 32767
# The menu's sounds sit well under the effects: they come with every key pressed in the menu.
MENU_TICK_PEAK = 6500  # about -14 dBFS
MENU_SELECT_PEAK = 13000  # about -8 dBFS

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.normpath(os.path.join(HERE, "..", "..", "assets", "wave"))


# --- building blocks -------------------------------------------------------------------

def frames(rate, seconds):
    return int(round(rate * seconds))


def band_limited(phase, freq, rate, kind, ceiling=None):
    """One sample of a square or triangle wave at `phase` (radians), built from its odd
    harmonics. Harmonics fade out smoothly between 60 % and 100 % of `ceiling` (default:
    0.45 of the sample rate) instead of being cut at a hard limit: during a pitch sweep a
    harmonic that crossed a hard limit would vanish in one sample and click."""
    limit = ceiling or 0.45 * rate
    knee = 0.6 * limit
    total = 0.0
    k = 1
    while k * freq < limit:
        hf = k * freq
        weight = 1.0 if hf <= knee else 0.5 + 0.5 * math.cos(math.pi * (hf - knee) / (limit - knee))
        if kind == "square":
            total += weight * math.sin(k * phase) / k
        else:  # triangle: alternating signs, 1/k^2 roll-off
            sign = 1.0 if (k // 2) % 2 == 0 else -1.0
            total += weight * sign * math.sin(k * phase) / (k * k)
        k += 2
    if kind == "square":
        return total * 4.0 / math.pi
    return total * 8.0 / (math.pi * math.pi)


def edge_fades(samples, rate, fade_in_ms, fade_out_ms):
    """Raised-cosine fade-in and fade-out, in place: the ends become exactly zero."""
    n = len(samples)
    a = max(1, frames(rate, fade_in_ms / 1000.0))
    b = max(1, frames(rate, fade_out_ms / 1000.0))
    for i in range(min(a, n)):
        samples[i] *= 0.5 - 0.5 * math.cos(math.pi * i / a)
    for i in range(min(b, n)):
        samples[n - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / b)
    return samples


def remove_dc(samples):
    mean = sum(samples) / len(samples)
    return [s - mean for s in samples]


def remove_dc_keeping_ends(samples, rate, fade_ms=20):
    """Takes out what offset is left after the fades without moving the zero end points:
    the correction itself is faded in and out at both ends."""
    n = len(samples)
    k = max(1, frames(rate, fade_ms / 1000.0))
    shape = [min(1.0, i / k, (n - 1 - i) / k) for i in range(n)]
    c = sum(samples) / sum(shape)
    return [s - c * w for s, w in zip(samples, shape)]


def normalise(channels, peak=PEAK):
    """Scales all channels together so the loudest sample is `peak`; returns ints."""
    top = max(abs(s) for ch in channels for s in ch) or 1.0
    gain = peak / top
    return [[int(round(s * gain)) for s in ch] for ch in channels]


def write_wave(path, rate, channels):
    """Writes 16-bit PCM with fmt (16 bytes), fact (4 bytes) and data chunks."""
    count = len(channels[0])
    if any(len(ch) != count for ch in channels):
        raise ValueError("channels differ in length")
    nch = len(channels)
    block = 2 * nch
    interleaved = [ch[i] for i in range(count) for ch in channels]
    data = struct.pack("<%dh" % len(interleaved), *interleaved)
    fmt = struct.pack("<HHIIHH", 1, nch, rate, rate * block, block, 16)
    fact = struct.pack("<I", count)
    body = (b"WAVE"
            + b"fmt " + struct.pack("<I", len(fmt)) + fmt
            + b"fact" + struct.pack("<I", len(fact)) + fact
            + b"data" + struct.pack("<I", len(data)) + data)
    if len(data) % 2:  # never true for 16-bit samples; keeps the RIFF walk aligned anyway
        raise ValueError("odd data size")
    os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(body)) + body)
    return count


# --- the sounds ------------------------------------------------------------------------

def make_fly(rate=44100):
    """Jump: a quick upward sweep, springy and light.

    - Pitch: from 330 Hz up to 990 Hz (an octave and a fifth) along 1 - e^(-t/40 ms), so
      most of the rise happens in the first 100 ms and the top settles rather than stops.
    - Voice: a band-limited square (harmonics fading out towards 12 kHz: bright but not
      fizzy) mixed half-and-half with a triangle one octave below for body, plus a
      gentle 14 Hz vibrato of +-1.5 % that starts once the sweep has arrived.
    - Envelope: 3 ms fade in, full level to 60 ms, then an exponential decay (time
      constant 55 ms) and a 12 ms fade out at 220 ms.
    """
    length = 0.22
    n = frames(rate, length)
    out = []
    phase = 0.0
    sub = 0.0
    for i in range(n):
        t = i / rate
        rise = 1.0 - math.exp(-t / 0.040)
        freq = 330.0 * (3.0 ** rise)
        vib_depth = 0.015 * min(1.0, max(0.0, (t - 0.08) / 0.04))
        freq *= 1.0 + vib_depth * math.sin(TAU * 14.0 * t)
        phase += TAU * freq / rate
        sub += TAU * (freq / 2.0) / rate
        v = 0.5 * band_limited(phase, freq, rate, "square", 12000.0)
        v += 0.5 * band_limited(sub, freq / 2.0, rate, "triangle")
        env = 1.0 if t < 0.06 else math.exp(-(t - 0.06) / 0.055)
        out.append(v * env)
    out = remove_dc_keeping_ends(edge_fades(remove_dc(out), rate, 3, 12), rate)
    return normalise([out])


def make_down(rate=44100, seed=7):
    """Knocked down: a "bonk" followed by a falling, wobbling whistle.

    - Bonk (0 to 70 ms): a sine that drops from 220 Hz to 90 Hz in 40 ms (the thump) plus a
      burst of noise through a one-pole low-pass (about 2.5 kHz) decaying with a 12 ms
      time constant (the hit).
    - Fall (20 ms to 420 ms): a triangle whose pitch slides from 880 Hz down to 180 Hz
      (exponential glide), wobbled by a 11 Hz vibrato of +-7 % that deepens as it
      falls -- the dizzy "woo-woo-woo" of being knocked off a floor.
    - Envelope of the fall: 10 ms attack, slow decay (time constant 260 ms), 25 ms fade out.
    """
    rnd = random.Random(seed)
    length = 0.44
    n = frames(rate, length)
    out = []
    thump_phase = 0.0
    fall_phase = 0.0
    lp = 0.0
    lp_coef = 1.0 - math.exp(-TAU * 2500.0 / rate)
    for i in range(n):
        t = i / rate
        # thump
        tf = 90.0 + 130.0 * math.exp(-t / 0.015)
        thump_phase += TAU * tf / rate
        thump = math.sin(thump_phase) * math.exp(-t / 0.030)
        # hit noise
        lp += lp_coef * (rnd.uniform(-1.0, 1.0) - lp)
        noise = lp * 1.6 * math.exp(-t / 0.012)
        # falling wobble
        v = 0.0
        if t >= 0.02:
            u = t - 0.02
            glide = min(1.0, u / 0.40)
            base = 880.0 * (180.0 / 880.0) ** glide
            depth = 0.03 + 0.04 * glide
            freq = base * (1.0 + depth * math.sin(TAU * 11.0 * u))
            fall_phase += TAU * freq / rate
            attack = min(1.0, u / 0.010)
            tri = band_limited(fall_phase, freq, rate, "triangle")
            v = 0.55 * attack * math.exp(-u / 0.26) * tri
        out.append(0.9 * thump + 0.45 * noise + v)
    out = remove_dc_keeping_ends(edge_fades(remove_dc(out), rate, 2, 25), rate)
    return normalise([out])


def make_star(rate=22050):
    """Coin: the classic two-note chime, a fourth apart, with a little stereo spread.

    - Notes: B5 (987.8 Hz) for about 70 ms, then E6 (1318.5 Hz) ringing out to 0.42 s. The
      two notes are two voices that overlap by a few milliseconds: the first fades out
      over 6 ms while the second fades in over 3 ms. Switching one oscillator from one
      pitch to the other would drop harmonics in a single sample, which clicks.
    - Voice: a band-limited square (harmonics fading out towards 10 kHz, under this rate's
      11 kHz Nyquist) for the bright, bitty edge, plus a sine one octave up for a bell
      shimmer.
    - Envelope: 2 ms fade in; the first note steady; the second note decays exponentially
      (time constant 110 ms); 20 ms fade out at the end.
    - Stereo: the square is panned a little left, the shimmer a little right, and the
      shimmer in the right channel is detuned by +4 cents against the left one, which
      makes it open up gently as it rings. Both channels stay strongly correlated, so
      the sound also works when the output is mono.
    """
    length = 0.42
    n = frames(rate, length)
    f1 = 440.0 * 2.0 ** (14 / 12.0)  # B5
    f2 = 440.0 * 2.0 ** (19 / 12.0)  # E6
    detune = 2.0 ** (4 / 1200.0)
    out1_end, out1_len = 0.066, 0.006   # first note: release starts at 66 ms, lasts 6 ms
    in2_start, in2_len = 0.068, 0.003   # second note: starts at 68 ms, 3 ms attack

    def raised(x):  # 0 -> 1 along half a cosine, clamped
        x = min(1.0, max(0.0, x))
        return 0.5 - 0.5 * math.cos(math.pi * x)

    left, right = [], []
    phases = [0.0, 0.0]          # squares of note 1 and note 2
    shim = [[0.0, 0.0], [0.0, 0.0]]  # shimmer phases [note][left, right]
    for i in range(n):
        t = i / rate
        l = r = 0.0
        for v, freq in enumerate((f1, f2)):
            if v == 0:
                env = 0.85 * (1.0 - raised((t - out1_end) / out1_len))
            else:
                if t < in2_start:
                    continue
                u = t - in2_start
                env = raised(u / in2_len) * math.exp(-u / 0.110)
            if env <= 0.0:
                continue
            phases[v] += TAU * freq / rate
            shim[v][0] += TAU * 2.0 * freq / rate
            shim[v][1] += TAU * 2.0 * freq * detune / rate
            sq = band_limited(phases[v], freq, rate, "square", 10000.0)
            l += env * (0.56 * sq + 0.22 * math.sin(shim[v][0]))
            r += env * (0.48 * sq + 0.32 * math.sin(shim[v][1]))
        left.append(l)
        right.append(r)
    left = remove_dc_keeping_ends(edge_fades(remove_dc(left), rate, 2, 20), rate)
    right = remove_dc_keeping_ends(edge_fades(remove_dc(right), rate, 2, 20), rate)
    return normalise([left, right])


def make_tick(rate=44100):
    """Menu cursor moved: a soft, short tick, felt more than heard.

    - Voice: a sine at 1760 Hz (A6) with a little second harmonic for a wooden edge, its
      pitch falling 15 % over the sound so it lands rather than rings.
    - Envelope: 1 ms fade in, exponential decay (time constant 9 ms), 6 ms fade out at 45 ms.
    - Level: peak about -14 dBFS (6500), well under the effects, since it comes with every
      press of a direction in the menu.
    """
    length = 0.045
    n = frames(rate, length)
    out = []
    phase = 0.0
    for i in range(n):
        t = i / rate
        freq = 1760.0 * (1.0 - 0.15 * t / length)
        phase += TAU * freq / rate
        v = math.sin(phase) + 0.25 * math.sin(2.0 * phase)
        out.append(v * math.exp(-t / 0.009))
    out = remove_dc_keeping_ends(edge_fades(remove_dc(out), rate, 1, 6), rate, 5)
    return normalise([out], MENU_TICK_PEAK)


def make_select(rate=44100):
    """Menu item chosen: a bright two-step blip, an upward fifth.

    - Notes: E6 (1318.5 Hz) for 40 ms, then B6 (1975.5 Hz) ringing out to 0.14 s, as two
      overlapping voices (the first fades out over 5 ms while the second fades in over 3 ms)
      so no harmonic drops in a single sample.
    - Voice: a band-limited square (harmonics fading out towards 9 kHz) softened by half a
      triangle at the same pitch.
    - Envelope: 2 ms fade in; the second note decays with a 40 ms time constant; 15 ms fade
      out at the end.
    - Level: peak about -8 dBFS (13000): clearly above the tick, still under the effects.
    """
    length = 0.14
    n = frames(rate, length)
    f1 = 440.0 * 2.0 ** (19 / 12.0)  # E6
    f2 = 440.0 * 2.0 ** (26 / 12.0)  # B6
    out1_end, out1_len = 0.038, 0.005
    in2_start, in2_len = 0.040, 0.003

    def raised(x):
        x = min(1.0, max(0.0, x))
        return 0.5 - 0.5 * math.cos(math.pi * x)

    out = []
    phases = [0.0, 0.0]
    for i in range(n):
        t = i / rate
        v = 0.0
        for voice, freq in enumerate((f1, f2)):
            if voice == 0:
                env = 0.8 * (1.0 - raised((t - out1_end) / out1_len))
            elif t < in2_start:
                continue
            else:
                u = t - in2_start
                env = raised(u / in2_len) * math.exp(-u / 0.040)
            if env <= 0.0:
                continue
            phases[voice] += TAU * freq / rate
            v += env * (0.6 * band_limited(phases[voice], freq, rate, "square", 9000.0)
                        + 0.5 * band_limited(phases[voice], freq, rate, "triangle", 9000.0))
        out.append(v)
    out = remove_dc_keeping_ends(edge_fades(remove_dc(out), rate, 2, 15), rate, 10)
    return normalise([out], MENU_SELECT_PEAK)


SOUNDS = [
    ("fly.wav", 44100, make_fly),
    ("down.wav", 44100, make_down),
    ("star.wav", 22050, make_star),
    ("menutick.wav", 44100, make_tick),
    ("menuselect.wav", 44100, make_select),
]


def main(argv):
    out_dir = argv[1] if len(argv) > 1 else DEFAULT_OUT
    for name, rate, make in SOUNDS:
        channels = make(rate)
        path = os.path.join(out_dir, name)
        count = write_wave(path, rate, channels)
        peak = max(abs(s) for ch in channels for s in ch)
        print(f"{path}: {len(channels)} ch, {rate} Hz, {count} frames "
              f"({count / rate:.3f} s), peak {peak}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
