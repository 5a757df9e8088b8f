#!/usr/bin/env python3
"""A soak run: the game headless for a million ticks of random but plausible play.

    python3 bench/soak.py [--ticks N] [--program build/test/kipkip] [--seed S]

Writes an input script of long holds, runs of jumps, idle stretches and a space press every
few seconds (which starts a game on the title and moves on from a clear or a game over), runs
the program on it headless (the sanitizer build by default, so any memory fault or leak ends
the run with a report), and samples the resident memory every few seconds. It prints the
samples and exits non-zero when the program does. Not part of the test run: it takes minutes.
"""
import argparse
import os
import random
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
MOVES = ["left", "right", "none", "left+space", "right+space", "space", "right", "left"]


def write_script(path: str, ticks: int, seed: int) -> None:
    rng = random.Random(seed)
    lines = ["# soak input", "1 none"]
    tick = 5
    while tick < ticks:
        if rng.random() < 0.15:
            lines.append(f"{tick} space")  # start, go on after a clear, leave game over
            tick += 2
            lines.append(f"{tick} none")
            tick += rng.randint(1, 20)
            continue
        lines.append(f"{tick} {rng.choice(MOVES)}")
        tick += rng.choice([2, 5, 10, 25, 60, 200])  # taps, holds and idle stretches
    with open(path, "w") as out:
        out.write("\n".join(lines) + "\n")


def resident_kib(pid: int) -> int:
    try:
        with open(f"/proc/{pid}/status") as status:
            for line in status:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--ticks", type=int, default=1_000_000)
    parser.add_argument("--program", default=os.path.join(ROOT, "build", "test", "kipkip"))
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--every", type=float, default=10.0, help="seconds between samples")
    args = parser.parse_args()

    with tempfile.TemporaryDirectory(prefix="kipkip-soak-") as work:
        script = os.path.join(work, "soak.txt")
        write_script(script, args.ticks, args.seed)
        command = [args.program, "--headless", "--ticks", str(args.ticks), "--input", script,
                   "--dir", work]
        started = time.monotonic()
        process = subprocess.Popen(command, stderr=subprocess.PIPE, text=True)
        print("seconds  resident MiB")
        while process.poll() is None:
            print(f"{time.monotonic() - started:7.0f}  {resident_kib(process.pid) / 1024:8.1f}", flush=True)
            try:
                process.wait(timeout=args.every)
            except subprocess.TimeoutExpired:
                pass
        errors = process.stderr.read()
        elapsed = time.monotonic() - started
        print(f"status {process.returncode}, {args.ticks} ticks in {elapsed:.0f} s "
              f"({args.ticks / elapsed:.0f} ticks per second)")
        if errors.strip():
            print(errors, file=sys.stderr)
        return process.returncode


if __name__ == "__main__":
    sys.exit(main())
