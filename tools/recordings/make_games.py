#!/usr/bin/env python3
"""Makes the recorded games of tests/e2e/games/ with a given build of the game.

    python3 tools/recordings/make_games.py /work/baseline/kipkip [NAME...]

Each game is played on a difficulty table of its own (floors four platforms wide, so that a
jump straight up always finds one) by a plain rhythm of jumps, and written as a recording in
the format `--record` writes. The seeds are placed in the ticks the games start, found by
replaying: a game starts only after the one before it is over, which its own seed decides. The
replay's trace is stored beside the recording, gzipped, and a comment heading the recording
says what the games reach, read off that trace.
"""

import gzip
import json
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
GAMES_DIR = ROOT / "tests" / "e2e" / "games"
# The data directory is assembled as the tests assemble it when they replay the games.
sys.path.insert(0, str(ROOT / "tests" / "e2e"))
from replaycases import level_table, make_data_dir, recording  # noqa: E402

JUMP_TICKS = 38  # a jump from one floor to the next takes 37 ticks
SOUND_COIN = "取る"
SOUND_KNOCK = "落下"


def table_rows(seconds):
    """Level rows of four platforms 5 to 6 blocks wide (so that together they cover the whole
    track); `seconds` is each level's time."""

    def row(level):
        speed = min(10 * level, 90)
        return (4, 4, 5, 6, speed, speed + 10, seconds(level))

    return row


GAMES = {
    # Three games in a row, each with its own seed; each clears a level or two before its time
    # runs out (coins add to it).
    "three_games": {
        "hiscore": 0,
        "seeds": [143, 2026, 7],
        "games": 3,
        "row": table_rows(lambda level: 40 if level == 0 else 1),
        "steer": ["none"],
    },
    # Walks to and fro between jumps: coins taken, an enemy's knock.
    "coins_and_knock": {
        "hiscore": 0,
        "seeds": [2],
        "games": 1,
        "row": table_rows(lambda level: 40 if level == 0 else 1),
        "steer": ["none", "right", "none", "left", "left", "none", "right"],
    },
    # Three levels cleared, past the high score of 120 the recording started with.
    "new_hiscore": {
        "hiscore": 120,
        "seeds": [99],
        "games": 1,
        "row": table_rows(lambda level: {0: 40, 1: 36}.get(level, 1)),
        "steer": ["none", "none", "left", "none", "none", "right"],
    },
}


def held_lines(steer, last_tick):
    """The space bar once at tick 3 and then every JUMP_TICKS, the steering between presses."""
    lines = [(1, "none"), (3, "space"), (4, "none")]
    tick = 3 + JUMP_TICKS
    i = 0
    while tick < last_tick:
        way = steer[i % len(steer)]
        lines.append((tick, "space" if way == "none" else way + "+space"))
        lines.append((tick + 1, way))
        tick += JUMP_TICKS
        i += 1
    return lines


def recording_text(game, seeds_at, last_tick, comment):
    return recording(seeds_at, held_lines(game["steer"], last_tick), last_tick, game["hiscore"],
                     comment)


def replay(program, recording, data_dir, trace):
    subprocess.run([str(program), "--headless", "--replay", str(recording), "--trace",
                    str(trace), "--dir", str(data_dir)], check=True)
    return [json.loads(line) for line in trace.read_text().splitlines()]


def events(lines):
    """What the trace shows: games started, levels cleared, games over, coins, knocks."""
    found = {"starts": [], "clears": [], "overs": [], "coins": [], "knocks": [],
             "hiscore": lines[-1].get("hiScore")}
    before = None
    for line in lines:
        if "scene" not in line:
            continue
        now = (line["scene"], line["state"])
        if now == (1, 0) and before != (1, 0):
            found["starts"].append(line["tick"] + 1)  # the game is made in the next tick
        if now == (1, 2) and before != (1, 2):
            found["clears"].append((line["tick"], line["height"]))
        if now[0] == 2 and (before or (0,))[0] != 2:
            found["overs"].append((line["tick"], line["height"]))
        found["coins"] += [line["tick"] for s in line["sounds"] if s == SOUND_COIN]
        found["knocks"] += [line["tick"] for s in line["sounds"] if s == SOUND_KNOCK]
        before = now
    return found


def describe(made_by, found, last_tick, hiscore):
    clears = ", ".join("%d (%d m)" % c for c in found["clears"])
    overs = ", ".join("%d (%d m)" % o for o in found["overs"])
    return made_by + [
        "%d ticks; games start in ticks %s." % (last_tick, ", ".join(map(str, found["starts"]))),
        "Levels cleared in ticks %s; games over in ticks %s." % (clears, overs),
        "Coins taken in ticks %s." % (", ".join(map(str, found["coins"])) or "none"),
        "Knocked down in ticks %s." % (", ".join(map(str, found["knocks"])) or "none"),
        "High score %d m at the start, %d m at the end." % (hiscore, found["hiscore"]),
    ]


def make_game(program, name, game, scratch):
    data_dir = make_data_dir(scratch / name, level_table(game["row"]))
    recording = scratch / (name + ".rec")
    trace = scratch / (name + ".jsonl")
    # Long enough for the games; then cut while the last one's game-over screen shows.
    last_tick = 20000
    seeds_at = {}
    for _ in range(game["games"] + 1):
        recording.write_text(recording_text(game, seeds_at, last_tick, []))
        found = events(replay(program, recording, data_dir, trace))
        starts = found["starts"][: game["games"]]
        seeds_at = dict(zip(starts, game["seeds"]))
    if len(found["overs"]) < game["games"]:
        sys.exit("%s: only %d games over" % (name, len(found["overs"])))
    last_tick = found["overs"][game["games"] - 1][0] + 10
    recording.write_text(recording_text(game, seeds_at, last_tick, []))
    found = events(replay(program, recording, data_dir, trace))
    made_by = ["Made by tools/recordings/make_games.py; replayed with --dir on the built-in",
               "data and files/dificulty.dat."]
    store(program, name, data_dir, lambda comment: recording_text(game, seeds_at, last_tick,
                                                                  comment),
          describe(made_by, found, last_tick, game["hiscore"]))


def store(program, name, data_dir, text, comment):
    """Writes tests/e2e/games/NAME/: the recording text(comment), its replay's trace and the
    data directory's table when it has one; the comment must not change the game."""
    out = GAMES_DIR / name
    out.mkdir(parents=True, exist_ok=True)
    (out / "game.rec").write_text(text([]))
    trace = data_dir.parent / (name + ".jsonl")
    plain = replay(program, out / "game.rec", data_dir, trace)
    (out / "game.rec").write_text(text(comment))
    if replay(program, out / "game.rec", data_dir, trace) != plain:
        sys.exit("%s: the commented recording plays differently" % name)
    table = data_dir / "files" / "dificulty.dat"
    if table.exists():
        (out / "files").mkdir(exist_ok=True)
        shutil.copyfile(table, out / "files" / "dificulty.dat")
    with gzip.GzipFile(out / "trace.jsonl.gz", "wb", mtime=0) as packed:
        packed.write(trace.read_bytes())
    print(name + ":\n  " + "\n  ".join(comment))


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    program = Path(sys.argv[1]).resolve()
    names = sys.argv[2:] or list(GAMES)
    with tempfile.TemporaryDirectory() as scratch:
        for name in names:
            make_game(program, name, GAMES[name], Path(scratch))


if __name__ == "__main__":
    main()
