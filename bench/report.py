#!/usr/bin/env python3
"""The performance report: every figure of the README's performance section, in one run.

    python3 bench/report.py [--quick] [--soundfont PATH]

Builds the game and the benchmarks for Release (build/bench), then measures, one after the
other: the benchmarks of bench/, a --timedemo of a generated 16,000-tick recording, the tick rate
of a window over 60 seconds, ten start-ups to the first frame shown, and the resident memory of
a windowed game playing a recording with its music. Windows open on a virtual X server (Xvfb)
with SDL's dummy audio device, so the music is rendered as in play. Prints the machine and a
Markdown table, each figure beside its peer or limit. --quick shortens the window runs, for
trying the script out; its figures are not the report's. The SoundFont is the one scripts/deps
installs (TimGM6mb) unless --soundfont says otherwise.
"""
import argparse
import json
import os
import platform
import re
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
BUILD = os.path.join(ROOT, "build", "bench")
GAME = os.path.join(BUILD, "kipkip")
DEFAULT_FONT = "/usr/share/sounds/sf2/TimGM6mb.sf2"
TICK_US = 20_000.0  # one tick of game time
PASS_US = 10_000.0  # one pass of the music sequencer

sys.path.insert(0, HERE)
from soak import write_script  # noqa: E402  (the soak run's plausible random play)


def build() -> None:
    subprocess.run(["cmake", "-S", ROOT, "-B", BUILD, "-DCMAKE_BUILD_TYPE=Release",
                    "-DKIPKIP_TESTS=OFF", "-DKIPKIP_BENCH=ON"], check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", BUILD, f"-j{os.cpu_count()}"], check=True,
                   stdout=subprocess.DEVNULL)


def benchmarks(name: str) -> dict:
    """Real time in microseconds (the median where a benchmark repeats), and the counters."""
    out = subprocess.run([os.path.join(BUILD, "bench", name), "--benchmark_format=json"],
                         check=True, capture_output=True, text=True).stdout
    scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}
    results = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
            continue
        if b.get("run_type") == "iteration" and b.get("repetitions", 1) > 1:
            continue
        key = b["run_name"].replace("/repeats:9", "")
        results[key] = dict(b, us=b["real_time"] * scale[b["time_unit"]])
    return results


def ns(us: float) -> str:
    if us < 1:
        return f"{us * 1000:.0f} ns"
    return f"{us:.2f} µs" if us < 1000 else f"{us / 1000:.2f} ms"


def ratio(a: float, b: float) -> str:
    return f"{a / b:.2f}×"


class Xvfb:
    def __enter__(self):
        self.display = ":93"
        self.process = subprocess.Popen(["Xvfb", self.display, "-screen", "0", "1920x1080x24"],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1.0)
        return self

    def env(self) -> dict:
        return dict(os.environ, DISPLAY=self.display, SDL_AUDIODRIVER="dummy",
                    XDG_CONFIG_HOME=os.path.join(BUILD, "no-settings"))

    def __exit__(self, *_):
        self.process.terminate()
        self.process.wait()


def stats_line(text: str) -> dict:
    found = re.search(r"ticks (\d+), seconds ([\d.]+), ticks per second ([\d.]+), longest gap "
                      r"([\d.]+) ms, skipped (\d+), first frame ([\d.]+) ms", text)
    if not found:
        raise SystemExit(f"report: no --stats line in: {text}")
    keys = ["ticks", "seconds", "rate", "gap", "skipped", "first"]
    return dict(zip(keys, map(float, found.groups())))


def rss_while_playing(xvfb: Xvfb, recording: str, font: str, ticks: int) -> tuple:
    """Peak and last resident memory (MiB) of a window replaying `recording` in real time."""
    process = subprocess.Popen([GAME, "--replay", recording, "--ticks", str(ticks), "--soundfont",
                                font], env=xvfb.env(), stdout=subprocess.DEVNULL)
    samples = []
    while process.poll() is None:
        try:
            with open(f"/proc/{process.pid}/status") as status:
                for line in status:
                    if line.startswith("VmRSS:"):
                        samples.append(int(line.split()[1]) / 1024)
        except FileNotFoundError:
            break
        time.sleep(0.5)
    if process.wait() != 0 or not samples:
        raise SystemExit("report: the memory run failed")
    return max(samples), samples[-1]


