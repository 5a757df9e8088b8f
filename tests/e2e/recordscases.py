#!/usr/bin/env python3
"""End-to-end cases of the records table in a run, each a subcommand (one CTest each):

    recordscases.py two_games KIPKIP WORK   two scripted games enter an empty table, one with
                                            initials chosen by the directions, one with those
                                            offered; kipkip.dat holds the better height; the
                                            records screen lists them; watching the first plays
                                            its game tick for tick
    recordscases.py bad_files KIPKIP WORK   damaged, truncated, oversized and later-version
                                            records files are reported and kept, never lost
    recordscases.py off KIPKIP WORK         without --with-records a headless run neither reads
                                            nor writes the records, and B on the title does
                                            nothing

Games are played headless on a table of three-second levels with wide platforms, so a game is
short and climbs; the seed of a played game is the clock's, so the script leaves room for games
of any length up to a few coins.
"""

import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
import replaycases  # noqa: E402
import tracecompare  # noqa: E402
from e2echeck import Failure, check  # noqa: E402

PLAY = 1
GAME_OVER = 2
TAKE = "\u53d6\u308b"  # the sound of a coin taken
# The trace's fields that are not the game's.
LOOP_FIELDS = ("tick", "gameTick", "menu")
# Loop ticks after a game's start by which its initials are entered: later than any game of
# three seconds and a few coins ends.
ENTRY_AFTER = 1500
HISCORE_FILE = "kipkip.dat"


class Script:
    """An input script of presses: each key held two ticks, then nothing."""

    def __init__(self):
        self.lines = ["1 none"]

    def press(self, tick, *keys):
        """`keys` pressed in turn from `tick`, four ticks apart; the tick after the last."""
        for key in keys:
            self.lines.append("%d %s" % (tick, key))
            self.lines.append("%d none" % (tick + 2))
            tick += 4
        return tick

    def write(self, path):
        path.write_text("\n".join(self.lines) + "\n")


def run(kipkip, *args, status=0):
    done = subprocess.run([str(kipkip), *map(str, args)], capture_output=True, text=True)
    check(done.returncode == status, "kipkip %s ended with status %d:\n%s" % (
        " ".join(map(str, args)), done.returncode, done.stderr))
    return done


def short_levels(folder):
    return replaycases.make_data_dir(
        folder, replaycases.level_table(lambda level: (4, 4, 5, 6, 10, 90, 3)))


def read_records(data):
    lines = (data / "kipkip-records.txt").read_text().splitlines()
    check(lines[0] == "kipkip-records 1", "the records file begins %r" % lines[0])
    records = [line.split()[1:] for line in lines if line.startswith("record ")]
    initials = [line.split()[1] for line in lines if line.startswith("initials ")]
    return records, initials


def games_of(trace):
    """Each game of a trace: its lines from its first tick in play to its game-over tick."""
    games, current = [], None
    for line in trace:
        if line["scene"] == PLAY and current is None:
            current = []
        if current is not None and line["gameTick"] != (current[-1]["gameTick"]
                                                         if current else None):
            current.append(line)
        if current is not None and line["scene"] == GAME_OVER:
            games.append(current)
            current = None
    return games


def summary(game):
    """What the records file should say of a game: score, best, level, coins."""
    heights = [line["height"] for line in game]
    coins = sum(line["sounds"].count(TAKE) for line in game)
    return [game[-1]["height"], max(heights), game[-1]["level"], coins]


def game_fields(line):
    return {key: value for key, value in line.items() if key not in LOOP_FIELDS}


# --- two_games ----------------------------------------------------------------------------


def play_two_games(kipkip, data, work):
    script = Script()
    starts = [5, 5 + ENTRY_AFTER + 120]
    for start, initials in zip(starts, (("right", "up", "up", "right", "down", "space"),
                                        ("space",))):
        script.press(start, "space")
        for jump in range(start + 25, start + 125, 20):
            script.press(jump, "space")
        after = script.press(start + ENTRY_AFTER, *initials)
        script.press(after + 40, "space")  # the game-over screen: back to the title
    script.write(work / "games.txt")
    end = starts[1] + ENTRY_AFTER + 100
    run(kipkip, "--headless", "--with-records", "--dir", data, "--input", work / "games.txt",
        "--ticks", end, "--trace", work / "games.jsonl")
    return tracecompare.read_lines(str(work / "games.jsonl"))


def case_two_games(kipkip, work):
    data = short_levels(work / "data")
    trace = play_two_games(kipkip, data, work)
    games = games_of(trace)
    check(len(games) == 2, "the script played %d games, not 2" % len(games))
    entries = [line["tick"] for line in trace if line["menu"] == "entry"]
    check(entries, "no initials were asked for")
    for game in games:
        over = game[-1]["tick"]
        check(over + 2 in entries and over + 1 not in entries,
              "the entry did not open once the game over at tick %d was up" % over)
        check(over < game[0]["tick"] + ENTRY_AFTER - 10, "a game ran past the entry's presses")
    held = [line for line in trace if line["menu"] == "entry"]
    check(len({line["gameTick"] for line in held}) == 2,
          "game ticks passed while the initials were entered")

    records, initials = read_records(data)
    check(len(records) == 2, "the table holds %d records" % len(records))
    expected = sorted(([("ACZ", *summary(games[0])), "0001.rec"],
                       [("ACZ", *summary(games[1])), "0002.rec"]),
                      key=lambda entry: -entry[0][1])
    for record, (fields, recording) in zip(records, expected):
        check(record[0] == fields[0] and list(map(int, record[1:5])) == list(fields[1:5]),
              "the record %s is not the game's %s" % (record, fields))
        check(record[7] == recording, "the record %s names its recording wrongly" % record)
        check((data / "records" / recording).exists(), "%s was not kept" % recording)
    check(initials == ["ACZ"], "the last initials are %s" % initials)
    best = max(summary(game)[0] for game in games)
    check(trace[-1]["hiScore"] == best, "the game kept a high score of %d"
          % trace[-1]["hiScore"])
    listed = run(kipkip, "--records", "--dir", data).stdout.splitlines()
    check(len(listed) == 2 and "ACZ" in listed[0], "--records lists %s" % listed)

    watch_first(kipkip, data, work, records, games[0], best)


