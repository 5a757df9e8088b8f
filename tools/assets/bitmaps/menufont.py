"""MENUFONT: the in-game menu's letters, 112 x 45, sixteen cells of 7 x 9 a row.

Cell c holds ASCII character 32 + c for c = 0 to 63 (space to underscore: the capitals, the
digits and the signs), then the four arrows left, right, up and down in cells 64 to 67 and
the menu's pointer, a solid triangle, in cell 68; the rest are empty. Lower case is drawn with the capitals, so it needs no cells.

Each glyph is 5 x 7 and sits at (1, 1) in its cell, its lit pixels white inside a one-pixel
ink ring (diagonals included): the menu is drawn over the dimmed game, whose backdrop runs
from dark blue to light sky, and the ring keeps every letter readable on all of it. The menu
draws a letter every 6 pixels, so the rings of neighbours fall on the same column and never
cover a lit pixel. The drawing code treats ink (palette index 1) as the ring and any other
visible index as the letter, and colours both itself.

The glyphs below are masks ("#" lit); the line above each group names its characters
("space", the arrows and the pointer by word).
"""

import bmp
import cells

NAME = "menufont"
WIDTH, HEIGHT = 112, 45
CELL_W, CELL_H = 7, 9
GLYPH_W, GLYPH_H = 5, 7
LIT, RING = "white", "ink"
ARROWS = ["left", "right", "up", "down"]
POINTER = "pointer"

GLYPHS = """
space !     "     #     $     %     &     '
..... ..#.. .#.#. .#.#. ..#.. ##..# .##.. ..#..
..... ..#.. .#.#. .#.#. .#### ##..# #..#. ..#..
..... ..#.. ..... ##### #.#.. ...#. #.#.. .#...
..... ..#.. ..... .#.#. .###. ..#.. .#... .....
..... ..#.. ..... ##### ..#.# .#... #.#.# .....
..... ..... ..... .#.#. ####. #..## #..#. .....
..... ..#.. ..... .#.#. ..#.. #..## .##.# .....

(     )     *     +     ,     -     .     /
...#. .#... ..... ..... ..... ..... ..... ....#
..#.. ..#.. ..#.. ..#.. ..... ..... ..... ....#
.#... ...#. #.#.# ..#.. ..... ..... ..... ...#.
.#... ...#. .###. ##### ..... ##### ..... ..#..
.#... ...#. #.#.# ..#.. .##.. ..... ..... .#...
..#.. ..#.. ..#.. ..#.. .##.. ..... .##.. #....
...#. .#... ..... ..... .#... ..... .##.. #....

0     1     2     3     4     5     6     7
.###. ..#.. .###. ##### ...#. ##### ..##. #####
#...# .##.. #...# ...#. ..##. #.... .#... ....#
#..## ..#.. ....# ..#.. .#.#. ####. #.... ...#.
#.#.# ..#.. ...#. ...#. #..#. ....# ####. ..#..
##..# ..#.. ..#.. ....# ##### ....# #...# .#...
#...# ..#.. .#... #...# ...#. #...# #...# .#...
.###. .###. ##### .###. ...#. .###. .###. .#...

8     9     :     ;     <     =     >     ?
.###. .###. ..... ..... ...#. ..... .#... .###.
#...# #...# .##.. .##.. ..#.. ..... ..#.. #...#
#...# #...# .##.. .##.. .#... ##### ...#. ....#
.###. .#### ..... ..... #.... ..... ....# ...#.
#...# ....# .##.. .##.. .#... ##### ...#. ..#..
#...# ...#. .##.. .##.. ..#.. ..... ..#.. .....
.###. .##.. ..... .#... ...#. ..... .#... ..#..

@     A     B     C     D     E     F     G
.###. .###. ####. .###. ####. ##### ##### .###.
#...# #...# #...# #...# #...# #.... #.... #...#
#.### #...# #...# #.... #...# #.... #.... #....
#.#.# ##### ####. #.... #...# ####. ####. #.###
#.### #...# #...# #.... #...# #.... #.... #...#
#.... #...# #...# #...# #...# #.... #.... #...#
.###. #...# ####. .###. ####. ##### #.... .####

H     I     J     K     L     M     N     O
#...# .###. ..### #...# #.... #...# #...# .###.
#...# ..#.. ...#. #..#. #.... ##.## #...# #...#
#...# ..#.. ...#. #.#.. #.... #.#.# ##..# #...#
##### ..#.. ...#. ##... #.... #.#.# #.#.# #...#
#...# ..#.. ...#. #.#.. #.... #...# #..## #...#
#...# ..#.. #..#. #..#. #.... #...# #...# #...#
#...# .###. .##.. #...# ##### #...# #...# .###.

P     Q     R     S     T     U     V     W
####. .###. ####. .#### ##### #...# #...# #...#
#...# #...# #...# #.... ..#.. #...# #...# #...#
#...# #...# #...# #.... ..#.. #...# #...# #...#
####. #...# ####. .###. ..#.. #...# #...# #.#.#
#.... #.#.# #.#.. ....# ..#.. #...# #...# #.#.#
#.... #..#. #..#. ....# ..#.. #...# .#.#. #.#.#
#.... .##.# #...# ####. ..#.. .###. ..#.. .#.#.

X     Y     Z     [     \\     ]     ^     _
#...# #...# ##### .###. #.... .###. ..#.. .....
#...# #...# ....# .#... #.... ...#. .#.#. .....
.#.#. .#.#. ...#. .#... .#... ...#. #...# .....
..#.. ..#.. ..#.. .#... ..#.. ...#. ..... .....
.#.#. ..#.. .#... .#... ...#. ...#. ..... .....
#...# ..#.. #.... .#... ....# ...#. ..... .....
#...# ..#.. ##### .###. ....# .###. ..... #####

left  right up    down  pointer
..... ..... ..#.. ..#.. #....
..#.. ..#.. .###. ..#.. ##...
.#... ...#. #.#.# ..#.. ###..
##### ##### ..#.. ..#.. ####.
.#... ...#. ..#.. #.#.# ###..
..#.. ..#.. ..#.. .###. ##...
..... ..... ..#.. ..#.. #....
"""


