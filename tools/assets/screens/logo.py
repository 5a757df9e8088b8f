"""The title picture: the "KipKip" logo in round, chunky letters and a big KipKip.

The logo's letters are drawn as thick pen strokes (straight lines, an oval and a dot, all
with round ends) rather than as grids, so that they come out round and bubbly at this
size; the painting (graded fill, light and dark edges, ink outline, deep shadow) is the
same as the rest of the game's lettering. The big KipKip is his jumping sprite from the
game's sheet (assets/bitmap/kipkip0.bmp), doubled with Scale2x, so he looks exactly like
the hero the player is about to steer.

The title is drawn at 7,9 over the backdrop, on its own layer. The heading strip (labels
and numbers, screen rows 0..48) stays visible on the title screen, and the blinking prompt
covers screen rows 182..239, so everything here sits between screen rows 50 and 180.
"""

import math
import os

import bmp
import lettering

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(os.path.dirname(HERE)))
HERO_SHEET = os.path.join(REPO, "assets", "bitmap", "kipkip0.bmp")

ORIGIN_X, ORIGIN_Y = 7, 9   # where the scene puts the title
WIDTH, HEIGHT = 320, 240


# --- strokes --------------------------------------------------------------------------------

def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    cx, cy = ax + t * dx, ay + t * dy
    return math.hypot(px - cx, py - cy)


class Pen:
    """Collects strokes of one letter and turns them into a mask."""

    def __init__(self, width, height, radius):
        self.width, self.height, self.radius = width, height, radius
        self.lines, self.rings, self.dots = [], [], []
        self.ellipses = []

    def line(self, ax, ay, bx, by):
        self.lines.append((ax, ay, bx, by))

    def ring(self, cx, cy, r):
        self.rings.append((cx, cy, r))

    def ellipse(self, cx, cy, rx, ry):
        self.ellipses.append((cx, cy, rx, ry))

    def dot(self, cx, cy, r):
        self.dots.append((cx, cy, r))

    def mask(self):
        r = self.radius
        rows = []
        for y in range(self.height):
            row = []
            for x in range(self.width):
                px, py = x + 0.5, y + 0.5
                inside = any(seg_dist(px, py, *l) <= r for l in self.lines)
                inside = inside or any(abs(math.hypot(px - cx, py - cy) - rr) <= r
                                       for cx, cy, rr in self.rings)
                inside = inside or any(math.hypot(px - cx, py - cy) <= rr
                                       for cx, cy, rr in self.dots)
                inside = inside or any(
                    abs(math.hypot((px - cx) / rx, (py - cy) / ry) - 1) * min(rx, ry) <= r
                    for cx, cy, rx, ry in self.ellipses)
                row.append(inside)
            rows.append(row)
        return rows


# Letter geometry, in pixels: cap height, x-height, descender, stroke half-width.
CAP, XH, DESC, R = 42, 29, 12, 5.5


def letter_k():
    p = Pen(31, CAP + DESC, R)
    p.line(R, R, R, CAP - R)
    p.line(31 - R, R, R + 5, CAP * 0.55 - 2)
    p.line(R + 7, CAP * 0.5 - 2, 31 - R, CAP - R)
    return p.mask()


def letter_i():
    p = Pen(12, CAP + DESC, R)
    p.line(6, CAP - XH + R, 6, CAP - R)
    p.dot(6, R + 0.5, R + 0.8)
    return p.mask()


def letter_p():
    p = Pen(34, CAP + DESC, R)
    p.line(R, CAP - XH + R, R, CAP + DESC - R)
    ry = XH / 2 - R + 1.5   # the bowl overshoots the x-height a little, as round letters do
    rx = ry + 3
    p.ellipse(34 - R - rx, CAP - XH / 2, rx, ry)
    return p.mask()


def side_by_side(masks, gap, lifts):
    """Letters next to each other with `gap` columns between them; each letter raised by
    its `lifts` entry (a little bounce makes the word livelier)."""
    lift_max = max(lifts)
    height = len(masks[0]) + lift_max
    rows = [[] for _ in range(height)]
    for i, (m, lift) in enumerate(zip(masks, lifts)):
        if i:
            for row in rows:
                row.extend([False] * gap)
        w = len(m[0])
        for y in range(height):
            src = y - (lift_max - lift)
            rows[y].extend(m[src] if 0 <= src < len(m) else [False] * w)
    return rows


