#!/usr/bin/env python3
"""Draws the control's toolbox bitmap (24x24) and icon (32x32), both in the
16-colour standard palette: a clipboard holding a small landscape picture.
Run it after changing the drawing; its outputs are committed beside it."""
import struct
from pathlib import Path

PALETTE = [  # the 16 standard colours, as (r, g, b)
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, MAROON, GREEN, OLIVE, NAVY, GREY, SILVER, YELLOW, SKY, WHITE = 0, 1, 2, 3, 4, 8, 7, 11, 14, 15


def draw(size, background):
    s = size / 24.0
    px = [[background] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(round(y0 * s), round(y1 * s)):
            for x in range(round(x0 * s), round(x1 * s)):
                if 0 <= x < size and 0 <= y < size:
                    px[y][x] = colour

    rect(3, 2, 21, 23, BLACK)        # board outline
    rect(4, 3, 20, 22, OLIVE)        # the board
    rect(6, 6, 18, 20, BLACK)        # paper outline
    rect(7, 7, 17, 19, WHITE)        # paper
    rect(8, 8, 16, 14, SKY)          # the picture: sky...
    rect(13, 9, 15, 11, YELLOW)      # ...a sun...
    rect(8, 12, 16, 14, GREEN)       # ...and a hill
    rect(10, 11, 13, 12, GREEN)
    rect(8, 15, 16, 16, GREY)        # lines of text below it
    rect(8, 17, 14, 18, GREY)
    rect(9, 1, 15, 4, GREY)          # the clip
    rect(10, 2, 14, 5, SILVER)
    return px


def dib_rows(px):
    """4-bit rows, bottom-up, each padded to 4 bytes."""
    out = b""
    for row in reversed(px):
        data = bytes((row[i] << 4) | row[i + 1] for i in range(0, len(row), 2))
        out += data + b"\0" * (-len(data) % 4)
    return out


def palette_bytes():
    return b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)


def info_header(width, height):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, 0, 0, 0, 16, 0)


def write_bitmap(path, px):
    bits = dib_rows(px)
    header = info_header(len(px[0]), len(px)) + palette_bytes()
    offset = 14 + len(header)
    path.write_bytes(b"BM" + struct.pack("<IHHI", offset + len(bits), 0, 0, offset) + header + bits)


def write_icon(path, px):
    size = len(px)
    mask_row = b"\0" * ((size + 31) // 32 * 4)  # every pixel opaque
    image = info_header(size, size * 2) + palette_bytes() + dib_rows(px) + mask_row * size
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    path.write_bytes(struct.pack("<HHH", 0, 1, 1) + entry + image)


here = Path(__file__).resolve().parent
write_bitmap(here / "toolbox.bmp", draw(24, SILVER))
write_icon(here / "gleaner.ico", draw(32, SILVER))
