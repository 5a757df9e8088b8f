#!/usr/bin/env python3
"""Writes the game's built-in data texts from their editable sources.

The sources in tools/assets/data/ are UTF-8 with LF line ends, so that they can be read and
edited anywhere. The game's data is Shift-JIS (code page 932) with CR LF line ends, as data
written on Windows is: this script converts each source and writes it under assets/:
  *.txt -> assets/text/<name>.txt   (TEXT resources: the scene "toybox", the table "dificulty")
  *.anm -> assets/anime/<name>.anm  (ANIME resources: the animation files)

Run it from anywhere: python3 tools/assets/make_data.py
"""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent
TARGETS = {".txt": ROOT / "assets" / "text", ".anm": ROOT / "assets" / "anime"}


def convert(source: pathlib.Path) -> bytes:
    text = source.read_text(encoding="utf-8")
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def main() -> None:
    for source in sorted((HERE / "data").iterdir()):
        target_dir = TARGETS.get(source.suffix)
        if target_dir is None:
            continue
        target_dir.mkdir(parents=True, exist_ok=True)
        target = target_dir / source.name
        target.write_bytes(convert(source))
        print(f"wrote {target.relative_to(ROOT)}")


if __name__ == "__main__":
    main()
