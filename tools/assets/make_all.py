#!/usr/bin/env python3
"""Regenerates every built-in asset of KipKip from its sources, then the contact sheet.

    python3 tools/assets/make_all.py          write everything under assets/
    python3 tools/assets/make_all.py --check  write nothing; exit 1 when a committed
                                              bitmap differs from what its source gives

The steps, each a script of its own that can also be run alone:
    make_bitmaps.py   sprites (hero, enemies, coins, blocks, digits) from text grids
    make_screens.py   backdrop, title, prompt, banners and headings
    make_icons.py     the desktop icons, from the hero's standing pose
    make_sounds.py    the three sound effects, synthesised
    make_music.py     the song, from music/bgm.score (check_music.py verifies its loop)
    make_data.py      the scene, animation files and difficulty table, to Shift-JIS
    contact_sheet.py  build/contact-sheet.png, every bitmap at 3x with its cell grid
"""
import pathlib
import subprocess
import sys

HERE = pathlib.Path(__file__).resolve().parent
WRITERS = [
    "make_bitmaps.py",
    "make_screens.py",
    "make_icons.py",
    "make_sounds.py",
    "make_music.py",
    "make_data.py",
]
CHECKERS = ["make_bitmaps.py", "make_screens.py", "make_icons.py"]


def run(script: str, *arguments: str) -> None:
    print(f"== {script} {' '.join(arguments)}".rstrip())
    subprocess.run([sys.executable, str(HERE / script), *arguments], check=True)


def main() -> int:
    try:
        if "--check" in sys.argv[1:]:
            for script in CHECKERS:
                run(script, "--check")
            run("check_music.py")
            return 0
        for script in WRITERS:
            run(script)
        run("check_music.py")
        run("contact_sheet.py")
    except subprocess.CalledProcessError as failure:
        print(f"make_all: {pathlib.Path(failure.cmd[1]).name} failed", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
