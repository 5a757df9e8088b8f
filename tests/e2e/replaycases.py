#!/usr/bin/env python3
"""End-to-end cases around recorded games, each a subcommand (one CTest each):

    replaycases.py game KIPKIP GAME_DIR WORK       replay a stored game, compare with its trace
    replaycases.py comparator STORED_TRACE WORK    the comparator catches doctored traces
    replaycases.py seeds KIPKIP WORK               each game of a recording has its own seed
    replaycases.py past_end KIPKIP WORK            a replay run on past its recording's end
    replaycases.py dir_names KIPKIP FONT SOUNDFONT WORK
                                                   names on the command line mean the folder
                                                   the program started in, whatever --dir
    replaycases.py game_alone KIPKIP GAME_DIR WORK  a game's own recording (the run cut at
                                                   the game's end) replays that game alone

A stored game (tests/e2e/games/NAME/) is `game.rec`, `trace.jsonl.gz` made by replaying it, and
`files/dificulty.dat` when it was played on a table of its own: its data directory is then the
built-in scene and art as files with that table, as a modded data folder holds them.
"""

import json
import re
import shutil
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
SOURCE = HERE.parents[1]
ASSETS = SOURCE / "assets"
sys.path.insert(0, str(HERE))
import tracecompare  # noqa: E402
from e2echeck import Failure, check  # noqa: E402

HISCORE_123 = b"AAETAAPX"  # kipkip.dat holding a high score of 123
# A played run's length: three games of three seconds, each made longer by every coin taken (five
# seconds a coin, and the seeds are the clock's), fit in it many times over.
PLAYED_TICKS = 6000


def level_table(row):
    """The built-in difficulty table with each level row replaced by row(level), a tuple of
    platforms (min, max), size (min, max), speed (min, max) and seconds; the Shift-JIS header
    stays as it is."""
    lines = (ASSETS / "text" / "dificulty.txt").read_bytes().split(b"\n")
    for i, line in enumerate(lines):
        match = re.match(rb"\s*lv(\d+)\s", line)
        if match:
            level = int(match.group(1))
            lines[i] = b"\tlv%d\t\t%d,%d,\t%d,%d,\t%d,%d,\t%d" % ((level,) + tuple(row(level)))
    return b"\n".join(lines)


def make_data_dir(folder, table):
    """A fresh data directory; with a table (bytes), the built-in scene and art as files beside
    it, as a modded data folder holds them."""
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    if table is None:
        return folder
    files = folder / "files"
    files.mkdir()
    shutil.copyfile(ASSETS / "text" / "toybox.txt", files / "data.toy")
    for pattern in ("bitmap/*.bmp", "wave/*.wav", "anime/*.anm", "midi/bgm.mid"):
        for asset in ASSETS.glob(pattern):
            shutil.copyfile(asset, files / asset.name)
    (files / "dificulty.dat").write_bytes(table)
    return folder


def run(kipkip, *args, cwd=None):
    done = subprocess.run([str(kipkip), *map(str, args)], cwd=cwd, capture_output=True,
                          text=True)
    check(done.returncode == 0,
          "kipkip %s ended with status %d:\n%s" % (" ".join(map(str, args)), done.returncode,
                                                   done.stderr))
    return done


def read_trace(path):
    return tracecompare.read_lines(str(path))


def replay(kipkip, recording, data_dir, trace, *more):
    run(kipkip, "--headless", "--replay", recording, "--trace", trace, "--dir", data_dir, *more)
    return read_trace(trace)


def recording(seeds, held, last, hiscore=0, comment=()):
    """A recording in the recorder's layout: seeds {tick: seed} and held [(tick, keys)], each
    seed line before the first line of its tick, the keys held on to tick `last`; `comment`
    lines head it."""
    out = ["kipkip-replay 1"] + ["# " + line for line in comment]
    out += ["hiscore %d" % hiscore, "keys up down left right space b return"]
    pending = sorted(seeds.items())
    if held[-1][0] < last:
        held = held + [(last, held[-1][1])]
    for tick, keys in held:
        while pending and pending[0][0] <= tick:
            out.append("seed %d %d" % pending.pop(0))
        out.append("%d %s" % (tick, keys))
    return "\n".join(out) + "\n"


