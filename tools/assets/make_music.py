#!/usr/bin/env python3
"""Turns KipKip's score (tools/assets/music/bgm.score) into a standard MIDI file.

    python3 tools/assets/make_music.py                 writes assets/midi/bgm.mid
    python3 tools/assets/make_music.py -o OUT.mid      writes elsewhere
    python3 tools/assets/make_music.py --passes 2 -o /tmp/bgm2.mid
        writes the introduction and then the loop N times one after the other, without
        cue points: a throwaway file for listening to the seam with an ordinary player.

The file is format 1. The first track is the conductor: its name, the time signature, the tempo, a
cue point "repeat" where the loop begins (after the introduction) and a cue point "end"
where it ends, then end of track. Every further track is one part of the score: its name,
program change, controllers (volume, pan, expression, reverb, chorus), its notes, end of
track. The game's sequencer plays the introduction once and then jumps from "end" back to
"repeat" for ever, so the score must obey two rules that this program checks:

- Nothing may sound across "end", and no event may fall shortly before it. The sequencer
  handles tracks in order in 10 ms steps, and the conductor comes first: when it meets
  "end" the other tracks have not yet played that step, so their events in the last few
  ticks before the cue would be skipped on every pass, and a skipped note-off hangs. The
  guard is 40 ticks (about 30 ms at 165 per minute; one step is 13 or 14 ticks).
- For the same reason, the other tracks' positions are saved when the conductor meets
  "repeat", before they play that step: their events shortly before the cue would be
  played again at every loop. Nothing may happen in the 40 ticks before "repeat" except
  exactly on it. Programs and controllers are set at tick 0 and stay set, so the loop needs
  none.

Note-offs are written as note-ons with velocity 0 and running status is used, which keeps
the file small; note-offs come before note-ons at the same tick so a repeated key is
released before it is struck again.

Score format (one statement a line; '#' starts a comment):

    song division=480 tempo=363636 time=4/4 intro=1 loop=16 name=...
    chord NAME  pitch pitch ...          a named chord, used as {NAME}
    track NAME key=value ...             starts a part; keys: channel (1..16), program
                                         (0..127, General MIDI numbering from 0), volume,
                                         pan, expression, reverb, chorus, velocity (default
                                         for notes), gate (fraction of a note's length that
                                         sounds), transpose (semitones), drumlen (ticks a
                                         drum hit lasts), accents (two numbers added to
                                         the velocity of notes on beats 1 and 3 and of
                                         notes off the beat: "6,-8" gives a lilt)
    grid NAME                            drum pattern, up to the line "end": each line is
      INSTRUMENT  steps                  an instrument (kick, snare, chh, ohh, crash, ...)
    end                                  and one character per step ('.' rest, 'x' hit,
                                         'X' accent, 'o' soft, '1'..'9' a velocity scale);
                                         the steps fill one bar evenly
    BAR | tokens                         the bar's contents (bar 0 is the first bar)
    BAR-BAR | tokens                     the same contents in each bar of the range
    BAR = BAR   or   BAR-BAR = BAR-BAR   copies earlier bars of the same track
    BAR-BAR = TRACK BAR-BAR              copies bars of an earlier track

Tokens: a pitch (c4 is middle C = 60; '#' and 'b' for sharps and flats: f#4, bb3), 'r'
for a rest, {NAME} for a chord, <pitch pitch ...> for an ad-hoc chord, @NAME for a drum
grid (occupies no time of its own; several may overlay one bar, and a bar of grids alone
counts as full). A length follows a colon:
1 2 4 8 16 32, then '.' for dotted or 't' for a triplet; without a length the previous one
of the track is used. Then any of: '~' tie into the next token (same pitches), '!' accent,
'?' soft, "'" staccato (half the gate), '_' full length, '/N' velocity N. Each bar's
lengths must add up to exactly one bar.
"""

import argparse
import os
import re
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
DEFAULT_SCORE = os.path.join(HERE, "music", "bgm.score")
DEFAULT_OUT = os.path.join(ROOT, "assets", "midi", "bgm.mid")

GUARD = 40  # ticks kept free before the cue points (see the module text)