def glyph_masks():
    """{name: mask}: a name is the character itself, or "space" or an arrow's word."""
    masks = {}
    for block in GLYPHS.strip("\n").split("\n\n"):
        lines = block.split("\n")
        names = lines[0].split()
        rows = [line.split() for line in lines[1:]]
        if len(rows) != GLYPH_H or any(len(row) != len(names) for row in rows):
            raise ValueError(f"menufont: the group {' '.join(names)} is not {GLYPH_H} rows")
        for i, name in enumerate(names):
            mask = [row[i] for row in rows]
            if any(len(line) != GLYPH_W or set(line) - {".", "#"} for line in mask):
                raise ValueError(f"menufont: {name!r} is not {GLYPH_W} wide of '.' and '#'")
            masks[name] = mask
    return masks


def cell_order():
    """The names of cells 0, 1, 2, ...: ASCII 32 to 95, the arrows, the pointer."""
    return ["space"] + [chr(code) for code in range(33, 96)] + ARROWS + [POINTER]


def paint(mask, names):
    """One cell: the lit pixels at (1, 1) and the ink ring around them."""
    rows = bmp.blank(CELL_W, CELL_H)
    lit = {(x + 1, y + 1) for y in range(GLYPH_H) for x in range(GLYPH_W) if mask[y][x] == "#"}
    for y in range(CELL_H):
        for x in range(CELL_W):
            if (x, y) in lit:
                rows[y][x] = names[LIT]
            elif any((x + dx, y + dy) in lit for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
                rows[y][x] = names[RING]
    return rows


def build(palette):
    names = bmp.palette_index(palette)
    masks = glyph_masks()
    order = cell_order()
    missing = [name for name in order if name not in masks]
    if missing or len(masks) != len(order):
        raise ValueError(f"menufont: missing {missing}, {len(masks)} glyphs for {len(order)}")
    return cells.assemble(WIDTH, HEIGHT, CELL_W, CELL_H,
                          {index: paint(masks[name], names) for index, name in enumerate(order)})
