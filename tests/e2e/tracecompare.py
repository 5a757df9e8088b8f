#!/usr/bin/env python3
"""Compares a trace with a stored one, tick for tick.

    tracecompare.py STORED ACTUAL

Either file may be gzipped (a name ending in .gz). Every field of every stored line must be in
the actual line of the same tick with the same JSON value (objects and arrays compared whole,
true never equal to 1); the actual lines may carry fields the stored ones lack, and both files
must hold the same number of lines. An actual line with a "gameTick" is matched by it rather
than by its "tick", since the loop may count ticks in which the game does not run.

Exit status 0 when the traces agree; 1 with the first difference (tick, field, expected, got)
on standard output; 2 when a file cannot be read.
"""

import gzip
import json
import sys


def read_lines(name):
    opener = gzip.open if name.endswith(".gz") else open
    with opener(name, "rt", encoding="utf-8") as file:
        return [json.loads(line) for line in file if line.strip()]


def same(want, got):
    """JSON equality: numbers by value, but a boolean only equals a boolean."""
    if isinstance(want, bool) or isinstance(got, bool):
        return isinstance(want, bool) and isinstance(got, bool) and want == got
    if isinstance(want, (int, float)) and isinstance(got, (int, float)):
        return want == got
    if isinstance(want, dict) and isinstance(got, dict):
        return want.keys() == got.keys() and all(same(want[k], got[k]) for k in want)
    if isinstance(want, list) and isinstance(got, list):
        return len(want) == len(got) and all(same(w, g) for w, g in zip(want, got))
    return type(want) is type(got) and want == got


def game_tick(line):
    return line["gameTick"] if "gameTick" in line else line.get("tick")


def first_difference(stored, actual):
    """The first difference as a message, or None."""
    by_tick = {}
    for number, line in enumerate(actual, 1):
        tick = game_tick(line)
        if tick in by_tick:
            return "actual line %d repeats tick %s" % (number, json.dumps(tick))
        by_tick[tick] = line
    for want in stored:
        tick = want.get("tick")
        got = by_tick.get(tick)
        if got is None:
            return "tick %s: no actual line" % json.dumps(tick)
        for field, value in want.items():
            if field == "tick" and "gameTick" in got:
                continue
            if field not in got:
                return "tick %s: field %s: expected %s, got nothing" % (
                    tick, field, json.dumps(value, ensure_ascii=False))
            if not same(value, got[field]):
                return "tick %s: field %s: expected %s, got %s" % (
                    tick, field, json.dumps(value, ensure_ascii=False),
                    json.dumps(got[field], ensure_ascii=False))
    if len(stored) != len(actual):
        return "expected %d lines, got %d" % (len(stored), len(actual))
    return None


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    try:
        stored = read_lines(argv[1])
        actual = read_lines(argv[2])
    except (OSError, ValueError) as error:
        print("tracecompare: %s" % error, file=sys.stderr)
        return 2
    difference = first_difference(stored, actual)
    if difference is not None:
        print(difference)
        return 1
    print("%d lines agree" % len(stored))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