def first_different_tick(a, b):
    for x, y in zip(a, b):
        if not tracecompare.same(x, y):
            return x["tick"]
    return None if len(a) == len(b) else min(len(a), len(b)) + 1


# --- game ---------------------------------------------------------------------------------


def case_game(kipkip, game_dir, work):
    game_dir = Path(game_dir)
    table = game_dir / "files" / "dificulty.dat"
    data = make_data_dir(work / "data", table.read_bytes() if table.exists() else None)
    trace = work / "trace.jsonl"
    run(kipkip, "--headless", "--replay", game_dir / "game.rec", "--trace", trace, "--dir", data)
    difference = tracecompare.first_difference(read_trace(game_dir / "trace.jsonl.gz"),
                                               read_trace(trace))
    check(difference is None, "%s: %s" % (game_dir.name, difference))
    check(not (data / "kipkip.dat").exists(), "the replay wrote a high-score file")


# --- comparator ---------------------------------------------------------------------------


def doctored_cases(lines):
    """(name, lines, the comparator's expected message or None for agreement)."""
    k = len(lines) // 2
    tick = lines[k]["tick"]

    def edit(change):
        copy = json.loads(json.dumps(lines))
        change(copy)
        return copy

    def nudge_y(copy):
        copy[k]["hero"]["y"] = copy[k]["hero"]["y"] + 0.5

    def drop_field(copy):
        del copy[k]["coins"]

    def bool_as_number(copy):
        copy[k]["hero"]["visible"] = 1 if copy[k]["hero"]["visible"] else 0

    def extra_fields(copy):
        for line in copy:
            line["menu"] = {"open": False}

    def loop_ticks(copy):
        # A loop counting ticks of its own: the game's tick is in "gameTick".
        for line in copy:
            line["gameTick"] = line["tick"]
            line["tick"] += 7

    def sound_added(copy):
        copy[k]["sounds"] = copy[k]["sounds"] + ["x"]

    return [
        ("unchanged", lines, None),
        ("extra fields", edit(extra_fields), None),
        ("game ticks apart from loop ticks", edit(loop_ticks), None),
        ("a position nudged", edit(nudge_y), "tick %d: field hero: " % tick),
        ("a field missing", edit(drop_field), "tick %d: field coins: expected" % tick),
        ("true written as 1", edit(bool_as_number), "tick %d: field hero: " % tick),
        ("a sound more", edit(sound_added), "tick %d: field sounds: " % tick),
        ("a line missing", lines[:k] + lines[k + 1:], "tick %d: no actual line" % tick),
        ("a line more", lines + [dict(lines[-1], tick=lines[-1]["tick"] + 1)],
         "expected %d lines, got %d" % (len(lines), len(lines) + 1)),
        ("a tick twice", lines[:k] + [lines[k]] + lines[k:], "repeats tick %d" % tick),
    ]


def case_comparator(stored, work):
    lines = read_trace(stored)
    check(len(lines) > 100, "the stored trace %s is too short to doctor" % stored)
    for name, doctored, expected in doctored_cases(lines):
        actual = work / "doctored.jsonl"
        actual.write_text("".join(json.dumps(line, ensure_ascii=False) + "\n"
                                  for line in doctored))
        done = subprocess.run([sys.executable, str(HERE / "tracecompare.py"), str(stored),
                               str(actual)], capture_output=True, text=True)
        if expected is None:
            check(done.returncode == 0, "%s: expected agreement, got %s" % (name, done.stdout))
        else:
            check(done.returncode == 1 and expected in done.stdout,
                  "%s: expected status 1 and \"%s\", got %d: %s" % (name, expected,
                                                                   done.returncode,
                                                                   done.stdout))


