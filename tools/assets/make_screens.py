#!/usr/bin/env python3
"""Draws KipKip's screen art: the backdrop, the title, the prompts, banners and headings.

Usage:
    tools/assets/make_screens.py            write every screen bitmap
    tools/assets/make_screens.py back time  write only these (by output name)
    tools/assets/make_screens.py --check    write nothing; exit 1 when a committed bitmap
                                            differs from what its source gives

Output (assets/bitmap/, 8-bit palette BMPs in the shared palette, index 0 transparent):
    back.bmp      320 x 960  the backdrop, meadow at the bottom to the stars at the top
    title.bmp     320 x 240  the title: the "KipKip" logo and the hero, drawn at 7,9
    spase.bmp     316 x  58  "PUSH SPACE KEY", blinking at 3,182
    gameover.bmp  209 x  70  "GAME OVER", at 62,83
    clear.bmp     215 x  65  "CLEAR!", at 45,86 between levels
    time.bmp      100 x  38  the "TIME" heading, at 112,-2, over the time left
    hiscore.bmp   120 x  40  the "HI-SCORE" heading, at 200,-3, over the best height
    m.bmp          37 x  22  the metre sign after the height (87,28) and the best (279,27)

The pictures are placed where the scene puts them, so each is laid out for its spot on
the 320 x 240 screen: the banners are centred on the screen rather than in their own
bitmaps, and the headings keep clear of the rows where the digits are drawn (16 x 16
cells at y 28; a number right-aligned at x has its last cell at x..x+15).

Sources: screens/font.txt (the heading font), screens/icons.txt (small pictures),
screens/lettering.py (how words are painted), screens/backdrop.py (the backdrop),
screens/logo.py (the title). The generated files are committed; the game's build never
runs this script.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "screens"))

import bmp  # noqa: E402
import backdrop  # noqa: E402
import lettering  # noqa: E402
import logo  # noqa: E402

REPO = os.path.dirname(os.path.dirname(HERE))
OUTPUT = os.path.join(REPO, "assets", "bitmap")
ICONS_PATH = os.path.join(HERE, "screens", "icons.txt")

# Screen geometry the layouts are made for.
SCREEN_W, SCREEN_H = 320, 240
DIGIT = 16            # digit cells are 16 x 16
DIGITS_Y = 28         # the three numbers are drawn at this row

ICON_COLOURS = {
    ".": "clear", "k": "ink", "w": "white", "g": "lightgrey", "y": "yellow", "o": "peach",
    "r": "brightred",
}


def load_icons(names):
    legend = {ch: names[n] for ch, n in ICON_COLOURS.items()}
    icons, name, lines = {}, None, []
    with open(ICONS_PATH, encoding="utf-8") as f:
        for raw in f.read().split("\n") + ["== end"]:
            if raw.startswith("== "):
                if name:
                    icons[name] = bmp.parse_grid("\n".join(lines), legend)
                name, lines = raw[3:].strip(), []
            elif name and raw.strip() and not raw.startswith("#"):
                lines.append(raw)
    return icons


class Kit:
    """Everything a picture is drawn with: the palette names, the font and the icons."""

    def __init__(self, palette):
        self.palette = palette
        self.names = bmp.palette_index(palette)
        self.font = lettering.load_font()
        self.icons = load_icons(self.names)

    def c(self, *names):
        return [self.names[n] for n in names]

    def i(self, name):
        return self.names[name]

    # The word styles used on every screen, so the game reads as one set.
    def heading_style(self):
        """Small labels of the top strip: warm gold, outlined, a hard shadow."""
        return lettering.Style(self.c("cream", "yellow", "yellow", "gold", "gold", "peach"),
                               self.i("ink"), 1, shadow=self.i("deepblue"), depth=1)

    def prompt_style(self):
        return lettering.Style(self.c("white", "white", "cloud", "paleSky", "paleSky"),
                               self.i("ink"), 1, dark=self.i("grey"),
                               shadow=self.i("deepblue"), depth=2, bevel=2)

    def clear_style(self):
        return lettering.Style(self.c("cream", "yellow", "yellow", "gold", "gold", "peach",
                                      "orange"),
                               self.i("ink"), 2, light=self.i("white"), dark=self.i("red"),
                               shadow=self.i("plum"), depth=4, bevel=2)

    def gameover_style(self):
        return lettering.Style(self.c("pink", "brightred", "brightred", "brightred", "red"),
                               self.i("ink"), 2, light=self.i("cream"), dark=self.i("plum"),
                               shadow=self.i("night"), depth=3, bevel=2)


def centred(width, content_width, centre):
    """Left column that puts content of this width with its middle on `centre`, kept
    inside the bitmap."""
    x = centre - content_width // 2
    return max(0, min(x, width - content_width))


# --- the headings of the top strip ------------------------------------------------------

def draw_time(kit):
    """TIME 100 x 38 at 112,-2: the label over the time left (right-aligned at x 176, so
    two digits fill x 160..191 and three x 144..191), a stopwatch before it."""
    w, h, ox, oy = 100, 38, 112, -2
    rows = bmp.blank(w, h)
    label = lettering.word("TIME", kit.font, kit.heading_style())
    icon = kit.icons["stopwatch"]
    gap = 3
    total = len(icon[0]) + gap + len(label[0])
    x = centred(w, total, 168 - ox)
    label_y = 14 - oy
    bmp.blit(rows, icon, x, label_y - 1)
    bmp.blit(rows, label, x + len(icon[0]) + gap, label_y)
    return rows


def draw_hiscore(kit):
    """HISCORE 120 x 40 at 200,-3: "HI-SCORE" over the best height (right-aligned at
    x 266; the metre sign follows at 279), a crown before it."""
    w, h, ox, oy = 120, 40, 200, -3
    rows = bmp.blank(w, h)
    label = lettering.word("HI-SCORE", kit.font, kit.heading_style())
    icon = kit.icons["crown"]
    gap = 3
    total = len(icon[0]) + gap + len(label[0])
    x = centred(w, total, 258 - ox)
    label_y = 14 - oy
    bmp.blit(rows, icon, x, label_y)
    bmp.blit(rows, label, x + len(icon[0]) + gap, label_y)
    return rows


M_GLYPH = """
    ##.##.##.
    #########
    ##..##.##
    ##..##.##
    ##..##.##
    ##..##.##
    ##..##.##
