"""Small pictures: the Play button's glyph and the program icon.

Both show the monster's head. The glyph puts its profile in a gun sight; its
corner pixel is the button-face grey that the button treats as transparent,
so no drawn pixel may have exactly that colour. The icon looks the player in
the face: two big eyes and horns still read at 16x16, a profile does not.
"""

import monster
from monster import BODY, EYE, HORN, MEMBRANE, MOUTH, PUPIL, WHITE
from raster import Affine, Capsule, Ellipse, Polygon, Ring, render, shade, to_bytes

FACE = (192, 192, 192)
SIGHT = (222, 26, 26)
SIGHT_INK = (96, 0, 0)

# Sixteen colours chosen for the head, ink first; entry 0 also fills the
# icon's transparent pixels, which must be black for the AND/XOR drawing.
ICON_PALETTE = [
    (0, 0, 0), (40, 16, 56), (76, 38, 104), (110, 58, 150), (140, 80, 186),
    (186, 130, 224), (246, 232, 190), (188, 168, 128), (255, 222, 52),
    (196, 146, 20), (255, 255, 255), (242, 196, 140), (112, 20, 50),
    (226, 84, 62), (150, 130, 150), (22, 8, 26),
]


def _head_transform(size, zoom):
    """Model head centre to the middle of a size x size picture."""
    return (Affine.translation(-16.5, -29.0)
            .then(Affine.scaling(zoom * size / 64.0))
            .then(Affine.translation(size / 2.0, size / 2.0 + size / 32.0)))


def _sight(cx, cy, radius):
    ring = Ring(cx, cy, radius, radius - 1.5, SIGHT, ink=SIGHT_INK)
    ticks = [Capsule((cx + dx * (radius - 4), cy + dy * (radius - 4)),
                     (cx + dx * (radius + 4), cy + dy * (radius + 4)), 0.9, 0.9, SIGHT,
                     ink=SIGHT_INK)
             for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))]
    return [ring] + ticks


def play_glyph():
    """64x64 rows of (r, g, b) on button-face grey."""
    shapes = monster.head_shapes() + _sight(17.0, 29.0, 17.5)
    sprite = render(shapes, 64, 64, ss=4, transform=_head_transform(64, 1.65))
    rows = sprite.on_background(FACE)
    for y, row in enumerate(rows):
        for x, c in enumerate(row):
            if c == FACE and sprite.opaque(x, y):
                row[x] = (193, 192, 192)
    return rows


def _quantise(c):
    return min(range(len(ICON_PALETTE)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(c, ICON_PALETTE[i])))


def _face():
    """The monster's head from the front, in a 64x64 design square."""
    head = shade(BODY, 26, 24, 30, light=1.35, dark=0.7)
    shapes = []
    for side in (-1, 1):
        def sx(x, side=side):
            return 32 + side * (x - 32)
        shapes += [
            Polygon([(sx(14), 30), (sx(1), 6), (sx(9), 12), (sx(13), 8), (sx(22), 22)],
                    MEMBRANE),  # little wings behind the head, like ears
            Capsule((sx(19), 20), (sx(12), 4), 4.6, 1.6, shade(HORN, sx(15), 8, 14)),
        ]
    shapes.append(Ellipse(32, 36, 23, 20, head))
    shapes.append(Ellipse(32, 46, 15, 9, shade((186, 130, 224), 30, 43, 14), outline=False))
    for side in (-1, 1):
        ex = 32 + side * 10.5
        shapes += [
            Ellipse(ex, 32, 7.5, 8, shade(EYE, ex - 1, 30, 8, light=1.1, dark=0.9)),
            Ellipse(ex, 33, 2.4, 5.6, PUPIL, outline=False),
            Polygon([(32 + side * 3, 26), (32 + side * 18, 20), (32 + side * 18, 23),
                     (32 + side * 4, 28.5)], monster.BONE),  # scowl
            Ellipse(32 + side * 3.5, 43, 1.3, 1.1, MOUTH, outline=False),  # nostril
            Polygon([(32 + side * 5, 48.5), (32 + side * 12, 48.5),
                     (32 + side * 8.5, 58)], WHITE, ink=monster.FANG_INK),
        ]
    shapes.insert(-2, Capsule((20, 48.5), (44, 48.5), 1.8, 1.8, MOUTH, outline=False))
    return shapes


# The 16x16 icon, drawn by hand: at that size every pixel has a job. Left
# half only; the right half mirrors it. Letters name ICON_PALETTE entries.
SMALL_ICON_LEFT = [
    "........",
    ".k......",
    "khk.....",
    "khhk....",
    "rkhhkkkk",
    "rrkppppp",
    "rkpppppp",
    "kpkkkppp",
    "kpyykkpp",
    "kpyybykp",
    "kpyybykp",
    "kppkkkll",
    ".kplllll",
    ".kpmmmmm",
    "..kkwkkk",
    "....k...",
]
SMALL_ICON_KEYS = {'.': None, 'k': 1, 'd': 2, 'p': 3, 'l': 5, 'h': 6, 'y': 8,
                   'b': 15, 'w': 10, 'm': 12, 'r': 13}


def _small_icon():
    rows, transparent = [], []
    for half in SMALL_ICON_LEFT:
        line = half + half[::-1]
        rows.append([SMALL_ICON_KEYS[ch] or 0 for ch in line])
        transparent.append([SMALL_ICON_KEYS[ch] is None for ch in line])
    return rows, ICON_PALETTE, transparent


def icon_image(size):
    """(index rows, palette, transparent rows) of a size x size icon image."""
    if size <= 16:
        return _small_icon()
    sprite = render(_face(), size, size, ss=8, transform=Affine.scaling(size / 64.0),
                    ink_width=0.8, hard=True)
    transparent = sprite.transparency()
    rows = [[0 if transparent[y][x] else _quantise(to_bytes(sprite.colours[y][x]))
             for x in range(size)] for y in range(size)]
    return rows, ICON_PALETTE, transparent
