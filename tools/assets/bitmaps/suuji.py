"""SUUJI: the digits 0 to 9 for the time, the height and the high score, 80 x 32, ten
cells of 16 x 16 (five a row): digit d is cell d.

The numbers are drawn right-aligned with one cell per digit and no gap, so each glyph
keeps the cell's outer columns clear: 12 x 13 pixels of fill, a one-pixel ink outline
(columns 1 to 14, rows 0 to 14) and a one-pixel deep blue shadow under it (row 15). They
sit on the top strip over the sky next to the TIME, HI-SCORE and m pictures, so they are
painted in the same heading style: a fill graded from cream through yellow and gold to
peach, top to bottom, inside an ink outline with a deep blue drop shadow; the counters
(the holes of 0, 4, 6, 8, 9) are ink, so each digit stays crisp at 1x.

The glyphs below are masks ("#" is a fill pixel); build() paints them.
"""

import bmp
import cells

NAME = "suuji"
WIDTH, HEIGHT = 80, 32
CELL_W, CELL_H = 16, 16

FILL = ["cream", "yellow", "gold", "gold", "peach"]  # top to bottom
OUTLINE = "ink"
SHADOW = "deepblue"
GLYPH_X, GLYPH_Y = 2, 1  # where a glyph's fill starts in its cell

DIGITS = """
..########..  ....####....  ..########..  ..########..  ......####..
.##########.  ..######....  .##########.  .##########.  .....#####..
####....####  .#######....  ####....####  ####....####  ....######..
###......###  .###.###....  ###......###  .........###  ...###.###..
###......###  .....###....  .........###  .........###  ..###..###..
###......###  .....###....  .......####.  .....######.  .###...###..
###......###  .....###....  .....#####..  .....######.  ###....###..
###......###  .....###....  ...#####....  .........###  ############
###......###  .....###....  ..####......  .........###  ############
###......###  .....###....  .####.......  ###......###  .......###..
####....####  .....###....  ###.........  ####....####  .......###..
.##########.  .##########.  ############  .##########.  .......###..
..########..  .##########.  ############  ..########..  .......###..

############  ...#######..  ############  ..########..  ..########..
############  ..########..  ############  .##########.  .##########.
###.........  .####.......  .........###  ####....####  ####....####
###.........  ####........  ........####  ###......###  ###......###
##########..  ###.........  .......####.  ####....####  ###......###
###########.  ##########..  ......####..  .##########.  ####....####
.........###  ###########.  .....####...  .##########.  .###########
.........###  ####....####  .....###....  ####....####  ..##########
.........###  ###......###  ....####....  ###......###  .........###
###......###  ###......###  ....###.....  ###......###  ........####
####....####  ####....####  ....###.....  ####....####  .......####.
.##########.  .##########.  ....###.....  .##########.  ..########..
..########..  ..########..  ....###.....  ..########..  ..#######...
"""


def glyph_masks():
    """The ten masks, digit order, each a list of 13 strings of 12 characters."""
    blocks = [block for block in DIGITS.strip("\n").split("\n\n")]
    masks = []
    for block in blocks:
        lines = block.split("\n")
        columns = lines[0].split()
        for i in range(len(columns)):
            masks.append([line.split()[i] for line in lines])
    return masks


def paint(mask, names):
    """One 16 x 16 cell: the graded fill, the ink ring around it, the shadow under both."""
    height, width = len(mask), len(mask[0])
    body = [[False] * CELL_W for _ in range(CELL_H)]
    for y in range(height):
        for x in range(width):
            body[GLYPH_Y + y][GLYPH_X + x] = mask[y][x] == "#"

    def near(x, y):  # touches the fill, diagonals included
        return any(0 <= x + dx < CELL_W and 0 <= y + dy < CELL_H and body[y + dy][x + dx]
                   for dx in (-1, 0, 1) for dy in (-1, 0, 1))

    ring = [[near(x, y) for x in range(CELL_W)] for y in range(CELL_H)]
    rows = bmp.blank(CELL_W, CELL_H)
    for y in range(CELL_H):
        for x in range(CELL_W):
            if body[y][x]:
                band = (y - GLYPH_Y) * len(FILL) // height
                rows[y][x] = names[FILL[band]]
            elif ring[y][x]:
                rows[y][x] = names[OUTLINE]
            elif y > 0 and ring[y - 1][x]:
                rows[y][x] = names[SHADOW]
    # Counters (the holes of 0, 4, 6, 8 and 9, and the pockets the outline closes in 2, 3
    # and 5) are filled with ink: a 3-pixel stroke with an outline on both sides would leave
    # them a pixel or two of sky, which reads as noise at 1x, while a dark counter keeps
    # every digit's shape crisp.
    outside = set()
    stack = [(x, y) for x in range(CELL_W) for y in (0, CELL_H - 1)]
    stack += [(x, y) for y in range(CELL_H) for x in (0, CELL_W - 1)]
    while stack:
        x, y = stack.pop()
        if (x, y) in outside or not (0 <= x < CELL_W and 0 <= y < CELL_H) or rows[y][x]:
            continue
        outside.add((x, y))
        stack += [(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)]
    for y in range(CELL_H):
        for x in range(CELL_W):
            if not rows[y][x] and (x, y) not in outside:
                rows[y][x] = names[OUTLINE]
    return rows


def build(palette):
    names = bmp.palette_index(palette)
    masks = glyph_masks()
    if len(masks) != 10 or any(len(m) != 13 or any(len(r) != 12 for r in m) for m in masks):
        raise ValueError("suuji: expected ten glyphs of 12 x 13")
    return cells.assemble(WIDTH, HEIGHT, CELL_W, CELL_H,
                          {digit: paint(mask, names) for digit, mask in enumerate(masks)})
