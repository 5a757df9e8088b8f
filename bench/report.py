#!/usr/bin/env python3
"""The performance report: every figure of the README's performance section, in one run.

    python3 bench/report.py [--quick] [--before PROGRAM]

Installs what the benchmarks need (scripts/deps --bench: the FluidR3 SoundFont besides
TimGM6mb), builds the game and the benchmarks for Release (build/bench), then measures, one
after the other: the benchmarks of bench/, a --timedemo of a generated 16,000-tick recording,
and the game in a window replaying that recording, with each SoundFont and muted: the first
frame shown (median of 10 start-ups), the peak resident memory over 30 s of play, and the CPU
time and tick rate over 60 s. Windows open at --scale 3 on a virtual X server (Xvfb), so with
SDL's software renderer, and SDL's dummy audio device, so the music is rendered as in play.

Prints the machine and two Markdown tables: the benchmarks, each beside its peer, and the
window's figures beside their targets. --before measures another build of the game (an older
one) in the same run, in a column of its own. --quick shortens the window runs, for trying the
script out; its figures are not the report's.
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
FONTS = {"FluidR3_GM": "/usr/share/sounds/sf2/FluidR3_GM.sf2",
         "TimGM6mb": "/usr/share/sounds/sf2/TimGM6mb.sf2"}
TICK_US = 20_000.0  # one tick of game time
PASS_US = 10_000.0  # one pass of the music sequencer

sys.path.insert(0, HERE)
from soak import write_script  # noqa: E402  (the soak run's plausible random play)


def build() -> None:
    subprocess.run([os.path.join(ROOT, "scripts", "deps"), "--bench"], check=True)
    subprocess.run(["cmake", "-S", ROOT, "-B", BUILD, "-DCMAKE_BUILD_TYPE=Release",
                    "-DKIPKIP_TESTS=OFF", "-DKIPKIP_BENCH=ON", "-DKIPKIP_WERROR=ON"], check=True, stdout=subprocess.DEVNULL)
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
                    SDL_RENDER_DRIVER="software",
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


def window_run(xvfb: Xvfb, game: str, options: list, cwd: str, scale: int = 3) -> dict:
    """One run in a window: its --stats figures, the CPU seconds it used (user and
    system) and its peak resident memory in MiB."""
    process = subprocess.Popen([game, "--stats", "--scale", str(scale), *options], env=xvfb.env(),
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                               cwd=cwd)
    out = process.stdout.read()
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        raise SystemExit(f"report: {game} {' '.join(options)} ended with {process.returncode}")
    return dict(stats_line(out), cpu=usage.ru_utime + usage.ru_stime, rss=usage.ru_maxrss / 1024)


def sound(font: str) -> list:
    return ["--mute"] if font == "muted" else ["--soundfont", FONTS[font]]


def measure_window(xvfb: Xvfb, game: str, recording: str, quick: bool, cwd: str) -> dict:
    """The window's figures of one build of the game, by name."""
    starts = 3 if quick else 10
    memory_ticks = 250 if quick else 1500
    cpu_ticks = 500 if quick else 3000
    figures = {}
    for font in ("FluidR3_GM", "TimGM6mb", "muted"):
        firsts = [window_run(xvfb, game, ["--ticks", "2", *sound(font)], cwd)["first"]
                  for _ in range(starts)]
        figures[f"first/{font}"] = statistics.median(firsts)
    for font in ("FluidR3_GM", "TimGM6mb"):
        run = window_run(xvfb, game, ["--replay", recording, "--ticks", str(memory_ticks),
                                      *sound(font)], cwd)
        figures[f"rss/{font}"] = run["rss"]
    for scale, font in ((3, "TimGM6mb"), (1, "muted")):
        run = window_run(xvfb, game, ["--replay", recording, "--ticks", str(cpu_ticks),
                                      *sound(font)], cwd, scale)
        figures[f"cpu/{scale}"] = run["cpu"] / run["seconds"]
        figures[f"rate/{scale}"] = run
    return figures


def target_rows(ours: dict, before: dict | None, quick: bool) -> list:
    """(figure, target, ours, before, met) for each target of the window."""
    seconds = (5, 10) if quick else (30, 60)
    rows = []

    def row(what, target, show, key, met):
        rows.append((what, target, show(ours[key]), show(before[key]) if before else "",
                     "yes" if met(ours[key]) else "**no**"))

    muted_first = ours["first/muted"]
    for font in ("FluidR3_GM", "TimGM6mb", "muted"):
        row(f"first frame shown, {font}, median (`--stats`)",
            "≤ 1.3 × muted" if font == "FluidR3_GM" else "",
            lambda v: f"{v:.0f} ms", f"first/{font}",
            lambda v: v <= 1.3 * muted_first or font != "FluidR3_GM")
    for font, limit in (("FluidR3_GM", 76), ("TimGM6mb", 36)):
        row(f"peak resident memory, {seconds[0]} s of play with music, scale 3, {font}",
            f"≤ {limit} MiB", lambda v: f"{v:.1f} MiB", f"rss/{font}",
            lambda v, limit=limit: v <= limit)
    row(f"CPU for {seconds[1]} s of play, scale 3, software renderer, music (TimGM6mb)",
        "≤ 6 % of a core", lambda v: f"{v:.1%}", "cpu/3", lambda v: v <= 0.06)
    row(f"CPU for {seconds[1]} s of play, scale 1, muted", "≤ 1.5 % of a core",
        lambda v: f"{v:.1%}", "cpu/1", lambda v: v <= 0.015)
    for scale in (3, 1):
        row(f"ticks per second, longest gap, skipped ticks over {seconds[1]} s, scale {scale}",
            "50.0 ± 0.25, none skipped",
            lambda r: f"{r['rate']:.3f}, {r['gap']:.1f} ms, {r['skipped']:.0f}",
            f"rate/{scale}", lambda r: abs(r["rate"] - 50) <= 0.25 and r["skipped"] == 0)
    return rows


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
    parser.add_argument("--before", help="another build of the game, measured beside")
    args = parser.parse_args()
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

    scaler = benchmarks("framescaler_bench")
    builds = {b["label"]: b["us"] for name, b in scaler.items() if name.startswith("BM_FrameScaler")}
    blit = scaler["BM_SdlBlitScaled"]["us"]
    rows.append(("scaling the 320×240 frame to 960×720, AVX2 / baseline",
                 f"{ns(builds.get('avx2', float('nan')))} / {ns(builds['baseline'])}",
                 f"SDL_BlitScaled {ns(blit)}: {ratio(builds.get('avx2', float('nan')), blit)} / "
                 f"{ratio(builds['baseline'], blit)}"))

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
            ours = measure_window(xvfb, GAME, recording, args.quick, work)
            before = (measure_window(xvfb, os.path.abspath(args.before), recording, args.quick,
                                     work) if args.before else None)
        targets = target_rows(ours, before, args.quick)

    print(f"Measured {machine()}; `python3 bench/report.py`.\n")
    print("| what | figure | beside |")
    print("|---|---|---|")
    for what, figure, beside in rows:
        print(f"| {what} | {figure} | {beside} |")
    print()
    print("| figure | target | this build |" + (" before |" if args.before else "") + " met |")
    print("|---|---|---|" + ("---|" if args.before else "") + "---|")
    for what, target, figure, old, met in targets:
        print(f"| {what} | {target} | {figure} |" + (f" {old} |" if args.before else "") +
              f" {met} |")
    return 0 if all(met == "yes" for *_, met in targets) else 1


if __name__ == "__main__":
    sys.exit(main())
