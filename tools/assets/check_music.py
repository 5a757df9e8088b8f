#!/usr/bin/env python3
"""Reads a standard MIDI file and prints what matters to KipKip's music player.

    python3 tools/assets/check_music.py [FILE.mid] [--simulate SECONDS] [--guard TICKS]

Prints the format, the number of tracks, the division, tempo and time signature events,
the cue points with their ticks, and per track its name, channels, programs, note count,
key range, last note-off and end of track. It then checks the loop: no note may sound
across the "end" cue, and no event of a track other than the first may fall within the
guard (default 40 ticks) before "end" or before "repeat" (except exactly on it) -- the
player handles the first track first in each 10 ms step, so such events would be lost at
the jump or played again at every loop.

With --simulate, it also plays the file the way the game's player does -- 10 ms steps,
whole-number tempo arithmetic, tracks in order, the cue points "repeat" and "end" with
looping on -- for that many seconds of play, and reports each jump with the notes still
sounding at that moment (there should be none) and the number of events sent per loop.

Exit status: 0 when the checks pass, 1 when one fails or the file cannot be read.
Standard library only.
"""

import argparse
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_FILE = os.path.normpath(os.path.join(HERE, "..", "..", "assets", "midi", "bgm.mid"))


class MidiError(Exception):
    pass


def read_vlq(data, pos):
    value = 0
    while True:
        if pos >= len(data):
            raise MidiError("variable-length number runs past the end of its track")
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, pos


def read_smf(image):
    if image[:4] != b"MThd" or len(image) < 14:
        raise MidiError("no MThd header")
    hlen, fmt, ntracks, division = struct.unpack(">IHHH", image[4:14])
    pos = 8 + hlen
    tracks = []
    for i in range(ntracks):
        if image[pos:pos + 4] != b"MTrk":
            raise MidiError(f"track {i}: no MTrk chunk at byte {pos}")
        (length,) = struct.unpack(">I", image[pos + 4:pos + 8])
        body = image[pos + 8:pos + 8 + length]
        if len(body) != length:
            raise MidiError(f"track {i}: length {length} runs past the end of the file")
        tracks.append(body)
        pos += 8 + length
    if pos != len(image):
        raise MidiError(f"{len(image) - pos} bytes after the last track")
    return fmt, division, tracks


def parse_track(body):
    """Yields (tick, kind, payload) with kind 'meta' (type, data), 'sysex' (data) or
    'channel' (status, data bytes), resolving running status."""
    events = []
    pos = 0
    tick = 0
    running = None
    ended = False
    while pos < len(body):
        delta, pos = read_vlq(body, pos)
        tick += delta
        status = body[pos]
        if status == 0xFF:
            kind = body[pos + 1]
            length, pos = read_vlq(body, pos + 2)
            events.append((tick, "meta", (kind, bytes(body[pos:pos + length]))))
            pos += length
            if kind == 0x2F:
                ended = True
                if pos != len(body):
                    raise MidiError("bytes after end of track")
            continue
        if status in (0xF0, 0xF7):
            length, pos = read_vlq(body, pos + 1)
            events.append((tick, "sysex", bytes(body[pos:pos + length])))
            pos += length
            continue
        if status & 0x80:
            running = status
            pos += 1
        elif running is None:
            raise MidiError(f"data byte without running status at tick {tick}")
        size = 1 if running & 0xF0 in (0xC0, 0xD0) else 2
        events.append((tick, "channel", (running, bytes(body[pos:pos + size]))))
        pos += size
    if not ended:
        raise MidiError("track has no end-of-track event")
    return events