def watch_first(kipkip, data, work, records, game, best):
    """The records screen from the title's second button, the first game's record chosen and
    watched: the trace follows the watched game, which must be the game as it was played."""
    row = [record[7] for record in records].index("0001.rec")
    script = Script()
    script.press(5, "b")
    after = script.press(15, *(["down"] * row), "space")
    script.write(work / "watch.txt")
    watch_ticks = after + 3 * len(game) + 400
    run(kipkip, "--headless", "--with-records", "--dir", data, "--input", work / "watch.txt",
        "--ticks", watch_ticks, "--trace", work / "watch.jsonl", "--shot", "%d:%s" % (12, work / "board.bmp"),
        "--shot", "%d:%s" % (after + 200, work / "watching.bmp"))
    trace = tracecompare.read_lines(str(work / "watch.jsonl"))
    by_tick = {line["tick"]: line for line in trace}
    check(by_tick[2]["hiScore"] == best, "a new run reads a high score of %d from kipkip.dat, not "
          "%d" % (by_tick[2]["hiScore"], best))
    check(by_tick[12]["menu"] == "records", "the records screen is not open: %s"
          % by_tick[12]["menu"])
    watched = [line for line in trace if line["menu"] == "watching"]
    check(watched, "the record was not watched")
    replayed = tracecompare.read_lines(str(replay(kipkip, data, work)))
    wanted = {line["gameTick"]: line for line in replayed}
    start = game[0]["gameTick"]
    shown = [line for line in watched if line["gameTick"] >= start]
    check(len(shown) >= len(game) - 1, "watching showed %d ticks of a game of %d"
          % (len(shown), len(game)))
    for line in shown:
        want = wanted.get(line["gameTick"])
        check(want is not None and tracecompare.same(game_fields(want), game_fields(line)),
              "watching differs from the recording's replay at game tick %d" % line["gameTick"])


def replay(kipkip, data, work):
    trace = work / "replayed.jsonl"
    run(kipkip, "--headless", "--replay", data / "records" / "0001.rec", "--dir", data,
        "--trace", trace)
    return trace


# --- bad_files ----------------------------------------------------------------------------


def bad_files():
    """(name, bytes, set aside, message)."""
    good = b"kipkip-records 1\ninitials ABC\nrecord ABC 12 14 0 1 2026-12-11 100 0001.rec\n"
    return [
        ("damaged", b"kipkip-records 1\nrecord ABC twelve\n", True, "line 2"),
        ("truncated", good[:-20], True, "line 3"),
        ("oversized", good + b"# " + b"x" * 200 + b"\n" * 70000, True, "too long"),
        ("later", b"kipkip-records 2\nwhatever comes\n", False, "later version"),
    ]


def case_bad_files(kipkip, work):
    for name, content, aside, message in bad_files():
        data = short_levels(work / name)
        (data / "kipkip-records.txt").write_bytes(content)
        script = Script()
        script.press(5, "space")
        script.press(300, "space")  # a game of three seconds standing still: initials taken
        script.write(work / "start.txt")
        done = run(kipkip, "--headless", "--with-records", "--dir", data, "--input",
                   work / "start.txt", "--ticks", 400)
        check(message in done.stderr, "%s: the player was told %r" % (name, done.stderr))
        kept = data / ("kipkip-records.txt.damaged-1" if aside else "kipkip-records.txt")
        check(kept.exists() and kept.read_bytes() == content,
              "%s: the file's bytes were not kept in %s" % (name, kept.name))
        if aside:
            records, _ = read_records(data)
            check(len(records) == 1, "%s: the game did not enter the new table" % name)
        else:
            check(not (data / "records").exists(), "%s: a game entered a table that cannot "
                  "be written" % name)


# --- off ----------------------------------------------------------------------------------


def case_off(kipkip, work):
    data = short_levels(work / "data")
    (data / "kipkip-records.txt").write_bytes(b"damaged\n")
    script = Script()
    script.press(5, "b")
    script.press(20, "space")
    script.write(work / "b.txt")
    done = run(kipkip, "--headless", "--dir", data, "--input", work / "b.txt", "--ticks", 400,
               "--trace", work / "off.jsonl")
    trace = tracecompare.read_lines(str(work / "off.jsonl"))
    check(all(line["menu"] == "closed" for line in trace), "an overlay opened")
    check(trace[-1]["gameTick"] == 400, "game ticks were held")
    check(done.stderr == "", "the run said %r" % done.stderr)
    check(trace[-1]["scene"] == GAME_OVER, "the game did not end")
    check(not (data / "records").exists() and
          (data / "kipkip-records.txt").read_bytes() == b"damaged\n",
          "the run touched the records: %s" % sorted(p.name for p in data.iterdir()))


def main(argv):
    cases = {"two_games": case_two_games, "bad_files": case_bad_files, "off": case_off}
    if len(argv) != 4 or argv[1] not in cases:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    work = Path(argv[3]).resolve()
    work.mkdir(parents=True, exist_ok=True)
    try:
        cases[argv[1]](Path(argv[2]).resolve(), work)
    except Failure as failure:
        print("FAIL: %s" % failure)
        return 1
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