def logo_mask():
    k, i, p = letter_k(), letter_i(), letter_p()
    return side_by_side([k, i, p, k, i, p], 3, [0, 3, 1, 0, 3, 1])


def logo(kit):
    style = lettering.Style(kit.c("cream", "yellow", "yellow", "gold", "peach", "orange"),
                            kit.i("ink"), 2, light=kit.i("white"), dark=kit.i("red"),
                            shadow=kit.i("red"), depth=5, bevel=2, smooth=True)
    rows = lettering.paint(logo_mask(), style)
    # The lowest rows of the extrusion darker, so the letters stand on something.
    red, plum = kit.i("red"), kit.i("plum")
    h, w = len(rows), len(rows[0])
    for y in range(h):
        for x in range(w):
            if rows[y][x] == red and (y + 2 >= h or rows[y + 2][x] != red) and \
                    (y + 1 >= h or rows[y + 1][x] in (0, red)):
                if y + 2 >= h or rows[y + 2][x] == 0:
                    rows[y][x] = plum
    return rows


# --- the hero ------------------------------------------------------------------------------

HERO_CELL = (32, 48)
JUMP_RIGHT = 6   # the sheet's cell of KipKip jumping, facing right, arm up


def scale2x(rows):
    """Doubles a sprite with the Scale2x rule: a doubled pixel takes a neighbour's colour
    where two neighbours agree on a diagonal, so outlines stay one colour and diagonals
    come out smooth instead of as steps of 2 x 2 blocks."""
    h, w = len(rows), len(rows[0])

    def at(x, y):
        return rows[min(max(y, 0), h - 1)][min(max(x, 0), w - 1)]

    out = [[0] * (2 * w) for _ in range(2 * h)]
    for y in range(h):
        for x in range(w):
            p = rows[y][x]
            a, b, c, d = at(x, y - 1), at(x + 1, y), at(x - 1, y), at(x, y + 1)
            e0 = a if c == a and c != d and a != b else p
            e1 = b if a == b and a != c and b != d else p
            e2 = c if d == c and d != b and c != a else p
            e3 = d if b == d and b != a and d != c else p
            out[2 * y][2 * x], out[2 * y][2 * x + 1] = e0, e1
            out[2 * y + 1][2 * x], out[2 * y + 1][2 * x + 1] = e2, e3
    return out


def hero_cell(cell):
    """One cell of the hero's sprite sheet, cropped to what is drawn in it. The big KipKip
    is grown from the game's own sprite, so the two never disagree."""
    if not os.path.exists(HERO_SHEET):
        raise SystemExit(f"{HERO_SHEET}: the hero's sprite sheet is needed for the title; "
                         "run make_bitmaps.py first")
    _, _, sheet, _ = bmp.read_bmp8(HERO_SHEET)
    cw, ch = HERO_CELL
    x0, y0 = (cell % 4) * cw, (cell // 4) * ch
    rows = [row[x0:x0 + cw] for row in sheet[y0:y0 + ch]]
    used_y = [y for y, row in enumerate(rows) if any(row)]
    used_x = [x for x in range(cw) if any(row[x] for row in rows)]
    return [row[min(used_x):max(used_x) + 1] for row in rows[min(used_y):max(used_y) + 1]]


def draw_title(kit):
    rows = bmp.blank(WIDTH, HEIGHT)
    word = logo(kit)
    hero = scale2x(hero_cell(JUMP_RIGHT))
    # Screen layout: the logo under the heading strip, KipKip leaping up below it, his feet
    # just above the lawn's edge (row 180) and the prompt.
    logo_top = 50
    hero_bottom = 176
    bmp.blit(rows, word, 160 - len(word[0]) // 2 - ORIGIN_X, logo_top - ORIGIN_Y)
    bmp.blit(rows, hero, 160 - len(hero[0]) // 2 - ORIGIN_X, hero_bottom - len(hero) - ORIGIN_Y)
    # A few glints around the name. The title can come back over any part of the backdrop
    # (the backdrop stays where the last game left it), so nothing here may lean on the
    # meadow being behind it.
    for name, sx, sy in (("sparkle", 70, 60), ("twinkle", 88, 50), ("glint", 240, 108),
                         ("twinkle", 254, 98)):
        icon = kit.icons[name]
        bmp.blit(rows, icon, sx - len(icon[0]) // 2 - ORIGIN_X, sy - len(icon) // 2 - ORIGIN_Y)
    return rows
