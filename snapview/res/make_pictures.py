#!/usr/bin/env python3
"""Draws the control's icon (32x32) and toolbox bitmap (24x24), both
16-colour, as a clipboard holding a small landscape picture. Run it again
after changing the drawing; the outputs are kept in the repository."""
import pathlib
import sys

# The suite's one set of picture writers.
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tools" / "assets"))
import writers  # noqa: E402

PALETTE = writers.STANDARD_16
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


def filled(px, colour):
    """The picture with its transparent pixels painted in one colour."""
    return [[colour if c is TRANSPARENT else c for c in row] for row in px]


def icon(size):
    # Under the mask the transparent pixels are black, so they leave the
    # screen as it was.
    px = draw(size)
    transparent = [[c is TRANSPARENT for c in row] for row in px]
    return writers.ico([(filled(px, BLACK), PALETTE, transparent)])


def bitmap(size):
    # Toolbox bitmaps show their lower-left pixel's colour as transparent:
    # the background is silver, like a toolbox.
    return writers.bmp_indexed(filled(draw(size), SILVER), PALETTE, 4)


here = pathlib.Path(__file__).resolve().parent
(here / "snapview.ico").write_bytes(icon(32))
(here / "toolbox.bmp").write_bytes(bitmap(24))
