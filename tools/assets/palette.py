"""256-colour palettes built from named ramps, with every entry distinct.

Pictures index a ramp by a shade in [0, 1]; ordered dithering between
neighbouring entries hides the steps. Distinct entries matter because a
pixel read back from the screen must name exactly one palette entry.
"""

from noise import bayer

# The twenty colours the display keeps for itself in 8-bit modes, in their
# usual slots. Keeping them lets the picture's palette be realised unchanged.
STATIC_LOW = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128),
              (128, 0, 128), (0, 128, 128), (192, 192, 192), (192, 220, 192),
              (166, 202, 240)]
STATIC_HIGH = [(255, 251, 240), (160, 160, 164), (128, 128, 128), (255, 0, 0),
               (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
               (0, 255, 255), (255, 255, 255)]


def _lerp_stops(stops, t):
    """Colour at t along a list of (position, (r, g, b)) stops."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            u = (t - p0) / (p1 - p0) if p1 > p0 else 0.0
            return tuple(a + (b - a) * u for a, b in zip(c0, c1))
    return stops[-1][1]


class Palette:
    def __init__(self, reserve_static=False):
        self.entries = list(STATIC_LOW) if reserve_static else []
        self.tail = list(STATIC_HIGH) if reserve_static else []
        self.ramps = {}

    def free(self):
        return 256 - len(self.entries) - len(self.tail)

    def add_ramp(self, name, stops, count):
        """count entries sampled along the colour stops, nudged apart from
        every colour already present."""
        if len(stops[0]) == 3:  # plain colours, evenly spaced
            stops = [(i / max(1, len(stops) - 1), c) for i, c in enumerate(stops)]
        assert count <= self.free(), name
        start = len(self.entries)
        for i in range(count):
            t = i / (count - 1) if count > 1 else 0.0
            c = tuple(int(round(v)) for v in _lerp_stops(stops, t))
            self.entries.append(self._distinct(c))
        self.ramps[name] = (start, count)

    def _distinct(self, c):
        taken = set(self.entries) | set(self.tail)
        r, g, b = c
        step = 0
        while (r, g, b) in taken:
            step += 1
            # Walk a small spiral through nearby colours until one is free.
            r = min(255, max(0, c[0] + (step % 3 == 0) * ((step // 3) % 5 - 2)))
            g = min(255, max(0, c[1] + (step % 3 == 1) * ((step // 3) % 5 - 2) + step // 15))
            b = min(255, max(0, c[2] + (step % 3 == 2) * ((step // 3) % 5 - 2)))
        return (r, g, b)

    def finish(self, filler_stops=((0, (40, 40, 40)), (1, (220, 220, 220)))):
        """Fills the unused middle with a spare ramp so there are exactly 256
        entries, then returns the list."""
        spare = self.free()
        if spare:
            self.add_ramp('spare', list(filler_stops), spare)
        self.entries += self.tail
        self.tail = []
        assert len(self.entries) == 256
        assert len(set(self.entries)) == 256
        return self.entries

    def index(self, name, shade, x=None, y=None):
        """Entry for a shade in [0, 1] of a ramp, dithered when x, y are given."""
        start, count = self.ramps[name]
        pos = max(0.0, min(1.0, shade)) * (count - 1)
        if x is not None:
            pos += bayer(x, y) - 0.5
        i = int(round(pos))
        return start + max(0, min(count - 1, i))
