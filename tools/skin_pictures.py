"""Pixel pictures for skin images: cells of one size stacked top to bottom, drawn with rectangles, frames,
polygons and pixel art, written as PNG (RGB, or RGBA when asked).

Skins key their transparent pixels with magenta, so KEY is the ground of a new picture unless told otherwise.
"""

from make_app_icons import Canvas
from make_image_fixtures import png

KEY = (255, 0, 255)


class Picture(Canvas):
    """A canvas of any width and height, on a ground of one colour (RGB, or RGBA with an alpha)."""

    def __init__(self, width, height, ground=KEY):
        self.width = width
        self.height = height
        self.size = max(width, height)  # the canvas's drawing loops cover every pixel; set() clips
        self.pixels = [[ground] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rows(self, y0, y1, colour_of_row):
        """Every pixel of rows y0..y1 (inclusive) in colour_of_row(y)."""
        for y in range(y0, y1 + 1):
            self.rect(0, y, self.width - 1, y, colour_of_row(y))

    def paste(self, other, x0, y0):
        for y in range(other.height):
            for x in range(other.width):
                self.set(x0 + x, y0 + y, other.pixels[y][x])

    def flipped(self):
        """Mirrored left to right."""
        out = Picture(self.width, self.height)
        out.pixels = [list(reversed(row)) for row in self.pixels]
        return out

    def turned(self):
        """Transposed (x and y swapped): a vertical design made horizontal."""
        out = Picture(self.height, self.width)
        out.pixels = [[self.pixels[y][x] for y in range(self.height)] for x in range(self.width)]
        return out

    def png(self):
        channels = len(self.pixels[0][0])
        rows = [bytes(c for pixel in row for c in pixel) for row in self.pixels]
        return png(self.width, self.height, 8, 6 if channels == 4 else 2, rows)


def stack(cells):
    """The cells one below the other, the first on top: a VERTICAL image of len(cells) cells."""
    out = Picture(cells[0].width, sum(c.height for c in cells))
    y = 0
    for cell in cells:
        out.paste(cell, 0, y)
        y += cell.height
    return out


def cells_of(picture, count):
    """The picture cut into count cells of equal height, top first."""
    high = picture.height // count
    cells = []
    for i in range(count):
        cell = Picture(picture.width, high)
        cell.pixels = [list(row) for row in picture.pixels[high * i:high * (i + 1)]]
        cells.append(cell)
    return cells


def mix(a, b, t):
    """The colour t of the way from a to b (0 <= t <= 1), rounded."""
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))
