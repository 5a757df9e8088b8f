#!/usr/bin/env python3
"""End-to-end cases of the in-game menu, driven by input scripts, each a subcommand (one CTest
each):

    menucases.py settings KIPKIP WORK     the game stands still under the menu; a volume and a
                                          key changed in it are saved, the rest of the file kept
    menucases.py rebind KIPKIP WORK       the jump rebound to a controller button and to a key in
                                          use (the keys swap) jumps; the recording replays it
    menucases.py held_close KIPKIP WORK   closing the menu with the jump key held does not jump
    menucases.py replay KIPKIP REC WORK   a replay paused in the menu (by --input beside it)
                                          plays the recording's game tick for tick

Every run has its own settings file (--config) in WORK.
"""

import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
import tracecompare  # noqa: E402
from e2echeck import Failure, check  # noqa: E402

JUMP_SPEED = -400  # the hero's vertical speed in the tick a jump starts
# The trace's fields that are not the game's.
LOOP_FIELDS = ("tick", "menu")


class Script:
    """An input script written as presses: each key is held two ticks, then nothing for two."""

    def __init__(self):
        self.lines = []
        self.tick = 1

    def hold(self, tick, keys):
        self.lines.append("%d %s" % (tick, keys))
        self.tick = tick

    def press(self, *keys):
        """Each of `keys` pressed in turn; the tick of the last press."""
        for key in keys:
            self.lines.append("%d %s" % (self.tick, key))
            self.lines.append("%d none" % (self.tick + 2))
            pressed = self.tick
            self.tick += 4
        return pressed

    def wait(self, ticks):
        self.tick += ticks

    def write(self, path):
        path.write_text("\n".join(self.lines) + "\n")


def run(kipkip, work, *args):
    done = subprocess.run([str(kipkip), *map(str, args)], cwd=work, capture_output=True,
                          text=True)
    check(done.returncode == 0, "kipkip %s ended with status %d:\n%s" % (
        " ".join(map(str, args)), done.returncode, done.stderr))
    return done.stdout


def play(kipkip, work, script, config, ticks, *more):
    """Plays the script headless in a fresh data directory; the trace's lines by loop tick."""
    script.write(work / "input.txt")
    data = work / "data"
    data.mkdir(exist_ok=True)
    (data / "kipkip.dat").unlink(missing_ok=True)
    run(kipkip, work, "--headless", "--config", config, "--input", "input.txt", "--ticks", ticks,
        "--trace", "trace.jsonl", "--dir", data, *more)
    return {line["tick"]: line for line in tracecompare.read_lines(str(work / "trace.jsonl"))}


def game_fields(line):
    return {k: v for k, v in line.items() if k not in LOOP_FIELDS}


def start_game(script):
    script.wait(29)
    script.press("space")  # the title's first button starts a game
    script.wait(20)


def check_jump_at(trace, tick, what):
    check(trace[tick]["hero"]["vy"] == JUMP_SPEED,
          "%s: no jump at tick %d (vy %s)" % (what, tick, trace[tick]["hero"]["vy"]))


# --- settings -----------------------------------------------------------------------------

SETTINGS = (
    "# my settings\r\n"
    "scale = 2   # keep me\r\n"
    "\r\n"
    "music-volume = 60\r\n"
    "mystery = 7\r\n"
    "music-volume = 50  # the one that wins\r\n"
    "button2 = b\r\n"
)
SAVED = SETTINGS.replace("music-volume = 50  #", "music-volume = 45  #").replace(
    "button2 = b", "button2 = z")


def case_settings(kipkip, work):
    config = work / "kipkip.conf"
    config.write_bytes(SETTINGS.encode())
    script = Script()
    start_game(script)
    opened = script.press("escape")
    script.press("down", "return", "left", "escape")  # options: music volume down a step
    script.press("down", "return", "down", "down", "down", "down", "down", "return", "z")
    closed = script.press("escape", "escape")
    script.wait(20)
    trace = play(kipkip, work, script, config, script.tick)

    check(trace[opened]["menu"] == "main/resume", "the menu did not open: %s" % trace[opened])
    check(trace[closed]["menu"] == "closed", "the menu did not close: %s" % trace[closed])
    still = game_fields(trace[opened - 1])
    for tick in range(opened, closed):
        check(game_fields(trace[tick]) == still,
              "the game moved at tick %d under the menu (%s)" % (tick, trace[tick]["menu"]))
    check(trace[closed]["gameTick"] == still["gameTick"] + 1, "the game did not resume")
    check(all(line["lastKey"] != 1 for line in trace.values()), "the game saw Escape")

    saved = config.read_bytes().decode()
    check(saved == SAVED, "the settings file holds\n%r\nnot\n%r" % (saved, SAVED))
    printed = run(kipkip, work, "--config", config, "--print-config")
    for line in ("music-volume = 45", "button2 = z", "scale = 2"):
        check(line + "\n" in printed, "a new run does not read %r:\n%s" % (line, printed))