DRUMS = {
    "kick": 36, "kick2": 35, "rim": 37, "snare": 38, "clap": 39, "snare2": 40,
    "tomlo": 45, "tomfloor": 41, "tommid": 47, "tomhi": 50, "tomhi2": 48,
    "chh": 42, "phh": 44, "ohh": 46, "crash": 49, "crash2": 57, "ride": 51,
    "ridebell": 53, "splash": 55, "tamb": 54, "cowbell": 56, "shaker": 70,
}

NOTE_BASE = {"c": 0, "d": 2, "e": 4, "f": 5, "g": 7, "a": 9, "b": 11}
PITCH_RE = re.compile(r"^([a-g])(#{1,2}|b{1,2})?(-?\d)$")
TOKEN_RE = re.compile(
    r"^(?P<head>r|\{[^}]+\}|<[^>]*>|[a-g](?:#{1,2}|b{1,2})?-?\d)"
    r"(?::(?P<len>1|2|4|8|16|32)(?P<kind>[.t])?)?"
    r"(?P<mods>[~!?'_]*)(?:/(?P<vel>\d+))?(?P<mods2>[~!?'_]*)$")


class ScoreError(Exception):
    pass


def parse_pitch(text, where):
    m = PITCH_RE.match(text)
    if not m:
        raise ScoreError(f"{where}: not a pitch: {text!r}")
    letter, acc, octave = m.group(1), m.group(2) or "", int(m.group(3))
    value = NOTE_BASE[letter] + acc.count("#") - acc.count("b") + 12 * (octave + 1)
    if not 0 <= value <= 127:
        raise ScoreError(f"{where}: pitch out of range: {text!r}")
    return value


def parse_keyvals(words, where):
    out = {}
    for w in words:
        if "=" not in w:
            raise ScoreError(f"{where}: expected key=value, got {w!r}")
        k, v = w.split("=", 1)
        out[k] = v
    return out


def parse_bars(text, where):
    m = re.match(r"^(\d+)(?:-(\d+))?$", text.strip())
    if not m:
        raise ScoreError(f"{where}: bad bar number {text!r}")
    a = int(m.group(1))
    b = int(m.group(2)) if m.group(2) else a
    if b < a:
        raise ScoreError(f"{where}: bar range runs backwards")
    return list(range(a, b + 1))


class Track:
    def __init__(self, name, opts, where):
        self.name = name
        self.where = where
        known = {"channel", "program", "volume", "pan", "expression", "reverb", "chorus",
                 "velocity", "gate", "transpose", "drumlen", "accents"}
        for k in opts:
            if k not in known:
                raise ScoreError(f"{where}: unknown track key {k!r}")
        self.channel = int(opts.get("channel", 1))
        if not 1 <= self.channel <= 16:
            raise ScoreError(f"{where}: channel must be 1..16")
        self.program = int(opts.get("program", 0))
        self.volume = int(opts.get("volume", 100))
        self.pan = int(opts.get("pan", 64))
        self.expression = int(opts.get("expression", 127))
        self.reverb = int(opts.get("reverb", 40))
        self.chorus = int(opts.get("chorus", 0))
        self.velocity = int(opts.get("velocity", 90))
        self.gate = float(opts.get("gate", 0.9))
        self.transpose = int(opts.get("transpose", 0))
        self.drumlen = int(opts.get("drumlen", 60))
        strong, weak = opts.get("accents", "0,0").split(",")
        self.accents = (int(strong), int(weak))
        for label, v in (("program", self.program), ("volume", self.volume), ("pan", self.pan),
                         ("expression", self.expression), ("reverb", self.reverb),
                         ("chorus", self.chorus), ("velocity", self.velocity)):
            if not 0 <= v <= 127:
                raise ScoreError(f"{where}: {label} must be 0..127")
        self.grids = {}
        self.bars = {}  # bar number -> (tokens, where)