def machine() -> str:
    model = "unknown CPU"
    with open("/proc/cpuinfo") as info:
        for line in info:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    compiler = subprocess.run(["c++", "--version"], capture_output=True,
                              text=True).stdout.splitlines()[0]
    return (f"{time.strftime('%Y-%m-%d')}, {model}, {os.cpu_count()} cores, "
            f"{platform.freedesktop_os_release().get('PRETTY_NAME', 'Linux')}, {compiler}, "
            f"Release build")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--quick", action="store_true")
    parser.add_argument("--soundfont", default=DEFAULT_FONT)
    args = parser.parse_args()
    window_ticks = 500 if args.quick else 3000
    memory_ticks = 500 if args.quick else 1500
    build()
    rows = []

    draw = benchmarks("kivdraw_bench")
    for bits, label in ((16, "5-6-5"), (32, "32-bit")):
        sizes = ["16/16", "32/32", "32/48", "320/240"]
        ours = [draw[f"BM_OurKeyedBlit/{s}/{bits}"]["us"] for s in sizes]
        sdl = [draw[f"BM_SdlKeyedBlit/{s}/{bits}"]["us"] for s in sizes]
        rows.append((f"keyed cell blits, {label}, 16×16 / 32×32 / 32×48 / 320×240",
                     " / ".join(map(ns, ours)),
                     "SDL_BlitSurface " + " / ".join(map(ns, sdl)) + ": " +
                     " / ".join(ratio(o, s) for o, s in zip(ours, sdl))))
    frame_copy = draw["BM_MemcpyFrame"]["us"]
    for name in ("Fade", "WhiteFade"):
        us = draw[f"BM_{name}"]["us"]
        rows.append((f"{name} of the 320×240 frame", ns(us),
                     f"memcpy of the frame {ns(frame_copy)}: {ratio(us, frame_copy)}"))
    typical = draw["BM_TypicalFrame"]["us"]
    rows.append(("a typical frame (background, 9 pictures, 150 cells, 3 numbers), median",
                 ns(typical), f"a 20 ms tick: {typical / TICK_US:.2%}"))

    toy = benchmarks("toybox_bench")
    rows.append(("loading the built-in scene", ns(toy["BM_LoadBuiltInScene"]["us"]),
                 f"a 20 ms tick: {toy['BM_LoadBuiltInScene']['us'] / TICK_US:.0%}"))
    update = toy["BM_UpdateAndDrawFullScene"]["us"]
    rows.append(("one update and draw, scene + 150 platforms, 15 coins, 5 enemies, median",
                 ns(update), f"a 20 ms tick: {update / TICK_US:.2%}"))

    texts = benchmarks("texdb_bench")
    rows.append(("data-text parsing, difficulty table / 1 MiB scene",
                 f"{texts['BM_DifficultyTable']['bytes_per_second'] / 1e6:.0f} MB/s / "
                 f"{texts['BM_SceneText1MiB']['bytes_per_second'] / 1e6:.0f} MB/s", ""))

    sound = benchmarks("sound_bench")
    mix = sound["BM_MixOneTick/64"]["us"]
    rows.append(("mixing 20 ms of 64 effect copies", ns(mix),
                 f"20 ms of sound: {mix / TICK_US:.2%}"))
    music = benchmarks("music_bench")
    rendered = music["BM_PassAndRender10ms"]["us"]
    chosen = "FluidR3" if os.path.exists("/usr/share/sounds/sf2/FluidR3_GM.sf2") else "TimGM6mb"
    rows.append((f"music: one sequencer pass + 10 ms of synthesis ({chosen}, the game's choice)",
                 ns(rendered), f"10 ms of sound: {rendered / PASS_US:.2%} of a core"))

    with tempfile.TemporaryDirectory() as work:
        script = os.path.join(work, "play.txt")
        recording = os.path.join(work, "play.rec")
        write_script(script, 16000, seed=7)
        subprocess.run([GAME, "--headless", "--ticks", "16000", "--input", script, "--record",
                        recording, "--mute"], check=True, cwd=work)
        demo = subprocess.run([GAME, "--timedemo", recording], check=True, capture_output=True,
                              text=True, cwd=work).stdout
        found = re.search(r"ticks per second (\d+), median ([\d.]+) us, 99th percentile ([\d.]+)",
                          demo)
        rate = float(found.group(1))
        rows.append(("`--timedemo` of a 16,000-tick recording (5 min 20 s of play)",
                     f"{rate:,.0f} ticks per second; median {found.group(2)} µs, 99th "
                     f"percentile {found.group(3)} µs a tick", f"real time: {rate / 50:,.0f}×"))

        with Xvfb() as xvfb:
            run = subprocess.run([GAME, "--ticks", str(window_ticks), "--stats", "--mute"],
                                 env=xvfb.env(), check=True, capture_output=True, text=True,
                                 cwd=work).stdout
            window = stats_line(run)
            rows.append((f"a window's ticks over {window_ticks / 50:.0f} s (`--stats`)",
                         f"{window['rate']:.3f} ticks per second, longest gap "
                         f"{window['gap']:.1f} ms, {window['skipped']:.0f} skipped", "50"))

            firsts = []
            loads = []
            for _ in range(10):
                start = time.perf_counter()
                subprocess.run([GAME, "--version"], check=True, stdout=subprocess.DEVNULL)
                loads.append((time.perf_counter() - start) * 1000)
                run = subprocess.run([GAME, "--ticks", "2", "--stats", "--soundfont",
                                      args.soundfont], env=xvfb.env(), check=True,
                                     capture_output=True, text=True, cwd=work).stdout
                firsts.append(stats_line(run)["first"])
            first = statistics.median(firsts)
            load = statistics.median(loads)
            rows.append(("start-up to the first frame shown, median of 10 (`--stats`), plus "
                         "loading the program (`--version`)",
                         f"{first:.0f} ms + {load:.0f} ms = {first + load:.0f} ms",
                         f"150 ms: {(first + load) / 150:.2f}×"))

            peak, last = rss_while_playing(xvfb, recording, args.soundfont, memory_ticks)
            font = os.path.basename(args.soundfont)
            rows.append((f"resident memory, a window playing with music ({font}), "
                         f"{memory_ticks / 50:.0f} s",
                         f"peak {peak:.1f} MiB, at the end {last:.1f} MiB",
                         f"64 MiB: {peak / 64:.2f}×"))

    print(f"Measured {machine()}; `python3 bench/report.py`.\n")
    print("| what | figure | beside |")
    print("|---|---|---|")
    for what, figure, beside in rows:
        print(f"| {what} | {figure} | {beside} |")
    return 0


if __name__ == "__main__":
    sys.exit(main())
