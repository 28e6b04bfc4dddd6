"""Seeded randomness that gives the same bytes on every machine.

Python's own generators are stable too, but a twenty-line xorshift keeps the
outputs independent of the interpreter version.
"""

import math


class Rng:
    def __init__(self, seed):
        self.state = (seed * 2654435761 + 0x9E3779B9) & 0xFFFFFFFF or 1

    def next_u32(self):
        x = self.state
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        self.state = x
        return x

    def random(self):
        """Uniform in [0, 1)."""
        return self.next_u32() / 4294967296.0

    def uniform(self, lo, hi):
        return lo + (hi - lo) * self.random()

    def signed(self):
        """Uniform in [-1, 1)."""
        return self.random() * 2.0 - 1.0


def _smooth(t):
    return t * t * (3.0 - 2.0 * t)


class ValueNoise:
    """Smooth 2-D value noise that repeats every `period` cells along x,
    so a strip built from it tiles seamlessly left to right."""

    def __init__(self, seed, period, rows=64):
        rng = Rng(seed)
        self.period = period
        self.rows = rows
        self.grid = [[rng.random() for _ in range(period)] for _ in range(rows)]

    def at(self, x, y=0.0):
        x0 = math.floor(x)
        y0 = math.floor(y)
        tx, ty = _smooth(x - x0), _smooth(y - y0)
        g, p, r = self.grid, self.period, self.rows
        a = g[y0 % r][x0 % p]
        b = g[y0 % r][(x0 + 1) % p]
        c = g[(y0 + 1) % r][x0 % p]
        d = g[(y0 + 1) % r][(x0 + 1) % p]
        top = a + (b - a) * tx
        bottom = c + (d - c) * tx
        return top + (bottom - top) * ty

    def fractal(self, x, y=0.0, octaves=3):
        """Octaves at doubling frequency; the period stays a whole number of
        cells at every octave, so tiling survives. Result roughly in [0, 1]."""
        total, amp, norm = 0.0, 1.0, 0.0
        for o in range(octaves):
            f = 1 << o
            total += amp * self.at(x * f, y * f + o * 7.0)
            norm += amp
            amp *= 0.5
        return total / norm


BAYER_4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def bayer(x, y):
    """Ordered-dither threshold in [0, 1) for pixel (x, y)."""
    return (BAYER_4[y & 3][x & 3] + 0.5) / 16.0