def parse_score(path):
    song = None
    chords = {}
    tracks = []
    grid = None  # (track, name, rows) while inside a grid block
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    for number, raw in enumerate(lines, 1):
        where = f"{os.path.basename(path)}:{number}"
        # '#' also marks sharps: only a '#' at the start or after whitespace is a comment
        line = re.split(r"(?:^|\s)#", raw, maxsplit=1)[0].rstrip()
        if not line.strip():
            continue
        words = line.split()
        if grid is not None:
            if words == ["end"]:
                track, name, rows = grid
                track.grids[name] = rows
                grid = None
                continue
            instrument = words[0]
            if instrument not in DRUMS:
                raise ScoreError(f"{where}: unknown drum {instrument!r}")
            steps = "".join(words[1:])
            if not re.match(r"^[.xXo1-9]+$", steps):
                raise ScoreError(f"{where}: bad step characters in {steps!r}")
            grid[2].append((DRUMS[instrument], steps, where))
            continue
        if words[0] == "song":
            song = parse_keyvals(words[1:], where)
            song["where"] = where
        elif words[0] == "chord":
            if len(words) < 3:
                raise ScoreError(f"{where}: chord needs a name and pitches")
            chords[words[1]] = [parse_pitch(p, where) for p in words[2:]]
        elif words[0] == "track":
            m = re.match(r'^track\s+("([^"]*)"|(\S+))\s*(.*)$', line.strip())
            name = m.group(2) if m.group(2) is not None else m.group(3)
            tracks.append(Track(name, parse_keyvals(m.group(4).split(), where), where))
        elif words[0] == "grid":
            if not tracks or len(words) != 2:
                raise ScoreError(f"{where}: 'grid NAME' belongs inside a track")
            grid = (tracks[-1], words[1], [])
        elif "|" in line:
            if not tracks:
                raise ScoreError(f"{where}: bar before any track")
            left, right = line.split("|", 1)
            tokens = re.findall(r"<[^>]*>\S*|\S+", right)
            for b in parse_bars(left, where):
                if b in tracks[-1].bars:
                    raise ScoreError(f"{where}: bar {b} given twice")
                tracks[-1].bars[b] = (tokens, where)
        elif "=" in line:
            if not tracks:
                raise ScoreError(f"{where}: bar before any track")
            left, right = line.split("=", 1)
            source = tracks[-1]
            parts = right.split()
            if len(parts) == 2:  # "BARS = TRACK BARS": borrow another part's bars
                named = [t for t in tracks if t.name == parts[0]]
                if not named:
                    raise ScoreError(f"{where}: no track {parts[0]!r} before this one")
                source, right = named[0], parts[1]
            dest, src = parse_bars(left, where), parse_bars(right, where)
            if len(dest) != len(src):
                raise ScoreError(f"{where}: ranges differ in length")
            for d, s in zip(dest, src):
                if s not in source.bars:
                    raise ScoreError(f"{where}: bar {s} not written yet")
                if d in tracks[-1].bars:
                    raise ScoreError(f"{where}: bar {d} given twice")
                tracks[-1].bars[d] = source.bars[s]
        else:
            raise ScoreError(f"{where}: cannot read {line.strip()!r}")
    if grid is not None:
        raise ScoreError(f"{path}: grid {grid[1]!r} has no 'end'")
    if song is None:
        raise ScoreError(f"{path}: no 'song' line")
    return song, chords, tracks


def length_ticks(code, kind, division):
    whole = 4 * division
    ticks = whole // int(code)
    if kind == ".":
        ticks = ticks * 3 // 2
    elif kind == "t":
        ticks = ticks * 2 // 3
    return ticks


