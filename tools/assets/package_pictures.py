"""The two decorative pictures of the clock package's editor dialogs, 240
by 180 at 256 colours: two people shaking hands, and an industrial plant by
the water. Each region of a picture draws from its own ramp of the palette
with ordered dithering; the last shape a pixel falls in wins."""

import math

from noise import ValueNoise
from palette import Palette
from raster import Capsule, Ellipse, Polygon

WIDTH, HEIGHT = 240, 180


def _paint(palette, regions, background):
    """regions: list of (shape, ramp, shade(x, y)); background(x, y) gives
    (ramp, shade) where no shape lies."""
    rows = []
    for y in range(HEIGHT):
        row = []
        for x in range(WIDTH):
            cx, cy = x + 0.5, y + 0.5
            ramp, shade = background(cx, cy)
            for shape, name, tone in regions:
                if shape.hit(cx, cy):
                    ramp, shade = name, tone(cx, cy)
            row.append(palette.index(ramp, shade, x, y))
        rows.append(row)
    return rows


def _lit(cx, cy, radius, base=0.55, gain=0.45):
    """A shade brightest at (cx, cy) and darker away from it."""
    def tone(x, y):
        d = math.hypot(x - cx, y - cy) / radius
        return base + gain * (1.0 - min(1.0, d))
    return tone


def handshake():
    """Two sleeves reach in from the sides; the hands clasp in the middle."""
    p = Palette()
    p.add_ramp('wall', [(70, 58, 52), (150, 120, 96), (214, 190, 160)], 48)
    p.add_ramp('navy', [(10, 14, 40), (34, 44, 96), (82, 96, 156)], 40)
    p.add_ramp('grey', [(40, 40, 44), (104, 104, 110), (176, 176, 182)], 40)
    p.add_ramp('cuff', [(150, 156, 170), (236, 238, 244)], 16)
    p.add_ramp('skin', [(96, 52, 34), (186, 120, 86), (246, 200, 164)], 56)
    p.add_ramp('skin2', [(60, 34, 24), (128, 82, 54), (196, 146, 108)], 40)
    palette = p.finish()
    regions = [
        (Capsule((-30, 150), (88, 98), 30, 24, None), 'navy', _lit(40, 100, 110)),
        (Capsule((270, 40), (152, 92), 30, 24, None), 'grey', _lit(210, 60, 110)),
        (Capsule((84, 100), (96, 94), 17, 16, None), 'cuff', _lit(88, 92, 20)),
        (Capsule((156, 90), (144, 94), 17, 16, None), 'cuff', _lit(150, 86, 20)),
        (Ellipse(126, 96, 30, 20, None, angle=-18), 'skin2', _lit(140, 86, 34)),
        (Capsule((100, 98), (132, 92), 16, 14, None), 'skin', _lit(112, 88, 30)),
    ]
    for i in range(4):  # fingers of the left hand folded over the right one
        regions.append((Capsule((120 + 6 * i, 86 + 2 * i), (138 + 5 * i, 104 + 2 * i), 3.6, 3.2, None),
                        'skin', _lit(126 + 6 * i, 88, 14, base=0.45, gain=0.5)))
    regions.append((Capsule((118, 84), (136, 80), 4.5, 3.5, None), 'skin2', _lit(124, 80, 14)))  # thumb

    def wall(x, y):
        return 'wall', 0.25 + 0.7 * (1.0 - math.hypot(x - 120, y - 70) / 160)
    return _paint(p, regions, wall), palette


def waterside_plant():
    """Sheds, a tower and chimneys on the far shore, smoke over them and
    their wavering reflection in the water."""
    p = Palette()
    p.add_ramp('sky', [(116, 150, 190), (176, 200, 222), (232, 226, 210)], 44)
    p.add_ramp('smoke', [(120, 118, 118), (206, 204, 200)], 20)
    p.add_ramp('steel', [(30, 34, 44), (72, 80, 96), (132, 140, 152)], 40)
    p.add_ramp('brick', [(70, 30, 24), (140, 64, 46), (190, 110, 80)], 28)
    p.add_ramp('shore', [(34, 40, 30), (76, 84, 56)], 16)
    p.add_ramp('water', [(20, 40, 62), (58, 94, 124), (140, 170, 196)], 52)
    p.add_ramp('glow', [(220, 170, 80), (255, 236, 160)], 8)
    palette = p.finish()
    shore = 112
    structures = [
        (Polygon([(0, shore), (0, 92), (40, 92), (40, 84), (86, 84), (86, shore)], None), 'steel'),
        (Polygon([(86, shore), (86, 70), (118, 62), (150, 70), (150, shore)], None), 'brick'),
        (Polygon([(150, shore), (150, 88), (240, 88), (240, shore)], None), 'steel'),
        (Polygon([(160, 88), (160, 40), (172, 40), (172, 88)], None), 'steel'),      # tower
        (Polygon([(96, 66), (98, 22), (104, 22), (106, 66)], None), 'brick'),        # chimneys
        (Polygon([(124, 62), (126, 30), (131, 30), (133, 62)], None), 'brick'),
        (Polygon([(196, 88), (198, 50), (203, 50), (205, 88)], None), 'steel'),
    ]
    windows = [Polygon([(x, 96), (x + 5, 96), (x + 5, 100), (x, 100)], None) for x in range(160, 236, 10)]
    smoke = ValueNoise(7, 64)

    def scene(x, y):
        """(ramp, shade) of the land and sky at a point above the waterline."""
        for w in windows:
            if w.hit(x, y):
                return 'glow', 0.6
        for shape, ramp in reversed(structures):
            if shape.hit(x, y):
                return ramp, 0.35 + 0.4 * (x % 37) / 37.0 * (1 - y / 140.0) + 0.15
        if y >= 104:
            return 'shore', 0.5
        for cx, top in ((101, 22), (128, 30)):
            rise = (top - y) / 60.0
            if 0 < rise < 1:
                spread = 4 + 26 * rise
                drift = cx + 40 * rise * rise
                if abs(x - drift) < spread * (0.6 + 0.5 * smoke.fractal(x / 18.0, y / 18.0, 2)):
                    return 'smoke', 0.35 + 0.6 * rise
        return 'sky', y / shore

    waves = ValueNoise(11, 48)
    rows = []
    for y in range(HEIGHT):
        row = []
        for x in range(WIDTH):
            cx, cy = x + 0.5, y + 0.5
            if cy < shore:
                ramp, shade = scene(cx, cy)
            else:
                depth = (cy - shore) / (HEIGHT - shore)
                wobble = 3.0 * (waves.fractal(cx / 24.0, cy / 3.0, 2) - 0.5) * (0.3 + depth)
                mirrored = 2 * shore - cy
                ramp, shade = scene(cx + wobble, mirrored) if mirrored > 0 else ('sky', 0.0)
                shade = 0.15 + 0.55 * shade * (1 - 0.5 * depth)
                ramp = 'water' if ramp != 'glow' else 'glow'
            row.append(p.index(ramp, shade, x, y))
        rows.append(row)
    return rows, palette