# --- seeds --------------------------------------------------------------------------------

# Games of one second on floors four platforms wide: a game over follows each start at once.
QUICK_TABLE = level_table(lambda level: (4, 4, 5, 6, 10, 90, 1))
# The space bar at ticks 3, 60, 70, 130, 140: start, game over screen left, start, and so on.
QUICK_PRESSES = [3, 60, 70, 130, 140]


QUICK_HELD = [(1, "none")] + [(t + d, k) for t in QUICK_PRESSES for d, k in ((0, "space"),
                                                                               (1, "none"))]


def case_seeds(kipkip, work):
    data = make_data_dir(work / "data", QUICK_TABLE)
    starts = [4, 71, 141]
    last = 180

    def play(name, seeds):
        path = work / (name + ".rec")
        path.write_text(recording(seeds, QUICK_HELD, last))
        return replay(kipkip, path, data, work / (name + ".jsonl"), "--trace-actors")

    seeds = [143, 2026, 7]
    base = play("base", dict(zip(starts, seeds)))
    check([line["tick"] for line in base if line.get("scene") == 1 and line["state"] == 0] ==
          [s - 1 for s in starts], "the games did not start in ticks %s" % starts)
    # A seed changed changes its own game and the later ones, never an earlier one.
    for game in range(3):
        changed = list(seeds)
        changed[game] += 1000
        other = play("game%d" % game, dict(zip(starts, changed)))
        found = first_different_tick(base, other)
        check(found == starts[game],
              "with game %d's seed changed the traces part in tick %s, not in tick %d" % (
                  game + 1, found, starts[game]))
    # The same seed for two games builds the same floors twice (an enemy of the game before
    # may still be falling, so only the floors and coins are compared).
    twice = play("twice", dict(zip(starts, [143, 143, 7])))

    def floors(tick):
        actors = [line for line in twice if line["tick"] == tick][0]["actors"]
        return [a for a in actors if a["class"] in ("Plat", "Coin")]

    check(floors(starts[0]) == floors(starts[1]), "the same seed built different floors")
    # A game the recording has no seed for, past its last seed, is played with seed 0.
    unseeded = play("unseeded", dict(zip(starts[:2], seeds[:2])))
    zero = play("zero", dict(zip(starts, seeds[:2] + [0])))
    check(first_different_tick(unseeded, zero) is None,
          "a game without a seed line was not played with seed 0")
    check(first_different_tick(base, zero) == starts[2], "seed 0 played like seed 7")


# --- past the end -------------------------------------------------------------------------


def case_past_end(kipkip, work):
    """Run on past its last tick (--ticks), a replay holds the keys it ended with, and a key
    held then is not pressed again."""
    data = make_data_dir(work / "data", QUICK_TABLE)
    # The recording ends at tick 40 holding the right cursor key, in a game.
    held = [(1, "none"), (3, "space"), (4, "none"), (20, "right"), (40, "right")]
    short = work / "short.rec"
    short.write_text(recording({4: 143}, held, 40))
    ends = replay(kipkip, short, data, work / "short.jsonl")
    check(len(ends) == 40, "the replay of 40 ticks wrote %d lines" % len(ends))
    longer = replay(kipkip, short, data, work / "longer.jsonl", "--ticks", 300)
    check(len(longer) == 300, "--ticks 300 wrote %d lines" % len(longer))
    check(all(line["held"] == 8 and line["pressed"] == 0 for line in longer[40:]),
          "the right cursor key was not held on alone past the recording's end")
    # The same as a recording that says so up to tick 300, the game over screen included.
    spelt = work / "spelt.rec"
    spelt.write_text(recording({4: 143}, held + [(300, "right")], 300))
    check(first_different_tick(longer, replay(kipkip, spelt, data, work / "spelt.jsonl")) is None,
          "run past its end, the replay played differently from one that held the keys on")
    check(longer[-1]["scene"] == 2, "the one-second game is not over at tick 300")
    # Ended on a held space bar, nothing more is pressed: the game over screen stays.
    on_space = work / "on_space.rec"
    on_space.write_text(recording({4: 143}, [(1, "none"), (3, "space"), (4, "none"),
                                             (100, "space")], 100))
    trace = replay(kipkip, on_space, data, work / "on_space.jsonl", "--ticks", 200)
    check(all(line["held"] == 16 and line["pressed"] == 0 for line in trace[100:]),
          "a space bar held past the end was pressed again")
    check(trace[-1]["scene"] == 0,
          "the space bar pressed at tick 100 did not lead back to the title")


