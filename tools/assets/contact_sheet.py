#!/usr/bin/env python3
"""Draw every bitmap of assets/bitmap/ on one contact sheet, for looking at the art.

Usage:
    tools/assets/contact_sheet.py [--scale N] [--out PATH]

Writes build/contact-sheet.png (default scale 3): each bitmap on a checkered background,
so transparent pixels (index 0) show as the checks, with its name, size and cell grid;
every cell carries its number in its top-left corner. The cell size of a bitmap comes from
its source module in tools/assets/bitmaps/ (CELL_W and CELL_H); a bitmap without them is
shown as one cell. At the end a mock game frame (sky, floor, platform, coin, enemy, hero,
digits) is drawn at 1x and 2x to judge the sprites together as a player sees them.

Standard library only: the PNG is written with zlib.
"""

import argparse
import importlib.util
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import bmp  # noqa: E402

REPO = os.path.dirname(os.path.dirname(HERE))
BITMAPS = os.path.join(REPO, "assets", "bitmap")
SOURCES = os.path.join(HERE, "bitmaps")

BACKGROUND = (40, 44, 52)
CHECK = ((150, 150, 160), (115, 115, 125))
GRID = (255, 0, 200)
LABEL = (240, 240, 240)
NUMBER_BOX = (20, 20, 28)
NUMBER_INK = (255, 230, 80)

# A 3 x 5 pixel font: each glyph is five rows of three bits, top row first.
FONT = {
    "0": "111101101101111", "1": "010110010010111", "2": "111001111100111",
    "3": "111001111001111", "4": "101101111001001", "5": "111100111001111",
    "6": "111100111101111", "7": "111001010010010", "8": "111101111101111",
    "9": "111101111001111", "A": "010101111101101", "B": "110101110101110",
    "C": "011100100100011", "D": "110101101101110", "E": "111100110100111",
    "F": "111100110100100", "G": "011100101101011", "H": "101101111101101",
    "I": "111010010010111", "J": "001001001101010", "K": "101101110101101",
    "L": "100100100100111", "M": "101111111101101", "N": "110101101101101",
    "O": "010101101101010", "P": "110101110100100", "Q": "010101101110011",
    "R": "110101110101101", "S": "011100010001110", "T": "111010010010010",
    "U": "101101101101111", "V": "101101101101010", "W": "101101111111101",
    "X": "101101010101101", "Y": "101101010010010", "Z": "111001010100111",
    " ": "000000000000000", "-": "000000111000000", ".": "000000000000010",
    ":": "000010000010000", "/": "001001010100100", "(": "010100100100010",
    ")": "010001001001010", "+": "000010111010000", "_": "000000000000111",
}