def describe(path, guard):
    image = open(path, "rb").read()
    fmt, division, bodies = read_smf(image)
    tracks = [parse_track(b) for b in bodies]
    print(f"file      {path} ({len(image)} bytes)")
    print(f"format    {fmt}")
    print(f"tracks    {len(tracks)}")
    print(f"division  {division} ticks per quarter note")
    tempo = None
    cues = []
    for ti, events in enumerate(tracks):
        for tick, kind, payload in events:
            if kind != "meta":
                continue
            mtype, data = payload
            if mtype == 0x51:
                usec = int.from_bytes(data, "big")
                tempo = tempo or usec
                print(f"tempo     {usec} us per quarter note ({60e6 / usec:.3f} per minute) "
                      f"at tick {tick}, track {ti}")
            elif mtype == 0x58:
                print(f"time sig  {data[0]}/{2 ** data[1]} at tick {tick}, track {ti}")
            elif mtype == 0x07:
                text = data.decode("latin-1")
                cues.append((text, tick, ti))
                print(f"cue point \"{text}\" at tick {tick}, track {ti}")
    problems = []
    rep = next((t for text, t, _ in cues if text.startswith("repeat")), None)
    end = next((t for text, t, _ in cues if text.startswith("end")), None)
    usec = tempo or 500000
    if rep is not None and end is not None:
        loop = end - rep
        print(f"loop      ticks {rep}..{end}: {loop} ticks = {loop / division / 4:g} bars of 4/4 "
              f"= {loop / division * usec / 1e6:.3f} s; "
              f"introduction {rep / division * usec / 1e6:.3f} s")
    for ti, events in enumerate(tracks):
        name = ""
        channels, programs = set(), set()
        notes = 0
        keys = []
        sounding = {}
        last_off = None
        eot = None
        sysex = 0
        for tick, kind, payload in events:
            if kind == "meta":
                mtype, data = payload
                if mtype == 0x03 and not name:
                    name = data.decode("latin-1")
                if mtype == 0x2F:
                    eot = tick
                continue
            if kind == "sysex":
                sysex += 1
                continue
            status, data = payload
            ch = status & 0x0F
            hi = status & 0xF0
            channels.add(ch + 1)
            if hi == 0xC0:
                programs.add(data[0])
            if hi == 0x90 and data[1] > 0:
                notes += 1
                keys.append(data[0])
                if (ch, data[0]) in sounding:
                    problems.append(f"track {ti}: key {data[0]} struck again at {tick} "
                                    "while sounding")
                sounding[(ch, data[0])] = tick
            elif hi in (0x80, 0x90):
                start = sounding.pop((ch, data[0]), None)
                last_off = tick
                if end is not None and start is not None and start < end < tick:
                    problems.append(f"track {ti}: key {data[0]} sounds across 'end' "
                                    f"({start}..{tick})")
            if ti > 0 and hi in (0x80, 0x90):
                if end is not None and end - guard < tick <= end:
                    problems.append(f"track {ti}: note event at tick {tick}, "
                                    f"within {guard} ticks before 'end'")
                if rep is not None and rep - guard < tick < rep:
                    problems.append(f"track {ti}: note event at tick {tick}, "
                                    f"within {guard} ticks before 'repeat'")
        if sounding:
            problems.append(f"track {ti}: {len(sounding)} notes never released")
        line = f"track {ti:<2d}  \"{name}\""
        if channels:
            line += f" channel {','.join(map(str, sorted(channels)))}"
        if programs:
            line += f" program {','.join(map(str, sorted(programs)))}"
        if notes:
            line += f", {notes} notes, keys {min(keys)}..{max(keys)}, last note-off at {last_off}"
        if sysex:
            line += f", {sysex} system exclusive"
        line += f", end of track at {eot}"
        print(line)
    if rep is None or end is None:
        print("loop      no 'repeat'/'end' cue pair: "
              "the player restarts the song when all tracks end")
    return image, problems


