#!/usr/bin/env python3
"""Draws Skimdex's toolbar glyphs and program icon and writes them as BMP strips and an ICO file.

Shapes are given on a 16-unit grid and rasterised at each size separately (not scaled from one
bitmap), so the glyphs stay crisp at 16, 24 and 32 pixels. Glyph strips hold the eight normal
glyphs, then the eight disabled ones; magenta is the transparent colour. Run from any folder:
    python3 make_art.py
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
KEY = (255, 0, 255)
SUB = 4  # samples per pixel edge


def inside_polygon(x, y, points):
    result = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def ring(cx, cy, r_outer, r_inner):
    return lambda x, y: r_inner ** 2 < (x - cx) ** 2 + (y - cy) ** 2 <= r_outer ** 2


def polygon(*points):
    return lambda x, y: inside_polygon(x, y, points)


def thick_line(x0, y0, x1, y1, width):
    dx, dy = x1 - x0, y1 - y0
    length = math.hypot(dx, dy)
    nx, ny = -dy / length * width / 2, dx / length * width / 2
    return polygon((x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny))


def coverage(shape, px, py, scale):
    hits = 0
    for sy in range(SUB):
        for sx in range(SUB):
            if shape((px + (sx + 0.5) / SUB) / scale, (py + (sy + 0.5) / SUB) / scale):
                hits += 1
    return hits / (SUB * SUB)


def render(layers, size, smooth=False):
    """Layers are (shape, fill, outline or None); returns rows of (r, g, b, alpha 0..1)."""
    scale = size / 16
    border = max(1, round(scale))
    image = [[(0, 0, 0, 0.0)] * size for _ in range(size)]
    for shape, fill, outline in layers:
        cover = [[coverage(shape, x, y, scale) for x in range(size)] for y in range(size)]
        solid = [[c >= 0.5 for c in row] for row in cover]
        for y in range(size):
            for x in range(size):
                amount = cover[y][x] if smooth else (1.0 if solid[y][x] else 0.0)
                if amount == 0:
                    continue
                colour = fill
                if outline and solid[y][x] and any(
                    not (0 <= y + dy < size and 0 <= x + dx < size and solid[y + dy][x + dx])
                    for dy in range(-border, border + 1) for dx in range(-border, border + 1)
                    if abs(dx) + abs(dy) <= border
                ):
                    colour = outline
                elif outline and smooth and not solid[y][x]:
                    colour = outline
                r, g, b, a = image[y][x]
                blended = tuple(round(c * amount + o * (1 - amount) * a / max(a, 1e-9) if a else c)
                                for c, o in zip(colour, (r, g, b)))
                image[y][x] = (*blended, amount + a * (1 - amount))
    return image


INK = (40, 40, 40)
FOLDER = (250, 204, 72)
BLUE = (40, 100, 200)
LIGHT_BLUE = (150, 200, 245)
GREEN = (40, 160, 60)
RED = (200, 50, 40)
WHITE = (255, 255, 255)
GREY = (150, 150, 150)
BROWN = (150, 95, 45)

GLYPHS = [
    # Scan folder: a folder with a magnifier.
    [(polygon((1, 3), (6, 3), (7, 5), (13, 5), (13, 13), (1, 13)), FOLDER, INK),
     (ring(11, 10, 3.6, 2), INK, None), (ellipse(11, 10, 2, 2), LIGHT_BLUE, None),
     (thick_line(13.3, 12.3, 15.5, 14.5, 2), INK, None)],
    # Output file: a floppy disk.
    [(rect(1, 1, 15, 15), BLUE, INK), (rect(4, 2, 12, 7), WHITE, None), (rect(9, 3, 11, 6), INK, None),
     (rect(4, 9, 12, 15), (220, 220, 220), INK)],
    # Run: a play triangle.
    [(polygon((3, 1.5), (14, 8), (3, 14.5)), GREEN, INK)],
    # Browser: a globe.
    [(ellipse(8, 8, 7, 7), LIGHT_BLUE, INK), (ring(8, 8, 7, 6), INK, None),
     (lambda x, y: abs(x - 8) < 0.55 and abs(y - 8) < 7, INK, None),
     (lambda x, y: abs(y - 8) < 0.55 and abs(x - 8) < 7, INK, None),
     (lambda x, y: abs(((x - 8) / 4) ** 2 + ((y - 8) / 7) ** 2 - 1) < 0.2 and abs(x - 8) > 2.5, INK, None)],
    # Settings: three sliders.
    [(rect(1, 3, 15, 4), INK, None), (rect(1, 8, 15, 9), INK, None), (rect(1, 13, 15, 14), INK, None),
     (rect(3, 1, 7, 6), RED, INK), (rect(9, 6, 13, 11), GREEN, INK), (rect(5, 11, 9, 16), BLUE, INK)],
    # Help contents: a book.
    [(rect(2, 1, 14, 15), BLUE, INK), (rect(4, 1, 5, 15), INK, None), (rect(6, 4, 12, 5), WHITE, None),
     (rect(6, 7, 12, 8), WHITE, None)],
    # About: an information sign.
    [(ellipse(8, 8, 7, 7), BLUE, INK), (rect(7, 3, 9, 5), WHITE, None), (rect(7, 6.5, 9, 13), WHITE, None)],
    # Exit: a door and an arrow leaving it.
    [(rect(1, 1, 9, 15), BROWN, INK), (rect(7, 7, 8, 9), INK, None),
     (polygon((9, 6), (12, 6), (12, 3.5), (15.5, 8), (12, 12.5), (12, 10), (9, 10)), RED, INK)],
]

ICON = [
    (polygon((2, 1), (10, 1), (14, 5), (14, 15), (2, 15)), WHITE, INK),
    (polygon((10, 1), (10, 5), (14, 5)), (210, 210, 210), INK),
    (rect(4, 6, 10, 7), BLUE, None), (rect(4, 9, 8, 10), BLUE, None), (rect(4, 12, 7, 13), BLUE, None),
    (ring(10.5, 10.5, 3.6, 2.1), INK, None), (ellipse(10.5, 10.5, 2.1, 2.1), LIGHT_BLUE, None),
    (thick_line(12.8, 12.8, 15.2, 15.2, 2), INK, None),
]


def disabled(image):
    """The classic greyed look: dark parts in shadow grey over a white copy one pixel lower right."""
    size = len(image)
    out = [[(0, 0, 0, 0.0)] * size for _ in range(size)]
    dark = [[a > 0 and 0.3 * r + 0.59 * g + 0.11 * b < 150 for (r, g, b, a) in row] for row in image]
    offset = max(1, size // 16)
    for y in range(size):
        for x in range(size):
            if dark[y][x] and y + offset < size and x + offset < size:
                out[y + offset][x + offset] = (*WHITE, 1.0)
    for y in range(size):
        for x in range(size):
            if dark[y][x]:
                out[y][x] = (128, 128, 128, 1.0)
    return out


def bmp_bytes(pixels):
    """24-bit bottom-up BMP; transparent pixels in the key colour."""
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    rows = b""
    for row in reversed(pixels):
        line = b"".join(bytes((b, g, r)) if a >= 0.5 else bytes(KEY[::-1]) for (r, g, b, a) in row)
        rows += line + b"\0" * (stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 3780, 3780, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(header) + len(rows), 0, 0, 14 + len(header)) + header + rows


def icon_image(pixels):
    size = len(pixels)
    colour = b"".join(bytes((b, g, r, round(a * 255))) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(pixels):
        bits = 0
        for x, (_, _, _, a) in enumerate(row):
            if a < 0.5:
                bits |= 1 << (mask_stride * 8 - 1 - x)
        mask += bits.to_bytes(mask_stride, "big")
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + mask


def write_icon(path, sizes):
    images = [icon_image(render(ICON, size, smooth=True)) for size in sizes]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        data += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as out:
        out.write(data + b"".join(images))


def write_strip(path, size):
    normal = [render(glyph, size) for glyph in GLYPHS]
    cells = normal + [disabled(image) for image in normal]
    strip = [sum((cell[y] for cell in cells), []) for y in range(size)]
    with open(path, "wb") as out:
        out.write(bmp_bytes(strip))


if __name__ == "__main__":
    for size in (16, 24, 32):
        write_strip(os.path.join(HERE, f"glyphs_{size}.bmp"), size)
    write_icon(os.path.join(HERE, "skimdex.ico"), (16, 32, 48))
