"""KipKip's backdrop: one tall picture from the meadow at the tower's foot to the stars.

The picture is 320 x 960. The game shows its bottom 240 rows at the start and lets it slide
down by 1/256 of the hero's climb, so its top rows come into view after about 3840 metres.
Read from the bottom up it is a day going by: a meadow and a town under a pale horizon,
the blue afternoon sky with cumulus clouds, the evening with a low sun and streaks of pink
cloud, dusk, and the night with a moon and more and more stars towards the top.

Everything sits behind the play field, so it is kept soft: no ink outlines, few details,
colours close to their neighbours, and the sky darkens before the stars get dense so that
the white and yellow heading digits and the sprites stay easy to pick out.

All "random" choices come from one seeded generator, so the picture is the same on every
run of the generator.
"""

import math
import random

WIDTH, HEIGHT = 320, 960

# Ordered-dither thresholds (4 x 4 Bayer matrix), 0..15.
BAYER = [
    [0, 8, 2, 10],
    [12, 4, 14, 6],
    [3, 11, 1, 9],
    [15, 7, 13, 5],
]

# The sky from top to bottom: (colour, the row where it meets the next colour, how many
# rows the two are dithered over, centred on that row).
SKY = [
    ("space", 200, 72),
    ("deepblue", 336, 32),
    ("purple", 420, 32),
    ("dusk", 495, 28),
    ("sunset", 560, 28),
    ("dawn", 615, 28),
    ("paleSky", 660, 24),
    ("lightsky", 696, 28),
    ("sky", 840, 28),
    ("lightsky", 872, 24),
    ("paleSky", HEIGHT, 0),
]


class Canvas:
    def __init__(self, names, fill):
        self.names = names
        self.rows = [[names[fill]] * WIDTH for _ in range(HEIGHT)]

    def get(self, x, y):
        return self.rows[y][x]

    def put(self, x, y, name):
        if 0 <= x < WIDTH and 0 <= y < HEIGHT:
            self.rows[y][x] = self.names[name]

    def is_(self, x, y, name):
        return 0 <= x < WIDTH and 0 <= y < HEIGHT and self.rows[y][x] == self.names[name]


def dither(x, y, fraction):
    """True when pixel (x, y) takes the second colour of a blend `fraction` of the way."""
    return BAYER[y % 4][x % 4] < fraction * 16


def paint_sky(c):
    boundaries = [end for _, end, _ in SKY[:-1]]
    for y in range(HEIGHT):
        band = sum(1 for b in boundaries if y >= b)
        name = SKY[band][0]
        for x in range(WIDTH):
            c.put(x, y, name)
        # Blend with the neighbour across the nearer boundary.
        for i, (upper, b, width) in enumerate(SKY[:-1]):
            lo, hi = b - width // 2, b + width // 2
            if lo <= y < hi:
                lower = SKY[i + 1][0]
                fraction = (y - lo + 0.5) / width
                for x in range(WIDTH):
                    c.put(x, y, lower if dither(x, y, fraction) else upper)


# --- stars and the moon -------------------------------------------------------------------

def star_density(y):
    """Stars per 1000 pixels at row y: thick at the top, none below dusk."""
    if y < 120:
        return 5.0
    if y < 340:
        return 5.0 * (340 - y) / 220
    return 0.0


def paint_stars(c, rnd):
    for y in range(0, 360):
        for x in range(WIDTH):
            if rnd.random() * 1000 < star_density(y):
                bright = rnd.random()
                if bright < 0.55:
                    name = "slate" if y > 180 else "lavender"
                elif bright < 0.85:
                    name = "grey"
                elif bright < 0.96:
                    name = "lightgrey"
                else:
                    name = "starlight"
                c.put(x, y, name)
    # A few twinkling crosses among the brightest stars.
    twinkles = [(28, 22), (142, 60), (300, 96), (96, 150), (212, 128), (58, 236), (268, 212),
                (180, 18), (20, 330 - 40), (236, 300)]
    for x, y in twinkles:
        arm = "grey" if y < 200 else "slate"
        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            c.put(x + dx, y + dy, arm)
        if y < 160:
            for dx, dy in ((2, 0), (-2, 0), (0, 2), (0, -2)):
                c.put(x + dx, y + dy, "slate" if y < 120 else "deepblue")
        c.put(x, y, "starlight")


