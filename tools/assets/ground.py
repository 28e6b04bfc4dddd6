"""The game's ground strip: grass tufts over layered soil with pebbles.

Everything repeats every WIDTH pixels (noise periods divide the width and
scattered things wrap around), so the strip tiles left to right. Above the
grass the strip is white, the colour of the game's playing field.
"""

import math

from noise import Rng, ValueNoise
from palette import Palette

WIDTH, HEIGHT = 1600, 32
SKY = (255, 255, 255)


def ground_palette():
    p = Palette()
    p.add_ramp('sky', [SKY], 1)
    p.add_ramp('grass', [(22, 70, 18), (52, 128, 30), (112, 186, 52), (196, 236, 110)], 48)
    p.add_ramp('topsoil', [(34, 20, 12), (74, 46, 26), (112, 74, 44)], 36)
    p.add_ramp('subsoil', [(70, 44, 26), (128, 86, 50), (176, 126, 78)], 36)
    p.add_ramp('clay', [(62, 30, 20), (118, 62, 38), (160, 96, 60)], 32)
    p.add_ramp('pebble', [(52, 50, 54), (126, 122, 120), (206, 202, 192)], 28)
    p.add_ramp('flower', [(200, 140, 10), (255, 214, 40), (255, 246, 150)], 6)
    p.add_ramp('petal', [(214, 170, 200), (255, 250, 250)], 4)
    return p


def _surface(noise):
    """Top of the grass at each column, about a third of the way down."""
    return [9.0 + 3.2 * (noise.fractal(x / 50.0, 0.0, 3) - 0.5) * 2.0 for x in range(WIDTH)]


def _pebbles(rng, count):
    out = []
    for _ in range(count):
        out.append((rng.uniform(0, WIDTH), rng.uniform(18.0, 31.0),
                    rng.uniform(1.4, 3.6), rng.uniform(1.0, 2.2), rng.uniform(0.35, 0.8)))
    return out


def _pebble_shade(px, py, pebbles):
    """Shade of the pebble covering (px, py), or None."""
    for (cx, cy, rx, ry, tone) in pebbles:
        dx = (px + 0.5 - cx + WIDTH / 2) % WIDTH - WIDTH / 2
        dy = py + 0.5 - cy
        d = (dx / rx) ** 2 + (dy / ry) ** 2
        if d <= 1.0:
            # Lit from the upper left, with a dark rim where it meets the soil.
            light = 0.5 - 0.35 * (dx / rx + dy / ry)
            return max(0.0, min(1.0, tone * (0.55 + light) - 0.35 * d * d))
    return None


def _blades(rng, surface):
    """Grass blade pixels {(x, y): shade} and flower heads {(x, y): tone}."""
    pixels, flowers = {}, {}
    x = 0.0
    while x < WIDTH:
        clump = rng.random() < 0.3
        for _ in range(rng.next_u32() % (5 if clump else 2) + 1):
            bx = x + rng.uniform(-1.5, 1.5)
            base = surface[int(bx) % WIDTH] + 1.0
            height = rng.uniform(5.0, 9.0) if clump else rng.uniform(2.0, 5.0)
            lean = rng.uniform(-2.5, 2.5)
            steps = int(height * 2) + 1
            for s in range(steps):
                t = s / (steps - 1)
                px = int(math.floor(bx + lean * t * t)) % WIDTH
                py = int(math.floor(base - height * t))
                if 0 <= py < HEIGHT:
                    pixels[(px, py)] = 0.35 + 0.6 * t
            if clump and rng.random() < 0.12:
                tip = (int(math.floor(bx + lean)) % WIDTH, int(math.floor(base - height)))
                flowers[tip] = rng.random()
        x += rng.uniform(2.0, 7.0) if clump else rng.uniform(1.0, 4.0)
    return pixels, flowers


def ground():
    """Returns (rows of palette indices, palette)."""
    pal = ground_palette()
    rng = Rng(1600)
    shape = ValueNoise(11, WIDTH // 50)
    texture = ValueNoise(12, WIDTH // 4, rows=16)
    layers = ValueNoise(13, WIDTH // 80)
    surface = _surface(shape)
    pebbles = _pebbles(rng, 150)
    blades, flowers = _blades(rng, surface)
    rows = [[0] * WIDTH for _ in range(HEIGHT)]
    for x in range(WIDTH):
        top = surface[x]
        grass_depth = 4.0 + 3.0 * texture.at(x / 3.0, 5.0)
        soil1 = 19.0 + 3.0 * (layers.fractal(x / 80.0, 1.0, 2) - 0.5) * 2.0
        soil2 = 26.0 + 2.0 * (layers.fractal(x / 80.0, 9.0, 2) - 0.5) * 2.0
        for y in range(HEIGHT):
            grain = texture.fractal(x / 4.0, y / 2.0, 3)
            if y + 0.5 < top:
                idx = pal.index('sky', 0)
            elif y + 0.5 < top + grass_depth:
                depth = (y + 0.5 - top) / grass_depth
                idx = pal.index('grass', 0.85 - 0.6 * depth + 0.3 * (grain - 0.5), x, y)
            else:
                pebble = _pebble_shade(x, y, pebbles) if y > 15 else None
                if pebble is not None:
                    idx = pal.index('pebble', pebble, x, y)
                elif y + 0.5 < soil1:
                    edge = 1.0 if y + 1.5 >= soil1 else 0.0
                    idx = pal.index('topsoil', 0.45 + 0.6 * (grain - 0.5) - 0.3 * edge, x, y)
                elif y + 0.5 < soil2:
                    edge = 1.0 if y + 1.5 >= soil2 else 0.0
                    idx = pal.index('subsoil', 0.55 + 0.7 * (grain - 0.5) - 0.35 * edge, x, y)
                else:
                    idx = pal.index('clay', 0.5 + 0.7 * (grain - 0.5) - 0.2 * (y - 26) / 6, x, y)
            rows[y][x] = idx
    for (x, y), s in blades.items():
        if y + 0.5 < surface[x] + 1.0:
            rows[y][x] = pal.index('grass', s, x, y)
    for (x, y), tone in flowers.items():
        for dx, dy in ((0, 0), (-1, 0), (1, 0), (0, -1), (0, 1)):
            px, py = (x + dx) % WIDTH, y + dy
            if 0 <= py < HEIGHT:
                centre = dx == 0 and dy == 0
                rows[py][px] = pal.index('flower', 0.5 + 0.4 * tone) if centre \
                    else pal.index('petal', 0.4 + 0.6 * tone)
    return rows, pal.finish()