def simulate(image, seconds):
    """The game's player, step by step: returns the problems found."""
    fmt, division, bodies = read_smf(image)
    state = [dict(pos=0, ended=False, ticks=0, lpos=0, lticks=0, run=0) for _ in bodies]
    tempo = 120
    remainder = 0
    sounding = {}
    sent = 0
    jumps = []
    problems = []

    for step in range(int(seconds * 100)):
        mpq = 60000 // tempo
        remainder += division * 10
        ticks, remainder = divmod(remainder, mpq)
        if ticks <= 0:
            continue
        for ti, body in enumerate(bodies):
            tr = state[ti]
            if tr["ended"]:
                continue
            tr["ticks"] += ticks
            while not tr["ended"] and tr["pos"] < len(body):
                delta, after = read_vlq(body, tr["pos"])
                if delta > tr["ticks"]:
                    break
                tr["ticks"] -= delta
                pos = after
                status = body[pos]
                if status == 0xFF:
                    mtype = body[pos + 1]
                    length, dpos = read_vlq(body, pos + 2)
                    data = body[dpos:dpos + length]
                    tr["pos"] = dpos + length
                    if mtype == 0x07 and data[:6] == b"repeat":
                        for other in state:
                            other["lpos"], other["lticks"] = other["pos"], other["ticks"]
                        tr["lpos"] = dpos + length
                    elif mtype == 0x07 and data[:3] == b"end":
                        jumps.append((step * 10, dict(sounding), sent))
                        for other in state:
                            other["ended"] = False
                            other["pos"], other["ticks"] = other["lpos"], other["lticks"]
                        remainder = 0
                    elif mtype == 0x2F:
                        tr["ended"] = True
                    elif mtype == 0x51 and length == 3:
                        usec = int.from_bytes(data, "big")
                        if usec and 60000000 // usec <= 60000:
                            tempo = 60000000 // usec
                elif status == 0xF0:
                    length, dpos = read_vlq(body, pos + 1)
                    tr["pos"] = dpos + length
                    sent += 1
                else:
                    if status & 0x80:
                        tr["run"] = status
                        pos += 1
                    run = tr["run"]
                    size = 1 if run & 0xF0 in (0xC0, 0xD0) else 2
                    data = body[pos:pos + size]
                    tr["pos"] = pos + size
                    sent += 1
                    key = (run & 0x0F, data[0])
                    if run & 0xF0 == 0x90 and data[1] > 0:
                        sounding[key] = step * 10
                    elif run & 0xF0 in (0x80, 0x90):
                        sounding.pop(key, None)
                if not tr["ended"] and tr["pos"] >= len(body):
                    tr["ended"] = True
        if all(t["ended"] for t in state):
            problems.append(f"all tracks ended at {step * 10} ms: the loop did not jump")
            break

    print(f"simulate  {seconds:g} s with the game's 10 ms player, looping on")
    previous = 0
    for i, (ms, notes, count) in enumerate(jumps):
        held = ", ".join(f"ch{c + 1}:{k}" for c, k in sorted(notes)) or "none"
        print(f"  jump {i + 1} at {ms} ms, {count - previous} events since the last jump; "
              f"notes sounding: {held}")
        previous = count
        if notes:
            problems.append(f"jump {i + 1}: {len(notes)} notes still sounding")
    if not jumps:
        problems.append("no jump from 'end' to 'repeat' happened")
    return problems


def main(argv):
    ap = argparse.ArgumentParser(description="Describes and checks a MIDI file for KipKip.")
    ap.add_argument("file", nargs="?", default=DEFAULT_FILE)
    ap.add_argument("--guard", type=int, default=40, help="ticks kept free before the cues")
    ap.add_argument("--simulate", type=float, default=0.0, metavar="SECONDS")
    args = ap.parse_args(argv[1:])
    try:
        image, problems = describe(args.file, args.guard)
        if args.simulate > 0:
            problems += simulate(image, args.simulate)
    except (OSError, MidiError, IndexError) as e:
        print(f"error: {e}", file=sys.stderr)
        return 1
    if problems:
        for p in problems:
            print(f"PROBLEM   {p}")
        return 1
    print("checks    passed")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