def disc(cx, cy, r):
    """Pixels of a filled circle (integer centre), as a set of (x, y)."""
    pts = set()
    ri = int(math.ceil(r))
    for dy in range(-ri, ri + 1):
        for dx in range(-ri, ri + 1):
            if dx * dx + dy * dy <= r * r:
                pts.add((cx + dx, cy + dy))
    return pts


def paint_moon(c, cx=250, cy=96, r=15):
    body = disc(cx, cy, r)
    bite = disc(cx + 8, cy - 5, r - 1)
    moon = body - bite
    glow = disc(cx, cy, r + 3) - body
    for x, y in glow:
        if (x, y) not in bite and c.is_(x, y, "space"):
            if dither(x, y, 0.5):
                c.put(x, y, "night")
    for x, y in moon:
        # Light from the open side: the rim next to the bite is the brightest.
        inner = (x + 1, y - 1) in bite or (x + 1, y) in bite
        lower = (x, y + 1) not in moon or (x - 1, y + 1) not in moon
        c.put(x, y, "starlight")
        if lower:
            c.put(x, y, "gold")
        elif inner:
            c.put(x, y, "cream")
    # Two soft craters.
    for x, y in ((cx - 9, cy + 2), (cx - 5, cy + 8), (cx - 4, cy + 9)):
        if (x, y) in moon:
            c.put(x, y, "dawn")


def paint_planet(c, cx=64, cy=104):
    """A small ringed planet, far away in the night sky."""
    body = disc(cx, cy, 6)
    for x, y in body:
        shade = "lavender" if x - cx + (y - cy) > 2 else "dusk"
        if x - cx + (y - cy) < -5:
            shade = "pink"
        c.put(x, y, shade)
    # The ring: a flat ellipse, hidden where it passes behind the planet.
    for t in range(0, 360, 3):
        a = math.radians(t)
        x = cx + round(11 * math.cos(a))
        y = cy + round(3 * math.sin(a) - 2 * math.cos(a))
        behind = math.sin(a) < 0 and (x, y) in body
        if not behind:
            c.put(x, y, "gold" if math.sin(a) > 0 else "tan")


# --- clouds -------------------------------------------------------------------------------

def capsule(x0, x1, top, bottom):
    """A flat band with round ends, from column x0 to x1 and row top to bottom."""
    r = (bottom - top) / 2
    cy = (top + bottom) / 2
    pts = set()
    for y in range(top, bottom + 1):
        for x in range(int(x0 - r), int(x1 + r) + 1):
            dx = max(x0 - x, 0, x - x1)
            if dx * dx + (y - cy) ** 2 <= r * r + 0.5:
                pts.add((x, y))
    return pts


