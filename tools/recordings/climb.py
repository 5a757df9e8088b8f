#!/usr/bin/env python3
"""Plays one game on the built-in data by searching, jump by jump, and stores it as a recorded
game in tests/e2e/games/NAME/ (as make_games.py does):

    python3 tools/recordings/climb.py /work/baseline/kipkip NAME SEED CLEARS

From each floor the hero stands on, it tries waiting 0 to MAX_WAIT ticks (standing or walking
either way) and then jumping (steering either way or not), replaying the game so far each time,
and keeps the jump that lands a floor higher soonest. A level clear is passed with the space
bar as soon as it asks for it. After CLEARS level clears, or when no jump leads higher,
nothing more is pressed and the game's time runs out.
"""

import sys
import tempfile
from pathlib import Path

from make_games import describe, events, recording, replay, store

MAX_WAIT = 80
LOOK_AHEAD = 48  # ticks after the jump: a floor-to-floor jump lands within 37
START = [(1, "none"), (3, "space"), (4, "none")]


def keys(way, space=False):
    if way == "none":
        return "space" if space else "none"
    return way + "+space" if space else way


class Climb:
    def __init__(self, program, seed, scratch):
        self.program = program
        self.seed = seed
        self.data = scratch / "data"
        self.data.mkdir()
        self.scratch = scratch

    def play(self, held, last, since):
        """The trace lines from tick `since` on of the game with these keys."""
        path = self.scratch / "try.rec"
        path.write_text(recording({4: self.seed}, held, last))
        lines = replay(self.program, path, self.data, self.scratch / "try.jsonl")
        return lines[since - 1:]

    def landing(self, held, standing, jump):
        """The line of the landing a floor higher (or of a level clear), else None."""
        lines = self.play(held, jump + LOOK_AHEAD, standing)
        start = lines[0]
        if start.get("scene") != 1 or any(line.get("scene") == 2 for line in lines):
            return None
        for line in lines:
            if line["state"] == 2:
                return line
            if line["tick"] > jump and not line["hero"]["airborne"]:
                return line if line["hero"]["y"] < start["hero"]["y"] - 48 else None
        return None

    def next_jump(self, held, standing):
        for wait in range(0, MAX_WAIT, 2):
            found = []
            for walk in ["none"] if wait == 0 else ["none", "left", "right"]:
                for steer in ("none", "left", "right"):
                    tried = list(held)
                    if wait > 0:
                        tried.append((standing + 1, keys(walk)))
                    jump = standing + 1 + wait
                    tried += [(jump, keys(steer, True)), (jump + 1, steer)]
                    line = self.landing(tried, standing, jump)
                    if line is not None:
                        found.append((line["tick"], tried, line))
            if found:
                return min(found, key=lambda f: f[0])
        return None

    def game(self, clears):
        held = list(START)
        standing = 4
        while clears > 0:
            found = self.next_jump(held, standing)
            if found is None:
                break
            standing, held, line = found
            print("tick %d: %d m, level %d" % (standing, line["height"], line["level"]),
                  flush=True)
            if line["state"] == 2:
                lines = self.play(held, standing + 200, standing)
                asks = next(line["tick"] for line in lines if line["state"] == 4)
                held += [(asks + 1, "space"), (asks + 2, "none")]
                standing = asks + 3
                clears -= 1
        lines = self.play(held, standing + 10000, standing)
        over = next(line["tick"] for line in lines if line.get("scene") == 2)
        return held, over + 10


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    program = Path(sys.argv[1]).resolve()
    name, seed, clears = sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    with tempfile.TemporaryDirectory() as scratch:
        climb = Climb(program, seed, Path(scratch))
        held, last = climb.game(clears)
        found = events(climb.play(held, last, 1))
        made_by = ["Made by tools/recordings/climb.py; replayed with --dir on an empty folder",
                   "(the built-in data)."]
        store(program, name, climb.data,
              lambda comment: recording({4: seed}, held, last, 0, comment),
              describe(made_by, found, last, 0))


if __name__ == "__main__":
    main()