class Canvas:
    def __init__(self, width, height, colour):
        self.width = width
        self.height = height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x, y, w, h, colour):
        for yy in range(max(0, y), min(self.height, y + h)):
            row = self.pixels[yy]
            for xx in range(max(0, x), min(self.width, x + w)):
                row[xx] = colour

    def text(self, x, y, text, colour, size=1):
        for char in text.upper():
            glyph = FONT.get(char, FONT[" "])
            for i, bit in enumerate(glyph):
                if bit == "1":
                    self.rect(x + (i % 3) * size, y + (i // 3) * size, size, size, colour)
            x += 4 * size
        return x

    def image(self, x, y, rows, colours, scale, checkered=True):
        for sy, row in enumerate(rows):
            for sx, value in enumerate(row):
                if value == 0:
                    if not checkered:
                        continue
                    colour = CHECK[((sx // 4) + (sy // 4)) % 2]
                else:
                    colour = colours[value]
                self.rect(x + sx * scale, y + sy * scale, scale, scale, colour)

    def png(self):
        raw = bytearray()
        for row in self.pixels:
            raw.append(0)
            for colour in row:
                raw += bytes(colour)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def cell_sizes():
    sizes = {}
    for file_name in sorted(os.listdir(SOURCES)) if os.path.isdir(SOURCES) else []:
        if not file_name.endswith(".py") or file_name.startswith("_"):
            continue
        path = os.path.join(SOURCES, file_name)
        module_source = importlib.util.spec_from_file_location("sheet_" + file_name[:-3], path)
        module = importlib.util.module_from_spec(module_source)
        try:
            module_source.loader.exec_module(module)
        except Exception as error:  # a broken source must not hide the other bitmaps
            print(f"{file_name}: {error}", file=sys.stderr)
            continue
        if hasattr(module, "NAME") and hasattr(module, "CELL_W") and hasattr(module, "CELL_H"):
            sizes[module.NAME] = (module.CELL_W, module.CELL_H)
    return sizes


def load_bitmaps():
    found = []
    for file_name in sorted(os.listdir(BITMAPS)):
        if file_name.lower().endswith(".bmp"):
            width, height, rows, colours = bmp.read_bmp8(os.path.join(BITMAPS, file_name))
            found.append((file_name[:-4].lower(), width, height, rows, colours))
    return found


def mock_frame(images):
    """A 320 x 240 game-like frame, or None when a sprite it needs is missing.

    Laid out as the game's start screen is: the bottom of BACK behind everything, the hero's
    feet on row 180, the heading strip's pictures and numbers where the scene puts them."""
    needed = ("kipkip0", "block", "coin", "enemy", "suuji")
    if any(name not in images for name in needed):
        return None
    colours = images["kipkip0"][3]
    if "back" in images:
        back = images["back"][2]
        frame = [list(back[len(back) - 240 + y][:320]) for y in range(240)]
    else:  # a plain sky from the palette's blues
        frame = [[5 if y < 120 else 6] * 320 for y in range(240)]

    def draw(name, cell_w, cell_h, cell, x, y):
        if name not in images:
            return
        rows = images[name][2]
        cell_w = cell_w or len(rows[0])
        cell_h = cell_h or len(rows)
        columns = len(rows[0]) // cell_w
        cx, cy = (cell % columns) * cell_w, (cell // columns) * cell_h
        for j in range(cell_h):
            for i in range(cell_w):
                value = rows[cy + j][cx + i]
                if value and 0 <= x + i < 320 and 0 <= y + j < 240:
                    frame[y + j][x + i] = value

    def platform(x, y, size):
        pieces = [1] * 20 if size == 9 else [0] + [1] * size + [2]
        for k, piece in enumerate(pieces):
            draw("block", 16, 16, piece, x + 16 * k, y)

    def number(value, x, y):  # right-aligned: the last digit's cell starts at x
        for k, digit in enumerate(reversed(str(value))):
            draw("suuji", 16, 16, int(digit), x - 16 * k, y)

    platform(0, 180, 9)
    platform(20, 84, 3)
    platform(180, 132, 2)
    platform(250, 60, 0)
    draw("coin", 32, 32, 0, 20 + 40 - 16, 84 - 32)
    draw("coin", 32, 32, 2, 180 + 32 - 16, 132 - 32)
    draw("coin", 32, 32, 8, 250 + 16 - 16, 60 - 32)
    draw("enemy", 32, 32, 1, 150 - 16, 70 - 16)
    draw("enemy", 32, 32, 5, 290 - 16, 150 - 16)
    draw("kipkip0", 32, 48, 0, 100 - 16, 180 - 47)
    draw("kipkip0", 32, 48, 5, 40 - 16, 180 - 47)
    draw("kipkip0", 32, 48, 6, 140 - 16, 130 - 47)
    draw("drop", 56, 56, 0, 240 - 28, 180 - 59)
    draw("hiscore", 0, 0, 0, 200, -3)
    draw("time", 0, 0, 0, 112, -2)
    draw("m", 0, 0, 0, 87, 28)
    draw("m", 0, 0, 0, 279, 27)
    number(1234, 266, 28)
    number(87, 176, 28)
    number(905, 72, 28)
    return frame, colours


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--scale", type=int, default=3)
    parser.add_argument("--out", default=os.path.join(REPO, "build", "contact-sheet.png"))
    args = parser.parse_args(argv)
    scale = args.scale
    sizes = cell_sizes()
    bitmaps = load_bitmaps()
    margin = 16
    label_h = 18
    max_width = max([320 * 3] + [b[1] * scale for b in bitmaps]) + 2 * margin

    # Flow the bitmaps into rows no wider than max_width.
    placements = []
    x, y, row_h = margin, margin, 0
    for name, width, height, rows, colours in bitmaps:
        w, h = width * scale, height * scale + label_h
        if x + w > max_width - margin and x > margin:
            x, y, row_h = margin, y + row_h + margin, 0
        placements.append((x, y, name, width, height, rows, colours))
        x += w + margin
        row_h = max(row_h, h)
    y += row_h + margin
    images = {b[0]: (b[1], b[2], b[3], b[4]) for b in bitmaps}
    mock = mock_frame(images)
    mock_y = y
    total_h = y + ((240 * 2 + label_h + margin) if mock else 0)
    canvas = Canvas(max_width, total_h, BACKGROUND)

    for x, y, name, width, height, rows, colours in placements:
        cell_w, cell_h = sizes.get(name, (width, height))
        cell_text = f"  CELLS {cell_w}X{cell_h}" if (cell_w, cell_h) != (width, height) else ""
        canvas.text(x, y, f"{name} {width}X{height}{cell_text}", LABEL, 2)
        top = y + label_h
        canvas.image(x, top, rows, colours, scale)
        for gx in range(0, width + 1, cell_w):
            canvas.rect(x + gx * scale - (1 if gx else 0), top, 1, height * scale, GRID)
        for gy in range(0, height + 1, cell_h):
            canvas.rect(x, top + gy * scale - (1 if gy else 0), width * scale, 1, GRID)
        number = 0
        for gy in range(0, height - cell_h + 1, cell_h):
            for gx in range(0, width - cell_w + 1, cell_w):
                text = str(number)
                canvas.rect(x + gx * scale + 1, top + gy * scale + 1, 4 * len(text) + 1, 7,
                            NUMBER_BOX)
                canvas.text(x + gx * scale + 2, top + gy * scale + 2, text, NUMBER_INK)
                number += 1

    if mock:
        frame, colours = mock
        canvas.text(margin, mock_y, "MOCK FRAME 1X AND 2X", LABEL, 2)
        top = mock_y + label_h
        canvas.image(margin, top, frame, colours, 1, checkered=False)
        canvas.image(margin + 320 + margin, top, frame, colours, 2, checkered=False)

    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    with open(args.out, "wb") as f:
        f.write(canvas.png())
    print(f"wrote {os.path.relpath(os.path.abspath(args.out), REPO)} "
          f"({canvas.width}x{canvas.height}, {len(bitmaps)} bitmaps)")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
