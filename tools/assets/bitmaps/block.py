"""BLOCK: the pieces platforms and floors are built from, 48 x 16, three cells of 16 x 16.

    cell 0  left end
    cell 1  middle piece
    cell 2  right end

A platform of size s is a left end, s middle pieces and a right end side by side (s = 0
joins the two ends directly); a floor is twenty middle pieces across the screen. So every
joint must be seamless: middle to middle, end to middle, and end to end. The ends are the
middle piece with a finished edge, which keeps the brick courses and the grass in step
across every joint.

A grassy ledge on two courses of bricks: lime-lit grass with a dark fringe over warm tan
bricks, ink outline all round (the top row is the outline the hero's feet and the coins
stand on). Light comes from the top left like on every sprite.
"""

import bmp
import cells

NAME = "block"
WIDTH, HEIGHT = 48, 16
CELL_W, CELL_H = 16, 16

LEGEND = {
    ".": "clear",
    "K": "ink",        # outline
    "L": "lime",       # grass, lit top
    "G": "green",      # grass
    "g": "darkgreen",  # grass fringe and shade
    "e": "dawn",       # brick, lit top row
    "T": "tan",        # brick
    "B": "brown",      # brick, shaded bottom and right
    "D": "darkbrown",  # mortar, shadow under the grass
}

LEFT = """
    .KKKKKKKKKKKKKKK
    KLLLLLLLLLLLLLLL
    KLGLGGGGGGGGLGGG
    KLGGGGGGGGGGGGGG
    KgGGGgGGgGGGGGgG
    KDgDDDDgDDDDgDDD
    KeeeeeBDeeeeeeBD
    KeTTTTBDTTTTTTBD
    KeTTTTBDTTTTTTBD
    KeBBBBBDBBBBBBBD
    KDDDDDDDDDDDDDDD
    KeBDeeeeeeBDeeee
    KeBDTTTTTTBDTTTT
    KeBDTTTTTTBDTTTT
    KBBDBBBBBBBDBBBB
    .KKKKKKKKKKKKKKK
"""

MIDDLE = """
    KKKKKKKKKKKKKKKK
    LLLLLLLLLLLLLLLL
    GGGLGGGGGGGGLGGG
    GGGGGGGGGGGGGGGG
    gGGGGgGGgGGGGGgG
    DgDDDDgDDDDgDDDD
    eeeeeeBDeeeeeeBD
    TTTTTTBDTTTTTTBD
    TTTTTTBDTTTTTTBD
    BBBBBBBDBBBBBBBD
    DDDDDDDDDDDDDDDD
    eeBDeeeeeeBDeeee
    TTBDTTTTTTBDTTTT
    TTBDTTTTTTBDTTTT
    BBBDBBBBBBBDBBBB
    KKKKKKKKKKKKKKKK
"""

RIGHT = """
    KKKKKKKKKKKKKKK.
    LLLLLLLLLLLLLLGK
    GGGLGGGGGGGGLGgK
    GGGGGGGGGGGGGGgK
    gGGGGgGGgGGGGggK
    DgDDDDgDDDDgDDDK
    eeeeeeBDeeeeeeBK
    TTTTTTBDTTTTTTBK
    TTTTTTBDTTTTTTBK
    BBBBBBBDBBBBBBBK
    DDDDDDDDDDDDDDDK
    eeBDeeeeeeBDeeBK
    TTBDTTTTTTBDTTBK
    TTBDTTTTTTBDTTBK
    BBBDBBBBBBBDBBBK
    KKKKKKKKKKKKKKK.
"""


def build(palette):
    legend = bmp.make_legend(LEGEND, palette)
    return cells.assemble(WIDTH, HEIGHT, CELL_W, CELL_H, {
        0: bmp.parse_grid(LEFT, legend),
        1: bmp.parse_grid(MIDDLE, legend),
        2: bmp.parse_grid(RIGHT, legend),
    })
