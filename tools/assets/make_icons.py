#!/usr/bin/env python3
"""Makes the desktop icons of KipKip from the hero's art.

    python3 tools/assets/make_icons.py          write packaging/icons/kipkip-<N>.png
    python3 tools/assets/make_icons.py --check  write nothing; exit 1 when a committed
                                                icon differs from what the art gives

Cell 0 of assets/bitmap/kipkip0.bmp (the hero standing, facing left) is cut down to the
box of its opaque pixels, centred on a square transparent canvas one pixel wider than its
longer side, and scaled by nearest neighbour to 16, 32, 48, 64, 128 and 256 pixels. Each
icon is an 8-bit RGBA PNG; palette index 0 is the transparent colour. The PNGs are
committed and installed as they are: a build never runs this script.

Standard library only: the PNG is written with zlib.
"""

import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import bmp  # noqa: E402

REPO = os.path.dirname(os.path.dirname(HERE))
ART = os.path.join(REPO, "assets", "bitmap", "kipkip0.bmp")
OUT = os.path.join(REPO, "packaging", "icons")
CELL_W, CELL_H = 32, 48
SIZES = (16, 32, 48, 64, 128, 256)


def hero_square():
    """Cell 0 trimmed to its opaque pixels and centred on a square: rows of RGBA tuples."""
    width, height, rows, colours = bmp.read_bmp8(ART)
    if width < CELL_W or height < CELL_H:
        raise ValueError(f"{ART}: {width}x{height} is smaller than one {CELL_W}x{CELL_H} cell")
    cell = [row[:CELL_W] for row in rows[:CELL_H]]
    opaque = [(x, y) for y, row in enumerate(cell) for x, index in enumerate(row) if index]
    if not opaque:
        raise ValueError(f"{ART}: cell 0 is empty")
    left = min(x for x, _ in opaque)
    right = max(x for x, _ in opaque) + 1
    top = min(y for _, y in opaque)
    bottom = max(y for _, y in opaque) + 1
    side = max(right - left, bottom - top) + 1
    dx = (side - (right - left)) // 2
    dy = (side - (bottom - top)) // 2
    clear = (0, 0, 0, 0)
    square = [[clear] * side for _ in range(side)]
    for y in range(top, bottom):
        for x in range(left, right):
            index = cell[y][x]
            if index:
                square[y - top + dy][x - left + dx] = colours[index] + (255,)
    return square


def scale(square, size):
    """Nearest neighbour: each target pixel takes the source pixel under its centre."""
    side = len(square)
    pick = [min(side - 1, (2 * i + 1) * side // (2 * size)) for i in range(size)]
    return [[square[sy][sx] for sx in pick] for sy in pick]


def encode_png(rows):
    height, width = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for pixel in row:
            raw += bytes(pixel)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main(argv):
    check = "--check" in argv
    square = hero_square()
    stale = []
    for size in SIZES:
        path = os.path.join(OUT, f"kipkip-{size}.png")
        data = encode_png(scale(square, size))
        if check:
            try:
                with open(path, "rb") as f:
                    same = f.read() == data
            except FileNotFoundError:
                same = False
            if not same:
                stale.append(path)
            continue
        os.makedirs(OUT, exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        print(f"wrote {os.path.relpath(path, REPO)}")
    for path in stale:
        print(f"{os.path.relpath(path, REPO)} differs from what the art gives", file=sys.stderr)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
