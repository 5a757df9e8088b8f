"""Helpers for bitmaps cut into cells: sprite sheets and recolouring.

Works on the same pixel rows as bmp.py (a list of rows, top first, each a list of palette
indices; index 0 is transparent). Nothing here knows about any particular bitmap.

    assemble(width, height, cell_w, cell_h, cells) -> rows
        A sheet of width x height made of cells numbered left to right, top to bottom.
        `cells` maps a cell number to its rows (exactly cell_w x cell_h); missing cells
        stay transparent.
    recolour(rows, mapping) -> rows
        A copy with every index found in `mapping` replaced by its value.
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


def recolour(rows, mapping):
    return [[mapping.get(value, value) for value in row] for row in rows]
