#!/usr/bin/env python3
"""Draws the control's icon (32x32) and toolbox bitmap (24x24), both
16-colour, as a clipboard holding a small landscape picture. Run it again
after changing the drawing; the outputs are kept in the repository."""
import struct
import pathlib

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, OLIVE, GREEN, SILVER, GREY, YELLOW, BLUE, AQUA, WHITE = 0, 3, 2, 7, 8, 11, 12, 14, 15
TRANSPARENT = None


def draw(size):
    """Rows top first; None marks a transparent pixel."""
    s = size / 32.0
    px = [[TRANSPARENT] * size for _ in range(size)]

    def box(x0, y0, x1, y1, colour):
        for y in range(round(y0 * s), round(y1 * s)):
            for x in range(round(x0 * s), round(x1 * s)):
                if 0 <= x < size and 0 <= y < size:
                    px[y][x] = colour

    box(4, 3, 28, 31, BLACK)     # board outline
    box(5, 4, 27, 30, OLIVE)     # board
    box(7, 7, 25, 28, GREY)      # paper shadow
    box(7, 7, 24, 27, WHITE)     # paper
    box(9, 11, 22, 24, AQUA)     # picture: sky
    for x in range(9, 22):       # a hill
        top = 19 + abs(x - 15) // 2
        box(x, min(top, 23), x + 1, 24, GREEN)
    box(17, 12, 20, 15, YELLOW)  # sun
    box(11, 1, 21, 6, BLACK)     # clip outline
    box(12, 2, 20, 5, SILVER)    # clip
    box(14, 2, 18, 3, GREY)      # clip's hole
    return px


def pixel_rows_4bpp(px, transparent_as):
    """Bottom-up rows, 4 bits a pixel, each row padded to 4 bytes."""
    size = len(px)
    out = b""
    for row in reversed(px):
        nibbles = [transparent_as if c is None else c for c in row]
        data = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        out += data + b"\0" * (-len(data) % 4)
    return out


def mask_rows(px):
    size = len(px)
    out = b""
    for row in reversed(px):
        bits = 0
        data = b""
        for i, c in enumerate(row):
            bits = (bits << 1) | (1 if c is None else 0)
            if i % 8 == 7:
                data += bytes([bits])
                bits = 0
        out += data + b"\0" * (-len(data) % 4)
    return out


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)


def info_header(width, height):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, 0, 0, 0, 16, 0)


def icon(size):
    px = draw(size)
    image = (info_header(size, size * 2) + palette_bytes() +
             pixel_rows_4bpp(px, BLACK) + mask_rows(px))
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    return header + entry + image


def bitmap(size):
    # Toolbox bitmaps show their lower-left pixel's colour as transparent:
    # the background is silver, like a toolbox.
    px = draw(size)
    bits = info_header(size, size) + palette_bytes() + pixel_rows_4bpp(px, SILVER)
    return struct.pack("<2sIHHI", b"BM", 14 + len(bits), 0, 0, 14 + 40 + 64) + bits


here = pathlib.Path(__file__).parent
(here / "snapview.ico").write_bytes(icon(32))
(here / "toolbox.bmp").write_bytes(bitmap(24))
