"""Lettering for KipKip's screens: the bold heading font and the word styles built on it.

A word is first turned into a plain mask (True where a letter is), at any whole-number
scale; the style then paints it: a fill graded from top to bottom, a light top edge and a
dark bottom edge on each stroke (so big letters look rounded rather than flat), an ink
outline around the whole word, and an extruded shadow below it. Painting the outline around
the word instead of each glyph keeps touching letters readable as one solid word.
"""

import os

HERE = os.path.dirname(os.path.abspath(__file__))
FONT_PATH = os.path.join(HERE, "font.txt")


BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def load_font(path=FONT_PATH):
    """Reads the glyph grids: {character: [row strings]}."""
    glyphs = {}
    name = None
    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.rstrip("\n")
            if line.startswith("== "):
                name = line[3:].strip()
                name = " " if name == "space" else name
                glyphs[name] = []
            elif name is None or not line.strip():
                continue  # the header, and the blank lines between glyphs
            else:
                glyphs[name].append(line)
    for char, rows in glyphs.items():
        if len({len(r) for r in rows}) != 1:
            raise ValueError(f"glyph {char!r}: rows of different widths")
        if len(rows) != len(glyphs["A"]):
            raise ValueError(f"glyph {char!r}: {len(rows)} rows, expected {len(glyphs['A'])}")
    return glyphs


def text_mask(text, font, scale=1, spacing=1):
    """The word as rows of booleans, glyphs side by side with `spacing` font pixels of air."""
    height = len(font["A"])
    columns = []  # font-pixel columns, each a list of booleans
    for i, char in enumerate(text):
        if char not in font:
            raise ValueError(f"no glyph for {char!r}")
        rows = font[char]
        if i:
            columns.extend([[False] * height] * spacing)
        for x in range(len(rows[0])):
            columns.append([rows[y][x] == "#" for y in range(height)])
    mask = []
    for y in range(height):
        row = []
        for column in columns:
            row.extend([column[y]] * scale)
        for _ in range(scale):
            mask.append(list(row))
    return mask


def dilate(mask, radius, round_corners=False):
    """Grows a mask by `radius` pixels (a square brush, or a rounded one)."""
    h, w = len(mask), len(mask[0])
    offsets = [(dx, dy) for dy in range(-radius, radius + 1) for dx in range(-radius, radius + 1)
               if not round_corners or abs(dx) + abs(dy) <= radius + radius // 2]
    out = [[False] * w for _ in range(h)]
    for y in range(h):
        for x in range(w):
            if not mask[y][x]:
                continue
            for dx, dy in offsets:
                nx, ny = x + dx, y + dy
                if 0 <= nx < w and 0 <= ny < h:
                    out[ny][nx] = True
    return out


def pad(mask, left, top, right, bottom):
    w = len(mask[0])
    rows = [[False] * (left + w + right) for _ in range(top)]
    rows += [[False] * left + list(r) + [False] * right for r in mask]
    rows += [[False] * (left + w + right) for _ in range(bottom)]
    return rows


class Style:
    """How a word is painted. Colours are palette indices.

    fill      colours from the top of the letters to their bottom (spread evenly)
    light     colour of each stroke's top edge (None: no bevel)
    dark      colour of each stroke's bottom edge (None: none)
    outline   colour of the ring around the word, `outline_width` pixels thick
    shadow    colour of the extrusion under the outlined word, `depth` pixels deep
    smooth    blend neighbouring fill colours with an ordered dither instead of hard bands
    """

    def __init__(self, fill, outline, outline_width=1, light=None, dark=None,
                 shadow=None, depth=0, bevel=1, smooth=False):
        self.fill = fill
        self.outline = outline
        self.outline_width = outline_width
        self.light = light
        self.dark = dark
        self.shadow = shadow
        self.depth = depth
        self.bevel = bevel
        self.smooth = smooth


def paint(mask, style):
    """Paints a mask in a style: rows of palette indices, 0 where nothing is."""
    ow, depth = style.outline_width, style.depth
    body = pad(mask, ow, ow, ow, ow + depth)
    ring = dilate(body, ow, round_corners=ow > 1) if ow else body
    h, w = len(body), len(body[0])
    out = [[0] * w for _ in range(h)]
    if style.shadow is not None and depth:
        for y in range(h):
            for x in range(w):
                if any(0 <= y - d and ring[y - d][x] for d in range(1, depth + 1)):
                    out[y][x] = style.shadow
    top = next(y for y in range(h) if any(body[y]))
    bottom = max(y for y in range(h) if any(body[y]))
    span = bottom - top + 1
    for y in range(h):
        for x in range(w):
            if body[y][x]:
                n = len(style.fill)
                if style.smooth:
                    # Centre each colour on its band and dither half-way into the next.
                    pos = (y - top + 0.5) * n / span - 0.5
                    band = int(pos) if pos > 0 else 0
                    if pos > 0 and BAYER[y % 4][x % 4] < (pos - band) * 16:
                        band += 1
                else:
                    band = (y - top) * n // span
                colour = style.fill[min(band, n - 1)]
                b = style.bevel
                if style.light is not None and not (y - b >= 0 and body[y - b][x]):
                    colour = style.light
                elif style.dark is not None and not (y + b < h and body[y + b][x]):
                    colour = style.dark
                out[y][x] = colour
            elif ring[y][x]:
                out[y][x] = style.outline
    return out


def word(text, font, style, scale=1, spacing=1):
    return paint(text_mask(text, font, scale, spacing), style)


def size(rows):
    return len(rows[0]), len(rows)