def cloud_shape(cx, base, width, rnd, puff=1.0):
    """A cumulus: a flat-bottomed band with overlapping round puffs heaped on top,
    the biggest in the middle."""
    h = max(3, int(5 * puff))
    pts = capsule(cx - width // 2 + h, cx + width // 2 - h, base - 2 * h, base)
    n = max(3, width // 11)
    for i in range(n):
        t = (i + 0.5) / n
        px = cx - width // 2 + int(t * width)
        r = (3 + 9 * puff * (1 - abs(t - 0.5) * 1.5)) * (0.85 + 0.3 * rnd.random())
        py = base - 2 * h - int(r * 0.1) + rnd.randint(0, 2)
        pts |= disc(px, py, r)
    return {(x, y) for x, y in pts if y <= base}


def paint_cumulus(c, pts, body, shade, rim, rim_below):
    for x, y in pts:
        name = body
        if (x, y + 1) not in pts:
            name = rim_below
        elif (x, y + 3) not in pts or ((x + 2, y + 2) not in pts and (x, y + 5) not in pts):
            name = shade
        if (x, y - 1) not in pts and (x - 1, y - 1) not in pts and rim:
            name = rim
        c.put(x, y, name)


def paint_day_clouds(c, rnd):
    clouds = [
        # (centre x, bottom row, width, puff size)
        (40, 826, 64, 1.0),
        (250, 790, 80, 1.15),
        (120, 742, 50, 0.85),
        (300, 700, 46, 0.8),
        (178, 676, 58, 0.9),
        (22, 652, 44, 0.8),
    ]
    for cx, base, width, puff in clouds:
        pts = cloud_shape(cx, base, width, rnd, puff)
        if base > 760:
            paint_cumulus(c, pts, "white", "paleSky", None, "lightsky")
        else:
            paint_cumulus(c, pts, "white", "paleSky", None, "lightsky")


def streak(c, x0, y, length, body, under, top=None):
    """A long evening cloud: a flat band with round ends and a smaller one on top of it,
    lit from below by the low sun."""
    pts = capsule(x0, x0 + length, y, y + 5)
    pts |= capsule(x0 + length // 5, x0 + length // 5 + length // 3, y - 4, y + 2)
    pts |= capsule(x0 + length // 2, x0 + length // 2 + length // 5, y - 2, y + 2)
    for x, yy in pts:
        name = body
        if (x, yy + 1) not in pts or (x, yy + 2) not in pts:
            name = under
        elif top and (x, yy - 1) not in pts:
            name = top
        c.put(x % WIDTH, yy, name)


def paint_evening_clouds(c):
    streaks = [
        # (x, row, length, body, underside)
        (190, 456, 60, "lavender", "pink"),
        (14, 476, 50, "lavender", "pink"),
        (226, 520, 70, "dusk", "dawn"),
        (112, 540, 54, "dusk", "dawn"),
        (262, 584, 44, "sunset", "cream"),
        (6, 600, 64, "sunset", "cream"),
        (150, 628, 40, "white", "paleSky"),
    ]
    for x, y, length, body, edge in streaks:
        streak(c, x, y, length, body, edge)


def paint_sun(c, cx=84, cy=560, r=17):
    for x, y in disc(cx, cy, r + 3) - disc(cx, cy, r):
        if dither(x, y, 0.5):
            c.put(x, y, "dawn")
    for x, y in disc(cx, cy, r):
        c.put(x, y, "cream" if (y - cy) < r * 0.6 else "gold")


def paint_night_clouds(c):
    """Dark clouds in the night sky, with a moonlit top edge."""
    for x, y, length, body, top in ((196, 286, 64, "darkslate", "slate"),
                                    (20, 318, 50, "darkslate", "slate"),
                                    (240, 376, 58, "plum", "dusk"),
                                    (56, 408, 46, "plum", "dusk")):
        pts = capsule(x, x + length, y, y + 5)
        pts |= capsule(x + length // 4, x + length // 4 + length // 3, y - 4, y + 2)
        pts |= capsule(x + length // 2 + 4, x + length // 2 + length // 5 + 4, y - 2, y + 2)
        for xx, yy in pts:
            name = top if (xx, yy - 1) not in pts else body
            c.put(xx % WIDTH, yy, name)


# --- small things in the sky --------------------------------------------------------------

def paint_balloon(c, cx=205, top=612):
    """A hot-air balloon drifting in the afternoon sky.

    As the backdrop scrolls the balloon passes the row of digits at the top of the screen, so it
    drifts in the one gap between the numbers' columns: the time's three digits end at x 191 and
    a four-digit high score begins at x 218 (cells of 16 at 144 and 218, see make_screens.py).
    """
    shape = [
        "..rrcrr..",
        ".rrccrrr.",
        "rrrccrrrr",
        "rrrccrrrr",
        "RrrccrrrR",
        ".RrccrrR.",
        "..RccrR..",
        "...RRR...",
        "...b.b...",
        "...b.b...",
        "...ttt...",
        "...TTT...",
    ]
    colours = {"r": "brightred", "R": "red", "c": "cream", "b": "darkbrown", "t": "tan", "T": "brown"}
    for dy, line in enumerate(shape):
        for dx, ch in enumerate(line):
            if ch != ".":
                c.put(cx - 4 + dx, top + dy, colours[ch])


def paint_birds(c):
    for x, y in ((60, 760), (70, 756), (78, 762), (216, 724)):
        for dx, dy in ((-2, -1), (-1, 0), (1, 0), (2, -1)):
            c.put(x + dx, y + dy, "slate")
        c.put(x, y + 1, "slate")


# --- the town and the meadow --------------------------------------------------------------

def paint_far_hills(c, rnd):
    """Soft hills on the horizon, lighter than anything in front of them."""
    for x in range(WIDTH):
        h = 12 + 6 * math.sin(x / 37.0) + 4 * math.sin(x / 13.0 + 1.3)
        top = int(868 - h)
        for y in range(top, HEIGHT):
            c.put(x, y, "lightstone" if y < top + 2 else "grey")


def building(c, x0, w, top, wall, roof, window, rnd, bottom=905, peak=None):
    for y in range(top, bottom):
        for x in range(x0, x0 + w):
            c.put(x, y, wall)
    if peak == "gable":
        half = (w + 1) // 2
        for i in range(half + 1):
            for x in range(x0 - 1 + i, x0 + w + 1 - i):
                c.put(x, top - 1 - i, roof)
    elif peak == "flat":
        for x in range(x0 - 1, x0 + w + 1):
            c.put(x, top - 1, roof)
            c.put(x, top - 2, roof)
    # Windows in a tidy grid, some of them lit.
    for wy in range(top + 3, bottom - 6, 5):
        for wx in range(x0 + 2, x0 + w - 2, 4):
            c.put(wx, wy, window)
            c.put(wx, wy + 1, window)


def paint_clock_tower(c, tx, tw, top=806, bottom=905):
    """The town's old clock tower, the tallest thing on the horizon: lit from the left."""
    half = tx + tw // 2
    for y in range(top, bottom):
        for x in range(tx, tx + tw):
            c.put(x, y, "lightstone" if x < half else "grey")
    for y in range(top, top + 3):  # a cornice under the clock
        for x in range(tx - 1, tx + tw + 1):
            c.put(x, y, "cloud" if y == top else ("lightstone" if x < half else "grey"))
    # The clock face.
    cx, cy = half, top + 12
    for x, y in disc(cx, cy, 6):
        c.put(x, y, "slate")
    for x, y in disc(cx, cy, 5):
        c.put(x, y, "cloud")
    for dy in range(-4, 1):
        c.put(cx, cy + dy, "darkslate")
    for dx in range(0, 4):
        c.put(cx + dx, cy, "darkslate")
    # Slit windows further down.
    for y in range(top + 24, bottom - 20, 22):
        for dy in range(6):
            c.put(half - 1, y + dy, "slate")
            c.put(half, y + dy, "slate")
    # The belfry with two arches, then a tall pointed roof.
    for y in range(top - 12, top):
        for x in range(tx + 1, tx + tw - 1):
            c.put(x, y, "lightstone" if x < half else "grey")
    for ax in (tx + 4, tx + tw - 7):
        for y in range(top - 9, top - 2):
            for x in (ax, ax + 1, ax + 2):
                if y > top - 9 or x == ax + 1:
                    c.put(x, y, "slate")
    roof_base = top - 12
    for i in range(22):
        inset = i * (tw // 2 + 1) // 22
        for x in range(tx - 1 + inset, tx + tw + 1 - inset):
            c.put(x, roof_base - 1 - i, "dusk" if x < half else "lavender")
    c.put(half - 1, roof_base - 23, "lavender")
    for y in range(roof_base - 28, roof_base - 22):
        c.put(half - 1, y, "slate")
    for x in range(half - 1, half + 3):
        c.put(x, roof_base - 27, "brightred")
        c.put(x, roof_base - 26, "brightred")


def paint_town(c, rnd):
    # Far row: pale blocks of flats.
    far = [(0, 18, 852), (16, 14, 846), (28, 22, 858), (52, 12, 840), (62, 20, 854),
           (86, 16, 848), (104, 24, 860), (130, 14, 844), (146, 20, 856), (170, 18, 850),
           (190, 16, 842), (206, 22, 858), (232, 14, 850), (296, 24, 846)]
    for x0, w, top in far:
        building(c, x0, w, top, "lightstone", "grey", "paleSky", rnd, peak="flat")
    paint_clock_tower(c, 262, 18)
    # Near row: little houses with red and blue roofs.
    houses = [(6, 20, 876, "red"), (34, 16, 880, "blue"), (58, 22, 874, "orange"),
              (92, 18, 878, "red"), (120, 20, 872, "blue"), (152, 16, 880, "orange"),
              (176, 22, 875, "red"), (208, 18, 879, "blue"), (236, 20, 874, "red"),
              (290, 20, 877, "orange")]
    for x0, w, top, roof in houses:
        building(c, x0, w, top, "cloud", roof, "grey", rnd, peak="gable")


def paint_meadow(c, rnd):
    """Trees and a hedge along the row the hero starts on, then grass to the bottom."""
    # Round tree crowns behind the hedge.
    for cx, cy, r in ((18, 888, 9), (84, 886, 10), (146, 889, 8), (200, 887, 9), (252, 885, 11),
                      (312, 888, 9)):
        lit = disc(cx - 2, cy - 2, r - 2)
        for x, y in disc(cx, cy, r):
            c.put(x, y, "green" if (x, y) in lit else "darkgreen")
    # The hedge: a bumpy green band.
    for x in range(WIDTH):
        bump = int(2.5 + 2.5 * math.sin(x / 5.0) + 1.5 * math.sin(x / 2.3))
        for y in range(894 - bump, 902):
            c.put(x, y, "green" if y < 896 - bump else "darkgreen")
    # The lawn: a light edge on top, darker towards the bottom of the screen.
    for y in range(902, HEIGHT):
        for x in range(WIDTH):
            name = "lime" if y < 904 else "green"
            if y > 930 and dither(x, y, min(1.0, (y - 930) / 24)):
                name = "darkgreen"
            c.put(x, y, name)
    # Tufts and a sprinkling of flowers.
    for _ in range(70):
        x, y = rnd.randrange(WIDTH), rnd.randrange(906, HEIGHT - 1)
        c.put(x, y, "lime")
        c.put(x - 1, y + 1, "lime")
        c.put(x + 1, y + 1, "lime")
    for _ in range(40):
        x, y = rnd.randrange(WIDTH), rnd.randrange(908, HEIGHT - 1)
        c.put(x, y, rnd.choice(["yellow", "white", "pink", "cream"]))


def draw(names, seed=20240601):
    """The finished backdrop as rows of palette indices, top row first."""
    rnd = random.Random(seed)
    c = Canvas(names, "sky")
    paint_sky(c)
    paint_stars(c, rnd)
    paint_moon(c)
    paint_planet(c)
    paint_night_clouds(c)
    paint_sun(c)
    paint_evening_clouds(c)
    paint_day_clouds(c, rnd)
    paint_balloon(c)
    paint_birds(c)
    paint_far_hills(c, rnd)
    paint_town(c, rnd)
    paint_meadow(c, rnd)
    return c.rows