def render_track(track, chords, song, bar_ticks, bar_order):
    """Returns a list of notes (start, end, key, velocity) for the bars in bar_order, given
    as (bar number in the score, tick where it is placed)."""
    division = int(song["division"])
    notes = []
    last_len = division
    pending = None  # tie: {key: (start, velocity)} waiting for the next token
    for bar, origin in bar_order:
        if bar not in track.bars:
            raise ScoreError(f"{track.where}: track {track.name!r} has no bar {bar}")
        tokens, where = track.bars[bar]
        pos = 0
        for tok in tokens:
            if tok.startswith("@"):
                name = tok[1:]
                if name not in track.grids:
                    raise ScoreError(f"{where}: no grid {name!r} in track {track.name!r}")
                for key, steps, gwhere in track.grids[name]:
                    step = bar_ticks // len(steps)
                    if step * len(steps) != bar_ticks:
                        raise ScoreError(f"{gwhere}: {len(steps)} steps do not divide a bar")
                    for i, c in enumerate(steps):
                        if c == ".":
                            continue
                        if c == "x":
                            vel = track.velocity
                        elif c == "X":
                            vel = track.velocity + 20
                        elif c == "o":
                            vel = track.velocity - 30
                        else:
                            vel = round(int(c) * 127 / 9)
                        vel = max(1, min(127, vel))
                        start = origin + i * step
                        notes.append((start, start + track.drumlen, key, vel))
                continue
            m = TOKEN_RE.match(tok)
            if not m:
                raise ScoreError(f"{where}: cannot read token {tok!r}")
            head = m.group("head")
            if m.group("len"):
                last_len = length_ticks(m.group("len"), m.group("kind"), division)
            ticks = last_len
            mods = (m.group("mods") or "") + (m.group("mods2") or "")
            if head == "r":
                keys = []
            elif head.startswith("{"):
                name = head[1:-1]
                if name not in chords:
                    raise ScoreError(f"{where}: no chord {name!r}")
                keys = list(chords[name])
            elif head.startswith("<"):
                keys = [parse_pitch(p, where) for p in head[1:-1].split()]
            else:
                keys = [parse_pitch(head, where)]
            keys = [k + track.transpose for k in keys]
            vel = track.velocity
            if m.group("vel"):
                vel = int(m.group("vel"))
            vel += 16 * mods.count("!") - 20 * mods.count("?")
            if pos % (2 * division) == 0:
                vel += track.accents[0]
            elif pos % division:
                vel += track.accents[1]
            vel = max(1, min(127, vel))
            gate = track.gate
            if "'" in mods:
                gate = track.gate / 2
            if "_" in mods:
                gate = 1.0
            start = origin + pos
            tied_from = {}
            if pending is not None:
                if sorted(pending) != sorted(keys):
                    raise ScoreError(f"{where}: tie into {tok!r} does not continue "
                                     "the same pitches")
                tied_from = pending
                pending = None
            if "~" in mods:
                pending = {k: tied_from.get(k, (start, vel)) for k in keys}
            else:
                for k in keys:
                    s, v = tied_from.get(k, (start, vel))
                    end = start + max(1, int(round(ticks * gate)))
                    notes.append((s, end, k, v))
            pos += ticks
        if pos == 0 and any(t.startswith("@") for t in tokens):
            pos = bar_ticks  # a bar of drum grids only
        if pos != bar_ticks:
            raise ScoreError(f"{where}: track {track.name!r} bar {bar} lasts {pos} ticks, "
                             f"not {bar_ticks}")
    if pending is not None:
        raise ScoreError(f"{track.where}: track {track.name!r} ends inside a tie")
    return notes


