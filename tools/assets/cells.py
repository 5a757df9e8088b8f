"""Helpers for bitmaps cut into cells: sprite sheets, composition and recolouring.

Works on the same pixel rows as bmp.py (a list of rows, top first, each a list of palette
indices; index 0 is transparent). Nothing here knows about any particular bitmap.

    assemble(width, height, cell_w, cell_h, cells) -> rows
        A sheet of width x height made of cells numbered left to right, top to bottom.
        `cells` maps a cell number to its rows (exactly cell_w x cell_h); missing cells
        stay transparent.
    overlay(*layers) -> rows
        Same-sized layers drawn in order onto a transparent canvas (later on top, index 0
        never covers).
    shift(rows, dx, dy) -> rows
        The content moved by (dx, dy) inside a canvas of the same size; what leaves the
        canvas is dropped. Raises ValueError when a visible pixel would be lost, so a shift
        cannot silently crop a sprite.
    recolour(rows, mapping) -> rows
        Every index found in `mapping` replaced by its value.
    silhouette(rows, fill, edge=None) -> rows
        Every visible pixel set to `fill`; with `edge`, visible pixels that touch a
        transparent pixel or the canvas border (4-neighbourhood) get `edge` instead.
"""

from bmp import blank, blit


def assemble(width, height, cell_w, cell_h, cells):
    if width % cell_w or height % cell_h:
        raise ValueError(f"{width}x{height} is not a whole number of {cell_w}x{cell_h} cells")
    columns = width // cell_w
    count = columns * (height // cell_h)
    sheet = blank(width, height)
    for number, rows in cells.items():
        if not 0 <= number < count:
            raise ValueError(f"cell {number} outside the sheet's {count} cells")
        if len(rows) != cell_h or any(len(row) != cell_w for row in rows):
            raise ValueError(f"cell {number} is not {cell_w}x{cell_h}")
        blit(sheet, rows, (number % columns) * cell_w, (number // columns) * cell_h)
    return sheet


def overlay(*layers):
    height = len(layers[0])
    width = len(layers[0][0])
    canvas = blank(width, height)
    for layer in layers:
        if len(layer) != height or any(len(row) != width for row in layer):
            raise ValueError("overlay layers differ in size")
        blit(canvas, layer, 0, 0)
    return canvas


def shift(rows, dx, dy):
    height = len(rows)
    width = len(rows[0])
    moved = blank(width, height)
    for y, row in enumerate(rows):
        for x, value in enumerate(row):
            if value == 0:
                continue
            nx, ny = x + dx, y + dy
            if not (0 <= nx < width and 0 <= ny < height):
                raise ValueError(f"shift ({dx}, {dy}) pushes pixel ({x}, {y}) off the canvas")
            moved[ny][nx] = value
    return moved


def recolour(rows, mapping):
    return [[mapping.get(value, value) for value in row] for row in rows]


def silhouette(rows, fill, edge=None):
    height = len(rows)
    width = len(rows[0])

    def open_at(x, y):
        return not (0 <= x < width and 0 <= y < height) or rows[y][x] == 0

    result = blank(width, height)
    for y in range(height):
        for x in range(width):
            if rows[y][x] == 0:
                continue
            touching = any(open_at(x + ox, y + oy) for ox, oy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            result[y][x] = edge if edge is not None and touching else fill
    return result
