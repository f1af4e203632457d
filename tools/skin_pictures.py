"""Pixel pictures for skin images: cells of one size stacked top to bottom, drawn with rectangles, frames,
polygons and pixel art, written as PNG (RGB, or RGBA when asked).

Skins key their transparent pixels with magenta, so KEY is the ground of a new picture unless told otherwise.
"""

from make_image_fixtures import png

KEY = (255, 0, 255)


class Picture:
    def __init__(self, width, height, ground=KEY):
        self.width = width
        self.height = height
        self.pixels = [[ground] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """Filled, both corners included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.set(x, y0, colour)
            self.set(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.set(x0, y, colour)
            self.set(x1, y, colour)

    def rows(self, y0, y1, colour_of_row):
        """Every pixel of rows y0..y1 (inclusive) in colour_of_row(y)."""
        for y in range(y0, y1 + 1):
            self.rect(0, y, self.width - 1, y, colour_of_row(y))

    def polygon(self, points, colour):
        """Pixels whose centre lies inside the polygon."""
        for y in range(self.height):
            for x in range(self.width):
                px, py, inside = x + 0.5, y + 0.5, False
                for i in range(len(points)):
                    ax, ay = points[i]
                    bx, by = points[i - 1]
                    if (ay > py) != (by > py) and px < (bx - ax) * (py - ay) / (by - ay) + ax:
                        inside = not inside
                if inside:
                    self.set(x, y, colour)

    def disc(self, cx, cy, radius, colour):
        """Pixels whose centre lies within radius of (cx, cy)."""
        for y in range(self.height):
            for x in range(self.width):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= radius ** 2:
                    self.set(x, y, colour)

    def art(self, rows, colour, x0=0, y0=0):
        """Pixel art: every 'X' of the rows in colour."""
        for y, row in enumerate(rows):
            for x, key in enumerate(row):
                if key == "X":
                    self.set(x0 + x, y0 + y, colour)

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