# --- names on the command line with --dir -------------------------------------------------


def case_dir_names(kipkip, font, soundfont, work):
    """Run in WORK with --dir data: every name given on the command line is a file in WORK;
    kipkip.dat is read and written in data."""
    data = make_data_dir(work / "data", QUICK_TABLE)
    for name in ("in.txt", "font.ttf", "sound.sf2", "t.jsonl", "r.rec", "a.wav", "m.log",
                 "s.bmp", "t2.jsonl", "climb.txt", "t3.jsonl", "t4.jsonl"):
        (work / name).unlink(missing_ok=True)
    (work / "kipkip.dat").write_bytes(HISCORE_123)  # not the data directory's: never read
    (work / "in.txt").write_text("1 none\n3 space\n4 none\n10 space\n11 none\n")
    (work / "font.ttf").symlink_to(font)
    (work / "sound.sf2").symlink_to(soundfont)
    done = run(kipkip, "--headless", "--dir", "data", "--ticks", 60, "--input", "in.txt",
               "--trace", "t.jsonl", "--record", "r.rec", "--audio-out", "a.wav",
               "--midi-log", "m.log", "--shot", "50:s.bmp", "--font", "font.ttf",
               "--soundfont", "sound.sf2", cwd=work)
    check("font" not in done.stderr and "music" not in done.stderr,
          "the font or the SoundFont was not found:\n" + done.stderr)
    for name in ("t.jsonl", "r.rec", "a.wav", "m.log", "s.bmp"):
        check((work / name).stat().st_size > 0, "%s was not written where the program started"
              % name)
        check(not (data / name).exists(), "%s was written in the data directory" % name)
    trace = read_trace(work / "t.jsonl")
    check(len(trace) == 60 and trace[9]["sounds"] == ["ジャンプ"],
          "the input script's run was not played: %d lines" % len(trace))
    check(trace[1]["hiScore"] == 0, "the high score was read from the starting folder")
    # The recording, named from the starting folder, replays the same run.
    run(kipkip, "--headless", "--dir", "data", "--replay", "r.rec", "--trace", "t2.jsonl",
        cwd=work)
    check(first_different_tick(trace, read_trace(work / "t2.jsonl")) is None,
          "the replay named from the starting folder played differently")
    # Three floors up before the time runs out (a coin may add some, an enemy's knock may
    # cost a floor): the height beats the high score of 0, and is written.
    jumps = "".join("%d space\n%d none\n" % (t, t + 1) for t in (10, 48, 86))
    (work / "climb.txt").write_text("1 none\n3 space\n4 none\n" + jumps)
    run(kipkip, "--headless", "--dir", "data", "--ticks", 1500, "--input", "climb.txt",
        "--trace", "t3.jsonl", cwd=work)
    over = [line for line in read_trace(work / "t3.jsonl") if line.get("scene") == 2]
    check(over and over[0]["height"] > 0, "the game did not end above the ground")
    check((data / "kipkip.dat").exists(), "no kipkip.dat written in the data directory")
    check((work / "kipkip.dat").read_bytes() == HISCORE_123,
          "the starting folder's kipkip.dat was changed")
    # The high score written is the one read next time.
    run(kipkip, "--headless", "--dir", "data", "--ticks", 2, "--trace", "t4.jsonl", cwd=work)
    check(read_trace(work / "t4.jsonl")[1]["hiScore"] == over[0]["height"],
          "the high score written in the data directory was not read back from it")


