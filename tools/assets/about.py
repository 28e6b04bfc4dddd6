"""The about box picture: the winged monster crossing a full moon at night.

The about box shows this 294x312 picture squeezed into 129x81, so it is
composed in a design space of that shape (294 wide, 184.6 high) and
stretched vertically when rasterised; once squeezed, the moon is round again.
"""

import math

import monster
from ground import ground
from noise import Rng, ValueNoise
from raster import Affine, mix, render, to_bytes

WIDTH, HEIGHT = 294, 312
DESIGN_HEIGHT = WIDTH * 81.0 / 129.0
STRETCH = HEIGHT / DESIGN_HEIGHT
MOON = (206.0, 58.0, 40.0)  # design-space centre and radius
GROUND_TOP = 150.0          # design-space top of the ground strip


def _sky(dx, dy):
    t = dy / DESIGN_HEIGHT
    top, middle, low = (6, 8, 34), (24, 36, 96), (62, 86, 150)
    c = mix(top, middle, t / 0.55) if t < 0.55 else mix(middle, low, (t - 0.55) / 0.45)
    mx, my, mr = MOON
    d = math.hypot(dx - mx, dy - my)
    glow = 0.55 * math.exp(-max(0.0, d - mr) / 22.0)
    return mix(c, (150, 160, 190), glow)


def _moon(craters, dx, dy):
    mx, my, mr = MOON
    d = math.hypot(dx - mx, dy - my)
    if d > mr:
        return None
    c = mix((255, 250, 214), (232, 220, 170), (d / mr) ** 3)
    for (cx, cy, r) in craters:
        if math.hypot(dx - cx, dy - cy) < r:
            c = mix(c, (206, 196, 150), 0.6)
    return c


def _night(c):
    """Moonlit version of a daylight ground colour."""
    r, g, b = c
    return (r * 0.45 + 6, g * 0.5 + 8, b * 0.55 + 26)


def _composite(canvas, sprite, tint=None):
    for y in range(HEIGHT):
        for x in range(WIDTH):
            a = sprite.coverage[y][x]
            if a > 0.0:
                c = sprite.colours[y][x]
                if tint is not None:
                    c = mix(c, tint, 0.9)
                canvas[y][x] = mix(canvas[y][x], c, a)


def _placement(cx, cy, size, tilt=0.0):
    """Model frame (64x64) centred at design (cx, cy), then stretched."""
    return (Affine.translation(-32, -32)
            .then(Affine.rotation(tilt))
            .then(Affine.scaling(size))
            .then(Affine.translation(cx, cy))
            .then(Affine.scaling(1.0, STRETCH)))


def about_picture():
    rng = Rng(294)
    strip, strip_palette = ground()
    mx, my, mr = MOON
    craters = [(mx - 14, my - 10, 8), (mx + 12, my + 8, 11), (mx - 6, my + 20, 6),
               (mx + 18, my - 16, 5)]
    stars = [(rng.uniform(0, WIDTH), rng.uniform(0, 120), rng.random()) for _ in range(60)]
    hills = ValueNoise(31, 32)
    canvas = []
    for y in range(HEIGHT):
        dy = (y + 0.5) / STRETCH
        row = []
        for x in range(WIDTH):
            dx = x + 0.5
            c = _moon(craters, dx, dy) or _sky(dx, dy)
            hill = GROUND_TOP - 18 - 22 * hills.fractal(dx / 60.0, 0.0, 3)
            if dy > hill:
                c = mix((16, 22, 52), (26, 34, 70), (hill - GROUND_TOP + 40) / 40.0)
            gy = int(dy - GROUND_TOP)
            if gy >= 0:
                index = strip[min(31, gy)][(x + 700) % len(strip[0])]
                if strip_palette[index] != (255, 255, 255):
                    c = _night(strip_palette[index])
            row.append(c)
        canvas.append(row)
    for (sx, sy, b) in stars:
        x, y = int(sx), int(sy * STRETCH)
        if _moon(craters, sx, sy) is None and sy < GROUND_TOP - 45:
            bright = mix((120, 130, 170), (255, 255, 240), b)
            for ddx, ddy, f in ((0, 0, 1.0), (1, 0, 0.5), (-1, 0, 0.5), (0, 1, 0.5), (0, -1, 0.5)):
                px, py = x + ddx, y + ddy
                if 0 <= px < WIDTH and 0 <= py < HEIGHT:
                    canvas[py][px] = mix(canvas[py][px], bright, f * (0.4 + 0.6 * b))
    # A far-off second monster, dark against the sky, for depth.
    distant = render(monster.shapes_for('mid'), WIDTH, HEIGHT, ss=3,
                     transform=_placement(52, 44, 0.75, tilt=-6), ink_width=0.8)
    _composite(canvas, distant, tint=(20, 24, 58))
    hero = render(monster.shapes_for('up'), WIDTH, HEIGHT, ss=3,
                  transform=_placement(152, 84, 2.5, tilt=-4), ink_width=2.0)
    _composite(canvas, hero)
    return [[to_bytes(c) for c in row] for row in canvas]