def vlq(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.append(0x80 | (n & 0x7F))
        n >>= 7
    return bytes(reversed(out))


def meta(kind, data):
    return bytes([0xFF, kind]) + vlq(len(data)) + data


def track_chunk(events):
    """events: list of (tick, order, bytes). Sorted by tick, then order; encoded with
    running status for channel messages."""
    events = sorted(events, key=lambda e: (e[0], e[1]))
    out = bytearray()
    now = 0
    running = None
    for tick, _, data in events:
        out += vlq(tick - now)
        now = tick
        status = data[0]
        if status < 0xF0:
            if status == running:
                out += data[1:]
            else:
                out += data
                running = status
        else:
            out += data
            running = None  # meta and system exclusive cancel running status
    return b"MTrk" + struct.pack(">I", len(out)) + bytes(out)


def build(score_path, passes=None):
    song, chords, tracks = parse_score(score_path)
    division = int(song.get("division", 480))
    tempo = int(song.get("tempo", 500000))
    num, den = (int(x) for x in song.get("time", "4/4").split("/"))
    intro = int(song.get("intro", 1))
    loop = int(song.get("loop", 16))
    bar_ticks = division * 4 * num // den
    repeat_tick = intro * bar_ticks
    end_tick = (intro + loop) * bar_ticks

    if passes is None:
        order = [(b, b * bar_ticks) for b in range(intro + loop)]
        last_tick = end_tick
    else:
        order = [(b, b * bar_ticks) for b in range(intro)]
        for p in range(passes):
            for b in range(intro, intro + loop):
                order.append((b, (b + p * loop) * bar_ticks))
        last_tick = (intro + passes * loop) * bar_ticks

    chunks = []
    conductor = [
        (0, 0, meta(0x03, song.get("name", "KipKip").encode("ascii"))),
        (0, 1, meta(0x58, bytes([num, den.bit_length() - 1, 24, 8]))),
        (0, 2, meta(0x51, tempo.to_bytes(3, "big"))),
    ]
    if passes is None:
        conductor.append((repeat_tick, 3, meta(0x07, b"repeat")))
        conductor.append((end_tick, 3, meta(0x07, b"end")))
    conductor.append((last_tick, 9, meta(0x2F, b"")))
    chunks.append(track_chunk(conductor))

    used = {}
    problems = []
    summary = []
    for track in tracks:
        ch = track.channel - 1
        if ch in used:
            raise ScoreError(f"{track.where}: channel {track.channel} already used by {used[ch]!r}")
        used[ch] = track.name
        notes = render_track(track, chords, song, bar_ticks, order)
        events = [
            (0, 0, meta(0x03, track.name.encode("ascii"))),
            (0, 1, bytes([0xC0 | ch, track.program])),
            (0, 2, bytes([0xB0 | ch, 7, track.volume])),
            (0, 3, bytes([0xB0 | ch, 10, track.pan])),
            (0, 4, bytes([0xB0 | ch, 11, track.expression])),
            (0, 5, bytes([0xB0 | ch, 91, track.reverb])),
            (0, 6, bytes([0xB0 | ch, 93, track.chorus])),
        ]
        # one key may not be struck again while it still sounds on its channel
        by_key = {}
        for s, e, k, v in sorted(notes):
            if not 0 <= k <= 127:
                raise ScoreError(f"{track.where}: {track.name!r}: key {k} out of range")
            if k in by_key and by_key[k] > s and ch != 9:
                problems.append(f"{track.name}: key {k} struck at {s} while still sounding")
            by_key[k] = e
        # a drum hit that would outlast the next hit on the same key is cut short there
        notes.sort()
        fixed = []
        last_by_key = {}
        for s, e, k, v in notes:
            prev = last_by_key.get(k)
            if prev is not None and fixed[prev][1] > s:
                ps, pe, pk, pv = fixed[prev]
                fixed[prev] = (ps, s, pk, pv)
            last_by_key[k] = len(fixed)
            fixed.append((s, e, k, v))
        notes = fixed
        last_off = 0
        for s, e, k, v in notes:
            events.append((e, 10, bytes([0x90 | ch, k, 0])))
            events.append((s, 20, bytes([0x90 | ch, k, v])))
            last_off = max(last_off, e)
            if passes is None:
                for t in (s, e):
                    if repeat_tick - GUARD < t < repeat_tick:
                        problems.append(f"{track.name}: event at tick {t}, just before 'repeat'")
                    if end_tick - GUARD < t <= end_tick or (s < end_tick < e):
                        problems.append(f"{track.name}: note {k} at {s}..{e} reaches 'end'")
                if s < repeat_tick < e:
                    problems.append(f"{track.name}: note {k} at {s}..{e} sounds across 'repeat'")
        events.append((max(last_off, 0), 30, meta(0x2F, b"")))
        chunks.append(track_chunk(events))
        summary.append((track.name, track.channel, track.program, len(notes), last_off))

    if problems:
        raise ScoreError("loop rules broken:\n  " + "\n  ".join(problems))
    header = b"MThd" + struct.pack(">IHHH", 6, 1, len(chunks), division)
    return header + b"".join(chunks), summary, (repeat_tick, end_tick, last_tick)


def main(argv):
    ap = argparse.ArgumentParser(description="Writes KipKip's background music as a MIDI file.")
    ap.add_argument("--score", default=DEFAULT_SCORE)
    ap.add_argument("-o", "--output", default=DEFAULT_OUT)
    ap.add_argument("--passes", type=int, default=None,
                    help="write the loop this many times in a row, without cue points")
    args = ap.parse_args(argv[1:])
    try:
        data, summary, (rep, end, last) = build(args.score, args.passes)
    except ScoreError as e:
        print(f"error: {e}", file=sys.stderr)
        return 1
    os.makedirs(os.path.dirname(os.path.abspath(args.output)), exist_ok=True)
    with open(args.output, "wb") as f:
        f.write(data)
    print(f"{args.output}: {len(data)} bytes, {len(summary) + 1} tracks, "
          f"repeat {rep}, end {end}, last tick {last}")
    for name, ch, prog, count, last_off in summary:
        print(f"  {name:10s} channel {ch:2d} program {prog:3d}  {count:4d} notes, "
              f"last note-off {last_off}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