"""


def draw_m(kit):
    """M 37 x 22: the metre sign, a lower-case m sitting on the digits' baseline.

    It is placed at 87,28 right after the height's digits and at 279,27 after the best
    height's, whose last cell ends at x 281: the first columns stay clear so the sign
    never covers a digit. The rest of the picture is transparent."""
    w, h = 37, 22
    rows = bmp.blank(w, h)
    mask = [[ch == "#" for ch in line.strip()] for line in M_GLYPH.strip().split("\n")]
    style = lettering.Style(kit.c("cream", "yellow", "gold", "gold", "peach"), kit.i("ink"), 1,
                            shadow=kit.i("deepblue"), depth=1)
    glyph = lettering.paint(mask, style)
    # Digits fill rows 1..13 of their 16-high cells, with the outline on row 14 and the
    # shadow on row 15; the m stands on the same rows. Three columns of air keep it off
    # the best height's last digit, which ends only two columns before this picture.
    bmp.blit(rows, glyph, 3, DIGIT - len(glyph))
    return rows


# --- prompt and banners -----------------------------------------------------------------

def draw_spase(kit):
    """SPASE 316 x 58 at 3,182: "PUSH SPACE KEY" across the bottom of the screen, under
    the row the hero stands on (his feet are at y 180)."""
    w, h, ox, oy = 316, 58, 3, 182
    rows = bmp.blank(w, h)
    text = lettering.word("PUSH SPACE KEY", kit.font, kit.prompt_style(), scale=2)
    x = centred(w, len(text[0]), SCREEN_W // 2 - ox)
    bmp.blit(rows, text, x, 204 - oy)
    return rows


def draw_gameover(kit):
    """GAMEOVER 209 x 70 at 62,83: "GAME" over "OVER", centred on the screen."""
    w, h, ox, oy = 209, 70, 62, 83
    rows = bmp.blank(w, h)
    style = kit.gameover_style()
    game = lettering.word("GAME", kit.font, style, scale=3)
    over = lettering.word("OVER", kit.font, style, scale=3)
    pitch, stagger = 33, 8
    top = (h - (pitch + len(over))) // 2
    centre = SCREEN_W // 2 - ox
    # The two words stagger a little, so they read as one falling sign rather than a box.
    bmp.blit(rows, game, centred(w, len(game[0]), centre - stagger), top)
    bmp.blit(rows, over, centred(w, len(over[0]), centre + stagger), top + pitch)
    return rows


def draw_clear(kit):
    """CLEAR 215 x 65 at 45,86: a big golden "CLEAR!" with sparkles, centred on the
    screen."""
    w, h, ox, oy = 215, 65, 45, 86
    rows = bmp.blank(w, h)
    text = lettering.word("CLEAR!", kit.font, kit.clear_style(), scale=4)
    x = centred(w, len(text[0]), SCREEN_W // 2 - ox)
    y = (h - len(text)) // 2 + 1
    big, mid, small = kit.icons["sparkle"], kit.icons["glint"], kit.icons["twinkle"]
    bmp.blit(rows, text, x, y)
    # Sparkles on the corners, over the outline, as if the letters glinted.
    tw, th = len(text[0]), len(text)
    bmp.blit(rows, big, x - 8, y - 7)
    bmp.blit(rows, small, x + 16, y - 7)
    bmp.blit(rows, big, x + tw - 9, y + th - 14)
    bmp.blit(rows, mid, x + tw - 4, y - 4)
    bmp.blit(rows, small, x - 7, y + th - 9)
    return rows


# --- everything -------------------------------------------------------------------------

PICTURES = {
    # name: (width, height, drawing function)
    "back": (320, 960, lambda kit: backdrop.draw(kit.names)),
    "title": (320, 240, lambda kit: logo.draw_title(kit)),
    "spase": (316, 58, draw_spase),
    "gameover": (209, 70, draw_gameover),
    "clear": (215, 65, draw_clear),
    "time": (100, 38, draw_time),
    "hiscore": (120, 40, draw_hiscore),
    "m": (37, 22, draw_m),
}


def render(name, kit):
    width, height, draw = PICTURES[name]
    rows = draw(kit)
    if len(rows) != height or any(len(r) != width for r in rows):
        raise SystemExit(f"{name}: drew {len(rows[0])} x {len(rows)}, expected {width} x {height}")
    return width, height, rows


def main(argv):
    check = "--check" in argv
    wanted = [a for a in argv if not a.startswith("--")] or list(PICTURES)
    for name in wanted:
        if name not in PICTURES:
            raise SystemExit(f"unknown picture {name!r}; known: {', '.join(PICTURES)}")
    kit = Kit(bmp.load_palette())
    stale = []
    for name in wanted:
        width, height, rows = render(name, kit)
        path = os.path.join(OUTPUT, name + ".bmp")
        if check:
            if not os.path.exists(path) or bmp.read_bmp8(path)[2] != rows:
                stale.append(name)
            continue
        bmp.write_bmp8(path, width, height, rows, kit.palette)
        print(f"wrote {os.path.relpath(path, REPO)} ({width} x {height})")
    if stale:
        print("out of date: " + ", ".join(stale))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