# --- a game's own recording ---------------------------------------------------------------


def game_starts(trace):
    """The ticks in which the games of a trace start (their first tick of climbing)."""
    return [line["tick"] + 1 for line in trace if line.get("scene") == 1 and line["state"] == 0]


def game_overs(trace):
    """The ticks in which the games of a trace end."""
    return [b["tick"] for a, b in zip(trace, trace[1:])
            if a.get("scene") == 1 and b.get("scene") == 2]


def recording_lines(path):
    """(header lines, [(tick, line)]) of a recording; comments dropped."""
    header, body = [], []
    for line in Path(path).read_text().splitlines():
        line = line.split("#")[0].strip()
        words = line.split()
        if not words:
            continue
        if words[0] == "seed":
            body.append((int(words[1]), line))
        elif words[0].isdigit():
            body.append((int(words[0]), line))
        else:
            header.append(line)
    return header, body


def cut_at(path, end):
    """The recording of a run cut at the end of tick `end`, as the recorder writes it after the
    tick in which a game ends: everything up to that tick, the keys then held standing in it."""
    header, body = recording_lines(path)
    kept = [(tick, line) for tick, line in body if tick <= end]
    held = [line for tick, line in kept if not line.startswith("seed")]
    if int(held[-1].split()[0]) < end:
        kept.append((end, "%d %s" % (end, held[-1].split(None, 1)[1])))
    return "\n".join(header + [line for _, line in kept]) + "\n"


def started_alone(path, title_press, hiscore):
    """The recording of the game whose title press is in tick `title_press`, started alone from
    a fresh program: the high score it began with, its keys and seed moved to begin at tick 3."""
    header, body = recording_lines(path)
    shift = title_press - 3
    out = [line for line in header if not line.startswith("hiscore")] + ["hiscore %d" % hiscore,
                                                                         "1 none"]
    for tick, line in body:
        if tick >= title_press:
            words = line.split()
            if words[0] == "seed":
                out.append("seed %d %s" % (tick - shift, words[2]))
            else:
                out.append("%d %s" % (tick - shift, " ".join(words[1:])))
    return "\n".join(out) + "\n"


def within_game(trace, start, end):
    """The lines of ticks start..end, keyed by the game tick within the game (0 first)."""
    return {line["tick"] - start: line for line in trace if start <= line["tick"] <= end}


def first_game_difference(want, got):
    for tick in sorted(want):
        if tick not in got:
            return "game tick %d: no line" % tick
        for field, value in want[tick].items():
            if field not in ("tick", "ms") and not tracecompare.same(value, got[tick].get(field)):
                return "game tick %d: field %s: expected %s, got %s" % (
                    tick, field, json.dumps(value), json.dumps(got[tick].get(field)))
    return None


def replay_third_game_alone(kipkip, run_recording, run_trace, data, work):
    """Cuts the run's recording at the end of its third game, replays the cut alone and checks
    it plays that game as the run did, field for field by the game tick within the game.
    Returns the run's third game (within_game) and its start and end ticks in the run."""
    starts, overs = game_starts(run_trace), game_overs(run_trace)
    check(len(starts) >= 3 and len(overs) >= 3, "the run has not three whole games: starts %s, "
          "game overs %s" % (starts, overs))
    start, end = starts[2], overs[2]
    third = within_game(run_trace, start, end)
    own = work / "third.rec"
    own.write_text(cut_at(run_recording, end))
    _, body = recording_lines(own)
    last_seed = [tick for tick, line in body if line.startswith("seed")][-1]
    check(last_seed == start, "the cut recording's last game starts in tick %d, not %d"
          % (last_seed, start))
    alone = replay(kipkip, own, data, work / "third.jsonl", "--trace-actors")
    check(alone[-1]["tick"] == end, "the game's own recording ends in tick %d, not in its game "
          "over (tick %d)" % (alone[-1]["tick"], end))
    difference = first_game_difference(third, within_game(alone, last_seed, end))
    check(difference is None, "the third game replayed from its own recording: %s" % difference)
    return third, start, end


