#!/usr/bin/env python3
"""Generate the game's bitmaps (assets/bitmap/*.bmp) from their text sources.

Usage:
    tools/assets/make_bitmaps.py            write every bitmap
    tools/assets/make_bitmaps.py coin block write only these (by output name)
    tools/assets/make_bitmaps.py --check    write nothing; exit 1 when a committed bitmap
                                            differs from what its source gives

Structure (how to add a bitmap):
    tools/assets/palette.txt     the one palette; index 0 (pure black) is transparent
    tools/assets/bmp.py          palette loading, text grids, the 8-bit BMP writer
    tools/assets/cells.py        sheet assembly and recolouring
    tools/assets/bitmaps/*.py    one source module per bitmap (files starting with "_"
                                 are skipped, so shared parts can live there)

Each source module defines:
    NAME = "coin"                the output file stem: assets/bitmap/<NAME>.bmp (lower case)
    WIDTH, HEIGHT = 192, 64      the exact size the game expects
    def build(palette): ...      returns HEIGHT rows of WIDTH palette indices (top first);
                                 `palette` is bmp.load_palette()'s list

Drop a new module into bitmaps/ and it is picked up; nothing here needs editing. The
generated files are committed; the game's build never runs this script.
"""

import importlib.util
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import bmp  # noqa: E402

REPO = os.path.dirname(os.path.dirname(HERE))
SOURCES = os.path.join(HERE, "bitmaps")
OUTPUT = os.path.join(REPO, "assets", "bitmap")


def load_sources():
    modules = []
    for file_name in sorted(os.listdir(SOURCES)):
        if not file_name.endswith(".py") or file_name.startswith("_"):
            continue
        path = os.path.join(SOURCES, file_name)
        module_source = importlib.util.spec_from_file_location("bitmap_" + file_name[:-3], path)
        module = importlib.util.module_from_spec(module_source)
        module_source.loader.exec_module(module)
        for attribute in ("NAME", "WIDTH", "HEIGHT", "build"):
            if not hasattr(module, attribute):
                raise SystemExit(f"{path}: defines no {attribute}")
        if module.NAME != module.NAME.lower():
            raise SystemExit(f"{path}: NAME {module.NAME!r} must be lower case")
        modules.append(module)
    return modules


def render(module, palette):
    rows = module.build(palette)
    if len(rows) != module.HEIGHT or any(len(row) != module.WIDTH for row in rows):
        raise SystemExit(f"{module.NAME}: build() did not give {module.WIDTH}x{module.HEIGHT}")
    return rows


def main(argv):
    check = "--check" in argv
    wanted = {arg.lower() for arg in argv if not arg.startswith("--")}
    palette = bmp.load_palette(os.path.join(HERE, "palette.txt"))
    modules = load_sources()
    unknown = wanted - {module.NAME for module in modules}
    if unknown:
        raise SystemExit("no source for: " + ", ".join(sorted(unknown)))
    stale = []
    for module in modules:
        if wanted and module.NAME not in wanted:
            continue
        rows = render(module, palette)
        target = os.path.join(OUTPUT, module.NAME + ".bmp")
        if check:
            fresh = bmp.encode_bmp8(module.WIDTH, module.HEIGHT, rows, palette)
            try:
                with open(target, "rb") as f:
                    same = f.read() == fresh
            except FileNotFoundError:
                same = False
            if not same:
                stale.append(module.NAME)
            continue
        bmp.write_bmp8(target, module.WIDTH, module.HEIGHT, rows, palette)
        print(f"wrote {os.path.relpath(target, REPO)} ({module.WIDTH}x{module.HEIGHT})")
    if stale:
        print("out of date: " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
