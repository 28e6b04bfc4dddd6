#!/usr/bin/env python3
"""Draws the control's toolbox bitmap (16x15) and icon (32x32), both in the
16-colour standard palette: a sunken bar half filled with blue blocks.
Run it after changing the drawing; its outputs are committed beside it."""
import sys
from pathlib import Path

# The suite's one set of picture writers.
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "assets"))
import writers  # noqa: E402

PALETTE = writers.STANDARD_16
BLACK, NAVY, GREY, SILVER, WHITE = 0, 4, 8, 7, 15


def draw(width, height, background):
    px = [[background] * width for _ in range(height)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                if 0 <= x < width and 0 <= y < height:
                    px[y][x] = colour

    top, bottom = height // 3, height - height // 3
    rect(0, top, width, bottom, GREY)              # the sunken edge
    rect(1, top + 1, width, bottom, WHITE)
    rect(1, top + 1, width - 1, bottom - 1, SILVER)
    block = max(2, width // 8)
    x = 2
    while x + block <= width * 5 // 8:              # the blocks done so far
        rect(x, top + 2, x + block, bottom - 2, NAVY)
        x += block + 1
    return px


here = Path(__file__).resolve().parent
(here / "toolbox.bmp").write_bytes(writers.bmp_indexed(draw(16, 15, SILVER), PALETTE, 4))
icon = draw(32, 32, SILVER)
opaque = [[False] * len(row) for row in icon]
(here / "meterix.ico").write_bytes(writers.ico([(icon, PALETTE, opaque)]))