# --- rebind -------------------------------------------------------------------------------


def case_rebind(kipkip, work):
    config = work / "kipkip.conf"
    config.write_text("# the game's keys as they come\n")
    script = Script()
    start_game(script)
    script.press("escape", "down", "down", "return")  # controls
    script.press(*["down"] * 7, "return", "pad.y")  # pad button 1 on Y
    script.press("up", "up", "up", "return", "up")  # button 1 on the key of up: they swap
    script.press("escape", "escape")
    script.wait(20)
    by_pad = script.press("pad.y")
    script.wait(80)
    by_key = script.press("up")
    script.wait(80)
    by_space = script.press("space")  # now up, which does not jump
    script.wait(20)
    trace = play(kipkip, work, script, config, script.tick, "--record", "game.rec")

    check_jump_at(trace, by_pad, "pad.y")
    check_jump_at(trace, by_key, "the up key")
    check(not trace[by_space]["hero"]["airborne"], "space still jumps")
    saved = config.read_text()
    for line in ("pad1 = y", "button1 = up", "up = space"):
        check(line + "\n" in saved, "%r not saved:\n%s" % (line, saved))

    # The recording holds what the game saw, as the bindings it started with: replayed with the
    # settings of before the menu, it plays the same game tick for tick.
    config.write_text("# the game's keys as they come\n")
    run(kipkip, work, "--headless", "--config", config, "--replay", "game.rec",
        "--trace", "replay.jsonl", "--dir", work / "data")
    replayed = {line["gameTick"]: game_fields(line)
                for line in tracecompare.read_lines(str(work / "replay.jsonl"))}
    played = {line["gameTick"]: game_fields(line)
              for line in trace.values() if line["menu"] == "closed"}
    for tick, line in played.items():
        check(replayed.get(tick) == line, "the replay differs at game tick %d" % tick)


# --- held_close ---------------------------------------------------------------------------


def case_held_close(kipkip, work):
    config = work / "kipkip.conf"
    config.write_text("")
    script = Script()
    start_game(script)
    script.press("escape")
    script.wait(10)
    closed = script.tick
    script.hold(closed, "space")  # resume, and keep the key down
    script.hold(closed + 40, "none")
    script.wait(10)
    again = script.press("space")
    script.wait(10)
    trace = play(kipkip, work, script, config, script.tick)

    check(trace[closed]["menu"] == "closed" and trace[closed - 1]["menu"] == "main/resume",
          "space did not resume the game at tick %d" % closed)
    for tick in range(closed, closed + 40):
        check(not trace[tick]["hero"]["airborne"], "a jump at tick %d from the held key" % tick)
    check_jump_at(trace, again, "space pressed again")
    check(config.read_text() == "", "the settings file changed")


# --- replay -------------------------------------------------------------------------------


def case_replay(kipkip, recording, work):
    config = work / "kipkip.conf"
    config.write_text("")
    data = work / "data"
    data.mkdir(exist_ok=True)
    run(kipkip, work, "--headless", "--config", config, "--replay", recording, "--trace",
        "plain.jsonl", "--dir", data)
    script = Script()
    script.wait(99)
    opened = script.press("escape", "down", "return", "down", "left", "escape")
    script.wait(50)
    closed = script.press("escape")
    script.write(work / "input.txt")
    run(kipkip, work, "--headless", "--config", config, "--replay", recording, "--input",
        "input.txt", "--trace", "paused.jsonl", "--dir", data)

    plain = tracecompare.read_lines(str(work / "plain.jsonl"))
    paused = tracecompare.read_lines(str(work / "paused.jsonl"))
    check(sum(line["menu"] != "closed" for line in paused) == closed - 100,
          "the menu was not open from tick 100 to %d" % closed)
    check(opened < closed and len(paused) == len(plain) + closed - 100,
          "the replay did not run on for the ticks of the menu")
    by_game_tick = {line["gameTick"]: game_fields(line) for line in paused
                    if line["menu"] == "closed"}
    for line in plain:
        check(by_game_tick.get(line["gameTick"]) == game_fields(line),
              "the paused replay differs at game tick %d" % line["gameTick"])
    check(config.read_text() == "effects-volume = 95\n",
          "the effects volume was not saved: %r" % config.read_text())


def main(argv):
    cases = {"settings": (case_settings, 1), "rebind": (case_rebind, 1),
             "held_close": (case_held_close, 1), "replay": (case_replay, 2)}
    if len(argv) < 2 or argv[1] not in cases or len(argv) != cases[argv[1]][1] + 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    work = Path(argv[-1]).resolve()
    work.mkdir(parents=True, exist_ok=True)
    try:
        cases[argv[1]][0](*[Path(a).resolve() for a in argv[2:-1]], work)
    except Failure as failure:
        print("FAIL: %s" % failure)
        return 1
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
