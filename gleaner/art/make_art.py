#!/usr/bin/env python3
"""Draws the control's toolbox bitmap (24x24) and icon (32x32), both in the
16-colour standard palette: a clipboard holding a small landscape picture.
Run it after changing the drawing; its outputs are committed beside it."""
import sys
from pathlib import Path

# The suite's one set of picture writers.
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "assets"))
import writers  # noqa: E402

PALETTE = writers.STANDARD_16
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


here = Path(__file__).resolve().parent
(here / "toolbox.bmp").write_bytes(writers.bmp_indexed(draw(24, SILVER), PALETTE, 4))
icon = draw(32, SILVER)
opaque = [[False] * len(row) for row in icon]
(here / "gleaner.ico").write_bytes(writers.ico([(icon, PALETTE, opaque)]))
