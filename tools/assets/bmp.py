"""Palette loading, text pixel grids and the 8-bit BMP writer shared by every KipKip bitmap.

Every bitmap of the game is an uncompressed 8-bit palettised BMP ("BMP3": 14-byte file
header, 40-byte BITMAPINFOHEADER, 256-entry colour table, bottom-up rows padded to four
bytes). All of them use the same palette, tools/assets/palette.txt; index 0 (pure black) is
the transparent colour, so a shape never uses it inside itself.

Stable API (other generators import it; keep these signatures as they are):

    load_palette(path) -> list[(name, (r, g, b))]
        Reads palette.txt ("index name #rrggbb" a line, '#' comments and blank lines
        ignored). The list is indexed by palette index; indices must run 0, 1, 2, ...
        without gaps. At most 256 entries.

    palette_index(palette) -> dict[name, index]
        Name -> index lookup for a loaded palette.

    parse_grid(text, legend) -> list[list[int]]
        Turns a text pixel grid into rows of palette indices. `legend` maps one character
        to a palette index (int). Leading/trailing blank lines of `text` are dropped and
        the common leading indentation is removed, so grids can sit indented in a
        triple-quoted string; every remaining line must have the same width. Any
        character missing from the legend raises ValueError naming line and column.

    make_legend(pairs, palette) -> dict[str, int]
        Builds a legend for parse_grid from {char: palette name} (e.g. {'.': 'clear',
        'K': 'ink'}); unknown names raise ValueError.

    blank(width, height, index=0) -> list[list[int]]
        A new canvas of rows filled with one index.

    blit(dest, src, x, y, transparent=True)
        Copies the rows `src` into `dest` at (x, y), clipped to dest. With transparent,
        index-0 source pixels leave dest unchanged.

    mirror(rows) -> list[list[int]]
        The rows flipped left to right (a new list).

    write_bmp8(path, width, height, pixels_rows, palette)
        Writes the BMP. `pixels_rows` is a list of `height` rows, top row first, each a
        list (or bytes) of `width` palette indices. `palette` is what load_palette
        returned, or a plain list of (r, g, b) tuples. Creates the parent directory.
        Raises ValueError on a wrong size or an index outside the palette.

    encode_bmp8(width, height, pixels_rows, palette) -> bytes
        The same file as write_bmp8 would write, in memory.

    read_bmp8(path) -> (width, height, rows, colours)
        Reads back an uncompressed 8-bit BMP written by write_bmp8 (or any bottom-up or
        top-down BI_RGB 8-bit BMP): rows top first as lists of indices, colours as
        (r, g, b) tuples. Used by the contact sheet and for checks.
"""

import os
import struct
import textwrap

HERE = os.path.dirname(os.path.abspath(__file__))
PALETTE_PATH = os.path.join(HERE, "palette.txt")


def load_palette(path=PALETTE_PATH):
    entries = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            parts = line.split()
            if len(parts) != 3 or not parts[2].startswith("#") or len(parts[2]) != 7:
                raise ValueError(f"{path}:{number}: expected 'index name #rrggbb'")
            index, name, colour = int(parts[0]), parts[1], parts[2]
            if index != len(entries):
                raise ValueError(f"{path}:{number}: index {index} out of order")
            rgb = tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))
            entries.append((name, rgb))
    if not entries or len(entries) > 256:
        raise ValueError(f"{path}: needs 1 to 256 colours, has {len(entries)}")
    return entries


def palette_index(palette):
    return {name: i for i, (name, _) in enumerate(palette)}


def make_legend(pairs, palette):
    names = palette_index(palette)
    legend = {}
    for char, name in pairs.items():
        if len(char) != 1:
            raise ValueError(f"legend key {char!r} must be one character")
        if name not in names:
            raise ValueError(f"legend {char!r}: no palette colour named {name!r}")
        legend[char] = names[name]
    return legend


def parse_grid(text, legend):
    lines = textwrap.dedent(text).split("\n")
    while lines and not lines[0].strip():
        lines.pop(0)
    while lines and not lines[-1].strip():
        lines.pop()
    if not lines:
        raise ValueError("empty grid")
    lines = [line.rstrip("\n") for line in lines]
    width = len(lines[0])
    rows = []
    for y, line in enumerate(lines):
        if len(line) != width:
            raise ValueError(f"grid line {y + 1} is {len(line)} wide, expected {width}: {line!r}")
        row = []
        for x, char in enumerate(line):
            if char not in legend:
                raise ValueError(f"grid line {y + 1} column {x + 1}: {char!r} not in legend")
            row.append(legend[char])
        rows.append(row)
    return rows


def blank(width, height, index=0):
    return [[index] * width for _ in range(height)]


def blit(dest, src, x, y, transparent=True):
    for sy, row in enumerate(src):
        dy = y + sy
        if dy < 0 or dy >= len(dest):
            continue
        drow = dest[dy]
        for sx, value in enumerate(row):
            dx = x + sx
            if dx < 0 or dx >= len(drow):
                continue
            if transparent and value == 0:
                continue
            drow[dx] = value


def mirror(rows):
    return [list(reversed(row)) for row in rows]


def _colours(palette):
    colours = []
    for entry in palette:
        if len(entry) == 2 and isinstance(entry[0], str):
            entry = entry[1]
        r, g, b = entry
        colours.append((int(r), int(g), int(b)))
    return colours


def write_bmp8(path, width, height, pixels_rows, palette):
    data = encode_bmp8(width, height, pixels_rows, palette, path)
    directory = os.path.dirname(os.path.abspath(path))
    os.makedirs(directory, exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def encode_bmp8(width, height, pixels_rows, palette, path="bitmap"):
    colours = _colours(palette)
    if not 1 <= len(colours) <= 256:
        raise ValueError("palette needs 1 to 256 colours")
    if len(pixels_rows) != height:
        raise ValueError(f"{path}: {len(pixels_rows)} rows, expected {height}")
    stride = (width + 3) & ~3
    body = bytearray()
    for y in range(height - 1, -1, -1):  # BMP rows run bottom-up
        row = pixels_rows[y]
        if len(row) != width:
            raise ValueError(f"{path}: row {y} is {len(row)} wide, expected {width}")
        for value in row:
            if not 0 <= value < len(colours):
                raise ValueError(f"{path}: row {y} has index {value} outside the palette")
        body += bytes(row) + b"\0" * (stride - width)
    table = bytearray()
    for i in range(256):
        r, g, b = colours[i] if i < len(colours) else (0, 0, 0)
        table += bytes((b, g, r, 0))
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(body),
                       2835, 2835, 256, 0)
    return bytes(header + info + table + body)


def read_bmp8(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        raise ValueError(f"{path}: not a BMP")
    offset = struct.unpack_from("<I", data, 10)[0]
    size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    used = struct.unpack_from("<I", data, 46)[0]
    if bits != 8 or compression != 0:
        raise ValueError(f"{path}: only uncompressed 8-bit BMPs are read")
    count = used or 256
    colours = []
    for i in range(count):
        b, g, r, _ = data[14 + size + 4 * i:14 + size + 4 * i + 4]
        colours.append((r, g, b))
    top_down = height < 0
    height = abs(height)
    stride = (width + 3) & ~3
    rows = []
    for i in range(height):
        start = offset + i * stride
        rows.append(list(data[start:start + width]))
    if not top_down:
        rows.reverse()
    return width, height, rows, colours