def case_game_alone(kipkip, game_dir, work):
    """A game's own recording is the run's recording up to the end of that game: replayed on
    its own it plays that game exactly, though the game began with state the games before it
    left (the hero's velocity, the mode's clock that times the enemies, the high score)."""
    table = game_dir / "files" / "dificulty.dat"
    data = make_data_dir(work / "data", table.read_bytes() if table.exists() else None)
    run_trace = replay(kipkip, game_dir / "game.rec", data, work / "run.jsonl", "--trace-actors")
    third, start, end = replay_third_game_alone(kipkip, game_dir / "game.rec", run_trace, data,
                                                work)
    check(not (data / "kipkip.dat").exists(), "the replay wrote a high-score file")

    # Started alone from a fresh program, the same keys and seed play another game: the state
    # the games before left is part of the game.
    fresh = work / "fresh.rec"
    fresh.write_text(started_alone(game_dir / "game.rec", start - 1, third[0]["hiScore"]))
    fresh_trace = replay(kipkip, fresh, data, work / "fresh.jsonl", "--trace-actors")
    fresh_start = game_starts(fresh_trace)[0]
    began = within_game(fresh_trace, fresh_start, fresh_start + end - start)
    check(began[0]["hero"]["vy"] == 0 and third[0]["hero"]["vy"] != 0,
          "the hero did not keep his speed from the game before: %s against %s alone"
          % (third[0]["hero"]["vy"], began[0]["hero"]["vy"]))
    check(first_game_difference(third, began) is not None,
          "the game started alone played like the run's")

    # A run played (seeds from the clock, a high score of 123 read from kipkip.dat, games of
    # three seconds with the space bar pressed every 20 ticks): its recording, as the program
    # wrote it, cut at the third game's end, replays that game as it was played.
    played = make_data_dir(work / "played", level_table(lambda level: (4, 4, 5, 6, 10, 90, 3)))
    (played / "kipkip.dat").write_bytes(HISCORE_123)
    script = work / "presses.txt"
    script.write_text("1 none\n" + "".join("%d space\n%d none\n" % (t, t + 1)
                                             for t in range(3, PLAYED_TICKS, 20)))
    run(kipkip, "--headless", "--dir", played, "--ticks", PLAYED_TICKS, "--input", script,
        "--record", work / "played.rec", "--trace", work / "played.jsonl", "--trace-actors")
    played_trace = read_trace(work / "played.jsonl")
    check(played_trace[1]["hiScore"] == 123, "the played run did not read its high score")
    (played / "kipkip.dat").write_bytes(HISCORE_123)
    replay_third_game_alone(kipkip, work / "played.rec", played_trace, played, work)
    check((played / "kipkip.dat").read_bytes() == HISCORE_123,
          "the replay wrote a high-score file")


def main(argv):
    cases = {
        "game": (case_game, 3),
        "comparator": (case_comparator, 2),
        "seeds": (case_seeds, 2),
        "past_end": (case_past_end, 2),
        "dir_names": (case_dir_names, 4),
        "game_alone": (case_game_alone, 3),
    }
    if len(argv) < 2 or argv[1] not in cases or len(argv) != cases[argv[1]][1] + 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    function = cases[argv[1]][0]
    work = Path(argv[-1]).resolve()
    work.mkdir(parents=True, exist_ok=True)
    try:
        function(*[Path(a).resolve() for a in argv[2:-1]], work)
    except Failure as failure:
        print("FAIL: %s" % failure)
        return 1
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
