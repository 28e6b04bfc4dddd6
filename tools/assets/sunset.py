"""The surface demo's background: a sunset over mountains and a lake.

Built for an 8-bit display: every region draws from its own ramp of the
palette with ordered dithering, so the gradients stay smooth after the
picture is stretched to 800x600. The display's twenty reserved colours keep
their usual slots.
"""

import math

from noise import Rng, ValueNoise, bayer
from palette import Palette

WIDTH, HEIGHT = 622, 447
HORIZON = 292          # waterline
SUN = (402.0, 214.0, 30.0)  # centre x, y and radius

SKY_STOPS = [(0.0, (14, 12, 48)), (0.28, (58, 30, 96)), (0.5, (148, 58, 118)),
             (0.68, (222, 96, 96)), (0.84, (250, 154, 72)), (1.0, (255, 220, 130))]


def _dim(stops, f, tint=(0, 0, 0)):
    return [(p, tuple(c * f + t for c, t in zip(col, tint))) for p, col in stops]


def sunset_palette():
    p = Palette(reserve_static=True)
    p.add_ramp('sky', SKY_STOPS, 90)
    p.add_ramp('sun', [(255, 176, 70), (255, 226, 140), (255, 250, 222)], 14)
    p.add_ramp('cloud', [(70, 34, 84), (160, 70, 110), (250, 140, 110), (255, 210, 160)], 26)
    p.add_ramp('far', [(96, 52, 118), (150, 82, 136), (206, 118, 140)], 20)
    p.add_ramp('near', [(40, 22, 62), (70, 36, 88), (104, 50, 104)], 16)
    p.add_ramp('water', _dim(SKY_STOPS, 0.55, (6, 8, 30)), 34)
    p.add_ramp('glint', [(255, 170, 90), (255, 240, 190)], 8)
    p.add_ramp('land', [(8, 6, 16), (26, 16, 38), (52, 30, 58)], 18)
    p.add_ramp('star', [(210, 210, 255), (255, 255, 236)], 3)
    return p


def _sky_shade(x, y):
    """0 at the top of the sky, 1 at the horizon, brighter around the sun."""
    t = (y / HORIZON) ** 1.15
    sx, sy, r = SUN
    d = math.hypot((x - sx) * 0.8, y - sy) / r
    glow = 0.22 * math.exp(-max(0.0, d - 1.0) / 2.8)
    return min(1.0, t + glow)


def _ridge(noise, x, scale, octaves=4):
    """Peaky ridge in [0, 1]: folded noise makes sharp crests."""
    total, amp, norm = 0.0, 1.0, 0.0
    for o in range(octaves):
        n = noise.at(x / scale * (1 << o), o * 5.0)
        total += amp * (1.0 - abs(2.0 * n - 1.0))
        norm += amp
        amp *= 0.5
    return total / norm


def _tree_mask(trees, x, y):
    for (tx, base, h, w) in trees:
        if y > base or y < base - h:
            continue
        # A pine: stacked triangles narrowing to the tip.
        up = (base - y) / h
        tier = (up * 4.0) % 1.0
        half = w * (1.0 - up) * (0.55 + 0.45 * (1.0 - tier))
        if abs(x - tx) <= max(0.8, half):
            return True
    return False


def background():
    """Returns (rows of palette indices, palette)."""
    pal = sunset_palette()
    rng = Rng(622)
    mountains = ValueNoise(21, 64)
    clouds = ValueNoise(22, 64, rows=64)
    ripples = ValueNoise(23, 128, rows=128)
    far = [HORIZON - 14 - 86 * _ridge(mountains, x, 180.0) for x in range(WIDTH)]
    near = [HORIZON + 2 - 52 * _ridge(mountains, x + 900, 120.0, 3) for x in range(WIDTH)]
    shore = [HORIZON + 80 + 26 * math.sin(x / 95.0) + 12 * (mountains.fractal(x / 40.0, 30.0) - 0.5)
             - 58 * max(0.0, 1.0 - x / 190.0) ** 1.6 for x in range(WIDTH)]
    stars = {(int(rng.uniform(0, WIDTH)), int(rng.uniform(0, 120))): rng.random()
             for _ in range(70)}
    trees = []
    for _ in range(9):
        tx = rng.uniform(0, 170) if rng.random() < 0.6 else rng.uniform(520, WIDTH)
        base = shore[int(tx) % WIDTH] + 6
        trees.append((tx, base, rng.uniform(50, 110), rng.uniform(10, 17)))
    rows = [[0] * WIDTH for _ in range(HEIGHT)]
    sx, sy, sr = SUN
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if y >= shore[x] or _tree_mask(trees, x, y):
                depth = max(0.0, min(1.0, (y - shore[x]) / 90.0))
                rim = max(0.0, 1.0 - (y - shore[x]) / 4.0) if y >= shore[x] else 0.0
                idx = pal.index('land', 0.25 + 0.5 * rim - 0.2 * depth, x, y)
            elif y >= near[x] and y < HORIZON + 2:
                idx = pal.index('near', 0.15 + 0.85 * (y - (HORIZON - 54)) / 56.0, x, y)
            elif y >= HORIZON:
                idx = _water(pal, ripples, far[x], near[x], x, y)
            elif y >= far[x]:
                haze = (y - (HORIZON - 100)) / 100.0
                idx = pal.index('far', 0.2 + 0.8 * haze, x, y)
            elif math.hypot(x - sx, y - sy) <= sr:
                idx = pal.index('sun', 1.0 - 0.9 * math.hypot(x - sx, y - sy) / sr, x, y)
            else:
                idx = _sky(pal, clouds, stars, x, y)
            rows[y][x] = idx
    return rows, pal.finish()


def _sky(pal, clouds, stars, x, y):
    if (x, y) in stars and y < 140:
        return pal.index('star', stars[(x, y)])
    # Long thin clouds: noise stretched sideways, only in a band above the sun.
    band = math.exp(-((y - 150.0) / 62.0) ** 2)
    c = clouds.fractal(x / 70.0, y / 9.0, 3) * band
    # Dither the cloud's edge into the sky instead of cutting it off.
    cover = (c - 0.38) / 0.1
    if cover > bayer(x + 1, y + 2):
        lit = _sky_shade(x, y) + 0.15 * (c - 0.42) / 0.3
        return pal.index('cloud', lit * 1.05 - 0.1 * (1.0 - c), x, y)
    return pal.index('sky', _sky_shade(x, y), x, y)


def _water(pal, ripples, far, near, x, y):
    depth = y - HORIZON
    wobble = (ripples.fractal(x / 30.0, y / 1.6, 2) - 0.5) * (2.0 + depth * 0.25)
    mirror = HORIZON - depth * 1.4 - wobble
    sx, sy, sr = SUN
    # The sun's path across the water: broken horizontal glints.
    spread = sr * (0.6 + depth / 60.0)
    if abs(x - sx) < spread:
        streak = ripples.at(x / 6.0, y / 1.3 + 40.0)
        strength = 1.0 - abs(x - sx) / spread
        if streak * strength > 0.38 - depth / 600.0:
            return pal.index('glint', strength, x, y)
    # Mountains mirrored in the lake, darker than the real ones.
    if mirror >= near:
        return pal.index('near', 0.05 + 0.3 * (mirror - near) / 60.0, x, y)
    if mirror >= far:
        return pal.index('far', 0.1 * (mirror - far) / 80.0, x, y)
    return pal.index('water', _sky_shade(x, max(0.0, mirror)) - depth / 300.0, x, y)
